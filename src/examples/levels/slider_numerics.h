#pragma once
// The numerics of differential equations and intrinsic curves as the sliders and the derived
// examples use them: the state of a trajectory at a time, integrated with the steps and
// tolerances the window draws it with, and the point and frame of an intrinsic curve at an arc
// length. (Kept apart from the window levels, whose Qt headers the numerics do not mix with.)
#include <optional>

#include "core/vectors.h"
#include "examples/operations/curve_cursor.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// The state of the trajectory of `example` at time t for a window of unitsPerPixel world units
// per pixel; empty where t cannot be reached (a rest point keeps its state).
std::optional<Vec3> TrajectoryStateForWindow(FormulaContext& formulas, TExample& example,
                                             const TTrajectory& trajectory, long double t,
                                             long double unitsPerPixel);

// The arc-length integration of the intrinsic curves for the curve slider.
TIntrinsicHooks IntrinsicCurveHooks(FormulaContext& formulas);

}  // namespace quorlin::examples
