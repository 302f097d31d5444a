#include "platform/emf_player.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>
#include <variant>
#include <vector>

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTransform>

#include "platform/emf_bitmap.h"
#include "platform/emf_geometry.h"
#include "platform/emf_objects.h"

namespace quorlin::platform::emf {

namespace {

// ------------------------------------------------------------------------------ limits

// A picture that takes longer is left unfinished: the window must stay usable.
constexpr qint64 kPlayMilliseconds = 3000;
// Saved device contexts kept; further saves are not kept (their restores then find less).
constexpr std::size_t kMostSavedStates = 1024;
// A clip region of more rectangles is taken as their bounding box.
constexpr std::uint32_t kMostClipRectangles = 16384;
// Targets (in the painter's units) beyond what a screen or a printed page can use are not
// played into: four times the width of an 8K screen, three times a 1200 dpi A3 page (fonts and
// pens at the size of such a target cost memory in proportion).
constexpr double kLargestTarget = 1 << 16;
// Transforms from logical units to the target: larger factors belong to no sensible picture.
constexpr double kLargestScale = 1e12, kLargestShift = 1e21;
// A world transform's elements.
constexpr double kLargestWorldElement = 1e6;

// ------------------------------------------------------------------------------ constants

constexpr std::uint32_t kMapText = 1, kMapLoMetric = 2, kMapHiMetric = 3, kMapLoEnglish = 4,
                        kMapHiEnglish = 5, kMapTwips = 6, kMapIsotropic = 7, kMapAnisotropic = 8;
constexpr std::uint32_t kTransformIdentity = 1, kTransformLeft = 2, kTransformRight = 3,
                        kTransformSet = 4;
constexpr std::uint32_t kRegionAnd = 1, kRegionOr = 2, kRegionXor = 3, kRegionDiff = 4,
                        kRegionCopy = 5;
constexpr std::uint32_t kAlignUpdateCp = 1, kAlignRight = 2, kAlignCentre = 6, kAlignBottom = 8,
                        kAlignBaseline = 24;
constexpr std::uint32_t kTextOpaque = 0x2, kTextClipped = 0x4, kTextGlyphIndex = 0x10,
                        kTextPdy = 0x2000;
constexpr std::uint32_t kArcClockwise = 2;
constexpr std::uint32_t kRopPatternCopy = 0x00F00021, kRopBlackness = 0x00000042,
                        kRopWhiteness = 0x00FF0062;

// ------------------------------------------------------------------------------ DC state

struct DcState {
    PenState pen;
    BrushState brush;
    FontState font;
    QColor textColour = Qt::black;
    QColor background = Qt::white;
    bool opaque = true;
    std::uint32_t textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    bool clockwise = false;
    std::uint32_t mapMode = kMapText;
    QPointF windowOrigin, viewportOrigin;
    QPointF windowExtent{1, 1}, viewportExtent{1, 1};
    QTransform world;
    std::optional<QRegion> clip;  // in the target's units; none: the whole target
    QPointF position;             // logical
};

bool IsUsable(const QTransform& t) {
    const double linear[] = {t.m11(), t.m12(), t.m21(), t.m22()};
    return std::all_of(std::begin(linear), std::end(linear),
                       [](double v) { return std::abs(v) <= kLargestScale; }) &&
           std::abs(t.dx()) <= kLargestShift && std::abs(t.dy()) <= kLargestShift && t.m13() == 0 &&
           t.m23() == 0 && t.m33() == 1;
}

double LinearScale(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

QString ReadText(const RecordFields& r, std::uint32_t at, std::uint32_t chars, bool wide) {
    QString text;
    text.reserve(chars);
    for (std::uint32_t i = 0; i < chars; ++i) {
        text.append(wide ? QChar(static_cast<char16_t>(r.I16(at + 2 * std::size_t{i})))
                         : QChar::fromLatin1(static_cast<char>(r.U8(at + i))));
    }
    return text;
}

// Whether the font's own layout puts every character within tolerance of where the record
// does; then the text is drawn as one string (words stay words in SVG and PDF output). Long
// texts are not measured: placing them character by character costs less.
bool FollowsOwnLayout(const QString& text, const std::vector<double>& starts,
                      const QFontMetricsF& metrics, double tolerance) {
    constexpr qsizetype kLongestMeasured = 128;
    if (text.size() > kLongestMeasured) return false;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const double own = metrics.horizontalAdvance(text.left(i));
        if (!(std::abs(own - starts[static_cast<std::size_t>(i)]) <= tolerance)) return false;
    }
    return true;
}

// ------------------------------------------------------------------------------ the player

class Player {
public:
    Player(const Header& header, QPainter& painter, const QTransform& deviceToTarget,
           const QRectF& target);
    void Play(std::span<const std::uint8_t> data);

private:
    void PlayRecord(std::uint32_t type, const RecordFields& r);
    bool ChangeState(std::uint32_t type, const RecordFields& r);
    void PlayDrawing(std::uint32_t type, const RecordFields& r);

