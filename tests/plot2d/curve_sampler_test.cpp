#include "plot2d/curve_sampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "drawer_fixture.h"

namespace quorlin::plot2d {
namespace {

using Fn = long double (*)(long double);

// The graph of f over [a, b] as the sampler hands it on; with the evaluations it cost.
RecordingSink SampleExplicit(const std::function<long double(long double)>& f,
                             TSamplerSettings settings = {}, long double a = -5, long double b = 5,
                             long long* evaluations = nullptr) {
    RecordingSink sink;
    TCurvePipe pipe(kView, sink);
    TCurveSampler sampler(pipe, std::move(settings));
    sampler.Sample(
        [&](long double x, Vec2& p) {
            p = {x, f(x)};
            return std::isfinite(p.y);
        },
        a, b, kPixel);
    pipe.Finish();
    if (evaluations) *evaluations = sampler.Evaluations();
    return sink;
}

// Poles and jumps lift the pen unless jumps are joined; a vertical tangent, steep lines (one whose
// chord at the parameter's resolution spans the view) and a steep step do not; a hole splits the
// curve.
TEST(CurveSampler, PiecesOfPolesJumpsSteepPartsAndHoles) {
    const struct {
        Fn f;
        std::size_t pieces;
        bool detectJumps = true;
    } rows[] = {{[](long double x) { return std::tan(x); }, 5},
                {[](long double x) { return std::floor(x); }, 10},
                {[](long double x) { return std::floor(x); }, 1, false},
                {[](long double x) { return std::cbrt(x); }, 1},
                {[](long double x) { return 300 * x; }, 1},
                {[](long double x) { return 1e300L * x; }, 1},
                {[](long double x) { return std::atan(1e4L * x); }, 1},
                {[](long double x) { return std::sqrt(x * x - 1); }, 2}};
    for (const auto& row : rows) {
        TSamplerSettings settings;
        settings.detectJumps = row.detectJumps;
        EXPECT_EQ(SampleExplicit(row.f, settings).pieces.size(), row.pieces);
    }
    const RecordingSink tan = SampleExplicit([](long double x) { return std::tan(x); });
    ExpectOnCurve(tan, Graph([](auto x) { return std::tan(x); }), -5, 5, 1e-12L);
    for (std::size_t i = 1; i + 1 < tan.pieces.size(); ++i) {  // inner branches border to border
        EXPECT_LT(tan.pieces[i].front().y, -5);
        EXPECT_GT(tan.pieces[i].back().y, 5);
    }
    SampleExplicit([](long double x) { return std::floor(x); }).ForEachSegment([](Vec2 a, Vec2 b) {
        EXPECT_EQ(a.y, b.y);
    });
    const RecordingSink steep = SampleExplicit([](long double x) { return 1e300L * x; });
    ASSERT_FALSE(steep.pieces.empty());
    EXPECT_NEAR(steep.pieces[0].front().x, 0, 1e-12);
    // The domain's edges are reached.
    const RecordingSink circle = SampleExplicit([](long double x) { return std::sqrt(1 - x * x); });
    ASSERT_EQ(circle.pieces.size(), 1u);
    EXPECT_NEAR(circle.pieces[0].front().x, -1, 1e-9);
    EXPECT_NEAR(circle.pieces[0].back().x, 1, 1e-9);
    EXPECT_LT(circle.pieces[0].front().y, kPixel);
}

TEST(CurveSampler, WhatAPixelCanShowIsNotMissed) {
    // A spike a tenth of a pixel wide between two pixel columns.
    const long double c = 0.3L + 0.37L * kPixel, w = 0.1L * kPixel;
    const RecordingSink spike =
        SampleExplicit([&](long double x) { return 3 / (1 + (x - c) * (x - c) / (w * w)); });
    EXPECT_GT(spike.YRangeOver(c - kPixel, c + kPixel).second, 2.7L);

    // sin(1/x): in every pixel column where it swings through a whole period the drawing
    // covers [-1, 1].
    const RecordingSink wild =
        SampleExplicit([](long double x) { return std::sin(1 / x); }, {}, 0, 1);
    for (long double x = 0.01L; x < 0.2L; x += kPixel) {
        if (2 * kPi * x * x > kPixel / 2) continue;  // not a whole period in the column
        const auto [lo, hi] = wild.YRangeOver(x, x + kPixel);
        ASSERT_LT(lo, -0.95L) << (double)x;
        ASSERT_GT(hi, 0.95L) << (double)x;
    }
}

// A piece of the curve narrower than a pixel column, undefined on both sides of it, is drawn up
// to its top wherever it lies in the column.
TEST(CurveSampler, NarrowPiecesBetweenUndefinedEndsAreDrawn) {
    for (const long double offset : {0.5L, 0.3L, 0.72L}) {  // of a column, from its left end
        SCOPED_TRACE(static_cast<double>(offset));
        const long double c = 0.3L + offset * kPixel, w = 0.15L * kPixel;
        const RecordingSink piece = SampleExplicit([&](long double x) {
            const long double u = (x - c) / w;
            return u * u < 1 ? 3 * std::sqrt(1 - u * u) : std::nanl("");
        });
        ASSERT_FALSE(piece.pieces.empty());
        for (const auto& p : piece.pieces)
            for (Vec2 q : p) EXPECT_LE(std::fabs(q.x - c), w);
        long double top = 0;
        for (const auto& p : piece.pieces)
            for (Vec2 q : p) top = std::max(top, q.y);
        EXPECT_GT(top, 2.5L);
    }
}

// A spike that goes off the line and comes back along it, its ends on the line, keeps its tip:
// on a flat line and on a steep one, its tip in the middle of its column or off it.
TEST(CurveSampler, SpikesThatReturnToTheLineKeepTheirTips) {
    struct Spike {
        long double slope;      // of the line under it
        long double offset;     // of its tip in its column
        long double height;     // units
        long double halfWidth;  // pixels
    };
    for (const Spike& s :
         {Spike{0, 0.5L, 0.06L, 0.5L}, Spike{1, 0.5L, 0.06L, 0.5L}, Spike{0, 0.5L, 2, 0.5L},
          Spike{-2, 0.3L, 1.5L, 1}, Spike{0.5L, 0.7L, -1, 1}}) {
        SCOPED_TRACE(static_cast<double>(s.slope + s.offset + s.height));
        const long double c = 1.3L + s.offset * kPixel, w = s.halfWidth * kPixel;
        const auto f = [&](long double x) {
            return s.slope * x + s.height * std::max(0.0L, 1 - std::fabs(x - c) / w);
        };
        const RecordingSink sink = SampleExplicit(f);
        ASSERT_FALSE(sink.pieces.empty());
        long double farthest = 0;  // off the line, over the spike
        for (const auto& p : sink.pieces)
            for (Vec2 q : p)
                if (std::fabs(q.x - c) <= w)
                    farthest = std::max(farthest, std::fabs(q.y - s.slope * q.x));
        EXPECT_GT(farthest, 0.9L * std::fabs(s.height));
    }
}

TEST(CurveSampler, DegenerateRangesAndStepsDrawNothing) {
    RecordingSink sink;
    TCurvePipe pipe(kView, sink);
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
    EXPECT_TRUE(sink.pieces.empty());
    EXPECT_LT(sampler.Evaluations(), 10);
}

// The key poll is asked after every base step, however few a narrow window takes: Q stops
// the curve at the base point of that poll (a poll every 256 base steps never came in a window
// under 512 pixels).
TEST(CurveSampler, TheKeyPollIsAskedAfterEveryBaseStep) {
    struct Case {
        long double step;
        int quitAt;  // 0: never
        long long polls;
        int key;
        long double lastX;
    };
    // Base steps span two steps; base point k lies at -4 + step (2 k - 1.5): 17, 65 and 257
    // base steps over [-4, 4].
    const Case cases[] = {{0.25L, 0, 17, 0, 4},
                          {0.25L, 1, 1, kKeyStop, -3.875L},
                          {1 / 16.0L, 3, 3, kKeyStop, -3.71875L},
                          {1 / 16.0L, 0, 65, 0, 4},
                          {1 / 64.0L, 200, 200, kKeyStop, 2.2265625L}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.step) * 1000 + c.quitAt);
        RecordingSink sink;
        TCurvePipe pipe(kView, sink);
        long long polls = 0;
        TSamplerSettings settings;
        settings.pollKey = [&] { return ++polls == c.quitAt ? kKeyStop : 0; };
        TCurveSampler sampler(pipe, settings);
        const CurveFunction half = [](long double t, Vec2& p) {
            p = {t, t / 2};
            return true;
        };
        EXPECT_EQ(sampler.Sample(half, -4, 4, c.step), c.key);
        pipe.Finish();
        ASSERT_FALSE(sink.pieces.empty());
        EXPECT_EQ(std::tuple(polls, sink.pieces.back().back().x), std::tuple(c.polls, c.lastX));
    }
}

