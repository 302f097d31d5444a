#include "canvas/canvas_primitives.h"

#include "canvas/marker_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "canvas/export_format.h"
#include "core/text_helpers.h"
#include "platform/text_codec.h"

namespace quorlin::canvas {
namespace {

using platform::Brush;
using platform::PixelRect;
using platform::TextAlign;

// Device coordinates far outside any surface still draw the right direction; beyond this they
// are held so that the integer conversion cannot overflow.
constexpr long double kDeviceLimit = 1e6L;

int DeviceCoordinate(long double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(
        std::lround(static_cast<double>(std::clamp(v, -kDeviceLimit, kDeviceLimit))));
}

ScreenPoint ToScreen(QPoint p) {
    return {p.x(), p.y()};
}

}  // namespace

TCanvasPrimitives::TCanvasPrimitives(platform::DeviceContext& dc, const TViewFrame& frame,
                                     TExportState* exports)
    : dc_(dc), frame_(frame), exports_(exports) {}

void TCanvasPrimitives::SetPen(const QColor& colour, int width, int style) {
    pen_ = PenSpec{colour.rgb(), std::max(width, 1), style};
    dc_.Select(platform::Pen{colour, pen_.width, platform::PenStyleFromCode(style)});
}

QPointF TCanvasPrimitives::DevicePoint(WorldPoint p) const {
    const PixelMapping mapping = frame_.Mapping();
    return {static_cast<double>(mapping.XToPixel(p.x)), static_cast<double>(mapping.YToPixel(p.y))};
}

void TCanvasPrimitives::Segment(WorldPoint p, WorldPoint q, bool clip) {
    if (clip && !ClipSegment(frame_.ClipRect(), p, q)) return;
    if (Tex()) exports_->tex.TexSegment(p, q, 0);
    if (Svg()) exports_->svg.SvgSegment(p, q, pen_);
    if (Eps()) exports_->eps.EpsSegment(p, q, pen_);
    const QPointF a = DevicePoint(p), b = DevicePoint(q);
    dc_.MoveTo(DeviceCoordinate(a.x()), DeviceCoordinate(a.y()));
    dc_.LineTo(DeviceCoordinate(b.x()), DeviceCoordinate(b.y()));
}

void TCanvasPrimitives::ScreenSegment(QPoint a, QPoint b) {
    if (Tex()) exports_->tex.TexRule(frame_.ScreenToWorld(a), frame_.ScreenToWorld(b), false);
    if (Svg()) exports_->svg.SvgLineScreen(ToScreen(a), ToScreen(b), pen_);
    if (Eps()) exports_->eps.EpsSegmentScreen(ToScreen(a), ToScreen(b), pen_);
    dc_.MoveTo(a.x(), a.y());
    dc_.LineTo(b.x(), b.y());
}

void TCanvasPrimitives::ArrowHead(WorldPoint tip, WorldPoint direction, long double length,
                                  bool solid) {
    WorldPoint a, b;
    if (!ArrowHeadPoints(frame_, direction, length, a, b)) return;
    const WorldPoint pa{tip.x + a.x, tip.y + a.y}, pb{tip.x + b.x, tip.y + b.y};
    const std::array<WorldPoint, 3> head{pa, tip, pb};
    if (Tex()) {
        // PiCTeX draws an arrow from the tail of its head to the tip: hand it the head's own
        // axis, not the caller's direction, whose length would add a shaft the screen lacks.
        const WorldPoint axis{-(a.x + b.x) / 2, -(a.y + b.y) / 2};
        exports_->tex.TexArrow(axis, tip, length, solid);
    }
    if (Svg()) {
        if (solid)
            exports_->svg.SvgPolygonWorld(head, false, pen_.colour, pen_.width, pen_.colour, 0);
        else {
            exports_->svg.SvgSegment(pa, tip, pen_);
            exports_->svg.SvgSegment(tip, pb, pen_);
        }
    }
    if (Eps()) {
        if (solid)
            exports_->eps.EpsFill(head, false, pen_.colour, pen_.width, pen_.colour, false);
        else {
            exports_->eps.EpsSegment(pa, tip, pen_);
            exports_->eps.EpsSegment(tip, pb, pen_);
        }
    }
    std::array<QPoint, 3> pixels;
    for (std::size_t i = 0; i < head.size(); ++i) {
        const QPointF d = DevicePoint(head[i]);
        pixels[i] = QPoint(DeviceCoordinate(d.x()), DeviceCoordinate(d.y()));
    }
    if (solid) {
        platform::SelectionGuard<Brush> brush(dc_, Brush::Solid(QColor::fromRgb(pen_.colour)));
        dc_.Polygon(pixels);
    } else {
        dc_.Polyline(pixels);
    }
}

void TCanvasPrimitives::Marker(QPoint p, int kind, int r) {
    if (Svg()) exports_->svg.SvgMarker(ToScreen(p), kind, r, pen_.colour);
    if (Eps()) exports_->eps.EpsMarker(frame_.ScreenToWorld(p), kind, r, pen_.colour);
    if (Tex()) exports_->tex.TexPoint(frame_.ScreenToWorld(p), r, kind == 7);
    const MarkerShape* shape = FindMarkerShape(kind);
    if (!shape) return Dot(p);
    const int x = p.x(), y = p.y();
    const platform::PixelRect box{x - r, y - r, x + r + 1, y + r + 1};
    auto at = [&](MarkerStep s) { return QPoint(x + s.dx * r, y + s.dy * r); };
    if (shape->body != MarkerBody::None) {
        platform::SelectionGuard<Brush> brush(dc_, Brush::Solid(QColor::fromRgb(pen_.colour)));
        if (shape->body == MarkerBody::Square) dc_.Rectangle(box);
        if (shape->body == MarkerBody::Disc) dc_.Ellipse(box);
        if (shape->body == MarkerBody::Triangle) {
            std::array<QPoint, 3> corners;
            std::ranges::transform(shape->triangle, corners.begin(), at);
            dc_.Polygon(corners);
        }
    }
    const auto points = shape->StrokePoints();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPoint q = at(points[i]);
        if (shape->pieces[i] == 'M')
            dc_.MoveTo(q.x(), q.y());
        else
            dc_.LineTo(q.x(), q.y());
    }
    if (shape->square) {
        platform::SelectionGuard<Brush> brush(dc_, Brush::Hollow());
        dc_.Rectangle(box);
    }
    if (shape->crossHair) {
        const PixelRect area = frame_.AreaRect();
        dc_.MoveTo(x, area.top);
        dc_.LineTo(x, area.bottom);
        dc_.MoveTo(area.left, y);
        dc_.LineTo(area.right, y);
    }
}

