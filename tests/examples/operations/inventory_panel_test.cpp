// What the inventory dialog allows: its buttons for selections in 2D, 3D, map and logarithmic
// windows, the captions that follow window and selection, and the list lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "examples/operations/inventory_panel.h"
#include "formula/opcodes.h"

namespace quorlin::examples {
namespace {

// Examples 0..6: explicit, explicit with a web whose formula holds ARG, Lagrange polynomial,
// orbital system, space curve, implicit surface, implicit curve.
TInventory Sample() {
    TInventory inventory;
    inventory.SetCapacity(20, false);
    for (int kindCode : {201, 201, 213, 219, 304, 305, 204}) {
        TExample e;
        e.Init(kindCode, 1, 50);
        inventory.Append(std::move(e));
    }
    inventory[1].WebOn() = 1;
    inventory[1].Tree(2) = TExprNode::NewUnary(op::kArg, TExprNode::NewOp(op::kVarX));
    return inventory;
}

const TInventoryMode k2D{};
// A 3D window with its level-curve and box dialogs, and one still without them.
const TInventoryMode k3D{false, true, false, false, false, true, true};
const TInventoryMode k3DBare{false, true, false, false};
const TInventoryMode kMap{true, false, false, false};
const TInventoryMode kLog{false, false, true, true};
const TInventoryMode k2DDerivatives{false, false, false, false, true};

TEST(InventoryPanelTest, ButtonsFollowTheSelection) {
    const TInventory inventory = Sample();
    const struct {
        const char* what;
        int button;
        std::vector<int> selected;
        TInventoryMode mode;
        bool enabled;
    } cases[] = {{"edit one", invent::kEdit, {0}, k2D, true},
                 {"edit two", invent::kEdit, {0, 1}, k2D, false},
                 {"delete with an orbital system", invent::kDelete, {0, 3}, k2D, false},
                 {"delete two", invent::kDelete, {0, 1}, k2D, true},
                 {"duplicate an orbital system", invent::kDuplicate, {3}, k2D, false},
                 {"table of a space curve", invent::kTable, {4}, k3D, true},
                 {"table of an implicit surface (derive)", invent::kTable, {5}, k3D, true},
                 {"family of a web", invent::kFamily, {1}, k2D, false},
                 {"family of a polynomial", invent::kFamily, {2}, k2D, false},
                 {"family of a space curve", invent::kFamily, {4}, k3D, true},
                 {"family of an implicit surface", invent::kFamily, {5}, k3D, false},
                 {"family marks in 2D", invent::kFamily, {0, 1}, k2D, true},
                 {"family marks in a map", invent::kFamily, {0, 1}, kMap, false},
                 {"equation of an orbital system", invent::kEquation, {3}, k2D, false},
                 {"swap two", invent::kDerive, {0, 4}, k2D, true},
                 {"derive an explicit curve", invent::kDerive, {0}, k2DDerivatives, true},
                 {"no derivatives in this window", invent::kDerive, {0}, k2D, false},
                 {"gradient field of an implicit curve", invent::kDerive, {6}, k2D, true},
                 {"derive through ARG", invent::kDerive, {1}, k2DDerivatives, false},
                 {"levels of an implicit surface", invent::kDerive, {5}, k3D, true},
                 {"web of a curve", invent::kWeb, {0}, k2D, true},
                 {"web of a polynomial", invent::kWeb, {2}, k2D, false},
                 {"|f| in a logarithmic window", invent::kWeb, {0}, kLog, true},
                 {"active in a map needs a map", invent::kWeb, {0}, kMap, false},
                 {"box in 3D", invent::kWeb, {4}, k3D, true},
                 {"no box without its dialog", invent::kWeb, {4}, k3DBare, false},
                 {"no levels without their dialog", invent::kDerive, {5}, k3DBare, false},
                 {"levels only of surfaces", invent::kDerive, {4}, k3D, false},
                 {"swap without the levels dialog", invent::kDerive, {4, 5}, k3DBare, true}};
    for (const auto& c : cases)
        EXPECT_EQ(InventoryButtonEnabled(c.button, inventory, c.selected, c.mode), c.enabled)
            << c.what;
}

// The table lists curves and surfaces, and the kinds drawn through trajectories once they have
// one; a point or a system without a trajectory has none to offer.
TEST(InventoryPanelTest, TableFollowsTheKindAndItsTrajectories) {
    const struct {
        int kind;
        bool withTrajectory;
        bool enabled;
    } cases[] = {{201, false, true},  {202, false, true},  {203, false, true},  {219, false, true},
                 {225, false, true},  {301, false, true},  {302, false, true},  {304, false, true},
                 {308, false, true},  {325, false, true},  {210, false, false}, {210, true, true},
                 {211, false, false}, {211, true, true},   {212, false, false}, {212, true, true},
                 {220, false, false}, {220, true, true},   {310, false, false}, {310, true, true},
                 {312, false, false}, {312, true, true},   {317, false, false}, {317, true, true},
                 {209, false, false}, {215, false, false}, {204, false, false}, {309, false, false},
                 {303, false, false}};
    for (const auto& c : cases) {
        TInventory inventory;
        inventory.SetCapacity(2, false);
        TExample e;
        e.Init(c.kind, 1, 50);
        if (c.withTrajectory) e.trajectories.emplace_back();
        inventory.Append(std::move(e));
        const int selected[] = {0};
        EXPECT_EQ(
            InventoryButtonEnabled(invent::kTable, inventory, selected, c.kind > 300 ? k3D : k2D),
            c.enabled)
            << c.kind << (c.withTrajectory ? " with a trajectory" : "");
    }
}

TEST(InventoryPanelTest, CaptionsFollowWindowAndSelection) {
    EXPECT_EQ(DeriveCaption(k2D, 1), "derive");
    EXPECT_EQ(DeriveCaption(k3D, 1), "levels");
    EXPECT_EQ(DeriveCaption(k3D, 2), "swap");
    EXPECT_EQ(WebCaption(k2D), "web");
    EXPECT_EQ(WebCaption(k3D), "box");
    EXPECT_EQ(WebCaption(kMap), "active");
    EXPECT_EQ(WebCaption(kLog), "| f(x) |");
    EXPECT_EQ(TableCaption(kind::kImplicitSurface), "derive");
    EXPECT_EQ(TableCaption(kind::kExplicit), "table");
}

TEST(InventoryPanelTest, LinesCarryMarkTagAndName) {
    TInventoryEntry entry;
    entry.example.Init(201, 1, 50);
    EXPECT_EQ(InventoryLine(entry, "y = x"), "y = x");
    entry.familyMark = 1;
    entry.example.graphShown = 0;
    entry.name = "line";
    EXPECT_EQ(InventoryLine(entry, "y = x"), "$ [hidden] line: y = x");
}

}  // namespace
}  // namespace quorlin::examples
