// The frame geometry of a 3D window: axis ends against closed forms, the axis colour against
// the background, the letter's place and its absence when looking along an axis, the label
// corners by quadrant and slope, the field grid per axis, the Frenet frame of a helix and of a
// skewed second vector, and the steps of angle arcs.
#include "plot3d/axes/axes_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "../scene_box_support.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;
constexpr long double kPi = std::numbers::pi_v<long double>;

TSceneBox BoxOf(Vec3 min, Vec3 max) {
    return quorlin::testing::SceneBoxBetween(min, max);
}

struct FitRow {
    Vec3 min, max;
    Vec3 lower, upper;
};

TEST(FitAxisLengthsTest, EndsReachBothSidesOfTheOrigin) {
    const FitRow rows[] = {
        {{2, 2, 2}, {3, 3, 3}, {-1, -1, -1}, {3.9L, 3.9L, 3.9L}},
        {{-5, -5, -5}, {-4, -4, -4}, {-6.5L, -6.5L, -6.5L}, {1, 1, 1}},
        {{-2, 0.0005L, -10}, {4, 0.0006L, 0.0001L}, {-2.6L, 0.00065L, -13}, {5.2L, 1, 1}},
        {{0.001L, 1, 1}, {2, 2, 2}, {-1, -1, -1}, {2.6L, 2.6L, 2.6L}},
    };
    for (const FitRow& row : rows) {
        const TAxisEnds ends = FitAxisLengths(BoxOf(row.min, row.max));
        EXPECT_TRUE(AllNear(
            {ends.lower.x, ends.lower.y, ends.lower.z, ends.upper.x, ends.upper.y, ends.upper.z},
            {row.lower.x, row.lower.y, row.lower.z, row.upper.x, row.upper.y, row.upper.z},
            1e-15L));
        EXPECT_FALSE(ends.locked);
    }
    EXPECT_TRUE(FitAxisLengths(BoxOf({2, 2, 2}, {3, 3, 3}), true).locked);
}

TEST(AxisColourTest, AxesNeverVanishIntoTheBackground) {
    struct Row {
        int axes, background, drawn;
    } const rows[] = {{3, 0, 3}, {0, 0, 1}, {5, 5, 0}, {1, 1, 0}, {1, 0, 1}};
    for (const Row& r : rows) EXPECT_EQ(AxisColourIndex(r.axes, r.background), r.drawn);
}

TEST(AxisLetterTest, LetterStandsNineUnitsBeyondTheEnd) {
    // The axis shows 40 pixels long; a unit of 2 pixels puts the letter at 1 + 18/40 of the end.
    const auto p = AxisLetterPoint({3, 0, 0}, {100, 100}, {124, 132}, 2);
    ASSERT_TRUE(p);
    EXPECT_NEAR(static_cast<double>(p->x), 3 * 1.45, 1e-15);
    EXPECT_EQ(p->y, 0);
    EXPECT_EQ(p->z, 0);
    // Looking along the axis: no letter and no division by nothing.
    EXPECT_FALSE(AxisLetterPoint({3, 0, 0}, {100, 100}, {100, 100}, 2));
    EXPECT_FALSE(AxisLetterPoint({3, 0, 0}, {100, 100}, {100.5L, 100.5L}, 2));
    EXPECT_FALSE(AxisLetterPoint({3, 0, 0}, {NAN, 0}, {1, 1}, 2));
}

struct CornerRow {
    Vec3 eye;
    int code;
};

