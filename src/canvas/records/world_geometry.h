#pragma once
// Plain geometry of world coordinates that the view frame and the 3D hidden-line tests share:
// the clipping of a segment to a world rectangle, and a plane in space with the signed
// distance of a point from it.
#include <array>

#include "canvas/records/world_rect.h"
#include "core/vectors.h"

namespace quorlin::canvas {

// Clips the segment p-q to the box, keeping which end is which; an end inside stays exactly
// as it was. False when no part of the segment lies in the box.
bool ClipSegment(const TLDRect& box, Vec2& p, Vec2& q);

// A plane in space by its unit normal and offset: points x with normal . x = offset.
struct TPlane {
    std::array<long double, 3> normal{0, 0, 1};
    long double offset = 0;
};
using Point3 = std::array<long double, 3>;
// The plane through three points; false (plane unchanged) when they are (nearly) collinear.
bool SetPlaneFrom3Points(TPlane& plane, const Point3& a, const Point3& b, const Point3& c);
// Signed distance of a point from the plane, positive on the normal's side.
long double PlaneSide(const TPlane& plane, const Point3& p);

}  // namespace quorlin::canvas
