// Edits of formula texts: equations split into one side, variables marked and replaced, X, Y,
// Z and any letter ('@' too) substituted, never inside a name or a number's exponent, the
// letters a text uses listed, and the calls of user functions written out with their bodies so
// that the text means the same without the functions (nested calls, arguments that hold
// commas, calls and X; bodies with letters of their own), refused for bodies whose JOIN or DER
// would not follow the argument, and for texts that would not fit, or such calls left to a
// handler; the letters of a text's forms; calls renamed, never a letter or another name.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "formula/formula_text.h"
#include "formula/parser.h"
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

TEST_F(FormulaText, AnyLetterIsSubstitutedAtItsSlot) {
    std::array<std::string, slot::kNamedCount> values;
    values[slot::kAt] = "-0.5";
    values[1] = "3";            // A
    values[slot::kE] = "2.25";  // E, never the exponent of a number
    values[23] = "1.5E-3";      // W
    std::string text = "A*@+2E/4+1E-5A+EXP(W)+WAX(X)+MAX(A,@)";
    ASSERT_EQ(ctx.DefineUserFunction("WAX", "X", 1), userfn::kDone);
    ASSERT_TRUE(SubstituteLettersInText(ctx, text, 256, values));
    EXPECT_EQ(text, "(3)*(-0.5)+2(2.25)/4+1E-5(3)+EXP((1.5E-3))+WAX(X)+MAX((3),(-0.5))");
    ctx.SetVar(slot::kX, 0.75L);
    EXPECT_NEAR(static_cast<double>(testing_support::ValueOf(ctx, text)),
                static_cast<double>(-1.5L + 1.125L + 3e-5L + std::exp(1.5e-3L) + 0.75L + 3), 1e-15);
    // A table that stops early leaves the letters past it; a text that would not fit stays.
    std::string shortTable = "A+Z";
    ASSERT_TRUE(SubstituteLettersInText(ctx, shortTable, 256, std::span(values).first(2)));
    EXPECT_EQ(shortTable, "(3)+Z");
    std::string tight = "A+A";
    EXPECT_FALSE(SubstituteLettersInText(ctx, tight, 7, values));
    EXPECT_EQ(tight, "A+A");
    EXPECT_TRUE(SubstituteLettersInText(ctx, tight, 8, values));
    EXPECT_EQ(tight, "(3)+(3)");
}

TEST_F(FormulaText, TheLettersOfATextEachOnceInTheirOrder) {
    ASSERT_EQ(ctx.DefineUserFunction("BAX", "X", 1), userfn::kDone);
    EXPECT_EQ(VariableSlotsInText(ctx, "c*@+EXP(x)+1E-5B+BAX(T)+C+PI*w"),
              (std::vector<int>{3, slot::kAt, slot::kX, 2, slot::kT, 23}));
    EXPECT_EQ(VariableSlotsInText(ctx, "2.5E+3+SIN(1)"), std::vector<int>{});
}

// The functions of the rows: DBL(X) = 2X, HYP(X, Y) = SQRT(X^2 + Y^2) + C, VOL(X, Y, Z) =
// X*Y*Z - A, and OUT(X) = DBL(X) + HYP(X, 1) calling two others.
class InlinedCalls : public testing_support::FormulaTest {
protected:
    InlinedCalls() {
        EXPECT_EQ(ctx.DefineUserFunction("DBL", "2*X", 1), userfn::kDone);
        EXPECT_EQ(ctx.DefineUserFunction("HYP", "SQRT(X^2+Y^2)+C", 2), userfn::kDone);
        EXPECT_EQ(ctx.DefineUserFunction("VOL", "X*Y*Z-A", 3), userfn::kDone);
        EXPECT_EQ(ctx.DefineUserFunction("OUT", "DBL(X)+HYP(X,1)", 1), userfn::kDone);
    }
    // The value of the text at x in a context whose letters A, C and Y hold the values here.
    static long double ValueWithout(std::string_view text, long double x) {
        FormulaContext bare;
        bare.SetVar(1, -1.25L);  // A
        bare.SetVar(3, 0.375L);  // C
        bare.SetVar(slot::kY, 2.5L);
        bare.SetVar(slot::kX, x);
        return testing_support::ValueOf(bare, text);
    }
};

