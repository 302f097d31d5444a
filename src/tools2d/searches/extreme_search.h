#pragma once
// The search of the extreme-values tool: one per request, the next point of an explicit, polar
// or parametric curve where a chosen coordinate (x, y, r, or for y = f(x) the slope y') has a
// local extreme, found as a zero of that coordinate's derivative along the curve's parameter.
// A request scans the range in 101 equal subintervals, going on from where the last stopped; an
// explicit curve with a locked range also reports its ends: the left end, the interior extremes
// from left to right, the right end, then the left end again.
#include <optional>
#include <span>
#include <string_view>

#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "tools2d/searches/drawn_range.h"

namespace quorlin::tools2d {

enum class TExtremeTarget { X, Y, R, Slope };

// A target on curves of one kind: its name in the list, the tree whose zeros are sought, the
// suffix of the entry's caption, the entry's mark code and how many coordinates it records.
struct TExtremeTargetRow {
    TExtremeTarget target;
    std::string_view name;
    int tree;
    std::string_view suffix;
    int marker;
    int count;
};

// The targets of curves of the kind, in list order (none for another kind).
std::span<const TExtremeTargetRow> ExtremeTargetsOf(int kind);

// The coordinates a result can hand over, in list order, each with the index of its value.
struct TExtremeCoordinate {
    std::string_view name;
    int value;  // into TExtremePoint::values: x, y, third, t
};
std::span<const TExtremeCoordinate> ExtremeCoordinatesOf(int kind);

struct TExtremePoint {
    // x, y, the third value (y' of an explicit curve, else r) and the parameter t.
    std::array<long double, 4> values{};
};

class TExtremeSearch {
public:
    static constexpr int kSubintervals = 101;

    void Restart() {
        position_ = 0;
        endState_ = 0;
    }
    int Position() const { return position_; }

    // The next extreme of the row's target on the curve; none after a whole round without one.
    // An explicit curve is scanned where it is drawn: over its locked range, else over the
    // view's x-range `view`; a curve in t over its t-range. The curve's variable is given back;
    // the context's root tolerance becomes the range's width x 1e-16.
    std::optional<TExtremePoint> Next(FormulaContext& f, examples::TExample& e,
                                      const TExtremeTargetRow& target, TXRange view);

private:
    // The parameter value of the next find, or none.
    std::optional<long double> NextParameter(FormulaContext& f, examples::TExample& e,
                                             TExprNode& tree, int variable, TXRange range);

    int position_ = 0;
    int endState_ = 0;  // -1 the left end was just reported, 1 the right end, 0 scanning
};

// The point of the curve at parameter v (x for an explicit curve, else t); none where it is
// undefined. The variable is given back.
std::optional<TExtremePoint> ExtremePointAt(FormulaContext& f, examples::TExample& e,
                                            long double v);

}  // namespace quorlin::tools2d
