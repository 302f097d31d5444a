#pragma once
// A window of examples for the pasted script without anything it draws: the formula engine,
// the inventory with its compiler, the view and the counters, and the trajectory records as
// the graphing window's builders make them. The script's fuzz target runs scripts on it; the
// script's tests record on it what the script asked of the window.
#include "examples/records/compile.h"
#include "examples/records/script.h"
#include "examples/records/trajectory_builders.h"

namespace quorlin::examples {

class PlainScriptWindow : public TScriptExecutor {
public:
    explicit PlainScriptWindow(int dimension) : dimension_(dimension) {}

    FormulaContext formulas;
    TInventory inventory;
    TScriptView view;
    TScriptCounters counters;
    TExampleCompiler compiler{inventory, formulas};

    FormulaContext& Formulas() override { return formulas; }
    TInventory& Inventory() override { return inventory; }
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
        TTrajectoryStart start;
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

}  // namespace quorlin::examples
