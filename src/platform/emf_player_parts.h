#pragma once
// The inner parts of the metafile player (emf_player.h), shared by its source files: the device
// context a metafile changes as it plays, and the Player that keeps it and draws. Each role has
// its own source file with the handlers of the records of that role:
//   emf_player.cpp          placing the picture, the record loop, the table of handlers
//   emf_player_state.cpp    mapping, modes, saved states, objects
//   emf_player_clip.cpp     clip rectangles, regions and paths
//   emf_player_drawing.cpp  lines, shapes, paths, pixels and bitmaps
//   emf_player_text.cpp     text
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QTransform>

#include "platform/emf_objects.h"
#include "platform/metafile/emf_format.h"

class QPainter;

namespace quorlin::platform::emf::detail {

// Transforms from logical units to the target: larger factors belong to no sensible picture.
inline constexpr double kLargestScale = 1e12, kLargestShift = 1e21;

inline constexpr std::uint32_t kMapText = 1, kMapLoMetric = 2, kMapHiMetric = 3, kMapLoEnglish = 4,
                               kMapHiEnglish = 5, kMapTwips = 6, kMapIsotropic = 7,
                               kMapAnisotropic = 8;

// What the records set and later records draw with; saved and restored whole.
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

// Whether a transform to the target keeps coordinates a painter can take.
inline bool IsUsable(const QTransform& t) {
    const double linear[] = {t.m11(), t.m12(), t.m21(), t.m22()};
    return std::all_of(std::begin(linear), std::end(linear),
                       [](double v) { return std::abs(v) <= kLargestScale; }) &&
           std::abs(t.dx()) <= kLargestShift && std::abs(t.dy()) <= kLargestShift && t.m13() == 0 &&
           t.m23() == 0 && t.m33() == 1;
}

inline double LinearScale(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

class Player {
public:
    Player(const Header& header, QPainter& painter, const QTransform& deviceToTarget,
           const QRectF& target);
    void Play(std::span<const std::uint8_t> data);

private:
    // How a record is played; type tells apart the record types that share a handler.
    using Fields = const RecordFields&;
    using Type = std::uint32_t;
    using Handler = void (*)(Player&, Fields, Type type);
    struct RecordHandler {
        std::uint32_t type;
        Handler play;
    };
    // The handlers of each role, defined beside the code of that role. No two share a type.
    static std::vector<RecordHandler> MappingHandlers();
    static std::vector<RecordHandler> ModeHandlers();
    static std::vector<RecordHandler> ObjectHandlers();
    static std::vector<RecordHandler> ClipHandlers();
    static std::vector<RecordHandler> ShapeHandlers();
    static std::vector<RecordHandler> PathHandlers();
    static std::vector<RecordHandler> BitmapHandlers();
    static std::vector<RecordHandler> TextHandlers();
    // The handler of a record type; none for types passed over (comments, EMF+ among them,
    // palettes and records this player does not know).
    static Handler HandlerFor(std::uint32_t type);

    // Mapping and saved states.
    QTransform Mapping() const;
    QTransform ToTarget() const { return state_.world * Mapping() * deviceToTarget_; }
    void SetExtent(QPointF& extent, const RecordFields& r);
    void ScaleExtent(QPointF& extent, const RecordFields& r);
    void SetWorldTransform(const RecordFields& r, std::uint32_t mode);
    void SaveState();
    void RestoreState(std::int32_t which);

    // Objects.
    void Create(std::uint32_t index, GdiObject object);
    void Delete(std::uint32_t index);
    void Select(std::uint32_t handle);

    // Lines, shapes and paths.
    void MoveTo(QPointF to);
    void LineTo(QPointF to);
    void Shape(const QPainterPath& logical, bool fill);
    void Continue(const QPainterPath& logical, QPointF end);
    void Polyline(const RecordFields& r, bool small, bool closed);
    void PolylineTo(const RecordFields& r, bool small, bool bezier);
    void Bezier(const RecordFields& r, bool small);
    void PolyPoly(const RecordFields& r, bool small, bool closed);
    void BoxShape(const RecordFields& r, std::uint32_t type);
    void Arc(const RecordFields& r, std::uint32_t type);
    void AngleArc(const RecordFields& r);
    void BeginPath();
    void AbortPath();
    void CloseFigure();
    void DrawPath(bool fill, bool stroke);

    // Painting on the target.
    void Draw(QPainterPath path, bool fill, bool stroke);
    void Fill(const QPainterPath& path);
    void Stroke(const QPainterPath& path);
    QPen TargetPen() const;
    void Pixel(const RecordFields& r);
    void FillBox(const QRectF& logical, const QBrush& brush);

    // Text and bitmaps.
    void Text(const RecordFields& r, bool wide);
    QFont TargetFont(double unitsAcross, double& em) const;
    void Blit(const RecordFields& r, std::uint32_t type);
    void StretchDib(const RecordFields& r);
    void DrawBitmap(const QImage& image, QRectF source, const QRectF& dest, double opacity);

    // Clipping.
    void PrepareClip();
    void CombineClip(const QRegion& region, std::uint32_t mode);
    void ClipRect(const RecordFields& r, bool exclude);
    void ClipToPath(std::uint32_t mode);
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

}  // namespace quorlin::platform::emf::detail
