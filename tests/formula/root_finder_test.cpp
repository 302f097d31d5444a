// The bisection root finder: zeros of closed-form functions and every result code (no sign
// change, an end touching zero, a pole, a jump, an undefined value).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "formula/root_finder.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using testing_support::ParseTree;

class RootFinderTest : public ::testing::Test {
protected:
    RootFinderTest() { ctx.rootTolerance = 1e-15L; }

    int Find(const char* text, long double a, long double b, long double& root) {
        NodePtr tree = ParseTree(ctx, text);
        root = NAN;
        return ctx.FindRootInInterval(*tree, slot::kX, a, root, b);
    }
    FormulaContext ctx;
};

TEST_F(RootFinderTest, FindsZerosOfClosedForms) {
    long double root = 0;
    EXPECT_EQ(Find("SIN(X)", 3, 4, root), rootfind::kFound);
    EXPECT_NEAR(root, std::numbers::pi_v<long double>, 1e-15L);
    EXPECT_EQ(Find("X^2-2", 0, 2, root), rootfind::kFound);
    EXPECT_NEAR(root, std::sqrt(2.0L), 1e-15L);
    // Reversed ends and a falling function.
    EXPECT_EQ(Find("1-EXP(X)", 1, -2, root), rootfind::kFound);
    EXPECT_NEAR(root, 0.0L, 1e-15L);
    EXPECT_EQ(Find("COS(X)-X", 0, 1, root), rootfind::kFound);
    EXPECT_NEAR(root, 0.739085133215160641655L, 1e-15L);
}

TEST_F(RootFinderTest, EndValuesAtZero) {
    long double root = 0;
    // x on [0, 1]: 0 at a, positive at b counts as a change of sign.
    EXPECT_EQ(Find("X", 0, 1, root), rootfind::kFound);
    EXPECT_EQ(root, 0.0L);
    // A value of 0 counts as not above 0: x^2 on [0, 1] changes sign, -x^2 only touches.
    EXPECT_EQ(Find("X^2", 0, 1, root), rootfind::kFound);
    EXPECT_EQ(root, 0.0L);
    EXPECT_EQ(Find("-X^2", 0, 1, root), rootfind::kEndTouch);
    EXPECT_EQ(root, 0.0L);
    EXPECT_EQ(Find("-(X-1)^2", 0, 1, root), rootfind::kEndTouch);
    EXPECT_EQ(root, 1.0L);
    // Scanning two neighbouring subintervals reports a crossing zero once.
    int found = 0;
    for (const long double a : {-1.0L, 0.0L}) found += Find("X^3", a, a + 1, root) == 0 ? 1 : 0;
    EXPECT_EQ(found, 1);
}

TEST_F(RootFinderTest, FailuresHaveTheirCodes) {
    long double root = 0;
    EXPECT_EQ(Find("X^2+1", -1, 1, root), rootfind::kNoSignChange);
    EXPECT_EQ(Find("1/X", -1, 2, root), rootfind::kNotAZero);  // a pole
    EXPECT_NEAR(root, 0.0L, 1e-12L);
    EXPECT_EQ(Find("JOINX(-1,0.5,1)", 0, 1, root), rootfind::kNotAZero);  // a jump
    EXPECT_NEAR(root, 0.5L, 1e-12L);
    EXPECT_EQ(Find("SQRT(X)", -1, 1, root), rootfind::kUndefined);
    EXPECT_EQ(Find("LN(X)*X-1", 0, 3, root), rootfind::kUndefined);
    // Undefined only inside the bracket.
    EXPECT_EQ(Find("X/(X^2-0.25)^0.5", -1, 1, root), rootfind::kUndefined);
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