    // Mapping.
    QTransform Mapping() const;
    QTransform ToTarget() const { return state_.world * Mapping() * deviceToTarget_; }
    void SetWorldTransform(const RecordFields& r, std::uint32_t mode);
    void ScaleExtent(QPointF& extent, const RecordFields& r);

    // Objects.
    void Create(std::uint32_t index, GdiObject object);
    void Select(std::uint32_t handle);

    // Drawing.
    void Shape(const QPainterPath& logical, bool fill);
    void Continue(const QPainterPath& logical, QPointF end);
    void Polyline(const RecordFields& r, bool small, bool closed);
    void PolylineTo(const RecordFields& r, bool small, bool bezier);
    void Bezier(const RecordFields& r, bool small);
    void PolyPoly(const RecordFields& r, bool small, bool closed);
    void Arc(const RecordFields& r, std::uint32_t type);
    void AngleArc(const RecordFields& r);
    void Draw(QPainterPath path, bool fill, bool stroke);
    void Fill(const QPainterPath& path);
    void Stroke(const QPainterPath& path);
    QPen TargetPen() const;
    void Pixel(const RecordFields& r);
    void Text(const RecordFields& r, bool wide);
    QFont TargetFont(double unitsAcross, double& em) const;
    void Blit(const RecordFields& r, std::uint32_t type);
    void StretchDib(const RecordFields& r);
    void DrawBitmap(const QImage& image, QRectF source, const QRectF& dest, double opacity);
    void FillBox(const QRectF& logical, const QBrush& brush);

    // Clipping.
    void PrepareClip();
    void CombineClip(const QRegion& region, std::uint32_t mode);
    void ClipRect(const RecordFields& r, bool exclude);
    void SelectClipRegion(const RecordFields& r);
    void OffsetClip(const RecordFields& r);
    QRegion RegionOf(const QPainterPath& targetPath) const;
    QRect PixelRect(const QRectF& targetRect) const;

    const Header& header_;
    QPainter& painter_;
    const QTransform base_;            // the painter's transform when playing began
    const QTransform deviceToTarget_;  // the metafile's device units to the target
    const double margin_;
    const QRectF reach_;  // geometry is cut here, the margin round the target
    const QPointF pixelsPerMm_;

    DcState state_;
    std::vector<DcState> saved_;
    std::vector<GdiObject> objects_;
    QPainterPath path_;  // in the target's units
    bool inPath_ = false;
    bool figureOpen_ = false;
    int clipVersion_ = 0;
    int clipApplied_ = 0;
};

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
        PlayRecord(type, RecordFields(data.subspan(offset, size)));
        offset += size;
        if (clock.elapsed() > kPlayMilliseconds) break;
    }
}

void Player::PlayRecord(std::uint32_t type, const RecordFields& r) {
    if (!ChangeState(type, r)) PlayDrawing(type, r);
}

