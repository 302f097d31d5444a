#include "examples/arclen_dialog.h"

#include <algorithm>

#include "core/errors.h"
#include "examples/plot11_win.h"
#include "examples/tool_commands.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

constexpr int kStrArcLength = 176;  // "arc length": the caption of its data entries
constexpr long double kTiny = 1e-13L;
constexpr std::size_t kMaxCountChars = 9;
constexpr std::size_t kMaxLabelChars = 28;

// Whether the list shows the example: a curve of its own, not a polynomial through points.
bool IsListedCurve(const TExample& e) {
    const bool curve =
        std::find(kCurveKinds.begin(), kCurveKinds.end(), e.kind) != kCurveKinds.end();
    return curve && !e.IsLagrangeExplicit() && e.listing >= 0 && e.derivation < 1;
}

}  // namespace

TArcLenDlg::TArcLenDlg(TPlot11Win& window) : Dialog(&window, "ARCLEN"), window_(window) {}

void TArcLenDlg::SetupWindow() {
    Dialog::SetupWindow();
    ShowControl(296, false);
    RefillLists();
    ShowInterval();
}

void TArcLenDlg::RefillLists() {
    const int kept = selected_;
    listed_.clear();
    ClearList(kCurveList);
    TInventory& inventory = window_.Inventory();
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        if (!IsListedCurve(inventory[i])) continue;
        const std::string& name = inventory.Entry(i).name;
        AddString(kCurveList, FromWindows1252(name.empty() ? window_.DescribeExample(i) : name));
        listed_.push_back(i);
    }
    const auto at = std::find(listed_.begin(), listed_.end(), kept);
    const int position = listed_.empty()       ? -1
                         : at != listed_.end() ? static_cast<int>(at - listed_.begin())
                                               : 0;
    SetSelectedIndex(kCurveList, position);
    ReadSelection();
}

void TArcLenDlg::ReadSelection() {
    const int position = SelectedIndex(kCurveList);
    selected_ = position >= 0 && position < static_cast<int>(listed_.size())
                    ? listed_[static_cast<std::size_t>(position)]
                    : -1;
}

void TArcLenDlg::ShowInterval() {
    const TToolSettings& tools = window_.Tools();
    SetText(kLowEdit, FromWindows1252(window_.Format().FormatNum(tools.low)));
    SetText(kHighEdit, FromWindows1252(window_.Format().FormatNum(tools.high)));
    SetText(kCountEdit, QString::number(tools.subintervals));
}

int TArcLenDlg::ReadInterval() {
    FormulaContext& f = window_.Formulas();
    const auto text = [this](int id) { return ToWindows1252(GetText(id)).value_or("?"); };
    long double low = 0, high = 0;
    int lowLetter = 0, highLetter = 0;
    if (const int error = f.ReadNumberAt(text(kLowEdit), low, lowLetter)) return error;
    if (const int error = f.ReadNumberAt(text(kHighEdit), high, highLetter)) return error;
    if (high < low + kTiny) return kErrInconsistentData;
    // The limits of y = f(x) are x values and must lie in the view; those of the other curves
    // are values of their parameter, which the view does not bound (a whole circle runs to 2 pi).
    const canvas::TViewFrame& view = window_.View();
    const bool explicitCurve = window_.Inventory().IsIndex(selected_) &&
                               window_.Inventory()[selected_].kind == kind::kExplicit;
    if (explicitCurve && (low < view.left || high > view.right)) return kErrOutOfBounds;
    int count = 0;
    if (f.ReadInteger(text(kCountEdit).substr(0, kMaxCountChars), 1, 2147483647, count) != 0)
        return kErrOutOfBounds;
    TToolSettings& tools = window_.Tools();
    tools.low = low;
    tools.high = high;
    tools.subintervals = count;
    lowLetter_ = lowLetter;
    highLetter_ = highLetter;
    return 0;
}

void TArcLenDlg::ApplyInterval() {
    int result = ReadInterval();
    if (result == 0) result = selected_ >= 0 ? window_.ArcLength(selected_) : kErrMakeSelection;
    if (result == kKeyStopped) return;  // Q: nothing shown, nothing recorded
    if (result != 0) {
        platform::ErrorMsg(this, result);
        return;
    }
    TToolSettings& tools = window_.Tools();
    FormulaContext& f = window_.Formulas();
    if ((lowLetter_ > 0 || highLetter_ > 0) && lowLetter_ != highLetter_) {
        const std::pair<int, long double> ends[] = {{lowLetter_, tools.low},
                                                    {highLetter_, tools.high}};
        for (const auto& [letter, value] : ends) {
            if (letter <= 0) continue;
            f.SetVar(letter, value);
            window_.OpenParamDialog(letter);
        }
    }
    const long double length = SumOf(tools.sums, SumRule::Simpson);
    SetText(kResult, FromWindows1252(tools.sumTexts[static_cast<std::size_t>(SumRule::Simpson)]));
    std::string label = ToWindows1252(platform::ResourceString(kStrArcLength)).value_or("");
    if (label.size() > kMaxLabelChars) label.resize(kMaxLabelChars);
    // The data entry of the plot level (the tool level's AddMarkedPoint adds a derived point).
    static_cast<TPlotWin&>(window_).AddMarkedPoint(
        selected_, kMarkKind,
        {tools.low, tools.high, length, static_cast<long double>(tools.subintervals)}, 4, label);
    activateWindow();
}

void TArcLenDlg::OnControl(int id) {
    if (id == kLength) {
        ApplyInterval();
        return;
    }
    if (id == platform::kIdCancel) {
        HideDialog();
        window_.InvalidateImage(ImageLayer::Picture);
        window_.Invalidate();
        return;
    }
    Dialog::OnControl(id);
}

void TArcLenDlg::OnNotify(int id, platform::Notification what) {
    if (id == kCurveList && what == platform::Notification::SelectionChanged) ReadSelection();
    Dialog::OnNotify(id, what);
}

}  // namespace quorlin::examples
