#pragma once
// What a 3D window makes of its scene box once a diagram was read. A file from version 12 on
// stores the box the window showed, and the window keeps it; an older file's box is computed
// afresh from its examples (ComputeSceneBox). The sight shift, by which a tested point moves
// towards the eye, follows the box's plan in both cases.
#include "plot3d/scene/observer.h"

namespace quorlin::plot3d {

// The first diagram version whose stored scene box is kept when it is read.
inline constexpr int kFirstVersionKeepingSceneBox = 12;

inline bool KeepsStoredSceneBox(int version) {
    return version >= kFirstVersionKeepingSceneBox;
}

// The view follows the box as it stands (the stored one kept, or one computed afresh): the
// focus at its centre, its centre and scales, the eye in box units, the view angles, and the
// sight shift the box gives (SightShiftOf). An eye too far out (IsEyeTooFar) or not finite is
// first brought back by AdjustObserverDistance.
void AdoptSceneBox(TSceneBox& box, TObserver& observer, long double& sightShift);

}  // namespace quorlin::plot3d
