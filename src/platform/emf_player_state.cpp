// The records that change the device context without drawing: the mapping from logical units
// to the target, drawing modes, saved states, and the objects (pens, brushes, fonts) a metafile
// creates, selects and deletes.
#include <algorithm>
#include <cmath>
#include <variant>

#include "platform/emf_player_parts.h"

namespace quorlin::platform::emf::detail {

namespace {

// Saved device contexts kept; further saves are not kept (their restores then find less).
constexpr std::size_t kMostSavedStates = 1024;
// A world transform's elements.
constexpr double kLargestWorldElement = 1e6;

constexpr std::uint32_t kTransformIdentity = 1, kTransformLeft = 2, kTransformRight = 3,
                        kTransformSet = 4;
constexpr std::uint32_t kArcClockwise = 2;

}  // namespace

std::vector<Player::RecordHandler> Player::MappingHandlers() {
    const Handler setExtent = [](Player& p, Fields r, Type type) {
        p.SetExtent(type == kSetWindowExtEx ? p.state_.windowExtent : p.state_.viewportExtent, r);
    };
    return {
        {kSetMapMode,
         [](Player& p, Fields r, Type) {
             if (r.U32(8) >= kMapText && r.U32(8) <= kMapAnisotropic) p.state_.mapMode = r.U32(8);
         }},
        {kSetWindowExtEx, setExtent},
        {kSetViewportExtEx, setExtent},
        {kSetWindowOrgEx, [](Player& p, Fields r, Type) { p.state_.windowOrigin = r.Point(8); }},
        {kSetViewportOrgEx,
         [](Player& p, Fields r, Type) { p.state_.viewportOrigin = r.Point(8); }},
        {kScaleWindowExtEx,
         [](Player& p, Fields r, Type) { p.ScaleExtent(p.state_.windowExtent, r); }},
        {kScaleViewportExtEx,
         [](Player& p, Fields r, Type) { p.ScaleExtent(p.state_.viewportExtent, r); }},
        {kSetWorldTransform,
         [](Player& p, Fields r, Type) { p.SetWorldTransform(r, kTransformSet); }},
        {kModifyWorldTransform,
         [](Player& p, Fields r, Type) { p.SetWorldTransform(r, r.U32(32)); }},
        {kSaveDc, [](Player& p, Fields, Type) { p.SaveState(); }},
        {kRestoreDc, [](Player& p, Fields r, Type) { p.RestoreState(r.I32(8)); }},
    };
}

std::vector<Player::RecordHandler> Player::ModeHandlers() {
    return {
        {kSetBkMode, [](Player& p, Fields r, Type) { p.state_.opaque = r.U32(8) == kBkOpaque; }},
        {kSetPolyFillMode,
         [](Player& p, Fields r, Type) {
             p.state_.fillRule = r.U32(8) == kFillWinding ? Qt::WindingFill : Qt::OddEvenFill;
         }},
        {kSetTextAlign, [](Player& p, Fields r, Type) { p.state_.textAlign = r.U32(8); }},
        {kSetTextColor,
         [](Player& p, Fields r, Type) { p.state_.textColour = ColourOf(r.U32(8)); }},
        {kSetBkColor, [](Player& p, Fields r, Type) { p.state_.background = ColourOf(r.U32(8)); }},
        {kSetArcDirection,
         [](Player& p, Fields r, Type) { p.state_.clockwise = r.U32(8) == kArcClockwise; }},
    };
}

std::vector<Player::RecordHandler> Player::ObjectHandlers() {
    const Handler createPatternBrush = [](Player& p, Fields r, Type) {
        p.Create(r.U32(8), ReadPatternBrush(r));
    };
    return {
        {kSelectObject, [](Player& p, Fields r, Type) { p.Select(r.U32(8)); }},
        {kDeleteObject, [](Player& p, Fields r, Type) { p.Delete(r.U32(8)); }},
        {kCreatePen, [](Player& p, Fields r, Type) { p.Create(r.U32(8), ReadPen(r)); }},
        {kExtCreatePen, [](Player& p, Fields r, Type) { p.Create(r.U32(8), ReadExtPen(r)); }},
        {kCreateBrushIndirect, [](Player& p, Fields r, Type) { p.Create(r.U32(8), ReadBrush(r)); }},
        {kCreateMonoBrush, createPatternBrush},
        {kCreateDIBPatternBrushPt, createPatternBrush},
        {kExtCreateFontIndirectW,
         [](Player& p, Fields r, Type) { p.Create(r.U32(8), ReadFont(r)); }},
    };
}

// ------------------------------------------------------------------------------ mapping

QTransform Player::Mapping() const {
    const DcState& s = state_;
    double sx = 1, sy = 1;
    const auto fixed = [&](double mmPerUnit) {
        sx = pixelsPerMm_.x() * mmPerUnit;
        sy = -pixelsPerMm_.y() * mmPerUnit;  // y grows upwards
    };
    switch (s.mapMode) {
        case kMapLoMetric:
            fixed(0.1);
            break;
        case kMapHiMetric:
            fixed(0.01);
            break;
        case kMapLoEnglish:
            fixed(0.254);
            break;
        case kMapHiEnglish:
            fixed(0.0254);
            break;
        case kMapTwips:
            fixed(25.4 / 1440);
            break;
        case kMapIsotropic:
        case kMapAnisotropic:
            sx = s.viewportExtent.x() / s.windowExtent.x();
            sy = s.viewportExtent.y() / s.windowExtent.y();
            if (s.mapMode == kMapIsotropic) {  // one scale, the smaller, for both directions
                const double scale = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(scale, sx);
                sy = std::copysign(scale, sy);
            }
            break;
        default:
            break;
    }
    return QTransform(sx, 0, 0, sy, s.viewportOrigin.x() - s.windowOrigin.x() * sx,
                      s.viewportOrigin.y() - s.windowOrigin.y() * sy);
}

void Player::ScaleExtent(QPointF& extent, const RecordFields& r) {
    const std::int32_t xNum = r.I32(8), xDenom = r.I32(12), yNum = r.I32(16), yDenom = r.I32(20);
    if (xNum == 0 || xDenom == 0 || yNum == 0 || yDenom == 0) return;
    const QPointF scaled(extent.x() * xNum / xDenom, extent.y() * yNum / yDenom);
    if (std::isfinite(scaled.x()) && std::isfinite(scaled.y()) && scaled.x() != 0 &&
        scaled.y() != 0)
        extent = scaled;
}

void Player::SetWorldTransform(const RecordFields& r, std::uint32_t mode) {
    if (mode == kTransformIdentity) {
        state_.world = QTransform();
        return;
    }
    const double m[6] = {r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
    const bool sane = std::all_of(std::begin(m), std::end(m), [](double v) {
        return std::isfinite(v) && std::abs(v) <= kLargestWorldElement;
    });
    if (!sane) return;
    const QTransform given(m[0], m[1], m[2], m[3], m[4], m[5]);
    QTransform world = state_.world;
    switch (mode) {
        case kTransformLeft:
            world = given * world;
            break;
        case kTransformRight:
            world = world * given;
            break;
        case kTransformSet:
            world = given;
            break;
        default:
            return;
    }
    if (std::abs(world.determinant()) > 1e-12 && IsUsable(world)) state_.world = world;
}

// An extent of zero in either direction would map everything onto a line: not taken.
void Player::SetExtent(QPointF& extent, const RecordFields& r) {
    if (r.I32(8) != 0 && r.I32(12) != 0) extent = r.Point(8);
}

// ------------------------------------------------------------------------------ saved states

void Player::SaveState() {
    if (saved_.size() < kMostSavedStates) saved_.push_back(state_);
}

// which counts from the first save (positive) or back from the last (negative); the states
// saved after the one restored are dropped.
void Player::RestoreState(std::int32_t which) {
    const std::int64_t keep =
        which < 0 ? static_cast<std::int64_t>(saved_.size()) + which : std::int64_t{which} - 1;
    if (keep < 0 || keep >= static_cast<std::int64_t>(saved_.size())) return;
    state_ = saved_[static_cast<std::size_t>(keep)];
    saved_.resize(static_cast<std::size_t>(keep));
    ++clipVersion_;
}

// ------------------------------------------------------------------------------ objects

void Player::Create(std::uint32_t index, GdiObject object) {
    if (index < objects_.size()) objects_[index] = std::move(object);
}

void Player::Delete(std::uint32_t index) {
    if (index < objects_.size()) objects_[index] = std::monostate{};
}

void Player::Select(std::uint32_t handle) {
    const GdiObject* object = nullptr;
    std::optional<GdiObject> stock;
    if (handle & kStockObject) {
        stock = StockObject(handle);
        if (stock) object = &*stock;
    } else if (handle < objects_.size()) {
        object = &objects_[handle];
    }
    if (!object) return;
    if (const auto* pen = std::get_if<PenState>(object)) state_.pen = *pen;
    if (const auto* brush = std::get_if<BrushState>(object)) state_.brush = *brush;
    if (const auto* font = std::get_if<FontState>(object)) state_.font = *font;
}

}  // namespace quorlin::platform::emf::detail
