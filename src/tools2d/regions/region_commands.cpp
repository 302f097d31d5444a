// The commands of the analysis tools that shade and read out the plane: explicit shading (713),
// implicit regions (769) and the left button's data (735). They live in 2D windows only.
#include "examples/levels/plot11_win.h"
#include "plot2d/plot_a_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/regions/mouse_data_dialog.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

std::vector<int> TWindowAnalysisTools::WithRegionCommands(std::vector<int> commands) {
    commands.insert(commands.end(), {cmd::kShadeExplicit, cmd::kShadeImplicit, cmd::kMouseData});
    return commands;
}

template <class Dlg>
void TWindowAnalysisTools::OpenOnPlane(QPointer<Dlg>& slot, int kind) {
    auto* plane = dynamic_cast<plot2d::TPlotAWin*>(&window_);
    if (!plane) return;
    if (!slot) {
        slot = new Dlg(*plane);
        slot->Create();
        window_.AddToolDialog(slot, {kind});
    }
    slot->ShowDialog();
    slot->raise();
    slot->activateWindow();
}

bool TWindowAnalysisTools::RunRegionCommand(int id) {
    switch (id) {
        case cmd::kShadeExplicit:
            OpenOnPlane(shade_, k::kExplicit);
            return true;
        case cmd::kShadeImplicit:
            OpenOnPlane(centroid_, k::kImplicit);
            return true;
        case cmd::kMouseData:
            if (auto* plane = dynamic_cast<plot2d::TPlotAWin*>(&window_))
                ChooseMouseData(*plane, plane->State2D().mouseDataExample);
            return true;
        default:
            return false;
    }
}

}  // namespace quorlin::tools2d
