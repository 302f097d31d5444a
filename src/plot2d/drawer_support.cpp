#include "plot2d/drawer_support.h"

#include <algorithm>
#include <cmath>

namespace quorlin::plot2d::detail {

using examples::TEndMark;
using examples::TExample;

bool EvalTree(FormulaContext& ctx, TExprNode* tree, long double& out) {
    if (!tree || !ctx.Evaluate(*tree)) return false;
    out = tree->re;
    return std::isfinite(out);
}

bool EvalTreeAt(FormulaContext& ctx, TExprNode* tree, int slot, long double value,
                long double& out) {
    ctx.SetVar(slot, value);
    return EvalTree(ctx, tree, out);
}

std::pair<long double, long double> ParameterRange(FormulaContext& ctx,
                                                   const examples::TInventoryEntry& entry) {
    const TExample& e = entry.example;
    long double low = e.rangeLow[0], high = e.rangeHigh[0];
    if (e.HasRangeText() && !e.periodic) {
        long double v = 0;
        if (EvalTree(ctx, entry.rangeLow.get(), v)) low = v;
        if (EvalTree(ctx, entry.rangeHigh.get(), v)) high = v;
    }
    return {low, high};
}

std::optional<std::pair<long double, long double>> ExplicitPlotRange(
    FormulaContext& ctx, const examples::TInventoryEntry& entry, const TPlotSpace& space) {
    long double a = space.xLow - space.UnitsPerPixelX();
    long double b = space.xHigh + space.UnitsPerPixelX();
    const TExample& e = entry.example;
    if (e.lockInterval && !e.periodic) {
        auto [low, high] = ParameterRange(ctx, entry);
        if (space.logX) {
            if (!(high > 0)) return std::nullopt;
            low = low > 0 ? std::log10(low) : a;
            high = std::log10(high);
        }
        a = std::max(a, low);
        b = std::min(b, high);
    }
    if (!(b > a)) return std::nullopt;
    return std::make_pair(a, b);
}

long double ExplicitStep(const TExample& e, const TPlotSpace& space) {
    return e.ScaledStep(space.UnitsPerPixelX());
}

long double ParameterStep(const TExample& e, const TPlotSpace& space, long double a,
                          long double b) {
    const long double pixels = std::max(space.width, space.height);
    return e.ScaledStep((b - a) / std::max(pixels, 1.0L));
}

bool CurveDirection(const CurveFunction& f, long double t, long double step, Vec2& direction) {
    const long double h = std::max(std::fabs(step) * 1e-3L, std::fabs(t) * 1e-15L);
    if (!(h > 0)) return false;
    // Central where the curve is defined on both sides, else one-sided.
    Vec2 p, q, m;
    const bool before = f(t - h, p), after = f(t + h, q);
    if (!before || !after) {
        if (!f(t, m) || (!before && !after)) return false;
        (before ? q : p) = m;
    }
    direction = q - p;
    return std::isfinite(direction.x) && std::isfinite(direction.y) &&
           (direction.x != 0 || direction.y != 0);
}

TWorkBudget::TWorkBudget(TDrawTarget& target, int every)
    : target_(target), every_(std::max(every, 1)), start_(std::chrono::steady_clock::now()) {}

bool TWorkBudget::Exhausted() {
    if (exhausted_) return true;
    if (target_.Polling()) {
        if (target_.PollKey() == kKeyStop) {
            key_ = kKeyStop;
            exhausted_ = true;
        }
    } else if (++rounds_ % every_ == 0) {
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start_;
        exhausted_ = spent.count() > kUnpolledSeconds;
    }
    return exhausted_;
}

void TPieceCollector::AddValue(Vec2 value) {
    Vec2 plot;
    if (pipe_.Space().ValueToPlot(value, plot))
        pipe_.Add(plot);
    else
        pipe_.Break();
}

void TPieceCollector::Point(Vec2 plot) {
    if (!open_) pieces_.emplace_back();
    open_ = true;
    pieces_.back().push_back(plot);
}

void TPieceCollector::DrawOn(TDrawTarget& target) {
    pipe_.Finish();
    for (const auto& piece : pieces_) target.Polyline(piece);
    pieces_.clear();
}

void DrawEndMarks(TDrawTarget& target, const TExample& e, const CurveFunction& f, long double a,
                  long double b) {
    for (int end = 0; end < 2; ++end) {
        const TEndMark mark = e.EndMark(end);
        if (mark.shape == TEndMark::Shape::kNone) continue;
        const long double t = end == 0 ? a : b;
        Vec2 p;
        if (!f(t, p)) continue;
        if (mark.shape == TEndMark::Shape::kCircle) {
            target.Marker(p, mark.size, mark.solid);
            continue;
        }
        Vec2 d;
        if (!CurveDirection(f, t, (b - a) / 1000, d)) continue;
        target.Arrow(p, end == 0 ? Vec2{-d.x, -d.y} : d, 3 * mark.size + 6, mark.solid);
    }
}

}  // namespace quorlin::plot2d::detail
