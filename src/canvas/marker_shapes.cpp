#include "canvas/marker_shapes.h"

#include <algorithm>
#include <utility>

namespace quorlin::canvas {
namespace {

constexpr MarkerShape Filled(MarkerBody body) {
    MarkerShape shape;
    shape.body = body;
    return shape;
}

constexpr MarkerShape Triangle(MarkerStep a, MarkerStep b, MarkerStep apex) {
    MarkerShape shape;
    shape.body = MarkerBody::Triangle;
    shape.triangle = {a, b, apex};
    return shape;
}

constexpr MarkerShape Strokes(std::string_view pieces, std::array<MarkerStep, 6> points,
                              bool square = false) {
    MarkerShape shape;
    shape.pieces = pieces;
    shape.strokes = points;
    shape.square = square;
    return shape;
}

constexpr MarkerShape Square() {
    MarkerShape shape;
    shape.square = true;
    return shape;
}

constexpr MarkerShape CrossHair() {
    MarkerShape shape;
    shape.crossHair = true;
    return shape;
}

constexpr std::array<MarkerStep, 6> kUpright{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}};
constexpr std::array<MarkerStep, 6> kUprightFromBelow{{{0, 1}, {0, -1}, {-1, 0}, {1, 0}}};
constexpr std::array<MarkerStep, 6> kDiagonal{{{-1, -1}, {1, 1}, {1, -1}, {-1, 1}}};

constexpr std::array<MarkerShape, kMarkerKinds> kShapes{
    Filled(MarkerBody::Square),
    Filled(MarkerBody::Disc),
    Triangle({-1, 1}, {1, 1}, {0, -1}),   // pointing up
    Triangle({-1, -1}, {1, -1}, {0, 1}),  // down
    Triangle({-1, -1}, {-1, 1}, {1, 0}),  // right
    Triangle({1, -1}, {1, 1}, {-1, 0}),   // left
    Strokes("MLML", kUpright, true),
    Square(),
    Strokes("MLML", kDiagonal),
    Strokes("MLML", kUpright),
    Strokes("MLML", kDiagonal, true),
    Strokes("MLMLML", {{{0, 0}, {0, -3}, {0, 0}, {1, -1}, {0, 0}, {-1, -1}}}),  // trident up
    Strokes("MLMLML", {{{0, 0}, {0, 3}, {0, 0}, {1, 1}, {0, 0}, {-1, 1}}}),     // trident down
    CrossHair(),
};

constexpr std::array<std::pair<int, MarkerShape>, 3> kPostScriptShapes{{
    {6, Strokes("MLML", kUprightFromBelow)},
    {7, Strokes("MLML", kUprightFromBelow, true)},
    {9, Strokes("MLML", kUprightFromBelow)},
}};

}  // namespace

const MarkerShape* FindMarkerShape(int kind, MarkerDialect dialect) {
    if (kind < 0 || kind >= kMarkerKinds) return nullptr;
    if (dialect == MarkerDialect::PostScript) {
        const auto own = std::find_if(kPostScriptShapes.begin(), kPostScriptShapes.end(),
                                      [kind](const auto& entry) { return entry.first == kind; });
        if (own != kPostScriptShapes.end()) return &own->second;
    }
    return &kShapes[static_cast<std::size_t>(kind)];
}

}  // namespace quorlin::canvas
