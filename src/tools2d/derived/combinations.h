#pragma once
// Combinations of two examples f and g, without a window: the sum, difference, product,
// quotient and power of their formula trees, the composition f(g) (also a map applied to a
// curve), the projection of a vector field on another and its perpendicular part, and the
// cross product of two space fields or sequences. A combined example keeps f and g as its
// parents and its derivation code; its trees are built again from theirs whenever they change.
//
// The builders are rows of the table of derived builders, through which the 2D and 3D windows
// rebuild a combined example. Beside them: the buttons of the combinations dialog as questions
// to the two kinds (which may be chosen, what they read, which code they make), and the
// appending of a new combined example.
#include <span>
#include <string>

#include "tools2d/derived/derived_builders.h"

namespace quorlin::tools2d {

// The buttons of the combinations dialog.
namespace combine {
inline constexpr int kPlus = 751;
inline constexpr int kMinus = 752;
inline constexpr int kTimes = 753;
inline constexpr int kDivide = 754;   // or the projection of two fields
inline constexpr int kCompose = 755;  // or the cross product in a 3D window
inline constexpr int kPower = 756;    // or the perpendicular part of two fields
inline constexpr int kButtons[] = {kPlus, kMinus, kTimes, kDivide, kCompose, kPower};
}  // namespace combine

// The kinds the two lists of the dialog offer in a window of the dimension (2 or 3).
std::span<const int> CombinationKinds(int dimension);

// Whether the button may be chosen for f of kind k1 and g of kind k2 in a window of the
// dimension. The sum, difference and product need equal kinds that combine tree by tree: the
// polar, parametric and spherical surfaces and the planes do not (their trees are no single
// function to add).
bool CombineButtonEnabled(int button, int k1, int k2, int dimension);
// The text of the button for those kinds (Windows-1252).
std::string CombineButtonLabel(int button, int k1, int k2, int dimension);
// The derivation code the button makes for f of kind k1.
int CombinationCode(int button, int k1);

// The codes the buttons make: the product, sum, difference, quotient and power, the cross
// product (142), the projection and perpendicular part, and the composition.
inline constexpr int kCombinationCodes[] = {42, 43, 45, 47, 94, 142, 150, 151, 177};
bool IsCombinationCode(int code);

// The builders of those codes, rows of derived_builders.h: each rebuilds the trees of combined
// example k from its parents, compiles what the drawers need of them and sets its range; false
// when a parent is missing, does not come before k, or is of a kind the code cannot combine.
// Codes 42-94: tree by tree, f op g.
bool BuildArithmeticExample(TDeriveContext& context, int k);
// Code 177: f(g), or a plane or complex map applied to a curve.
bool BuildCompositionExample(TDeriveContext& context, int k);
// Codes 150 and 151: q = (f . g) / (g . g); tree i becomes q g_i, or f_i - q g_i.
bool BuildProjectionExample(TDeriveContext& context, int k);
// Code 142: trees 1-3 become f x g.
bool BuildCrossProductExample(TDeriveContext& context, int k);

// Appends the combination of f and g by the code as the next example and builds it: a copy of
// f (of g when a map is applied to a curve) with its name, curve list and flags cleared. The
// result is the new index, or -4 ("no more room") when the inventory is full, or -6 when f or
// g is no example or the code builds nothing for them; nothing is added then.
int AppendCombination(TDeriveContext& context, int code, int f, int g);

}  // namespace quorlin::tools2d
