#include "tools2d/integration/measure_dialogs.h"

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "examples/operations/integration.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "tools2d/dialog_text.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr int kStrArea = 189;  // "area"
constexpr int kStrVolumeOfRevolution = 190;
constexpr int kStrAreaOfRevolution = 191;
constexpr int kStrVolume = 199;  // "volume"
constexpr int kStrEntry = 175;   // "(left,right,value,subint)"
constexpr int kVolumeTag = 54;
constexpr int kSectorTag = 55;
constexpr int kAreaTag = 56;
constexpr long double kTiny = 1e-13L;
constexpr std::size_t kMaxNumberChars = 29;
constexpr std::size_t kMaxLabelChars = 28;
constexpr std::size_t kParabolic = static_cast<std::size_t>(examples::SumRule::Simpson);
constexpr int kIntervalLabels[] = {6, 5, 4};  // "arc start", "arc stop", "subintervals"

constexpr int kRevolvedKinds[] = {k::kExplicit, k::kPolar, k::kParametric, k::kSegment};
constexpr int kSectorKinds[] = {k::kExplicit, k::kPolar, k::kParametric};
constexpr int kExplicitOnly[] = {k::kExplicit};

}  // namespace

// ------------------------------------------------------------------------------ shared

TMeasureDlg::TMeasureDlg(examples::TPlot11Win& window, std::string_view templateName,
                         std::span<const int> kinds, int tag, int labelId)
    : TPreRiemDlg(window, templateName, kinds, tag, labelId), owner_(window) {
    SetEntry(tag, labelId);
}

void TMeasureDlg::SetEntry(int tag, int labelId) {
    tag_ = tag;
    label_ = EntryLabel(labelId, kMaxLabelChars);
}

// An explicit curve's interval is the base's (in the view, tied to parameters); the parameter
// interval of the other curves is only checked for order.
int TMeasureDlg::ReadInterval() {
    if (SelectedKind() == k::kExplicit) return TPreRiemDlg::ReadInterval();
    FormulaContext& f = owner_.Formulas();
    long double low = 0, high = 0;
    int count = 0;
    if (const int error = f.ReadNumber(EditText(*this, kLowEdit, 255), low)) return error;
    if (const int error = f.ReadNumber(EditText(*this, kHighEdit, 255), high)) return error;
    if (high < low + kTiny) return kErrInconsistentData;
    if (const int error = examples::ReadSubintervalCount(f, GetText(kSubintervalEdit), count))
        return error;
    examples::TToolSettings& tools = owner_.Tools();
    tools.low = low;
    tools.high = high;
    tools.subintervals = count;
    return kNoError;
}

void TMeasureDlg::ClearAnswer() {
    ClearResults();
    if (IsCreated()) ShowResultText();
}

void TMeasureDlg::PrepareOverlay() {
    if (!owner_.Inventory().IsIndex(SelectedExample())) return;
    const examples::TToolSettings& tools = owner_.Tools();
    static_cast<examples::TPlotWin&>(owner_).AddMarkedPoint(
        SelectedExample(), tag_,
        {tools.low, tools.high, result_, static_cast<long double>(tools.subintervals)}, 4, label_);
}

void TMeasureDlg::SetAnswer(long double value) {
    examples::TToolSettings& tools = owner_.Tools();
    tools.sums[kParabolic] = value;
    tools.sumTexts[kParabolic] = owner_.Format().FormatNum(value);
    result_ = value;
    resultText_ = tools.sumTexts[kParabolic];
}

int TMeasureDlg::SumAnswer(NodePtr integrand, int variableSlot,
                           const std::function<long double(long double)>& answer) {
    if (!integrand) return examples::kErrUndefinedIntegrand;
    owner_.Formulas().Simplify(integrand);
    owner_.setFocus();
    owner_.ShowKeyHint(kKeyHintQuit);
    const int result = owner_.RiemannSums(*integrand, variableSlot);
    owner_.UpdateCaption();
    if (result == kNoError || result == kKeyStop)
        SetAnswer(answer(owner_.Tools().sums[kParabolic]));
    return result;
}

// ------------------------------------------------------------------------------ revolution

TRevDlg::TRevDlg(examples::TPlot11Win& window)
    : TMeasureDlg(window, "REVOLVE", kRevolvedKinds, kVolumeTag, kStrVolumeOfRevolution) {}

void TRevDlg::SetKind(bool volume) {
    volume_ = volume;
    SetEntry(volume ? kVolumeTag : kAreaTag,
             volume ? kStrVolumeOfRevolution : kStrAreaOfRevolution);
    ClearResults();
    if (!IsCreated()) return;
    ShowResultText();
    SetText(kValueButton, platform::ResourceString(volume ? kStrVolume : kStrArea));
    setWindowTitle(
        platform::ResourceString(volume ? kStrVolumeOfRevolution : kStrAreaOfRevolution));
}

void TRevDlg::SetupWindow() {
    TMeasureDlg::SetupWindow();
    axis_ = kXAxis;
    ShowControl(kList2Id, false);
    ShowAxis();
    SetKind(volume_);
}

void TRevDlg::ShowAxis() {
    const NumberFormat format = owner_.Format();
    SetText(kAEdit, FromWindows1252(format.FormatNum(axis_.a)));
    SetText(kBEdit, FromWindows1252(format.FormatNum(axis_.b)));
    SetText(kCEdit, FromWindows1252(format.FormatNum(axis_.c)));
}

