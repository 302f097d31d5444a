#include "plot2d/curve_pipe.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace quorlin::plot2d {

namespace {

bool Finite(Vec2 p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

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

// --- clipping ---

bool ClipToBox(const TPixelBox& box, Vec2& a, Vec2& b) {
    // Liang-Barsky: the part of a + s (b - a), 0 <= s <= 1, inside the four half planes. The
    // coordinate an end is cut at is set to its border exactly: far-off ends (a pole's values)
    // would leave nothing of it after a + s (b - a).
    const Vec2 d = b - a;
    long double s0 = 0, s1 = 1;
    int edge0 = -1, edge1 = -1;  // which border cut each end: 0 left, 1 right, 2 top, 3 bottom
    const auto edge = [&](int which, long double p, long double q) {
        if (p == 0) return q >= 0;
        const long double r = q / p;
        if (p < 0) {
            if (r > s1) return false;
            if (r > s0) {
                s0 = r;
                edge0 = which;
            }
        } else {
            if (r < s0) return false;
            if (r < s1) {
                s1 = r;
                edge1 = which;
            }
        }
        return true;
    };
    if (!edge(0, -d.x, a.x - box.left) || !edge(1, d.x, box.right - a.x) ||
        !edge(2, -d.y, a.y - box.top) || !edge(3, d.y, box.bottom - a.y))
        return false;
    const Vec2 start = a;
    const auto cut = [&](long double s, int which) {
        Vec2 p = start + s * d;
        if (which == 0) p.x = box.left;
        if (which == 1) p.x = box.right;
        if (which == 2) p.y = box.top;
        if (which == 3) p.y = box.bottom;
        p.x = std::clamp(p.x, box.left, box.right);
        p.y = std::clamp(p.y, box.top, box.bottom);
        return p;
    };
    if (edge1 >= 0) b = cut(s1, edge1);
    if (edge0 >= 0) a = cut(s0, edge0);
    return true;
}

// --- thinning ---

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

// --- the pipe ---

TCurvePipe::TCurvePipe(const TPlotSpace& space, TCurveSink& sink, long double tolerance)
    : space_(space), clip_(space.Area().Widened(kClipMargin)), thinner_(sink, tolerance) {}

void TCurvePipe::Add(Vec2 plot) {
    Add(plot, space_.ToPixel(plot));
}

void TCurvePipe::Add(Vec2 plot, Vec2 pixel) {
    ++pointsIn_;
    if (!Finite(plot) || !Finite(pixel)) {
        Break();
        return;
    }
    const bool inside = clip_.Contains(pixel);
    if (!penDown_) {
        if (inside) thinner_.Add(pixel, plot);
    } else {
        const bool previousInside = clip_.Contains(previousPixel_);
        if (previousInside && inside) {
            thinner_.Add(pixel, plot);
        } else {
            Vec2 a = previousPixel_, b = pixel;
            if (ClipToBox(clip_, a, b)) {
                if (!previousInside) {
                    thinner_.Break();
                    thinner_.Add(a, space_.ToPlot(a));
                }
                if (inside) {
                    thinner_.Add(pixel, plot);
                } else {
                    thinner_.Add(b, space_.ToPlot(b));
                    thinner_.Break();
                }
            }
        }
    }
    penDown_ = true;
    previousPixel_ = pixel;
}

void TCurvePipe::Break() {
    penDown_ = false;
    thinner_.Break();
}

void TCurvePipe::Finish() {
    Break();
}

}  // namespace quorlin::plot2d
