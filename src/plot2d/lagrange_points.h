#pragma once
// The picked points of a Lagrange polynomial (an explicit example through up to nine points) as
// the mouse meets them: the dot each is drawn with, the point a click lands on, and the removal
// of one point, after which the polynomial is built through the others.
#include "core/vectors.h"
#include "examples/records/example.h"
#include "plot2d/plot_space.h"

namespace quorlin::plot2d {

// A click reaches a point within this many pixels (|dx| + |dy|), or within its dot when that is
// larger.
inline constexpr int kLagrangePointReach = 6;

// The radius in pixels of the dots the points are drawn with.
int LagrangeDotRadius(const examples::TExample& e);

// The picked point of e nearest to the plot point (plot coordinates of the space: decimal
// exponents on a logarithmic axis), counted in pixels of the space, when it lies within reach;
// -1 when none does.
int LagrangePointNear(const examples::TExample& e, const TPlotSpace& space, Vec2 plot);

// Removes picked point k: the later points move up one place, the count drops by one. Nothing
// happens to an index that is not a picked point.
void DeleteLagrangePoint(examples::TExample& e, int k);

}  // namespace quorlin::plot2d
