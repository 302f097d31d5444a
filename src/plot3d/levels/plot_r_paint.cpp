// The picture of the 3D window: the fast surfaces filled as patches in painter's order (one
// list of all their patches, one sort by distance, the farthest first), then each example by
// its kind, the slow surfaces slice by slice.
#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <optional>
#include <utility>

#include <QPolygonF>
#include <QRectF>

#include "core/errors.h"
#include "dynamics/trajectory_drawing.h"
#include "platform/emf_geometry.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/painting/patch_colours.h"
#include "resources/command_ids.h"
#include "shell/long_work_hint.h"

namespace quorlin::plot3d {

using examples::TExample;
namespace kind = examples::kind;

namespace {

// The painter looks at the clock for a key poll after so many patches.
constexpr std::size_t kPatchesPerPoll = 1024;
// The polygons are cut this many pixels outside the view, so that no cut edge shows.
constexpr long double kPatchClipMargin = 4;

std::uint32_t Rgb24(const QColor& c) {
    return static_cast<std::uint32_t>(c.rgb()) & 0xffffffu;
}
QColor FromRgb24(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xff000000u));
}

// A pixel far off the window kept within what 32 bits hold.
std::int32_t StoredPixel(long double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -1e9L, 1e9L)));
}

// The corners of a patch as drawn: as they are when they lie within reach, else the part of
// the patch within reach (far-off corners would not fit the device's coordinates). False when
// nothing of it is left.
bool PatchCorners(const TProjectedMesh& mesh, const std::array<std::size_t, 4>& points,
                  const QRectF& reach, std::vector<canvas::WorldPoint>& out) {
    const auto within = [&reach](const Vec2& p) {
        return p.x >= reach.left() && p.x <= reach.right() && p.y >= reach.top() &&
               p.y <= reach.bottom();
    };
    if (std::ranges::all_of(points, [&](std::size_t j) { return within(mesh.screen[j]); })) {
        out.resize(points.size());
        for (std::size_t c = 0; c < points.size(); ++c)
            out[c] = {mesh.screen[points[c]].x, mesh.screen[points[c]].y};
        return true;
    }
    QPolygonF quad;
    for (const std::size_t j : points)
        quad << QPointF(static_cast<double>(mesh.screen[j].x),
                        static_cast<double>(mesh.screen[j].y));
    const QPolygonF shown = platform::emf::ClipPolygon(quad, reach);
    if (shown.size() < 3) return false;
    out.resize(static_cast<std::size_t>(shown.size()));
    std::ranges::transform(shown, out.begin(), [](const QPointF& p) {
        return canvas::WorldPoint{p.x(), p.y()};
    });
    return true;
}

}  // namespace

void TPlotRWin::RegisterDrawingCommands() {
    // 826, 827: every mesh surface painted fast, or drawn slowly with its hidden lines.
    const auto setSlow = [this](bool slow) {
        examples::TInventory& inventory = Inventory();
        for (int i = 0; i <= inventory.LastIndex(); ++i)
            if (inventory[i].IsMeshSurface(false)) inventory[i].SlowDrawing() = slow ? 1 : 0;
        MarkModified();
        InvalidateImage(ImageLayer::Background);
        Invalidate();
    };
    HandleCommand(resources::cmd::kFastDrawAll, [setSlow] { setSlow(false); });
    HandleCommand(resources::cmd::kSlowDrawAll, [setSlow] { setSlow(true); });
}

TProjectedMesh TPlotRWin::ProjectSurfacePatches(int i, TPatchList& list) {
    TExample& e = Inventory()[i];
    TProjectedMesh mesh = ProjectMesh(e, Observer(), SceneBox());
    // The hidden-line tests read the mesh's pixels and sides as the last painting left them.
    const canvas::PixelMapping mapping = View().Mapping();
    e.pixels.resize(mesh.screen.size());
    for (std::size_t k = 0; k < mesh.screen.size(); ++k) {
        e.pixels[k] = {StoredPixel(mapping.XToPixel(mesh.screen[k].x)),
                       StoredPixel(mapping.YToPixel(mesh.screen[k].y))};
    }
    e.bytes.assign(mesh.sides.begin(), mesh.sides.end());
    list.Append(i, e, mesh, Observer(), SceneBox());
    return mesh;
}

