// The coordinate system drawn into an off-screen image and checked at probe pixels: the axes in
// their colour, grid lines where the quadrants ask for them, numbers under the ticks, and
// nothing outside the drawing area.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "canvas/axes_painter.h"
#include "text_recorder.h"

namespace quorlin::canvas {
namespace {

const QColor kAxis(0, 0, 200);
const QColor kGrid(200, 0, 0);

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

    void Draw() {
        platform::DeviceContext dc(image);
        TCanvasPrimitives prim(dc, frame, nullptr);
        TickRange range{};
        const bool ok = TickIndexRange(frame, axes, false, range) == 0;
        DrawCoordinateSystem(prim, axes, look, range, ok);
    }
    QColor At(long double x, long double y) const {
        return image.pixelColor(frame.XToScreen(x), frame.YToScreen(y));
    }
    // Whether some pixel of the colour lies in the rectangle of pixels.
    bool Has(const QColor& colour, int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (image.pixelColor(x, y) == colour) return true;
        return false;
    }

    QImage image;
    TViewFrame frame;
    TAxesSettings axes;
    AxesLook look;
};

TEST_F(AxesRender, AxesTicksNumbersAndGridInTheirPlaces) {
    axes.gridFlags = kGridRectangular | kGridQuadrantI;
    Draw();
    // Both axes.
    EXPECT_EQ(At(0, 2.5L), kAxis);
    EXPECT_EQ(At(-3.3L, 0), kAxis);
    // Grid lines at x = 1 and y = 2 in quadrant I, none in quadrant II.
    EXPECT_EQ(At(1, 2.5L), kGrid);
    EXPECT_EQ(At(3.5L, 2), kGrid);
    EXPECT_EQ(At(-1, 2.5L), QColor(Qt::white));
    EXPECT_EQ(At(-3.5L, 2), QColor(Qt::white));
    // A tick across the x axis at x = 2, a few pixels below the axis.
    const int tx = frame.XToScreen(2), ty = frame.YToScreen(0);
    EXPECT_EQ(image.pixelColor(tx, ty + 3), kAxis);
    EXPECT_EQ(image.pixelColor(tx + 20, ty + 3), QColor(Qt::white));
    // The number under that tick.
    EXPECT_TRUE(Has(kAxis, tx - 6, ty + 7, tx + 7, ty + 24));
    // Nothing outside the drawing area.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = x >= 20 && x < 421 && y >= 20 && y < 421;
            if (!inside) {
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
            }
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
    EXPECT_EQ(At(-3, 0), kAxis);
    EXPECT_EQ(At(3, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 30), kGrid);
    EXPECT_EQ(image.pixelColor(300, 30), QColor(Qt::white));
}

TEST_F(AxesRender, PolarRayAndNumbersOnTheBorder) {
    axes.axesKind = kAxesPolarRay;
    axes.scaleFlags |= kScaleOnBorder;
    axes.labels = false;
    axes.arrows = false;
    Draw();
    EXPECT_EQ(At(3, 0), kAxis);
    EXPECT_EQ(At(-3, 0), QColor(Qt::white));
    EXPECT_EQ(At(0, 2.5L), QColor(Qt::white));
    // The number of x = 2 stands on the bottom edge, not under the axis.
    const int x = frame.XToScreen(2), y = frame.YToScreen(0);
    EXPECT_TRUE(Has(kAxis, x - 6, 405, x + 7, 421));
    EXPECT_FALSE(Has(kAxis, x - 6, y + 7, x + 7, y + 24));
}

TEST_F(AxesRender, DottedGridAndNoAxes) {
    axes.axesShown = false;
    axes.gridFlags = kGridRectangular | kGridQuadrants;
    Draw();
    EXPECT_EQ(At(0, 2.5L), kGrid);  // the grid line where the axis would be
    EXPECT_EQ(At(-2, -3.3L), kGrid);
    axes.gridFlags |= kGridDotted;
    image.fill(Qt::white);
    Draw();
    int gridPixels = 0;
    const int x = frame.XToScreen(3);
    for (int y = frame.YToScreen(4.5L); y < frame.YToScreen(0.5L); ++y)
        gridPixels += image.pixelColor(x, y) == kGrid;
    EXPECT_GT(gridPixels, 20);
    EXPECT_LT(gridPixels, 140);  // broken into dots
}

TEST_F(AxesRender, PolarGridCirclesAndRays) {
    axes.axesShown = false;
    axes.gridFlags = kGridPolar;
    axes.polarSectors = 8;
    Draw();
    EXPECT_EQ(At(0, 3), kGrid);  // a ray up and the circle of radius 3
    EXPECT_EQ(At(2.5L, 0), kGrid);
    const long double r = 2 / std::sqrt(2.0L);  // on the 45 degree ray
    EXPECT_EQ(At(r, r), kGrid);
    EXPECT_EQ(At(1.5L, 0.4L), QColor(Qt::white));
}

TEST_F(AxesRender, FarViewDrawsNoAxesAndNoStrayLines) {
    frame.SetView(100, 100, 5, 0, false);
    axes.gridFlags = kGridRectangular | kGridQuadrantIII;  // lies far outside
    Draw();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixelColor(x, y), kGrid);
}

