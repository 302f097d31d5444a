#pragma once
// BlankImage: an off-screen image that keeps no pixels, for drawings whose only product is
// what they hand on (the writers of an export take every drawing from the canvas primitives).
//
// A painter on it is active and keeps its state (pens, fonts, clips, transforms), and the
// device answers every metric as an off-screen QImage of its size does, so a DeviceContext on
// it measures texts, pens and fonts exactly as on that image; its engine paints nothing, so no
// pixels are allocated, filled or blended. A drawing that reads its own pixels back needs a
// real image (DeviceContext::TargetImage is null here).
#include <QImage>
#include <QPaintDevice>
#include <QSize>
#include <memory>

class QPaintEngine;

namespace quorlin::platform {

class BlankImage final : public QPaintDevice {
public:
    // An image of the size (at least 1 x 1 pixel).
    explicit BlankImage(QSize size);
    ~BlankImage() override;

    BlankImage(const BlankImage&) = delete;
    BlankImage& operator=(const BlankImage&) = delete;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    QImage reference_;  // one pixel, with the resolution an image of the size would have
    std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace quorlin::platform
