#include "dynamics/trajectories.h"

#include <cmath>

#include "core/errors.h"
#include "dynamics/implicit_curve.h"
#include "dynamics/value_list.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

namespace {

using examples::TExample;
using examples::TTrajectory;
namespace kind = examples::kind;

int KindOf(const TTrajectory& trajectory) {
    return trajectory.kind % TTrajectory::kFormulaKindOffset;
}

TraceResult Refused() {
    TraceResult r;
    r.stop = TraceStop::kRefused;
    r.error = kErrInconsistentData;
    return r;
}

TraceResult Stopped(TraceStop stop) {
    TraceResult r;
    r.stop = stop;
    return r;
}

// F, Fx and Fy of an implicit example.
TreeImplicitFunction ImplicitOf(FormulaContext& context, TExample& example) {
    return TreeImplicitFunction(context, example.trees[2].get(), example.trees[4].get(),
                                example.trees[5].get());
}

// A piece of an implicit curve from its start over the time span [startTime, to].
TraceResult FollowPiece(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                        long double to, const TracerSettings& settings,
                        const std::function<void(Vec2)>& sink) {
    if (!(settings.stepLength >= kSmallestStep) || !std::isfinite(to - trajectory.startTime))
        return Refused();
    PlotVariableGuard guard(context);
    TreeImplicitFunction f = ImplicitOf(context, example);
    const long double span = to - trajectory.startTime;
    const ImplicitPiece piece{
        {trajectory.startX, trajectory.startY}, span < 0 ? -1 : 1, std::fabs(span), false};
    const auto end =
        FollowImplicitPiece(f, piece, {settings.stepLength, settings.stepLength}, sink);
    if (!end) return Stopped(TraceStop::kUndefined);
    TraceResult r;
    r.end = {end->x, end->y, 0};
    r.endTime = to;
    return r;
}

// Steps along x from x0 to `to` with steps of |step|, the last one shortened; `step(x, h)`
// moves the state and x by h.
template <typename Step>
TraceStop AdvanceAlongX(long double& x, long double to, long double step,
                        const TracerSettings& settings, Step&& stepBy) {
    const long double h = to >= x ? std::fabs(step) : -std::fabs(step);
    for (long long rounds = 0; x != to; ++rounds) {
        if (rounds >= settings.roundLimit) return TraceStop::kRoundLimit;
        const bool last = std::fabs(to - x) <= std::fabs(h) * (1 + 1e-9L);
        const long double hh = last ? to - x : h;
        if (x + hh == x) return TraceStop::kStalled;
        const long double next = x + hh;
        if (!stepBy(hh)) return TraceStop::kUndefined;
        x = last ? to : next;
    }
    return TraceStop::kEndReached;
}

TraceResult SlopeStateAt(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                         long double to, const TracerSettings& settings) {
    PlotVariableGuard guard(context);
    Vec3 start;
    long double unused = 0;
    if (!StartState(context, trajectory, start, unused)) return Stopped(TraceStop::kUndefined);
    if (CheckStepSize(trajectory.step, start.x) != 0 || std::isnan(to)) return Refused();
    TExprNode* f = example.trees[2].get();
    if (!f) return Stopped(TraceStop::kUndefined);
    const Method method = MethodOf(trajectory.option1);
    const TreeProgram slope(context, f);
    long double x = start.x;
    long double y = start.y;
    TraceResult r;
    r.stop = AdvanceAlongX(x, to, trajectory.step, settings, [&](long double h) {
        long double xs = x;
        return DyDxStep(context, slope, method, xs, y, h, false);
    });
    r.end = {x, y, 0};
    r.endTime = x;
    return r;
}

TraceResult HigherOrderStateAt(FormulaContext& context, TExample& example,
                               const TTrajectory& trajectory, long double to,
                               const TracerSettings& settings) {
    const int order = example.order;
    if (order < 1 || order > kMaxStateSize || std::isnan(to) ||
        CheckStepSize(trajectory.step, trajectory.startTime) != 0)
        return Refused();
    ValueList values = ParseValueList(context, trajectory.texts[0]);
    if (values.error != 0 || static_cast<int>(values.trees.size()) < order) return Refused();
    PlotVariableGuard guard(context);
    std::array<long double, kMaxStateSize> y{};
    for (int k = 0; k < order; ++k) {
        TExprNode& value = *values.trees[static_cast<std::size_t>(k)];
        if (!context.Evaluate(value)) return Stopped(TraceStop::kUndefined);
        y[static_cast<std::size_t>(k)] = value.re;
    }
    TExprNode* f = example.trees[2].get();
    if (!f) return Stopped(TraceStop::kUndefined);
    const HigherOrderField field(context, *f, order);
    const Method method = MethodOf(trajectory.option1);
    long double x = trajectory.startTime;
    TraceResult r;
    r.stop = AdvanceAlongX(x, to, trajectory.step, settings, [&](long double h) {
        std::array<long double, kMaxStateSize> next = y;
        if (!OdeStep(method, field, x, next.data(), order, h)) return false;
        for (int k = 0; k < order; ++k)
            if (!std::isfinite(next[static_cast<std::size_t>(k)])) return false;
        y = next;
        return true;
    });
    r.end = {x, y[0], order > 1 ? y[1] : 0.0L};
    r.endTime = x;
    return r;
}

}  // namespace

