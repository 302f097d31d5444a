#include "canvas/export_view.h"

#include <algorithm>
#include <cmath>

namespace quorlin::canvas {
namespace {

// Pixel of a world offset along an axis of `size` pixels, clamped to -1 .. size + 1 before
// the conversion so that a far-away point (or a view corner of 1e300) cannot overflow the
// integer. The pixel one step past either edge, where clipped lines end, stays as it is.
int ClampedPixel(long double offset, int size) {
    if (!(offset >= -0.5L)) return -1;  // also NaN
    if (offset > size + 0.5L) return size + 1;
    return static_cast<int>(std::lround(static_cast<double>(offset)));
}

}  // namespace

ExportView ExportView::FromCorners(long double xLow, long double xHigh, long double yLow,
                                   long double yHigh, int clientWidth, int clientHeight) {
    ExportView v;
    v.xLow = xLow;
    v.xHigh = xHigh;
    v.yLow = yLow;
    v.yHigh = yHigh;
    v.centreX = (xLow + xHigh) / 2;
    v.centreY = (yLow + yHigh) / 2;
    v.halfWidth = (xHigh - xLow) / 2;
    v.halfHeight = (yHigh - yLow) / 2;
    v.clientWidth = clientWidth;
    v.clientHeight = clientHeight;
    v.unitsPerPixelX = (xHigh - xLow) / std::max(clientWidth - 1, 1);
    v.unitsPerPixelY = (yHigh - yLow) / std::max(clientHeight - 1, 1);
    return v;
}

int PixelMapping::XToScreen(long double x) const {
    return ClampedPixel(XOffset(x), clientWidth) + leftMargin;
}

int PixelMapping::YToScreen(long double y) const {
    return ClampedPixel(YOffset(y), clientHeight) + topMargin;
}

bool PixelMapping::PointToScreen(WorldPoint p, ScreenPoint& out) const {
    out = {XToScreen(p.x), YToScreen(p.y)};
    return out.x >= leftMargin && out.x < leftMargin + clientWidth && out.y >= topMargin &&
           out.y < topMargin + clientHeight;
}

long double PixelMapping::ScreenToX(int sx) const {
    return (sx - leftMargin) * unitsPerPixelX + xLow;
}

long double PixelMapping::ScreenToY(int sy) const {
    return yHigh - (sy - topMargin) * unitsPerPixelY;
}

bool PixelMapping::IsInView(WorldPoint p) const {
    return p.x >= xLow && p.x <= xHigh && p.y >= yLow && p.y <= yHigh;
}

}  // namespace quorlin::canvas

namespace quorlin::canvas {

bool ArrowHeadPoints(const ExportView& view, WorldPoint direction, long double length,
                     WorldPoint& a, WorldPoint& b) {
    if (std::hypot(direction.x, direction.y) < 1e-13L) return false;
    const long double px = direction.x / view.unitsPerPixelX;
    const long double py = direction.y / view.unitsPerPixelY;
    const long double norm = std::hypot(px, py);
    if (!(norm > 0)) return false;
    const long double headPixels = length / view.unitsPerPixelX;
    constexpr long double kHalfSpread = 0.4L;  // half-width of the head over its length
    const long double bx = -px / norm * headPixels, by = -py / norm * headPixels;
    const long double sx = -by * kHalfSpread, sy = bx * kHalfSpread;
    a = {(bx + sx) * view.unitsPerPixelX, (by + sy) * view.unitsPerPixelY};
    b = {(bx - sx) * view.unitsPerPixelX, (by - sy) * view.unitsPerPixelY};
    return true;
}

}  // namespace quorlin::canvas

namespace quorlin::canvas {

ScreenPoint TextAnchorPoint(ScreenPoint p, int extentWidth, int extentHeight, int escapement, int h,
                            int v) {
    double fx = (1 - h) * 0.5, fy = (v + 1) * 0.5;
    const double angle = escapement * M_PI / 1800.0;
    if (escapement != 0) {
        fx *= std::cos(angle);
        fy *= std::sin(angle);
    }
    const long x0 = std::lround(p.x - fx * extentWidth);
    const long y0 = std::lround(p.y - fy * extentHeight);
    const int e = extentHeight * 7 / 9;
    if (escapement == 0) return {static_cast<int>(x0), static_cast<int>(y0 + e)};
    return {static_cast<int>(std::lround(x0 + e * std::sin(angle))),
            static_cast<int>(std::lround(y0 + e * std::cos(angle)))};
}

}  // namespace quorlin::canvas
