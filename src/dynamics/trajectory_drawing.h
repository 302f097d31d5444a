#pragma once
// The tracers of a graphing window: the trajectory numerics (tracer.h, trajectories.h,
// intrinsic.h) wired to the window's variables, tolerances, view or scene box, key poll and
// canvas.
//
// A trace follows the rules of the window that owns the example: its variables, its tolerances
// in world units, its view (a plane window) or its scene box (a space window), which end the
// trace where it leaves them. It is drawn on the canvas of a window in that window's plotted
// pairs (SelectAxisPair): on the owner itself, or on one of its time and phase windows. Curves
// go only through the canvas primitives, so the printer, the metafile and every export carry
// them. While the window must not poll keys (exports, printing, animation frames) every trace
// ends by its work budget instead.
#include <QColor>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/canvas_primitives.h"
#include "core/vectors.h"
#include "dynamics/field.h"
#include "dynamics/intrinsic.h"
#include "dynamics/resolution_filter.h"
#include "dynamics/tracer.h"
#include "examples/levels/plot_win.h"
#include "shell/long_work_hint.h"

namespace quorlin::dynamics {

// Seconds of work a trace may take while nobody can interrupt it.
inline constexpr double kUnpolledTraceSeconds = 2.0;
// A window's closed-loop budget (TTracerSettings::closedLoopBudget): its loop-closing tolerance
// times this, and this many seconds of work a trace.
inline constexpr long double kCursorLoopFactor = 6;
inline constexpr double kCursorTraceSeconds = 0.1;

// --- what the tracers read of a window ---
// True while the window must not poll keys: exports, printing, animation frames, slider redraws.
bool KeyPollingSuppressed(const examples::TPlotWin& window);
// The tolerances and step length in world units; a work budget while keys are not polled, or
// the closed-loop budget when the window asks for it.
TracerSettings WindowTracerSettings(const examples::TPlotWin& window);
Box3 SceneBoxOf(const examples::TPlotWin& window);

// --- small services of the tracers ---
// X, Y, Z of the window's variables.
void SetVariablesXYZ(examples::TPlotWin& window, Vec3 p);
// Inside the scene box, bounds included.
bool IsInsideBox3D(const examples::TPlotWin& window, Vec3 p);
// The three trees at p into out; false and the zero vector where one is missing or undefined.
bool EvalField3D(examples::TPlotWin& window, const std::array<TExprNode*, 3>& trees, Vec3 p,
                 Vec3& out);
// Whether a shown surface lies between the point and the eye: false at once without hidden-line
// removal; otherwise the point moves towards the eye by the sight shift (ten times that while a
// shown parametric-type surface is present) and each shown, opaque mesh surface is asked in
// index order through the window's hidden-line slots.
bool IsPointHidden(examples::TPlotWin& window, Vec3 p);
// Inside the scene box and not hidden.
bool IsPointVisible(examples::TPlotWin& window, Vec3 p);
// A point of the zero set of the tree (in X, Y, Z) in the box; false when none was found.
bool FindSignChangePoint(examples::TPlotWin& window, TExprNode& tree, const Box3& box, Vec3& out);
// The 3 x 3 pixels around the screen position of a plane point on an image context: true when
// one of them differs from the window's background colour or, with a colour given, equals it.
bool TestPixelsAround(const examples::TPlotWin& window, const platform::DeviceContext& dc,
                      canvas::WorldPoint p, std::optional<QColor> colour = {});

// --- states of stored trajectories, with the window's tolerances ---
TraceResult TrajectoryStateAt(examples::TPlotWin& window, int i,
                              const examples::TTrajectory& trajectory, long double t);
TraceResult TrajectoryEndPoint(examples::TPlotWin& window, int i,
                               const examples::TTrajectory& trajectory);
bool IntrinsicPoint2D(examples::TPlotWin& window, int i, long double s, Vec2& position,
                      Vec2& direction);
bool IntrinsicPoint3D(examples::TPlotWin& window, int i, long double s, FrenetState& out);

// --- drawing ---
struct TTraceOutcome {
    int key = 0;          // 81 when Q stopped the trace
    bool closed = false;  // the trajectory returned to its start
    TraceResult result;
    // The time of the last point that added something to the picture: tracing on from there
    // only ran over lines already drawn.
    long double keptUntil = 0;
};

// The curves of one trace in the plane of each plotted pair, with the pen they are drawn in.
struct TTracedCurves {
    struct Curve {
        std::vector<canvas::WorldPoint> points;
        std::vector<std::size_t> breaks;  // indexes of points that begin a new piece
    };
    std::vector<Curve> curves;
    examples::TPenSpec pen;
    // The terms of a sequence are dots, joined and with arrowheads where the example asks.
    bool sequence = false;
    bool joined = true;
    bool arrows = false;
};

// One drawing pass of trajectories on a canvas.
class TTrajectoryPainter {
public:
    // On the owner's own canvas, in its plotted pair.
    TTrajectoryPainter(examples::TPlotWin& owner, canvas::TCanvasPrimitives& prim);
    // On the canvas of another window (a linked window of the owner) in the given pairs, one
    // curve each.
    TTrajectoryPainter(examples::TPlotWin& owner, examples::TPlotWin& target,
                       canvas::TCanvasPrimitives& prim, std::vector<int> pairs);
    // Tracing only (Trace); the curves are drawn later with DrawTraced.
    TTrajectoryPainter(examples::TPlotWin& owner, examples::TPlotWin& target,
                       std::vector<int> pairs);

