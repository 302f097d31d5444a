#pragma once
// Where the equation labels of a diagram stand: a new label goes one line below the previous
// one (two lines up again when that would reach the bottom of the view), and "Home equations"
// puts every label back in a column at the top left. Positions are world coordinates of a
// label's top-left corner.
#include <optional>

#include "core/vectors.h"

namespace quorlin::examples {

// What the placement needs of the view: its left, bottom and top edges, the world size of a
// pixel and the height of one label line in pixels.
struct TLabelView {
    long double left = 0;
    long double bottom = 0;
    long double top = 0;
    long double unitsPerPixelX = 0;
    long double unitsPerPixelY = 0;
    int lineHeight = 0;
};

// The first label stands 3 pixels from the top-left corner; a later one below the previous
// label (given by its absolute top-left corner) by one line, or raised by two lines when it
// would lie below the bottom edge plus one line.
Vec2 NewLabelPosition(const TLabelView& view, std::optional<Vec2> previous);

// Home position of label k (0, 1, 2 ... in list order): the first label's place, k lines down.
Vec2 HomeLabelPosition(const TLabelView& view, int k);

}  // namespace quorlin::examples
