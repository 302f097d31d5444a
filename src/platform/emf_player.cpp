#include "platform/emf_player.h"

#include <cmath>
#include <optional>
#include <unordered_map>

#include <QElapsedTimer>
#include <QPainter>

#include "platform/emf_geometry.h"
#include "platform/emf_player_parts.h"

namespace quorlin::platform::emf {

namespace detail {

namespace {

// A picture that takes longer is left unfinished: the window must stay usable.
constexpr qint64 kPlayMilliseconds = 3000;

// The margin round the target where geometry is cut: wide enough that the cut ends of a pen no
// wider than it stay out of sight, narrow enough for any painter's coordinates.
double MarginAround(const QRectF& target) {
    return 4 * std::max(target.width(), target.height()) + 64;
}

// The reference device's pixels per millimetre (a screen's when the header gives none).
QPointF PixelsPerMm(const Header& h) {
    const bool micrometres = h.micrometresWidth > 0 && h.micrometresHeight > 0;
    const double wide = micrometres ? h.micrometresWidth / 1000.0 : h.millimetresWidth * 1.0;
    const double high = micrometres ? h.micrometresHeight / 1000.0 : h.millimetresHeight * 1.0;
    if (wide > 0 && high > 0 && h.deviceWidth > 0 && h.deviceHeight > 0)
        return QPointF(h.deviceWidth / wide, h.deviceHeight / high);
    return QPointF(96 / 25.4, 96 / 25.4);
}

}  // namespace

Player::Player(const Header& header, QPainter& painter, const QTransform& deviceToTarget,
               const QRectF& target)
    : header_(header),
      painter_(painter),
      base_(painter.worldTransform()),
      deviceToTarget_(deviceToTarget),
      margin_(MarginAround(target)),
      reach_(target.adjusted(-margin_, -margin_, margin_, margin_)),
      pixelsPerMm_(PixelsPerMm(header)),
      objects_(header.handles) {}

void Player::Play(std::span<const std::uint8_t> data) {
    QElapsedTimer clock;
    clock.start();
    std::size_t offset = header_.headerSize;
    while (data.size() - offset >= 8) {
        const RecordFields head(data.subspan(offset, 8));
        const std::uint32_t type = head.U32(0), size = head.U32(4);
        if (size < 8 || size > data.size() - offset || type == kEof) break;
        if (const Handler play = HandlerFor(type))
            play(*this, RecordFields(data.subspan(offset, size)), type);
        offset += size;
        if (clock.elapsed() > kPlayMilliseconds) break;
    }
}

// The tables of the roles, gathered into one lookup the first time a record is played.
Player::Handler Player::HandlerFor(std::uint32_t type) {
    static const std::unordered_map<std::uint32_t, Handler> kHandlers = [] {
        const auto roles = {MappingHandlers, ModeHandlers, ObjectHandlers, ClipHandlers,
                            ShapeHandlers,   PathHandlers, BitmapHandlers, TextHandlers};
        std::unordered_map<std::uint32_t, Handler> byType;
        for (const auto roleHandlers : roles) {
            for (const RecordHandler& handler : roleHandlers())
                byType.emplace(handler.type, handler.play);
        }
        return byType;
    }();
    const auto found = kHandlers.find(type);
    return found == kHandlers.end() ? nullptr : found->second;
}

}  // namespace detail

namespace {

// Targets (in the painter's units) beyond what a screen or a printed page can use are not
// played into: four times the width of an 8K screen, three times a 1200 dpi A3 page (fonts and
// pens at the size of such a target cost memory in proportion).
constexpr double kLargestTarget = 1 << 16;

// The frame in the metafile's device units; the bounds when the frame or the reference device
// says nothing.
std::optional<QRectF> FrameInDevice(const Header& h) {
    const auto extent = [](std::int32_t low, std::int32_t high) {
        return static_cast<double>(high) - static_cast<double>(low);
    };
    const bool micrometres = h.micrometresWidth > 0 && h.micrometresHeight > 0;
    const double hundredthsWide =
        micrometres ? h.micrometresWidth / 10.0 : h.millimetresWidth * 100.0;
    const double hundredthsHigh =
        micrometres ? h.micrometresHeight / 10.0 : h.millimetresHeight * 100.0;
    if (extent(h.frame.left, h.frame.right) > 0 && extent(h.frame.top, h.frame.bottom) > 0 &&
        hundredthsWide > 0 && hundredthsHigh > 0 && h.deviceWidth > 0 && h.deviceHeight > 0) {
        // Hundredths of a millimetre seldom fall on a pixel: an edge lies anywhere within half
        // a hundredth of the stored one, and a page ends on a whole pixel when one is there.
        const auto edge = [](std::int32_t hundredths, double unitsPerHundredth) {
            const double at = hundredths * unitsPerHundredth, whole = std::round(at);
            return std::abs(at - whole) <= unitsPerHundredth / 2 ? whole : at;
        };
        const double x = h.deviceWidth / hundredthsWide, y = h.deviceHeight / hundredthsHigh;
        return QRectF(QPointF(edge(h.frame.left, x), edge(h.frame.top, y)),
                      QPointF(edge(h.frame.right, x), edge(h.frame.bottom, y)));
    }
    const double boundsWidth = extent(h.bounds.left, h.bounds.right) + 1;
    const double boundsHeight = extent(h.bounds.top, h.bounds.bottom) + 1;
    if (boundsWidth > 0 && boundsHeight > 0)
        return QRectF(h.bounds.left, h.bounds.top, boundsWidth, boundsHeight);
    return std::nullopt;
}

}  // namespace

bool PlayMetafile(std::span<const std::uint8_t> data, const Header& header, QPainter& painter,
                  const QRectF& target) {
    const QRectF t = target.normalized();
    const bool placeable = IsFinite(t) && !t.isEmpty() && std::abs(t.left()) <= kLargestTarget &&
                           std::abs(t.top()) <= kLargestTarget && t.width() <= kLargestTarget &&
                           t.height() <= kLargestTarget;
    const auto frame = FrameInDevice(header);
    if (!placeable || !frame || header.headerSize > data.size()) return false;
    const QTransform deviceToTarget =
        QTransform::fromTranslate(-frame->x(), -frame->y()) *
        QTransform::fromScale(t.width() / frame->width(), t.height() / frame->height()) *
        QTransform::fromTranslate(t.x(), t.y());
    painter.save();
    painter.setClipRect(t, Qt::IntersectClip);  // nothing spills out of the frame
    painter.save();                             // the picture's own clip goes on top
    detail::Player(header, painter, deviceToTarget, t).Play(data);
    painter.restore();
    painter.restore();
    return true;
}

}  // namespace quorlin::platform::emf
