#include "plot2d/plot_space.h"

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

}  // namespace quorlin::plot2d
