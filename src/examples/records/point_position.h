#pragma once
// Where a point example (kinds 209 and 309) stands in the picture. Its coordinates may be typed
// in another form than the picture's: a plane point as a complex number z or in polar form
// (r, t), a point in space in cylindrical (r, t, z) or spherical (rho, theta, phi) form. The
// drawers and every tool that measures points turn them here, so a measured point is always
// the point the user sees.
#include "core/vectors.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// Turns the typed coordinates `v` of point example `e` into the Cartesian position it is drawn
// at; other kinds keep `v`. False (v unchanged) when an angle is too large to turn.
bool TypedPointToCartesian(const TExample& e, Vec3& v);

// The position of point example `e` as drawn: its coordinate trees evaluated in `f` (z = 0 for
// a plane point; a complex point's one tree gives x + iy) and turned as above. False while a
// coordinate is undefined or `e` is no point example.
bool DrawnPointPosition(FormulaContext& f, TExample& e, Vec3& out);

}  // namespace quorlin::examples
