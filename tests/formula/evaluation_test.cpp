// Evaluation beyond the formula table: the variable table, the nodes that only compilation
// builds (bound, fallback, periodic, vector, extra slots), failure reporting, the complex
// library's own entry points, and the readers of numeric fields.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "formula/complex_math.h"
#include "formula/real_arithmetic.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using VariableTable = testing_support::FormulaTest;
using Evaluate = testing_support::FormulaTest;
using NumberFields = testing_support::FormulaTest;

TEST_F(VariableTable, ResetSaveRestoreAndSliders) {
    EXPECT_EQ(ctx.Var(slot::kE), std::numbers::e_v<long double>);
    for (int i = 0; i < slot::kCount; ++i) ctx.SetVar(i, Complex(i, -i));
    ctx.SaveVariables();
    const TVariableTable before = ctx.vars;
    ctx.SetVar(slot::kX, 99.0L);
    ctx.AddToVar(31, 1.5L);
    ctx.RestoreVariables();
    EXPECT_EQ(ctx.vars, before);
    ctx.AddToVar(slot::kT, 0.25L);
    EXPECT_EQ(ctx.vars.value[slot::kT], Complex(20.25L, -20));
    ctx.complexMode = true;  // complex mode starts with I as the imaginary unit
    ctx.ResetVariables();
    EXPECT_EQ(ctx.vars.value['I' - '@'], Complex(0, 1));

    ctx.params.left[1] = -2;
    ctx.params.right[1] = 6;
    EXPECT_EQ(ctx.params.SliderValue(1, 25, 100), 0);
    EXPECT_EQ(ctx.params.SliderValue(2, 50, 100), 0.5L);
}

// Whole powers are taken by repeated squaring; the small exponents written out must make the
// very products the squaring loop makes (x^3 is x (x x), x^5 is x ((x x)(x x))), down to the
// last bit, or a formula's value would depend on how its power is written.
TEST(WholePower, SmallExponentsMakeTheSquaringLoopsProducts) {
    const auto squaring = [](long double a, int n) {
        long double result = 1;
        for (int k = n; k > 0; k >>= 1) {
            if (k & 1) result *= a;
            a *= a;
        }
        return result;
    };
    // Bases whose powers round, overflow, underflow and keep signs.
    const long double bases[] = {1.1L,     -3.7L,   0.3L,     1.0L / 3, -7.000000000000001L,
                                 1e-1000L, 1e1000L, -2e1300L, -0.0L};
    for (const long double a : bases) {
        for (int n = 1; n <= 9; ++n) {
            SCOPED_TRACE(testing::Message() << "a = " << static_cast<double>(a) << ", n = " << n);
            const long double expected = squaring(a, n);
            const long double got = arith::WholePower(a, n);
            EXPECT_EQ(got, expected);
            EXPECT_EQ(std::signbit(got), std::signbit(expected));
            EXPECT_EQ(arith::WholePower(a, -n), 1 / expected);
        }
    }
    EXPECT_TRUE(std::isnan(arith::WholePower(NAN, 3)));
    EXPECT_EQ(arith::WholePower(2.5L, 0), 1);
}

TEST_F(Evaluate, FailureKeepsTheLastValueInTheRoot) {
    NodePtr tree = Parse("1/X");
    long double out = 123;
    EXPECT_TRUE(ctx.EvalAtReal(*tree, slot::kX, 4, out));
    EXPECT_FALSE(ctx.EvalAtReal(*tree, slot::kX, 0, out));
    EXPECT_EQ(out, 0.25L);  // the root was not reached: its value stays
    EXPECT_EQ(ctx.Var(slot::kX), 0);
}

TEST_F(Evaluate, BoundNodeEvaluatesItsTreeAtAnotherPoint) {
    // f(c) * k with f = X^2, c = T + 1, k = 1/2: bound to slot X with marker 'A'.
    auto bound = TExprNode::NewOp(op::kBound);
    bound->aux = op::BoundAux(slot::kX, 'A');
    bound->child[0] = Parse("T+1");
    bound->child[1] = Parse("X^2");
    bound->child[2] = TExprNode::NewConst(0.5L);
    ctx.SetVar(slot::kX, 7.0L);
    long double out = 0;
    ASSERT_TRUE(ctx.EvalAtReal(*bound, slot::kT, 2, out));
    EXPECT_EQ(out, 4.5L);
    EXPECT_EQ(ctx.Var(slot::kX), 7);      // restored
    bound->aux = op::BoundAux(200, 'A');  // no such slot: undefined, nothing written
    EXPECT_FALSE(ctx.Evaluate(*bound));
    ctx.complexMode = true;
    EXPECT_FALSE(ctx.Evaluate(*bound));
}

