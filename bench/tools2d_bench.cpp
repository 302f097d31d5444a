// Speed of the integration tool: the six sums of sin x over [0, 100] in 10^5 subintervals (aim:
// under 30 ms), and the overlay of a rule at that count on an 800-pixel window drawn into the
// window's picture, alone and with an SVG export running (aim: under 5 ms over the same drawing
// without the overlay). The counter gives the bytes of the SVG file.
// Speed of the derived examples: the parent of a chain of 30 reflections, rotations,
// translations and derivatives edited, the chain rebuilt by the walk and the picture redrawn
// (aim: under 50 ms).
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "examples/operations/integration.h"
#include "platform/boxes.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/riemann_dialog.h"
#include "tools2d/transform_dialogs.h"

namespace {

namespace examples = quorlin::examples;
namespace tools2d = quorlin::tools2d;

class Never : public examples::TSumControl {
public:
    bool Stop() override { return false; }
};

void BM_SixSumsOfSine(benchmark::State& state) {
    quorlin::FormulaContext formulas;
    formulas.Parse("sin(x)");
    quorlin::NodePtr tree = formulas.TakeParseResult();
    Never never;
    examples::TSums sums{};
    for (auto _ : state) {
        examples::RiemannSums(
            formulas, *tree, {quorlin::slot::kX, 0, 100, 100000}, [] { return 0.5L; }, never, sums);
        benchmark::DoNotOptimize(sums);
    }
}
BENCHMARK(BM_SixSumsOfSine)->Unit(benchmark::kMillisecond);

// An 800 x 400 window with sin x and the integration dialog open over the whole view.
class Overlay {
public:
    explicit Overlay(bool overlay) : win(QStringLiteral("bench.qz2")) {
        win.SizeChanged(800, 400);
        win.AddExample(examples::kind::kExplicit, -5, 5, {"", "sin(x)"});
        win.CompileExample(0);
        win.SendCommand(quorlin::resources::cmd::kIntegrate);
        auto& tools = dynamic_cast<tools2d::TWindowAnalysisTools&>(*win.AnalysisTools());
        tools2d::TRiemDlg& d = *tools.Riemann();
        d.SetText(tools2d::TRiemDlg::kLowEdit, QStringLiteral("-5"));
        d.SetText(tools2d::TRiemDlg::kHighEdit, QStringLiteral("5"));
        d.SetText(tools2d::TRiemDlg::kSubintervalEdit, QStringLiteral("100000"));
        if (overlay) d.RestoreOptions(1 | (1 << 6));
    }
    void Draw() {
        win.InvalidateImage(quorlin::ImageLayer::Picture);
        win.RenderImage(quorlin::ImageLayer::Picture);
    }
    quorlin::plot2d::TPlot2Win win;
};

void BM_PictureWithOverlay(benchmark::State& state) {
    Overlay diagram(state.range(0) != 0);
    diagram.Draw();
    for (auto _ : state) diagram.Draw();
}
BENCHMARK(BM_PictureWithOverlay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PictureWithOverlayAndSvg(benchmark::State& state) {
    Overlay diagram(state.range(0) != 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("overlay.svg"));
    auto& exports = diagram.win.Exports();
    for (auto _ : state) {
        exports.svg.BeginSvgFile(path, 800, 400);
        exports.StartOutput(quorlin::canvas::ExportKind::Svg);
        diagram.win.InvalidateImage(quorlin::ImageLayer::Background);
        diagram.Draw();
        exports.EndExport();
    }
    state.counters["svg_bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_PictureWithOverlayAndSvg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A curve and 30 examples derived each from the one before it, in turn reflected, turned,
// moved and differentiated.
class DerivedChain {
public:
    DerivedChain() : win(QStringLiteral("chain.qz2")) {
        win.SizeChanged(800, 400);
        win.AddExample(examples::kind::kExplicit, -5, 5, {"", "sin(x)"});
        win.CompileExample(0);
        const int codes[] = {102, 106, 110, 68, 101, 105};
        for (int k = 0; k < 30; ++k) {
            const int code = codes[k % 6];
            const std::vector<int> last{win.Inventory().LastIndex()};
            if (code == 68)
                tools2d::AddDerivative(win, last[0]);
            else
                tools2d::ApplyTransform(win, last, code, {"0.3", "0.1", "0.2"});
        }
    }
    void Edit(int round) {
        win.Inventory()[0].Text(2) = round % 2 ? "sin(x)" : "cos(x)";
        win.CompileExample(0);
        win.UpdateDependents(0);
        win.InvalidateImage(quorlin::ImageLayer::Background);
        win.RenderImage(quorlin::ImageLayer::Picture);
    }
    quorlin::platform::ScriptedPrompter prompter;  // an error box would wait for no one
    quorlin::plot2d::TPlot2Win win;
};

void BM_EditTheParentOfADerivedChain(benchmark::State& state) {
    DerivedChain chain;
    int round = 0;
    for (auto _ : state) chain.Edit(++round);
    state.counters["examples"] = chain.win.Inventory().Count();
    state.counters["errors"] = static_cast<double>(chain.prompter.messages.size());
}
BENCHMARK(BM_EditTheParentOfADerivedChain)->Unit(benchmark::kMillisecond);

// The windows of these benchmarks have the analysis tools, as the program's have.
const bool kToolsInstalled = (tools2d::InstallAnalysisTools(), true);

}  // namespace
