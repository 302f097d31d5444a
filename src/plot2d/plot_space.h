#pragma once
// The plane a drawer draws in, as plain values: the view's corners in plot coordinates (world
// values, or decimal exponents on a logarithmic axis), the size of a pixel, and the affine maps
// between plot coordinates and the pixels of the drawing area. Drawers sample and judge their
// curves in pixels and hand plot coordinates to the canvas.
#include <cmath>

#include "core/vectors.h"

namespace quorlin::plot2d {

// A rectangle of pixels (left <= right, top <= bottom), in long doubles so that points far off
// the area keep their direction.
struct TPixelBox {
    long double left = 0;
    long double top = 0;
    long double right = 0;
    long double bottom = 0;

    bool Contains(Vec2 p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    TPixelBox Widened(long double by) const {
        return {left - by, top - by, right + by, bottom + by};
    }
};

// The map of plot coordinates to pixels with the size of a pixel worked out once, for the loops
// that map many points of one drawing.
struct TPixelMap {
    long double xLow = 0;
    long double yHigh = 0;
    long double unitsPerPixelX = 1;
    long double unitsPerPixelY = 1;
    long double left = 0;
    long double top = 0;

    Vec2 ToPixel(Vec2 plot) const {
        return {(plot.x - xLow) / unitsPerPixelX + left, (yHigh - plot.y) / unitsPerPixelY + top};
    }
};

struct TPlotSpace {
    // The view's corners in plot coordinates.
    long double xLow = -5;
    long double xHigh = 5;
    long double yLow = -5;
    long double yHigh = 5;
    // The drawing area: its size in pixels and its place in the client area.
    int width = 401;
    int height = 401;
    int leftMargin = 0;
    int topMargin = 0;
    // Logarithmic axes: their plot coordinate is the decimal exponent of the value.
    bool logX = false;
    bool logY = false;

    // A space over the corners with the given area; the pixel size follows (the corners fall on
    // the first and last pixels of the area, as the canvas maps them).
    static TPlotSpace Over(long double x0, long double x1, long double y0, long double y1, int w,
                           int h);

    long double UnitsPerPixelX() const { return (xHigh - xLow) / Span(width); }
    long double UnitsPerPixelY() const { return (yHigh - yLow) / Span(height); }

    // Plot coordinates to pixels and back, neither rounded nor clamped.
    Vec2 ToPixel(Vec2 plot) const { return PixelMap().ToPixel(plot); }
    TPixelMap PixelMap() const {
        return {xLow,
                yHigh,
                UnitsPerPixelX(),
                UnitsPerPixelY(),
                static_cast<long double>(leftMargin),
                static_cast<long double>(topMargin)};
    }
    Vec2 ToPlot(Vec2 pixel) const;
    // The drawing area.
    TPixelBox Area() const;

    // A value of the plane to plot coordinates: the decimal exponent on a logarithmic axis;
    // false where a value on a logarithmic axis is not positive (nothing is drawn there) or a
    // coordinate is not finite.
    bool ValueToPlot(Vec2 value, Vec2& plot) const {
        if (!std::isfinite(value.x) || !std::isfinite(value.y)) return false;
        if ((logX && !(value.x > 0)) || (logY && !(value.y > 0))) return false;
        plot = {logX ? std::log10(value.x) : value.x, logY ? std::log10(value.y) : value.y};
        return true;
    }
    // The value of a plot x or y (10^u on a logarithmic axis).
    long double ValueOfPlotX(long double u) const { return logX ? std::pow(10.0L, u) : u; }
    long double ValueOfPlotY(long double v) const { return logY ? std::pow(10.0L, v) : v; }

private:
    static long double Span(int pixels) { return pixels > 1 ? pixels - 1 : 1; }
};

}  // namespace quorlin::plot2d
