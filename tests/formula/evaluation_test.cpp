// Evaluation beyond the formula table: the variable table, the nodes that only compilation
// builds (bound, fallback, periodic, vector, extra slots), failure reporting, and the readers
// of numeric fields.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "formula/complex_math.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using VariableTable = testing_support::FormulaTest;
using Evaluate = testing_support::FormulaTest;
using NumberFields = testing_support::FormulaTest;

using testing_support::ParseTree;

TEST_F(VariableTable, ResetHoldsEAndSaveRestoreCoverEverySlot) {
    EXPECT_EQ(ctx.Var(slot::kE), std::numbers::e_v<long double>);
    EXPECT_EQ(ctx.Var(slot::kX), 0);
    for (int i = 0; i < slot::kCount; ++i) ctx.SetVar(i, Complex(i, -i));
    ctx.SaveVariables();
    const TVariableTable before = ctx.vars;
    ctx.SetVar(slot::kX, 99.0L);
    ctx.AddToVar(31, 1.5L);
    ctx.RestoreVariables();
    EXPECT_EQ(ctx.vars, before);
    ctx.AddToVar(slot::kT, 0.25L);
    EXPECT_EQ(ctx.vars.value[slot::kT], Complex(20.25L, -20));

    // Complex mode starts with I as the imaginary unit.
    ctx.complexMode = true;
    ctx.ResetVariables();
    EXPECT_EQ(ctx.vars.value['I' - '@'], Complex(0, 1));
}

TEST(AnimParams, SliderPositionMapsLinearlyOntoTheRange) {
    TAnimParams params;
    params.Reset();
    params.left[1] = -2;
    params.right[1] = 6;
    EXPECT_EQ(params.SliderValue(1, 25, 100), 0);
    EXPECT_EQ(params.SliderValue(1, 100, 100), 6);
    EXPECT_EQ(params.SliderValue(2, 50, 100), 0.5L);
}

TEST_F(Evaluate, FailureKeepsTheLastValueInTheRoot) {
    NodePtr tree = ParseTree(ctx, "1/X");
    long double out = 123;
    EXPECT_TRUE(ctx.EvalAtReal(*tree, slot::kX, 4, out));
    EXPECT_EQ(out, 0.25L);
    EXPECT_FALSE(ctx.EvalAtReal(*tree, slot::kX, 0, out));
    EXPECT_EQ(out, 0.25L);  // the root was not reached: its value stays
    EXPECT_EQ(ctx.Var(slot::kX), 0);
}

TEST_F(Evaluate, PowersInsideTheLongDoubleRangeAreDefined) {
    // EXP(12000)*0 and 10^5000 overflow and are undefined: rows of cases.txt.
    EXPECT_TRUE(ctx.Evaluate(*ParseTree(ctx, "10^4000")));
}

TEST_F(Evaluate, BoundNodeEvaluatesItsTreeAtAnotherPoint) {
    // f(c) * k with f = X^2, c = T + 1, k = 1/2: bound to slot X with marker 'A'.
    auto bound = TExprNode::NewOp(op::kBound);
    bound->aux = op::BoundAux(slot::kX, 'A');
    bound->child[0] = ParseTree(ctx, "T+1");
    bound->child[1] = ParseTree(ctx, "X^2");
    bound->child[2] = TExprNode::NewConst(0.5L);
    ctx.SetVar(slot::kX, 7.0L);
    long double out = 0;
    ASSERT_TRUE(ctx.EvalAtReal(*bound, slot::kT, 2, out));
    EXPECT_EQ(out, 4.5L);
    EXPECT_EQ(ctx.Var(slot::kX), 7);  // restored

    bound->aux = op::BoundAux(200, 'A');  // no such slot: undefined, nothing written
    EXPECT_FALSE(ctx.Evaluate(*bound));
    ctx.complexMode = true;
    EXPECT_FALSE(ctx.Evaluate(*bound));
}

