// The coordinate system drawn into an off-screen image and checked at probe pixels: the axes in
// their colour, grid lines where the quadrants ask for them, numbers under the ticks, and
// nothing outside the drawing area; the scale numbers with the boxes they cover, and their texts.
// Numbers are found by their dark pixels, not by the axis colour: which font "Arial" resolves to
// and how it antialiases differ between machines.
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "canvas/axes_painter.h"
#include "support/extreme_views.h"
#include "text_recorder.h"

namespace quorlin::canvas {
namespace {

const QColor kAxis(0, 0, 200), kGrid(200, 0, 0), kWhite(Qt::white);

class AxesRender : public ::testing::Test {
protected:
    AxesRender() : image(441, 441, QImage::Format_RGB32) {
        image.fill(Qt::white);
        frame.SetAreaSize(401, 401);
        frame.leftMargin = 20;
        frame.topMargin = 20;
        frame.RecomputeView();  // -5..5 both ways, 40 pixels a unit
        look.axisColour = kAxis;
        look.gridColour = kGrid;
        look.numberFont.height = -12;
        look.labelFont.height = -12;
    }

    // Draws the coordinate system of the settings onto a white image.
    void Draw() {
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        TCanvasPrimitives prim(dc, frame, nullptr);
        TickRange range{};
        const bool ok = TickIndexRange(frame, axes, false, range) == 0;
        DrawCoordinateSystem(prim, axes, look, range, ok);
    }
    // Whether each world point shows its colour; names the first that does not.
    ::testing::AssertionResult Colours(
        std::initializer_list<std::tuple<long double, long double, QColor>> probes) const {
        for (const auto& [x, y, colour] : probes) {
            const QColor at = image.pixelColor(frame.XToScreen(x), frame.YToScreen(y));
            if (at != colour)
                return ::testing::AssertionFailure()
                       << "(" << static_cast<double>(x) << ", " << static_cast<double>(y) << ") is "
                       << at.name().toStdString();
        }
        return ::testing::AssertionSuccess();
    }
    // The pixels of the colour in the rectangle [left, right) x [top, bottom) (all: the image).
    int Count(const QColor& colour, int left = 0, int top = 0, int right = 441,
              int bottom = 441) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += image.pixelColor(x, y) == colour;
        return n;
    }
    // The dark pixels (text or lines, whatever their colour and antialiasing) in the rectangle.
    int Dark(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += image.pixelColor(x, y).lightness() < 160;
        return n;
    }

