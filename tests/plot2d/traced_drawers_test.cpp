// The kinds drawn through the trajectory numerics, against their closed forms.
#include <gtest/gtest.h>

#include "drawer_fixture.h"
#include "examples/records/example.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;

TEST_F(DrawerTest, ImplicitCircleIsWholeAndKeepsItsPieces) {
    const int i = Add(k::kImplicit, {"", "", "x^2+y^2-1"});
    Draw(i);
    ExpectOnCurve(Curve(), Ellipse({0, 0}, 1, 1), 0, 2 * kPi, 0.02L, 2 * kPixel);
    EXPECT_FALSE(inventory[i].trajectories.empty());
    // Restricted to y > 0: the upper half only.
    inventory[i].restrictOn = 1;
    inventory[i].Tree(4) = Parsed("y");
    Draw(i);
    ASSERT_FALSE(Curve().pieces.empty());
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece) EXPECT_GT(p.y, -kPixel);
    RecordingSink upper;
    for (const auto& piece : Curve().pieces) upper.pieces.push_back(piece);
    ExpectOnCurve(upper, Ellipse({0, 0}, 1, 1), 0, kPi, 0.02L, 2 * kPixel);
}

TEST_F(DrawerTest, EquationsSequencesAndIntrinsicCurvesFollowTheirClosedForms) {
    // x' = -y, y' = x from (2, 0) for one turn: the circle of radius 2; a field of 10 rows.
    Draw(Add(k::kSystem, {"-y", "x"}, [](auto& e) {
        e.fieldRows = 10;
        e.trajectories.push_back(TrajectoryRecord(k::kSystem, {2, 0}, 2 * kPi));
    }));
    EXPECT_EQ(std::count_if(Curve().pieces.begin(), Curve().pieces.end(),
                            [](const auto& piece) { return piece.size() == 2; }),
              100);  // the slope marks
    RecordingSink trajectory;
    for (const auto& piece : Curve().pieces)
        if (piece.size() > 2) trajectory.pieces.push_back(piece);
    ExpectOnCurve(trajectory, Ellipse({0, 0}, 2, 2), 0, 2 * kPi, 0.02L, 2 * kPixel);
    EXPECT_EQ(canvas.pens[canvas.pens.size() - 2].colour, 5);  // in the trajectory's pen

    // dy/dx = y from (0, 1) with step 0.01: e^x, without a field.
    Draw(Add(k::kSlope, {"", "", "y"}, [](auto& e) {
        e.fieldDisplay = 0;
        e.trajectories.push_back(TrajectoryRecord(k::kSlope, {0, 1}, 0, 0.01L));
    }));
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::exp(x); }), -5, 5, 1e-3L);

    // derx(2, y) = -y with y(0) = 0, y'(0) = 1: sin x.
    Draw(Add(k::kHigherOrder, {"", "", "-y"}, [](auto& e) {
        e.order = 2;
        examples::TTrajectory t = TrajectoryRecord(k::kHigherOrder, {0, 0}, 0, 0.01L);
        t.AllocTexts();
        t.texts[0] = "0;1";
        e.trajectories.push_back(std::move(t));
    }));
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::sin(x); }), -5, 5, 1e-3L);

    // x -> x/2 + 1, y -> y/2 from (-4, 4): five terms, dots joined.
    Draw(Add(k::kSequence, {"x/2+1", "y/2"}, [](auto& e) {
        e.ConnectPoints() = 1;
        e.trajectories.push_back(TrajectoryRecord(k::kSequence, {-4, 4}, 4));
    }));
    ASSERT_EQ(canvas.marks.size(), 5u);
    EXPECT_NEAR(canvas.marks[4].x, 1.625L, 1e-12);  // x: -4, -1, 0.5, 1.25, 1.625
    EXPECT_EQ(Curve().pieces.size(), 1u);

    // Curvature 1 from (0, 0) along (1, 0), s in [-pi, pi]: the unit circle about (0, 1).
    Draw(Add(k::kIntrinsic, {"1", "", "", "", "0,0", "1,0", "-pi;pi"}, [](auto& e) {
        e.rangeLow[0] = -kPi;
        e.rangeHigh[0] = kPi;
    }));
    // The two arcs meet at the start point: no chord across the circle.
    ExpectOnCurve(Curve(), Ellipse({0, 1}, 1, 1), 0, 2 * kPi, 0.02L, 2 * kPixel, true);
}

}  // namespace
}  // namespace quorlin::plot2d
