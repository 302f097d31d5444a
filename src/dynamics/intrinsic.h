#pragma once
// Intrinsic curves, given by their curvature kappa(s) (and in space their torsion tau(s)) as
// functions of the arc length s (the variable S): the Frenet-Serret system integrated by the
// classical Runge-Kutta method from the start point and start frame of the example.
//
// A 2D intrinsic curve (kind 225) holds kappa in tree 1, the start point in trees 2 and 3 and
// the start tangent in trees 4 and 5; a space curve (325) holds kappa in tree 1, tau in tree 2
// and in tree 3 a vector node whose three children are the start point, the start tangent and
// the start normal (each a vector node). The tangent is normalised, the normal made
// perpendicular to it and normalised, and the binormal is T x N.
#include <optional>

#include "core/vectors.h"
#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

// Position and Frenet frame of a curve.
struct FrenetState {
    Vec3 position;
    Vec3 tangent;
    Vec3 normal;
    Vec3 binormal;
};

// One classical fourth-order Runge-Kutta step (factors 0.5 and 1/6) of
//   P' = T, T' = kappa N, N' = -kappa T + tau B, B' = -tau N
// from s to s + h, with kappa and tau evaluated at S = s, s + h/2, s + h (a missing torsion
// tree is 0). False, the state unchanged, where a tree is undefined.
bool IntrinsicRK4Step(FormulaContext& context, TExprNode& curvature, TExprNode* torsion,
                      FrenetState& state, long double s, long double h);

// The curve of an intrinsic example: its trees and its start frame at s = 0.
class IntrinsicCurve {
public:
    // Empty when a start value is undefined or the start tangent is zero.
    static std::optional<IntrinsicCurve> FromExample(FormulaContext& context,
                                                     examples::TExample& example);

    const FrenetState& Start() const { return start_; }
    bool InSpace() const { return torsion_.has_value(); }

    // Moves the state from s to target in steps of at most `step`, each divided further where
    // the curve turns fast; false where kappa or tau is undefined (the state stays at the
    // last defined point, s with it).
    bool Advance(FrenetState& state, long double& s, long double target, long double step) const;

private:
    // The trees are compiled for the curve's traces.
    IntrinsicCurve(FormulaContext& context, TExprNode& curvature, TExprNode* torsion,
                   const FrenetState& start);

    FormulaContext* context_;
    TreeProgram curvature_;
    std::optional<TreeProgram> torsion_;
    FrenetState start_;
};

// Position and unit tangent of a 2D intrinsic curve at arc length s; false where undefined.
bool IntrinsicPoint2D(FormulaContext& context, examples::TExample& example, long double s,
                      Vec2& position, Vec2& direction);

// Position and Frenet frame of an intrinsic curve in space at arc length s.
bool IntrinsicPoint3D(FormulaContext& context, examples::TExample& example, long double s,
                      FrenetState& out);

// The arc length between two drawn points of an intrinsic curve in a box whose largest extent
// is `size` (at least 1e-6): the basic step, a 500th of it, scaled by the example's density.
// The drawer takes its points at this step; the curve's own box at the basic step (the density
// only sets how many points of the same curve are drawn).
long double IntrinsicBasicStep(long double size);
long double IntrinsicDrawingStep(const examples::TExample& example, long double size);

// Hands the arc over [sLow, sHigh] to the sink: forward from s = 0 to sHigh, then backward
// from 0 to sLow, a point every `step` of arc length (t of a point is its s). The stop is
// kUndefined where kappa or tau is undefined, kInterrupted on Q, kEndReached otherwise.
TraceResult TraceIntrinsic(FormulaContext& context, examples::TExample& example, long double sLow,
                           long double sHigh, long double step, const TracerSettings& settings,
                           const TraceHooks& hooks);

}  // namespace quorlin::dynamics
