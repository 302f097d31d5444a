// Taylor polynomials, tangent lines, marked points, trajectory entries and surface tangents
// against their closed forms, and the creators' refusals.
#include "examples/operations/tangents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "core/errors.h"
#include "examples/compile_fixture.h"
#include "examples/records/record_validator.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;

class TangentsTest : public CompileTest {
protected:
    TTangentBuilder builder{inventory, compiler, ctx, 2};

    long double TreeAt(int i, int k, Vars v) { return Value(Ex(i).Tree(k), v); }
};

TEST_F(TangentsTest, TaylorPolynomialsMatchTheirClosedForms) {
    struct Case {
        const char* f;
        int degree;
        const char* centre;
        long double a;  // the centre's value, A where the text names it
        long double (*closed)(long double x, long double a);
    };
    const Case cases[] = {
        {"sin(x)", 3, "0", 0, [](long double x, long double) { return x - x * x * x / 6; }},
        {"exp(x)", 4, "0", 0,
         [](long double x, long double) {
             return 1 + x + x * x / 2 + x * x * x / 6 + x * x * x * x / 24;
         }},
        {"sin(x)", 2, "A", 0.5L,
         [](long double x, long double a) {
             const long double d = x - a;
             return std::sin(a) + std::cos(a) * d - std::sin(a) / 2 * d * d;
         }},
        {"exp(x)", 1, "A", -1.0L,
         [](long double x, long double a) { return std::exp(a) * (1 + (x - a)); }},
        {"sin(x)", 0, "0", 0, [](long double, long double) { return 0.0L; }}};
    for (const Case& c : cases) {
        inventory.Clear();
        const int f = Add(kind::kExplicit, {"", c.f});
        ctx.SetVar(1, c.a);  // A
        const TAddResult r = builder.AddTaylorPolynomial(f, c.degree, c.centre);
        ASSERT_TRUE(r.Added()) << c.f << " " << c.degree;
        EXPECT_EQ(Ex(r.index).derivation, derived::kTaylor);
        EXPECT_EQ(Ex(r.index).derivationParam, c.degree);
        for (long double x : {-1.0L, 0.25L, 0.8L})
            EXPECT_NEAR(static_cast<double>(TreeAt(r.index, 2, {.x = x})),
                        static_cast<double>(c.closed(x, c.a)), 1e-12)
                << c.f << " at " << c.centre << ", x = " << static_cast<double>(x);
    }
}

TEST_F(TangentsTest, ATaylorCentreGivenAsAParameterFollowsIt) {
    const int f = Add(kind::kExplicit, {"", "exp(x)"});
    ctx.SetVar(1, 0.0L);
    const int t = builder.AddTaylorPolynomial(f, 1, "A").index;
    ASSERT_GE(t, 0);
    const long double atA0 = TreeAt(t, 2, {.x = 1});
    ctx.SetVar(1, 1.0L);  // the slider of A moved: the line now touches at 1
    EXPECT_TRUE(AllNear({atA0, TreeAt(t, 2, {.x = 1})}, {2, std::exp(1.0L)}, 1e-15L));
    EXPECT_TRUE(compiler.Symbols().UsesLetter(1));
}

TEST_F(TangentsTest, CreatorsRefuseWhatTheyCannotBuild) {
    const int f = Add(kind::kExplicit, {"", "x^2"});
    const int evolute = Add(kind::kParametric, {"t", "t^2"}, [](TExample& e) {
        e.derivation = 83;
        e.parent = {0, -1};
    });
    struct Case {
        int parent, degree;
        const char* centre;
        int error;
    };
    for (const Case& c : {Case{f, 10, "0", kErrOutOfBounds}, Case{f, -1, "0", kErrOutOfBounds},
                          Case{f, 2, "(1", kErrCannotUnderstand}, Case{evolute, 1, "0", 106}}) {
        const int before = inventory.Count();
        const TAddResult r = builder.AddTaylorPolynomial(c.parent, c.degree, c.centre);
        EXPECT_EQ(r.error, c.error) << c.degree << " " << c.centre;
        EXPECT_EQ(inventory.Count(), before);
    }
    // A record read with a degree outside 0-9 is not built either.
    const int t = builder.AddTaylorPolynomial(f, 2, "0").index;
    ASSERT_GE(t, 0);
    Ex(t).derivationParam = 12;
    EXPECT_EQ(builder.Rebuild(t), std::optional<bool>(false));
    // Every creator checks the room first.
    ASSERT_TRUE(inventory.SetCapacity(inventory.LastIndex(), true));
    TTrajectory trajectory;
    EXPECT_EQ(builder.AddTaylorPolynomial(f, 1, "0").error, kErrNoMoreRoom);
    EXPECT_EQ(builder.AddMarkedPoint(f, "0", 2).error, kErrNoMoreRoom);
    EXPECT_EQ(builder.AddTrajectoryPoint(f, trajectory, 1, 2).error, kErrNoMoreRoom);
    EXPECT_EQ(builder.AddTangentPlane(f, "0;0", {}, 4).error, kErrNoMoreRoom);
}

