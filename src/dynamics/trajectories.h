#pragma once
// One entry for the window levels: trace any trajectory record of an example by its kind, or
// integrate it to a time without drawing.
//
// Kinds (the record's kind, less 1000 for formula start values): 210 and 310 systems, 211
// dy/dx, 220 derx(n, y), 212 and 312 sequences, 204 a traced piece of an implicit curve (time =
// arc length along (-Fy, Fx), F tree 3, Fx tree 5, Fy tree 6). A record of another kind is a
// level curve of a surface when its first option word names a level variable (24, 25, 26), and
// is refused otherwise.
#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::dynamics {

// Traces the record with the tracer of its kind (see tracer.h); alongX serves 211 and 220.
TraceResult TraceTrajectory(FormulaContext& context, examples::TExample& example,
                            const examples::TTrajectory& trajectory, const TracerSettings& settings,
                            const TraceHooks& hooks, const AlongXOptions& alongX = {});

// Integrates the record from its start to time t (x for 211 and 220, the term for sequences,
// the arc length for 204) with its method and steps, and returns the state in `end`: (x, y, z),
// (x, y, y') for 220. The stop is kEndReached when t was reached; a rest point (kZeroVector)
// keeps its state; kUndefined, kStalled, kRoundLimit or kRefused say why t was not reached.
TraceResult TrajectoryStateAt(FormulaContext& context, examples::TExample& example,
                              const examples::TTrajectory& trajectory, long double t,
                              const TracerSettings& settings);

// The state at the record's end time (its number of terms for a sequence).
TraceResult TrajectoryEndPoint(FormulaContext& context, examples::TExample& example,
                               const examples::TTrajectory& trajectory,
                               const TracerSettings& settings);

// Where a system record (210, 310) ends after a trace that Q stopped or that closed, so that
// every later redraw takes a bounded number of steps whatever the window's size: after Q at
// keptUntil, the time of the last point that added something to the picture (tracing on from
// there only ran over lines already drawn); a closed orbit where it closed. Other kinds and
// other stops leave the record as it is. True when the record changed.
bool KeepWhereStopped(examples::TTrajectory& record, const TraceResult& result,
                      long double keptUntil);

}  // namespace quorlin::dynamics