TEST(LabelCornersTest, CodesByQuadrantSlopeAndHeight) {
    // Box 0..2 in x and y, 1..3 in z, focus (1, 1, 2).
    const TSceneBox box = BoxOf({0, 0, 1}, {2, 2, 3});
    const Vec3 focus{1, 1, 2};
    const CornerRow rows[] = {
        {{2, 1.2L, 2}, 4},
        {{2, 2, 2}, 5},
        {{1.2L, 3, 2}, 6},
        {{0, 5, 2}, 7},
        {{0, 2, 2}, 8},
        {{0, 1.2L, 2}, 9},
        {{0, 0.8L, 2}, 10},
        {{0, 0, 2}, 11},
        {{0.8L, -1, 2}, 12},
        {{2, -3, 2}, 13},
        {{2, 0, 2}, 14},
        {{2, 0.8L, 2}, 15},
        {{0, 0, 5}, 16},
        {{3, 0, 5}, 17},
        {{3, 3, 5}, 18},
        {{0, 3, 5}, 19},
        {{0, 0, 0}, 0},
        {{3, 0, 0}, 1},
        {{3, 3, 0}, 2},
        {{0, 3, 0}, 3},
        // Straight along y (dx = 0): the slope counts as 100 or -100.
        {{1, 5, 2}, 7},
        {{1, -5, 2}, 12},
    };
    for (const CornerRow& row : rows)
        EXPECT_EQ(LabelCornerCode(row.eye, focus, box), row.code)
            << row.eye.x << " " << row.eye.y << " " << row.eye.z;
    // Code 4 (in front, right): bottom at (x-max, y-min, z-min), top at (x-max, y-max, z-max).
    const TLabelCorners c = ChooseLabelCorners({2, 1.2L, 2}, focus, box);
    EXPECT_TRUE(AllNear({c.bottom.x, c.bottom.y, c.bottom.z, c.top.x, c.top.y, c.top.z},
                        {2, 0, 1, 2, 2, 3}, 0));
    // Code 16 (above, left and behind): bottom at the minimum corner, top at the maximum.
    const TLabelCorners d = ChooseLabelCorners({0, 0, 5}, focus, box);
    EXPECT_TRUE(AllNear({d.bottom.x, d.bottom.y, d.bottom.z, d.top.x, d.top.y, d.top.z},
                        {0, 0, 1, 2, 2, 3}, 0));
    EXPECT_EQ(CornerLabel({1.5L, -2, 10.126L}), "(1.50,-2.00,10.13)");
}

TEST(FieldGridTest, OneStepPerAxis) {
    TBox3 box;
    box.min = {-5, 0, 2};
    box.max = {5, 1, 3};
    const Vec3 h = FieldGridSteps(box, 10);
    EXPECT_TRUE(AllNear({h.x, h.y, h.z}, {1 - 1e-13L, 0.1L - 1e-13L, 0.1L - 1e-13L}, 1e-18L));
    // m below 1 counts as 1: one step over each whole extent.
    const Vec3 one = FieldGridSteps(box, 0);
    EXPECT_TRUE(AllNear({one.x, one.y, one.z}, {10 - 1e-13L, 1 - 1e-13L, 1 - 1e-13L}, 1e-15L));
}

TEST(FrenetFrameTest, HelixGivesUnitOrthogonalArrows) {
    // Helix (cos t, sin t, t/2) at t = 0.7: velocity and acceleration.
    const long double t = 0.7L;
    const Vec3 v{-std::sin(t), std::cos(t), 0.5L};
    const Vec3 a{-std::cos(t), -std::sin(t), 0};
    const auto f = FrenetFrame(v, a);
    ASSERT_TRUE(f);
    for (const Vec3& e : {f->t, f->n, f->b})
        EXPECT_NEAR(static_cast<double>(Vec3Length(e)), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(f->t, f->n)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(f->t, f->b)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(f->n, f->b)), 0, 1e-15);
    // v x a = (sin t / 2, -cos t / 2, 1), of length sqrt 1.25.
    const long double s = std::sqrt(1.25L);
    EXPECT_TRUE(AllNear({f->b.x, f->b.y, f->b.z},
                        {0.5L * std::sin(t) / s, -0.5L * std::cos(t) / s, 1 / s}, 1e-15L));
}

TEST(FrenetFrameTest, SkewedSecondVectorIsMadePerpendicular) {
    // A = (1, 1, 0) against T = x: N = y, B = z, not the skewed unit A.
    const auto f = FrenetFrame({2, 0, 0}, {1, 1, 0});
    ASSERT_TRUE(f);
    EXPECT_TRUE(AllNear({f->t.x, f->t.y, f->t.z, f->n.x, f->n.y, f->n.z, f->b.x, f->b.y, f->b.z},
                        {1, 0, 0, 0, 1, 0, 0, 0, 1}, 0));
    EXPECT_FALSE(FrenetFrame({0, 0, 0}, {0, 1, 0}));
    EXPECT_FALSE(FrenetFrame({1, 0, 0}, {3, 0, 0}));
    EXPECT_FALSE(FrenetFrame({1, 0, 0}, {0, 0, 0}));
}

TEST(AngleArcTest, StepsAndRangeBySign) {
    struct Row {
        long double angle, from, to;
        int steps;
    } const rows[] = {
        {7, 0, 2 * kPi, 122},         {-7, 0, 2 * kPi, 122}, {1.5L, 0, 1.5L, 31},
        {-1.5L, -1.5L, 0, 31},        {kPi, 0, kPi, 62},     {0, 0, 0, 2},
        {-2 * kPi, -2 * kPi, 0, 122},
    };
    for (const Row& r : rows) {
        const TArcSpan arc = AngleArc(r.angle);
        EXPECT_EQ(arc.steps, r.steps) << r.angle;
        EXPECT_TRUE(AllNear({arc.from, arc.to}, {r.from, r.to}, 1e-18L)) << r.angle;
    }
}

