#include "examples/levels/slider_numerics.h"

#include <cmath>

#include "dynamics/intrinsic.h"
#include "dynamics/trajectories.h"

namespace quorlin::examples {

namespace {
// An integration that nobody can interrupt ends after this much work.
constexpr double kStateBudgetSeconds = 2.0;
}  // namespace

std::optional<Vec3> TrajectoryStateForWindow(FormulaContext& formulas, TExample& example,
                                             const TTrajectory& trajectory, long double t,
                                             long double unitsPerPixel) {
    dynamics::TracerSettings settings =
        dynamics::TracerSettings::ForPixelSize(std::fabs(unitsPerPixel));
    settings.budgetSeconds = kStateBudgetSeconds;
    const dynamics::TraceResult r =
        dynamics::TrajectoryStateAt(formulas, example, trajectory, t, settings);
    const bool reached =
        r.stop == dynamics::TraceStop::kEndReached || r.stop == dynamics::TraceStop::kZeroVector;
    if (!reached || r.error != 0) return std::nullopt;
    return r.end;
}

TIntrinsicHooks IntrinsicCurveHooks(FormulaContext& formulas) {
    TIntrinsicHooks hooks;
    hooks.point2D = [&formulas](TExample& curve, long double s, Vec2& position, Vec2& direction) {
        return dynamics::IntrinsicPoint2D(formulas, curve, s, position, direction);
    };
    hooks.point3D = [&formulas](TExample& curve, long double s, TCurveFrame& frame) {
        dynamics::FrenetState state;
        if (!dynamics::IntrinsicPoint3D(formulas, curve, s, state)) return false;
        frame = {state.position, state.tangent, state.normal, state.binormal};
        return true;
    };
    return hooks;
}

}  // namespace quorlin::examples