TEST_F(Evaluate, FallbackPeriodicVectorAndExtraSlots) {
    auto fallback = TExprNode::NewBinary(op::kFallback, ParseTree(ctx, "1/X"), ParseTree(ctx, "7"));
    long double out = 0;
    for (const auto& [x, expected] : {std::pair{0.0L, 7.0L}, {2.0L, 0.5L}}) {
        EXPECT_TRUE(ctx.EvalAtReal(*fallback, slot::kX, x, out));
        EXPECT_EQ(out, expected);
    }

    // X^2 on [1, 3), repeated with period 2.
    auto periodic = TExprNode::NewOp(op::kPeriodic);
    periodic->child[0] = TExprNode::NewConst(1);
    periodic->child[1] = ParseTree(ctx, "X^2");
    periodic->child[2] = TExprNode::NewConst(2);
    for (const auto& [x, expected] :
         {std::pair{1.5L, 2.25L}, {3.5L, 2.25L}, {-0.5L, 2.25L}, {3.0L, 1.0L}}) {
        ASSERT_TRUE(ctx.EvalAtReal(*periodic, slot::kX, x, out));
        EXPECT_NEAR(out, expected, 1e-17) << static_cast<double>(x);
    }

    auto vector = TExprNode::NewOp(op::kVector3);
    vector->child[0] = ParseTree(ctx, "T");
    vector->child[1] = TExprNode::NewOp(13);  // extra real slot 13
    vector->child[2] = ParseTree(ctx, "T^2");
    ctx.extraReal[13] = -4;
    ctx.SetVar(slot::kT, 3.0L);
    long double v[3] = {};
    ASSERT_EQ(ctx.EvalVector3(*vector, v), 0);
    EXPECT_EQ(std::vector(v, v + 3), (std::vector<long double>{3, -4, 9}));
    vector->child[2] = ParseTree(ctx, "LN(T-3)");
    EXPECT_EQ(ctx.EvalVector3(*vector, v), 1);
    EXPECT_EQ(ctx.EvalVector3(*ParseTree(ctx, "T"), v), 1);  // not a vector node
}

TEST_F(Evaluate, IncompleteTreesAreUndefinedNotFatal) {
    for (int code :
         {int(op::kPlus), int(op::kDivide), int(op::kSin), int(op::kMax), int(op::kJoin),
          int(op::kBound), int(op::kPeriodic), int(op::kNegate), int(op::kPlaceholder1), 999}) {
        auto node = TExprNode::NewOp(code);
        EXPECT_FALSE(ctx.Evaluate(*node)) << code;
        ctx.complexMode = true;
        EXPECT_FALSE(ctx.Evaluate(*node)) << code;
        ctx.complexMode = false;
    }
}

TEST(ComplexLibrary, TangentPolarAndPowers) {
    EXPECT_EQ(CxTan(0.3L, 0), Complex(std::tan(0.3L), 0));
    // tan(i) = i tanh(1)
    EXPECT_NEAR(CxTan(0, 1).imag(), std::tanh(1.0L), 1e-18);
    long double polar[2];
    ComplexToPolar(-1, 0, polar);
    EXPECT_EQ(Complex(polar[0], polar[1]), Complex(1, std::numbers::pi_v<long double>));
    ComplexToPolar(3, -4, polar);
    EXPECT_EQ(polar[0], 5);
    EXPECT_NEAR(polar[1], std::atan2(-4.0L, 3.0L), 1e-18);
    Complex p;
    ASSERT_TRUE(CxPower({1, 1}, 2, p));
    EXPECT_EQ(p, Complex(0, 2));  // exact for integer exponents
    EXPECT_FALSE(CxPower(0, -1, p));
    long double r = 0;
    EXPECT_TRUE(RealPower(-2, 3, r));
    EXPECT_EQ(r, -8);
    EXPECT_FALSE(RealPower(-2, 0.5L, r));
}

TEST_F(Evaluate, LogOnePlusAndExpMinusOneKeepTheirDigitsInComplexMode) {
    // Near 0 the point of these two is the digits that LN(1 + z) and EXP(z) - 1 cancel.
    ctx.complexMode = true;
    ctx.ResetVariables();
    auto value = [this](const char* text) {
        NodePtr tree = ParseTree(ctx, text);
        EXPECT_TRUE(ctx.Evaluate(*tree)) << text;
        return Complex(tree->re, tree->im);
    };
    const long double relative = 1e-17L;
    EXPECT_NEAR(value("LOG1P(1E-20)").real(), 1e-20L, 1e-20L * relative);
    // LN(1 + 1e-10 i) = 5e-21 - 1/3 1e-40 ... + i (1e-10 - 1/3 1e-30)
    const Complex log = value("LOG1P(1E-10*I)");
    EXPECT_NEAR(log.real(), 5e-21L, 5e-21L * relative);
    EXPECT_NEAR(log.imag(), 1e-10L, 1e-10L * relative);
    // EXP(1e-10 i) - 1 = -2 SIN(5e-11)^2 + i SIN(1e-10)
    const Complex exp = value("EXPM1(1E-10*I)");
    EXPECT_NEAR(exp.real(), -5e-21L, 5e-21L * relative);
    EXPECT_NEAR(exp.imag(), 1e-10L, 1e-10L * relative);
    EXPECT_NEAR(value("EXPM1(-1E-20)").real(), -1e-20L, 1e-20L * relative);
    EXPECT_FALSE(ctx.Evaluate(*ParseTree(ctx, "LOG1P(-1)")));
    // Near -1: LN(1e-10 i) = LN(1e-10) + i pi/2.
    const Complex nearPole = value("LOG1P(-1+1E-10*I)");
    EXPECT_NEAR(nearPole.real(), std::log(1e-10L), 1e-17L);
    EXPECT_NEAR(nearPole.imag(), std::numbers::pi_v<long double> / 2, 1e-17L);
}

