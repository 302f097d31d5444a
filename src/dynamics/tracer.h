#pragma once
// The tracers of trajectories: systems dx/dt, dy/dt (, dz/dt) (kinds 210, 310), dy/dx = F(x, y)
// along x (211), derx(n, y) equations along x (220) and recursive sequences (212, 312). Each
// tracer integrates one trajectory record of an example, hands every point to a sink (the
// window draws it and feeds its linked windows) and stops by its rules:
//   - the end time or the number of terms is reached;
//   - the field is a zero vector (within the zero-vector tolerance);
//   - the trajectory returns to its start within the loop-closing tolerance after having left
//     it ("closed"): been twice the tolerance away, or run four times it along its path (an
//     orbit under a pixel closes once it has come round);
//   - it leaves the window or the 3D box (the last point, outside, is still handed on);
//   - the field is undefined: the trajectory ends there and keeps what it traced;
//   - the key poll answers Q (81);
//   - a step no longer advances the time or the state;
//   - while keys are not polled (export, printing, animation frames): the round limit or the
//     work budget;
//   - whatever the view, polled or not: the view's step limit (StepsForView).
// A step of 0, or one that does not advance at the magnitude of the start time, is refused
// before anything is traced (error 6), and so is a record whose tree selectors lie outside the
// example's seven trees.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/errors.h"
#include "core/vectors.h"
#include "dynamics/field.h"
#include "dynamics/steppers.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::dynamics {

inline constexpr long double kSmallestStep = 1e-16L;

// The steps a trace may take in a drawing area of width x height pixels (TracerSettings).
constexpr long long StepsForView(int width, int height) {
    constexpr long long kStepsPerPixel = 512;
    return kStepsPerPixel * (std::max(width, 8) + std::max(height, 8));
}

// The tracer's tolerances and step in world units, and the limits of a trace that nobody can
// interrupt.
struct TracerSettings {
    long double zeroVector = 0.1L;     // a field shorter than this is a rest point
    long double loopClosing = 0.7L;    // a return this close to the start closes the loop
    long double longestStep = 5.0L;    // a step of a system may not move farther (it is shortened)
    long double stepLength = 0.1L;     // arc length of a step of a record without a step of its own
    long long roundLimit = 1'000'000;  // steps while keys are not polled
    double budgetSeconds = 0;          // > 0: work budget while keys are not polled
    // Steps of any trace, keys polled or not: what a view of that many pixels can show, so
    // that a view of any world size (a step of 0.1 across 1e300) ends its traces.
    long long viewStepLimit = StepsForView(1000, 1000);

    // The window's pixel tolerances (zero vector, loop closing, longest step) and a step of one
    // pixel in world units.
    static TracerSettings ForPixelSize(long double unitsPerPixel, long double zeroPixels = 0.1L,
                                       long double loopPixels = 0.7L,
                                       long double longestPixels = 5.0L);
};

// One point of a trace. For systems t is the time, for dy/dx and derx trajectories x, for
// sequences the term index; a derx trajectory hands (x, y, y').
struct TracePoint {
    Vec3 position;
    long double t = 0;
    bool draw = false;   // join it to the previous point (false: the pen moves there)
    bool inside = true;  // it lies in the window or the box
};

struct TraceHooks {
    std::function<void(const TracePoint&)> sink;
    // The key poll; empty while keys must not be polled. 81 (Q) stops the trace.
    std::function<int()> pollKey;
    // The window or box; empty: the trace has no bounds.
    std::function<bool(const TracePoint&)> inside;
};

enum class TraceStop {
    kEndReached,
    kZeroVector,
    kClosed,
    kLeftRegion,
    kUndefined,
    kInterrupted,
    kStalled,
    kRoundLimit,
    kBudget,
    kRefused,
};

struct TraceResult {
    TraceStop stop = TraceStop::kEndReached;
    int error = 0;  // 6 when the record was refused
    Vec3 end;       // the last state
    long double endTime = 0;
    long long steps = 0;

    int Key() const { return stop == TraceStop::kInterrupted ? kKeyStop : 0; }
    bool Closed() const { return stop == TraceStop::kClosed; }
};

// 0 for a usable step h at the time (or x) `at`; 6 when |h| < 1e-16 or at + h == at.
int CheckStepSize(long double h, long double at = 0);

// The start state and time of a record: its start values, or for a kind above 1000 the values
// of its start formulas (texts 1-3 the coordinates, text 4 the time) where it has them; false
// when a formula is undefined.
bool StartState(FormulaContext& context, const examples::TTrajectory& trajectory, Vec3& start,
                long double& startTime);

// The view of a 2D window for the tracers that step along x.
struct ViewRect {
    long double xLow = -5;
    long double xHigh = 5;
    long double yLow = -5;
    long double yHigh = 5;
};

