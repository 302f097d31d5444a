#include "shell/pre_win.h"

#include <cmath>
#include <utility>

#include <QTimer>

#include "core/errors.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"

namespace quorlin {

TPreWin::TPreWin(int kind, QString fileName, QWidget* parent)
    : TFontWin(kind, std::move(fileName), parent) {
    HandleCommand(resources::cmd::kWithBackColor, [this] {
        withBackColor_ = !withBackColor_;
        UpdateMenuChecks(false);
    });
}

const QImage& TPreWin::Image(ImageLayer layer) const {
    return layer == ImageLayer::Picture ? picture_ : background_;
}

bool TPreWin::IsImageCurrent(ImageLayer layer) const {
    return layer == ImageLayer::Picture ? pictureCurrent_ : backgroundCurrent_;
}

void TPreWin::InvalidateImage(ImageLayer layer) {
    pictureCurrent_ = false;
    if (layer == ImageLayer::Background) backgroundCurrent_ = false;
}

bool TPreWin::UpdateImageSize() {
    // The layers hold device pixels, so that a scaled screen shows sharp lines and text; the
    // drawers keep working in the client area's pixels through the image's ratio.
    const qreal ratio = devicePixelRatioF();
    const QSize size(std::max(clientWidth_, 1), std::max(clientHeight_, 1));
    const QSize devicePixels = (QSizeF(size) * ratio).toSize();
    if (picture_.size() == devicePixels && background_.size() == devicePixels &&
        picture_.devicePixelRatio() == ratio)
        return false;
    picture_ = QImage(devicePixels, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    background_ = QImage(devicePixels, QImage::Format_RGB32);
    background_.setDevicePixelRatio(ratio);
    InvalidateImage(ImageLayer::Background);
    return true;
}

int TPreWin::RenderImage(ImageLayer layer) {
    // A drawing that polls for Q may let the window paint meanwhile; that paint shows the
    // layers as they are and asks for a paint again once they are drawn (Paint).
    if (rendering_) return 0;
    rendering_ = true;
    int drawn = 0;
    UpdateImageSize();
    if (!backgroundCurrent_ || layer == ImageLayer::Background) {
        platform::DeviceContext dc(background_);
        drawingBackground_ = true;
        PaintBackground(dc);
        drawn = DrawAll(dc);
        drawingBackground_ = false;
        if (drawn != 0 && drawn != kKeyStop) ReportDrawingError(drawn);
        backgroundCurrent_ = true;
        pictureCurrent_ = false;
    }
    if (layer == ImageLayer::Picture) {
        picture_ = background_.copy();
        platform::DeviceContext dc(picture_);
        DrawPicture(dc);
        pictureCurrent_ = true;
    }
    rendering_ = false;
    if (std::exchange(paintedWhileRendering_, false)) Invalidate();
    return drawn;
}

void TPreWin::BlitImage(ImageLayer layer, platform::DeviceContext& dc) const {
    const QImage& image = Image(layer);
    const QSize size = image.deviceIndependentSize().toSize();
    dc.CopyImage(
        image,
        platform::PixelRect{imageOrigin_.x(), imageOrigin_.y(), imageOrigin_.x() + size.width(),
                            imageOrigin_.y() + size.height()},
        QPoint(0, 0));
}

bool TPreWin::DrawOnImage(ImageLayer layer,
                          const std::function<void(platform::DeviceContext&)>& draw) {
    if (!IsImageCurrent(layer)) return false;
    platform::DeviceContext dc(layer == ImageLayer::Picture ? picture_ : background_);
    draw(dc);
    return true;
}

void TPreWin::PaintBackground(platform::DeviceContext& dc) {
    const bool paper = printState_.printing && !withBackColor_;
    const QColor fill = paper ? QColor(Qt::white) : GetColor(roles_.Role(0));
    const QSize area = BackgroundSize();
    dc.FillSolidRect(platform::PixelRect{0, 0, area.width(), area.height()}, fill);
    const QImage& bitmap = Background().image;
    if (Background().present && !bitmap.isNull()) {
        const double scale = ImageScale();
        if (scale == 1.0) {
            dc.CopyImage(bitmap, platform::PixelRect{0, 0, bitmap.width(), bitmap.height()},
                         QPoint(0, 0));
        } else {
            const auto scaled = [scale](int n) { return static_cast<int>(std::lround(n * scale)); };
            dc.StretchImage(
                bitmap, platform::PixelRect{0, 0, scaled(bitmap.width()), scaled(bitmap.height())},
                bitmap.rect());
        }
    }
}

int TPreWin::DrawAll(platform::DeviceContext&) {
    return 0;
}

void TPreWin::ReportDrawingError(int error) {
    // Not inside the paint: the box comes once the layers are drawn.
    QTimer::singleShot(0, this, [this, error] { platform::ErrorMsg(this, error); });
}

int TPreWin::DrawPicture(platform::DeviceContext&) {
    return 0;
}

void TPreWin::PrepareColors() {
    printState_.printing = false;
}

void TPreWin::PrepareScreenImage() {
    PrepareColors();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TPreWin::Notify(int code) {
    if (code == kNotifyFontChanged) {
        InvalidateImage(ImageLayer::Background);
        Invalidate();
    }
    TFontWin::Notify(code);
}

void TPreWin::UpdateMenuChecks(bool flag) {
    CheckMenu(resources::cmd::kWithBackColor, withBackColor_);
    TFontWin::UpdateMenuChecks(flag);
}

void TPreWin::Paint(QPainter& painter, const QRect&) {
    if (rendering_) {
        // The layers are being drawn (a key poll let this paint through): show them as they
        // are, and paint again when they are done.
        paintedWhileRendering_ = true;
        painter.drawImage(imageOrigin_, drawingBackground_ ? background_ : picture_);
        return;
    }
    UpdateImageSize();
    if (!pictureCurrent_) RenderImage(ImageLayer::Picture);
    painter.drawImage(imageOrigin_, picture_);
}

void TPreWin::SizeChanged(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    TFontWin::SizeChanged(width, height);
}

}  // namespace quorlin
