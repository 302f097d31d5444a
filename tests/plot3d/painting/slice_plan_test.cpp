// The planning of slices and the 3D segment drawer on a recording sink: the values and counts
// of each direction (every slice with the example's own count, at least one step), a curve
// and a segment as one slice; runs of drawn samples behind a surface, out of the view and out
// of the box; the whole segment when nothing is tested; Q from an injected poll.
#include "plot3d/painting/slice_plan.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

namespace quorlin::plot3d {
namespace {

using examples::TExample;
namespace kind = examples::kind;

TEST(SlicePlanTest, EachDirectionTakesItsRangesAndTheExamplesOwnCounts) {
    TExample e;
    e.Init(kind::kPolarSurface, 2, 50);
    e.rangeLow = {0.5L, -3};
    e.rangeHigh = {2.5L, 1};
    e.divisions = {4, 8, 36};
    e.slicePoints = {30, 70};
    const TSlicePlan one = PlanSlices(e, 1);  // t fixed: 8 slices of 30 steps in r
    EXPECT_EQ(one.slices, 8);
    EXPECT_EQ(one.steps, 30);
    EXPECT_EQ(one.FixedValue(0), -3);
    EXPECT_EQ(one.FixedValue(3), -1.5L);
    EXPECT_EQ(one.FixedValue(8), 1);
    EXPECT_EQ(one.RunningValue(15), 1.5L);
    EXPECT_EQ(one.RunningValue(30), 2.5L);
    const TSlicePlan two = PlanSlices(e, 2);  // r fixed: 4 slices of 70 steps in t
    EXPECT_EQ(two.slices, 4);
    EXPECT_EQ(two.steps, 70);
    EXPECT_EQ(two.FixedValue(1), 1);
    EXPECT_EQ(two.RunningValue(35), -1);
    // A t range of length 0 and counts of 0 still give one step and one slice.
    e.rangeHigh[1] = -3;
    e.divisions = {0, 0, 36};
    e.slicePoints = {0, -5};
    const TSlicePlan flat = PlanSlices(e, 1);
    EXPECT_EQ(flat.slices, 1);
    EXPECT_EQ(flat.steps, 1);
    EXPECT_EQ(flat.FixedValue(1), -3);
}

TEST(SlicePlanTest, EverySliceOfAPolarSurfaceTakesItsOwnCount) {
    // Slices at fixed t whatever t is: t high 0, or t from -2 pi to pi / 2.
    struct Row {
        long double tLow, tHigh;
    };
    for (const Row row : {Row{-1, 0}, Row{-2 * std::numbers::pi_v<long double>,
                                          std::numbers::pi_v<long double> / 2}}) {
        TExample e;
        e.Init(kind::kPolarSurface, 2, 50);
        e.rangeLow = {0, row.tLow};
        e.rangeHigh = {2, row.tHigh};
        e.divisions = {6, 5, 36};
        e.slicePoints = {17, 23};
        const TSlicePlan plan = PlanSlices(e, 1);
        EXPECT_EQ(plan.slices, 5);
        EXPECT_EQ(plan.steps, 17);
        EXPECT_EQ(plan.FixedValue(5), row.tHigh);
        EXPECT_EQ(plan.RunningValue(17), 2);
    }
}

TEST(SlicePlanTest, ACurveAndASegmentAreOneSliceAtTheHighEnd) {
    for (const int k : {kind::kSpaceCurve, kind::kSpaceSegment}) {
        TExample e;
        e.Init(k, 2, 50);
        e.rangeLow = {-1, 2};
        e.rangeHigh = {3, 7};
        e.slicePoints = {40, 90};
        const TSlicePlan plan = PlanSlices(e, 1);
        EXPECT_EQ(plan.slices, 0) << k;
        EXPECT_EQ(plan.steps, 40) << k;
        EXPECT_EQ(plan.FixedValue(0), 7) << k;
        EXPECT_EQ(plan.RunningValue(10), 0) << k;
    }
}

// The segment drawer's world along the x-axis: x projects to (x, 0); hidden, out of the box
// or out of the view where the row says.
struct Recording {
    std::vector<std::pair<long double, long double>> runs;
    std::vector<std::pair<long double, long double>> wholes;
    int samples = 0;
};

TSegmentWorld World(Recording& rec, long double boxHigh, long double viewHigh,
                    std::pair<long double, long double> shadow) {
    TSegmentWorld w;
    w.insideBox = [boxHigh](Vec3 p) { return p.x <= boxHigh; };
    w.hidden = [&rec, shadow](Vec3 p) {
        ++rec.samples;
        return p.x > shadow.first && p.x < shadow.second;
    };
    w.project = [](Vec3 p) { return Vec2{p.x, 0}; };
    w.inView = [viewHigh](Vec2 q) { return q.x <= viewHigh; };
    w.run = [&rec](Vec2 p, Vec2 q) { rec.runs.emplace_back(p.x, q.x); };
    w.whole = [&rec](Vec2 p, Vec2 q) { rec.wholes.emplace_back(p.x, q.x); };
    return w;
}

TEST(SlicePlanTest, ASegmentIsDrawnAsItsRunsOfVisibleSamples) {
    using Runs = std::vector<std::pair<long double, long double>>;
    struct Row {
        const char* what;
        TSegmentOptions options;
        long double boxHigh, viewHigh;
        std::pair<long double, long double> shadow;
        Runs runs, wholes;
    };
    // The segment (0, 0, 0) -> (8, 0, 0) in 8 steps: samples at x = 0, 1, ..., 8.
    const Row rows[] = {
        {"behind a surface", {.steps = 8}, 99, 99, {2.5L, 4.5L}, {{0, 2}, {5, 8}}, {}},
        {"a last run of one sample", {.steps = 8}, 99, 99, {6.5L, 7.5L}, {{0, 6}, {8, 8}}, {}},
        {"leaving the box", {.steps = 8}, 5.5L, 99, {-1, -1}, {{0, 5}}, {}},
        {"leaving the view", {.steps = 8}, 99, 3, {-1, -1}, {{0, 3}}, {}},
        {"nothing tested",
         {.insideBox = false, .hideSegments = false, .steps = 8},
         5,
         3,
         {2, 4},
         {},
         {{0, 8}}},
        {"drawn whole", {.drawWhole = true, .steps = 8}, 5, 3, {2, 4}, {}, {{0, 8}}},
        {"no steps", {.steps = 0}, 99, 99, {-1, -1}, {{0, 8}}, {}},
    };
    for (const Row& row : rows) {
        Recording rec;
        TStopPoll poll({});
        EXPECT_EQ(DrawSegmentRuns({0, 0, 0}, {8, 0, 0}, row.options,
                                  World(rec, row.boxHigh, row.viewHigh, row.shadow), poll),
                  0)
            << row.what;
        EXPECT_EQ(rec.runs, row.runs) << row.what;
        EXPECT_EQ(rec.wholes, row.wholes) << row.what;
    }
}

TEST(SlicePlanTest, QFromThePollStopsAfterTheCurrentSampleAndEndsItsRun) {
    Recording rec;
    int polls = 0;
    TStopPoll poll([&polls] { return ++polls == 3 ? 81 : 0; }, TStopPoll::Clock::duration{});
    EXPECT_EQ(
        DrawSegmentRuns({0, 0, 0}, {8, 0, 0}, {.steps = 8}, World(rec, 99, 99, {-1, -1}), poll),
        81);
    EXPECT_EQ(rec.samples, 3);
    EXPECT_EQ(rec.runs, (std::vector<std::pair<long double, long double>>{{0, 2}}));
    EXPECT_EQ(poll(), 81);  // Q sticks
    EXPECT_EQ(polls, 3);
}

TEST(SlicePlanTest, ATimedPollAsksOnlyOncePerInterval) {
    int polls = 0;
    TStopPoll poll(
        [&polls] {
            ++polls;
            return 0;
        },
        std::chrono::hours(1));
    for (int k = 0; k < 100; ++k) EXPECT_EQ(poll(), 0);
    EXPECT_EQ(polls, 0);
}

}  // namespace
}  // namespace quorlin::plot3d
