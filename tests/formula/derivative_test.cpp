// Symbolic derivatives against difference quotients at random points: every built-in of the
// name table, composite formulas in one and two variables, piecewise and bound nodes, and
// high derivatives against their closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

#include "formula/derivative.h"
#include "formula/name_table.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using namespace testing_support;

class DerivativeTest : public testing_support::FormulaTest {
protected:
    // Compares d tree / d variable with the difference quotient at random (x, y) in
    // [-4.5, 4.5)^2 and returns how many points could be compared.
    int CheckAtRandomPoints(TExprNode& tree, int variableOp, const std::string& label,
                            int tries = 200) {
        const NodePtr derivative = Derivative(ctx, &tree, variableOp);
        EXPECT_NE(derivative, nullptr) << label;
        if (!derivative) return 0;
        std::uniform_real_distribution<long double> coordinate(-4.5L, 4.5L);
        int compared = 0;
        for (int i = 0; i < tries && compared < 12; ++i) {
            const long double x = coordinate(generator);
            const long double y = coordinate(generator);
            ValueAt(ctx, tree, x, y);
            const auto expected = NumericDerivative(ctx, tree, op::VariableSlot(variableOp));
            if (!expected) continue;
            const long double value = At(derivative, x, y);
            EXPECT_NEAR(value, *expected, 1e-7L * (1 + std::fabs(*expected)))
                << label << " at x = " << static_cast<double>(x)
                << ", y = " << static_cast<double>(y);
            ++compared;
        }
        return compared;
    }

    std::mt19937 generator{12345u};
};

TEST_F(DerivativeTest, EveryBuiltinMatchesItsDifferenceQuotient) {
    InstallDerivativeRules();
    // Functions differentiated by a difference quotient or by their linear parts.
    const std::set<int> withoutRule = {op::kZeta, op::kDigamma, op::kArg,
                                       op::kRe,   op::kIm,      op::kConj};
    for (const BuiltinFunction& f : BuiltinFunctions()) {
        const std::string name(f.Name());
        if (f.argCount == 1) {
            EXPECT_EQ(GetDerivativeRule(f.code) != nullptr, !withoutRule.contains(f.code)) << name;
            NodePtr tree = TExprNode::NewUnary(f.code, TExprNode::NewOp(op::kVarX));
            EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, name), 5) << name;
        } else if (f.argCount == 2) {
            NodePtr tree = TExprNode::NewBinary(f.code, TExprNode::NewOp(op::kVarX),
                                                TExprNode::NewOp(op::kVarY));
            EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, name + " in x"), 5) << name;
            EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarY, name + " in y"), 5) << name;
        } else {
            const NodePtr tree = TExprNode::NewOp(f.code);
            EXPECT_EQ(At(Derivative(ctx, tree.get()), 1.0L), 0.0L) << name;
        }
    }
}

TEST_F(DerivativeTest, CompositeFormulasInTwoVariables) {
    const auto formulas = Words(
        "SIN(X^2)*EXP(-X) X^X LN(1+X^2)/(2+COS(X)) SQRT(X^2+Y^2+1) ATAN2(Y,X) X*Y^3-2^X+Y/X "
        "ROOT(3,X*Y) LOGB(X^2+2,Y+6) MAX(X,Y^2)-MIN(X,-Y) JOINX(X^2,1,3-X,2,SIN(X)) "
        "(X-Y)^3/(1+X^4) HYPOT(SINH(X),Y)*-X ARCTAN(X/Y)+ABS(X-1) GAMMA(X)+BETA(X^2+1,Y^2+1)");
    for (const auto& text : formulas) {
        NodePtr tree = Parse(text);
        ASSERT_NE(tree, nullptr) << text;
        EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, text + " in x"), 5);
        EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarY, text + " in y"), 5);
    }
}

TEST_F(DerivativeTest, HigherDerivativesOfPolynomialsAndSine) {
    // p^(k)(x) in closed form from the coefficients of p = 3x^5 - 2x^3 + x - 7, lowest first.
    auto closed = [](int k, long double x) {
        const long double coefficients[] = {-7, 1, 0, -2, 0, 3};
        long double sum = 0;
        for (int n = k; n <= 5; ++n) {
            long double falling = 1;
            for (int i = 0; i < k; ++i) falling *= n - i;
            sum += coefficients[n] * falling * std::pow(x, n - k);
        }
        return sum;
    };
    NodePtr current = Parse("3*X^5-2*X^3+X-7");
    for (int k = 1; k <= 6; ++k) {
        current = Derivative(ctx, current.get());
        for (const long double x : {-2.5L, -0.75L, 0.0L, 1.25L, 3.0L})
            EXPECT_NEAR(At(current, x), closed(k, x), 1e-12L * (1 + std::fabs(closed(k, x))))
                << "order " << k;
    }
    // Past the degree the derivative is the constant 0, not a tree of zeros.
    EXPECT_EQ(current->op, op::kConst);
    EXPECT_EQ(current->re, 0.0L);

    // The ninth derivative of SIN is COS, and stays a small tree.
    current = Parse("SIN(X)");
    for (int k = 1; k <= 9; ++k) {
        current = Derivative(ctx, current.get());
    }
    EXPECT_LE(TExprNode::CountNodes(current.get()), 4);
    for (const long double x : {-1.0L, 0.3L, 2.0L})
        EXPECT_NEAR(At(current, x), std::cos(x), 1e-15L);
}

