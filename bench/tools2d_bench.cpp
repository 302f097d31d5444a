// Speed of the integration tool: the six sums of sin x over [0, 100] in 10^5 subintervals (aim:
// under 30 ms), and the overlay of a rule at that count on an 800-pixel window drawn into the
// window's picture, alone and with an SVG export running (aim: under 5 ms over the same drawing
// without the overlay). The counter gives the bytes of the SVG file. Then the walk and redraw
// after an edit of the parent of a chain of derived examples.
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "examples/operations/integration.h"
#include "examples/records/derivation.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/derived_dialogs.h"
#include "tools2d/riemann_dialog.h"

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

// Editing the parent of a chain of derived examples in an 800 x 400 window: sums, products and
// compositions of f, its roulettes and evolutes, and derived examples of those; the walk
// rebuilds each one (argument 0), then the whole picture is drawn again (argument 1; aim: under
// 50 ms).
class DerivedChain {
public:
    DerivedChain() : win(QStringLiteral("chain.qz2")) {
        namespace d = examples::derived;
        win.SizeChanged(800, 400);
        win.AddExample(examples::kind::kExplicit, -5, 5, {"", "sin(x)"});
        win.AddExample(examples::kind::kExplicit, -4, 4, {"", "x^2/4"});
        for (int i = 0; i < 2; ++i) win.CompileExample(i);
        const tools2d::TRouletteSpec spec{-3, 0, 3, 0.5L, 0.75L, true};
        for (const auto& [code, f, g] : {std::tuple{d::kSum, 0, 1},
                                         {d::kComposition, 0, 1},
                                         {d::kProduct, 2, 0},
                                         {d::kDifference, 3, 1}})
            tools2d::CombineExamples(win, code, f, g);
        for (const int parent : {0, 2, 3}) {
            tools2d::AddRoulette(win, parent, spec);
            tools2d::AddEvolute(win, parent);
        }
        tools2d::CombineExamples(win, d::kQuotient, 2, 5);
    }
    void Edit(const char* formula, bool redraw) {
        win.Inventory()[0].Text(2) = formula;
        win.CompileExample(0);
        win.UpdateDependents(0);
        if (!redraw) return;
        win.InvalidateImage(quorlin::ImageLayer::Background);
        win.RenderImage(quorlin::ImageLayer::Picture);
    }
    quorlin::plot2d::TPlot2Win win;
};

void BM_EditParentOfDerivedChain(benchmark::State& state) {
    DerivedChain chain;
    bool odd = false;
    for (auto _ : state) chain.Edit((odd = !odd) ? "sin(x)+0.5" : "sin(x)", state.range(0) != 0);
    state.counters["examples"] = chain.win.Inventory().Count();
}
BENCHMARK(BM_EditParentOfDerivedChain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The windows of these benchmarks have the analysis tools, as the program's have.
const bool kToolsInstalled = (tools2d::InstallAnalysisTools(), true);

}  // namespace
