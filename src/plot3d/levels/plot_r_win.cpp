#include "plot3d/levels/plot_r_win.h"

#include <array>
#include <utility>

#include "core/errors.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/levels/trace_dialog.h"
#include "examples/levels/trace_traj_dialog.h"
#include "platform/key_poll.h"
#include "plot3d/scene/commands3d.h"
#include "plot3d/scene/example_boxes.h"
#include "plot3d/slicer/slice_dialog.h"
#include "plot3d/stereogram/rds_window.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;
using examples::TExample;

namespace {

constexpr int kHintQuit = 1;

// The captions of the colour roles a 3D window gives its own meaning.
constexpr std::array<std::pair<int, int>, 3> kDemoRoleCaptions{
    {{kRoleTangentDemo, kStrTangentPlane},
     {kRoleSecantDemo, kStrSecant},
     {kRoleFrenet, kStrFrenet}}};

}  // namespace

TPlotRWin::TPlotRWin(QString fileName, QString iniName, std::string_view menu, QWidget* parent)
    : TPlotQWin(std::move(fileName), std::move(iniName), menu, parent) {
    Scene().hiddenLines = true;
    RegisterHiddenLineCommands();
    RegisterViewCommands();
    RegisterDisplayCommands();
    RegisterDrawingCommands();
    RegisterToolCommands();
    RegisterMouseModes();
}

TPlotRWin::~TPlotRWin() {
    // A window ended without closing still ends its stereogram window before the examples
    // that window shares, and its slicer while the player that the slicer's run ends is whole.
    if (stereogramWindow_) delete stereogramWindow_->OuterWidget();
    delete slicerDialog_.data();
}

void TPlotRWin::SetupWindow() {
    TPlotQWin::SetupWindow();
    for (const auto& [role, caption] : kDemoRoleCaptions) Roles().SetCaptionId(role, caption);
    // The observer dialog is made when it is first shown: a start does not wait for it.
    makeObserverDialog_ = true;
}

void TPlotRWin::CleanupWindow() {
    CloseLinkedWindows();
    CloseToolDialogs(true);
    delete observerDialog_.data();
    makeObserverDialog_ = false;
    TPlotQWin::CleanupWindow();
}

// ------------------------------------------------------------------------------ observer

void TPlotRWin::ComputeViewAngles() {
    plot3d::ComputeViewAngles(Observer());
}

Vec3 TPlotRWin::FocusPlanePoint(long double u, long double v) const {
    return plot3d::FocusPlanePoint(Observer(), u, v);
}

bool TPlotRWin::ComputeSceneBox() {
    std::vector<TBox3> shown;
    const examples::TInventory& inv = Inventory();
    for (int k = 0; k <= inv.LastIndex(); ++k) {
        if (inv[k].graphShown) shown.push_back(BoxOf(inv[k]));
    }
    const bool changed = plot3d::ComputeSceneBox(SceneBox(), Observer(), shown, Scene3D().axes,
                                                 Scene3D().lineOfSightStep);
    if (changed) {
        // A tested point moves towards the eye by a thousandth of the box's plan.
        Scene().hiddenPointOffset = Scene3D().lineOfSightStep;
        RefreshObserverDialog();
    }
    return changed;
}

void TPlotRWin::FitBoxToWindow() {
    if (View().areaWidth <= 0 || View().areaHeight <= 0) return;
    const long double oldHalfWidth = View().halfWidth, oldHalfHeight = View().halfHeight;
    TAxisEnds& axes = Scene3D().axes;
    // Unlocked axes reach as far as they are drawn, so the view takes in their heads.
    if (Axes().axesShown && !axes.locked) axes = FitAxisLengths();
    const TViewWish wish = FitBoxToView(SceneBox(), Observer(), Scene3D().axes, Axes().axesShown);
    if (!(wish.halfWidth > 0) || !(wish.halfHeight > 0)) return;
    SetView(wish.centre.x, wish.centre.y, wish.halfWidth, wish.halfHeight, false);
    RecomputeView();
    RescaleFrameTexts(View().halfWidth, View().halfHeight, oldHalfWidth, oldHalfHeight);
}

void TPlotRWin::RefreshObserverDialog() {
    if (observerDialog_ && !observerDialog_->IsHidden()) observerDialog_->ShowValues();
}