void TRevDlg::OnControl(int id) {
    if (id == kXAxisButton || id == kYAxisButton) {
        axis_ = id == kXAxisButton ? kXAxis : kYAxis;
        ShowAxis();
        ClearAnswer();
        return;
    }
    TMeasureDlg::OnControl(id);
}

void TRevDlg::SelectionChanged() {
    TMeasureDlg::SelectionChanged();
    const bool interval = SelectedKind() != k::kSegment;
    for (const int id : {kLowEdit, kHighEdit, kSubintervalEdit}) ShowControl(id, interval);
    for (const int id : kIntervalLabels) ShowControl(id, interval);
}

int TRevDlg::ReadInterval() {
    if (SelectedKind() != k::kSegment)
        if (const int error = TMeasureDlg::ReadInterval()) return error;
    FormulaContext& f = owner_.Formulas();
    TAxisLine axis;
    if (const int error = f.ReadNumber(EditText(*this, kAEdit, kMaxNumberChars), axis.a))
        return error;
    if (const int error = f.ReadNumber(EditText(*this, kBEdit, kMaxNumberChars), axis.b))
        return error;
    if (const int error = CheckAxis(axis)) return error;
    if (const int error = f.ReadNumber(EditText(*this, kCEdit, kMaxNumberChars), axis.c))
        return error;
    axis_ = axis;
    return kNoError;
}

int TRevDlg::ComputeResult() {
    const int i = SelectedExample();
    if (!owner_.Inventory().IsIndex(i)) return kErrMakeSelection;
    const examples::TExample& curve = owner_.Inventory()[i];
    if (curve.kind == k::kSegment) {
        Vec2 p, q;
        if (owner_.Compiler().EvalEndPoints(i, p, q) != 0) return kErrCannotUnderstand;
        const TSolid solid = SegmentSolid(p, q, axis_);
        const long double value = volume_ ? solid.volume : solid.area;
        owner_.Tools().sums.fill(value);
        SetAnswer(value);
        return kNoError;
    }
    const TAxisLine axis = axis_;
    if (volume_)
        return SumAnswer(VolumeIntegrand(curve, axis), examples::CurveVariable(curve),
                         [axis](long double sum) { return VolumeFromSum(sum, axis); });
    return SumAnswer(SurfaceIntegrand(curve, axis), examples::CurveVariable(curve),
                     [axis](long double sum) { return SurfaceFromSum(sum, axis); });
}

// ------------------------------------------------------------------------------ sector

TSectorDlg::TSectorDlg(examples::TPlot11Win& window)
    : TMeasureDlg(window, "AREA", kSectorKinds, kSectorTag, kStrArea) {}

void TSectorDlg::SetupWindow() {
    TMeasureDlg::SetupWindow();
    ShowControl(kList2Id, false);
}

int TSectorDlg::ComputeResult() {
    const int i = SelectedExample();
    if (!owner_.Inventory().IsIndex(i)) return kErrMakeSelection;
    const examples::TExample& curve = owner_.Inventory()[i];
    return SumAnswer(SectorIntegrand(curve), examples::CurveVariable(curve), SectorFromSum);
}

// ------------------------------------------------------------------------------ two curves

T2VolDlg::T2VolDlg(examples::TPlot11Win& window)
    : TMeasureDlg(window, "VOLTWO", kExplicitOnly, kVolumeTag, kStrEntry) {}

void T2VolDlg::SetupWindow() {
    TMeasureDlg::SetupWindow();
    SetChecked(kWashers, true);
    SetChecked(kShells, false);
    SetText(kAxisEdit, QStringLiteral("0.0"));
}

void T2VolDlg::OnControl(int id) {
    if (id == kWashers || id == kShells) {
        ClearAnswer();
        return;
    }
    TMeasureDlg::OnControl(id);
}

// The sums run over shifted pieces of the interval; the window's interval is the user's again
// afterwards, so the entry and the next tools see what was typed.
int T2VolDlg::ComputeResult() {
    examples::TInventory& inventory = owner_.Inventory();
    const int f = SelectedExample();
    const int g = SelectedExample2();
    if (!inventory.IsIndex(f) || !inventory.IsIndex(g)) return kErrMakeSelection;
    if (!inventory[f].Tree(2) || !inventory[g].Tree(2)) return examples::kErrUndefinedIntegrand;
    long double c = 0;
    if (const int error = owner_.Formulas().ReadNumber(EditText(*this, kAxisEdit, 30), c))
        return error;
    examples::TToolSettings& tools = owner_.Tools();
    const long double low = tools.low;
    const long double high = tools.high;
    const auto sum = [this, &tools](TExprNode& integrand, long double a, long double b,
                                    long double& out) {
        tools.low = a;
        tools.high = b;
        const int result = owner_.RiemannSums(integrand, slot::kX);
        out = tools.sums[kParabolic];
        return result;
    };
    long double volume = 0;
    owner_.setFocus();
    owner_.ShowKeyHint(kKeyHintQuit);
    const int result =
        TwoCurveVolume(owner_.Formulas(), *inventory[f].Tree(2), *inventory[g].Tree(2), c,
                       IsChecked(kWashers), low, high, sum, volume);
    owner_.UpdateCaption();
    tools.low = low;
    tools.high = high;
    if (result == kNoError || result == kKeyStop) SetAnswer(volume);
    return result;
}

}  // namespace quorlin::tools2d
