#include "platform/raster_metric.h"

#include <cmath>

namespace quorlin::platform {

int RasterMetric(const RasterDevice& device, QPaintDevice::PaintDeviceMetric metric) {
    const auto millimetres = [](int pixels, double dpi) {
        return dpi > 0 ? static_cast<int>(std::lround(pixels * 25.4 / dpi)) : 0;
    };
    switch (metric) {
        case QPaintDevice::PdmWidth:
            return device.pixels.width();
        case QPaintDevice::PdmHeight:
            return device.pixels.height();
        case QPaintDevice::PdmWidthMM:
            return millimetres(device.pixels.width(), device.millimetreDpiX);
        case QPaintDevice::PdmHeightMM:
            return millimetres(device.pixels.height(), device.millimetreDpiY);
        case QPaintDevice::PdmNumColors:
            return device.colorCount;
        case QPaintDevice::PdmDepth:
            return device.depth;
        case QPaintDevice::PdmDpiX:
            return device.dpiX;
        case QPaintDevice::PdmDpiY:
            return device.dpiY;
        case QPaintDevice::PdmPhysicalDpiX:
            return device.physicalDpiX;
        case QPaintDevice::PdmPhysicalDpiY:
            return device.physicalDpiY;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
    }
}

}  // namespace quorlin::platform
