#include "platform/emf_recorder.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>

#include "emf_test_support.h"
#include "platform/emf_paint_device.h"

namespace quorlin::platform {
namespace {

using testing::Records;
using testing::RecordsOfType;
using testing::WordAt;
using testing::Words;

template <typename Draw>
QByteArray Recording(QSize pixels, double dpi, Draw draw) {
    EmfPaintDevice device(pixels, dpi);
    {
        QPainter painter(&device);
        draw(painter);
    }
    return device.Finish();
}

TEST(EmfRecorder, OneLineIsByteExact) {
    const QByteArray bytes = Recording(QSize(100, 50), 96, [](QPainter& p) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(10, 20, 90, 20);
    });
    // Header: bounds grow by the pen's half width; the frame is 100 x 50 pixels at 96 dpi in
    // hundredths of a millimetre; the reference surface is ten inches square.
    const QByteArray header =
        Words({1,   108, 9,   19,  91, 21, 0, 0,      2646,  1323, 0x464D4520, 0x10000, 224, 6,
               2,            // handles (slot 0 and the pen), reserved 0
               0,   0,   0,  // no description, no palette
               960, 960, 254, 254, 0,  0,  0, 254000, 254000});
    const QByteArray body = Words({95,      52, 1,  0,        0, 0, 0,
                                   0x11100, 2,  0,  0x0000FF, 0, 0,  // geometric, square cap, bevel
                                   37,      12, 1,                   // select pen 1
                                   27,      16, 10, 20,              // move to
                                   54,      16, 90, 20,              // line to
                                   14,      20, 0,  16,       20});  // end of file
    EXPECT_EQ(bytes.toHex(' '), (header + body).toHex(' '));
}

TEST(EmfRecorder, HeaderAgreesWithTheRecords) {
    const QByteArray bytes = Recording(QSize(200, 100), 96, [](QPainter& p) {
        for (int i = 0; i < 5; ++i) {
            p.setPen(QPen(QColor::fromHsv(60 * i, 255, 255), i + 1));
            p.setBrush(QColor::fromHsv(30 * i, 255, 200));
            p.drawRect(10 + 30 * i, 10, 20, 20);
        }
        p.setFont(QFont("DejaVu Sans", 10));
        p.drawText(QPointF(10, 80), "text");
    });
    const auto records = Records(bytes);
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records.front().type, 1u);
    EXPECT_EQ(records.back().type, 14u);
    EXPECT_EQ(records.back().offset + records.back().size, bytes.size());
    EXPECT_EQ(WordAt(bytes, 48), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(WordAt(bytes, 52), records.size());

    // Every object index created, selected or deleted lies inside the handle table, and
    // replaced objects are deleted so the table stays small.
    const std::uint32_t handles = WordAt(bytes, 56) & 0xffff;
    int live = 0;
    for (const auto& r : records) {
        const std::uint32_t index = WordAt(bytes, r.offset + 8);
        switch (r.type) {
            case 95:
            case 39:
            case 82:
                ++live;
                [[fallthrough]];
            case 37:
                if (index < 0x80000000u) {
                    EXPECT_LT(index, handles) << "record " << r.type;
                }
                break;
            case 40:
                --live;
                EXPECT_LT(index, handles);
                break;
            default:
                break;
        }
    }
    EXPECT_LE(live, 3);
    EXPECT_LE(handles, 7u);
}

TEST(EmfRecorder, RepeatedStateCostsNothing) {
    const QByteArray bytes = Recording(QSize(100, 100), 96, [](QPainter& p) {
        p.setPen(QPen(Qt::blue, 1));
        p.drawLine(0, 0, 50, 50);
        p.setPen(QPen(Qt::blue, 1));  // same pen again
        p.drawLine(0, 50, 50, 0);
        p.setPen(QPen(Qt::green, 1));
        p.drawLine(0, 10, 50, 10);
    });
    EXPECT_EQ(RecordsOfType(bytes, 95).size(), 2u);  // blue once, then green
    EXPECT_EQ(RecordsOfType(bytes, 40).size(), 1u);  // the blue pen freed
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
    });
    const auto pens = RecordsOfType(bytes, 95);
    ASSERT_EQ(pens.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(WordAt(bytes, pens[i].offset + 28), 0x10000u | 0x200u | i) << i;  // flat, round
        EXPECT_EQ(WordAt(bytes, pens[i].offset + 32), 3u);
    }
    // A custom dash pattern is a user style with lengths in device units.
    const auto& custom = pens[5];
    EXPECT_EQ(WordAt(bytes, custom.offset + 28) & 0xF, 7u);
    ASSERT_EQ(WordAt(bytes, custom.offset + 48), 2u);
    EXPECT_EQ(WordAt(bytes, custom.offset + 52), 6u);
    EXPECT_EQ(WordAt(bytes, custom.offset + 56), 2u);
    EXPECT_EQ(RecordsOfType(bytes, 54).size(), 6u);  // six line records, none for the null pen
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
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(WordAt(bytes, small[0].offset + 24), 3u);
    EXPECT_EQ(WordAt(bytes, small[0].offset + 28), 0x00020002u);  // (2, 2) as two int16
    EXPECT_EQ(WordAt(bytes, small[0].offset + 36), 0x000A000Au);  // (10, 10)
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

TEST(EmfRecorder, HighResolutionKeepsTheFrame) {
    const auto frame = [](const QByteArray& bytes) {
        return std::vector<std::uint32_t>{WordAt(bytes, 24), WordAt(bytes, 28), WordAt(bytes, 32),
                                          WordAt(bytes, 36)};
    };
    const auto line = [](QPainter& p) { p.drawLine(0, 0, 10, 10); };
    const QByteArray normal = Recording(QSize(300, 200), 96, line);
    const QByteArray fine = Recording(QSize(2700, 1800), 864, line);
    EXPECT_EQ(frame(normal), frame(fine));
    EXPECT_EQ(frame(normal), (std::vector<std::uint32_t>{0, 0, 7938, 5292}));
    EXPECT_EQ(WordAt(fine, 72), 8640u);  // reference surface at the finer resolution
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
    EXPECT_EQ(WordAt(bytes, 4) % 4, 0u);
    EXPECT_EQ(WordAt(bytes, 4), 108u + 32u);  // 15 characters, padded to 32 bytes
    // Nothing drawn: empty bounds.
    EXPECT_EQ(static_cast<std::int32_t>(WordAt(bytes, 16)), -1);
}

}  // namespace
}  // namespace quorlin::platform
