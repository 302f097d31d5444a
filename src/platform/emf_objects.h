#pragma once
// The records of a metafile as the player reads them: the fields of one record, and the pens,
// brushes and fonts that object records create (with the stock objects a metafile may select
// without creating them).
#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace quorlin::platform::emf {

// Little-endian fields of one record. The validator has checked the counts a reader relies on;
// a field that still lies past the record reads as zero.
class RecordFields {
public:
    explicit RecordFields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Holds(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize) const {
        if (offset > bytes_.size()) return false;
        return itemSize == 0 || count <= (bytes_.size() - offset) / itemSize;
    }
    std::uint32_t U32(std::size_t offset) const {
        if (!Holds(offset, 1, 4)) return 0;
        return static_cast<std::uint32_t>(bytes_[offset] | (bytes_[offset + 1] << 8) |
                                          (bytes_[offset + 2] << 16)) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    std::int16_t I16(std::size_t offset) const {
        if (!Holds(offset, 1, 2)) return 0;
        return static_cast<std::int16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint8_t U8(std::size_t offset) const {
        return offset < bytes_.size() ? bytes_[offset] : 0;
    }
    double F32(std::size_t offset) const { return std::bit_cast<float>(U32(offset)); }
    QPointF Point(std::size_t offset, bool small = false) const {
        if (small) return QPointF(I16(offset), I16(offset + 2));
        return QPointF(I32(offset), I32(offset + 4));
    }
    // A box as the format stores it: left, top, right, bottom, right and bottom outside.
    QRectF Box(std::size_t offset) const {
        const QPointF a = Point(offset), b = Point(offset + 8);
        return QRectF(a, b);
    }
    std::span<const std::uint8_t> Bytes(std::uint64_t offset, std::uint64_t size) const {
        if (!Holds(offset, size, 1)) return {};
        return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// A colour word of the format (0x00BBGGRR); the flag byte is ignored.
QColor ColourOf(std::uint32_t ref);

// A pen: GDI's default is a black line one pixel wide.
struct PenState {
    bool visible = true;
    QColor colour = Qt::black;
    bool geometric = false;  // width in logical units; otherwise one pixel
    double width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    std::vector<double> dashes;  // a user style: lengths in the units of the width
};

// A brush: GDI's default is solid white.
struct BrushState {
    enum class Kind { Null, Solid, Hatched, Pattern };
    Kind kind = Kind::Solid;
    QColor colour = Qt::white;
    Qt::BrushStyle hatch = Qt::HorPattern;
    QImage pattern;
};

// A font as a logical-font record describes it.
struct FontState {
    std::int32_t height = -12;  // negative: the em height; positive: the cell height
    std::int32_t escapement = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

// A slot of the metafile's object table: empty, or what a record created there.
using GdiObject = std::variant<std::monostate, PenState, BrushState, FontState>;

// The stock object a selection names (the handle with its high bit set); nothing for one that
// does not exist or that is no pen, brush or font.
std::optional<GdiObject> StockObject(std::uint32_t handle);

// The objects of the creating records: EMR_CREATEPEN, EMR_EXTCREATEPEN,
// EMR_CREATEBRUSHINDIRECT, EMR_CREATEMONOBRUSH and EMR_CREATEDIBPATTERNBRUSHPT (a pattern whose
// bitmap cannot be read is a grey brush), EMR_EXTCREATEFONTINDIRECTW.
PenState ReadPen(const RecordFields& r);
PenState ReadExtPen(const RecordFields& r);
BrushState ReadBrush(const RecordFields& r);
BrushState ReadPatternBrush(const RecordFields& r);
FontState ReadFont(const RecordFields& r);

}  // namespace quorlin::platform::emf
