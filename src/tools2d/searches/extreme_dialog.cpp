#include "tools2d/searches/extreme_dialog.h"

#include <array>

#include "platform/text_codec.h"
#include "plot2d/plot_a_win.h"
#include "tools2d/dialog_text.h"
#include "tools2d/searches/letter_saving.h"
#include "tools2d/searches/view_range.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr std::array kCurveKinds{k::kExplicit, k::kPolar, k::kParametric};
constexpr int kStrExtreme = 184;
constexpr std::size_t kMaxLabelChars = 29;
constexpr int kExplicitYMarker = 30;  // x and y only
constexpr int kSlopeMarker = 34;
constexpr int kFirstFourValueMarker = 31;
constexpr int kLastFourValueMarker = 33;

}  // namespace

TExtrDlg::TExtrDlg(plot2d::TPlotAWin& window)
    : TComboDlg(window, "EXTREMES", kCurveKinds), owner_(window) {}

void TExtrDlg::SetupWindow() {
    ready_ = false;
    search_.Restart();
    TComboDlg::SetupWindow();
    letter_ = FillLetters(*this, kLetter);
    FillChoices();
    ready_ = true;
    NextExtreme();
}

void TExtrDlg::RefillLists() {
    TComboDlg::RefillLists();
    EnableControls();
}

void TExtrDlg::SelectionChanged() {
    search_.Restart();
    FillChoices();
    if (ready_) NextExtreme();
}

void TExtrDlg::FillChoices() {
    if (!IsCreated()) return;
    ClearList(kTarget);
    ClearList(kCoordinate);
    for (const TExtremeTargetRow& row : ExtremeTargetsOf(SelectedKind()))
        AddString(kTarget, FromWindows1252(row.name));
    for (const TExtremeCoordinate& c : ExtremeCoordinatesOf(SelectedKind()))
        AddString(kCoordinate, FromWindows1252(c.name));
    target_ = 0;
    coordinate_ = 0;
    SetSelectedIndex(kTarget, 0);
    SetSelectedIndex(kCoordinate, 0);
}

const TExtremeTargetRow* TExtrDlg::Target() const {
    const auto rows = ExtremeTargetsOf(SelectedKind());
    return target_ >= 0 && target_ < static_cast<int>(rows.size()) ? &rows[target_] : nullptr;
}

void TExtrDlg::NextExtreme() {
    const int i = SelectedExample();
    const TExtremeTargetRow* target = Target();
    if (i < 0 || !target) {
        ShowResult(std::nullopt);
        return;
    }
    ShowResult(search_.Next(owner_.Formulas(), owner_.Inventory()[i], *target,
                            ShownXRange(owner_.View())));
}

void TExtrDlg::ShowResult(std::optional<TExtremePoint> point) {
    shown_ = point;
    std::string text = "?";
    if (shown_) {
        const TExtremeTargetRow& target = *Target();
        const auto& [x, y, third, t] = shown_->values;
        text = "x = " + owner_.FormatNum(x) + "\r\ny = " + owner_.FormatNum(y) + "\r\n";
        if (target.marker > kExplicitYMarker)
            text += (target.marker == kSlopeMarker ? "y' = " : "r = ") + owner_.FormatNum(third) +
                    "\r\n";
        if (target.marker >= kFirstFourValueMarker && target.marker <= kLastFourValueMarker)
            text += "t = " + owner_.FormatNum(t) + "\r\n";
        std::string label = EntryLabel(kStrExtreme, kMaxLabelChars) + std::string(target.suffix);
        if (label.size() > kMaxLabelChars) label.resize(kMaxLabelChars);
        // The data entry of the plot level (the tool level's one adds a derived point).
        static_cast<examples::TPlotWin&>(owner_).AddMarkedPoint(
            SelectedExample(), target.marker, shown_->values, target.count, label);
    }
    owner_.Invalidate();
    if (IsCreated()) SetText(kResult, FromWindows1252(text));
    EnableControls();
}

void TExtrDlg::Clear() {
    shown_.reset();
    if (IsCreated()) SetText(kResult, QString());
    EnableControls();
}

void TExtrDlg::EnableControls() {
    if (!IsCreated()) return;
    EnableControl(kSave, shown_.has_value());
    EnableControl(kMark, shown_ && owner_.Inventory().HasRoom());
}

void TExtrDlg::Save() {
    const auto coordinates = ExtremeCoordinatesOf(SelectedKind());
    if (!shown_ || coordinate_ < 0 || coordinate_ >= static_cast<int>(coordinates.size())) return;
    const int value = coordinates[static_cast<std::size_t>(coordinate_)].value;
    SaveIntoLetter(owner_, letter_, shown_->values[static_cast<std::size_t>(value)]);
}

void TExtrDlg::OnControl(int id) {
    switch (id) {
        case kNext:
            NextExtreme();
            break;
        case kSave:
            Save();
            break;
        case kMark:
            if (shown_) owner_.MarkPoint(shown_->values[0], shown_->values[1]);
            break;
        default:
            TComboDlg::OnControl(id);
            break;
    }
}

void TExtrDlg::OnNotify(int id, platform::Notification what) {
    if (what != platform::Notification::SelectionChanged) {
        TComboDlg::OnNotify(id, what);
        return;
    }
    switch (id) {
        case kTarget:
            if (const int target = std::max(SelectedIndex(kTarget), 0); target != target_) {
                target_ = target;
                NextExtreme();  // the scan goes on where it was
            }
            break;
        case kCoordinate:
            coordinate_ = std::max(SelectedIndex(kCoordinate), 0);
            break;
        case kLetter:
            letter_ = LetterOf(*this, kLetter);
            break;
        default:
            TComboDlg::OnNotify(id, what);
            break;
    }
}

}  // namespace quorlin::tools2d
