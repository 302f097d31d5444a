// The records that draw: lines, shapes and arcs, paths built and then filled or stroked,
// pixels and bitmaps. Geometry is mapped to the target and cut at the margin round it before
// it reaches the painter.
#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>

#include "platform/emf_bitmap.h"
#include "platform/emf_geometry.h"
#include "platform/emf_player_parts.h"

namespace quorlin::platform::emf::detail {

namespace {

constexpr std::uint32_t kRopPatternCopy = 0x00F00021, kRopBlackness = 0x00000042,
                        kRopWhiteness = 0x00FF0062;

}  // namespace

std::vector<Player::RecordHandler> Player::ShapeHandlers() {
    const Handler polyline = [](Player& p, Fields r, Type type) {
        p.Polyline(r, type == kPolyline16 || type == kPolygon16,
                   type == kPolygon || type == kPolygon16);
    };
    const Handler polylineTo = [](Player& p, Fields r, Type type) {
        p.PolylineTo(r, type == kPolylineTo16 || type == kPolyBezierTo16,
                     type == kPolyBezierTo || type == kPolyBezierTo16);
    };
    const Handler bezier = [](Player& p, Fields r, Type type) {
        p.Bezier(r, type == kPolyBezier16);
    };
    const Handler polyPoly = [](Player& p, Fields r, Type type) {
        p.PolyPoly(r, type == kPolyPolyline16 || type == kPolyPolygon16,
                   type == kPolyPolygon || type == kPolyPolygon16);
    };
    const Handler boxShape = [](Player& p, Fields r, Type type) { p.BoxShape(r, type); };
    const Handler arc = [](Player& p, Fields r, Type type) { p.Arc(r, type); };
    return {
        {kMoveToEx, [](Player& p, Fields r, Type) { p.MoveTo(r.Point(8)); }},
        {kLineTo, [](Player& p, Fields r, Type) { p.LineTo(r.Point(8)); }},
        {kPolyline, polyline},
        {kPolyline16, polyline},
        {kPolygon, polyline},
        {kPolygon16, polyline},
        {kPolylineTo, polylineTo},
        {kPolylineTo16, polylineTo},
        {kPolyBezierTo, polylineTo},
        {kPolyBezierTo16, polylineTo},
        {kPolyBezier, bezier},
        {kPolyBezier16, bezier},
        {kPolyPolyline, polyPoly},
        {kPolyPolyline16, polyPoly},
        {kPolyPolygon, polyPoly},
        {kPolyPolygon16, polyPoly},
        {kRectangle, boxShape},
        {kEllipse, boxShape},
        {kRoundRect, boxShape},
        {kArc, arc},
        {kArcTo, arc},
        {kChord, arc},
        {kPie, arc},
        {kAngleArc, [](Player& p, Fields r, Type) { p.AngleArc(r); }},
        {kSetPixelV, [](Player& p, Fields r, Type) { p.Pixel(r); }},
    };
}

std::vector<Player::RecordHandler> Player::PathHandlers() {
    const Handler drawPath = [](Player& p, Fields, Type type) {
        p.DrawPath(type != kStrokePath, type != kFillPath);
    };
    return {
        {kBeginPath, [](Player& p, Fields, Type) { p.BeginPath(); }},
        {kEndPath, [](Player& p, Fields, Type) { p.inPath_ = false; }},
        {kAbortPath, [](Player& p, Fields, Type) { p.AbortPath(); }},
        {kCloseFigure, [](Player& p, Fields, Type) { p.CloseFigure(); }},
        {kFillPath, drawPath},
        {kStrokePath, drawPath},
        {kStrokeAndFillPath, drawPath},
    };
}

// ------------------------------------------------------------------------------ lines and shapes

void Player::MoveTo(QPointF to) {
    state_.position = to;
    figureOpen_ = false;
}

void Player::LineTo(QPointF to) {
    QPainterPath line(state_.position);
    line.lineTo(to);
    Continue(line, to);
}

void Player::Shape(const QPainterPath& logical, bool fill) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    if (inPath_) {
        path_.addPath(t.map(logical));
        figureOpen_ = false;
        return;
    }
    Draw(t.map(logical), fill, true);
}

