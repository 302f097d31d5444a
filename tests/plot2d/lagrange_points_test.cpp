#include "plot2d/lagrange_points.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlin::plot2d {
namespace {

// A polynomial through the given points (the count word follows), nine places as the record has.
examples::TExample Through(const std::vector<Vec2>& points, int dotPercent = 15) {
    examples::TExample e;
    e.points.assign(9, Vec3{});
    for (std::size_t k = 0; k < points.size(); ++k) e.points[k] = {points[k].x, points[k].y, 0};
    e.LagrangeLastPoint() = static_cast<std::int16_t>(points.size()) - 1;
    e.fieldLengthPercent = static_cast<std::int16_t>(dotPercent);
    return e;
}

// Pixels of 0.1 across and 0.04 up: a click's reach is counted in each axis's own pixels.
TEST(LagrangePointNear, TheNearestPickedPointWithinSixPixelsOrItsDot) {
    const TPlotSpace linear = TPlotSpace::Over(-5, 15, -2, 2, 201, 101);
    TPlotSpace logX = linear;
    logX.logX = true;
    const std::vector<Vec2> points = {{1, 0.5L}, {1.5L, 0.5L}, {8, -1}, {100, 1.2L}};
    const struct {
        const char* name;
        const TPlotSpace& space;
        int dotPercent;
        Vec2 click;
        int expected;
    } rows[] = {
        {"between two, as near: the first", linear, 2, {1.25L, 0.5L}, 0},
        {"nearer the second", linear, 2, {1.4L, 0.5L}, 1},
        {"five and a half pixels, 2.5 across and 3 up", linear, 2, {8.25L, -0.88L}, 2},
        {"six and a half pixels", linear, 2, {8.35L, -0.88L}, -1},
        {"seven pixels inside a dot of radius 8", linear, 15, {8.3L, -0.84L}, 2},
        {"twenty pixels inside a dot of radius 21", linear, 40, {7, -1.4L}, 2},
        {"the point at x = 100 on a logarithmic axis", logX, 2, {2.2L, 1.3L}, 3},
        {"x = 100 is far off on a linear axis", linear, 2, {2.2L, 1.3L}, -1},
    };
    for (const auto& row : rows) {
        const examples::TExample e = Through(points, row.dotPercent);
        EXPECT_EQ(LagrangePointNear(e, row.space, row.click), row.expected) << row.name;
    }
    // Points past the count and points a logarithmic axis cannot show are not met.
    examples::TExample e = Through({{-1, 0.5L}, {3, 0.5L}});
    e.points[2] = {6, 0.5L, 0};
    EXPECT_EQ(LagrangePointNear(e, logX, {-1, 0.5L}), -1);
    EXPECT_EQ(LagrangePointNear(e, linear, {-1, 0.5L}), 0);
    EXPECT_EQ(LagrangePointNear(e, linear, {6, 0.5L}), -1);
}

TEST(DeleteLagrangePoint, TheLaterPointsMoveUpAndTheCountDrops) {
    const std::vector<Vec2> points = {{-3, 1}, {-1, 4}, {2, -2}, {5, 7}};
    const struct {
        int k;
        std::vector<long double> xs;
    } rows[] = {
        {0, {-1, 2, 5}},     {2, {-3, -1, 5}},     {3, {-3, -1, 2}},
        {4, {-3, -1, 2, 5}}, {-1, {-3, -1, 2, 5}},
    };
    for (const auto& row : rows) {
        examples::TExample e = Through(points);
        DeleteLagrangePoint(e, row.k);
        ASSERT_EQ(e.LagrangeLastPoint() + 1, static_cast<int>(row.xs.size())) << row.k;
        for (std::size_t n = 0; n < row.xs.size(); ++n) EXPECT_EQ(e.points[n].x, row.xs[n]);
        // The place freed at the end holds nothing of the removed point.
        for (std::size_t n = row.xs.size(); n < e.points.size(); ++n)
            EXPECT_EQ(e.points[n].x, 0) << row.k << " " << n;
    }
    examples::TExample one = Through({{2, 3}});
    DeleteLagrangePoint(one, 0);
    EXPECT_EQ(one.LagrangeLastPoint(), -1);
}

}  // namespace
}  // namespace quorlin::plot2d
