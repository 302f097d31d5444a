// The kinds drawn through the trajectory numerics, against their closed forms.
#include <gtest/gtest.h>

#include "drawer_fixture.h"
#include "examples/example.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;

examples::TTrajectory Record(int kind, Vec2 start, long double endTime, long double step = 0) {
    examples::TTrajectory t;
    t.kind = static_cast<std::uint16_t>(kind);
    t.startX = start.x;
    t.startY = start.y;
    t.endTime = endTime;
    t.treeOf = {0, 1, -1};
    t.option1 = 2;  // Runge-Kutta
    t.step = step;
    t.pen = {5, 1, 0};
    return t;
}

long double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 d = b - a;
    const long double l2 = d.x * d.x + d.y * d.y;
    const long double s =
        l2 == 0 ? 0 : std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / l2, 0.0L, 1.0L);
    const Vec2 f = a + s * d;
    return std::hypot(p.x - f.x, p.y - f.y);
}

// Every point of the circle lies within `gap` of a drawn segment, and every drawn point lies on
// it.
void ExpectWholeCircle(const RecordingSink& sink, Vec2 centre, long double r, long double gap) {
    for (const auto& piece : sink.pieces)
        for (Vec2 p : piece)
            ASSERT_NEAR((double)std::hypot(p.x - centre.x, p.y - centre.y), (double)r, 0.02);
    for (int n = 0; n < 720; ++n) {
        const long double a = n * kPi / 360;
        const Vec2 q = centre + r * Vec2{std::cos(a), std::sin(a)};
        long double best = INFINITY;
        sink.ForEachSegment(
            [&](Vec2 u, Vec2 v) { best = std::min(best, DistanceToSegment(q, u, v)); });
        ASSERT_LE(best, gap) << "angle " << (double)a;
    }
}

TEST_F(DrawerTest, ImplicitCircleIsWholeAndKeepsItsPieces) {
    const int i = Add(k::kImplicit, {"", "", "x^2+y^2-1"});
    Draw(i);
    ExpectWholeCircle(Curve(), {0, 0}, 1, 2 * kPixel);
    EXPECT_FALSE(inventory[i].trajectories.empty());
    // Restricted to y > 0: the upper half only.
    inventory[i].restrictOn = 1;
    inventory[i].Tree(4) = Parsed("y");
    Draw(i);
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece) EXPECT_GT(p.y, -kPixel);
}

TEST_F(DrawerTest, SystemsAndSlopeEquationsTraceTheirTrajectories) {
    // x' = -y, y' = x from (2, 0) for one turn: the circle of radius 2; a field of 10 rows.
    const int system = Add(k::kSystem, {"-y", "x"}, [](examples::TExample& e) {
        e.fieldRows = 10;
        e.trajectories.push_back(Record(k::kSystem, {2, 0}, 2 * kPi));
    });
    Draw(system);
    EXPECT_EQ(std::count_if(Curve().pieces.begin(), Curve().pieces.end(),
                            [](const auto& piece) { return piece.size() == 2; }),
              100);  // the slope marks
    RecordingSink trajectory;
    for (const auto& piece : Curve().pieces)
        if (piece.size() > 2) trajectory.pieces.push_back(piece);
    ExpectWholeCircle(trajectory, {0, 0}, 2, 2 * kPixel);
    EXPECT_EQ(canvas.pens[canvas.pens.size() - 2].colour, 5);  // in the trajectory's pen

    // dy/dx = y from (0, 1) with step 0.01: e^x, without a field.
    const int slope = Add(k::kSlope, {"", "", "y"}, [](examples::TExample& e) {
        e.fieldDisplay = 0;
        e.trajectories.push_back(Record(k::kSlope, {0, 1}, 0, 0.01L));
    });
    Draw(slope);
    ExpectOnGraph([](long double x) { return std::exp(x); }, 1e-3L);

    // derx(2, y) = -y with y(0) = 0, y'(0) = 1: sin x.
    const int second = Add(k::kHigherOrder, {"", "", "-y"}, [](examples::TExample& e) {
        e.order = 2;
        examples::TTrajectory t = Record(k::kHigherOrder, {0, 0}, 0, 0.01L);
        t.AllocTexts();
        t.texts[0] = "0;1";
        e.trajectories.push_back(std::move(t));
    });
    Draw(second);
    ExpectOnGraph([](long double x) { return std::sin(x); }, 1e-3L);
}

TEST_F(DrawerTest, SequencesAndIntrinsicCurves) {
    // x -> x/2 + 1, y -> y/2 from (-4, 4): five terms, dots joined.
    const int sequence = Add(k::kSequence, {"x/2+1", "y/2"}, [](examples::TExample& e) {
        e.byte60 = 1;
        e.trajectories.push_back(Record(k::kSequence, {-4, 4}, 4));
    });
    Draw(sequence);
    ASSERT_EQ(canvas.marks.size(), 5u);
    EXPECT_NEAR(canvas.marks[4].at.x, 1.625L, 1e-12);  // x: -4, -1, 0.5, 1.25, 1.625
    EXPECT_EQ(Curve().pieces.size(), 1u);

    // Curvature 1 from (0, 0) along (1, 0), s in [-pi, pi]: the unit circle about (0, 1).
    const int intrinsic =
        Add(k::kIntrinsic, {"1", "", "", "", "0,0", "1,0", "-pi;pi"}, [](examples::TExample& e) {
            e.rangeLow[0] = -kPi;
            e.rangeHigh[0] = kPi;
        });
    Draw(intrinsic);
    ExpectWholeCircle(Curve(), {0, 1}, 1, 2 * kPixel);
}

}  // namespace
}  // namespace quorlin::plot2d
