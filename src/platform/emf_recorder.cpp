#include "platform/emf_recorder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include <QPainter>

namespace quorlin::platform {

namespace {

constexpr std::size_t kLogFontFaceChars = 32;
// LOGFONTW is followed by the full name, style, version, style size, match, reserved, vendor,
// culture and PANOSE fields of LOGFONTPANOSEW, which readers expect to find (zeros here).
constexpr std::size_t kLogFontPanoseExtra = 64 * 2 + 32 * 2 + 6 * 4 + 10 + 2;
constexpr std::uint8_t kDefaultCharset = 1;

void WriteRect(const emf::Rect32& r, ByteWriter& out) {
    out.I32(r.left);
    out.I32(r.top);
    out.I32(r.right);
    out.I32(r.bottom);
}

void WriteRect(const QRect& r, ByteWriter& out) {
    WriteRect(emf::Rect32{r.left(), r.top(), r.right(), r.bottom()}, out);
}

void WriteFloat(float value, ByteWriter& out) {
    out.U32(std::bit_cast<std::uint32_t>(value));
}

bool FitsIn16Bits(const QPolygon& points) {
    constexpr int lo = std::numeric_limits<std::int16_t>::min();
    constexpr int hi = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points.begin(), points.end(), [](QPoint p) {
        return p.x() >= lo && p.x() <= hi && p.y() >= lo && p.y() <= hi;
    });
}

void WritePoint(QPoint p, bool small, ByteWriter& out) {
    if (small) {
        out.I16(static_cast<std::int16_t>(p.x()));
        out.I16(static_cast<std::int16_t>(p.y()));
    } else {
        out.I32(p.x());
        out.I32(p.y());
    }
}

QRect BoxArea(const emf::Rect32& box) {
    return QRect(QPoint(std::min(box.left, box.right), std::min(box.top, box.bottom)),
                 QPoint(std::max(box.left, box.right), std::max(box.top, box.bottom)));
}

// The rows of a 24-bit bottom-up DIB of image, transparent parts laid on white.
std::vector<std::uint8_t> BottomUpBgrRows(const QImage& image) {
    QImage canvas(image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.drawImage(0, 0, image);
    }
    const QImage bgr = canvas.convertToFormat(QImage::Format_BGR888);
    const auto rowBytes = static_cast<std::size_t>(bgr.width()) * 3;
    const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(bgr.height()), 0);
    for (int y = 0; y < bgr.height(); ++y) {
        const std::uint8_t* row = bgr.constScanLine(bgr.height() - 1 - y);
        std::copy(row, row + rowBytes, bits.begin() + static_cast<std::ptrdiff_t>(stride * y));
    }
    return bits;
}

}  // namespace

std::uint32_t ColourRef(QRgb colour) {
    return static_cast<std::uint32_t>(qRed(colour)) |
           (static_cast<std::uint32_t>(qGreen(colour)) << 8) |
           (static_cast<std::uint32_t>(qBlue(colour)) << 16);
}

EmfRecorder::EmfRecorder(QSize pixels, double dpi, QString description)
    : pixels_(pixels), dpi_(dpi > 0 ? dpi : 96.0), description_(std::move(description)) {}

void EmfRecorder::Emit(std::uint32_t type, const ByteWriter& payload) {
    const std::size_t padding = (4 - payload.Size() % 4) % 4;
    records_.U32(type);
    records_.U32(static_cast<std::uint32_t>(8 + payload.Size() + padding));
    records_.Bytes(payload.Data());
    records_.Zeros(padding);
    ++recordCount_;
}

void EmfRecorder::EmitValue(std::uint32_t type, std::uint32_t value) {
    ByteWriter payload;
    payload.U32(value);
    Emit(type, payload);
}

void EmfRecorder::Select(std::uint32_t handle) {
    EmitValue(emf::kSelectObject, handle);
}

void EmfRecorder::Delete(std::uint32_t handle) {
    EmitValue(emf::kDeleteObject, handle);
    handleUsed_[handle] = false;
}

std::uint32_t EmfRecorder::AllocateHandle() {
    const auto free = std::find(handleUsed_.begin(), handleUsed_.end(), false);
    const auto index = static_cast<std::uint32_t>(free - handleUsed_.begin());
    if (free == handleUsed_.end()) {
        handleUsed_.push_back(true);
    } else {
        *free = true;
    }
    return index;
}

template <typename Create>
void EmfRecorder::Replace(std::optional<std::uint32_t>& current, std::optional<std::uint32_t> stock,
                          Create create) {
    std::optional<std::uint32_t> made;
    if (stock) {
        Select(*stock);
    } else {
        made = AllocateHandle();
        create(*made);
        Select(*made);
    }
    if (current) Delete(*current);
    current = made;
}

