// Tree builders: vector identities at random points, coordinate changes, lines through their
// defining points, tangent lines built from bound nodes, and the Newton chain of point-slope
// templates through given points.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "formula/tree_builders.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using TreeBuildersTest = testing_support::FormulaTest;

TEST_F(TreeBuildersTest, CrossProductIsPerpendicularAndDotProductMatches) {
    const NodePtr u[3] = {Parse("X+Y"), Parse("Y*Z"), Parse("Z-2*X")};
    const NodePtr v[3] = {Parse("SIN(X)"), Parse("3"), Parse("Y^2")};
    const TreeVec3 ut = {u[0].get(), u[1].get(), u[2].get()};
    const TreeVec3 vt = {v[0].get(), v[1].get(), v[2].get()};
    const NodeVec3 w = MakeCrossProduct3(ut, vt);
    const TreeVec3 wt = {w[0].get(), w[1].get(), w[2].get()};
    const NodePtr uDotW = MakeDotProduct3(ut, wt);
    const NodePtr vDotW = MakeDotProduct3(vt, wt);
    const NodePtr uDotV = MakeDotProduct3(ut, vt);
    const NodePtr length = MakeLength3(w[0].get(), w[1].get(), w[2].get());
    std::mt19937 generator(99u);
    std::uniform_real_distribution<long double> c(-3.0L, 3.0L);
    for (int i = 0; i < 20; ++i) {
        const long double x = c(generator), y = c(generator), z = c(generator);
        const long double a[3] = {x + y, y * z, z - 2 * x};
        const long double b[3] = {std::sin(x), 3, y * y};
        const long double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
        const long double aa = a[0] * a[0] + a[1] * a[1] + a[2] * a[2];
        const long double bb = b[0] * b[0] + b[1] * b[1] + b[2] * b[2];
        EXPECT_NEAR(At(uDotW, x, y, z), 0.0L, 1e-15L * aa * std::sqrt(bb));
        EXPECT_NEAR(At(vDotW, x, y, z), 0.0L, 1e-15L * bb * std::sqrt(aa));
        EXPECT_NEAR(At(uDotV, x, y, z), dot, 1e-15L * (1 + std::fabs(dot)));
        // Lagrange's identity: |u x v|^2 = |u|^2 |v|^2 - (u.v)^2.
        EXPECT_NEAR(std::pow(At(length, x, y, z), 2), aa * bb - dot * dot, 1e-13L * aa * bb);
    }
}

TEST_F(TreeBuildersTest, SphericalCoordinatesAndLengths) {
    const NodePtr rho = Parse("2+X^2");
    const NodePtr phi = Parse("Y");
    const NodePtr theta = Parse("Z");
    const NodeVec3 s = MakeSphericalXYZ(rho.get(), phi.get(), theta.get());
    const NodePtr length = MakeLength3(s[0].get(), s[1].get(), s[2].get());
    EXPECT_NEAR(At(length, 1.5L, 0.4L, 2.2L), 2 + 2.25L, 1e-17L);
    EXPECT_NEAR(At(s[2], 1.5L, 0.4L, 2.2L), 4.25L * std::cos(0.4L), 1e-17L);
    EXPECT_NEAR(At(s[1], 1.5L, 0.4L, 2.2L), 4.25L * std::sin(0.4L) * std::sin(2.2L), 1e-17L);

    const NodePtr three = Parse("3");
    const NodePtr four = Parse("-4");
    EXPECT_EQ(At(MakeLength2(three.get(), four.get()), 0), 5.0L);
    EXPECT_EQ(At(MakeSumOfSquares(three.get(), four.get()), 0), 25.0L);
}

