#include "examples/levels/arclen_dialog.h"

#include "core/errors.h"
#include "examples/levels/interval_dialog.h"
#include "examples/levels/plot11_win.h"
#include "examples/operations/tool_commands.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

constexpr int kStrArcLength = 176;  // "arc length": the caption of its data entries
constexpr long double kTiny = 1e-13L;
constexpr std::size_t kMaxLabelChars = 28;

}  // namespace

TArcLenDlg::TArcLenDlg(TPlot11Win& window)
    : TComboDlg(window, "ARCLEN", kCurveKinds), owner_(window) {}

void TArcLenDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    ShowControl(296, false);
    ShowInterval();
}

void TArcLenDlg::ShowInterval() {
    const TToolSettings& tools = owner_.Tools();
    SetText(kLowEdit, FromWindows1252(owner_.Format().FormatNum(tools.low)));
    SetText(kHighEdit, FromWindows1252(owner_.Format().FormatNum(tools.high)));
    SetText(kCountEdit, QString::number(tools.subintervals));
}

int TArcLenDlg::ReadInterval() {
    FormulaContext& f = owner_.Formulas();
    const auto text = [this](int id) { return ToWindows1252(GetText(id)).value_or("?"); };
    long double low = 0, high = 0;
    int lowLetter = 0, highLetter = 0;
    if (const int error = f.ReadNumberAt(text(kLowEdit), low, lowLetter)) return error;
    if (const int error = f.ReadNumberAt(text(kHighEdit), high, highLetter)) return error;
    if (high < low + kTiny) return kErrInconsistentData;
    // The limits of y = f(x) are x values and must lie in the view; those of the other curves
    // are values of their parameter, which the view does not bound (a whole circle runs to 2 pi).
    const canvas::TViewFrame& view = owner_.View();
    const bool explicitCurve = owner_.Inventory().IsIndex(SelectedExample()) &&
                               owner_.Inventory()[SelectedExample()].kind == kind::kExplicit;
    if (explicitCurve && (low < view.left || high > view.right)) return kErrOutOfBounds;
    int count = 0;
    if (const int error = ReadSubintervalCount(f, GetText(kCountEdit), count)) return error;
    TToolSettings& tools = owner_.Tools();
    tools.low = low;
    tools.high = high;
    tools.subintervals = count;
    lowLetter_ = lowLetter;
    highLetter_ = highLetter;
    return 0;
}

void TArcLenDlg::ApplyInterval() {
    int result = ReadInterval();
    if (result == 0)
        result = SelectedExample() >= 0 ? owner_.ArcLength(SelectedExample()) : kErrMakeSelection;
    if (result != 0) {
        ClearResult();
        if (result != kKeyStop) platform::ErrorMsg(this, result);  // Q: nothing recorded
        return;
    }
    TToolSettings& tools = owner_.Tools();
    FormulaContext& f = owner_.Formulas();
    if ((lowLetter_ > 0 || highLetter_ > 0) && lowLetter_ != highLetter_) {
        const std::pair<int, long double> ends[] = {{lowLetter_, tools.low},
                                                    {highLetter_, tools.high}};
        for (const auto& [letter, value] : ends) {
            if (letter <= 0) continue;
            f.SetVar(letter, value);
            owner_.OpenParamDialog(letter);
        }
    }
    const long double length = SumOf(tools.sums, SumRule::Simpson);
    SetText(kResult, FromWindows1252(tools.sumTexts[static_cast<std::size_t>(SumRule::Simpson)]));
    std::string label = ToWindows1252(platform::ResourceString(kStrArcLength)).value_or("");
    if (label.size() > kMaxLabelChars) label.resize(kMaxLabelChars);
    // The data entry of the plot level (the tool level's AddMarkedPoint adds a derived point).
    static_cast<TPlotWin&>(owner_).AddMarkedPoint(
        SelectedExample(), kMarkKind,
        {tools.low, tools.high, length, static_cast<long double>(tools.subintervals)}, 4, label);
    activateWindow();
}

void TArcLenDlg::ClearResult() {
    if (IsCreated()) SetText(kResult, QString());
}

void TArcLenDlg::OnControl(int id) {
    if (id == kLength)
        ApplyInterval();
    else
        TComboDlg::OnControl(id);
}

}  // namespace quorlin::examples
