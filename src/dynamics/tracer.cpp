#include "dynamics/tracer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/errors.h"
#include "dynamics/trace_loop.h"
#include "dynamics/value_list.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

namespace {

using examples::TExample;
using examples::TTrajectory;

// Halvings of one step of arc length (after them the step is taken as it is).
constexpr int kMaxHalvings = 40;
// The loop is left once the trajectory has been this many loop tolerances from its start.
constexpr long double kLeaveFactor = 2.0L;
// ... or once it has run this many loop tolerances along its path: an orbit smaller than a
// pixel never gets far from its start, and closes when it comes back to it.
constexpr long double kLeaveByPathFactor = 4.0L;
// A step of arc length may change the field by at most this part of its length.
constexpr long double kLargestChange = 0.5L;
// A remainder this much longer than a step (relatively) is still taken as the last step.
constexpr long double kSliver = 1e-9L;
// Largest number of terms a sequence record can ask for.
constexpr long double kMostTerms = 1e15L;

TraceResult Refused(int error = kErrInconsistentData) {
    TraceResult r;
    r.stop = TraceStop::kRefused;
    r.error = error;
    return r;
}

Vec3 ToVec3(const std::array<long double, 3>& y, int count) {
    return {y[0], count > 1 ? y[1] : 0.0L, count > 2 ? y[2] : 0.0L};
}

long double DistanceToSegment(Vec3 p, Vec3 a, Vec3 b) {
    const Vec3 d = b - a;
    const long double dd = Vec3Dot(d, d);
    long double u = dd > 0 ? Vec3Dot(p - a, d) / dd : 0;
    u = std::clamp(u, 0.0L, 1.0L);
    return Vec3Length(p - (a + u * d));
}

template <typename Count>
long double Norm(const long double* v, Count n) {
    return std::sqrt(SumOfSquares(v, n));
}

// The length of a vector of the given sum of squares. Out of line, so that the compiler does not
// take the square root ahead of the test for fixed steps, which never use it.
[[gnu::noinline]] long double Speed(long double sumOfSquares) {
    return std::sqrt(sumOfSquares);
}

bool AllFinite(const long double* y, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(y[i])) return false;
    return true;
}

// The loop of the tracers that step along x (dy/dx and derx): the view's position codes decide
// where the pen goes down and where the trajectory ends (the caller's step moves x and y).
template <typename Step, typename Position>
void RunAlongX(const AlongXOptions& options, TraceLoop& loop, Step&& step, Position&& position,
               TraceResult& result) {
    Vec3 p = position();
    int code = PointCode(options.view, p.x, p.y);
    loop.Emit({p, p.x, false, code == 0});
    result.end = p;
    result.endTime = p.x;
    const bool runs = options.table || code == 0 || (code == 1 && !options.clip);
    if (!runs) {
        result.stop = TraceStop::kLeftRegion;
        return;
    }
    const long long n = options.table && options.tableSteps >= 2
                            ? options.tableSteps
                            : std::numeric_limits<long long>::max();
    bool visible = code == 0;
    for (long long i = 0; i < n; ++i) {
        const long double xBefore = p.x;
        if (!step()) {
            result.stop = TraceStop::kUndefined;
            return;
        }
        p = position();
        if (p.x == xBefore) {
            result.stop = TraceStop::kStalled;
            return;
        }
        ++result.steps;
        result.end = p;
        result.endTime = p.x;
        code = PointCode(options.view, p.x, p.y);
        const bool ends = !options.table && (code == 2 || (code == 1 && options.clip));
        TracePoint point{p, p.x, false, code == 0};
        if (!options.table) {
            if (visible && code != 0) {
                visible = false;  // the stroke breaks at the edge
            } else if (visible) {
                point.draw = true;
            } else {
                visible = code == 0;  // the pen comes down at the first point back inside
            }
        }
        loop.Emit(point);
        if (ends) {
            result.stop = TraceStop::kLeftRegion;
            return;
        }
        if (auto stop = loop.Tick()) {
            result.stop = *stop;
            return;
        }
    }
    result.stop = TraceStop::kEndReached;
}

// The stop a step of the integrator ends the trace with; none when it stepped.
std::optional<TraceStop> StopAfter(SystemIntegrator::Outcome outcome) {
    switch (outcome) {
        case SystemIntegrator::Outcome::kStepped:
            return std::nullopt;
        case SystemIntegrator::Outcome::kAtEnd:
            return TraceStop::kEndReached;
        case SystemIntegrator::Outcome::kZeroVector:
            return TraceStop::kZeroVector;
        case SystemIntegrator::Outcome::kUndefined:
            return TraceStop::kUndefined;
        case SystemIntegrator::Outcome::kStalled:
            return TraceStop::kStalled;
    }
    return std::nullopt;
}

}  // namespace

