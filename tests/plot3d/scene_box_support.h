#pragma once
// A scene box between two corners, centred and scaled as a window keeps it, for the plain tests.
#include "plot3d/scene/scene_box.h"

namespace quorlin::testing {

inline plot3d::TSceneBox SceneBoxBetween(Vec3 min, Vec3 max) {
    plot3d::TSceneBox box;
    box.min = min;
    box.max = max;
    box.centre = Vec3Midpoint(min, max);
    box.ComputeScale();
    return box;
}

}  // namespace quorlin::testing
