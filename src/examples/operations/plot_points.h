#pragma once
// Plot-points examples (kind 215, derivation 99): chosen points of another example, at a list
// of x values of an explicit curve or t values of the other kinds. The example copies its
// parent's first three trees, range and lock, and reads its values from its fourth text; the
// window draws the parent's points at those values.
#include <string_view>

#include "examples/records/inventory.h"

namespace quorlin::examples {

// Whether a typed list reads as plain numbers: 0, or 1 ("cannot understand") when it holds
// anything but decimal numbers (digits, one point, a leading minus) apart from blanks, commas
// and semicolons, or no number at all. A list like "pi/2" or "abc(" is refused whole rather
// than read as the digits it happens to hold.
int CheckPlotPointList(std::string_view listText);

// Appends the plot-points example of `parent` with the list text (cut to 255 characters), dot
// size and colour, and builds it; its index, or -1 (nothing appended) when the inventory is
// full or the parent is no example.
int AppendPlotPointsExample(TInventory& inventory, int parent, std::string_view listText,
                            int dotSize, int colour);

// Brings plot-points example `index` up to date with its parent: its values from its text (at
// most 128), the parent's range and lock, copies of the parent's trees 1-3. False when the
// example or its parent is missing.
bool RebuildPlotPointsExample(TInventory& inventory, int index);

}  // namespace quorlin::examples
