#include "tools2d/integration/line_dialogs.h"

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "tools2d/dialog_text.h"
#include "tools2d/entry_tags.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr int kStrLineIntegral = 349;     // "line integral"
constexpr int kStrSurfaceIntegral = 350;  // "surface integral"
constexpr int kStrEntry = 175;            // "(left,right,value,subint)"
constexpr long double kEmptyRange = 1e-16L;
constexpr std::size_t kMaxChars = 49;
constexpr std::size_t kMaxLabelChars = 29;
constexpr int kFluxStatics[] = {233, 234, 237};

constexpr int kPlaneFields[] = {k::kSystem};
constexpr int kPlaneCurves[] = {k::kParametric};
constexpr int kSpaceFields[] = {k::kSpaceSystem};
constexpr int kSpaceCurves[] = {k::kSpaceCurve};
constexpr int kSurfaces[] = {k::kParametricSurface};

bool InSpace(const examples::TPlot11Win& window) {
    return window.Dimension() >= 3;
}

}  // namespace

TLineDlg::TLineDlg(examples::TPlot11Win& window)
    : TLineDlg(window, InSpace(window) ? std::span<const int>(kSpaceFields) : kPlaneFields,
               InSpace(window) ? std::span<const int>(kSpaceCurves) : kPlaneCurves,
               entry_tag::kLineIntegral, kStrLineIntegral) {}

TLineDlg::TLineDlg(examples::TPlot11Win& window, std::span<const int> fields,
                   std::span<const int> targets, int tag, int captionId)
    : T2ComboDlg(window, "RIEM4", fields, targets),
      owner_(window),
      tag_(tag),
      captionId_(captionId) {
    allowDerived = true;
}

void TLineDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    ShowFields();
    setWindowTitle(platform::ResourceString(captionId_));
}

int TLineDlg::ReadRange(int lowId, int highId, int countId, TRange& out) const {
    FormulaContext& f = owner_.Formulas();
    const auto text = [this](int id) { return EditText(*this, id, kMaxChars); };
    if (const int error = f.ReadNumber(text(lowId), out.low)) return error;
    if (const int error = f.ReadNumber(text(highId), out.high)) return error;
    if (const int error = examples::ReadSubintervalCount(f, GetText(countId), out.count))
        return error;
    if (out.high < out.low + kEmptyRange) return kErrInconsistentData;
    return kNoError;
}

void TLineDlg::ShowRange(int lowId, int highId, int countId, const TRange& range) {
    const NumberFormat format = owner_.Format();
    SetText(lowId, FromWindows1252(format.FormatNum(range.low)));
    SetText(highId, FromWindows1252(format.FormatNum(range.high)));
    SetText(countId, QString::number(range.count));
}

int TLineDlg::ReadFields() {
    TRange t;
    if (const int error = ReadRange(kTLow, kTHigh, kTCount, t)) return error;
    examples::TToolSettings& tools = owner_.Tools();
    tools.lineLow = t.low;
    tools.lineHigh = t.high;
    tools.lineSteps = t.count;
    return kNoError;
}

void TLineDlg::ShowFields() {
    const examples::TToolSettings& tools = owner_.Tools();
    ShowRange(kTLow, kTHigh, kTCount, {tools.lineLow, tools.lineHigh, tools.lineSteps});
}

int TLineDlg::Integrate(long double& out) {
    return owner_.LineIntegral(SelectedExample(), SelectedExample2(), out);
}

void TLineDlg::ComputeValue() {
    int result = ReadFields();
    if (result == kNoError && (SelectedExample() < 0 || SelectedExample2() < 0))
        result = kErrMakeSelection;
    long double value = 0;
    if (result == kNoError) result = Integrate(value);
    if (result != kNoError) {
        ClearValue();
        if (result != kKeyStop) platform::ErrorMsg(this, result);
        return;
    }
    result_ = value;
    SetText(kResult, FromWindows1252(owner_.Format().FormatNum(value)));
    const std::string label = EntryLabel(kStrEntry, kMaxLabelChars);
    const examples::TToolSettings& tools = owner_.Tools();
    const bool line = tag_ == entry_tag::kLineIntegral;
    const std::array<long double, 4> values{
        line ? tools.lineLow : tools.fluxTLow, line ? tools.lineHigh : tools.fluxTHigh, value,
        static_cast<long double>(line ? tools.lineSteps : tools.fluxTSteps)};
    for (const int example : {SelectedExample(), SelectedExample2()})
        static_cast<examples::TPlotWin&>(owner_).AddMarkedPoint(example, tag_, values, 4, label);
    activateWindow();
}

void TLineDlg::ClearValue() {
    result_ = 0;
    if (IsCreated()) SetText(kResult, QString());
}

void TLineDlg::OnControl(int id) {
    if (id == kValue)
        ComputeValue();
    else
        T2ComboDlg::OnControl(id);
}

// ------------------------------------------------------------------------------ flux

TFluxDlg::TFluxDlg(examples::TPlot11Win& window)
    : TLineDlg(window, kSpaceFields, kSurfaces, entry_tag::kFlux, kStrSurfaceIntegral) {}

void TFluxDlg::SetupWindow() {
    TLineDlg::SetupWindow();
    for (const int id : {kULow, kUHigh, kUCount}) ShowControl(id, true);
    for (const int id : kFluxStatics) ShowControl(id, true);
}

int TFluxDlg::ReadFields() {
    TRange t, u;
    if (const int error = ReadRange(kTLow, kTHigh, kTCount, t)) return error;
    if (const int error = ReadRange(kULow, kUHigh, kUCount, u)) return error;
    examples::TToolSettings& tools = owner_.Tools();
    tools.fluxTLow = t.low;
    tools.fluxTHigh = t.high;
    tools.fluxTSteps = t.count;
    tools.fluxULow = u.low;
    tools.fluxUHigh = u.high;
    tools.fluxUSteps = u.count;
    return kNoError;
}

void TFluxDlg::ShowFields() {
    const examples::TToolSettings& tools = owner_.Tools();
    ShowRange(kTLow, kTHigh, kTCount, {tools.fluxTLow, tools.fluxTHigh, tools.fluxTSteps});
    ShowRange(kULow, kUHigh, kUCount, {tools.fluxULow, tools.fluxUHigh, tools.fluxUSteps});
}

int TFluxDlg::Integrate(long double& out) {
    return owner_.Flux(SelectedExample(), SelectedExample2(), out);
}

}  // namespace quorlin::tools2d
