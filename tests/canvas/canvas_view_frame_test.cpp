// The view frame: transforms against their closed forms, clamping, clipping in every direction,
// arrowheads, planes, power-of-ten labels and the automatic tick intervals.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "canvas/axes_settings.h"
#include "canvas/view_frame.h"

namespace quorlin::canvas {
namespace {

TViewFrame Frame(long double cx, long double cy, long double hw, int w, int h) {
    TViewFrame f;
    f.SetAreaSize(w, h);
    f.SetView(cx, cy, hw, 0, false);
    return f;
}

TEST(ViewFrame, LinkedScalesFollowTheAreaAndTheAspect) {
    TViewFrame f = Frame(1.5L, -2, 4, 401, 201);
    EXPECT_DOUBLE_EQ(f.unitsPerPixelX, 8.0L / 400);
    EXPECT_DOUBLE_EQ(f.unitsPerPixelY, f.unitsPerPixelX);
    EXPECT_DOUBLE_EQ(f.halfHeight, 2);
    EXPECT_DOUBLE_EQ(f.left, -2.5L);
    EXPECT_DOUBLE_EQ(f.up, 0);
    f.aspect = 2;
    f.RecomputeView();
    EXPECT_DOUBLE_EQ(f.unitsPerPixelY, 2 * f.unitsPerPixelX);
    EXPECT_DOUBLE_EQ(f.halfHeight, 4);
    // Asking for more height than the width gives widens the width.
    f.aspect = 1;
    f.SetView(0, 0, 1, 5, false);
    EXPECT_DOUBLE_EQ(f.halfWidth, 10);
    EXPECT_DOUBLE_EQ(f.halfHeight, 5);
}

TEST(ViewFrame, CornersUnlinkTheScalesAndSquareLinksThemAgain) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    f.SetView(0, 0, 4, 1, true);
    EXPECT_DOUBLE_EQ(f.unitsPerPixelX, 8.0L / 400);
    EXPECT_DOUBLE_EQ(f.unitsPerPixelY, 2.0L / 400);
    EXPECT_DOUBLE_EQ(f.aspect, 0.25L);
    f.aspect = 1;
    f.SetView(f.centreX, f.centreY, f.halfWidth, 0, false);
    EXPECT_DOUBLE_EQ(f.unitsPerPixelY, f.unitsPerPixelX);
    EXPECT_DOUBLE_EQ(f.halfHeight, 4);
}

TEST(ViewFrame, ZoomOutAndInAboutTheCentre) {
    TViewFrame f = Frame(3, 1, 2, 301, 301);
    f.zoomFactor = 2.5L;
    f.Zoom(true);
    EXPECT_DOUBLE_EQ(f.halfWidth, 5);
    EXPECT_DOUBLE_EQ(f.centreX, 3);
    f.Zoom(false);
    EXPECT_DOUBLE_EQ(f.halfWidth, 2);
    EXPECT_DOUBLE_EQ(f.left, 1);
}

TEST(ViewFrame, WorldScreenRoundTripWithinHalfAPixel) {
    TViewFrame f = Frame(0.3L, -7.25L, 3.7L, 517, 389);
    f.leftMargin = 12;
    f.topMargin = 30;
    for (int i = 0; i <= 100; ++i) {
        const long double x = f.left + (f.right - f.left) * i / 100;
        const long double y = f.down + (f.up - f.down) * (100 - i) / 100;
        EXPECT_LE(std::fabs(f.ScreenToX(f.XToScreen(x)) - x), f.unitsPerPixelX / 2 + 1e-15L);
        EXPECT_LE(std::fabs(f.ScreenToY(f.YToScreen(y)) - y), f.unitsPerPixelY / 2 + 1e-15L);
    }
    EXPECT_EQ(f.XToScreen(f.left), 12);
    EXPECT_EQ(f.XToScreen(f.right), 12 + 516);
    EXPECT_EQ(f.YToScreen(f.up), 30);
    QPoint p;
    EXPECT_TRUE(f.PointToScreen({f.centreX, f.centreY}, p));
    EXPECT_EQ(p, QPoint(12 + 258, 30 + 194));
}

TEST(ViewFrame, OutsidePointsClampToMinusOneAndSizePlusOne) {
    TViewFrame f = Frame(0, 0, 5, 401, 301);
    f.leftMargin = 10;
    EXPECT_EQ(f.XToScreen(f.left - 2 * f.unitsPerPixelX), 9);
    EXPECT_EQ(f.XToScreen(f.right + 2 * f.unitsPerPixelX), 10 + 402);
    EXPECT_EQ(f.XToScreen(1e300L), 10 + 402);
    EXPECT_EQ(f.XToScreen(-1e300L), 9);
    EXPECT_EQ(f.YToScreen(f.up + 1), -1);
    EXPECT_EQ(f.YToScreen(f.down - 1), 302);
    QPoint p;
    EXPECT_FALSE(f.PointToScreen({6, 0}, p));
    EXPECT_EQ(p.x(), 10 + 402);
    EXPECT_TRUE(f.IsInView({5, -f.halfHeight}));
    EXPECT_FALSE(f.IsInView({5.001L, 0}));
    // The ends of a line clipped to the view widened by a pixel sit one pixel past each edge.
    const TLDRect clip = f.ClipRect();
    EXPECT_EQ(f.XToScreen(clip.xLow), 10 - 1);
    EXPECT_EQ(f.XToScreen(clip.xHigh), 10 + 401);
    EXPECT_EQ(f.YToScreen(clip.yHigh), -1);
    EXPECT_EQ(f.YToScreen(clip.yLow), 301);
}

TEST(ViewFrame, ExportViewMapsExactlyLikeItsFrame) {
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
        if (f.IsInView(p)) {  // the unrounded pixel rounds to the clamped one inside the view
            EXPECT_EQ(std::lround(f.Mapping().XToPixel(p.x)), a.x());
            EXPECT_EQ(std::lround(f.Mapping().YToPixel(p.y)), a.y());
        }
    }
}

