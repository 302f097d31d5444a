// Drawing through DeviceContext onto images, checked at probe pixels; its state, metrics and
// the vector devices it also draws on.
#include "platform/device_context.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

namespace quorlin::platform {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;

QImage WhiteImage(int width = 120, int height = 120) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The bounding box of every pixel that is not white.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// A white image after the drawing, done through a context that has ended.
template <typename Draw>
QImage Drawn(Draw draw, int width = 120, int height = 120) {
    QImage image = WhiteImage(width, height);
    {
        DeviceContext dc(image);
        draw(dc);
    }
    return image;
}

struct Probe {
    int x, y;
    QRgb colour;
};

void ExpectProbes(const QImage& image, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(DeviceContextLines, PensCoverTheirWidthAndDashGapsTakeTheBackground) {
    const QImage image = Drawn([](DeviceContext& dc) {
        dc.Select(Pen::Solid(Qt::red));
        dc.MoveTo(5, 10);
        dc.LineTo(50, 10);
        dc.Select(Pen::Solid(Qt::blue, 3));
        dc.MoveTo(20, 40);
        dc.LineTo(80, 40);
        EXPECT_EQ(dc.CurrentPosition(), QPoint(80, 40));
        dc.SetBackgroundMode(BackgroundMode::Transparent);
        dc.Select(Pen{Qt::black, 1, PenStyle::Dash});  // 18 on, 6 off
        dc.MoveTo(0, 60);
        dc.LineTo(100, 60);
        dc.Select(Pen{Qt::black, 1, PenStyle::Dot});  // 3 on, 3 off
        dc.MoveTo(0, 70);
        dc.LineTo(100, 70);
        dc.SetBackgroundMode(BackgroundMode::Opaque);
        dc.SetBackgroundColor(Qt::red);
        dc.Select(Pen{Qt::black, 1, PenStyle::Dash});
        dc.MoveTo(0, 80);
        dc.LineTo(100, 80);
    });
    ExpectProbes(image, {Probe{5, 10, kRed}, Probe{49, 10, kRed}, Probe{20, 9, kWhite},
                         Probe{60, 10, kWhite}, Probe{50, 39, kBlue}, Probe{50, 41, kBlue},
                         Probe{50, 37, kWhite}, Probe{16, 60, kBlack}, Probe{20, 60, kWhite},
                         Probe{1, 70, kBlack}, Probe{4, 70, kWhite}, Probe{20, 80, kRed}});
}

// A five-pointed star drawn through every second vertex: its centre pentagon is inside by the
// winding rule and outside by the alternate rule.
std::vector<QPoint> Pentagram(QPoint centre, double radius) {
    std::vector<QPoint> points;
    for (int k = 0; k < 5; ++k) {
        const double angle = std::numbers::pi / 2 + 2 * std::numbers::pi * (2 * k % 5) / 5;
        points.emplace_back(centre.x() + static_cast<int>(std::lround(radius * std::cos(angle))),
                            centre.y() - static_cast<int>(std::lround(radius * std::sin(angle))));
    }
    return points;
}

TEST(DeviceContextShapes, PolygonFillModesDecideTheStarCentre) {
    for (const PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
        const QImage image = Drawn([mode](DeviceContext& dc) {
            dc.Select(Pen::Null());
            dc.Select(Brush::Solid(Qt::blue));
            dc.SetPolyFillMode(mode);
            dc.Polygon(Pentagram(QPoint(60, 60), 50));
        });
        EXPECT_EQ(image.pixel(60, 60), mode == PolyFillMode::Winding ? kBlue : kWhite);
        ExpectProbes(image, {Probe{60, 20, kBlue}, Probe{5, 110, kWhite}});  // top point, outside
    }
}

TEST(DeviceContextShapes, RectanglesEllipsesAndPiesFillTheRightParts) {
    const QImage image = Drawn(
        [](DeviceContext& dc) {
            dc.Select(Pen::Solid(Qt::black));
            dc.Select(Brush::Solid(Qt::red));
            dc.Rectangle({10, 10, 20, 20});  // inside left, top, right, bottom
            dc.Select(Pen::Null());
            dc.Rectangle({40, 10, 50, 20});
            dc.Select(Brush::Solid(Qt::blue));
            dc.Ellipse({120, 0, 160, 40});
            // From the ray to the right counter-clockwise to the ray upwards: the upper right
            // quarter of the disc around (80, 80).
            dc.Pie({60, 60, 100, 100}, QPoint(100, 80), QPoint(80, 60));
            // A flat ellipse from the ray towards the top-right corner (14 degrees up) to the
            // ray straight up.
            dc.Pie({0, 150, 200, 200}, QPoint(200, 150), QPoint(100, 50));
        },
        200, 200);
    EXPECT_EQ(InkBox(image.copy(30, 0, 90, 40)), QRect(10, 10, 10, 10));
    ExpectProbes(image, {Probe{19, 19, kBlack}, Probe{15, 15, kRed}, Probe{20, 15, kWhite},
                         Probe{49, 19, kRed}, Probe{140, 20, kBlue}, Probe{121, 1, kWhite},
                         Probe{90, 70, kBlue}, Probe{70, 70, kWhite}, Probe{90, 90, kWhite}});
    // Seen from the flat pie's centre (100, 175): atan(7 / 40) = 9.9 degrees lies below the
    // start ray, atan(13 / 40) = 18 degrees above it.
    ExpectProbes(image, {Probe{140, 168, kWhite}, Probe{140, 162, kBlue}, Probe{110, 155, kBlue},
                         Probe{90, 155, kWhite}});
}

TEST(DeviceContextShapes, HatchDirectionsFollowTheirNames) {
    const auto hatched = [](HatchStyle hatch) {
        return Drawn(
            [hatch](DeviceContext& dc) {
                dc.SetBackgroundMode(BackgroundMode::Transparent);
                dc.FillRect({0, 0, 32, 32}, Brush::Hatched(hatch, Qt::black));
            },
            32, 32);
    };
    const QImage forward = hatched(HatchStyle::ForwardDiagonal);    // lines fall left to right
    const QImage backward = hatched(HatchStyle::BackwardDiagonal);  // lines rise left to right
    int forwardInk = 0;
    for (int y = 1; y < 30; ++y) {
        for (int x = 1; x < 30; ++x) {
            EXPECT_EQ(forward.pixel(x, y), forward.pixel(x + 1, y + 1));
            EXPECT_EQ(backward.pixel(x, y), backward.pixel(x + 1, y - 1));
            forwardInk += forward.pixel(x, y) == kBlack;
        }
    }
    EXPECT_GT(forwardInk, 29 * 29 / 16);
    EXPECT_LT(forwardInk, 29 * 29 / 2);
}

TEST(DeviceContextText, EscapementOf900RunsUpwards) {
    QImage turned = WhiteImage(160, 160);
    QSize extent;
    {
        DeviceContext dc(turned);
        dc.SetBackgroundMode(BackgroundMode::Transparent);
        dc.Select(FontSpec{.height = -16, .escapement = 900});
        extent = dc.TextExtent(QStringLiteral("HHHHHH"));
        dc.TextOut(40, 140, QStringLiteral("HHHHHH"));
    }
    const QRect ink = InkBox(turned);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.height(), extent.width(), 3);
    // Turned a quarter left about the reference point: the text rises from (40, 140) and its
    // top lies towards smaller x.
    EXPECT_TRUE(ink.bottom() <= 141 && ink.top() >= 140 - extent.width() - 2);
    EXPECT_TRUE(ink.left() >= 40 - 1 && ink.right() <= 40 + extent.height() + 1);
}

TEST(DeviceContextText, AlignmentPutsTheBoxAroundTheReferencePoint) {
    QImage image = WhiteImage(200, 120);
    QSize extent;
    TextMetrics metrics;
    {
        DeviceContext dc(image);
        dc.Select(FontSpec{.height = -18});
        dc.SetBackgroundMode(BackgroundMode::Opaque);
        dc.SetBackgroundColor(Qt::red);
        extent = dc.TextExtent(QStringLiteral("Wxy"));
        metrics = dc.GetTextMetrics();
        dc.SetTextAlign({TextAlign::Horizontal::Right, TextAlign::Vertical::Bottom});
        dc.TextOut(150, 50, QStringLiteral("Wxy"));
        dc.SetTextAlign({TextAlign::Horizontal::Center, TextAlign::Vertical::Baseline});
        dc.TextOut(100, 100, QStringLiteral("Wxy"));
    }
    // Right and bottom: the box ends at the reference point.
    EXPECT_EQ(InkBox(image.copy(0, 0, 200, 60)),
              QRect(150 - extent.width(), 50 - extent.height(), extent.width(), extent.height()));
    // Centre and baseline: the box straddles x and its baseline is at y.
    const QRect centred = InkBox(image.copy(0, 60, 200, 60)).translated(0, 60);
    EXPECT_NEAR(centred.center().x(), 100, 1);
    EXPECT_EQ(centred.top(), 100 - metrics.ascent);
    EXPECT_EQ(centred.bottom(), 100 + metrics.descent - 1);
}

TEST(DeviceContextFonts, HeightsAreCellsOrCharactersInDevicePixelsAndTextMayMoveThePosition) {
    QImage image = WhiteImage();
    DeviceContext dc(image);
    dc.Select(FontSpec{.height = 30});
    EXPECT_NEAR(dc.GetTextMetrics().height, 30, 1);
    dc.Select(FontSpec{.height = -30});
    EXPECT_GT(dc.GetTextMetrics().height, 30);
    dc.SetTextAlign({TextAlign::Horizontal::Left, TextAlign::Vertical::Top, true});  // updating
    dc.MoveTo(10, 30);
    const int width = dc.TextExtent(QStringLiteral("ab")).width();
    dc.TextOut(0, 0, QStringLiteral("ab"));
    dc.TextOut(0, 0, QStringLiteral("ab"));
    EXPECT_EQ(dc.CurrentPosition(), QPoint(10 + 2 * width, 30));

    QPdfWriter pdf(QStringLiteral("/dev/null"));
    pdf.setResolution(600);
    DeviceContext page(pdf);
    page.Select(FontSpec{.height = -100});  // 12 points at 600 pixels per inch
    EXPECT_GT(page.GetTextMetrics().height, 100);
    EXPECT_LT(page.GetTextMetrics().height, 140);
}

TEST(DeviceContextPixels, ReadsFollowThePaintersTranslationAndStayInsideTheImage) {
    QImage image = WhiteImage();
    QPainter painter(&image);
    painter.translate(10, 20);
    DeviceContext dc(painter);
    dc.SetPixel(1, 1, QColor(12, 34, 56));
    EXPECT_EQ(image.pixel(11, 21), qRgb(12, 34, 56));
    EXPECT_EQ(dc.GetPixel(1, 1), QColor(12, 34, 56));
    EXPECT_FALSE(dc.GetPixel(-11, 4).isValid() || dc.GetPixel(110, 4).isValid());

    QImage none;  // a null image gives an inactive context that ignores drawing
    DeviceContext inactive(none);
    EXPECT_FALSE(inactive.IsActive());
    inactive.LineTo(10, 10);
    inactive.TextOut(0, 0, QStringLiteral("x"));
    EXPECT_FALSE(inactive.GetPixel(0, 0).isValid());
}

TEST(DeviceContextImages, CopyImageCopiesThePartExactlyWithAlpha) {
    QImage source(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) source.setPixel(x, y, qRgba(x * 30, y * 30, 7, 255));
    }
    source.setPixel(3, 3, qRgba(0, 0, 0, 0));
    QImage target(40, 40, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        DeviceContext dc(target);
        dc.CopyImage(source, {20, 30, 24, 34}, QPoint(2, 2));
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(target.pixel(20 + x, 30 + y), source.pixel(2 + x, 2 + y)) << x << "," << y;
        }
    }
    ExpectProbes(target, {Probe{19, 30, kWhite}, Probe{24, 30, kWhite}, Probe{20, 34, kWhite}});
}