// Records that change the device context: mapping, modes, objects, saved states and clipping.
bool Player::ChangeState(std::uint32_t type, const RecordFields& r) {
    switch (type) {
        // --- mapping
        case kSetMapMode:
            if (r.U32(8) >= kMapText && r.U32(8) <= kMapAnisotropic) state_.mapMode = r.U32(8);
            break;
        case kSetWindowExtEx:
        case kSetViewportExtEx:
            if (r.I32(8) != 0 && r.I32(12) != 0)
                (type == kSetWindowExtEx ? state_.windowExtent : state_.viewportExtent) =
                    r.Point(8);
            break;
        case kSetWindowOrgEx:
            state_.windowOrigin = r.Point(8);
            break;
        case kSetViewportOrgEx:
            state_.viewportOrigin = r.Point(8);
            break;
        case kScaleWindowExtEx:
            ScaleExtent(state_.windowExtent, r);
            break;
        case kScaleViewportExtEx:
            ScaleExtent(state_.viewportExtent, r);
            break;
        case kSetWorldTransform:
            SetWorldTransform(r, kTransformSet);
            break;
        case kModifyWorldTransform:
            SetWorldTransform(r, r.U32(32));
            break;
        case kSaveDc:
            if (saved_.size() < kMostSavedStates) saved_.push_back(state_);
            break;
        case kRestoreDc: {
            const std::int32_t which = r.I32(8);
            const std::int64_t keep = which < 0 ? static_cast<std::int64_t>(saved_.size()) + which
                                                : std::int64_t{which} - 1;
            if (keep < 0 || keep >= static_cast<std::int64_t>(saved_.size())) break;
            state_ = saved_[static_cast<std::size_t>(keep)];
            saved_.resize(static_cast<std::size_t>(keep));
            ++clipVersion_;
            break;
        }
        // --- modes
        case kSetBkMode:
            state_.opaque = r.U32(8) == kBkOpaque;
            break;
        case kSetPolyFillMode:
            state_.fillRule = r.U32(8) == kFillWinding ? Qt::WindingFill : Qt::OddEvenFill;
            break;
        case kSetTextAlign:
            state_.textAlign = r.U32(8);
            break;
        case kSetTextColor:
            state_.textColour = ColourOf(r.U32(8));
            break;
        case kSetBkColor:
            state_.background = ColourOf(r.U32(8));
            break;
        case kSetArcDirection:
            state_.clockwise = r.U32(8) == kArcClockwise;
            break;
        // --- objects
        case kSelectObject:
            Select(r.U32(8));
            break;
        case kDeleteObject:
            if (r.U32(8) < objects_.size()) objects_[r.U32(8)] = std::monostate{};
            break;
        case kCreatePen:
            Create(r.U32(8), ReadPen(r));
            break;
        case kExtCreatePen:
            Create(r.U32(8), ReadExtPen(r));
            break;
        case kCreateBrushIndirect:
            Create(r.U32(8), ReadBrush(r));
            break;
        case kCreateMonoBrush:
        case kCreateDIBPatternBrushPt:
            Create(r.U32(8), ReadPatternBrush(r));
            break;
        case kExtCreateFontIndirectW:
            Create(r.U32(8), ReadFont(r));
            break;
        // --- clipping
        case kIntersectClipRect:
        case kExcludeClipRect:
            ClipRect(r, type == kExcludeClipRect);
            break;
        case kExtSelectClipRgn:
            SelectClipRegion(r);
            break;
        case kOffsetClipRgn:
            OffsetClip(r);
            break;
        default:
            return false;
    }
    return true;
}

