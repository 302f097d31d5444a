// Evaluation speed of the formula engine beside the same formula written as native
// long-double C++. Each benchmark times the engine on a batch of points; the counter
// "ratio" is the engine's time over the native code's time for the same batch, measured in
// the same run (the goal for real mode is a ratio of at most 4).
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <complex>
#include <numbers>

#include "formula/formula_context.h"

namespace {

using quorlin::Complex;
using quorlin::FormulaContext;
using quorlin::NodePtr;
namespace slot = quorlin::slot;

constexpr int kBatch = 256;
constexpr long double kPi = std::numbers::pi_v<long double>;

std::array<long double, kBatch> Points() {
    std::array<long double, kBatch> x{};
    for (int i = 0; i < kBatch; ++i) x[i] = -2.0L + 4.0L * i / kBatch + 1e-3L;
    return x;
}

template <typename Batch>
double NanosecondsPerBatch(Batch&& batch) {
    using Clock = std::chrono::steady_clock;
    int reps = 0;
    const auto start = Clock::now();
    Clock::duration elapsed{};
    do {
        batch();
        ++reps;
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(50));
    return std::chrono::duration<double, std::nano>(elapsed).count() / reps;
}

// Times the engine's batch in the benchmark loop and reports its ratio to the native batch.
template <typename Engine, typename Native>
void Compare(benchmark::State& state, Engine&& engine, Native&& native) {
    for (auto _ : state) engine();
    const double engineNs = NanosecondsPerBatch(engine);
    const double nativeNs = NanosecondsPerBatch(native);
    state.counters["ratio"] = engineNs / nativeNs;
    state.counters["native_ns_per_eval"] = nativeNs / kBatch;
    state.counters["engine_ns_per_eval"] = engineNs / kBatch;
    state.SetItemsProcessed(state.iterations() * kBatch);
}

// One real-mode formula in the variable of `slotIndex`, against native code.
template <typename NativeFn>
void RealFormula(benchmark::State& state, const char* text, int slotIndex, NativeFn native,
                 long double offset = 0) {
    FormulaContext ctx;
    ctx.SetVar('A' - '@', 1.7L);
    ctx.SetVar('B' - '@', 3.3L);
    if (ctx.Parse(text) != 0) {
        state.SkipWithError("formula does not parse");
        return;
    }
    NodePtr tree = ctx.TakeParseResult();
    const auto points = Points();
    auto engine = [&] {
        long double sum = 0;
        for (long double x : points) {
            long double value = 0;
            ctx.EvalAtReal(*tree, slotIndex, x + offset, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    };
    auto nativeBatch = [&] {
        long double sum = 0;
        for (long double x : points) {
            benchmark::DoNotOptimize(x);
            sum += native(x + offset);
        }
        benchmark::DoNotOptimize(sum);
    };
    Compare(state, engine, nativeBatch);
}

void BM_ParameterQuotient(benchmark::State& state) {
    // A varies over the batch, B stays 3.3.
    RealFormula(
        state, "(A^2/SIN(2*PI/B))-A/2", 'A' - '@',
        [](long double a) {
            long double b = 3.3L;
            benchmark::DoNotOptimize(b);  // a value read at run time, as the engine reads B
            return a * a / std::sin(2 * kPi / b) - a / 2;
        },
        3);
}

void BM_Polynomial(benchmark::State& state) {
    RealFormula(state, "X^5-3X^3+2X-1", slot::kX,
                [](long double x) { return x * x * x * x * x - 3 * x * x * x + 2 * x - 1; });
}

void BM_Trigonometric(benchmark::State& state) {
    RealFormula(state, "SIN(X)*COS(2X)+TAN(X/3)", slot::kX,
                [](long double x) { return std::sin(x) * std::cos(2 * x) + std::tan(x / 3); });
}

void BM_Complex(benchmark::State& state) {
    FormulaContext ctx;
    ctx.complexMode = true;
    ctx.ResetVariables();
    if (ctx.Parse("Z^2+SIN(Z)*EXP(I*Z)") != 0) {
        state.SkipWithError("formula does not parse");
        return;
    }
    NodePtr tree = ctx.TakeParseResult();
    const auto points = Points();
    auto engine = [&] {
        Complex sum = 0;
        for (long double x : points) {
            ctx.SetVar(slot::kZ, Complex(x, 0.5L));
            ctx.Evaluate(*tree);
            sum += Complex(tree->re, tree->im);
        }
        benchmark::DoNotOptimize(sum);
    };
    auto native = [&] {
        const Complex i(0, 1);
        Complex sum = 0;
        for (long double x : points) {
            Complex z(x, 0.5L);
            benchmark::DoNotOptimize(z);
            sum += z * z + std::sin(z) * std::exp(i * z);
        }
        benchmark::DoNotOptimize(sum);
    };
    Compare(state, engine, native);
}

BENCHMARK(BM_ParameterQuotient);
BENCHMARK(BM_Polynomial);
BENCHMARK(BM_Trigonometric);
BENCHMARK(BM_Complex);

}  // namespace

BENCHMARK_MAIN();
