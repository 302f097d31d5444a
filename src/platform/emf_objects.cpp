#include "platform/emf_objects.h"

#include <algorithm>
#include <cmath>

#include "platform/emf_bitmap.h"
#include "platform/metafile/emf_format.h"

namespace quorlin::platform::emf {

namespace {

constexpr std::uint32_t kMostDashes = 16;

constexpr std::uint32_t kPenAlternate = 8;  // every other pixel

Qt::PenStyle PenStyleOf(std::uint32_t style) {
    switch (style & 0xF) {
        case kPenDash:
            return Qt::DashLine;
        case kPenDot:
        case kPenAlternate:
            return Qt::DotLine;
        case kPenDashDot:
            return Qt::DashDotLine;
        case kPenDashDotDot:
            return Qt::DashDotDotLine;
        case kPenUserStyle:
            return Qt::CustomDashLine;
        default:
            return Qt::SolidLine;
    }
}

Qt::BrushStyle HatchOf(std::uint32_t hatch) {
    switch (hatch) {
        case kHatchVertical:
            return Qt::VerPattern;
        case kHatchForwardDiagonal:
            return Qt::FDiagPattern;
        case kHatchBackwardDiagonal:
            return Qt::BDiagPattern;
        case kHatchCross:
            return Qt::CrossPattern;
        case kHatchDiagonalCross:
            return Qt::DiagCrossPattern;
        default:
            return Qt::HorPattern;
    }
}

}  // namespace

QColor ColourOf(std::uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xff), static_cast<int>((ref >> 8) & 0xff),
                  static_cast<int>((ref >> 16) & 0xff));
}

std::optional<GdiObject> StockObject(std::uint32_t handle) {
    const auto brush = [](int grey) {
        return BrushState{BrushState::Kind::Solid, QColor(grey, grey, grey), {}, {}};
    };
    const auto pen = [](QColor colour, bool visible = true) {
        PenState p;
        p.colour = colour;
        p.visible = visible;
        return p;
    };
    // Brushes from white (0) to black (4) and the null brush (5); the white, black and null pens
    // (6-8); the fonts (10-17, with the default palette at 15); the DC brush and pen (18, 19).
    switch (handle & ~kStockObject) {
        case 0:
        case 18:
            return brush(255);
        case 1:
            return brush(192);
        case 2:
            return brush(128);
        case 3:
            return brush(64);
        case 4:
            return brush(0);
        case 5:
            return BrushState{BrushState::Kind::Null, {}, {}, {}};
        case 6:
            return pen(Qt::white);
        case 7:
        case 19:
            return pen(Qt::black);
        case 8:
            return pen(Qt::black, false);
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 16:
        case 17:
            return FontState{};
        default:
            return std::nullopt;
    }
}

PenState ReadPen(const RecordFields& r) {
    PenState pen;
    const std::uint32_t style = r.U32(12);
    const std::int32_t width = r.I32(16);
    pen.visible = (style & 0xF) != kPenNull;
    pen.style = PenStyleOf(style) == Qt::CustomDashLine ? Qt::SolidLine : PenStyleOf(style);
    pen.geometric = width > 1;  // thin pens are a pixel wide whatever the mapping
    pen.width = std::abs(static_cast<double>(width));
    pen.colour = ColourOf(r.U32(24));
    return pen;
}

PenState ReadExtPen(const RecordFields& r) {
    PenState pen;
    const std::uint32_t style = r.U32(28);
    pen.visible = (style & 0xF) != kPenNull && r.U32(36) != kBrushNull;
    pen.geometric = (style & kPenGeometric) != 0;
    pen.width = r.U32(32);
    pen.colour = ColourOf(r.U32(40));
    pen.style = PenStyleOf(style);
    pen.cap = (style & 0xF00) == kPenCapFlat     ? Qt::FlatCap
              : (style & 0xF00) == kPenCapSquare ? Qt::SquareCap
                                                 : Qt::RoundCap;
    pen.join = (style & 0xF000) == kPenJoinBevel   ? Qt::BevelJoin
               : (style & 0xF000) == kPenJoinMiter ? Qt::MiterJoin
                                                   : Qt::RoundJoin;
    if (pen.style == Qt::CustomDashLine) {
        const std::uint32_t entries = r.U32(48);
        if (!r.Holds(52, entries, 4) || entries == 0) {
            pen.style = Qt::SolidLine;
        } else {
            // Sixteen lengths at most, as the format's writers keep to.
            for (std::uint32_t i = 0; i < std::min(entries, kMostDashes); ++i)
                pen.dashes.push_back(r.U32(52 + 4 * i));
        }
    }
    return pen;
}

BrushState ReadBrush(const RecordFields& r) {
    BrushState brush;
    brush.colour = ColourOf(r.U32(16));
    switch (r.U32(12)) {
        case kBrushNull:
            brush.kind = BrushState::Kind::Null;
            break;
        case kBrushHatched:
            brush.kind = BrushState::Kind::Hatched;
            brush.hatch = HatchOf(r.U32(20));
            break;
        default:  // solid, and patterns whose bitmap is not in the file
            brush.kind = BrushState::Kind::Solid;
            break;
    }
    return brush;
}

BrushState ReadPatternBrush(const RecordFields& r) {
    BrushState brush;
    brush.kind = BrushState::Kind::Pattern;
    brush.pattern =
        DecodeBitmap(r.Bytes(r.U32(16), r.U32(20)), r.Bytes(r.U32(24), r.U32(28)), r.U32(12) == 1);
    if (brush.pattern.isNull()) {
        brush.kind = BrushState::Kind::Solid;
        brush.colour = Qt::gray;
    }
    return brush;
}

FontState ReadFont(const RecordFields& r) {
    FontState font;
    font.height = r.I32(12);
    font.escapement = r.I32(20);
    font.weight = r.I32(28);
    font.italic = r.U8(32) != 0;
    font.underline = r.U8(33) != 0;
    font.strikeOut = r.U8(34) != 0;
    constexpr std::size_t kFaceOffset = 40, kFaceChars = 32;
    for (std::size_t i = 0; i < kFaceChars; ++i) {
        const auto c = static_cast<char16_t>(r.I16(kFaceOffset + 2 * i));
        if (c == 0) break;
        font.face.append(QChar(c));
    }
    return font;
}

}  // namespace quorlin::platform::emf
