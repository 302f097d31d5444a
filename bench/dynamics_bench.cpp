// Speed of the trajectory tracer: one Runge-Kutta trajectory of 100 000 steps of the pendulum
// x' = y, y' = -sin(x) and of the Lotka-Volterra system x' = x - xy, y' = xy - y, handed point
// by point to a sink, with fixed steps and (pendulum) with steps of arc length (which also look
// at the field at each step's end). The fixed-step benchmarks time, in the same run, the same
// 100 000 steps as a plain long double loop with the field inlined; the counter "ratio" is the
// tracer's time over the loop's, "aim" the ratio aimed at (2 for Lotka-Volterra, 1.3 for the
// pendulum, whose sine dominates both; none for a swirl whose two components share an
// exponential). Both are timed in the thread's CPU time, so that the
// ratio holds on a machine that other work keeps busy.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <ctime>

#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace {

using namespace quorlin;
using namespace quorlin::dynamics;

constexpr long long kSteps = 100'000;
constexpr long double kFixedStep = 0.01L;

using State = std::array<long double, 2>;

// The CPU time of this thread in seconds.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// kSteps classical Runge-Kutta steps of the field, written out as one would by hand.
template <typename Field>
State PlainRungeKutta(Field field, State y, long double h) {
    long double t = 0;
    for (long long i = 0; i < kSteps; ++i) {
        const State k1 = field(y);
        const State k2 = field({y[0] + h / 2 * k1[0], y[1] + h / 2 * k1[1]});
        const State k3 = field({y[0] + h / 2 * k2[0], y[1] + h / 2 * k2[1]});
        const State k4 = field({y[0] + h * k3[0], y[1] + h * k3[1]});
        for (int j = 0; j < 2; ++j) y[j] += h / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
        t += h;
        benchmark::DoNotOptimize(t);
    }
    return y;
}

template <typename Field>
double PlainSeconds(Field field, State start) {
    int reps = 0;
    const double begin = CpuSeconds();
    double elapsed = 0;
    do {
        benchmark::DoNotOptimize(start);
        State end = PlainRungeKutta(field, start, kFixedStep);
        benchmark::DoNotOptimize(end);
        ++reps;
        elapsed = CpuSeconds() - begin;
    } while (elapsed < 0.1);
    return elapsed / reps;
}

struct System {
    const char* dx;
    const char* dy;
    State start;
};

constexpr System kPendulum{"y", "-sin(x)", {2, 0}};
constexpr System kLotkaVolterra{"x-x*y", "x*y-y", {2, 1}};
// A rotation slowed by a Gaussian: both components read the same exponential.
constexpr System kGaussianSwirl{"-y*exp(-(x*x+y*y))", "x*exp(-(x*x+y*y))", {0.5L, 0.25L}};

// Traces the system; returns the seconds of one trace (the mean over the benchmark's loop).
double TraceSeconds(benchmark::State& state, const System& system, long double fixedStep) {
    FormulaContext ctx;
    examples::TExample example;
    if (ctx.Parse(system.dx) != 0) return state.SkipWithError("formula does not parse"), 0;
    example.Tree(1) = ctx.TakeParseResult();
    if (ctx.Parse(system.dy) != 0) return state.SkipWithError("formula does not parse"), 0;
    example.Tree(2) = ctx.TakeParseResult();

    TracerSettings settings = TracerSettings::ForPixelSize(0.01L);
    settings.loopClosing = 0;  // the orbits are periodic: run on instead of closing
    settings.roundLimit = kSteps;
    examples::TTrajectory record;
    record.kind = examples::kind::kSystem;
    record.startX = system.start[0];
    record.startY = system.start[1];
    record.treeOf = {0, 1, -1};
    record.option1 = static_cast<std::uint16_t>(Method::kRungeKutta);
    record.step = fixedStep;
    record.endTime = fixedStep != 0 ? kSteps * fixedStep : 1e30L;

    long double sum = 0;
    TraceHooks hooks;
    hooks.sink = [&sum](const TracePoint& p) { sum += p.position.x; };
    long long steps = 0;
    const double begin = CpuSeconds();
    for (auto _ : state) {
        const TraceResult r = TraceSystem(ctx, example, record, 2, settings, hooks);
        steps = r.steps;
        benchmark::DoNotOptimize(sum);
    }
    const double seconds = CpuSeconds() - begin;
    if (steps != kSteps) state.SkipWithError("the trajectory did not run its 100 000 steps");
    state.SetItemsProcessed(state.iterations() * steps);
    return seconds / static_cast<double>(state.iterations());
}

template <typename Field>
void AgainstPlainLoop(benchmark::State& state, const System& system, Field field, double aim) {
    const double traced = TraceSeconds(state, system, kFixedStep);
    const double plain = PlainSeconds(field, system.start);
    state.counters["plain_ms"] = plain * 1e3;
    state.counters["ratio"] = traced / plain;
    if (aim > 0) state.counters["aim"] = aim;
}

void BM_RungeKuttaFixedSteps(benchmark::State& state) {
    AgainstPlainLoop(
        state, kPendulum,
        [](const State& y) {
            return State{y[1], -std::sin(y[0])};
        },
        1.3);
}

void BM_LotkaVolterraFixedSteps(benchmark::State& state) {
    AgainstPlainLoop(
        state, kLotkaVolterra,
        [](const State& y) {
            return State{y[0] - y[0] * y[1], y[0] * y[1] - y[1]};
        },
        2.0);
}

// No aim: the field's components share a subtree, which the tracer computes once a point.
void BM_GaussianSwirlFixedSteps(benchmark::State& state) {
    AgainstPlainLoop(
        state, kGaussianSwirl,
        [](const State& y) {
            const long double e = std::exp(-(y[0] * y[0] + y[1] * y[1]));
            return State{-y[1] * e, y[0] * e};
        },
        0);
}

void BM_RungeKuttaArcLengthSteps(benchmark::State& state) {
    TraceSeconds(state, kPendulum, 0);
}

BENCHMARK(BM_RungeKuttaFixedSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LotkaVolterraFixedSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GaussianSwirlFixedSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RungeKuttaArcLengthSteps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
