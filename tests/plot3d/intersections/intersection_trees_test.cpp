// The trees of a surface intersection evaluated at points: the zero set and the solved
// coordinate of each pair of surfaces, the tangent orthogonal to both normals, a parametric
// surface's parameter plane with its ranges, a plane without a normal refused, the stored normal
// while a diagram is read (refused when it is not a number), and the points of the curve in space.
#include "plot3d/intersections/intersection_trees.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "plot3d/intersections/surface_pair.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;

class IntersectionTreesTest : public ::testing::Test {
protected:
    // An example of the kind with the texts parsed into trees 1-7 (empty: no tree).
    TExample Surface(int kind, const std::array<std::string, 7>& trees) {
        TExample e;
        e.Init(kind, 1, 50);
        for (std::size_t k = 0; k < trees.size(); ++k) {
            if (trees[k].empty()) continue;
            EXPECT_EQ(f.Parse(trees[k]), 0) << trees[k];
            e.trees[k] = f.TakeParseResult();
        }
        e.boxMin = {-3, -3, -3};
        e.boxMax = {3, 3, 3};
        return e;
    }
    // z = f(x, y) with its normal (f_x, f_y, -1).
    TExample Explicit(const std::string& z, const std::string& fx, const std::string& fy) {
        return Surface(301, {"", "", z, "", fx, fy, "-1"});
    }
    TExample Sphere() { return Surface(305, {"", "", "", "x^2+y^2+z^2-4", "2*x", "2*y", "2*z"}); }
    // A plane through p whose mesh starts with p, p + u, p + v (one mesh row of two points).
    TExample Plane(Vec3 p, Vec3 u, Vec3 v) {
        TExample e = Surface(315, {"", "", "", "", Number(p.x), Number(p.y), Number(p.z)});
        e.divisions = {1, 1, 36};
        e.points = {p, p + u, p + v, p + u + v};
        return e;
    }
    static std::string Number(long double v) { return std::to_string(static_cast<double>(v)); }

    long double At(TExprNode* tree, long double x, long double y, long double z = 0) {
        EXPECT_NE(tree, nullptr);
        if (!tree) return -999;
        f.SetVar(slot::kX, x);
        f.SetVar(slot::kY, y);
        f.SetVar(slot::kZ, z);
        EXPECT_TRUE(f.Evaluate(*tree));
        return tree->re;
    }
    TExample Built(int code, const TExample& p, const TExample& q, bool reading = false) {
        TExample e;
        e.Init(317, 1, 50);
        e.derivation = static_cast<std::uint16_t>(code);
        EXPECT_EQ(BuildIntersectionTrees(f, p, q, reading, e), 0) << code;
        return e;
    }

    FormulaContext f;
};

TEST_F(IntersectionTreesTest, TwoExplicitSurfacesMeetWhereTheirHeightsAgree) {
    // z = x + y with z = 2x: tree 4 = (x + y) - 2x, zero on y = x; tree 3 = 2x.
    TExample e = Built(143, Explicit("x+y", "1", "1"), Explicit("2*x", "2", "0"));
    EXPECT_EQ(e.SolvedAxis(), 0);
    EXPECT_EQ(IntersectionLevelVariable(e), slot::kZ);
    EXPECT_EQ(At(e.Tree(4).get(), 1.5L, 1.5L), 0);
    EXPECT_EQ(At(e.Tree(4).get(), 1.5L, 2.25L), 0.75L);
    EXPECT_EQ(At(e.Tree(3).get(), 1.5L, -7), 3);
    // The tangent (1, 1, -1) x (2, 0, -1) = (-1, -1, -2), orthogonal to both normals.
    const std::array<long double, 3> tangent{At(e.Tree(5).get(), 0.5L, 0.5L),
                                             At(e.Tree(6).get(), 0.5L, 0.5L),
                                             At(e.Tree(7).get(), 0.5L, 0.5L)};
    EXPECT_EQ(tangent, (std::array<long double, 3>{-1, -1, -2}));
    EXPECT_EQ(tangent[0] * 1 + tangent[1] * 1 - tangent[2], 0);
    EXPECT_EQ(tangent[0] * 2 - tangent[2], 0);
}

