// Drawers of the kinds traced by the trajectory numerics: implicit curves, systems dx/dt, dy/dt
// and dy/dx equations with their direction fields, recursive sequences, derx(n, y) equations
// and intrinsic curves.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "dynamics/implicit_curve.h"
#include "dynamics/intrinsic.h"
#include "dynamics/resolution_filter.h"
#include "dynamics/trajectories.h"
#include "examples/records/compile.h"
#include "plot2d/drawer_support.h"
#include "plot2d/example_drawers.h"

namespace quorlin::plot2d {

using detail::EvalTree;
using detail::TPieceCollector;
using examples::TExample;
using examples::TTrajectory;

namespace {

// A trace that nobody can interrupt ends after this much work.
constexpr double kUnpolledBudgetSeconds = 2.0;

dynamics::TracerSettings TracerSettingsFor(const TDrawTarget& target) {
    auto settings = dynamics::TracerSettings::ForPixelSize(target.Space().UnitsPerPixelX());
    if (!target.Polling()) settings.budgetSeconds = kUnpolledBudgetSeconds;
    settings.viewStepLimit = dynamics::StepsForView(target.Space().width, target.Space().height);
    return settings;
}

dynamics::ViewRect ViewOf(const TPlotSpace& space) {
    return {space.ValueOfPlotX(space.xLow), space.ValueOfPlotX(space.xHigh),
            space.ValueOfPlotY(space.yLow), space.ValueOfPlotY(space.yHigh)};
}

// Hooks that hand a trace's points to a collector: the pen lifts where the tracer says so.
dynamics::TraceHooks CollectingHooks(TDrawTarget& target, TPieceCollector& collector) {
    dynamics::TraceHooks hooks;
    hooks.sink = [&collector](const dynamics::TracePoint& p) {
        if (!p.draw) collector.Lift();
        collector.AddValue({p.position.x, p.position.y});
    };
    if (target.Polling()) hooks.pollKey = [&target] { return target.PollKey(); };
    return hooks;
}

// The same, handing on only the points that add something at the target's resolution, so that
// a trajectory without an end keeps a bounded number of points however long it runs.
dynamics::TraceHooks FilteredHooks(TDrawTarget& target, TPieceCollector& collector,
                                   dynamics::TResolutionFilter& filter) {
    dynamics::TraceHooks hooks = CollectingHooks(target, collector);
    hooks.sink = [&collector, &filter, &space = target.Space()](const dynamics::TracePoint& p) {
        const Vec2 value{p.position.x, p.position.y};
        Vec2 plot;
        if (!space.ValueToPlot(value, plot)) {
            filter.Lift();
            return;
        }
        const TPixelBox area = space.Area();
        const Vec2 pixel = space.ToPixel(plot) - Vec2{area.left, area.top};
        for (const dynamics::KeptPoint& kept : filter.Offer(value, pixel, p.t, p.draw)) {
            if (!kept.draw) collector.Lift();
            collector.AddValue(kept.at);
        }
    };
    return hooks;
}

// The pen of a trajectory: its own, with the example's where it has none.
examples::TPenSpec TrajectoryPen(const TExample& e, const TTrajectory& t) {
    examples::TPenSpec pen = t.pen;
    if (pen.width == 0) pen = e.pen;
    return pen;
}

// Traces every trajectory of the example, oldest first, each in its pen.
int DrawTrajectories(TDrawEnvironment& env, int i, const dynamics::TraceHooks& extra,
                     const dynamics::AlongXOptions& alongX) {
    TExample& e = env.inventory[i];
    const auto settings = TracerSettingsFor(env.target);
    const TPlotSpace& space = env.target.Space();
    for (auto it = e.trajectories.rbegin(); it != e.trajectories.rend(); ++it) {
        TPieceCollector collector(space);
        dynamics::TResolutionFilter filter(space.width, space.height);
        dynamics::TraceHooks hooks = FilteredHooks(env.target, collector, filter);
        hooks.inside = extra.inside;
        const TTrajectory trajectory = it->Clone();  // the tracer may compile its texts
        const auto result =
            dynamics::TraceTrajectory(env.formula, e, trajectory, settings, hooks, alongX);
        // A family's members share their records: where one stopped says nothing of the others.
        if (!e.familyOn) dynamics::KeepWhereStopped(*it, result, filter.LastAddedTime());
        env.target.SetPen(TrajectoryPen(e, *it));
        collector.DrawOn(env.target);
        if (result.Key() != 0) return result.Key();
    }
    env.target.SetPen(e.pen);
    return 0;
}

// The direction field of a system or dy/dx equation: a grid of rows over the view, at each
// point a slope mark (centred) or a unit vector (from the point) of the example's length.
template <typename Direction>
void DrawField(TDrawEnvironment& env, const TExample& e, Direction&& direction) {
    if (e.fieldDisplay != 1 && e.fieldDisplay != 2) return;
    const TPlotSpace& space = env.target.Space();
    const int rows = std::clamp<int>(e.fieldRows, 1, 100);
    const long double spacing = static_cast<long double>(space.height) / rows;
    // Length in per cent of the width: the bound parameter's value, or the word in tenths.
    long double percent = e.fieldLengthPercent / 10.0L;
    if (const auto bound = examples::BoundFieldLength(env.formula, e)) percent = *bound;
    const long double length = std::clamp(space.width * percent / 100, 1.0L, 4.0L * space.width);
    const TPixelBox area = space.Area();
    for (long double py = area.top + spacing / 2; py < area.bottom; py += spacing)
        for (long double px = area.left + spacing / 2; px < area.right; px += spacing) {
            const Vec2 at = space.ToPlot({px, py});
            const Vec2 value{space.ValueOfPlotX(at.x), space.ValueOfPlotY(at.y)};
            Vec2 d;
            if (!direction(value, d)) continue;
            // The direction in pixels (value units scaled, y downwards) and back.
            Vec2 v{d.x / space.UnitsPerPixelX(), -d.y / space.UnitsPerPixelY()};
            if (space.logX || space.logY) {
                Vec2 ahead;
                const long double h = 1e-6L;
                if (!space.ValueToPlot(value + h * d, ahead)) continue;
                const Vec2 pa = space.ToPixel(ahead), p0 = space.ToPixel(at);
                v = pa - p0;
            }
            const long double norm = std::hypot(v.x, v.y);
            if (!(norm > 0) || !std::isfinite(norm)) continue;
            const Vec2 u = (length / norm) * v;
            const Vec2 from = e.fieldDisplay == 1 ? Vec2{px, py} - 0.5L * u : Vec2{px, py};
            const Vec2 to = from + u;
            const Vec2 ends[] = {space.ToPlot(from), space.ToPlot(to)};
            env.target.Polyline(ends);
            if (e.fieldDisplay == 2)
                env.target.Arrow(ends[1], ends[1] - ends[0],
                                 std::max(3, static_cast<int>(length / 3)), true);
        }
}

// F of an implicit curve in plot coordinates, undefined where its restriction fails: on a
// logarithmic axis F is taken at 10^u (its gradient from differences).
class TPlotImplicitFunction : public dynamics::ImplicitFunction {
public:
    TPlotImplicitFunction(FormulaContext& ctx, TExample& e, const TPlotSpace& space)
        : ctx_(ctx),
          space_(space),
          restricted_(e.restrictOn && e.Tree(4)),
          restriction_(ctx, restricted_ ? e.Tree(4).get() : nullptr),
          trees_(ctx, e.Tree(3).get(), space.logX || space.logY ? nullptr : e.Tree(5).get(),
                 space.logX || space.logY ? nullptr : e.Tree(6).get()) {}

