#include "platform/emf_paint_engine.h"

#include <cmath>
#include <numbers>

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

namespace quorlin::platform {

namespace {

constexpr auto kEngineType = static_cast<QPaintEngine::Type>(QPaintEngine::User + 0x45);

std::uint32_t DashStyle(Qt::PenStyle style) {
    switch (style) {
        case Qt::DashLine:
            return emf::kPenDash;
        case Qt::DotLine:
            return emf::kPenDot;
        case Qt::DashDotLine:
            return emf::kPenDashDot;
        case Qt::DashDotDotLine:
            return emf::kPenDashDotDot;
        default:
            return emf::kPenSolid;
    }
}

// Readers draw the standard dash styles more widely than user-defined ones, so a custom pattern
// of a standard shape is written as that standard style.
std::uint32_t DashStyleOfPattern(const QList<qreal>& pattern) {
    switch (pattern.size()) {
        case 2:
            return pattern[0] > pattern[1] ? emf::kPenDash : emf::kPenDot;
        case 4:
            return emf::kPenDashDot;
        case 6:
            return emf::kPenDashDotDot;
        default:
            return emf::kPenUserStyle;
    }
}

std::uint32_t CapStyle(Qt::PenCapStyle cap) {
    switch (cap) {
        case Qt::FlatCap:
            return emf::kPenCapFlat;
        case Qt::SquareCap:
            return emf::kPenCapSquare;
        default:
            return emf::kPenCapRound;
    }
}

std::uint32_t JoinStyle(Qt::PenJoinStyle join) {
    switch (join) {
        case Qt::BevelJoin:
            return emf::kPenJoinBevel;
        case Qt::RoundJoin:
            return emf::kPenJoinRound;
        default:
            return emf::kPenJoinMiter;
    }
}

// The area scale of a transform, by which a pen's width grows.
double LinearScale(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

// Device units as the recorder keeps them: whole numbers within a range that its sums of
// corners, sizes and pen widths cannot overflow. Nothing on a page lies that far out; a
// coordinate that does (or that is no number) is moved to the edge of the range.
constexpr double kFarthestUnit = 1 << 28;
constexpr double kWidestPen = 1 << 24;

int DeviceUnit(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -kFarthestUnit, kFarthestUnit)));
}

QPoint DevicePoint(QPointF p) {
    return {DeviceUnit(p.x()), DeviceUnit(p.y())};
}

QPolygon DevicePolygon(const QPolygonF& polygon) {
    QPolygon result;
    result.reserve(polygon.size());
    for (const QPointF& p : polygon) result << DevicePoint(p);
    return result;
}

// The rectangle rounded as QRectF::toRect() rounds it.
QRect DeviceRect(const QRectF& r) {
    return QRect(DevicePoint(r.topLeft()), DevicePoint(r.bottomRight()) - QPoint(1, 1));
}

// The smallest rectangle of whole units that holds r, as QRectF::toAlignedRect() gives it.
QRect DeviceAlignedRect(const QRectF& r) {
    return QRect(DevicePoint(QPointF(std::floor(r.left()), std::floor(r.top()))),
                 DevicePoint(QPointF(std::ceil(r.right()), std::ceil(r.bottom()))) - QPoint(1, 1));
}

// A size (a pen's width, a dash, a font's height) in whole device units, at least one.
std::uint32_t SizeUnits(double width) {
    return static_cast<std::uint32_t>(
        std::lround(std::isnan(width) ? 1.0 : std::clamp(width, 1.0, kWidestPen)));
}

EmfPen ToEmfPen(const QPen& pen, const QTransform& transform) {
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush ||
        pen.color().alpha() == 0) {
        return {};
    }
    const double width =
        pen.isCosmetic() ? std::max(pen.widthF(), 1.0) : pen.widthF() * LinearScale(transform);
    EmfPen result;
    result.width = SizeUnits(width);
    const std::uint32_t dashes = pen.style() == Qt::CustomDashLine
                                     ? DashStyleOfPattern(pen.dashPattern())
                                     : DashStyle(pen.style());
    result.style =
        emf::kPenGeometric | dashes | CapStyle(pen.capStyle()) | JoinStyle(pen.joinStyle());
    result.colour = pen.color().rgb();
    if (dashes == emf::kPenUserStyle) {
        for (const qreal length : pen.dashPattern()) {
            result.dashes.push_back(SizeUnits(length * result.width));
        }
    }
    return result;
}

