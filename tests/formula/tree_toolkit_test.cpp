// Tree toolkit: deep copies, substitutions and renamings, checked by the values of the
// rewritten trees and by the independence of copies from their originals.
#include <gtest/gtest.h>

#include "formula_support.h"

namespace quorlin {
namespace {

class TreeToolkit : public testing_support::FormulaTest {
protected:
    long double At(TExprNode& tree, int slotIndex, long double x) {
        long double value = NAN;
        EXPECT_TRUE(ctx.EvalAtReal(tree, slotIndex, x, value));
        return value;
    }
};

TEST_F(TreeToolkit, CopyIsDeepAndIndependent) {
    NodePtr tree = Parse("JOINX(X^2,1,SIN(X))");
    NodePtr copy = TExprNode::CopyTree(tree.get());
    EXPECT_EQ(TExprNode::CountNodes(copy.get()), TExprNode::CountNodes(tree.get()));
    EXPECT_EQ(copy->aux, 'X');
    TExprNode::RenameOp(copy.get(), op::kVarX, op::kVarT);
    EXPECT_TRUE(TExprNode::ContainsOp(tree.get(), op::kVarX));
    EXPECT_FALSE(TExprNode::ContainsOp(copy.get(), op::kVarX));
    EXPECT_EQ(TExprNode::CopyTree(nullptr), nullptr);
    TExprNode::FreeTree(copy);
    EXPECT_EQ(copy, nullptr);
    TExprNode::FreeTree(copy);  // null is allowed
}

TEST_F(TreeToolkit, SubstitutionsByTreesConstantsAndOperations) {
    NodePtr tree = Parse("X^2+3X");
    NodePtr replacement = Parse("T+1");
    NodePtr made = TExprNode::MakeSubstituted(tree.get(), op::kVarX, *replacement);
    EXPECT_TRUE(TExprNode::ContainsOp(tree.get(), op::kVarX));  // the input stays
    EXPECT_EQ(At(*made, slot::kT, 2), 9 + 9);
    TExprNode::SubstituteVar(tree, op::kVarX, *replacement);
    EXPECT_EQ(At(*tree, slot::kT, 1), 4 + 6);
    NodePtr leaf = TExprNode::NewOp(op::kVarX);  // a substituted root is replaced whole
    TExprNode::SubstituteVar(leaf, op::kVarX, *replacement);
    EXPECT_EQ(leaf->op, op::kPlus);

    NodePtr product = Parse("X*Y+X");
    TExprNode::ReplaceVarByConst(product.get(), op::kVarX, 3);
    EXPECT_EQ(At(*product, slot::kY, 2), 9);
    TExprNode::SubstituteVarByOp(product.get(), op::kVarY, op::kVarZ);
    EXPECT_EQ(At(*product, slot::kZ, 4), 15);
    EXPECT_EQ(TExprNode::CheckNoXY(product.get()), 0);
    EXPECT_EQ(TExprNode::CheckNoXY(Parse("Z+Y").get()), 6);
}

TEST_F(TreeToolkit, RenameAndShiftMoveJoinBoundariesAlong) {
    NodePtr tree = Parse("JOINX(X,0,2X)");
    TExprNode::RenameXToT(tree.get());
    EXPECT_EQ(tree->aux, 'T');
    ctx.SetVar(slot::kX, 100.0L);  // X no longer matters
    EXPECT_EQ(At(*tree, slot::kT, -3), -3);
    EXPECT_EQ(At(*tree, slot::kT, 3), 6);

    // f(x) = x^2 left of 1, 10 - x right of it; f(x - 2) switches at 3.
    NodePtr shifted = Parse("JOINX(X^2,1,10-X)");
    TExprNode::ShiftVar(shifted, op::kVarX, 2);
    EXPECT_EQ(At(*shifted, slot::kX, 2.5L), 0.25L);
    EXPECT_EQ(At(*shifted, slot::kX, 3.5L), 8.5L);
}

TEST_F(TreeToolkit, NegateAndInit) {
    NodePtr c = TExprNode::NewConst(2.5L);
    TExprNode::NegateInPlace(c);
    EXPECT_EQ(c->op, op::kConst);  // a constant just changes sign
    EXPECT_EQ(c->re, -2.5L);
    NodePtr tree = Parse("X+1");
    TExprNode::NegateInPlace(tree);
    EXPECT_EQ(At(*tree, slot::kX, 1), -2);
    TExprNode::InitWithAux(*tree, op::kJoin, 'T');
    EXPECT_EQ(tree->child[1], nullptr);
    TExprNode::Init(*tree, op::kConst, 4);
    EXPECT_EQ(tree->aux, 0);
    EXPECT_EQ(At(*tree, slot::kX, 0), 4);
}

}  // namespace
}  // namespace quorlin
