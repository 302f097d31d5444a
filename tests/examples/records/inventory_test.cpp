// Inventory: room and resizing, removal of examples with everything derived from them, swaps
// that keep parents before their derived examples, and the sight-line tree of the 3D tests.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::examples {
namespace {

// An example whose tree 1 is the constant `tag`, derived from the given parents.
TExample Tagged(long double tag, int parent0 = -1, int parent1 = -1, std::uint16_t code = 0) {
    TExample e;
    e.kind = kind::kExplicit;
    e.derivation = code;
    e.parent = {static_cast<std::int16_t>(parent0), static_cast<std::int16_t>(parent1)};
    e.Tree(1) = TExprNode::NewConst(tag);
    return e;
}

std::vector<long double> Tags(const TInventory& inventory) {
    std::vector<long double> tags;
    for (int i = 0; i < inventory.Count(); ++i) tags.push_back(inventory[i].Tree(1)->re);
    return tags;
}

TEST(InventoryTest, HoldsThirtySixExamplesAndResizes) {
    TInventory inventory;
    for (int i = 0; i < 36; ++i) EXPECT_EQ(inventory.Append(Tagged(i)), i);
    EXPECT_EQ(inventory.Append(Tagged(36)), -1);
    inventory.Entry(7).name = "seven";
    inventory.Entry(7).rangeLow = TExprNode::NewConst(7);

    EXPECT_FALSE(inventory.SetCapacity(34, true));  // below the last index
    EXPECT_FALSE(inventory.SetCapacity(TInventory::kMaxCapacity + 1, true));
    ASSERT_TRUE(inventory.SetCapacity(36, true));
    EXPECT_EQ(
        std::tuple(inventory.Count(), inventory.Entry(7).name, inventory.Entry(7).rangeLow->re),
        std::tuple(36, "seven", 7));
    EXPECT_EQ(inventory.Append(Tagged(36)), 36);

    ASSERT_TRUE(inventory.SetCapacity(10, false));
    EXPECT_TRUE(inventory.Empty());
    EXPECT_EQ(inventory.Capacity(), 10);
}

TEST(InventoryTest, RemovingTakesDerivedChainsAndRenumbersParents) {
    TInventory inventory;
    inventory.Append(Tagged(0));
    inventory.Append(Tagged(1));
    inventory.Append(Tagged(2, 0));          // derived from 0
    inventory.Append(Tagged(3, 2));          // through 2 from 0
    inventory.Append(Tagged(4, 1));          // derived from 1
    inventory.Append(Tagged(5, 4, 2, 125));  // end point of 4: its second word is a text pair
    inventory.Append(Tagged(6, 1, 3));       // second operand 3 goes with 0
    const int removed[] = {0, 99};
    const std::vector<int> map = inventory.Remove(removed);
    EXPECT_EQ(map, (std::vector<int>{-1, 0, -1, -1, 1, 2, -1}));
    EXPECT_EQ(Tags(inventory), (std::vector<long double>{1, 4, 5}));
    EXPECT_EQ(inventory[1].parent, (std::array<std::int16_t, 2>{0, -1}));
    EXPECT_EQ(inventory[2].parent, (std::array<std::int16_t, 2>{1, 2}));
}

TEST(InventoryTest, SwapsOnlyWhereParentsStayFirst) {
    struct Case {
        int a, b;
        bool done;
        std::vector<long double> tags;
    };
    // 0; 1 from 0; 2; 3 from 2; 4 from 1 and 3.
    const Case cases[] = {
        {0, 1, false, {0, 1, 2, 3, 4}},  // 1 is derived from 0
        {3, 2, false, {0, 1, 2, 3, 4}},  // the same, arguments the other way round
        {0, 2, false, {0, 1, 2, 3, 4}},  // 1, in between, is derived from 0
        {1, 2, true, {0, 2, 1, 3, 4}},
        {0, 9, false, {0, 1, 2, 3, 4}}};
    for (const Case& c : cases) {
        TInventory inventory;
        inventory.Append(Tagged(0));
        inventory.Append(Tagged(1, 0));
        inventory.Append(Tagged(2));
        inventory.Append(Tagged(3, 2));
        inventory.Append(Tagged(4, 1, 3));
        inventory.Entry(1).name = "one";
        EXPECT_EQ(inventory.Swap(c.a, c.b), c.done) << c.a << " " << c.b;
        EXPECT_EQ(Tags(inventory), c.tags);
        if (!c.done) continue;
        EXPECT_EQ(inventory.Entry(2).name, "one");
        EXPECT_EQ(inventory[4].parent, (std::array<std::int16_t, 2>{2, 3}));
    }
}

TEST(InventoryTest, SubstitutedTreeFollowsTheSightLine) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("X^2+2*Y-Z*T"), 0);
    TInventory inventory;
    TExample e;
    e.Tree(4) = ctx.TakeParseResult();
    inventory.Append(std::move(e));
    inventory.SubstituteXYZ(0);
    ASSERT_NE(inventory.Entry(0).substituted, nullptr);
    const long double eye[3] = {1, -2, 0.5}, direction[3] = {0.5, 1, -3};
    for (int k = 0; k < 3; ++k) {
        ctx.SetVar(slot::kSightFirst + k, eye[k]);
        ctx.SetVar(slot::kSightFirst + 3 + k, direction[k]);
    }
    for (const long double t : {-1.0L, 0.0L, 0.75L}) {
        ctx.SetVar(slot::kT, t);
        const long double x = eye[0] + t * direction[0], y = eye[1] + t * direction[1],
                          z = eye[2] + t * direction[2];
        ASSERT_TRUE(ctx.Evaluate(*inventory.Entry(0).substituted));
        EXPECT_NEAR(inventory.Entry(0).substituted->re, x * x + 2 * y - z * t, 1e-17L);
    }
    inventory[0].Tree(4).reset();
    inventory.SubstituteXYZ(0);
    EXPECT_EQ(inventory.Entry(0).substituted, nullptr);
}

TEST(RenumberedExampleTest, AnExampleMovesWithItsIndexOrGoes) {
    const std::vector<int> map{-1, 0, -1, 1, 2};
    EXPECT_EQ(RenumberedExample(3, map), 1);
    EXPECT_EQ(RenumberedExample(4, map), 2);
    EXPECT_EQ(RenumberedExample(2, map), -1);
    EXPECT_EQ(RenumberedExample(5, map), -1);
    EXPECT_EQ(RenumberedExample(-1, map), -1);
}

}  // namespace
}  // namespace quorlin::examples
