#include "canvas/canvas_primitives.h"

#include "canvas/marker_shapes.h"

#include <QTransform>

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
    : dc_(dc), frame_(frame), exports_(exports) {
    const platform::Pen& pen = dc.CurrentPen();
    pen_ = PenSpec{pen.color.rgb(), std::max(pen.width, 1), platform::PenStyleCode(pen.style)};
}

TCanvasPrimitives::~TCanvasPrimitives() {
    if (curveOpen_) EndCurve();
}

void TCanvasPrimitives::SetPen(const QColor& colour, int width, int style) {
    // The device draws what an open curve piece holds in the pen it was begun with.
    if (curveOpen_) DrawCurvePiece(true);
    pen_ = PenSpec{colour.rgb(), std::max(width, 1), style};
    dc_.Select(platform::Pen{colour, pen_.width, platform::PenStyleFromCode(style)});
}

void TCanvasPrimitives::LineStyle(int style, bool forceSolid) {
    Export([&](ExportTarget& t) { t.LineStyle(style, forceSolid); });
}

void TCanvasPrimitives::Comment(std::string_view text) {
    Export([&](ExportTarget& t) { t.Comment(text); });
}

QPoint TCanvasPrimitives::DevicePoint(WorldPoint p) const {
    const PixelMapping mapping = frame_.Mapping();
    return {DeviceCoordinate(mapping.XToPixel(p.x)), DeviceCoordinate(mapping.YToPixel(p.y))};
}

void TCanvasPrimitives::Segment(WorldPoint p, WorldPoint q, bool clip) {
    if (clip && !ClipSegment(frame_.ClipRect(), p, q)) return;
    Export([&](ExportTarget& t) { t.Segment(p, q, pen_); });
    const QPoint a = DevicePoint(p), b = DevicePoint(q);
    dc_.MoveTo(a.x(), a.y());
    dc_.LineTo(b.x(), b.y());
}

void TCanvasPrimitives::ScreenSegment(QPoint a, QPoint b) {
    const std::array<WorldPoint, 2> world{frame_.ScreenToWorld(a), frame_.ScreenToWorld(b)};
    Export([&](ExportTarget& t) { t.ScreenSegment(ToScreen(a), ToScreen(b), world, pen_); });
    dc_.MoveTo(a.x(), a.y());
    dc_.LineTo(b.x(), b.y());
}

// ------------------------------------------------------------------------------ curves

void TCanvasPrimitives::BeginCurve(std::size_t capacity) {
    if (curveOpen_) EndCurve();
    curveOpen_ = true;
    piece_.clear();
    Export([&](ExportTarget& t) { t.CurveBegin(capacity); });
}

void TCanvasPrimitives::CurvePoint(WorldPoint p) {
    if (!curveOpen_) BeginCurve();
    // A long piece goes to the device in parts, each going on from the last point.
    constexpr std::size_t kDevicePieceLimit = 4096;
    if (piece_.size() >= kDevicePieceLimit) DrawCurvePiece(true);
    piece_.push_back(DevicePoint(p));
    Export([&](ExportTarget& t) { t.CurvePoint(p, pen_); });
}

void TCanvasPrimitives::BreakCurve() {
    DrawCurvePiece(false);
    Export([](ExportTarget& t) { t.CurveBreak(); });
}

void TCanvasPrimitives::EndCurve() {
    DrawCurvePiece(false);
    curveOpen_ = false;
    Export([](ExportTarget& t) { t.CurveEnd(); });
}

void TCanvasPrimitives::DrawCurvePiece(bool carryOn) {
    if (piece_.size() >= 2) dc_.Polyline(piece_);
    if (carryOn && !piece_.empty()) {
        const QPoint last = piece_.back();
        piece_.assign(1, last);
    } else {
        piece_.clear();
    }
}

void TCanvasPrimitives::Polyline(std::span<const WorldPoint> points) {
    BeginCurve();
    for (const WorldPoint& p : points) CurvePoint(p);
    EndCurve();
}

void TCanvasPrimitives::PolylineByParity(std::span<const WorldPoint> points,
                                         std::span<const std::uint8_t> marks, int mode) {
    Export([&](ExportTarget& t) { t.PolylineByParity(points, marks, pen_, mode); });
    DrawPolylineByParity(points, marks, mode, [&](WorldPoint p, WorldPoint q) {
        const QPoint a = DevicePoint(p), b = DevicePoint(q);
        dc_.MoveTo(a.x(), a.y());
        dc_.LineTo(b.x(), b.y());
    });
}

// ------------------------------------------------------------------------------ areas

