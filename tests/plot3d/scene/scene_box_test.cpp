// The scene box and the boxes of examples: the box an empty window takes from its axis ends,
// the degenerate box that changes nothing, the margins of a point, the cut of an elongated
// surface and the refit of its mesh, a family that keeps its box, and a half sphere whose
// undefined rim leaves the box alone; then the fit of the projected box into the view.
#include "plot3d/scene/scene_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string_view>

#include "formula/opcodes.h"
#include "plot3d/scene/example_boxes.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;
using quorlin::testing::AllNear;
namespace kind = examples::kind;

::testing::AssertionResult BoxIs(const TBox3& b, Vec3 min, Vec3 max, long double tol = 1e-12L) {
    return AllNear({b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z},
                   {min.x, min.y, min.z, max.x, max.y, max.z}, tol);
}

class SceneBoxTest : public ::testing::Test {
protected:
    SceneBoxTest() { observer.eye = kDefaultEye; }
    void SetTree(TExample& e, int k, std::string_view text) {
        ASSERT_EQ(ctx.Parse(text), 0) << text;
        e.Tree(k) = ctx.TakeParseResult();
    }
    // An example of the kind with trees 1-3 from the texts and an automatic box.
    TExample Entry(int kindCode, std::string_view x, std::string_view y, std::string_view z) {
        TExample e;
        e.Init(kindCode, 2, 50);
        SetTree(e, 1, x);
        SetTree(e, 2, y);
        SetTree(e, 3, z);
        SetBoxAutomatic(e, true);
        return e;
    }
    // A surface z = f(x, y) over the ranges, with an automatic box.
    TExample Surface(std::string_view f, Vec2 x, Vec2 y, int divisions = 20) {
        TExample e;
        e.Init(kind::kSurface, 2, 50);
        SetTree(e, 3, f);
        e.rangeLow = {x.x, y.x};
        e.rangeHigh = {x.y, y.y};
        e.divisions = {static_cast<std::int16_t>(divisions), static_cast<std::int16_t>(divisions),
                       36};
        SetBoxAutomatic(e, true);
        return e;
    }

    // An intrinsic curve of the curvature and torsion from the start point along the tangent,
    // bending towards the normal, over s in [low, high], with an automatic box.
    TExample Intrinsic(std::string_view kappa, std::string_view tau, Vec3 start, Vec3 tangent,
                       Vec3 normal, long double low, long double high) {
        TExample e;
        e.Init(kind::kSpaceIntrinsic, 2, 50);
        SetTree(e, 1, kappa);
        SetTree(e, 2, tau);
        // Start point, tangent and normal: a vector node of three vector nodes.
        const auto vector = [](Vec3 v) {
            NodePtr node = TExprNode::NewOp(op::kVector3);
            node->child[0] = TExprNode::NewConst(v.x);
            node->child[1] = TExprNode::NewConst(v.y);
            node->child[2] = TExprNode::NewConst(v.z);
            return node;
        };
        NodePtr frame = TExprNode::NewOp(op::kVector3);
        frame->child[0] = vector(start);
        frame->child[1] = vector(tangent);
        frame->child[2] = vector(normal);
        e.Tree(3) = std::move(frame);
        e.rangeLow[0] = low;
        e.rangeHigh[0] = high;
        SetBoxAutomatic(e, true);
        return e;
    }

    FormulaContext ctx;
    TSceneBox box;
    TObserver observer;
    long double sightStep = 0;
};

