// The metafile recorder byte for byte: header, pens, geometry, clipping, coordinates held in
// range, the description, and what a device context draws into it.
#include "platform/emf_recorder.h"

#include <gtest/gtest.h>

#include <limits>

#include <QPainter>

#include "emf_test_support.h"
#include "platform/device_context.h"
#include "platform/emf_paint_device.h"
#include "platform/emf_picture.h"

namespace quorlin::platform {
namespace {

using testing::Records;
using testing::RecordsOfType;
using testing::WordAt;
using testing::Words;
using testing::WordsAt;
using Fields = std::vector<std::uint32_t>;

template <typename Draw>
QByteArray Recording(QSize pixels, double dpi, Draw draw) {
    EmfPaintDevice device(pixels, dpi);
    {
        QPainter painter(&device);
        draw(painter);
    }
    return device.Finish();
}

TEST(EmfPaintDevice, AnswersTheMetricsOfItsPageAtItsResolution) {
    // The size in millimetres follows from the exact resolution, the resolutions are rounded.
    const EmfPaintDevice device(QSize(300, 200), 120.5);
    EXPECT_EQ(device.width(), 300);
    EXPECT_EQ(device.height(), 200);
    EXPECT_EQ(device.widthMM(), 63);   // 300 x 25.4 / 120.5 = 63.24
    EXPECT_EQ(device.heightMM(), 42);  // 200 x 25.4 / 120.5 = 42.16
    EXPECT_EQ(device.logicalDpiX(), 121);
    EXPECT_EQ(device.logicalDpiY(), 121);
    EXPECT_EQ(device.physicalDpiX(), 121);
    EXPECT_EQ(device.physicalDpiY(), 121);
    EXPECT_EQ(device.depth(), 32);
    EXPECT_EQ(device.colorCount(), std::numeric_limits<int>::max());
    EXPECT_EQ(device.devicePixelRatio(), 1.0);
}

TEST(EmfRecorder, OneLineIsByteExact) {
    const QByteArray bytes = Recording(QSize(100, 50), 96, [](QPainter& p) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(10, 20, 90, 20);
    });
    // Header: the bounds are the page, the frame is the page in hundredths of a millimetre at
    // 96 dpi, the reference surface is ten inches square.
    // clang-format off
    const QByteArray header = Words({
        1, 108,                    // type, size
        0, 0, 99, 49,              // bounds
        0, 0, 2646, 1323,          // frame
        0x464D4520, 0x10000,       // signature, version
        224, 6, 2,                 // bytes, records, handles (slot 0 and the pen)
        0, 0, 0,                   // no description, no palette
        960, 960, 254, 254,        // reference surface in pixels and millimetres
        0, 0, 0,                   // no pixel format, not OpenGL
        254000, 254000});          // micrometres
    const QByteArray body = Words({
        95, 52, 1, 0, 0, 0, 0,     // pen 1: no pattern bitmap
        0x11100, 2, 0, 0x0000FF,   // geometric, square cap, bevel join; width 2; solid red
        0, 0,                      // no hatch, no dashes
        37, 12, 1,                 // select pen 1
        27, 16, 10, 20,            // move to
        54, 16, 90, 20,            // line to
        14, 20, 0, 16, 20});       // end of file
    // clang-format on
    EXPECT_EQ(bytes.toHex(' ').toStdString(), (header + body).toHex(' ').toStdString());
}

TEST(EmfRecorder, HeaderAgreesWithTheRecordsAndObjectsAreMadeOnceAndFreed) {
    const QByteArray bytes = Recording(QSize(200, 100), 96, [](QPainter& p) {
        p.setPen(QPen(Qt::blue, 1));
        p.drawLine(0, 0, 50, 50);
        p.setPen(QPen(Qt::blue, 1));  // the same pen again costs nothing
        p.drawLine(0, 50, 50, 0);
        for (int i = 0; i < 5; ++i) {
            p.setPen(QPen(QColor::fromHsv(60 * i, 255, 255), i + 1));
            p.setBrush(QColor::fromHsv(30 * i, 255, 200));
            p.drawRect(10 + 30 * i, 10, 20, 20);
        }
        p.setFont(QFont("DejaVu Sans", 10));
        p.drawText(QPointF(10, 80), "text");
    });
    // The validator checks the header's sizes and counts, the end record and every object index
    // against the handle table; replaced objects are deleted, so the table stays small.
    EXPECT_TRUE(EmfPicture::FromBytes(bytes));
    EXPECT_LE(WordAt(bytes, 56) & 0xffff, 7u);
    EXPECT_EQ(RecordsOfType(bytes, 95).size(), 6u);  // blue once, then five more pens
}

TEST(EmfRecorder, PenStylesAndWidths) {
    const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                   Qt::DashDotDotLine};
    const QByteArray bytes = Recording(QSize(100, 100), 96, [&](QPainter& p) {
        int y = 10;
        for (const Qt::PenStyle style : styles) {
            p.setPen(QPen(Qt::black, 3, style, Qt::FlatCap, Qt::RoundJoin));
            p.drawLine(10, y, 90, y);
            y += 10;
        }
        p.setPen(Qt::NoPen);
        p.drawLine(10, 90, 90, 90);  // invisible: nothing recorded
        QPen custom(Qt::black, 2);
        custom.setDashPattern({3, 1});
        p.setPen(custom);
        p.drawLine(10, 95, 90, 95);
        custom.setDashPattern({3, 1, 1, 1, 1, 1, 1, 1});
        p.setPen(custom);
        p.drawLine(10, 97, 90, 97);
    });
    const auto pens = RecordsOfType(bytes, 95);
    ASSERT_EQ(pens.size(), 7u);
    for (std::uint32_t i = 0; i < 5; ++i)  // flat, round; width 3
        EXPECT_EQ(WordsAt(bytes, pens[i].offset + 28, 2), (Fields{0x10200u | i, 3})) << i;
    // A custom pattern of a standard shape is the standard style (dash: longer than its gap);
    // any other is a user style with lengths in device units.
    EXPECT_EQ(WordAt(bytes, pens[5].offset + 28) & 0xF, 1u);
    EXPECT_EQ(WordAt(bytes, pens[5].offset + 48), 0u);
    EXPECT_EQ(WordAt(bytes, pens[6].offset + 28) & 0xF, 7u);
    EXPECT_EQ(WordsAt(bytes, pens[6].offset + 48, 3), (Fields{8, 6, 2}));
    EXPECT_EQ(RecordsOfType(bytes, 54).size(), 7u);  // a line record each, none for the null pen
    // Dashed lines draw their gaps transparent, as the painter does.
    ASSERT_EQ(RecordsOfType(bytes, 18).size(), 1u);
    EXPECT_EQ(WordAt(bytes, RecordsOfType(bytes, 18)[0].offset + 8), 1u);
}

