#include "plot2d/curve_sampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "recording_sink.h"

namespace quorlin::plot2d {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
// 40 pixels to the unit; one base step per pixel of x.
const TPlotSpace kSpace = TPlotSpace::Over(-5, 5, -5, 5, 401, 401);
constexpr long double kPixel = 0.025L;

using Fn = long double (*)(long double);

RecordingSink SampleExplicit(const std::function<long double(long double)>& f,
                             TSamplerSettings settings = {}, long double a = -5,
                             long double b = 5) {
    RecordingSink sink;
    TCurvePipe pipe(kSpace, sink);
    TCurveSampler sampler(pipe, std::move(settings));
    sampler.Sample(
        [&](long double x, Vec2& p) {
            p = {x, f(x)};
            return std::isfinite(p.y);
        },
        a, b, kPixel);
    pipe.Finish();
    return sink;
}

// No drawn segment spans one of the points x where the curve jumps or has a pole.
void ExpectNothingAcross(const RecordingSink& sink, const std::vector<long double>& xs) {
    sink.ForEachSegment([&](Vec2 a, Vec2 b) {
        for (long double x : xs)
            ASSERT_FALSE(std::min(a.x, b.x) < x && x < std::max(a.x, b.x))
                << "segment (" << (double)a.x << "," << (double)a.y << ")-(" << (double)b.x << ","
                << (double)b.y << ") across " << (double)x;
    });
}

TEST(CurveSampler, PolesAndJumpsLiftThePen) {
    const std::vector<long double> tanPoles = {-1.5L * kPi, -0.5L * kPi, 0.5L * kPi, 1.5L * kPi};
    const RecordingSink tan = SampleExplicit([](long double x) { return std::tan(x); });
    ExpectNothingAcross(tan, tanPoles);
    EXPECT_EQ(tan.pieces.size(), 5u);
    // Each inner branch runs from border to border.
    for (std::size_t i = 1; i + 1 < tan.pieces.size(); ++i) {
        EXPECT_LT(tan.pieces[i].front().y, -5);
        EXPECT_GT(tan.pieces[i].back().y, 5);
    }
    const RecordingSink reciprocal = SampleExplicit([](long double x) { return 1 / x; });
    ExpectNothingAcross(reciprocal, {0});
    EXPECT_EQ(reciprocal.pieces.size(), 2u);

    const RecordingSink floor = SampleExplicit([](long double x) { return std::floor(x); });
    EXPECT_EQ(floor.pieces.size(), 10u);
    floor.ForEachSegment([](Vec2 a, Vec2 b) { EXPECT_EQ(a.y, b.y); });
}

TEST(CurveSampler, WithoutJumpDetectionAStepIsJoined) {
    TSamplerSettings settings;
    settings.detectJumps = false;
    const RecordingSink floor =
        SampleExplicit([](long double x) { return std::floor(x); }, settings);
    EXPECT_EQ(floor.pieces.size(), 1u);
}

TEST(CurveSampler, SteepContinuousPartsAreDrawnWhole) {
    // The cube root has a vertical tangent at 0, a steep line crosses the view: one piece each.
    EXPECT_EQ(SampleExplicit([](long double x) { return std::cbrt(x); }).pieces.size(), 1u);
    EXPECT_EQ(SampleExplicit([](long double x) { return 300 * x; }).pieces.size(), 1u);
    // So steep that its chord at the parameter's resolution spans the view: still joined.
    const RecordingSink steep = SampleExplicit([](long double x) { return 1e300L * x; });
    ASSERT_EQ(steep.pieces.size(), 1u);
    EXPECT_NEAR(steep.pieces[0].front().x, 0, 1e-12);
    const RecordingSink atan = SampleExplicit([](long double x) { return std::atan(1e4L * x); });
    EXPECT_EQ(atan.pieces.size(), 1u);
}

TEST(CurveSampler, DomainEdgesAreReachedAndHolesSplitTheCurve) {
    const RecordingSink circle = SampleExplicit([](long double x) { return std::sqrt(1 - x * x); });
    ASSERT_EQ(circle.pieces.size(), 1u);
    EXPECT_NEAR(circle.pieces[0].front().x, -1, 1e-9);
    EXPECT_NEAR(circle.pieces[0].back().x, 1, 1e-9);
    EXPECT_LT(circle.pieces[0].front().y, kPixel);

    const RecordingSink outside =
        SampleExplicit([](long double x) { return std::sqrt(x * x - 1); });
    EXPECT_EQ(outside.pieces.size(), 2u);
    ExpectNothingAcross(outside, {0});
}

TEST(CurveSampler, WhatAPixelCanShowIsNotMissed) {
    // A spike a tenth of a pixel wide between two pixel columns.
    const long double c = 0.3L + 0.37L * kPixel, w = 0.1L * kPixel;
    const RecordingSink spike =
        SampleExplicit([&](long double x) { return 3 / (1 + (x - c) * (x - c) / (w * w)); });
    EXPECT_GT(spike.YRangeOver(c - kPixel, c + kPixel).second, 2.7L);

    // sin(1/x): in every pixel column where it swings through a whole period the drawing
    // covers [-1, 1].
    TSamplerSettings settings;
    const RecordingSink wild =
        SampleExplicit([](long double x) { return std::sin(1 / x); }, settings, 0, 1);
    for (long double x = 0.01L; x < 0.2L; x += kPixel) {
        if (2 * kPi * x * x > kPixel / 2) continue;  // not a whole period in the column
        const auto [lo, hi] = wild.YRangeOver(x, x + kPixel);
        ASSERT_LT(lo, -0.95L) << (double)x;
        ASSERT_GT(hi, 0.95L) << (double)x;
    }
}

TEST(CurveSampler, DegenerateRangesAndStepsDrawNothing) {
    RecordingSink sink;
    TCurvePipe pipe(kSpace, sink);
    TCurveSampler sampler(pipe);
    const CurveFunction f = [](long double t, Vec2& p) {
        p = {t, t};
        return true;
    };
    EXPECT_EQ(sampler.Sample(f, -1, 1, 0), 0);
    EXPECT_EQ(sampler.Sample(f, -1, 1, -0.1L), 0);
    EXPECT_EQ(sampler.Sample(f, 1, -1, 0.1L), 0);
    EXPECT_EQ(sampler.Sample(f, 1, 1, 0.1L), 0);
    EXPECT_EQ(sampler.Sample(f, 0, INFINITY, 0.1L), 0);
    EXPECT_EQ(sampler.Sample(f, 1e25L, 1e25L + 1e6L, 1e-3L), 0);  // does not advance
    pipe.Finish();
    EXPECT_EQ(sink.PointCount(), 0u);
    EXPECT_LT(sampler.Evaluations(), 10);
}

TEST(CurveSampler, ParametricCurvesAreRefinedWhereTheyTurn) {
    RecordingSink sink;
    TCurvePipe pipe(kSpace, sink);
    TCurveSampler sampler(pipe);
    // A circle of radius 4 in 10 base steps: refinement makes it round.
    sampler.Sample(
        [](long double t, Vec2& p) {
            p = {4 * std::cos(t), 4 * std::sin(t)};
            return true;
        },
        0, 2 * kPi, 2 * kPi / 10);
    pipe.Finish();
    ASSERT_EQ(sink.pieces.size(), 1u);
    sink.ForEachSegment([](Vec2 a, Vec2 b) {
        const Vec2 m = 0.5L * (a + b);  // the chord's middle stays within half a pixel
        EXPECT_GT(std::hypot(m.x, m.y), 4 - 0.6L * kPixel);
    });
    EXPECT_NEAR(sink.pieces[0].front().x, sink.pieces[0].back().x, 1e-12);
}

TEST(CurveSampler, ASmoothCurveCostsAFewEvaluationsPerPixel) {
    RecordingSink sink;
    TCurvePipe pipe(kSpace, sink);
    TCurveSampler sampler(pipe);
    sampler.Sample(
        [](long double x, Vec2& p) {
            p = {x, 3 * std::sin(x)};
            return true;
        },
        -5, 5, kPixel);
    pipe.Finish();
    EXPECT_LT(sampler.Evaluations(), 3 * 401);
    EXPECT_LT(pipe.PointsOut(), 120u);
}

}  // namespace
}  // namespace quorlin::plot2d
