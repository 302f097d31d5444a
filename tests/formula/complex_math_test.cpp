// The complex power at the edges of the number range: exponents that overflowed to infinity
// must not be taken for whole numbers with a parity or a quarter turn.
#include <gtest/gtest.h>

#include <limits>

#include "formula/complex_math.h"
#include "formula_support.h"

namespace quorlin {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();

TEST(ComplexPower, InfiniteExponentsOnTheAxesAreUndefinedWhereThePhaseSpins) {
    struct Case {
        Complex z, w;
        bool defined;
    };
    const Case cases[] = {
        {{0, 1}, {kInf, 0}, false},    // I^INF: the phase turns without end
        {{-1, 0}, {kInf, 0}, false},   // (-1)^INF likewise
        {{0, -1}, {-kInf, 0}, false},  // (-I)^-INF
        {{-1e300L, 0}, {kInf, 0}, false},
        {{0, 0.5L}, {4, 0}, true},  // a whole exponent keeps its exact path
    };
    for (const Case& c : cases) {
        Complex out;
        EXPECT_EQ(CxPower(c.z, c.w, out), c.defined) << c.z << "^" << c.w;
    }
    Complex out;
    ASSERT_TRUE(CxPower({0, 0.5L}, {4, 0}, out));
    EXPECT_EQ(out, Complex(0.0625L, 0));
}

TEST(ComplexPower, TowerWithAnOverflowingExponentFailsCleanly) {
    FormulaContext ctx;
    ctx.complexMode = true;
    ctx.ResetVariables();
    NodePtr tree = testing_support::ParseTree(ctx, "X^X^22");
    ASSERT_TRUE(tree);
    for (const long double x : {1e300L, -1e300L}) {
        ctx.SetVar(slot::kX, Complex(x, 0));
        EXPECT_FALSE(ctx.Evaluate(*tree)) << x;
    }
}

}  // namespace
}  // namespace quorlin
