#include "tools2d/integration/riemann_dialog.h"

#include <algorithm>

#include "core/errors.h"
#include "core/numbers.h"
#include "examples/levels/plot11_win.h"
#include "examples/operations/integration.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "shell/col_win.h"
#include "tools2d/dialog_text.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr int kStrIntegration = 194;  // "integration": the title
constexpr int kStrEntry = 175;        // "(left,right,value,subint)": the data entries
constexpr int kEntryTagBase = 50;     // an entry's tag is 50 + mode
constexpr long long kMostSubintervals = 2147483647;
constexpr std::size_t kMaxLimitChars = 255;
constexpr std::size_t kMaxLabelChars = 28;
constexpr int kRules = examples::kSumRules;
constexpr int kAntiderivativeCode = 73;

constexpr int kExplicitOnly[] = {k::kExplicit};

// The antiderivative of f alone follows f's parameter bindings: it takes f's packed parameter
// letters and the group of numbers after them (the ends those letters bind).
void CopyParameterNumbers(const examples::TExample& f, examples::TExample& antiderivative) {
    constexpr auto first = static_cast<std::size_t>(examples::TNumber::kFirstLetterPair);
    constexpr std::size_t count = 6;
    std::copy_n(f.numbers.begin() + first, count, antiderivative.numbers.begin() + first);
}

}  // namespace

// ------------------------------------------------------------------------------ options

int TRiemannOptions::Mask() const {
    int mask = 0;
    for (std::size_t bit = 0; bit < checked.size(); ++bit)
        if (checked[bit]) mask |= 1 << bit;
    return mask;
}

void TRiemannOptions::SetMask(int mask) {
    for (std::size_t bit = 0; bit < checked.size(); ++bit) checked[bit] = (mask >> bit) & 1;
}

int TRiemannOptions::FirstRule() const {
    for (int rule = 0; rule < kRules; ++rule)
        if (checked[static_cast<std::size_t>(rule)]) return rule + 1;
    return 0;
}

// ------------------------------------------------------------------------------ dialog

TRiemDlg::TRiemDlg(examples::TPlot11Win& window, TRiemannOptions& options)
    : TPreRiemDlg(window, "RIEM", kExplicitOnly, kEntryTagBase + 1, kStrEntry),
      owner_(window),
      options_(options) {}

void TRiemDlg::SetupWindow() {
    TPreRiemDlg::SetupWindow();
    SetMode(mode_);
    ShowChecks();
}

void TRiemDlg::SetMode(int mode) {
    const int before = mode_;
    mode_ = mode == 2 ? 2 : 1;
    if (mode_ != before) shown_.reset();
    if (!IsCreated()) return;
    ShowControl(kList2Id, mode_ == 2);
    QString title = platform::ResourceString(kStrIntegration);
    if (mode_ == 2) title += QStringLiteral(" f - g");
    setWindowTitle(title);
    ShowResultText();
}

void TRiemDlg::ShowChecks() {
    for (int k = 0; k < 7; ++k)
        SetChecked(kFirstCheck + k, options_.checked[static_cast<std::size_t>(k)]);
}

void TRiemDlg::ReadChecks() {
    const int rule = options_.FirstRule();
    const bool overlay = options_.Overlay();
    for (int k = 0; k < 7; ++k)
        options_.checked[static_cast<std::size_t>(k)] = IsChecked(kFirstCheck + k);
    if (rule != options_.FirstRule() || overlay != options_.Overlay()) Repaint();
    ShowResultText();
}

void TRiemDlg::RestoreOptions(int mask) {
    options_.SetMask(mask);
    ShowChecks();
    Repaint();
}

void TRiemDlg::SelectSecond(int g) {
    const int position = ListIndexOf2(g);
    if (position < 0) return;
    SetSelectedIndex(kList2Id, position);
    T2ComboDlg::OnNotify(kList2Id, platform::Notification::SelectionChanged);
}

void TRiemDlg::Repaint() {
    owner_.InvalidateImage(ImageLayer::Picture);
    owner_.Invalidate();
}

void TRiemDlg::SelectionChanged() {
    options_.SetMask(0);
    if (IsCreated()) ShowChecks();
    ClearLinks();
    shown_.reset();
    ShowResultText();
}