    QImage image;
    TViewFrame frame;
    TAxesSettings axes;
    AxesLook look;
};

TEST_F(AxesRender, AxesTicksNumbersAndGridInTheirPlaces) {
    axes.gridFlags = kGridRectangular | kGridQuadrantI;
    Draw();
    // Both axes; grid lines at x = 1 and y = 2 in quadrant I, none in quadrant II.
    EXPECT_TRUE(Colours({{0, 2.5L, kAxis},
                         {-3.3L, 0, kAxis},
                         {1, 2.5L, kGrid},
                         {3.5L, 2, kGrid},
                         {-1, 2.5L, kWhite},
                         {-3.5L, 2, kWhite}}));
    // A tick across the x axis at x = 2, a few pixels below the axis, and its number under it.
    const int tx = frame.XToScreen(2), ty = frame.YToScreen(0);
    EXPECT_EQ(image.pixelColor(tx, ty + 3), kAxis);
    EXPECT_EQ(image.pixelColor(tx + 20, ty + 3), kWhite);
    EXPECT_GT(Dark(tx - 6, ty + 7, tx + 7, ty + 24), 3);
    // Nothing outside the drawing area.
    EXPECT_EQ(Count(kWhite) - Count(kWhite, 20, 20, 421, 421), 441 * 441 - 401 * 401);

    // A dotted grid without axes breaks each line into dots.
    axes.axesShown = false;
    axes.gridFlags = kGridRectangular | kGridQuadrants | kGridDotted;
    Draw();
    const int x = frame.XToScreen(3);
    const int gridPixels = Count(kGrid, x, frame.YToScreen(4.5L), x + 1, frame.YToScreen(0.5L));
    EXPECT_GT(gridPixels, 20);
    EXPECT_LT(gridPixels, 140);

    // A grid that lies far outside the view draws no stray line.
    frame.SetView(100, 100, 5, 0, false);
    axes.gridFlags = kGridRectangular | kGridQuadrantIII;
    Draw();
    EXPECT_EQ(Count(kGrid), 0);
}

// Views that the transforms cannot carry (as a damaged file may hold them) are still drawn,
// without a tick where pixels and ticks do not measure each other; the scale numbers' place
// stays an int whatever the scale.
TEST_F(AxesRender, AnyViewIsDrawnAndTheNumbersPlaceStaysInRange) {
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    const struct {
        long double step, unitsPerPixel;
        int place;
    } places[] = {
        {1, 0.025L, 36},       {2, 0.025L, 76},        {1, kInf, -4},      {kInf, 1, 999996},
        {1, 1e-4940L, 999996}, {std::nanl(""), 1, -4}, {1, -1e-4940L, -4}, {0, 1, -4},
        {1, 0, 999996}};
    for (const auto& p : places)
        EXPECT_EQ(ScaleNumberPlace(p.step, p.unitsPerPixel), p.place)
            << static_cast<double>(p.step) << " " << static_cast<double>(p.unitsPerPixel);
    for (const auto& view : quorlin::testing::ExtremeViews()) {
        quorlin::testing::PutView(view, frame);
        frame.RecomputeView();
        Draw();
        EXPECT_EQ(Count(kWhite) - Count(kWhite, 20, 20, 421, 421), 441 * 441 - 401 * 401)
            << view.what;
    }
}

TEST_F(AxesRender, TheCallersClipStaysInForce) {
    {
        platform::DeviceContext dc(image);
        dc.SetClipRect({0, 0, 220, 441});  // the left half of the area
        TCanvasPrimitives prim(dc, frame, nullptr);
        TickRange range{};
        TickIndexRange(frame, axes, false, range);
        DrawCoordinateSystem(prim, axes, look, range, true);
        prim.SetPen(kGrid, 1, kStyleSolid);
        prim.ScreenSegment({0, 30}, {440, 30});
    }
    EXPECT_TRUE(Colours({{-3, 0, kAxis}, {3, 0, kWhite}}));
    EXPECT_EQ(image.pixelColor(100, 30), kGrid);
    EXPECT_EQ(image.pixelColor(300, 30), kWhite);
}

TEST_F(AxesRender, PolarRayNumbersOnTheBorderThePolarGridAndLogarithmicAxes) {
    axes.axesKind = kAxesPolarRay;
    axes.scaleFlags |= kScaleOnBorder;
    axes.labels = false;
    axes.arrows = false;
    Draw();
    EXPECT_TRUE(Colours({{3, 0, kAxis}, {-3, 0, kWhite}, {0, 2.5L, kWhite}}));
    // The number of x = 2 stands on the bottom edge, not under the axis.
    const int x = frame.XToScreen(2), y = frame.YToScreen(0);
    EXPECT_GT(Dark(x - 6, 405, x + 7, 421), 3);
    EXPECT_EQ(Dark(x - 6, y + 7, x + 7, y + 24), 0);

    // The polar grid: a ray up, the circles of radius 3 and 2.5, and the 45 degree ray.
    axes.axesShown = false;
    axes.gridFlags = kGridPolar;
    axes.polarSectors = 8;
    Draw();
    const long double r = 2 / std::sqrt(2.0L);
    EXPECT_TRUE(Colours({{0, 3, kGrid}, {2.5L, 0, kGrid}, {r, r, kGrid}, {1.5L, 0.4L, kWhite}}));

    // Logarithmic x: long ticks at the decades, short ones between, the y axis on the left edge.
    axes = {};
    frame.logMode = kLogX;
    frame.SetLogCorners(0.01L, 100, -5, 5);  // exponents -2..2 across
    axes.dots = true;
    Draw();
    const int bottom = 420, decade = frame.XToScreen(0), two = frame.XToScreen(std::log10(2.0L));
    EXPECT_EQ(image.pixelColor(decade, bottom - axes.tickLength + 1), kAxis);
    EXPECT_EQ(image.pixelColor(two, bottom - axes.minorTickLength + 1), kAxis);
    EXPECT_EQ(image.pixelColor(two, bottom - axes.tickLength + 1), kWhite);
    EXPECT_EQ(image.pixelColor(20, 100), kAxis);
    EXPECT_TRUE(Colours({{1, 3, kAxis}, {0.5L, 3, kWhite}}));  // a dot
}

// The scale numbers a view draws on a 401 x 401 area, with the boxes they cover.
std::vector<testing::DrawnText> NumbersDrawn(TViewFrame frame, TAxesSettings axes) {
    testing::TextRecorder device(401, 401);
    AxesLook look;
    look.numberFont.height = -12;
    axes.labels = false;
    {
        platform::DeviceContext dc(device);
        TCanvasPrimitives prim(dc, frame, nullptr);
        AdjustTickIntervals(frame, axes);
        TickRange range{};
        const bool ok = TickIndexRange(frame, axes, frame.logMode != kLogNone, range) == 0;
        DrawCoordinateSystem(prim, axes, look, range, ok);
    }
    return device.Texts();
}

// A number cut by the border reads as another number ("-5" as "5", "0.01" as "01"), and
// numbers on top of each other read as none: each is drawn whole and apart, or not at all.
TEST(ScaleNumbers, AreDrawnWholeInsideTheAreaAndApart) {
    const struct {
        const char* name;
        int logMode, places;
        bool border;
    } cases[] = {{"linear", kLogNone, 0, false},
                 {"places", kLogNone, 3, false},
                 {"border", kLogNone, 0, true},
                 {"logarithmic", kLogBoth, 0, false},
                 {"log x", kLogX, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TViewFrame frame;  // -5..5 both ways
        TAxesSettings axes;
        axes.xPlaces = axes.yPlaces = static_cast<std::int16_t>(c.places);
        if (c.border) axes.scaleFlags |= kScaleOnBorder;
        frame.logMode = c.logMode;
        if (c.logMode != kLogNone) frame.SetLogCorners(0.01L, 100, 0.01L, 100);
        const auto texts = NumbersDrawn(frame, axes);
        ASSERT_GE(texts.size(), 6u);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const QRectF& box = texts[i].box;
            EXPECT_TRUE(QRectF(0, 0, 401, 401).contains(box)) << texts[i].text.toStdString();
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(box.intersects(texts[j].box))
                    << texts[i].text.toStdString() << " on " << texts[j].text.toStdString();
        }
    }
}

// Numbers a thousand digits wide would not fit their place: the axis takes the power-of-ten
// form instead. A view far from the origin shows neither axis; their numbers stand on the
// border instead of leaving the picture blank.
TEST(ScaleNumbers, HugeViewsInPowersOfTenAndFarViewsOnTheBorder) {
    TViewFrame frame;
    frame.SetView(0, 0, 5e299L, 0, false);
    auto texts = NumbersDrawn(frame, TAxesSettings{});
    ASSERT_GE(texts.size(), 8u);
    for (const auto& t : texts) {
        EXPECT_TRUE(t.text.contains("10^299")) << t.text.toStdString();
        EXPECT_LT(t.box.width(), 100);
    }
    frame.SetView(1000, -1000, 5, 0, false);
    texts = NumbersDrawn(frame, TAxesSettings{});
    ASSERT_GE(texts.size(), 10u);
    for (const char* label : {"1002", "-998"})
        EXPECT_TRUE(std::ranges::any_of(texts, [&](const auto& t) { return t.text == label; }))
            << label;
    for (const auto& t : texts)  // along the bottom edge or the left edge
        EXPECT_TRUE(t.box.bottom() > 380 || t.box.left() < 20) << t.text.toStdString();
}

TEST(ScaleNumbers, PowerOfTenFormsPlacesSuffixAndPi) {
    const struct {
        long double value, step;
        int places;
        QString text;
    } powers[] = {{3e300L, 1e299L, 0, "3\u00B710^300"},   {1e300L, 1e299L, 0, "10^300"},
                  {-1e300L, 1e299L, 0, "-10^300"},        {-2.5e-7L, 1e-8L, 0, "-2.5\u00B710^-7"},
                  {4.25e6L, 2.5e5L, 0, "4.25\u00B710^6"}, {999999, 1, 0, "9.99999\u00B710^5"},
                  {9.9999e5L, 1e3L, 0, "10^6"},  // the mantissa rounds up to the next power
                  {30, 10, 10, "3\u00B710^1\u00B0"},      {0, 1e299L, 0, "0"}};
    for (const auto& c : powers)
        EXPECT_EQ(FormatScalePower(c.value, c.step, c.places, 176), c.text)
            << static_cast<double>(c.value);
    constexpr long double kPi = 3.14159265358979323846L;
    const struct {
        long double value;
        int places;
        bool pi;
        QString text;
    } numbers[] = {{2.5L, 2, false, "2.50"},
                   {30, 10, false, "30\u00B0"},
                   {kPi / 2, 0, true, "\u03C0/2"},
                   {-3 * kPi / 4, 0, true, "-3\u03C0/4"},
                   {1, 1, true, "1.0"}};  // not a multiple of pi
    for (const auto& c : numbers)
        EXPECT_EQ(FormatScaleNumber(c.value, c.places, 176, c.pi), c.text) << c.text.toStdString();

    const QPoint anchor(100, 50);
    const QSize extent(40, 12);
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorCentre), (platform::PixelRect{80, 44, 120, 56}));
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorAbove), (platform::PixelRect{80, 38, 120, 50}));
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorBelow), (platform::PixelRect{80, 50, 120, 62}));
}

