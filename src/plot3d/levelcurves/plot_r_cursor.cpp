// The level window's cursor in the 3D picture: while the level-curve window is in its cursor
// mode, each paint of the 3D window marks the cursor's point on the surface and traces the level
// curve through it over the saved picture. The curve is drawn and not kept: the example's curve
// list, its box, the scene box, the variables and the tracer's settings are as before, also
// when Q stopped the trace.
#include <algorithm>

#include "plot3d/levelcurves/level_model.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace {

namespace cmd = resources::cmd;

constexpr int kRoleCursor = 1;
constexpr int kPointMarker = 1;  // a filled disc
constexpr int kPointMarkerSize = 4;
// The box is widened in z to hold a neighbourhood of 0 at least.
constexpr long double kNearZero = 1e-13L;
constexpr long double kZeroNeighbourhood = 0.1L;

// What the trace changes for its time, given back whole when it ends.
class TCursorTraceState {
public:
    TCursorTraceState(TPlotRWin& window, examples::TExample& surface)
        : window_(window),
          surface_(surface),
          vars_(window.Formulas().vars),
          sceneBox_(window.SceneBox()),
          tracer_(window.Tracer()),
          level_(window.Level()),
          newCurveColour_(window.Roles().Role(examples::kRoleTrajectory)),
          boxMin_(surface.boxMin),
          boxMax_(surface.boxMax),
          curves_(surface.trajectories.size()) {}
    ~TCursorTraceState() {
        const auto added =
            surface_.trajectories.size() - std::min(curves_, surface_.trajectories.size());
        surface_.trajectories.erase(
            surface_.trajectories.begin(),
            surface_.trajectories.begin() + static_cast<std::ptrdiff_t>(added));
        surface_.boxMin = boxMin_;
        surface_.boxMax = boxMax_;
        window_.Formulas().vars = vars_;
        window_.SceneBox() = sceneBox_;
        window_.Tracer() = tracer_;
        window_.Level() = level_;
        window_.Roles().SetRole(examples::kRoleTrajectory, newCurveColour_);
    }
    TCursorTraceState(const TCursorTraceState&) = delete;
    TCursorTraceState& operator=(const TCursorTraceState&) = delete;

private:
    TPlotRWin& window_;
    examples::TExample& surface_;
    TVariableTable vars_;
    examples::TSceneBox sceneBox_;
    examples::TTracerSettings tracer_;
    examples::TLevelSettings level_;
    std::int16_t newCurveColour_;
    Vec3 boxMin_;
    Vec3 boxMax_;
    std::size_t curves_;
};

}  // namespace

void TPlotRWin::DrawLevelCursorCurve(platform::DeviceContext& dc) {
    TLevelWin* level = LevelWindow();
    if (!level || static_cast<const platform::Window&>(*level).IsHidden() ||
        level->MouseMode() != cmd::kMouseCursor)
        return;
    const int k = level->ExampleIndex();
    if (!Inventory().IsIndex(k)) return;
    const TCursorValues& cursor = level->Cursor();
    const Vec3 s{cursor.x, cursor.y, cursor.z};

    // The cursor's point on the surface, in the level window's cursor colour.
    const Vec2 q = ProjectPoint(s);
    if (IsInView({q.x, q.y}) && IsPointVisible(s)) {
        canvas::TCanvasPrimitives prim = Primitives(dc);
        prim.SetPen(OutputColor(level->DrawColor(level->Roles().Role(kRoleCursor))), 1,
                    canvas::kStyleSolid);
        const canvas::PixelMapping m = View().Mapping();
        prim.Marker(QPoint(static_cast<int>(m.XToPixel(q.x)), static_cast<int>(m.YToPixel(q.y))),
                    kPointMarker, kPointMarkerSize);
    }

    examples::TExample& e = Inventory()[k];
    const TCursorTraceState restore(*this, e);
    if (e.boxMax.z < kNearZero) e.boxMax.z = kZeroNeighbourhood;
    if (e.boxMin.z > -kNearZero) e.boxMin.z = -kZeroNeighbourhood;
    // The trace runs in a box that holds the widened one; the eye and the view stay.
    SceneBox().min.z = std::min(SceneBox().min.z, e.boxMin.z);
    SceneBox().max.z = std::max(SceneBox().max.z, e.boxMax.z);
    Roles().SetRole(examples::kRoleTrajectory, level->Roles().Role(examples::kRoleTrajectory));
    Tracer().loopClosing = 0;
    // Loops close as in the level window (six times as far with the loop budget).
    Tracer().loopClosingPixels = kLevelLoopClosingPixels;
    Tracer().closedLoopBudget = true;
    Level().variable = kLevelVariableZ;
    if (examples::TTrajectoryTools* tools = TrajectoryTools())
        tools->AddAndTraceSystemTrajectory(dc, k, s, 0);
}

}  // namespace quorlin::plot3d
