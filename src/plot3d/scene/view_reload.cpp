#include "plot3d/scene/view_reload.h"

#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

void AdoptSceneBox(TSceneBox& box, TObserver& observer, long double& sightShift) {
    box.centre = Vec3Midpoint(box.min, box.max);
    box.ComputeScale();
    observer.focus = box.centre;
    sightShift = SightShiftOf(box.min, box.max);
    observer.boxEye = box.WorldToBox(observer.eye);
    ComputeViewAngles(observer);
}

}  // namespace quorlin::plot3d
