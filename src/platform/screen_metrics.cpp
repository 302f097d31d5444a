#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/blank_image.h"

namespace quorlin::platform {

namespace {

int MillimetresOr(int millimetres, int pixels, int pixelsPerInch) {
    if (millimetres > 0) return millimetres;
    return static_cast<int>(std::lround(pixels * 25.4 / pixelsPerInch));
}

const QScreen* ScreenOfDevice(const QPaintDevice& device) {
    if (device.devType() == QInternal::Widget) {
        return static_cast<const QWidget&>(device).screen();
    }
    return nullptr;
}

}  // namespace

DeviceMetrics MakeDeviceMetrics(QSize pixels, QSize millimetres, int pixelsPerInchX,
                                int pixelsPerInchY) {
    DeviceMetrics m;
    m.pixelsPerInchX = pixelsPerInchX > 0 ? pixelsPerInchX : kFallbackPixelsPerInch;
    m.pixelsPerInchY = pixelsPerInchY > 0 ? pixelsPerInchY : kFallbackPixelsPerInch;
    m.widthPixels = std::max(pixels.width(), 0);
    m.heightPixels = std::max(pixels.height(), 0);
    m.widthMm = MillimetresOr(millimetres.width(), m.widthPixels, m.pixelsPerInchX);
    m.heightMm = MillimetresOr(millimetres.height(), m.heightPixels, m.pixelsPerInchY);
    return m;
}

DeviceMetrics ScreenMetrics(const QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return MakeDeviceMetrics(QSize(1024, 768), QSize(), 0, 0);
    const QSizeF mm = screen->physicalSize();
    return MakeDeviceMetrics(screen->geometry().size(),
                             QSize(static_cast<int>(std::lround(mm.width())),
                                   static_cast<int>(std::lround(mm.height()))),
                             static_cast<int>(std::lround(screen->logicalDotsPerInchX())),
                             static_cast<int>(std::lround(screen->logicalDotsPerInchY())));
}

QRect FitInside(const QRect& wanted, const QRect& area) {
    const int width = std::clamp(wanted.width(), 1, std::max(area.width(), 1));
    const int height = std::clamp(wanted.height(), 1, std::max(area.height(), 1));
    const int x = std::clamp(wanted.x(), area.x(), area.x() + std::max(area.width() - width, 0));
    const int y = std::clamp(wanted.y(), area.y(), area.y() + std::max(area.height() - height, 0));
    return QRect(x, y, width, height);
}

DeviceMetrics MetricsOfDevice(const QPaintDevice& device) {
    switch (device.devType()) {
        case QInternal::Widget:
            return ScreenMetrics(ScreenOfDevice(device));
        case QInternal::Image:
        case QInternal::Pixmap:
            return ScreenMetrics();
        default:
            // A blank image stands for an off-screen image of the screen.
            if (dynamic_cast<const BlankImage*>(&device)) return ScreenMetrics();
            return MakeDeviceMetrics(QSize(device.width(), device.height()),
                                     QSize(device.widthMM(), device.heightMM()),
                                     device.logicalDpiX(), device.logicalDpiY());
    }
}

}  // namespace quorlin::platform
