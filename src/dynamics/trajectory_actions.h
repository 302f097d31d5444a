#pragma once
// What a graphing window does with new and stored trajectories: it adds the records of an
// example, traces them at once into its cached picture (watched: on the screen step by step),
// tells its time and phase windows of every point; it draws a stored trajectory again; and it
// traces the curves through the points a curve search found.
//
// The records are traced one by one, oldest first, each after the layers are brought up to
// date, so a trace never runs with a painter open on a layer that an event could replace.
#include <array>
#include <cstdint>
#include <string>

#include "canvas/canvas_primitives.h"
#include "core/vectors.h"
#include "examples/levels/plot_win.h"

namespace quorlin::dynamics {

// How new trajectories are traced and shown.
struct TNewTrajectorySettings {
    long double step = 0;  // 0: a system steps by the window's step length along its path
    int method = 2;        // 0 Euler, 1 modified Euler, 2 Runge-Kutta
    int penWidth = 1;
    bool watch = false;  // shown step by step, each step taking the delay
    int delay = 0;       // watched: tens of microseconds per step
};

// A system trajectory of example i (210, 310) from the start: forward (direction 1), backward
// (-1) or both (0; the backward one only when the forward one was not stopped by Q and did not
// close). The end value is the duration; a negative one has no practical end. 0, or 81.
int DrawNewSystemTrajectory(examples::TPlotWin& window, int i, Vec3 start, long double startTime,
                            int direction, long double endValue,
                            const TNewTrajectorySettings& settings);
// A dy/dx trajectory (211) from (x, y) with the settings' step and method.
int DrawNewSlopeTrajectory(examples::TPlotWin& window, int i, Vec2 start,
                           const TNewTrajectorySettings& settings);
// The terms x_0 .. x_n of a sequence (212, 312) from the start.
int DrawNewSequence(examples::TPlotWin& window, int i, Vec3 start, int terms,
                    const TNewTrajectorySettings& settings);
// A derx(n, y) trajectory (220) from x0 with the initial values y, y', ... (a ';' list).
int DrawNewHigherOrderTrajectory(examples::TPlotWin& window, int i, long double x0,
                                 const std::string& values, const TNewTrajectorySettings& settings);

// Draws a stored trajectory of example i again into the cached picture and on the screen, and
// in the time and phase windows.
void RetraceTrajectory(examples::TPlotWin& window, int i, const examples::TTrajectory& trajectory);

// The points of a stored trajectory of example i as a table, one row per step for at most
// `steps` steps after the start (whatever the view): "t x y" for systems ("z" in space), "n x y"
// for sequences, "x y" for dy/dx and "x y y'" for derx(n, y) trajectories.
std::string TrajectoryTable(examples::TPlotWin& window, int i,
                            const examples::TTrajectory& trajectory, int steps);

// The field of a level curve of a surface in the plane of the level variable (24 x, 25 y,
// 26 z): (-Fy, Fx) for z levels, (-Fz, Fy) for x levels, (-Fx, Fz) for y levels, the partial
// derivatives being the example's trees 5, 6, 7.
std::array<std::int16_t, 3> LevelCurveSelectors(int levelVariable);
// The same for example e: a surface intersection (317) in a coordinate plane keeps its tangent
// in trees 5-7, and its curve follows the tangent's two components in the plane ((Tx, Ty) for
// z levels, (Ty, Tz) for x levels, (Tz, Tx) for y levels); every other example its level
// curves' field.
std::array<std::int16_t, 3> LevelCurveSelectors(int levelVariable, const examples::TExample& e);

// A curve of example i through the start, kept in its list and drawn on the canvas: a system's
// trajectory, or the curve of the window's level through the point. Forward (1), backward (-1)
// or both (0; the backward curve only when the forward one was not stopped and did not close).
// 0, or 81.
int AddAndTraceSystemTrajectory(examples::TPlotWin& window, canvas::TCanvasPrimitives& prim, int i,
                                Vec3 start, int direction);

}  // namespace quorlin::dynamics