void TCanvasPrimitives::Polygon(std::span<const WorldPoint> corners, std::optional<QColor> fill) {
    if (corners.size() < 2) return;
    const std::optional<QRgb> fillRgb =
        fill ? std::optional<QRgb>(fill->rgb()) : std::optional<QRgb>();
    Export([&](ExportTarget& t) { t.Polygon(corners, fillRgb, pen_); });
    std::vector<QPoint> pixels(corners.size());
    std::ranges::transform(corners, pixels.begin(),
                           [this](WorldPoint p) { return DevicePoint(p); });
    platform::SelectionGuard<Brush> brush(dc_, fill ? Brush::Solid(*fill) : Brush::Hollow());
    dc_.Polygon(pixels);
}

void TCanvasPrimitives::FilledBox(const PixelRect& rect, const QColor& colour) {
    Export([&](ExportTarget& t) {
        t.FilledBox({rect.left, rect.top}, rect.Width(), rect.Height(), colour.rgb());
    });
    dc_.FillSolidRect(rect, colour);
}

// ------------------------------------------------------------------------------ marks

void TCanvasPrimitives::ArrowHead(WorldPoint tip, WorldPoint direction, long double length,
                                  bool solid) {
    WorldPoint a, b;
    if (!ArrowHeadPoints(frame_, direction, length, a, b)) return;
    const ExportArrowHead head{tip,
                               {tip.x + a.x, tip.y + a.y},
                               {tip.x + b.x, tip.y + b.y},
                               {-(a.x + b.x) / 2, -(a.y + b.y) / 2},
                               length,
                               solid};
    Export([&](ExportTarget& t) { t.ArrowHead(head, pen_); });
    const std::array<QPoint, 3> pixels{DevicePoint(head.left), DevicePoint(tip),
                                       DevicePoint(head.right)};
    if (solid) {
        platform::SelectionGuard<Brush> brush(dc_, Brush::Solid(QColor::fromRgb(pen_.colour)));
        dc_.Polygon(pixels);
    } else {
        dc_.Polyline(pixels);
    }
}

void TCanvasPrimitives::Marker(QPoint p, int kind, int r) {
    const WorldPoint world = frame_.ScreenToWorld(p);
    Export([&](ExportTarget& t) { t.Marker(ToScreen(p), world, kind, r, pen_.colour); });
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
    const WorldPoint at = frame_.ScreenToWorld(p);
    Export([&](ExportTarget& t) { t.Dot(ToScreen(p), at, pen_.colour); });
    dc_.SetPixel(p.x(), p.y(), QColor::fromRgb(pen_.colour));
}

// ------------------------------------------------------------------------------ texts

void TCanvasPrimitives::Text(QPoint p, const QString& text, int fontIndex, int h, int v,
                             std::string_view texAnchor) {
    static const ExportFont kNoFont;
    const ExportFont& font =
        exports_ ? exports_->view.fonts[static_cast<std::size_t>(std::clamp(fontIndex, 0, 9))]
                 : kNoFont;
    Text(p, text, font, h, v, TexPlacement{texAnchor, std::nullopt, TexMath::None});
}

void TCanvasPrimitives::Text(QPoint p, const QString& text, const ExportFont& font, int h, int v,
                             const TexPlacement& tex) {
    if (text.isEmpty()) return;
    if (exports_ && exports_->AnyRunning()) {
        // The writers take the program's 8-bit texts (a degree sign is the one byte 176, π
        // the byte each writer writes in its own way); another character without an 8-bit
        // form is written as "?".
        const std::string bytes = ToExportText(text);
        const ExportTextItem item{ToScreen(p),
                                  bytes,
                                  dc_.TextColor().rgb(),
                                  &font,
                                  h,
                                  v,
                                  tex.at.value_or(frame_.ScreenToWorld(p)),
                                  tex.anchor,
                                  tex.math};
        Export([&](ExportTarget& t) { t.Text(item); });
    }
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

platform::PixelRect TCanvasPrimitives::TextBox(QPoint p, const QString& text, int h, int v) const {
    // The box Text draws: the alignment offset from the reference point, turned about it.
    const QSize extent = dc_.TextExtent(text);
    const int dx = h > 0 ? 0 : h < 0 ? -extent.width() : -extent.width() / 2;
    const int dy = v > 0 ? -extent.height() : 0;
    QTransform turn;
    turn.translate(p.x(), v == 0 ? p.y() - extent.height() / 2 : p.y());
    if (const int escapement = dc_.CurrentFont().escapement) turn.rotate(-escapement / 10.0);
    return PixelRect::FromQRect(turn.mapRect(QRect(QPoint(dx, dy), extent)));
}

void TCanvasPrimitives::ImageFrame() {
    const PixelRect area = frame_.AreaRect();
    const std::array<QPoint, 5> corners{
        QPoint(area.left, area.top), QPoint(area.right - 1, area.top),
        QPoint(area.right - 1, area.bottom - 1), QPoint(area.left, area.bottom - 1),
        QPoint(area.left, area.top)};
    std::array<WorldPoint, 5> world;
    std::ranges::transform(corners, world.begin(),
                           [this](QPoint c) { return frame_.ScreenToWorld(c); });
    Export([&](ExportTarget& t) { t.ImageFrame(world, pen_); });
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
