#include "plot3d/stereogram/rds_dialog.h"

#include <algorithm>

#include "core/errors.h"
#include "platform/boxes.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/stereogram/stereogram.h"
#include "plot3d/tools/double_integral.h"
#include "plot3d/tools/example_list.h"

namespace quorlin::plot3d {

namespace k = examples::kind;

namespace {

constexpr std::size_t kMaxFieldChars = 30;
constexpr int kErrPositive = 14;
constexpr long double kLeastDepth = 1e-13L;

bool IsListedKind(int kind) {
    return kind == k::kSurface || kind == k::kPolarSurface;
}

}  // namespace

TRDSDlg::TRDSDlg(TPlotRWin& window) : Dialog(&window, "RDS"), window_(window) {}

void TRDSDlg::SetupWindow() {
    Dialog::SetupWindow();
    FillList();
    const examples::TStereogramSettings& s = window_.Stereogram();
    SetText(kDensity, QString::number(s.density));
    SetText(kStrips, QString::number(s.strips));
    SetText(kDotSize, QString::number(s.dotSize));
    SetText(kDepth, QString::fromStdString(window_.FormatNum(s.depth)));
}

void TRDSDlg::FillList() {
    if (!IsCreated()) return;
    // The selection is kept by example: a refill after the parent added or removed examples
    // selects the same surfaces again.
    std::vector<int> selected;
    for (const int line : SelectedLines(kList))
        if (line < static_cast<int>(listed_.size()) && listed_[static_cast<std::size_t>(line)] >= 0)
            selected.push_back(listed_[static_cast<std::size_t>(line)]);
    const examples::TInventory& inventory = window_.Inventory();
    listed_.clear();
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (IsListedKind(inventory[i].kind)) listed_.push_back(i);
    ShowExampleList(*this, kList, window_, listed_);
    for (const int i : selected) SelectExample(i, true);
}

void TRDSDlg::SelectExample(int i, bool selected) {
    const auto it = std::find(listed_.begin(), listed_.end(), i);
    if (it != listed_.end())
        SetLineSelected(kList, static_cast<int>(it - listed_.begin()), selected);
}

void TRDSDlg::ExamplesRemoved(std::span<const int> oldToNew) {
    for (int& i : listed_) i = examples::RenumberedExample(i, oldToNew);
}

int TRDSDlg::ReadFields() {
    const auto text = [this](int id) { return GetText(id).left(kMaxFieldChars).toStdString(); };
    std::array<std::int16_t, 3> whole{};
    constexpr int kWholeIds[] = {kDensity, kStrips, kDotSize};
    for (std::size_t n = 0; n < whole.size(); ++n)
        if (const int e = window_.Formulas().ReadShort(text(kWholeIds[n]), 1, 99, whole[n]))
            return e;
    long double depth = 0;
    if (const int e = window_.ReadNumber(text(kDepth), depth)) return e;
    if (!(depth >= kLeastDepth)) return kErrPositive;
    window_.Stereogram() = {whole[0], whole[1], whole[2], depth};
    return kNoError;
}

int TRDSDlg::CmDraw() {
    int error = ReadFields();
    if (listed_.size() == 1) SetLineSelected(kList, 0, true);
    const std::vector<int> lines = SelectedLines(kList);
    if (error == kNoError && lines.empty()) error = kErrMakeSelection;
    if (error != kNoError) {
        platform::ErrorMsg(this, error);
        return error;
    }
    examples::TInventory& inventory = window_.Inventory();
    for (const int i : listed_) inventory[i].StereogramFlag() = 0;
    for (const int line : lines)
        inventory[listed_[static_cast<std::size_t>(line)]].StereogramFlag() = 1;
    window_.ShowStereogramWindow();
    return kNoError;
}

void TRDSDlg::OnControl(int id) {
    switch (id) {
        case kDraw:
            CmDraw();
            return;
        case platform::kIdOk:  // Enter draws nothing: "draw" does
            return;
        case platform::kIdCancel:
            HideDialog();
            return;
        default:
            Dialog::OnControl(id);
    }
}

}  // namespace quorlin::plot3d
