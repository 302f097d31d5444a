// The transforms of the plane as trees, evaluated: reflections in the axes, in x = y and in a
// line, half-turns and turns about a centre, translations, each sending a point where its closed
// form says and its inverse sending it back; then the examples the tools derive from curves,
// implicit curves, lines, segments, points and fields, the texts they refuse, and derivatives of
// explicit, polar and parametric curves against their closed forms.
#include "tools2d/derived/transform_builders.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "examples/compile_fixture.h"
#include "examples/records/derivation.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/derived/derived_adders.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
namespace d = examples::derived;
constexpr long double kTolerance = 1e-12L;

class TransformTest : public examples::CompileTest {
protected:
    TDeriveContext Context() { return {inventory, ctx, compiler}; }
    // The image of example p, built; its index (the test fails when nothing was added).
    int Transform(int p, int code, TTransformTexts texts = {"1", "0", "0"}) {
        TDeriveContext context = Context();
        const TAddResult added = AppendTransformed(context, p, code, texts);
        EXPECT_EQ(added.error, 0) << code;
        return added.index;
    }
    int Refused(int p, int code, TTransformTexts texts) {
        TDeriveContext context = Context();
        const int before = inventory.Count();
        const TAddResult added = AppendTransformed(context, p, code, texts);
        EXPECT_EQ(inventory.Count(), before) << code;
        EXPECT_LT(added.index, 0);
        return added.error;
    }
    // Trees 1 and 2 of example i at T = t (X = t for an explicit curve).
    Vec2 CurveAt(int i, long double t) { return {At(i, 1, t, 0, t), At(i, 2, t, 0, t)}; }
    Vec2 MapOf(const TAffineMap& map, Vec2 p) {
        const NodePtr u = TExprNode::NewConst(p.x), v = TExprNode::NewConst(p.y);
        NodePair image = MapPoint(map, u.get(), v.get());
        return {Value(image[0], {}), Value(image[1], {})};
    }
};

struct PointCase {
    int code;
    TTransformTexts texts;
    Vec2 from;
    Vec2 to;
};

TEST_F(TransformTest, EachMapSendsAPointWhereItsClosedFormSaysAndItsInverseBringsItBack) {
    const long double root3 = std::sqrt(3.0L);
    const PointCase cases[] = {
        {d::kReflectX, {"", "", ""}, {0.5L, 3}, {0.5L, -3}},
        {d::kReflectY, {"", "", ""}, {0.5L, 3}, {-0.5L, 3}},
        {d::kReflectDiagonal, {"", "", ""}, {2, -1}, {-1, 2}},
        {d::kReflectLine, {"1", "0", "2"}, {0.5L, 3}, {3.5L, 3}},
        // 3x + 4y = 5 from (1, 2): the distance (3 + 8 - 5) / 25 along (3, 4), twice.
        {d::kReflectLine, {"3", "4", "5"}, {1, 2}, {1 - 1.44L, 2 - 1.92L}},
        {d::kHalfTurn, {"pi", "1", "1"}, {0, 0}, {2, 2}},
        {d::kRotation, {"pi/3", "0", "0"}, {1, 0}, {0.5L, 0.8660254037844386L}},
        {d::kRotation, {"30 deg", "1", "2"}, {3, 2}, {1 + root3, 3}},
        {d::kRotation, {"-pi/2", "0.5", "-1"}, {2.5L, 1}, {2.5L, -3}},
        {d::kTranslation, {"1", "2", "3"}, {0.25L, -3}, {1.25L, -1}},
    };
    for (const PointCase& c : cases) {
        TPlaneMap map;
        ASSERT_EQ(ReadPlaneMap(ctx, c.code, c.texts, map), 0) << c.code;
        const Vec2 to = MapOf(map.forward, c.from);
        EXPECT_NEAR(to.x, c.to.x, kTolerance) << c.code << " " << c.texts[0];
        EXPECT_NEAR(to.y, c.to.y, kTolerance) << c.code << " " << c.texts[0];
        const Vec2 back = MapOf(map.inverse, to);
        EXPECT_NEAR(back.x, c.from.x, kTolerance) << c.code;
        EXPECT_NEAR(back.y, c.from.y, kTolerance) << c.code;
    }
}