QRgb BrushColour(const QBrush& brush) {
    const QGradient* gradient = brush.gradient();
    if (gradient && !gradient->stops().isEmpty()) return gradient->stops().first().second.rgba();
    return brush.color().rgba();
}

EmfBrush ToEmfBrush(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush || qAlpha(BrushColour(brush)) == 0) return {};
    const auto hatched = [&](std::uint32_t hatch) {
        return EmfBrush{emf::kBrushHatched, brush.color().rgb(), hatch};
    };
    switch (brush.style()) {
        case Qt::HorPattern:
            return hatched(emf::kHatchHorizontal);
        case Qt::VerPattern:
            return hatched(emf::kHatchVertical);
        case Qt::CrossPattern:
            return hatched(emf::kHatchCross);
        case Qt::BDiagPattern:
            return hatched(emf::kHatchBackwardDiagonal);
        case Qt::FDiagPattern:
            return hatched(emf::kHatchForwardDiagonal);
        case Qt::DiagCrossPattern:
            return hatched(emf::kHatchDiagonalCross);
        default:
            return EmfBrush{emf::kBrushSolid, BrushColour(brush) | 0xff000000u, 0};
    }
}

std::uint32_t FillMode(Qt::FillRule rule) {
    return rule == Qt::WindingFill ? emf::kFillWinding : emf::kFillAlternate;
}

std::vector<QPolygon> ToDevicePolygons(const QList<QPolygonF>& polygons) {
    std::vector<QPolygon> result;
    result.reserve(static_cast<std::size_t>(polygons.size()));
    for (const QPolygonF& polygon : polygons) result.push_back(DevicePolygon(polygon));
    return result;
}

// Distances from each character to the next, rounded so that they add up to the rounded
// total and the reader places the last character where the painter did.
std::vector<std::int32_t> Advances(const QString& text, const QFontMetricsF& metrics,
                                   double scale) {
    std::vector<std::int32_t> advances;
    advances.reserve(static_cast<std::size_t>(text.size()));
    long previous = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const long next = DeviceUnit(metrics.horizontalAdvance(text.left(i)) * scale);
        advances.push_back(static_cast<std::int32_t>(next - previous));
        previous = next;
    }
    return advances;
}

}  // namespace

EmfPaintEngine::EmfPaintEngine(QSize pixels, double dpi, QString description)
    : QPaintEngine(QPaintEngine::AllFeatures), recorder_(pixels, dpi, std::move(description)) {}

bool EmfPaintEngine::begin(QPaintDevice* device) {
    device_ = device;
    return true;
}

bool EmfPaintEngine::end() {
    return true;
}

QPaintEngine::Type EmfPaintEngine::type() const {
    return kEngineType;
}

void EmfPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyFont) font_ = state.font();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & DirtyBackgroundMode) backgroundMode_ = state.backgroundMode();
    if (flags & DirtyBackground) background_ = state.backgroundBrush();
    if (flags & DirtyClipEnabled) clipEnabled_ = state.isClipEnabled();
    if (flags & DirtyClipRegion) {
        ApplyClip(state.clipOperation(), transform_.map(state.clipRegion()));
    }
    if (flags & DirtyClipPath) {
        const QPainterPath& path = state.clipPath();
        ApplyClip(state.clipOperation(),
                  QRegion(DevicePolygon(path.toFillPolygon(transform_)), path.fillRule()));
    }
}