TEST(PointFormsTest, CylindricalAndSphericalPointsAndTheirArcs) {
    const long double r = 2, theta = kPi / 3, z = 5;
    const Vec3 c = CartesianPoint(1, {r, theta, z});
    EXPECT_TRUE(AllNear({c.x, c.y, c.z}, {1, std::sqrt(3.0L), 5}, 1e-15L));
    // rho 4, theta pi/2, phi pi/6: (0, 2, 2 sqrt 3).
    const Vec3 s = CartesianPoint(2, {4, kPi / 2, kPi / 6});
    EXPECT_TRUE(AllNear({s.x, s.y, s.z}, {0, 2, 2 * std::sqrt(3.0L)}, 1e-15L));
    const Vec3 cartesian = CartesianPoint(0, {1.5L, -2, 3});
    EXPECT_TRUE(AllNear({cartesian.x, cartesian.y, cartesian.z}, {1.5L, -2, 3}, 0));
    // The theta arc starts on the x-z half plane and ends at the point; the phi arc starts on
    // the z axis.
    const Vec3 start = AngleArcPoint(2, {4, kPi / 2, kPi / 6}, 4, 0);
    EXPECT_TRUE(AllNear({start.x, start.y, start.z}, {2, 0, 2 * std::sqrt(3.0L)}, 1e-15L));
    const Vec3 pole = AngleArcPoint(2, {4, kPi / 2, kPi / 6}, 5, 0);
    EXPECT_TRUE(AllNear({pole.x, pole.y, pole.z}, {0, 0, 4}, 1e-15L));
    const Vec3 end = AngleArcPoint(2, {4, kPi / 2, kPi / 6}, 5, kPi / 6);
    EXPECT_TRUE(AllNear({end.x, end.y, end.z}, {s.x, s.y, s.z}, 1e-15L));
}

// A reader of plain decimals: 1 "cannot understand" for anything else.
int ReadDecimal(std::string_view text, long double& out) {
    const std::string s(text);
    char* end = nullptr;
    out = std::strtold(s.c_str(), &end);
    return s.empty() || *end != '\0' ? 1 : 0;
}

TEST(AxisLengthsTest, ReadInOrderAndApplied) {
    const TAxisEnds old{{-1, -2, -3}, {4, 5, 6}, true};
    struct Row {
        std::array<std::string, 6> fields;
        bool lock;
        int error;
        std::optional<TAxisEnds> result;
    } const rows[] = {
        // Read and locked anew.
        {{"-2", "3", "-4", "5", "-6", "7"}, true, 0, TAxisEnds{{-2, -4, -6}, {3, 5, 7}, true}},
        // The same ends and the same lock: nothing to do.
        {{"-1", "4", "-2", "5", "-3", "6"}, true, 0, std::nullopt},
        // Unlocked with the same ends: only the lock changes.
        {{"-1", "4", "-2", "5", "-3", "6"}, false, 0, TAxisEnds{{-1, -2, -3}, {4, 5, 6}, false}},
        // y inverted: error 6; "lock" changes nothing, "unlock" keeps the old ends.
        {{"-2", "3", "5", "4", "-6", "7"}, true, 6, std::nullopt},
        {{"-2", "3", "5", "4", "-6", "7"}, false, 6, TAxisEnds{{-1, -2, -3}, {4, 5, 6}, false}},
        // A high end within 1e-13 of its low end is inverted too.
        {{"1", "1", "0", "1", "0", "1"}, true, 6, std::nullopt},
        // Unreadable z low: error 1 before any high end is read.
        {{"-2", "x", "-4", "5", "abc", "7"}, false, 1, TAxisEnds{{-1, -2, -3}, {4, 5, 6}, false}},
    };
    for (const Row& row : rows) {
        const TAxisLengthsRead read = ReadAxisLengths(row.fields, ReadDecimal);
        EXPECT_EQ(read.error, row.error) << row.fields[0] << row.fields[2];
        const std::optional<TAxisEnds> ends = ApplyAxisLengths(old, read, row.lock);
        ASSERT_EQ(ends.has_value(), row.result.has_value()) << row.fields[2];
        if (ends) {
            EXPECT_TRUE(*ends == *row.result) << row.fields[2];
        }
    }
    // The lows come first: an unreadable x high is found after all three lows were read.
    const TAxisLengthsRead partial =
        ReadAxisLengths({"-2", "x", "-4", "5", "-6", "7"}, ReadDecimal);
    EXPECT_EQ(partial.error, 1);
    EXPECT_TRUE(AllNear({partial.lower.x, partial.lower.y, partial.lower.z}, {-2, -4, -6}, 0));
}

}  // namespace
}  // namespace quorlin::plot3d
