// Saving and opening a diagram of 500 examples through a 2D window: the file written, and the
// file read, checked, installed and every example compiled again. Also opening, and opening
// then drawing, a small file of ten examples whose derivatives grow beyond the compilation
// budget (the first drawing's share counted apart), and drawing those again. The counter
// "aim_ms" is the time aimed at: opening and drawing the ten under 2 s, drawing them again
// under 0.5 s.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "plot2d/plot2_win.h"

namespace {

using quorlin::plot2d::TPlot2Win;

constexpr int kExamples = 500;

// The kinds a diagram is mostly made of, with formulas of everyday size; k varies them.
std::string ExampleScript(int k) {
    const std::string a = std::to_string(k % 7 + 1);
    switch (k % 6) {
        case 0:
            return "EXPL2;sin(x)*exp(-x^2/10)+A*x/" + a + ";";
        case 1:
            return "POLAR;1+cos(" + a + "*t);0;2*pi;";
        case 2:
            return "PARAM2;cos(t)^3*" + a + ";sin(t)^3;0;2*pi;";
        case 3:
            return "SEG2;1;2;" + a + ";-1;";
        case 4:
            return "POINT2;" + a + ";2;";
        default:
            return "EXPL2;x^2/" + a + "-B;";
    }
}

// The examples of a script in a 2D window, saved to a file of a temporary folder.
class Diagram {
public:
    Diagram(const std::string& script, int examples) : window(QStringLiteral("noname1.qz2")) {
        window.SizeChanged(401, 401);
        window.ResizeInventory(examples + 10, false);
        window.RunScript(script);
        path = dir.filePath(QStringLiteral("diagram.qz2"));
        window.SaveTo(path);
    }
    QTemporaryDir dir;
    QString path;
    TPlot2Win window;
};

Diagram EverydayDiagram() {
    std::string script;
    for (int k = 0; k < kExamples; ++k) script += ExampleScript(k);
    return {script, kExamples};
}

// Ten explicit curves whose fourth derivative, taken while parsing, has derivatives that would
// grow without bound: each example stops at its compilation budget.
constexpr int kHeavyExamples = 10;

Diagram HeavyDiagram() {
    std::string script;
    for (int k = 0; k < kHeavyExamples; ++k)
        script += "EXPL2;DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2));";
    return {script, kHeavyExamples};
}

void Draw(TPlot2Win& window) {
    window.InvalidateImage(quorlin::ImageLayer::Background);
    window.RenderImage(quorlin::ImageLayer::Picture);
}

// Opens the diagram's file in a second window, and draws it there when asked; the drawing's
// share is the counter "first_drawing_ms".
void OpenInAnotherWindow(benchmark::State& state, const Diagram& diagram, bool draw) {
    TPlot2Win other(QStringLiteral("noname2.qz2"));
    other.SizeChanged(401, 401);
    std::chrono::duration<double, std::milli> drawing{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(other.Load(diagram.path));
        if (!draw) continue;
        const auto start = std::chrono::steady_clock::now();
        Draw(other);
        drawing += std::chrono::steady_clock::now() - start;
    }
    state.counters["examples"] = other.Inventory().Count();
    if (draw)
        state.counters["first_drawing_ms"] =
            drawing.count() /
            static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void SaveDiagram(benchmark::State& state) {
    Diagram diagram = EverydayDiagram();
    for (auto _ : state) benchmark::DoNotOptimize(diagram.window.SaveTo(diagram.path));
    state.counters["examples"] = diagram.window.Inventory().Count();
}
BENCHMARK(SaveDiagram)->Unit(benchmark::kMillisecond);

void OpenDiagram(benchmark::State& state) {
    OpenInAnotherWindow(state, EverydayDiagram(), false);
}
BENCHMARK(OpenDiagram)->Unit(benchmark::kMillisecond);

void OpenHeavyDerivatives(benchmark::State& state) {
    OpenInAnotherWindow(state, HeavyDiagram(), false);
}
BENCHMARK(OpenHeavyDerivatives)->Unit(benchmark::kMillisecond);

void OpenAndDrawHeavyDerivatives(benchmark::State& state) {
    OpenInAnotherWindow(state, HeavyDiagram(), true);
    state.counters["aim_ms"] = 2000;
}
BENCHMARK(OpenAndDrawHeavyDerivatives)->Unit(benchmark::kMillisecond);

// The heavy examples drawn again in the window that holds them, as a change of view does.
void RedrawHeavyDerivatives(benchmark::State& state) {
    Diagram diagram = HeavyDiagram();
    Draw(diagram.window);
    for (auto _ : state) Draw(diagram.window);
    state.counters["examples"] = diagram.window.Inventory().Count();
    state.counters["aim_ms"] = 500;
}
BENCHMARK(RedrawHeavyDerivatives)->Unit(benchmark::kMillisecond);

}  // namespace
