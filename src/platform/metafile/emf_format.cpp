#include "platform/metafile/emf_format.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/binio.h"

namespace quorlin::platform::emf {

namespace {

// Random access to the little-endian fields of one record; a field that would lie past the
// record reads as nothing.
class RecordView {
public:
    explicit RecordView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }

    std::optional<std::uint32_t> U32(std::size_t offset) const {
        ByteReader reader(bytes_);
        std::uint32_t value = 0;
        if (!reader.Skip(offset) || !reader.U32(value)) return std::nullopt;
        return value;
    }
    std::optional<std::int32_t> I32(std::size_t offset) const {
        const auto value = U32(offset);
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    std::optional<std::uint16_t> U16(std::size_t offset) const {
        ByteReader reader(bytes_);
        std::uint16_t value = 0;
        if (!reader.Skip(offset) || !reader.U16(value)) return std::nullopt;
        return value;
    }
    // Whether count items of itemSize bytes starting at offset lie inside the record.
    bool Holds(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize) const {
        if (offset > bytes_.size()) return false;
        const std::uint64_t room = bytes_.size() - offset;
        return itemSize == 0 || count <= room / itemSize;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// The smallest size of each record type's fixed part, indexed by type; a record shorter than
// that would make a reader take fields from the next record. 8 stands for records without
// fields and for types this reader does not know.
// clang-format off
constexpr std::array<std::uint8_t, 123> kMinimumSizes = {
    8,   88,  28,  28,  28,  28,  28,  32,  32,  16,   //   0-9: header, poly-, polypoly-
    16,  16,  16,  16,  20,  20,  12,  12,  12,  12,   //  10-19: window/viewport, EOF, modes
    12,  12,  12,  32,  12,  12,  16,  16,  8,   24,   //  20-29: colours, move to, clip
    24,  24,  24,  8,   12,  32,  36,  12,  28,  24,   //  30-39: save/restore, transforms, objects
    12,  28,  24,  24,  32,  40,  40,  40,  12,  16,   //  40-49: shapes, arcs, palettes
    20,  16,  8,   24,  16,  40,  28,  12,  12,  8,    //  50-59: line to, arc to, poly draw, path
    8,   8,   24,  24,  24,  8,   8,   12,  8,   8,    //  60-69: path operations
    12,  32,  40,  28,  28,  16,  100, 108, 128, 140,  //  70-79: comment, regions, blits
    76,  80,  104, 76,  76,  28,  28,  28,  28,  28,   //  80-89: DIBs, font, text, 16-bit poly-
    32,  32,  28,  32,  32,  52,  8,   8,   12,  12,   //  90-99: polypoly16, brushes, pen
    12,  12,  8,   8,   48,  8,   8,   8,   36,  8,    // 100-109: colour spaces, small text
    8,   8,   8,   8,   108, 12,  108, 8,   36,  8,    // 110-119: alpha blend, layout, gradient
    8,   8,   8};                                      // 120-122
// clang-format on

std::size_t MinimumRecordSize(std::uint32_t type) {
    return type < kMinimumSizes.size() ? kMinimumSizes[type] : 8;
}

// A device-independent bitmap referenced by a record: its info block and its bits must lie in
// the record, and the bits must hold every row the info block announces.
bool BitmapFits(const RecordView& record, std::size_t fieldOffset) {
    const auto offInfo = record.U32(fieldOffset), infoSize = record.U32(fieldOffset + 4);
    const auto offBits = record.U32(fieldOffset + 8), bitsSize = record.U32(fieldOffset + 12);
    if (!offInfo || !infoSize || !offBits || !bitsSize) return false;
    if (*infoSize == 0) return true;  // no bitmap (a pattern-only raster operation)
    if (!record.Holds(*offInfo, *infoSize, 1) || !record.Holds(*offBits, *bitsSize, 1)) {
        return false;
    }
    const auto headerSize = record.U32(*offInfo);
    if (!headerSize || *headerSize < 12 || *headerSize > *infoSize) return false;

    std::int64_t width = 0, height = 0;
    std::uint32_t bitCount = 0, compression = 0, coloursUsed = 0;
    std::uint64_t entrySize = 4;
    if (*headerSize == 12) {  // core header: 16-bit sizes
        width = *record.U16(*offInfo + 4);
        height = *record.U16(*offInfo + 6);
        bitCount = *record.U16(*offInfo + 10);
        entrySize = 3;
    } else {
        if (*headerSize < 40) return false;
        width = *record.I32(*offInfo + 4);
        height = *record.I32(*offInfo + 8);
        bitCount = *record.U16(*offInfo + 14);
        compression = *record.U32(*offInfo + 16);
        coloursUsed = *record.U32(*offInfo + 32);
    }
    constexpr std::int64_t kLargest = 1 << 20;
    if (width <= 0 || height == 0 || width > kLargest || std::abs(height) > kLargest) return false;
    constexpr std::array kBitCounts{1u, 4u, 8u, 16u, 24u, 32u};
    if (std::find(kBitCounts.begin(), kBitCounts.end(), bitCount) == kBitCounts.end()) {
        return false;
    }
    std::uint64_t tableEntries = 0;
    if (bitCount <= 8) tableEntries = coloursUsed != 0 ? coloursUsed : (1u << bitCount);
    if (compression == 3) tableEntries += 3;  // the three colour masks
    if (!record.Holds(std::uint64_t{*offInfo} + *headerSize, tableEntries, entrySize) ||
        std::uint64_t{*headerSize} + tableEntries * entrySize > *infoSize) {
        return false;
    }
    switch (compression) {
        case 0:  // plain rows
        case 3: {
            const std::uint64_t stride =
                ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
            return stride * static_cast<std::uint64_t>(std::abs(height)) <= *bitsSize;
        }
        case 4:  // embedded JPEG or PNG: the bits are a file of their own
        case 5:
            return true;
        default:  // run-length encodings are not accepted from outside
            return false;
    }
}

// A region block (header of 32 bytes, then rectangles) of dataSize bytes at offset.
bool RegionFits(const RecordView& record, std::size_t offset, std::uint32_t dataSize) {
    if (!record.Holds(offset, dataSize, 1)) return false;
    if (dataSize == 0) return true;
    const auto count = record.U32(offset + 8);
    return dataSize >= 32 && count && *count <= (dataSize - 32) / 16;
}

// Whether an object record names a slot of the header's handle table (or, where selection
// allows it, a stock object); readers index their object table with it unchecked.
bool ObjectIndexFits(std::uint32_t type, const RecordView& r, std::uint32_t handles) {
    // Records of other types may end before byte 12; the object records all reach past it.
    const std::uint32_t index = r.U32(8).value_or(0);
    switch (type) {
        case kSelectObject:
        case 48:  // SELECTPALETTE
            return (index & kStockObject) != 0 || index < handles;
        case kDeleteObject:
            return index < handles;
        case kCreatePen:
        case kCreateBrushIndirect:
        case kCreatePalette:
        case kExtCreateFontIndirectW:
        case kCreateMonoBrush:
        case kCreateDIBPatternBrushPt:
        case kExtCreatePen:
            return index != 0 && index < handles;
        default:
            return true;
    }
}

// A poly-polyline or poly-polygon: the per-figure counts, and the points they add up to.
bool PolyPolyFits(const RecordView& r, std::uint64_t pointSize) {
    const std::uint32_t polygons = *r.U32(24), points = *r.U32(28);
    if (!r.Holds(32, polygons, 4)) return false;
    std::uint64_t total = 0;
    for (std::uint32_t i = 0; i < polygons; ++i) total += *r.U32(32 + 4 * std::size_t{i});
    return total <= points && r.Holds(32 + 4 * std::uint64_t{polygons}, points, pointSize);
}

// An extended text record: the string, and the advances when the record has them.
bool TextFits(const RecordView& r, std::uint64_t charSize) {
    const std::uint32_t chars = *r.U32(44), offString = *r.U32(48);
    const std::uint32_t options = *r.U32(52), offDx = *r.U32(72);
    const std::uint64_t dxSize = (options & 0x2000) ? 8 : 4;  // ETO_PDY: x and y
    return r.Holds(offString, chars, charSize) && (offDx == 0 || r.Holds(offDx, chars, dxSize));
}

// A small text record: its string starts after the clip box only when it has one.
bool SmallTextFits(const RecordView& r) {
    const std::uint32_t chars = *r.U32(16), options = *r.U32(20);
    const std::size_t textOffset = (options & 0x100) ? 36 : 52;    // ETO_NO_RECT
    return r.Holds(textOffset, chars, (options & 0x200) ? 1 : 2);  // ETO_SMALL_CHARS
}

// A gradient fill: the vertices, then triangles (mode 2) or rectangles made of them.
bool GradientFits(const RecordView& r) {
    const std::uint32_t vertices = *r.U32(24), shapes = *r.U32(28), mode = *r.U32(32);
    if (!r.Holds(36, vertices, 16)) return false;
    return r.Holds(36 + 16 * std::uint64_t{vertices}, shapes, mode == 2 ? 12 : 8);
}

// Whether the counts and offsets inside a record describe bytes that lie inside it.
bool ContentFits(std::uint32_t type, const RecordView& r) {
    switch (type) {
        case kPolyBezier:
        case kPolygon:
        case kPolyline:
        case kPolyBezierTo:
        case kPolylineTo:
            return r.Holds(28, *r.U32(24), 8);
        case kPolyBezier16:
        case kPolygon16:
        case kPolyline16:
        case kPolyBezierTo16:
        case kPolylineTo16:
            return r.Holds(28, *r.U32(24), 4);
        case kPolyDraw:
            return r.Holds(28, *r.U32(24), 9);
        case kPolyDraw16:
            return r.Holds(28, *r.U32(24), 5);
        case kPolyPolyline:
        case kPolyPolygon:
        case kPolyPolyline16:
        case kPolyPolygon16:
            return PolyPolyFits(r, (type == kPolyPolyline || type == kPolyPolygon) ? 8 : 4);
        case kEof:
            return *r.U32(8) == 0 || r.Holds(*r.U32(12), *r.U32(8), 4);
        case kCreatePalette:
            return r.Holds(16, *r.U16(14), 4);
        case kSetPaletteEntries:
            return r.Holds(20, *r.U32(16), 4);
        case kComment:
            return r.Holds(12, *r.U32(8), 1);
        case kFillRgn:
            return RegionFits(r, 32, *r.U32(24));
        case kFrameRgn:
            return RegionFits(r, 40, *r.U32(24));
        case kInvertRgn:
        case kPaintRgn:
            return RegionFits(r, 28, *r.U32(24));
        case kExtSelectClipRgn:
            return RegionFits(r, 16, *r.U32(8));
        case kBitBlt:
        case kStretchBlt:
        case kAlphaBlend:
        case kTransparentBlt:
            return BitmapFits(r, 84);
        case kMaskBlt:
            return BitmapFits(r, 84) && BitmapFits(r, 112);
        case kPlgBlt:
            return BitmapFits(r, 96) && BitmapFits(r, 124);
        case kSetDIBitsToDevice:
        case kStretchDIBits:
            return BitmapFits(r, 48);
        case kCreateMonoBrush:
        case kCreateDIBPatternBrushPt:
            return BitmapFits(r, 16);
        case kExtCreatePen:
            return BitmapFits(r, 12) && r.Holds(52, *r.U32(48), 4);
        case kExtTextOutA:
        case kExtTextOutW:
            return TextFits(r, type == kExtTextOutW ? 2 : 1);
        case kSmallTextOut:
            return SmallTextFits(r);
        case kGradientFill:
            return GradientFits(r);
        default:
            return true;
    }
}

Rect32 ReadRect(const RecordView& r, std::size_t offset) {
    return {*r.I32(offset), *r.I32(offset + 4), *r.I32(offset + 8), *r.I32(offset + 12)};
}

void WriteRect(const Rect32& rect, ByteWriter& out) {
    out.I32(rect.left);
    out.I32(rect.top);
    out.I32(rect.right);
    out.I32(rect.bottom);
}

std::size_t PaddedTo4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

template <typename T>
std::optional<T> Fail(FormatError* error, FormatError code) {
    if (error) *error = code;
    return std::nullopt;
}

}  // namespace

QString Header::Application() const {
    return description.section(QChar(0), 0, 0);
}

QString Header::Title() const {
    return description.section(QChar(0), 1, 1);
}

QString MakeDescription(const QString& application, const QString& title) {
    if (application.isEmpty() && title.isEmpty()) return {};
    return application + QChar(0) + title + QChar(0) + QChar(0);
}

std::size_t HeaderRecordSize(const QString& description) {
    return kHeaderSize + PaddedTo4(2 * static_cast<std::size_t>(description.size()));
}

void WriteHeader(const Header& header, ByteWriter& out) {
    const auto descriptionChars = static_cast<std::uint32_t>(header.description.size());
    out.U32(kHeader);
    out.U32(static_cast<std::uint32_t>(HeaderRecordSize(header.description)));
    WriteRect(header.bounds, out);
    WriteRect(header.frame, out);
    out.U32(kSignature);
    out.U32(kFormatVersion);
    out.U32(header.bytes);
    out.U32(header.records);
    out.U16(header.handles);
    out.U16(0);
    out.U32(descriptionChars);
    out.U32(descriptionChars == 0 ? 0 : static_cast<std::uint32_t>(kHeaderSize));
    out.U32(0);  // no palette
    out.I32(header.deviceWidth);
    out.I32(header.deviceHeight);
    out.I32(header.millimetresWidth);
    out.I32(header.millimetresHeight);
    out.U32(0);  // no pixel format
    out.U32(0);
    out.U32(0);  // not OpenGL
    out.I32(header.micrometresWidth);
    out.I32(header.micrometresHeight);
    for (const QChar c : header.description) out.U16(c.unicode());
    out.Zeros(PaddedTo4(2 * descriptionChars) - 2 * descriptionChars);
}

std::optional<Header> ParseHeader(std::span<const std::uint8_t> data, FormatError* error) {
    if (data.size() < kMinimalHeaderSize) return Fail<Header>(error, FormatError::kTooShort);
    const RecordView all(data);
    if (*all.U32(0) != kHeader || *all.U32(40) != kSignature) {
        return Fail<Header>(error, FormatError::kNotMetafile);
    }
    const std::uint32_t size = *all.U32(4);
    if (size < kMinimalHeaderSize || size % 4 != 0 || size > data.size()) {
        return Fail<Header>(error, FormatError::kBadHeader);
    }
    const RecordView r(data.first(size));
    Header header;
    header.headerSize = size;
    header.bounds = ReadRect(r, 8);
    header.frame = ReadRect(r, 24);
    header.bytes = *r.U32(48);
    header.records = *r.U32(52);
    header.handles = *r.U16(56);
    header.deviceWidth = *r.I32(72);
    header.deviceHeight = *r.I32(76);
    header.millimetresWidth = *r.I32(80);
    header.millimetresHeight = *r.I32(84);
    if (size >= 100) {
        const std::uint32_t formatSize = *r.U32(88), formatOffset = *r.U32(92);
        if (formatSize != 0 &&
            (formatOffset < kMinimalHeaderSize || !r.Holds(formatOffset, formatSize, 1))) {
            return Fail<Header>(error, FormatError::kBadHeader);
        }
    }
    if (size >= kHeaderSize) {
        header.micrometresWidth = *r.I32(100);
        header.micrometresHeight = *r.I32(104);
    }
    const std::uint32_t descriptionChars = *r.U32(60), descriptionOffset = *r.U32(64);
    if (descriptionChars != 0) {
        if (descriptionOffset < kMinimalHeaderSize ||
            !r.Holds(descriptionOffset, descriptionChars, 2)) {
            return Fail<Header>(error, FormatError::kBadHeader);
        }
        header.description.resize(static_cast<qsizetype>(descriptionChars));
        for (std::uint32_t i = 0; i < descriptionChars; ++i) {
            header.description[i] = QChar(*r.U16(descriptionOffset + 2 * std::size_t{i}));
        }
    }
    if (header.bytes != data.size()) return Fail<Header>(error, FormatError::kSizeMismatch);
    if (error) *error = FormatError::kNone;
    return header;
}

std::optional<Header> ValidateMetafile(std::span<const std::uint8_t> data, FormatError* error) {
    auto header = ParseHeader(data, error);
    if (!header) return std::nullopt;
    std::size_t offset = header->headerSize;
    std::uint32_t records = 1;
    bool sawEof = false;
    while (offset < data.size() && !sawEof) {
        const RecordView rest(data.subspan(offset));
        const auto type = rest.U32(0), size = rest.U32(4);
        if (!type || !size || *size < 8 || *size % 4 != 0 || *size > rest.Size()) {
            return Fail<Header>(error, FormatError::kBadRecord);
        }
        const RecordView record(data.subspan(offset, *size));
        if (*type == kHeader || *size < MinimumRecordSize(*type) || !ContentFits(*type, record) ||
            !ObjectIndexFits(*type, record, header->handles)) {
            return Fail<Header>(error, FormatError::kBadRecord);
        }
        sawEof = *type == kEof;
        offset += *size;
        ++records;
    }
    if (!sawEof || offset != data.size()) return Fail<Header>(error, FormatError::kNoEof);
    if (records != header->records) return Fail<Header>(error, FormatError::kCountMismatch);
    if (error) *error = FormatError::kNone;
    return header;
}

}  // namespace quorlin::platform::emf
