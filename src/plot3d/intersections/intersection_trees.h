#pragma once
// The trees of a surface intersection (kind 317) from its two parent surfaces, without a
// window. The curve is kept as trees, not points: tree 4 is a function of two variables whose
// zero set is the curve, seen in a coordinate plane (parents without a parametric surface) or
// in the parametric surface's parameter plane (t read as x, u as y); tree 3 gives the remaining
// coordinate (the solved axis) in the plane's two, or trees 1-3 the parametric surface's point;
// trees 5-7 are the field the curve is traced along in its plane.
//
// A plane parent stands for its normal (from its mesh, or the one the example stored while a
// diagram is read) and its point (the plane's trees 5-7, so that its parameters stay live).
#include <optional>

#include "core/vectors.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::plot3d {

inline constexpr int kErrInconsistent = 6;

// The normal of a plane example (315) from its mesh: (M[1] - M[0]) x (M[r + 1] - M[0]), r its
// second grid count, divided by its smallest component above 1e-16; nothing when the mesh is
// too short or its points are collinear.
std::optional<Vec3> MeshPlaneNormal(const examples::TExample& plane);

// Rebuilds trees 1-7, the solved axis, the ranges (from a parametric parent), the stored plane
// normals and the box (the parents' common box) of intersection example e from its parents p
// and q in its order; reading: a diagram is being read, and plane parents take the normals
// stored in e. Returns 0, or 6 when a plane parent has no normal (a stored one that is zero or
// not finite is none): e's trees are then empty (the curve is undefined).
int BuildIntersectionTrees(FormulaContext& context, const examples::TExample& p,
                           const examples::TExample& q, bool reading, examples::TExample& e);

// The level variable the curves of e are traced at: 26 (z) + its solved axis.
int IntersectionLevelVariable(const examples::TExample& e);

// Where a point traced in e's plane lies on the surfaces: the solved coordinate from tree 3,
// or the parametric surface's point from trees 1-3 at (t, u) = (x, y); nothing where that is
// undefined or (t, u) lies outside the parameter ranges. The variables are as they were.
std::optional<Vec3> IntersectionPointInSpace(FormulaContext& context, examples::TExample& e,
                                             Vec3 traced);

}  // namespace quorlin::plot3d
