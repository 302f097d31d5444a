#pragma once
// TComboDlg: the base of the modeless tool dialogs that work on one example of the window's
// inventory, chosen in the drop-down list 295 among the examples whose kind the dialog accepts.
//
// The dialog keeps the index of its example, never a pointer into the inventory. When the
// inventory changes the window calls RefillLists (and ExamplesRenumbered first when examples
// were removed or exchanged): the list is filled again and the selected example found again by its
// index, or, when it is gone, nothing is selected and SelectionLost lets the dialog disable what
// needs an example. Closing (button 2) only hides the dialog and repaints the window without
// the tool's drawing.
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "examples/operations/slider_units.h"
#include "platform/dialog.h"

namespace quorlin::examples {

class TPlotWin;

class TComboDlg : public platform::Dialog {
public:
    static constexpr int kListId = 295;
    static constexpr int kKindTableSize = 410;

    // kinds: the accepted kind codes (codes of 410 and more are ignored).
    TComboDlg(TPlotWin& window, std::string_view templateName, std::span<const int> kinds);

    // The selected example's index and kind; -1 and 0 when none is selected.
    int SelectedExample() const { return selected_; }
    int SelectedKind() const { return selectedKind_; }
    // The list position of an example, -1 when it is not listed.
    int ListIndexOf(int example) const;
    // The examples listed, in list order.
    const std::vector<int>& Listed() const { return map_; }

    // Fills the list again from the inventory and finds the selection again.
    virtual void RefillLists();
    // The window removed or exchanged examples: map[old] is the new index, -1 when removed.
    virtual void ExamplesRenumbered(std::span<const int> map);
    // Chooses the example at a list position, as the user does.
    void SelectPosition(int position);

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    TPlotWin& Window() const { return window_; }

    // Called at set-up before the list is filled.
    virtual void ComboHook17() {}
    // A selection was read: a new example.
    virtual void SelectionChanged() {}
    // A refill found the selected example again (it may have been edited). By default as a
    // new selection.
    virtual void SelectionKept() { SelectionChanged(); }
    // The selected example is gone and nothing is selected.
    virtual void SelectionLost() {}
    // Button 1 (Enter).
    virtual void CmOk() {}
    // Button 2: hides the dialog; the window repaints without the tool's drawing.
    virtual void CmCancel();
    void MarkClosed();

    // For the slider dialogs: scroll bar `barId` takes the window's step counts of slider slot
    // `slot`, which are returned; Enter in edit field `editId` (up to 255 characters) confirms
    // the typed value as button 1 does.
    TStepPair TakeSliderSteps(int barId, int slot);
    void EnterConfirms(int editId);

    bool allowLagrange = false;
    bool allowDerived = false;
    bool allowImplicitProfile = false;

private:
    bool Accepts(int example) const;
    void FillList();
    // Reads the list's selection into the selected index and kind and calls SelectionChanged.
    void ReadSelection();
    void Deselect();

    TPlotWin& window_;
    std::array<bool, kKindTableSize> kinds_{};
    std::vector<int> map_;  // list position -> example index
    int selected_ = -1;
    int selectedKind_ = 0;
    bool lost_ = false;  // the selected example went away; the user chooses the next
};

}  // namespace quorlin::examples