TEST_F(TransformTest, UnreadableOrInconsistentTextsAreRefusedBeforeAnythingIsAdded) {
    const int curve = Add(k::kExplicit, {"", "sin(x)"});
    const int join = Add(k::kExplicit, {"", "JOINX(X^2,1,3-X)"});
    EXPECT_NE(Refused(curve, d::kRotation, {"pi/", "0", "0"}), 0);
    EXPECT_NE(Refused(curve, d::kHalfTurn, {"pi", "0", "(1"}), 0);
    EXPECT_NE(Refused(curve, d::kReflectLine, {"1", "*", "0"}), 0);
    EXPECT_EQ(Refused(curve, d::kTranslation, {"x", "0", "0"}), kErrInconsistentData);
    EXPECT_EQ(Refused(curve, d::kTranslation, {"1", "2*y", "0"}), kErrInconsistentData);
    // A line whose constant coefficients vanish together is none.
    EXPECT_EQ(Refused(curve, d::kReflectLine, {"0", "0", "5"}), kErrInconsistentData);
    EXPECT_EQ(Refused(curve, d::kReflectLine, {"1e-9", "0", "5"}), kErrInconsistentData);
    // A JOIN example turns only about the x-axis (and moves).
    for (const int code :
         {d::kReflectY, d::kReflectDiagonal, d::kReflectLine, d::kHalfTurn, d::kRotation})
        EXPECT_EQ(Refused(join, code, {"1", "1", "1"}), 101) << code;
    const int flipped = Transform(join, d::kReflectX);
    EXPECT_NEAR(At(flipped, 2, 0, 0, 2.5L), -0.5L, kTolerance);
    const int moved = Transform(join, d::kTranslation, {"1", "0", "0"});
    // The pieces move with the graph: x^2 up to 2, 3 - (x - 1) after it.
    EXPECT_NEAR(At(moved, 2, 0, 0, 1.5L), 0.25L, kTolerance);
    EXPECT_NEAR(At(moved, 2, 0, 0, 2.5L), 1.5L, kTolerance);
}

TEST_F(TransformTest, ALineInParametersIsUndefinedWhereItVanishes) {
    const int point = Add(k::kPoint, {"0.5", "3"});
    const int image = Transform(point, d::kReflectLine, {"A", "0", "2"});
    ctx.SetVar(1, 0);
    EXPECT_TRUE(std::isnan(At(image, 1, 0)));
    ctx.SetVar(1, 1);
    EXPECT_NEAR(At(image, 1, 0), 3.5L, kTolerance);
}

