// The extremes of explicit, polar and parametric curves against their closed forms, one per
// request: the ends of a locked range in their turn, each extreme once per round even on the
// boundary of two subintervals, the inflection points as extremes of the slope, r of a polar
// curve and y of an ellipse; an explicit curve scanned where it is drawn now.
#include "tools2d/searches/extreme_search.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "examples/compile_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;

class ExtremeSearchTest : public examples::CompileTest {
protected:
    int Curve(int kind, long double low, long double high, std::initializer_list<const char*> texts,
              bool locked = false) {
        // The range text is in force for curves in t and locked explicit ones.
        char range[96];
        std::snprintf(range, sizeof range, "%.21Lg;%.21Lg", low, high);
        return Add(kind, texts, [&](examples::TExample& e) {
            e.rangeLow[0] = low;
            e.rangeHigh[0] = high;
            e.lockInterval = locked ? 1 : 0;
            if (locked || kind != k::kExplicit) e.Text(7) = range;
        });
    }
    const TExtremeTargetRow& Row(int i, TExtremeTarget target) {
        for (const TExtremeTargetRow& row : ExtremeTargetsOf(Ex(i).kind))
            if (row.target == target) return row;
        ADD_FAILURE() << "no such target";
        return ExtremeTargetsOf(k::kExplicit)[0];
    }
    TExtremeSearch search;
};

struct ExtremeRow {
    int kind;
    std::initializer_list<const char*> texts;
    long double low, high;
    bool locked;
    TExtremeTarget target;
    // (parameter, shown value) of successive requests: x or t, and the target's coordinate
    std::vector<std::pair<long double, long double>> finds;
};

TEST_F(ExtremeSearchTest, SuccessiveRequestsGiveTheExtremesInTurn) {
    using T = TExtremeTarget;
    const long double h = kPi / 2;
    const ExtremeRow rows[] = {
        // Locked: left end, the minimum, right end, the left end again.
        {k::kExplicit, {"", "x^2"}, -1, 2, true, T::Y, {{-1, 1}, {0, 0}, {2, 4}, {-1, 1}}},
        {k::kExplicit, {"", "x^2"}, -1, 2, false, T::Y, {{0, 0}, {0, 0}}},
        // On the boundary of two subintervals: found once per round, a minimum or a maximum.
        {k::kExplicit, {"", "(x-1)^2+3"}, 0, 101, false, T::Y, {{1, 3}, {1, 3}}},
        {k::kExplicit, {"", "3-(x-1)^2"}, 0, 101, false, T::Y, {{1, 3}, {1, 3}}},
        {k::kExplicit,
         {"", "-x^2"},
         -50,
         51,
         true,
         T::Y,
         {{-50, -2500}, {0, 0}, {51, -2601}, {-50, -2500}}},
        {k::kExplicit,
         {"", "x^2"},
         -50,
         51,
         true,
         T::Y,
         {{-50, 2500}, {0, 0}, {51, 2601}, {-50, 2500}}},
        // An extreme on an end of a locked range is that end, reported once per round.
        {k::kExplicit, {"", "(x-0.5)^2"}, 0.5L, 3, true, T::Y, {{0.5L, 0}, {3, 6.25L}, {0.5L, 0}}},
        {k::kExplicit, {"", "1-(x+1)^2"}, -3, -1, true, T::Y, {{-3, -3}, {-1, 1}, {-3, -3}}},
        {k::kExplicit, {"", "(x+1)^2"}, -3, -1, true, T::Y, {{-3, 4}, {-1, 0}, {-3, 4}}},
        {k::kExplicit, {"", "1-(x-0.5)^2"}, 0.5L, 3, true, T::Y, {{0.5L, 1}, {3, -5.25L}}},
        // Inflection points of sin x, with the slope there.
        {k::kExplicit, {"", "sin(x)"}, -1, 7, false, T::Slope, {{0, 1}, {kPi, -1}, {2 * kPi, 1}}},
        {k::kPolar, {"", "", "2+cos(t)"}, -1, 5, false, T::R, {{0, 3}, {kPi, 1}, {0, 3}}},
        {k::kParametric, {"2*cos(t)", "sin(t)"}, 0, 2 * kPi, false, T::Y, {{h, 1}, {3 * h, -1}}},
        {k::kParametric, {"2*cos(t)", "sin(t)"}, 0.5L, 4, false, T::X, {{kPi, -2}, {kPi, -2}}},
        // r of the ellipse: longest on the x-axis, shortest on the y-axis.
        {k::kParametric, {"2*cos(t)", "sin(t)"}, -1, 3, false, T::R, {{0, 2}, {h, 1}, {0, 2}}},
    };
    for (const ExtremeRow& row : rows) {
        SCOPED_TRACE(row.texts.begin()[row.kind == k::kPolar ? 2 : 1]);
        search.Restart();
        const int i = Curve(row.kind, row.low, row.high, row.texts, row.locked);
        const TExtremeTargetRow& target = Row(i, row.target);
        ctx.SetVar(slot::kX, 7);
        ctx.SetVar(slot::kT, 8);
        for (const auto& [parameter, value] : row.finds) {
            // An unlocked curve is drawn across the view, which shows the same range here.
            const std::optional<TExtremePoint> p =
                search.Next(ctx, Ex(i), target, {row.low, row.high});
            ASSERT_TRUE(p);
            const auto& [x, y, third, t] = p->values;
            EXPECT_NEAR(row.kind == k::kExplicit ? x : t, parameter, 1e-9L);
            const long double shown[] = {x, y, third, third};  // X, Y, R, Y'
            EXPECT_NEAR(shown[static_cast<int>(row.target)], value, 1e-9L);
        }
        EXPECT_EQ(ctx.Var(slot::kX), 7);
        EXPECT_EQ(ctx.Var(slot::kT), 8);
    }
}

