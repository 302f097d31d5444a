// Speed of a cross-section solid drawn in its 3D window: "see solid" of squares standing between
// y = x and y = 0 over [0, 1] in 40 x 1 sections, from the dialog's button to the 3D window's
// drawn picture (aim: under 100 ms; the counter "aim_ms"). Between two runs the 3D window is
// closed by its own "Close", which empties it, as a user would before drawing the next solid.
#include <benchmark/benchmark.h>

#include "platform/frame_window.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace {

namespace cmd = quorlin::resources::cmd;
namespace tools2d = quorlin::tools2d;

void BM_SeeSolidOfSquares(benchmark::State& state) {
    tools2d::InstallAnalysisTools();
    quorlin::plot3d::InstallSolidWindows();
    quorlin::plot2d::TPlot2Win win(QStringLiteral("bench.qz2"));
    win.SizeChanged(800, 400);
    win.Create();
    for (const char* f : {"x", "0"}) {
        win.AddExample(quorlin::examples::kind::kExplicit, -5, 5, {"", f});
        win.CompileExample(win.Inventory().LastIndex());
    }
    win.InventoryChanged(1);
    win.SendCommand(cmd::kSections);
    auto& solids = dynamic_cast<tools2d::TWindowAnalysisTools&>(*win.AnalysisTools()).Solids();
    tools2d::TSectionDlg& d = *solids.Sections();
    d.SelectPosition(0);
    d.ChooseSecond(1);
    d.SetText(tools2d::TSectionDlg::kLow, QStringLiteral("0"));
    d.SetText(tools2d::TSectionDlg::kHigh, QStringLiteral("1"));
    for (auto _ : state) {
        d.Press(tools2d::TSectionDlg::kSeeSolid);
        auto& space = dynamic_cast<quorlin::plot3d::TPlotSWin&>(solids.SectionWindow()->Levels());
        space.RenderImage(quorlin::ImageLayer::Picture);
        benchmark::DoNotOptimize(space.Image(quorlin::ImageLayer::Picture).constBits());
        state.PauseTiming();
        space.HostFrame()->DispatchCommand(cmd::kClose);
        state.ResumeTiming();
    }
    state.counters["aim_ms"] = 100;
    win.ClearModified();
    win.CloseWindow();
}
BENCHMARK(BM_SeeSolidOfSquares)->Unit(benchmark::kMillisecond);

}  // namespace
