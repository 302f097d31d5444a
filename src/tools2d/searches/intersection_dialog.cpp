#include "tools2d/searches/intersection_dialog.h"

#include <array>
#include <numbers>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "plot2d/plot_a_win.h"
#include "tools2d/dialog_text.h"
#include "tools2d/searches/letter_saving.h"
#include "tools2d/searches/view_range.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr std::array kMeetingKinds{k::kExplicit, k::kPolar,   k::kParametric,
                                   k::kImplicit, k::kSegment, k::kLine};
constexpr int kEntryCode = 20;
constexpr int kStrIntersection = 183;
constexpr int kStrCouldNotFind = 402;
constexpr int kStrTooMany = 516;
constexpr std::size_t kMaxLabelChars = 29;
constexpr std::size_t kMaxResultChars = 100;

}  // namespace

TInterCCDlg::TInterCCDlg(plot2d::TPlotAWin& window)
    : T2ComboDlg(window, "INTER", kMeetingKinds, kMeetingKinds), owner_(window) {}

void TInterCCDlg::SetupWindow() {
    ready_ = false;
    search_.Restart();
    T2ComboDlg::SetupWindow();
    SetChecked(kDegrees, owner_.State2D().degrees);
    ShowControl(kDegrees, owner_.View().logMode == canvas::kLogNone);
    examples::TPlot11Win::FillLetterCombo(*this, kCoordinate, "XYZ");
    letter_ = FillLetters(*this, kLetter);
    coordinate_ = std::max(SelectedIndex(kCoordinate), 0);
    ready_ = true;
    NextIntersection();
}

void TInterCCDlg::RefillLists() {
    T2ComboDlg::RefillLists();
    EnableControls();
}

void TInterCCDlg::SelectionChanged() {
    if (ready_ && SelectedExample2() >= 0) NextIntersection();
}

void TInterCCDlg::SecondSelectionChanged() {
    search_.Restart();  // the walk starts on the new curve's first piece
    if (ready_ && SelectedExample() >= 0) NextIntersection();
}

void TInterCCDlg::NextIntersection() {
    const int a = SelectedExample();
    const int b = SelectedExample2();
    result_ = {};
    if (a >= 0 && b >= 0) {
        const canvas::TViewFrame& view = owner_.View();
        const TXRange across = ShownXRange(view);
        const TXRange upwards = ShownYRange(view);
        TIntersectionScene scene{
            .f = owner_.Formulas(),
            .compiler = owner_.Compiler(),
            .inventory = owner_.Inventory(),
            .left = across.low,
            .right = across.high,
            .down = upwards.low,
            .up = upwards.high,
            .tracer = dynamics::TracerSettings::ForPixelSize(view.unitsPerPixelX),
        };
        result_ = search_.Next(scene, a, b);
    }
    ShowResult(true);
}

void TInterCCDlg::ShowResult(bool record) {
    std::string text;
    if (result_.result == 1) {
        text = "x = " + owner_.FormatNum(result_.at.x) +
               "\r\ny = " + owner_.FormatNum(result_.at.y) + "\r\n\r\n";
        if (owner_.View().logMode == canvas::kLogNone) {
            const bool degrees = owner_.State2D().degrees;
            text += "z = " +
                    owner_.FormatNum(degrees ? result_.angle * 180 / std::numbers::pi_v<long double>
                                             : result_.angle);
        }
        if (record) {
            const std::string label = EntryLabel(kStrIntersection, kMaxLabelChars);
            // The data entries of the plot level (the tool level's one adds a derived point).
            auto& plot = static_cast<examples::TPlotWin&>(owner_);
            for (const int i : {SelectedExample(), SelectedExample2()})
                plot.AddMarkedPoint(i, kEntryCode, {result_.at.x, result_.at.y, 0, 0}, 2, label);
        }
    } else {
        text = EntryLabel(result_.result == 10 ? kStrTooMany : kStrCouldNotFind, kMaxResultChars);
    }
    if (text.size() > kMaxResultChars) text.resize(kMaxResultChars);
    owner_.Invalidate();
    if (IsCreated()) SetText(kResult, FromWindows1252(text));
    EnableControls();
}

void TInterCCDlg::Clear() {
    result_ = {};
    if (IsCreated()) SetText(kResult, QString());
    EnableControls();
}

void TInterCCDlg::EnableControls() {
    if (!IsCreated()) return;
    EnableControl(kSave, result_.result == 1);
    EnableControl(kMark, result_.result == 1 && owner_.Inventory().HasRoom());
}

void TInterCCDlg::Save() {
    if (result_.result != 1) return;
    const long double values[] = {result_.at.x, result_.at.y, result_.angle};
    SaveIntoLetter(owner_, letter_, values[std::clamp(coordinate_, 0, 2)]);
}

void TInterCCDlg::OnControl(int id) {
    switch (id) {
        case kNext:
            if (SelectedExample() >= 0 && SelectedExample() == SelectedExample2())
                platform::ErrorMsg(this, kErrSelectTwo);
            else
                NextIntersection();
            break;
        case kDegrees:
            owner_.State2D().degrees = IsChecked(kDegrees);
            if (result_.result == 1) ShowResult(false);
            break;
        case kSave:
            Save();
            break;
        case kMark:
            if (result_.result == 1) owner_.MarkPoint(result_.at.x, result_.at.y);
            break;
        default:
            T2ComboDlg::OnControl(id);
            break;
    }
}

void TInterCCDlg::OnNotify(int id, platform::Notification what) {
    if (what == platform::Notification::SelectionChanged && id == kCoordinate) {
        coordinate_ = std::max(SelectedIndex(kCoordinate), 0);
        return;
    }
    if (what == platform::Notification::SelectionChanged && id == kLetter) {
        letter_ = LetterOf(*this, kLetter);
        return;
    }
    T2ComboDlg::OnNotify(id, what);
}

}  // namespace quorlin::tools2d