void TPlotRWin::ScaleObserverDistance(long double factor) {
    plot3d::ScaleObserverDistance(Observer(), SceneBox(), factor);
    Observer().viewMoved = true;
    RefreshObserverDialog();
}

void TPlotRWin::AdjustObserverDistance() {
    plot3d::AdjustObserverDistance(Observer(), SceneBox());
    RefreshObserverDialog();
}

void TPlotRWin::TurnObserver(bool forward) {
    plot3d::TurnObserver(Observer(), SceneBox(), forward);
    RefreshObserverDialog();
    ComputeViewAngles();
    MarkModified();
    ViewChanged(false);
}

void TPlotRWin::TiltObserver(bool up) {
    if (!plot3d::TiltObserver(Observer(), SceneBox(), up)) return;
    RefreshObserverDialog();
    MarkModified();
    ViewChanged(false);
}

int TPlotRWin::MoveEyeTo(Vec3 eye) {
    if (IsEyeTooClose(SceneBox(), eye)) return kErrTooClose;
    if (IsEyeTooFar(SceneBox(), eye)) return kErrTooFar;
    Observer().viewMoved = true;
    Observer().eye = eye;
    Observer().boxEye = SceneBox().WorldToBox(eye);
    MarkModified();
    ViewChanged(true);
    return 0;
}

// ------------------------------------------------------------------------------ slots

