// Saving and opening a diagram of 500 examples through a 2D window: the file written, and the
// file read, checked, installed and every example compiled again.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

class Diagram {
public:
    Diagram() : window(QStringLiteral("noname1.qz2")) {
        window.SizeChanged(401, 401);
        window.ResizeInventory(kExamples + 10, false);
        std::string script;
        for (int k = 0; k < kExamples; ++k) script += ExampleScript(k);
        window.RunScript(script);
        path = dir.filePath(QStringLiteral("big.qz2"));
        window.SaveTo(path);
    }
    QTemporaryDir dir;
    QString path;
    TPlot2Win window;
};

void SaveDiagram(benchmark::State& state) {
    Diagram diagram;
    for (auto _ : state) benchmark::DoNotOptimize(diagram.window.SaveTo(diagram.path));
    state.counters["examples"] = diagram.window.Inventory().Count();
}
BENCHMARK(SaveDiagram)->Unit(benchmark::kMillisecond);

void OpenDiagram(benchmark::State& state) {
    Diagram diagram;
    TPlot2Win other(QStringLiteral("noname2.qz2"));
    other.SizeChanged(401, 401);
    for (auto _ : state) benchmark::DoNotOptimize(other.Load(diagram.path));
    state.counters["examples"] = other.Inventory().Count();
}
BENCHMARK(OpenDiagram)->Unit(benchmark::kMillisecond);

}  // namespace