TracerSettings TracerSettings::ForPixelSize(long double unitsPerPixel, long double zeroPixels,
                                            long double loopPixels, long double longestPixels) {
    TracerSettings s;
    s.zeroVector = zeroPixels * unitsPerPixel;
    s.loopClosing = loopPixels * unitsPerPixel;
    s.longestStep = longestPixels * unitsPerPixel;
    s.stepLength = unitsPerPixel;
    return s;
}

int CheckStepSize(long double h, long double at) {
    if (!(std::fabs(h) >= kSmallestStep) || !std::isfinite(h)) return kErrInconsistentData;
    if (at + h == at) return kErrInconsistentData;
    return kNoError;
}

bool StartState(FormulaContext& context, const TTrajectory& trajectory, Vec3& start,
                long double& startTime) {
    start = {trajectory.startX, trajectory.startY, trajectory.startZ};
    startTime = trajectory.startTime;
    if (trajectory.kind <= TTrajectory::kFormulaKindOffset) return true;
    std::array<long double*, TTrajectory::kTextCount> targets{&start.x, &start.y, &start.z,
                                                              &startTime};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        TExprNode* tree = trajectory.trees[i].get();
        if (!tree) continue;
        if (!context.Evaluate(*tree)) return false;
        *targets[i] = tree->re;
    }
    return true;
}

int PointCode(const ViewRect& view, long double x, long double y) {
    if (x < view.xLow || x > view.xHigh) return 2;
    return y >= view.yLow && y <= view.yHigh ? 0 : 1;
}

SystemIntegrator::SystemIntegrator(const SystemField& field, Method method, long double fixedStep,
                                   const TracerSettings& settings)
    : field_(field),
      method_(method),
      fixedStep_(fixedStep),
      settings_(settings),
      isRest_(settings.zeroVector) {}

SystemIntegrator::Outcome SystemIntegrator::Advance(long double& t, std::array<long double, 3>& y,
                                                    long double tEnd) {
    // Systems of two, the common case, step with their count known when compiled.
    if (field_.Count() == 2) return AdvanceBy(t, y, tEnd, std::integral_constant<int, 2>{});
    return AdvanceBy(t, y, tEnd, field_.Count());
}

template <typename Count>
SystemIntegrator::Outcome SystemIntegrator::AdvanceBy(long double& t, std::array<long double, 3>& y,
                                                      long double tEnd, Count n) {
    const long double remaining = tEnd - t;
    if (remaining == 0) return Outcome::kAtEnd;
    // Inlined into the stepper, as the field's evaluation is: a call per evaluation would pass
    // the time and the state through memory, which costs as much as a short field's program.
    const auto field = [ this, n ](long double at, const long double* state, long double* slope)
        __attribute__((always_inline)) {
        return field_.Evaluate(at, state, slope, n);
    };
    // The slope at (t, y): kept from the last step when it ended there.
    if (!slopeKept_ || slopeT_ != t || slopeY_ != y) {
        if (!field(t, y.data(), slope_.data())) return Outcome::kUndefined;
    }
    slopeKept_ = false;
    const long double squaredSpeed = SumOfSquares(slope_.data(), n);
    if (isRest_(squaredSpeed)) return Outcome::kZeroVector;

    const long double direction = remaining > 0 ? 1.0L : -1.0L;
    const bool fixed = fixedStep_ != 0;
    // The speed only where a step of arc length needs it.
    const long double speed = fixed ? 0 : Speed(squaredSpeed);
    long double h =
        fixed ? direction * std::fabs(fixedStep_) : direction * settings_.stepLength / speed;
    // The last step lands on the end; a sliver left by rounding joins it.
    bool last = false;
    if (std::fabs(remaining) <= std::fabs(h) * (1 + kSliver)) {
        h = remaining;
        last = true;
    }
    std::array<long double, 3> next = y;
    std::array<long double, kMaxStateSize> nextSlope;  // its first n entries, when known
    bool nextSlopeKnown = false;
    for (int halvings = 0;; ++halvings) {
        next = y;
        if (!OdeStepFrom(method_, field, t, next.data(), n, h, slope_.data()) ||
            !AllFinite(next.data(), n))
            return Outcome::kUndefined;
        if (fixed || halvings >= kMaxHalvings) break;
        // A step of arc length is shortened where it moves too far, or where the field at its
        // end differs from the field at its start by more than half of it: the step overshot a
        // rest point or cut a sharp bend.
        std::array<long double, 3> moved{};
        for (int i = 0; i < n; ++i) moved[i] = next[i] - y[i];
        const bool tooFar =
            settings_.longestStep > 0 && Norm(moved.data(), n) > settings_.longestStep;
        nextSlopeKnown = !tooFar && field(last ? tEnd : t + h, next.data(), nextSlope.data());
        std::array<long double, kMaxStateSize> change;
        for (int i = 0; i < n; ++i) change[i] = nextSlopeKnown ? nextSlope[i] - slope_[i] : 0;
        if (!tooFar && Norm(change.data(), n) <= kLargestChange * speed) break;
        h *= 0.5L;
        last = false;
        nextSlopeKnown = false;
    }
    const long double tNext = last ? tEnd : t + h;
    if (tNext == t || next == y) return Outcome::kStalled;
    t = tNext;
    y = next;
    if (nextSlopeKnown) {
        slope_ = nextSlope;
        slopeT_ = t;
        slopeY_ = y;
        slopeKept_ = true;
    }
    return Outcome::kStepped;
}