struct DrawnRow {
    const char* name;
    const char* f;
    bool locked;  // to the range -5 .. 5 it was made with
    TXRange view;
    std::vector<long double> finds;  // x of successive requests; empty: none
};

TEST_F(ExtremeSearchTest, AnExplicitCurveIsScannedWhereItIsDrawnNow) {
    // Made in the view -5 .. 5, which the curve keeps as its range; the view then moved.
    const DrawnRow rows[] = {
        {"zoomed out: the minimum came into view", "(x-7)^2", false, {-10, 12}, {7, 7}},
        {"moved right: the minimum left the view", "(x+2)^2", false, {-1, 8}, {}},
        {"a locked range stays the curve's own", "(x-7)^2", true, {-10, 12}, {-5, 5, -5}},
    };
    for (const DrawnRow& row : rows) {
        SCOPED_TRACE(row.name);
        search.Restart();
        const int i = Curve(k::kExplicit, -5, 5, {"", row.f}, row.locked);
        const TExtremeTargetRow& target = Row(i, TExtremeTarget::Y);
        for (const long double x : row.finds) {
            const std::optional<TExtremePoint> p = search.Next(ctx, Ex(i), target, row.view);
            ASSERT_TRUE(p);
            EXPECT_NEAR(p->values[0], x, 1e-9L);
        }
        if (row.finds.empty()) EXPECT_FALSE(search.Next(ctx, Ex(i), target, row.view));
    }
}

TEST_F(ExtremeSearchTest, ACurveWithoutExtremesGivesNone) {
    const int line = Curve(k::kExplicit, -1, 1, {"", "2*x+1"});
    EXPECT_FALSE(search.Next(ctx, Ex(line), Row(line, TExtremeTarget::Y), {-1, 1}));
    EXPECT_EQ(search.Position(), 0);  // a whole round
    const int empty = Curve(k::kExplicit, 1, 1, {"", "x^2"}, true);
    EXPECT_FALSE(search.Next(ctx, Ex(empty), Row(empty, TExtremeTarget::Y), {-1, 1}));
}

TEST_F(ExtremeSearchTest, TheListsFollowTheKind) {
    EXPECT_EQ(ExtremeTargetsOf(k::kExplicit).size(), 2u);
    EXPECT_EQ(ExtremeTargetsOf(k::kPolar).size(), 3u);
    EXPECT_TRUE(ExtremeTargetsOf(k::kSegment).empty());
    EXPECT_EQ(ExtremeCoordinatesOf(k::kExplicit)[2].name, "Y'");
    EXPECT_EQ(ExtremeCoordinatesOf(k::kParametric)[3].value, 3);
}

}  // namespace
}  // namespace quorlin::tools2d