void TRiemDlg::SecondSelectionChanged() {
    if (shown_ && shown_->g != SecondExample()) shown_.reset();
    ShowResultText();
}

void TRiemDlg::TakeSums() {
    const examples::TToolSettings& tools = owner_.Tools();
    shown_ = TShownSums{SelectedExample(), SecondExample(), mode_, tools.sums, tools.sumTexts};
}

const TRiemDlg::TShownSums* TRiemDlg::Current() const {
    if (!shown_ || shown_->f != SelectedExample() || shown_->g != SecondExample() ||
        shown_->mode != mode_)
        return nullptr;
    return &*shown_;
}

NodePtr TRiemDlg::Integrand() {
    examples::TInventory& inventory = owner_.Inventory();
    const int f = SelectedExample();
    const int g = SecondExample();
    if (!inventory.IsIndex(f) || !inventory[f].Tree(2)) return nullptr;
    NodePtr integrand = TExprNode::CopyTree(inventory[f].Tree(2).get());
    if (mode_ == 2) {
        if (!inventory.IsIndex(g) || !inventory[g].Tree(2)) return nullptr;
        integrand = TExprNode::NewBinary('-', std::move(integrand),
                                         TExprNode::CopyTree(inventory[g].Tree(2).get()));
    }
    return integrand;
}

int TRiemDlg::ComputeResult() {
    shown_.reset();
    const NodePtr integrand = Integrand();
    if (!integrand) return kErrMakeSelection;
    owner_.setFocus();
    owner_.ShowKeyHint(kKeyHintQuit);
    const int result = owner_.RiemannSums(*integrand, slot::kX);
    owner_.UpdateCaption();
    if (result == kNoError) TakeSums();
    return result;
}

// A parameter or an example changed: the shown values are summed again over the interval as it
// reads now (a linked end follows its parameter), without a new entry. Values that cannot be
// summed again go.
void TRiemDlg::RefreshValues() {
    if (!IsCreated()) return;
    if (IsHidden() || !Current()) {
        shown_.reset();
        ShowResultText();
        return;
    }
    const NodePtr integrand = Integrand();
    if (integrand && ReadInterval() == kNoError &&
        owner_.RiemannSums(*integrand, slot::kX) == kNoError)
        TakeSums();
    else
        shown_.reset();
    ShowResultText();
}

void TRiemDlg::RefillLists() {
    TPreRiemDlg::RefillLists();
    RefreshValues();
}

void TRiemDlg::ShowResultText() {
    if (!IsCreated()) return;
    Repaint();
    ShowValues();
}

void TRiemDlg::FieldEdited(int) {
    shown_.reset();
    ShowValues();
}

void TRiemDlg::ShowValues() {
    const TShownSums* shown = Current();
    for (int k = 0; k < kRules; ++k) {
        const auto at = static_cast<std::size_t>(k);
        SetText(kFirstValue + k,
                shown && options_.checked[at] ? FromWindows1252(shown->texts[at]) : QString());
    }
}

void TRiemDlg::PrepareOverlay() {
    const TShownSums* shown = Current();
    if (!shown) return;
    const examples::TToolSettings& tools = owner_.Tools();
    const std::string label = EntryLabel(kStrEntry, kMaxLabelChars);
    const long double value = shown->sums[static_cast<std::size_t>(examples::SumRule::Simpson)];
    const std::array<long double, 4> values{tools.low, tools.high, value,
                                            static_cast<long double>(tools.subintervals)};
    for (const int example : {SelectedExample(), SecondExample()})
        if (owner_.Inventory().IsIndex(example))
            static_cast<examples::TPlotWin&>(owner_).AddMarkedPoint(example, kEntryTagBase + mode_,
                                                                    values, 4, label);
}

void TRiemDlg::StepDivisions(int delta) {
    int count = 0;
    int error = examples::ReadSubintervalCount(owner_.Formulas(), GetText(kSubintervalEdit), count);
    const long long stepped = static_cast<long long>(count) + delta;
    if (error == kNoError && stepped < 1) error = kErrPositiveValue;
    if (error == kNoError && stepped > kMostSubintervals) error = kErrOutOfBounds;
    if (error == kNoError) {
        SetText(kSubintervalEdit, QString::number(stepped));
        error = ReadInterval();
    }
    if (error == kNoError) error = ComputeResult();
    if (error != kNoError) {
        ClearResults();
        ShowResultText();
        if (error != kKeyStop) platform::ErrorMsg(this, error);
        return;
    }
    ShowResultText();
    PrepareOverlay();
    activateWindow();
}

