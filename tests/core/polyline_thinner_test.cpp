#include "core/polyline_thinner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorlin {
namespace {

// The pieces as the thinner hands them on.
class Pieces : public TPolylineSink {
public:
    void Point(Vec2 p) override {
        if (!open_) pieces.emplace_back();
        open_ = true;
        pieces.back().push_back(p);
    }
    void Break() override { open_ = false; }

    std::vector<std::vector<Vec2>> pieces;

private:
    bool open_ = false;
};

long double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 d = b - a;
    const long double length2 = d.x * d.x + d.y * d.y;
    const long double s =
        length2 > 0 ? std::clamp(((p - a).x * d.x + (p - a).y * d.y) / length2, 0.0L, 1.0L) : 0;
    const Vec2 q = a + s * d - p;
    return std::hypot(q.x, q.y);
}

long double DistanceToPolyline(Vec2 p, const std::vector<Vec2>& line) {
    long double nearest = INFINITY;
    for (std::size_t i = 1; i < line.size(); ++i)
        nearest = std::min(nearest, DistanceToSegment(p, line[i - 1], line[i]));
    return nearest;
}

// Long traces in pixels (their own coordinates the pixels shifted, so that what goes out is
// told apart from the pixels): what goes out is bounded by the picture, not by the trace's
// length, and every point that went in lies within the tolerance of what went out.
TEST(PolylineThinner, LongTracesKeepWhatThePictureNeedsAndStayWithinTheTolerance) {
    constexpr long double kPi = std::numbers::pi_v<long double>;
    const struct {
        const char* name;
        Vec2 (*at)(long double s);  // s in [0, 1]
        std::size_t mostOut;
    } rows[] = {
        // A line with a wobble a tenth of a pixel high: its two ends.
        {"wobbly line",
         [](long double s) {
             return Vec2{3 + 700 * s, 40 + 0.1L * std::sin(9000 * s)};
         },
         2},
        // A circle of radius 100 pixels: a few dozen chords.
        {"circle",
         [](long double s) {
             return Vec2{200 + 100 * std::cos(2 * kPi * s), 150 + 100 * std::sin(2 * kPi * s)};
         },
         80},
        // A sine of amplitude 50 over 600 pixels, wave after wave.
        {"sine",
         [](long double s) {
             return Vec2{600 * s, 100 + 50 * std::sin(30 * s)};
         },
         400},
    };
    constexpr int kPoints = 200'000;
    const Vec2 shift{1000, -1000};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Pieces out;
        TPolylineThinner thinner(out, kPolylineThinning);
        std::vector<Vec2> in;
        for (int k = 0; k <= kPoints; ++k) {
            const Vec2 p = row.at(static_cast<long double>(k) / kPoints);
            in.push_back(p);
            thinner.Add(p, p + shift);
        }
        thinner.Break();
        ASSERT_EQ(out.pieces.size(), 1u);
        std::vector<Vec2> line;
        for (Vec2 q : out.pieces[0]) line.push_back(q - shift);
        EXPECT_LE(line.size(), row.mostOut);
        // The ends go out as they came, in their own coordinates.
        EXPECT_EQ(out.pieces[0].front().x, (in.front() + shift).x);
        EXPECT_EQ(out.pieces[0].back().y, (in.back() + shift).y);
        long double farthest = 0;
        for (std::size_t k = 0; k < in.size(); k += 37)
            farthest = std::max(farthest, DistanceToPolyline(in[k], line));
        EXPECT_LE(farthest, kPolylineThinning);
    }
}

// A corner is kept, a break splits the pieces, and a piece of one point is not handed on.
TEST(PolylineThinner, CornersAndBreaksAreKept) {
    Pieces out;
    TPolylineThinner thinner(out, kPolylineThinning);
    for (Vec2 p : {Vec2{0, 0}, Vec2{5, 0}, Vec2{10, 0}, Vec2{10, 7}, Vec2{10, 14}})
        thinner.Add(p, p);
    thinner.Break();
    thinner.Add({50, 50}, {50, 50});
    thinner.Break();
    thinner.Add({0, 30}, {0, 30});
    thinner.Add({0.1L, 30}, {0.1L, 30});
    thinner.Add({9, 31}, {9, 31});
    thinner.Break();
    ASSERT_EQ(out.pieces.size(), 2u);
    EXPECT_EQ(out.pieces[0].size(), 3u);
    EXPECT_EQ(out.pieces[0][1].x, 10);
    EXPECT_EQ(out.pieces[0][1].y, 0);
    EXPECT_EQ(out.pieces[1].size(), 2u);
    EXPECT_EQ(thinner.PointsOut(), 5u);
}

}  // namespace
}  // namespace quorlin
