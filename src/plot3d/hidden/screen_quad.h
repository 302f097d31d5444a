#pragma once
// Whether a point of the picture lies in the screen image of a surface's cell: a quadrilateral
// by the winding rule, which is what a polygon region with winding fill holds.
#include <array>

#include "core/vectors.h"

namespace quorlin::plot3d::hidden {

// Inside when the outline a -> b -> c -> d -> a winds round the point a non-zero number of
// times; so both halves of a self-crossing (bow-tie) outline count, each once. A point on the
// outline counts as inside. A quadrilateral whose corners all lie on one line holds only the
// points of its outline.
bool IsInsideQuadrilateral(Vec2 p, const std::array<Vec2, 4>& corners);

}  // namespace quorlin::plot3d::hidden
