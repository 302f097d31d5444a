// TPlot11Win's diagram file: the body gathered from the levels for writing, and a body read
// from a file installed in their place.
#include <tuple>
#include <utility>

#include "canvas/grid_dialogs.h"
#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "examples/levels/slide_dialog.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "resources/resources.h"
#include "shell/records/protection.h"

namespace quorlin::examples {

namespace {

// The inventory lent to the writer for the time of one write: the body takes it and gives it
// back, so that saving copies no example.
class LentInventory {
public:
    LentInventory(TInventory& owner, TDiagramBody& body) : owner_(owner), body_(body) {
        body_.inventory = std::move(owner_);
    }
    ~LentInventory() { owner_ = std::move(body_.inventory); }
    LentInventory(const LentInventory&) = delete;
    LentInventory& operator=(const LentInventory&) = delete;

private:
    TInventory& owner_;
    TDiagramBody& body_;
};

void SetInterval(TStepInterval& to, long double low, long double high, int steps) {
    to = {low, high, steps};
}

}  // namespace

// ------------------------------------------------------------------------------ settings

TDiagramSettings TPlot11Win::GatherSettings() const {
    TDiagramSettings s = keptSettings_;
    s.decimalPlaces = static_cast<std::int16_t>(Format().places);
    s.mouseMode = static_cast<std::int16_t>(MouseMode());
    s.printedThickness = Options().extraPrintThickness;
    s.graphInBlack = Options().graphInBlack;
    s.solidArrowheads = Figure().solidArrowheads;
    s.axes = Axes();
    const canvas::TViewFrame& v = View();
    const bool logarithmic = v.logMode != canvas::kLogNone;
    s.view = {v.centreX,
              v.centreY,
              v.halfWidth,
              logarithmic ? v.altLeft : v.left,
              logarithmic ? v.altRight : v.right,
              logarithmic ? v.altDown : v.down,
              logarithmic ? v.altUp : v.up,
              v.cornersFlag,
              v.aspect,
              v.zoomFactor,
              static_cast<std::int16_t>(v.logMode)};
    s.compileOptions = Compiler().PackOptionBits();
    s.fillExplicit = Options().fillExplicit;
    s.shadingStyle = Options().shadingMode;
    s.shadingChoice = Options().shadingOption;
    s.defaultCount = Options().defaultCount;
    s.abruptAngles = Tracer().abruptAngles;
    s.sketchThickness = static_cast<std::int16_t>(NewPens().sketchWidth);
    s.openTools = OpenToolsMask();
    std::array<int, 3> state{};
    GetToolState(state);
    for (std::size_t i = 0; i < state.size(); ++i)
        s.toolState[i] = static_cast<std::int16_t>(state[i]);
    s.complexMode = Formulas().complexMode;
    s.inventoryShown = InventoryShown();
    for (int k = 0; k < kSliderDialogs; ++k) {
        const TSlideDlg* slider = ParamDialog(k);
        s.sliderShown[static_cast<std::size_t>(k)] = slider && !slider->IsHidden();
    }
    s.evaluateParameters = Switches().evaluateParameters;
    s.notebookShown = NotebookShown();
    s.speedFactor = Animation().speed;
    s.loopClosing = Tracer().loopClosingPixels;
    s.zeroVectors = Tracer().zeroVectorPixels;
    s.ivpDelay = Tracer().trajectoryDelay;
    const TToolSettings& t = Tools();
    SetInterval(s.riemann, t.low, t.high, t.subintervals);
    SetInterval(s.lineIntegral, t.lineLow, t.lineHigh, t.lineSteps);
    SetInterval(s.flux1, t.fluxTLow, t.fluxTHigh, t.fluxTSteps);
    SetInterval(s.flux2, t.fluxULow, t.fluxUHigh, t.fluxUSteps);
    s.centroidCount = t.randomDarts;
    const TSceneBox& box = SceneBox();
    s.scene.sceneBox = {box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z};
    const Vec3& eye = Observer().eye;
    s.scene.observer = {eye.x, eye.y, eye.z};
    s.scene.cube = Observer().cube;
    const TSceneSettings& scene = Scene();
    s.scene.hideSegments = scene.hideSegments;
    s.scene.planarity = scene.planarity;
    s.scene.lineOfSightSamples = scene.checksPerPoint;
    s.scene.screenThickness = scene.boxScreenThickness;
    s.scene.printedThickness = scene.boxPrintedThickness;
    s.levelWords = KeptTools().levelWords;
    s.toolNumbers = KeptTools().mapNumbers;
    StoreFileSettings(s);
    return s;
}

void TPlot11Win::ApplySettings(const TDiagramSettings& s) {
    keptSettings_ = s;
    Format().places = s.decimalPlaces;
    NumberFormatChanged();
    SetMouseMode(s.mouseMode);
    Options().extraPrintThickness = s.printedThickness;
    Options().graphInBlack = s.graphInBlack;
    Figure().solidArrowheads = s.solidArrowheads;
    Axes() = s.axes;
    canvas::TViewFrame& v = View();
    v.centreX = s.view.centreX;
    v.centreY = s.view.centreY;
    v.halfWidth = s.view.halfWidth;
    v.cornersFlag = s.view.cornersFlag;
    v.aspect = s.view.aspect;
    v.zoomFactor = s.view.zoomFactor;
    v.logMode = s.view.logMode;
    // In a logarithmic mode the file holds the corners of the logarithmic frame.
    auto corners = v.logMode != canvas::kLogNone
                       ? std::tie(v.altLeft, v.altRight, v.altDown, v.altUp)
                       : std::tie(v.left, v.right, v.down, v.up);
    corners = std::tie(s.view.left, s.view.right, s.view.down, s.view.up);
    // The file's frame is the reference its frame texts and labels were placed in: the window's
    // own view then rescales them into an area of another size.
    v.halfHeight = (s.view.up - s.view.down) / 2;
    Compiler().UnpackOptionBits(s.compileOptions);
    Options().fillExplicit = s.fillExplicit;
    Options().shadingMode = s.shadingStyle;
    Options().shadingOption = s.shadingChoice;
    Options().defaultCount = s.defaultCount;
    Tracer().abruptAngles = s.abruptAngles;
    Switches().evaluateParameters = s.evaluateParameters;
    NewPens().sketchWidth = s.sketchThickness;
    Animation().speed = s.speedFactor;
    Tracer().loopClosingPixels = s.loopClosing;
    Tracer().zeroVectorPixels = s.zeroVectors;
    Tracer().trajectoryDelay = s.ivpDelay;
    TToolSettings& t = Tools();
    std::tie(t.low, t.high, t.subintervals) =
        std::tie(s.riemann.low, s.riemann.high, s.riemann.steps);
    std::tie(t.lineLow, t.lineHigh, t.lineSteps) =
        std::tie(s.lineIntegral.low, s.lineIntegral.high, s.lineIntegral.steps);
    std::tie(t.fluxTLow, t.fluxTHigh, t.fluxTSteps) =
        std::tie(s.flux1.low, s.flux1.high, s.flux1.steps);
    std::tie(t.fluxULow, t.fluxUHigh, t.fluxUSteps) =
        std::tie(s.flux2.low, s.flux2.high, s.flux2.steps);
    t.randomDarts = s.centroidCount;
    const auto& b = s.scene.sceneBox;
    SceneBox().min = {b[0], b[1], b[2]};
    SceneBox().max = {b[3], b[4], b[5]};
    Observer().eye = {s.scene.observer[0], s.scene.observer[1], s.scene.observer[2]};
    Observer().cube = s.scene.cube;
    TSceneSettings& scene = Scene();
    scene.hideSegments = s.scene.hideSegments;
    scene.planarity = s.scene.planarity;
    scene.planarityTolerance = s.scene.planarity * 0.001L;
    scene.checksPerPoint = s.scene.lineOfSightSamples;
    scene.checksReciprocal = 1.0L / s.scene.lineOfSightSamples;
    scene.boxScreenThickness = s.scene.screenThickness;
    scene.boxPrintedThickness = s.scene.printedThickness;
    KeptTools().levelWords = s.levelWords;
    KeptTools().mapNumbers = s.toolNumbers;
    LoadFileSettings(s);
}

// The values of '@' and A-Z and the ends of '@' and A-W live in the formula engine; the ends of
// X, Y and Z only in the file.
TParameterTables TPlot11Win::GatherParameters() const {
    TParameterTables p = keptParameters_;
    const FormulaContext& f = Formulas();
    for (std::size_t i = 0; i < TParameterTables::kSlots; ++i) p.value[i] = f.vars.value[i];
    for (std::size_t i = 0; i < f.params.left.size(); ++i) {
        p.left[i] = f.params.left[i];
        p.right[i] = f.params.right[i];
    }
    return p;
}

void TPlot11Win::ApplyParameters(const TParameterTables& p, bool complexMode) {
    keptParameters_ = p;
    FormulaContext& f = Formulas();
    f.complexMode = complexMode;
    for (std::size_t i = 0; i < TParameterTables::kSlots; ++i) f.vars.value[i] = p.value[i];
    for (std::size_t i = 0; i < f.params.left.size(); ++i) {
        f.params.left[i] = p.left[i].real();
        f.params.right[i] = p.right[i].real();
    }
    f.SaveVariables();
}

// ------------------------------------------------------------------------------ writing

int TPlot11Win::GatherBody(TDiagramBody& body) {
    body.settings = GatherSettings();
    body.sliderSteps = SliderSteps();
    for (std::size_t i = 0; i < Figure().axisLabels.size(); ++i) {
        const auto label = ToWindows1252(Figure().axisLabels[i]);
        if (!label) {
            platform::MsgBox(this, resources::LoadString(platform::kStrHmmCaption),
                             QStringLiteral("The axis labels hold characters that a diagram file "
                                            "cannot store; the diagram was not saved."),
                             platform::kMsgOk);
            return kErrAlreadyReported;
        }
        body.axisLabels[i] = *label;
    }
    body.protection = Protection();
    body.parameters = GatherParameters();
    body.userFunctions = TUserFunctionBlock::Of(Formulas());
    body.texts = PlainTexts();
    body.evalTexts = EvalTexts();
    body.evalTable = EvalTable();
    body.pictures = Pictures();
    body.equationLabels = EquationLabels().Labels();
    body.shading = ShadingList() ? *ShadingList() : keptShading_;
    body.sketch = Sketch();
    body.notebook.reset();
    if (NotebookPresent()) {
        std::string text;
        if (const int error = NotebookFileText(text)) return error;
        body.notebook = std::move(text);
    }
    body.backgroundBitmap.reset();
    // A named bitmap that could not be read keeps its name: the file may come back.
    if (Background().present || !Background().fileName.isEmpty()) {
        const auto name = ToWindows1252(Background().fileName);
        if (name) body.backgroundBitmap = *name;
    }
    return kNoError;
}

int TPlot11Win::WriteBody(ByteWriter& out) {
    TDiagramBody body;
    if (const int error = GatherBody(body)) return error;
    {
        const LentInventory lent(Inventory(), body);
        if (const int error = WriteDiagramBody(out, body)) return error;
    }
    return kNoError;
}

// ------------------------------------------------------------------------------ reading

int TPlot11Win::ReadBody(ByteReader& in, int version) {
    TDiagramBody body;
    body.settings = GatherSettings();
    body.sliderSteps = SliderSteps();
    const int error = ReadDiagramBody(in, version, body, BodyWindow());
    if (error != kNoError) return error;
    pendingBody_ = std::move(body);
    return kNoError;
}

void TPlot11Win::DiscardRead() {
    pendingBody_.reset();
    TPlot1Win::DiscardRead();
}

void TPlot11Win::CommitRead() {
    // Taken first: the lower levels end their commit by discarding what is pending.
    std::optional<TDiagramBody> body = std::exchange(pendingBody_, std::nullopt);
    // They read nothing of their own: their pending protection and notebook are none, which
    // leaves the window unprotected and its notebook empty until the body's are installed.
    TPlot1Win::CommitRead();
    if (body) InstallBody(std::move(*body));
    if (trajectoryTools_) trajectoryTools_->DiagramReplaced();
}

void TPlot11Win::InstallBody(TDiagramBody body) {
    const bool printing = IsSimultaneousPrinting();
    ApplySettings(body.settings);
    // A view the transforms cannot carry becomes the standard view before anything is measured
    // against it. Otherwise the frame texts below take the file's frame as their reference, and
    // the window's own area rescales them once (RecomputeView), so they keep their place in it.
    const long double fileHalfHeight = View().halfHeight;
    if (!canvas::BringIntoRange(View())) View().halfHeight = fileHalfHeight;
    SliderSteps() = body.sliderSteps;
    ApplyParameters(body.parameters, body.settings.complexMode);
    body.userFunctions.InstallInto(Formulas());

    // A window that shows a parent's examples keeps them: the body's are not its own to install.
    if (!SharesInventory()) Inventory() = std::move(body.inventory);
    ExampleBook().current = -1;
    const TRememberedExamples& r = body.remembered;
    KeptTools().ivpExamples = {
        static_cast<std::int16_t>(r.system), static_cast<std::int16_t>(r.slope),
        static_cast<std::int16_t>(r.sequence), static_cast<std::int16_t>(r.higherOrder)};
    KeptTools().mapExample = r.map;
    for (std::size_t i = 0; i < Figure().axisLabels.size(); ++i)
        Figure().axisLabels[i] = FromWindows1252(body.axisLabels[i]);
    Protection() = body.protection;
    EquationLabels().Labels() = std::move(body.equationLabels);
    InstallTexts(std::move(body.texts), std::move(body.evalTexts), std::move(body.evalTable));
    InstallPictures(std::move(body.pictures));
    if (ShadingList())
        *ShadingList() = std::move(body.shading);
    else
        keptShading_ = std::move(body.shading);
    Sketch() = std::move(body.sketch);
    if (body.notebook) {
        Notebook().SetText(FromWindows1252(*body.notebook));
        Notebook().ClearModified();
    }
    Background() = {};
    if (body.backgroundBitmap) {
        Background().fileName = FromWindows1252(*body.backgroundBitmap);
        LoadBitmapFile();
    }

    RebuildExamples();
    // A file may hold more or fewer labels than examples: one per example again.
    AddEquationLabel();
    ViewLoaded();
    ViewHistory(0);
    if (GridDialog()) GridDialog()->TransferToControls();
    InvalidateImage(ImageLayer::Background);
    InvalidateImage(ImageLayer::Picture);
    MeasureLineHeight();
    RecomputeView();
    UpdateMenuChecks(true);
    RequestInventoryRefresh();
    // The examples were compiled above with the file's functions in place: the function list
    // and the picture learn of them without a second compilation of every example.
    TPlot1Win::UserFunctionsChanged();
    if (!printing) ReopenWindows(body.settings, Protection().Mask());
    Invalidate();
}

// An empty body installed as a file's would be: no examples, labels, texts, pictures, shadings,
// sketch or user functions, no protection, notebook or background. The window keeps its own
// settings and parameter values; nothing it had open opens again.
void TPlot11Win::ResetWindow() {
    TPlot1Win::ResetWindow();
    TDiagramBody empty;
    empty.settings = GatherSettings();
    empty.settings.inventoryShown = false;
    empty.settings.sliderShown = {};
    empty.settings.notebookShown = false;
    empty.settings.openTools = 0;
    empty.sliderSteps = SliderSteps();
    empty.axisLabels = {"x", "y", "z"};  // a new window's names of the axes
    empty.parameters = GatherParameters();
    Formulas().FreeUserFunctions();
    empty.userFunctions = TUserFunctionBlock::Of(Formulas());
    InstallBody(std::move(empty));
    // The next example takes the first colour and name, as in a new window.
    ExampleBook().created = 0;
    ExampleBook().polynomials = 0;
}

// Every example from its texts; then what is derived from them. (The body table of an orbital
// system and the points of a polynomial through points came out of the file with the body.)
void TPlot11Win::RebuildExamples() {
    if (SharesInventory()) return;
    TInventory& inventory = Inventory();
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        TExample& e = inventory[i];
        if (e.derivation < 1) CompileExample(i);
        if (e.IsLagrangeExplicit()) {
            ConvertStoredPoints(i);
            FinishLagrangePolynomial(i);
            Compiler().CompileRangeTexts(i);
        }
        for (TTrajectory& t : e.trajectories)
            if (t.hasTexts && t.kind > TTrajectory::kFormulaKindOffset &&
                t.kind != TTrajectory::kOrbitalBodyKind)
                CompileTrajectoryTexts(t);
    }
    loading_ = true;
    Compiler().SetReading(true);
    UpdateDependents(-1);
    Compiler().SetReading(false);
    loading_ = false;
    // Compilation evaluates at random points; the file's values are in force again.
    Formulas().RestoreVariables();
    MarkWindowSymbols();
}

// The dialogs and windows that were open when the diagram was saved.
void TPlot11Win::ReopenWindows(const TDiagramSettings& s, int protectionMask) {
    if (s.inventoryShown && (protectionMask & kProtectInventory) == 0) ShowInventory();
    for (int k = 0; k < kSliderDialogs; ++k)
        if (TSlideDlg* slider = ParamDialog(k)) slider->HideDialog();
    for (int k = 0; k < kSliderDialogs; ++k)
        if (s.sliderShown[static_cast<std::size_t>(k)]) OpenParamDialog(k);
    if (s.notebookShown && HasNotebook() && (protectionMask & kProtectNotebook) == 0)
        Notebook().ShowWindow();
    ReopenToolWindows(s.openTools);
    RestoreToolState(s.toolState[0], s.toolState[1], s.toolState[2]);
}

}  // namespace quorlin::examples
