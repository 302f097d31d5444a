// The launchers of the 3D window's own tools and linked windows: the double-integral dialogs
// (one per mode), the stereogram dialog and the stereogram window. One rule serves them all:
// made once on first use and kept by the window, then shown again (a closed dialog only hid),
// and brought to the top.
#include <QPointer>

#include "plot3d/intersections/intersection_dialog.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/slicer/slice_dialog.h"
#include "plot3d/stereogram/rds_dialog.h"
#include "plot3d/stereogram/rds_window.h"
#include "plot3d/tools/curve_surface_dialog.h"
#include "plot3d/tools/riem3_dialog.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/file_msg_win.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {

constexpr int kStrStereogram = 265;

// Makes the dialog on first use (make returns it unmade), then shows it and brings it to the
// top; whether it was made now.
template <class Dialog, class Make>
bool Launch(QPointer<Dialog>& kept, Make&& make) {
    const bool first = !kept;
    if (first) {
        kept = make();
        kept->Create();
    }
    kept->ShowDialog();
    kept->raise();
    kept->activateWindow();
    return first;
}

// The window's tool commands and what each opens.
struct TToolCommand {
    int command;
    void (*open)(TPlotRWin&);
};

template <Riem3Mode mode>
void OpenIntegral(TPlotRWin& window) {
    window.OpenIntegralDialog(mode);
}

constexpr TToolCommand kToolCommands[] = {
    {cmd::kIntegrateXY, &OpenIntegral<Riem3Mode::DoubleIntegral>},
    {cmd::kSurfaceArea, &OpenIntegral<Riem3Mode::SurfaceArea>},
    {cmd::kIntegratePolar, &OpenIntegral<Riem3Mode::PolarIntegral>},
    {cmd::kStereograms, [](TPlotRWin& window) { window.OpenStereogramDialog(); }},
    {cmd::kSlicer, [](TPlotRWin& window) { window.OpenSlicer(); }},
    {cmd::kIntersections, [](TPlotRWin& window) { window.OpenCurveSurfaceDialog(); }},
    {cmd::kSurfaceSurface, [](TPlotRWin& window) { window.CmSurfaceSurface(); }},
    {cmd::kMeridian, [](TPlotRWin& window) { window.CmMeridian(); }},
};

}  // namespace

void TPlotRWin::RegisterToolCommands() {
    for (const TToolCommand& row : kToolCommands)
        HandleCommand(row.command, [this, open = row.open] { open(*this); });
}

TRiem3Dlg* TPlotRWin::IntegralDialog(Riem3Mode mode) const {
    return integralDialogs_[static_cast<std::size_t>(mode)].data();
}

TRDSDlg* TPlotRWin::StereogramDialog() const {
    return stereogramDialog_.data();
}

TRDSWin* TPlotRWin::StereogramWindow() const {
    return stereogramWindow_.data();
}

void TPlotRWin::OpenIntegralDialog(Riem3Mode mode) {
    QPointer<TRiem3Dlg>& kept = integralDialogs_[static_cast<std::size_t>(mode)];
    if (Launch(kept, [&] { return new TRiem3Dlg(*this, mode); }))
        AddToolDialogKeptBy(kept, KeepRule3D(Riem3ModeRow(mode).tool));
}

void TPlotRWin::OpenStereogramDialog() {
    if (Launch(stereogramDialog_, [&] { return new TRDSDlg(*this); }))
        AddToolDialogKeptBy(stereogramDialog_, KeepRule3D(Tool3D::Stereogram));
}

TSliceDlg* TPlotRWin::SlicerDialog() const {
    return slicerDialog_.data();
}

void TPlotRWin::OpenSlicer() {
    if (Launch(slicerDialog_, [&] { return new TSliceDlg(*this); }))
        AddToolDialogKeptBy(slicerDialog_, KeepRule3D(Tool3D::Slicer));
    InvalidateImage(ImageLayer::Picture);
    Invalidate();
}

void TPlotRWin::ApplyScrollbarUnits() {
    TPlotQWin::ApplyScrollbarUnits();
    const examples::TSliderSteps& table = SliderSteps();
    // The slot of the general steps copied into the slot a shown bar reads.
    const auto copyInto = [&table](examples::TSliderSteps& into, int slot) {
        into.steps[static_cast<std::size_t>(slot)] = table.steps[0];
        into.pageSteps[static_cast<std::size_t>(slot)] = table.pageSteps[0];
    };
    if (slicerDialog_ && !slicerDialog_->IsHidden()) {
        copyInto(SliderSteps(), examples::TSliderSteps::kSlicerSlot);
        slicerDialog_->ApplyScrollbarUnits();
    }
    // The direction bar of the level-curve window turns in the window's steps as well.
    TPctDlg* direction = levelWindow_ ? levelWindow_->DirectionDialog() : nullptr;
    if (direction && !direction->IsHidden()) {
        copyInto(levelWindow_->SliderSteps(), 0);
        copyInto(levelWindow_->SliderSteps(), examples::TSliderSteps::kCurveSlot);
        direction->InitBar();
    }
}

TIntCSDlg* TPlotRWin::CurveSurfaceDialog() const {
    return curveSurfaceDialog_.data();
}

void TPlotRWin::OpenCurveSurfaceDialog() {
    // Its set-up searches once; each later use of the command searches on.
    if (Launch(curveSurfaceDialog_, [&] { return new TIntCSDlg(*this); }))
        AddToolDialogKeptBy(curveSurfaceDialog_, KeepRule3D(Tool3D::CurveSurface));
    else
        curveSurfaceDialog_->NextIntersection();
}

void TPlotRWin::ShowStereogramWindow() {
    if (!stereogramWindow_) {
        stereogramWindow_ = new TRDSWin(*this, resources::LoadString(kStrStereogram));
        // Its own top-level frame with its menu, owned by this window.
        AttachHidden(stereogramWindow_, this);
    }
    stereogramWindow_->ShowWindow();
    stereogramWindow_->OuterWidget()->raise();
    stereogramWindow_->Redraw();
}

void TPlotRWin::RefreshOwnTools() {
    for (const QPointer<TRiem3Dlg>& dialog : integralDialogs_)
        if (dialog) dialog->Refresh();
    if (stereogramDialog_) stereogramDialog_->FillList();
    if (stereogramWindow_) stereogramWindow_->Redraw();
    if (curveSurfaceDialog_) curveSurfaceDialog_->RefillLists();
    if (intersectionDialog_) intersectionDialog_->Refresh();
    // An edited surface is compiled by now: the level windows show its new values.
    RefreshLevelWindows();
}

void TPlotRWin::ExamplesRemoved(std::span<const int> oldToNew) {
    TPlotQWin::ExamplesRemoved(oldToNew);
    for (const QPointer<TRiem3Dlg>& dialog : integralDialogs_)
        if (dialog) dialog->ExamplesRemoved(oldToNew);
    if (stereogramDialog_) stereogramDialog_->ExamplesRemoved(oldToNew);
    if (curveSurfaceDialog_) curveSurfaceDialog_->ExamplesRemoved(oldToNew);
    LevelExamplesRemoved(oldToNew);
    IntersectionExamplesRemoved(oldToNew);
}

void TPlotRWin::CloseLinkedWindows() {
    // Each goes before the examples it shares.
    const auto close = [](auto& kept) {
        if (!kept) return;
        auto* window = kept.data();
        kept = nullptr;
        window->CloseAsAgreed();
        delete window->OuterWidget();
    };
    close(levelWindow_);
    close(intersectionWindow_);
    close(stereogramWindow_);
}

}  // namespace quorlin::plot3d
