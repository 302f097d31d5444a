// What the 3D picture draws over the scene for the sliders: the curve slider's marker at its
// cursor, the secant and tangent vectors and the Frenet frame, and the trajectory slider's
// point and field vector, each through the one drawing path.
#include <array>
#include <optional>

#include "dynamics/intrinsic.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/levels/trace_dialog.h"
#include "examples/levels/trace_traj_dialog.h"
#include "plot3d/axes/axes_geometry.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/slicer/slice_dialog.h"
#include "plot3d/tools/curve_surface_dialog.h"

namespace quorlin::plot3d {

using examples::TCursorState;
namespace kind = examples::kind;

namespace {

constexpr int kRoleMarker = 1;
constexpr int kCursorMarkerKind = 9;
constexpr int kCursorMarkerSize = 7;
constexpr int kBaseMarkerKind = 1;
constexpr int kArrowShaftAndHead = 3;
constexpr int kArrowHeadOnly = 2;
constexpr int kMarkerThickness = 3;
constexpr int kTrajectoryVectorSteps = 40;
constexpr int kSlicerPenWidth = 2;

}  // namespace

int TPlotRWin::DrawPicture(platform::DeviceContext& dc) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    DrawSlicerCurves(dc);
    DrawCurveSliderOverlays(dc);
    DrawCurveSurfacePoint(dc);
    DrawTrajectorySliderVector(dc);
    return TPlotQWin::DrawPicture(dc);
}

void TPlotRWin::DrawCurveSurfacePoint(platform::DeviceContext& dc) {
    // Only while the intersection dialog shows a point.
    const TIntCSDlg* dialog = CurveSurfaceDialog();
    if (!dialog || dialog->IsHidden() || !dialog->Found()) return;
    DrawMarkerAt(dc, dialog->Found()->at, kRoleMarker, kCursorMarkerKind, kCursorMarkerSize);
}

void TPlotRWin::PaintPrepared(platform::DeviceContext& dc) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    TPlotQWin::PaintPrepared(dc);
    DrawLevelCursorCurve(dc);
}

void TPlotRWin::DrawSlicerCurves(platform::DeviceContext& dc) {
    // A hidden slicer, or one with no surface chosen, has no point and draws nothing.
    const TSliceDlg* slicer = SlicerDialog();
    if (!slicer) return;
    const std::optional<TSliceDlg::TSlicePoint> point = slicer->Point();
    if (!point) return;
    DrawSlicesThrough(dc, point->example, point->u, point->v, kSlicerPenWidth);
}

void TPlotRWin::DrawCurveSliderOverlays(platform::DeviceContext& dc) {
    // A closed slider keeps its pointer but draws nothing.
    if (!IsCurveSliderShown()) return;
    const examples::TTraceDlg& slider = *CurveSlider();
    const TCursorState& c = slider.Cursor();
    if (!c.positionDefined) return;
    DrawMarkerAt(dc, c.position, kRoleMarker, kCursorMarkerKind, kCursorMarkerSize);
    const bool secants = slider.SecantsChecked();
    if (secants) DrawSecantOrTangent(dc, false);
    if (slider.TangentsChecked()) DrawSecantOrTangent(dc, true);
    if (slider.FrenetChecked()) DrawFrenetFrame(dc);
}

void TPlotRWin::DrawMarkerAt(platform::DeviceContext& dc, Vec3 p, int role, int markerKind,
                             int size) {
    DrawMarkerIn(dc, p, RoleColour(role), markerKind, size);
}

void TPlotRWin::DrawMarkerIn(platform::DeviceContext& dc, Vec3 p, const QColor& colour,
                             int markerKind, int size) {
    const Vec2 q = ProjectPoint(p);
    if (!IsInView({q.x, q.y})) return;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const int width = Printing().printing ? Output().printLineWidth : 1;
    prim.SetPen(colour, width, canvas::kStyleSolid);
    const canvas::PixelMapping m = View().Mapping();
    prim.Marker(QPoint(static_cast<int>(m.XToPixel(q.x)), static_cast<int>(m.YToPixel(q.y))),
                markerKind, size);
}

