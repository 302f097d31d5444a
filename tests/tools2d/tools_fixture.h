#pragma once
// A 2D test window with the analysis tools installed before it is made (its constructor
// registers their commands), and the ways to reach its tool set and dialogs.
#include <QTemporaryDir>

#include "examples/plot_test_window.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {

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
    std::size_t Entries(int i) const { return win.Inventory()[i].markedPoints.size(); }

    QTemporaryDir dir;
};

}  // namespace quorlin::tools2d