TEST(EmfRecorder, TransformedGeometryAndLargeCoordinates) {
    const QByteArray bytes = Recording(QSize(40000, 100), 96, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.scale(2, 2);
        p.drawPolyline(QPolygon{QPoint(1, 1), QPoint(5, 1), QPoint(5, 5)});
        p.resetTransform();
        p.drawPolyline(QPolygon{QPoint(0, 0), QPoint(39000, 50)});  // past 16-bit coordinates
        p.translate(50, 50);
        p.rotate(45);
        p.drawRect(-10, -10, 20, 20);  // a turned rectangle is a polygon
    });
    const auto small = RecordsOfType(bytes, 87);
    ASSERT_EQ(small.size(), 1u);  // three points as int16 pairs: (2, 2), (10, 2), (10, 10)
    EXPECT_EQ(WordsAt(bytes, small[0].offset + 24, 4),
              (Fields{3, 0x00020002u, 0x0002000Au, 0x000A000Au}));
    const auto large = RecordsOfType(bytes, 4);
    ASSERT_EQ(large.size(), 1u);
    EXPECT_EQ(WordAt(bytes, large[0].offset + 36), 39000u);
    EXPECT_EQ(RecordsOfType(bytes, 43).size(), 0u);
    const auto turned = RecordsOfType(bytes, 86);
    ASSERT_EQ(turned.size(), 1u);
    EXPECT_EQ(WordAt(bytes, turned[0].offset + 24), 5u);  // closed: first corner repeated
    // The turned square's top corner lies straight above the centre, at 10 * sqrt(2).
    EXPECT_EQ(WordAt(bytes, turned[0].offset + 28), (36u << 16) | 50u);
}

TEST(EmfRecorder, CoordinatesBeyondAnyPageAreHeldAtTheEdgeOfTheRange) {
    // Whatever a drawer hands the painter, the integers written stay far from overflowing.
    constexpr double kFar = 1e15, kNaN = std::numeric_limits<double>::quiet_NaN();
    const QByteArray bytes = Recording(QSize(100, 100), 96, [&](QPainter& p) {
        p.setPen(QPen(Qt::black, 1e12));
        p.drawLine(QLineF(-kFar, 0, kFar, kNaN));
        p.drawRect(QRectF(-kFar, -kFar, 2 * kFar, 2 * kFar));
        p.setFont(QFont("DejaVu Sans", 10));
        p.drawText(QPointF(kFar, -kFar), QStringLiteral("far"));
        p.drawImage(QRectF(-kFar, 0, 2 * kFar, 10), QImage(2, 2, QImage::Format_RGB32));
        p.scale(1e12, 1e12);
        p.drawText(QPointF(0, 0), QStringLiteral("huge"));
    });
    ASSERT_TRUE(EmfPicture::FromBytes(bytes));
    const auto lines = RecordsOfType(bytes, 54);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(WordAt(bytes, lines[0].offset + 8), 1u << 28);
    EXPECT_EQ(WordAt(bytes, lines[0].offset + 12), 0u);  // no number: the origin
    const auto pens = RecordsOfType(bytes, 95);
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(WordAt(bytes, pens[0].offset + 32), 1u << 24);
}