void EmfRecorder::SelectPen(const EmfPen& pen) {
    if (pen_ == pen) return;
    const auto stock = pen.IsNull() ? std::optional(emf::kNullPen) : std::nullopt;
    Replace(penHandle_, stock, [&](std::uint32_t handle) {
        ByteWriter p;
        p.U32(handle);
        p.Zeros(16);  // no pattern bitmap
        p.U32(pen.style);
        p.U32(pen.width);
        p.U32(emf::kBrushSolid);
        p.U32(ColourRef(pen.colour));
        p.U32(0);  // hatch
        p.U32(static_cast<std::uint32_t>(pen.dashes.size()));
        for (const std::uint32_t d : pen.dashes) p.U32(d);
        Emit(emf::kExtCreatePen, p);
    });
    pen_ = pen;
}

void EmfRecorder::SelectBrush(const EmfBrush& brush) {
    if (brush_ == brush) return;
    const auto stock = brush.IsNull() ? std::optional(emf::kNullBrush) : std::nullopt;
    Replace(brushHandle_, stock, [&](std::uint32_t handle) {
        ByteWriter p;
        p.U32(handle);
        p.U32(brush.style);
        p.U32(ColourRef(brush.colour));
        p.U32(brush.hatch);
        Emit(emf::kCreateBrushIndirect, p);
    });
    brush_ = brush;
}

void EmfRecorder::SelectFont(const EmfFont& font) {
    if (font_ == font) return;
    Replace(fontHandle_, std::nullopt, [&](std::uint32_t handle) {
        ByteWriter p;
        p.U32(handle);
        p.I32(font.height);
        p.I32(0);  // width: the face's own
        p.I32(font.escapement);
        p.I32(font.escapement);  // orientation follows the baseline
        p.I32(font.weight);
        p.U8(font.italic ? 1 : 0);
        p.U8(font.underline ? 1 : 0);
        p.U8(font.strikeOut ? 1 : 0);
        p.U8(kDefaultCharset);
        p.Zeros(4);  // precision, clip precision, quality, pitch and family: defaults
        const QString face = font.face.left(kLogFontFaceChars - 1);
        for (const QChar c : face) p.U16(c.unicode());
        p.Zeros(2 * (kLogFontFaceChars - static_cast<std::size_t>(face.size())));
        p.Zeros(kLogFontPanoseExtra);
        Emit(emf::kExtCreateFontIndirectW, p);
    });
    font_ = font;
}

void EmfRecorder::SetValue(std::uint32_t type, std::uint32_t& current, std::uint32_t wanted) {
    if (current == wanted) return;
    EmitValue(type, wanted);
    current = wanted;
}

void EmfRecorder::SetTextColour(QRgb colour) {
    SetValue(emf::kSetTextColor, textColour_, ColourRef(colour));
}

void EmfRecorder::SetBackgroundMode(std::uint32_t mode) {
    SetValue(emf::kSetBkMode, backgroundMode_, mode);
}

void EmfRecorder::SetBackgroundColour(QRgb colour) {
    SetValue(emf::kSetBkColor, backgroundColour_, ColourRef(colour));
}

void EmfRecorder::SetTextAlign(std::uint32_t align) {
    SetValue(emf::kSetTextAlign, textAlign_, align);
}

void EmfRecorder::SetPolyFillMode(std::uint32_t mode) {
    SetValue(emf::kSetPolyFillMode, polyFillMode_, mode);
}

