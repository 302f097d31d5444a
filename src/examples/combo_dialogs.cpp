#include "examples/combo_dialogs.h"

#include <QFont>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

constexpr long double kTiny = 1e-13L;
constexpr int kLowEdit = 211;
constexpr int kHighEdit = 212;
constexpr int kSubintervalEdit = 213;
constexpr int kResultStatic = 235;
constexpr std::size_t kMaxSubintervalChars = 9;
constexpr std::size_t kMaxLabelChars = 28;
constexpr int kColourRoleOfSelection = 8;

}  // namespace

// --- TComboDlg -------------------------------------------------------------------------------

TComboDlg::TComboDlg(TComboHost& host, QWidget* parent, std::string_view templateName,
                     std::initializer_list<int> kinds)
    : platform::Dialog(parent, templateName), host_(host) {
    SetKinds(first_, kinds);
}

void TComboDlg::SetKinds(TList& list, std::initializer_list<int> kinds) {
    list.kinds.fill(false);
    for (int code : kinds) {
        if (code < 0) break;
        if (code < kKindCodes) list.kinds[static_cast<std::size_t>(code)] = true;
    }
}

bool TComboDlg::IsFunctionOrLine(const TExample& e) {
    return e.kind == kind::kExplicit || e.kind == kind::kSegment || e.kind == kind::kLine;
}

bool TComboDlg::Accepts(const TList& list, int i) const {
    const TExample& e = host_.Inventory()[i];
    if (e.kind < 0 || e.kind >= kKindCodes || !list.kinds[static_cast<std::size_t>(e.kind)])
        return false;
    if (e.IsLagrangeExplicit() && !allowLagrange) return false;
    if (e.listing < 0) return false;
    if (allowDerived) return true;
    if (e.derivation >= 1) return false;
    return allowProfile || !(e.kind == kind::kRevolution && e.subKind == kind::kImplicit);
}

void TComboDlg::FillList(TList& list) {
    SetControlFont(list.id, host_.ListFont());
    ClearList(list.id);
    list.map.clear();
    const TInventory& inventory = host_.Inventory();
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        if (!Accepts(list, i)) continue;
        const std::string& name = inventory.Entry(i).name;
        AddString(list.id, FromWindows1252(name.empty() ? host_.Description(i) : name));
        list.map.push_back(i);
    }
}

bool TComboDlg::ReadList(TList& list) {
    if (list.map.empty()) return false;
    const int position = SelectedIndex(list.id);
    if (position < 0 || position >= static_cast<int>(list.map.size())) return false;
    list.position = position;
    list.selected = list.map[static_cast<std::size_t>(position)];
    list.kind = host_.Inventory()[list.selected].kind;
    return true;
}

void TComboDlg::ReadSelection() {
    if (!ReadList(first_)) return;
    host_.SetColourRole(kColourRoleOfSelection, host_.Inventory()[first_.selected].pen.colour);
    SelectionChanged();
}

int TComboDlg::ListIndexOf(int example) const {
    for (std::size_t p = 0; p < first_.map.size(); ++p)
        if (first_.map[p] == example) return static_cast<int>(p);
    return -1;
}

void TComboDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    ComboHook17();
    FillList(first_);
    SetSelectedIndex(first_.id, 0);
    ReadSelection();
}

void TComboDlg::RefillLists() {
    const int old = first_.position;
    FillList(first_);
    const int last = static_cast<int>(first_.map.size()) - 1;
    SetSelectedIndex(first_.id, old > last ? 0 : old);
    ReadSelection();
}

void TComboDlg::OnControl(int id) {
    if (id == platform::kIdCancel) {
        CmCancel();
    } else if (id == platform::kIdOk) {
        CmOk();
    } else {
        platform::Dialog::OnControl(id);
    }
}

void TComboDlg::OnNotify(int id, platform::Notification what) {
    if (id == first_.id && what == platform::Notification::SelectionChanged) ReadSelection();
}

void TComboDlg::CmCancel() {
    if (paletteOpened) host_.HidePalette();
    HideDialog();
    MarkClosed();
}

void TComboDlg::MarkClosed() {
    HideDialog();
    host_.ToolClosed();
}

// --- T2ComboDlg ------------------------------------------------------------------------------

T2ComboDlg::T2ComboDlg(TComboHost& host, QWidget* parent, std::string_view templateName,
                       std::initializer_list<int> kinds, std::initializer_list<int> kinds2)
    : TComboDlg(host, parent, templateName, kinds) {
    second_.id = kList2;
    SetKinds(second_, kinds2);
}

void T2ComboDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    FillList(second_);
    SetSelectedIndex(second_.id, static_cast<int>(second_.map.size()) - 1);
    ReadSelection2();
}

void T2ComboDlg::ReadSelection2() {
    if (ReadList(second_)) SecondSelectionChanged();
}

int T2ComboDlg::ListIndexOf2(int example) const {
    for (std::size_t p = 0; p < second_.map.size(); ++p)
        if (second_.map[p] == example) return static_cast<int>(p);
    return -1;
}

