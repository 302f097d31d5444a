#pragma once
// TFnListDlg: the modeless "inventory" dialog of a graphing window. It lists the examples, one
// line each (inventory_panel.h), in a list of several selections, and dispatches its buttons to
// the window's inventory operations on the selected examples: edit, delete, duplicate, copy the
// equation, value table, family, graph and equation label on or off, name, and the two buttons
// whose meaning follows the window and the selection (derive / levels / swap and web /
// "| f(x) |" / box / active). While an operation it started runs, or the window edits an
// example, it is busy and refuses every button with error 111.
#include <string_view>
#include <vector>

#include "examples/operations/inventory_panel.h"
#include "platform/dialog.h"

namespace quorlin::examples {

class TPlot11Win;

class TFnListDlg : public platform::Dialog {
    Q_OBJECT
public:
    TFnListDlg(TPlot11Win& window, std::string_view templateName);

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

    // An operation started here, or an example the window edits, is running.
    bool Busy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }

    // "inventory [file name]".
    void SetInventoryCaption();
    // Refills the list; select >= 0 selects the line of that example (the first line when it
    // is not listed).
    void FillList(int select);
    // True, after error 111, while busy or while the window picks the points of a polynomial.
    bool IsBusy();
    // Moves the dialog keeping its size.
    void MoveTo(int x, int y) { move(x, y); }

    // The examples of the selected lines, in line order (the only line of a list of one counts
    // as selected).
    std::vector<int> SelectedExamples() const;
    TInventoryMode Mode() const;
    bool AbsMode() const { return absMode_; }

private:
    // Reads the selection and refreshes the captions and enabled buttons.
    void SelectionChanged();
    void RefreshButtons();
    void Edit(int k);
    void Duplicate(int k);
    void Name(int k);
    void ToggleFamilyMarks(const std::vector<int>& selected);
    void CopyDescription(int k);

    // The buttons, each with what it does with the selected examples.
    struct ButtonAction {
        int id;
        void (TFnListDlg::*run)(const std::vector<int>& selected);
    };
    static const ButtonAction kButtonActions[];
    void EditSelected(const std::vector<int>& selected);
    void DeleteSelected(const std::vector<int>& selected);
    void DuplicateSelected(const std::vector<int>& selected);
    void CopySelected(const std::vector<int>& selected);
    void TableOfSelected(const std::vector<int>& selected);
    void FamilyOfSelected(const std::vector<int>& selected);
    void ToggleGraphs(const std::vector<int>& selected);
    void ToggleEquationLabels(const std::vector<int>& selected);
    void NameSelected(const std::vector<int>& selected);
    void DeriveOrSwap(const std::vector<int>& selected);
    void WebOrBox(const std::vector<int>& selected);

    // Holds the dialog busy while an operation it started runs.
    class BusyScope {
    public:
        explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
        ~BusyScope() { busy_ = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        bool& busy_;
    };

    TPlot11Win& window_;
    std::vector<int> lineMap_;
    bool absMode_ = false;
    bool explicitSelected_ = false;
    bool busy_ = false;
};

}  // namespace quorlin::examples
