// The level-curve model: reading the level fields, stepping between levels, the levels "auto"
// visits, the set-up of a shown level, the cursor values of z = f(x, y), the direction's angle
// and the map from list lines to curves.
#include "plot3d/levelcurves/level_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin::plot3d {
namespace {

using examples::TExample;
using examples::TTrajectory;

TLevelReaders ContextReaders(FormulaContext& ctx) {
    return {[&ctx](std::string_view t, long double& v) { return ctx.ReadNumber(t, v); },
            [&ctx](std::string_view t, long long lo, long long hi, int& v) {
                return ctx.ReadInteger(t, lo, hi, v);
            }};
}

TLevelValues Values(long double low, long double high, int count, long double current) {
    return {{low, high, static_cast<std::int16_t>(count - 1)}, current};
}

TEST(LevelFieldsTest, ReadsOrRefusesAsATable) {
    FormulaContext ctx;
    const TLevelReaders read = ContextReaders(ctx);
    const struct {
        TLevelTexts texts;
        OutsideCurrent rule;
        int error;
        long double low, high, current;
        int countMinusOne;
    } rows[] = {
        {{"-1.5", "2*3", "0.25", "7"}, OutsideCurrent::Refuse, 0, -1.5L, 6, 0.25L, 6},
        {{"-1.5", "6", "9", "7"}, OutsideCurrent::ToLow, 0, -1.5L, 6, -1.5L, 6},
        {{"-1.5", "6", "-9", "3"}, OutsideCurrent::ToHigh, 0, -1.5L, 6, 6, 2},
        {{"-1.5", "6", "9", "7"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"1", "3", "2", "1"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"1", "3", "2", "70000"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"1", "3", "2", "12abc"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"1", "1+1e-14", "1", "5"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"3", "1", "2", "5"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"x+", "3", "2", "5"}, OutsideCurrent::Refuse, 1, 0, 1, 0.5L, 4},
        {{"1", "3", "2", "32767"}, OutsideCurrent::Refuse, 0, 1, 3, 2, 32766},
    };
    for (const auto& row : rows) {
        TLevelValues v = Values(0, 1, 5, 0.5L);
        EXPECT_EQ(ReadLevelFields(row.texts, read, row.rule, v), row.error) << row.texts.count;
        EXPECT_EQ(v.range.low, row.low);
        EXPECT_EQ(v.range.high, row.high);
        EXPECT_EQ(v.current, row.current);
        EXPECT_EQ(v.range.countMinusOne, row.countMinusOne);
    }
}

TEST(LevelSteppingTest, NextAndPreviousAsATable) {
    const struct {
        TLevelValues values;
        long double next, previous;
    } rows[] = {
        // two levels alternate between low and high
        {Values(-2, 3, 2, -2), 3, 3},
        {Values(-2, 3, 2, 3), -2, -2},
        // h = 1.5 over [-2, 4]: levels -2, -0.5, 1, 2.5, 4
        {Values(-2, 4, 5, -0.5L), 1, -2},
        {Values(-2, 4, 5, 0.99L), 2.5L, -0.5L},  // within 0.01 h below 1: 1 is skipped
        {Values(-2, 4, 5, 0.9L), 1, -0.5L},
        {Values(-2, 4, 5, 1.01L), 2.5L, -0.5L},  // within 0.01 h above 1: 1 is skipped back
        {Values(-2, 4, 5, 4), -2, 2.5L},         // the top wraps to the low value
        {Values(-2, 4, 5, -2), -0.5L, 4},        // the bottom wraps to the high value
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NextLevel(row.values), row.next) << static_cast<double>(row.values.current);
        EXPECT_EQ(PreviousLevel(row.values), row.previous)
            << static_cast<double>(row.values.current);
    }
}