void T2ComboDlg::RefillLists() {
    TComboDlg::RefillLists();
    const int old = second_.position;
    FillList(second_);
    const int last = static_cast<int>(second_.map.size()) - 1;
    SetSelectedIndex(second_.id, old > last ? last : old);
    ReadSelection2();
}

void T2ComboDlg::OnNotify(int id, platform::Notification what) {
    if (id == second_.id && what == platform::Notification::SelectionChanged) {
        ReadSelection2();
        return;
    }
    TComboDlg::OnNotify(id, what);
}

// --- TPreRiemDlg -----------------------------------------------------------------------------

TPreRiemDlg::TPreRiemDlg(TIntervalHost& host, QWidget* parent, std::string_view templateName,
                         std::initializer_list<int> kinds, int markKind, int labelId)
    : T2ComboDlg(host, parent, templateName, kinds, kinds), tool_(host), markKind_(markKind) {
    markLabel_ = ToWindows1252(platform::ResourceString(labelId)).value_or(std::string());
    if (markLabel_.size() > kMaxLabelChars) markLabel_.resize(kMaxLabelChars);
}

void TPreRiemDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    ShowInterval();
}

void TPreRiemDlg::ShowInterval() {
    const TToolInterval& interval = tool_.Interval();
    SetText(kLowEdit, FromWindows1252(tool_.FormatNumber(interval.low)));
    SetText(kHighEdit, FromWindows1252(tool_.FormatNumber(interval.high)));
    SetText(kSubintervalEdit, QString::number(interval.subintervals));
}

int TPreRiemDlg::ReadInterval() {
    FormulaContext& formulas = tool_.Formulas();
    TToolInterval& interval = tool_.Interval();
    const long double left = tool_.ViewLeft();
    const long double right = tool_.ViewRight();
    long double low = interval.low;
    long double high = interval.high;
    int error = kNoError;
    if (!tied_) {
        const std::string lowText = ToWindows1252(GetText(kLowEdit)).value_or("?");
        const std::string highText = ToWindows1252(GetText(kHighEdit)).value_or("?");
        int lowLetter = 0;
        int highLetter = 0;
        error = formulas.ReadNumberAndLetter(lowText, low, lowLetter);
        if (error == kNoError) error = formulas.ReadNumberAndLetter(highText, high, highLetter);
        if (error == kNoError && high < low + kTiny) error = kErrInconsistentData;
        if (error == kNoError && (low < left || high > right)) error = kErrOutOfBounds;
        if (error == kNoError) {
            lowLetter_ = lowLetter;
            highLetter_ = highLetter;
        }
    } else {
        if (lowLetter_ > 0) low = formulas.Var(lowLetter_);
        if (highLetter_ > 0) high = formulas.Var(highLetter_);
        if (high < low + kTiny || low < left + kTiny || high > right - kTiny) {
            low = interval.low;
            high = interval.high;
        }
    }
    int subintervals = 0;
    if (error == kNoError) {
        const std::string text = ToWindows1252(GetText(kSubintervalEdit)).value_or("?");
        if (formulas.ReadInteger(text.substr(0, kMaxSubintervalChars), 1, 2147483647,
                                 subintervals) != kNoError)
            error = kErrOutOfBounds;
    }
    if (error != kNoError) return error;
    interval.low = low;
    interval.high = high;
    interval.subintervals = subintervals;
    return kNoError;
}

void TPreRiemDlg::ApplyInterval() {
    int error = ReadInterval();
    if (error == kNoError) error = ComputeResult();
    if (error > 0) {
        platform::ErrorMsg(this, error);
        return;
    }
    tied_ = (lowLetter_ > 0 || highLetter_ > 0) && lowLetter_ != highLetter_;
    if (tied_) {
        const TToolInterval& interval = tool_.Interval();
        FormulaContext& formulas = tool_.Formulas();
        if (lowLetter_ > 0) formulas.SetVar(lowLetter_, interval.low);
        if (highLetter_ > 0) formulas.SetVar(highLetter_, interval.high);
        if (lowLetter_ > 0) tool_.OpenParamDialog(lowLetter_);
        if (highLetter_ > 0) tool_.OpenParamDialog(highLetter_);
    }
    ShowResultText();
    PrepareOverlay();
    activateWindow();
}

void TPreRiemDlg::ShowResultText() {
    SetText(kResultStatic, FromWindows1252(tool_.Interval().resultText));
}

void TPreRiemDlg::PrepareOverlay() {
    if (Selected() < 0) return;
    const TToolInterval& interval = tool_.Interval();
    tool_.AddMarkedPoint(Selected(), markKind_,
                         {interval.low, interval.high, interval.result,
                          static_cast<long double>(interval.subintervals)},
                         4, markLabel_);
}

void TPreRiemDlg::OnControl(int id) {
    if (id == kValueButton) {
        tied_ = false;
        ApplyInterval();
        return;
    }
    T2ComboDlg::OnControl(id);
}

}  // namespace quorlin::examples
