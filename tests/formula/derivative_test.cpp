// Symbolic derivatives against difference quotients at random points (every built-in of the
// name table, composite formulas in two variables), the size of high orders, and the nodes
// that only compilation builds. Closed forms of derivatives up to the ninth order, partials
// and piecewise forms are rows of cases.txt.
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

class DerivativeTest : public FormulaTest {
protected:
    // Compares d tree / d variable with the difference quotient at random (x, y) in
    // [-4.5, 4.5)^2 and returns how many points could be compared.
    int CheckAtRandomPoints(TExprNode& tree, int variableOp, const std::string& label) {
        const NodePtr derivative = Derivative(ctx, &tree, variableOp);
        std::uniform_real_distribution<long double> coordinate(-4.5L, 4.5L);
        int compared = 0;
        for (int i = 0; i < 200 && compared < 12; ++i) {
            const long double x = coordinate(generator), y = coordinate(generator);
            ValueAt(ctx, tree, x, y);
            const auto expected = NumericDerivative(ctx, tree, op::VariableSlot(variableOp));
            if (!expected) continue;
            EXPECT_NEAR(At(derivative, x, y), *expected, 1e-7L * (1 + std::fabs(*expected)))
                << label << " at " << static_cast<double>(x) << ", " << static_cast<double>(y);
            ++compared;
        }
        return compared;
    }

    std::mt19937 generator{12345u};
};

TEST_F(DerivativeTest, EveryBuiltinMatchesItsDifferenceQuotient) {
    InstallDerivativeRules();
    // Differentiated by a difference quotient or through their linear parts.
    const std::set<int> withoutRule = {op::kZeta, op::kDigamma, op::kArg,
                                       op::kRe,   op::kIm,      op::kConj};
    for (const BuiltinFunction& f : BuiltinFunctions()) {
        const std::string name(f.Name());
        if (f.argCount == 0) {
            EXPECT_EQ(At(Derivative(ctx, TExprNode::NewOp(f.code).get()), 1), 0) << name;
            continue;
        }
        NodePtr tree = f.argCount == 1 ? TExprNode::NewUnary(f.code, Parse("X"))
                                       : TExprNode::NewBinary(f.code, Parse("X"), Parse("Y"));
        if (f.argCount == 1)
            EXPECT_EQ(GetDerivativeRule(f.code) != nullptr, !withoutRule.contains(f.code)) << name;
        EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, name + " in x"), 5) << name;
        if (f.argCount == 2) EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarY, name + " in y"), 5);
    }
}

TEST_F(DerivativeTest, CompositeFormulasInTwoVariables) {
    for (const auto& text :
         Words("SIN(X^2)*EXP(-X) X^X LN(1+X^2)/(2+COS(X)) SQRT(X^2+Y^2+1) ATAN2(Y,X) "
               "X*Y^3-2^X+Y/X ROOT(3,X*Y) LOGB(X^2+2,Y+6) MAX(X,Y^2)-MIN(X,-Y) "
               "JOINX(X^2,1,3-X,2,SIN(X)) (X-Y)^3/(1+X^4) HYPOT(SINH(X),Y)*-X ARCTAN(X/Y)+ABS(X-1) "
               "GAMMA(X)+BETA(X^2+1,Y^2+1) ZETA(X^2+2)+DIGAMMA(Y)")) {
        NodePtr tree = Parse(text);
        EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarX, text + " in x"), 5);
        EXPECT_GE(CheckAtRandomPoints(*tree, op::kVarY, text + " in y"), 5);
    }
    EXPECT_EQ(Derivative(ctx, nullptr), nullptr);
}

TEST_F(DerivativeTest, HighOrdersStaySmall) {
    // Terms are collected at every order: the ninth derivative of a quotient or a root is a
    // handful of terms, not a tree that doubles with each order. Past the degree of a
    // polynomial the derivative is the constant 0.
    const struct {
        const char* text;
        int maxNodes;
    } cases[] = {{"SIN(X)", 4},     {"LN(X)", 5},   {"1/X", 6},
                 {"SQRT(X)", 6},    {"TAN(X)", 40}, {"1/(1+X^2)", 150},
                 {"ARCSIN(X)", 70}, {"X^X", 600},   {"3*X^5-2*X^3+X-7", 1}};
    for (const auto& c : cases) {
        NodePtr tree = Parse(c.text);
        for (int order = 1; order <= 9; ++order) tree = Derivative(ctx, tree.get());
        EXPECT_LE(TExprNode::CountNodes(tree.get()), c.maxNodes) << c.text;
    }
}

TEST_F(DerivativeTest, CompiledNodesFallbackAndCurvature) {
    // A fallback node differentiates both alternatives: SQRT(X) where defined, else -X^2.
    NodePtr fallback = TExprNode::NewBinary(op::kFallback, Parse("SQRT(X)"), Parse("-X^2"));
    const NodePtr slope = Derivative(ctx, fallback.get());
    EXPECT_NEAR(At(slope, 4), 0.25L, 1e-18L);
    EXPECT_NEAR(At(slope, -3), 6, 1e-18L);

    // A curvature node has no rule: a difference quotient that moves the variable itself, so
    // that JOIN pieces inside move along.
    NodePtr curvature = TExprNode::NewOp(op::kCurvature3);
    curvature->child[3] = Parse("X^3");
    EXPECT_NEAR(At(Derivative(ctx, curvature.get()), 2), 12, 1e-9L);
    curvature->child[3] = Parse("JOINX(X^2,1,3*X)");
    const NodePtr piecewise = Derivative(ctx, curvature.get());
    EXPECT_NEAR(At(piecewise, 0.5L), 1, 1e-9L);
    EXPECT_NEAR(At(piecewise, 2), 3, 1e-9L);

    // A second difference raises the order of the first instead of nesting two.
    const NodePtr first = Derivative(ctx, Parse("DIGAMMA(X)").get());
    const NodePtr second = Derivative(ctx, first.get());
    EXPECT_LE(TExprNode::CountNodes(second.get()), TExprNode::CountNodes(first.get()) * 3 / 2 + 2);
}

}  // namespace
}  // namespace quorlin
