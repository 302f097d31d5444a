// Edits of formula texts: equations split into one side, variables marked and replaced, and
// X, Y, Z substituted, never inside a name.
#include <gtest/gtest.h>

#include "formula/formula_text.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using FormulaText = testing_support::FormulaTest;

TEST_F(FormulaText, SplitEquationNeedsSomethingAfterTheEqualsSign) {
    std::string out = "unchanged";
    EXPECT_TRUE(SplitEquation(out, "X^2+Y^2=4"));
    EXPECT_EQ(out, "4-(X^2+Y^2)");
    out = "unchanged";
    EXPECT_FALSE(SplitEquation(out, "X^2="));
    EXPECT_FALSE(SplitEquation(out, "X^2"));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(SplitEquation(out, "=Y"));
    EXPECT_EQ(out, "Y-()");
}

TEST_F(FormulaText, MarksOnlyStandaloneLetters) {
    ASSERT_EQ(ctx.DefineUserFunction("TAX", "X", 1), userfn::kDone);
    std::string text = "EXP(x)+MAX(X,2)+TAX(X)+1E-5X+JOINX(X,0,1)+XPI";
    MarkVariableInText(ctx, text, 'X');
    EXPECT_EQ(text, "EXP(\x01)+MAX(\x01,2)+TAX(\x01)+1E-5\x01+JOINX(\x01,0,1)+\x01PI");
    ReplaceMarkedVariable(text, "(T+1)", 255);
    EXPECT_EQ(text, "EXP((T+1))+MAX((T+1),2)+TAX((T+1))+1E-5(T+1)+JOINX((T+1),0,1)+(T+1)PI");
    std::string shortText = "X+X";
    MarkVariableInText(ctx, shortText, 'x');
    ReplaceMarkedVariable(shortText, "LONG", 6);
    EXPECT_EQ(shortText, "LONG+L");
}

TEST_F(FormulaText, SubstituteXYZKeepsNamesAndFitsTheBuffer) {
    std::string text = "EXP(X)*Y+Z^2";
    ASSERT_TRUE(SubstituteXYZInText(ctx, text, 256, "T", "", "U+1"));
    EXPECT_EQ(text, "EXP((T))*Y+(U+1)^2");
    std::string tight = "X+X";
    EXPECT_FALSE(SubstituteXYZInText(ctx, tight, 8, "AB", "", ""));
    EXPECT_EQ(tight, "X+X");
    EXPECT_TRUE(SubstituteXYZInText(ctx, tight, 10, "AB", "", ""));
    EXPECT_EQ(tight, "(AB)+(AB)");

    // The substituted text means what the parts mean.
    ASSERT_EQ(ctx.Parse(text), 0);
    NodePtr tree = ctx.TakeParseResult();
    ctx.SetVar(slot::kT, 0.0L);
    ctx.SetVar(slot::kY, 3.0L);
    ctx.SetVar(slot::kU, 1.0L);
    ASSERT_TRUE(ctx.Evaluate(*tree));
    EXPECT_EQ(tree->re, 3 + 4);
}

}  // namespace
}  // namespace quorlin