TraceResult TraceSystem(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                        int components, const TracerSettings& settings, const TraceHooks& hooks) {
    return TraceSystem(context, example, trajectory, StateSlots::System(components),
                       trajectory.endTime, settings, hooks);
}

TraceResult TraceLevelCurve(FormulaContext& context, TExample& example,
                            const TTrajectory& trajectory, const TracerSettings& settings,
                            const TraceHooks& hooks) {
    const auto slots = StateSlots::Level(trajectory.option1,
                                         {trajectory.startX, trajectory.startY, trajectory.startZ});
    if (!slots) return Refused();
    return TraceSystem(context, example, trajectory, *slots, trajectory.endTime, settings, hooks);
}

TraceResult TraceSystem(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                        const StateSlots& slots, long double endTime,
                        const TracerSettings& settings, const TraceHooks& hooks) {
    auto field = SystemField::FromSelectors(context, example, trajectory.treeOf, slots);
    if (!field || std::isnan(endTime) || !std::isfinite(trajectory.startTime)) return Refused();
    if (trajectory.step != 0 ? CheckStepSize(trajectory.step, trajectory.startTime) != 0
                             : !(settings.stepLength >= kSmallestStep))
        return Refused();

    PlotVariableGuard guard(context);
    TraceResult result;
    Vec3 start;
    long double t = 0;
    if (!StartState(context, trajectory, start, t)) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    std::array<long double, 3> y{};
    slots.ToState(start, y.data());
    start = slots.ToPoint(y.data());
    TraceLoop loop(settings, hooks);
    TracePoint first{start, t, false, true};
    first.inside = loop.Inside(first);
    loop.Emit(first);
    result.end = start;
    result.endTime = t;
    if (!first.inside) {
        result.stop = TraceStop::kLeftRegion;
        return result;
    }

    SystemIntegrator integrator(*field, MethodOf(trajectory.option1), trajectory.step, settings);
    const bool closing = settings.loopClosing > 0;
    bool left = false;
    long double travelled = 0;
    Vec3 previous = start;
    for (;;) {
        if (const auto stop = StopAfter(integrator.Advance(t, y, endTime))) {
            result.stop = *stop;
            return result;
        }
        ++result.steps;
        const Vec3 now = slots.ToPoint(y.data());
        result.end = now;
        result.endTime = t;
        TracePoint point{now, t, true, true};
        point.inside = loop.Inside(point);
        loop.Emit(point);
        if (!point.inside) {
            result.stop = TraceStop::kLeftRegion;
            return result;
        }
        if (closing) {
            travelled += Vec3Dist(now, previous);
            if (!left) {
                left = Vec3Dist(now, start) > kLeaveFactor * settings.loopClosing ||
                       travelled > kLeaveByPathFactor * settings.loopClosing;
            } else if (DistanceToSegment(start, previous, now) < settings.loopClosing) {
                result.stop = TraceStop::kClosed;
                return result;
            }
        }
        if (t == endTime) {
            result.stop = TraceStop::kEndReached;
            return result;
        }
        if (auto stop = loop.Tick()) {
            result.stop = *stop;
            return result;
        }
        previous = now;
    }
}

