#pragma once
// Colours of a graphing window: the 61-entry palette, the fifteen colour roles that pick
// palette entries, the ten style words that colour new examples, and pen triples.
//
// Entry 0 is black and entry 1 white; 2-60 are colours. Every palette index outside 1..60
// means entry 0. While the window prints on a printer that is not marked as a colour
// printer, everything is drawn black (DrawColor) or in its grey equivalent (OutputColor).
#include <QColor>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/binio.h"

namespace quorlin {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // The 0x00bbggrr word that files store for a colour.
    std::uint32_t ToColorRef() const { return r | (g << 8) | (b << 16); }
    static Rgb FromColorRef(std::uint32_t word);
    QColor ToQColor() const { return QColor(r, g, b); }
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// "#rrggbb" in lower-case hexadecimal ("#05ff00").
std::string ColorToHex(Rgb colour);

class Palette {
public:
    static constexpr int kEntries = 61;
    static constexpr int kFirstColour = 1;
    static constexpr int kLastColour = 60;

    // The program's default colours.
    Palette();

    static bool IsColourIndex(int index) { return index >= kFirstColour && index <= kLastColour; }

    // The colour of index 1..60, else entry 0.
    Rgb GetColor(int index) const;
    // Grey level 0..255 of GetColor(index), by luminance.
    std::int16_t GreyLevel(int index) const;
    Rgb GreyEquivalent(int index) const;

    void SetEntry(int index, Rgb colour);  // ignored outside 0..60

private:
    std::array<Rgb, kEntries> entries_;
    std::array<std::int16_t, kEntries> greys_;
};

// Whether output goes to a printer and whether that printer prints colours.
struct PrintState {
    bool printing = false;
    bool colourPrinter = false;

    bool BlackAndWhite() const { return printing && !colourPrinter; }
};

// The palette index to draw with: 0 (black) while printing in black and white, else index
// when it lies in 1..60, else 0.
int DrawColor(int index, PrintState state);
// The colour of index for output: its grey equivalent while printing in black and white.
Rgb OutputColor(const Palette& palette, int index, PrintState state);

// The fifteen colour roles (0 background, 1 cursor, 2 box, 3 axes, ..., 13 overlay,
// 14 coordinates), each a palette index with the string id that captions its colour choice.
class ColorRoles {
public:
    static constexpr int kRoles = 15;

    ColorRoles();

    std::int16_t Role(int role) const { return indices_.at(static_cast<std::size_t>(role)); }
    void SetRole(int role, std::int16_t index) {
        indices_.at(static_cast<std::size_t>(role)) = index;
    }
    int CaptionId(int role) const { return captions_.at(static_cast<std::size_t>(role)); }
    void SetCaptionId(int role, int stringId) {
        captions_.at(static_cast<std::size_t>(role)) = stringId;
    }
    const std::array<std::int16_t, kRoles>& Indices() const { return indices_; }

private:
    std::array<std::int16_t, kRoles> indices_;
    std::array<int, kRoles> captions_;
};

// The ten palette indices that new examples take in turn.
struct StyleWords {
    static constexpr std::size_t kCount = 10;

    std::array<std::int16_t, kCount> words{4, 6, 5, 9, 7, 11, 8, 10, 14, 13};
    bool plainMode = false;

    // Style word n mod 10; 0 (black) in plain mode.
    std::int16_t StyleWord(int n) const;
};

// A pen as drawing records store it: palette index, width in pixels, style (0 solid, 1 dot,
// 2 dash, 3 dash-dot, 4 dash-dot-dot, -1 none), three int16 in a row.
struct PenTriple {
    std::int16_t colour = 0;
    std::int16_t width = 1;
    std::int16_t style = 0;

    void Write(ByteWriter& out) const;
    bool Read(ByteReader& in);
};

void SetShort3(PenTriple& pen, std::int16_t colour, std::int16_t width, std::int16_t style);

}  // namespace quorlin
