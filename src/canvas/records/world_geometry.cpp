#include "canvas/records/world_geometry.h"

#include <cmath>

namespace quorlin::canvas {

bool ClipSegment(const TLDRect& box, Vec2& p, Vec2& q) {
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
    auto cutAt = [&](const Cut& cut, Vec2& end, Vec2 start) {
        if (cut.axis < 0) return;
        end = {start.x + cut.t * dx, start.y + cut.t * dy};
        (cut.axis == 0 ? end.x : end.y) = cut.edge;
    };
    const Vec2 start = p;
    cutAt(leave, q, start);
    cutAt(enter, p, start);
    return true;
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

}  // namespace quorlin::canvas
