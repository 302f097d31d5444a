// The shared 3D geometry of the graphing windows: the central projection against points whose
// images are known, the box transform and its inverse, the plotted coordinate pair, and the
// conversions of logarithmic axes.
#include <gtest/gtest.h>

#include <cmath>

#include "examples/operations/plot_geometry.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;

// An observer at eye looking at focus, with the derived quantities as the 3D level computes
// them: D = E - F (or the box eye in Cube mode), h, d, K1 = d^2 / h, K2 = d / h.
TObserver Looking(Vec3 eye, Vec3 focus) {
    TObserver o;
    o.eye = eye;
    o.focus = focus;
    o.view = eye - focus;
    o.h2 = o.view.x * o.view.x + o.view.y * o.view.y;
    o.h = std::sqrt(o.h2);
    o.d = std::sqrt(o.h2 + o.view.z * o.view.z);
    o.k1 = o.d * o.d / o.h;
    o.k2 = o.d / o.h;
    return o;
}

TSceneBox Box(Vec3 min, Vec3 max, Vec3 centre) {
    TSceneBox box;
    box.min = min, box.max = max, box.centre = centre;
    box.ComputeScale();
    return box;
}

// Eye at (10, 0, 0) looking at the origin: the focus plane is the yz plane, U = (0, 1, 0).
TEST(ProjectPointTest, MapsPointsWhereThePerspectivePutsThem) {
    const TObserver o = Looking({10, 0, 0}, {0, 0, 0});
    const struct {
        const char* name;
        Vec3 point;
        Vec2 image;
    } cases[] = {{"focus", {0, 0, 0}, {0, 0}},
                 {"along the screen axis", {0, 2, 0}, {2, 0}},
                 {"up in the focus plane", {0, 0, 3}, {0, 3}},
                 {"halfway to the eye, twice as large", {5, 2, 1}, {4, 2}},
                 {"behind the focus, smaller", {-10, 2, -2}, {1, -1}}};
    for (const auto& c : cases) {
        const Vec2 p = ProjectPoint(o, TSceneBox{}, c.point);
        EXPECT_TRUE(AllNear({p.x, p.y}, {c.image.x, c.image.y}, 1e-15L)) << c.name;
    }
    // A point in the eye's plane goes far out but stays finite.
    const Vec2 p = ProjectPoint(o, TSceneBox{}, {10, 5, 0});
    EXPECT_TRUE(std::isfinite(p.x));
    EXPECT_NEAR(static_cast<double>(p.x), 5e18, 1e3);

    // Cube mode projects box coordinates from the box eye: (2, 2, 0.5) lies at box (0, 0.5, 0),
    // half a unit along the screen axis.
    TObserver cube = o;
    cube.cube = true;
    cube.boxEye = {10, 0, 0};
    const Vec2 q = ProjectPoint(cube, Box({0, 0, 0}, {4, 2, 1}, {2, 1, 0.5L}), {2, 2, 0.5L});
    EXPECT_TRUE(AllNear({q.x, q.y}, {0.5L, 0}, 1e-15L));
}

TEST(SceneBoxTest, BoxToWorldUndoesWorldToBox) {
    const TSceneBox box = Box({-1, 2, 10}, {3, 3, 30}, {1, 2.5L, 20});
    EXPECT_EQ(std::tuple(box.scale.x, box.scale.z), std::tuple(0.25L, 0.05L));
    const Vec3 b = box.WorldToBox({7, -1, 12});
    EXPECT_EQ(b.x, 1.5L);
    const Vec3 back = box.BoxToWorld(b);
    EXPECT_TRUE(AllNear({back.x, back.y, back.z}, {7, -1, 12}, 1e-15L));
    // Near means within two box units in x and y, whatever z is.
    EXPECT_TRUE(box.IsNearXY({8.9L, 4.4L, 1000}));
    EXPECT_FALSE(box.IsNearXY({9, 2, 20}));
    // A flat box keeps the scale of its flat axis.
    const TSceneBox flat = Box({0, 0, 0}, {2, 2, 0}, {0, 0, 0});
    EXPECT_EQ(std::tuple(flat.scale.x, flat.scale.z), std::tuple(0.5L, 1.0L));
}

TEST(SelectAxisPairTest, PicksThePlottedCoordinatesByCode) {
    const TObserver o = Looking({10, 0, 0}, {0, 0, 0});
    const TSceneBox box;
    const Vec3 p{1, 2, 3};
    const struct {
        int pair, dimension;
        std::optional<Vec2> out;
    } cases[] = {{3, 2, Vec2{1, 2}},  {5, 3, Vec2{3, 1}},
                 {6, 3, Vec2{2, 3}},  {7, 3, ProjectPoint(o, box, p)},
                 {9, 2, Vec2{9, 1}},  {10, 2, Vec2{9, 2}},
                 {11, 2, Vec2{9, 1}}, {11, 3, Vec2{9, 3}},
                 {12, 2, Vec2{9, 3}}, {4, 2, std::nullopt},
                 {8, 3, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pair);
        const auto out = SelectAxisPair(c.pair, p, 9, c.dimension, o, box);  // at t = 9
        ASSERT_EQ(out.has_value(), c.out.has_value());
        if (out) {
            EXPECT_EQ(std::tuple(out->x, out->y), std::tuple(c.out->x, c.out->y));
        }
    }
}

TEST(LogAxesTest, ConvertsOnlyTheLogarithmicAxes) {
    const Vec2 both = ToLogAxes(3, {2, -1}), yOnly = ToLogAxes(2, {2, -1});
    EXPECT_NEAR(static_cast<double>(both.x), 100, 1e-12);
    EXPECT_TRUE(AllNear({both.y, yOnly.y}, {0.1L, 0.1L}, 1e-15L));
    EXPECT_EQ(yOnly.x, 2);

    // Values back to plot coordinates, refused outside the view's value range.
    const TValueRange range = ValueRangeOf(3, -2, 2, -1, 1);
    EXPECT_NEAR(static_cast<double>(range.xHigh), 100, 1e-12);
    const auto inside = ToPlotAxes(3, {10, 0.5L}, range);
    ASSERT_TRUE(inside);
    EXPECT_NEAR(static_cast<double>(inside->x), 1, 1e-15);
    EXPECT_FALSE(ToPlotAxes(3, {1000, 1}, range));
    EXPECT_FALSE(ToPlotAxes(2, {1, -3}, range));
    EXPECT_TRUE(ToPlotAxes(1, {1, -3}, range));  // y is linear there

    // A slope at x = 10 on a log x axis: dx / (10 ln 10).
    const Vec2 v = SlopeToLogAxes(1, {10, 5}, {1, 1});
    EXPECT_NEAR(static_cast<double>(v.x), 1 / (10 * std::log(10.0)), 1e-15);
    EXPECT_EQ(v.y, 1);
}

}  // namespace
}  // namespace quorlin::examples
