// Parser: error numbers for bad input, limits on length and nesting, the shapes of the trees
// it builds, and which letters it reads as names.
#include <gtest/gtest.h>

#include <string>

#include "formula/formula_context.h"
#include "formula/parser.h"

namespace quorlin {
namespace {

long double ValueOf(FormulaContext& ctx, const std::string& text) {
    EXPECT_EQ(ctx.Parse(text), 0) << text;
    NodePtr tree = ctx.TakeParseResult();
    if (!tree || !ctx.Evaluate(*tree)) return NAN;
    return tree->re;
}

TEST(Parser, ReportsTheErrorOfEachKindOfBadInput) {
    using namespace parse_error;
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"(1+2", kParentheses},
        {"1+2)", kParentheses},
        {"SIN(1", kParentheses},
        {"1+", kOperandMissing},
        {"*3", kOperandMissing},
        {"()", kOperandMissing},
        {"2^", kOperandMissing},
        {"SIN()", kArgumentMissing},
        {"MAX(1,)", kArgumentMissing},
        {"MAX(,1)", kArgumentMissing},
        {"SIN(1,2)", kTooManyArguments},
        {"MAX(1)", kArgumentCount},
        {"JOINX(1,2)", kArgumentCount},
        {"JOINX(1)", kArgumentCount},
        {"DERX(1.5,X^2)", kNotUsable},
        {"DERX(A,X^2)", kNotUsable},
        {"DERX(10,X)", kNotUsable},
        {"2$3", kUnexpectedCharacter},
        {"1;2", kUnexpectedCharacter},
        {"3#", kUnexpectedCharacter},
        {".", kUnexpectedCharacter},
        {"JOINA(1,2,3)", kUnknownName},
        {"DERQ(1,X)", kUnknownName},
        // A second decimal point is a typing error, not a product of two numbers.
        {"1.2.3", kUnexpectedCharacter},
        {"2..5", kUnexpectedCharacter},
        {"1E5.5", kUnexpectedCharacter},
    };
    FormulaContext ctx;
    for (const auto& c : cases) {
        EXPECT_EQ(ctx.Parse(c.text), c.error) << c.text;
        EXPECT_EQ(ctx.ParseResult(), nullptr) << c.text;
    }
}

TEST(Parser, EmptyTextGivesNineAndKeepsThePreviousResult) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("X+1"), 0);
    const TExprNode* before = ctx.ParseResult();
    EXPECT_EQ(ctx.Parse(""), 9);
    EXPECT_EQ(ctx.Parse("   "), 9);
    EXPECT_EQ(ctx.ParseResult(), before);
}

TEST(Parser, RefusesTextsLongerThanTheBufferInsteadOfCuttingThem) {
    FormulaContext ctx;
    std::string text = "1";
    while (text.size() < FormulaContext::kMaxFormulaLength) text += "+1";
    text.resize(FormulaContext::kMaxFormulaLength);
    if (text.back() == '+') text.back() = '1';
    EXPECT_EQ(ctx.Parse(text), 0);
    EXPECT_EQ(ctx.Parse(text + "+1"), parse_error::kTooLong);
    EXPECT_EQ(ctx.ParseResult(), nullptr);
}

TEST(Parser, DeepNestingEndsInAnErrorNotACrash) {
    // ParseFormula has no length limit of its own, so this reaches the nesting bound.
    FormulaContext ctx;
    for (const std::string& opener : {std::string("("), std::string("-"), std::string("SIN(")}) {
        std::string text;
        for (int i = 0; i < 5000; ++i) text += opener;
        text += "1";
        NodePtr tree;
        EXPECT_EQ(ParseFormula(ctx, text, tree), parse_error::kTooDeep) << opener;
        EXPECT_EQ(tree, nullptr);
    }
    std::string moderate(60, '(');
    moderate += "2" + std::string(60, ')');
    EXPECT_EQ(ValueOf(ctx, moderate), 2);
}

TEST(Parser, LowerCaseAndBlanksAreAccepted) {
    FormulaContext ctx;
    ctx.SetVar(slot::kX, 2.0L);
    EXPECT_EQ(ValueOf(ctx, "  sqrt ( x*8 ) "), 4);
    EXPECT_EQ(ValueOf(ctx, "Max(x, 3)"), 3);
    // A tab is a blank wherever it stands, also between a name and its parenthesis.
    EXPECT_EQ(ValueOf(ctx, "sqrt\t(x*8)\t+\t1"), 5);
}

