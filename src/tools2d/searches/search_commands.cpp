// The commands of the searches of a 2D window: the zeros (707), the extremes (709) and the
// intersections (710). The first
// use makes the dialog, which searches as it opens; each later use brings it to the top and runs
// its next search.
#include "examples/levels/plot11_win.h"
#include "plot2d/plot_a_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

namespace {

// Makes the dialog in `slot` on first use (closed with its kinds), else runs its next search;
// then shows it on top.
template <class Dlg>
void OpenSearch(examples::TPlot11Win& window, QPointer<Dlg>& slot, std::vector<int> kinds,
                void (Dlg::*next)()) {
    auto* plane = dynamic_cast<plot2d::TPlotAWin*>(&window);
    if (!plane) return;
    if (!slot) {
        slot = new Dlg(*plane);
        slot->Create();  // searches as it is set up
        window.AddToolDialog(slot, std::move(kinds));
    } else {
        (slot->*next)();
    }
    slot->ShowDialog();
    slot->raise();
    slot->activateWindow();
}

}  // namespace

std::vector<int> TWindowAnalysisTools::WithSearchCommands(std::vector<int> commands) {
    commands.insert(commands.end(), {cmd::kZeros, cmd::kExtremes, cmd::kIntersections});
    return commands;
}

bool TWindowAnalysisTools::RunSearchCommand(int id) {
    switch (id) {
        case cmd::kZeros:
            OpenSearch(window_, zero_, {k::kExplicit, k::kSegment, k::kLine}, &TZeroDlg::NextZero);
            return true;
        case cmd::kExtremes:
            OpenSearch(window_, extremes_, {k::kExplicit, k::kPolar, k::kParametric},
                       &TExtrDlg::NextExtreme);
            return true;
        case cmd::kIntersections:
            OpenSearch(
                window_, intersections_,
                {k::kExplicit, k::kPolar, k::kParametric, k::kImplicit, k::kSegment, k::kLine},
                &TInterCCDlg::NextIntersection);
            return true;
        default:
            return false;
    }
}

}  // namespace quorlin::tools2d
