// The mouse modes the 3D window brings, one row each: in the trajectory mode a click starts a
// trajectory of the open initial-value dialog's system at the surface point under the mouse
// (the left button watches it drawn, the right shows it finished); the modes of the plane
// windows (Lagrange points, drawing, the level window's cursor) take the mouse and do nothing.
// The text, paste and readout modes are the lower levels'.
#include <array>
#include <memory>

#include "examples/levels/trajectory_tools.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {

// A click starts a trajectory at the picked point; the outcome is the window's to show (a
// click that finds nothing does nothing, silently).
class TTrajectoryMouse final : public MouseModeHandler {
public:
    explicit TTrajectoryMouse(TPlotRWin& window) : window_(window) {}
    bool Down(const platform::MouseEvent& event) override {
        if (event.button == platform::MouseButton::Left)
            window_.StartTrajectoryAtMouse(event.point, true);
        else if (event.button == platform::MouseButton::Right)
            window_.StartTrajectoryAtMouse(event.point, false);
        return true;
    }

private:
    TPlotRWin& window_;
};

// Takes every press, move and release and does nothing with them.
class TInertMouse final : public MouseModeHandler {
public:
    bool Down(const platform::MouseEvent&) override { return true; }
    bool Move(const platform::MouseEvent&) override { return true; }
    bool Up(const platform::MouseEvent&) override { return true; }
};

struct TMouseRow {
    int mode;
    std::unique_ptr<MouseModeHandler> (*make)(TPlotRWin&);
};

std::unique_ptr<MouseModeHandler> MakeTrajectoryMouse(TPlotRWin& window) {
    return std::make_unique<TTrajectoryMouse>(window);
}

std::unique_ptr<MouseModeHandler> MakeInertMouse(TPlotRWin&) {
    return std::make_unique<TInertMouse>();
}

constexpr std::array<TMouseRow, 4> kMouseRows{{
    {cmd::kMouseTrajectories, MakeTrajectoryMouse},
    {cmd::kMouseLagrange, MakeInertMouse},
    {cmd::kMouseDraw, MakeInertMouse},
    {cmd::kMouseCursor, MakeInertMouse},
}};

}  // namespace

void TPlotRWin::RegisterMouseModes() {
    for (const TMouseRow& row : kMouseRows) AddMouseModeHandler(row.mode, row.make(*this));
}

int TPlotRWin::StartTrajectoryAtMouse(QPoint point, bool watch) {
    examples::TTrajectoryTools* tools = TrajectoryTools();
    if (!tools || GetIvpExample() < 0) return kNothingToPick;
    Vec3 start{};
    if (const int picked = PickSurfacePoint(point, start)) return picked;
    return tools->StartTrajectoryAt(start, watch);
}

}  // namespace quorlin::plot3d
