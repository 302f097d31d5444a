#include "platform/blank_image.h"

#include <QPaintEngine>
#include <cmath>

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
    // An image's size in millimetres follows from its resolution.
    const auto millimetres = [](int pixels, int dpi) {
        return dpi > 0 ? static_cast<int>(std::lround(pixels * 25.4 / dpi)) : 0;
    };
    switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return millimetres(size_.width(), reference_.logicalDpiX());
        case PdmHeightMM:
            return millimetres(size_.height(), reference_.logicalDpiY());
        case PdmNumColors:
            return reference_.colorCount();
        case PdmDepth:
            return reference_.depth();
        case PdmDpiX:
            return reference_.logicalDpiX();
        case PdmDpiY:
            return reference_.logicalDpiY();
        case PdmPhysicalDpiX:
            return reference_.physicalDpiX();
        case PdmPhysicalDpiY:
            return reference_.physicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
    }
}

}  // namespace quorlin::platform
