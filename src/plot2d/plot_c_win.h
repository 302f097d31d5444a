#pragma once
// TPlotCWin: the inventory and tools level of the 2D windows.
//
// It keeps the derived examples and the tools in step with the inventory: after a change the
// examples derived from the changed one are rebuilt in index order by their derivation codes
// (UpdateDependents), the open tool dialogs refresh their lists and values, and the current
// example and dy/dx example follow. It also fills the body hooks of the shared levels that the
// 2D windows answer (the tools' state kept in a diagram file, the open initial-value dialogs,
// the view read from a file, the points kept in the orbital and map windows) as slots the 2D
// tools fill.
#include "plot2d/plot_b_win.h"

namespace quorlin::plot2d {

class TPlotCWin : public TPlotBWin {
public:
    using TPlotBWin::TPlotBWin;

    // --- inventory ---
    // Refreshes the tool dialogs unless a tool asked not to (the one-shot flag, cleared here),
    // keeps the current dy/dx example, drops shadings of examples that are gone.
    void InventoryChanged(int selectLast) override;
    // Rebuilds the examples derived from i (all derived examples for -1), each after its
    // parents, and recompiles what they mark.
    void UpdateDependents(int i) override;
    void SetCurrentExample(int i) override;
    // The shadings and the 2D state follow their examples.
    void ExamplesRemoved(std::span<const int> oldToNew) override;
    bool SwapExamples(int a, int b) override;
    // Values the open tools show; nothing here.
    void RefreshToolValues() override;
    // In mouse mode 125 over an explicit curve chosen for the left button's data: "  f = "
    // and its value at x ("?" where it is undefined).
    std::string MouseDataText(long double x) override;
    // Lists of the open one-example tool dialogs; nothing here.
    virtual void RefreshToolDialogs();

    // --- body hooks (slots for the tools) ---
    void ViewLoaded() override;
    void ConvertStoredPoints(int k) override;
    void CopyBodyListToTable(int k) override;
    std::uint16_t OpenToolsMask() const override;
    void RestoreToolState(int a, int b, int c) override;
    void GetToolState(std::array<int, 3>& out) const override;
    // The curve slider on "TRACE" for explicit, polar, parametric and intrinsic curves.
    void OpenTrace() override;

    // The next inventory change leaves the tool dialogs as they are.
    void KeepToolDialogsOnce() { keepToolDialogsOnce_ = true; }

private:
    bool keepToolDialogsOnce_ = false;
};

}  // namespace quorlin::plot2d