void TPlotRWin::DrawTrajectorySliderVector(platform::DeviceContext& dc) {
    // A closed slider, or one without a trajectory or a state, draws nothing.
    if (!IsTrajectorySliderShown()) return;
    const examples::TTraceTrajDlg& slider = *TrajectorySlider();
    const examples::TTrajectory* trajectory = slider.Trajectory();
    if (!trajectory || !slider.Cursor()) return;
    const Vec3 p = slider.Cursor()->state;
    const Vec3 q = p + slider.Cursor()->drawn;
    const auto width = static_cast<std::uint16_t>(SliderChoice().thickVectors ? 2 : 1);
    const examples::TPenSpec pen{trajectory->pen.colour, width, trajectory->pen.style};
    if (!dynamics::IsPointHidden(*this, p))
        DrawMarkerIn(dc, p, OutputColor(DrawColor(pen.colour)), kBaseMarkerKind,
                     PenWidthDev(dc, kMarkerThickness));
    // The shaft is tested against the surfaces like any segment; the head only where its tip
    // shows.
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TStopPoll unpolled({});  // one short segment over the picture: nothing to stop
    DrawSegment3D(prim, p, q, pen, false, false, kTrajectoryVectorSteps, unpolled);
    if (dynamics::IsPointHidden(*this, q)) return;
    const Vec2 a = ProjectPoint(p), b = ProjectPoint(q);
    const long double head = View().unitsPerPixelX * Scene3D().arrowLength;
    DrawAtWorldPoint(dc, {a.x, a.y}, {b.x, b.y}, head, pen.colour, pen.width, true, kArrowHeadOnly);
}

void TPlotRWin::DrawWorldArrow(platform::DeviceContext& dc, Vec3 from, Vec3 vector, int role) {
    const Vec2 a = ProjectPoint(from), b = ProjectPoint(from + vector);
    const int width = SliderChoice().thickVectors ? 2 : 1;
    const long double head = View().unitsPerPixelX * Scene3D().arrowLength;
    DrawAtWorldPoint(dc, {a.x, a.y}, {b.x, b.y}, head, Roles().Role(role), width, true,
                     kArrowShaftAndHead);
}

std::optional<Vec3> TPlotRWin::CurveVelocityAt(int i, long double t) {
    if (!Inventory().IsIndex(i)) return std::nullopt;
    examples::TExample& e = Inventory()[i];
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    if (e.kind == kind::kSpaceIntrinsic) {
        // Along the arc length the velocity is the unit tangent, as the slider shows it.
        dynamics::FrenetState state;
        const bool placed = dynamics::IntrinsicPoint3D(f, e, t, state);
        f.vars = saved;
        if (!placed) return std::nullopt;
        return state.tangent;
    }
    if (e.kind != kind::kSpaceCurve) return std::nullopt;
    f.SetVar(slot::kT, t);
    std::array<long double, 3> v{};
    bool ok = true;
    // The curve's derivatives are its trees 5-7.
    for (std::size_t k = 0; k < v.size() && ok; ++k) {
        TExprNode* tree = e.Tree(static_cast<int>(k) + 5).get();
        ok = tree && f.Evaluate(*tree);
        if (ok) v[k] = tree->re;
    }
    f.vars = saved;
    if (!ok) return std::nullopt;
    return Vec3{v[0], v[1], v[2]};
}

void TPlotRWin::DrawSecantOrTangent(platform::DeviceContext& dc, bool tangent) {
    const examples::TTraceDlg& slider = *CurveSlider();
    const TCursorState& c = slider.Cursor();
    if (!tangent) {
        if (!c.secantDefined) return;
        DrawMarkerAt(dc, c.basePosition, kRoleSecantDemo, kBaseMarkerKind, kCursorMarkerSize);
        const Vec3 start = c.parameter < c.baseParameter ? c.position : c.basePosition;
        DrawWorldArrow(dc, start, c.secant, kRoleSecantDemo);
        return;
    }
    // Beside a secant the tangent belongs to the base point, where the secant starts.
    if (!slider.SecantsChecked()) {
        if (c.velocityDefined) DrawWorldArrow(dc, c.position, c.velocity, kRoleTangentDemo);
        return;
    }
    if (const std::optional<Vec3> v = CurveVelocityAt(slider.SelectedExample(), c.baseParameter))
        DrawWorldArrow(dc, c.basePosition, *v, kRoleTangentDemo);
}

void TPlotRWin::DrawFrenetFrame(platform::DeviceContext& dc) {
    const TCursorState& c = CurveSlider()->Cursor();
    if (!c.velocityDefined || !c.curvatureDefined) return;
    // T, the part of the second vector across T, and their cross product: orthonormal always.
    const std::optional<TFrame3> frame = FrenetFrame(c.velocity, c.acceleration);
    if (!frame) return;
    for (const Vec3& axis : {frame->t, frame->n, frame->b})
        DrawWorldArrow(dc, c.position, axis, kRoleFrenet);
}

}  // namespace quorlin::plot3d