int TPlotRWin::DrawFastSurfaces(platform::DeviceContext& dc) {
    const examples::TInventory& inventory = Inventory();
    TPatchList list;
    if (!list.Reserve(inventory)) return kErrNoMoreRoom;
    if (list.Planned() == 0) return 0;
    std::vector<TProjectedMesh> meshes;
    std::vector<TSurfaceColours> colours;
    std::vector<int> order;
    try {
        meshes.resize(static_cast<std::size_t>(inventory.Count()));
        colours.resize(meshes.size());
        for (int i = 0; i <= inventory.LastIndex(); ++i) {
            if (!TakesPartInFastPainting(inventory[i])) continue;
            meshes[static_cast<std::size_t>(i)] = ProjectSurfacePatches(i, list);
            const TExample& e = inventory[i];
            TSurfaceColours& c = colours[static_cast<std::size_t>(i)];
            c.line = Rgb24(GetColor(DrawColor(e.pen.colour)));
            c.plainFill = Rgb24(GetColor(1));
            c.sides[0] = Rgb24(OutputColor(e.extraColour[0]));
            c.sides[1] = Rgb24(OutputColor(e.extraColour[1]));
            c.shadeBase = Rgb24(GetColor(e.pen.colour));
            c.shadeGrey = GetPalette().GreyLevel(e.pen.colour);
            c.outline = Rgb24(GetColor(e.GridColour()));
            c.greyShades = Printing().BlackAndWhite();
        }
        order = list.FarthestFirst();
    } catch (const std::bad_alloc&) {
        return kErrNoMoreRoom;
    }
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const canvas::TLDRect view = View().ClipRect();
    const long double mx = kPatchClipMargin * View().unitsPerPixelX;
    const long double my = kPatchClipMargin * View().unitsPerPixelY;
    const QRectF reach(
        QPointF(static_cast<double>(view.xLow - mx), static_cast<double>(view.yLow - my)),
        QPointF(static_cast<double>(view.xHigh + mx), static_cast<double>(view.yHigh + my)));
    const int factor = std::max(Output().highResolutionFactor, 1);
    const long double zMin = SceneBox().min.z, zMax = SceneBox().max.z;
    std::vector<canvas::WorldPoint> corners;
    std::optional<std::pair<std::uint32_t, int>> pen;
    // A picture of very many patches can be stopped with Q.
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    std::size_t painted = 0;
    for (const int position : order) {
        if (++painted % kPatchesPerPoll == 0 && poll() == kKeyStop) return kKeyStop;
        const TPatchRef& ref = list.Refs()[static_cast<std::size_t>(position)];
        const TProjectedMesh& mesh = meshes[static_cast<std::size_t>(ref.example)];
        if (!mesh.PatchDrawn(ref.row, ref.column)) continue;
        const std::size_t k = mesh.grid.Point(ref.row, ref.column), s = mesh.grid.Stride();
        if (!PatchCorners(mesh, {k, k + 1, k + s + 1, k + s}, reach, corners)) continue;
        const TExample& e = inventory[ref.example];
        const TPatchColours paint = PatchColours(
            PatchStyleOf(e), colours[static_cast<std::size_t>(ref.example)],
            mesh.sides[ref.row * mesh.grid.columns + ref.column], e.points[k].z, zMin, zMax);
        const std::pair<std::uint32_t, int> wanted{paint.pen,
                                                   std::max<int>(e.pen.width, 1) * factor};
        if (pen != wanted) {
            prim.SetPen(FromRgb24(paint.pen), wanted.second, canvas::kStyleSolid);
            pen = wanted;
        }
        prim.Polygon(corners,
                     paint.filled ? std::optional<QColor>(FromRgb24(paint.fill)) : std::nullopt);
    }
    return 0;
}

// ------------------------------------------------------------------------------ slot 131

