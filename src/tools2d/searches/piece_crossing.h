#pragma once
// Where a traced piece of one implicit curve crosses another implicit curve F = 0: the search
// of the intersections tool for two implicit curves, which follows the second curve along its
// traced pieces (time = arc length) and tests the first curve's function on them.
#include "core/vectors.h"
#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

struct TPieceCrossing {
    // 0: a crossing at `at`; 1: F or the piece is undefined there; 104: no sign change along the
    // piece; -1: none, but the piece starts on the curve.
    int result = 104;
    Vec2 at;   // the crossing (the piece's start when there is none)
    Vec3 end;  // the state at the end of the whole piece, where the caller's scan goes on
};

// Halves the piece's time span (up to 101 times) towards the sign change of F between its
// start and its end. The curve's example and the piece are read, never changed; X and Y of the
// context are restored.
TPieceCrossing FindPieceCrossing(FormulaContext& context, examples::TExample& curve,
                                 const examples::TTrajectory& piece, TExprNode& f,
                                 const dynamics::TracerSettings& settings);

}  // namespace quorlin::tools2d
