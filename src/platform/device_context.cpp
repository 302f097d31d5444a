#include "platform/device_context.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/blank_image.h"

namespace quorlin::platform {

namespace {

const QImage* ImageOf(const QPaintDevice* device) {
    if (device && device->devType() == QInternal::Image) {
        return static_cast<const QImage*>(device);
    }
    return nullptr;
}

DeviceMetrics MetricsOfPainter(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device ? MetricsOfDevice(*device) : ScreenMetrics();
}

// Offset of the text box's top-left corner from the reference point, in the text's direction.
QPoint BoxOffset(const TextAlign& align, int width, int ascent, int height) {
    QPoint offset;
    switch (align.horizontal) {
        case TextAlign::Horizontal::Left:
            break;
        case TextAlign::Horizontal::Center:
            offset.setX(-width / 2);
            break;
        case TextAlign::Horizontal::Right:
            offset.setX(-width);
            break;
    }
    switch (align.vertical) {
        case TextAlign::Vertical::Top:
            break;
        case TextAlign::Vertical::Baseline:
            offset.setY(-ascent);
            break;
        case TextAlign::Vertical::Bottom:
            offset.setY(-height);
            break;
    }
    return offset;
}

// How far the current position moves along the text direction after an updating TextOut.
int CurrentPositionAdvance(TextAlign::Horizontal horizontal, int width) {
    switch (horizontal) {
        case TextAlign::Horizontal::Left:
            return width;
        case TextAlign::Horizontal::Center:
            return 0;
        case TextAlign::Horizontal::Right:
            return -width;
    }
    return 0;
}

// The angle Qt's arc functions take for the point where the ray from the ellipse's centre
// towards a point meets the ellipse. Qt's angles are those of the circle that is stretched into
// the ellipse, so the ray is first squeezed back by the half-axes; screen y grows downwards
// and angles count counter-clockwise as seen on the screen.
double RayAngleDegrees(const QRectF& ellipse, QPoint towards) {
    const QPointF centre = ellipse.center();
    const double halfWidth = std::max(ellipse.width() / 2, 1e-9);
    const double halfHeight = std::max(ellipse.height() / 2, 1e-9);
    return std::atan2((centre.y() - towards.y()) / halfHeight,
                      (towards.x() - centre.x()) / halfWidth) *
           180.0 / std::numbers::pi;
}

}  // namespace

DeviceContext::DeviceContext(QPaintDevice& device)
    : DeviceContext(device, MetricsOfDevice(device)) {}

DeviceContext::DeviceContext(QPaintDevice& device, const DeviceMetrics& reference)
    : ownPainter_(std::make_unique<QPainter>()),
      painter_(ownPainter_.get()),
      borrowed_(false),
      image_(ImageOf(&device)),
      blank_(dynamic_cast<const BlankImage*>(&device) != nullptr),
      metrics_(reference) {
    ownPainter_->begin(&device);
    Begin();
}

DeviceContext::DeviceContext(QPainter& painter)
    : DeviceContext(painter, MetricsOfPainter(painter)) {}

DeviceContext::DeviceContext(QPainter& painter, const DeviceMetrics& reference)
    : painter_(&painter), borrowed_(true), image_(ImageOf(painter.device())), metrics_(reference) {
    if (painter_->isActive()) painter_->save();
    Begin();
}

DeviceContext::~DeviceContext() {
    if (borrowed_ && painter_->isActive()) painter_->restore();
    if (ownPainter_ && ownPainter_->isActive()) ownPainter_->end();
}

bool DeviceContext::IsActive() const {
    return painter_->isActive();
}

void DeviceContext::Begin() {
    if (!IsActive()) return;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    painter_->setPen(ToQPen(pen_));
    painter_->setBrush(ToQBrush(brush_));
    ApplyBackground();
    ApplyFont();
}

void DeviceContext::ApplyBackground() {
    if (!IsActive()) return;
    painter_->setBackground(QBrush(backgroundColor_));
    painter_->setBackgroundMode(backgroundMode_ == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                          : Qt::TransparentMode);
}

void DeviceContext::ApplyFont() {
    qfont_ = ToQFont(font_);
    if (font_.height > 0) {
        // A positive height is the cell (ascent + descent); scale the character height so the
        // face's cell comes out at that size.
        const int cell = QFontMetrics(qfont_, painter_->device()).height();
        if (cell > 0) {
            const double character = double(font_.height) * font_.height / cell;
            qfont_.setPixelSize(static_cast<int>(
                std::lround(std::clamp<double>(character, 1, kLargestFontPixels))));
        }
    }
    if (IsActive()) painter_->setFont(qfont_);
}

Pen DeviceContext::Select(const Pen& pen) {
    Pen previous = std::exchange(pen_, pen);
    if (IsActive()) painter_->setPen(ToQPen(pen_));
    return previous;
}

Brush DeviceContext::Select(const Brush& brush) {
    Brush previous = std::exchange(brush_, brush);
    if (IsActive()) painter_->setBrush(ToQBrush(brush_));
    return previous;
}

FontSpec DeviceContext::Select(const FontSpec& font) {
    FontSpec previous = std::exchange(font_, font);
    ApplyFont();
    return previous;
}

QColor DeviceContext::SetTextColor(const QColor& color) {
    return std::exchange(textColor_, color);
}

QColor DeviceContext::SetBackgroundColor(const QColor& color) {
    QColor previous = std::exchange(backgroundColor_, color);
    ApplyBackground();
    return previous;
}

BackgroundMode DeviceContext::SetBackgroundMode(BackgroundMode mode) {
    BackgroundMode previous = std::exchange(backgroundMode_, mode);
    ApplyBackground();
    return previous;
}

TextAlign DeviceContext::SetTextAlign(const TextAlign& align) {
    return std::exchange(align_, align);
}

PolyFillMode DeviceContext::SetPolyFillMode(PolyFillMode mode) {
    return std::exchange(fillMode_, mode);
}

QPoint DeviceContext::MoveTo(int x, int y) {
    return std::exchange(position_, QPoint(x, y));
}

void DeviceContext::LineTo(int x, int y) {
    const QPoint from = std::exchange(position_, QPoint(x, y));
    if (IsActive() && pen_.style != PenStyle::Null) painter_->drawLine(from, position_);
}

void DeviceContext::Polyline(std::span<const QPoint> points) {
    if (!IsActive() || pen_.style == PenStyle::Null || points.size() < 2) return;
    painter_->drawPolyline(points.data(), static_cast<int>(points.size()));
}

void DeviceContext::Polygon(std::span<const QPoint> points) {
    if (!IsActive() || points.size() < 2) return;
    painter_->drawPolygon(points.data(), static_cast<int>(points.size()),
                          fillMode_ == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

QRectF DeviceContext::ShapeRect(const PixelRect& rect) const {
    const int inset = pen_.style == PenStyle::Null ? 0 : 1;
    return QRectF(rect.left, rect.top, rect.Width() - inset, rect.Height() - inset);
}

void DeviceContext::Rectangle(const PixelRect& rect) {
    if (!IsActive() || rect.IsEmpty()) return;
    painter_->drawRect(ShapeRect(rect));
}

void DeviceContext::RoundRect(const PixelRect& rect, int cornerWidth, int cornerHeight) {
    if (!IsActive() || rect.IsEmpty()) return;
    painter_->drawRoundedRect(ShapeRect(rect), cornerWidth / 2.0, cornerHeight / 2.0);
}

void DeviceContext::Ellipse(const PixelRect& rect) {
    if (!IsActive() || rect.IsEmpty()) return;
    painter_->drawEllipse(ShapeRect(rect));
}

std::pair<int, int> DeviceContext::ArcAngles(const PixelRect& rect, QPoint start, QPoint end) {
    const QRectF ellipse(rect.left, rect.top, rect.Width(), rect.Height());
    const double from = RayAngleDegrees(ellipse, start);
    double span = RayAngleDegrees(ellipse, end) - from;
    while (span <= 0) span += 360.0;  // equal rays give the whole ellipse
    return {static_cast<int>(std::lround(from * 16)), static_cast<int>(std::lround(span * 16))};
}

void DeviceContext::Arc(const PixelRect& rect, QPoint start, QPoint end) {
    if (!IsActive() || rect.IsEmpty() || pen_.style == PenStyle::Null) return;
    const auto [from, span] = ArcAngles(rect, start, end);
    painter_->drawArc(ShapeRect(rect), from, span);
}

void DeviceContext::Pie(const PixelRect& rect, QPoint start, QPoint end) {
    if (!IsActive() || rect.IsEmpty()) return;
    const auto [from, span] = ArcAngles(rect, start, end);
    painter_->drawPie(ShapeRect(rect), from, span);
}

void DeviceContext::FillRect(const PixelRect& rect, const Brush& brush) {
    if (!IsActive() || rect.IsEmpty()) return;
    painter_->fillRect(rect.ToQRect(), ToQBrush(brush));
}

void DeviceContext::FillSolidRect(const PixelRect& rect, const QColor& color) {
    if (!IsActive() || rect.IsEmpty()) return;
    painter_->fillRect(rect.ToQRect(), color);
}

void DeviceContext::SetPixel(int x, int y, const QColor& color) {
    if (!IsActive()) return;
    painter_->fillRect(QRect(x, y, 1, 1), color);
}

QColor DeviceContext::GetPixel(int x, int y) const {
    if (!image_) return QColor();
    const QPoint pixel = IsActive() ? painter_->deviceTransform().map(QPoint(x, y)) : QPoint(x, y);
    if (!image_->valid(pixel)) return QColor();
    return image_->pixelColor(pixel);
}

QSize DeviceContext::TextExtent(const QString& text) const {
    const QFontMetrics fm(qfont_, painter_->device());
    return QSize(fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}

TextMetrics DeviceContext::GetTextMetrics() const {
    const QFontMetrics fm(qfont_, painter_->device());
    return TextMetrics{fm.ascent() + fm.descent(), fm.ascent(), fm.descent(),
                       fm.averageCharWidth()};
}

void DeviceContext::TextOut(int x, int y, const QString& text) {
    const QPoint reference = align_.updateCurrentPosition ? position_ : QPoint(x, y);
    const QFontMetrics fm(qfont_, painter_->device());
    const int width = fm.horizontalAdvance(text);
    const int height = fm.ascent() + fm.descent();
    const double angle = font_.escapement / 10.0;
    if (align_.updateCurrentPosition) {
        const double advance = CurrentPositionAdvance(align_.horizontal, width);
        const double radians = angle * std::numbers::pi / 180.0;
        position_ = reference + QPoint(static_cast<int>(std::lround(advance * std::cos(radians))),
                                       -static_cast<int>(std::lround(advance * std::sin(radians))));
    }
    // A blank image would lay the text out only to throw it away.
    if (!IsActive() || text.isEmpty() || blank_) return;

    const QPoint box = BoxOffset(align_, width, fm.ascent(), height);
    painter_->save();
    painter_->translate(reference);
    if (font_.escapement != 0) painter_->rotate(-angle);
    if (backgroundMode_ == BackgroundMode::Opaque) {
        painter_->fillRect(QRect(box, QSize(width, height)), backgroundColor_);
    }
    painter_->setBackgroundMode(Qt::TransparentMode);
    painter_->setPen(textColor_);
    painter_->drawText(QPoint(box.x(), box.y() + fm.ascent()), text);
    painter_->restore();
}

void DeviceContext::CopyImage(const QImage& source, const PixelRect& dest, QPoint sourceTopLeft) {
    if (!IsActive() || dest.IsEmpty()) return;
    const QPainter::CompositionMode mode = painter_->compositionMode();
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    // The source may hold device pixels of a scaled screen: its rectangle is in its own pixels.
    const qreal ratio = source.devicePixelRatio();
    const QRectF sourceRect(QPointF(sourceTopLeft) * ratio,
                            QSizeF(dest.Width(), dest.Height()) * ratio);
    painter_->drawImage(QRectF(dest.left, dest.top, dest.Width(), dest.Height()), source,
                        sourceRect);
    painter_->setCompositionMode(mode);
}

void DeviceContext::StretchImage(const QImage& source, const PixelRect& dest,
                                 const QRect& sourceRect) {
    if (!IsActive() || dest.IsEmpty()) return;
    painter_->drawImage(dest.ToQRect(), source, sourceRect);
}

void DeviceContext::SetClipRect(const PixelRect& rect) {
    if (IsActive()) painter_->setClipRect(rect.ToQRect());
}

void DeviceContext::ResetClip() {
    if (IsActive()) painter_->setClipping(false);
}

}  // namespace quorlin::platform
