#include "plot3d/tools/riem3_dialog.h"

#include <algorithm>
#include <iterator>

#include "core/errors.h"
#include "platform/boxes.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/tools/example_list.h"

namespace quorlin::plot3d {

namespace {

constexpr std::size_t kMaxFieldChars = 30;
constexpr int kRangeLabelIds[] = {13, 4, 6, 9};
constexpr int kFieldIds[] = {TRiem3Dlg::kFirstLow,   TRiem3Dlg::kFirstHigh,
                             TRiem3Dlg::kFirstCount, TRiem3Dlg::kSecondLow,
                             TRiem3Dlg::kSecondHigh, TRiem3Dlg::kSecondCount};
constexpr const char* kDefaultDivisions = "100";

}  // namespace

TRiem3Dlg::TRiem3Dlg(TPlotRWin& window, Riem3Mode mode)
    : Dialog(&window, "RIEM3"), window_(window), mode_(mode) {}

void TRiem3Dlg::SetupWindow() {
    Dialog::SetupWindow();
    SetText(kFirstCount, QString::fromLatin1(kDefaultDivisions));
    SetText(kSecondCount, QString::fromLatin1(kDefaultDivisions));
    setWindowTitle(QString::fromStdString(Riem3Caption(mode_)));
    FillList();
    selected_ = choice_.ExampleAt(0);
    selectedKind_ = 0;
    if (!choice_.Empty()) SetSelectedIndex(kList, 0);
    SelectionChanged();
}

void TRiem3Dlg::FillList() {
    const examples::TInventory& inventory = window_.Inventory();
    choice_.Fill(inventory, Riem3ModeRow(mode_).kinds);
    ShowExampleList(*this, kList, window_, choice_.Examples());
}

void TRiem3Dlg::Refresh() {
    if (!IsCreated()) return;
    FillList();
    const int position = choice_.PositionAfterRefill(selected_);
    selected_ = choice_.ExampleAt(position);
    if (position >= 0) SetSelectedIndex(kList, position);
    SelectionChanged();
}

void TRiem3Dlg::ExamplesRemoved(std::span<const int> oldToNew) {
    selected_ = examples::RenumberedExample(selected_, oldToNew);
}

void TRiem3Dlg::SelectExample(int example) {
    const int position = choice_.PositionOf(example);
    if (position < 0) return;
    SetSelectedIndex(kList, position);
    selected_ = example;
    SelectionChanged();
}

void TRiem3Dlg::SelectionChanged() {
    // A value belongs to the example, ranges and counts it was computed for.
    SetText(kResult, QString());
    EnableControl(kValue, selected_ >= 0);
    if (selected_ < 0) return;
    ShowRanges();
    const int kind = window_.Inventory()[selected_].kind;
    if (kind != selectedKind_) {
        selectedKind_ = kind;
        SetRangeLabels();
    }
}

void TRiem3Dlg::ShowRanges() {
    const examples::TExample& e = window_.Inventory()[selected_];
    const auto show = [this](int id, long double value) {
        SetText(id, QString::fromStdString(window_.FormatNum(value)));
    };
    show(kFirstLow, e.rangeLow[0]);
    show(kFirstHigh, e.rangeHigh[0]);
    show(kSecondLow, e.rangeLow[1]);
    show(kSecondHigh, e.rangeHigh[1]);
}

void TRiem3Dlg::SetRangeLabels() {
    const std::array<std::string, 4> labels = RangeLabels(selectedKind_);
    for (std::size_t n = 0; n < labels.size(); ++n)
        SetText(kRangeLabelIds[n], QString::fromStdString(labels[n]));
}

int TRiem3Dlg::Compute(const examples::TIntegrationAxis& first,
                       const examples::TIntegrationAxis& second, long double& out) {
    if (compute_) return compute_(mode_, selected_, first, second, out);
    examples::TExample& e = window_.Inventory()[selected_];
    if (mode_ == Riem3Mode::SurfaceArea) return window_.SurfaceArea(selected_, first, second, out);
    if (!e.Tree(3)) return examples::kErrUndefinedIntegrand;
    if (mode_ == Riem3Mode::PolarIntegral)
        return window_.DoubleIntegralPolar(*e.Tree(3), first, second, out);
    return window_.DoubleIntegral(*e.Tree(3), first, second, out);
}

int TRiem3Dlg::CmValue() {
    if (!window_.Inventory().IsIndex(selected_)) return kErrMakeSelection;
    TRiem3Texts texts;
    for (std::size_t n = 0; n < texts.size(); ++n)
        texts[n] = GetText(kFieldIds[n]).left(kMaxFieldChars).toStdString();
    const TFieldReaders readers{
        [this](std::string_view text, long double& out) { return window_.ReadNumber(text, out); },
        [this](std::string_view text, long long low, long long high, int& out) {
            return window_.Formulas().ReadInteger(text, low, high, out);
        }};
    const bool polar = mode_ == Riem3Mode::PolarIntegral;
    examples::TIntegrationAxis first{polar ? slot::kR : slot::kX};
    examples::TIntegrationAxis second{polar ? slot::kT : slot::kY};
    int result = ReadIntegralFields(texts, readers, first, second);
    long double value = 0;
    if (result == kNoError) result = Compute(first, second, value);
    if (result == kKeyStop) return result;
    if (result > 0) {
        platform::ErrorMsg(this, result);
        return result;
    }
    SetText(kResult, QString::fromStdString(window_.FormatNum(value)));
    // The plot level's entry (a level above names another kind of point by this name).
    static_cast<examples::TPlotWin&>(window_).AddMarkedPoint(
        selected_, Riem3ModeRow(mode_).entryTag, {value, first.low, first.high, second.low}, 4,
        Riem3EntryText(mode_, first.count, second.count));
    return kNoError;
}

void TRiem3Dlg::OnControl(int id) {
    switch (id) {
        case kValue:
            CmValue();
            return;
        case platform::kIdOk:  // Enter computes nothing: "value" does
            return;
        case platform::kIdCancel:  // "close" hides: the next command shows it again
            HideDialog();
            return;
        default:
            Dialog::OnControl(id);
    }
}

void TRiem3Dlg::OnNotify(int id, platform::Notification what) {
    if (id == kList && what == platform::Notification::SelectionChanged) {
        const int example = choice_.ExampleAt(SelectedIndex(kList));
        if (example >= 0 && example != selected_) {
            selected_ = example;
            SelectionChanged();
        }
        return;
    }
    // A typed range or count no longer is what the value shown was computed for.
    if (what == platform::Notification::TextChanged &&
        std::find(std::begin(kFieldIds), std::end(kFieldIds), id) != std::end(kFieldIds)) {
        SetText(kResult, QString());
        return;
    }
    Dialog::OnNotify(id, what);
}

}  // namespace quorlin::plot3d
