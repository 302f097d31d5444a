#pragma once
// EmfRecorder writes the records of an Enhanced Metafile the way a GDI device context would
// record them: pens, brushes and fonts become objects in a handle table and are selected before
// the drawing records that use them; lines, polygons, rectangles, ellipses, text and bitmaps
// are written in device units (one unit per pixel of the recording surface).
//
// The recorder keeps what the file's reader will have selected, so a state change that repeats
// the current one costs nothing, and it frees replaced objects, so the handle table stays small.
// Finish() puts the header (bounds, frame in hundredths of a millimetre, description, record
// and handle counts) in front of the records and closes them with the end-of-file record.
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <QString>

#include "core/binio.h"
#include "platform/metafile/emf_format.h"

namespace quorlin::platform {

// A pen as the metafile stores it (EMR_EXTCREATEPEN). The default is the null pen.
struct EmfPen {
    std::uint32_t style = emf::kPenNull;  // geometric flag, cap, join and dash style
    std::uint32_t width = 1;              // device units
    QRgb colour = 0;
    std::vector<std::uint32_t> dashes;  // dash and gap lengths of a user style

    bool IsNull() const { return (style & 0xF) == emf::kPenNull; }
    bool IsDashed() const { return !IsNull() && (style & 0xF) != emf::kPenSolid; }
    friend bool operator==(const EmfPen&, const EmfPen&) = default;
};

// A brush (EMR_CREATEBRUSHINDIRECT). The default is the null brush.
struct EmfBrush {
    std::uint32_t style = emf::kBrushNull;
    QRgb colour = 0;
    std::uint32_t hatch = 0;

    bool IsNull() const { return style == emf::kBrushNull; }
    friend bool operator==(const EmfBrush&, const EmfBrush&) = default;
};

// A font (EMR_EXTCREATEFONTINDIRECTW).
struct EmfFont {
    std::int32_t height = 0;      // negative: the em height in device units
    std::int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;

    friend bool operator==(const EmfFont&, const EmfFont&) = default;
};

class EmfRecorder {
public:
    // A recording surface of the given size in pixels at dpi pixels per inch; the description
    // is the header's (see emf::MakeDescription).
    EmfRecorder(QSize pixels, double dpi, QString description = {});

    // Device-context state; each writes records only when it changes what is selected.
    void SelectPen(const EmfPen& pen);
    void SelectBrush(const EmfBrush& brush);
    void SelectFont(const EmfFont& font);
    void SetTextColour(QRgb colour);
    void SetBackgroundMode(std::uint32_t mode);
    void SetBackgroundColour(QRgb colour);
    void SetTextAlign(std::uint32_t align);
    void SetPolyFillMode(std::uint32_t mode);
    // The clip region in device units; nothing for no clipping.
    void SetClip(const std::optional<QRegion>& clip);

    // Drawing with the selected objects, in device units.
    void Line(QPoint from, QPoint to);
    void Polyline(const QPolygon& points);
    void PolyPolyline(const std::vector<QPolygon>& lines);
    void Polygon(const QPolygon& points);
    void PolyPolygon(const std::vector<QPolygon>& polygons);
    void Rectangle(const emf::Rect32& box);
    void Ellipse(const emf::Rect32& box);
    void Pixel(QPoint at, QRgb colour);
    // Text with its baseline starting at reference; advances are the distances from each
    // character (UTF-16 unit) to the next; bounds is the area the text covers.
    void Text(QPoint reference, const QString& text, const std::vector<std::int32_t>& advances,
              const QRect& bounds);
    // A bitmap stretched into box (corners as in Rectangle); transparency is laid on white.
    void Image(const emf::Rect32& box, const QImage& image);

    // The complete metafile: header, the records so far, end-of-file record.
    QByteArray Finish() const;

    QSize PixelSize() const { return pixels_; }
    double Dpi() const { return dpi_; }

private:
    void Emit(std::uint32_t type, const ByteWriter& payload);
    void EmitValue(std::uint32_t type, std::uint32_t value);
    // Writes a one-value mode record when wanted differs from the current value.
    void SetValue(std::uint32_t type, std::uint32_t& current, std::uint32_t wanted);
    void Select(std::uint32_t handle);
    void Delete(std::uint32_t handle);
    std::uint32_t AllocateHandle();
    // Replaces the object in current by a new one made by create (or a stock object).
    template <typename Create>
    void Replace(std::optional<std::uint32_t>& current, std::optional<std::uint32_t> stock,
                 Create create);
    void IncludeInBounds(const QRect& area);
    void IncludeStroke(const QRect& area);
    void WritePoints(std::uint32_t type16, std::uint32_t type32, const QPolygon& points);
    void WritePolyPoints(std::uint32_t type16, std::uint32_t type32,
                         const std::vector<QPolygon>& polygons);

    QSize pixels_;
    double dpi_;
    QString description_;
    ByteWriter records_;
    std::uint32_t recordCount_ = 0;
    std::vector<bool> handleUsed_{true};  // slot 0 is the metafile itself
    QRect bounds_;

    // What a reader has selected after the records so far (GDI's defaults at the start).
    std::optional<EmfPen> pen_;
    std::optional<EmfBrush> brush_;
    std::optional<EmfFont> font_;
    std::optional<std::uint32_t> penHandle_, brushHandle_, fontHandle_;
    std::uint32_t textColour_ = 0x000000;  // colour words (0x00BBGGRR)
    std::uint32_t backgroundColour_ = 0xFFFFFF;
    std::uint32_t backgroundMode_ = emf::kBkOpaque;
    std::uint32_t textAlign_ = 0;
    std::uint32_t polyFillMode_ = emf::kFillAlternate;
    std::uint32_t stretchMode_ = 1;
    std::optional<QRegion> clip_;
};

// The colour word of the format: 0x00BBGGRR.
std::uint32_t ColourRef(QRgb colour);

}  // namespace quorlin::platform