TEST(ViewFrame, RectanglesBetweenScreenAndWorld) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    const TLDRect w = f.ScreenRectToWorld({100, 50, 300, 250});
    EXPECT_DOUBLE_EQ(w.xLow, -2.5L);
    EXPECT_DOUBLE_EQ(w.xHigh, 2.5L);
    EXPECT_DOUBLE_EQ(w.yHigh, 3.75L);
    EXPECT_DOUBLE_EQ(w.yLow, -1.25L);
    EXPECT_EQ(f.WorldRectToScreen(w), (platform::PixelRect{100, 50, 300, 250}));
    // Beyond the view the rectangle is held to the drawing area.
    EXPECT_EQ(f.WorldRectToScreen({-50, 1, -1, 50}), (platform::PixelRect{0, 0, 240, 240}));
}

TEST(Clipping, SegmentsFromInsideLeaveInAllEightDirections) {
    const TLDRect box{-1, 1, -1, 1};
    const WorldPoint ends[8] = {{3, 0},  {3, 3},   {0, 3},  {-3, 3},
                                {-3, 0}, {-3, -3}, {0, -3}, {3, -3}};
    for (const WorldPoint e : ends) {
        WorldPoint p{0, 0}, q = e;
        ASSERT_TRUE(ClipSegment(box, p, q));
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.y, 0);
        EXPECT_DOUBLE_EQ(q.x, e.x / 3);
        EXPECT_DOUBLE_EQ(q.y, e.y / 3);
        // The other way round the outside end is the first one and stays first.
        WorldPoint r = e, s{0, 0};
        ASSERT_TRUE(ClipSegment(box, r, s));
        EXPECT_DOUBLE_EQ(r.x, e.x / 3);
        EXPECT_DOUBLE_EQ(r.y, e.y / 3);
        EXPECT_EQ(s.x, 0);
    }
}

TEST(Clipping, CrossingMissingAndInsideSegments) {
    const TLDRect box{-1, 1, -2, 2};
    WorldPoint p{-3, 0.5L}, q{5, 0.5L};
    ASSERT_TRUE(ClipSegment(box, p, q));
    EXPECT_DOUBLE_EQ(p.x, -1);
    EXPECT_DOUBLE_EQ(q.x, 1);
    EXPECT_DOUBLE_EQ(q.y, 0.5L);
    WorldPoint a{-3, 3}, b{3, 3};  // above the box
    EXPECT_FALSE(ClipSegment(box, a, b));
    WorldPoint c{-3, 0}, d{0, 6};  // passes the corner region outside
    EXPECT_FALSE(ClipSegment(box, c, d));
    WorldPoint e{0.1L, 0.7L}, g{-0.3L, 1.9L};
    ASSERT_TRUE(ClipSegment(box, e, g));
    EXPECT_EQ(e.x, 0.1L);
    EXPECT_EQ(g.y, 1.9L);
    WorldPoint h{0.5L, 0.5L}, k{0.5L, 0.5L};  // a point segment inside
    EXPECT_TRUE(ClipSegment(box, h, k));
    // A segment far longer than the digits of t still lands on the edges.
    WorldPoint m{-1e30L, 0.25L}, n{1e30L, 0.75L};
    ASSERT_TRUE(ClipSegment(box, m, n));
    EXPECT_EQ(m.x, -1);
    EXPECT_EQ(n.x, 1);
    EXPECT_NEAR(m.y, 0.5L, 1e-12L);
}

