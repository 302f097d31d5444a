#include "plot2d/plot_b_win.h"

#include <utility>

#include "canvas/coordinate_dialog.h"
#include "examples/levels/trace_dialog.h"
#include "examples/levels/trace_traj_dialog.h"
#include "plot2d/lagrange_points.h"
#include "plot2d/slider_overlays.h"

#include "plot2d/shading.h"
#include "resources/command_ids.h"

namespace quorlin::plot2d {

namespace {
constexpr int kCursorColourRole = 1;
constexpr int kThinVector = 1;
constexpr int kThickVector = 3;

// Lends a Lagrange polynomial other points for as long as it lives.
class TLentPoints {
public:
    TLentPoints(examples::TExample& e, std::vector<Vec3> points, std::int16_t lastPoint)
        : example_(e),
          points_(std::exchange(e.points, std::move(points))),
          lastPoint_(std::exchange(e.LagrangeLastPoint(), lastPoint)) {}
    ~TLentPoints() {
        example_.points = std::move(points_);
        example_.LagrangeLastPoint() = lastPoint_;
    }
    TLentPoints(const TLentPoints&) = delete;
    TLentPoints& operator=(const TLentPoints&) = delete;

private:
    examples::TExample& example_;
    std::vector<Vec3> points_;
    std::int16_t lastPoint_;
};
}  // namespace

namespace cmd = resources::cmd;

TPlotBWin::TPlotBWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TPlotAWin(kind, std::move(fileName), std::move(iniName), parent) {
    HandleMouseMode(cmd::kMouseLagrange, PressHandler([this](const platform::MouseEvent& e) {
                        return PickLagrangePoint(e);
                    }));
    // Free-hand strokes: the left button draws, the right erases.
    HandleMouseMode(cmd::kMouseDraw, PressHandler([this](const platform::MouseEvent& e) {
                        if (e.button == platform::MouseButton::Left) SketchWithMouse(e.point);
                        if (e.button == platform::MouseButton::Right) EraseSketchNearMouse(e.point);
                        return true;
                    }));
}

int TPlotBWin::DrawAll(platform::DeviceContext& dc) {
    if (const int stop = TPlotAWin::DrawAll(dc)) return stop;
    if (const int stop =
            DrawThrough(dc, [this](TDrawEnvironment& env) { return DrawRegions(env); }))
        return stop;
    return DrawExamples(dc);
}

int TPlotBWin::DrawRegions(TDrawEnvironment& env) {
    const TShadeOptions shading{Options().fillExplicit, Options().shadingOption != 0};
    if (const int stop = DrawShadeList(env, State2D().shades, shading)) return stop;
    return ShadeImplicitRegions(env, {State2D().regionMode, Roles().Role(kRegionColourRole)});
}

int TPlotBWin::DrawExamples(platform::DeviceContext& dc) {
    // Polled between the examples too: many quick examples make as long a drawing as one slow.
    TLongWorkHint hint(*this);
    const std::function<int()> poll = DrawingPoll(hint);
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        if (const int stop = DrawExample(dc, i); stop == kKeyStop) return stop;
        if (poll && poll() == kKeyStop) return kKeyStop;
    }
    return 0;
}

int TPlotBWin::DrawExample(platform::DeviceContext& dc, int i) {
    return DrawThrough(dc, [i](TDrawEnvironment& env) { return DrawExample2D(env, i); });
}

int TPlotBWin::DrawPicture(platform::DeviceContext& dc) {
    if (const int stop = TPlotAWin::DrawPicture(dc)) return stop;
    if (const int stop = DrawToolOverlays(dc)) return stop;
    const TPlot2DState& s = State2D();
    if (s.darts.empty()) return 0;
    return DrawThrough(dc, [&s](TDrawEnvironment& env) {
        env.target.SetPen({static_cast<std::int16_t>(s.dartColour), 1, 0});
        for (Vec2 p : s.darts) env.target.Marker(p, 1, true);
        return 0;
    });
}

int TPlotBWin::DrawToolOverlays(platform::DeviceContext& dc) {
    const int width = SliderChoice().thickVectors ? kThickVector : kThinVector;
    if (IsCurveSliderShown() && CurveSlider()->CurveCursor().HasCurve()) {
        const examples::TTraceDlg& slider = *CurveSlider();
        const TCurveOverlay overlay{slider.Cursor(),
                                    slider.CurveCursor().IsExplicit(),
                                    slider.SecantsChecked(),
                                    slider.TangentsChecked() || slider.FrenetChecked(),
                                    Roles().Role(kCursorColourRole),
                                    width};
        DrawThrough(dc, [&overlay](TDrawEnvironment& env) {
            DrawCurveSliderOverlay(env.target, overlay);
            return 0;
        });
    }
    if (IsTrajectorySliderShown()) {
        const examples::TTraceTrajDlg& slider = *TrajectorySlider();
        const examples::TTrajectory* trajectory = slider.Trajectory();
        if (trajectory && slider.Cursor()) {
            const TTrajectoryOverlay overlay{slider.Cursor()->state, slider.Cursor()->drawn,
                                             trajectory->pen.colour, width};
            DrawThrough(dc, [&overlay](TDrawEnvironment& env) {
                DrawTrajectorySliderOverlay(env.target, overlay);
                return 0;
            });
        }
    }
    if (examples::TAnalysisTools* tools = MadeAnalysisTools()) return tools->DrawOverlays(dc);
    return 0;
}

