#include "plot2d/curve_pipe.h"

#include <algorithm>
#include <cmath>

namespace quorlin::plot2d {

namespace {

bool Finite(Vec2 p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
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