void TRiemDlg::OnControl(int id) {
    if (id >= kFirstCheck && id <= kOverlayCheck) {
        ReadChecks();
    } else if (id == kPlus || id == kMinus) {
        StepDivisions(id == kPlus ? 1 : -1);
    } else if (id == kIndefinite) {
        AddAntiderivative();
    } else if (id == kColourButton) {
        owner_.ChooseColor(kOverlayColourRole);
        colourChosen_ = true;
        Repaint();
    } else if (id == platform::kIdCancel) {
        // The palette the colour choice opened goes with the dialog.
        if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
        TPreRiemDlg::OnControl(id);
    } else {
        TPreRiemDlg::OnControl(id);
    }
}

std::optional<TOverlayJob> TRiemDlg::OverlayJob() {
    if (IsHidden() || !options_.Overlay() || options_.FirstRule() == 0) return std::nullopt;
    examples::TInventory& inventory = owner_.Inventory();
    const int f = SelectedExample();
    const int g = SecondExample();
    if (!inventory.IsIndex(f) || !inventory[f].Tree(2)) return std::nullopt;
    if (mode_ == 2 && (!inventory.IsIndex(g) || !inventory[g].Tree(2))) return std::nullopt;
    if (ReadInterval() != kNoError) return std::nullopt;
    const examples::TToolSettings& tools = owner_.Tools();
    TOverlayJob job;
    job.rule = static_cast<OverlayRule>(options_.FirstRule());
    job.low = tools.low;
    job.high = tools.high;
    job.subintervals = tools.subintervals;
    job.colour = owner_.Roles().Role(kOverlayColourRole);
    FormulaContext& formulas = owner_.Formulas();
    const auto curve = [&formulas, &inventory](int i) -> CurveValue {
        TExprNode* tree = inventory[i].Tree(2).get();
        return [&formulas, tree](long double x, long double& y) {
            return formulas.EvalAtReal(*tree, slot::kX, x, y);
        };
    };
    job.f = curve(f);
    if (mode_ == 2) job.g = curve(g);
    job.random01 = [] { return RandomBetween(0, 1); };
    return job;
}

// "indefinite": the antiderivative from the typed lower limit, a number or "number@letter".
void TRiemDlg::AddAntiderivative() {
    const int f = SelectedExample();
    const int g = SecondExample();
    if (!owner_.Inventory().IsIndex(f) || (mode_ == 2 && !owner_.Inventory().IsIndex(g))) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    if (!owner_.CanAddExample(false)) {
        platform::ErrorMsg(this, kErrNoMoreRoom);
        return;
    }
    const std::string typed = EditText(*this, kLowEdit, kMaxLimitChars);
    long double start = 0;
    int letter = 0;
    if (const int error = owner_.Formulas().ReadNumberAndLetter(typed, start, letter)) {
        platform::ErrorMsg(this, error);
        return;
    }
    const std::string text = letter > 0 ? std::string(1, static_cast<char>('@' + letter)) : typed;
    const int before = owner_.Inventory().LastIndex();
    const canvas::TViewFrame& view = owner_.View();
    examples::TExample& e = owner_.AddExample(k::kIntegral, view.left, view.right, {text});
    e.derivation = kAntiderivativeCode;
    e.parent = {static_cast<std::int16_t>(f), static_cast<std::int16_t>(g)};
    if (mode_ == 1) CopyParameterNumbers(owner_.Inventory()[f], e);
    const int i = owner_.Inventory().LastIndex();
    if (!owner_.RebuildDerived(i)) {
        owner_.RemoveExamplesAfter(before);
        platform::ErrorMsg(this, kErrCannotUnderstand);
        return;
    }
    if (letter > 0) {
        owner_.Formulas().SetVar(letter, start);
        owner_.OpenParamDialog(letter);
    }
    owner_.Formulas().Evaluate(*owner_.Inventory()[i].Tree(1));
    owner_.Compiler().MarkSymbolsOfExample(i);
    owner_.AddEquationLabel();
    owner_.InventoryChanged(1);
    owner_.DrawExampleNow(i);
}

}  // namespace quorlin::tools2d
