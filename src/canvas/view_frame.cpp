#include "canvas/view_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace quorlin::canvas {
namespace {

// Pixel steps across an axis of `size` pixels: pixel 0 and pixel size - 1 lie on its edges.
long double Steps(int size) {
    return static_cast<long double>(std::max(size - 1, 1));
}

}  // namespace

namespace {

// One axis of a view: corners low < high and a pixel of `unitsPerPixel` world units, at least
// 16 steps of the long doubles near the corners, so that a pixel maps within a sixteenth.
bool AxisRepresentable(long double low, long double high, long double unitsPerPixel) {
    constexpr long double kStepsPerPixel = 16;
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high)) return false;
    if (!std::isnormal(unitsPerPixel) || !std::isnormal(1 / unitsPerPixel)) return false;
    const long double reach = std::max(std::fabs(low), std::fabs(high));
    const long double step =
        std::nextafter(reach, std::numeric_limits<long double>::infinity()) - reach;
    return unitsPerPixel >= kStepsPerPixel * step;
}

}  // namespace

bool TViewFrame::Representable() const {
    return unitsPerPixelX > 0 && unitsPerPixelY > 0 &&
           AxisRepresentable(left, right, unitsPerPixelX) &&
           AxisRepresentable(down, up, unitsPerPixelY);
}

bool BringIntoRange(TViewFrame& frame) {
    frame.RecomputeView();
    if (frame.Representable()) return false;
    const TViewFrame standard;
    frame.centreX = standard.centreX;
    frame.centreY = standard.centreY;
    frame.halfWidth = standard.halfWidth;
    frame.halfHeight = standard.halfHeight;
    std::tie(frame.left, frame.right, frame.down, frame.up) =
        std::tie(standard.left, standard.right, standard.down, standard.up);
    std::tie(frame.altLeft, frame.altRight, frame.altDown, frame.altUp) =
        std::tie(standard.altLeft, standard.altRight, standard.altDown, standard.altUp);
    frame.cornersFlag = standard.cornersFlag;
    frame.aspect = standard.aspect;
    frame.RecomputeView();
    return true;
}

void TViewFrame::SetAreaSize(int width, int height) {
    areaWidth = std::max(width, 1);
    areaHeight = std::max(height, 1);
}

void TViewFrame::ComputeScales() {
    unitsPerPixelX = (right - left) / Steps(areaWidth);
    unitsPerPixelY = (up - down) / Steps(areaHeight);
}

void TViewFrame::RecomputeView() {
    if (logMode != kLogNone) {
        cornersFlag = true;
        left = altLeft;
        right = altRight;
        down = altDown;
        up = altUp;
    }
    if (cornersFlag) {
        centreX = (left + right) / 2;
        centreY = (down + up) / 2;
        halfWidth = (right - left) / 2;
        halfHeight = (up - down) / 2;
        ComputeScales();
        // Leaving the corners later keeps the shape the corners gave.
        if (unitsPerPixelX > 0) aspect = unitsPerPixelY / unitsPerPixelX;
        return;
    }
    unitsPerPixelX = 2 * halfWidth / Steps(areaWidth);
    unitsPerPixelY = unitsPerPixelX * aspect;
    halfHeight = unitsPerPixelY * Steps(areaHeight) / 2;
    left = centreX - halfWidth;
    right = centreX + halfWidth;
    down = centreY - halfHeight;
    up = centreY + halfHeight;
}

void TViewFrame::SetView(long double cx, long double cy, long double hw, long double hh,
                         bool corners) {
    centreX = cx;
    centreY = cy;
    cornersFlag = corners;
    if (corners) {
        left = cx - hw;
        right = cx + hw;
        down = cy - hh;
        up = cy + hh;
    } else {
        // Half-width that shows the asked half-height with the linked scales.
        const long double needed =
            hh * Steps(areaWidth) / (Steps(areaHeight) * (aspect > 0 ? aspect : 1));
        halfWidth = std::max(hw, needed);
    }
    RecomputeView();
}

