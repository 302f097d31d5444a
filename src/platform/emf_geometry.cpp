#include "platform/emf_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::platform::emf {

namespace {

// One side of the polygon clipping below: keeps what lies inside, adding the crossings.
template <typename Inside, typename Cross>
QPolygonF ClipSide(const QPolygonF& in, Inside inside, Cross cross) {
    QPolygonF out;
    if (in.isEmpty()) return out;
    QPointF previous = in.back();
    for (const QPointF& p : in) {
        const bool here = inside(p), before = inside(previous);
        if (here != before) out << cross(previous, p);
        if (here) out << p;
        previous = p;
    }
    return out;
}

}  // namespace

bool IsFinite(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

QPolygonF ClipPolygon(QPolygonF polygon, const QRectF& r) {
    const auto atX = [](QPointF a, QPointF b, double x) {
        return QPointF(x, a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y()));
    };
    const auto atY = [](QPointF a, QPointF b, double y) {
        return QPointF(a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x()), y);
    };
    polygon = ClipSide(
        polygon, [&](QPointF p) { return p.x() >= r.left(); },
        [&](QPointF a, QPointF b) { return atX(a, b, r.left()); });
    polygon = ClipSide(
        polygon, [&](QPointF p) { return p.x() <= r.right(); },
        [&](QPointF a, QPointF b) { return atX(a, b, r.right()); });
    polygon = ClipSide(
        polygon, [&](QPointF p) { return p.y() >= r.top(); },
        [&](QPointF a, QPointF b) { return atY(a, b, r.top()); });
    return ClipSide(
        polygon, [&](QPointF p) { return p.y() <= r.bottom(); },
        [&](QPointF a, QPointF b) { return atY(a, b, r.bottom()); });
}

std::optional<std::pair<double, double>> ClipSegment(QPointF a, QPointF b, const QRectF& r) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return std::nullopt;
    return std::pair(t0, t1);
}

QPainterPath FillWithin(const QPainterPath& path, const QRectF& reach) {
    if (reach.contains(path.controlPointRect())) return path;
    QPainterPath cut;
    cut.setFillRule(path.fillRule());
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        const QPolygonF inside = ClipPolygon(polygon, reach);
        if (inside.size() < 3) continue;
        cut.addPolygon(inside);
        cut.closeSubpath();
    }
    return cut;
}

QPainterPath StrokeWithin(const QPainterPath& path, const QRectF& reach) {
    if (reach.contains(path.controlPointRect())) return path;
    QPainterPath cut;
    for (const QPolygonF& line : path.toSubpathPolygons()) {
        bool running = false;
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QPointF a = line[i - 1], b = line[i];
            const auto part = ClipSegment(a, b, reach);
            if (!part) {
                running = false;
                continue;
            }
            const QPointF from = a + part->first * (b - a), to = a + part->second * (b - a);
            if (!running || part->first > 0) cut.moveTo(from);
            cut.lineTo(to);
            running = part->second >= 1;
        }
    }
    return cut;
}

double ParameterAngle(const QRectF& box, QPointF p) {
    const QPointF c = box.center();
    return std::atan2(-(p.y() - c.y()) / box.height(), (p.x() - c.x()) / box.width()) * 180 /
           std::numbers::pi;
}

double Sweep(double a, double b, bool clockwise) {
    double sweep = std::fmod(b - a, 360.0);
    if (clockwise) return sweep >= 0 ? sweep - 360 : sweep;
    return sweep <= 0 ? sweep + 360 : sweep;
}

}  // namespace quorlin::platform::emf
