// One frame of a parameter animation in a 2D window of 600 x 600 pixels: a diagram of 20
// explicit curves that all use A (A*sin(x + k/3) and friends), recomputed and drawn afresh into
// both cached layers as the frame player does each tick. The timer ticks every 50 ms; a frame
// should take well under a tenth of that; the counter "aim_ms" is the aim of under 5 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/boxes.h"
#include "plot2d/plot2_win.h"

namespace {

using namespace quorlin;

void AnimationFrame(benchmark::State& state) {
    platform::ScriptedPrompter prompter;
    plot2d::TPlot2Win win(QStringLiteral("bench.qz2"));
    win.SizeChanged(600, 600);
    std::string script;
    for (int k = 0; k < 20; ++k) {
        const std::string shift = std::to_string(k) + "/3";
        script += k % 2 == 0 ? "EXPL2;A*sin(x+" + shift + ");" : "EXPL2;A*x^2/10-" + shift + ";";
    }
    if (win.RunScript(script) != 0 || win.Inventory().Count() != 20) {
        state.SkipWithError("the diagram was not made");
        return;
    }
    auto& f = win.Formulas();
    f.params.left[1] = -2;
    f.params.right[1] = 2;
    int tick = 0;
    for (auto _ : state) {
        f.SetVar(1, -2 + 0.04L * (tick++ % 100));
        win.DrawAnimationFrame(1);
        benchmark::DoNotOptimize(win.Image(ImageLayer::Picture).constBits());
    }
    state.counters["aim_ms"] = 5;
}
BENCHMARK(AnimationFrame)->Unit(benchmark::kMillisecond);

}  // namespace
