#include "plot2d/plot_d_win.h"

#include "resources/command_ids.h"

namespace quorlin::plot2d {

namespace cmd = resources::cmd;

TPlotDWin::TPlotDWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TPlotCWin(kind, std::move(fileName), std::move(iniName), parent) {
    HandleCommand(cmd::kInfiniteSlopes, [this] {
        Tracer().infiniteSlopes = !Tracer().infiniteSlopes;
        UpdateMenuChecks(false);
        InvalidateGraph();
    });
    HandleCommand(cmd::kFillExplicit, [this] {
        Options().fillExplicit = !Options().fillExplicit;
        MarkModified();
        UpdateMenuChecks(false);
        if (!State2D().shades.empty()) InvalidateGraph();
    });
    HandleCommands(cmd::kShadeOpaque, cmd::kShadeXor, [this](int id) {
        Options().shadingMode = static_cast<std::int16_t>(id);
        UpdateMenuChecks(false);
    });
}

}  // namespace quorlin::plot2d