TEST_F(IntersectionTreesTest, ZeroSetsAndSolvedCoordinatesOfEachPairInAPlane) {
    const TExample sphere = Sphere();
    const TExample height1 = Explicit("1", "0", "0");
    const TExample planeX1 = Plane({1, 0.5L, -0.25L}, {0, 1, 0}, {0, 0, 1});  // x = 1
    const TExample planeZ1 = Plane({0.5L, 0.25L, 1}, {1, 0, 0}, {0, 1, 0});   // z = 1
    const struct {
        const char* name;
        int code;
        const TExample& p;
        const TExample& q;
        int solvedAxis;
        Vec3 on;   // a point of the curve in the plane (the solved coordinate 0)
        Vec3 off;  // another point, with the value tree 4 takes there
        long double offValue;
        long double solvedValue;  // tree 3 at `on`
    } rows[] = {
        // The sphere of radius 2 with z = 1: x^2 + y^2 - 3.
        {"sphere/explicit",
         144,
         sphere,
         height1,
         0,
         {1.5L, std::sqrt(0.75L), 0},
         {1.25L, 0.5L, 0},
         -1.1875L,
         1},
        // The plane z = 1 with z = x + y: its implicit form with z = x + y put in.
        {"plane/explicit",
         145,
         planeZ1,
         Explicit("x+y", "1", "1"),
         0,
         {0.25L, 0.75L, 0},
         {1, 1, 0},
         1,
         1},
        // The sphere with the plane x = 1: solved for x, zero on y^2 + z^2 = 3.
        {"sphere/plane x=1",
         146,
         sphere,
         planeX1,
         -2,
         {0, 1.5L, std::sqrt(0.75L)},
         {0, 1.5L, 0.5L},
         -0.5L,
         1},
        // The planes z = 1 and x = 1: the line x = 1, z = 1, solved for x; tree 4 = z - 1.
        {"two planes", 147, planeZ1, planeX1, -2, {0, 2.5L, 1}, {0, 2.5L, 1.75L}, 0.75L, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TExample e = Built(row.code, row.p, row.q);
        EXPECT_EQ(e.SolvedAxis(), row.solvedAxis);
        EXPECT_NEAR(static_cast<double>(At(e.Tree(4).get(), row.on.x, row.on.y, row.on.z)), 0,
                    1e-15);
        EXPECT_NEAR(static_cast<double>(At(e.Tree(4).get(), row.off.x, row.off.y, row.off.z)),
                    static_cast<double>(row.offValue), 1e-15);
        // Tree 4 does not depend on the solved coordinate.
        const int solvedOp = row.solvedAxis == 0 ? 'Z' : 'X';
        EXPECT_FALSE(TExprNode::ContainsOp(e.Tree(4).get(), solvedOp));
        EXPECT_NEAR(static_cast<double>(At(e.Tree(3).get(), row.on.x, row.on.y, row.on.z)),
                    static_cast<double>(row.solvedValue), 1e-15);
        // The point in space: the solved coordinate from tree 3.
        const auto space = IntersectionPointInSpace(f, e, row.on);
        ASSERT_TRUE(space);
        Vec3 expected = row.on;
        (row.solvedAxis == 0 ? expected.z : expected.x) = row.solvedValue;
        EXPECT_EQ(space->x, expected.x);
        EXPECT_EQ(space->y, expected.y);
        EXPECT_EQ(space->z, expected.z);
    }
}

TEST_F(IntersectionTreesTest, TheTangentIsOrthogonalToBothNormalsOnTheCurve) {
    TExample e = Built(144, Sphere(), Explicit("1", "0", "0"));
    // On the circle x^2 + y^2 = 3 at z = 1: (2x, 2y, 2) x (0, 0, -1) = (-2y, 2x, 0).
    const long double x = 1.25L;
    const long double y = std::sqrt(3 - x * x);
    const Vec3 t{At(e.Tree(5).get(), x, y), At(e.Tree(6).get(), x, y), At(e.Tree(7).get(), x, y)};
    EXPECT_EQ(t.x, -2 * y);
    EXPECT_EQ(t.y, 2 * x);
    EXPECT_EQ(t.z, 0);
    EXPECT_NEAR(static_cast<double>(t.x * 2 * x + t.y * 2 * y + t.z * 2), 0, 1e-15);
}

TEST_F(IntersectionTreesTest, AParametricParentGivesAFunctionOfItsParameters) {
    TExample q = Surface(303, {"t", "u", "t*u", "", "", "", ""});
    q.rangeLow = {-1.5L, 0.25L};
    q.rangeHigh = {2.5L, 3.75L};
    const struct {
        int code;
        TExample p;
        long double at23;  // G(2, 3)
        long double gx, gy;
    } rows[] = {
        // z = x + y on (t, u, t u): G = t + u - t u.
        {152, Explicit("x+y", "1", "1"), -1, -2, -1},
        // The sphere: G = t^2 + u^2 + t^2 u^2 - 4 = 4 + 9 + 36 - 4.
        {153, Sphere(), 45, 40, 30},
        // The plane z = 1: G = t u - 1, its implicit form z - 1 with z = t u.
        {154, Plane({0.5L, 0.25L, 1}, {1, 0, 0}, {0, 1, 0}), 5, 3, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        TExample e = Built(row.code, row.p, q);
        EXPECT_EQ(e.SolvedAxis(), 0);
        EXPECT_EQ(e.rangeLow, q.rangeLow);
        EXPECT_EQ(e.rangeHigh, q.rangeHigh);
        for (const int op : {'T', 'U', 'Z'})
            EXPECT_FALSE(TExprNode::ContainsOp(e.Tree(4).get(), op));
        EXPECT_EQ(At(e.Tree(4).get(), 2, 3, 11), row.at23);
        EXPECT_EQ(At(e.Tree(5).get(), 2, 3), row.gx);
        EXPECT_EQ(At(e.Tree(6).get(), 2, 3), row.gy);
        EXPECT_EQ(At(e.Tree(7).get(), 2, 3), 0);
        // The point of (t, u) in space, and nothing outside the parameter ranges.
        const auto space = IntersectionPointInSpace(f, e, {2, 3, 0});
        ASSERT_TRUE(space);
        EXPECT_EQ(space->x, 2);
        EXPECT_EQ(space->y, 3);
        EXPECT_EQ(space->z, 6);
        EXPECT_FALSE(IntersectionPointInSpace(f, e, {2.75L, 3, 0}));
        EXPECT_FALSE(IntersectionPointInSpace(f, e, {2, 0.125L, 0}));
    }
}

TEST_F(IntersectionTreesTest, APlaneWithoutANormalIsRefused) {
    const TExample collinear = Plane({1, 2, 3}, {1, 1, 1}, {2, 2, 2});
    ASSERT_FALSE(MeshPlaneNormal(collinear));
    for (const bool reading : {false, true}) {
        TExample e;
        e.Init(317, 1, 50);
        e.derivation = 146;
        EXPECT_EQ(BuildIntersectionTrees(f, Sphere(), collinear, reading, e), kErrInconsistent);
        for (const NodePtr& tree : e.trees) EXPECT_EQ(tree, nullptr);
        EXPECT_FALSE(IntersectionPointInSpace(f, e, {0, 1, 1}));
    }
    // Parents of other kinds than the code names are refused too.
    TExample e;
    e.Init(317, 1, 50);
    e.derivation = 143;
    EXPECT_EQ(BuildIntersectionTrees(f, Sphere(), Sphere(), false, e), kErrInconsistent);
}

TEST_F(IntersectionTreesTest, ADiagramReadTakesTheStoredNormal) {
    // Made from the mesh of x = 1: the normal (1, 0, 0) is stored as the second parent's.
    TExample plane = Plane({1, 0.5L, -0.25L}, {0, 2, 0}, {0, 0, 3});
    TExample e = Built(146, Sphere(), plane);
    const auto second = static_cast<std::size_t>(examples::TNumber::kSecondPlaneNormal);
    EXPECT_EQ(e.numbers[second], 1);
    EXPECT_EQ(e.numbers[second + 1], 0);
    EXPECT_EQ(e.numbers[second + 2], 0);
    EXPECT_EQ(e.SolvedAxis(), -2);
    // Read with the normal (0, 0, 2) stored and a mesh not computed yet (all zero): solved
    // for z at the plane's point, z = -0.25.
    e.numbers[second] = 0;
    e.numbers[second + 2] = 2;
    std::fill(plane.points.begin(), plane.points.end(), Vec3{0, 0, 0});
    ASSERT_EQ(BuildIntersectionTrees(f, Sphere(), plane, true, e), 0);
    EXPECT_EQ(e.SolvedAxis(), 0);
    EXPECT_EQ(At(e.Tree(3).get(), 5, 6), -0.25L);
    EXPECT_EQ(At(e.Tree(4).get(), 1, 2), 1 + 4 + 0.0625L - 4);
}

TEST_F(IntersectionTreesTest, AStoredNormalThatIsNotANumberIsRefused) {
    // A diagram's stored normal with an infinite or undefined component names no plane, also
    // beside a component that counts: the build refuses it as a plane without a normal.
    const TExample plane = Plane({1, 0.5L, -0.25L}, {0, 2, 0}, {0, 0, 3});
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const auto second = static_cast<std::size_t>(examples::TNumber::kSecondPlaneNormal);
    for (const Vec3 stored : {Vec3{kInf, 0, 0}, Vec3{1, nan, 0}, Vec3{0.5L, 2, -kInf}}) {
        TExample e;
        e.Init(317, 1, 50);
        e.derivation = 146;
        e.numbers[second] = stored.x;
        e.numbers[second + 1] = stored.y;
        e.numbers[second + 2] = stored.z;
        EXPECT_EQ(BuildIntersectionTrees(f, Sphere(), plane, true, e), kErrInconsistent)
            << stored.x << "," << stored.y << "," << stored.z;
        for (const NodePtr& tree : e.trees) EXPECT_EQ(tree, nullptr);
    }
}

TEST_F(IntersectionTreesTest, TheBoxIsTheParentsCommonBox) {
    TExample p = Explicit("x", "1", "0");
    TExample q = Explicit("y", "0", "1");
    p.boxMin = {-2, -1, -5};
    p.boxMax = {4, 3, 1};
    q.boxMin = {-1, -3, -2};
    q.boxMax = {5, 2, 6};
    const TExample e = Built(143, p, q);
    EXPECT_EQ(e.boxMin.x, -1);
    EXPECT_EQ(e.boxMin.y, -1);
    EXPECT_EQ(e.boxMin.z, -2);
    EXPECT_EQ(e.boxMax.x, 4);
    EXPECT_EQ(e.boxMax.y, 2);
    EXPECT_EQ(e.boxMax.z, 1);
}

}  // namespace
}  // namespace quorlin::plot3d
