#include "platform/emf_paint_device.h"

#include <climits>
#include <cmath>

#include "platform/emf_paint_engine.h"
#include "platform/metafile/emf_format.h"
#include "platform/raster_metric.h"
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
    const int dpi = static_cast<int>(std::lround(dpi_));
    return RasterMetric({.pixels = pixels_,
                         .millimetreDpiX = dpi_,
                         .millimetreDpiY = dpi_,
                         .dpiX = dpi,
                         .dpiY = dpi,
                         .physicalDpiX = dpi,
                         .physicalDpiY = dpi,
                         .depth = 32,
                         .colorCount = INT_MAX},
                        metric);
}

}  // namespace quorlin::platform