TEST_F(TransformTest, CurvesTakeTheirImagesExplicitWhereGraphsStayGraphs) {
    const int parabola = Add(k::kExplicit, {"", "x^2+x"}, [](examples::TExample& e) {
        e.rangeLow[0] = -1;
        e.rangeHigh[0] = 2;
    });
    const int diagonal = Transform(parabola, d::kReflectDiagonal);
    EXPECT_EQ(inventory[diagonal].kind, k::kParametric);
    EXPECT_NEAR(CurveAt(diagonal, 1.5L).x, 3.75L, kTolerance);
    EXPECT_NEAR(CurveAt(diagonal, 1.5L).y, 1.5L, kTolerance);
    EXPECT_EQ(std::pair(inventory[diagonal].rangeLow[0], inventory[diagonal].rangeHigh[0]),
              std::pair(-1.0L, 2.0L));
    const int mirrored = Transform(parabola, d::kReflectY);
    EXPECT_EQ(inventory[mirrored].kind, k::kExplicit);
    EXPECT_NEAR(At(mirrored, 2, 0, 0, 1.5L), 0.75L, kTolerance);  // (-x)^2 + (-x)
    EXPECT_EQ(std::pair(inventory[mirrored].rangeLow[0], inventory[mirrored].rangeHigh[0]),
              std::pair(-2.0L, 1.0L));
    const int turned = Transform(parabola, d::kHalfTurn, {"pi", "1", "0.5"});
    // y = 1 - f(2 - x) over [0, 3].
    EXPECT_NEAR(At(turned, 2, 0, 0, 0.5L), 1 - 3.75L, kTolerance);
    EXPECT_EQ(std::pair(inventory[turned].rangeLow[0], inventory[turned].rangeHigh[0]),
              std::pair(0.0L, 3.0L));
    const int sine = Add(k::kExplicit, {"", "sin(x)"});
    const int shifted = Transform(sine, d::kTranslation, {"1", "2", "3"});
    EXPECT_NEAR(At(shifted, 2, 0, 0, 0.7L), std::sin(-0.3L) + 2, kTolerance);
    // The derivative trees follow: d/dx sin(x - 1) + 2.
    EXPECT_NEAR(At(shifted, 6, 0, 0, 0.7L), std::cos(-0.3L), kTolerance);
    const int rotated = Transform(sine, d::kRotation, {"pi/2", "0", "0"});
    EXPECT_NEAR(CurveAt(rotated, 0.4L).x, -std::sin(0.4L), kTolerance);
    EXPECT_NEAR(CurveAt(rotated, 0.4L).y, 0.4L, kTolerance);
}

// A periodic curve turned parametric keeps repeating: its image at t is the image of
// (t, f(t)) with f read in its base interval, whatever X holds; so does a sum that holds a
// periodic curve, under every map.
TEST_F(TransformTest, APeriodicCurveTurnedParametricKeepsItsPeriod) {
    const auto periodic = [](examples::TExample& e) { e.periodic = 1; };
    const int saw = Add(k::kExplicit, {"", "x", "", "", "", "", "0;1"}, periodic);
    const int bowl = Add(k::kExplicit, {"", "x^2", "", "", "", "", "-1;1"}, periodic);
    // The sawtooth raised by 0.5 through the combinations: its period lies inside the sum.
    const int half = Add(k::kExplicit, {"", "0.5"});
    TDeriveContext context = Context();
    const int raised = AppendCombination(context, d::kSum, saw, half);
    ASSERT_GE(raised, 0);
    struct Row {
        int parent;
        int code;
        TTransformTexts texts;
        long double t;
        Vec2 image;
    };
    const Row rows[] = {
        {saw, d::kReflectDiagonal, {"1", "0", "0"}, 2.3L, {0.3L, 2.3L}},
        // x + y = 1: (x, y) -> (1 - y, 1 - x); f(-0.6) = 0.4.
        {saw, d::kReflectLine, {"1", "1", "1"}, -0.6L, {0.6L, 1.6L}},
        {saw, d::kRotation, {"pi/2", "0", "0"}, 3.75L, {-0.75L, 3.75L}},
        // about (1, 2) through -90 degrees: (x, y) -> (1 + (y - 2), 2 - (x - 1)); f(2.5) = 0.25.
        {bowl, d::kRotation, {"-90 deg", "1", "2"}, 2.5L, {-0.75L, 0.5L}},
        {bowl, d::kReflectDiagonal, {"1", "0", "0"}, -3.2L, {0.64L, -3.2L}},
        {raised, d::kReflectDiagonal, {"1", "0", "0"}, 2.3L, {0.8L, 2.3L}},
        {raised, d::kRotation, {"pi/2", "0", "0"}, -1.75L, {-0.75L, -1.75L}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.t);
        const int image = Transform(row.parent, row.code, row.texts);
        ASSERT_EQ(inventory[image].kind, k::kParametric);
        for (const long double x : {0.0L, 17.5L}) {
            EXPECT_NEAR(At(image, 1, row.t, 0, x), row.image.x, kTolerance);
            EXPECT_NEAR(At(image, 2, row.t, 0, x), row.image.y, kTolerance);
        }
    }
    // Graphs that stay graphs move their periods with them, a period inside a sum too.
    const int moved = Transform(raised, d::kTranslation, {"0.3", "0", "0"});
    const int mirrored = Transform(raised, d::kReflectY);
    ASSERT_EQ(inventory[moved].kind, k::kExplicit);
    for (const long double x : {2.1L, -0.6L}) {
        SCOPED_TRACE(x);
        const long double shifted = x - 0.3L - std::floor(x - 0.3L);  // the sawtooth at x - 0.3
        EXPECT_NEAR(At(moved, 2, 0, 0, x), shifted + 0.5L, kTolerance);
        EXPECT_NEAR(At(moved, 6, 0, 0, x), 1, kTolerance);
        const long double turned = -x - std::floor(-x);  // the sawtooth at -x
        EXPECT_NEAR(At(mirrored, 2, 0, 0, x), turned + 0.5L, kTolerance);
    }
}

