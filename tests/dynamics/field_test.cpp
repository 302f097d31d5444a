// Tree selectors of a record, fields of three trees and the scene box.
#include "dynamics/field.h"

#include <cmath>
#include <limits>

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

TEST_F(FieldTest, ASystemFieldTakesEachComponentFromItsSelector) {
    SetTree(1, "x-x*y");
    SetTree(2, "x*y-y");
    SetTree(3, "x+2*y+4*z");
    SetTree(4, "sqrt(x)*t");
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const struct {
        const char* name;
        std::array<std::int16_t, 3> selectors;
        StateSlots slots;
        long double t;
        std::array<long double, 3> y;
        std::array<long double, 3> expected;  // NaN in the first: undefined
    } rows[] = {
        {"predator and prey", {0, 1, -1}, StateSlots::System(2), 0.5L, {2, 3, 0}, {-4, 3, 0}},
        {"negated", {8, 9, -1}, StateSlots::System(2), 0.5L, {2, 3, 0}, {4, -3, 0}},
        {"a constant zero first", {-1, 1, -1}, StateSlots::System(2), 0.5L, {2, 3, 0}, {0, 3, 0}},
        {"three components", {0, 9, 2}, StateSlots::System(3), 1.5L, {2, 3, 5}, {-4, -3, 28}},
        {"the time", {3, 1, -1}, StateSlots::System(2), 2.5L, {4, 7, 0}, {5, 21, 0}},
        {"undefined", {0, 3, -1}, StateSlots::System(2), 0.5L, {-1, 3, 0}, {nan, 0, 0}},
        // A third component outside a state of two is not evaluated: sqrt(-1) does not count.
        {"a component beyond the state",
         {0, 1, 3},
         StateSlots::System(2),
         0.5L,
         {-1, 3, 0},
         {2, -6, 0}},
        // The level z = 5 of a surface: the state is (x, y), z held.
        {"a held level",
         {2, 1, -1},
         *StateSlots::Level(slot::kZ, {0, 0, 5}),
         0.5L,
         {2, 3, 0},
         {28, 3, 0}},
    };
    for (const auto& row : rows) {
        auto field = SystemField::FromSelectors(ctx, example, row.selectors, row.slots);
        ASSERT_TRUE(field) << row.name;
        std::array<long double, 3> dy{};
        const bool defined = (*field)(row.t, row.y.data(), dy.data());
        EXPECT_EQ(defined, !std::isnan(row.expected[0])) << row.name;
        if (!defined) continue;
        for (int i = 0; i < field->Count(); ++i)
            EXPECT_EQ(dy[static_cast<std::size_t>(i)], row.expected[static_cast<std::size_t>(i)])
                << row.name << " component " << i;
    }
}

}  // namespace
}  // namespace quorlin::dynamics