// How a dy/dx or derx trajectory meets the view: with `clip` it also ends on leaving at the
// top or bottom; with `table` it runs for tableSteps steps (below 2: until a step fails or Q)
// and leaving the view never ends it; `infiniteSlopes` ends a dy/dx trajectory at a turn
// through a vertical tangent.
struct AlongXOptions {
    ViewRect view;
    bool clip = false;
    bool infiniteSlopes = false;
    bool table = false;
    long long tableSteps = 0;
};

// Position of (x, y) against the view: 2 left or right of it, 0 inside, 1 above or below.
int PointCode(const ViewRect& view, long double x, long double y);

// The integration of a system record without drawing: steps of the record's own step, or of
// the step length in arc length, towards an end time. A step of arc length is halved while it
// moves farther than the longest step, or while the field at its end differs from the field at
// its start by more than half of it (it overshot a rest point or cut a sharp bend), so that a
// trajectory runs into a rest point instead of dancing around it.
class SystemIntegrator {
public:
    enum class Outcome { kStepped, kAtEnd, kZeroVector, kUndefined, kStalled };

    // The field must outlive the integrator.
    SystemIntegrator(const SystemField& field, Method method, long double fixedStep,
                     const TracerSettings& settings);

    // One step of (t, y) towards tEnd, landing on tEnd exactly with the last one.
    Outcome Advance(long double& t, std::array<long double, 3>& y, long double tEnd);

private:
    // The step for the field's count: an int, or for a system of two a compile-time constant.
    template <typename Count>
    Outcome AdvanceBy(long double& t, std::array<long double, 3>& y, long double tEnd, Count n);

    const SystemField& field_;
    Method method_;
    long double fixedStep_;
    TracerSettings settings_;
    ShorterThan isRest_;  // a field shorter than the zero-vector tolerance
    // The slope at the end of the last step, evaluated to check it, is the next step's first.
    std::array<long double, kMaxStateSize> slope_{};
    std::array<long double, 3> slopeY_{};
    long double slopeT_ = 0;
    bool slopeKept_ = false;
};

// A system dx/dt, dy/dt (components 2) or dx/dt, dy/dt, dz/dt (components 3): the record's tree
// selectors, method (first option word), start, end time and step.
TraceResult TraceSystem(FormulaContext& context, examples::TExample& example,
                        const examples::TTrajectory& trajectory, int components,
                        const TracerSettings& settings, const TraceHooks& hooks);
// The same with the state in the given slots, up to the given end time.
TraceResult TraceSystem(FormulaContext& context, examples::TExample& example,
                        const examples::TTrajectory& trajectory, const StateSlots& state,
                        long double endTime, const TracerSettings& settings,
                        const TraceHooks& hooks);

// A level curve of a surface: the record's first option word names the level variable (24 x,
// 25 y, 26 z), held at the start's coordinate, and its selectors the field in the level's plane
// (for z levels of z = f(x, y): 13 and 4, that is (-df/dy, df/dx)); traced as a system by
// Runge-Kutta steps. Refused for another option word.
TraceResult TraceLevelCurve(FormulaContext& context, examples::TExample& example,
                            const examples::TTrajectory& trajectory, const TracerSettings& settings,
                            const TraceHooks& hooks);

// dy/dx = tree 3 from the record's start (x, y) with its step and method, along x.
TraceResult TraceSlope(FormulaContext& context, examples::TExample& example,
                       const examples::TTrajectory& trajectory, const AlongXOptions& options,
                       const TracerSettings& settings, const TraceHooks& hooks);

// y^(n) = tree 3, n the example's order, from x = the record's start time with the initial
// values y, y', ..., y^(n-1) of its text 1 (a ';'-separated list), its step and method.
TraceResult TraceHigherOrder(FormulaContext& context, examples::TExample& example,
                             const examples::TTrajectory& trajectory, const AlongXOptions& options,
                             const TracerSettings& settings, const TraceHooks& hooks);

// The terms x_0 .. x_n of a sequence (n = the record's end value, rounded): x_{k+1} = tree 1,
// y_{k+1} = tree 2 (, z_{k+1} = tree 3) at X = x_k, Y = y_k (, Z = z_k) and T = k.
TraceResult TraceSequence(FormulaContext& context, examples::TExample& example,
                          const examples::TTrajectory& trajectory, int components,
                          const TracerSettings& settings, const TraceHooks& hooks);
// The same for another number of terms.
TraceResult TraceSequence(FormulaContext& context, examples::TExample& example,
                          const examples::TTrajectory& trajectory, int components,
                          long double terms, const TracerSettings& settings,
                          const TraceHooks& hooks);

}  // namespace quorlin::dynamics
