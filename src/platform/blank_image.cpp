#include "platform/blank_image.h"

#include <QPaintEngine>

#include "platform/raster_metric.h"

namespace quorlin::platform {

namespace {

// Takes every drawing and does nothing with it. It claims every feature, so that the painter
// hands drawings over as they are instead of breaking them into simpler ones first.
class BlankEngine final : public QPaintEngine {
public:
    BlankEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRect*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
};

}  // namespace

BlankImage::BlankImage(QSize size)
    : size_(size.expandedTo(QSize(1, 1))),
      reference_(1, 1, QImage::Format_RGB32),
      engine_(std::make_unique<BlankEngine>()) {}

BlankImage::~BlankImage() = default;

QPaintEngine* BlankImage::paintEngine() const {
    return engine_.get();
}

int BlankImage::metric(PaintDeviceMetric metric) const {
    const int dpiX = reference_.logicalDpiX();
    const int dpiY = reference_.logicalDpiY();
    return RasterMetric({.pixels = size_,
                         .millimetreDpiX = static_cast<double>(dpiX),
                         .millimetreDpiY = static_cast<double>(dpiY),
                         .dpiX = dpiX,
                         .dpiY = dpiY,
                         .physicalDpiX = reference_.physicalDpiX(),
                         .physicalDpiY = reference_.physicalDpiY(),
                         .depth = reference_.depth(),
                         .colorCount = reference_.colorCount()},
                        metric);
}

}  // namespace quorlin::platform
