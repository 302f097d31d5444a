#pragma once
// The trajectory tools of a graphing window, as the window levels reach them: the initial-value
// dialogs, the time and phase windows, and the tracing of new and stored trajectories.
//
// They are made by the differential-equation subsystem, which stands above these levels (its
// time and phase windows are windows of the TPlot1Win level themselves), so the levels know them
// only through this interface. The program installs the maker once (SetTrajectoryToolsMaker);
// each window makes its tools on first use and keeps them until it closes. Without a maker a
// window has none of these tools and their commands do nothing.
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/vectors.h"
#include "examples/records/trajectory.h"
#include "platform/device_context.h"

namespace quorlin::examples {

class TPlot11Win;

class TTrajectoryTools {
public:
    virtual ~TTrajectoryTools() = default;

    // --- opening ---
    // The initial-value dialog of a kind remainder: 10 systems, 11 dy/dx, 12 sequences,
    // 20 derx(n, y) equations.
    virtual void OpenIvp(int which) = 0;
    // Time window 0-3, phase window 0-2.
    virtual void OpenTimeWindow(int index) = 0;
    virtual void OpenPhaseWindow(int index) = 0;
    // The open, shown dialogs and linked windows as bits of the open-tools mask; the reopening
    // after a diagram was read.
    virtual std::uint16_t OpenMask() const = 0;

    // --- what the window tells them ---
    // A point of a trajectory being traced (the linked windows draw its step).
    virtual void PointTraced(const TLinkedPoint& point) = 0;
    // A trajectory of example i was traced again.
    virtual void TrajectoryRetraced(int i, const TTrajectory& trajectory) = 0;
    // The window repainted its trajectories: the linked windows draw theirs afresh.
    virtual void RepaintLinked() = 0;
    // The inventory changed: the dialogs list the examples again (and close when force is set
    // or their kinds are gone, CloseDialogs).
    virtual void InventoryChanged() = 0;
    virtual void CloseDialogs(bool force) = 0;
    // The diagram's name or modified state changed: the dialogs' captions follow.
    virtual void CaptionChanged() = 0;
    // The view was recomputed: the linked windows take the tracer's tolerances again.
    virtual void ViewChanged() = 0;
    // The window closes: the linked windows and the dialogs go first.
    virtual void Close() = 0;
    // Another diagram replaced the window's (File|Open, File|New): the linked windows show the
    // new one's trajectories, or hide when it has none to show.
    virtual void DiagramReplaced() {}
    // The window is hidden: its dialogs and linked windows hide with it.
    virtual void Hide() {}

    // --- what the 3D windows and their ini file read ---
    // Whether the initial-value dialog of the kind remainder (10, 11, 12, 20) exists and shows.
    virtual bool IsIvpShown(int /*which*/) const { return false; }
    // The background colour index (colour role 0) of time window 0-3; 0 while it is not open.
    virtual int TimeWindowBackground(int /*index*/) const { return 0; }

    // --- tracing, for the levels and the 2D and 3D branches ---
    // Example i of a traced kind (systems, dy/dx and derx equations, sequences): for each member
    // of its family, the slope field of a plane system or dy/dx equation and its trajectories.
    // 0, or 81 when Q stopped it.
    virtual int DrawTrajectoryFamily(platform::DeviceContext& dc, int i) = 0;
    // The stored trajectories of example i, oldest first; in a level window only those of its
    // level. 0, or 81 when Q stopped them.
    virtual int DrawSystemTrajectories(platform::DeviceContext& dc, int i, bool levelFilter) = 0;
    // A new curve of example i through the start: forward (1), backward (-1) or both (0), each
    // kept in the example's list. 0, or 81 when Q stopped it.
    virtual int AddAndTraceSystemTrajectory(platform::DeviceContext& dc, int i, Vec3 start,
                                            int direction) = 0;
    // Mouse mode 122: a trajectory of the open initial-value dialog's example from a client
    // point, with the dialog's settings; watched step by step when asked. 0, 81 after Q, or the
    // error number of a setting the dialog refused (shown already).
    virtual int StartTrajectoryAtMouse(QPoint point, bool watch) = 0;
    // The same from a point of the example's space (a 3D window picks it on a surface).
    virtual int StartTrajectoryAt(Vec3 start, bool watch) = 0;
};

using TrajectoryToolsMaker = std::function<std::unique_ptr<TTrajectoryTools>(TPlot11Win&)>;

// Installs the maker every graphing window asks for its tools (empty: none).
void SetTrajectoryToolsMaker(TrajectoryToolsMaker maker);
const TrajectoryToolsMaker& GetTrajectoryToolsMaker();

}  // namespace quorlin::examples