// Records that draw, or build the path that is drawn later. Comments (EMF+ among them),
// palettes and records this player does not know are passed over.
void Player::PlayDrawing(std::uint32_t type, const RecordFields& r) {
    switch (type) {
        // --- lines and shapes
        case kMoveToEx:
            state_.position = r.Point(8);
            figureOpen_ = false;
            break;
        case kLineTo: {
            QPainterPath line(state_.position);
            line.lineTo(r.Point(8));
            Continue(line, r.Point(8));
            break;
        }
        case kPolyline:
        case kPolyline16:
        case kPolygon:
        case kPolygon16:
            Polyline(r, type == kPolyline16 || type == kPolygon16,
                     type == kPolygon || type == kPolygon16);
            break;
        case kPolylineTo:
        case kPolylineTo16:
        case kPolyBezierTo:
        case kPolyBezierTo16:
            PolylineTo(r, type == kPolylineTo16 || type == kPolyBezierTo16,
                       type == kPolyBezierTo || type == kPolyBezierTo16);
            break;
        case kPolyBezier:
        case kPolyBezier16:
            Bezier(r, type == kPolyBezier16);
            break;
        case kPolyPolyline:
        case kPolyPolyline16:
        case kPolyPolygon:
        case kPolyPolygon16:
            PolyPoly(r, type == kPolyPolyline16 || type == kPolyPolygon16,
                     type == kPolyPolygon || type == kPolyPolygon16);
            break;
        case kRectangle:
        case kEllipse:
        case kRoundRect: {
            const QRectF box = r.Box(8).normalized();
            QPainterPath shape;
            if (type == kRectangle) {
                shape.addRect(box);
            } else if (type == kEllipse) {
                shape.addEllipse(box);
            } else {
                shape.addRoundedRect(box, std::abs(r.Point(24).x()) / 2,
                                     std::abs(r.Point(24).y()) / 2);
            }
            Shape(shape, true);
            break;
        }
        case kArc:
        case kArcTo:
        case kChord:
        case kPie:
            Arc(r, type);
            break;
        case kAngleArc:
            AngleArc(r);
            break;
        case kSetPixelV:
            Pixel(r);
            break;
        // --- paths
        case kBeginPath:
            path_ = QPainterPath();
            inPath_ = true;
            figureOpen_ = false;
            break;
        case kEndPath:
            inPath_ = false;
            break;
        case kAbortPath:
            path_ = QPainterPath();
            inPath_ = false;
            break;
        case kCloseFigure:
            if (inPath_) path_.closeSubpath();
            figureOpen_ = false;
            break;
        case kFillPath:
        case kStrokePath:
        case kStrokeAndFillPath:
            if (inPath_) break;
            Draw(path_, type != kStrokePath, type != kFillPath);
            path_ = QPainterPath();
            break;
        case kSelectClipPath:
            if (inPath_) break;
            path_.setFillRule(state_.fillRule);
            CombineClip(RegionOf(path_), r.U32(8));
            path_ = QPainterPath();
            break;
        // --- text and bitmaps
        case kExtTextOutW:
        case kExtTextOutA:
            Text(r, type == kExtTextOutW);
            break;
        case kBitBlt:
        case kStretchBlt:
        case kAlphaBlend:
            Blit(r, type);
            break;
        case kStretchDIBits:
            StretchDib(r);
            break;
        default:
            break;
    }
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

// ------------------------------------------------------------------------------ objects

void Player::Create(std::uint32_t index, GdiObject object) {
    if (index < objects_.size()) objects_[index] = std::move(object);
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

// ------------------------------------------------------------------------------ drawing

void Player::Shape(const QPainterPath& logical, bool fill) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    if (inPath_) {
        path_.addPath(t.map(logical));
        figureOpen_ = false;
        return;
    }
    Draw(t.map(logical), fill, true);
}

// Lines that go on from the current position (which logical starts at) and move it to end.
void Player::Continue(const QPainterPath& logical, QPointF end) {
    const QTransform t = ToTarget();
    state_.position = end;
    if (!IsUsable(t)) return;
    if (!inPath_) {
        Draw(t.map(logical), false, true);
        return;
    }
    if (figureOpen_) {
        path_.connectPath(t.map(logical));
    } else {
        path_.addPath(t.map(logical));
        figureOpen_ = true;
    }
}

void Player::Polyline(const RecordFields& r, bool small, bool closed) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count < 2 || !r.Holds(28, count, size)) return;
    QPolygonF points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) points << r.Point(28 + size * i, small);
    QPainterPath path;
    path.addPolygon(points);
    if (closed) path.closeSubpath();
    Shape(path, closed);
}

