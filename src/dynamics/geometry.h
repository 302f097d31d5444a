#pragma once
// Small geometric services of the trajectory code: the clipping of a line to a disc, and the
// search for a point of the zero set of a function in a box (random pairs of points with a
// sign change, then bisection).
#include <functional>

#include "core/vectors.h"
#include "dynamics/field.h"
#include "formula/formula_context.h"

namespace quorlin::dynamics {

// The line through the ends e1 and e2 against the disc of the centre and radius: 1 when it
// misses the disc or the ends coincide, -1 when it is tangent (both ends become the touching
// point), 0 when it crosses. With flag 0 a crossing line's end that lies farther than
// radius + 0.001 from the centre is replaced by the end of the chord on its side; another flag
// leaves the ends as they are.
int ClipLineToDisc(Vec2 centre, long double radius, Vec2& e1, Vec2& e2, int flag);

inline constexpr int kSignChangePairs = 15;
inline constexpr long double kSignChangeTolerance = 1e-4L;  // times the box's extent

// A function of space: false where it is undefined.
using ScalarField3 = std::function<bool(Vec3, long double&)>;

// Tries at most 15 pairs of random points of the box (RandomInt) for a pair at which f changes
// sign, then bisects between them until the two ends are closer than the tolerance; out is the
// middle of the last bracket. False when no pair was found. A flat box (min = max in a
// coordinate) holds that coordinate fixed.
bool FindSignChangePoint(const ScalarField3& f, const Box3& box, long double tolerance, Vec3& out);

// The same for a tree in X, Y, Z, with the tolerance 0.0001 x the box's largest side.
bool FindSignChangePoint(FormulaContext& context, TExprNode& tree, const Box3& box, Vec3& out);

}  // namespace quorlin::dynamics
