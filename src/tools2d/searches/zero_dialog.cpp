#include "tools2d/searches/zero_dialog.h"

#include <array>

#include "platform/text_codec.h"
#include "plot2d/plot_a_win.h"
#include "tools2d/dialog_text.h"
#include "tools2d/entry_tags.h"
#include "tools2d/searches/letter_saving.h"
#include "tools2d/searches/view_range.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr std::array kZeroKinds{k::kExplicit, k::kSegment, k::kLine};
constexpr int kStrXIntercept = 182;
constexpr int kStrCouldNotFind = 402;
constexpr int kStrTooMany = 516;
constexpr std::size_t kMaxLabelChars = 29;
constexpr int kMaxResultChars = 50;

}  // namespace

TZeroDlg::TZeroDlg(plot2d::TPlotAWin& window)
    : TComboDlg(window, "ZEROS", kZeroKinds), owner_(window) {}

void TZeroDlg::SetupWindow() {
    ready_ = false;
    TComboDlg::SetupWindow();
    letter_ = FillLetters(*this, kLetter);
    search_.Restart();
    ready_ = true;
    NextZero();
}

void TZeroDlg::RefillLists() {
    TComboDlg::RefillLists();
    EnableControls();
}

void TZeroDlg::SelectionChanged() {
    if (ready_) NextZero();
}

void TZeroDlg::NextZero() {
    const int i = SelectedExample();
    if (i < 0) {
        ShowResult({});
        return;
    }
    const canvas::TViewFrame& view = owner_.View();
    ShowResult(search_.Next(owner_.Formulas(), owner_.Compiler(), owner_.Inventory()[i], i,
                            ShownXRange(view), view.halfHeight));
}

void TZeroDlg::ShowResult(const TZeroResult& result) {
    found_ = false;
    std::string text;
    switch (result.outcome) {
        case TZeroOutcome::Found:
            zero_ = result.zero;
            text = owner_.FormatNum(zero_);
            found_ = true;
            // The data entry of the plot level (the tool level's one adds a derived point).
            static_cast<examples::TPlotWin&>(owner_).AddMarkedPoint(
                SelectedExample(), entry_tag::kZero, {zero_, 0, 0, 0}, 1,
                EntryLabel(kStrXIntercept, kMaxLabelChars));
            break;
        case TZeroOutcome::TooMany:
            text = EntryLabel(kStrTooMany, kMaxResultChars);
            break;
        case TZeroOutcome::NotFound:
            text = EntryLabel(kStrCouldNotFind, kMaxResultChars);
            break;
    }
    if (text.size() > kMaxResultChars) text.resize(kMaxResultChars);
    owner_.Invalidate();
    if (IsCreated()) SetText(kResult, FromWindows1252(text));
    EnableControls();
}

void TZeroDlg::Clear() {
    found_ = false;
    if (IsCreated()) SetText(kResult, QString());
    EnableControls();
}

void TZeroDlg::EnableControls() {
    if (!IsCreated()) return;
    EnableControl(kSave, found_);
    EnableControl(kMark, found_ && owner_.Inventory().HasRoom());
}

void TZeroDlg::SaveZero() {
    if (found_) SaveIntoLetter(owner_, letter_, zero_);
}

void TZeroDlg::OnControl(int id) {
    switch (id) {
        case kNext:
            NextZero();
            break;
        case kSave:
            SaveZero();
            break;
        case kMark:
            if (found_) owner_.MarkPoint(zero_, 0);
            break;
        default:
            TComboDlg::OnControl(id);
            break;
    }
}

void TZeroDlg::OnNotify(int id, platform::Notification what) {
    if (id == kLetter && what == platform::Notification::SelectionChanged) {
        letter_ = LetterOf(*this, kLetter);
        return;
    }
    TComboDlg::OnNotify(id, what);
}

}  // namespace quorlin::tools2d