void TPlotRWin::ViewChanged(bool refit) {
    if (refit) FitBoxToWindow();
    ComputeViewAngles();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

std::optional<examples::TKeyPollControl> TPlotRWin::KeyControl() {
    if (Output().noPolling || Scene3D().quietDrawing) return std::nullopt;
    std::function<int()> poll = keyPoll_;
    if (!poll) poll = [this] { return platform::PollKey(this); };
    return examples::TKeyPollControl(std::move(poll), pollInterval_);
}

void TPlotRWin::SetKeyPoll(std::function<int()> poll,
                           std::chrono::steady_clock::duration interval) {
    keyPoll_ = std::move(poll);
    pollInterval_ = interval;
}

void TPlotRWin::RecomputePicture(int i) {
    if (!Inventory().IsIndex(i)) return;
    std::optional<examples::TKeyPollControl> control = KeyControl();
    RecomputeExampleBox(Formulas(), Inventory()[i], Axes().axesShown,
                        control ? &*control : nullptr);
    ComputeSceneBox();
    FitBoxToWindow();
}

void TPlotRWin::RecomputeAllBoxes() {
    RecomputeExampleBoxes();
    ComputeSceneBox();
    FitBoxToWindow();
    ComputeViewAngles();
}

void TPlotRWin::RecomputeExampleBoxes(bool asStored) {
    std::optional<examples::TKeyPollControl> control = KeyControl();
    // Many large meshes take long (an opened diagram): the caption tells how to stop them.
    const bool hint = control && !Inventory().Empty() && !IsKeyHintShown();
    if (hint) ShowKeyHint(kHintQuit);
    // A box a crafted file stored reversed is put in order before it is asked whether it holds
    // the origin, every one, also those Q leaves uncomputed below.
    for (int k = 0; k <= Inventory().LastIndex(); ++k) OrderBox(Inventory()[k]);
    for (int k = 0; k <= Inventory().LastIndex(); ++k) {
        examples::TExample& e = Inventory()[k];
        const bool origin = asStored ? HoldsOrigin(BoxOf(e)) : Axes().axesShown;
        const int result =
            RecomputeExampleBox(Formulas(), e, origin, control ? &*control : nullptr);
        if (result == kKeyStop) break;
    }
    if (hint) UpdateCaption();
}

void TPlotRWin::RefreshExample(int i, bool recompute) {
    ShowKeyHint(kHintQuit);
    if (recompute) RecomputePicture(i);
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    MarkModified();
    UpdateCaption();
    ShowPendingAxes();
}

void TPlotRWin::InventoryChanged(int selectLast) {
    // A point a tool marks spares only the 3D tool dialogs, which keep what they show; the
    // inventory dialog and the other lists of the levels below still take the new example.
    const bool spare = std::exchange(Scene3D().spareToolRefresh, false);
    TPlotQWin::InventoryChanged(selectLast);
    const TKindCounts counts = TKindCounts::Of(Inventory());
    const auto first = [this](int kind) {
        for (int k = 0; k <= Inventory().LastIndex(); ++k)
            if (Inventory()[k].kind == kind) return k;
        return -1;
    };
    // Axes kept as shown in the ini file come with the first example, however it came.
    if (!Inventory().Empty()) ShowPendingAxes();
    if (!spare) RefreshOwnTools();
    Scene3D().firstSystem = counts.Count(310) > 0 ? first(310) : -1;
    Scene3D().firstSequence = counts.Count(312) > 0 ? first(312) : -1;
}

bool TPlotRWin::AcceptsExample(int i) const {
    if (!Inventory().IsIndex(i)) return false;
    const TExample& e = Inventory()[i];
    if (e.kind == examples::kind::kPlotPoints) return true;
    if (e.kind < 301 || e.kind >= 399) return false;
    return e.listing >= 0;
}

void TPlotRWin::ChooseColor(int role) {
    const bool own = std::exchange(Scene3D().ownSixthRole, false);
    if (role == kRoleFrenetAsked && !own) role = kRoleFrenet;
    const bool wasModified = IsModified();
    TPlotQWin::ChooseColor(role);
    if (!wasModified) ClearModified();
}

void TPlotRWin::Notify(int code) {
    TPlotQWin::Notify(code);
    if (code != kNotifyFontChanged) return;
    // The list takes the window's inventory font each time it is filled.
    if (examples::TFnListDlg* list = InventoryDialog()) list->FillList(-1);
    RefillToolDialogs();
}

void TPlotRWin::RefillToolDialogs() {
    if (examples::TTraceDlg* slider = CurveSlider()) slider->RefillLists();
    if (examples::TTraceTrajDlg* slider = TrajectorySlider()) slider->RefillLists();
    if (examples::TTrajectoryTools* tools = TrajectoryTools()) tools->InventoryChanged();
}

void TPlotRWin::OpenTrace() {
    ShowCurveSlider("TRACE3", kCurveSliderKinds);
    AddToolDialogKeptBy(CurveSlider(), KeepRule3D(Tool3D::CurveSlider));
}

int TPlotRWin::GetIvpExample() {
    examples::TTrajectoryTools* tools = TrajectoryTools();
    if (!tools || !tools->IsIvpShown(10)) return -1;
    // The dialog keeps its choice in the window's word for the systems' dialog.
    const int i = KeptTools().ivpExamples[0];
    const bool system =
        Inventory().IsIndex(i) && Inventory()[i].kind == examples::kind::kSpaceSystem;
    return system ? i : -1;
}

void TPlotRWin::StoreFileSettings(examples::TDiagramSettings& settings) const {
    TPlotQWin::StoreFileSettings(settings);
    StoreSceneSettings(Observer(), SceneBox(), Scene3D(), settings.scene);
}

void TPlotRWin::LoadFileSettings(const examples::TDiagramSettings& settings) {
    TPlotQWin::LoadFileSettings(settings);
    LoadSceneSettings(settings.scene, Observer(), SceneBox(), Scene3D());
    // The file says whether the axes show; axes the ini file left waiting do not come on.
    Scene3D().pendingAxes = false;
}

void TPlotRWin::ResetWindow() {
    Inventory().Clear();
    FreeTexts();
    FreeEquationLabels();
    TPlotQWin::ResetWindow();
    Axes().axesShown = false;
    Scene3D().firstSystem = Scene3D().firstSequence = -1;
    CloseToolDialogs(true);
    Observer().viewMoved = false;
    Observer().cube = false;
    ClearModified();
}

void TPlotRWin::EnableCommand(platform::CommandState& state) {
    TPlotQWin::EnableCommand(state);
    const int ivp = state.id == cmd::kMouseTrajectories ? GetIvpExample() : -1;
    // The enablers only narrow: a command without a handler stays disabled.
    const auto on = Plot3DCommandEnabled(state.id, TKindCounts::Of(Inventory()), ivp);
    if (on && !*on) state.enabled = false;
}

}  // namespace quorlin::plot3d