void EmfRecorder::SetClip(const std::optional<QRegion>& clip) {
    if (clip_ == clip) return;
    if (clip_) {
        ByteWriter reset;  // no region data: back to the whole surface
        reset.U32(0);
        reset.U32(emf::kRegionCopy);
        Emit(emf::kExtSelectClipRgn, reset);
    }
    clip_ = clip;
    if (!clip) return;
    // Readers know a clip rectangle better than region data, so a plain rectangle is one.
    const auto writeRect = [](const QRect& r, ByteWriter& out) {  // right and bottom outside
        WriteRect(emf::Rect32{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, out);
    };
    ByteWriter p;
    if (clip->rectCount() <= 1) {
        writeRect(clip->boundingRect(), p);
        Emit(emf::kIntersectClipRect, p);
        return;
    }
    constexpr std::uint32_t kRegionHeaderSize = 32, kRectangles = 1;
    const auto count = static_cast<std::uint32_t>(clip->rectCount());
    p.U32(kRegionHeaderSize + 16 * count);
    p.U32(emf::kRegionCopy);
    p.U32(kRegionHeaderSize);
    p.U32(kRectangles);
    p.U32(count);
    p.U32(16 * count);
    writeRect(clip->boundingRect(), p);
    for (const QRect& r : *clip) writeRect(r, p);
    Emit(emf::kExtSelectClipRgn, p);
}

void EmfRecorder::IncludeInBounds(const QRect& area) {
    const QRect seen = clip_ ? area & clip_->boundingRect() : area;
    if (!seen.isEmpty()) bounds_ |= seen;
}

void EmfRecorder::IncludeStroke(const QRect& area) {
    const int half = pen_ && !pen_->IsNull() ? static_cast<int>(pen_->width + 1) / 2 : 0;
    IncludeInBounds(area.adjusted(-half, -half, half, half));
}

void EmfRecorder::Line(QPoint from, QPoint to) {
    ByteWriter move;
    WritePoint(from, false, move);
    Emit(emf::kMoveToEx, move);
    ByteWriter line;
    WritePoint(to, false, line);
    Emit(emf::kLineTo, line);
    IncludeStroke(QRect(from, to).normalized());
}

void EmfRecorder::WritePoints(std::uint32_t type16, std::uint32_t type32, const QPolygon& points) {
    const bool small = FitsIn16Bits(points);
    const QRect area = points.boundingRect();
    ByteWriter p;
    WriteRect(area, p);
    p.U32(static_cast<std::uint32_t>(points.size()));
    for (const QPoint pt : points) WritePoint(pt, small, p);
    Emit(small ? type16 : type32, p);
}

void EmfRecorder::WritePolyPoints(std::uint32_t type16, std::uint32_t type32,
                                  const std::vector<QPolygon>& polygons) {
    QRect area;
    std::uint32_t total = 0;
    bool small = true;
    for (const QPolygon& polygon : polygons) {
        area |= polygon.boundingRect();
        total += static_cast<std::uint32_t>(polygon.size());
        small = small && FitsIn16Bits(polygon);
    }
    ByteWriter p;
    WriteRect(area, p);
    p.U32(static_cast<std::uint32_t>(polygons.size()));
    p.U32(total);
    for (const QPolygon& polygon : polygons) p.U32(static_cast<std::uint32_t>(polygon.size()));
    for (const QPolygon& polygon : polygons) {
        for (const QPoint pt : polygon) WritePoint(pt, small, p);
    }
    Emit(small ? type16 : type32, p);
}

void EmfRecorder::Polyline(const QPolygon& points) {
    if (points.size() < 2) return;
    WritePoints(emf::kPolyline16, emf::kPolyline, points);
    IncludeStroke(points.boundingRect());
}

void EmfRecorder::PolyPolyline(const std::vector<QPolygon>& lines) {
    std::vector<QPolygon> drawn;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(drawn),
                 [](const QPolygon& line) { return line.size() >= 2; });
    if (drawn.empty()) return;
    WritePolyPoints(emf::kPolyPolyline16, emf::kPolyPolyline, drawn);
    for (const QPolygon& line : drawn) IncludeStroke(line.boundingRect());
}

void EmfRecorder::Polygon(const QPolygon& points) {
    if (points.size() < 2) return;
    WritePoints(emf::kPolygon16, emf::kPolygon, points);
    IncludeStroke(points.boundingRect());
}

void EmfRecorder::PolyPolygon(const std::vector<QPolygon>& polygons) {
    std::vector<QPolygon> drawn;
    std::copy_if(polygons.begin(), polygons.end(), std::back_inserter(drawn),
                 [](const QPolygon& polygon) { return polygon.size() >= 2; });
    if (drawn.empty()) return;
    WritePolyPoints(emf::kPolyPolygon16, emf::kPolyPolygon, drawn);
    for (const QPolygon& polygon : drawn) IncludeStroke(polygon.boundingRect());
}

void EmfRecorder::Rectangle(const emf::Rect32& box) {
    ByteWriter p;
    WriteRect(box, p);
    Emit(emf::kRectangle, p);
    IncludeStroke(BoxArea(box));
}

void EmfRecorder::Ellipse(const emf::Rect32& box) {
    ByteWriter p;
    WriteRect(box, p);
    Emit(emf::kEllipse, p);
    IncludeStroke(BoxArea(box));
}

void EmfRecorder::Pixel(QPoint at, QRgb colour) {
    ByteWriter p;
    WritePoint(at, false, p);
    p.U32(ColourRef(colour));
    Emit(emf::kSetPixelV, p);
    IncludeInBounds(QRect(at, QSize(1, 1)));
}