    bool Value(Vec2 p, long double& f) override {
        return Allowed(p) && trees_.Value(ToValue(p), f);
    }
    bool Gradient(Vec2 p, Vec2 difference, Vec2& gradient) override {
        if (space_.logX || space_.logY) return ImplicitFunction::Gradient(p, difference, gradient);
        return Allowed(p) && trees_.Gradient(p, difference, gradient);
    }

private:
    Vec2 ToValue(Vec2 p) const { return {space_.ValueOfPlotX(p.x), space_.ValueOfPlotY(p.y)}; }
    bool Allowed(Vec2 p) {
        if (!restricted_) return true;
        const Vec2 v = ToValue(p);
        ctx_.SetVar(slot::kX, v.x);
        ctx_.SetVar(slot::kY, v.y);
        long double c = 0;
        return EvalTree(restriction_, c) && c > 0;
    }

    FormulaContext& ctx_;
    const TPlotSpace& space_;
    bool restricted_;
    TreeProgram restriction_;
    dynamics::TreeImplicitFunction trees_;
};

}  // namespace

int DrawImplicit(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    if (!e.Tree(3)) return 0;
    const TPlotSpace& space = env.target.Space();
    TPlotImplicitFunction f(env.formula, e, space);
    dynamics::ImplicitTraceSettings settings;
    settings.view = {space.xLow, space.xHigh, space.yLow, space.yHigh};
    settings.pixelWidth = space.UnitsPerPixelX();
    settings.pixelHeight = space.UnitsPerPixelY();
    if (e.LongSearch()) settings.randomRounds *= 4;  // "long search"
    dynamics::ImplicitTraceHooks hooks;
    hooks.sink = [&env](const std::vector<Vec2>& points, bool) { env.target.Polyline(points); };
    if (env.target.Polling()) hooks.pollKey = [&env] { return env.target.PollKey(); };
    const auto result = dynamics::TraceImplicitCurve(f, settings, hooks);
    // The pieces stay with the example (time = arc length along (-Fy, Fx)), for the tools;
    // on logarithmic axes they are in exponents and are not kept.
    if (!space.logX && !space.logY && result.key == 0) {
        e.trajectories.clear();
        for (const auto& piece : result.pieces) {
            TTrajectory t;
            t.Init(examples::kind::kImplicit, 2, 4, 5, 0, 0, 1);
            t.startX = piece.start.x;
            t.startY = piece.start.y;
            t.endTime = piece.direction * piece.length;
            t.pen = e.pen;
            e.trajectories.push_back(std::move(t));
        }
    }
    return result.key;
}

int DrawSystem(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    FormulaContext& ctx = env.formula;
    TExprNode* restriction = e.restrictOn ? e.Tree(4).get() : nullptr;
    const TreeProgram restrictionProgram(ctx, restriction);
    const auto allowed = [&ctx, restriction, &restrictionProgram](Vec2 v) {
        if (!restriction) return true;
        ctx.SetVar(slot::kX, v.x);
        ctx.SetVar(slot::kY, v.y);
        long double c = 0;
        return EvalTree(restrictionProgram, c) && c > 0;
    };
    const TreeProgram dx(ctx, e.Tree(1).get()), dy(ctx, e.Tree(2).get());
    DrawField(env, e, [&](Vec2 v, Vec2& d) {
        ctx.SetVar(slot::kX, v.x);
        ctx.SetVar(slot::kY, v.y);
        ctx.SetVar(slot::kT, 0);
        return allowed(v) && EvalTree(dx, d.x) && EvalTree(dy, d.y);
    });
    dynamics::TraceHooks region;
    const dynamics::ViewRect view = ViewOf(env.target.Space());
    const bool frame = e.recompute != 0;
    if (frame || restriction)
        region.inside = [=, &allowed](const dynamics::TracePoint& p) {
            const Vec2 v{p.position.x, p.position.y};
            return (!frame || dynamics::PointCode(view, v.x, v.y) == 0) && allowed(v);
        };
    return DrawTrajectories(env, i, region, {});
}

int DrawSlopeEquation(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    FormulaContext& ctx = env.formula;
    const TreeProgram slope(ctx, e.Tree(3).get());
    DrawField(env, e, [&](Vec2 v, Vec2& d) {
        ctx.SetVar(slot::kX, v.x);
        ctx.SetVar(slot::kY, v.y);
        d.x = 1;
        return EvalTree(slope, d.y);
    });
    dynamics::AlongXOptions along;
    along.view = ViewOf(env.target.Space());
    along.clip = e.recompute != 0;
    along.infiniteSlopes = env.infiniteSlopes;
    return DrawTrajectories(env, i, {}, along);
}

int DrawHigherOrder(TDrawEnvironment& env, int i) {
    dynamics::AlongXOptions along;
    along.view = ViewOf(env.target.Space());
    along.clip = env.inventory[i].recompute != 0;
    return DrawTrajectories(env, i, {}, along);
}

int DrawSequence(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    const auto settings = TracerSettingsFor(env.target);
    const TPlotSpace& space = env.target.Space();
    for (auto it = e.trajectories.rbegin(); it != e.trajectories.rend(); ++it) {
        std::vector<Vec2> terms;
        std::vector<bool> defined;
        dynamics::TraceHooks hooks;
        hooks.sink = [&](const dynamics::TracePoint& p) {
            Vec2 plot;
            defined.push_back(space.ValueToPlot({p.position.x, p.position.y}, plot));
            terms.push_back(plot);
        };
        if (env.target.Polling()) hooks.pollKey = [&env] { return env.target.PollKey(); };
        const TTrajectory trajectory = it->Clone();
        const auto result =
            dynamics::TraceTrajectory(env.formula, e, trajectory, settings, hooks, {});
        const examples::TPenSpec pen = TrajectoryPen(e, *it);
        env.target.SetPen(pen);
        const int radius = std::max<int>(1, pen.width) + 1;
        std::vector<Vec2> run;
        for (std::size_t k = 0; k < terms.size(); ++k) {
            if (!defined[k]) {
                if (e.ConnectPoints()) env.target.Polyline(run);
                run.clear();
                continue;
            }
            env.target.Marker(terms[k], radius, true);
            if (e.SequenceArrows() && !run.empty())
                env.target.Arrow(terms[k], terms[k] - run.back(), 8, true);
            run.push_back(terms[k]);
        }
        if (e.ConnectPoints()) env.target.Polyline(run);
        if (result.Key() != 0) return result.Key();
    }
    env.target.SetPen(e.pen);
    return 0;
}

int DrawIntrinsic(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    const auto [low, high] = detail::ParameterRange(env.formula, env.inventory.Entry(i));
    const TPlotSpace& space = env.target.Space();
    // A pixel of arc length a step, and no more steps than a few million over the range.
    constexpr long double kMostSteps = 2e6L;
    const long double step =
        std::max(e.ScaledStep(space.UnitsPerPixelX()), (high - low) / kMostSteps);
    TPieceCollector forward(space), backward(space);
    std::vector<Vec2> back;
    dynamics::TraceHooks hooks;
    // The arc comes forward from s = 0, then backward from 0 again: the backward run begins at
    // the first point whose s does not grow. It is drawn from its far end so that the two runs
    // meet at the start point.
    bool backwardRun = false;
    long double lastS = -std::numeric_limits<long double>::infinity();
    hooks.sink = [&](const dynamics::TracePoint& p) {
        backwardRun = backwardRun || p.t <= lastS;
        lastS = p.t;
        if (backwardRun)
            back.push_back({p.position.x, p.position.y});
        else
            forward.AddValue({p.position.x, p.position.y});
    };
    if (env.target.Polling()) hooks.pollKey = [&env] { return env.target.PollKey(); };
    const auto result = dynamics::TraceIntrinsic(env.formula, e, low, high, step,
                                                 TracerSettingsFor(env.target), hooks);
    for (auto it = back.rbegin(); it != back.rend(); ++it) backward.AddValue(*it);
    backward.DrawOn(env.target);
    forward.DrawOn(env.target);
    return result.Key();
}

}  // namespace quorlin::plot2d