TEST_F(SceneBoxTest, AnEmptyWindowTakesItsBoxFromTheAxisEnds) {
    TAxisEnds axes;
    axes.upper = {10, 10, 10};
    ASSERT_TRUE(ComputeSceneBox(box, observer, {}, axes, sightStep));
    EXPECT_TRUE(AllNear({observer.focus.x, observer.focus.y, observer.focus.z}, {5, 5, 5}));
    EXPECT_TRUE(AllNear({box.scale.x, sightStep}, {0.1L, 0.02L}));
    EXPECT_FALSE(IsEyeTooClose(box, observer.eye) || IsEyeTooFar(box, observer.eye));

    // All ends 0, as in a new window: nothing changes.
    const TSceneBox before = box;
    const Vec3 eye = observer.eye;
    EXPECT_FALSE(ComputeSceneBox(box, observer, {}, TAxisEnds{}, sightStep));
    EXPECT_TRUE(BoxIs({box.min, box.max}, before.min, before.max, 0));
    EXPECT_TRUE(AllNear({observer.eye.x, observer.focus.x}, {eye.x, 5}, 0));

    // A flat box is opened to 1 on its flat axes; locked lengths join the examples' boxes.
    const TBox3 flat[] = {{{1, 2, 3}, {4, 2, 3}}};
    ASSERT_TRUE(ComputeSceneBox(box, observer, flat, TAxisEnds{}, sightStep));
    EXPECT_TRUE(BoxIs({box.min, box.max}, {1, 2, 3}, {4, 3, 4}));
    axes.locked = true;
    ASSERT_TRUE(ComputeSceneBox(box, observer, flat, axes, sightStep));
    EXPECT_TRUE(BoxIs({box.min, box.max}, {0, 0, 0}, {10, 10, 10}));
}

TEST_F(SceneBoxTest, ExampleBoxesByKind) {
    // A point at (1, -2, 3): 0.5 wide, then 10% on each side.
    TExample point = Entry(kind::kSpacePoint, "1", "-2", "3");
    ASSERT_EQ(RecomputeExampleBox(ctx, point, false, {}), 0);
    EXPECT_TRUE(BoxIs(BoxOf(point), {0.7L, -2.3L, 2.7L}, {1.3L, -1.7L, 3.3L}));

    // A 100 x 1 x 1 surface: widened to 120 x 1.2 x 1.2, then x cut to 3 (1.2 + 1.2) = 7.2
    // about its centre; the box is no longer automatic and the mesh lies in it.
    TExample longSurface = Surface("y", {0, 100}, {0, 1});
    ASSERT_EQ(RecomputeExampleBox(ctx, longSurface, false, {}), 0);
    EXPECT_TRUE(BoxIs(BoxOf(longSurface), {46.4L, -0.1L, -0.1L}, {53.6L, 1.1L, 1.1L}));
    EXPECT_FALSE(IsBoxAutomatic(longSurface));
    for (int k = 0; k < 21 * 21; ++k) {
        const Vec3 p = longSurface.points[static_cast<std::size_t>(k)];
        ASSERT_TRUE(p.x >= 46.4L - 1e-12L && p.x <= 53.6L + 1e-12L) << k;
    }
    // The mesh point at i = 10 (x = 50), j = 5 (y = 0.25) is where the surface puts it.
    const Vec3 middle = longSurface.points[10 * 21 + 5];
    EXPECT_TRUE(AllNear({middle.x, middle.y, middle.z}, {50, 0.25L, 0.25L}, 1e-15L));

    // A family is never cut.
    TExample family = Surface("y", {0, 100}, {0, 1});
    family.familyOn = 1;
    ASSERT_EQ(RecomputeExampleBox(ctx, family, false, {}), 0);
    EXPECT_TRUE(BoxIs(BoxOf(family), {-10, -0.1L, -0.1L}, {110, 1.1L, 1.1L}));
    EXPECT_TRUE(IsBoxAutomatic(family));

    // The upper half of a unit sphere lifted by 2: the corners of the square are undefined and
    // no false floor at z = 0 enters the box.
    TExample sphere = Surface("2 + sqrt(1 - x^2 - y^2)", {-1, 1}, {-1, 1});
    ASSERT_EQ(RecomputeExampleBox(ctx, sphere, false, {}), 0);
    const TBox3 b = BoxOf(sphere);
    EXPECT_TRUE(AllNear({b.min.z, b.max.z}, {1.9L, 3.1L}, 1e-9L));
    EXPECT_FALSE(IsDefinedMeshPoint(sphere.points[0]));            // (-1, -1)
    EXPECT_TRUE(IsDefinedMeshPoint(sphere.points[10 * 21 + 10]));  // (0, 0)

    // With the axes shown the box takes in the origin.
    TExample shifted = Surface("5", {2, 3}, {2, 3});
    ASSERT_EQ(RecomputeExampleBox(ctx, shifted, true, {}), 0);
    EXPECT_TRUE(AllNear({BoxOf(shifted).min.x, BoxOf(shifted).min.z}, {0, 0}, 0));
}

