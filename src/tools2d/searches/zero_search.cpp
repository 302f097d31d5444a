#include "tools2d/searches/zero_search.h"

#include <algorithm>
#include <cmath>

#include "formula/root_finder.h"
#include "formula/slot_guard.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr long double kOneOver101 = 1.0L / TZeroSearch::kSubintervals;
constexpr long double kRelativeTolerance = 1e-16L;
constexpr long double kVerticalSlope = 1e-16L;  // |b| / |a| of a line the drawer draws upright

}  // namespace

TZeroResult TZeroSearch::Next(FormulaContext& f, examples::TExampleCompiler& compiler,
                              examples::TExample& e, int i, TXRange view, long double halfHeight) {
    // An explicit curve is scanned where it is drawn; a line is drawn across the whole view.
    TXRange range = e.kind == k::kExplicit ? DrawnXRange(e, view) : view;
    if (e.kind == k::kLine) {
        // ax + by = c is vertical where the drawer draws it so: x = c / a for every y.
        long double abc[3] = {};
        for (int t = 0; t < 3; ++t) {
            TExprNode* tree = e.Tree(t + 1).get();
            if (!tree || !f.Evaluate(*tree)) return {};
            abc[t] = tree->re;
        }
        const auto [a, b, c] = abc;
        if (std::fabs(b) <= kVerticalSlope * std::fabs(a))
            return a != 0 ? TZeroResult{TZeroOutcome::Found, c / a} : TZeroResult{};
    } else if (e.kind == k::kSegment) {
        Vec2 p1;
        Vec2 p2;
        if (compiler.EvalEndPoints(i, p1, p2) != 0) return {};
        if (p1.x == p2.x) {
            // Vertical: a zero when its ends lie on both sides of y = 0.
            if (std::min(p1.y, p2.y) > 0 || std::max(p1.y, p2.y) < 0) return {};
            return {TZeroOutcome::Found, p1.x};
        }
        range = {std::min(p1.x, p2.x), std::max(p1.x, p2.x)};
    }
    if (!(range.high > range.low)) return {};
    return Scan(f, e, range.low, range.high, halfHeight);
}

TZeroResult TZeroSearch::Scan(FormulaContext& f, examples::TExample& e, long double low,
                              long double high, long double halfHeight) {
    TExprNode* function = e.Tree(e.kind == k::kExplicit ? 2 : 7).get();
    TExprNode* slope = e.Tree(6).get();
    if (!function) return {};
    const TSlotGuard guard(f, {slot::kX});
    const long double w = (high - low) * kOneOver101;
    f.rootTolerance = (high - low) * kRelativeTolerance;
    int touches = 0;
    for (int tried = 0; tried < kSubintervals; ++tried) {
        const long double a = low + w * position_;
        const long double b = a + w;
        position_ = (position_ + 1) % kSubintervals;
        long double root = 0;
        long double value = 0;
        const int code = f.FindRootInInterval(*function, slot::kX, a, root, b);
        if (code == rootfind::kEndTouch) {
            ++touches;
            continue;
        }
        if (code == rootfind::kFound) {
            if (f.EvalAtReal(*function, slot::kX, root, value) && std::fabs(value) < halfHeight)
                return {TZeroOutcome::Found, root};
            continue;
        }
        // No sign change: a zero of even multiplicity is a zero of the slope where the
        // function is flat on the axis.
        if (slope && f.FindRootInInterval(*slope, slot::kX, a, root, b) == rootfind::kFound &&
            f.EvalAtReal(*function, slot::kX, root, value) && std::fabs(value) < f.rootTolerance)
            return {TZeroOutcome::Found, root};
    }
    return {touches > kMostTouches ? TZeroOutcome::TooMany : TZeroOutcome::NotFound, 0};
}

}  // namespace quorlin::tools2d
