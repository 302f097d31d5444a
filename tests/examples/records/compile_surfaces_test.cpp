// Compilation of surfaces and 3D constructions, checked by evaluating their trees: planes,
// tubes, surfaces of revolution (parametric, stepped, implicit), the plane through mesh points,
// parametric lines and the end points of points and segments.
#include <cmath>
#include <numbers>

#include "examples/compile_fixture.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
using quorlin::testing::AllNear;

// Parameter pairs spread over the square [-1, 1] x [-1, 1] and beyond.
constexpr std::pair<long double, long double> kParams[] = {
    {0, 0}, {0.3L, -0.7L}, {-1, 1}, {2.5L, 0.1L}, {0.9L, 4}};

TEST_F(CompileTest, PlanePointsLieOnTheirPlane) {
    struct Case {
        std::initializer_list<const char*> texts;
        Vec3 normal, point;
    };
    const Case cases[] = {
        {{"1", "2", "3", "1,0,-1", "", "4"}, {1, 2, 3}, {1, 0, -1}},
        {{"0", "0", "2", "5,6,7", "", "4"}, {0, 0, 2}, {5, 6, 7}}  // horizontal
    };
    for (const Case& c : cases) {
        const int i = Add(kind::kPlane, c.texts);
        for (const auto& [t, u] : kParams) {
            const Vec3 d = PointAt(i, t, u) - c.point;
            EXPECT_NEAR(Vec3Dot(c.normal, d), 0, 1e-15L) << i;
            // The two directions have length h = 2 and are perpendicular.
            EXPECT_NEAR(Vec3Dot(d, d), 4 * (t * t + u * u), 1e-14L) << i;
        }
    }
    const int horizontal = 1;
    // k + h along x, m + h along y.
    EXPECT_TRUE(AllNear({At(horizontal, 1, 1, 0), At(horizontal, 2, 0, 1)}, {7, 8}, 1e-15L));
}

TEST_F(CompileTest, TubePointsLieAtTheRadiusAcrossTheCurve) {
    using Curve = Vec3 (*)(long double);  // a point or the tangent of the curve at t
    const Curve helix = [](long double t) { return Vec3{std::cos(t), std::sin(t), t / 3}; };
    const Curve helixTangent = [](long double t) {
        return Vec3{-std::sin(t), std::cos(t), 1.0L / 3};
    };
    const Curve line = [](long double t) { return Vec3{t, 2 * t, 1}; };
    const Curve lineTangent = [](long double) { return Vec3{1, 2, 0}; };
    const struct {
        std::initializer_list<const char*> texts;
        Curve curve, tangent;
        long double radius;
    } cases[] = {{{"COS(T)", "SIN(T)", "T/3", "0.5"}, helix, helixTangent, 0.5L},
                 {{"T", "2*T", "1", "1"}, line, lineTangent, 1}};  // straight: a fixed frame
    for (const auto& c : cases) {
        const int i = Add(kind::kTube, c.texts);
        for (const auto& [t, u] : kParams) {
            const Vec3 d = PointAt(i, t, u) - c.curve(t);
            EXPECT_NEAR(Vec3Length(d), c.radius, 1e-14L) << i << " " << t << " " << u;
            EXPECT_NEAR(Vec3Dot(d, c.tangent(t)), 0, 1e-14L) << i << " " << t << " " << u;
        }
    }
}

