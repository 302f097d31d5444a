// Compilation of examples: a 500-example inventory of mixed kinds compiled whole (with and
// without derivatives) and then evaluated, and each kind on its own. The counter
// "parses_per_compile" is the time of compiling one example over the time of parsing one text
// of the mix.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "examples/records/compile.h"

namespace {

using namespace quorlin;
using namespace quorlin::examples;

constexpr int kExamples = 500;

struct Prototype {
    int kind;
    std::array<const char*, 7> texts;
    int subKind = 0;
};

// The kinds a diagram is mostly made of, each with formulas of everyday size.
const Prototype kPrototypes[] = {
    {kind::kExplicit, {"", "SIN(X)*EXP(-X^2/10)+A*X"}},
    {kind::kPolar, {"", "", "1+COS(3*T)"}, 0},
    {kind::kParametric, {"COS(T)^3", "SIN(T)^3", "", "", "", "", "0;2*PI"}},
    {kind::kImplicit, {"", "", "X^2+Y^2-4+B*X*Y"}},
    {kind::kSegment, {"1", "2", "3", "A"}},
    {kind::kLine, {"2", "3", "A+1"}},
    {kind::kSurface, {"", "", "SIN(X)*COS(Y)"}},
    {kind::kSpaceCurve, {"COS(T)", "SIN(T)", "T/5"}},
    {kind::kTube, {"COS(T)", "SIN(T)", "T/5", "0.2"}},
    {kind::kRevolution, {"", "1+X^2/4"}, kind::kExplicit},
};

class Diagram {
public:
    Diagram() {
        inventory.SetCapacity(kExamples, false);
        for (int i = 0; i < kExamples; ++i) {
            const Prototype& p = kPrototypes[i % std::size(kPrototypes)];
            TExample e;
            e.kind = static_cast<std::int16_t>(p.kind);
            e.subKind = static_cast<std::int16_t>(p.subKind);
            e.Number(TNumber::kAxisB) = 1;  // the x-axis for the surface of revolution
            for (int k = 0; k < 7; ++k) e.texts[k] = p.texts[k] ? p.texts[k] : "";
            inventory.Append(std::move(e));
        }
    }
    void CompileAll() {
        for (int i = 0; i < kExamples; ++i) compiler.CompileExample(i);
    }
    TInventory inventory;
    FormulaContext ctx;
    TExampleCompiler compiler{inventory, ctx};
};

template <typename Work>
double NanosecondsPer(Work&& work) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    int reps = 0;
    do {
        work();
        ++reps;
    } while (Clock::now() - start < std::chrono::milliseconds(100));
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / reps;
}

// Nanoseconds of one parse of a text of the mix.
double NanosecondsPerParse() {
    FormulaContext ctx;
    std::vector<std::string> texts;
    for (const Prototype& p : kPrototypes)
        for (const char* text : p.texts)
            if (text && *text && std::string(text).find(';') == std::string::npos)
                texts.push_back(text);
    const double perBatch = NanosecondsPer([&] {
        for (const std::string& text : texts) ctx.Parse(text);
    });
    return perBatch / texts.size();
}

// Argument 1: with derivatives and curvature, 0: without them.
void CompileInventory(benchmark::State& state) {
    Diagram diagram;
    diagram.ctx.derivativesOn = state.range(0) != 0;
    for (auto _ : state) diagram.CompileAll();
    const double perExample = NanosecondsPer([&] { diagram.CompileAll(); }) / kExamples;
    state.counters["ns_per_example"] = perExample;
    state.counters["parses_per_compile"] = perExample / NanosecondsPerParse();
    state.SetItemsProcessed(state.iterations() * kExamples);
}
BENCHMARK(CompileInventory)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One example of each prototype kind, compiled again and again.
void CompileOneKind(benchmark::State& state) {
    Diagram diagram;
    const int i = static_cast<int>(state.range(0));
    state.SetLabel(std::to_string(diagram.inventory[i].kind));
    for (auto _ : state) diagram.compiler.CompileExample(i);
    state.counters["parses_per_compile"] =
        NanosecondsPer([&] { diagram.compiler.CompileExample(i); }) / NanosecondsPerParse();
}
BENCHMARK(CompileOneKind)->DenseRange(0, std::size(kPrototypes) - 1)->Unit(benchmark::kMicrosecond);

// Every tree 1-3 of every example at 100 parameter values, as a redraw asks.
void EvaluateInventory(benchmark::State& state) {
    Diagram diagram;
    diagram.CompileAll();
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        for (int i = 0; i < kExamples; ++i)
            for (int k = 1; k <= 3; ++k) {
                NodePtr& tree = diagram.inventory[i].Tree(k);
                if (!tree) continue;
                for (int s = 0; s < 100; ++s) {
                    diagram.ctx.SetVar(slot::kT, 0.01L * s);
                    diagram.ctx.SetVar(slot::kX, 0.01L * s);
                    diagram.ctx.SetVar(slot::kU, 0.02L * s);
                    benchmark::DoNotOptimize(diagram.ctx.Evaluate(*tree));
                    ++evaluations;
                }
            }
    }
    state.SetItemsProcessed(evaluations);
}
BENCHMARK(EvaluateInventory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
