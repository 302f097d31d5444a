#pragma once
// The time windows (TTimeWin: x(t), y(t), xy(t) or z(t), xyz(t)) and phase windows (TPhasWin:
// the planes xy, zx, yz) of a graphing window: plane windows of the TPlot1Win level that show
// the trajectories of their parent's differential-equation and sequence examples against time
// or in a plane of their state.
//
// A linked window keeps no examples: it traces its parent's, by its parent's rules (variables,
// tolerances, view or scene box), and draws them in its own plotted pairs (linked_plot.h). While
// the parent traces a new trajectory it receives every point (PlotLinkedPoint) and draws the step
// at once; a trajectory the parent draws again it draws again too (RetraceTrajectory); its
// repaint traces them all. It is shown as an owned window of its parent with the menu
// "TIMEMENU", keeps its own ini file ("time0.ini" .. "time3.ini", "phase0.ini" .. "phase2.ini"),
// hides when closed and goes with its parent.
#include <vector>

#include "dynamics/linked_plot.h"
#include "examples/levels/plot11_win.h"

namespace quorlin::dynamics {

// Caption strings: "time window", "Plane".
inline constexpr int kStrTimeWindow = 162;
inline constexpr int kStrPlane = 330;

class TLinkedWin : public examples::TPlot1Win {
public:
    TLinkedWin(examples::TPlot11Win& parent, LinkedKind kind, int index);
    ~TLinkedWin() override;

    LinkedKind Kind() const { return kind_; }
    int Index() const { return index_; }
    examples::TPlot11Win& Parent() const { return parent_; }
    // The pairs this window plots (one curve each).
    std::vector<int> Pairs() const;

    // One point of a trajectory the parent is tracing: the step from the previous point of the
    // same trajectory is drawn at once.
    void PlotLinkedPoint(const examples::TLinkedPoint& point);
    // The parent drew a stored trajectory of example i again.
    void RetraceTrajectory(int i, const examples::TTrajectory& trajectory);
    // Takes the tracer's tolerances of the parent.
    void CopyTolerances();
    // The parent closes: the window may close too (otherwise closing only hides it).
    void AllowClose() { closing_ = true; }
    // The parent holds another diagram: the axes' names, the view, the tolerances and the
    // picture follow it.
    void FollowParent();

    // The grid and axes, then every trajectory of the parent's examples.
    int DrawAll(platform::DeviceContext& dc) override;
    bool CanClose() override;

protected:
    void SetupWindow() override;
    QString NormalCaption() const override;

private:
    // "t" and the plotted coordinates in a time window, the plane's two in a phase window.
    void NameAxes();
    // The view that shows what the parent shows: its view or scene box along the plotted
    // coordinates, and times from 0 to 10.
    void FitViewToParent();

    examples::TPlot11Win& parent_;
    LinkedKind kind_;
    int index_;
    LinkedTrack track_;
    bool closing_ = false;
};

class TTimeWin : public TLinkedWin {
public:
    TTimeWin(examples::TPlot11Win& parent, int index)
        : TLinkedWin(parent, LinkedKind::kTime, index) {}
};

class TPhasWin : public TLinkedWin {
public:
    TPhasWin(examples::TPlot11Win& parent, int index)
        : TLinkedWin(parent, LinkedKind::kPhase, index) {}
};

// Whether a linked window draws the trajectories of an example of the kind: systems, dy/dx and
// derx(n, y) equations and sequences.
bool IsLinkedKind(int kind);

}  // namespace quorlin::dynamics
