// The 3D window's view: the commands that move the observer and refit the picture, and the
// drawing of the scene box and the axes.
#include "canvas/canvas_primitives.h"
#include "plot3d/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

void TPlotRWin::RegisterViewCommands() {
    HandleCommand(cmd::kObserverCoordinates, [this] {
        if (!observerDialog_) return;
        observerDialog_->ShowDialog();
        observerDialog_->UpdateLabels();
        observerDialog_->raise();
    });
    HandleCommand(cmd::kFitWindow, [this] {
        ComputeSceneBox();
        ViewChanged(true);
    });
    HandleCommand(cmd::kTurn, [this] { TurnObserver(true); });
    HandleCommand(cmd::kTurnBack, [this] { TurnObserver(false); });
    HandleCommand(cmd::kTiltUp, [this] { TiltObserver(true); });
    HandleCommand(cmd::kTiltDown, [this] { TiltObserver(false); });
}

void TPlotRWin::ToggleAxes() {
    TPlotQWin::ToggleAxes();
    RecomputeAllBoxes();
    ViewChanged(false);
}

int TPlotRWin::DrawAll(platform::DeviceContext& dc) {
    UpdateExportView();
    ComputeViewAngles();
    int result = DrawFastSurfaces(dc);
    for (int i = 0; result == 0 && i <= Inventory().LastIndex(); ++i) result = DrawExample(dc, i);
    // The box and the axes come last, also after Q.
    DrawSceneFrame(dc);
    DrawImageFrame(dc);
    return result;
}

void TPlotRWin::DrawSceneFrame(platform::DeviceContext& dc) {
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const auto segment = [&](Vec3 p, Vec3 q) {
        const Vec2 a = ProjectPoint(p), b = ProjectPoint(q);
        prim.Segment({a.x, a.y}, {b.x, b.y}, true);
    };
    const TSceneBox& box = SceneBox();
    prim.SetPen(OutputColor(DrawColor(Roles().Role(kRoleBox))), 1, 0);
    prim.Comment("begin view box");
    const auto corner = [&box](int c) {
        return Vec3{c & 1 ? box.max.x : box.min.x, c & 2 ? box.max.y : box.min.y,
                    c & 4 ? box.max.z : box.min.z};
    };
    // The twelve edges join the corners that differ in one coordinate.
    for (int c = 0; c < 8; ++c) {
        for (int bit : {1, 2, 4}) {
            if (!(c & bit)) segment(corner(c), corner(c | bit));
        }
    }
    if (!Axes().axesShown) return;
    prim.SetPen(OutputColor(DrawColor(Roles().Role(kRoleAxes))), 1, 0);
    prim.Comment("draw axis");
    const TAxisEnds& a = Scene3D().axes;
    segment({a.lower.x, 0, 0}, {a.upper.x, 0, 0});
    segment({0, a.lower.y, 0}, {0, a.upper.y, 0});
    segment({0, 0, a.lower.z}, {0, 0, a.upper.z});
}

}  // namespace quorlin::plot3d
