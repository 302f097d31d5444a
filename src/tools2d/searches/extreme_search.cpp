#include "tools2d/searches/extreme_search.h"

#include <cmath>

#include "formula/root_finder.h"
#include "formula/slot_guard.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

using T = TExtremeTarget;

// Trees of the curves: 5 dx/dparameter, 6 dy/dparameter, 7 dr/dt (polar and parametric) or
// d2y/dx2 (explicit).
constexpr TExtremeTargetRow kExplicitTargets[] = {
    {T::Y, "Y", 6, " y: (x,y)", 30, 2},
    {T::Slope, "Y'", 7, " y': (x,y,y')", 34, 3},
};
constexpr TExtremeTargetRow kCurveTargets[] = {
    {T::X, "X", 5, " x: (x,y,r,t)", 32, 4},
    {T::Y, "Y", 6, " y: (x,y,r,t)", 31, 4},
    {T::R, "R", 7, " r: (x,y,r,t)", 33, 4},
};
constexpr TExtremeCoordinate kExplicitCoordinates[] = {{"X", 0}, {"Y", 1}, {"Y'", 2}};
constexpr TExtremeCoordinate kCurveCoordinates[] = {{"X", 0}, {"Y", 1}, {"R", 2}, {"T", 3}};

constexpr long double kOneOver101 = 1.0L / TExtremeSearch::kSubintervals;
constexpr long double kRelativeTolerance = 1e-16L;
constexpr long double kZeroSquare = 1e-16L;  // x^2 + y^2 below this: r = 0

bool IsCurve(int kind) {
    return kind == k::kPolar || kind == k::kParametric;
}

bool EvalTree(FormulaContext& f, TExprNode* tree, long double& out) {
    if (!tree || !f.Evaluate(*tree)) return false;
    out = tree->re;
    return true;
}

}  // namespace

std::span<const TExtremeTargetRow> ExtremeTargetsOf(int kind) {
    if (kind == k::kExplicit) return kExplicitTargets;
    if (IsCurve(kind)) return kCurveTargets;
    return {};
}

std::span<const TExtremeCoordinate> ExtremeCoordinatesOf(int kind) {
    if (kind == k::kExplicit) return kExplicitCoordinates;
    if (IsCurve(kind)) return kCurveCoordinates;
    return {};
}

std::optional<TExtremePoint> ExtremePointAt(FormulaContext& f, examples::TExample& e,
                                            long double v) {
    const bool explicitCurve = e.kind == k::kExplicit;
    const int variable = explicitCurve ? slot::kX : slot::kT;
    const TSlotGuard guard(f, {variable});
    f.SetVar(variable, v);
    TExtremePoint p;
    auto& [x, y, third, t] = p.values;
    if (explicitCurve) {
        x = v;
        if (!EvalTree(f, e.Tree(2).get(), y) || !EvalTree(f, e.Tree(6).get(), third))
            return std::nullopt;
        return p;
    }
    t = v;
    if (!EvalTree(f, e.Tree(1).get(), x) || !EvalTree(f, e.Tree(2).get(), y) ||
        !EvalTree(f, e.Tree(3).get(), third))
        return std::nullopt;
    if (e.kind == k::kParametric) third = third < kZeroSquare ? 0 : std::sqrt(third);
    return p;
}

std::optional<TExtremePoint> TExtremeSearch::Next(FormulaContext& f, examples::TExample& e,
                                                  const TExtremeTargetRow& target, TXRange view) {
    TExprNode* tree = e.Tree(target.tree).get();
    if (!tree) return std::nullopt;
    const int variable = e.kind == k::kExplicit ? slot::kX : slot::kT;
    const TXRange range =
        e.kind == k::kExplicit ? DrawnXRange(e, view) : TXRange{e.rangeLow[0], e.rangeHigh[0]};
    const std::optional<long double> v = NextParameter(f, e, *tree, variable, range);
    if (!v) return std::nullopt;
    return ExtremePointAt(f, e, *v);
}

std::optional<long double> TExtremeSearch::NextParameter(FormulaContext& f, examples::TExample& e,
                                                         TExprNode& tree, int variable,
                                                         TXRange range) {
    // The ends of a range that is the curve's own are reported too.
    const bool ends = e.kind == k::kExplicit && e.lockInterval && !e.periodic;
    const auto [low, high] = range;
    if (!(high > low)) return std::nullopt;
    const long double w = (high - low) * kOneOver101;
    f.rootTolerance = (high - low) * kRelativeTolerance;
    const TSlotGuard guard(f, {variable});
    std::optional<long double> found;
    for (int tried = 0; tried < kSubintervals && !found;) {
        if (ends && position_ == 0) {
            if (endState_ < 0) {
                endState_ = 0;
            } else {
                endState_ = -1;
                return low;
            }
        }
        if (endState_ == 0 && position_ < kSubintervals) {
            const bool last = position_ + 1 == kSubintervals;
            const long double a = low + w * position_;
            const long double b = last ? high : low + w * (position_ + 1);
            long double root = 0;
            const int code = f.FindRootInInterval(tree, variable, a, root, b);
            // A zero on the boundary of two subintervals belongs to the one it starts, which
            // finds it again: found at the end of this one it would be reported twice.
            const bool startsNext = root == b && !last;
            // An extreme on an end of the curve's own range is reported as that end.
            const bool anEnd = ends && (root == low || root == high);
            if (((code == rootfind::kFound && !startsNext) ||
                 (code == rootfind::kEndTouch && root == a)) &&
                !anEnd)
                found = root;
            ++tried;
            ++position_;
        }
        if (position_ >= kSubintervals) {
            if (!ends) {
                position_ = 0;
            } else if (endState_ <= 0 && !found) {
                endState_ = 1;
                return high;
            } else if (endState_ == 1) {
                position_ = 0;
                endState_ = 0;
            }
        }
    }
    return found;
}

}  // namespace quorlin::tools2d
