#pragma once
// The shading of an explicit inequality: the region above or below an explicit curve, or
// between two, optionally over an x interval whose ends may follow animation parameters, with
// a hatch pattern and a colour. A 2D window keeps a list of them, newest first, draws it before
// its examples and stores it in its diagram files.
//
// The record's 37-byte file layout lives only here (WriteShadeList / ReadShadeList).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/binio.h"
#include "core/errors.h"

namespace quorlin::examples {

struct TShadeRecord {
    static constexpr std::size_t kByteSize = 37;
    static constexpr int kPatterns = 9;
    static constexpr int kAbove = -1;  // second side codes
    static constexpr int kBelow = -2;

    std::int16_t first = 0;        // 0: the explicit curve f
    std::int16_t second = kAbove;  // 2: the curve g shaded up to, or kAbove / kBelow
    std::uint16_t style = 0;       // 4: pattern + 9 x low-end letter + 225 x high-end letter
    std::uint8_t intervalOn = 0;   // 6: limited to [low, high]
    long double low = 0;           // 7
    long double high = 0;          // 17
    std::int16_t colour = 0;       // 27: palette index
    std::uint32_t reserved = 0;    // 29: carried as read

    int Pattern() const { return style % kPatterns; }
    // The animation parameters (1 = A .. 23 = W, 0 none) the interval ends are tied to.
    int LowEndLetter() const { return (style / kPatterns) % 25; }
    int HighEndLetter() const {
        const int high = style / kPatterns / 25;
        return high < 24 ? high : 0;
    }
    static std::uint16_t MakeStyle(int pattern, int lowLetter, int highLetter) {
        return static_cast<std::uint16_t>(pattern + kPatterns * lowLetter + 225 * highLetter);
    }
    friend bool operator==(const TShadeRecord&, const TShadeRecord&) = default;
};

// Newest first, as the window draws and stores it.
using ShadeList = std::vector<TShadeRecord>;

// u16 count, then the 37-byte records (their link bytes zero). At most 65535 are written.
void WriteShadeList(ByteWriter& out, std::span<const TShadeRecord> list);
// Replaces list on success: 0, or kErrCannotOpenFile for a short block. Files before version 9
// hold only the pattern in the style word.
int ReadShadeList(ByteReader& in, int fileVersion, ShadeList& list);

// 0, or kErrInconsistentData when the record names an example outside 0..last, a side code
// other than above or below, a colour outside the palette, a letter outside A..W or an
// interval end that is not a finite number.
int ValidateShadeRecord(const TShadeRecord& record, int lastExample);

}  // namespace quorlin::examples