void Player::PolylineTo(const RecordFields& r, bool small, bool bezier) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count == 0 || !r.Holds(28, count, size)) return;
    QPainterPath path(state_.position);
    QPointF last = state_.position;
    if (bezier) {
        for (std::uint32_t i = 0; i + 3 <= count; i += 3) {
            last = r.Point(28 + size * (i + 2), small);
            path.cubicTo(r.Point(28 + size * i, small), r.Point(28 + size * (i + 1), small), last);
        }
    } else {
        for (std::uint32_t i = 0; i < count; ++i) {
            last = r.Point(28 + size * i, small);
            path.lineTo(last);
        }
    }
    Continue(path, last);
}

void Player::Bezier(const RecordFields& r, bool small) {
    const std::uint32_t count = r.U32(24);
    const std::size_t size = small ? 4 : 8;
    if (count < 4 || !r.Holds(28, count, size)) return;
    QPainterPath path(r.Point(28, small));
    for (std::uint32_t i = 1; i + 3 <= count; i += 3) {
        path.cubicTo(r.Point(28 + size * i, small), r.Point(28 + size * (i + 1), small),
                     r.Point(28 + size * (i + 2), small));
    }
    Shape(path, false);
}

void Player::PolyPoly(const RecordFields& r, bool small, bool closed) {
    const std::uint32_t polygons = r.U32(24), total = r.U32(28);
    const std::size_t size = small ? 4 : 8;
    const std::uint64_t pointsAt = 32 + 4 * std::uint64_t{polygons};
    if (!r.Holds(32, polygons, 4) || !r.Holds(pointsAt, total, size)) return;
    QPainterPath path;
    std::uint64_t next = 0;
    for (std::uint32_t p = 0; p < polygons; ++p) {
        const std::uint32_t count = r.U32(32 + 4 * std::size_t{p});
        if (count > total - next) return;  // counts beyond the points: the record is damaged
        QPolygonF points;
        points.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i, ++next)
            points << r.Point(static_cast<std::size_t>(pointsAt + size * next), small);
        if (points.size() < 2) continue;
        path.addPolygon(points);
        if (closed) path.closeSubpath();
    }
    Shape(path, closed);
}

void Player::Arc(const RecordFields& r, std::uint32_t type) {
    const QRectF box = r.Box(8).normalized();
    if (box.width() <= 0 || box.height() <= 0) return;
    const double from = ParameterAngle(box, r.Point(24));
    const double sweep = Sweep(from, ParameterAngle(box, r.Point(32)), state_.clockwise);
    QPainterPath path;
    if (type == kArcTo) {
        path.moveTo(state_.position);
        path.arcTo(box, from, sweep);  // with the line to the arc's start
        Continue(path, path.currentPosition());
        return;
    }
    if (type == kPie) {
        path.moveTo(box.center());
        path.arcTo(box, from, sweep);
    } else {
        path.arcMoveTo(box, from);
        path.arcTo(box, from, sweep);
    }
    if (type != kArc) path.closeSubpath();
    Shape(path, type != kArc);
}

void Player::AngleArc(const RecordFields& r) {
    const double radius = r.U32(16), from = r.F32(20), sweep = r.F32(24);
    if (!std::isfinite(from) || !std::isfinite(sweep)) return;
    const QPointF centre = r.Point(8);
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    QPainterPath path(state_.position);
    if (radius == 0) {
        path.lineTo(centre);
        Continue(path, centre);
        return;
    }
    // More than a whole turn draws nothing more.
    path.arcTo(box, std::fmod(from, 360.0), std::clamp(sweep, -360.0, 360.0));
    Continue(path, path.currentPosition());
}

