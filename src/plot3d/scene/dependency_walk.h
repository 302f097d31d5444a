#pragma once
// The 3D window's dependency walk as plain computation: how each derivation code is rebuilt in
// a 3D window (one table row per code), and which derived examples one change reaches, in the
// order they are rebuilt: a single pass in index order from the changed example, marking every
// derived example with a marked parent, also one whose code has no rebuild, so that its own
// dependants follow.
#include <vector>

#include "examples/records/inventory.h"

namespace quorlin::plot3d {

enum class TRebuild3D {
    kNone,             // nothing to rebuild (its dependants still follow)
    kCombination,      // the analysis tools' combination, then a surface's grid
    kGradient,         // the gradient field
    kTangent,          // the tangent builders
    kTangentWithGrid,  // the tangent plane's trees, then its grid
    kPlotPoints,       // the chosen points of the parent
    kIntersection,     // a surface-surface intersection curve
};

// How a derived example of this code is rebuilt in a 3D window.
TRebuild3D RebuildOf3D(int derivation);

// The derived examples that change with example k (k < 0: every derived example), in index
// order. A parent index outside the inventory counts as no parent.
std::vector<int> DependentsOf(const examples::TInventory& inventory, int k);

}  // namespace quorlin::plot3d
