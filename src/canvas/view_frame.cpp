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
    // Liang-Barsky: the part of p + t (q - p), t in [0, 1], inside each of the four half-planes.
    // A clipped end takes the edge it was cut at exactly, so that a long segment keeps its
    // place even when t carries too few digits for it.
    struct Cut {
        long double t;
        int axis = -1;  // 0 x, 1 y; -1 not cut
        long double edge = 0;
    };
    const long double dx = q.x - p.x, dy = q.y - p.y;
    Cut enter{0}, leave{1};
    auto narrow = [&](long double denominator, long double numerator, int axis, long double edge) {
        if (denominator == 0) return numerator >= 0;
        const long double t = numerator / denominator;
        if (denominator < 0) {
            if (t > leave.t) return false;
            if (t > enter.t) enter = {t, axis, edge};
        } else {
            if (t < enter.t) return false;
            if (t < leave.t) leave = {t, axis, edge};
        }
        return true;
    };
    if (!(narrow(-dx, p.x - box.xLow, 0, box.xLow) && narrow(dx, box.xHigh - p.x, 0, box.xHigh) &&
          narrow(-dy, p.y - box.yLow, 1, box.yLow) && narrow(dy, box.yHigh - p.y, 1, box.yHigh)))
        return false;
    auto cutAt = [&](const Cut& cut, WorldPoint& end, WorldPoint start) {
        if (cut.axis < 0) return;
        end = {start.x + cut.t * dx, start.y + cut.t * dy};
        (cut.axis == 0 ? end.x : end.y) = cut.edge;
    };
    const WorldPoint start = p;
    cutAt(leave, q, start);
    cutAt(enter, p, start);
    return true;
}

bool ArrowHeadPoints(const TViewFrame& frame, WorldPoint direction, long double length,
                     WorldPoint& a, WorldPoint& b) {
    return ArrowHeadPoints(frame.ToExportView(), direction, length, a, b);
}

bool SetPlaneFrom3Points(TPlane& plane, const Point3& a, const Point3& b, const Point3& c) {
    const Point3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const Point3 v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const Point3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const long double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length >= 1e-16L)) return false;
    plane.normal = {n[0] / length, n[1] / length, n[2] / length};
    plane.offset = plane.normal[0] * a[0] + plane.normal[1] * a[1] + plane.normal[2] * a[2];
    return true;
}

long double PlaneSide(const TPlane& plane, const Point3& p) {
    return plane.normal[0] * p[0] + plane.normal[1] * p[1] + plane.normal[2] * p[2] - plane.offset;
}

std::string FormatPowerOfTen(int n) {
    static const char* const kNear[] = {"0.001", "0.01", "0.1", "1", "10", "100", "1000"};
    if (n >= -3 && n <= 3) return kNear[n + 3];
    return "10^" + std::to_string(n);
}

}  // namespace quorlin::canvas
