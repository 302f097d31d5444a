// Speed of the integration tool: the six sums of sin x over [0, 100] in 10^5 subintervals (aim:
// under 30 ms), and the overlay of a rule at that count on an 800-pixel window drawn into the
// window's picture, alone and with an SVG export running (aim: under 5 ms over the same drawing
// without the overlay). The counter gives the bytes of the SVG file.
// Speed of the derived examples: the parent of a chain of 30 reflections, rotations,
// translations and derivatives, with a combination, a roulette and an evolute at its end,
// edited, the chain rebuilt by the walk and the picture redrawn (aim: under 50 ms).
// The regions and solution curves: a throw of 10 000 darts at two overlapping discs (aim: under
// 10 ms), and a dy/dx trajectory of 10 000 Runge-Kutta steps across an 800-pixel window drawn
// into its picture with an SVG export running (aim: under 20 ms).
// The searches: one "next" of the zeros of sin(1/x) over [0.01, 1] (aim: under 1 ms), and one
// request of the intersections of two implicit circles along their traced pieces (aim: under
// 20 ms).
// The volume of the solid of squares standing between y = x and y = 0 over [0, 1] in 10^5
// subintervals (aim: under 30 ms; the counter "aim_ms"). Drawing such a solid in its 3D window
// is measured in solids_bench.cpp, which links the 3D windows too.
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "core/random.h"
#include "examples/operations/integration.h"
#include "examples/records/derivation.h"
#include "examples/records/trajectory_builders.h"
#include "platform/boxes.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/derived/derived_dialogs.h"
#include "tools2d/derived/transform_dialogs.h"
#include "tools2d/integration/riemann_dialog.h"
#include "tools2d/searches/intersection_search.h"
#include "tools2d/searches/zero_search.h"
#include "tools2d/solids/section_solid.h"

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

void BM_SectionVolumeOfSquares(benchmark::State& state) {
    quorlin::FormulaContext formulas;
    const tools2d::TSectionRequest squares{"x", "0", 1, "", false};
    Never never;
    long double volume = 0;
    for (auto _ : state) {
        tools2d::SectionVolume(
            formulas, squares,
            [&](quorlin::TExprNode& integrand, long double& sum) {
                return examples::SimpsonIntegral(formulas, integrand,
                                                 {quorlin::slot::kX, 0, 1, 100000}, never, sum);
            },
            volume);
        benchmark::DoNotOptimize(volume);
    }
    state.counters["aim_ms"] = 30;
}
BENCHMARK(BM_SectionVolumeOfSquares)->Unit(benchmark::kMillisecond);

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