TEST(EmfRecorder, ClipRectanglesAndRegions) {
    const QByteArray bytes = Recording(QSize(100, 100), 96, [](QPainter& p) {
        p.save();
        p.setClipRect(QRect(10, 20, 30, 40));
        p.fillRect(0, 0, 100, 100, Qt::red);
        p.restore();
        p.fillRect(0, 0, 5, 5, Qt::blue);
        p.setClipRegion(QRegion(0, 0, 10, 10) | QRegion(50, 50, 10, 10));
        p.fillRect(0, 0, 100, 100, Qt::green);
    });
    std::vector<std::uint32_t> order;
    for (const auto& r : Records(bytes)) {
        if (r.type == 30 || r.type == 75 || r.type == 43) order.push_back(r.type);
    }
    // clip rectangle, red, clip reset, blue, two-rectangle region, green
    EXPECT_EQ(order, (std::vector<std::uint32_t>{30, 43, 75, 43, 75, 43}));
    const auto rect = RecordsOfType(bytes, 30).front();
    EXPECT_EQ(bytes.mid(rect.offset + 8, 16), Words({10, 20, 40, 60}));
    const auto regions = RecordsOfType(bytes, 75);
    EXPECT_EQ(bytes.mid(regions[0].offset, regions[0].size), Words({75, 16, 0, 5}));
    EXPECT_EQ(bytes.mid(regions[1].offset, regions[1].size),
              Words({75, 80, 64, 5, 32, 1, 2, 32, 0, 0, 60, 60, 0, 0, 10, 10, 50, 50, 60, 60}));
}

TEST(EmfRecorder, DescriptionNamesApplicationAndPicture) {
    EmfPaintDevice device(QSize(10, 10), 96, "Quorlin", "a.qz2");
    { QPainter painter(&device); }
    const QByteArray bytes = device.Finish();
    const QString expected = QStringLiteral("Quorlin") + QChar(0) + "a.qz2" + QChar(0) + QChar(0);
    ASSERT_EQ(WordAt(bytes, 60), static_cast<std::uint32_t>(expected.size()));
    ASSERT_EQ(WordAt(bytes, 64), 108u);
    const QString stored = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 108), expected.size());
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(WordAt(bytes, 4), 108u + 32u);  // 15 characters, padded to 32 bytes
    EXPECT_EQ(WordsAt(bytes, 8, 4), (Fields{0, 0, 9, 9})) << "nothing drawn: the page's bounds";
}

TEST(EmfRecorder, RecordsWhatTheDeviceContextDraws) {
    EmfPaintDevice device(QSize(300, 200), 96, "Quorlin", "noname1.qz2");
    {
        DeviceContext dc(device, ScreenMetrics());
        EXPECT_EQ(dc.Metrics(), ScreenMetrics()) << "a metafile measures as its reference device";
        dc.SetBackgroundMode(BackgroundMode::Transparent);
        dc.Select(Pen{Qt::blue, 2, PenStyle::Dash});
        dc.MoveTo(10, 10);
        dc.LineTo(290, 10);
        dc.Select(FontSpec{.faceName = "DejaVu Sans", .height = -16, .escapement = 300});
        dc.SetTextColor(Qt::red);
        dc.TextOut(150, 150, QString::fromUtf8("30\u00b0"));
    }
    const QByteArray bytes = device.Finish();
    const auto picture = EmfPicture::FromBytes(bytes);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->ToSvg().contains("stroke-dasharray"));

    const auto fonts = RecordsOfType(bytes, 82);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(static_cast<std::int32_t>(WordAt(bytes, fonts[0].offset + 12)), -16);
    EXPECT_EQ(WordAt(bytes, fonts[0].offset + 20), 300u);  // escapement
    const auto texts = RecordsOfType(bytes, 84);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(WordAt(bytes, texts[0].offset + 44), 3u);  // three UTF-16 characters
    EXPECT_EQ(bytes.mid(texts[0].offset + 76, 6),
              QByteArray::fromHex("33003000b000"));  // "30°" in UTF-16LE
    ASSERT_FALSE(RecordsOfType(bytes, 24).empty());
    EXPECT_EQ(WordAt(bytes, RecordsOfType(bytes, 24).back().offset + 8), 0x0000FFu);  // red
}

}  // namespace
}  // namespace quorlin::platform