QPen Player::TargetPen() const {
    const PenState& p = state_.pen;
    if (!p.visible) return Qt::NoPen;
    const double scale = LinearScale(ToTarget());
    double width = p.geometric ? p.width * scale : 1.0;
    width = std::isfinite(width) ? std::clamp(width, 1.0, margin_) : 1.0;
    QPen pen(p.colour, width, p.style, p.geometric ? p.cap : Qt::FlatCap,
             p.geometric ? p.join : Qt::MiterJoin);
    if (p.style == Qt::CustomDashLine) {
        // Lengths in the pen's width, as Qt wants them; a pattern shorter than two pixels
        // would cost a dash per pixel and show as a line anyway.
        const double unit = p.geometric ? scale / width : 1.0 / width;
        QList<qreal> pattern;
        double length = 0;
        for (const double d : p.dashes) {
            pattern << std::max(d * unit, 0.01);
            length += pattern.back() * width;
        }
        if (pattern.size() % 2 != 0) pattern += pattern;
        if (length >= 2 && std::isfinite(length)) {
            pen.setDashPattern(pattern);
        } else {
            pen.setStyle(Qt::SolidLine);
        }
    }
    return pen;
}

void Player::Draw(QPainterPath path, bool fill, bool stroke) {
    if (path.isEmpty() || !IsFinite(path.controlPointRect())) return;
    path.setFillRule(state_.fillRule);
    PrepareClip();
    if (fill) Fill(FillWithin(path, reach_));
    if (stroke) Stroke(StrokeWithin(path, reach_));
}

void Player::Fill(const QPainterPath& path) {
    const BrushState& brush = state_.brush;
    const auto fill = [&](const QBrush& with) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(with);
        painter_.drawPath(path);
    };
    painter_.setTransform(base_);
    switch (brush.kind) {
        case BrushState::Kind::Null:
            return;
        case BrushState::Kind::Solid:
            fill(brush.colour);
            return;
        case BrushState::Kind::Hatched:
            if (state_.opaque) fill(state_.background);
            fill(QBrush(brush.colour, brush.hatch));
            return;
        case BrushState::Kind::Pattern:
            fill(QBrush(brush.pattern));
            return;
    }
}

// Drawn, not filled as an outline: a line one pixel wide then covers the pixels GDI's does.
void Player::Stroke(const QPainterPath& path) {
    QPen pen = TargetPen();
    if (pen.style() == Qt::NoPen) return;
    painter_.setTransform(base_);
    painter_.setBrush(Qt::NoBrush);
    if (pen.style() != Qt::SolidLine && state_.opaque) {  // the gaps show the background
        QPen gaps = pen;
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(state_.background);
        painter_.setPen(gaps);
        painter_.drawPath(path);
    }
    painter_.setPen(pen);
    painter_.drawPath(path);
}

void Player::FillBox(const QRectF& logical, const QBrush& brush) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    QPainterPath box;
    box.addRect(logical.normalized());
    const QPainterPath mapped = t.map(box);
    if (!IsFinite(mapped.controlPointRect())) return;
    PrepareClip();
    painter_.setTransform(base_);
    painter_.fillPath(FillWithin(mapped, reach_), brush);
}

void Player::Pixel(const RecordFields& r) {
    const QTransform t = ToTarget();
    if (!IsUsable(t)) return;
    const QPointF at = t.map(r.Point(8));
    if (!reach_.contains(at)) return;
    // One pixel of the recording device, at least one of the target.
    const QSizeF size(std::max(1.0, deviceToTarget_.m11()), std::max(1.0, deviceToTarget_.m22()));
    PrepareClip();
    painter_.setTransform(base_);
    painter_.fillRect(QRectF(at, size), ColourOf(r.U32(16)));
}

// The selected font at its size on the target (em: the em height in target units).
QFont Player::TargetFont(double unitsAcross, double& em) const {
    const FontState& f = state_.font;
    QFont font;
    if (!f.face.isEmpty()) font.setFamily(f.face);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    double logicalEm = f.height == 0 ? 12 : std::abs(static_cast<double>(f.height));
    if (f.height > 0) {  // a cell height: ascent and descent together
        constexpr int kProbe = 100;
        font.setPixelSize(kProbe);
        const double cell = QFontMetricsF(font).height();
        if (cell > 0) logicalEm *= kProbe / cell;
    }
    em = logicalEm * unitsAcross;
    // A point size, unlike a pixel size, may be fractional; points go by the device's dots.
    const int dpi = painter_.device() ? painter_.device()->logicalDpiY() : 0;
    const double emPoints = em * 72 / (dpi > 0 ? dpi : 96);
    font.setPointSizeF(std::isfinite(emPoints) && emPoints > 0 && em <= margin_ ? emPoints : 1);
    return font;
}