// A circle of radius 4 in 10 base steps is refined round; a smooth graph costs a few
// evaluations per pixel.
TEST(CurveSampler, ParametricCurvesAreRefinedWhereTheyTurnAndSmoothOnesCostLittle) {
    RecordingSink sink;
    TCurvePipe pipe(kView, sink);
    TCurveSampler sampler(pipe);
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

    long long cost = 0;
    const RecordingSink smooth =
        SampleExplicit([](auto x) { return 3 * std::sin(x); }, {}, -5, 5, &cost);
    EXPECT_LT(cost, 3 * 401);
    ASSERT_EQ(smooth.pieces.size(), 1u);
    EXPECT_LT(smooth.pieces[0].size(), 120u);
}

// The largest distance in pixels of the drawing (its points and the points along its segments)
// from the true graph of f, found among the graph's chords a thousandth of a pixel of x long,
// searched outwards from the point's x up to a pixel either side; points outside the area are
// left out (the pipe runs on a little beyond it).
long double LargestDistanceFromGraph(const RecordingSink& sink, const TPlotSpace& space,
                                     const std::function<long double(long double)>& f) {
    constexpr int kChordsPerPixel = 1000;
    const long double step = (space.ToPlot({1, 0}).x - space.ToPlot({0, 0}).x) / kChordsPerPixel;
    const auto chordDistance = [&](Vec2 pixel, long double x0, long double x1) {
        const Vec2 a = space.ToPixel({x0, f(x0)}), b = space.ToPixel({x1, f(x1)});
        if (!std::isfinite(a.y) || !std::isfinite(b.y)) return static_cast<long double>(INFINITY);
        const Vec2 d = b - a;
        const long double length2 = d.x * d.x + d.y * d.y;
        const long double s =
            length2 > 0
                ? std::clamp(((pixel - a).x * d.x + (pixel - a).y * d.y) / length2, 0.0L, 1.0L)
                : 0;
        const Vec2 q = a + s * d - pixel;
        return std::hypot(q.x, q.y);
    };
    const auto distance = [&](Vec2 pixel) {
        const long double x = space.ToPlot(pixel).x;
        long double nearest = INFINITY;
        for (int i = 0; i < kChordsPerPixel && nearest > 0.01L; ++i)
            nearest = std::min({nearest, chordDistance(pixel, x + i * step, x + (i + 1) * step),
                                chordDistance(pixel, x - (i + 1) * step, x - i * step)});
        return nearest;
    };
    const TPixelBox area = space.Area();
    long double largest = 0;
    sink.ForEachSegment([&](Vec2 a, Vec2 b) {
        const Vec2 pa = space.ToPixel(a), pb = space.ToPixel(b);
        for (int k = 0; k <= 8; ++k) {
            const Vec2 p = pa + (k / 8.0L) * (pb - pa);
            if (area.Contains(p)) largest = std::max(largest, distance(p));
        }
    });
    return largest;
}

