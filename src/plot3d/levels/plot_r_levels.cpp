// The launchers of the 3D window's level curves: the level dialog of the inventory's "levels",
// and the level-curve window it shows levels in. Both are made once on first use and kept,
// then shown again and brought to the top, as the window's other tools.
#include "dynamics/level_set.h"
#include "plot3d/intersections/intersection_dialog.h"
#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/tools/double_integral.h"
#include "resources/resources.h"

namespace quorlin::plot3d {

namespace {

constexpr int kStrLevels = 338;
constexpr int kRoleBackground = 0;
constexpr int kRoleCursor = 1;

}  // namespace

TLevelDlg* TPlotRWin::LevelDialog() const {
    return levelDialog_.data();
}

TLevelWin* TPlotRWin::LevelWindow() const {
    return levelWindow_.data();
}

void TPlotRWin::OpenLevelsDialog(int i) {
    if (!Inventory().IsIndex(i)) return;
    if (!levelDialog_) {
        levelDialog_ = new TLevelDlg(*this, i);
        levelDialog_->Create();
    } else if (levelDialog_->IsHidden()) {
        // A closed dialog takes the example it is opened for now, with a new backup.
        levelDialog_->SetExample(i);
    }
    levelDialog_->ShowDialog();
    levelDialog_->raise();
    levelDialog_->activateWindow();
    EnableInventory(false);
}

int TPlotRWin::ShowLevel(const TLevelRequest& request) {
    TLevelWin& window = KeptLevelWindow(levelWindow_, kStrLevels);
    window.ShowLevel(request);
    return PresentLevelWindow(window, request.search);
}

TLevelWin& TPlotRWin::MadeLevelWindow() {
    return KeptLevelWindow(levelWindow_, kStrLevels);
}

int TPlotRWin::FollowLevelCurves(int i) {
    if (IsLoading() || !Inventory().IsIndex(i)) return 0;
    const int dropped = dynamics::FollowLevelCurves(Formulas(), Inventory()[i]);
    for (T3DIvpDlg* dialog :
         std::initializer_list<T3DIvpDlg*>{levelDialog_.data(), intersectionDialog_.data()}) {
        if (!dialog || dialog->Example() != i) continue;
        dialog->FollowBackup();
        // Its lines show where the curves start, and name them by their places in the list:
        // both may have changed.
        dialog->RefillKeepingSelection();
    }
    return dropped;
}

TLevelWin& TPlotRWin::KeptLevelWindow(QPointer<TLevelWin>& kept, int titleId) {
    if (!kept) {
        kept = new TLevelWin(*this, resources::LoadString(titleId) + QStringLiteral(".qz3"));
        AttachHidden(kept, this);
        if (levelWindowColours_[0] >= 0) {
            kept->Roles().SetRole(kRoleBackground, levelWindowColours_[0]);
            kept->Roles().SetRole(kRoleCursor, levelWindowColours_[1]);
        }
    }
    return *kept;
}

int TPlotRWin::PresentLevelWindow(TLevelWin& window, bool drawNow) {
    window.ShowWindow();
    window.OuterWidget()->raise();
    if (drawNow) return window.DrawNow();
    window.InvalidateImage(ImageLayer::Background);
    window.Invalidate();
    return 0;
}

void TPlotRWin::RefreshLevelWindow() {
    if (!levelWindow_) return;
    levelWindow_->InvalidateImage(ImageLayer::Background);
    levelWindow_->Invalidate();
}

void TPlotRWin::RefreshLevelWindows() {
    for (TLevelWin* window : {levelWindow_.data(), intersectionWindow_.data()})
        if (window) window->ExamplesChanged();
}

void TPlotRWin::RepaintLinkedWindows() {
    TPlotQWin::RepaintLinkedWindows();
    RefreshLevelWindows();
}

void TPlotRWin::LevelExamplesRemoved(std::span<const int> oldToNew) {
    FollowRenumbering(levelDialog_.data(), levelWindow_.data(), oldToNew);
}

void TPlotRWin::HideLevelWindow() {
    if (levelWindow_) levelWindow_->HideWindow();
}

}  // namespace quorlin::plot3d