void EmfPaintEngine::ApplyClip(Qt::ClipOperation operation, const QRegion& deviceRegion) {
    switch (operation) {
        case Qt::NoClip:
            clip_.reset();
            break;
        case Qt::ReplaceClip:
            clip_ = deviceRegion;
            break;
        case Qt::IntersectClip:
            clip_ = clip_ ? *clip_ & deviceRegion : deviceRegion;
            break;
    }
}

bool EmfPaintEngine::HasVisiblePen() const {
    return !ToEmfPen(pen_, transform_).IsNull();
}

bool EmfPaintEngine::HasVisibleBrush() const {
    return !ToEmfBrush(brush_).IsNull();
}

bool EmfPaintEngine::KeepsRectangles() const {
    return transform_.type() <= QTransform::TxScale;
}

emf::Rect32 EmfPaintEngine::MapBox(const QRectF& rect) const {
    const QRect box = DeviceRect(transform_.mapRect(rect.normalized()));
    return {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

void EmfPaintEngine::PrepareClip() {
    recorder_.SetClip(clipEnabled_ ? clip_ : std::nullopt);
}

void EmfPaintEngine::PrepareBackground() {
    const bool opaque = backgroundMode_ == Qt::OpaqueMode;
    recorder_.SetBackgroundMode(opaque ? emf::kBkOpaque : emf::kBkTransparent);
    if (opaque) recorder_.SetBackgroundColour(background_.color().rgb());
}

void EmfPaintEngine::SelectPen(const EmfPen& pen) {
    if (pen.IsDashed()) PrepareBackground();  // the gaps between the dashes
    recorder_.SelectPen(pen);
}

void EmfPaintEngine::PrepareStroke() {
    PrepareClip();
    SelectPen(ToEmfPen(pen_, transform_));
}

void EmfPaintEngine::PrepareFill(Qt::FillRule rule, bool withoutPen) {
    PrepareClip();
    const EmfBrush brush = ToEmfBrush(brush_);
    if (brush.style == emf::kBrushHatched) PrepareBackground();
    recorder_.SelectBrush(brush);
    recorder_.SetPolyFillMode(FillMode(rule));
    SelectPen(withoutPen ? EmfPen{} : ToEmfPen(pen_, transform_));
}

void EmfPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    if (lineCount <= 0 || !HasVisiblePen()) return;
    PrepareStroke();
    if (lineCount == 1) {
        recorder_.Line(DevicePoint(transform_.map(lines[0].p1())),
                       DevicePoint(transform_.map(lines[0].p2())));
        return;
    }
    std::vector<QPolygon> segments;
    segments.reserve(static_cast<std::size_t>(lineCount));
    for (int i = 0; i < lineCount; ++i) {
        segments.push_back(QPolygon{DevicePoint(transform_.map(lines[i].p1())),
                                    DevicePoint(transform_.map(lines[i].p2()))});
    }
    recorder_.PolyPolyline(segments);
}

void EmfPaintEngine::drawRects(const QRectF* rects, int rectCount) {
    if (rectCount <= 0 || (!HasVisiblePen() && !HasVisibleBrush())) return;
    PrepareFill(Qt::OddEvenFill);
    for (int i = 0; i < rectCount; ++i) {
        if (KeepsRectangles()) {
            recorder_.Rectangle(MapBox(rects[i]));
        } else {
            recorder_.Polygon(DevicePolygon(transform_.map(QPolygonF(rects[i]))));
        }
    }
}

void EmfPaintEngine::drawEllipse(const QRectF& rect) {
    if (!HasVisiblePen() && !HasVisibleBrush()) return;
    if (!KeepsRectangles()) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    PrepareFill(Qt::OddEvenFill);
    recorder_.Ellipse(MapBox(rect));
}

void EmfPaintEngine::FillAndStroke(const std::vector<QPolygon>& polygons, bool closed,
                                   Qt::FillRule rule) {
    const bool pen = HasVisiblePen(), brush = HasVisibleBrush();
    if (brush) {
        // A polygon record closes every outline, so open outlines are stroked apart.
        const bool strokeApart = pen && !closed;
        PrepareFill(rule, strokeApart);
        if (polygons.size() == 1) {
            recorder_.Polygon(polygons.front());
        } else {
            recorder_.PolyPolygon(polygons);
        }
        if (!strokeApart) return;
    }
    if (!pen) return;
    PrepareStroke();
    if (polygons.size() == 1) {
        recorder_.Polyline(polygons.front());
    } else {
        recorder_.PolyPolyline(polygons);
    }
}

void EmfPaintEngine::drawPath(const QPainterPath& path) {
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(transform_);
    if (subpaths.isEmpty()) return;
    const bool closed = std::all_of(subpaths.begin(), subpaths.end(), [](const QPolygonF& p) {
        return p.size() > 2 && p.isClosed();
    });
    FillAndStroke(ToDevicePolygons(subpaths), closed, path.fillRule());
}

void EmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    if (pointCount < 2) return;
    const QPolygon polygon =
        DevicePolygon(transform_.map(QPolygonF(QList<QPointF>(points, points + pointCount))));
    if (mode == PolylineMode) {
        if (!HasVisiblePen()) return;
        PrepareStroke();
        recorder_.Polyline(polygon);
        return;
    }
    if (!HasVisiblePen() && !HasVisibleBrush()) return;
    PrepareFill(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    recorder_.Polygon(polygon);
}

void EmfPaintEngine::drawPoints(const QPointF* points, int pointCount) {
    if (!HasVisiblePen()) return;
    PrepareClip();
    for (int i = 0; i < pointCount; ++i) {
        recorder_.Pixel(DevicePoint(transform_.map(points[i])), pen_.color().rgb());
    }
}

void EmfPaintEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) {
    drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
}

