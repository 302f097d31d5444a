// Taylor polynomials from the template: known expansions, exactness on polynomials, the
// remainder bound of EXP, a centre that follows its parameter, and the parsed template.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "formula/taylor.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using namespace testing_support;

class TaylorTest : public testing_support::FormulaTest {
protected:
    NodePtr Polynomial(const char* f, const char* centre, int degree) {
        const NodePtr fTree = Parse(f);
        const NodePtr centreTree = Parse(centre);
        return MakeTaylorPolynomial(ctx, fTree.get(), *centreTree, degree);
    }
};

TEST_F(TaylorTest, KnownExpansionsAndPolynomialsFromTheirDegreeOn) {
    const NodePtr line = Polynomial("SIN(X)", "0", 1);
    const NodePtr cubic = Polynomial("SIN(X)", "0", 3);
    const NodePtr constant = Polynomial("SIN(X)+2", "0", 0);
    for (const long double x : {-1.5L, 0.0L, 0.9L, 2.0L}) {
        EXPECT_NEAR(At(line, x), x, 1e-18L);
        EXPECT_NEAR(At(cubic, x), x - x * x * x / 6, 1e-17L);
        EXPECT_EQ(At(constant, x), 2.0L);
    }
    // A quartic is its own expansion from degree 4 on; degree 3 misses exactly 2 (x - a)^4.
    const char* quartic = "2*X^4-X^3+5*X-3";
    auto p = [](long double x) { return 2 * std::pow(x, 4) - x * x * x + 5 * x - 3; };
    for (const int degree : {4, 9}) {
        const NodePtr t = Polynomial(quartic, "1.5", degree);
        for (const long double x : {-2.0L, 1.5L, 3.0L})
            EXPECT_NEAR(At(t, x), p(x), 1e-15L * (1 + std::fabs(p(x)))) << degree;
    }
    EXPECT_NEAR(At(Polynomial(quartic, "1.5", 3), 2.5L), p(2.5L) - 2.0L, 1e-15L);
}

TEST_F(TaylorTest, ExponentialRemainderStaysWithinItsBound) {
    const NodePtr t = Polynomial("EXP(X)", "1", kTaylorMaxDegree);
    for (const long double x : {0.5L, 1.5L, 2.0L}) {
        // |R9| <= e^max(x, 1) |x - 1|^10 / 10!
        const long double bound = std::exp(std::max(x, 1.0L)) * std::pow(x - 1, 10) / 3628800;
        const long double error = std::fabs(At(t, x) - std::exp(x));
        EXPECT_LE(error, bound * 1.0001L + 1e-17L);
        // and is of that order, so the terms are all there
        EXPECT_GT(error, bound / std::exp(1.0L) / 2);
    }
}

TEST_F(TaylorTest, CentreGivenAsParameterMovesThePolynomial) {
    // The tangent of x^2 at a is 2a x - a^2.
    const NodePtr tangent = Polynomial("X^2", "A", 1);
    for (const long double a : {1.0L, -3.0L}) {
        ctx.SetVar(1, a);
        for (const long double x : {0.0L, 2.0L})
            EXPECT_NEAR(At(tangent, x), 2 * a * x - a * a, 1e-17L);
    }
}

TEST_F(TaylorTest, ParsedTemplateEqualsTheBuiltOne) {
    NodePtr parsed = Parse(TaylorTemplateText());
    ASSERT_NE(parsed, nullptr);
    PrepareTaylorTemplate(*parsed);
    const NodePtr built = MakeTaylorTemplate();
    EXPECT_EQ(TExprNode::CountNodes(parsed.get()), TExprNode::CountNodes(built.get()));
    const NodePtr f = Parse("COS(2*X)");
    const NodePtr centre = Parse("0.25");
    const NodePtr x = TExprNode::NewOp(op::kVarX);
    std::array<NodePtr, kTaylorMaxDegree + 1> derivatives;
    derivatives[0] = TExprNode::CopyTree(f.get());
    for (int k = 1; k <= kTaylorMaxDegree; ++k)
        derivatives[k] = Derivative(ctx, derivatives[k - 1].get());
    NodePtr fromBuilt = TExprNode::CopyTree(built.get());
    for (TExprNode* tree : {parsed.get(), fromBuilt.get()}) {
        TruncateTaylorTemplate(*tree, 5);
        InsertTaylorDerivatives(*tree, derivatives, *centre, *x);
    }
    for (const long double at : {-0.5L, 0.25L, 1.0L}) EXPECT_EQ(At(parsed, at), At(fromBuilt, at));
}

TEST_F(TaylorTest, DerivativeOfAPolynomialWithBoundNodes) {
    // Curvature and slope of a Taylor example come from differentiating its tree.
    const NodePtr t = Polynomial("SIN(X)*EXP(X)", "0.5", 5);
    const NodePtr slope = Derivative(ctx, t.get());
    for (const long double x : {-1.0L, 0.5L, 1.7L}) {
        At(t, x);
        const auto expected = NumericDerivative(ctx, *t, slot::kX);
        ASSERT_TRUE(expected.has_value());
        EXPECT_NEAR(At(slope, x), *expected, 1e-9L);
    }
}

}  // namespace
}  // namespace quorlin
