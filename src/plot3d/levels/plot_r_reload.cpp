// The 3D window after a diagram was installed: every example's mesh or box again, then the scene
// box by the version of the file read (view_reload.h).
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/scene/view_reload.h"

namespace quorlin::plot3d {

void TPlotRWin::CommitRead() {
    installingVersion_ = ReadingVersion();
    TPlotQWin::CommitRead();
    installingVersion_.reset();
}

void TPlotRWin::ViewLoaded() {
    TPlotQWin::ViewLoaded();
    if (installingVersion_)
        ReloadView(*installingVersion_);
    else
        RecomputeAllBoxes();
}

void TPlotRWin::ReloadView(int version) {
    // A box made while the axes showed holds the origin, and one made without does not; the
    // axes saved with the diagram tell neither, so each box keeps what it held.
    RecomputeExampleBoxes(true);
    if (!KeepsStoredSceneBox(version)) ComputeSceneBox();
    AdoptSceneBox(SceneBox(), Observer(), Scene3D().lineOfSightStep);
    Scene().hiddenPointOffset = Scene3D().lineOfSightStep;
    RefreshObserverDialog();
    RecomputeView();
}

}  // namespace quorlin::plot3d