TEST_F(Evaluate, ComplexErfcKeepsItsDigitsWhereErfIsNearlyOne) {
    // ERFC(z) is small where ERF(z) is close to 1, so 1 - ERF(z) would keep none of its
    // digits. Values from a 30-digit reference.
    ctx.complexMode = true;
    ctx.ResetVariables();
    const struct {
        const char* text;
        Complex expected;
    } cases[] = {
        {"ERFC(10)", {2.08848758376254475700e-45L, 0}},
        {"ERFC(6+I)", {5.30779980060804100946e-17L, 2.27763503336924898567e-17L}},
        {"ERFC(4-2I)", {-5.65217002793493739638e-7L, -5.13100529608187629602e-7L}},
    };
    for (const auto& c : cases) {
        NodePtr tree = ParseTree(ctx, c.text);
        ASSERT_TRUE(ctx.Evaluate(*tree)) << c.text;
        const long double error = std::abs(Complex(tree->re, tree->im) - c.expected);
        EXPECT_LE(error, 1e-15L * std::abs(c.expected)) << c.text;
    }
}

TEST_F(Evaluate, ComplexLogarithmsOnThePositiveAxisAreTheRealOnes) {
    // LOG2(128) is 7 in either mode, not 7 less a rounding of LN(128) / LN(2).
    FormulaContext real;
    FormulaContext complex;
    complex.complexMode = true;
    complex.ResetVariables();
    for (int n = -20; n <= 20; ++n) {
        for (const char* text : {"LOG(10^N)", "LOG2(2^N)", "LOG(7.3*10^N)", "LOG2(N^2+0.1)"}) {
            real.SetVar('N' - '@', static_cast<long double>(n));
            complex.SetVar('N' - '@', static_cast<long double>(n));
            NodePtr r = ParseTree(real, text);
            NodePtr c = ParseTree(complex, text);
            ASSERT_TRUE(real.Evaluate(*r)) << text << n;
            ASSERT_TRUE(complex.Evaluate(*c)) << text << n;
            EXPECT_EQ(c->re, r->re) << text << " at N = " << n;
            EXPECT_EQ(c->im, 0.0L) << text << " at N = " << n;
        }
    }
}

TEST_F(NumberFields, ReadNumberTakesAnyConstantExpression) {
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
}

TEST_F(NumberFields, ReadNumberAtTiesTheValueToAParameter) {
    long double v = 0;
    int letter = -1;
    EXPECT_EQ(ctx.ReadNumberAt("1.5@c", v, letter), 0);
    EXPECT_EQ(v, 1.5L);
    EXPECT_EQ(letter, 3);
    EXPECT_EQ(ctx.Var(3), 1.5L);
    EXPECT_EQ(ctx.ReadNumberAt("2^3 @ W", v, letter), 0);
    EXPECT_EQ(letter, 23);
    EXPECT_EQ(ctx.ReadNumberAt("4", v, letter), 0);
    EXPECT_EQ(letter, 0);
    EXPECT_EQ(ctx.ReadNumberAt("4@X", v, letter), 1);  // X is no parameter
    EXPECT_EQ(ctx.ReadNumberAt("@+1", v, letter), 0);  // '@' as a variable
    EXPECT_EQ(v, 1);
}

TEST_F(NumberFields, IntegersAreRoundedAndBounded) {
    std::int16_t s = 0;
    EXPECT_EQ(ctx.ReadShort("2.6", 0, 10, s), 0);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(ctx.ReadShort("10.4", 0, 10, s), 0);
    EXPECT_EQ(ctx.ReadShort("10.6", 0, 10, s), 17);
    EXPECT_EQ(ctx.ReadShort("-1", 0, 10, s), 17);
    EXPECT_EQ(ctx.ReadShort("100000", -100000, 100000, s), 17);  // beyond a short
    int n = 0;
    EXPECT_EQ(ctx.ReadInteger("2^31-1", 1, 2147483647, n), 0);
    EXPECT_EQ(n, 2147483647);
    EXPECT_EQ(ctx.ReadInteger("2^31", 1, 2147483647, n), 17);
    EXPECT_EQ(ctx.ReadInteger("0", 1, 2147483647, n), 17);
    EXPECT_EQ(ctx.ReadInteger("(1", 1, 10, n), 102);
}

}  // namespace
}  // namespace quorlin
