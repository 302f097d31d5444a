#include "plot2d/shading.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/random.h"
#include "drawer_fixture.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;

long double Area(const std::vector<Vec2>& polygon) {
    long double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vec2 a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

TEST_F(DrawerTest, ShadingsFillAndHatchTheirRegions) {
    const int line = Add(k::kExplicit, {"", "x"});
    const int parabola = Add(k::kExplicit, {"", "x^2"});
    TShadeRecord between{static_cast<std::int16_t>(line), static_cast<std::int16_t>(parabola)};
    between.intervalOn = 1;
    between.low = 0;
    between.high = 1;
    between.colour = 9;
    DrawShadeList(env, {between}, {true, false});
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_NEAR((double)Area(canvas.fills[0]), 1.0 / 6, 0.01);
    EXPECT_EQ(canvas.fillColours[0], 9);

    // Hatched with horizontal lines (pattern 5): every line lies between the curves.
    canvas.Clear();
    between.style = 5;
    DrawShadeList(env, {between}, {false, false});
    EXPECT_TRUE(canvas.fills.empty());
    ASSERT_GT(Curve().pieces.size(), 3u);
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece) {
            EXPECT_NEAR(p.y, piece[0].y, 1e-9);
            EXPECT_GE(p.y, p.x * p.x - kPixel);
            EXPECT_LE(p.y, p.x + kPixel);
        }

    // Above y = x^2 - 1 and below y = 1, intersected: the region between them over
    // |x| < sqrt 2, of area 8 sqrt(2) / 3.
    canvas.Clear();
    const int cup = Add(k::kExplicit, {"", "x^2-1"});
    const int one = Add(k::kExplicit, {"", "1"});
    const TShadeRecord above{static_cast<std::int16_t>(cup), TShadeRecord::kAbove};
    const TShadeRecord below{static_cast<std::int16_t>(one), TShadeRecord::kBelow};
    DrawShadeList(env, {above, below}, {true, true});
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_NEAR((double)Area(canvas.fills[0]), 8 * std::sqrt(2.0) / 3, 0.025);
}

TEST_F(DrawerTest, ImplicitRegionsAndTheirCentroid) {
    // x^2 + y^2 < 1 about (1, 0.5): F = 1 - ((x-1)^2 + (y-0.5)^2) on the "<" side.
    const int disc = Add(k::kImplicit, {"", "", "1-((x-1)^2+(y-0.5)^2)"}, [](auto& e) {
        e.subKind = 1;
        e.listing = 12;
    });
    ShadeImplicitRegions(env, {2, 0});
    long double area = 0;
    for (const auto& polygon : canvas.fills) area += Area(polygon);
    EXPECT_NEAR((double)area, (double)kPi, 0.03);
    ASSERT_FALSE(canvas.fillColours.empty());
    EXPECT_EQ(canvas.fillColours[0], 12);

    SeedRandom(5);
    const TDartThrow darts = ThrowDarts(ctx, inventory, canvas.Space(), 20000, -1);
    ASSERT_TRUE(darts.centroid);
    EXPECT_NEAR((double)darts.centroid->x, 1, 0.03);
    EXPECT_NEAR((double)darts.centroid->y, 0.5, 0.03);
    EXPECT_NEAR((double)darts.hitCount / 20000, kPi / 100, 0.005);
    // Without an inequality there is nothing to throw at.
    inventory[disc].subKind = 0;
    EXPECT_FALSE(ThrowDarts(ctx, inventory, canvas.Space(), 100, -1).centroid);
}

// A throw keeps one hit a pixel, whatever its count: at the largest count the dialog takes,
// stopped by an injected key after some throws, the kept hits fill the 9 x 7 pixels of the
// space once each; the counts and the centroid are those of every dart all the same.
TEST_F(DrawerTest, DartsKeepAHitAPixelAtAnyCount) {
    // x < 1 over the view [-3, 5] x [-1, 2], which the disc of radius 10 holds whole.
    Add(k::kImplicit, {"", "", "1-x"}, [](auto& e) { e.subKind = 1; });
    const int disc = Add(k::kImplicit, {"", "", "100-x^2-y^2"}, [](auto& e) { e.subKind = 1; });
    const TPlotSpace space = TPlotSpace::Over(-3, 5, -1, 2, 9, 7);
    const struct Row {
        const char* name;
        long long count;
        long long stopAfter;  // throws before the injected key; 0: none
        int region;
        bool keepHits;
        long double hitShare, centroidX, centroidY;  // of the whole throw, closed forms
        std::size_t kept;
    } rows[] = {
        {"the largest count, stopped", 2147483647, 300000, disc, true, 1, 1, 0.5L, 63},
        {"the largest count, stopped, darts not shown", 2147483647, 300000, disc, false, 1, 1, 0.5L,
         0},
        {"both regions: the half x < 1", 60000, 0, -1, true, 0.5L, -1, 0.5L, 35},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SeedRandom(11);
        long long polls = 0;
        const auto poll = [&] { return ++polls == row.stopAfter ? kKeyStop : 0; };
        const TDartThrow darts =
            ThrowDarts(ctx, inventory, space, row.count, row.region, poll, row.keepHits);
        const long long thrown = row.stopAfter > 0 ? row.stopAfter : row.count;
        EXPECT_EQ(darts.thrown, thrown);
        EXPECT_EQ(darts.stopped, row.stopAfter > 0);
        EXPECT_NEAR(static_cast<double>(darts.hitCount) / static_cast<double>(thrown),
                    static_cast<double>(row.hitShare), 0.01);
        EXPECT_EQ(darts.hits.size(), row.kept);
        EXPECT_EQ(darts.centroid.has_value(), row.stopAfter == 0);
        if (darts.centroid) {
            EXPECT_NEAR(static_cast<double>(darts.centroid->x), static_cast<double>(row.centroidX),
                        0.03);
            EXPECT_NEAR(static_cast<double>(darts.centroid->y), static_cast<double>(row.centroidY),
                        0.03);
        }
        const long double right = row.region < 0 ? 1 : 5;
        for (const Vec2 p : darts.hits)
            EXPECT_TRUE(p.x >= -3 && p.x <= right && p.y >= -1 && p.y <= 2);
    }
}

}  // namespace
}  // namespace quorlin::plot2d
