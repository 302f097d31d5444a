// The commands of the searches of a 2D window: the zeros (707). The first use makes the dialog,
// which searches as it opens; each later use brings it to the top and runs its next search.
#include "examples/levels/plot11_win.h"
#include "plot2d/plot_a_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

std::vector<int> TWindowAnalysisTools::WithSearchCommands(std::vector<int> commands) {
    commands.push_back(cmd::kZeros);
    return commands;
}

bool TWindowAnalysisTools::RunSearchCommand(int id) {
    if (id != cmd::kZeros) return false;
    auto* plane = dynamic_cast<plot2d::TPlotAWin*>(&window_);
    if (!plane) return true;
    if (!zero_) {
        zero_ = new TZeroDlg(*plane);
        zero_->Create();  // searches as it is set up
        window_.AddToolDialog(zero_, {k::kExplicit, k::kSegment, k::kLine});
    } else {
        zero_->NextZero();
    }
    zero_->ShowDialog();
    zero_->raise();
    zero_->activateWindow();
    return true;
}

}  // namespace quorlin::tools2d
