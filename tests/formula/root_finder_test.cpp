// The bisection root finder: zeros of closed-form functions and every result code (no sign
// change, an end touching zero, a pole, a jump, an undefined value).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "formula/root_finder.h"
#include "formula_support.h"

namespace quorlin {
namespace {

class RootFinderTest : public testing_support::FormulaTest {
protected:
    RootFinderTest() { ctx.rootTolerance = 1e-15L; }

    int Find(const char* text, long double a, long double b, long double& root) {
        NodePtr tree = Parse(text);
        root = NAN;
        return ctx.FindRootInInterval(*tree, slot::kX, a, root, b);
    }
};

TEST_F(RootFinderTest, ZerosOfClosedFormsAndTheCodeOfEachOutcome) {
    using namespace rootfind;
    // A value of 0 counts as not above 0: x^2 on [0, 1] changes sign, -x^2 only touches.
    // Ends may come in either order; a pole or a jump is found where it is, but is no zero.
    const struct {
        const char* text;
        long double a, b;
        int code;
        long double root, tolerance;
    } cases[] = {{"SIN(X)", 3, 4, kFound, std::numbers::pi_v<long double>, 1e-15L},
                 {"X^2-2", 0, 2, kFound, std::sqrt(2.0L), 1e-15L},
                 {"1-EXP(X)", 1, -2, kFound, 0, 1e-15L},
                 {"COS(X)-X", 0, 1, kFound, 0.739085133215160641655L, 1e-15L},
                 {"X", 0, 1, kFound, 0, 0},
                 {"X^2", 0, 1, kFound, 0, 0},
                 {"-X^2", 0, 1, kEndTouch, 0, 0},
                 {"-(X-1)^2", 0, 1, kEndTouch, 1, 0},
                 {"1/X", -1, 2, kNotAZero, 0, 1e-12L},
                 {"JOINX(-1,0.5,1)", 0, 1, kNotAZero, 0.5L, 1e-12L}};
    for (const auto& c : cases) {
        long double root = 0;
        EXPECT_EQ(Find(c.text, c.a, c.b, root), c.code) << c.text;
        EXPECT_NEAR(root, c.root, c.tolerance) << c.text;
    }
    long double root = 0;
    EXPECT_EQ(Find("X^2+1", -1, 1, root), kNoSignChange);
    EXPECT_EQ(Find("SQRT(X)", -1, 1, root), kUndefined);
    EXPECT_EQ(Find("LN(X)*X-1", 0, 3, root), kUndefined);
    EXPECT_EQ(Find("X/(X^2-0.25)^0.5", -1, 1, root), kUndefined);  // only inside the bracket
    // Scanning two neighbouring subintervals reports a crossing zero once.
    int found = 0;
    for (const long double a : {-1.0L, 0.0L}) found += Find("X^3", a, a + 1, root) == kFound;
    EXPECT_EQ(found, 1);
}

TEST_F(RootFinderTest, ToleranceBoundsTheWorkAndTheVariableIsRestored) {
    ctx.SetVar(slot::kX, 7.0L);
    long double root = 0;
    ctx.rootTolerance = 0.01L;
    EXPECT_EQ(Find("(X-0.123456)/1E4", 0, 1, root), rootfind::kFound);
    EXPECT_NEAR(root, 0.123456L, 0.01L);
    EXPECT_GT(std::fabs(root - 0.123456L), 1e-6L);  // stopped early
    ctx.rootTolerance = 0;                          // only the 101 halvings end it
    EXPECT_EQ(Find("X-0.123456", 0, 1, root), rootfind::kFound);
    EXPECT_NEAR(root, 0.123456L, 1e-18L);
    EXPECT_EQ(ctx.Var(slot::kX), 7.0L);
    Find("SQRT(X)", -1, 1, root);
    EXPECT_EQ(ctx.Var(slot::kX), 7.0L);
}

}  // namespace
}  // namespace quorlin
