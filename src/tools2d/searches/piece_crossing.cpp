#include "tools2d/searches/piece_crossing.h"

#include <cmath>
#include <optional>

#include "dynamics/trajectories.h"
#include "formula/slot_guard.h"

namespace quorlin::tools2d {

namespace {

constexpr long double kOnCurve = 1e-16L;
constexpr int kMostHalvings = 101;
constexpr int kUndefined = 1;
constexpr int kNoSignChange = 104;

// F at the point, or nothing where it is undefined.
std::optional<long double> ValueAt(FormulaContext& context, TExprNode& f, Vec2 p) {
    context.SetVar(slot::kX, p.x);
    context.SetVar(slot::kY, p.y);
    if (!context.Evaluate(f) || !std::isfinite(f.re)) return std::nullopt;
    return f.re;
}

}  // namespace

TPieceCrossing FindPieceCrossing(FormulaContext& context, examples::TExample& curve,
                                 const examples::TTrajectory& piece, TExprNode& f,
                                 const dynamics::TracerSettings& settings) {
    const TSlotGuard keep(context, {slot::kX, slot::kY});
    TPieceCrossing found;
    found.at = {piece.startX, piece.startY};
    const std::optional<long double> first = ValueAt(context, f, found.at);
    const dynamics::TraceResult whole =
        dynamics::TrajectoryEndPoint(context, curve, piece, settings);
    found.end = whole.end;
    if (!first || whole.stop != dynamics::TraceStop::kEndReached)
        return {kUndefined, found.at, found.end};
    const bool onCurve = std::fabs(*first) < kOnCurve;
    const bool above = *first > 0;
    const std::optional<long double> last = ValueAt(context, f, {whole.end.x, whole.end.y});
    if (!last) return {kUndefined, found.at, found.end};
    if (std::fabs(*last) < kOnCurve) return {0, {whole.end.x, whole.end.y}, found.end};
    if ((*last > 0) == above) return {onCurve ? -1 : kNoSignChange, found.at, found.end};
    // The sign changes along the piece: halve the span from a start that keeps F's first sign.
    examples::TTrajectory part = piece.Clone();
    long double span = piece.endTime - piece.startTime;
    for (int k = 0; k < kMostHalvings; ++k) {
        span /= 2;
        part.endTime = part.startTime + span;
        const dynamics::TraceResult step =
            dynamics::TrajectoryEndPoint(context, curve, part, settings);
        const std::optional<long double> value = step.stop == dynamics::TraceStop::kEndReached
                                                     ? ValueAt(context, f, {step.end.x, step.end.y})
                                                     : std::nullopt;
        if (!value) return {kUndefined, found.at, found.end};
        if ((*value > 0) != above) continue;
        part.startX = step.end.x;
        part.startY = step.end.y;
        part.startTime = part.endTime;
        found.at = {step.end.x, step.end.y};
    }
    found.result = 0;
    return found;
}

}  // namespace quorlin::tools2d
