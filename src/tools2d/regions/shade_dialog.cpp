#include "tools2d/regions/shade_dialog.h"

#include "shell/col_win.h"

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "plot2d/plot_a_win.h"
#include "tools2d/dialog_text.h"

namespace quorlin::tools2d {

namespace {

using examples::TShadeRecord;

constexpr int kStrBetween = 185;
constexpr int kStrAbove = 186;
constexpr int kStrBelow = 187;
constexpr std::size_t kMaxEndChars = 30;
constexpr int kEndFieldChars = 50;
constexpr int kExplicitOnly[] = {examples::kind::kExplicit};

std::string SideWord(const TShadeRecord& record) {
    const int id = record.second == TShadeRecord::kAbove   ? kStrAbove
                   : record.second == TShadeRecord::kBelow ? kStrBelow
                                                           : kStrBetween;
    return ToWindows1252(platform::ResourceString(id)).value_or("");
}

}  // namespace

TShadeDlg::TShadeDlg(plot2d::TPlotAWin& window)
    : T2ComboDlg(window, "SHADE", kExplicitOnly, kExplicitOnly), owner_(window) {
    low_ = window.View().left;
    high_ = window.View().right;
}

void TShadeDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    SetMaxLength(kLowEdit, kEndFieldChars);
    SetMaxLength(kHighEdit, kEndFieldChars);
    SetChecked(kIntersectionCheck, owner_.Options().shadingOption != 0);
    FillList();
    if (owner_.State2D().shades.empty()) ShowRecord(TShadeRecord::kAbove);
    if (owner_.IsPaletteShown()) owner_.ChooseColor(plot2d::kShadingColourRole);
}

void TShadeDlg::RefillLists() {
    T2ComboDlg::RefillLists();
    FillList();
}

void TShadeDlg::FillList() {
    if (!IsCreated()) return;
    ClearList(kShadeList);
    const examples::ShadeList& shades = owner_.State2D().shades;
    for (const TShadeRecord& record : shades) {
        const std::string first = owner_.DescribeExample(record.first);
        std::optional<std::string> second;
        // A file may hold a shading down to the x-axis.
        if (record.second == TShadeRecord::kToAxis)
            second = "y = 0";
        else if (SideOf(record) == TShadeSide::kBetween)
            second = owner_.DescribeExample(record.second);
        AddString(kShadeList, FromWindows1252(ShadeLine(SideWord(record), first, second)));
    }
    EnableControl(kDeleteButton, !shades.empty());
    EnableControl(kDeleteAllButton, !shades.empty());
    if (shades.empty()) return;
    SetSelectedIndex(kShadeList, 0);
    ShowSelectedRecord();
}

void TShadeDlg::ShowRecord(int side) {
    SetChecked(kIntervalCheck, interval_);
    SetText(kLowEdit, FromWindows1252(EndText(owner_.FormatNum(low_), lowParameter_)));
    SetText(kHighEdit, FromWindows1252(EndText(owner_.FormatNum(high_), highParameter_)));
    SetChecked(kAbove, side == TShadeRecord::kAbove);
    SetChecked(kBelow, side == TShadeRecord::kBelow);
    SetChecked(kBetween, side >= 0 || side == TShadeRecord::kToAxis);
    if (owner_.IsPaletteShown()) owner_.PaletteWindow()->update();
}

void TShadeDlg::ShowSelectedRecord() {
    const examples::ShadeList& shades = owner_.State2D().shades;
    const int position = SelectedIndex(kShadeList);
    if (position < 0 || position >= static_cast<int>(shades.size())) return;
    const TShadeRecord& record = shades[static_cast<std::size_t>(position)];
    owner_.Roles().SetRole(plot2d::kShadingColourRole, record.colour);
    interval_ = record.intervalOn != 0;
    // A record over the whole view keeps no ends: the fields keep the interval they had.
    if (interval_) {
        low_ = record.low;
        high_ = record.high;
        lowParameter_ = record.LowEndParameter();
        highParameter_ = record.HighEndParameter();
    }
    if (const int at = ListIndexOf(record.first); at >= 0) {
        showing_ = true;
        SelectPosition(at);
        showing_ = false;
    }
    if (record.second >= 0) SelectSecond(record.second);
    ShowRecord(record.second);
}

void TShadeDlg::SelectSecond(int g) {
    const int position = ListIndexOf2(g);
    if (position < 0) return;
    SetSelectedIndex(kList2Id, position);
    T2ComboDlg::OnNotify(kList2Id, platform::Notification::SelectionChanged);
}

TShadeSide TShadeDlg::CheckedSide() const {
    if (IsChecked(kBetween)) return TShadeSide::kBetween;
    return IsChecked(kBelow) ? TShadeSide::kBelow : TShadeSide::kAbove;
}

int TShadeDlg::CmShade() {
    TShadeRequest request;
    request.side = CheckedSide();
    request.first = SelectedExample();
    request.second = SelectedExample2();
    request.interval = IsChecked(kIntervalCheck);
    request.lowText = EditText(*this, kLowEdit, kMaxEndChars);
    request.highText = EditText(*this, kHighEdit, kMaxEndChars);
    request.pattern = pattern_;
    request.colour = owner_.Roles().Role(plot2d::kShadingColourRole);
    TShadeRecord record;
    int error = request.first < 0 ? kErrMakeSelection : kNoError;
    if (error == kNoError) error = MakeShadeRecord(owner_.Formulas(), request, record);
    if (error != kNoError) {
        platform::ErrorMsg(this, error);
        return error;
    }
    examples::ShadeList& shades = owner_.State2D().shades;
    shades.insert(shades.begin(), record);
    ShadingsChanged(true);
    FillList();
    owner_.MarkWindowSymbols();
    pattern_ = NextPattern(pattern_);
    return kNoError;
}

void TShadeDlg::DeleteSelected() {
    if (!RemoveShadeAt(owner_.State2D().shades, SelectedIndex(kShadeList))) return;
    FillList();
    ShadingsChanged(true);
}

void TShadeDlg::DeleteAll() {
    owner_.FreeShadeList();
    FillList();
    ShadingsChanged(true);
}

void TShadeDlg::ShadingsChanged(bool modified) {
    owner_.InvalidateImage(ImageLayer::Background);
    owner_.Invalidate();
    if (modified) owner_.MarkModified();
}

void TShadeDlg::OnControl(int id) {
    switch (id) {
        case kShadeButton:
            CmShade();
            break;
        case kDeleteButton:
            DeleteSelected();
            break;
        case kDeleteAllButton:
            DeleteAll();
            break;
        case kColourButton:
            owner_.ChooseColor(plot2d::kShadingColourRole);
            colourChosen_ = true;
            break;
        case kIntersectionCheck:
            owner_.Options().shadingOption = IsChecked(kIntersectionCheck) ? 1 : 0;
            ShadingsChanged(false);
            break;
        case platform::kIdCancel:
            // The palette the colour choice opened goes with the dialog.
            if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
            T2ComboDlg::OnControl(id);
            break;
        default:
            T2ComboDlg::OnControl(id);
            break;
    }
}

void TShadeDlg::OnNotify(int id, platform::Notification what) {
    if (id == kShadeList && what == platform::Notification::SelectionChanged) {
        ShowSelectedRecord();
        return;
    }
    T2ComboDlg::OnNotify(id, what);
}

}  // namespace quorlin::tools2d
