#pragma once
// The shading of an explicit inequality (the list the "explicit shading" tool keeps in a 2D
// window): the region above or below an explicit curve y = f(x), or between two of them,
// optionally only over an x interval whose ends may follow animation parameters, with a hatch
// pattern and a colour. The window keeps its records newest first and draws them before its
// examples; a diagram file keeps them in the shading block (ShadeListCodec).
//
// The 37-byte file record: +0 i16 first example, +2 i16 second example (-1 above the first,
// -2 below it, -3 down to the x-axis), +4 u16 style word (pattern + 9 x low-end parameter +
// 225 x high-end parameter), +6 u8 interval flag, +7 LD interval low, +17 LD interval high,
// +27 i16 colour, +29 four bytes without meaning, +33 four bytes of a link (zeros in files).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/binio.h"
#include "core/errors.h"

namespace quorlin::examples {

inline constexpr std::size_t kShadeRecordBytes = 37;

struct TShadeRecord {
    static constexpr int kAbove = -1;
    static constexpr int kBelow = -2;
    static constexpr int kToAxis = -3;
    static constexpr int kPatterns = 9;

    std::int16_t first = 0;
    std::int16_t second = kAbove;
    std::uint16_t style = 0;
    std::uint8_t intervalOn = 0;
    long double low = 0;
    long double high = 0;
    std::int16_t colour = 0;
    std::array<std::uint8_t, 4> spare{};

    int Pattern() const { return style % kPatterns; }
    // The parameter letters (1 = A .. 23 = W, 0 none) tied to the interval's ends.
    int LowEndParameter() const { return (style / kPatterns) % 25; }
    int HighEndParameter() const {
        const int n = style / kPatterns / 25;
        return n < 24 ? n : 0;
    }
    static std::uint16_t Style(int pattern, int lowParameter, int highParameter) {
        return static_cast<std::uint16_t>(pattern + kPatterns * lowParameter +
                                          25 * kPatterns * highParameter);
    }
    friend bool operator==(const TShadeRecord&, const TShadeRecord&) = default;
};

// Newest first.
using ShadeList = std::vector<TShadeRecord>;

void WriteShadeRecord(ByteWriter& out, const TShadeRecord& record);
// False (record unchanged) when short.
bool ReadShadeRecord(ByteReader& in, TShadeRecord& record);

// The shading block: u16 count, then the records; at most 65535 are written.
void WriteShadeList(ByteWriter& out, const ShadeList& list);
// Replaces the list: 0, or kErrCannotOpenFile for a short block or a count the bytes left
// cannot hold. Files before version 9 keep only the pattern in the style word.
int ReadShadeList(ByteReader& in, int fileVersion, ShadeList& list);

// Drops the records that name examples outside 0..lastIndex (a damaged file) or a second
// example code below -3.
void DropInvalidShades(ShadeList& list, int lastIndex);
// 0, or kErrInconsistentData for a record a diagram file may not hold: an example outside
// 0..lastIndex, a side code other than above, below or down to the axis, a colour outside the
// palette, an interval end tied to a letter beyond W or not a finite number.
int ValidateShadeRecord(const TShadeRecord& record, int lastIndex);
// Renumbers the records after examples were removed or moved: oldToNew maps each old index to
// its new one, -1 for a removed example, whose records go too.
void RenumberShadeList(ShadeList& list, std::span<const int> oldToNew);
// Exchanges the indexes a and b in the records (two examples swapped places).
void SwapShadeIndexes(ShadeList& list, int a, int b);

}  // namespace quorlin::examples