// Lines that go on from the current position (which logical starts at) and move it to end.
void Player::Continue(const QPainterPath& logical, QPointF end) {
    const QTransform t = ToTarget();
    state_.position = end;
    if (!IsUsable(t)) return;
    if (!inPath_) {
        Draw(t.map(logical), false, true);
        return;
    }
    if (figureOpen_) {
        path_.connectPath(t.map(logical));
    } else {
        path_.addPath(t.map(logical));
        figureOpen_ = true;
    }
}

void Player::Polyline(const RecordFields& r, bool small, bool closed) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count < 2 || !r.Holds(28, count, size)) return;
    QPolygonF points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) points << r.Point(28 + size * i, small);
    QPainterPath path;
    path.addPolygon(points);
    if (closed) path.closeSubpath();
    Shape(path, closed);
}

void Player::PolylineTo(const RecordFields& r, bool small, bool bezier) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count == 0 || !r.Holds(28, count, size)) return;
    QPainterPath path(state_.position);
    QPointF last = state_.position;
    if (bezier) {
        for (std::uint32_t i = 0; i + 3 <= count; i += 3) {
            last = r.Point(28 + size * (i + 2), small);
            path.cubicTo(r.Point(28 + size * i, small), r.Point(28 + size * (i + 1), small), last);
        }
    } else {
        for (std::uint32_t i = 0; i < count; ++i) {
            last = r.Point(28 + size * i, small);
            path.lineTo(last);
        }
    }
    Continue(path, last);
}

void Player::Bezier(const RecordFields& r, bool small) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count < 4 || !r.Holds(28, count, size)) return;
    QPainterPath path(r.Point(28, small));
    for (std::uint32_t i = 1; i + 3 <= count; i += 3) {
        path.cubicTo(r.Point(28 + size * i, small), r.Point(28 + size * (i + 1), small),
                     r.Point(28 + size * (i + 2), small));
    }
    Shape(path, false);
}

void Player::PolyPoly(const RecordFields& r, bool small, bool closed) {
    const std::uint32_t polygons = r.U32(24), total = r.U32(28);
    const std::size_t size = small ? 4 : 8;
    const std::uint64_t pointsAt = 32 + 4 * std::uint64_t{polygons};
    if (!r.Holds(32, polygons, 4) || !r.Holds(pointsAt, total, size)) return;
    QPainterPath path;
    std::uint64_t next = 0;
    for (std::uint32_t p = 0; p < polygons; ++p) {
        const std::uint32_t count = r.U32(32 + 4 * std::size_t{p});
        if (count > total - next) return;  // counts beyond the points: the record is damaged
        QPolygonF points;
        points.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i, ++next)
            points << r.Point(static_cast<std::size_t>(pointsAt + size * next), small);
        if (points.size() < 2) continue;
        path.addPolygon(points);
        if (closed) path.closeSubpath();
    }
    Shape(path, closed);
}

// A rectangle, an ellipse or a rounded rectangle (its corners' ellipse at offset 24) in a box.
void Player::BoxShape(const RecordFields& r, std::uint32_t type) {
    const QRectF box = r.Box(8).normalized();
    QPainterPath shape;
    if (type == kRectangle) {
        shape.addRect(box);
    } else if (type == kEllipse) {
        shape.addEllipse(box);
    } else {
        shape.addRoundedRect(box, std::abs(r.Point(24).x()) / 2, std::abs(r.Point(24).y()) / 2);
    }
    Shape(shape, true);
}

void Player::Arc(const RecordFields& r, std::uint32_t type) {
    const QRectF box = r.Box(8).normalized();
    if (box.width() <= 0 || box.height() <= 0) return;
    const double from = ParameterAngle(box, r.Point(24));
    const double sweep = Sweep(from, ParameterAngle(box, r.Point(32)), state_.clockwise);
    QPainterPath path;
    if (type == kArcTo) {
        path.moveTo(state_.position);
        path.arcTo(box, from, sweep);  // with the line to the arc's start
        Continue(path, path.currentPosition());
        return;
    }
    if (type == kPie) {
        path.moveTo(box.center());
        path.arcTo(box, from, sweep);
    } else {
        path.arcMoveTo(box, from);
        path.arcTo(box, from, sweep);
    }
    if (type != kArc) path.closeSubpath();
    Shape(path, type != kArc);
}

