#include "script_fuzz_entry.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "examples/records/compile.h"
#include "examples/records/script.h"
#include "examples/records/trajectory_builders.h"

namespace quorlin {

namespace {

using examples::TExample;
using examples::TScriptCounters;
using examples::TScriptSystemTrajectory;
using examples::TScriptView;

// The window a script talks to, with the compiler and the records a graphing window uses and
// nothing it draws.
class PlainWindow : public examples::TScriptExecutor {
public:
    explicit PlainWindow(int dimension) : dimension_(dimension) {}

    FormulaContext formulas;
    examples::TInventory inventory;
    TScriptView view;
    TScriptCounters counters;
    examples::TExampleCompiler compiler{inventory, formulas};

    FormulaContext& Formulas() override { return formulas; }
    examples::TInventory& Inventory() override { return inventory; }
    int Dimension() const override { return dimension_; }
    int DotSize() const override { return 3; }
    int AutomaticColour(int n) const override { return 10 + n % 10; }
    TScriptView View() const override { return view; }
    void SetView(const TScriptView& v) override { view = v; }
    TScriptCounters Counters() const override { return counters; }
    void SetCounters(const TScriptCounters& c) override { counters = c; }
    TExample& AddExample(int kind, long double low, long double high) override {
        TExample& e = inventory.Entries().emplace_back().example;
        e.Init(kind, AutomaticColour(counters.examplesCreated), 50);
        e.rangeLow[0] = e.tableLow = low;
        e.rangeHigh[0] = e.tableHigh = high;
        return e;
    }
    void CompileExample(int index) override { compiler.CompileExample(index); }
    void AddEquationLabel(int) override {}
    void RebuildLagrangePolynomial(int) override {}
    void FinishLagrangePolynomial(int) override { formulas.RestoreVariables(); }
    void RecomputePicture(int) override {}
    void RefreshExample(int index) override { compiler.CompileExample(index); }
    void AddTrajectory(int index, const TScriptSystemTrajectory& s) override {
        examples::TTrajectoryStart start;
        start.start = s.start;
        start.startTime = s.startTime;
        start.direction = s.direction;
        start.duration = s.duration;
        examples::AddTrajectory(inventory[index].trajectories, inventory[index].kind, start, 1, 0);
    }
    void AddSlopeTrajectory(int index, const Vec3& start, long double step) override {
        examples::AddSlopeTrajectory(inventory[index].trajectories, start, step, 1, 0, 1);
    }
    void AddRecursionTrajectory(int index, const Vec3& start, int terms) override {
        examples::AddRecursionTrajectory(inventory[index].trajectories, inventory[index].kind,
                                         start, terms, 1, 1);
    }
    int DefineFunction(std::string_view name, std::string_view body, int args) override {
        return formulas.DefineUserFunction(name, body, args);
    }
    void RemoveExamplesAfter(int lastIndex) override {
        inventory.Entries().resize(static_cast<std::size_t>(lastIndex + 1));
    }

private:
    int dimension_;
};

void Require(bool promise) {
    if (!promise) std::abort();
}

}  // namespace

int RunScriptFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1),
                                std::min(size - 1, examples::script::kMaxScriptChars));
    PlainWindow window((flags & 1) ? 3 : 2);
    if (flags & 2) Require(window.inventory.SetCapacity(1, true));
    const int result = examples::RunScript(text, window);
    namespace script = examples::script;
    Require(result == script::kDone || result == script::kCannotUnderstand ||
            result == script::kNoMoreRoom || result == script::kNothingToShow);
    Require(window.inventory.LastIndex() <= window.inventory.Capacity());
    if (result == script::kCannotUnderstand || result == script::kNothingToShow)
        Require(window.inventory.Empty());
    return result;
}

}  // namespace quorlin