TEST(Parser, NamesNeedTheirParenthesisElseLettersAreVariables) {
    FormulaContext ctx;
    ctx.SetVar('S' - '@', 2.0L);
    ctx.SetVar('I' - '@', 3.0L);
    ctx.SetVar('N' - '@', 5.0L);
    ctx.SetVar('A' - '@', 7.0L);
    EXPECT_EQ(ValueOf(ctx, "SIN"), 30);  // S*I*N
    EXPECT_EQ(ValueOf(ctx, "SI*N"), 30);
    EXPECT_NEAR(ValueOf(ctx, "ASIN(1)"), 1.5707963267948966, 1e-15);  // the longest name wins
    EXPECT_NEAR(ValueOf(ctx, "A*SIN(0.5)"), 7 * std::sin(0.5L), 1e-15);
    EXPECT_NEAR(ValueOf(ctx, "APIN"), 7 * 3.14159265358979323846L * 5, 1e-13);  // PI needs no (
}

TEST(Parser, ConstantsFoldTheirSign) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("-3"), 0);
    EXPECT_EQ(ctx.ParseResult()->op, op::kConst);
    EXPECT_EQ(ctx.ParseResult()->re, -3);
    ASSERT_EQ(ctx.Parse("-X"), 0);
    EXPECT_EQ(ctx.ParseResult()->op, op::kNegate);
    EXPECT_EQ(ctx.ParseResult()->Argument()->op, op::kVarX);
}

TEST(Parser, FunctionsKeepTheirArgumentInTheSecondChild) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("ABS(X)"), 0);
    const TExprNode* root = ctx.ParseResult();
    EXPECT_EQ(root->op, op::kAbs);
    EXPECT_EQ(root->child[0], nullptr);
    EXPECT_EQ(root->child[1]->op, op::kVarX);
    ASSERT_EQ(ctx.Parse("MIN(X,2)"), 0);
    EXPECT_EQ(ctx.ParseResult()->op, op::kMin);
    EXPECT_EQ(ctx.ParseResult()->Left()->op, op::kVarX);
    EXPECT_EQ(ctx.ParseResult()->Right()->re, 2);
}

TEST(Parser, JoinBecomesAChainOfPiecesOnItsVariable) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("JOINT(1,0,2,5,3)"), 0);
    const TExprNode* first = ctx.ParseResult();
    ASSERT_EQ(first->op, op::kJoin);
    EXPECT_EQ(first->aux, 'T');
    EXPECT_EQ(first->child[0]->re, 1);
    EXPECT_EQ(first->child[1]->re, 0);
    const TExprNode* second = first->child[2].get();
    ASSERT_EQ(second->op, op::kJoin);
    EXPECT_EQ(second->child[0]->re, 2);
    EXPECT_EQ(second->child[1]->re, 5);
    EXPECT_EQ(second->child[2]->re, 3);

    NodePtr tree = ctx.TakeParseResult();
    for (const auto& [t, expected] :
         {std::pair{-1.0L, 1.0L}, {0.0L, 2.0L}, {4.9L, 2.0L}, {5.0L, 3.0L}}) {
        long double value = 0;
        ASSERT_TRUE(ctx.EvalAtReal(*tree, slot::kT, t, value));
        EXPECT_EQ(value, expected) << static_cast<double>(t);
    }
}

TEST(Parser, DerivativeOfYInXIsTheStateOfADerxEquation) {
    FormulaContext ctx;
    ASSERT_EQ(ctx.Parse("DERX(2,Y)+3DERX(0,Y)"), 0);
    NodePtr tree = ctx.TakeParseResult();
    ASSERT_EQ(tree->Left()->op, op::kDerivState);
    EXPECT_EQ(tree->Left()->aux, 2);
    ctx.derivState[0] = 10;
    ctx.derivState[2] = 0.5L;
    ASSERT_TRUE(ctx.Evaluate(*tree));
    EXPECT_EQ(tree->re, 30.5L);
}

TEST(Parser, DerivativeFormDifferentiatesSymbolically) {
    FormulaContext ctx;
    ctx.SetVar(slot::kX, 0.3L);
    EXPECT_NEAR(ValueOf(ctx, "DERX(1,X^3)"), 3 * 0.09, 1e-17);
    EXPECT_NEAR(ValueOf(ctx, "DERX(2,SIN(X))"), -std::sin(0.3L), 1e-17);
    EXPECT_NEAR(ValueOf(ctx, "DERX(0,X^3)"), 0.027L, 1e-17);
}

TEST(Parser, ScientificNotationOnlyWhereDigitsFollowTheE) {
    FormulaContext ctx;
    EXPECT_EQ(ValueOf(ctx, "1E-12"), 1e-12L);
    EXPECT_EQ(ValueOf(ctx, "25E2"), 2500);
    const long double e = std::exp(1.0L);
    EXPECT_EQ(ValueOf(ctx, "2E+1"), 20);
    ctx.SetVar(slot::kX, 1.0L);
    EXPECT_NEAR(ValueOf(ctx, "2E+X"), 2 * e + 1, 1e-17);
    EXPECT_NEAR(ValueOf(ctx, "2E"), 2 * e, 1e-17);
}

}  // namespace
}  // namespace quorlin