void Player::AngleArc(const RecordFields& r) {
    const double radius = r.U32(16), from = r.F32(20), sweep = r.F32(24);
    if (!std::isfinite(from) || !std::isfinite(sweep)) return;
    const QPointF centre = r.Point(8);
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    QPainterPath path(state_.position);
    if (radius == 0) {
        path.lineTo(centre);
        Continue(path, centre);
        return;
    }
    // More than a whole turn draws nothing more.
    path.arcTo(box, std::fmod(from, 360.0), std::clamp(sweep, -360.0, 360.0));
    Continue(path, path.currentPosition());
}

// ------------------------------------------------------------------------------ paths

// Between the brackets of a path, lines and shapes add to the path instead of being drawn.
void Player::BeginPath() {
    path_ = QPainterPath();
    inPath_ = true;
    figureOpen_ = false;
}

void Player::AbortPath() {
    path_ = QPainterPath();
    inPath_ = false;
}

void Player::CloseFigure() {
    if (inPath_) path_.closeSubpath();
    figureOpen_ = false;
}

// A path is drawn once its brackets are closed, and then used up.
void Player::DrawPath(bool fill, bool stroke) {
    if (inPath_) return;
    Draw(path_, fill, stroke);
    path_ = QPainterPath();
}

// ------------------------------------------------------------------------------ painting

QPen Player::TargetPen() const {
    const PenState& p = state_.pen;
    if (!p.visible) return Qt::NoPen;
    const double scale = LinearScale(ToTarget());
    double width = p.geometric ? p.width * scale : 1.0;
    width = std::isfinite(width) ? std::clamp(width, 1.0, margin_) : 1.0;
    QPen pen(p.colour, width, p.style, p.geometric ? p.cap : Qt::FlatCap,
             p.geometric ? p.join : Qt::MiterJoin);
    if (p.style == Qt::CustomDashLine) {
        // Lengths in the pen's width, as Qt wants them; a pattern shorter than two pixels
        // would cost a dash per pixel and show as a line anyway.
        const double unit = p.geometric ? scale / width : 1.0 / width;
        QList<qreal> pattern;
        double length = 0;
        for (const double d : p.dashes) {
            pattern << std::max(d * unit, 0.01);
            length += pattern.back() * width;
        }
        if (pattern.size() % 2 != 0) pattern += pattern;
        if (length >= 2 && std::isfinite(length)) {
            pen.setDashPattern(pattern);
        } else {
            pen.setStyle(Qt::SolidLine);
        }
    }
    return pen;
}

void Player::Draw(QPainterPath path, bool fill, bool stroke) {
    if (path.isEmpty() || !IsFinite(path.controlPointRect())) return;
    path.setFillRule(state_.fillRule);
    PrepareClip();
    if (fill) Fill(FillWithin(path, reach_));
    if (stroke) Stroke(StrokeWithin(path, reach_));
}

void Player::Fill(const QPainterPath& path) {
    const BrushState& brush = state_.brush;
    const auto fill = [&](const QBrush& with) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(with);
        painter_.drawPath(path);
    };
    painter_.setTransform(base_);
    switch (brush.kind) {
        case BrushState::Kind::Null:
            return;
        case BrushState::Kind::Solid:
            fill(brush.colour);
            return;
        case BrushState::Kind::Hatched:
            if (state_.opaque) fill(state_.background);
            fill(QBrush(brush.colour, brush.hatch));
            return;
        case BrushState::Kind::Pattern:
            fill(QBrush(brush.pattern));
            return;
    }
}

// Drawn, not filled as an outline: a line one pixel wide then covers the pixels GDI's does.
void Player::Stroke(const QPainterPath& path) {
    QPen pen = TargetPen();
    if (pen.style() == Qt::NoPen) return;
    painter_.setTransform(base_);
    painter_.setBrush(Qt::NoBrush);
    if (pen.style() != Qt::SolidLine && state_.opaque) {  // the gaps show the background
        QPen gaps = pen;
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(state_.background);
        painter_.setPen(gaps);
        painter_.drawPath(path);
    }
    painter_.setPen(pen);
    painter_.drawPath(path);
}

void Player::FillBox(const QRectF& logical, const QBrush& brush) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    QPainterPath box;
    box.addRect(logical.normalized());
    const QPainterPath mapped = t.map(box);
    if (!IsFinite(mapped.controlPointRect())) return;
    PrepareClip();
    painter_.setTransform(base_);
    painter_.fillPath(FillWithin(mapped, reach_), brush);
}

