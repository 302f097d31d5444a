#pragma once
// The trajectory tools of one graphing window (examples::TTrajectoryTools): its initial-value
// dialogs and its time and phase windows, made on first use and kept until the window closes,
// and the tracers the window levels and the 2D and 3D branches call.
//
// Opening a dialog hides the other initial-value dialogs and puts the window into the
// trajectory mouse mode (122), where a click starts a trajectory from the clicked point with
// the shown dialog's settings. Only linked windows that exist and are shown are told of
// trajectory points, retraces and repaints.
#include <QPointer>

#include <array>

#include "dynamics/ivp_dialogs.h"
#include "dynamics/linked_windows.h"
#include "examples/levels/trajectory_tools.h"

namespace quorlin::dynamics {

// Error 109: "not enough examples".
inline constexpr int kErrNotEnoughExamples = 109;

class TWindowTrajectoryTools : public examples::TTrajectoryTools {
public:
    explicit TWindowTrajectoryTools(examples::TPlot11Win& window);
    ~TWindowTrajectoryTools() override;

    // The dialog of a kind remainder (10, 11, 12, 20), the time and phase windows; null until
    // they are opened.
    TIvpDlg* Dialog(int which) const;
    TLinkedWin* TimeWindow(int index) const;
    TLinkedWin* PhaseWindow(int index) const;

    void OpenIvp(int which) override;
    void OpenTimeWindow(int index) override;
    void OpenPhaseWindow(int index) override;
    std::uint16_t OpenMask() const override;

    void PointTraced(const examples::TLinkedPoint& point) override;
    void TrajectoryRetraced(int i, const examples::TTrajectory& trajectory) override;
    void RepaintLinked() override;
    void InventoryChanged() override;
    void CloseDialogs(bool force) override;
    void CaptionChanged() override;
    void ViewChanged() override;
    void Close() override;
    void DiagramReplaced() override;
    void Hide() override;
    bool IsIvpShown(int which) const override;
    int TimeWindowBackground(int index) const override;

    int DrawTrajectoryFamily(platform::DeviceContext& dc, int i) override;
    int DrawSystemTrajectories(platform::DeviceContext& dc, int i, bool levelFilter) override;
    int AddAndTraceSystemTrajectory(platform::DeviceContext& dc, int i, Vec3 start,
                                    int direction) override;
    int StartTrajectoryAtMouse(QPoint point, bool watch) override;
    int StartTrajectoryAt(Vec3 start, bool watch) override;

private:
    // The linked windows that exist and are shown.
    std::vector<TLinkedWin*> ShownLinkedWindows() const;
    void OpenLinked(LinkedKind kind, int index);
    // The kinds a dialog lists in this window; empty where it has none (dy/dx and derx in
    // space).
    std::vector<int> KindsOf(int which) const;

    examples::TPlot11Win& window_;
    std::array<QPointer<TIvpDlg>, 4> dialogs_;  // IVP10, IVP11, IVP12, IVP20
    std::array<QPointer<TLinkedWin>, kTimeWindowCount> time_;
    std::array<QPointer<TLinkedWin>, kPhaseWindowCount> phase_;
};

// Installs the maker of these tools for every graphing window made from now on.
void InstallTrajectoryTools();

}  // namespace quorlin::dynamics
