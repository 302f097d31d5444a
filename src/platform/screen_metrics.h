#pragma once
// Sizes and resolutions of the screen and of any paint device, in the terms the drawing code
// asks for: pixels per inch, the width and height in pixels and in millimetres.
//
// Virtual displays and some paint devices report a physical size of zero; such a size is then
// derived from the pixel count at the device's pixels per inch (96 when that is unknown too),
// so no caller ever divides by a zero size.
#include <QRect>
#include <QSize>

class QPaintDevice;
class QScreen;

namespace quorlin::platform {

inline constexpr int kFallbackPixelsPerInch = 96;

struct DeviceMetrics {
    int pixelsPerInchX = kFallbackPixelsPerInch;
    int pixelsPerInchY = kFallbackPixelsPerInch;
    int widthPixels = 0;  // whole drawing surface (the screen, the printer page)
    int heightPixels = 0;
    int widthMm = 0;
    int heightMm = 0;

    friend bool operator==(const DeviceMetrics&, const DeviceMetrics&) = default;
};

// Metrics from raw measures, with the fallbacks applied: a resolution <= 0 becomes 96, a size
// in millimetres <= 0 becomes pixels x 25.4 / resolution, rounded.
DeviceMetrics MakeDeviceMetrics(QSize pixels, QSize millimetres, int pixelsPerInchX,
                                int pixelsPerInchY);

// The metrics of a screen in device-independent pixels (the primary screen when none is
// given; a nominal 1024 x 768 screen at 96 dpi when there is no screen at all).
DeviceMetrics ScreenMetrics(const QScreen* screen = nullptr);

// The rectangle moved, and shrunk where it is larger, so that it lies inside area: a window
// placed from a kept or a default geometry stays whole on the screen or in its frame.
QRect FitInside(const QRect& wanted, const QRect& area);

// The metrics a drawing on the device should use. Widgets, images (blank ones too) and pixmaps
// answer with the screen's (an off-screen picture is made for the screen and must give the same pen
// widths and font sizes as a drawing straight onto the window); printers, PDF, SVG and metafile
// devices answer with their own page.
DeviceMetrics MetricsOfDevice(const QPaintDevice& device);

}  // namespace quorlin::platform
