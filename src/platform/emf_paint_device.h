#pragma once
// EmfPaintDevice: a paint device whose painter records an Enhanced Metafile, so the code that
// draws a diagram on the screen or a printer draws the same diagram into an ".emf" file or onto
// the clipboard.
//
// The device has a size in pixels and a resolution (the screen's by default); the file's frame
// is that size in hundredths of a millimetre. A high-resolution picture is a device with nine
// times the pixels at nine times the resolution: the same frame, finer coordinates.
//
// What a painter draws is recorded as metafile records in device units: lines and polylines,
// polygons (filled by the brush with the path's fill rule), paths flattened into polygons,
// rectangles and ellipses, points, text items with their font, colour and rotation, and images
// as device-independent bitmaps. Pen, brush, font, background and clip changes become object
// and mode records when the next drawing needs them.
#include <memory>

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

namespace quorlin::platform {

class EmfPaintEngine;

class EmfPaintDevice : public QPaintDevice {
public:
    // A surface of pixels at dpi pixels per inch (<= 0: the screen's). The header's
    // description names the application and the picture (either may be empty).
    EmfPaintDevice(QSize pixels, double dpi = 0, const QString& application = {},
                   const QString& title = {});
    ~EmfPaintDevice() override;

    EmfPaintDevice(const EmfPaintDevice&) = delete;
    EmfPaintDevice& operator=(const EmfPaintDevice&) = delete;

    QPaintEngine* paintEngine() const override;

    // The metafile's bytes: what the painters drew so far, with header and end-of-file record.
    // Call it after the painter has ended.
    QByteArray Finish() const;

    QSize PixelSize() const { return pixels_; }
    double Dpi() const { return dpi_; }

    // The primary screen's physical resolution (its pixels over its size in millimetres; 96
    // when the screen does not know its size).
    static double ScreenDpi();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize pixels_;
    double dpi_;
    std::unique_ptr<EmfPaintEngine> engine_;
};

}  // namespace quorlin::platform