TEST_F(InlinedCalls, TheWrittenOutTextMeansWhatTheCallsMeant) {
    struct Row {
        const char* text;
        const char* written;
    };
    const Row rows[] = {
        {"dbl(x)+1", "(2*(x))+1"},
        {"-DBL(x)^2", "-(2*(x))^2"},
        {"HYP(MAX(x,1), y)", "(SQRT((MAX(x,1))^2+( y)^2)+C)"},
        {"VOL(x,DBL(x+1),3)", "((x)*((2*(x+1)))*(3)-A)"},
        {"OUT(2x)", "((2*((2x)))+(SQRT(((2x))^2+(1)^2)+C))"},
        {"DBL ( DBL(x) )", "(2*( (2*(x)) ))"},
        {"SIN(x)+2", "SIN(x)+2"},
    };
    ctx.SetVar(1, -1.25L);
    ctx.SetVar(3, 0.375L);
    ctx.SetVar(slot::kY, 2.5L);
    for (const Row& row : rows) {
        std::string text = row.text;
        ASSERT_EQ(InlineUserFunctionsInText(ctx, text, 256), 0) << row.text;
        EXPECT_EQ(text, row.written);
        for (const long double x : {-0.75L, 1.5L, 3.25L}) {
            ctx.SetVar(slot::kX, x);
            EXPECT_NEAR(static_cast<double>(ValueWithout(text, x)),
                        static_cast<double>(testing_support::ValueOf(ctx, row.text)), 1e-15)
                << row.text << " at " << static_cast<double>(x);
        }
    }
}

