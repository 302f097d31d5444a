// The geometry of the hidden-line tests: the sight line clipped to a rectangle (a vertical one
// decided directly), to a disc (only between the point and the eye) and to a z range, the
// samples of the walk along it (passing over those a sheet that ends does not reach), where its
// plan crosses a circle or a ray about the origin, the walk in stretches between such breaks,
// and the winding-rule quadrilateral.
#include "plot3d/hidden/sight_line.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "plot3d/hidden/screen_quad.h"
#include "support/all_near.h"

namespace quorlin::plot3d::hidden {
namespace {

using quorlin::testing::AllNear;

::testing::AssertionResult SegmentIs(const std::optional<TSightSegment>& got,
                                     const std::optional<TSightSegment>& want) {
    if (!got || !want) {
        if (got.has_value() == want.has_value()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << (got ? "a segment" : "none") << " for " << (want ? "a segment" : "none");
    }
    const Vec3 a = got->eyeEnd, b = got->pointEnd, wa = want->eyeEnd, wb = want->pointEnd;
    return AllNear({a.x, a.y, a.z, b.x, b.y, b.z}, {wa.x, wa.y, wa.z, wb.x, wb.y, wb.z}, 1e-15L);
}

struct ClipRow {
    const char* what;
    Vec3 p;
    Vec3 eye;
    std::optional<TSightSegment> want;
};

TEST(SightLineTest, TheRectangleKeepsThePartOverIt) {
    const canvas::TLDRect rect{-1, 2, -3, 1};
    const ClipRow rows[] = {
        // From (-2, 0, 1) to (4, 0, 7): over x in [-1, 2] for t in [1/6, 1/2].
        {"enters and leaves", {-2, 0, 1}, {4, 0, 7}, TSightSegment{{2, 0, 5}, {-1, 0, 2}}},
        {"starts inside", {0.5L, -1, 0}, {0.5L, 5, 3}, TSightSegment{{0.5L, 1, 1}, {0.5L, -1, 0}}},
        {"misses", {3, 3, -1}, {5, 0, 5}, std::nullopt},
        // Straight down onto the rectangle: the whole line, no 0/0.
        {"vertical over",
         {0.25L, -2, -4},
         {0.25L, -2, 9},
         TSightSegment{{0.25L, -2, 9}, {0.25L, -2, -4}}},
        {"vertical beside", {3, 0, -4}, {3, 0, 9}, std::nullopt},
        // Mostly along y: the parameter comes from y, where it carries the digits.
        {"steep in y",
         {1e-20L, -5, 0},
         {2e-20L, 5, 10},
         TSightSegment{{1.6e-20L, 1, 6}, {1.2e-20L, -3, 2}}},
    };
    for (const ClipRow& row : rows)
        EXPECT_TRUE(SegmentIs(ClipSightLineToRect(rect, row.p, row.eye), row.want)) << row.what;
}

TEST(SightLineTest, TheDiscCountsOnlyBetweenThePointAndTheEye) {
    const ClipRow rows[] = {
        // From (0.5, 0, -1) to (5, 0, 8): leaves the unit disc at x = 1, t = 1/9.
        {"inside to out", {0.5L, 0, -1}, {5, 0, 8}, TSightSegment{{1, 0, 0}, {0.5L, 0, -1}}},
        {"through", {-3, 0, 0}, {3, 0, 6}, TSightSegment{{1, 0, 4}, {-1, 0, 2}}},
        // The chord lies behind the point, away from the eye: nothing may hide it.
        {"chord behind", {2, 0, -1}, {5, 0, 5}, std::nullopt},
        {"chord beyond the eye", {5, 0, 0}, {2, 0, 3}, std::nullopt},
        {"misses", {2, 2, 0}, {5, 2, 5}, std::nullopt},
        {"vertical over",
         {0.6L, 0.6L, -1},
         {0.6L, 0.6L, 7},
         TSightSegment{{0.6L, 0.6L, 7}, {0.6L, 0.6L, -1}}},
        {"vertical beside", {0.8L, 0.8L, -1}, {0.8L, 0.8L, 7}, std::nullopt},
    };
    for (const ClipRow& row : rows)
        EXPECT_TRUE(SegmentIs(ClipSightLineToDisc(1, row.p, row.eye), row.want)) << row.what;
}

TEST(SightLineTest, TheZRangeCutsEachEndOntoItsPlane) {
    struct Row {
        const char* what;
        TSightSegment s;
        std::optional<TSightSegment> want;
    };
    const Row rows[] = {
        {"both above", {{0, 0, 5}, {1, 0, 4.5L}}, std::nullopt},
        {"both below", {{0, 0, -3}, {1, 0, -2}}, std::nullopt},
        {"both cut", {{4, 2, 6}, {0, 0, -2}}, TSightSegment{{3, 1.5L, 4}, {1, 0.5L, 0}}},
        {"falling", {{0, 0, -6}, {8, 4, 10}}, TSightSegment{{3, 1.5L, 0}, {5, 2.5L, 4}}},
        {"horizontal", {{-7, 0, 1}, {7, 0, 1}}, TSightSegment{{-7, 0, 1}, {7, 0, 1}}},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(SegmentIs(ClipSightLineToZRange(row.s, 0, 4), row.want)) << row.what;
}

TEST(SightLineTest, TheWalkSamplesFromThePointTowardsTheEye) {
    const TSightSegment s{{3, 6, 9}, {0, 0, 0}};
    struct Row {
        int samples;
        std::vector<long double> zs;  // where the sign was asked
    };
    // One sample is the eye-side end alone; a count below one is taken as one.
    const Row rows[] = {{1, {0, 9}}, {0, {0, 9}}, {3, {0, 3, 6, 9}}};
    for (const Row& row : rows) {
        std::vector<long double> asked;
        EXPECT_FALSE(SignChangesAlong(s, row.samples, [&](Vec3 c) {
            asked.push_back(c.z);
            return 1;
        }));
        EXPECT_EQ(asked, row.zs) << row.samples;
    }
    // The sign turns at z = 4: seen with three steps, missed with one only when the end agrees.
    const auto above4 = [](Vec3 c) { return c.z > 4 ? 1 : -1; };
    const auto band = [](Vec3 c) { return c.z > 4 && c.z < 8 ? 1 : -1; };
    EXPECT_EQ((std::array{SignChangesAlong(s, 1, above4), SignChangesAlong(s, 3, band),
                          SignChangesAlong(s, 1, band)}),
              (std::array{true, true, false}));
    // A zero at the point's end: the surface passes through the point and cannot hide it.
    EXPECT_FALSE(SignChangesAlong(s, 3, [](Vec3 c) { return c.z == 0 ? 0 : 1 - 2 * (c.z > 1); }));
    EXPECT_EQ((std::array{SignOf(-2e-16L), SignOf(5e-17L), SignOf(std::nullopt), SignOf(3)}),
              (std::array{-1, 0, 0, 1}));
}

// A sheet that ends: the samples it does not reach are asked and passed over; the first one it
// reaches gives the side the walk starts from. The walk asks from the point's end until it
// decides.
TEST(SightLineTest, TheWalkPassesOverSamplesTheSurfaceDoesNotReach) {
    const TSightSegment s{{3, 6, 9}, {0, 0, 0}};
    using Signs = std::array<std::optional<int>, 4>;  // at z = 0, 3, 6, 9
    constexpr auto kNone = std::nullopt;
    struct Row {
        const char* what;
        Signs signs;
        bool changes;
        std::size_t asked;
    };
    const Row rows[] = {
        {"starts at the first reached sample", {kNone, -1, 1, kNone}, true, 3},
        {"passed-over samples decide nothing", {-1, kNone, kNone, -1}, false, 4},
        {"starts on the surface", {kNone, 0, 1, -1}, false, 2},
        {"a zero after the start decides nothing", {1, 0, kNone, 1}, false, 4},
        {"reaches the eye's end only", {kNone, kNone, kNone, 1}, false, 4},
        {"reaches nothing", {kNone, kNone, kNone, kNone}, false, 4},
    };
    const std::vector<long double> all{0, 3, 6, 9};
    for (const Row& row : rows) {
        std::vector<long double> asked;
        const bool changes = SignChangesWhereReached(s, 3, [&](Vec3 c) {
            asked.push_back(c.z);
            return row.signs[static_cast<std::size_t>(std::lround(c.z / 3))];
        });
        EXPECT_EQ(changes, row.changes) << row.what;
        EXPECT_EQ(asked, std::vector<long double>(all.begin(), all.begin() + row.asked))
            << row.what;
    }
}

// Breaks along a sight line: its plan runs from (-2, 0.5) to (2, 0.5) (u = (x + 2) / 4). The
// circle of radius 1.3 meets it at x = -+1.2, that of radius 2 at x = -+1.936; the circle of
// radius 0.5 only touches it and that of radius 3 holds it whole. The ray straight up crosses it
// at x = 0 and the one through (1.2, 0.5) at u = 0.8, however many turns its angle adds; the
// ray straight down and the ray along x do not. The plan from (0.7, 0.5) on starts inside the
// circle of 1.3 and above the ray straight up.
TEST(SightLineTest, ThePlanCrossesCirclesAndRaysAtTheirParameters) {
    const TSightSegment across{{2, 0.5L, 4}, {-2, 0.5L, 0}};
    const TSightSegment fromInside{{2, 0.5L, 4}, {0.7L, 0.5L, 1}};
    const long double aside = std::atan2(0.5L, 1.2L);
    const auto near = [](const std::vector<long double>& got, std::vector<long double> want) {
        if (got.size() != want.size()) return false;
        for (std::size_t k = 0; k < got.size(); ++k)
            if (!(std::fabs(got[k] - want[k]) <= 1e-18L)) return false;
        return true;
    };
    EXPECT_TRUE(near(PlanCrossingsOfCircle(across, 1.3L), {0.2L, 0.8L}));
    EXPECT_TRUE(near(PlanCrossingsOfCircle(across, 2),
                     {(2 - std::sqrt(3.75L)) / 4, (2 + std::sqrt(3.75L)) / 4}));
    EXPECT_TRUE(near(PlanCrossingsOfCircle(across, 0.5L), {}));
    EXPECT_TRUE(near(PlanCrossingsOfCircle(across, 3), {}));
    EXPECT_TRUE(near(PlanCrossingsOfCircle(fromInside, 1.3L), {0.5L / 1.3L}));
    const auto ray = [](const TSightSegment& s, long double angle) {
        const std::optional<long double> u = PlanCrossingOfRay(s, angle);
        return u ? std::vector<long double>{*u} : std::vector<long double>{};
    };
    constexpr long double kPi = 3.14159265358979323846L;
    EXPECT_TRUE(near(ray(across, kPi / 2), {0.5L}));
    EXPECT_TRUE(near(ray(across, aside), {0.8L}));
    EXPECT_TRUE(near(ray(across, aside - 2 * kPi), {0.8L}));
    EXPECT_TRUE(near(ray(across, -kPi / 2), {}));
    EXPECT_TRUE(near(ray(across, 0), {}));
    EXPECT_TRUE(near(ray(fromInside, kPi / 2), {}));
}

// The line of a plan through the axis: from (1, 0) to (-3, 0) it passes at u = 1/4, and so it
// does when rounding could have put it there, 2e-17 beside the axis over a plan 4 long; the
// line from (1, 2) to (2, 4) passes before its point's end, at u = -1. Beside the axis by
// 4e-12, at y = 0.5, or as a vertical sight line (a plan of one point) it passes none.
TEST(SightLineTest, ThePlanLineThroughTheAxisHasItsParameter) {
    const struct {
        const char* what;
        TSightSegment s;
        std::optional<long double> u;
    } rows[] = {
        {"through", {{-3, 0, 4}, {1, 0, 0}}, 0.25L},
        {"a hair beside", {{-3, -1e-17L, 4}, {1, 1e-17L, 0}}, 0.25L},
        {"before the point's end", {{2, 4, 1}, {1, 2, 0}}, -1},
        {"beside", {{-3, 4e-12L, 4}, {1, 4e-12L, 0}}, std::nullopt},
        {"far beside", {{-2, 0.5L, 4}, {2, 0.5L, 0}}, std::nullopt},
        {"vertical", {{0.3L, 0.2L, 5}, {0.3L, 0.2L, 0}}, std::nullopt},
    };
    for (const auto& row : rows) {
        const std::optional<long double> u = PlanLineThroughAxis(row.s);
        ASSERT_EQ(u.has_value(), row.u.has_value()) << row.what;
        if (u) EXPECT_TRUE(AllNear({*u}, {*row.u}, 1e-18L)) << row.what;
    }
}

// Breaks cut the walk into stretches, each walked on its own from its start through the samples
// inside it to its end. With three steps from z = 0 to 9 and a break at u = 1/2 the walk asks
// z = 0, 3, 4.5 on the first stretch (its middle at z = 2.25) and 4.5, 6, 9 on the second (at
// 6.75); a break on the sample at z = 3 is that sample, asked from both sides. A sign is
// compared only within its stretch.
TEST(SightLineTest, TheWalkComparesSignsOnlyWithinAStretch) {
    const TSightSegment s{{3, 6, 9}, {0, 0, 0}};
    constexpr auto kNone = std::nullopt;
    struct Row {
        const char* what;
        std::vector<long double> breaks;
        std::vector<std::optional<int>> signs;  // in the order asked
        bool changes;
        std::vector<std::array<long double, 2>> asked;  // z and the stretch's middle's z
    };
    const std::vector<std::array<long double, 2>> halves{{0, 2.25L},    {3, 2.25L}, {4.5L, 2.25L},
                                                         {4.5L, 6.75L}, {6, 6.75L}, {9, 6.75L}};
    const auto first = [&halves](std::size_t n) {
        return std::vector<std::array<long double, 2>>(halves.begin(), halves.begin() + n);
    };
    const Row rows[] = {
        {"a change within a stretch", {0.5L}, {-1, -1, -1, 1, -1}, true, first(5)},
        {"none across a break", {0.5L}, {-1, -1, -1, 1, 1, 1}, false, first(6)},
        {"the break's end, from within", {0.5L}, {-1, -1, 1}, true, first(3)},
        {"a zero at B cannot hide", {0.5L}, {0}, false, first(1)},
        {"a zero at a stretch's start", {0.5L}, {1, 1, 1, 0, 1, -1}, true, first(6)},
        {"a stretch no sheet holds", {0.5L}, {kNone, kNone, kNone, -1, -1, 1}, true, first(6)},
        {"the break's end on the sheet", {0.5L}, {-1, -1, 0, 0, 1, 1}, false, first(6)},
        {"a break on a sample",
         {1.0L / 3},
         {1, 1, -1, -1, -1},
         false,
         {{0, 1.5L}, {3, 1.5L}, {3, 6}, {6, 6}, {9, 6}}},
        {"two breaks",
         {0.25L, 0.75L},
         {1, 1, -1, -1, -1, -1, 1, 1},
         false,
         {{0, 1.125L},
          {2.25L, 1.125L},
          {2.25L, 4.5L},
          {3, 4.5L},
          {6, 4.5L},
          {6.75L, 4.5L},
          {6.75L, 7.875L},
          {9, 7.875L}}},
    };
    for (const Row& row : rows) {
        std::vector<std::array<long double, 2>> asked;
        const bool changes = SignChangesWithinStretches(s, 3, row.breaks, [&](Vec3 middle) {
            return [&, middle](Vec3 c) {
                asked.push_back({c.z, middle.z});
                return asked.size() <= row.signs.size() ? row.signs[asked.size() - 1] : kNone;
            };
        });
        EXPECT_EQ(changes, row.changes) << row.what;
        ASSERT_EQ(asked.size(), row.asked.size()) << row.what;
        for (std::size_t k = 0; k < asked.size(); ++k) {
            EXPECT_TRUE(
                AllNear({asked[k][0], asked[k][1]}, {row.asked[k][0], row.asked[k][1]}, 1e-17L))
                << row.what << ", sample " << k;
        }
    }
}

// A joint is a break across which the first sign of the walk carries on: with three steps from
// z = 0 to 9 the walk asks z = 0, 2.25 | 2.25, 3, 6, 6.75 | 6.75, 9 with breaks at u = 1/4 and
// 3/4, and only the break made the joint carries its side.
TEST(SightLineTest, TheWalkCarriesItsSideAcrossTheJoint) {
    const TSightSegment s{{3, 6, 9}, {0, 0, 0}};
    constexpr auto kNone = std::nullopt;
    const struct {
        const char* what;
        long double joint;
        std::vector<std::optional<int>> signs;  // in the order asked
        bool changes;
        std::size_t asked;
    } rows[] = {
        {"a change across the joint", 0.75L, {1, 1, 1, 1, 1, 1, -1}, true, 7},
        {"none across another break", 0.75L, {1, 1, -1, -1, -1, -1, -1, -1}, false, 8},
        {"across the joint from a sheet's zero", 0.75L, {1, 1, 1, 1, 1, 0, 0, -1}, true, 8},
        {"back across the joint", 0.75L, {1, 1, 1, 1, 1, 0, 0, 1}, false, 8},
        {"the joint after a stretch no sheet holds",
         0.75L,
         {1, 1, kNone, kNone, kNone, kNone, -1, 1},
         true,
         8},
        {"the first break made the joint", 0.25L, {1, 1, -1}, true, 3},
    };
    const std::vector<long double> breaks{0.25L, 0.75L};
    for (const auto& row : rows) {
        std::size_t asked = 0;
        const bool changes = SignChangesWithinStretches(
            s, 3, breaks,
            [&](Vec3) {
                return [&](Vec3) {
                    return ++asked <= row.signs.size() ? row.signs[asked - 1] : kNone;
                };
            },
            row.joint);
        EXPECT_EQ(changes, row.changes) << row.what;
        EXPECT_EQ(asked, row.asked) << row.what;
    }
}

TEST(ScreenQuadTest, TheWindingRuleDecides) {
    const std::array<Vec2, 4> square{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}};
    const std::array<Vec2, 4> clockwise{{{0, 0}, {0, 4}, {4, 4}, {4, 0}}};
    // A bow tie: its two triangles meet at (2, 2).
    const std::array<Vec2, 4> bowTie{{{0, 0}, {4, 4}, {4, 0}, {0, 4}}};
    const std::array<Vec2, 4> onALine{{{0, 0}, {1, 1}, {3, 3}, {2, 2}}};
    struct Row {
        const char* what;
        const std::array<Vec2, 4>& quad;
        Vec2 p;
        bool inside;
    };
    const Row rows[] = {
        {"inside", square, {1, 3}, true},
        {"outside", square, {5, 1}, false},
        {"on an edge", square, {4, 2.5L}, true},
        {"at a corner", square, {0, 4}, true},
        {"clockwise", clockwise, {3, 1}, true},
        {"tie, left half", bowTie, {0.5L, 2}, true},
        {"tie, right half", bowTie, {3.5L, 2}, true},
        {"tie, above", bowTie, {2, 3}, false},
        {"flat, on it", onALine, {1.5L, 1.5L}, true},
        {"flat, beside", onALine, {1.5L, 1.6L}, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsInsideQuadrilateral(row.p, row.quad), row.inside) << row.what;
}

}  // namespace
}  // namespace quorlin::plot3d::hidden