void Player::Text(const RecordFields& r, bool wide) {
    const std::uint32_t chars = r.U32(44), stringAt = r.U32(48), options = r.U32(52);
    const std::uint32_t advancesAt = r.U32(72);
    const QTransform t = ToTarget();
    if (!r.Holds(stringAt, chars, wide ? 2 : 1) || !IsUsable(t)) return;
    PrepareClip();
    if (options & kTextOpaque) FillBox(r.Box(56), state_.background);

    const QString text = ReadText(r, stringAt, chars, wide);
    const bool updateCp = (state_.textAlign & kAlignUpdateCp) != 0;
    const QPointF reference = updateCp ? state_.position : r.Point(36);
    const QPointF origin = t.map(reference);
    const double along = QLineF(origin, t.map(reference + QPointF(1, 0))).length();
    const double across = QLineF(origin, t.map(reference + QPointF(0, 1))).length();
    double em = 0;
    const QFont font = TargetFont(across, em);
    // Text too small to read or larger than the picture is not drawn, nor glyph numbers: they
    // name glyphs of a font file this computer need not have.
    if (text.isEmpty() || !(em >= 0.5 && em <= margin_) || !reach_.contains(origin) ||
        (options & kTextGlyphIndex))
        return;
    const QFontMetricsF metrics(font, painter_.device());

    // Where each character starts along the baseline, in target units, when the record says.
    const std::size_t step = (options & kTextPdy) ? 8 : 4;
    const bool spaced = advancesAt != 0 && r.Holds(advancesAt, chars, step);
    std::vector<double> starts(spaced ? chars + 1 : 0, 0.0);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        starts[i + 1] = starts[i] + r.I32(advancesAt + step * i) * along;
    // Seen from the origin, which lies within reach, nothing farther than twice the margin
    // along the baseline can be in the target.
    const double farthest = 2 * margin_;
    const double width =
        std::clamp(spaced ? starts.back() : metrics.horizontalAdvance(text), -farthest, farthest);
    if (updateCp && along > 0) state_.position.rx() += width / along;
    const bool asOneString =
        !spaced || FollowsOwnLayout(text, starts, metrics, std::max(0.75, 0.05 * em));

    const std::uint32_t horizontal = state_.textAlign & kAlignCentre;
    const double x = horizontal == kAlignCentre  ? -width / 2
                     : horizontal == kAlignRight ? -width
                                                 : 0;
    const std::uint32_t vertical = state_.textAlign & kAlignBaseline;
    const double baseline = vertical == kAlignBaseline ? 0
                            : vertical == kAlignBottom ? -metrics.descent()
                                                       : metrics.ascent();
    painter_.save();
    if (options & kTextClipped) {
        QPainterPath box;
        box.addRect(r.Box(56).normalized());
        painter_.setTransform(base_);
        painter_.setClipPath(FillWithin(t.map(box), reach_), Qt::IntersectClip);
    }
    // The escapement turns counter-clockwise on the page; a world transform turns it further.
    const double degrees =
        std::atan2(state_.world.m12(), state_.world.m11()) * 180 / std::numbers::pi -
        (state_.font.escapement % 3600) / 10.0;
    QTransform frame = QTransform::fromTranslate(origin.x(), origin.y());
    frame.rotate(degrees);
    painter_.setTransform(frame * base_);
    if (state_.opaque) {
        painter_.fillRect(
            QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
            state_.background);
    }
    painter_.setFont(font);
    painter_.setPen(state_.textColour);
    if (asOneString) {
        painter_.drawText(QPointF(x, baseline), text);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const double at = x + starts[static_cast<std::size_t>(i)];
            if (std::abs(at) <= farthest) painter_.drawText(QPointF(at, baseline), text.mid(i, n));
            i += n - 1;
        }
    }
    painter_.restore();
}