TEST_F(DerivativeTest, HighOrdersOfAQuotientStayBoundedAndAccurate) {
    // d^n/dx^n 1/(1 + x^2) = Im((-1)^n n! / (x - i)^(n + 1)). Symbolic trees of a quotient
    // grow eightfold per order; past a budget the derivative becomes a difference stencil.
    NodePtr current = Parse("1/(1+X^2)");
    long double factorial = 1;
    for (int n = 1; n <= 9; ++n) {
        factorial *= n;
        current = Derivative(ctx, current.get());
        EXPECT_LT(TExprNode::CountNodes(current.get()), 100000) << "order " << n;
        const Complex signedFactorial = n % 2 ? -factorial : factorial;
        for (const long double x : {-0.7L, 0.3L, 1.2L})
            EXPECT_NEAR(At(current, x), (signedFactorial / std::pow(Complex(x, -1), n + 1)).imag(),
                        1e-4L * factorial)
                << "order " << n << " at " << static_cast<double>(x);
    }
}

TEST_F(DerivativeTest, ComplexModeUsesTheSameRules) {
    ctx.complexMode = true;
    NodePtr tree = Parse("EXP(X)*X^2-LN(X)/SIN(X)");
    const NodePtr derivative = Derivative(ctx, tree.get());
    const Complex z(1.0L, 2.0L);
    const Complex expected = std::exp(z) * (z * z + 2.0L * z) - 1.0L / (z * std::sin(z)) +
                             std::log(z) * std::cos(z) / (std::sin(z) * std::sin(z));
    ctx.SetVar(slot::kX, z);
    ASSERT_TRUE(ctx.Evaluate(*derivative));
    EXPECT_NEAR(derivative->re, expected.real(), 1e-15L * std::abs(expected));
    EXPECT_NEAR(derivative->im, expected.imag(), 1e-15L * std::abs(expected));
}

TEST_F(DerivativeTest, PartialsTreatOtherLettersAsConstants) {
    NodePtr tree = Parse("A*X^2*Y+T");
    ctx.SetVar(slot::kAt + 1, 3.0L);  // A
    EXPECT_NEAR(At(Derivative(ctx, tree.get()), 2.0L, 5.0L), 3 * 2 * 2 * 5, 1e-15L);
    for (const auto& [variable, constant] : {std::pair{op::kVarT, 1.0L}, {op::kVarZLetter, 0.0L}}) {
        const NodePtr d = Derivative(ctx, tree.get(), variable);
        EXPECT_EQ(d->op, op::kConst);
        EXPECT_EQ(d->re, constant);
    }
    EXPECT_EQ(Derivative(ctx, nullptr), nullptr);
}

TEST_F(DerivativeTest, PiecewiseFormsKeepTheirBoundaries) {
    // d/dx JOINX(x^2, 1, 3x) is 2x below 1 and 3 from 1 on.
    NodePtr tree = Parse("JOINX(X^2,1,3*X)");
    NodePtr derivative = Derivative(ctx, tree.get());
    EXPECT_NEAR(At(derivative, 0.5L), 1.0L, 1e-18L);
    EXPECT_NEAR(At(derivative, 1.0L), 3.0L, 1e-18L);
    EXPECT_NEAR(At(derivative, 4.0L), 3.0L, 1e-18L);

    // A fallback node differentiates both alternatives: SQRT(X) where defined, else -X.
    NodePtr fallback = TExprNode::NewBinary(op::kFallback, Parse("SQRT(X)"), Parse("-X^2"));
    derivative = Derivative(ctx, fallback.get());
    EXPECT_NEAR(At(derivative, 4.0L), 0.25L, 1e-18L);
    EXPECT_NEAR(At(derivative, -3.0L), 6.0L, 1e-18L);
}

TEST_F(DerivativeTest, NodesWithoutRuleUseADifferenceQuotient) {
    // ZETA has no symbolic rule; the derivative of ZETA(X^2) still follows the chain rule.
    NodePtr tree = Parse("ZETA(X^2)+DIGAMMA(X)");
    EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, "zeta and digamma"), 5);
    // A curvature node of the example compiler has no rule either.
    NodePtr curvature = TExprNode::NewOp(op::kCurvature3);
    curvature->child[3] = Parse("X^3");
    EXPECT_NEAR(At(Derivative(ctx, curvature.get()), 2.0L), 12.0L, 1e-9L);
    // The difference moves the variable itself, so JOIN pieces inside move along.
    curvature->child[3] = Parse("JOINX(X^2,1,3*X)");
    NodePtr derivative = Derivative(ctx, curvature.get());
    EXPECT_NEAR(At(derivative, 0.5L), 1.0L, 1e-9L);
    EXPECT_NEAR(At(derivative, 2.0L), 3.0L, 1e-9L);
    // A second derivative raises the order of the difference instead of nesting two:
    // psi''(2) = 2 - 2 zeta(3).
    NodePtr digamma = Parse("DIGAMMA(X)");
    const NodePtr first = Derivative(ctx, digamma.get());
    derivative = Derivative(ctx, first.get());
    EXPECT_NEAR(At(derivative, 2.0L), 2 - 2 * 1.2020569031595942854L, 1e-8L);
    EXPECT_LE(TExprNode::CountNodes(derivative.get()),
              TExprNode::CountNodes(first.get()) * 3 / 2 + 2);
}

}  // namespace
}  // namespace quorlin
