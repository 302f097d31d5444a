#pragma once
// The point markers of the graphing windows, described once for every way they are drawn.
//
// A marker kind (0-13) is a filled body (square, disc or triangle), open strokes, a hollow
// square around the point and a cross hair across the whole picture, each optional. Points are
// steps of the marker's size from its centre, x to the right and y downwards as on the screen;
// the screen drawing and the export writers turn the steps into their own coordinates and
// draw the parts with their own primitives, in the order body, strokes, square, cross hair.
#include <array>
#include <span>
#include <string_view>

namespace quorlin::canvas {

inline constexpr int kMarkerKinds = 14;

// A point of a marker in units of its size, y downwards.
struct MarkerStep {
    int dx = 0;
    int dy = 0;
};

enum class MarkerBody { None, Square, Disc, Triangle };

struct MarkerShape {
    MarkerBody body = MarkerBody::None;
    std::array<MarkerStep, 3> triangle{};  // the two base corners, then the apex
    // One letter per stroke point: "M" starts a stroke there, "L" draws on to it.
    std::string_view pieces;
    std::array<MarkerStep, 6> strokes{};
    bool square = false;     // the hollow square with corners (-1, -1) and (1, 1)
    bool crossHair = false;  // a vertical and a horizontal line across the whole picture

    std::span<const MarkerStep> StrokePoints() const {
        return std::span(strokes).first(pieces.size());
    }
};

// Writers that stroke the hollow square as a path go round it from the lower left corner,
// counter-clockwise as seen on the page.
inline constexpr std::array<MarkerStep, 5> kSquarePath{
    {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};
inline constexpr std::string_view kSquarePieces = "MLLLL";

// The PostScript files have always drawn kind 6 as the bare cross and kind 7 as the cross in
// its square, and the upright crosses of kinds 6, 7 and 9 from the lower end up; they keep
// that. The other kinds look alike everywhere.
enum class MarkerDialect { Screen, PostScript };

// The shape of a marker kind; null for a kind outside 0-13.
const MarkerShape* FindMarkerShape(int kind, MarkerDialect dialect = MarkerDialect::Screen);

}  // namespace quorlin::canvas