TEST_F(CompileTest, RevolutionPointsLieAtTheProfilesDistanceFromTheAxis) {
    using Profile = Vec2 (*)(long double);  // the profile's point at t
    const Profile parabola = [](long double t) { return Vec2{t, 1 + t * t}; };
    const Profile circle = [](long double t) { return Vec2{2 + std::cos(t), std::sin(t)}; };
    const Profile segment = [](long double t) { return Vec2{1 + 2 * t, 2 - 3 * t}; };
    const struct {
        int subKind;
        std::initializer_list<const char*> texts;
        long double a, b, c;  // the axis a x + b y = c
        Profile profile;
    } cases[] = {{kind::kExplicit, {"", "1+X^2"}, 0, 1, 0, parabola},
                 {kind::kParametric, {"2+COS(T)", "SIN(T)"}, 1, 1, 1, circle},
                 {kind::kSegment, {"1", "2", "3", "-1"}, 3, -4, 2, segment}};
    for (const auto& c : cases) {
        const int i = Add(kind::kRevolution, c.texts, [&](TExample& e) {
            e.subKind = static_cast<std::int16_t>(c.subKind);
            e.Number(TNumber::kAxisA) = c.a, e.Number(TNumber::kAxisB) = c.b,
            e.Number(TNumber::kAxisC) = c.c;
        });
        const long double norm = std::hypot(c.a, c.b);
        for (const auto& [t, u] : kParams) {
            const Vec3 p = PointAt(i, t, u);
            const Vec2 q = c.profile(t);
            const long double distance = (c.a * q.x + c.b * q.y - c.c) / norm;
            // Distance of p from the axis line {a x + b y = c, z = 0}.
            const long double along = (c.a * p.x + c.b * p.y - c.c) / norm;
            EXPECT_NEAR(std::hypot(along, p.z), std::fabs(distance), 1e-14L) << i;
            EXPECT_NEAR(p.z, distance * std::sin(u), 1e-14L) << i;
        }
        // At angle 0 the surface passes through the profile.
        EXPECT_TRUE(AllNear({At(i, 1, 0.4L, 0), At(i, 2, 0.4L, 0)},
                            {c.profile(0.4L).x, c.profile(0.4L).y}, 1e-15L))
            << i;
    }
}

TEST_F(CompileTest, RangesAsParametersAndSteppedSurfaces) {
    // t over [A, 2] with A = 0.5, the angle over [0, pi]; stepped mode 5.
    ctx.SetVar(1, 0.5L);
    const int i = Add(kind::kRevolution, {"", "X"}, [](TExample& e) {
        e.subKind = kind::kExplicit, e.EndsBound() = 1, e.listing = 5, e.divisions[0] = 10;
        e.Number(TNumber::kAxisA) = 0, e.Number(TNumber::kAxisB) = 1,
        e.Number(TNumber::kFirstLetterPair) = 1;
        e.Number(TNumber::kFirstLow) = 0.5L, e.Number(TNumber::kFirstHigh) = 2,
        e.Number(TNumber::kSecondHigh) = kPi;
    });
    EXPECT_EQ(Ex(i).divisions[0], 19);
    // T = 0: the low end A; T = 1: the high end; U = 1/2: a quarter turn.
    EXPECT_TRUE(AllNear({At(i, 1, 0, 0), At(i, 1, 1, 0), At(i, 3, 1, 0.5L)},
                        {0.5L, 2, 2 * std::sin(kPi / 2)}, 1e-15L));
    EXPECT_TRUE(TExprNode::ContainsOp(Ex(i).Tree(1).get(), op::kRevolutionFootWide));
    EXPECT_TRUE(TExprNode::ContainsOp(Ex(i).Tree(3).get(), op::kRevolutionScale));
    compiler.CompileExample(i);  // again: the count is not stepped twice
    EXPECT_EQ(Ex(i).divisions[0], 19);
    Ex(i).listing = 0;
    compiler.CompileExample(i);
    EXPECT_EQ(Ex(i).divisions[0], 10);
}

TEST_F(CompileTest, ImplicitRevolutionIsATorus) {
    // The circle (x - 3)^2 + y^2 = 1 turned about the y-axis (x = 0).
    const int i = Add(kind::kRevolution, {"", "", "", "(X-3)^2+Y^2-1"}, [](TExample& e) {
        e.subKind = kind::kImplicit, e.Number(TNumber::kAxisA) = 1;
    });
    for (const auto& [t, u] : kParams) {
        const long double r = 3 + std::cos(t);
        const Vec3 onTorus{r * std::cos(u), std::sin(t), r * std::sin(u)};
        EXPECT_NEAR(Value(Ex(i).Tree(4), {0, 0, onTorus.x, onTorus.y, onTorus.z}), 0, 1e-14L);
        EXPECT_GT(Value(Ex(i).Tree(4), {0, 0, 0.25L * onTorus.x, onTorus.y, 0.25L * onTorus.z}),
                  0.1L);
    }
    EXPECT_NE(inventory.Entry(i).substituted, nullptr);
}

