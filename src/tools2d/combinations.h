#pragma once
// Combinations of two examples f and g, without a window: the sum, difference, product,
// quotient and power of their formula trees, the composition f(g) (also a map applied to a
// curve), the projection of a vector field on another and its perpendicular part, and the
// cross product of two space fields or sequences. A combined example keeps f and g as its
// parents and its derivation code; its trees are built again from theirs whenever they change.
//
// The builders form one table keyed by the derivation code (FindCombinationBuilder); the 2D
// and 3D windows rebuild a combined example through it alone. Beside it: the buttons of the
// combinations dialog as questions to the two kinds (which may be chosen, what they read, which
// code they make), and the appending of a new combined example.
#include <cstdint>
#include <span>
#include <string>

#include "examples/records/compile.h"
#include "examples/records/inventory.h"

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

// Rebuilds the trees of combined example k from its parents by its derivation code, compiles
// what the drawers need of them and sets its range; false when a parent is missing or does not
// come before k.
using TCombinationBuild = bool (*)(examples::TExampleCompiler& compiler,
                                   examples::TInventory& inventory, int k);
struct TCombinationBuilder {
    std::uint16_t code;
    TCombinationBuild build;
};
std::span<const TCombinationBuilder> CombinationBuilders();
// The builder of a derivation code; null for the codes that are no combination.
const TCombinationBuilder* FindCombinationBuilder(int code);

// The table's row run on example k; false for a code that is no combination.
bool BuildCombinedExample(examples::TExampleCompiler& compiler, examples::TInventory& inventory,
                          int k);
// Codes 150 and 151: q = (f . g) / (g . g); tree i becomes q g_i, or f_i - q g_i.
bool BuildProjectionExample(examples::TExampleCompiler& compiler, examples::TInventory& inventory,
                            int k);
// Code 142: trees 1-3 become f x g.
bool BuildCrossProductExample(examples::TExampleCompiler& compiler, examples::TInventory& inventory,
                              int k);

// Appends the combination of f and g by the code as the next example and builds it: a copy of
// f (of g when a map is applied to a curve) with its name, curve list and flags cleared. The
// result is the new index, or -4 ("no more room") when the inventory is full, or -6 when f or
// g is no example or the code builds nothing for them; nothing is added then.
int AppendCombination(examples::TExampleCompiler& compiler, examples::TInventory& inventory,
                      int code, int f, int g);

}  // namespace quorlin::tools2d
