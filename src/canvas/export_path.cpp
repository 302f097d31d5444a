#include "canvas/export_path.h"

#include <algorithm>

namespace quorlin::canvas {

void ExportPath::Begin(std::size_t capacity) {
    capacity_ = std::clamp<std::size_t>(capacity, 2, kCapacity);
    points_.clear();
    starts_.clear();
    open_ = false;
}

void ExportPath::Point(WorldPoint p, const PenSpec& pen) {
    const bool samePen =
        pen.colour == pen_.colour && pen.width == pen_.width && pen.style == pen_.style;
    // What the old pen drew goes out with it; the curve goes on in the new one.
    if (!samePen && !points_.empty()) FlushAndCarryOn();
    pen_ = pen;
    if (points_.size() >= capacity_) FlushAndCarryOn();
    if (!open_) starts_.push_back(points_.size());
    points_.push_back(p);
    open_ = true;
}

void ExportPath::FlushAndCarryOn() {
    const WorldPoint last = points_.back();
    const bool wasOpen = open_;
    Flush();
    // The open piece starts again from its last point, so the curve stays joined.
    if (wasOpen) {
        starts_.push_back(0);
        points_.push_back(last);
        open_ = true;
    }
}

void ExportPath::Flush() {
    const std::span<const WorldPoint> all(points_);
    for (std::size_t k = 0; k < starts_.size(); ++k) {
        const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : points_.size();
        const auto piece = all.subspan(starts_[k], end - starts_[k]);
        if (piece.size() >= 2) write_(piece, pen_);
    }
    points_.clear();
    starts_.clear();
    open_ = false;
}

}  // namespace quorlin::canvas
