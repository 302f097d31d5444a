#pragma once
// EmfPaintEngine: the paint engine behind EmfPaintDevice. It takes QPainter's state and
// primitives, maps them through the painter's transform into device units and hands them to an
// EmfRecorder as GDI-shaped records.
//
// The metafile keeps no world transform: geometry is transformed here, a rotated or sheared
// rectangle or ellipse becomes a polygon, and a rotated text becomes a font with escapement.
#include <optional>

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include "platform/emf_recorder.h"

namespace quorlin::platform {

class EmfPaintEngine final : public QPaintEngine {
public:
    EmfPaintEngine(QSize pixels, double dpi, QString description);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override;

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int pointCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& origin, const QTextItem& item) override;

    const EmfRecorder& Recorder() const { return recorder_; }

private:
    // Selects the painter's pen (and the null brush) for a line drawing.
    void PrepareStroke();
    // Selects the painter's brush and, unless withoutPen, its pen for a filled shape.
    void PrepareFill(Qt::FillRule rule, bool withoutPen = false);
    void PrepareBackground();
    // Selects pen, after the background mode that its dash gaps need.
    void SelectPen(const EmfPen& pen);
    void PrepareClip();
    bool HasVisiblePen() const;
    bool HasVisibleBrush() const;
    // Whether the transform keeps rectangles axis-aligned.
    bool KeepsRectangles() const;
    emf::Rect32 MapBox(const QRectF& rect) const;
    void ApplyClip(Qt::ClipOperation operation, const QRegion& deviceRegion);
    void FillAndStroke(const std::vector<QPolygon>& polygons, bool closed, Qt::FillRule rule);

    EmfRecorder recorder_;
    QPaintDevice* device_ = nullptr;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform transform_;
    Qt::BGMode backgroundMode_ = Qt::TransparentMode;
    QBrush background_;
    bool clipEnabled_ = false;
    std::optional<QRegion> clip_;
};

}  // namespace quorlin::platform
