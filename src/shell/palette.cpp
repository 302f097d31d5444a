#include "shell/palette.h"

#include <cmath>
#include <cstdio>

namespace quorlin {

namespace {

// Fixed colours of entries 0-21; role defaults and style words point at several of them
// (4 red, 6 blue, 21 the light grid colour).
constexpr std::array<Rgb, 22> kNamedColours = {{
    {0, 0, 0},       {255, 255, 255}, {128, 128, 128}, {192, 192, 192}, {220, 20, 20},
    {0, 150, 0},     {20, 40, 220},   {200, 0, 200},   {0, 160, 170},   {240, 130, 0},
    {140, 80, 30},   {110, 30, 160},  {0, 90, 0},      {0, 0, 120},     {64, 64, 64},
    {160, 130, 100}, {250, 110, 170}, {210, 170, 0},   {100, 180, 240}, {150, 200, 40},
    {255, 230, 0},   {215, 225, 240},
}};

// Entries 22-60: thirteen hues evenly round the colour wheel in three tones.
constexpr int kHues = 13;
struct Tone {
    double saturation;
    double value;
};
constexpr std::array<Tone, 3> kTones = {{{0.85, 0.95}, {1.0, 0.55}, {0.35, 1.0}}};

Rgb FromHsv(double hueDegrees, Tone tone) {
    const double c = tone.value * tone.saturation;
    const double h = hueDegrees / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h) % 6) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    const double m = tone.value - c;
    const auto channel = [m](double v) {
        return static_cast<std::uint8_t>(std::lround((v + m) * 255));
    };
    return {channel(r), channel(g), channel(b)};
}

std::int16_t Luminance(Rgb c) {
    return static_cast<std::int16_t>((299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000);
}

constexpr std::array<std::int16_t, ColorRoles::kRoles> kDefaultRoles = {1, 4, 6,  0, 4, 6, 4, 4,
                                                                        0, 0, 21, 4, 0, 0, 0};
// Caption string ids of roles 0-14 ("cursor", "box", "axis", "x grid", "y grid", "shade 1",
// "shade 2", "curve", "slope field", "gridline", "dart", "y=x (web)", "overlay color",
// "coordinates"); the background role has no caption of its own.
constexpr std::array<int, ColorRoles::kRoles> kDefaultCaptions = {
    0, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 151, 121};

}  // namespace

Rgb Rgb::FromColorRef(std::uint32_t word) {
    return {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
            static_cast<std::uint8_t>(word >> 16)};
}

std::string ColorToHex(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}

Palette::Palette() {
    std::size_t i = 0;
    for (Rgb c : kNamedColours) entries_[i++] = c;
    for (Tone tone : kTones) {
        for (int hue = 0; hue < kHues; ++hue) entries_[i++] = FromHsv(360.0 * hue / kHues, tone);
    }
    for (std::size_t k = 0; k < entries_.size(); ++k) greys_[k] = Luminance(entries_[k]);
}

Rgb Palette::GetColor(int index) const {
    return entries_[IsColourIndex(index) ? static_cast<std::size_t>(index) : 0];
}

std::int16_t Palette::GreyLevel(int index) const {
    return greys_[IsColourIndex(index) ? static_cast<std::size_t>(index) : 0];
}

Rgb Palette::GreyEquivalent(int index) const {
    const auto grey = static_cast<std::uint8_t>(GreyLevel(index));
    return {grey, grey, grey};
}

void Palette::SetEntry(int index, Rgb colour) {
    if (index < 0 || index >= kEntries) return;
    entries_[static_cast<std::size_t>(index)] = colour;
    greys_[static_cast<std::size_t>(index)] = Luminance(colour);
}

int DrawColor(int index, PrintState state) {
    if (state.BlackAndWhite()) return 0;
    return Palette::IsColourIndex(index) ? index : 0;
}

Rgb OutputColor(const Palette& palette, int index, PrintState state) {
    return state.BlackAndWhite() ? palette.GreyEquivalent(index) : palette.GetColor(index);
}

ColorRoles::ColorRoles() : indices_(kDefaultRoles), captions_(kDefaultCaptions) {}

std::int16_t StyleWords::StyleWord(int n) const {
    if (plainMode) return 0;
    constexpr int count = static_cast<int>(kCount);
    const int slot = ((n % count) + count) % count;
    return words[static_cast<std::size_t>(slot)];
}

void PenTriple::Write(ByteWriter& out) const {
    out.I16(colour);
    out.I16(width);
    out.I16(style);
}

bool PenTriple::Read(ByteReader& in) {
    PenTriple pen;
    if (!in.I16(pen.colour) || !in.I16(pen.width) || !in.I16(pen.style)) return false;
    *this = pen;
    return true;
}

void SetShort3(PenTriple& pen, std::int16_t colour, std::int16_t width, std::int16_t style) {
    pen = {colour, width, style};
}

}  // namespace quorlin
