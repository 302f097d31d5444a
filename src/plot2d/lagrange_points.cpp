#include "plot2d/lagrange_points.h"

#include <algorithm>
#include <cmath>

namespace quorlin::plot2d {

namespace {

int PickedCount(const examples::TExample& e) {
    return std::clamp<int>(e.LagrangeLastPoint() + 1, 0, static_cast<int>(e.points.size()));
}

}  // namespace

int LagrangeDotRadius(const examples::TExample& e) {
    return std::clamp<int>(e.fieldLengthPercent, 1, 100) / 2 + 1;
}

int LagrangePointNear(const examples::TExample& e, const TPlotSpace& space, Vec2 plot) {
    const long double reach = std::max(kLagrangePointReach, LagrangeDotRadius(e));
    int nearest = -1;
    long double best = reach;
    for (int k = 0; k < PickedCount(e); ++k) {
        const Vec3& point = e.points[static_cast<std::size_t>(k)];
        Vec2 p;
        if (!space.ValueToPlot({point.x, point.y}, p)) continue;
        const long double pixels = std::fabs(p.x - plot.x) / space.UnitsPerPixelX() +
                                   std::fabs(p.y - plot.y) / space.UnitsPerPixelY();
        // The nearest within reach wins; of equally near ones the first picked.
        if (nearest < 0 ? pixels <= reach : pixels < best) {
            nearest = k;
            best = pixels;
        }
    }
    return nearest;
}

void DeleteLagrangePoint(examples::TExample& e, int k) {
    const int count = PickedCount(e);
    if (k < 0 || k >= count) return;
    const auto first = e.points.begin();
    std::move(first + k + 1, first + count, first + k);
    e.points[static_cast<std::size_t>(count - 1)] = {};
    e.LagrangeLastPoint() = static_cast<std::int16_t>(count - 2);
}

}  // namespace quorlin::plot2d