// A bitmap stretched from source (in its pixels, top row 0) into dest (logical).
void Player::DrawBitmap(const QImage& image, QRectF source, const QRectF& dest, double opacity) {
    const QTransform t = ToTarget();
    if (image.isNull() || !IsUsable(t)) return;
    source = source.isEmpty() ? QRectF(image.rect()) : source & QRectF(image.rect());
    if (source.isEmpty() || dest.width() == 0 || dest.height() == 0) return;
    // A negative width or height mirrors the bitmap.
    const QImage part =
        image.copy(source.toAlignedRect()).mirrored(dest.width() < 0, dest.height() < 0);
    const QRectF box = dest.normalized();
    const QRectF mapped = t.mapRect(box);
    if (!IsFinite(mapped) || !reach_.contains(mapped)) return;  // nothing of sense so far out
    PrepareClip();
    painter_.save();
    painter_.setTransform(t * base_);
    painter_.setOpacity(opacity);
    painter_.drawImage(box, part);
    painter_.restore();
}

void Player::Blit(const RecordFields& r, std::uint32_t type) {
    const QRectF dest(r.Point(24), QSizeF(r.I32(32), r.I32(36)));
    const std::uint32_t rop = r.U32(40), infoSize = r.U32(88);
    if (infoSize == 0) {  // no source: a fill of the destination
        if (rop == kRopPatternCopy && state_.brush.kind == BrushState::Kind::Solid)
            FillBox(dest, state_.brush.colour);
        if (rop == kRopBlackness) FillBox(dest, Qt::black);
        if (rop == kRopWhiteness) FillBox(dest, Qt::white);
        return;
    }
    const bool stretched = type != kBitBlt;
    const QSizeF sourceSize = stretched ? QSizeF(r.I32(100), r.I32(104)) : dest.size();
    const QRectF source(r.Point(44), sourceSize);
    // An alpha blend carries its blend function where the others have the raster operation.
    const bool alpha = type == kAlphaBlend && ((rop >> 24) & 1) != 0;
    const double opacity = type == kAlphaBlend ? ((rop >> 16) & 0xff) / 255.0 : 1.0;
    const QImage image = DecodeBitmap(r.Bytes(r.U32(84), infoSize), r.Bytes(r.U32(92), r.U32(96)),
                                      r.U32(80) == 1, alpha);
    DrawBitmap(image, source.normalized(), dest, opacity);
}

void Player::StretchDib(const RecordFields& r) {
    const std::span<const std::uint8_t> info = r.Bytes(r.U32(48), r.U32(52));
    const QImage image = DecodeBitmap(info, r.Bytes(r.U32(56), r.U32(60)), r.U32(64) == 1);
    if (image.isNull()) return;
    QRectF source(r.Point(32), QSizeF(r.I32(40), r.I32(44)));
    source = source.normalized();
    // Rows counted from the bottom in a bottom-up bitmap (a positive height).
    const bool bottomUp = RecordFields(info).U32(0) == 12 || RecordFields(info).I32(8) > 0;
    if (bottomUp) source.moveTop(image.height() - source.bottom());
    DrawBitmap(image, source, QRectF(r.Point(24), QSizeF(r.I32(72), r.I32(76))), 1.0);
}

// ------------------------------------------------------------------------------ clipping

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

// The union of rectangles, halves first, so a region of many rectangles costs n log n.
QRegion UnionOf(std::span<const QRect> rects) {
    if (rects.empty()) return {};
    if (rects.size() == 1) return QRegion(rects.front());
    const std::size_t half = rects.size() / 2;
    return UnionOf(rects.first(half)) | UnionOf(rects.subspan(half));
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
    Player(header, painter, deviceToTarget, t).Play(data);
    painter.restore();
    painter.restore();
    return true;
}

}  // namespace quorlin::platform::emf
