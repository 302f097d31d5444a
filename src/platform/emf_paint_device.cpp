#include "platform/emf_paint_device.h"

#include <climits>
#include <cmath>

#include "platform/emf_paint_engine.h"
#include "platform/metafile/emf_format.h"
#include "platform/screen_metrics.h"

namespace quorlin::platform {

EmfPaintDevice::EmfPaintDevice(QSize pixels, double dpi, const QString& application,
                               const QString& title)
    : pixels_(pixels.expandedTo(QSize(1, 1))),
      dpi_(dpi > 0 ? dpi : ScreenDpi()),
      engine_(std::make_unique<EmfPaintEngine>(pixels_, dpi_,
                                               emf::MakeDescription(application, title))) {}

EmfPaintDevice::~EmfPaintDevice() = default;

QPaintEngine* EmfPaintDevice::paintEngine() const {
    return engine_.get();
}

QByteArray EmfPaintDevice::Finish() const {
    return engine_->Recorder().Finish();
}

double EmfPaintDevice::ScreenDpi() {
    // Pixels per physical inch: the screen's width in pixels over its width in millimetres.
    const DeviceMetrics screen = ScreenMetrics();
    if (screen.widthMm > 0 && screen.widthPixels > 0) {
        return screen.widthPixels * 25.4 / screen.widthMm;
    }
    return screen.pixelsPerInchX;
}

int EmfPaintDevice::metric(PaintDeviceMetric metric) const {
    const auto millimetres = [this](int pixels) {
        return static_cast<int>(std::lround(pixels * 25.4 / dpi_));
    };
    switch (metric) {
        case PdmWidth:
            return pixels_.width();
        case PdmHeight:
            return pixels_.height();
        case PdmWidthMM:
            return millimetres(pixels_.width());
        case PdmHeightMM:
            return millimetres(pixels_.height());
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return static_cast<int>(std::lround(dpi_));
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
    }
}

}  // namespace quorlin::platform
