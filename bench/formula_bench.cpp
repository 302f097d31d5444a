// Evaluation speed of the formula engine beside the same formula written as native C++. Each
// benchmark times, in one run and on the same batch of points, the tree walk
// (FormulaContext::Evaluate), the compiled program (TreeProgram), native long double and
// native double; the loop Google Benchmark times is the compiled program's. The counters give
// nanoseconds per evaluation of each, "ratio", the program's time over native long double's
// (inlined), and "aim", the ratio aimed at: 1.5 for the Horner polynomial, 2 for the sum of
// powers, 1.3 for the other formulas (a complex one with a subtree four times among them); in
// complex mode "tree_vs_program" (the tree walk's time over the program's) is aimed at 1 or
// more.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace {

using quorlin::Complex;
using quorlin::FormulaContext;
using quorlin::NodePtr;
using quorlin::TreeProgram;
namespace slot = quorlin::slot;

constexpr int kBatch = 256;

std::array<long double, kBatch> Points() {
    std::array<long double, kBatch> x{};
    for (int i = 0; i < kBatch; ++i) x[i] = -2.0L + 4.0L * i / kBatch + 1e-3L;
    return x;
}

template <typename Batch>
double NanosecondsPerEvaluation(Batch&& batch) {
    using Clock = std::chrono::steady_clock;
    int reps = 0;
    const auto start = Clock::now();
    Clock::duration elapsed{};
    do {
        batch();
        ++reps;
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(50));
    return std::chrono::duration<double, std::nano>(elapsed).count() / reps / kBatch;
}

// Sums f(x) over the batch, keeping the compiler from seeing the points or the sum.
template <typename T, typename F>
void SumOver(const std::array<long double, kBatch>& points, F&& f) {
    T sum = 0;
    for (long double p : points) {
        T x = static_cast<T>(p);
        benchmark::DoNotOptimize(x);
        sum += f(x);
    }
    benchmark::DoNotOptimize(sum);
}

struct Batches {
    std::function<void()> tree, program, nativeLong, nativeDouble;
};

void Compare(benchmark::State& state, const Batches& b, double aim) {
    for (auto _ : state) b.program();
    const double tree = NanosecondsPerEvaluation(b.tree);
    const double program = NanosecondsPerEvaluation(b.program);
    const double nativeLong = NanosecondsPerEvaluation(b.nativeLong);
    const double nativeDouble = NanosecondsPerEvaluation(b.nativeDouble);
    state.counters["tree_ns"] = tree;
    state.counters["program_ns"] = program;
    state.counters["native_ld_ns"] = nativeLong;
    state.counters["native_d_ns"] = nativeDouble;
    state.counters["ratio"] = program / nativeLong;
    state.counters["tree_ratio"] = tree / nativeLong;
    state.counters["tree_vs_program"] = tree / program;
    state.counters["aim"] = aim;
    state.SetItemsProcessed(state.iterations() * kBatch);
}