    // Every traced point with its trajectory's pen as it comes (linked windows, watching).
    std::function<void(const examples::TLinkedPoint&)> onPoint;

    // Traces one trajectory of example i by its kind into curves, drawing nothing.
    TTraceOutcome Trace(int i, const examples::TTrajectory& trajectory, TTracedCurves& out);
    // Draws traced curves on a canvas of the target window.
    void DrawTraced(const TTracedCurves& traced, canvas::TCanvasPrimitives& prim);

    // Traces one trajectory of example i by its kind (systems, level curves, dy/dx, derx) and
    // draws it in its pen, the pen lifted where the trace leaves what is shown.
    TTraceOutcome TraceSystemTrajectory(int i, const examples::TTrajectory& trajectory);
    // Every trajectory of example i, oldest first; with the level filter only the curves of the
    // owner's level (PassesLevelFilter). 0, or 81 when Q stopped them.
    int DrawSystemTrajectories(int i, bool levelFilter = false);
    // The terms of one sequence as dots, joined and with arrows where the example asks.
    int TraceSequence(int i, const examples::TTrajectory& trajectory);
    // Every trajectory of a derx(n, y) example (220).
    int DrawHigherOrderTrajectories(int i);
    // Whatever example i keeps in its trajectory list, by its kind.
    int DrawTrajectories(int i);
    // For each member of the example's family (its letter running from the family's low to its
    // high end, given back afterwards): the slope field of a plane system or dy/dx equation,
    // then the trajectories.
    int DrawTrajectoryFamily(int i);
    // A 3D intrinsic curve over its range: forward to the high end, backward to the low end.
    int DrawIntrinsic3D(int i);
    // The field of a system (210) or dy/dx equation (211): a slope mark or a unit vector at each
    // point of a grid of the example's rows over the view.
    void DrawSlopeField(int i);

private:
    using Curve = TTracedCurves::Curve;

    TraceHooks HooksFor(const examples::TTrajectory& trajectory, std::vector<Curve>& curves);
    void AddPoint(const TracePoint& p, std::vector<Curve>& curves);
    // One resolution filter per curve of the next trace, at the target's picture.
    void StartFilters(std::size_t count);
    // The points of p that the curve's filter keeps, appended to the curve.
    void KeepFiltered(const TracePoint& p, canvas::WorldPoint w, TResolutionFilter& filter,
                      Curve& curve) const;
    long double KeptUntil(long double otherwise) const;
    void DrawCurves(const std::vector<Curve>& curves, canvas::TCanvasPrimitives& prim);
    void SelectPen(const examples::TPenSpec& pen, canvas::TCanvasPrimitives& prim);
    examples::TPenSpec PenOf(int i, const examples::TTrajectory& trajectory) const;
    std::optional<canvas::WorldPoint> PlotPoint(int pair, Vec3 p, long double t) const;
    bool Projected() const;
    AlongXOptions AlongXOf(int i) const;

    examples::TPlotWin& owner_;
    examples::TPlotWin& target_;
    canvas::TCanvasPrimitives* prim_;
    std::vector<int> pairs_;
    int example_ = -1;  // the example whose trajectory is being traced
    TracerSettings settings_;
    bool polling_;
    std::vector<TResolutionFilter> filters_;
    // "press Q" in the target's caption while its traces run long.
    std::unique_ptr<TLongWorkHint> hint_;
};

}  // namespace quorlin::dynamics