TraceResult TraceTrajectory(FormulaContext& context, TExample& example,
                            const TTrajectory& trajectory, const TracerSettings& settings,
                            const TraceHooks& hooks, const AlongXOptions& alongX) {
    switch (KindOf(trajectory)) {
        case kind::kSystem:
            return TraceSystem(context, example, trajectory, 2, settings, hooks);
        case kind::kSpaceSystem:
            return TraceSystem(context, example, trajectory, 3, settings, hooks);
        case kind::kSlope:
            return TraceSlope(context, example, trajectory, alongX, settings, hooks);
        case kind::kHigherOrder:
            return TraceHigherOrder(context, example, trajectory, alongX, settings, hooks);
        case kind::kSequence:
            return TraceSequence(context, example, trajectory, 2, settings, hooks);
        case kind::kSpaceSequence:
            return TraceSequence(context, example, trajectory, 3, settings, hooks);
        case kind::kImplicit: {
            std::optional<Vec2> previous;
            long double arc = trajectory.startTime;
            const auto sink = [&](Vec2 p) {
                if (previous) arc += std::hypot(p.x - previous->x, p.y - previous->y);
                TracePoint point{{p.x, p.y, 0}, arc, previous.has_value(), true};
                point.inside = !hooks.inside || hooks.inside(point);
                if (hooks.sink) hooks.sink(point);
                previous = p;
            };
            return FollowPiece(context, example, trajectory, trajectory.endTime, settings, sink);
        }
        default:
            return TraceLevelCurve(context, example, trajectory, settings, hooks);
    }
}

TraceResult TrajectoryStateAt(FormulaContext& context, TExample& example,
                              const TTrajectory& trajectory, long double t,
                              const TracerSettings& settings) {
    TracerSettings quiet = settings;
    quiet.loopClosing = 0;  // a loop does not end an integration to a given time
    const TraceHooks none;
    switch (KindOf(trajectory)) {
        case kind::kSystem:
            return TraceSystem(context, example, trajectory, StateSlots::System(2), t, quiet, none);
        case kind::kSpaceSystem:
            return TraceSystem(context, example, trajectory, StateSlots::System(3), t, quiet, none);
        case kind::kSlope:
            return SlopeStateAt(context, example, trajectory, t, settings);
        case kind::kHigherOrder:
            return HigherOrderStateAt(context, example, trajectory, t, settings);
        case kind::kSequence:
            return TraceSequence(context, example, trajectory, 2, t, quiet, none);
        case kind::kSpaceSequence:
            return TraceSequence(context, example, trajectory, 3, t, quiet, none);
        case kind::kImplicit:
            return FollowPiece(context, example, trajectory, t, settings, {});
        default: {
            const auto slots = StateSlots::Level(
                trajectory.option1, {trajectory.startX, trajectory.startY, trajectory.startZ});
            if (!slots) return Refused();
            return TraceSystem(context, example, trajectory, *slots, t, quiet, none);
        }
    }
}

TraceResult TrajectoryEndPoint(FormulaContext& context, TExample& example,
                               const TTrajectory& trajectory, const TracerSettings& settings) {
    return TrajectoryStateAt(context, example, trajectory, trajectory.endTime, settings);
}

bool KeepWhereStopped(TTrajectory& record, const TraceResult& result, long double keptUntil) {
    const int k = KindOf(record);
    if (k != kind::kSystem && k != kind::kSpaceSystem) return false;
    long double end = record.endTime;
    if (result.Key() != 0) end = keptUntil;
    if (result.Closed()) end = result.endTime;
    if (!std::isfinite(end) || end == record.endTime) return false;
    record.endTime = end;
    return true;
}

}  // namespace quorlin::dynamics