// A real-mode formula in the variable of `slotIndex`, with A = 1.7, B = 3.3 and Y = 0.7.
// `native` is the formula as a generic lambda: its own type, so the baselines inline it as a
// compiler inlines a formula written in the source (a function pointer would cost a call per
// point and flatter the program's ratio).
template <typename Native>
void RealFormula(benchmark::State& state, const char* text, int slotIndex, Native native,
                 double aim, long double offset = 0) {
    FormulaContext ctx;
    ctx.SetVar('A' - '@', 1.7L);
    ctx.SetVar('B' - '@', 3.3L);
    ctx.SetVar(slot::kY, 0.7L);
    if (ctx.Parse(text) != 0) return state.SkipWithError("formula does not parse");
    NodePtr tree = ctx.TakeParseResult();
    TreeProgram program(ctx, tree.get());
    auto points = Points();
    for (long double& p : points) p += offset;
    Batches b;
    b.tree = [&] {
        long double sum = 0;
        for (long double x : points) {
            long double value = 0;
            ctx.EvalAtReal(*tree, slotIndex, x, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    };
    b.program = [&] {
        long double sum = 0;
        for (long double x : points) {
            long double value = 0;
            program.EvalAt(slotIndex, x, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    };
    b.nativeLong = [&] { SumOver<long double>(points, native); };
    b.nativeDouble = [&] { SumOver<double>(points, native); };
    Compare(state, b, aim);
    state.counters["instructions"] = program.Size();
}

// A value read at run time, as the engine reads a parameter.
template <typename T>
T Opaque(T v) {
    benchmark::DoNotOptimize(v);
    return v;
}

template <typename T>
T HornerPolynomial(T x) {
    return ((((2 * x - 3) * x + 1) * x - 4) * x + 5) * x - 6;
}

template <typename T>
T PowerPolynomial(T x) {
    return 2 * x * x * x * x * x - 3 * x * x * x * x + x * x * x - 4 * x * x + 5 * x - 6;
}

template <typename T>
T ParameterQuotient(T a) {
    const T b = Opaque<T>(3.3);
    return a * a / std::sin(2 * std::numbers::pi_v<T> / b) - a / 2;
}

template <typename T>
T DampedRadius(T x) {
    const T y = Opaque<T>(0.7);
    return std::sqrt(x * x + y * y) * std::exp(-x / 10);
}

template <typename T>
T Trigonometric(T x) {
    return std::sin(x) * std::cos(2 * x) + std::tan(x / 3);
}

void BM_PolynomialHorner(benchmark::State& state) {
    RealFormula(
        state, "((((2X-3)X+1)X-4)X+5)X-6", slot::kX, [](auto x) { return HornerPolynomial(x); },
        1.5);
}

void BM_PolynomialPowers(benchmark::State& state) {
    RealFormula(
        state, "2X^5-3X^4+X^3-4X^2+5X-6", slot::kX, [](auto x) { return PowerPolynomial(x); }, 2.0);
}

void BM_ParameterQuotient(benchmark::State& state) {
    // A varies over the batch, B stays 3.3.
    RealFormula(
        state, "(A^2/SIN(2*PI/B))-A/2", 'A' - '@', [](auto x) { return ParameterQuotient(x); }, 1.3,
        3);
}

void BM_DampedRadius(benchmark::State& state) {
    RealFormula(
        state, "SQRT(X^2+Y^2)*EXP(-X/10)", slot::kX, [](auto x) { return DampedRadius(x); }, 1.3);
}

void BM_Trigonometric(benchmark::State& state) {
    RealFormula(
        state, "SIN(X)*COS(2X)+TAN(X/3)", slot::kX, [](auto x) { return Trigonometric(x); }, 1.3);
}

template <typename T>
std::complex<T> ComplexFormula(std::complex<T> z) {
    const std::complex<T> i(0, 1);
    return z * z + std::sin(z) * std::exp(i * z);
}

// A subtree that comes four times, which the native formula computes once.
template <typename T>
std::complex<T> RepeatedComplexFormula(std::complex<T> z) {
    const std::complex<T> w = z * z + T(1);
    return w * std::sin(w) + std::exp(w) / w;
}

// A complex formula against its native form: the program's time over native long double's.
template <typename Native>
void ComplexBenchmark(benchmark::State& state, const char* text, Native native) {
    FormulaContext ctx;
    ctx.complexMode = true;
    ctx.ResetVariables();
    if (ctx.Parse(text) != 0) return state.SkipWithError("does not parse");
    NodePtr tree = ctx.TakeParseResult();
    TreeProgram program(ctx, tree.get());
    const auto points = Points();
    Batches b;
    b.tree = [&] {
        Complex sum = 0;
        for (long double x : points) {
            ctx.SetVar(slot::kZ, Complex(x, 0.5L));
            ctx.Evaluate(*tree);
            sum += Complex(tree->re, tree->im);
        }
        benchmark::DoNotOptimize(sum);
    };
    b.program = [&] {
        Complex sum = 0;
        for (long double x : points) {
            ctx.SetVar(slot::kZ, Complex(x, 0.5L));
            Complex value;
            program.Evaluate(value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    };
    b.nativeLong = [&] {
        Complex sum = 0;
        for (long double x : points) sum += native(Opaque(Complex(x, 0.5L)));
        benchmark::DoNotOptimize(sum);
    };
    b.nativeDouble = [&] {
        std::complex<double> sum = 0;
        for (long double x : points)
            sum += native(Opaque(std::complex<double>(static_cast<double>(x), 0.5)));
        benchmark::DoNotOptimize(sum);
    };
    Compare(state, b, 1.3);
    state.counters["instructions"] = program.Size();
}

void BM_Complex(benchmark::State& state) {
    ComplexBenchmark(state, "Z^2+SIN(Z)*EXP(I*Z)", [](auto z) { return ComplexFormula(z); });
}

void BM_ComplexRepeated(benchmark::State& state) {
    ComplexBenchmark(state, "(Z^2+1)*SIN(Z^2+1)+EXP(Z^2+1)/(Z^2+1)",
                     [](auto z) { return RepeatedComplexFormula(z); });
}

BENCHMARK(BM_PolynomialHorner);
BENCHMARK(BM_PolynomialPowers);
BENCHMARK(BM_ParameterQuotient);
BENCHMARK(BM_DampedRadius);
BENCHMARK(BM_Trigonometric);
BENCHMARK(BM_Complex);
BENCHMARK(BM_ComplexRepeated);

// The cost of compiling a tree, against one evaluation of it through the tree walk.
void BM_CompileDampedRadius(benchmark::State& state) {
    FormulaContext ctx;
    if (ctx.Parse("SQRT(X^2+Y^2)*EXP(-X/10)") != 0) return state.SkipWithError("no parse");
    NodePtr tree = ctx.TakeParseResult();
    for (auto _ : state) {
        TreeProgram program(ctx, tree.get());
        benchmark::DoNotOptimize(program);
    }
}
BENCHMARK(BM_CompileDampedRadius);

}  // namespace

BENCHMARK_MAIN();