// At 1000 x 700 pixels, with unequal scales, the drawing of poles, a hyperbola, wild oscillation
// and a steep exponential stays within half a pixel of the true graph everywhere.
TEST(CurveSampler, DrawingsStayWithinHalfAPixelOfTheTrueCurve) {
    const struct {
        const char* name;
        long double (*f)(long double);
        long double x0, x1, y0, y1;
    } rows[] = {
        {"tan x", [](long double x) { return std::tan(x); }, -5, 5, -5, 5},
        {"1/x", [](long double x) { return 1 / x; }, -2, 2, -10, 10},
        {"sin(1/x)", [](long double x) { return std::sin(1 / x); }, -1, 1, -1.5L, 1.5L},
        {"exp(12x)", [](long double x) { return std::exp(12 * x); }, -1, 1.5L, -2, 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const TPlotSpace space = TPlotSpace::Over(row.x0, row.x1, row.y0, row.y1, 1000, 700);
        RecordingSink sink;
        TCurvePipe pipe(space, sink);
        TCurveSampler sampler(pipe);
        sampler.Sample(
            [&](long double x, Vec2& p) {
                p = {x, row.f(x)};
                return std::isfinite(p.y);
            },
            row.x0, row.x1, (row.x1 - row.x0) / 1000);
        pipe.Finish();
        ASSERT_FALSE(sink.pieces.empty());
        EXPECT_LE(LargestDistanceFromGraph(sink, space, row.f), 0.5L);
    }
}

}  // namespace
}  // namespace quorlin::plot2d
