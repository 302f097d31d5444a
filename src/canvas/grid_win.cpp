#include "canvas/grid_win.h"

#include <QPen>

#include "canvas/grid_dialogs.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {

namespace cmd = resources::cmd;

TGridWin::TGridWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TZELWing(kind, std::move(fileName), std::move(iniName), parent) {
    HandleMouseMode(cmd::kMouseZoomBox, PressHandler([this](const platform::MouseEvent& e) {
                        return ZoomBoxPress(e);
                    }));
    HandleMouseMode(cmd::kMouseCoordinates, PressHandler([this](const platform::MouseEvent& e) {
                        return RecentreOnRightButton(e);
                    }));
    HandleCommand(cmd::kZoomIn, [this] { ZoomView(false); });
    HandleCommand(cmd::kZoomOut, [this] { ZoomView(true); });
    HandleCommand(cmd::kSquare, [this] {
        View().aspect = 1;
        SetViewCentre(View().centreX, View().centreY);
    });
    HandleCommand(cmd::kLastView, [this] { RestoreLastView(); });
    HandleCommand(cmd::kRestoreView, [this] {
        ResetGrid();
        MarkModified();
        Redraw();
    });
    HandleCommand(cmd::kViewDialog, [this] { CmView(); });
    HandleCommand(cmd::kGridDialog, [this] { ShowGridDialog(); });
}

TGridWin::~TGridWin() {
    delete gridDlg_.data();
    delete viewDlg_.data();
}

TGridDlg* TGridWin::GridDialog() const {
    return gridDlg_;
}

TViewDlg* TGridWin::ViewDialog() const {
    return viewDlg_;
}

void TGridWin::ShowGridDialog() {
    if (!gridDlg_) {
        gridDlg_ = new TGridDlg(*this, dialogChoice_.gridTemplate);
        gridDlg_->Create();
    }
    gridDlg_->ShowDialog();
    gridDlg_->raise();
}

void TGridWin::ResetGrid() {
    ViewHistory(0);
    TViewFrame& v = View();
    v.centreX = 0;
    v.centreY = 0;
    v.halfWidth = 5;
    v.halfHeight = 5;
    v.aspect = 1;
    v.cornersFlag = false;
    Axes().ResetKeepingSectors();
    RecomputeView();
    if (gridDlg_) gridDlg_->TransferToControls();
}

void TGridWin::CmView() {
    if (!viewDlg_) {
        dialogChoice_.viewDialogKind =
            std::clamp(dialogChoice_.viewDialogKind, kViewDialogCentre, kViewDialogAll);
        viewDlg_ = new TViewDlg(*this, dialogChoice_.viewDialogKind);
        viewDlg_->Create();
    }
    viewDlg_->ShowDialog();
    viewDlg_->FillFields(true);
}

void TGridWin::RecomputeView() {
    TZELWing::RecomputeView();
    if (viewDlg_ && !viewDlg_->IsHidden()) viewDlg_->FillFields(false);
}

int TGridWin::FitTickIntervals(TickRange& range) {
    const int fitted = AdjustTickIntervals(View(), Axes());
    if (fitted && gridDlg_) gridDlg_->ShowIntervals();
    return fitted | TZELWing::FitTickIntervals(range);
}

void TGridWin::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kSquare) state.enabled = View().cornersFlag;
    if (state.id == cmd::kLastView) state.enabled = !History().Empty();
    TZELWing::EnableCommand(state);
}

// ------------------------------------------------------------------------------ mouse

bool TGridWin::ZoomBoxPress(const platform::MouseEvent& event) {
    if (event.button != platform::MouseButton::Left) return RecentreOnRightButton(event);
    dragStart_ = event.point;
    dragNow_ = event.point;
    return true;
}

bool TGridWin::RecentreOnRightButton(const platform::MouseEvent& event) {
    if (event.button != platform::MouseButton::Right) return false;
    const WorldPoint p = ScreenToWorld(event.point);
    SetViewCentre(p.x, p.y);
    return true;
}

void TGridWin::MouseMove(const platform::MouseEvent& event) {
    if (dragStart_) {
        dragNow_ = event.point;
        Invalidate();
        return;
    }
    TZELWing::MouseMove(event);
}

void TGridWin::MouseUp(const platform::MouseEvent& event) {
    if (!dragStart_) return TZELWing::MouseUp(event);
    const QRect band = *ZoomBand();
    dragStart_.reset();
    ZoomToBand(band);
    Invalidate();
}

std::optional<QRect> TGridWin::ZoomBand() const {
    if (!dragStart_) return std::nullopt;
    return QRect(*dragStart_, dragNow_).normalized();
}

void TGridWin::ZoomToBand(const QRect& band) {
    // A band of zero width or height (a plain click, a straight stroke) leaves the view alone;
    // recentring is the right button's.
    if (band.width() <= 1 || band.height() <= 1) return;
    const TLDRect r = ScreenRectToWorld(
        platform::PixelRect{band.left(), band.top(), band.right(), band.bottom()});
    TViewFrame next = View();
    if (next.logMode != kLogNone) {
        next.altLeft = r.xLow;
        next.altRight = r.xHigh;
        next.altDown = r.yLow;
        next.altUp = r.yHigh;
    }
    next.SetView((r.xLow + r.xHigh) / 2, (r.yLow + r.yHigh) / 2, (r.xHigh - r.xLow) / 2,
                 (r.yHigh - r.yLow) / 2, true);
    if (!AcceptsScale(next)) return;
    ViewHistory(1);
    View() = next;
    RecomputeView();
    Redraw();
}

void TGridWin::Paint(QPainter& painter, const QRect& dirty) {
    TZELWing::Paint(painter, dirty);
    if (const auto band = ZoomBand()) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(*band);
        painter.restore();
    }
}

void TGridWin::CleanupWindow() {
    if (gridDlg_) gridDlg_->HideDialog();
    if (viewDlg_) viewDlg_->HideDialog();
    TZELWing::CleanupWindow();
}

}  // namespace quorlin::canvas
