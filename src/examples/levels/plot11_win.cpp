#include "examples/levels/plot11_win.h"

#include <cmath>

#include "core/errors.h"
#include "examples/levels/arclen_dialog.h"
#include "examples/levels/slider_numerics.h"
#include "examples/records/new_examples.h"
#include "platform/boxes.h"
#include "platform/dialog.h"
#include "resources/command_ids.h"
#include "shell/data_win.h"

namespace quorlin::examples {

namespace cmd = resources::cmd;
namespace k = quorlin::examples::kind;

namespace {

constexpr int kErrEditingInProgress = 111;
constexpr int kProtectInventory = 2;  // the password mask bit that guards the inventory

}  // namespace

TPlot11Win::TPlot11Win(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TPlot1Win(kind, std::move(fileName), std::move(iniName), dimension, parent) {
    HandleCommand(cmd::kArcLength, [this] { OpenArcLength(); });
    HandleCommand(cmd::kInspect, [this] { Inspect(); });
    HandleCommand(cmd::kSketchThickness, [this] { AskSketchThickness(); });
    HandleCommand(cmd::kInventory, [this] { ShowInventory(); });
    // Trajectory mode of a plane window: a left click starts a trajectory from the point with
    // the shown initial-value dialog's settings. (Space windows pick their point on a surface
    // first and call StartTrajectoryAt themselves.)
    if (dimension < 3)
        AddMouseModeHandler(cmd::kMouseTrajectories,
                            PressHandler([this](const platform::MouseEvent& e) {
                                if (e.button != platform::MouseButton::Left) return true;
                                if (auto* tools = TrajectoryTools())
                                    tools->StartTrajectoryAtMouse(e.point, false);
                                return true;
                            }));
    for (int kindCode = 201; kindCode <= 425; ++kindCode) {
        if (!IsMenuKind(kindCode, dimension)) continue;
        HandleCommand(kindCode + cmd::kNewExampleOffset,
                      [this, kindCode] { NewExample(kindCode); });
    }
    if (dimension == 2) {
        HandleCommand(k::kPoint + cmd::kNewExampleOffset, [this] { AddPointEntry(0); });
    } else {
        HandleCommand(cmd::kNew3DPointCartesian, [this] { AddPointEntry(0); });
        HandleCommand(cmd::kNew3DPointCylindrical, [this] { AddPointEntry(1); });
        HandleCommand(cmd::kNew3DPointSpherical, [this] { AddPointEntry(2); });
    }
    // The analysis commands exist only where the window has analysis tools.
    if (const TAnalysisToolsMaker& tools = GetAnalysisToolsMaker(); tools.make && tools.commands)
        for (const int id : tools.commands(dimension))
            HandleCommand(id, [this, id] {
                if (auto* made = AnalysisTools()) made->RunCommand(id);
            });
    // The trajectory commands exist only where the window has trajectory tools.
    if (!GetTrajectoryToolsMaker()) return;
    HandleCommand(cmd::kIvp10, [this] { OpenIvp10(); });
    HandleCommand(cmd::kIvp11, [this] { OpenIvp11(); });
    HandleCommand(cmd::kIvp12, [this] { OpenIvp12(); });
    HandleCommand(cmd::kIvp20, [this] { OpenIvp20(); });
    HandleCommands(cmd::kTimeWindowFirst, cmd::kPhaseWindowFirst - 1,
                   [this](int id) { OpenTimeWindow(id - cmd::kTimeWindowFirst); });
    HandleCommands(cmd::kPhaseWindowFirst, cmd::kPhaseWindowLast,
                   [this](int id) { OpenPhaseWindow(id - cmd::kPhaseWindowFirst); });
}

void TPlot11Win::SetupWindow() {
    TPlot1Win::SetupWindow();
    inventoryDialog_.Make(*this);
}

// ------------------------------------------------------------------------------ inventory dialog

void TPlot11Win::ShowInventory() {
    if (!inventoryDialog_.Dialog() || !CheckPassword(kProtectInventory)) return;
    UpdateCaption();
    inventoryDialog_.Show(*OuterWidget(), Inventory().Empty());
}

void TPlot11Win::EnableInventory(bool on) {
    inventoryDialog_.SetBusy(!on);
}

bool TPlot11Win::CheckNotEditing() {
    if (!inventoryDialog_.IsBusy()) return true;
    platform::ErrorMsg(this, kErrEditingInProgress);
    return false;
}

bool TPlot11Win::ResizeInventory(int n, bool keep) {
    if (!TPlot1Win::ResizeInventory(n, keep)) return false;
    if (keep) inventoryDialog_.Refill(-1);
    return true;
}

// ------------------------------------------------------------------------------ new examples

int TPlot11Win::NewExample(int kind) {
    if (!CheckNotEditing() || !CanAddExample(true)) return -1;
    const canvas::TViewFrame& v = View();
    const bool logX = canvas::IsLogX(v.logMode);
    TExample& record = AddExample(kind, 0, 1);
    SetNewExampleDefaults(record, kind, logX ? v.altLeft : v.left, logX ? v.altRight : v.right,
                          StyleWord(ExampleBook().created));
    const int i = Inventory().LastIndex();
    const bool lagrange = record.IsLagrangeExplicit();
    if (lagrange)
        record.PolynomialNumber() = static_cast<std::int16_t>(++ExampleBook().polynomials);
    std::uint32_t mask = 0;
    if (!RunEditDialog(i, mask)) {
        Inventory().RemoveLast();
        if (lagrange) --ExampleBook().polynomials;
        return -1;
    }
    ++ExampleBook().created;
    TExample& e = Inventory()[i];
    e.extraColour[0] = e.pen.colour;
    CompileExample(i);
    const bool field = e.kind == k::kSystem || e.kind == k::kSlope || e.kind == k::kSpaceSystem;
    if (field && e.FieldParameter() > 0 && e.FieldParameter() <= slot::kLastParameter)
        Formulas().SetVar(e.FieldParameter(), e.fieldLengthPercent * 0.1L);
    AddEquationLabel();
    const bool boxed =
        e.kind == k::kImplicitSurface || e.kind == k::kSpaceSystem || e.kind == k::kSpaceSequence;
    if (boxed) EditExampleBox(i, true);
    ShowNewExample(i);
    if (e.kind == k::kSegment) AddSegmentEndpoints(i);
    MarkWindowSymbols();
    InventoryChanged(1);
    if (Inventory()[i].IsLagrangeExplicit()) EnterLagrangeMode(i, TLagrangePicking::Afresh);
    activateWindow();
    return i;
}

int TPlot11Win::AddPointEntry(int variant) {
    if (!CheckNotEditing() || !CanAddExample(true)) return -1;
    const bool first = Inventory().Empty();
    TExample& e = AddExample(Dimension() >= 3 ? k::kSpacePoint : k::kPoint, 0, 1,
                             {variant == 4 ? "2.0+1.6i" : "2.54", "pi/3", "pi/4"});
    e.pen.width = static_cast<std::uint16_t>(std::max<int>(Options().dotSize, 1));
    e.PolarForm() = variant == 1 || variant == 2 ? 1 : 0;
    e.Anchors() = 0;
    e.ComplexPoint() = variant == 4 ? 1 : 0;
    e.PointCoordinates() = static_cast<std::int16_t>(variant);
    const int i = Inventory().LastIndex();
    std::uint32_t mask = 0;
    if (!RunEditDialog(i, mask)) {
        Inventory().RemoveLast();
        return -1;
    }
    ++ExampleBook().created;
    if (Dimension() >= 3 && first) UpdateMenuChecks(false);
    CompileExample(i);
    AddEquationLabel();
    ShowNewExample(i);
    InventoryChanged(1);
    UpdateWindow();
    return i;
}

TPlot11Win::~TPlot11Win() = default;

bool TPlot11Win::EvalEntryPoint(int k, Vec3& out, long double u, long double v) {
    if (!Inventory().IsIndex(k)) return false;
    TExample& e = Inventory()[k];
    FormulaContext& f = Formulas();
    const auto value = [&](int tree, long double& to) {
        if (!e.Tree(tree) || !f.Evaluate(*e.Tree(tree))) return false;
        to = e.Tree(tree)->re;
        return true;
    };
    long double z = 0;
    switch (e.kind) {
        case kind::kSurface:
            f.SetVar(slot::kX, u);
            f.SetVar(slot::kY, v);
            if (!value(3, z)) return false;
            out = {u, v, z};
            return true;
        case kind::kPolarSurface:
            f.SetVar(slot::kR, u);
            f.SetVar(slot::kT, v);
            if (!value(3, z)) return false;
            out = {u * std::cos(v), u * std::sin(v), z};
            return true;
        default: {
            f.SetVar(slot::kT, u);
            f.SetVar(slot::kU, v);
            long double x = 0, y = 0;
            if (!value(1, x) || !value(2, y) || !value(3, z)) return false;
            out = {x, y, z};
            return true;
        }
    }
}

void TPlot11Win::ViewLoaded() {}
void TPlot11Win::ConvertStoredPoints(int) {}
void TPlot11Win::DrawPointMarkers(platform::DeviceContext&, int) {}
void TPlot11Win::CopyBodyListToTable(int) {}
void TPlot11Win::OpenLineIntegral() {
    if (auto* tools = AnalysisTools()) tools->RunCommand(resources::cmd::kLineIntegral);
}
void TPlot11Win::OpenIvp10() {
    if (auto* tools = TrajectoryTools()) tools->OpenIvp(10);
}
void TPlot11Win::OpenIvp11() {
    if (auto* tools = TrajectoryTools()) tools->OpenIvp(11);
}
void TPlot11Win::OpenIvp12() {
    if (auto* tools = TrajectoryTools()) tools->OpenIvp(12);
}
void TPlot11Win::OpenIvp20() {
    if (auto* tools = TrajectoryTools()) tools->OpenIvp(20);
}

std::uint16_t TPlot11Win::OpenToolsMask() const {
    return trajectoryTools_ ? trajectoryTools_->OpenMask() : 0;
}

void TPlot11Win::RestoreToolState(int a, int b, int c) {
    // The third word may keep a setting of the tools even when no dialog was open.
    if (analysisTools_ || a != 0 || c != 0)
        if (auto* tools = AnalysisTools()) tools->RestoreState({a, b, c});
}

// Without analysis tools the words of the last file travel on unchanged.
void TPlot11Win::GetToolState(std::array<int, 3>& out) const {
    if (analysisTools_) {
        out = analysisTools_->State();
        return;
    }
    for (std::size_t k = 0; k < out.size(); ++k) out[k] = keptSettings_.toolState[k];
}

TAnalysisTools* TPlot11Win::AnalysisTools() {
    if (!analysisToolsMade_ && GetAnalysisToolsMaker().make) {
        analysisToolsMade_ = true;
        analysisTools_ = GetAnalysisToolsMaker().make(*this);
    }
    return analysisTools_.get();
}

bool TPlot11Win::RebuildDerived(int i) {
    // A diagram just read rebuilds its derived examples before any tool was opened.
    if (TAnalysisTools* tools = AnalysisTools())
        if (const std::optional<bool> built = tools->RebuildDerived(i)) return *built;
    return TPlot1Win::RebuildDerived(i);
}

// ------------------------------------------------------------------------------ trajectory tools

TTrajectoryTools* TPlot11Win::TrajectoryTools() {
    if (!trajectoryToolsMade_ && GetTrajectoryToolsMaker()) {
        trajectoryToolsMade_ = true;
        trajectoryTools_ = GetTrajectoryToolsMaker()(*this);
    }
    return trajectoryTools_.get();
}

void TPlot11Win::RefreshLinkedWindows(const TLinkedPoint& point) {
    if (trajectoryTools_) trajectoryTools_->PointTraced(point);
}

void TPlot11Win::PlotInLinkedWindows(int i, const TTrajectory& trajectory) {
    if (trajectoryTools_) trajectoryTools_->TrajectoryRetraced(i, trajectory);
}

void TPlot11Win::RepaintLinkedWindows() {
    if (trajectoryTools_) trajectoryTools_->RepaintLinked();
}

void TPlot11Win::ClearModified() {
    if (trajectoryTools_) trajectoryTools_->CaptionChanged();
    // A file read or saved gives the window its name after the inventory was shown.
    inventoryDialog_.RefreshCaption();
    TPlot1Win::ClearModified();
}

void TPlot11Win::RecomputeView() {
    TPlot1Win::RecomputeView();
    if (trajectoryTools_) trajectoryTools_->ViewChanged();
}

void TPlot11Win::CleanupWindow() {
    // The linked windows and dialogs refer to this window: they go before it does.
    if (trajectoryTools_) trajectoryTools_->Close();
    trajectoryTools_.reset();
    if (analysisTools_) analysisTools_->Close();
    analysisTools_.reset();
    TPlot1Win::CleanupWindow();
}

bool TPlot11Win::InventoryShown() const {
    return inventoryDialog_.IsShown();
}

TBodyWindow TPlot11Win::BodyWindow() const {
    return {Dimension(), IsMapWindow()};
}

ShadeList* TPlot11Win::ShadingList() {
    return nullptr;
}

std::vector<int> TPlot11Win::ShadingEndParameters() {
    std::vector<int> letters;
    for (const TShadeRecord& s : ShadingList() ? *ShadingList() : keptShading_) {
        letters.push_back(s.LowEndParameter());
        letters.push_back(s.HighEndParameter());
    }
    return letters;
}

void TPlot11Win::StoreFileSettings(TDiagramSettings&) const {}
void TPlot11Win::LoadFileSettings(const TDiagramSettings&) {}

}  // namespace quorlin::examples

namespace quorlin::examples {

// ------------------------------------------------------------------------------ derived entries

std::optional<Vec3> TPlot11Win::TrajectoryStateAt(TExample& example, const TTrajectory& trajectory,
                                                  long double t) {
    return TrajectoryStateForWindow(Formulas(), example, trajectory, t, View().unitsPerPixelX);
}

TTangentBuilder TPlot11Win::TangentBuilder() {
    TTangentBuilder builder(Inventory(), Compiler(), Formulas(), Dimension());
    builder.SetStateAt([this](TExample& example, const TTrajectory& trajectory, long double t) {
        return TrajectoryStateAt(example, trajectory, t);
    });
    builder.SetBoxDiagonal(Vec3Length(SceneBox().max - SceneBox().min));
    return builder;
}

int TPlot11Win::FinishEntry(const TAddResult& added, bool slicer) {
    if (!added.Added()) {
        if (added.error != 0) platform::ErrorMsg(this, added.error);
        return -1;
    }
    const int i = added.index;
    AddEquationLabel();
    if (slicer) {
        ++ExampleBook().created;
        RefreshExample(i, true);
    } else {
        if (Inventory()[i].kind == kind::kSpaceCurve) RefreshExample(i, false);
        DrawExampleNow(i);
    }
    InventoryChanged(1);
    activateWindow();
    return i;
}

int TPlot11Win::AddTaylorPolynomial(int parent, int degree, std::string_view centre) {
    TTangentBuilder builder = TangentBuilder();
    return FinishEntry(builder.AddTaylorPolynomial(parent, degree, centre), false);
}

int TPlot11Win::AddMarkedPoint(int parent, std::string_view parameter) {
    TTangentBuilder builder = TangentBuilder();
    return FinishEntry(builder.AddMarkedPoint(parent, parameter, Options().dotSize), false);
}

int TPlot11Win::AddTrajectoryPoint(int parent, const TTrajectory& trajectory, long double time) {
    TTangentBuilder builder = TangentBuilder();
    return FinishEntry(builder.AddTrajectoryPoint(parent, trajectory, time, Options().dotSize),
                       false);
}

int TPlot11Win::AddTrajectoryLine(int parent, const TTrajectory& trajectory, long double time,
                                  int code, long double length, long double speed) {
    TTangentBuilder builder = TangentBuilder();
    return FinishEntry(builder.AddTrajectoryLine(parent, trajectory, time, code, length, speed),
                       false);
}

int TPlot11Win::AddTangentPlane(int parent, std::string_view pointText, Vec3 point) {
    TTangentBuilder builder = TangentBuilder();
    return FinishEntry(
        builder.AddTangentPlane(parent, pointText, point, StyleWord(ExampleBook().created)), true);
}

int TPlot11Win::AddTangentLines(int parent, std::string_view pointText, Vec3 point) {
    TTangentBuilder builder = TangentBuilder();
    const int before = Inventory().LastIndex();
    const TAddResult added = builder.AddTangentLines(parent, pointText, point);
    // When both lines were made, the first gets its label and drawing before the second.
    if (added.Added() && added.index - 1 > before) FinishEntry({added.index - 1, 0}, true);
    return FinishEntry(added, true);
}

std::optional<bool> TPlot11Win::RebuildTangentEntry(int i) {
    TTangentBuilder builder = TangentBuilder();
    return builder.Rebuild(i);
}

void TPlot11Win::FillLetterCombo(platform::Dialog& dialog, int id, std::string_view letters) {
    dialog.ClearList(id);
    for (const char c : letters) dialog.AddString(id, QString(QChar::fromLatin1(c)));
    if (!letters.empty()) dialog.SetSelectedIndex(id, 0);
}

}  // namespace quorlin::examples