// Draws the whole picture of an 800 x 400 window into it and an SVG file, as often as the
// benchmark asks; the counter gives the bytes of the file.
void DrawWithSvg(benchmark::State& state, quorlin::plot2d::TPlot2Win& win) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.svg"));
    auto& exports = win.Exports();
    for (auto _ : state) {
        exports.svg.BeginSvgFile(path, 800, 400);
        exports.StartOutput(quorlin::canvas::ExportKind::Svg);
        win.InvalidateImage(quorlin::ImageLayer::Background);
        win.RenderImage(quorlin::ImageLayer::Picture);
        exports.EndExport();
    }
    state.counters["svg_bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_PictureWithOverlayAndSvg(benchmark::State& state) {
    Overlay diagram(state.range(0) != 0);
    DrawWithSvg(state, diagram.win);
}
BENCHMARK(BM_PictureWithOverlayAndSvg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A curve and 30 examples derived each from the one before it, in turn reflected, turned,
// moved and differentiated; then the sum of the curve and the last explicit one, the roulette and
// the evolute of that sum, and the product of the sum and the curve.
class DerivedChain {
public:
    DerivedChain() : win(QStringLiteral("chain.qz2")) {
        namespace d = examples::derived;
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
        // The last curve of the chain that is explicit like the first adds to it.
        const examples::TInventory& inventory = win.Inventory();
        int last = inventory.LastIndex();
        while (last > 0 && inventory[last].kind != inventory[0].kind) --last;
        const int sum = inventory.LastIndex() + 1;
        tools2d::CombineExamples(win, d::kSum, 0, last);
        tools2d::AddRoulette(win, sum, {-3, 0, 3, 0.5L, 0.75L, true});
        tools2d::AddEvolute(win, sum);
        tools2d::CombineExamples(win, d::kProduct, sum, 0);
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
// A window of the regions and the solution curves.
class Plane {
public:
    Plane() : win(QStringLiteral("regions.qz2")) { win.SizeChanged(800, 400); }
    void Add(int kind, std::string_view f, int side = 0) {
        win.AddExample(kind, -5, 5, {"", "", f});
        const int i = win.Inventory().LastIndex();
        win.Inventory()[i].subKind = static_cast<std::int16_t>(side);
        win.CompileExample(i);
    }
    quorlin::plot2d::TPlot2Win win;
};

void BM_DartsAtTwoDiscs(benchmark::State& state) {
    Plane plane;
    plane.Add(examples::kind::kImplicit, "1-(x^2+y^2)", 1);
    plane.Add(examples::kind::kImplicit, "1-((x-1)^2+y^2)", 1);
    plane.win.Tools().randomDarts = 10000;
    quorlin::SeedRandom(1);
    for (auto _ : state) benchmark::DoNotOptimize(plane.win.ThrowDartsInWindow(-1, false));
}
BENCHMARK(BM_DartsAtTwoDiscs)->Unit(benchmark::kMillisecond);

void BM_SlopeTrajectoryIntoPictureAndSvg(benchmark::State& state) {
    Plane plane;
    plane.Add(examples::kind::kSlope, "cos(x)-y/4");
    // From the left edge to the right one, 10 000 steps of 0.001.
    examples::AddSlopeTrajectory(plane.win.Inventory()[0].trajectories, {-5, 0, 0}, 0.001L, 4, 2,
                                 1);
    DrawWithSvg(state, plane.win);
}
BENCHMARK(BM_SlopeTrajectoryIntoPictureAndSvg)->Unit(benchmark::kMillisecond);

void BM_MeetingOfTwoImplicitCircles(benchmark::State& state) {
    Plane plane;
    plane.Add(examples::kind::kImplicit, "x^2+y^2-1");
    plane.Add(examples::kind::kImplicit, "(x-1)^2+y^2-1");
    quorlin::plot2d::TPlot2Win& win = plane.win;
    win.InvalidateImage(quorlin::ImageLayer::Background);
    win.RenderImage(quorlin::ImageLayer::Picture);  // traces the circles
    const quorlin::canvas::TViewFrame& view = win.View();
    tools2d::TIntersectionScene scene{
        win.Formulas(),  win.Compiler(),
        win.Inventory(), view.left,
        view.right,      view.down,
        view.up,         quorlin::dynamics::TracerSettings::ForPixelSize(view.unitsPerPixelX)};
    tools2d::TIntersectionSearch search;
    for (auto _ : state) benchmark::DoNotOptimize(search.Next(scene, 0, 1).at);
}
BENCHMARK(BM_MeetingOfTwoImplicitCircles)->Unit(benchmark::kMillisecond);

// The windows of these benchmarks have the analysis tools, as the program's have.
const bool kToolsInstalled = (tools2d::InstallAnalysisTools(), true);

// --- the searches ---

void BM_NextZeroOfSineOfInverse(benchmark::State& state) {
    examples::TInventory inventory;
    quorlin::FormulaContext formulas;
    examples::TExampleCompiler compiler{inventory, formulas};
    examples::TExample e;
    e.kind = examples::kind::kExplicit;
    e.Text(2) = "sin(1/x)";
    e.rangeLow[0] = 0.01L;
    e.rangeHigh[0] = 1;
    const int i = inventory.Append(std::move(e));
    compiler.CompileExample(i);
    tools2d::TZeroSearch search;
    for (auto _ : state) {
        // The curve is drawn across the view 0.01 .. 1.
        const tools2d::TZeroResult found =
            search.Next(formulas, compiler, inventory[i], i, {0.01L, 1}, 5);
        benchmark::DoNotOptimize(found.zero);
    }
}
BENCHMARK(BM_NextZeroOfSineOfInverse)->Unit(benchmark::kMicrosecond);

}  // namespace
