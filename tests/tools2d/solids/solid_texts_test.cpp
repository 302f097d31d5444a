// A solid's text made to stand alone: the letters it uses written in with their values (the
// shortest numbers that read back exactly; '@', E, T and U too), the calls of user functions
// written out with their bodies and the bodies' own letters, the letters it follows left as
// letters; the result means in a window without those letters and functions what the text
// means in the plane window. A body with a DER form, a letter without a finite value and a
// text that would not fit are refused, the text left as it was.
#include "tools2d/solids/solid_texts.h"

#include <gtest/gtest.h>

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
        // The 3D window: K as the solid's slider sets it, the other letters otherwise.
        space.SetVar(kK, 0.5L);
        space.SetVar(kA, -9);
        space.SetVar(slot::kT, 0.25L);
    }
    FormulaContext plane;
    FormulaContext space;
};

TEST_F(SolidTextsTest, TheTextReadsInSpaceAsItReadsInThePlane) {
    struct Row {
        const char* text;
        std::vector<int> kept;
        const char* written;
    };
    const Row rows[] = {
        {"A*x+@", {}, "(3)*x+(-2.5)"},
        {"tri(x)+W", {}, "((-0.375)*(x)+(2*((x))))+(0.33333333333333333334)"},
        {"K*x+A", {kK}, "K*x+(3)"},
        {"K*x+A", {}, "(0.5)*x+(3)"},
        {"T*x+U", {}, "(1.5e-7)*x+(-4000000000000)"},
        {"2E", {}, "2(2.7182818284590452354)"},
        {"1E-3*x", {}, "1E-3*x"},
    };
    for (const Row& row : rows) {
        std::string text = row.text;
        ASSERT_EQ(StandAloneText(plane, text, 256, row.kept), kNoError) << row.text;
        EXPECT_EQ(text, row.written);
        for (const long double x : {-1.25L, 0.5L, 2.0L})
            EXPECT_EQ(ValueAt(space, text, x), ValueAt(plane, row.text, x))
                << row.text << " at " << static_cast<double>(x);
    }
}

TEST_F(SolidTextsTest, WhatATextCannotCarryIsRefusedAndTheTextStays) {
    struct Row {
        std::string text;
        std::size_t size;
        int error;
    };
    const Row rows[] = {
        {"SLOPE(2x)", 256, kErrFormulaNotUsable},
        {"A+W", 256, kErrFormulaNotUsable},   // W not a number here
        {"A*x", 5, kErrTooLarge},             // "(3)*x" takes 5 and the end
        {"DBL(x)+DBL(x)", 15, kErrTooLarge},  // "(2*(x))+(2*(x))" takes 15 and the end
        {"DBL(x", 256, parse_error::kParentheses},
    };
    plane.SetVar(kW, std::numeric_limits<long double>::quiet_NaN());
    for (const Row& row : rows) {
        std::string text = row.text;
        EXPECT_EQ(StandAloneText(plane, text, row.size, {}), row.error) << row.text;
        EXPECT_EQ(text, row.text);
    }
    std::string fits = "DBL(x)+DBL(x)";
    EXPECT_EQ(StandAloneText(plane, fits, 16, {}), kNoError);
    EXPECT_EQ(fits, "(2*(x))+(2*(x))");
}

}  // namespace
}  // namespace quorlin::tools2d