TEST_F(TransformTest, PolarAndParametricCurvesBecomeParametricImages) {
    const int polar = Add(k::kPolar, {"", "", "1+t"});
    const int image = Transform(polar, d::kReflectX);
    EXPECT_EQ(inventory[image].kind, k::kParametric);
    EXPECT_NEAR(CurveAt(image, 0.9L).x, 1.9L * std::cos(0.9L), kTolerance);
    EXPECT_NEAR(CurveAt(image, 0.9L).y, -1.9L * std::sin(0.9L), kTolerance);
    const int circle = Add(k::kParametric, {"cos(t)", "sin(t)"});
    const int moved = Transform(circle, d::kTranslation, {"1", "-2", "0"});
    EXPECT_NEAR(CurveAt(moved, 0.3L).x, std::cos(0.3L) + 1, kTolerance);
    EXPECT_NEAR(CurveAt(moved, 0.3L).y, std::sin(0.3L) - 2, kTolerance);
}

TEST_F(TransformTest, ImplicitCurvesAndFieldsArePulledBackAndTheirVectorsTurn) {
    const int ellipse = Add(k::kImplicit, {"", "", "x^2+2*y^2-1"});
    const int turned = Transform(ellipse, d::kRotation, {"pi/2", "0", "0"});
    for (const Vec2 p : {Vec2{0.3L, 0.7L}, Vec2{-1.2L, 0.4L}})
        EXPECT_NEAR(At(turned, 3, 0, 0, p.x, p.y), 2 * p.x * p.x + p.y * p.y - 1, kTolerance);
    // The partial derivatives are those of the turned curve.
    EXPECT_NEAR(At(turned, 5, 0, 0, 0.3L, 0.7L), 4 * 0.3L, kTolerance);
    // The field (x, 0) turned by a quarter: at (0, 2) it comes from (2, 0) and points up.
    const int field = Add(k::kSystem, {"x", "0"});
    const int quarter = Transform(field, d::kRotation, {"pi/2", "0", "0"});
    EXPECT_NEAR(At(quarter, 1, 0, 0, 0, 2), 0, kTolerance);
    EXPECT_NEAR(At(quarter, 2, 0, 0, 0, 2), 2, kTolerance);
    // dy/dx = 2 reflected in x = y has the slope 1/2.
    const int slope = Add(k::kSlope, {"", "", "2"});
    EXPECT_NEAR(At(Transform(slope, d::kReflectDiagonal), 3, 0, 0, 0.1L, 0.2L), 0.5L, kTolerance);
}

