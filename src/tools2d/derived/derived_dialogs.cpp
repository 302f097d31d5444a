#include "tools2d/derived/derived_dialogs.h"

#include <algorithm>

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/derived/transform_dialogs.h"
#include "tools2d/dialog_text.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr std::size_t kMaxNumberChars = 49;

// What every tool does once its example stands: the symbols it uses, its label, the lists of
// the window and its drawing (a 3D window's surface has its mesh and box computed first: the
// copy it was made from still holds its parent's).
void ShowAddedExample(examples::TPlot11Win& window, int i) {
    window.Compiler().EvaluateRanges(i);
    window.Compiler().MarkSymbolsOfExample(i);
    window.AddEquationLabel();
    window.InventoryChanged(1);
    window.ShowNewExample(i);
}

// Rebuilds the example just appended after `before` by its derivation code; a failed build
// takes it away again.
int BuildAppended(examples::TPlot11Win& window, int before) {
    const int i = window.Inventory().LastIndex();
    if (!window.RebuildDerived(i)) {
        window.RemoveExamplesAfter(before);
        return kErrInconsistentData;
    }
    ShowAddedExample(window, i);
    return kNoError;
}

int CheckCurve(const examples::TPlot11Win& window, int curve) {
    if (!window.Inventory().IsIndex(curve)) return kErrMakeSelection;
    return std::ranges::find(kRollingKinds, window.Inventory()[curve].kind) ==
                   std::end(kRollingKinds)
               ? kErrInconsistentData
               : kNoError;
}

}  // namespace

int AddRoulette(examples::TPlot11Win& window, int curve, const TRouletteSettings& settings) {
    if (const int error = CheckCurve(window, curve)) return error;
    if (const int error = CheckRoulette(settings)) return error;
    if (!window.CanAddExample(false)) return kErrNoMoreRoom;
    const int before = window.Inventory().LastIndex();
    examples::TExample& e = window.AddExample(k::kRoulette, settings.low, settings.high);
    FillRoulette(e, curve, window.Inventory()[curve], settings);
    return BuildAppended(window, before);
}

int AddEvolute(examples::TPlot11Win& window, int curve) {
    if (const int error = CheckCurve(window, curve)) return error;
    if (!window.CanAddExample(false)) return kErrNoMoreRoom;
    const int before = window.Inventory().LastIndex();
    const examples::TExample& parent = window.Inventory()[curve];
    examples::TExample& e =
        window.AddExample(k::kParametric, parent.rangeLow[0], parent.rangeHigh[0]);
    FillEvolute(e, curve, window.Inventory()[curve]);
    return BuildAppended(window, before);
}

int CombineExamples(examples::TPlot11Win& window, int code, int f, int g) {
    TDeriveContext context = DeriveContextOf(window);
    const int i = AppendCombination(context, code, f, g);
    if (i < 0) return -i;
    if (window.Dimension() >= 3) {
        examples::TExample& e = window.Inventory()[i];
        e.box2Min = e.boxMin;
        e.box2Max = e.boxMax;
    }
    ShowAddedExample(window, i);
    window.activateWindow();
    return kNoError;
}

// ------------------------------------------------------------------------------ roulettes

TRoulDlg::TRoulDlg(examples::TPlot11Win& window)
    : TComboDlg(window, "ROUL", kRollingKinds), owner_(window) {}

void TRoulDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    SetText(kLowEdit, QStringLiteral("0.0"));
    SetText(kStartEdit, QStringLiteral("0.0"));
    SetText(kHighEdit, QStringLiteral("2pi"));
    SetChecked(kLeftRadio, true);
    SetChecked(kRightRadio, false);
    SetText(kRadiusEdit, QStringLiteral("1.0"));
    SetText(kArmEdit, QStringLiteral("1.0"));
}

int TRoulDlg::ReadFields(TRouletteSettings& settings) const {
    const auto read = [this](int id, long double& out) {
        return owner_.ReadNumber(EditText(*this, id, kMaxNumberChars), out);
    };
    TRouletteSettings typed;
    for (const auto& [id, field] :
         {std::pair{kLowEdit, &typed.low}, {kStartEdit, &typed.start}, {kHighEdit, &typed.high}})
        if (const int error = read(id, *field)) return error;
    if (typed.start < typed.low || typed.high < typed.start) return kErrInconsistentData;
    if (const int error = read(kRadiusEdit, typed.radius)) return error;
    if (const int error = read(kArmEdit, typed.arm)) return error;
    typed.leftSide = IsChecked(kLeftRadio);
    if (const int error = CheckRoulette(typed)) return error;
    settings = typed;
    return kNoError;
}

void TRoulDlg::CmDraw() {
    TRouletteSettings settings;
    int error = ReadFields(settings);
    if (error == kNoError) error = AddRoulette(owner_, SelectedExample(), settings);
    if (error > 0) platform::ErrorMsg(this, error);
}

void TRoulDlg::OnControl(int id) {
    if (id == kDrawButton) {
        CmDraw();
        return;
    }
    TComboDlg::OnControl(id);
}

// ------------------------------------------------------------------------------ evolutes

TEvolDlg::TEvolDlg(examples::TPlot11Win& window)
    : TComboDlg(window, "EVOL", kRollingKinds), owner_(window) {}

void TEvolDlg::OnControl(int id) {
    if (id == kDrawButton) {
        if (const int error = AddEvolute(owner_, SelectedExample()); error > 0)
            platform::ErrorMsg(this, error);
        return;
    }
    TComboDlg::OnControl(id);
}

// ------------------------------------------------------------------------------ combinations

TCombineDlg::TCombineDlg(examples::TPlot11Win& window)
    : T2ComboDlg(window, "COMBOS", CombinationKinds(window.Dimension()),
                 CombinationKinds(window.Dimension())),
      owner_(window) {
    allowLagrange = true;
    allowDerived = true;
}

void TCombineDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    UpdateLabels();
}

void TCombineDlg::UpdateLabels() {
    const int k1 = SelectedExample() >= 0 ? SelectedKind() : 0;
    const int k2 = SelectedExample2() >= 0 ? SelectedKind2() : 0;
    const int dimension = owner_.Dimension();
    for (const int button : combine::kButtons) {
        SetText(button, FromWindows1252(CombineButtonLabel(button, k1, k2, dimension)));
        EnableControl(button, CombineButtonEnabled(button, k1, k2, dimension));
    }
}

void TCombineDlg::Combine(int button) {
    const int f = SelectedExample(), g = SelectedExample2();
    if (f < 0 || g < 0) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    const int k1 = SelectedKind(), k2 = SelectedKind2();
    if (!CombineButtonEnabled(button, k1, k2, owner_.Dimension())) return;
    if (const int error = CombineExamples(owner_, CombinationCode(button, k1), f, g))
        platform::ErrorMsg(this, error);
}

void TCombineDlg::OnControl(int id) {
    if (std::ranges::find(combine::kButtons, id) != std::end(combine::kButtons)) {
        Combine(id);
        return;
    }
    T2ComboDlg::OnControl(id);
}

}  // namespace quorlin::tools2d
