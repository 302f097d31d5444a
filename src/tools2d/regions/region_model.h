#pragma once
// What the implicit-regions tool does to a window's examples and settings, without a window: an
// implicit curve F(x, y) = 0 (kind 204) becomes the inequality "<" or ">" in a region colour and
// back; the lists of curves and of inequalities with their texts; the region mode the "centroid"
// and "intersect" choices make; the list rule of its buttons; and the dart count as typed.
//
// The throw itself (ThrowDarts, plot2d/shading.h) reads the inequalities where they stand.
#include <string>
#include <string_view>
#include <vector>

#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

inline constexpr int kErrNothingToDo = 9;  // "nothing to do"

// The side words of an implicit example.
inline constexpr int kEquation = 0;
inline constexpr int kLessThan = 1;
inline constexpr int kGreaterThan = -1;

// The window's region mode: 0 shade where every inequality holds, 2 shade each; 1 and 3 (the
// centroid) shade nothing.
constexpr int RegionMode(bool centroid, bool intersect) {
    return (centroid ? 1 : 0) + (intersect ? 0 : 2);
}
constexpr bool CentroidOfMode(int mode) {
    return mode % 2 != 0;
}
constexpr bool IntersectOfMode(int mode) {
    return mode < 2;
}

// The implicit curves of the inventory, in inventory order; those that are inequalities.
std::vector<int> ImplicitExamples(const examples::TInventory& inventory);
std::vector<int> InequalityExamples(const examples::TInventory& inventory);

// The equation text with its first "=" shown as the side's "<" or ">" (unchanged for 0).
std::string InequalityText(std::string text, int side);

// Makes example i the inequality of the side (0: the equation again); an inequality takes the
// region colour. False when i is not an implicit curve.
bool SetSide(examples::TInventory& inventory, int i, int side, int colour);
// Every implicit curve an equation again; how many were inequalities.
int ClearSides(examples::TInventory& inventory);

// The position a button works on in a list of `count` lines with `selected` chosen (-1 none):
// 9 for an empty list, the one line of a list of one, else the selection or 15 without one.
int ListSelection(int count, int selected, int& position);

// The dart count of a typed text: 14 unless it reads as an integer of at least 1.
int ReadDartCount(FormulaContext& context, std::string_view text, int& count);

}  // namespace quorlin::tools2d
