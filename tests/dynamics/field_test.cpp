// Tree selectors of a record, fields of three trees and the scene box.
#include "dynamics/field.h"

#include "dynamics_support.h"
#include "support/all_near.h"

namespace quorlin::dynamics {
namespace {

using quorlin::testing::AllNear;

using FieldTest = DynamicsTest;

TEST_F(FieldTest, AFieldOfThreeTreesTheBoxAndTheSelectorsOfTheSevenTrees) {
    SetTree(1, "y*z");
    SetTree(2, "x");
    SetTree(3, "ln(z)");
    std::array<TExprNode*, 3> trees{example.Tree(1).get(), example.Tree(2).get(),
                                    example.Tree(3).get()};
    Vec3 v;
    ASSERT_TRUE(EvalField3D(ctx, trees, {2, 3, 1}, v));
    EXPECT_TRUE(AllNear({v.x, v.y, v.z}, {3, 2, 0}));
    EXPECT_FALSE(EvalField3D(ctx, trees, {2, 3, -1}, v));
    EXPECT_EQ(v.x, 0);

    const Box3 box{{0, 0, 0}, {1, 2, 3}};
    EXPECT_TRUE(IsInsideBox3D(box, {1, 2, 3}));
    EXPECT_TRUE(IsInsideBox3D(box, {0, 0, 0}));
    EXPECT_FALSE(IsInsideBox3D(box, {0.5L, 2.0001L, 1}));

    // The selectors name the seven trees or their negatives.
    SetTree(1, "x");
    SetTree(7, "y");
    const struct {
        int selector;
        bool accepted;
        int tree;  // 1..7, 0 none
        bool negated;
    } rows[] = {{-1, true, 0, false},  {0, true, 1, false},   {6, true, 7, false},
                {8, true, 1, true},    {14, true, 7, true},   {7, false, 0, false},
                {15, false, 0, false}, {-2, false, 0, false}, {32767, false, 0, false}};
    for (const auto& row : rows) {
        FieldComponent c;
        EXPECT_EQ(ResolveTreeSelector(example, row.selector, c), row.accepted) << row.selector;
        if (!row.accepted) continue;
        EXPECT_EQ(c.constantZero, row.tree == 0);
        EXPECT_EQ(c.tree, row.tree ? example.Tree(row.tree).get() : nullptr);
        EXPECT_EQ(c.negated, row.negated);
    }
}

}  // namespace
}  // namespace quorlin::dynamics
