#include "plot3d/scene/view_reload.h"

#include <cmath>

#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

void AdoptSceneBox(TSceneBox& box, TObserver& observer, long double& sightShift) {
    box.centre = Vec3Midpoint(box.min, box.max);
    box.ComputeScale();
    observer.focus = box.centre;
    sightShift = SightShiftOf(box.min, box.max);
    // An eye stored further out than the observer dialog takes one (any finite value, up to the
    // end of the long-double range) would leave the picture blank: it comes back along its line
    // from the focus, as the moves of the observer bring it back.
    const Vec3 e = observer.eye;
    if (!std::isfinite(e.x) || !std::isfinite(e.y) || !std::isfinite(e.z) || IsEyeTooFar(box, e))
        AdjustObserverDistance(observer, box);
    observer.boxEye = box.WorldToBox(observer.eye);
    ComputeViewAngles(observer);
}

}  // namespace quorlin::plot3d
