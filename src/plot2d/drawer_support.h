#pragma once
// Helpers the drawers of the 2D kinds share: evaluating an example's trees at a variable (or
// their compiled programs, in the loops that sample a tree), the ranges of an example, the base
// steps of explicit and parametric curves, and the marks at the ends of a curve.
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "examples/records/example.h"
#include "examples/records/inventory.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"
#include "plot2d/draw_target.h"

namespace quorlin::plot2d::detail {

// The tree's real value at the current variables; false where it is missing or undefined.
bool EvalTree(FormulaContext& ctx, TExprNode* tree, long double& out);
// The same with one variable slot set first.
bool EvalTreeAt(FormulaContext& ctx, TExprNode* tree, int slot, long double value,
                long double& out);
// The same through a tree's compiled program, in the loops that evaluate one tree many times.
inline bool EvalTree(const TreeProgram& program, long double& out) {
    long double value = 0;
    if (!program.Evaluate(value)) return false;
    out = value;
    return std::isfinite(out);
}
inline bool EvalTreeAt(const TreeProgram& program, int slot, long double value, long double& out) {
    program.Context().SetVar(slot, value);
    return EvalTree(program, out);
}

// The parameter range of an example: its compiled range ends at the current parameters where
// they evaluate, else the record's range.
std::pair<long double, long double> ParameterRange(FormulaContext& ctx,
                                                   const examples::TInventoryEntry& entry);

// The plot x range an explicit curve is drawn over: the view widened by a pixel, cut to the
// example's range when its interval is locked. Nothing when they do not meet.
std::optional<std::pair<long double, long double>> ExplicitPlotRange(
    FormulaContext& ctx, const examples::TInventoryEntry& entry, const TPlotSpace& space);

// Base step of an explicit curve (one pixel of x) and of a curve of a parameter over [a, b]
// (the range spread over the longer side of the area), scaled by the example's density.
long double ExplicitStep(const examples::TExample& e, const TPlotSpace& space);
long double ParameterStep(const examples::TExample& e, const TPlotSpace& space, long double a,
                          long double b);

// The marks at the ends of a curve of a parameter over [a, b]: at each end with a mark, a circle
// on the curve or an arrowhead pointing away from the curve.
void DrawEndMarks(TDrawTarget& target, const examples::TExample& e, const CurveFunction& f,
                  long double a, long double b);

// The thinned pieces of a traced curve, gathered before they are drawn: tracers hand their
// points one by one, and several bodies or trajectories may be traced at once.
class TPieceCollector : public TCurveSink {
public:
    // Thinned finely here, since the target thins the pieces again.
    explicit TPieceCollector(const TPlotSpace& space) : pipe_(space, *this, 0.1L) {}
    TPieceCollector(const TPieceCollector&) = delete;
    TPieceCollector& operator=(const TPieceCollector&) = delete;

    // A value of the plane (nothing is drawn where it has no plot point).
    void AddValue(Vec2 value);
    void AddPlot(Vec2 plot) { pipe_.Add(plot); }
    void Lift() { pipe_.Break(); }
    // Hands the pieces to the target, each as a polyline.
    void DrawOn(TDrawTarget& target);

    void Point(Vec2 plot) override;
    void Break() override { open_ = false; }

private:
    TCurvePipe pipe_;
    std::vector<std::vector<Vec2>> pieces_;
    bool open_ = false;
};

// How long loops of the drawers end: asked every round, it polls the key while keys may be
// polled (Q stops; the window paces its polls by time), and otherwise (exports, printing,
// animation frames) ends the loop after a few seconds of work, looking at the clock every so
// many rounds.
class TWorkBudget {
public:
    static constexpr double kUnpolledSeconds = 2.0;

    explicit TWorkBudget(TDrawTarget& target, int every = 256);
    // True once the loop must end.
    bool Exhausted();
    // 81 when Q ended it, else 0.
    int Key() const { return key_; }

private:
    TDrawTarget& target_;
    int every_;
    long long rounds_ = 0;
    int key_ = 0;
    bool exhausted_ = false;
    std::chrono::steady_clock::time_point start_;
};

// The plot direction of the curve at t (a central difference at a small fraction of the step);
// false where it cannot be formed.
bool CurveDirection(const CurveFunction& f, long double t, long double step, Vec2& direction);

}  // namespace quorlin::plot2d::detail
