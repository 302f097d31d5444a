// Simplification: the identities shrink trees, constant folding gives exactly the evaluated
// constant, and no tree of a corpus changes its value at any point where it was defined.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "formula/simplify.h"
#include "formula_support.h"

namespace quorlin {
namespace {

class SimplifyTest : public testing_support::FormulaTest {
protected:
    NodePtr Simplified(const char* text) {
        NodePtr tree = Parse(text);
        ctx.Simplify(tree);
        return tree;
    }
};

TEST_F(SimplifyTest, NeverChangesAValueWhereTheTreeWasDefined) {
    const auto corpus = testing_support::Words(
        "X+0 0+X X*1 1*X 0*X+Y X^1 X^0+Y -(-X) 2*3+X SIN(PI/2)*X (X+0)*(1*Y) X-0 0-X X/1 0/X 1^X "
        "X/(-1) -X*-Y 2*(3*(4*X)) LN(X)*0+Z SQRT(X)*1 (X-Y)^2*1 X^(2-1)*Y^0 -(0-X) "
        "(1+1)^X-X^(1+1) EXP(0)*X/Y A*0+A*X JOINX(X*1,0,X^1+0) ABS(-(-(X)))/1 X^0.5*0+SQRT(Y)");
    std::mt19937 generator(777u);
    std::uniform_real_distribution<long double> coordinate(-5.0L, 5.0L);
    ctx.SetVar(1, 0.75L);  // A
    for (const auto& text : corpus) {
        NodePtr original = Parse(text);
        NodePtr simplified = TExprNode::CopyTree(original.get());
        ctx.Simplify(simplified);
        int defined = 0;
        for (int i = 0; i < 60; ++i) {
            const long double x = coordinate(generator);
            const long double y = coordinate(generator);
            const long double z = coordinate(generator);
            const long double before = At(original, x, y, z);
            if (std::isnan(before)) continue;
            ++defined;
            const long double after = At(simplified, x, y, z);
            EXPECT_NEAR(after, before, 1e-17L * (1 + std::fabs(before))) << text;
        }
        EXPECT_GT(defined, 0) << text;
    }
}

TEST_F(SimplifyTest, IdentitiesLeaveTheSmallestTree) {
    struct Case {
        const char* text;
        int nodes;
    };
    const Case cases[] = {{"X+0", 1},         {"0+X", 1},  {"X*1", 1},   {"1*X", 1},
                          {"X-0", 1},         {"X^1", 1},  {"-(-X)", 1}, {"X/1", 1},
                          {"0*X", 1},         {"X^0", 1},  {"0-X", 2},   {"2*(3*(4*X))", 3},
                          {"(X+0)*(1*Y)", 3}, {"-X*-Y", 3}};
    // That the smaller tree keeps the value is the test above.
    for (const Case& c : cases)
        EXPECT_EQ(TExprNode::CountNodes(Simplified(c.text).get()), c.nodes) << c.text;
}

TEST_F(SimplifyTest, FoldedConstantsAreExactlyTheEvaluatedValues) {
    for (const char* text : {"2*3+4", "SIN(PI/6)", "EXP(1)/3", "2^0.5", "LN(10)*COS(1)-1/7"}) {
        NodePtr folded = Simplified(text);
        EXPECT_EQ(folded->op, op::kConst) << text;
        EXPECT_EQ(folded->re, testing_support::ValueOf(ctx, text)) << text;
    }
    // Constant parts fold inside a tree that still depends on X; a parameter can move with its
    // slider, so it stays a letter.
    NodePtr mixed = Simplified("X*(2+3)+SQRT(16)");
    EXPECT_EQ(TExprNode::CountNodes(mixed.get()), 5);
    EXPECT_EQ(At(mixed, 2), 14);
    NodePtr parameter = Simplified("A*2+0*X");
    ctx.SetVar(1, 5.0L);
    EXPECT_EQ(At(parameter, 0), 10);
    // SQRT(-4) has no real value: in real mode it stays, in complex mode it folds to 2i.
    EXPECT_TRUE(TExprNode::ContainsOp(Simplified("SQRT(-4)+X").get(), op::kSqrt));
    ctx.complexMode = true;
    NodePtr complex = Simplified("SQRT(-4)");
    EXPECT_EQ(Complex(complex->re, complex->im), Complex(0, 2));
}

TEST_F(SimplifyTest, ANegatedRealConstantStaysOnTheUpperSideOfTheCuts) {
    // 0-4 folds to -4 + 0i, never -4 - 0i: SQRT of it is 2i, as before the simplification.
    ctx.complexMode = true;
    ctx.SetVar(slot::kX, 1.0L);
    for (const char* text : {"SQRT(0-4)*X", "SQRT(-1*4)*X", "LN(0-4)*X"}) {
        NodePtr original = Parse(text);
        NodePtr simplified = Simplified(text);
        ASSERT_TRUE(ctx.Evaluate(*original) && ctx.Evaluate(*simplified)) << text;
        EXPECT_EQ(simplified->im, original->im) << text;
        EXPECT_GT(simplified->im, 0.0L) << text;
    }
}

TEST_F(SimplifyTest, ATreeDefinedNowhereIsLeftAloneAndTheVariablesAreRestored) {
    // 0 * LN(...) would become 0, giving a value to a formula that has none.
    NodePtr tree = Parse("0*LN(-1-X^2-Y^2)");
    const int nodes = TExprNode::CountNodes(tree.get());
    At(Parse("1"), 1.5L, -2.5L, 3.5L);
    const TVariableTable before = ctx.vars;
    ctx.Simplify(tree);
    EXPECT_EQ(TExprNode::CountNodes(tree.get()), nodes);
    EXPECT_EQ(ctx.vars, before);
    NodePtr none;
    ctx.Simplify(none);
    EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace quorlin
