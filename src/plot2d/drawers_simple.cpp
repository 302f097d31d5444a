// Drawers of segments, lines, points, plot points and series.
#include <algorithm>
#include <cmath>
#include <vector>

#include "examples/records/point_position.h"
#include "formula/opcodes.h"
#include "plot2d/drawer_support.h"
#include "plot2d/example_drawers.h"

namespace quorlin::plot2d {

using detail::EvalTree;
using detail::EvalTreeAt;
using examples::TExample;

namespace {

// The straight line through two values as a curve of t in [0, 1] (bent on logarithmic axes).
CurveFunction StraightFunction(Vec2 p, Vec2 q, const TPlotSpace& space) {
    return [p, q, &space](long double t, Vec2& out) {
        return space.ValueToPlot(p + t * (q - p), out);
    };
}

// The two ends of a segment (trees 1-4), or its point (trees 1, 2), in polar form (r, t) when
// it is given so.
bool EvalPoint(FormulaContext& ctx, TExample& e, int first, Vec2& p) {
    if (!EvalTree(ctx, e.Tree(first).get(), p.x) || !EvalTree(ctx, e.Tree(first + 1).get(), p.y))
        return false;
    return !e.PolarForm() || Vec2PolarInPlace(p);
}

bool UsesVariable(const TExprNode* tree, int code) {
    if (!tree) return false;
    if (tree->op == code) return true;
    return std::any_of(tree->child.begin(), tree->child.end(),
                       [code](const NodePtr& c) { return UsesVariable(c.get(), code); });
}

}  // namespace

int DrawSegment(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    Vec2 p, q;
    if (!EvalPoint(env.formula, e, 1, p) || !EvalPoint(env.formula, e, 3, q)) return 0;
    const TPlotSpace& space = env.target.Space();
    TCurveJob job;
    job.f = StraightFunction(p, q, space);
    job.a = 0;
    job.b = 1;
    job.step = 1.0L / 64;
    job.detectJumps = false;
    const int key = env.target.Curve(job);
    // Arrows: bit 0 at the first end, a mode of 2 or more at the second.
    const int size = e.sizeWord + 10;
    Vec2 tip;
    if ((e.EndMarkMode() & 1) && space.ValueToPlot(p, tip)) {
        Vec2 d;
        if (detail::CurveDirection(job.f, 0, job.step, d))
            env.target.Arrow(tip, {-d.x, -d.y}, size, true);
    }
    if (e.EndMarkMode() >= 2 && space.ValueToPlot(q, tip)) {
        Vec2 d;
        if (detail::CurveDirection(job.f, 1, job.step, d)) env.target.Arrow(tip, d, size, true);
    }
    return key;
}

int DrawLine(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    FormulaContext& ctx = env.formula;
    long double a = 0, b = 0, c = 0;
    if (!EvalTree(ctx, e.Tree(1).get(), a) || !EvalTree(ctx, e.Tree(2).get(), b) ||
        !EvalTree(ctx, e.Tree(3).get(), c))
        return 0;
    const TPlotSpace& space = env.target.Space();
    TCurveJob job;
    job.detectJumps = false;
    if (std::fabs(b) > 1e-16L * std::fabs(a)) {  // y = (c - ax) / b over the view's x
        job.f = [a, b, c, &space](long double t, Vec2& p) {
            const long double x = space.ValueOfPlotX(t);
            return space.ValueToPlot({x, (c - a * x) / b}, p);
        };
        job.a = space.xLow - space.UnitsPerPixelX();
        job.b = space.xHigh + space.UnitsPerPixelX();
        job.step = (job.b - job.a) / 16;
    } else if (a != 0) {  // x = c / a over the view's y
        job.f = [x = c / a, &space](long double t, Vec2& p) {
            return space.ValueToPlot({x, space.ValueOfPlotY(t)}, p);
        };
        job.a = space.yLow - space.UnitsPerPixelY();
        job.b = space.yHigh + space.UnitsPerPixelY();
        job.step = (job.b - job.a) / 16;
    } else {
        return 0;  // 0x + 0y = c is no line
    }
    return env.target.Curve(job);
}

int DrawPoint(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    Vec3 drawn;
    if (!examples::DrawnPointPosition(env.formula, e, drawn)) return 0;
    const Vec2 v{drawn.x, drawn.y};
    // Texts tied to the point find it in the first range block.
    e.rangeLow[0] = v.x;
    e.rangeLow[1] = v.y;
    Vec2 p;
    if (!env.target.Space().ValueToPlot(v, p)) return 0;
    // A disc of the pen's width, or a circle when the style word asks for one.
    env.target.Marker(p, std::max<int>(1, e.pen.width), e.pen.DrawnStyle() == 0);
    return 0;
}

int DrawPlotPoints(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    FormulaContext& ctx = env.formula;
    const int count = std::clamp<int>(e.PlotPointCount(), 0, static_cast<int>(e.values.size()));
    const int variable = e.PlotPointVariable() == slot::kX ? slot::kX : slot::kT;
    const bool explicitParent = e.subKind == examples::kind::kExplicit;
    const TPlotSpace& space = env.target.Space();
    const TreeProgram x(ctx, e.Tree(1).get()), y(ctx, e.Tree(2).get());
    for (int k = 0; k < count; ++k) {
        const long double value = e.values[static_cast<std::size_t>(k)];
        Vec2 v;
        if (explicitParent) {
            v.x = value;
            if (!EvalTreeAt(y, slot::kX, value, v.y)) continue;
        } else if (!EvalTreeAt(x, variable, value, v.x) || !EvalTree(y, v.y)) {
            continue;
        }
        Vec2 p;
        if (space.ValueToPlot(v, p)) env.target.Marker(p, std::max<int>(1, e.pen.width), true);
        if (env.target.PollKey() == kKeyStop) return kKeyStop;
    }
    return 0;
}

int DrawSeries(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    FormulaContext& ctx = env.formula;
    TExprNode* index = e.Tree(1).get();
    TExprNode* term = e.Tree(2).get();
    if (!index || !term || !op::IsVariable(index->op)) return 0;
    const int indexSlot = op::VariableSlot(index->op);
    const int from = e.divisions[0], to = e.divisions[1];
    if (to < from) return 0;
    const TreeProgram termProgram(ctx, term);
    // The partial sum up to n; false where a term is undefined, and once the budget of the
    // drawing is spent.
    detail::TWorkBudget budget(env.target, 4096);
    const auto partialSum = [&](int n, long double& sum) {
        sum = 0;
        for (int k = from; k <= n; ++k) {
            long double value = 0;
            if (budget.Exhausted() || !EvalTreeAt(termProgram, indexSlot, k, value)) return false;
            sum += value;
        }
        return std::isfinite(sum);
    };
    const TPlotSpace& space = env.target.Space();
    if (UsesVariable(term, op::kVarX) && indexSlot != slot::kX) {
        // A series of functions: y = the sum of its terms from the first to the last index.
        TCurveJob job;
        job.f = [&](long double t, Vec2& p) {
            const long double x = space.ValueOfPlotX(t);
            long double y = 0;
            ctx.SetVar(slot::kX, x);
            return partialSum(to, y) && space.ValueToPlot({x, y}, p);
        };
        job.a = space.xLow - space.UnitsPerPixelX();
        job.b = space.xHigh + space.UnitsPerPixelX();
        job.step = detail::ExplicitStep(e, space);
        const int key = env.target.Curve(job);
        return key != 0 ? key : budget.Key();
    }
    // A series of numbers: the partial sums (n, S_n) as dots, joined when "connect" is on.
    const int radius = e.OwnDotSize() && e.sizeWord > 0 ? e.sizeWord : 2;
    std::vector<Vec2> points;
    long double sum = 0;
    for (int n = from; n <= to; ++n) {
        long double value = 0;
        if (!EvalTreeAt(termProgram, indexSlot, n, value) || !std::isfinite(sum += value)) break;
        Vec2 p;
        if (!space.ValueToPlot({static_cast<long double>(n), sum}, p)) {
            if (e.ConnectPoints()) env.target.Polyline(points);
            points.clear();
            continue;
        }
        env.target.Marker(p, radius, true);
        points.push_back(p);
        if (env.target.PollKey() == kKeyStop) return kKeyStop;
    }
    if (e.ConnectPoints()) env.target.Polyline(points);
    return 0;
}

}  // namespace quorlin::plot2d
