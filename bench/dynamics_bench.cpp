// Speed of the trajectory tracer: one Runge-Kutta trajectory of 100 000 steps of the pendulum
// x' = y, y' = -sin(x), handed point by point to a sink, with fixed steps and with steps of
// arc length (which also look at the field at each step's end). The goal is under 0.2 s for
// the 100 000 fixed steps in a Release build.
#include <benchmark/benchmark.h>

#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace {

using namespace quorlin;
using namespace quorlin::dynamics;

constexpr long long kSteps = 100'000;

void TracePendulum(benchmark::State& state, long double fixedStep) {
    FormulaContext ctx;
    examples::TExample example;
    if (ctx.Parse("y") != 0) return state.SkipWithError("formula does not parse");
    example.Tree(1) = ctx.TakeParseResult();
    if (ctx.Parse("-sin(x)") != 0) return state.SkipWithError("formula does not parse");
    example.Tree(2) = ctx.TakeParseResult();

    TracerSettings settings = TracerSettings::ForPixelSize(0.01L);
    settings.loopClosing = 0;  // the orbit is periodic: run on instead of closing
    settings.roundLimit = kSteps;
    examples::TTrajectory record;
    record.kind = examples::kind::kSystem;
    record.startX = 2;
    record.treeOf = {0, 1, -1};
    record.option1 = static_cast<std::uint16_t>(Method::kRungeKutta);
    record.step = fixedStep;
    record.endTime = fixedStep != 0 ? kSteps * fixedStep : 1e30L;

    long double sum = 0;
    TraceHooks hooks;
    hooks.sink = [&sum](const TracePoint& p) { sum += p.position.x; };
    long long steps = 0;
    for (auto _ : state) {
        const TraceResult r = TraceSystem(ctx, example, record, 2, settings, hooks);
        steps = r.steps;
        benchmark::DoNotOptimize(sum);
    }
    if (steps != kSteps) state.SkipWithError("the trajectory did not run its 100 000 steps");
    state.SetItemsProcessed(state.iterations() * steps);
}

void BM_RungeKuttaFixedSteps(benchmark::State& state) {
    TracePendulum(state, 0.01L);
}

void BM_RungeKuttaArcLengthSteps(benchmark::State& state) {
    TracePendulum(state, 0);
}

BENCHMARK(BM_RungeKuttaFixedSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RungeKuttaArcLengthSteps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