TEST(DeviceContextImages, CopyImageOfAScaledScreenCopiesEveryDevicePixelOfThePart) {
    // The window layers of a screen scaled by 2 hold two device pixels per client pixel; a
    // copy named in client pixels takes the whole part, not its upper left quarter.
    QImage source(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) source.setPixel(x, y, qRgb(x * 15, y * 15, 7));
    }
    source.setDevicePixelRatio(2);
    QImage target(80, 80, QImage::Format_RGB32);
    target.fill(Qt::white);
    target.setDevicePixelRatio(2);
    {
        DeviceContext dc(target);
        dc.CopyImage(source, {20, 30, 24, 34}, QPoint(2, 3));
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(target.pixel(40 + x, 60 + y), source.pixel(4 + x, 6 + y)) << x << "," << y;
        }
    }
    ExpectProbes(target, {Probe{39, 60, kWhite}, Probe{48, 60, kWhite}, Probe{40, 68, kWhite}});
}

TEST(DeviceContextState, SelectionsReturnThePreviousToolGuardsRestoreItAndClipsLimit) {
    QImage image = WhiteImage();
    QPainter painter(&image);
    const QPen before(Qt::magenta, 4);
    painter.setPen(before);
    {
        DeviceContext dc(painter);
        const Pen red = Pen::Solid(Qt::red, 2);
        EXPECT_EQ(dc.Select(red), Pen{});
        {
            SelectionGuard guard(dc, Pen{Qt::blue, 1, PenStyle::Dash});
            SelectionGuard brush(dc, Brush::Hollow());
            EXPECT_EQ(dc.CurrentBrush(), Brush::Hollow());
        }
        EXPECT_TRUE(dc.CurrentPen() == red && dc.CurrentBrush() == Brush{});
        EXPECT_EQ(dc.SetTextColor(Qt::green), QColor(Qt::black));
        EXPECT_EQ(dc.SetBackgroundMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
        dc.SetClipRect({10, 10, 20, 20});
        dc.FillSolidRect({0, 0, 120, 120}, Qt::red);
        EXPECT_EQ(InkBox(image), QRect(10, 10, 10, 10));
        dc.ResetClip();
        dc.FillSolidRect({0, 0, 5, 5}, Qt::blue);
        EXPECT_EQ(image.pixel(2, 2), kBlue);
        dc.SetClipRect({0, 0, 2, 2});
    }
    // A borrowed painter gets its state back.
    EXPECT_EQ(painter.pen(), before);
    EXPECT_FALSE(painter.hasClipping());
}

TEST(DeviceContextMetrics, ImagesAnswerWithTheScreenPagesWithThemselvesAndZerosFallBack) {
    QImage image = WhiteImage();
    EXPECT_EQ(DeviceContext(image).Metrics(), ScreenMetrics());
    EXPECT_GT(ScreenMetrics().widthMm, 0);
    // 960 px at 96 per inch are 254 mm, 480 px at 120 per inch 101.6 mm.
    const DeviceMetrics m = MakeDeviceMetrics(QSize(960, 480), QSize(0, 0), 0, 120);
    EXPECT_EQ(std::tuple(m.pixelsPerInchX, m.pixelsPerInchY, m.widthMm, m.heightMm),
              std::tuple(96, 120, 254, 102));
    const DeviceMetrics given = MakeDeviceMetrics(QSize(1000, 800), QSize(300, 240), 85, 85);
    EXPECT_EQ(std::pair(given.widthMm, given.heightMm), std::pair(300, 240));

    QPdfWriter pdf(QStringLiteral("/dev/null"));
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    const DeviceMetrics page = MetricsOfDevice(pdf);
    EXPECT_EQ(page.pixelsPerInchX, 300);
    EXPECT_NEAR(page.widthPixels, 210 / 25.4 * 300, 2);
    EXPECT_NEAR(page.heightMm, 297, 1);
}

TEST(DeviceContextMetrics, FitInsideMovesThenShrinksIntoTheArea) {
    const QRect area(0, 20, 640, 430);
    const struct {
        QRect wanted, fitted;
    } cases[] = {
        {{30, 40, 500, 400}, {30, 40, 500, 400}},     // inside: as it is
        {{3000, 40, 500, 400}, {140, 40, 500, 400}},  // beyond the right edge: moved in
        {{-50, 0, 500, 400}, {0, 20, 500, 400}},      // above and left: moved in
        {{0, 0, 2048, 1440}, {0, 20, 640, 430}},      // twice the screen: shrunk to it
        {{10, 30, 0, 0}, {10, 30, 1, 1}},             // empty: one pixel
    };
    for (const auto& c : cases) EXPECT_EQ(FitInside(c.wanted, area), c.fitted) << c.wanted.x();
}

TEST(DeviceContextTargets, VectorDevicesRecordTheDrawingAndHaveNoPixels) {
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    {
        DeviceContext dc(generator);
        dc.Select(Pen::Solid(Qt::red, 2));
        dc.LineTo(50, 90);
        dc.TextOut(20, 20, QStringLiteral("label"));
        EXPECT_FALSE(dc.GetPixel(1, 1).isValid());
    }
    EXPECT_TRUE(svg.data().contains("#ff0000") && svg.data().contains("label"));
}

}  // namespace
}  // namespace quorlin::platform
