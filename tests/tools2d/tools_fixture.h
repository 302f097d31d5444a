#pragma once
// A 2D test window with the analysis tools installed before it is made (its constructor
// registers their commands), the ways to reach its tool set and dialogs, and the values of its
// examples' trees.
#include <QTemporaryDir>

#include <cmath>

#include "examples/plot_test_window.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {

// The value of tree t of example i of the window at X = T = x; NaN when it has no such tree or
// it cannot be evaluated there.
inline long double TreeValue(examples::TPlot11Win& window, int i, int t, long double x) {
    FormulaContext& f = window.Formulas();
    f.SetVar(slot::kX, x);
    f.SetVar(slot::kT, x);
    TExprNode* tree = window.Inventory()[i].Tree(t).get();
    return tree && f.Evaluate(*tree) ? tree->re : NAN;
}

struct InstallToolsFirst {
    InstallToolsFirst() { InstallAnalysisTools(); }
};

class ToolsWindowTest : private InstallToolsFirst, public quorlin::testing::PlotWindowTest {
protected:
    TWindowAnalysisTools& Tools() {
        auto* tools = dynamic_cast<TWindowAnalysisTools*>(win.AnalysisTools());
        EXPECT_NE(tools, nullptr);
        return *tools;
    }
    // Chooses the command, as the menu does, and gives its dialog.
    template <class Dlg>
    Dlg& Command(int id, Dlg* (TWindowAnalysisTools::*dialog)() const) {
        EXPECT_TRUE(win.SendCommand(id)) << id;
        Dlg* made = (Tools().*dialog)();
        EXPECT_NE(made, nullptr);
        return *made;
    }
    // Example i of the list of dialog d, as the user picks it.
    static void Pick(examples::TComboDlg& d, int i) { d.SelectPosition(d.ListIndexOf(i)); }
    // Appends an example of the kind over [low, high] with texts 1-5, compiled; its index.
    int Add(int kind, long double low, long double high, std::array<std::string_view, 5> texts) {
        win.AddExample(kind, low, high, texts);
        const int i = win.Inventory().LastIndex();
        win.CompileExample(i);
        return i;
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    long double At(int i, int t, long double x) { return TreeValue(win, i, t, x); }
    std::size_t Entries(int i) const { return win.Inventory()[i].markedPoints.size(); }

    QTemporaryDir dir;
};

}  // namespace quorlin::tools2d