void EmfRecorder::Text(QPoint reference, const QString& text,
                       const std::vector<std::int32_t>& advances, const QRect& bounds) {
    if (text.isEmpty()) return;
    constexpr std::uint32_t kFixedSize = 76;  // record header, bounds, modes, text fields
    const auto chars = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringBytes = (2 * chars + 3) & ~3u;
    const float scale = static_cast<float>(2540.0 / dpi_);  // hundredths of a mm per unit
    ByteWriter p;
    WriteRect(bounds, p);
    p.U32(emf::kGraphicsModeCompatible);
    WriteFloat(scale, p);
    WriteFloat(scale, p);
    WritePoint(reference, false, p);
    p.U32(chars);
    p.U32(kFixedSize);
    p.U32(0);  // options: no clipping, no opaque box
    WriteRect(emf::Rect32{}, p);
    p.U32(kFixedSize + stringBytes);
    for (const QChar c : text) p.U16(c.unicode());
    p.Zeros(stringBytes - 2 * chars);
    for (std::uint32_t i = 0; i < chars; ++i) p.I32(i < advances.size() ? advances[i] : 0);
    Emit(emf::kExtTextOutW, p);
    IncludeInBounds(bounds);
}

void EmfRecorder::Image(const emf::Rect32& box, const QImage& image) {
    if (image.isNull()) return;
    SetValue(emf::kSetStretchBltMode, stretchMode_, emf::kStretchColorOnColor);
    constexpr std::uint32_t kFixedSize = 80, kInfoSize = 40;
    const std::vector<std::uint8_t> bits = BottomUpBgrRows(image);
    const auto pixelsPerMetre = static_cast<std::int32_t>(std::lround(dpi_ / 0.0254));
    ByteWriter p;
    WriteRect(BoxArea(box), p);
    p.I32(box.left);
    p.I32(box.top);
    p.I32(0);  // source origin
    p.I32(0);
    p.I32(image.width());
    p.I32(image.height());
    p.U32(kFixedSize);
    p.U32(kInfoSize);
    p.U32(kFixedSize + kInfoSize);
    p.U32(static_cast<std::uint32_t>(bits.size()));
    p.U32(0);  // colours are RGB values
    p.U32(emf::kRasterSourceCopy);
    p.I32(box.right - box.left);
    p.I32(box.bottom - box.top);
    // BITMAPINFOHEADER
    p.U32(kInfoSize);
    p.I32(image.width());
    p.I32(image.height());  // positive: bottom-up rows
    p.U16(1);
    p.U16(24);
    p.U32(0);  // uncompressed
    p.U32(static_cast<std::uint32_t>(bits.size()));
    p.I32(pixelsPerMetre);
    p.I32(pixelsPerMetre);
    p.U32(0);
    p.U32(0);
    p.Bytes(bits);
    Emit(emf::kStretchDIBits, p);
    IncludeInBounds(BoxArea(box));
}

QByteArray EmfRecorder::Finish() const {
    // The bounds cover the whole page as well as what was drawn: readers that place a picture
    // by its bounds rather than its frame then agree with the others.
    emf::Header header;
    const QRect covered = bounds_ | QRect(QPoint(0, 0), pixels_);
    header.bounds = {covered.left(), covered.top(), covered.right(), covered.bottom()};
    const auto hundredthsMm = [this](int pixels) {
        return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / dpi_));
    };
    header.frame = {0, 0, hundredthsMm(pixels_.width()), hundredthsMm(pixels_.height())};
    header.description = description_;
    header.records = recordCount_ + 2;
    header.handles = static_cast<std::uint16_t>(handleUsed_.size());
    header.bytes = static_cast<std::uint32_t>(emf::HeaderRecordSize(description_) +
                                              records_.Size() + emf::kEofSize);
    // The reference surface: ten inches square at the recording's resolution, so that pixels
    // per millimetre come out exactly whatever the resolution.
    const auto tenInches = static_cast<std::int32_t>(std::lround(dpi_ * 10));
    header.deviceWidth = header.deviceHeight = tenInches;
    header.millimetresWidth = header.millimetresHeight = 254;
    header.micrometresWidth = header.micrometresHeight = 254000;

    ByteWriter out;
    emf::WriteHeader(header, out);
    out.Bytes(records_.Data());
    out.U32(emf::kEof);
    out.U32(emf::kEofSize);
    out.U32(0);   // no palette entries
    out.U32(16);  // where they would start
    out.U32(emf::kEofSize);
    const auto& bytes = out.Data();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace quorlin::platform