TEST_F(TreeBuildersTest, LinesPassThroughTheirPoints) {
    const NodePtr x1 = Parse("-1"), y1 = Parse("2*A"), x2 = Parse("3"), y2 = Parse("-5");
    ctx.SetVar(1, 1.5L);  // A
    const NodePtr line = MakeLineThroughPoints(x1.get(), y1.get(), x2.get(), y2.get());
    for (const auto& [x, y] : {std::pair{-1.0L, 3.0L}, {3.0L, -5.0L}, {1.0L, -1.0L}})
        EXPECT_NEAR(At(line, x), y, 1e-18L);

    // 2x + 4y = 6 solved for y.
    const NodePtr a = Parse("2"), b = Parse("4"), c = Parse("6");
    const NodePtr y = MakeLineY(a.get(), b.get(), c.get());
    for (const long double x : {-2.0L, 0.0L, 5.0L}) EXPECT_NEAR(2 * x + 4 * At(y, x), 6.0L, 1e-17L);

    const NodePtr u = Parse("X^2"), v = Parse("10");
    const NodePtr lerp = MakeLerp(op::kVarT, u.get(), v.get());
    for (const auto& [t, expected] : {std::pair{0.0L, 9.0L}, {1.0L, 10.0L}, {0.25L, 9.25L}}) {
        ctx.SetVar(slot::kT, t);
        EXPECT_EQ(At(lerp, 3), expected);
    }
}

TEST_F(TreeBuildersTest, AnUndefinedPartGivesNoTree) {
    const NodePtr u = Parse("X");
    EXPECT_EQ(MakeQuotient(u.get(), nullptr), nullptr);
    EXPECT_EQ(MakeSumPlusProducts(u.get(), u.get(), nullptr, u.get(), u.get()), nullptr);
    EXPECT_EQ(MakeBoundLinear(u.get(), nullptr, u.get(), slot::kT, 'L'), nullptr);
    const NodeVec3 cross =
        MakeCrossProduct3({u.get(), nullptr, u.get()}, {u.get(), u.get(), u.get()});
    EXPECT_EQ(cross[0], nullptr);  // uses the missing component
    EXPECT_NE(cross[1], nullptr);  // does not
    EXPECT_EQ(MakePolarXY(nullptr, u.get())[0], nullptr);
}

TEST_F(TreeBuildersTest, TangentLineOfACircleFollowsItsPointText) {
    // c(t) = (cos t, sin t); the tangent at t = u is c(u) + T c'(u), with u a parameter.
    const NodePtr cx = Parse("COS(T)"), cy = Parse("SIN(T)");
    const NodePtr dx = Parse("-SIN(T)"), dy = Parse("COS(T)");
    const NodePtr at = Parse("B");
    const NodePtr lineX = MakeBoundLinear(dx.get(), cx.get(), at.get(), slot::kT, 'L');
    const NodePtr lineY = MakeBoundLinear(dy.get(), cy.get(), at.get(), slot::kT, 'L');
    for (const long double u : {0.3L, 2.0L}) {
        ctx.SetVar(2, u);  // B
        for (const long double t : {-1.0L, 0.0L, 2.5L}) {
            ctx.SetVar(slot::kT, t);
            EXPECT_NEAR(At(lineX, 0), std::cos(u) - t * std::sin(u), 1e-18L);
            EXPECT_NEAR(At(lineY, 0), std::sin(u) + t * std::cos(u), 1e-18L);
            EXPECT_EQ(ctx.Var(slot::kT), t);  // the bound nodes give T back
        }
    }
}

TEST_F(TreeBuildersTest, PointSlopeChainInterpolatesItsPoints) {
    // Newton form through (0, 1), (1, 3), (2, 2): divided differences 1, 2, -1.5.
    TExprNode root;
    TExprNode* hole = SetPointSlopeTemplate(root, 0.0L, 12);
    hole = SetPointSlopeTemplate(*hole, 1.0L, 13);
    SetPointSlopeTemplate(*hole, 2.0L, 14);
    ctx.extraReal[12] = 1.0L;
    ctx.extraReal[13] = 2.0L;
    ctx.extraReal[14] = -1.5L;
    NodePtr tree = TExprNode::CopyTree(&root);
    for (const auto& [x, y] : {std::pair{0.0L, 1.0L}, {1.0L, 3.0L}, {2.0L, 2.0L}, {3.0L, -2.0L}})
        EXPECT_EQ(At(tree, x), y);
}

}  // namespace
}  // namespace quorlin