// Parents compiled past their work budget have no derivatives: every creator that needs them
// says the formula is too long and adds nothing, where one that needs none still works. The
// curve is over its budget by its formula; the others are left as such a compilation leaves
// an example: texts and own trees kept, derivative trees (and a curve's curvature) dropped.
TEST_F(TangentsTest, CreatorsNeedingTheDerivativesOfAnOverBudgetParentSayTheFormulaIsTooLong) {
    const int curve = Add(kind::kExplicit, {"", "DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))"});
    ASSERT_TRUE(Ex(curve).overBudget);
    const int path = Add(kind::kParametric, {"t^2", "t^3"}, [](TExample& e) { e.Text(7) = "0;2"; });
    const int surface = Add(kind::kSurface, {"", "", "x^2*y"});
    for (const auto& [i, first] : {std::pair(path, 4), std::pair(surface, 5)}) {
        Ex(i).overBudget = true;
        for (int k = first; k <= 7; ++k) Ex(i).Tree(k).reset();
    }
    const std::function<TAddResult()> creators[] = {
        [&] { return builder.AddTaylorPolynomial(curve, 3, "0.5"); },
        [&] { return builder.AddTaylorPolynomial(path, 1, "0.5"); },
        [&] { return builder.AddTangentLineEntry(path, "0.5"); },
        [&] { return builder.AddTangentPlane(surface, "0.5;0.25", {}, 4); },
        [&] { return builder.AddTangentLines(surface, "0.5;0.25", {}); }};
    for (std::size_t k = 0; k < std::size(creators); ++k) {
        const int before = inventory.Count();
        EXPECT_EQ(creators[k]().error, kErrFormulaTooLong) << k;
        EXPECT_EQ(inventory.Count(), before) << k;
    }
    const TAddResult point = builder.AddMarkedPoint(path, "0.5", 2);
    ASSERT_TRUE(point.Added());
    EXPECT_NEAR(static_cast<double>(TreeAt(point.index, 2, {})), 0.125, 1e-15);
}

TEST_F(TangentsTest, TangentLineOfACurvePassesThroughItsPointAlongItsDerivative) {
    const int c = Add(kind::kParametric, {"t^2", "t^3"}, [](TExample& e) { e.Text(7) = "0;2"; });
    ctx.SetVar(2, 1.5L);                                          // B
    const TAddResult r = builder.AddTaylorPolynomial(c, 3, "B");  // not explicit: a tangent line
    ASSERT_TRUE(r.Added());
    const TExample& line = Ex(r.index);
    EXPECT_EQ(std::tuple(line.kind, line.derivation),
              std::tuple(kind::kParametric, derived::kTangentLine));
    const long double u = 1.5L;
    for (long double s : {-2.0L, 0.0L, 0.7L})
        EXPECT_TRUE(AllNear({TreeAt(r.index, 1, {.t = s}), TreeAt(r.index, 2, {.t = s})},
                            {u * u + s * 2 * u, u * u * u + s * 3 * u * u}, 1e-13L));
    // Its range stays [-5, 5] when its range texts are compiled again.
    compiler.CompileCurveData(r.index);
    compiler.EvaluateRanges(r.index);
    EXPECT_EQ(std::tuple(line.rangeLow[0], line.rangeHigh[0]), std::tuple(-5, 5));
}

TEST_F(TangentsTest, MarkedPointsLieOnTheirCurves) {
    const int e = Add(kind::kExplicit, {"", "x^3"});
    const int p = Add(kind::kParametric, {"cos(t)", "sin(t)"});
    const int a = builder.AddMarkedPoint(e, "2", 3).index;
    const int b = builder.AddMarkedPoint(p, "pi/2", 3).index;
    ASSERT_TRUE(a >= 0 && b >= 0);
    EXPECT_EQ(std::tuple(Ex(a).kind, Ex(a).pen.width, Ex(a).Text(1)),
              std::tuple(kind::kPoint, 3, "2"));
    // Whatever the variables hold, the point is where the parameter puts it.
    EXPECT_TRUE(AllNear({TreeAt(a, 1, {.t = 9, .x = 7}), TreeAt(a, 2, {.t = 9, .x = 7}),
                         TreeAt(b, 1, {.t = 9}), TreeAt(b, 2, {.t = 9})},
                        {2, 8, 0, 1}, 1e-15L));
}

