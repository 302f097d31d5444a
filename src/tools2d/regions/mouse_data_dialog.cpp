#include "tools2d/regions/mouse_data_dialog.h"

#include "examples/levels/plot_win.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"

namespace quorlin::tools2d {

TLBDatDlg::TLBDatDlg(examples::TPlotWin& window, int index)
    : Dialog(&window, "LBDATA"), owner_(window), choice_(index) {}

void TLBDatDlg::SetupWindow() {
    Dialog::SetupWindow();
    ClearList(kExamples);
    const examples::TInventory& inventory = owner_.Inventory();
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        AddString(kExamples, FromWindows1252(owner_.DescribeExample(i)));
    if (!inventory.IsIndex(choice_)) choice_ = -1;
    SetSelectedIndex(kExamples, choice_ >= 0 ? choice_ : 0);
    SetChecked(kNoData, choice_ < 0);
    SetChecked(kExampleData, choice_ >= 0);
}

void TLBDatDlg::ReadChoice() {
    const int line = SelectedIndex(kExamples);
    choice_ = IsChecked(kNoData) || line < 0 ? -1 : line;
}

void TLBDatDlg::OnControl(int id) {
    if (id == kNoData || id == kExampleData) ReadChoice();
    if (id == platform::kIdOk) ReadChoice();
    Dialog::OnControl(id);
}

void TLBDatDlg::OnNotify(int id, platform::Notification what) {
    if (id == kExamples && what == platform::Notification::SelectionChanged) {
        // Choosing an example in the list means its data.
        SetChecked(kNoData, false);
        SetChecked(kExampleData, true);
        ReadChoice();
        return;
    }
    Dialog::OnNotify(id, what);
}

bool ChooseMouseData(examples::TPlotWin& window, int& index) {
    TLBDatDlg dialog(window, index);
    if (dialog.Execute() != platform::kIdOk) return false;
    index = dialog.Choice();
    if (index >= 0) window.SetMouseMode(resources::cmd::kMouseCoordinates);
    window.UpdateMenuChecks(0);
    return true;
}

}  // namespace quorlin::tools2d