TEST_F(InlinedCalls, FormsThatWouldNotFollowTheArgumentAndTextsThatDoNotFitAreRefused) {
    ASSERT_EQ(ctx.DefineUserFunction("SLOPE", "DERX(1,X^3)", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("STEPS", "JOINX(0,1,X)", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("VIA", "SLOPE(X)+1", 1), userfn::kDone);
    struct Row {
        std::string text;
        std::size_t size;
        int error;
    };
    const Row rows[] = {
        {"SLOPE(2x)", 256, parse_error::kNotUsable},
        {"STEPS(x)", 256, parse_error::kNotUsable},
        {"1+VIA(x)", 256, parse_error::kNotUsable},
        {"HYP(x)", 256, parse_error::kArgumentCount},
        {"DBL(x,1)", 256, parse_error::kArgumentCount},
        {"DBL(x", 256, parse_error::kParentheses},
        {"DBL(x)", 7, parse_error::kTooLong},  // "(2*(x))" takes 7 characters and the end
        {"DBL(x)", 8, 0},
        // The direct forms stay as written: only a body's forms would change their variable.
        {"DERX(1,x^3)+JOINX(0,1,x)", 256, 0},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        EXPECT_EQ(InlineUserFunctionsInText(ctx, text, row.size), row.error) << row.text;
        if (row.error != 0) EXPECT_EQ(text, row.text);
    }
    // Calls within calls: 2^8 copies of the argument do not fit.
    ASSERT_EQ(ctx.DefineUserFunction("TWOA", "X+X", 1), userfn::kDone);
    for (const char* name : {"TWOB", "TWOC", "TWOD", "TWOE", "TWOF", "TWOG", "TWOH"}) {
        const std::string last = std::string("TWO") + static_cast<char>(name[3] - 1);
        ASSERT_EQ(ctx.DefineUserFunction(name, last + "(X)+" + last + "(X)", 1), userfn::kDone);
    }
    std::string text = "TWOH(x)";
    EXPECT_EQ(InlineUserFunctionsInText(ctx, text, 256), parse_error::kTooLong);
    EXPECT_EQ(text, "TWOH(x)");
}

// A handler takes the calls of the functions whose bodies hold a form, once each time they are
// met, callees within written-out bodies too: such a call stays as written, its arguments
// written out.
TEST_F(InlinedCalls, CallsOfBodiesWithFormsGoToTheHandlerAndStay) {
    ASSERT_EQ(ctx.DefineUserFunction("SLOPE", "DERX(1,X^3)", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("VIA", "SLOPE(X)+1", 1), userfn::kDone);
    struct Row {
        const char* text;
        const char* written;
        std::vector<std::string> handled;
    };
    const Row rows[] = {
        {"slope(DBL(x))", "slope((2*(x)))", {"SLOPE"}},
        {"VIA(x)+DBL(SLOPE(x))", "(SLOPE((x))+1)+(2*(SLOPE(x)))", {"SLOPE", "SLOPE"}},
        {"DBL(x)", "(2*(x))", {}},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        std::vector<std::string> handled;
        const auto handle = [&handled](const UserFunction& f) {
            handled.push_back(f.name);
            return 0;
        };
        ASSERT_EQ(InlineUserFunctionsInText(ctx, text, 256, handle), 0) << row.text;
        EXPECT_EQ(text, row.written);
        EXPECT_EQ(handled, row.handled) << row.text;
    }
    // The handler's error ends the writing, the text unchanged; so does a wrong call.
    std::string text = "DBL(x)+SLOPE(x)";
    EXPECT_EQ(InlineUserFunctionsInText(ctx, text, 256, [](const UserFunction&) { return 20; }),
              20);
    EXPECT_EQ(text, "DBL(x)+SLOPE(x)");
    text = "SLOPE(x,1)";
    EXPECT_EQ(InlineUserFunctionsInText(ctx, text, 256, [](const UserFunction&) { return 0; }),
              parse_error::kArgumentCount);
}

TEST_F(InlinedCalls, TheLettersOfTheFormsEachOnce) {
    const std::pair<const char*, const char*> rows[] = {
        {"DERX(1,X^3)+JOINT(0,1,X)+derx(2,x)", "XT"},
        {"DBL(x)+DERU(1,U)", "U"},
        {"DERX+JOINR", ""},  // no '(': letters
        {"SIN(X)", ""},
    };
    for (const auto& [text, letters] : rows) EXPECT_EQ(FormVariablesInText(ctx, text), letters);
}

// The forms on one variable become the forms on another; the forms on other variables, the
// names without '(' (letters) and the other names stay.
TEST_F(InlinedCalls, TheFormsOnAVariableAreWrittenOnAnother) {
    const std::pair<const char*, const char*> rows[] = {
        {"DERX(1,x^3)/3+JOINX (0,1,x)", "DERU(1,x^3)/3+JOINU (0,1,x)"},
        {"derx(2,DBL(x))-DERT(1,x*T)", "deru(2,DBL(x))-DERT(1,x*T)"},
        {"DERX+JOINX*EXP(x)+MAX(x,1)", "DERX+JOINX*EXP(x)+MAX(x,1)"},
    };
    for (const auto& [text, renamed] : rows) {
        std::string out = text;
        RenameFormVariableInText(ctx, out, 'X', 'U');
        EXPECT_EQ(out, renamed);
    }
}

TEST_F(InlinedCalls, CallsAreRenamedNeverLettersOrOtherNames) {
    const UserFunctionRenames names{{"DBL", "DBLA"}, {"OUT", "OUTER"}};
    struct Row {
        const char* text;
        std::size_t size;
        bool fits;
        const char* renamed;
    };
    const Row rows[] = {
        {"dbl(x)+DBL (x)+OUT(HYP(x,1))", 256, true, "DBLA(x)+DBLA (x)+OUTER(HYP(x,1))"},
        {"DBL+D*B*L(x)+2E-3DBL(x)", 256, true, "DBL+D*B*L(x)+2E-3DBLA(x)"},
        {"DBL(x)", 8, true, "DBLA(x)"},
        {"DBL(x)", 7, false, "DBL(x)"},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        EXPECT_EQ(RenameUserFunctionCalls(ctx, text, row.size, names), row.fits) << row.text;
        EXPECT_EQ(text, row.renamed);
    }
}

}  // namespace
}  // namespace quorlin