TEST_F(CompileTest, PlaneThroughMeshPoints) {
    // Points of z = 1 + x + 2y on a grid whose rows hold divisions[1] + 1 = 4 points.
    TExample e;
    e.divisions[1] = 3;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            e.points.push_back({0.5L * col, 0.25L * row, 1 + 0.5L * col + 0.5L * row});
    const int i = inventory.Append(std::move(e));
    int axis = 1;
    NodePtr z = compiler.PlaneEquationTree(i, axis);
    EXPECT_EQ(axis, 3);
    EXPECT_NEAR(Value(z, {0, 0, 2, -1}), 1 + 2 - 2, 1e-15L);
    axis = 0;
    NodePtr plane = compiler.PlaneEquationTree(i, axis);
    EXPECT_NEAR(Value(plane, {0, 0, 2, -1, 1}), 0, 1e-15L);
    EXPECT_NE(Value(plane, {0, 0, 2, -1, 2}), 0);
}

TEST_F(CompileTest, ParametricLinesAndEndPoints) {
    TExample line;
    for (int k = 0; k < 3; ++k) {
        line.Tree(k + 1) = TExprNode::NewConst(k + 1.0L);   // direction (1, 2, 3)
        line.Tree(k + 5) = TExprNode::NewConst(10.0L * k);  // point (0, 10, 20)
    }
    const int i = inventory.Append(std::move(line));
    compiler.BuildParametricLine(i);
    EXPECT_EQ(std::tuple(PointAt(i, 2).z, At(i, 4, 0), At(i, 6, 0)), std::tuple(26, 0, 2));

    Vec2 p1, p2;
    const int polarPoint = Add(kind::kPoint, {"2", "PI/2"}, [](TExample& e) { e.PolarForm() = 1; });
    ASSERT_EQ(compiler.EvalEndPoints(polarPoint, p1, p2), 0);
    EXPECT_TRUE(AllNear({p1.x, p2.y}, {0, 2}, 1e-18L));
    const int segment = Add(kind::kSegment, {"1", "2", "3", "1/0"});
    EXPECT_EQ(compiler.EvalEndPoints(segment, p1, p2), 1);

    NodePtr clamp = MakeClampTree(TExprNode::NewOp(op::kVarX).get());
    for (const auto& [x, y] : {std::pair{-1.0L, 0.0L}, {0.25L, 0.25L}, {3.0L, 1.0L}})
        EXPECT_EQ(Value(clamp, {0, 0, x}), y);
}

// A cylindrical surface's additional turns come from its t range when it is compiled: a range
// of n turns and a bit more is n further turns; an exact turn, an empty range and one that is
// not a number are none; a huge range is held to the bound. Other kinds keep their word.
TEST_F(CompileTest, ACylindricalSurfaceCountsTheTurnsOfItsTRange) {
    const struct {
        long double low, high;
        int turns;
    } rows[] = {
        {0, 4 * kPi, 1},
        {-1, 2 * kPi - 1, 0},
        {0.5L, 0.5L + 4 * kPi + 0.01L, 2},
        {-3, -3 + 6 * kPi, 2},
        {2, 1, 0},
        {0, 1e9L, kMostAdditionalTurns},
        {0, NAN, 0},
    };
    for (const auto& row : rows) {
        const int i = Add(kind::kPolarSurface, {"", "", "T"}, [&row](TExample& e) {
            e.subKind = 7;
            e.rangeLow[1] = row.low;
            e.rangeHigh[1] = row.high;
        });
        EXPECT_EQ(Ex(i).AdditionalTurns(), row.turns) << row.low << ".." << row.high;
        EXPECT_EQ(AdditionalTurnsOf(row.low, row.high), row.turns);
    }
    const int plane = Add(kind::kSurface, {"", "", "X"}, [](TExample& e) {
        e.subKind = 7;
        e.rangeHigh[1] = 20;
    });
    EXPECT_EQ(Ex(plane).subKind, 7);
}

}  // namespace
}  // namespace quorlin::examples