TEST_F(AxesRender, LogarithmicAxesAlongTheEdges) {
    frame.logMode = kLogX;
    frame.SetLogCorners(0.01L, 100, -5, 5);  // exponents -2..2 across
    axes.dots = true;
    Draw();
    const int bottom = 420, decade = frame.XToScreen(0);
    EXPECT_EQ(image.pixelColor(decade, bottom - axes.tickLength + 1), kAxis);  // long tick
    const int two = frame.XToScreen(std::log10(2.0L));
    EXPECT_EQ(image.pixelColor(two, bottom - axes.minorTickLength + 1), kAxis);
    EXPECT_EQ(image.pixelColor(two, bottom - axes.tickLength + 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 100), kAxis);  // the y axis on the left edge
    EXPECT_EQ(image.pixelColor(frame.XToScreen(1), frame.YToScreen(3)), kAxis);  // a dot
    EXPECT_EQ(image.pixelColor(frame.XToScreen(0.5L), frame.YToScreen(3)), QColor(Qt::white));
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

std::vector<std::string> Labels(const std::vector<testing::DrawnText>& texts) {
    std::vector<std::string> labels;
    for (const auto& t : texts) labels.push_back(t.text.toStdString());
    return labels;
}

// A number cut by the border reads as another number ("-5" as "5", "0.01" as "01"), and
// numbers on top of each other read as none: each is drawn whole and apart, or not at all.
TEST(ScaleNumbers, AreDrawnWholeInsideTheAreaAndApart) {
    struct Case {
        const char* name;
        int logMode;
        int places;
        bool border;
    };
    for (const Case c : {Case{"linear", kLogNone, 0, false}, Case{"places", kLogNone, 3, false},
                         Case{"border", kLogNone, 0, true}, Case{"logarithmic", kLogBoth, 0, false},
                         Case{"log x", kLogX, 0, true}}) {
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
// form instead.
TEST(ScaleNumbers, AHugeViewIsNumberedInPowersOfTen) {
    TViewFrame frame;
    frame.SetView(0, 0, 5e299L, 0, false);
    const auto texts = NumbersDrawn(frame, TAxesSettings{});
    ASSERT_GE(texts.size(), 8u);
    for (const auto& t : texts) {
        EXPECT_TRUE(t.text.contains("10^299")) << t.text.toStdString();
        EXPECT_LT(t.box.width(), 100);
    }
}

// A view far from the origin shows neither axis; their numbers stand on the border instead of
// leaving the picture blank.
TEST(ScaleNumbers, AxesOutOfTheViewLeaveTheirNumbersOnTheBorder) {
    TViewFrame frame;
    frame.SetView(1000, -1000, 5, 0, false);
    const auto texts = NumbersDrawn(frame, TAxesSettings{});
    const auto labels = Labels(texts);
    ASSERT_GE(texts.size(), 10u);
    EXPECT_NE(std::ranges::find(labels, "1002"), labels.end());
    EXPECT_NE(std::ranges::find(labels, "-998"), labels.end());
    for (const auto& t : texts)  // along the bottom edge or the left edge
        EXPECT_TRUE(t.box.bottom() > 380 || t.box.left() < 20) << t.text.toStdString();
}

TEST(ScaleNumbers, PowerOfTenForms) {
    const struct {
        long double value, step;
        int places;
        QString text;
    } cases[] = {
        {3e300L, 1e299L, 0, QString("3") + QChar(0xB7) + "10^300"},
        {1e300L, 1e299L, 0, "10^300"},
        {-1e300L, 1e299L, 0, "-10^300"},
        {-2.5e-7L, 1e-8L, 0, QString("-2.5") + QChar(0xB7) + "10^-7"},
        {4.25e6L, 2.5e5L, 0, QString("4.25") + QChar(0xB7) + "10^6"},
        {999999, 1, 0, QString("9.99999") + QChar(0xB7) + "10^5"},
        {9.9999e5L, 1e3L, 0, "10^6"},  // the mantissa rounds up to the next power
        {30, 10, 10, QString("3") + QChar(0xB7) + "10^1" + QChar(176)},
        {0, 1e299L, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatScalePower(c.value, c.step, c.places, 176), c.text)
            << static_cast<double>(c.value);
}

TEST(TextBoxes, AnchoredCentredAboveAndBelow) {
    const QPoint anchor(100, 50);
    const QSize extent(40, 12);
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorCentre), (platform::PixelRect{80, 44, 120, 56}));
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorAbove), (platform::PixelRect{80, 38, 120, 50}));
    EXPECT_EQ(LayoutTextBox(anchor, extent, kAnchorBelow), (platform::PixelRect{80, 50, 120, 62}));
}

TEST(ScaleNumbers, PlacesSuffixAndPi) {
    EXPECT_EQ(FormatScaleNumber(2.5L, 2, 176, false), "2.50");
    EXPECT_EQ(FormatScaleNumber(30, 10, 176, false), QString("30") + QChar(176));
    EXPECT_EQ(FormatScaleNumber(3.14159265358979323846L / 2, 0, 176, true),
              QString(QChar(0x03C0)) + "/2");
    EXPECT_EQ(FormatScaleNumber(-3 * 3.14159265358979323846L / 4, 0, 176, true),
              QString("-3") + QChar(0x03C0) + "/4");
    EXPECT_EQ(FormatScaleNumber(1, 1, 176, true), "1.0");  // not a multiple of pi
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
