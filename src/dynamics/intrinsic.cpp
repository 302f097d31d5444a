#include "dynamics/intrinsic.h"

#include <algorithm>
#include <cmath>

#include "dynamics/field.h"
#include "dynamics/trace_loop.h"
#include "formula/opcodes.h"

namespace quorlin::dynamics {

namespace {

using examples::TExample;

// A step is divided until kappa times its length is at most this (the frame turns that far).
constexpr long double kLargestTurn = 0.1L;
constexpr int kMostSubsteps = 256;
// Arc-length steps of a point query: the length in this many steps, none shorter than below.
constexpr long double kPointQuerySteps = 1024;
constexpr long double kShortestQueryStep = 1e-4L;

struct FrenetRates {
    Vec3 position;
    Vec3 tangent;
    Vec3 normal;
    Vec3 binormal;
};

FrenetRates Rates(const FrenetState& f, long double kappa, long double tau) {
    return {f.tangent, kappa * f.normal, tau * f.binormal - kappa * f.tangent, -tau * f.normal};
}

FrenetState Moved(const FrenetState& f, const FrenetRates& r, long double h) {
    return {f.position + h * r.position, f.tangent + h * r.tangent, f.normal + h * r.normal,
            f.binormal + h * r.binormal};
}

bool CurvatureAt(FormulaContext& context, const TreeProgram& curvature, const TreeProgram* torsion,
                 long double s, long double& kappa, long double& tau) {
    context.SetVar(slot::kS, s);
    long double k = 0, t = 0;
    if (!curvature.Evaluate(k) || (torsion && !torsion->Evaluate(t))) return false;
    kappa = k;
    tau = t;
    return true;
}

bool RK4Step(FormulaContext& context, const TreeProgram& curvature, const TreeProgram* torsion,
             FrenetState& state, long double s, long double h) {
    long double k0 = 0, t0 = 0, kHalf = 0, tHalf = 0, k1 = 0, t1 = 0;
    if (!CurvatureAt(context, curvature, torsion, s, k0, t0) ||
        !CurvatureAt(context, curvature, torsion, s + 0.5L * h, kHalf, tHalf) ||
        !CurvatureAt(context, curvature, torsion, s + h, k1, t1))
        return false;
    const FrenetRates r1 = Rates(state, k0, t0);
    const FrenetRates r2 = Rates(Moved(state, r1, 0.5L * h), kHalf, tHalf);
    const FrenetRates r3 = Rates(Moved(state, r2, 0.5L * h), kHalf, tHalf);
    const FrenetRates r4 = Rates(Moved(state, r3, h), k1, t1);
    const long double sixth = h / 6.0L;
    const auto combine = [sixth](Vec3 v, Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
        return v + sixth * (a + 2.0L * b + 2.0L * c + d);
    };
    state.position = combine(state.position, r1.position, r2.position, r3.position, r4.position);
    state.tangent = combine(state.tangent, r1.tangent, r2.tangent, r3.tangent, r4.tangent);
    state.normal = combine(state.normal, r1.normal, r2.normal, r3.normal, r4.normal);
    state.binormal = combine(state.binormal, r1.binormal, r2.binormal, r3.binormal, r4.binormal);
    return true;
}

bool Evaluate(FormulaContext& context, TExprNode* tree, long double& out) {
    if (!tree || !context.Evaluate(*tree)) return false;
    out = tree->re;
    return true;
}

bool EvaluateVector(FormulaContext& context, TExprNode* tree, Vec3& out) {
    long double v[3];
    if (!tree || context.EvalVector3(*tree, v) != 0) return false;
    out = {v[0], v[1], v[2]};
    return true;
}

// The frame from a start tangent and a wished normal: T normalised, N made perpendicular to
// T (any perpendicular when the wish is parallel to T), B = T x N.
bool MakeFrame(Vec3 position, Vec3 tangent, Vec3 normal, FrenetState& out) {
    if (!Vec3Normalize(tangent)) return false;
    normal = normal - Vec3Dot(normal, tangent) * tangent;
    if (!Vec3Normalize(normal)) {
        Vec3 other;
        Vec3PerpendicularPair(tangent, false, normal, other);
        if (!Vec3Normalize(normal)) return false;
    }
    out = {position, tangent, normal, Vec3Cross(tangent, normal)};
    return true;
}

}  // namespace

bool IntrinsicRK4Step(FormulaContext& context, TExprNode& curvature, TExprNode* torsion,
                      FrenetState& state, long double s, long double h) {
    const TreeProgram kappa(context, &curvature);
    const std::optional<TreeProgram> tau =
        torsion ? std::optional<TreeProgram>(std::in_place, context, torsion) : std::nullopt;
    return RK4Step(context, kappa, tau ? &*tau : nullptr, state, s, h);
}

IntrinsicCurve::IntrinsicCurve(FormulaContext& context, TExprNode& curvature, TExprNode* torsion,
                               const FrenetState& start)
    : context_(&context), curvature_(context, &curvature), start_(start) {
    if (torsion) torsion_.emplace(context, torsion);
}

std::optional<IntrinsicCurve> IntrinsicCurve::FromExample(FormulaContext& context,
                                                          TExample& example) {
    TExprNode* curvature = example.trees[0].get();
    if (!curvature) return std::nullopt;
    context.SetVar(slot::kS, 0.0L);
    FrenetState start;
    if (example.kind == examples::kind::kSpaceIntrinsic) {
        TExprNode* torsion = example.trees[1].get();
        TExprNode* vectors = example.trees[2].get();
        if (!torsion || !vectors || vectors->op != op::kVector3) return std::nullopt;
        Vec3 p, t, n;
        if (!EvaluateVector(context, vectors->child[0].get(), p) ||
            !EvaluateVector(context, vectors->child[1].get(), t) ||
            !EvaluateVector(context, vectors->child[2].get(), n) || !MakeFrame(p, t, n, start))
            return std::nullopt;
        return IntrinsicCurve(context, *curvature, torsion, start);
    }
    long double x = 0, y = 0, tx = 0, ty = 0;
    if (!Evaluate(context, example.trees[1].get(), x) ||
        !Evaluate(context, example.trees[2].get(), y) ||
        !Evaluate(context, example.trees[3].get(), tx) ||
        !Evaluate(context, example.trees[4].get(), ty) ||
        !MakeFrame({x, y, 0}, {tx, ty, 0}, {-ty, tx, 0}, start))
        return std::nullopt;
    return IntrinsicCurve(context, *curvature, nullptr, start);
}

bool IntrinsicCurve::Advance(FrenetState& state, long double& s, long double target,
                             long double step) const {
    step = std::fabs(step);
    if (!(step > 0)) step = std::fabs(target - s);
    while (s != target) {
        const long double goal = std::fabs(target - s) <= step ? target
                                 : target > s                  ? s + step
                                                               : s - step;
        if (goal == s) return false;  // the step no longer advances s
        long double kappa = 0, tau = 0;
        const TreeProgram* torsion = torsion_ ? &*torsion_ : nullptr;
        if (!CurvatureAt(*context_, curvature_, torsion, s, kappa, tau)) return false;
        const long double turn = std::fabs(goal - s) * std::max(std::fabs(kappa), std::fabs(tau));
        const int pieces = static_cast<int>(std::clamp(std::ceil(turn / kLargestTurn), 1.0L,
                                                       static_cast<long double>(kMostSubsteps)));
        const long double sub = (goal - s) / pieces;
        for (int i = 0; i < pieces; ++i) {
            FrenetState moved = state;
            if (!RK4Step(*context_, curvature_, torsion, moved, s, sub)) return false;
            state = moved;
            s = i + 1 == pieces ? goal : s + sub;
        }
    }
    return true;
}

bool IntrinsicPoint2D(FormulaContext& context, TExample& example, long double s, Vec2& position,
                      Vec2& direction) {
    FrenetState frame;
    if (!IntrinsicPoint3D(context, example, s, frame)) return false;
    position = {frame.position.x, frame.position.y};
    direction = {frame.tangent.x, frame.tangent.y};
    const long double length = std::hypot(direction.x, direction.y);
    if (length > 0) direction = (1.0L / length) * direction;
    return true;
}

bool IntrinsicPoint3D(FormulaContext& context, TExample& example, long double s, FrenetState& out) {
    PlotVariableGuard guard(context);
    const auto curve = IntrinsicCurve::FromExample(context, example);
    if (!curve) return false;
    FrenetState state = curve->Start();
    long double at = 0;
    const long double step = std::max(std::fabs(s) / kPointQuerySteps, kShortestQueryStep);
    if (!curve->Advance(state, at, s, step)) return false;
    out = state;
    return true;
}

long double IntrinsicBasicStep(long double size) {
    constexpr long double kStepsPerBox = 500;
    constexpr long double kSmallestSize = 1e-6L;
    return std::max(size, kSmallestSize) / kStepsPerBox;
}

long double IntrinsicDrawingStep(const TExample& example, long double size) {
    return example.ScaledStep(IntrinsicBasicStep(size));
}

TraceResult TraceIntrinsic(FormulaContext& context, TExample& example, long double sLow,
                           long double sHigh, long double step, const TracerSettings& settings,
                           const TraceHooks& hooks) {
    TraceResult result;
    if (!(std::fabs(step) >= kSmallestStep) || !std::isfinite(sLow) || !std::isfinite(sHigh)) {
        result.stop = TraceStop::kRefused;
        result.error = CheckStepSize(step);
        return result;
    }
    PlotVariableGuard guard(context);
    const auto curve = IntrinsicCurve::FromExample(context, example);
    if (!curve) {
        result.stop = TraceStop::kUndefined;
        return result;
    }
    TraceLoop loop(settings, hooks);
    // One arc from 0 towards an end; points are handed on where s lies in [sLow, sHigh].
    const auto arc = [&](long double end) -> std::optional<TraceStop> {
        FrenetState state = curve->Start();
        long double s = 0;
        bool penDown = false;
        const long double h = end >= 0 ? std::fabs(step) : -std::fabs(step);
        for (;;) {
            if (s >= sLow && s <= sHigh) {
                TracePoint p{state.position, s, penDown, true};
                p.inside = loop.Inside(p);
                loop.Emit(p);
                penDown = true;
                result.end = state.position;
                result.endTime = s;
            }
            if (s == end) return std::nullopt;
            const long double target = (end - s) / h <= 1 ? end : s + h;
            if (target == s) return TraceStop::kStalled;
            if (!curve->Advance(state, s, target, step)) return TraceStop::kUndefined;
            ++result.steps;
            if (auto stop = loop.Tick()) return stop;
        }
    };
    std::optional<TraceStop> stop;
    if (sHigh > 0) stop = arc(sHigh);
    if (!stop && sLow < 0) stop = arc(sLow);
    result.stop = stop.value_or(TraceStop::kEndReached);
    return result;
}

}  // namespace quorlin::dynamics
