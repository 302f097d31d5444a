#pragma once
// A paint device that records every text painted on it with the box the text covers, so a test
// can check what a drawing put where (whatever clip was in force) without reading pixels.
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <memory>
#include <vector>

namespace quorlin::canvas::testing {

struct DrawnText {
    QString text;
    QRectF box;  // device pixels
};

class TextRecorder : public QPaintDevice {
public:
    TextRecorder(int width, int height)
        : width_(width), height_(height), engine_(std::make_unique<Engine>(*this)) {}
    ~TextRecorder() override = default;

    const std::vector<DrawnText>& Texts() const { return texts_; }
    QPaintEngine* paintEngine() const override { return engine_.get(); }

protected:
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmWidth) return width_;
        if (m == PdmHeight) return height_;
        if (m == PdmWidthMM) return width_ * 254 / 960;
        if (m == PdmHeightMM) return height_ * 254 / 960;
        if (m >= PdmDpiX && m <= PdmPhysicalDpiY) return 96;
        if (m == PdmDepth) return 32;
        if (m == PdmNumColors) return 1 << 24;
        if (m == PdmDevicePixelRatio) return 1;
        if (m == PdmDevicePixelRatioScaled) return static_cast<int>(devicePixelRatioFScale());
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder& device) : QPaintEngine(AllFeatures), device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        // Lines, rectangles, ellipses and points end in these by Qt's defaults.
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QFontMetricsF fm(item.font(), &device_);
            const QRectF box(p.x(), p.y() - fm.ascent(), fm.horizontalAdvance(item.text()),
                             fm.ascent() + fm.descent());
            device_.texts_.push_back({item.text(), painter()->worldTransform().mapRect(box)});
        }
        Type type() const override { return User; }

    private:
        TextRecorder& device_;
    };

    int width_;
    int height_;
    std::unique_ptr<Engine> engine_;
    std::vector<DrawnText> texts_;
};

}  // namespace quorlin::canvas::testing