void TCanvasPrimitives::Dot(QPoint p) {
    if (Svg()) exports_->svg.SvgEllipse(ToScreen(p), 1, pen_.colour, pen_.colour);
    if (Eps()) exports_->eps.EpsDot(ToScreen(p), 1, 1, pen_.colour, std::nullopt, 0);
    if (Tex()) exports_->tex.TexPoint(frame_.ScreenToWorld(p), 0, false);
    dc_.SetPixel(p.x(), p.y(), QColor::fromRgb(pen_.colour));
}

void TCanvasPrimitives::Text(QPoint p, const QString& text, int fontIndex, int h, int v,
                             std::string_view texAnchor) {
    if (text.isEmpty()) return;
    // The writers take the program's 8-bit texts (a degree sign is the one byte 176);
    // a character without an 8-bit form is written as "?".
    const std::string bytes = ToWindows1252(text).value_or(ToLatin1(text));
    if (exports_) exports_->ExportText(ToScreen(p), bytes, dc_.TextColor().rgb(), fontIndex, h, v);
    if (Tex()) exports_->tex.TexText(bytes, texAnchor, frame_.ScreenToWorld(p), false);
    TextAlign align;
    align.horizontal = h > 0   ? TextAlign::Horizontal::Left
                       : h < 0 ? TextAlign::Horizontal::Right
                               : TextAlign::Horizontal::Center;
    align.vertical = v > 0 ? TextAlign::Vertical::Bottom : TextAlign::Vertical::Top;
    int y = p.y();
    if (v == 0) y -= dc_.TextExtent(text).height() / 2;
    const TextAlign previous = dc_.SetTextAlign(align);
    dc_.TextOut(p.x(), y, text);
    dc_.SetTextAlign(previous);
}

void TCanvasPrimitives::ImageFrame() {
    const PixelRect area = frame_.AreaRect();
    const std::array<QPoint, 5> corners{
        QPoint(area.left, area.top), QPoint(area.right - 1, area.top),
        QPoint(area.right - 1, area.bottom - 1), QPoint(area.left, area.bottom - 1),
        QPoint(area.left, area.top)};
    const std::array<WorldPoint, 5> world{
        frame_.ScreenToWorld(corners[0]), frame_.ScreenToWorld(corners[1]),
        frame_.ScreenToWorld(corners[2]), frame_.ScreenToWorld(corners[3]),
        frame_.ScreenToWorld(corners[4])};
    if (Svg())
        exports_->svg.SvgPolygonWorld(std::span(world).first(4), true, pen_.colour, pen_.width,
                                      pen_.colour, 0);
    if (Eps()) exports_->eps.EpsStrokePolyline(world, pen_.colour, pen_.width);
    if (Tex()) exports_->tex.TexImageFrame();
    dc_.Polyline(corners);
}

platform::PixelRect LayoutTextBox(QPoint anchor, QSize extent, int anchorCode) {
    const int left = anchor.x() - extent.width() / 2;
    int top = anchor.y() - extent.height() / 2;
    if (anchorCode == kAnchorAbove) top = anchor.y() - extent.height();
    if (anchorCode == kAnchorBelow) top = anchor.y();
    return {left, top, left + extent.width(), top + extent.height()};
}

}  // namespace quorlin::canvas
