#pragma once
// The coordinate-system settings of a graphing window (axes, ticks, scale numbers, grids) as
// plain data, as diagram files and the view history keep them.
#include <cstdint>

namespace quorlin::canvas {

// Axes kinds.
inline constexpr int kAxesNone = 0;
inline constexpr int kAxesX = 1;
inline constexpr int kAxesY = 2;
inline constexpr int kAxesBoth = 3;
inline constexpr int kAxesPolarRay = 4;

// Scale flags.
inline constexpr int kScaleX = 1;
inline constexpr int kScaleY = 2;
inline constexpr int kScaleOnBorder = 4;

// Grid flags: the quadrants I-IV the rectangular grid covers, the two grids, dotted lines.
inline constexpr int kGridQuadrantI = 1;
inline constexpr int kGridQuadrantII = 2;
inline constexpr int kGridQuadrantIII = 4;
inline constexpr int kGridQuadrantIV = 8;
inline constexpr int kGridQuadrants = 15;
inline constexpr int kGridRectangular = 16;
inline constexpr int kGridPolar = 32;
inline constexpr int kGridDotted = 64;

// Places above 9 mean: the suffix character follows the numbers.
inline constexpr int kPlacesSuffixMark = 10;
inline constexpr int kDefaultSuffix = 176;

struct TAxesSettings {
    bool axesShown = true;
    std::int16_t axesKind = kAxesBoth;
    bool ticks = true;
    bool arrows = true;
    bool dots = false;
    bool labels = true;
    bool originLetter = false;
    std::uint16_t scaleFlags = kScaleX | kScaleY;
    std::uint16_t gridFlags = kGridQuadrants;
    std::int16_t polarSectors = 12;
    std::int16_t tickLength = 10;  // pixels
    std::int16_t minorTickLength = 7;
    long double xInterval = 1;
    long double yInterval = 1;
    std::int16_t xPlaces = 0;
    std::int16_t yPlaces = 0;
    std::int16_t suffixChar = kDefaultSuffix;
    std::int16_t xFrequency = 1;
    std::int16_t yFrequency = 1;
    bool xPi = false;
    bool yPi = false;

    bool ShowsXNumbers() const { return (scaleFlags & kScaleX) != 0; }
    bool ShowsYNumbers() const { return (scaleFlags & kScaleY) != 0; }
    bool NumbersOnBorder() const { return (scaleFlags & kScaleOnBorder) != 0; }
    bool ShowsXAxis() const {
        return axesShown &&
               (axesKind == kAxesX || axesKind == kAxesBoth || axesKind == kAxesPolarRay);
    }
    bool ShowsYAxis() const { return axesShown && (axesKind == kAxesY || axesKind == kAxesBoth); }

    // The restore defaults of everything but the polar sector count.
    void ResetKeepingSectors();

    friend bool operator==(const TAxesSettings&, const TAxesSettings&) = default;
};

// True when applying `next` over `current` changes anything: every field counts, the suffix
// character and the number formats of hidden scale numbers included.
bool SettingsChanged(const TAxesSettings& current, const TAxesSettings& next);

}  // namespace quorlin::canvas
