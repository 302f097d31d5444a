#include "plot2d/curve_pipe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "drawer_fixture.h"

namespace quorlin::plot2d {
namespace {

TEST(CurvePipe, CollinearAndSubPixelPointsBecomeOneSegment) {
    RecordingSink sink;
    {
        TCurvePipe pipe(kView, sink);
        for (int i = 0; i <= 1000; ++i) pipe.Add({-4 + 8 * i / 1000.0L, 1 + 0.5L * i / 1000.0L});
        pipe.Break();
        for (int i = 0; i <= 50; ++i) pipe.Add({1 + 1e-4L * i, 2});  // all within a pixel
    }
    ASSERT_EQ(sink.pieces.size(), 2u);
    EXPECT_EQ(sink.pieces[0].size(), 2u);
    EXPECT_EQ(sink.pieces[1].size(), 2u);  // its first and last point
}

TEST(CurvePipe, EveryDroppedPointStaysWithinTheTolerance) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(-0.2, 0.2);
    std::vector<Vec2> in;  // a wobbly spiral in pixels, points about a pixel apart
    for (int i = 0; i < 5000; ++i) {
        const long double t = i * 0.004L;
        const long double r = 20 + 8 * t;
        in.push_back(kView.ToPlot(
            {200 + r * std::cos(t) + jitter(random), 200 + r * std::sin(t) + jitter(random)}));
    }
    RecordingSink sink;
    {
        TCurvePipe pipe(kView, sink);
        for (Vec2 p : in) pipe.Add(p);
    }
    ASSERT_EQ(sink.pieces.size(), 1u);
    const auto& out = sink.pieces[0];
    EXPECT_LT(out.size(), in.size() / 4);
    for (Vec2 p : in) {
        const Vec2 px = kView.ToPixel(p);
        long double best = INFINITY;
        for (std::size_t j = 1; j < out.size(); ++j)
            best = std::min(
                best, DistanceToSegment(px, kView.ToPixel(out[j - 1]), kView.ToPixel(out[j])));
        ASSERT_LE(best, 0.36L);
    }
}

TEST(CurvePipe, PiecesAreCutAtTheAreaAndNothingFarOffReachesTheSink) {
    RecordingSink sink;
    {
        TCurvePipe pipe(kView, sink);
        pipe.Add({-1e30L, 0});  // far off on the left, then across the view to far off right
        pipe.Add({1e30L, 0});
        pipe.Add({1e30L, 1e30L});  // stays off
        pipe.Add({3, 1e30L});
        pipe.Add({3, 1});  // comes back from above
    }
    ASSERT_EQ(sink.pieces.size(), 2u);
    for (const auto& piece : sink.pieces)
        for (Vec2 p : piece)
            EXPECT_TRUE(
                kView.Area().Widened(TCurvePipe::kClipMargin + 1e-6L).Contains(kView.ToPixel(p)));
    EXPECT_NEAR(sink.pieces[0].front().y, 0, 1e-12);
    EXPECT_NEAR(sink.pieces[1].back().x, 3, 1e-12);
    EXPECT_NEAR(sink.pieces[1].back().y, 1, 1e-12);
}

}  // namespace
}  // namespace quorlin::plot2d