void Player::Pixel(const RecordFields& r) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    const QPointF at = t.map(r.Point(8));
    if (!reach_.contains(at)) return;
    // One pixel of the recording device, at least one of the target.
    const QSizeF size(std::max(1.0, deviceToTarget_.m11()), std::max(1.0, deviceToTarget_.m22()));
    PrepareClip();
    painter_.setTransform(base_);
    painter_.fillRect(QRectF(at, size), ColourOf(r.U32(16)));
}

// ------------------------------------------------------------------------------ bitmaps

std::vector<Player::RecordHandler> Player::BitmapHandlers() {
    const Handler blit = [](Player& p, Fields r, Type type) { p.Blit(r, type); };
    return {
        {kBitBlt, blit},
        {kStretchBlt, blit},
        {kAlphaBlend, blit},
        {kStretchDIBits, [](Player& p, Fields r, Type) { p.StretchDib(r); }},
    };
}

// A bitmap stretched from source (in its pixels, top row 0) into dest (logical).
void Player::DrawBitmap(const QImage& image, QRectF source, const QRectF& dest, double opacity) {
    const QTransform t = ToTarget();
    if (image.isNull() || !IsUsable(t)) return;
    source = source.isEmpty() ? QRectF(image.rect()) : source & QRectF(image.rect());
    if (source.isEmpty() || dest.width() == 0 || dest.height() == 0) return;
    // A negative width or height mirrors the bitmap.
    const QImage part =
        image.copy(source.toAlignedRect()).mirrored(dest.width() < 0, dest.height() < 0);
    const QRectF box = dest.normalized();
    const QRectF mapped = t.mapRect(box);
    if (!IsFinite(mapped) || !reach_.contains(mapped)) return;  // nothing of sense so far out
    PrepareClip();
    painter_.save();
    painter_.setTransform(t * base_);
    painter_.setOpacity(opacity);
    painter_.drawImage(box, part);
    painter_.restore();
}

void Player::Blit(const RecordFields& r, std::uint32_t type) {
    const QRectF dest(r.Point(24), QSizeF(r.I32(32), r.I32(36)));
    const std::uint32_t rop = r.U32(40), infoSize = r.U32(88);
    if (infoSize == 0) {  // no source: a fill of the destination
        if (rop == kRopPatternCopy && state_.brush.kind == BrushState::Kind::Solid)
            FillBox(dest, state_.brush.colour);
        if (rop == kRopBlackness) FillBox(dest, Qt::black);
        if (rop == kRopWhiteness) FillBox(dest, Qt::white);
        return;
    }
    const bool stretched = type != kBitBlt;
    const QSizeF sourceSize = stretched ? QSizeF(r.I32(100), r.I32(104)) : dest.size();
    const QRectF source(r.Point(44), sourceSize);
    // An alpha blend carries its blend function where the others have the raster operation.
    const bool alpha = type == kAlphaBlend && ((rop >> 24) & 1) != 0;
    const double opacity = type == kAlphaBlend ? ((rop >> 16) & 0xff) / 255.0 : 1.0;
    const QImage image = DecodeBitmap(r.Bytes(r.U32(84), infoSize), r.Bytes(r.U32(92), r.U32(96)),
                                      r.U32(80) == 1, alpha);
    DrawBitmap(image, source.normalized(), dest, opacity);
}

void Player::StretchDib(const RecordFields& r) {
    const std::span<const std::uint8_t> info = r.Bytes(r.U32(48), r.U32(52));
    const QImage image = DecodeBitmap(info, r.Bytes(r.U32(56), r.U32(60)), r.U32(64) == 1);
    if (image.isNull()) return;
    QRectF source(r.Point(32), QSizeF(r.I32(40), r.I32(44)));
    source = source.normalized();
    // Rows counted from the bottom in a bottom-up bitmap (a positive height).
    const bool bottomUp = RecordFields(info).U32(0) == 12 || RecordFields(info).I32(8) > 0;
    if (bottomUp) source.moveTop(image.height() - source.bottom());
    DrawBitmap(image, source, QRectF(r.Point(24), QSizeF(r.I32(72), r.I32(76))), 1.0);
}

}  // namespace quorlin::platform::emf::detail
