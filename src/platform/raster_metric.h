#pragma once
// RasterMetric: how an off-screen device of ours that stands for a picture of pixels (the blank
// image, the metafile device) answers Qt's metric questions: its size in pixels, its size in
// millimetres at its resolution, its resolutions and depth, and a device pixel ratio of 1.
#include <QPaintDevice>
#include <QSize>

namespace quorlin::platform {

struct RasterDevice {
    QSize pixels;
    // The resolution the size in millimetres follows from (none when <= 0).
    double millimetreDpiX = 0;
    double millimetreDpiY = 0;
    int dpiX = 0;
    int dpiY = 0;
    int physicalDpiX = 0;
    int physicalDpiY = 0;
    int depth = 0;
    int colorCount = 0;
};

int RasterMetric(const RasterDevice& device, QPaintDevice::PaintDeviceMetric metric);

}  // namespace quorlin::platform
