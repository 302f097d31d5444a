#include "plot3d/scene/scene3d_state.h"

namespace quorlin::plot3d {

void StoreSceneSettings(const TObserver& observer, const TSceneBox& box, const TScene3DState& state,
                        examples::TScene3DSettings& s) {
    s.observer = {observer.eye.x, observer.eye.y, observer.eye.z};
    const TAxisEnds& a = state.axes;
    s.boxLengths = {a.lower.x, a.lower.y, a.lower.z, a.upper.x, a.upper.y, a.upper.z};
    s.lockLengths = a.locked;
    s.box = state.box.shown;
    s.coords = state.box.coords;
    s.dotted = state.box.dotted;
    s.cube = observer.cube;
    s.angle = observer.angleStep;
    s.sceneBox = {box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z};
}

void LoadSceneSettings(const examples::TScene3DSettings& s, TObserver& observer, TSceneBox& box,
                       TScene3DState& state) {
    const auto& n = s.boxLengths;
    state.axes = {{n[0], n[1], n[2]}, {n[3], n[4], n[5]}, s.lockLengths};
    state.box = {s.box, s.coords, s.dotted};
    observer.cube = s.cube;
    if (s.angle > 0) observer.angleStep = s.angle;
    // A scene box a crafted file stored reversed is put in order: as it stands, nothing would
    // count as inside it, the axes would be fitted to it reversed and Cube mode would mirror the
    // picture. The window saves it in order.
    const auto& b = s.sceneBox;
    const TBox3 ordered = Ordered({{b[0], b[1], b[2]}, {b[3], b[4], b[5]}});
    box.min = ordered.min;
    box.max = ordered.max;
    box.centre = Vec3Midpoint(box.min, box.max);
    box.ComputeScale();
    observer.focus = box.centre;
    observer.eye = {s.observer[0], s.observer[1], s.observer[2]};
    MoveEyeOffVertical(observer, box);
    observer.boxEye = box.WorldToBox(observer.eye);
    ComputeViewAngles(observer);
}

}  // namespace quorlin::plot3d
