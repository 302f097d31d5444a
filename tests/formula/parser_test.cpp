// Parser: limits on length and nesting, what a failure leaves, and the nodes it builds that
// only their users read (folded signs, derivative states). The error of each kind of bad
// input and the values of well-formed texts (names, letters, blanks, exponents) are rows of
// cases.txt.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "formula/parser.h"
#include "formula_fuzz_entry.h"
#include "formula_support.h"
#include "support/test_paths.h"

namespace quorlin {
namespace {

using Parser = testing_support::FormulaTest;

TEST_F(Parser, EmptyTextKeepsThePreviousResultAndAnErrorLeavesNone) {
    ASSERT_EQ(ctx.Parse("X+1"), 0);
    const TExprNode* before = ctx.ParseResult();
    EXPECT_EQ(ctx.Parse(""), 9);
    EXPECT_EQ(ctx.Parse("   "), 9);
    EXPECT_EQ(ctx.ParseResult(), before);
    EXPECT_EQ(ctx.Parse("SIN(1"), parse_error::kParentheses);
    EXPECT_EQ(ctx.ParseResult(), nullptr);
}

TEST_F(Parser, RefusesTextsLongerThanTheBufferInsteadOfCuttingThem) {
    std::string text = "1";
    while (text.size() < FormulaContext::kMaxFormulaLength) text += "+1";
    text.resize(FormulaContext::kMaxFormulaLength);
    if (text.back() == '+') text.back() = '1';
    EXPECT_EQ(ctx.Parse(text), 0);
    EXPECT_EQ(ctx.Parse(text + "+1"), parse_error::kTooLong);
    EXPECT_EQ(ctx.ParseResult(), nullptr);
}

TEST_F(Parser, DeepNestingEndsInAnErrorNotACrash) {
    // ParseFormula has no length limit of its own, so this reaches the nesting bound.
    for (const std::string& opener : {std::string("("), std::string("-"), std::string("SIN(")}) {
        std::string text;
        for (int i = 0; i < 5000; ++i) text += opener;
        NodePtr tree;
        EXPECT_EQ(ParseFormula(ctx, text + "1", tree), parse_error::kTooDeep) << opener;
        EXPECT_EQ(tree, nullptr);
    }
    EXPECT_EQ(testing_support::ValueOf(ctx, std::string(60, '(') + "2" + std::string(60, ')')), 2);
}

TEST_F(Parser, AFuzzedTextOfDerivativeFormsEndsInItsError) {
    // Once it took most of a second; the fuzz target's whole run of it now takes little.
    const auto bytes = testing::ReadFileBytes(testing::TestDataPath("formula/repro/formula-1.bin"));
    ASSERT_GT(bytes.size(), 1u);
    EXPECT_EQ(RunFormulaFuzzInput(bytes.data(), bytes.size()), 0);
    const std::string text(bytes.begin() + 1, bytes.end());
    EXPECT_EQ(ctx.Parse(text), parse_error::kArgumentMissing);  // DIGAMMA without "("
}

TEST_F(Parser, ConstantsFoldTheirSign) {
    ASSERT_EQ(ctx.Parse("-3"), 0);
    EXPECT_EQ(ctx.ParseResult()->op, op::kConst);
    EXPECT_EQ(ctx.ParseResult()->re, -3);
    ASSERT_EQ(ctx.Parse("-X"), 0);
    EXPECT_EQ(ctx.ParseResult()->op, op::kNegate);
}

TEST_F(Parser, DerivativeOfYInXIsTheStateOfADerxEquation) {
    ASSERT_EQ(ctx.Parse("DERX(2,Y)+3DERX(0,Y)"), 0);
    NodePtr tree = ctx.TakeParseResult();
    ASSERT_EQ(tree->Left()->op, op::kDerivState);
    EXPECT_EQ(tree->Left()->aux, 2);
    ctx.derivState[0] = 10;
    ctx.derivState[2] = 0.5L;
    ASSERT_TRUE(ctx.Evaluate(*tree));
    EXPECT_EQ(tree->re, 30.5L);
}

}  // namespace
}  // namespace quorlin
