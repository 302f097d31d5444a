#include "examples/levels/plot1_win.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

#include "core/errors.h"
#include "examples/levels/slide_dialog.h"
#include "examples/records/inventory_listing.h"
#include "examples/records/script.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"

namespace quorlin::examples {

namespace cmd = resources::cmd;
using canvas::TEquationLabel;

// The window as the pasted script sees it.
class TPlot1Win::ScriptExecutor : public TScriptExecutor {
public:
    explicit ScriptExecutor(TPlot1Win& w) : w_(w), start_(w.View()) {}

    FormulaContext& Formulas() override { return w_.Formulas(); }
    TInventory& Inventory() override { return w_.Inventory(); }
    int Dimension() const override { return w_.Dimension(); }
    int DotSize() const override { return w_.Options().dotSize; }
    int AutomaticColour(int n) const override { return w_.StyleWord(n); }

    TScriptView View() const override { return ViewOf(w_.View()); }
    void SetView(const TScriptView& s) override {
        canvas::TViewFrame& v = w_.View();
        if (s == ViewOf(start_)) {
            // Back to the view the run started from, scales and aspect included.
            const canvas::TViewFrame now = v;
            v = start_;
            v.SetAreaSize(now.areaWidth, now.areaHeight);
        } else if (s.byCorners) {
            v.cornersFlag = true;
            v.left = s.xLow;
            v.right = s.xHigh;
            v.down = s.yLow;
            v.up = s.yHigh;
            if (v.logMode != canvas::kLogNone) {
                v.altLeft = s.xLow;
                v.altRight = s.xHigh;
                v.altDown = s.yLow;
                v.altUp = s.yHigh;
            }
        } else {
            v.SetView(s.centreX, s.centreY, s.halfWidth, s.halfHeight, false);
        }
        w_.RecomputeView();
    }
    TScriptCounters Counters() const override {
        return {w_.ExampleBook().created, w_.ExampleBook().polynomials};
    }
    void SetCounters(const TScriptCounters& c) override {
        w_.ExampleBook().created = c.examplesCreated;
        w_.ExampleBook().polynomials = c.polynomials;
    }

    TExample& AddExample(int kind, long double low, long double high) override {
        return w_.AddExample(kind, low, high);
    }
    void CompileExample(int index) override { w_.CompileExample(index); }
    void AddEquationLabel(int) override { w_.AddEquationLabel(); }
    void RebuildLagrangePolynomial(int index) override { w_.RebuildLagrangePolynomial(index); }
    void FinishLagrangePolynomial(int index) override {
        w_.FinishLagrangePolynomial(index);
        w_.Formulas().RestoreVariables();
    }
    void RecomputePicture(int index) override { w_.RecomputePicture(index); }
    void RefreshExample(int index) override {
        w_.CompileExample(index);
        w_.RefreshEquationLabel(index);
    }

    void AddTrajectory(int index, const TScriptSystemTrajectory& t) override {
        TTrajectoryStart start;
        start.start = t.start;
        start.startTime = t.startTime;
        start.direction = t.direction;
        start.duration = t.duration;
        w_.AddTrajectory(index, start);
    }
    void AddSlopeTrajectory(int index, const Vec3& start, long double step) override {
        w_.AddSlopeTrajectory(index, start, step, 0, 0, 1);
    }
    void AddRecursionTrajectory(int index, const Vec3& start, int terms) override {
        w_.AddRecursionTrajectory(index, start, terms, 0, 1);
    }

    int DefineFunction(std::string_view name, std::string_view body, int argCount) override {
        const int result = w_.Formulas().DefineUserFunction(name, body, argCount);
        if (result == userfn::kDone) w_.UserFunctionsChanged();
        return result;
    }

    void RemoveExamplesAfter(int lastIndex) override { w_.RemoveExamplesAfter(lastIndex); }

private:
    static TScriptView ViewOf(const canvas::TViewFrame& v) {
        return {v.left,    v.right,     v.down,       v.up,         v.centreX,
                v.centreY, v.halfWidth, v.halfHeight, v.cornersFlag};
    }

