#include "examples/levels/interval_dialog.h"

#include <algorithm>
#include <utility>

#include "core/errors.h"
#include "examples/levels/plot1_win.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

constexpr long double kTiny = 1e-13L;
constexpr qsizetype kMaxSubintervalChars = 10;
constexpr long long kMostSubintervals = 2147483647;
constexpr std::size_t kMaxLabelChars = 28;

}  // namespace

int ReadSubintervalCount(FormulaContext& formulas, const QString& text, int& out) {
    const QString count = text.trimmed();
    if (count.size() > kMaxSubintervalChars) return kErrOutOfBounds;
    const std::optional<std::string> encoded = ToWindows1252(count);
    if (!encoded) return kErrOutOfBounds;
    int read = 0;
    if (formulas.ReadInteger(*encoded, 1, kMostSubintervals, read) != kNoError)
        return kErrOutOfBounds;
    out = read;
    return kNoError;
}

// --- T2ComboDlg ------------------------------------------------------------------------------

T2ComboDlg::T2ComboDlg(TPlotWin& window, std::string_view templateName, std::span<const int> kinds,
                       std::span<const int> kinds2)
    : TComboDlg(window, templateName, kinds), kinds2_(kKindTableSize, false) {
    for (const int k : kinds2)
        if (k >= 0 && k < kKindTableSize) kinds2_[static_cast<std::size_t>(k)] = true;
}

bool T2ComboDlg::Accepts2(int k) const {
    const TExample& e = Window().Inventory()[k];
    if (e.kind < 0 || e.kind >= kKindTableSize || !kinds2_[static_cast<std::size_t>(e.kind)])
        return false;
    if (e.IsLagrangeExplicit() && !allowLagrange) return false;
    if (e.listing < 0) return false;
    if (allowDerived) return true;
    const bool implicitProfile = e.kind == kind::kRevolution && e.subKind == kind::kImplicit;
    return e.derivation < 1 && (!implicitProfile || allowImplicitProfile);
}

void T2ComboDlg::FillList2() {
    ClearList(kList2Id);
    map2_.clear();
    const TInventory& inventory = Window().Inventory();
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        if (!Accepts2(k)) continue;
        const std::string& name = inventory.Entry(k).name;
        AddString(kList2Id, FromWindows1252(name.empty() ? Window().DescribeExample(k) : name));
        map2_.push_back(k);
    }
}

int T2ComboDlg::ListIndexOf2(int example) const {
    const auto at = std::find(map2_.begin(), map2_.end(), example);
    return at == map2_.end() ? -1 : static_cast<int>(at - map2_.begin());
}

void T2ComboDlg::ChooseSecond(int g) {
    const int position = ListIndexOf2(g);
    if (position < 0) return;
    SetSelectedIndex(kList2Id, position);
    ReadSelection2();
}

void T2ComboDlg::ReadSelection2() {
    const int position = map2_.empty() ? -1 : SelectedIndex(kList2Id);
    if (position < 0 || position >= static_cast<int>(map2_.size())) {
        selected2_ = -1;
        selectedKind2_ = 0;
        return;
    }
    position2_ = position;
    selected2_ = map2_[static_cast<std::size_t>(position)];
    selectedKind2_ = Window().Inventory()[selected2_].kind;
    SecondSelectionChanged();
}

void T2ComboDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    FillList2();
    // The newest example of the second list.
    SetSelectedIndex(kList2Id, static_cast<int>(map2_.size()) - 1);
    ReadSelection2();
}

void T2ComboDlg::RefillLists() {
    TComboDlg::RefillLists();
    FillList2();
    const int last = static_cast<int>(map2_.size()) - 1;
    const int position =
        std::exchange(followSecond_, false) ? ListIndexOf2(selected2_) : std::min(position2_, last);
    SetSelectedIndex(kList2Id, position);
    ReadSelection2();
}

void T2ComboDlg::ExamplesRenumbered(std::span<const int> map) {
    TComboDlg::ExamplesRenumbered(map);
    selected2_ = RenumberedExample(selected2_, map);
    if (selected2_ < 0) selectedKind2_ = 0;
    followSecond_ = true;
}

void T2ComboDlg::OnNotify(int id, platform::Notification what) {
    if (id == kList2Id && what == platform::Notification::SelectionChanged) {
        ReadSelection2();
        return;
    }
    TComboDlg::OnNotify(id, what);
}

// --- TPreRiemDlg -----------------------------------------------------------------------------

