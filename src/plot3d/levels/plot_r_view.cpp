// The 3D window's view: the commands that move the observer and refit the picture, and the
// draw-all loop of the picture.
#include <utility>

#include "canvas/canvas_primitives.h"
#include "core/errors.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/scene/example_boxes.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {
constexpr int kHintQuit = 1;
}  // namespace

void TPlotRWin::RegisterViewCommands() {
    HandleCommand(cmd::kObserverCoordinates, [this] {
        if (!observerDialog_ && std::exchange(makeObserverDialog_, false)) {
            observerDialog_ = new TObsDlg(*this);
        }
        if (!observerDialog_) return;
        observerDialog_->ShowDialog();
        observerDialog_->UpdateLabels();
        observerDialog_->raise();
    });
    HandleCommand(cmd::kFitWindow, [this] {
        ViewHistory(0);
        ComputeSceneBox();
        ViewChanged(true);
    });
    HandleCommand(cmd::kTurn, [this] { TurnObserver(true); });
    HandleCommand(cmd::kTurnBack, [this] { TurnObserver(false); });
    HandleCommand(cmd::kTiltUp, [this] { TiltObserver(true); });
    HandleCommand(cmd::kTiltDown, [this] { TiltObserver(false); });
    HandleCommand(cmd::kMakeTour, [this] { MakeTour(); });
}

void TPlotRWin::ToggleAxes() {
    TPlotQWin::ToggleAxes();
    // Only a point's box is computed again (as an automatic one, as the window computes it for
    // a new point under the axes as they are now: with the origin while they show); every other
    // box is the user's or its example's and stays as it is, so switching the axes on and off
    // again changes nothing that is saved, whichever way they stood when the point was made.
    bool anyPoint = false;
    for (int k = 0; k <= Inventory().LastIndex(); ++k) {
        examples::TExample& e = Inventory()[k];
        if (e.kind != examples::kind::kSpacePoint) continue;
        anyPoint = true;
        const bool automatic = IsBoxAutomatic(e);
        SetBoxAutomatic(e, true);
        RecomputeExampleBox(Formulas(), e, Axes().axesShown, nullptr);
        SetBoxAutomatic(e, automatic);
    }
    if (!anyPoint) return;
    ComputeSceneBox();
    ViewChanged(true);
}

int TPlotRWin::DrawAll(platform::DeviceContext& dc) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    UpdateExportView();
    ComputeViewAngles();
    if (Inventory().Empty()) {
        // An empty picture shows where the axes would stand; the user's switch stays as it is.
        const bool shown = std::exchange(Axes().axesShown, true);
        const int result = DrawAxes3D(dc);
        Axes().axesShown = shown;
        DrawImageFrame(dc);
        return result;
    }
    const bool hint = !Scene3D().quietDrawing;
    if (hint) ShowKeyHint(kHintQuit);
    TLongWorkHint longWork(*this);
    TStopPoll poll = HintedKeyPoll(longWork);
    int result = DrawFastSurfaces(dc);
    for (int i = 0; result == 0 && i <= Inventory().LastIndex(); ++i) {
        result = DrawExample(dc, i);
        // Many quick examples make as long a drawing as one slow: Q is asked between them too.
        if (result == 0 && i < Inventory().LastIndex() && poll() == kKeyStop) result = kKeyStop;
    }
    if (hint) UpdateCaption();
    // The axes and the box come last, also after Q or an error.
    const int frame = DrawAxes3D(dc);
    DrawImageFrame(dc);
    return result != 0 ? result : frame;
}

}  // namespace quorlin::plot3d