    TPlot1Win& w_;
    const canvas::TViewFrame start_;
};

// Parameters an example names in its ranges reach the window's sliders.
class TPlot1Win::ParameterSink : public TParameterSink {
public:
    explicit ParameterSink(TPlot1Win& w) : w_(w) {}
    void SetParameter(int letter, long double value, long double low, long double high) override {
        FormulaContext& f = w_.Formulas();
        f.SetVar(letter, value);
        f.params.left[static_cast<std::size_t>(letter)] = low;
        f.params.right[static_cast<std::size_t>(letter)] = high;
        if (TSlideDlg* dlg = w_.ParamDialog(letter)) dlg->Refresh();
        TSlideDlg* all = w_.ParamDialog(kAllLettersSlot);
        if (all && all->Slider().Letter() == letter) all->Refresh();
    }

private:
    TPlot1Win& w_;
};

TPlot1Win::TPlot1Win(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TPlot0Win(kind, std::move(fileName), std::move(iniName), dimension, parent),
      parameterSink_(std::make_unique<ParameterSink>(*this)) {
    HandleCommand(cmd::kShowPoints, [this] { ShowPoints(); });
    HandleCommand(cmd::kShowEquations, [this] { ToggleEquationLabels(); });
    HandleCommand(cmd::kInventoryListing, [this] { ShowInventoryListing(); });
    HandleCommand(cmd::kPasteScript, [this] { PasteScript(); });
    HandleCommand(cmd::kUseDefaults, [this] {
        Switches().childrenUseDefaults = !Switches().childrenUseDefaults;
        UpdateMenuChecks(false);
    });
    HandleCommand(cmd::kEraseDrawing, [this] { ClearSketches(); });
    HandleCommand(cmd::kTables, [this] { ShowTable(0); });
    HandleCommands(cmd::kParamFirst, cmd::kAllParameters,
                   [this](int id) { OpenParamDialog(id - cmd::kParamFirst); });
    HandleCommand(cmd::kEvaluateParameters, [this] {
        Switches().evaluateParameters = !Switches().evaluateParameters;
        UpdateMenuChecks(false);
    });
    Compiler().SetParameterSink(parameterSink_.get());
}

TPlot1Win::~TPlot1Win() {
    Compiler().SetParameterSink(nullptr);
    for (const QPointer<TSlideDlg>& dlg : paramDialogs_) delete dlg.data();
}

// ------------------------------------------------------------------------------ inventory

TExample& TPlot1Win::AddExample(int kind, long double low, long double high,
                                std::array<std::string_view, 5> texts) {
    TExample record;
    record.Init(kind, StyleWord(ExampleBook().created), Options().defaultCount);
    for (int k = 0; k < 5; ++k)
        if (!texts[static_cast<std::size_t>(k)].empty())
            record.Text(k + 1) = std::string(texts[static_cast<std::size_t>(k)]);
    record.rangeLow[0] = low;
    record.rangeHigh[0] = high;
    record.tableLow = low;
    record.tableHigh = high;
    record.pen.width = static_cast<std::uint16_t>(std::max(NewPens().exampleWidth, 0));
    const int index = Inventory().Append(std::move(record));
    return Inventory()[index];
}

void TPlot1Win::DeleteExamples(std::span<const int> indexes) {
    const int current = ExampleBook().current;
    // Texts tied to examples, made absolute while their examples still stand where they were.
    std::vector<std::pair<TEquationLabel*, TEquationLabel>> tied;
    for (canvas::TextList* list : {&PlainTexts(), &EvalTexts()})
        for (TEquationLabel& t : *list)
            if (t.anchor >= 0)
                tied.emplace_back(&t, canvas::TextToAbsolute(t, AnchorOriginOf(t.anchor)));
    const std::vector<int> map = Inventory().Remove(indexes);
    EquationLabels().ApplyRemoval(map);
    ExamplesRemoved(map);
    // Texts tied to an example follow it; those of a removed one keep their place in the frame.
    for (auto& [text, absolute] : tied) {
        const int to = absolute.anchor < static_cast<int>(map.size())
                           ? map[static_cast<std::size_t>(absolute.anchor)]
                           : -1;
        absolute.anchor = static_cast<std::int16_t>(to >= 0 ? to : canvas::kAnchorFrame);
        const canvas::WorldPoint origin = AnchorOriginOf(absolute.anchor);
        *text = canvas::TextToRelative(std::move(absolute), origin);
    }
    if (current >= 0 && current < static_cast<int>(map.size())) {
        if (map[static_cast<std::size_t>(current)] < 0) {
            ExampleBook().current = -1;
            SetCurrentExample(-1);
        } else {
            ExampleBook().current = map[static_cast<std::size_t>(current)];
        }
    }
    MarkWindowSymbols();
}

void TPlot1Win::RemoveExamplesAfter(int lastIndex) {
    std::vector<int> after(
        static_cast<std::size_t>(std::max(Inventory().LastIndex() - lastIndex, 0)));
    std::iota(after.begin(), after.end(), lastIndex + 1);
    if (!after.empty()) DeleteExamples(after);
}

// ------------------------------------------------------------------------------ parameters

void TPlot1Win::OpenParamDialog(int slot) {
    if (slot < kTimeSlot || slot > kAllLettersSlot) return;
    QPointer<TSlideDlg>& dlg = paramDialogs_[static_cast<std::size_t>(slot)];
    if (!dlg) {
        dlg = new TSlideDlg(*this, slot);
        dlg->Create();
    }
    // The dialog of all letters and those of one letter do not show together.
    if (slot == kAllLettersSlot) {
        for (int k = 1; k <= kLastLetterSlot; ++k)
            if (TSlideDlg* one = ParamDialog(k)) one->HideDialog();
    } else if (slot > kTimeSlot) {
        if (TSlideDlg* all = ParamDialog(kAllLettersSlot)) all->HideDialog();
    }
    dlg->UpdateBar();
    dlg->ShowDialog();
    dlg->raise();
    dlg->activateWindow();
}

TSlideDlg* TPlot1Win::ParamDialog(int slot) const {
    if (slot < kTimeSlot || slot > kAllLettersSlot) return nullptr;
    return paramDialogs_[static_cast<std::size_t>(slot)];
}

void TPlot1Win::ApplyParameterUnits() {
    TSliderSteps& steps = SliderSteps();
    for (int slot = kTimeSlot; slot <= kAllLettersSlot; ++slot) {
        TSlideDlg* dlg = ParamDialog(slot);
        if (!dlg || dlg->IsHidden() || dlg->KeepsOwnUnits()) continue;
        const auto k = static_cast<std::size_t>(slot);
        steps.steps[k] = steps.steps[0];
        steps.pageSteps[k] = steps.pageSteps[0];
        dlg->ApplyUnits(static_cast<int>(steps.steps[0]), static_cast<int>(steps.pageSteps[0]));
    }
}

void TPlot1Win::NumberFormatChanged() {
    TPlot0Win::NumberFormatChanged();
    for (const QPointer<TSlideDlg>& dlg : paramDialogs_)
        if (dlg) dlg->ApplyDecimalPlaces(Format().places);
}

void TPlot1Win::UpdateMenuChecks(bool flag) {
    CheckMenu(cmd::kEvaluateParameters, Switches().evaluateParameters);
    CheckMenu(cmd::kUseDefaults, Switches().childrenUseDefaults);
    TPlot0Win::UpdateMenuChecks(flag);
}

void TPlot1Win::HideWindow() {
    for (const QPointer<TSlideDlg>& dlg : paramDialogs_)
        if (dlg) dlg->HideDialog();
    TPlot0Win::HideWindow();
}

bool TPlot1Win::GetPointCoords(int k, Vec3& out) {
    if (!Inventory().IsIndex(k)) return false;
    TExample& e = Inventory()[k];
    long double v[3] = {};
    for (int c = 1; c <= (Dimension() >= 3 ? 3 : 2); ++c) {
        if (!e.Tree(c) || !Formulas().Evaluate(*e.Tree(c))) return false;
        v[c - 1] = e.Tree(c)->re;
    }
    out = {v[0], v[1], v[2]};
    return true;
}

// ------------------------------------------------------------------------------ slots

void TPlot1Win::AddDerivative(int) {}
bool TPlot1Win::AddsDerivatives() const {
    return false;
}

int TPlot1Win::DrawExample(platform::DeviceContext&, int) {
    return 0;
}

void TPlot1Win::EditExampleBox(int, bool) {}
bool TPlot1Win::EditsExampleBoxes() const {
    return false;
}
void TPlot1Win::OpenLevelsDialog(int) {}
bool TPlot1Win::OpensLevelsDialog() const {
    return false;
}
void TPlot1Win::OpenIntersectionCurvesDialog(int) {}
void TPlot1Win::EnterLagrangeMode(int, TLagrangePicking) {}
void TPlot1Win::CloseToolDialogs(bool) {}
void TPlot1Win::EnableInventory(bool) {}
void TPlot1Win::RefreshExample(int, bool) {}
void TPlot1Win::SetCurrentExample(int) {}

void TPlot1Win::DrawExampleNow(int) {
    ShowKeyHint(kKeyHintQuit);
    InvalidateImage(ImageLayer::Background);
    RenderImage(ImageLayer::Picture);
    Invalidate();
    MarkModified();
    UpdateCaption();
}

void TPlot1Win::ShowNewExample(int i) {
    if (Dimension() >= 3) {
        RefreshExample(i, true);
    } else {
        DrawExampleNow(i);
    }
}

void TPlot1Win::RedrawAll() {
    CloseToolDialogs(false);
    InventoryChanged(0);
    MarkModified();
    UpdateMenuChecks(false);
    InvalidateImage(ImageLayer::Background);
    RenderImage(ImageLayer::Picture);
    Invalidate();
    MarkWindowSymbols();
}

void TPlot1Win::InvalidateGraph() {
    MarkModified();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

bool TPlot1Win::EditOrbitalSystem(int) {
    return false;
}
void TPlot1Win::RebuildLagrangePolynomial(int) {}

void TPlot1Win::FinishLagrangePolynomial(int i) {
    TExample& e = Inventory()[i];
    LoadLagrangeCoefficients(e, Formulas());
    FreezeExtraSlots(e.Tree(2).get());
    Compiler().CompilePartials(i);
}

void TPlot1Win::ToggleEquationLabels() {
    canvas::TextList& labels = EquationLabels().Labels();
    if (labels.empty()) return;
    const std::uint8_t shown = labels.front().shown ? 0 : 1;
    for (TEquationLabel& l : labels) l.shown = shown;
    Repaint();
}

void TPlot1Win::TrajectoriesChanged() {}
void TPlot1Win::ExamplesRemoved(std::span<const int>) {}

bool TPlot1Win::SwapExamples(int a, int b) {
    if (!Inventory().Swap(a, b)) return false;
    EquationLabels().Swap(a, b);
    for (canvas::TextList* list : {&PlainTexts(), &EvalTexts()}) {
        for (TEquationLabel& t : *list) {
            if (t.anchor == a)
                t.anchor = static_cast<std::int16_t>(b);
            else if (t.anchor == b)
                t.anchor = static_cast<std::int16_t>(a);
        }
    }
    if (ExampleBook().current == a)
        ExampleBook().current = b;
    else if (ExampleBook().current == b)
        ExampleBook().current = a;
    return true;
}

// ------------------------------------------------------------------------------ commands

void TPlot1Win::ShowPoints() {
    const auto isPoint = [](const TInventoryEntry& e) {
        return e.example.kind == kind::kPoint || e.example.kind == kind::kSpacePoint;
    };
    auto& entries = Inventory().Entries();
    const auto first = std::find_if(entries.begin(), entries.end(), isPoint);
    if (first == entries.end()) return;
    const std::uint8_t shown = first->example.graphShown ? 0 : 1;
    for (TInventoryEntry& e : entries)
        if (isPoint(e)) e.example.graphShown = shown;
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    InventoryChanged(1);
}

void TPlot1Win::ShowInventoryListing() {
    const std::string listing = InventoryListing(
        Inventory(), TextSettings(), [this](int i) { return AcceptsExample(i); },
        Formulas().UserFunctions());
    TTextWin& text = PlainTextWindow();
    text.SetText(FromWindows1252(listing));
    text.SetCaption(platform::ResourceString(kStrInventoryCaption) + QStringLiteral(" [") +
                    QFileInfo(FileName()).fileName() + QStringLiteral("]"));
    text.ClearModified();
    text.ShowWindow();
}

void TPlot1Win::PasteScript() {
    QString clip;
    int result = platform::GetClipboardText(platform::CurrentClipboard(), &clip, kMaxScriptText);
    if (result == 0) {
        const auto bytes = ToWindows1252(clip);
        result = bytes ? RunScript(*bytes) : kErrCannotUnderstand;
    }
    if (result > 0) platform::ErrorMsg(this, result);
    if (result > 0 && result != script::kNoMoreRoom) {
        Repaint();
        return;
    }
    InventoryChanged(1);
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    MarkModified();
}

int TPlot1Win::RunScript(std::string_view text) {
    ScriptExecutor executor(*this);
    const int result = examples::RunScript(text, executor);
    MarkWindowSymbols();
    return result;
}

// ------------------------------------------------------------------------------ window

void TPlot1Win::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kPasteScript)
        state.enabled = platform::CurrentClipboard().HasFormat(QStringLiteral("text/plain"));
    if (state.id == cmd::kEraseDrawing) state.enabled = !Sketch().empty();
    if (state.id == cmd::kTables) state.enabled = !Inventory().Empty();
    TPlot0Win::EnableCommand(state);
}

}  // namespace quorlin::examples