void EmfPaintEngine::drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags) {
    const QRect part = DeviceAlignedRect(source) & image.rect();
    if (part.isEmpty()) return;
    PrepareClip();
    // A rotated image keeps its bounding box: the format has no rotated bitmaps without a
    // world transform.
    const QRect box = DeviceRect(transform_.mapRect(rect.normalized()));
    recorder_.Image({box.left(), box.top(), box.left() + box.width(), box.top() + box.height()},
                    image.copy(part));
}

void EmfPaintEngine::drawTextItem(const QPointF& origin, const QTextItem& item) {
    const QString text = item.text();
    if (!HasVisiblePen()) return;
    if (text.isEmpty()) {  // glyphs without characters (a glyph run): drawn as outlines
        QPaintEngine::drawTextItem(origin, item);
        return;
    }
    const QFont font = item.font();
    const double emPixels =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * recorder_.Dpi() / 72.0;
    const double alongScale = std::hypot(transform_.m11(), transform_.m12());
    const double acrossScale = std::hypot(transform_.m21(), transform_.m22());
    const double degrees =
        std::atan2(transform_.m12(), transform_.m11()) * 180.0 / std::numbers::pi;

    EmfFont emfFont;
    emfFont.height = -static_cast<std::int32_t>(SizeUnits(emPixels * acrossScale));
    // The painter turns clockwise on the screen, the format counter-clockwise.
    emfFont.escapement = std::isfinite(degrees)
                             ? static_cast<std::int32_t>((std::lround(-degrees * 10) + 3600) % 3600)
                             : 0;
    emfFont.weight = font.weight();
    emfFont.italic = font.italic();
    emfFont.underline = font.underline();
    emfFont.strikeOut = font.strikeOut();
    emfFont.face = font.family();

    const QFontMetricsF metrics(font, device_);
    const QRectF area(origin.x(), origin.y() - item.ascent(), item.width(),
                      item.ascent() + item.descent());
    PrepareClip();
    PrepareBackground();
    recorder_.SelectFont(emfFont);
    recorder_.SetTextColour(pen_.color().rgb());
    recorder_.SetTextAlign(emf::kAlignBaseline);
    recorder_.Text(DevicePoint(transform_.map(origin)), text, Advances(text, metrics, alongScale),
                   DeviceAlignedRect(transform_.mapRect(area)));
}

}  // namespace quorlin::platform
