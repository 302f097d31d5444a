#pragma once
// The program's frame as a user starts it, with the analysis tools installed and its 2D windows
// made from the Window menu: the set-up of the tests that walk a user's road through the menus.
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"
#include "shell/window_kinds.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {

struct UserFrame {
    UserFrame() {
        InstallAnalysisTools();
        kinds.Register(WindowKind::Plot2D, plot2d::CreatePlot2Window);
        frame.Create();
    }
    // A 2D window from the Window menu, 401 pixels square; null when none came.
    plot2d::TPlot2Win* NewWindow() {
        if (!frame.DispatchCommand(resources::cmd::kWindow2D)) return nullptr;
        auto* win = dynamic_cast<plot2d::TPlot2Win*>(frame.ActiveChild());
        if (win) win->SizeChanged(401, 401);
        return win;
    }
    WindowKindRegistry kinds;
    TPlotFrame frame{kinds, {}};
};

}  // namespace quorlin::tools2d