TEST(ArrowHead, SymmetricAboutTheShaftInPixels) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    WorldPoint a, b;
    ASSERT_TRUE(ArrowHeadPoints(f, {2, 0}, 0.5L, a, b));
    EXPECT_NEAR(a.x, -0.5L, 1e-15L);
    EXPECT_NEAR(b.x, -0.5L, 1e-15L);
    EXPECT_NEAR(a.y, -b.y, 1e-15L);
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
    EXPECT_NEAR(PlaneSide(plane, {0, 0, 0}), -1 / std::sqrt(3.0L), 1e-15L);
    EXPECT_NEAR(PlaneSide(plane, {1, 1, 1}), 2 / std::sqrt(3.0L), 1e-15L);
    const TPlane before = plane;
    EXPECT_FALSE(SetPlaneFrom3Points(plane, {0, 0, 0}, {1, 1, 1}, {2, 2, 2}));
    EXPECT_EQ(plane.offset, before.offset);
}

TEST(Labels, PowersOfTen) {
    EXPECT_EQ(FormatPowerOfTen(-3), "0.001");
    EXPECT_EQ(FormatPowerOfTen(0), "1");
    EXPECT_EQ(FormatPowerOfTen(3), "1000");
    EXPECT_EQ(FormatPowerOfTen(4), "10^4");
    EXPECT_EQ(FormatPowerOfTen(-12), "10^-12");
}

TEST(LogFrame, CornersAreDecimalExponents) {
    TViewFrame f;
    f.SetAreaSize(301, 301);
    f.logMode = kLogX;
    f.SetLogCorners(0.01L, 1000, -2, 3);
    EXPECT_NEAR(f.left, -2, 1e-15L);
    EXPECT_NEAR(f.right, 3, 1e-15L);
    EXPECT_DOUBLE_EQ(f.down, -2);
    EXPECT_TRUE(f.cornersFlag);
    EXPECT_NEAR(f.unitsPerPixelX, 5.0L / 300, 1e-15L);
}

TEST(TickFit, IntervalsGrowTenfoldUntilTheyFit) {
    // 2000 units on 800 pixels: 2000 ticks, then 200, then 20 <= 100.
    TViewFrame f = Frame(0, 0, 1000, 801, 801);
    TAxesSettings axes;
    EXPECT_EQ(AdjustTickIntervals(f, axes), kTicksIntervalChanged);
    EXPECT_DOUBLE_EQ(axes.xInterval, 100);
    EXPECT_DOUBLE_EQ(axes.yInterval, 100);
    // Fitting again changes nothing.
    EXPECT_EQ(AdjustTickIntervals(f, axes), 0);
}

TEST(TickFit, TinyAreasAndEndlessViewsStillEnd) {
    TViewFrame f = Frame(0, 0, 5, 5, 5);  // less than 8 pixels: one tick allowed
    TAxesSettings axes;
    AdjustTickIntervals(f, axes);
    EXPECT_GT(axes.xInterval, 1);
    EXPECT_LE(axes.xInterval, 3 * f.halfWidth);
    f.halfWidth = std::numeric_limits<long double>::infinity();
    axes.xInterval = 1;
    AdjustTickIntervals(f, axes);  // returns at all
    SUCCEED();
}

TEST(TickFit, LongIntervalsShrinkAndPlacesFollow) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    TAxesSettings axes;
    axes.xInterval = 20;  // more than 3 half-widths
    EXPECT_EQ(AdjustTickIntervals(f, axes), kTicksIntervalChanged);
    EXPECT_DOUBLE_EQ(axes.xInterval, 2.5L);
    f = Frame(0, 0, 1, 401, 401);
    axes.xInterval = 0.1L;
    axes.yInterval = 0.05L;
    axes.yPlaces = kPlacesSuffixMark;  // the suffix mark survives
    AdjustTickIntervals(f, axes);
    EXPECT_EQ(axes.xPlaces, 1);
    EXPECT_EQ(axes.yPlaces, 12);
    // Numbers every tenth tick of 0.1 are whole numbers.
    axes.xPlaces = 0;
    axes.xFrequency = 10;
    AdjustTickIntervals(f, axes);
    EXPECT_EQ(axes.xPlaces, 0);
}

// A view far from the origin counts its ticks beyond the int range; only indices past 2^62
// leave the ticks out, and then of that drawing only.
TEST(TickFit, IndexRangeReachesFarAndLeavesTheTicksSettingAlone) {
    TViewFrame f = Frame(0, 0, 5, 401, 401);
    TAxesSettings axes;
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

}  // namespace
}  // namespace quorlin::canvas
