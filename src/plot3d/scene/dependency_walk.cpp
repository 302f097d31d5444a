#include "plot3d/scene/dependency_walk.h"

#include <algorithm>
#include <array>
#include <utility>

#include "examples/records/derivation.h"

namespace quorlin::plot3d {

namespace {

namespace d = examples::derived;

// Codes the 3D window rebuilds; any other derived code is walked through without a rebuild.
constexpr std::array<std::pair<int, TRebuild3D>, 20> kRebuilds{{
    {d::kProduct, TRebuild3D::kCombination},
    {d::kSum, TRebuild3D::kCombination},
    {d::kDifference, TRebuild3D::kCombination},
    {d::kQuotient, TRebuild3D::kCombination},
    {142, TRebuild3D::kCombination},  // cross product
    {d::kProjection, TRebuild3D::kCombination},
    {d::kPerpendicular, TRebuild3D::kCombination},
    {d::kGradientField, TRebuild3D::kGradient},
    {d::kTangentLine, TRebuild3D::kTangent},
    {d::kTangentPlane, TRebuild3D::kTangentWithGrid},
    {d::kTrajectoryPoint, TRebuild3D::kTangent},
    {d::kTrajectoryVector, TRebuild3D::kTangent},
    {d::kTrajectoryTangent, TRebuild3D::kTangent},
    {d::kSurfaceLine, TRebuild3D::kTangent},
    {d::kPlotPoints, TRebuild3D::kPlotPoints},
    {d::kMarkedPoint, TRebuild3D::kTangent},
    {143, TRebuild3D::kIntersection},  // the surface-surface intersections
    {144, TRebuild3D::kIntersection},
    {145, TRebuild3D::kIntersection},
    {146, TRebuild3D::kIntersection},
}};
constexpr std::array<int, 4> kMoreIntersections{147, 152, 153, 154};

}  // namespace

TRebuild3D RebuildOf3D(int derivation) {
    const auto row = std::ranges::find(kRebuilds, derivation, &std::pair<int, TRebuild3D>::first);
    if (row != kRebuilds.end()) return row->second;
    if (std::ranges::find(kMoreIntersections, derivation) != kMoreIntersections.end())
        return TRebuild3D::kIntersection;
    return TRebuild3D::kNone;
}

std::vector<int> DependentsOf(const examples::TInventory& inventory, int k) {
    std::vector<bool> marked(static_cast<std::size_t>(inventory.Count()), k < 0);
    if (inventory.IsIndex(k)) marked[static_cast<std::size_t>(k)] = true;
    const auto isMarked = [&](int p) {
        return inventory.IsIndex(p) && marked[static_cast<std::size_t>(p)];
    };
    std::vector<int> walk;
    for (int i = std::max(k, 0); i <= inventory.LastIndex(); ++i) {
        const examples::TExample& e = inventory[i];
        if (e.derivation == 0) continue;
        if (!isMarked(i) && !isMarked(e.parent[0]) && !isMarked(e.parent[1])) continue;
        marked[static_cast<std::size_t>(i)] = true;
        walk.push_back(i);
    }
    return walk;
}

}  // namespace quorlin::plot3d
