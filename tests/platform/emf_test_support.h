#pragma once
// Helpers shared by the metafile tests: a plain reader of record types and fields that does not
// go through the code under test, a builder of little-endian bytes from 32-bit words, and a
// scene of the program's kinds of drawing at known places.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include "platform/emf_paint_device.h"

namespace quorlin::platform::testing {

inline std::uint32_t WordAt(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return v;
}

// count words from offset on, to compare several fields of a record at once.
inline std::vector<std::uint32_t> WordsAt(const QByteArray& bytes, qsizetype offset, int count) {
    std::vector<std::uint32_t> words;
    for (int i = 0; i < count; ++i) words.push_back(WordAt(bytes, offset + 4 * i));
    return words;
}

inline void PutWord(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

inline QByteArray Words(std::initializer_list<std::uint32_t> words) {
    QByteArray bytes;
    for (const std::uint32_t w : words) {
        bytes.append(QByteArray(4, '\0'));
        PutWord(bytes, bytes.size() - 4, w);
    }
    return bytes;
}

struct RecordAt {
    std::uint32_t type;
    qsizetype offset;
    std::uint32_t size;
};

// The records of a well-formed metafile, in order (stops at a size that leaves the data).
inline std::vector<RecordAt> Records(const QByteArray& bytes) {
    std::vector<RecordAt> records;
    qsizetype offset = 0;
    while (offset + 8 <= bytes.size()) {
        const std::uint32_t size = WordAt(bytes, offset + 4);
        if (size < 8 || offset + size > bytes.size()) break;
        records.push_back({WordAt(bytes, offset), offset, size});
        offset += size;
    }
    return records;
}

inline std::vector<RecordAt> RecordsOfType(const QByteArray& bytes, std::uint32_t type) {
    std::vector<RecordAt> result;
    for (const RecordAt& r : Records(bytes)) {
        if (r.type == type) result.push_back(r);
    }
    return result;
}

inline const QSize kScenePage(200, 100);

// On a 200 x 100 page: a red block round (30, 25), a blue disc round (80, 30), a green triangle
// round (140, 20), an orange bitmap round (175, 25) whose transparent corner (195, 45) stays
// white, a thick black line through (30, 50), a purple disc seen only through the clip round
// (115, 70), a hatched block, a polyline, a dashed line, a text and a text turned by 30 degrees;
// nothing at (55, 30), (115, 40), (115, 55) or (90, 70).
inline void DrawScene(QPainter& p) {
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(0, 95, 199, 95);
    p.setPen(QPen(QColor(0, 0, 160), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygon{QPoint(5, 60), QPoint(40, 85), QPoint(70, 60)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(10, 10, 40, 30);
    p.setBrush(QColor(0, 0, 255));
    p.drawEllipse(QRect(60, 10, 40, 40));
    p.setBrush(QColor(0, 160, 0));
    p.drawPolygon(QPolygon{QPoint(110, 10), QPoint(150, 10), QPoint(150, 50)});
    p.setBrush(QBrush(QColor(0, 128, 0), Qt::CrossPattern));
    p.drawRect(10, 62, 20, 20);
    QImage orange(4, 4, QImage::Format_ARGB32);
    orange.fill(QColor(255, 128, 0));
    orange.setPixelColor(3, 3, QColor(0, 0, 0, 0));
    p.drawImage(QRect(160, 10, 40, 40), orange);
    p.save();
    p.setClipRect(QRect(100, 60, 30, 20));
    p.setBrush(QColor(200, 0, 200));
    p.drawEllipse(QPoint(115, 70), 60, 60);
    p.restore();
    p.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(10, 50, 100, 50);
    p.setPen(Qt::black);
    p.setFont(QFont("DejaVu Sans", 10));
    p.drawText(QPointF(135, 75), QString::fromUtf8("\u03b1 = 30\u00b0"));
    p.translate(150, 90);
    p.rotate(-30);
    p.drawText(QPointF(0, 0), QStringLiteral("turned"));
}

// The scene recorded as a metafile at 96 dpi, its description naming program and diagram.
inline QByteArray RecordedScene() {
    EmfPaintDevice device(kScenePage, 96, "Quorlin", "diagram.qz2");
    {
        QPainter painter(&device);
        DrawScene(painter);
    }
    return device.Finish();
}

}  // namespace quorlin::platform::testing
