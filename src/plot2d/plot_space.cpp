#include "plot2d/plot_space.h"

#include <cmath>

namespace quorlin::plot2d {

TPlotSpace TPlotSpace::Over(long double x0, long double x1, long double y0, long double y1, int w,
                            int h) {
    TPlotSpace s;
    s.xLow = x0;
    s.xHigh = x1;
    s.yLow = y0;
    s.yHigh = y1;
    s.width = w > 0 ? w : 1;
    s.height = h > 0 ? h : 1;
    return s;
}

Vec2 TPlotSpace::ToPlot(Vec2 pixel) const {
    return {xLow + (pixel.x - leftMargin) * UnitsPerPixelX(),
            yHigh - (pixel.y - topMargin) * UnitsPerPixelY()};
}

TPixelBox TPlotSpace::Area() const {
    return {static_cast<long double>(leftMargin), static_cast<long double>(topMargin),
            static_cast<long double>(leftMargin) + Span(width),
            static_cast<long double>(topMargin) + Span(height)};
}

bool TPlotSpace::ValueToPlot(Vec2 value, Vec2& plot) const {
    if (!std::isfinite(value.x) || !std::isfinite(value.y)) return false;
    if ((logX && !(value.x > 0)) || (logY && !(value.y > 0))) return false;
    plot = {logX ? std::log10(value.x) : value.x, logY ? std::log10(value.y) : value.y};
    return true;
}

long double TPlotSpace::ValueOfPlotX(long double u) const {
    return logX ? std::pow(10.0L, u) : u;
}

long double TPlotSpace::ValueOfPlotY(long double v) const {
    return logY ? std::pow(10.0L, v) : v;
}

}  // namespace quorlin::plot2d
