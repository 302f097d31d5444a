#include "plot2d/slider_overlays.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorlin::plot2d {

namespace {

constexpr long double kSmallSpeed = 1e-13L;

examples::TPenSpec Pen(int colour, int width) {
    return {static_cast<std::int16_t>(colour), static_cast<std::uint16_t>(std::max(width, 1)), 0};
}

// The segment between two values of the plane, with an arrowhead at the second when asked.
void Segment(TDrawTarget& target, Vec2 from, Vec2 to, bool arrow) {
    Vec2 a, b;
    const TPlotSpace& space = target.Space();
    if (!space.ValueToPlot(from, a) || !space.ValueToPlot(to, b)) return;
    const std::array<Vec2, 2> points{a, b};
    target.Polyline(points);
    if (arrow) target.Arrow(b, b - a, kSliderArrowPixels, true);
}

void Mark(TDrawTarget& target, Vec2 value, int radius, bool filled) {
    Vec2 plot;
    if (target.Space().ValueToPlot(value, plot)) target.Marker(plot, radius, filled);
}

Vec2 Plane(const Vec3& v) {
    return {v.x, v.y};
}

}  // namespace

void DrawCurveSliderOverlay(TDrawTarget& target, const TCurveOverlay& overlay) {
    const examples::TCursorState& c = overlay.cursor;
    if (!c.positionDefined) return;
    target.SetPen(Pen(overlay.colour, overlay.width));
    const Vec2 at = Plane(c.position);
    if (overlay.secants && c.secantDefined && !c.secantDegenerate) {
        const Vec2 base = Plane(c.basePosition);
        Segment(target, base, at, !overlay.explicitCurve);
        Mark(target, base, kBaseRadius, true);
    } else if (overlay.tangents && c.velocityDefined) {
        const Vec2 v = Plane(c.velocity);
        if (overlay.explicitCurve) {
            // The tangent line across the view.
            const TPlotSpace& s = target.Space();
            const long double reach = (std::fabs(s.xHigh - s.xLow) + std::fabs(s.yHigh - s.yLow)) /
                                      std::max(c.speed, kSmallSpeed);
            Segment(target, at - reach * v, at + reach * v, false);
        } else {
            Segment(target, at, at + v, true);
        }
    }
    target.SetPen(Pen(overlay.colour, 1));
    Mark(target, at, kCursorRadius, false);
}

void DrawTrajectorySliderOverlay(TDrawTarget& target, const TTrajectoryOverlay& overlay) {
    target.SetPen(Pen(overlay.colour, overlay.width));
    const Vec2 at = Plane(overlay.state);
    Segment(target, at, at + Plane(overlay.vector), true);
    target.SetPen(Pen(overlay.colour, 1));
    Mark(target, at, kCursorRadius, false);
}

}  // namespace quorlin::plot2d
