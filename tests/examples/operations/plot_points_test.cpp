// Plot-points examples follow their parent: values from their text, the parent's range and
// trees, refreshed after the parent changed.
#include <gtest/gtest.h>

#include "examples/operations/plot_points.h"

#include <utility>

#include "core/errors.h"
#include "examples/records/derivation.h"
#include "formula/formula_context.h"

namespace quorlin::examples {
namespace {

TEST(PlotPointsTest, FollowsItsParent) {
    TInventory inventory;
    FormulaContext formulas;
    TExample parent;
    parent.Init(kind::kExplicit, 4, 50);
    parent.rangeLow[0] = -1, parent.rangeHigh[0] = 2;
    parent.Tree(1) = TExprNode::NewOp(op::kVarX);
    parent.Tree(2) = TExprNode::NewConst(3);
    inventory.Append(std::move(parent));

    const int i = AppendPlotPointsExample(inventory, 0, "0.5 1.5", 4, 7);
    ASSERT_EQ(i, 1);
    const TExample& points = inventory[i];
    ASSERT_TRUE(points.Tree(2));
    EXPECT_EQ(
        std::tuple(points.derivation, points.PlotPointCount(), points.PlotPointVariable(),
                   points.rangeHigh[0], points.pen.width, points.pen.colour, points.Tree(2)->re),
        std::tuple(derived::kPlotPoints, 2, slot::kX, 2, 4, 7, 3));

    inventory[0].Tree(2) = TExprNode::NewConst(5);
    inventory[i].Text(4) = "no numbers";
    ASSERT_TRUE(RebuildPlotPointsExample(inventory, i));
    EXPECT_EQ(std::tuple(inventory[i].Tree(2)->re, inventory[i].PlotPointCount()),
              std::tuple(5, 0));

    inventory.SetCapacity(1, true);
    EXPECT_EQ(AppendPlotPointsExample(inventory, 0, "1", 2, 7), -1);
}

// A typed list is plain numbers apart: anything else is refused whole, never read in part.
TEST(PlotPointsTest, ATypedListIsPlainNumbersOrRefused) {
    const std::pair<const char*, int> rows[] = {
        {"-1, 0.5 2", kNoError},         {" 3;-0.25\t7 ", kNoError},
        {".5,-.75", kNoError},           {"pi/2", kErrCannotUnderstand},
        {"abc(", kErrCannotUnderstand},  {"1 2x", kErrCannotUnderstand},
        {"1e5", kErrCannotUnderstand},   {"+3", kErrCannotUnderstand},
        {"1.2.3", kErrCannotUnderstand}, {"4-5", kErrCannotUnderstand},
        {"2, -", kErrCannotUnderstand},  {"", kErrCannotUnderstand},
        {" ,; ", kErrCannotUnderstand},
    };
    for (const auto& [text, result] : rows) EXPECT_EQ(CheckPlotPointList(text), result) << text;
}

}  // namespace
}  // namespace quorlin::examples
