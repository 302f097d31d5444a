// The clip records: rectangles intersected or excluded, regions selected and offset, paths
// made clips. The clip is kept as a region in the target's pixels and given to the painter only
// when something is drawn after it changed.
#include <algorithm>
#include <cmath>
#include <span>

#include <QPainter>

#include "platform/emf_geometry.h"
#include "platform/emf_player_parts.h"

namespace quorlin::platform::emf::detail {

namespace {

// A clip region of more rectangles is taken as their bounding box.
constexpr std::uint32_t kMostClipRectangles = 16384;

constexpr std::uint32_t kRegionAnd = 1, kRegionOr = 2, kRegionXor = 3, kRegionDiff = 4,
                        kRegionCopy = 5;

// The union of rectangles, halves first, so a region of many rectangles costs n log n.
QRegion UnionOf(std::span<const QRect> rects) {
    if (rects.empty()) return {};
    if (rects.size() == 1) return QRegion(rects.front());
    const std::size_t half = rects.size() / 2;
    return UnionOf(rects.first(half)) | UnionOf(rects.subspan(half));
}

}  // namespace

std::vector<Player::RecordHandler> Player::ClipHandlers() {
    const Handler clipRect = [](Player& p, Fields r, Type type) {
        p.ClipRect(r, type == kExcludeClipRect);
    };
    return {
        {kIntersectClipRect, clipRect},
        {kExcludeClipRect, clipRect},
        {kExtSelectClipRgn, [](Player& p, Fields r, Type) { p.SelectClipRegion(r); }},
        {kOffsetClipRgn, [](Player& p, Fields r, Type) { p.OffsetClip(r); }},
        {kSelectClipPath, [](Player& p, Fields r, Type) { p.ClipToPath(r.U32(8)); }},
    };
}

void Player::PrepareClip() {
    if (clipApplied_ == clipVersion_) return;
    painter_.restore();  // back to the target's clip
    painter_.save();
    painter_.setTransform(base_);
    if (state_.clip) painter_.setClipRegion(*state_.clip, Qt::IntersectClip);
    clipApplied_ = clipVersion_;
}

QRect Player::PixelRect(const QRectF& targetRect) const {
    const QRectF r = targetRect.normalized() & reach_;
    if (r.isEmpty()) return {};
    return QRect(
        QPoint(static_cast<int>(std::lround(r.left())), static_cast<int>(std::lround(r.top()))),
        QPoint(static_cast<int>(std::lround(r.right())) - 1,
               static_cast<int>(std::lround(r.bottom())) - 1));
}

QRegion Player::RegionOf(const QPainterPath& targetPath) const {
    if (targetPath.isEmpty() || !IsFinite(targetPath.controlPointRect())) return {};
    QRegion region;
    const bool oddEven = targetPath.fillRule() == Qt::OddEvenFill;
    for (const QPolygonF& polygon : FillWithin(targetPath, reach_).toSubpathPolygons()) {
        const QRegion part(polygon.toPolygon(), targetPath.fillRule());
        region = oddEven ? region ^ part : region | part;
    }
    return region;
}

void Player::CombineClip(const QRegion& region, std::uint32_t mode) {
    const QRegion current = state_.clip.value_or(QRegion(PixelRect(reach_)));
    switch (mode) {
        case kRegionAnd:
            state_.clip = current & region;
            break;
        case kRegionOr:
            state_.clip = current | region;
            break;
        case kRegionXor:
            state_.clip = current ^ region;
            break;
        case kRegionDiff:
            state_.clip = current - region;
            break;
        case kRegionCopy:
            state_.clip = region;
            break;
        default:
            return;
    }
    ++clipVersion_;
}

void Player::ClipRect(const RecordFields& r, bool exclude) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    const QRectF box = r.Box(8).normalized();
    QRegion region;
    if (t.type() <= QTransform::TxScale) {
        region = QRegion(PixelRect(t.mapRect(box)));
    } else {
        QPainterPath path;
        path.addRect(box);
        region = RegionOf(t.map(path));
    }
    CombineClip(region, exclude ? kRegionDiff : kRegionAnd);
}

void Player::SelectClipRegion(const RecordFields& r) {
    const std::uint32_t size = r.U32(8), mode = r.U32(12);
    if (size == 0) {  // no region: back to the whole surface
        if (mode == kRegionCopy) {
            state_.clip.reset();
            ++clipVersion_;
        }
        return;
    }
    constexpr std::size_t kData = 16, kRegionHeader = 32;
    const std::uint32_t count = r.U32(kData + 8);
    if (size < kRegionHeader || !r.Holds(kData + kRegionHeader, count, 16)) return;
    std::vector<QRect> rects;
    const auto toTarget = [&](std::size_t at) {
        return PixelRect(deviceToTarget_.mapRect(r.Box(at)));
    };
    if (count > kMostClipRectangles) {
        rects.push_back(toTarget(kData + 16));  // the bounding box
    } else {
        rects.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i)
            rects.push_back(toTarget(kData + kRegionHeader + 16 * std::size_t{i}));
    }
    CombineClip(UnionOf(rects), mode);
}

void Player::OffsetClip(const RecordFields& r) {
    if (!state_.clip) return;
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    const QPointF by = t.map(r.Point(8)) - t.map(QPointF(0, 0));
    const double most = reach_.width();
    const QPoint shift(static_cast<int>(std::lround(std::clamp(by.x(), -most, most))),
                       static_cast<int>(std::lround(std::clamp(by.y(), -most, most))));
    state_.clip = state_.clip->translated(shift) & QRegion(PixelRect(reach_));
    ++clipVersion_;
}

// The path built since the last path bracket, combined with the clip; a path still being built
// is no clip yet.
void Player::ClipToPath(std::uint32_t mode) {
    if (inPath_) return;
    path_.setFillRule(state_.fillRule);
    CombineClip(RegionOf(path_), mode);
    path_ = QPainterPath();
}

}  // namespace quorlin::platform::emf::detail