void TViewFrame::SetLogCorners(long double l, long double r, long double d, long double u) {
    const bool logX = IsLogX(logMode), logY = IsLogY(logMode);
    altLeft = logX ? std::log10(l) : l;
    altRight = logX ? std::log10(r) : r;
    altDown = logY ? std::log10(d) : d;
    altUp = logY ? std::log10(u) : u;
    RecomputeView();
}

void TViewFrame::Zoom(bool out) {
    const long double f = out ? zoomFactor : 1 / zoomFactor;
    halfWidth *= f;
    halfHeight *= f;
    if (cornersFlag) {
        left = centreX - halfWidth;
        right = centreX + halfWidth;
        down = centreY - halfHeight;
        up = centreY + halfHeight;
        if (logMode != kLogNone) {
            altLeft = left;
            altRight = right;
            altDown = down;
            altUp = up;
        }
    }
    RecomputeView();
}

PixelMapping TViewFrame::Mapping() const {
    return {left,           right,     down,       up,         unitsPerPixelX,
            unitsPerPixelY, areaWidth, areaHeight, leftMargin, topMargin};
}

int TViewFrame::XToScreen(long double x) const {
    return Mapping().XToScreen(x);
}

int TViewFrame::YToScreen(long double y) const {
    return Mapping().YToScreen(y);
}

bool TViewFrame::PointToScreen(WorldPoint p, QPoint& out) const {
    ScreenPoint pixel;
    const bool inside = Mapping().PointToScreen(p, pixel);
    out = QPoint(pixel.x, pixel.y);
    return inside;
}

long double TViewFrame::ScreenToX(int sx) const {
    return Mapping().ScreenToX(sx);
}

long double TViewFrame::ScreenToY(int sy) const {
    return Mapping().ScreenToY(sy);
}

TLDRect TViewFrame::ScreenRectToWorld(const platform::PixelRect& r) const {
    return {ScreenToX(r.left), ScreenToX(r.right), ScreenToY(r.bottom), ScreenToY(r.top)};
}

platform::PixelRect TViewFrame::WorldRectToScreen(const TLDRect& r) const {
    const platform::PixelRect area = AreaRect();
    auto clampX = [&](int x) { return std::clamp(x, area.left, area.right); };
    auto clampY = [&](int y) { return std::clamp(y, area.top, area.bottom); };
    return {clampX(XToScreen(r.xLow)), clampY(YToScreen(r.yHigh)), clampX(XToScreen(r.xHigh)),
            clampY(YToScreen(r.yLow))};
}

bool TViewFrame::IsInView(WorldPoint p) const {
    return Mapping().IsInView(p);
}

TLDRect TViewFrame::ClipRect() const {
    return {left - unitsPerPixelX, right + unitsPerPixelX, down - unitsPerPixelY,
            up + unitsPerPixelY};
}

ExportView TViewFrame::ToExportView() const {
    ExportView v;
    CopyGeometryTo(v);
    return v;
}

void TViewFrame::CopyGeometryTo(ExportView& v) const {
    v.centreX = centreX;
    v.centreY = centreY;
    v.halfWidth = halfWidth;
    v.halfHeight = halfHeight;
    static_cast<PixelMapping&>(v) = Mapping();
}

bool ClipSegment(const TLDRect& box, WorldPoint& p, WorldPoint& q) {
    Vec2 a{p.x, p.y}, b{q.x, q.y};
    if (!ClipSegment(box, a, b)) return false;
    p = {a.x, a.y};
    q = {b.x, b.y};
    return true;
}

bool ArrowHeadPoints(const TViewFrame& frame, WorldPoint direction, long double length,
                     WorldPoint& a, WorldPoint& b) {
    return ArrowHeadPoints(frame.ToExportView(), direction, length, a, b);
}

std::string FormatPowerOfTen(int n) {
    static const char* const kNear[] = {"0.001", "0.01", "0.1", "1", "10", "100", "1000"};
    if (n >= -3 && n <= 3) return kNear[n + 3];
    return "10^" + std::to_string(n);
}

}  // namespace quorlin::canvas