TEST_F(TangentsTest, TrajectoryEntriesFollowTheStateAndTheField) {
    // x' = -y, y' = x from (1, 0): the unit circle, field length 1.
    const int sys = Add(kind::kSystem, {"-y", "x"});
    builder.SetStateAt([](TExample&, const TTrajectory& t, long double time) {
        const long double s = time - t.startTime;
        return std::optional<Vec3>(Vec3{t.startX * std::cos(s), t.startX * std::sin(s), 0});
    });
    TTrajectory trajectory;
    trajectory.Init(kind::kSystem, 0, 1, 2, 2, 0, 1);
    trajectory.startX = 1;
    trajectory.endTime = 10;
    const long double t = 0.6L;
    const int point = builder.AddTrajectoryPoint(sys, trajectory, t, 2).index;
    const int vector = builder.AddTrajectoryLine(sys, trajectory, t, 79, 2.0L, 1.0L).index;
    const int tangent = builder.AddTrajectoryLine(sys, trajectory, t, 80, -1, 1.0L).index;
    ASSERT_TRUE(point >= 0 && vector >= 0 && tangent >= 0);
    const long double c = std::cos(t), s = std::sin(t);
    // The vector runs from the state along the field over [0, length / speed].
    EXPECT_EQ(std::tuple(Ex(vector).rangeHigh[0], Ex(vector).Number(TNumber::kArrowT)),
              std::tuple(2, 2));
    EXPECT_TRUE(AllNear({TreeAt(point, 1, {}), TreeAt(point, 2, {}), TreeAt(vector, 1, {.t = 2}),
                         TreeAt(vector, 2, {.t = 2}), Ex(tangent).rangeHigh[0]},
                        {c, s, c - 2 * s, s + 2 * c, 0.35L * std::sqrt(3.0L)}, 1e-15L));
    // A field that vanishes keeps the vector's range [0, 1].
    const int still = builder.AddTrajectoryLine(sys, trajectory, t, 79, 2.0L, 0.0L).index;
    ASSERT_GE(still, 0);
    EXPECT_EQ(Ex(still).rangeHigh[0], 1);
    // What the builders store passes the check every diagram file goes through.
    for (int i = 0; i < inventory.Count(); ++i) EXPECT_TRUE(ValidateExample(Ex(i), i).Ok()) << i;
}

class SurfaceTangentsTest : public TangentsTest {
protected:
    SurfaceTangentsTest() { ctx.dimension = 3; }
    TTangentBuilder builder3{inventory, compiler, ctx, 3};
};

TEST_F(SurfaceTangentsTest, TangentPlaneNormalAgreesWithFiniteDifferences) {
    struct Case {
        int kind;
        std::initializer_list<const char*> texts;
        Vec3 (*surface)(long double p, long double q);
    };
    const Case cases[] = {{kind::kSurface,
                           {"", "", "x^2*y + sin(y)"},
                           [](long double x, long double y) {
                               return Vec3{x, y, x * x * y + std::sin(y)};
                           }},
                          {kind::kParametricSurface,
                           {"t*cos(u)", "t*sin(u)", "t^2"},
                           [](long double t, long double u) {
                               return Vec3{t * std::cos(u), t * std::sin(u), t * t};
                           }}};
    for (const Case& c : cases) {
        inventory.Clear();
        const int s = Add(c.kind, c.texts);
        const int plane = builder3.AddTangentPlane(s, "0.5;C", {0, 0, 0}, 4).index;
        ASSERT_GE(plane, 0);
        EXPECT_EQ(Ex(plane).kind, kind::kPlane);
        ctx.SetVar(3, 1.2L);  // C: the point follows the parameter
        const long double p = 0.5L, q = 1.2L, d = 1e-6L;
        const Vec3 at = c.surface(p, q);
        const Vec3 dp = (1 / (2 * d)) * (c.surface(p + d, q) - c.surface(p - d, q));
        const Vec3 dq = (1 / (2 * d)) * (c.surface(p, q + d) - c.surface(p, q - d));
        Vec3 expected = Vec3Cross(dp, dq);
        ASSERT_TRUE(Vec3Normalize(expected));
        // The plane's surface: its centre is the point, its two directions span the plane.
        const Vec3 o = PointAt(plane, 0, 0);
        Vec3 n = Vec3Cross(PointAt(plane, 1, 0) - o, PointAt(plane, 0, 1) - o);
        ASSERT_TRUE(Vec3Normalize(n));
        EXPECT_NEAR(static_cast<double>(Vec3Length(o - at)), 0.0, 1e-12);
        EXPECT_NEAR(static_cast<double>(std::fabs(Vec3Dot(n, expected))), 1.0, 1e-9);
        // The tangent lines run along the surface's parameter directions.
        const int second = builder3.AddTangentLines(s, "0.5;C", {0, 0, 0}).index;
        ASSERT_GE(second, 1);
        for (int k = 0; k < 2; ++k) {
            const int line = second - 1 + k;
            EXPECT_EQ(Ex(line).derivation, derived::kSurfaceLine);
            const Vec3 direction = PointAt(line, 1) - PointAt(line, 0);
            const Vec3 along = k == 0 ? dp : dq;
            EXPECT_NEAR(static_cast<double>(Vec3Length(PointAt(line, 0) - at)), 0.0, 1e-12);
            EXPECT_NEAR(static_cast<double>(Vec3Length(direction - along)), 0.0, 1e-8);
        }
        for (int i = 0; i < inventory.Count(); ++i)
            EXPECT_TRUE(ValidateExample(Ex(i), i).Ok()) << i;
    }
}

}  // namespace
}  // namespace quorlin::examples
