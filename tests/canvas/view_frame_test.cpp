// The view frame: transforms against their closed forms, clamping, clipping in every direction,
// arrowheads, planes, power-of-ten labels and the automatic tick intervals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "canvas/axes_settings.h"
#include "canvas/view_frame.h"
#include "support/all_near.h"
#include "support/extreme_views.h"

namespace quorlin::canvas {
namespace {

using quorlin::testing::AllNear;

TViewFrame Frame(long double cx, long double cy, long double hw, int w, int h) {
    TViewFrame f;
    f.SetAreaSize(w, h);
    f.SetView(cx, cy, hw, 0, false);
    return f;
}

TEST(ViewFrame, ScalesFollowTheAreaTheAspectAndTheCorners) {
    TViewFrame f = Frame(1.5L, -2, 4, 401, 201);
    EXPECT_TRUE(AllNear({f.unitsPerPixelX, f.unitsPerPixelY, f.halfHeight, f.left, f.up},
                        {8.0L / 400, 8.0L / 400, 2, -2.5L, 0}));
    f.aspect = 2;
    f.RecomputeView();
    EXPECT_TRUE(AllNear({f.unitsPerPixelY, f.halfHeight}, {2 * f.unitsPerPixelX, 4}));
    f.aspect = 1;  // more height than the width gives widens the width
    f.SetView(0, 0, 1, 5, false);
    EXPECT_TRUE(AllNear({f.halfWidth, f.halfHeight}, {10, 5}));

    // Corners unlink the scales; "square" links them again.
    f = Frame(0, 0, 5, 401, 401);
    f.SetView(0, 0, 4, 1, true);
    EXPECT_TRUE(AllNear({f.unitsPerPixelX, f.unitsPerPixelY, f.aspect}, {0.02L, 0.005L, 0.25L}));
    f.aspect = 1;
    f.SetView(f.centreX, f.centreY, f.halfWidth, 0, false);
    EXPECT_TRUE(AllNear({f.unitsPerPixelY, f.halfHeight}, {f.unitsPerPixelX, 4}));

    // Zooming keeps the centre.
    f = Frame(3, 1, 2, 301, 301);
    f.zoomFactor = 2.5L;
    f.Zoom(true);
    EXPECT_TRUE(AllNear({f.halfWidth, f.centreX}, {5, 3}));
    f.Zoom(false);
    EXPECT_TRUE(AllNear({f.halfWidth, f.left}, {2, 1}));
}

TEST(ViewFrame, WorldScreenRoundTripAndTheExportViewMapsExactlyLikeIt) {
    TViewFrame f = Frame(0.3L, -7.25L, 3.7L, 517, 389);
    f.leftMargin = 12;
    f.topMargin = 30;
    const ExportView v = f.ToExportView();
    for (int i = -10; i <= 110; ++i) {
        const WorldPoint p{f.left + (f.right - f.left) * i / 100,
                           f.down + (f.up - f.down) * (100 - i) / 100};
        QPoint a;
        ScreenPoint b;
        EXPECT_EQ(f.PointToScreen(p, a), v.PointToScreen(p, b));
        EXPECT_EQ(a, QPoint(b.x, b.y));
        EXPECT_EQ(f.IsInView(p), v.IsInView(p));
        EXPECT_EQ(f.ScreenToX(a.x()), v.ScreenToX(b.x));
        EXPECT_EQ(f.ScreenToY(a.y()), v.ScreenToY(b.y));
        if (!f.IsInView(p)) continue;
        // Within half a pixel back, and the unrounded pixel rounds to the clamped one.
        EXPECT_LE(std::fabs(f.ScreenToX(a.x()) - p.x), f.unitsPerPixelX / 2 + 1e-15L);
        EXPECT_LE(std::fabs(f.ScreenToY(a.y()) - p.y), f.unitsPerPixelY / 2 + 1e-15L);
        EXPECT_EQ(std::lround(f.Mapping().XToPixel(p.x)), a.x());
        EXPECT_EQ(std::lround(f.Mapping().YToPixel(p.y)), a.y());
    }
    EXPECT_EQ(f.XToScreen(f.left), 12);
    EXPECT_EQ(f.XToScreen(f.right), 12 + 516);
    EXPECT_EQ(f.YToScreen(f.up), 30);
    QPoint p;
    EXPECT_TRUE(f.PointToScreen({f.centreX, f.centreY}, p));
    EXPECT_EQ(p, QPoint(12 + 258, 30 + 194));
}

TEST(ViewFrame, OutsidePointsAndRectanglesAreHeldToTheArea) {
    TViewFrame f = Frame(0, 0, 5, 401, 301);
    f.leftMargin = 10;
    const long double upx = f.unitsPerPixelX;
    for (const auto& [x, px] : {std::pair{f.left - 2 * upx, 9},
                                {f.right + 2 * upx, 10 + 402},
                                {1e300L, 10 + 402},
                                {-1e300L, 9}})
        EXPECT_EQ(f.XToScreen(x), px) << static_cast<double>(x);
    EXPECT_EQ(f.YToScreen(f.up + 1), -1);
    EXPECT_EQ(f.YToScreen(f.down - 1), 302);
    QPoint p;
    EXPECT_FALSE(f.PointToScreen({6, 0}, p));
    EXPECT_EQ(p.x(), 10 + 402);
    EXPECT_TRUE(f.IsInView({5, -f.halfHeight}));
    EXPECT_FALSE(f.IsInView({5.001L, 0}));
    // The ends of a line clipped to the view widened by a pixel sit one pixel past each edge.
    const TLDRect clip = f.ClipRect();
    EXPECT_EQ((std::array{f.XToScreen(clip.xLow), f.XToScreen(clip.xHigh), f.YToScreen(clip.yHigh),
                          f.YToScreen(clip.yLow)}),
              (std::array{10 - 1, 10 + 401, -1, 301}));

    // Rectangles between the screen and the world.
    f = Frame(0, 0, 5, 401, 401);
    const TLDRect w = f.ScreenRectToWorld({100, 50, 300, 250});
    EXPECT_TRUE(AllNear({w.xLow, w.xHigh, w.yHigh, w.yLow}, {-2.5L, 2.5L, 3.75L, -1.25L}));
    EXPECT_EQ(f.WorldRectToScreen(w), (platform::PixelRect{100, 50, 300, 250}));
    // Beyond the view the rectangle is held to the drawing area.
    EXPECT_EQ(f.WorldRectToScreen({-50, 1, -1, 50}), (platform::PixelRect{0, 0, 240, 240}));
}

TEST(Clipping, SegmentsLeavingCrossingMissingAndInsideTheBox) {
    const TLDRect box{-1, 1, -1, 1};
    for (const WorldPoint e :
         {WorldPoint{3, 0}, {3, 3}, {0, 3}, {-3, 3}, {-3, 0}, {-3, -3}, {0, -3}, {3, -3}}) {
        WorldPoint p{0, 0}, q = e;
        ASSERT_TRUE(ClipSegment(box, p, q));
        EXPECT_TRUE(AllNear({p.x, p.y, q.x, q.y}, {0, 0, e.x / 3, e.y / 3}));
        // The other way round the outside end is the first one and stays first.
        WorldPoint r = e, s{0, 0};
        ASSERT_TRUE(ClipSegment(box, r, s));
        EXPECT_TRUE(AllNear({r.x, r.y, s.x}, {e.x / 3, e.y / 3, 0}));
    }

    // Segments crossing, missing and inside the box.
    const TLDRect tall{-1, 1, -2, 2};
    WorldPoint p{-3, 0.5L}, q{5, 0.5L};
    ASSERT_TRUE(ClipSegment(tall, p, q));
    EXPECT_TRUE(AllNear({p.x, q.x, q.y}, {-1, 1, 0.5L}));
    WorldPoint a{-3, 3}, b{3, 3};  // above the box
    EXPECT_FALSE(ClipSegment(tall, a, b));
    WorldPoint c{-3, 0}, d{0, 6};  // passes the corner region outside
    EXPECT_FALSE(ClipSegment(tall, c, d));
    WorldPoint e{0.1L, 0.7L}, g{-0.3L, 1.9L};
    ASSERT_TRUE(ClipSegment(tall, e, g));
    EXPECT_EQ(e.x, 0.1L);
    EXPECT_EQ(g.y, 1.9L);
    WorldPoint h{0.5L, 0.5L}, k{0.5L, 0.5L};  // a point segment inside
    EXPECT_TRUE(ClipSegment(tall, h, k));
    // A segment far longer than the digits of t still lands on the edges.
    WorldPoint m{-1e30L, 0.25L}, n{1e30L, 0.75L};
    ASSERT_TRUE(ClipSegment(tall, m, n));
    EXPECT_EQ(m.x, -1);
    EXPECT_EQ(n.x, 1);
    EXPECT_NEAR(m.y, 0.5L, 1e-12L);
}

TEST(ArrowHead, SymmetricAboutTheShaftInPixels) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    WorldPoint a, b;
    ASSERT_TRUE(ArrowHeadPoints(f, {2, 0}, 0.5L, a, b));
    EXPECT_TRUE(AllNear({a.x, b.x, a.y}, {-0.5L, -0.5L, -b.y}, 1e-15L));
    EXPECT_GT(std::fabs(a.y), 0);
    // With y stretched twice, the head is symmetric in pixels, not in world units.
    f.SetView(0, 0, 5, 10, true);
    ASSERT_TRUE(ArrowHeadPoints(f, {1, 1}, 0.5L, a, b));
    const long double ax = a.x / f.unitsPerPixelX, ay = a.y / f.unitsPerPixelY;
    const long double bx = b.x / f.unitsPerPixelX, by = b.y / f.unitsPerPixelY;
    EXPECT_NEAR(std::hypot(ax, ay), std::hypot(bx, by), 1e-9L);
    // The head's middle lies on the shaft, which runs along (1 / upx, 1 / upy) in pixels.
    const long double mx = (ax + bx) / 2, my = (ay + by) / 2;
    EXPECT_NEAR(mx / f.unitsPerPixelY - my / f.unitsPerPixelX, 0, 1e-6L);
    EXPECT_FALSE(ArrowHeadPoints(f, {1e-14L, 0}, 0.5L, a, b));
}

TEST(Planes, ThroughThreePointsAndSignedDistance) {
    TPlane plane;
    ASSERT_TRUE(SetPlaneFrom3Points(plane, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
    EXPECT_TRUE(AllNear({PlaneSide(plane, {0, 0, 0}), PlaneSide(plane, {1, 1, 1})},
                        {-1 / std::sqrt(3.0L), 2 / std::sqrt(3.0L)}, 1e-15L));
    const TPlane before = plane;
    EXPECT_FALSE(SetPlaneFrom3Points(plane, {0, 0, 0}, {1, 1, 1}, {2, 2, 2}));
    EXPECT_EQ(plane.offset, before.offset);
}

TEST(ViewFrame, PowerOfTenLabelsAndLogarithmicCorners) {
    for (const auto& [exponent, text] :
         {std::pair{-3, "0.001"}, {0, "1"}, {3, "1000"}, {4, "10^4"}, {-12, "10^-12"}})
        EXPECT_EQ(FormatPowerOfTen(exponent), text);
    TViewFrame f;
    f.SetAreaSize(301, 301);
    f.logMode = kLogX;
    f.SetLogCorners(0.01L, 1000, -2, 3);  // the corners become decimal exponents
    EXPECT_TRUE(
        AllNear({f.left, f.right, f.down, f.unitsPerPixelX}, {-2, 3, -2, 5.0L / 300}, 1e-15L));
    EXPECT_TRUE(f.cornersFlag);
}

TEST(TickFit, IntervalsFitTheViewAndTheIndexRangeReachesFar) {
    // 2000 units on 800 pixels: 2000 ticks, then 200, then 20 <= 100.
    TViewFrame f = Frame(0, 0, 1000, 801, 801);
    TAxesSettings axes;
    EXPECT_EQ(AdjustTickIntervals(f, axes), kTicksIntervalChanged);
    EXPECT_TRUE(AllNear({axes.xInterval, axes.yInterval}, {100, 100}));
    EXPECT_EQ(AdjustTickIntervals(f, axes), 0);  // fitting again changes nothing

    f = Frame(0, 0, 5, 401, 401);
    axes = {};
    axes.xInterval = 20;  // more than 3 half-widths
    EXPECT_EQ(AdjustTickIntervals(f, axes), kTicksIntervalChanged);
    EXPECT_DOUBLE_EQ(axes.xInterval, 2.5L);
    f = Frame(0, 0, 1, 401, 401);
    axes.xInterval = 0.1L;
    axes.yInterval = 0.05L;
    axes.yPlaces = kPlacesSuffixMark;  // the places follow; the suffix mark survives
    AdjustTickIntervals(f, axes);
    EXPECT_EQ(axes.xPlaces, 1);
    EXPECT_EQ(axes.yPlaces, 12);
    axes.xPlaces = 0;  // numbers every tenth tick of 0.1 are whole numbers
    axes.xFrequency = 10;
    AdjustTickIntervals(f, axes);
    EXPECT_EQ(axes.xPlaces, 0);

    f = Frame(0, 0, 5, 5, 5);  // less than 8 pixels: one tick allowed
    axes = {};
    AdjustTickIntervals(f, axes);
    EXPECT_GT(axes.xInterval, 1);
    EXPECT_LE(axes.xInterval, 3 * f.halfWidth);
    f.halfWidth = std::numeric_limits<long double>::infinity();
    axes.xInterval = 1;
    AdjustTickIntervals(f, axes);  // returns at all

    // A view far from the origin counts its ticks beyond the int range; only indices past 2^62
    // leave the ticks out, and then of that drawing only.
    f = Frame(0, 0, 5, 401, 401);
    axes = {};
    TickRange range{};
    EXPECT_EQ(TickIndexRange(f, axes, false, range), 0);
    EXPECT_EQ(range, (TickRange{-5, 5, 5, -5}));
    f.tickOriginX = 0.5L;
    TickIndexRange(f, axes, false, range);
    EXPECT_EQ(range[0], -5);  // -5.5 truncated
    EXPECT_EQ(range[2], 4);
    axes.xInterval = 1e-12L;
    EXPECT_EQ(TickIndexRange(f, axes, false, range), 0);
    EXPECT_EQ(range[2], 4500000000000LL);
    axes.xInterval = 1e-20L;
    EXPECT_EQ(TickIndexRange(f, axes, false, range), kTicksSwitchedOff);
    EXPECT_TRUE(axes.ticks);
}

TEST(ViewFrame, AViewTheTransformsCannotCarryIsBroughtToTheStandardOne) {
    for (const auto& c : quorlin::testing::ExtremeViews()) {
        TViewFrame f;
        f.SetAreaSize(501, 301);
        f.tickOriginX = 0.5L;
        quorlin::testing::PutView(c, f);
        EXPECT_TRUE(BringIntoRange(f)) << c.what;
        EXPECT_TRUE(f.Representable()) << c.what;
        EXPECT_TRUE(AllNear({f.left, f.right, f.centreY, f.unitsPerPixelX, f.unitsPerPixelY},
                            {-5, 5, 0, 0.02L, 0.02L}))
            << c.what;
        EXPECT_EQ(std::tuple(f.areaWidth, f.tickOriginX), std::tuple(501, 0.5L)) << c.what;
    }
    // A view the dialog would take stays as it is, corners and all.
    TViewFrame f;
    f.SetAreaSize(401, 201);
    f.SetView(1e6L, -3, 1e-3L, 0, false);
    const TViewFrame before = f;
    EXPECT_FALSE(BringIntoRange(f));
    EXPECT_EQ(std::tuple(f.left, f.right, f.up), std::tuple(before.left, before.right, before.up));
    // A logarithmic window comes back to exponents -5..5.
    f.logMode = kLogBoth;
    f.altLeft = -std::numeric_limits<long double>::max();
    f.altRight = std::numeric_limits<long double>::max();
    EXPECT_TRUE(BringIntoRange(f));
    EXPECT_EQ(std::tuple(f.left, f.right, f.down, f.up, f.logMode),
              std::tuple(-5.0L, 5.0L, -5.0L, 5.0L, kLogBoth));
}

}  // namespace
}  // namespace quorlin::canvas