TPreRiemDlg::TPreRiemDlg(TPlot1Win& window, std::string_view templateName,
                         std::span<const int> kinds, int markKind, int labelId)
    : T2ComboDlg(window, templateName, kinds, kinds), tool_(window), markKind_(markKind) {
    markLabel_ = ToWindows1252(platform::ResourceString(labelId)).value_or(std::string());
    if (markLabel_.size() > kMaxLabelChars) markLabel_.resize(kMaxLabelChars);
}

void TPreRiemDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    ShowInterval();
}

void TPreRiemDlg::ShowInterval() {
    const TToolSettings& tools = tool_.Tools();
    const NumberFormat format = tool_.Format();
    SetText(kLowEdit, FromWindows1252(format.FormatNum(tools.low)));
    SetText(kHighEdit, FromWindows1252(format.FormatNum(tools.high)));
    SetText(kSubintervalEdit, QString::number(tools.subintervals));
}

int TPreRiemDlg::ReadInterval() {
    FormulaContext& formulas = tool_.Formulas();
    TToolSettings& tools = tool_.Tools();
    const long double left = tool_.View().left;
    const long double right = tool_.View().right;
    long double low = tools.low;
    long double high = tools.high;
    int error = kNoError;
    if (!tied_) {
        int lowLetter = 0;
        int highLetter = 0;
        error = formulas.ReadNumberAndLetter(ToWindows1252(GetText(kLowEdit)).value_or("?"), low,
                                             lowLetter);
        if (error == kNoError)
            error = formulas.ReadNumberAndLetter(ToWindows1252(GetText(kHighEdit)).value_or("?"),
                                                 high, highLetter);
        if (error == kNoError && high < low + kTiny) error = kErrInconsistentData;
        if (error == kNoError && (low < left || high > right)) error = kErrOutOfBounds;
        if (error == kNoError) {
            lowLetter_ = lowLetter;
            highLetter_ = highLetter;
        }
    } else {
        if (lowLetter_ > 0) low = formulas.Var(lowLetter_);
        if (highLetter_ > 0) high = formulas.Var(highLetter_);
        // Parameters moved out of the view or past each other leave the interval as it was.
        if (high < low + kTiny || low < left + kTiny || high > right - kTiny) {
            low = tools.low;
            high = tools.high;
        }
    }
    int subintervals = 0;
    if (error == kNoError)
        error = ReadSubintervalCount(formulas, GetText(kSubintervalEdit), subintervals);
    if (error != kNoError) return error;
    tools.low = low;
    tools.high = high;
    tools.subintervals = subintervals;
    return kNoError;
}

void TPreRiemDlg::ApplyInterval() {
    int error = ReadInterval();
    if (error == kNoError) error = ComputeResult();
    if (error != kNoError) {
        ClearResults();
        ShowResultText();
        // Q: nothing shown, nothing recorded, no message.
        if (error > 0 && error != kKeyStop) platform::ErrorMsg(this, error);
        return;
    }
    tied_ = (lowLetter_ > 0 || highLetter_ > 0) && lowLetter_ != highLetter_;
    if (tied_) {
        const TToolSettings& tools = tool_.Tools();
        if (lowLetter_ > 0) tool_.Formulas().SetVar(lowLetter_, tools.low);
        if (highLetter_ > 0) tool_.Formulas().SetVar(highLetter_, tools.high);
        if (lowLetter_ > 0) tool_.OpenParamDialog(lowLetter_);
        if (highLetter_ > 0) tool_.OpenParamDialog(highLetter_);
    }
    ShowResultText();
    PrepareOverlay();
    activateWindow();
}

void TPreRiemDlg::ShowResultText() {
    SetText(kResultStatic, FromWindows1252(resultText_));
}

void TPreRiemDlg::ClearResults() {
    result_ = 0;
    resultText_.clear();
}

void TPreRiemDlg::FieldEdited(int) {
    ClearResults();
    ShowResultText();
}

void TPreRiemDlg::ClearLinks() {
    lowLetter_ = 0;
    highLetter_ = 0;
    tied_ = false;
}

void TPreRiemDlg::PrepareOverlay() {
    if (SelectedExample() < 0) return;
    const TToolSettings& tools = tool_.Tools();
    tool_.AddMarkedPoint(
        SelectedExample(), markKind_,
        {tools.low, tools.high, result_, static_cast<long double>(tools.subintervals)}, 4,
        markLabel_);
}

void TPreRiemDlg::OnControl(int id) {
    if (id == kValueButton) {
        // "value": the typed limits count again.
        tied_ = false;
        ApplyInterval();
        return;
    }
    T2ComboDlg::OnControl(id);
}

}  // namespace quorlin::examples