TEST(ScaleNumbers, TicksNumberEveryFrequencyThOneButNotTheOrigin) {
    const auto ticks = LinearTicks(-4, 4, 0, 0.5L, 2, true, 1, 176, false, 100);
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[0].label, "-2.0");
    EXPECT_TRUE(ticks[0].major);
    EXPECT_TRUE(ticks[1].label.isEmpty());
    EXPECT_FALSE(ticks[1].major);
    EXPECT_TRUE(ticks[4].label.isEmpty());  // the origin
    EXPECT_TRUE(LinearTicks(0, 1000, 0, 1, 1, false, 0, 176, false, 100).empty());
    const auto decades = LogTicks(-1, 2, true, 100);
    EXPECT_EQ(decades.front().label, "0.1");
    EXPECT_EQ(decades.back().label, "100");
    EXPECT_EQ(decades.size(), 4u + 3 * 8);
    // Exponents no long double reaches (from a damaged view) give no ticks rather than a
    // decade step too small to move the count on.
    EXPECT_TRUE(LogTicks(1e30L, 1e30L, true, 100).empty());
    EXPECT_TRUE(LogTicks(-1e30L, -1e30L, true, 100).empty());
    EXPECT_EQ(LogTicks(-4930, -4928, true, 100).front().label, "10^-4930");
}

}  // namespace
}  // namespace quorlin::canvas
