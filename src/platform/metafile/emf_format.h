#pragma once
// The Enhanced Metafile file format: record type numbers, the constants the recorder writes,
// the header record with its codec, and a validator that walks a whole file.
//
// The validator is the gate every foreign metafile passes before anything else reads it: a
// metafile pasted from another program or kept in a diagram file is played only when every
// record lies inside the file, every count inside a record fits that record, and the
// header agrees with the bytes that follow it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include <QString>

namespace quorlin {
class ByteWriter;
}

namespace quorlin::platform::emf {

// Record types.
enum RecordType : std::uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetStretchBltMode = 21,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kOffsetClipRgn = 26,
    kMoveToEx = 27,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kAngleArc = 41,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kCreatePalette = 49,
    kSetPaletteEntries = 50,
    kLineTo = 54,
    kArcTo = 55,
    kPolyDraw = 56,
    kSetArcDirection = 57,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kComment = 70,
    kFillRgn = 71,
    kFrameRgn = 72,
    kInvertRgn = 73,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kMaskBlt = 78,
    kPlgBlt = 79,
    kSetDIBitsToDevice = 80,
    kStretchDIBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kPolyDraw16 = 92,
    kCreateMonoBrush = 93,
    kCreateDIBPatternBrushPt = 94,
    kExtCreatePen = 95,
    kSmallTextOut = 108,
    kAlphaBlend = 114,
    kTransparentBlt = 116,
    kGradientFill = 118,
};

inline constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
inline constexpr std::uint32_t kFormatVersion = 0x00010000;
inline constexpr std::size_t kMinimalHeaderSize = 88;
inline constexpr std::size_t kHeaderSize = 108;  // with the pixel-format and micrometre fields
inline constexpr std::size_t kEofSize = 20;

// Stock objects are selected by these handles instead of a table index.
inline constexpr std::uint32_t kStockObject = 0x80000000;
inline constexpr std::uint32_t kNullBrush = kStockObject | 5;
inline constexpr std::uint32_t kNullPen = kStockObject | 8;

// Pen styles (EMR_EXTCREATEPEN).
inline constexpr std::uint32_t kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenDashDot = 3,
                               kPenDashDotDot = 4, kPenNull = 5, kPenUserStyle = 7;
inline constexpr std::uint32_t kPenCapRound = 0x000, kPenCapSquare = 0x100, kPenCapFlat = 0x200;
inline constexpr std::uint32_t kPenJoinRound = 0x0000, kPenJoinBevel = 0x1000,
                               kPenJoinMiter = 0x2000;
inline constexpr std::uint32_t kPenGeometric = 0x10000;

// Brush styles and hatches.
inline constexpr std::uint32_t kBrushSolid = 0, kBrushNull = 1, kBrushHatched = 2;
inline constexpr std::uint32_t kHatchHorizontal = 0, kHatchVertical = 1, kHatchForwardDiagonal = 2,
                               kHatchBackwardDiagonal = 3, kHatchCross = 4, kHatchDiagonalCross = 5;

// Device-context modes.
inline constexpr std::uint32_t kBkTransparent = 1, kBkOpaque = 2;
inline constexpr std::uint32_t kFillAlternate = 1, kFillWinding = 2;
inline constexpr std::uint32_t kAlignBaseline = 24;  // TA_BASELINE | TA_LEFT | TA_NOUPDATECP
inline constexpr std::uint32_t kStretchColorOnColor = 3;
inline constexpr std::uint32_t kRegionCopy = 5;
inline constexpr std::uint32_t kGraphicsModeCompatible = 1;
inline constexpr std::uint32_t kRasterSourceCopy = 0x00CC0020;

// A rectangle with inclusive corners, as the format stores it.
struct Rect32 {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect32&, const Rect32&) = default;
};

// The fields of the header record that a reader of this program needs.
struct Header {
    Rect32 bounds;            // device units, inclusive; (0, 0, -1, -1) for an empty picture
    Rect32 frame;             // hundredths of a millimetre
    std::uint32_t bytes = 0;  // the whole file
    std::uint32_t records = 0;
    std::uint16_t handles = 1;     // object table size, slot 0 included
    QString description;           // application, NUL, title, NUL, NUL (empty when absent)
    std::int32_t deviceWidth = 0;  // the reference device in pixels and millimetres
    std::int32_t deviceHeight = 0;
    std::int32_t millimetresWidth = 0;
    std::int32_t millimetresHeight = 0;
    std::int32_t micrometresWidth = 0;  // 0 in a minimal (88-byte) header
    std::int32_t micrometresHeight = 0;
    std::uint32_t headerSize = kHeaderSize;

    // The two parts of the description.
    QString Application() const;
    QString Title() const;
};

// The description field of a header: application, NUL, title, NUL, NUL; empty when both are.
QString MakeDescription(const QString& application, const QString& title);

// Writes the 108-byte header record with its description (padded to four bytes); the record's
// size field is the header size plus the padded description.
void WriteHeader(const Header& header, ByteWriter& out);
// Bytes the header record of this description takes.
std::size_t HeaderRecordSize(const QString& description);

enum class FormatError {
    kNone,
    kTooShort,       // fewer bytes than a header
    kNotMetafile,    // no header record or no signature
    kBadHeader,      // header fields contradict each other
    kSizeMismatch,   // the header's byte count is not the data's size
    kBadRecord,      // a record runs past the file, or its content past the record
    kCountMismatch,  // the header's record count is not the number of records
    kNoEof,          // the records do not end with an end-of-file record at the last byte
};

// Reads and checks the header record alone.
std::optional<Header> ParseHeader(std::span<const std::uint8_t> data, FormatError* error = nullptr);

// Reads the header and walks every record; the header only when the whole file is sound.
std::optional<Header> ValidateMetafile(std::span<const std::uint8_t> data,
                                       FormatError* error = nullptr);

}  // namespace quorlin::platform::emf
