#include "tools2d/derived/derived_builders.h"

#include "examples/records/derivation.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/derived/transform_builders.h"

namespace quorlin::tools2d {

namespace d = examples::derived;

namespace {

constexpr TDerivedBuilder kBuilders[] = {
    {d::kDerivative, UpdateDerivative},
    {d::kMirrorLine, UpdateMirrorLine},
    {d::kReflectX, UpdateReflection},
    {d::kReflectY, UpdateReflection},
    {d::kReflectDiagonal, UpdateReflection},
    {d::kReflectLine, UpdateReflection},
    {d::kHalfTurn, UpdateRotation},
    {d::kRotation, UpdateRotation},
    {d::kTranslation, UpdateTranslation},
    // The combinations of two examples.
    {d::kProduct, BuildArithmeticExample},
    {d::kSum, BuildArithmeticExample},
    {d::kDifference, BuildArithmeticExample},
    {d::kQuotient, BuildArithmeticExample},
    {d::kPower, BuildArithmeticExample},
    {142, BuildCrossProductExample},
    {d::kProjection, BuildProjectionExample},
    {d::kPerpendicular, BuildProjectionExample},
    {d::kComposition, BuildCompositionExample},
};

}  // namespace

std::span<const TDerivedBuilder> DerivedBuilders() {
    return kBuilders;
}

TDerivedBuild FindDerivedBuilder(int code) {
    for (const TDerivedBuilder& row : kBuilders)
        if (row.code == code) return row.build;
    return nullptr;
}

std::optional<bool> RebuildToolExample(TDeriveContext& context, int i) {
    if (!context.inventory.IsIndex(i)) return std::nullopt;
    examples::TExample& e = context.inventory[i];
    const TDerivedBuild build = FindDerivedBuilder(e.derivation);
    if (!build) return std::nullopt;
    if (build(context, i)) return true;
    for (NodePtr& tree : e.trees) tree.reset();
    return false;
}

}  // namespace quorlin::tools2d