TEST_F(SceneBoxTest, ASegmentAndACurveOpenTheirFlatAxes) {
    TExample segment = Entry(kind::kSpaceSegment, "1 + 2*t", "5", "t");
    ComputeCurveBox(ctx, segment);
    // x 1..3 and z 0..1 widened by 10%; y opened by 0.5 first.
    EXPECT_TRUE(BoxIs(BoxOf(segment), {0.8L, 4.4L, -0.1L}, {3.2L, 5.6L, 1.1L}));
    // A curve undefined for t < 0.5 in x: those samples take the middle of the box so far,
    // 0 before any point, so x spans 0..2.
    TExample curve = Entry(kind::kSpaceCurve, "sqrt(t - 0.5)", "2*t", "-t");
    curve.rangeLow[0] = 0;
    curve.rangeHigh[0] = 4.5L;
    ComputeCurveBox(ctx, curve);
    EXPECT_TRUE(AllNear({BoxOf(curve).min.x, BoxOf(curve).max.x, BoxOf(curve).max.y},
                        {-0.2L, 2.2L, 9.9L}, 1e-12L));
}

// A box stored reversed comes back with each axis low end first, the others as they were; an
// intersection's own box, its parents' common part, stays reversed where they have none.
TEST_F(SceneBoxTest, OrderingABoxSwapsOnlyItsReversedAxes) {
    const struct {
        int kind;
        TBox3 stored, ordered;
        bool kept;  // OrderBox leaves the example's box as stored
    } rows[] = {
        {kind::kSpaceCurve,
         {{2.5L, -1, 7}, {-1.5L, 4, -3}},
         {{-1.5L, -1, -3}, {2.5L, 4, 7}},
         false},
        {kind::kSpaceSystem,
         {{3, 2, 0.5L}, {-1, -4, -2.5L}},
         {{-1, -4, -2.5L}, {3, 2, 0.5L}},
         false},
        {kind::kSpacePoint,
         {{-2, 6, 1}, {1, -0.5L, 1.25L}},
         {{-2, -0.5L, 1}, {1, 6, 1.25L}},
         false},
        {kind::kSurfaceIntersection, {{3.8L, -3, 1}, {3, 3, 2}}, {{3, -3, 1}, {3.8L, 3, 2}}, true},
    };
    for (const auto& row : rows) {
        TExample e;
        e.Init(row.kind, 0, 50);
        SetBox(e, row.stored);
        EXPECT_TRUE(BoxIs(OrderedBoxOf(e), row.ordered.min, row.ordered.max, 0)) << row.kind;
        OrderBox(e);
        const TBox3& after = row.kept ? row.stored : row.ordered;
        EXPECT_TRUE(BoxIs(BoxOf(e), after.min, after.max, 0)) << row.kind;
    }
}