TraceResult TraceSlope(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                       const AlongXOptions& options, const TracerSettings& settings,
                       const TraceHooks& hooks) {
    PlotVariableGuard guard(context);
    TraceResult result;
    Vec3 start;
    long double unusedTime = 0;
    if (!StartState(context, trajectory, start, unusedTime)) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    if (CheckStepSize(trajectory.step, start.x) != 0) return Refused();
    TExprNode* f = example.trees[2].get();
    if (!f) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    const Method method = MethodOf(trajectory.option1);
    const TreeProgram slope(context, f);
    long double x = start.x;
    long double y = start.y;
    TraceLoop loop(settings, hooks);
    RunAlongX(
        options, loop,
        [&] {
            return DyDxStep(context, slope, method, x, y, trajectory.step, options.infiniteSlopes);
        },
        [&] {
            return Vec3{x, y, 0};
        },
        result);
    return result;
}

TraceResult TraceHigherOrder(FormulaContext& context, TExample& example,
                             const TTrajectory& trajectory, const AlongXOptions& options,
                             const TracerSettings& settings, const TraceHooks& hooks) {
    const int order = example.order;
    if (order < 1 || order > kMaxStateSize) return Refused();
    if (CheckStepSize(trajectory.step, trajectory.startTime) != 0) return Refused();
    ValueList values = ParseValueList(context, trajectory.texts[0]);
    if (values.error != 0) return Refused(values.error);
    if (static_cast<int>(values.trees.size()) < order) return Refused();

    PlotVariableGuard guard(context);
    TraceResult result;
    TExprNode* f = example.trees[2].get();
    std::array<long double, kMaxStateSize> y{};
    for (int k = 0; k < order; ++k) {
        TExprNode& value = *values.trees[static_cast<std::size_t>(k)];
        if (!context.Evaluate(value)) {
            result.stop = TraceStop::kUndefined;
            return result;
        }
        y[static_cast<std::size_t>(k)] = value.re;
    }
    if (!f) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    const HigherOrderField field(context, *f, order);
    const Method method = MethodOf(trajectory.option1);
    long double x = trajectory.startTime;
    TraceLoop loop(settings, hooks);
    RunAlongX(
        options, loop,
        [&] {
            std::array<long double, kMaxStateSize> next = y;
            if (!OdeStep(method, field, x, next.data(), order, trajectory.step) ||
                !AllFinite(next.data(), order))
                return false;
            y = next;
            x += trajectory.step;
            return true;
        },
        [&] {
            return Vec3{x, y[0], order > 1 ? y[1] : 0.0L};
        },
        result);
    return result;
}

TraceResult TraceSequence(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                          int components, const TracerSettings& settings, const TraceHooks& hooks) {
    return TraceSequence(context, example, trajectory, components, trajectory.endTime, settings,
                         hooks);
}

TraceResult TraceSequence(FormulaContext& context, TExample& example, const TTrajectory& trajectory,
                          int components, long double terms, const TracerSettings& settings,
                          const TraceHooks& hooks) {
    const int count = std::clamp(components, 1, 3);
    PlotVariableGuard guard(context);
    TraceResult result;
    Vec3 start;
    long double unusedTime = 0;
    if (!StartState(context, trajectory, start, unusedTime)) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    std::array<long double, 3> x{start.x, count > 1 ? start.y : 0.0L, count > 2 ? start.z : 0.0L};
    const long double wanted = terms >= 0 ? std::round(terms) : 0.0L;
    const long long last = static_cast<long long>(std::min(wanted, kMostTerms));

    TraceLoop loop(settings, hooks);
    TracePoint first{ToVec3(x, count), 0, false, true};
    first.inside = loop.Inside(first);
    loop.Emit(first);
    result.end = first.position;
    static constexpr std::array<int, 3> kSlots{slot::kX, slot::kY, slot::kZ};
    const std::array<TreeProgram, 3> maps{TreeProgram(context, example.trees[0].get()),
                                          TreeProgram(context, example.trees[1].get()),
                                          TreeProgram(context, example.trees[2].get())};
    for (long long k = 1; k <= last; ++k) {
        for (int i = 0; i < count; ++i) context.SetVar(kSlots[static_cast<std::size_t>(i)], x[i]);
        context.SetVar(slot::kT, static_cast<long double>(k - 1));
        std::array<long double, 3> next = x;
        for (int i = 0; i < count; ++i) {
            if (!maps[static_cast<std::size_t>(i)].Evaluate(next[static_cast<std::size_t>(i)])) {
                result.stop = TraceStop::kUndefined;
                return result;
            }
        }
        x = next;
        ++result.steps;
        TracePoint point{ToVec3(x, count), static_cast<long double>(k), true, true};
        point.inside = loop.Inside(point);
        loop.Emit(point);
        result.end = point.position;
        result.endTime = point.t;
        if (k == last) break;
        if (auto stop = loop.Tick()) {
            result.stop = *stop;
            return result;
        }
    }
    result.stop = TraceStop::kEndReached;
    return result;
}

}  // namespace quorlin::dynamics
