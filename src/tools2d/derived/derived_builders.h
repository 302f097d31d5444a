#pragma once
// The builders of the examples the analysis tools derive: one row per derivation code, read by
// every walk that rebuilds derived examples (the 2D and the 3D windows reach it through their
// analysis tools). A builder makes example i again from its parents and its own texts, in place,
// and says whether it could; a failed build leaves the example undefined (no trees), so it draws
// as nothing until its parent or its texts make it buildable again.
#include <cstdint>
#include <optional>
#include <span>

#include "examples/records/compile.h"
#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

// What a builder works on: the window's examples, formulas and compiler.
struct TDeriveContext {
    examples::TInventory& inventory;
    FormulaContext& formulas;
    examples::TExampleCompiler& compiler;
};

using TDerivedBuild = bool (*)(TDeriveContext& context, int i);

struct TDerivedBuilder {
    std::uint16_t code;
    TDerivedBuild build;
};

std::span<const TDerivedBuilder> DerivedBuilders();

// The builder of a derivation code; null for a code the tools do not build.
TDerivedBuild FindDerivedBuilder(int code);

// Rebuilds example i by its code: empty when the tools do not build that code, else whether it
// was built (an example whose build failed is left with no trees).
std::optional<bool> RebuildToolExample(TDeriveContext& context, int i);

}  // namespace quorlin::tools2d