// ------------------------------------------------------------------------------ Lagrange points

void TPlotBWin::EnterLagrangeMode(int i, examples::TLagrangePicking start) {
    if (!Inventory().IsIndex(i) || !Inventory()[i].IsLagrangeExplicit()) return;
    examples::TExample& e = Inventory()[i];
    lagrangeKept_ = e.points;
    lagrangeCountKept_ = e.LagrangeLastPoint();
    if (start == examples::TLagrangePicking::Afresh) e.LagrangeLastPoint() = -1;  // no point yet
    State2D().lagrangeExample = i;
    SetMouseMode(cmd::kMouseLagrange);
    RebuildLagrangePolynomial(i);
    DrawExampleNow(i);
}

void TPlotBWin::RebuildLagrangePolynomial(int i) {
    if (!Inventory().IsIndex(i) || !Inventory()[i].IsLagrangeExplicit()) return;
    Compiler().BuildLagrangeTree(i);
    examples::LoadLagrangeCoefficients(Inventory()[i], Formulas());
    Compiler().MarkSymbolsOfExample(i);
}

void TPlotBWin::EndLagrangeMode() {
    const int i = State2D().lagrangeExample;
    State2D().lagrangeExample = -1;
    if (!Inventory().IsIndex(i)) return;
    examples::TExample& e = Inventory()[i];
    if (e.LagrangeLastPoint() < 0) {
        e.points = lagrangeKept_;
        e.LagrangeLastPoint() = lagrangeCountKept_;
    }
    RebuildLagrangePolynomial(i);
    UpdateDependents(i);
    DrawExampleNow(-1);
}

void TPlotBWin::SetMouseMode(int id) {
    if (id != cmd::kMouseLagrange && State2D().lagrangeExample >= 0) {
        TPlotAWin::SetMouseMode(id);
        EndLagrangeMode();
        return;
    }
    TPlotAWin::SetMouseMode(id);
}

int TPlotBWin::WriteBody(ByteWriter& out) {
    const int i = State2D().lagrangeExample;
    if (!Inventory().IsIndex(i) || Inventory()[i].LagrangeLastPoint() >= 0)
        return TPlotAWin::WriteBody(out);
    // A record without a point could not be read back: the file is written with the points the
    // example had, and the picking goes on without them.
    examples::TExample& e = Inventory()[i];
    const TLentPoints lent(e, lagrangeKept_, lagrangeCountKept_);
    return TPlotAWin::WriteBody(out);
}

bool TPlotBWin::PickLagrangePoint(const platform::MouseEvent& event) {
    const int i = State2D().lagrangeExample;
    if (!Inventory().IsIndex(i)) return false;
    examples::TExample& e = Inventory()[i];
    const canvas::WorldPoint p = View().ScreenToWorld(event.point);
    const TPlotSpace space = PlotSpaceOf(View());
    if (event.button == platform::MouseButton::Right) {
        const int k = LagrangePointNear(e, space, {p.x, p.y});
        if (k >= 0) {
            EditLagrangePoint(i, k);
            return true;
        }
        SetMouseMode(cmd::kMouseCoordinates);
        UpdateMenuChecks(false);
        return true;
    }
    if (event.button != platform::MouseButton::Left) return true;
    const int count = e.LagrangeLastPoint() + 1;
    if (count >= static_cast<int>(e.points.size())) return true;
    e.points[static_cast<std::size_t>(count)] = {space.ValueOfPlotX(p.x), space.ValueOfPlotY(p.y),
                                                 0};
    e.LagrangeLastPoint() = static_cast<std::int16_t>(count);
    RebuildLagrangePolynomial(i);
    UpdateDependents(i);
    if (count + 1 == static_cast<int>(e.points.size())) {
        SetMouseMode(cmd::kMouseCoordinates);
        UpdateMenuChecks(false);
        return true;
    }
    DrawExampleNow(i);
    return true;
}

void TPlotBWin::EditLagrangePoint(int i, int k) {
    examples::TExample& e = Inventory()[i];
    Vec3& point = e.points[static_cast<std::size_t>(k)];
    canvas::WorldPoint typed{point.x, point.y};
    canvas::TEditCoorDlg dialog(*this, "LAGPT", typed, {.deleteAllowed = true});
    const int result = dialog.Execute();
    if (result == canvas::TEditCoorDlg::kDeleted)
        DeleteLagrangePoint(e, k);
    else if (result == platform::kIdOk)
        point = {typed.x, typed.y, 0};
    else
        return;
    RebuildLagrangePolynomial(i);
    UpdateDependents(i);
    DrawExampleNow(i);
}

}  // namespace quorlin::plot2d