TEST_F(Evaluate, FallbackPeriodicVectorAndExtraSlots) {
    auto fallback = TExprNode::NewBinary(op::kFallback, Parse("1/X"), Parse("7"));
    auto periodic = TExprNode::NewOp(op::kPeriodic);  // X^2 on [1, 3), period 2
    periodic->child[0] = TExprNode::NewConst(1);
    periodic->child[1] = Parse("X^2");
    periodic->child[2] = TExprNode::NewConst(2);
    const struct {
        TExprNode* tree;
        long double x, expected;
    } cases[] = {{fallback.get(), 0, 7},         {fallback.get(), 2, 0.5L},
                 {periodic.get(), 1.5L, 2.25L},  {periodic.get(), 3.5L, 2.25L},
                 {periodic.get(), -0.5L, 2.25L}, {periodic.get(), 3, 1}};
    for (const auto& c : cases) {
        long double out = 0;
        EXPECT_TRUE(ctx.EvalAtReal(*c.tree, slot::kX, c.x, out));
        EXPECT_NEAR(out, c.expected, 1e-17L) << static_cast<double>(c.x);
    }

    auto vector = TExprNode::NewOp(op::kVector3);
    vector->child[0] = Parse("T");
    vector->child[1] = TExprNode::NewOp(13);  // extra real slot 13
    vector->child[2] = Parse("T^2");
    ctx.extraReal[13] = -4;
    ctx.SetVar(slot::kT, 3.0L);
    long double v[3] = {};
    ASSERT_EQ(ctx.EvalVector3(*vector, v), 0);
    EXPECT_EQ(std::vector(v, v + 3), (std::vector<long double>{3, -4, 9}));
    vector->child[2] = Parse("LN(T-3)");
    EXPECT_EQ(ctx.EvalVector3(*vector, v), 1);
    EXPECT_EQ(ctx.EvalVector3(*Parse("T"), v), 1);  // not a vector node
}

TEST_F(Evaluate, IncompleteTreesAreUndefinedNotFatal) {
    for (int code :
         {int(op::kPlus), int(op::kDivide), int(op::kSin), int(op::kMax), int(op::kJoin),
          int(op::kBound), int(op::kPeriodic), int(op::kNegate), int(op::kPlaceholder1), 999}) {
        auto node = TExprNode::NewOp(code);
        for (const bool complexMode : {false, true}) {
            ctx.complexMode = complexMode;
            EXPECT_FALSE(ctx.Evaluate(*node)) << code;
        }
    }
}

TEST_F(Evaluate, ComplexLibraryAndLogarithmsAgreeWithTheRealOnes) {
    EXPECT_EQ(CxTan(0.3L, 0), Complex(std::tan(0.3L), 0));
    EXPECT_NEAR(CxTan(0, 1).imag(), std::tanh(1.0L), 1e-18);  // tan(i) = i tanh(1)
    long double polar[2];
    ComplexToPolar(-1, 0, polar);
    EXPECT_EQ(Complex(polar[0], polar[1]), Complex(1, std::numbers::pi_v<long double>));

    // LOG2(128) is 7 in either mode, not 7 less a rounding of LN(128) / LN(2).
    FormulaContext complex;
    complex.complexMode = true;
    for (int n = -20; n <= 20; ++n) {
        for (const char* text : {"LOG(10^N)", "LOG2(2^N)", "LOG(7.3*10^N)", "LOG2(N^2+0.1)"}) {
            ctx.SetVar('N' - '@', static_cast<long double>(n));
            complex.SetVar('N' - '@', static_cast<long double>(n));
            NodePtr r = Parse(text);
            NodePtr c = testing_support::ParseTree(complex, text);
            ASSERT_TRUE(ctx.Evaluate(*r) && complex.Evaluate(*c)) << text << n;
            EXPECT_EQ(Complex(c->re, c->im), Complex(r->re, 0)) << text << " at N = " << n;
        }
    }
}

TEST_F(NumberFields, ReadersTakeAnyConstantExpression) {
    // A refused text leaves the field's value, and no number field touches the parse result.
    const struct {
        const char* text;
        int code;
        long double value;
    } cases[] = {{"2.5", 0, 2.5L},     {" 2*pi ", 0, 2 * std::numbers::pi_v<long double>},
                 {"1e-12", 0, 1e-12L}, {"sqrt(-1)", 1, 1e-12L},
                 {"", 9, 1e-12L},      {"2+", 104, 1e-12L}};
    long double v = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(ctx.ReadNumber(c.text, v), c.code) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(ctx.ParseResult(), nullptr);

    // "@" and a parameter letter tie the value to that parameter.
    const struct {
        const char* text;
        int code, letter;
        long double value;
    } tied[] = {{"1.5@c", 0, 3, 1.5L},
                {"2^3 @ W", 0, 23, 8},
                {"4", 0, 0, 4},
                {"4@X", 1, 0, 4},
                {"@+1", 0, 0, 1}};
    for (const auto& c : tied) {
        int letter = -1;
        EXPECT_EQ(ctx.ReadNumberAt(c.text, v, letter), c.code) << c.text;
        EXPECT_EQ(letter, c.letter) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(ctx.Var(3), 1.5L);
}

TEST_F(NumberFields, IntegersAreRoundedAndBounded) {
    const struct {
        const char* text;
        int low, high, code, value;
    } shorts[] = {{"2.6", 0, 10, 0, 3},
                  {"10.4", 0, 10, 0, 10},
                  {"10.6", 0, 10, 17, 10},
                  {"-1", 0, 10, 17, 10},
                  {"100000", -100000, 100000, 17, 10}};  // beyond a short
    for (const auto& c : shorts) {
        std::int16_t s = 0;
        EXPECT_EQ(ctx.ReadShort(c.text, c.low, c.high, s), c.code) << c.text;
        if (c.code == 0) EXPECT_EQ(s, c.value) << c.text;
    }
    int n = 0;
    EXPECT_EQ(ctx.ReadInteger("2^31-1", 1, 2147483647, n), 0);
    EXPECT_EQ(n, 2147483647);
    EXPECT_EQ(ctx.ReadInteger("2^31", 1, 2147483647, n), 17);
    EXPECT_EQ(ctx.ReadInteger("0", 1, 2147483647, n), 17);
    EXPECT_EQ(ctx.ReadInteger("(1", 1, 10, n), 102);
}

}  // namespace
}  // namespace quorlin
