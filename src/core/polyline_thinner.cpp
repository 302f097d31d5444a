#include "core/polyline_thinner.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace quorlin {

namespace {

long double Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}

// The length of v, by its square where that cannot overflow.
long double Length(Vec2 v) {
    constexpr long double kSafe = 1e2000L;
    if (std::fabs(v.x) < kSafe && std::fabs(v.y) < kSafe) return std::sqrt(v.x * v.x + v.y * v.y);
    return std::hypot(v.x, v.y);
}

// The two edges of the cone of directions whose rays pass within `tolerance` of a point at
// `distance` along the unit direction u: u turned by -/+ asin(tolerance / distance).
std::pair<Vec2, Vec2> ConeAround(Vec2 u, long double distance, long double tolerance) {
    const long double s = std::min(1.0L, tolerance / distance);
    const long double c = std::sqrt(1 - s * s);
    return {{u.x * c + u.y * s, -u.x * s + u.y * c}, {u.x * c - u.y * s, u.x * s + u.y * c}};
}

}  // namespace

void TPolylineThinner::Emit(Vec2 plot) {
    if (!started_) {
        sink_.Point(anchorPlot_);
        ++pointsOut_;
        started_ = true;
    }
    sink_.Point(plot);
    ++pointsOut_;
}

void TPolylineThinner::StartCone(Vec2 pixel, Vec2 plot) {
    const Vec2 d = pixel - anchor_;
    const long double distance = Length(d);
    std::tie(lowEdge_, highEdge_) = ConeAround((1 / distance) * d, distance, tolerance_);
    reach_ = distance;
    cone_ = true;
    holding_ = true;
    heldPixel_ = pixel;
    heldPlot_ = plot;
}

void TPolylineThinner::Add(Vec2 pixel, Vec2 plot) {
    if (!open_) {
        open_ = true;
        started_ = holding_ = cone_ = false;
        anchor_ = pixel;
        anchorPlot_ = plot;
        return;
    }
    const Vec2 d = pixel - anchor_;
    const long double distance = Length(d);
    if (!cone_) {
        if (distance <= tolerance_) {
            holding_ = true;
            heldPixel_ = pixel;
            heldPlot_ = plot;
        } else {
            StartCone(pixel, plot);
        }
        return;
    }
    // The point may be dropped later only when it lies ahead, within the cone.
    const Vec2 u = (1 / distance) * d;
    const bool keepsHeld = distance > tolerance_ && distance >= reach_ - tolerance_ &&
                           Cross(lowEdge_, u) >= 0 && Cross(u, highEdge_) >= 0;
    if (!keepsHeld) {
        // The held point is the last one the dropped points lie along: it becomes the anchor.
        Emit(heldPlot_);
        anchor_ = heldPixel_;
        holding_ = cone_ = false;
        Add(pixel, plot);
        return;
    }
    const auto [low, high] = ConeAround(u, distance, tolerance_);
    if (Cross(lowEdge_, low) > 0) lowEdge_ = low;
    if (Cross(high, highEdge_) > 0) highEdge_ = high;
    reach_ = std::max(reach_, distance);
    heldPixel_ = pixel;
    heldPlot_ = plot;
}

void TPolylineThinner::Break() {
    if (holding_) Emit(heldPlot_);
    if (started_) sink_.Break();
    open_ = started_ = holding_ = cone_ = false;
}

}  // namespace quorlin
