// The 3D dependency walk: the rebuild of each derivation code, and which derived examples a
// change reaches, in index order, through unlisted codes and past parent indices that name no
// example.
#include "plot3d/scene/dependency_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlin::plot3d {
namespace {

using examples::TExample;
using examples::TInventory;

struct Node {
    int derivation;
    int parent0;
    int parent1;
};

TInventory Build(const std::vector<Node>& nodes) {
    TInventory inventory;
    for (const Node& n : nodes) {
        TExample e;
        e.derivation = static_cast<std::uint16_t>(n.derivation);
        e.parent = {static_cast<std::int16_t>(n.parent0), static_cast<std::int16_t>(n.parent1)};
        inventory.Append(std::move(e));
    }
    return inventory;
}

TEST(RebuildOf3DTest, EachCodeByItsRow) {
    struct Row {
        int code;
        TRebuild3D how;
    } const rows[] = {
        {42, TRebuild3D::kCombination},   {43, TRebuild3D::kCombination},
        {45, TRebuild3D::kCombination},   {47, TRebuild3D::kCombination},
        {142, TRebuild3D::kCombination},  {150, TRebuild3D::kCombination},
        {151, TRebuild3D::kCombination},  {71, TRebuild3D::kGradient},
        {76, TRebuild3D::kTangent},       {77, TRebuild3D::kTangentWithGrid},
        {78, TRebuild3D::kTangent},       {79, TRebuild3D::kTangent},
        {80, TRebuild3D::kTangent},       {81, TRebuild3D::kTangent},
        {99, TRebuild3D::kPlotPoints},    {109, TRebuild3D::kTangent},
        {143, TRebuild3D::kIntersection}, {147, TRebuild3D::kIntersection},
        {152, TRebuild3D::kIntersection}, {154, TRebuild3D::kIntersection},
        {94, TRebuild3D::kNone},          {148, TRebuild3D::kNone},
        {155, TRebuild3D::kNone},         {68, TRebuild3D::kNone},
    };
    for (const Row& r : rows) EXPECT_EQ(RebuildOf3D(r.code), r.how) << r.code;
}

TEST(DependentsOfTest, WalksInIndexOrderFromTheChange) {
    // 0 and 1 plain; 2 = 0 + 1; 3 from 2 through an unlisted code (94); 4 from 3 (tangent);
    // 5 from 1 only; 6 names parents outside the inventory; 7 plain.
    const TInventory inventory = Build({{0, -1, -1},
                                        {0, -1, -1},
                                        {43, 0, 1},
                                        {94, 2, -1},
                                        {76, 3, -1},
                                        {71, 1, -1},
                                        {99, 40, -7},
                                        {0, -1, -1}});
    struct Row {
        int k;
        std::vector<int> walk;
    } const rows[] = {
        {-1, {2, 3, 4, 5, 6}},  // every derived example once, the orphan included
        {0, {2, 3, 4}},         // the grandchild through the unlisted code too
        {1, {2, 3, 4, 5}},      // the second parent counts
        {3, {3, 4}},            // a derived example itself comes first
        {5, {5}},
        {7, {}},
        {12, {}},  // no such example
    };
    for (const Row& r : rows) EXPECT_EQ(DependentsOf(inventory, r.k), r.walk) << r.k;
}

TEST(DependentsOfTest, AChildBeforeItsParentIsNotReached) {
    // 1 names 2 as its parent, which stands after it: one pass in index order misses it.
    const TInventory inventory = Build({{0, -1, -1}, {43, 2, -1}, {45, 0, -1}});
    EXPECT_EQ(DependentsOf(inventory, 0), (std::vector<int>{2}));
}

}  // namespace
}  // namespace quorlin::plot3d