TEST(LevelSteppingTest, AutoVisitsEachLevelFromLowToHigh) {
    const TLevelRange range{-1.25L, 3.5L, 4};
    const std::vector<long double> levels = AutoLevels(range);
    ASSERT_EQ(levels.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(levels[static_cast<std::size_t>(i)], -1.25L + i * 4.75L / 4);
    EXPECT_EQ(levels.back(), 3.5L);
    EXPECT_EQ(AutoLevels({2, 7, 1}), (std::vector<long double>{2, 7}));
}

TEST(LevelFrameTest, EachVariableHasItsPairCodeAxesAndPlane) {
    const struct {
        int variable, pair;
        const char *h, *v;
        int hAxis, vAxis;
    } rows[] = {{24, 6, "y", "z", 1, 2}, {25, 5, "z", "x", 2, 0}, {26, 3, "x", "y", 0, 1}};
    for (const auto& row : rows) {
        const TLevelFrame f = LevelFrame(row.variable);
        EXPECT_EQ(f.pairCode, row.pair);
        EXPECT_EQ(f.horizontal, row.h);
        EXPECT_EQ(f.vertical, row.v);
        EXPECT_EQ(f.horizontalAxis, row.hAxis);
        EXPECT_EQ(f.verticalAxis, row.vAxis);
    }
}

TEST(LevelFrameTest, ToleranceModeAndCursorRule) {
    const long double unbounded = std::exp(42.0L);
    // 10^(1 - places), computed by pow: within a rounding of the closed form.
    const struct {
        int places;
        long double tolerance;
    } rows[] = {{3, 0.01L}, {1, 1}, {5, 1e-4L}, {0, 10}};
    for (const auto& row : rows)
        EXPECT_NEAR(static_cast<double>(LevelTolerance(true, row.places, unbounded)),
                    static_cast<double>(row.tolerance), 1e-15 * static_cast<double>(row.tolerance))
            << row.places;
    EXPECT_EQ(LevelTolerance(false, 3, unbounded), unbounded);
    EXPECT_EQ(MouseModeAfterShow(128, true), 125);
    EXPECT_EQ(MouseModeAfterShow(128, false), 128);
    EXPECT_EQ(MouseModeAfterShow(123, true), 123);
    EXPECT_TRUE(CursorAllowed(26, 301));
    EXPECT_FALSE(CursorAllowed(24, 301));
    EXPECT_FALSE(CursorAllowed(26, 303));
}

class CursorTest : public ::testing::Test {
protected:
    void Surface(std::string_view f) {
        ASSERT_EQ(ctx.Parse(f), 0);
        surface.kind = 301;
        surface.Tree(3) = ctx.TakeParseResult();
        ctx.Differentiate(surface.Tree(3).get(), 'X', surface.Tree(5));
        ctx.Differentiate(surface.Tree(3).get(), 'Y', surface.Tree(6));
    }
    FormulaContext ctx;
    TExample surface;
};

TEST_F(CursorTest, ValueGradientAndDerivativeAtThePoint) {
    Surface("x^2+3*y");
    TCursorValues c;
    c.x = 1;
    c.y = 2;
    const long double theta = kFullTurn / 6;  // pi / 3
    UpdateCursorValues(ctx, surface, theta, c);
    EXPECT_EQ(c.z, 7);
    EXPECT_EQ(c.gradient[0], 2);
    EXPECT_EQ(c.gradient[1], 3);
    EXPECT_EQ(c.direction[0], std::cos(theta));
    EXPECT_EQ(c.direction[1], std::sin(theta));
    EXPECT_EQ(c.derivative, 2 * std::cos(theta) + 3 * std::sin(theta));
    SetCursorDirection(0, c);
    EXPECT_EQ(c.derivative, 2);
}

TEST_F(CursorTest, AnUndefinedFormulaGivesZeroAndNoGradient) {
    Surface("1/x+y");
    TCursorValues c;
    c.x = 0;
    c.y = 2;
    c.z = 9;
    c.gradient = {4, 5};
    UpdateCursorValues(ctx, surface, 2, c);
    EXPECT_EQ(c.z, 0);
    EXPECT_EQ(c.gradient[0], 0);
    EXPECT_EQ(c.gradient[1], 0);
    EXPECT_EQ(c.derivative, 0);
}

TEST(CursorDragTest, StartsWithinSixPixelWidths) {
    TCursorValues c;
    c.x = 1.5L;
    c.y = -2;
    EXPECT_TRUE(StartsCursorDrag(c, 1.5L + 0.25L, -2 + 0.5L, 0.125L));       // 6 widths exactly
    EXPECT_FALSE(StartsCursorDrag(c, 1.5L + 0.25L, -2 + 0.5L, 0.124L));      // 6.05 widths
    EXPECT_FALSE(StartsCursorDrag(c, 1.5L, -2 - 0.7525L, 0.125L));           // 6.02 widths
    EXPECT_FALSE(StartsCursorDrag(c, 1.5L + 0.50125L, -2 + 0.25L, 0.125L));  // 6.01 widths
}

TEST(DirectionAngleTest, TypedValuesAndPositions) {
    EXPECT_EQ(NormalizedAngle(7), 7 - kFullTurn);
    EXPECT_EQ(NormalizedAngle(-1), kFullTurn - 1);
    EXPECT_EQ(NormalizedAngle(0), 0);
    EXPECT_EQ(NormalizedAngle(2), 2);
    EXPECT_EQ(NormalizedAngle(3 * kFullTurn), 0);
    EXPECT_EQ(AngleOfPosition(360, 360), kFullTurn);
    EXPECT_EQ(AngleOfPosition(90, 360), kFullTurn / 360 * 90);
    EXPECT_EQ(AngleOfPosition(5, 0), 0);
    EXPECT_EQ(PositionOfAngle(7 - kFullTurn, 100), 11);  // 11.41
    EXPECT_EQ(PositionOfAngle(kFullTurn / 8, 4), 1);     // 0.5 rounds up
}

TEST(CurveListTest, ListsTheCurvesOfTheVariableInListOrder) {
    TExample e;
    for (const int variable : {26, 24, 26, 25, 26}) {
        TTrajectory t;
        t.option1 = static_cast<std::uint16_t>(variable);
        e.trajectories.push_back(std::move(t));
    }
    EXPECT_EQ(ListedCurvePositions(e, 26), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(ListedCurvePositions(e, 24), (std::vector<int>{1}));
    EXPECT_EQ(ListedCurvePositions(e, 0), (std::vector<int>{0, 1, 2, 3, 4}));
    std::vector<TTrajectory> many(5000);
    e.trajectories = std::move(many);
    for (auto& t : e.trajectories) t.option1 = 26;
    EXPECT_EQ(ListedCurvePositions(e, 26).size(), 5000u);
}

}  // namespace
}  // namespace quorlin::plot3d
