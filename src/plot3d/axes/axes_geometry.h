#pragma once
// The plain geometry of a 3D window's frame and guides: the axis ends fitted to the scene box,
// the axis colour that never vanishes into the background, where an axis letter sits, the two
// box corners that carry coordinate labels and their texts, the grid of a direction field, the
// Frenet frame of a curve and the steps of a point's angle arc. No window, no drawing.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/vectors.h"
#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

// The axis ends 1.3 times the scene box's extremes; an upper end below 0.001 becomes 1, a lower
// end above 0.001 becomes -1, so each axis reaches both sides of the origin. The lock is kept.
TAxisEnds FitAxisLengths(const TSceneBox& box, bool locked = false);

// The palette index the axes are drawn in: their role's colour, unless it equals the
// background, then white (1) on black (0) and black on anything else.
int AxisColourIndex(int axesColour, int backgroundColour);

// The axis ends as typed into "AXLEN": fields x low, x high, y low, y high, z low, z high, read
// in the order x, y, z low, then x, y, z high; a high end below its low end + 1e-13 is error 6.
// The first error stops the reading.
using TNumberReader = std::function<int(std::string_view, long double&)>;
struct TAxisLengthsRead {
    int error = 0;
    Vec3 lower{0, 0, 0};
    Vec3 upper{0, 0, 0};
};
TAxisLengthsRead ReadAxisLengths(const std::array<std::string, 6>& fields,
                                 const TNumberReader& read);
// The ends after "lock" or "unlock": nothing when they and the lock stay as they were (within
// 1e-13). "lock" with an error changes nothing; "unlock" with an error unlocks and keeps the
// old ends, never half-read ones.
std::optional<TAxisEnds> ApplyAxisLengths(const TAxisEnds& old, const TAxisLengthsRead& read,
                                          bool lock);

// The point where an axis letter sits: `end` pushed outwards from the origin so that the letter
// stands 9 screen units beyond the end. originPx and endPx are the projected points in pixels,
// unitPerPixel the screen unit. Nothing when the axis shows shorter than one pixel (looking
// along it), so no letter is placed on a division by almost nothing.
std::optional<Vec3> AxisLetterPoint(Vec3 end, Vec2 originPx, Vec2 endPx, long double screenUnit);

// The two box corners that carry the coordinate labels: at the bottom and at the top of the
// box, on the sides facing the eye.
struct TLabelCorners {
    Vec3 bottom;
    Vec3 top;
};
TLabelCorners ChooseLabelCorners(Vec3 eye, Vec3 focus, const TSceneBox& box);
// The quadrant and slope code the corners are chosen by (0..19).
int LabelCornerCode(Vec3 eye, Vec3 focus, const TSceneBox& box);
// "(x,y,z)" with each coordinate written "%4.2Lf".
std::string CornerLabel(Vec3 corner);

// The spacing of a direction field's grid in a box, one step per axis: each extent divided by
// m (at least 1), a hair less so that the last row stays inside.
Vec3 FieldGridSteps(const TBox3& box, int m);

// The Frenet frame at a point of a curve from its velocity and a second vector (acceleration or
// normal direction): T = unit velocity, N = the unit part of the second vector perpendicular to
// T, B = T x N. Nothing when T or N has no length.
struct TFrame3 {
    Vec3 t, n, b;
};
std::optional<TFrame3> FrenetFrame(Vec3 velocity, Vec3 second);

// The arc of an angle a drawn as a curve in T: from min(0, a) to max(0, a), more than one turn
// cut to one turn, round(|a| / 2 pi x 120) + 2 steps.
struct TArcSpan {
    long double from = 0;
    long double to = 0;
    int steps = 2;
};
TArcSpan AngleArc(long double angle);

// A point typed in cylindrical (r, theta, z: form 1) or spherical (rho, theta, phi: form 2)
// coordinates in cartesian ones; form 0 is cartesian already.
Vec3 CartesianPoint(int form, Vec3 typed);
// The point of a point's angle arc at angle t: the theta arc (which 4) about the z axis, the phi
// arc (which 5) down from the z axis, for the point's form and typed coordinates.
Vec3 AngleArcPoint(int form, Vec3 typed, int which, long double t);

}  // namespace quorlin::plot3d