namespace {

// How each kind is drawn in the 3D window; kinds not listed draw nothing.
struct TKindDrawer {
    int kind;
    int (*draw)(TPlotRWin& w, platform::DeviceContext& dc, int i);
};

int DrawTracedKind(TPlotRWin& w, platform::DeviceContext& dc, int i) {
    examples::TTrajectoryTools* tools = w.TrajectoryTools();
    return tools ? tools->DrawTrajectoryFamily(dc, i) : 0;
}

// A mesh surface: slice by slice in both directions when it is drawn slowly (the fast ones
// are painted already), then the level curves traced on an explicit surface.
int DrawMeshKind(TPlotRWin& w, platform::DeviceContext& dc, int i) {
    const TExample& e = w.Inventory()[i];
    if (e.kind == kind::kRevolution && e.subKind == kind::kImplicit)
        return DrawTracedKind(w, dc, i);
    int r = 0;
    if (e.SlowDrawing() != 0) {
        r = w.DrawBySlices(dc, i, 1);
        if (r == 0) r = w.DrawBySlices(dc, i, 2);
    }
    if (r == 0 && e.kind == kind::kSurface) r = w.DrawTracedCurves(dc, i);
    return r;
}

constexpr std::array<TKindDrawer, 15> kKindDrawers{{
    {kind::kSurface, DrawMeshKind},
    {kind::kPolarSurface, DrawMeshKind},
    {kind::kParametricSurface, DrawMeshKind},
    {kind::kSphericalSurface, DrawMeshKind},
    {kind::kRevolution, DrawMeshKind},
    {kind::kPlane, DrawMeshKind},
    {kind::kTube, DrawMeshKind},
    {kind::kSpaceCurve,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) { return w.DrawSpaceCurve(dc, i); }},
    {kind::kImplicitSurface, DrawTracedKind},
    // A system's field of vectors, then its trajectories.
    {kind::kSpaceSystem,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) {
         const int r = w.DrawSlopeField(dc, i);
         return r != 0 ? r : DrawTracedKind(w, dc, i);
     }},
    {kind::kSpaceSequence, DrawTracedKind},
    {kind::kSpaceSegment,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) { return w.DrawSegmentExample(dc, i); }},
    {kind::kSpacePoint,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) { return w.DrawEntry(dc, i); }},
    {kind::kPlotPoints,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) { return w.DrawEntry(dc, i); }},
    {kind::kSpaceIntrinsic,
     [](TPlotRWin& w, platform::DeviceContext& dc, int i) { return w.DrawIntrinsicFamily(dc, i); }},
}};

}  // namespace

int TPlotRWin::DrawExample(platform::DeviceContext& dc, int i) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    if (!Inventory().IsIndex(i) || !Inventory()[i].graphShown) return 0;
    const int k = Inventory()[i].kind;
    if (k == kind::kSurfaceIntersection) return DrawTracedCurves(dc, i);
    const auto drawer = std::ranges::find(kKindDrawers, k, &TKindDrawer::kind);
    return drawer == kKindDrawers.end() ? 0 : drawer->draw(*this, dc, i);
}

int TPlotRWin::DrawSpaceCurve(platform::DeviceContext& dc, int i) {
    const int r = DrawBySlices(dc, i, 1);
    TExample& e = Inventory()[i];
    if (r != 0 || !e.ArrowAtT()) return r;
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    f.SetVar(slot::kT, e.Number(examples::TNumber::kArrowT));
    // The point from trees 1-3, its direction from their derivatives in trees 5-7.
    constexpr std::array<int, 6> kTrees{1, 2, 3, 5, 6, 7};
    std::array<long double, 6> v{};
    bool ok = true;
    for (std::size_t k = 0; k < kTrees.size() && ok; ++k) {
        TExprNode* tree = e.trees[static_cast<std::size_t>(kTrees[k] - 1)].get();
        ok = tree && f.Evaluate(*tree);
        if (ok) v[k] = tree->re;
    }
    f.vars = saved;
    const Vec3 p{v[0], v[1], v[2]};
    if (!ok || !dynamics::IsPointVisible(*this, p)) return r;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    DrawDirectionArrow(prim, p, {v[3], v[4], v[5]}, ArrowLength(e), e.pen);
    return r;
}

int TPlotRWin::DrawSegmentExample(platform::DeviceContext& dc, int i) {
    const int r = DrawBySlices(dc, i, 1);
    const TExample& e = Inventory()[i];
    Vec3 a, b;
    if (r != 0 || e.EndMarkMode() == 0 || !ReadSegmentEnds(e, a, b)) return r;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const long double length = ArrowLength(e);
    if (e.EndMarkMode() & 1) DrawDirectionArrow(prim, a, a - b, length, e.pen);
    if (e.EndMarkMode() > 1) DrawDirectionArrow(prim, b, b - a, length, e.pen);
    return r;
}

bool TPlotRWin::IsPointVisible(const Vec3& p) {
    return dynamics::IsPointVisible(*this, p);
}

}  // namespace quorlin::plot3d