TEST_F(TransformTest, LinesSegmentsAndPointsCarryTheirPointsAlong) {
    // x + 2y = 3 through (3, 0) and (1, 1), reflected in 2x - y = 1.
    const int line = Add(k::kLine, {"1", "2", "3"});
    const int image = Transform(line, d::kReflectLine, {"2", "-1", "1"});
    TPlaneMap map;
    ASSERT_EQ(ReadPlaneMap(ctx, d::kReflectLine, {"2", "-1", "1"}, map), 0);
    for (const Vec2 p : {Vec2{3, 0}, Vec2{1, 1}}) {
        const Vec2 q = MapOf(map.forward, p);
        EXPECT_NEAR(At(image, 1, 0) * q.x + At(image, 2, 0) * q.y, At(image, 3, 0), kTolerance);
    }
    const int segment = Add(k::kSegment, {"0", "0", "1", "2"});
    const int half = Transform(segment, d::kHalfTurn, {"pi", "1", "1"});
    const long double ends[] = {2, 2, 1, 0};
    for (int t = 1; t <= 4; ++t) EXPECT_NEAR(At(half, t, 0), ends[t - 1], kTolerance) << t;
    const int polar =
        Add(k::kPoint, {"2", "pi/2"}, [](examples::TExample& e) { e.PolarForm() = 1; });
    const int down = Transform(polar, d::kReflectX);
    EXPECT_NEAR(At(down, 1, 0), 0, kTolerance);
    EXPECT_NEAR(At(down, 2, 0), -2, kTolerance);
    EXPECT_EQ(inventory[down].PolarForm(), 0);
}

TEST_F(TransformTest, DerivativesMeetTheirClosedForms) {
    TDeriveContext context = Context();
    const int f = Add(k::kExplicit, {"", "x*sin(x)"});
    const int df = AppendDerivative(context, f).index;
    ASSERT_GE(df, 0);
    EXPECT_NEAR(At(df, 2, 0, 0, 0.8L), std::sin(0.8L) + 0.8L * std::cos(0.8L), kTolerance);
    const int ddf = AppendDerivative(context, df).index;
    ASSERT_GE(ddf, 0);
    EXPECT_EQ(inventory[ddf].order, 2);
    EXPECT_NEAR(At(ddf, 2, 0, 0, 0.8L), 2 * std::cos(0.8L) - 0.8L * std::sin(0.8L), kTolerance);
    const int polar = Add(k::kPolar, {"", "", "t^2"});
    const int dr = AppendDerivative(context, polar).index;
    ASSERT_GE(dr, 0);
    EXPECT_NEAR(At(dr, 3, 1.2L), 2.4L, kTolerance);
    EXPECT_NEAR(At(dr, 1, 1.2L), 2.4L * std::cos(1.2L), kTolerance);
    const int curve = Add(k::kParametric, {"t^3", "cos(t)"});
    const int velocity = AppendDerivative(context, curve).index;
    ASSERT_GE(velocity, 0);
    EXPECT_NEAR(CurveAt(velocity, 0.6L).x, 3 * 0.36L, kTolerance);
    EXPECT_NEAR(CurveAt(velocity, 0.6L).y, -std::sin(0.6L), kTolerance);
    const int segment = Add(k::kSegment, {"0", "0", "1", "1"});
    EXPECT_LT(AppendDerivative(context, segment).index, 0);
    EXPECT_TRUE(IsDerivableKind(k::kPolar) && !IsDerivableKind(k::kImplicit));
}

TEST_F(TransformTest, AFailedRebuildLeavesTheExampleUndefined) {
    const int point = Add(k::kPoint, {"1", "2"});
    const int image = Transform(point, d::kRotation, {"pi", "0", "0"});
    inventory[image].Text(1) = "pi/";
    TDeriveContext context = Context();
    EXPECT_EQ(RebuildToolExample(context, image), std::optional<bool>(false));
    EXPECT_TRUE(std::ranges::all_of(inventory[image].trees, [](const NodePtr& t) { return !t; }));
    inventory[image].Text(1) = "pi/2";
    EXPECT_EQ(RebuildToolExample(context, image), std::optional<bool>(true));
    EXPECT_NEAR(At(image, 1, 0), -2, kTolerance);
    EXPECT_EQ(RebuildToolExample(context, point), std::nullopt);  // not a tool's example
}

}  // namespace
}  // namespace quorlin::tools2d
