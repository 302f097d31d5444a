#include "examples/levels/combo_dialog.h"

#include <QLineEdit>

#include <algorithm>

#include "examples/levels/plot_win.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

TComboDlg::TComboDlg(TPlotWin& window, std::string_view templateName, std::span<const int> kinds)
    : platform::Dialog(&window, templateName), window_(window) {
    for (const int k : kinds)
        if (k >= 0 && k < kKindTableSize) kinds_[static_cast<std::size_t>(k)] = true;
}

bool TComboDlg::Accepts(int k) const {
    const TExample& e = window_.Inventory()[k];
    if (e.kind < 0 || e.kind >= kKindTableSize || !kinds_[static_cast<std::size_t>(e.kind)])
        return false;
    if (e.IsLagrangeExplicit() && !allowLagrange) return false;
    if (e.listing < 0) return false;  // skipped
    if (allowDerived) return true;
    const bool implicitProfile = e.kind == kind::kRevolution && e.subKind == kind::kImplicit;
    return e.derivation < 1 && (!implicitProfile || allowImplicitProfile);
}

void TComboDlg::FillList() {
    ClearList(kListId);
    map_.clear();
    const TInventory& inventory = window_.Inventory();
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        if (!Accepts(k)) continue;
        const std::string& name = inventory.Entry(k).name;
        AddString(kListId, FromWindows1252(name.empty() ? window_.DescribeExample(k) : name));
        map_.push_back(k);
    }
}

int TComboDlg::ListIndexOf(int example) const {
    const auto at = std::find(map_.begin(), map_.end(), example);
    return at == map_.end() ? -1 : static_cast<int>(at - map_.begin());
}

void TComboDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    ComboHook17();
    FillList();
    if (!map_.empty()) SetSelectedIndex(kListId, 0);
    ReadSelection();
}

void TComboDlg::ReadSelection() {
    const int position = map_.empty() ? -1 : SelectedIndex(kListId);
    if (position < 0 || position >= static_cast<int>(map_.size())) {
        Deselect();
        return;
    }
    selected_ = map_[static_cast<std::size_t>(position)];
    lost_ = false;
    const TExample& e = window_.Inventory()[selected_];
    selectedKind_ = e.kind;
    window_.Roles().SetRole(kRoleTrajectory, e.pen.colour);
    SelectionChanged();
}

void TComboDlg::Deselect() {
    const bool had = selected_ >= 0;
    selected_ = -1;
    selectedKind_ = 0;
    SetSelectedIndex(kListId, -1);
    if (had) {
        lost_ = true;
        SelectionLost();
    }
}

TStepPair TComboDlg::TakeSliderSteps(int barId, int slot) {
    const TStepPair steps = UsableSteps(window_.SliderSteps(), slot);
    SetScrollRange(barId, 0, steps.steps);
    SetScrollPageStep(barId, steps.pageSteps);
    return steps;
}

void TComboDlg::EnterConfirms(int editId) {
    if (auto* edit = qobject_cast<QLineEdit*>(Control(editId, platform::ControlKind::Edit)))
        connect(edit, &QLineEdit::returnPressed, this, [this] { OnControl(platform::kIdOk); });
    SetMaxLength(editId, 255);
}

void TComboDlg::SelectPosition(int position) {
    SetSelectedIndex(kListId, position);
    ReadSelection();
}

void TComboDlg::RefillLists() {
    const int old = selected_;
    const int oldKind = selectedKind_;
    FillList();
    if (old < 0) {
        // Nothing was there to select: the first entry, as at set-up. After a loss the user
        // chooses.
        if (!lost_ && !map_.empty()) SelectPosition(0);
        return;
    }
    const int position = ListIndexOf(old);
    if (position < 0 || window_.Inventory()[old].kind != oldKind) {
        Deselect();
        return;
    }
    SetSelectedIndex(kListId, position);
    window_.Roles().SetRole(kRoleTrajectory, window_.Inventory()[old].pen.colour);
    SelectionKept();
}

void TComboDlg::ExamplesRenumbered(std::span<const int> map) {
    if (selected_ < 0) return;
    const int moved = RenumberedExample(selected_, map);
    if (moved < 0)
        Deselect();
    else
        selected_ = moved;
}

void TComboDlg::OnControl(int id) {
    if (id == platform::kIdOk)
        CmOk();
    else if (id == platform::kIdCancel)
        CmCancel();
}

void TComboDlg::OnNotify(int id, platform::Notification what) {
    if (id == kListId && what == platform::Notification::SelectionChanged) ReadSelection();
}

void TComboDlg::CmCancel() {
    HideDialog();
    MarkClosed();
}

void TComboDlg::MarkClosed() {
    window_.Repaint();
}

}  // namespace quorlin::examples
