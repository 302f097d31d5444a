#pragma once
// The plain words of the plane that the canvas records share with the view frame: a world
// rectangle and the log modes that say which axes of a window are logarithmic.
namespace quorlin::canvas {

// A world rectangle (x-low, x-high, y-low, y-high).
struct TLDRect {
    long double xLow = 0;
    long double xHigh = 0;
    long double yLow = 0;
    long double yHigh = 0;
};

// Log modes of a window: which axes are logarithmic.
inline constexpr int kLogNone = 0;
inline constexpr int kLogX = 1;
inline constexpr int kLogY = 2;
inline constexpr int kLogBoth = 3;
inline bool IsLogX(int logMode) {
    return logMode == kLogX || logMode == kLogBoth;
}
inline bool IsLogY(int logMode) {
    return logMode == kLogY || logMode == kLogBoth;
}

}  // namespace quorlin::canvas