// A circle of curvature 1 traced to s = 1e12: the trace is cut to a bounded number of steps,
// polls Q every thousand of them and stops at the first Q.
TEST_F(SceneBoxTest, AnIntrinsicTraceIsBoundedAndPolled) {
    TExample circle = Intrinsic("1", "0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0, 1e12L);
    long long polls = 0;
    EXPECT_EQ(ComputeIntrinsicBox(ctx, circle, [&polls] { return ++polls, 0; }), 0);
    EXPECT_EQ(polls, kMaxIntrinsicSteps / kIntrinsicPollSteps);
    polls = 0;
    EXPECT_EQ(ComputeIntrinsicBox(ctx, circle, [&polls] { return ++polls, 81; }), 81);
    EXPECT_EQ(polls, 1);
    // A quarter of the unit circle about (0, 1) reaches (1, 1).
    circle.rangeHigh[0] = std::numbers::pi_v<long double> / 2;
    ASSERT_EQ(ComputeIntrinsicBox(ctx, circle, {}), 0);
    EXPECT_TRUE(AllNear({BoxOf(circle).max.x, BoxOf(circle).max.y}, {1, 1}, 1e-5L));
}

// A range far from s = 0 is reached by the traces from 0, and only the range is boxed: a
// straight line from (1, -2, 0.5) along y, boxed over s in [1000, 1001] and in [-1001, -1000],
// spans that one unit of y (to a step of its trace), x and z opened to +-0.5 about it.
TEST_F(SceneBoxTest, AnIntrinsicRangeFarFromItsStartIsBoxedWhereItLies) {
    const struct {
        long double low, high, yLow, yHigh;
    } rows[] = {{1000, 1001, 998, 999}, {-1001, -1000, -1003, -1002}};
    for (const auto& row : rows) {
        TExample line = Intrinsic("0", "0", {1, -2, 0.5L}, {0, 1, 0}, {1, 0, 0}, row.low, row.high);
        SetBox(line, {{-1, -1, -1}, {1, 1, 1}});
        ASSERT_EQ(ComputeIntrinsicBox(ctx, line, {}), 0) << row.low;
        const TBox3 b = BoxOf(line);
        EXPECT_TRUE(AllNear({b.min.x, b.max.x, b.min.z, b.max.z}, {0.5L, 1.5L, 0, 1}, 1e-9L))
            << row.low;
        EXPECT_TRUE(AllNear({b.min.y, b.max.y}, {row.yLow, row.yHigh}, 0.02L)) << row.low;
    }
}

TEST_F(SceneBoxTest, TheFitCentresTheProjectedBoxWithAMargin) {
    const TBox3 shown[] = {{{0, 0, 0}, {4, 2, 1}}};
    ASSERT_TRUE(ComputeSceneBox(box, observer, shown, TAxisEnds{}, sightStep));
    const TViewWish wish = FitBoxToView(box, observer, TAxisEnds{}, false);
    // The focus projects to the origin, so the projected box lies about it.
    EXPECT_GT(wish.halfWidth, 0);
    EXPECT_GT(wish.halfHeight, 0);
    long double right = -1e9L;
    for (int c = 0; c < 8; ++c) {
        const Vec3 p{c & 1 ? 4.0L : 0.0L, c & 2 ? 2.0L : 0.0L, c & 4 ? 1.0L : 0.0L};
        right = std::fmax(right, examples::ProjectPoint(observer, box, p).x);
    }
    EXPECT_GT(wish.centre.x + wish.halfWidth, right);
    EXPECT_LT(wish.centre.x + wish.halfWidth, right + 0.2L * wish.halfWidth);
}

// The fit by exact numbers: from an eye 10 in front of the unit box along x, the near face
// (9.5 away) spans +-0.5 x 10 / 9.5 on the screen, and the view takes 55% of the span plus 0.01
// on each side of the centre (a margin of 10%). Shown axes reaching to y = 3 widen the span to
// the right, and the centre follows.
TEST_F(SceneBoxTest, TheFitTakesTheProjectedSpanWithATenthMore) {
    const struct {
        const char* what;
        bool axesShown;
        Vec2 centre;
        long double halfWidth, halfHeight;
    } rows[] = {
        {"the box alone", false, {0, 0}, 0.55L * (10 / 9.5L + 0.01L), 0.55L * (10 / 9.5L + 0.01L)},
        {"with the axes to y = 3",
         true,
         {10 / 9.5L, 0},
         0.55L * (30 / 9.5L + 0.01L),
         0.55L * (10 / 9.5L + 0.01L)},
    };
    const TBox3 shown[] = {{{0, 0, 0}, {1, 1, 1}}};
    TAxisEnds axes;
    axes.upper = {0, 3, 0};
    for (const auto& row : rows) {
        observer.eye = {10.5L, 0.5L, 0.5L};
        ASSERT_TRUE(ComputeSceneBox(box, observer, shown, axes, sightStep));
        ASSERT_TRUE(
            AllNear({observer.eye.x, observer.eye.y, observer.eye.z}, {10.5L, 0.5L, 0.5L}, 0));
        const TViewWish wish = FitBoxToView(box, observer, axes, row.axesShown);
        EXPECT_TRUE(AllNear({wish.centre.x, wish.centre.y, wish.halfWidth, wish.halfHeight},
                            {row.centre.x, row.centre.y, row.halfWidth, row.halfHeight}, 1e-15L))
            << row.what;
    }
}

}  // namespace
}  // namespace quorlin::plot3d
