#include "examples/operations/plot_geometry.h"

#include <cmath>
#include <numbers>

namespace quorlin::examples {

namespace {

constexpr long double kTiny = 1e-16L;
const long double kLn10 = std::log(10.0L);

bool IsLogX(int mode) {
    return mode == 1 || mode == 3;
}
bool IsLogY(int mode) {
    return mode == 2 || mode == 3;
}

long double ScaleOf(long double low, long double high, long double previous) {
    const long double extent = high - low;
    return extent != 0 ? 1 / extent : previous;
}

}  // namespace

// ------------------------------------------------------------------------------ scene box

Vec3 TSceneBox::WorldToBox(Vec3 p) const {
    return {scale.x * (p.x - centre.x), scale.y * (p.y - centre.y), scale.z * (p.z - centre.z)};
}

Vec3 TSceneBox::BoxToWorld(Vec3 p) const {
    auto back = [](long double v, long double s, long double c) { return s != 0 ? v / s + c : c; };
    return {back(p.x, scale.x, centre.x), back(p.y, scale.y, centre.y),
            back(p.z, scale.z, centre.z)};
}

void TSceneBox::ComputeScale() {
    scale = {ScaleOf(min.x, max.x, scale.x), ScaleOf(min.y, max.y, scale.y),
             ScaleOf(min.z, max.z, scale.z)};
}

bool TSceneBox::IsNearXY(Vec3 p) const {
    const Vec3 b = WorldToBox(p);
    return std::fabs(b.x) < 2 && std::fabs(b.y) < 2;
}

bool TSceneBox::IsFarAway(Vec3 p) const {
    return Vec3TaxiDist(p, centre) > 10000 * Vec3TaxiDist(max, min);
}

// ------------------------------------------------------------------------------ observer

TObserver::TObserver() : angleStep(std::numbers::pi_v<long double> / 30) {}

void ComputeScreenAxis(TObserver& o) {
    const long double h = std::hypot(o.view.x, o.view.y);
    if (h < kTiny) return;
    o.screenAxis = {-o.view.y / h, o.view.x / h, 0};
}

std::optional<Vec2> SelectAxisPair(int pair, Vec3 p, long double t, int dimension,
                                   const TObserver& observer, const TSceneBox& box) {
    switch (pair) {
        case 3:
            return Vec2{p.x, p.y};
        case 5:
            return Vec2{p.z, p.x};
        case 6:
            return Vec2{p.y, p.z};
        case 7:
            return ProjectPoint(observer, box, p);
        case 9:
            return Vec2{t, p.x};
        case 10:
            return Vec2{t, p.y};
        case 11:
            return Vec2{t, dimension >= 3 ? p.z : p.x};
        case 12:
            return Vec2{t, p.z};
        default:
            return std::nullopt;
    }
}

// ------------------------------------------------------------------------------ log axes

Vec2 ToLogAxes(int logMode, Vec2 p) {
    if (IsLogX(logMode)) p.x = std::exp(p.x * kLn10);
    if (IsLogY(logMode)) p.y = std::exp(p.y * kLn10);
    return p;
}

Vec2 SlopeToLogAxes(int logMode, Vec2 at, Vec2 v) {
    if (logMode != 2) v.x /= at.x * kLn10;
    if (IsLogY(logMode)) v.y /= at.y * kLn10;
    return v;
}

TValueRange ValueRangeOf(int logMode, long double left, long double right, long double down,
                         long double up) {
    const Vec2 low = ToLogAxes(logMode, {left, down});
    const Vec2 high = ToLogAxes(logMode, {right, up});
    return {low.x, high.x, low.y, high.y};
}

std::optional<Vec2> ToPlotAxes(int logMode, Vec2 p, const TValueRange& range) {
    if (IsLogX(logMode)) {
        if (!(p.x >= range.xLow && p.x <= range.xHigh)) return std::nullopt;
        p.x = std::log(p.x) / kLn10;
    }
    if (IsLogY(logMode)) {
        if (!(p.y >= range.yLow && p.y <= range.yHigh)) return std::nullopt;
        p.y = std::log(p.y) / kLn10;
    }
    return p;
}

}  // namespace quorlin::examples
