#pragma once
// Geometry for playing metafiles: cutting polygons and polylines at a rectangle, so that no
// coordinate far outside the target reaches a painter, and the angles of the format's arcs.
#include <optional>
#include <utility>

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace quorlin::platform::emf {

bool IsFinite(const QRectF& r);

// The part of a polygon inside r (Sutherland-Hodgman). Within r the result winds as the
// polygon does, so what a fill covers inside r is unchanged.
QPolygonF ClipPolygon(QPolygonF polygon, const QRectF& r);

// The part of the segment a-b inside r as parameters 0 <= t0 <= t1 <= 1 (Liang-Barsky).
std::optional<std::pair<double, double>> ClipSegment(QPointF a, QPointF b, const QRectF& r);

// A path to fill, reduced to what lies inside reach (the path itself when it lies inside).
QPainterPath FillWithin(const QPainterPath& path, const QRectF& reach);

// A path to stroke, reduced to its runs inside reach. The ends cut at reach are ends of the
// stroke: reach must keep a margin wider than the pen around what is seen.
QPainterPath StrokeWithin(const QPainterPath& path, const QRectF& reach);

// The angle of the ellipse's parameter where the ray from the box's centre towards p meets the
// ellipse, in degrees counter-clockwise, as QPainterPath::arcTo takes it.
double ParameterAngle(const QRectF& box, QPointF p);

// The sweep from angle a to angle b (degrees) in the drawing direction; a whole turn when they
// meet.
double Sweep(double a, double b, bool clockwise);

}  // namespace quorlin::platform::emf
