#include "plot2d/primitives_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorlin::plot2d {

namespace {
constexpr int kDiscMarker = 1;
constexpr int kNullStyle = -1;
}  // namespace

TPlotSpace PlotSpaceOf(const canvas::TViewFrame& view) {
    TPlotSpace s = TPlotSpace::Over(view.left, view.right, view.down, view.up, view.areaWidth,
                                    view.areaHeight);
    s.leftMargin = view.leftMargin;
    s.topMargin = view.topMargin;
    s.logX = canvas::IsLogX(view.logMode);
    s.logY = canvas::IsLogY(view.logMode);
    return s;
}

TPrimitivesCanvas::TPrimitivesCanvas(canvas::TCanvasPrimitives& prim, TCanvasRules rules)
    : prim_(prim), rules_(std::move(rules)), space_(PlotSpaceOf(prim.Frame())) {}

void TPrimitivesCanvas::SetPen(const examples::TPenSpec& pen) {
    pen_ = pen;
    prim_.SetPen(rules_.colour(pen.colour), rules_.penWidth(pen.width), pen.DrawnStyle());
}

int TPrimitivesCanvas::DevicePixels(int screenPixels) const {
    if (rules_.pixelScale == 1.0) return screenPixels;
    return std::max(1, static_cast<int>(std::lround(screenPixels * rules_.pixelScale)));
}

void TPrimitivesCanvas::Marker(Vec2 plot, int screenRadius, bool filled) {
    const int radius = DevicePixels(screenRadius);
    const Vec2 centre = space_.ToPixel(plot);
    if (filled) {
        prim_.Marker(QPoint(static_cast<int>(std::lround(centre.x)),
                            static_cast<int>(std::lround(centre.y))),
                     kDiscMarker, radius);
        return;
    }
    // A hollow circle: a closed curve round the centre in the pen.
    const int steps = std::clamp(4 * radius, 12, 96);
    prim_.BeginCurve();
    for (int k = 0; k <= steps; ++k) {
        const long double a = 2 * std::numbers::pi_v<long double> * k / steps;
        const Vec2 p = space_.ToPlot(centre + Vec2{radius * std::cos(a), radius * std::sin(a)});
        prim_.CurvePoint({p.x, p.y});
    }
    prim_.EndCurve();
}

void TPrimitivesCanvas::ArrowHead(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) {
    prim_.ArrowHead({tip.x, tip.y}, {direction.x, direction.y},
                    DevicePixels(lengthPixels) * space_.UnitsPerPixelX(), solid);
}

void TPrimitivesCanvas::Polygon(std::span<const Vec2> corners, int colour) {
    std::vector<canvas::WorldPoint> points;
    points.reserve(corners.size());
    for (Vec2 c : corners) points.push_back({c.x, c.y});
    // Filled without outline: the null pen for the fill, then the pen drawn with before.
    const examples::TPenSpec pen = pen_;
    prim_.SetPen(rules_.colour(colour), 1, kNullStyle);
    prim_.Polygon(points, rules_.colour(colour));
    SetPen(pen);
}

}  // namespace quorlin::plot2d
