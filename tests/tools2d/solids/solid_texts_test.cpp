// A solid's text made to stand alone: the letters it uses written in with their values (the
// shortest numbers that read back exactly; '@', E, T and U too), the calls of user functions
// written out with their bodies and the bodies' own letters, the letters it follows left as
// letters; a function whose body holds a JOIN or DER form carried into the 3D window's table
// instead, its body standing alone too, under its own name or the first numbered name free
// there or holding the very same function. The result means in a window without those letters
// and functions what the text means in the plane window. A form on a letter that is written
// in, a letter without a finite value, a text or body that would not fit and a table without
// room are refused, the text and the table left as they were.
#include "tools2d/solids/solid_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/errors.h"
#include "formula/parser.h"

namespace quorlin::tools2d {
namespace {

constexpr int kA = 1;
constexpr int kC = 3;
constexpr int kK = 11;
constexpr int kW = 23;

// The value of a text at x, in the context; NaN where it has none.
long double ValueAt(FormulaContext& formulas, const std::string& text, long double x) {
    formulas.SetVar(slot::kX, x);
    if (formulas.Parse(text) != kNoError) return NAN;
    NodePtr tree = formulas.TakeParseResult();
    return tree && formulas.Evaluate(*tree) ? tree->re : NAN;
}

class SolidTextsTest : public ::testing::Test {
protected:
    SolidTextsTest() {
        plane.SetVar(kA, 3);
        plane.SetVar(kC, -0.375L);
        plane.SetVar(kK, 0.5L);
        plane.SetVar(kW, 1.0L / 3);
        plane.SetVar(slot::kAt, -2.5L);
        plane.SetVar(slot::kT, 1.5e-7L);
        plane.SetVar(slot::kU, -4e12L);
        EXPECT_EQ(plane.DefineUserFunction("DBL", "2*X", 1), userfn::kDone);
        EXPECT_EQ(plane.DefineUserFunction("TRI", "C*X+DBL(X)", 1), userfn::kDone);
        EXPECT_EQ(plane.DefineUserFunction("SLOPE", "DERX(1,X^3)", 1), userfn::kDone);
        EXPECT_EQ(plane.DefineUserFunction("STEEP", "DERX(1,TRI(X)^2)+A", 1), userfn::kDone);
        EXPECT_EQ(plane.DefineUserFunction("OUTER", "JOINX(SLOPE(X),1,W)", 1), userfn::kDone);
        EXPECT_EQ(plane.DefineUserFunction("VIA", "SLOPE(X)+K", 1), userfn::kDone);
        // The 3D window: K as the solid's slider sets it, the other letters otherwise.
        space.SetVar(kK, 0.5L);
        space.SetVar(kA, -9);
        space.SetVar(slot::kT, 0.25L);
    }
    // The text stood alone, settled in `space`, renamed and its functions added there.
    int Carried(std::string& text, std::span<const int> kept, TCarriedFunctions& carried) {
        carried = TCarriedFunctions(plane, kept);
        if (const int error = carried.StandAlone(text, 256)) return error;
        if (const int error = carried.Settle(space)) return error;
        if (const int error = carried.Rename(text, 256)) return error;
        return carried.AddTo(space);
    }
    FormulaContext plane;
    FormulaContext space;
};

TEST_F(SolidTextsTest, TheTextReadsInSpaceAsItReadsInThePlane) {
    struct Row {
        const char* text;
        std::vector<int> kept;
        const char* written;
        std::vector<std::string> carried;  // name (X) = body, as the 3D window lists them
    };
    const Row rows[] = {
        {"A*x+@", {}, "(3)*x+(-2.5)", {}},
        {"tri(x)+W", {}, "((-0.375)*(x)+(2*((x))))+(0.33333333333333333334)", {}},
        {"K*x+A", {kK}, "K*x+(3)", {}},
        {"K*x+A", {}, "(0.5)*x+(3)", {}},
        {"T*x+U", {}, "(1.5e-7)*x+(-4000000000000)", {}},
        {"2E", {}, "2(2.7182818284590452354)", {}},
        {"1E-3*x", {}, "1E-3*x", {}},
        // A negative value keeps its sign under a power, a minus and a product: C^2 is
        // 0.140625, not -0.140625.
        {"C^2+x", {}, "(-0.375)^2+x", {}},
        {"ABS(x)^C-C", {}, "ABS(x)^(-0.375)-(-0.375)", {}},
        {"C(x)+2C", {}, "(-0.375)(x)+2(-0.375)", {}},
        // SLOPE(2x) is 3(2x)^2: the DER acts on the argument only in a call.
        {"slope(2x)+A", {}, "SLOPE(2x)+(3)", {"SLOPE(X) = DERX(1,X^3)"}},
        // A carried body stands alone: its callees written out, its letters written in.
        {"steep(dbl(x))",
         {},
         "STEEP((2*(x)))",
         {"STEEP(X) = DERX(1,((-0.375)*(X)+(2*((X))))^2)+(3)"}},
        // A JOIN's argument must be a variable; a carried callee comes before its caller.
        {"outer(x)",
         {},
         "OUTER(x)",
         {"SLOPE(X) = DERX(1,X^3)", "OUTER(X) = JOINX(SLOPE(X),1,(0.33333333333333333334))"}},
        // A function without a form is written out around the call of a carried one.
        {"via(x)", {kK}, "(SLOPE((x))+K)", {"SLOPE(X) = DERX(1,X^3)"}},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        TCarriedFunctions carried;
        ASSERT_EQ(Carried(text, row.kept, carried), kNoError) << row.text;
        EXPECT_EQ(text, row.written);
        std::vector<std::string> lines;
        for (const UserFunction& f : space.UserFunctions()) lines.push_back(UserFunctionLine(f));
        EXPECT_EQ(lines, row.carried) << row.text;
        for (const long double x : {-1.25L, 0.5L, 2.0L})
            EXPECT_NEAR(static_cast<double>(ValueAt(space, text, x)),
                        static_cast<double>(ValueAt(plane, row.text, x)), 1e-15)
                << row.text << " at " << static_cast<double>(x);
        carried.RemoveFrom(space);
        EXPECT_TRUE(space.UserFunctions().empty()) << row.text;
    }
}

TEST_F(SolidTextsTest, WhatATextCannotCarryIsRefusedAndTheTextStays) {
    struct Row {
        std::string text;
        std::size_t size;
        std::vector<int> kept;
        int error;
    };
    ASSERT_EQ(plane.DefineUserFunction("RISE", "DERT(1,X*T^2)", 1), userfn::kDone);
    ASSERT_EQ(plane.DefineUserFunction("WIDE", "DERX(1,X^2)+U+U+U+U", 1), userfn::kDone);
    const Row rows[] = {
        {"A+W", 256, {}, kErrFormulaNotUsable},   // W not a number here
        {"A*x", 5, {}, kErrTooLarge},             // "(3)*x" takes 5 and the end
        {"DBL(x)+DBL(x)", 15, {}, kErrTooLarge},  // "(2*(x))+(2*(x))" takes 15 and the end
        {"DBL(x", 256, {}, parse_error::kParentheses},
        // Written in, T would no more be the variable of the DER.
        {"RISE(x)", 256, {}, kErrFormulaNotUsable},
        {"RISE(x)", 256, {kK}, kErrFormulaNotUsable},
        // Four U of 16 characters take the body past 60.
        {"WIDE(x)", 256, {}, kErrTooLarge},
        {"VIA(x)+W", 256, {}, kErrFormulaNotUsable},  // the carried body stands, W does not
        // Written in, T and U would no more be the variables of the forms in the text itself.
        {"DERT(1,x*T^2)", 256, {}, kErrFormulaNotUsable},
        {"x+JOINU(0,1,x)", 256, {kK}, kErrFormulaNotUsable},
    };
    plane.SetVar(kW, std::numeric_limits<long double>::quiet_NaN());
    for (const Row& row : rows) {
        std::string text = row.text;
        TCarriedFunctions carried(plane, row.kept);
        EXPECT_EQ(carried.StandAlone(text, row.size), row.error) << row.text;
        EXPECT_EQ(text, row.text);
    }
    std::string fits = "DBL(x)+DBL(x)";
    TCarriedFunctions carried(plane, {});
    EXPECT_EQ(carried.StandAlone(fits, 16), kNoError);
    EXPECT_EQ(fits, "(2*(x))+(2*(x))");
    // A T the solid follows stays T: its curve's own parameter, in the plane as in space.
    const int kept[] = {slot::kT};
    std::string rise = "rise(x)";
    TCarriedFunctions followed(plane, kept);
    ASSERT_EQ(followed.StandAlone(rise, 256), kNoError);
    ASSERT_EQ(followed.Functions().size(), 1u);
    EXPECT_EQ(followed.Functions()[0].body, "DERT(1,X*T^2)");
}

// In complex mode a letter may hold a value off the real axis (I is i): no real number
// stands for it, so a text that reads one is refused; a real value is written in.
TEST(SolidTextsComplexTest, ALetterOffTheRealAxisIsRefused) {
    FormulaContext plane;
    plane.complexMode = true;
    plane.ResetVariables();
    plane.SetVar(kA, Complex(0.5L, 0));
    plane.SetVar(kC, Complex(0.5L, -2));
    const std::pair<const char*, int> rows[] = {
        {"ABS(x+I)", kErrFormulaNotUsable},
        {"C*x", kErrFormulaNotUsable},
        {"A*x", kNoError},
    };
    for (const auto& [text, error] : rows) {
        std::string written = text;
        TCarriedFunctions carried(plane, {});
        EXPECT_EQ(carried.StandAlone(written, 256), error) << text;
        EXPECT_EQ(written, error == kNoError ? std::string("(0.5)*x") : std::string(text));
    }
}

TEST(NumberedNameTest, TheCountWrittenInLettersWithinNineLetters) {
    struct Row {
        const char* name;
        std::size_t n;
        const char* numbered;
    };
    const Row rows[] = {
        {"SLOPE", 0, "SLOPE"},          {"SLOPE", 1, "SLOPEA"},       {"SLOPE", 26, "SLOPEZ"},
        {"SLOPE", 27, "SLOPEAA"},       {"SLOPE", 703, "SLOPEAAA"},   {"ABCDEFGHI", 1, "ABCDEFGHA"},
        {"ABCDEFGHI", 28, "ABCDEFGAB"}, {"ABCDEFGH", 2, "ABCDEFGHB"}, {"TA", 14, "TAN"},
    };
    for (const Row& row : rows) EXPECT_EQ(NumberedName(row.name, row.n), row.numbered);
}

// The 3D window's table as earlier solids left it; the name each carried function settles on,
// and whether it is added.
TEST_F(SolidTextsTest, ACarriedFunctionTakesTheFirstNameFreeOrHoldingItself) {
    struct Held {
        const char* name;
        const char* body;
        int args;
    };
    struct Row {
        const char* label;
        std::vector<Held> held;
        const char* text;
        const char* written;
        std::vector<std::pair<std::string, bool>> settled;  // name, added
    };
    const Row rows[] = {
        {"free", {}, "slope(x)", "SLOPE(x)", {{"SLOPE", true}}},
        {"the very same",
         {{"SLOPE", "DERX(1,X^3)", 1}},
         "slope(x)",
         "SLOPE(x)",
         {{"SLOPE", false}}},
        {"another body",
         {{"SLOPE", "DERX(1,X^4)", 1}},
         "slope(x)",
         "SLOPEA(x)",
         {{"SLOPEA", true}}},
        {"other arguments",
         {{"SLOPE", "DERX(1,X^3)", 2}},
         "slope(x)",
         "SLOPEA(x)",
         {{"SLOPEA", true}}},
        {"the very same numbered",
         {{"SLOPE", "X", 1}, {"SLOPEA", "DERX(1,X^3)", 1}},
         "slope(x)",
         "SLOPEA(x)",
         {{"SLOPEA", false}}},
        {"two taken",
         {{"SLOPE", "X", 1}, {"SLOPEA", "X", 1}},
         "slope(x)",
         "SLOPEB(x)",
         {{"SLOPEB", true}}},
        // A callee renamed: its caller's body differs from the caller held, so it is renamed.
        {"callee renamed",
         {{"SLOPE", "X", 1}, {"OUTER", "JOINX(SLOPE(X),1,(0.33333333333333333334))", 1}},
         "outer(x)",
         "OUTERA(x)",
         {{"SLOPEA", true}, {"OUTERA", true}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        space.FreeUserFunctions();
        for (const Held& h : row.held)
            ASSERT_EQ(space.DefineUserFunction(h.name, h.body, h.args), userfn::kDone) << h.name;
        std::string text = row.text;
        TCarriedFunctions carried;
        ASSERT_EQ(Carried(text, {}, carried), kNoError);
        EXPECT_EQ(text, row.written);
        std::vector<std::pair<std::string, bool>> settled;
        for (const TCarriedFunction& f : carried.Functions()) settled.emplace_back(f.name, f.added);
        EXPECT_EQ(settled, row.settled);
        const auto added = std::ranges::count(carried.Functions(), true, &TCarriedFunction::added);
        EXPECT_EQ(space.UserFunctions().size(), row.held.size() + static_cast<std::size_t>(added));
        for (const long double x : {0.5L, 0.75L, 2.0L})
            EXPECT_NEAR(static_cast<double>(ValueAt(space, text, x)),
                        static_cast<double>(ValueAt(plane, row.text, x)), 1e-15);
    }
}

// A name made with the number passes over the built-in names: TA, TAA .. TAM taken, TAN is
// the tangent, so TAO.
TEST_F(SolidTextsTest, ANumberedNameIsNeverABuiltInName) {
    ASSERT_EQ(plane.DefineUserFunction("TA", "DERX(2,X^3)", 1), userfn::kDone);
    ASSERT_EQ(space.DefineUserFunction("TA", "X", 1), userfn::kDone);
    for (std::size_t n = 1; n <= 13; ++n)
        ASSERT_EQ(space.DefineUserFunction(NumberedName("TA", n), "X", 1), userfn::kDone) << n;
    std::string text = "ta(x)";
    TCarriedFunctions carried;
    ASSERT_EQ(Carried(text, {}, carried), kNoError);
    EXPECT_EQ(text, "TAO(x)");
    EXPECT_EQ(ValueAt(space, text, 0.25L), 1.5L);  // 6x
}

}  // namespace
}  // namespace quorlin::tools2d
