// Drawers of the curves of one parameter: explicit curves (with periodic forms, Lagrange
// polynomials and web diagrams), polar and parametric curves, indefinite integrals and
// roulettes.
#include <cmath>
#include <vector>

#include "examples/records/compile.h"
#include "plot2d/drawer_support.h"
#include "plot2d/example_drawers.h"
#include "plot2d/lagrange_points.h"
#include "plot2d/quadrature.h"

namespace quorlin::plot2d {

using detail::EvalTree;
using detail::EvalTreeAt;
using examples::TExample;
using examples::TNumber;

namespace {

// The explicit curve y = f(x) of a compiled tree in X as a function of the plot x.
CurveFunction ExplicitFunction(const TreeProgram& f, const TPlotSpace& space) {
    return [&f, &space](long double t, Vec2& p) {
        const long double x = space.ValueOfPlotX(t);
        long double y = 0;
        return EvalTreeAt(f, slot::kX, x, y) && space.ValueToPlot({x, y}, p);
    };
}

// The compiled trees of a curve (x(t), y(t)), with an optional condition that must be
// positive (the r of a polar curve drawn for positive r only).
struct ParametricPrograms {
    ParametricPrograms(FormulaContext& context, TExprNode* xTree, TExprNode* yTree,
                       TExprNode* positiveTree)
        : ctx(context),
          x(context, xTree),
          y(context, yTree),
          positive(context, positiveTree),
          restricted(positiveTree != nullptr) {}

    FormulaContext& ctx;
    TreeProgram x, y, positive;
    bool restricted;
};

CurveFunction ParametricFunction(const ParametricPrograms& trees, const TPlotSpace& space) {
    return [&trees, &space](long double t, Vec2& p) {
        trees.ctx.SetVar(slot::kT, t);
        Vec2 v;
        long double r = 0;
        if (trees.restricted && !(EvalTree(trees.positive, r) && r > 0)) return false;
        return EvalTree(trees.x, v.x) && EvalTree(trees.y, v.y) && space.ValueToPlot(v, p);
    };
}

// The base samples of a curve over [a, b] in plot x, as values of x: the nodes of a cumulative
// integral along it (at most a few thousand, spread evenly).
std::vector<long double> NodesOver(long double a, long double b, long double step,
                                   const std::function<long double(long double)>& value) {
    constexpr long double kMaxNodes = 4096;
    const long double count = std::min(kMaxNodes, std::max(1.0L, std::ceil((b - a) / step)));
    const auto n = static_cast<long long>(count);
    std::vector<long double> nodes;
    nodes.reserve(static_cast<std::size_t>(n) + 1);
    for (long long k = 0; k <= n; ++k)
        nodes.push_back(value(k == n ? b : a + (b - a) * static_cast<long double>(k) / count));
    return nodes;
}

// The diagonal y = x across the view, which the steps of a web go across to.
void DrawWebDiagonal(TDrawEnvironment& env) {
    const TPlotSpace& space = env.target.Space();
    TCurveJob job;
    job.f = [&space](long double t, Vec2& p) {
        const long double x = space.ValueOfPlotX(t);
        return space.ValueToPlot({x, x}, p);
    };
    job.a = space.xLow - space.UnitsPerPixelX();
    job.b = space.xHigh + space.UnitsPerPixelX();
    job.step = space.UnitsPerPixelX();
    env.target.SetPen({static_cast<std::int16_t>(env.webDiagonalColour), 1, 0});
    env.target.Curve(job);
}

// Cobweb of the iteration x -> f(x) from the seed: up to the curve, across to the diagonal,
// for the example's web steps, in the web's own colour. The initial segment rises from the seed
// on the x-axis; without it the web starts on the diagonal. Arrows show the way of every step.
void DrawWeb(TDrawEnvironment& env, const TExample& e, const TreeProgram& f) {
    FormulaContext& ctx = env.formula;
    long double x = 0;
    if (e.subKind >= 1 && e.subKind <= slot::kLastParameter)
        x = ctx.Var(e.subKind);
    else
        x = e.Number(TNumber::kWebSeed);
    const TPlotSpace& space = env.target.Space();
    std::vector<Vec2> path;
    const auto add = [&](long double u, long double v) {
        Vec2 p;
        if (space.ValueToPlot({u, v}, p)) path.push_back(p);
    };
    add(x, e.InitialSegment() ? 0 : x);
    for (int k = 0; k < e.WebSteps(); ++k) {
        long double y = 0;
        if (!EvalTreeAt(f, slot::kX, x, y)) break;
        add(x, y);
        add(y, y);
        x = y;
    }
    DrawWebDiagonal(env);
    examples::TPenSpec pen = e.pen;
    pen.colour = e.extraColour[1];
    env.target.SetPen(pen);
    env.target.Polyline(path);
    if (e.WebArrows()) {
        const int size = e.sizeWord + 10;
        for (std::size_t k = 1; k < path.size(); ++k)
            env.target.Arrow(path[k], path[k] - path[k - 1], size, true);
    }
    env.target.SetPen(e.pen);
}

void DrawLagrangeDots(TDrawEnvironment& env, const TExample& e) {
    const int count = std::min<int>(e.LagrangeLastPoint() + 1, static_cast<int>(e.points.size()));
    const int radius = LagrangeDotRadius(e);
    for (int k = 0; k < count; ++k) {
        Vec2 p;
        if (env.target.Space().ValueToPlot(
                {e.points[static_cast<std::size_t>(k)].x, e.points[static_cast<std::size_t>(k)].y},
                p))
            env.target.Marker(p, radius, true);
    }
}

}  // namespace

int DrawExplicit(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    TExprNode* f = e.Tree(2).get();
    const bool lagrange = e.IsLagrangeExplicit();
    if (lagrange) {
        examples::LoadLagrangeCoefficients(e, env.formula);
        if (e.DotsAlwaysVisible() || env.lagrangeExample == i) DrawLagrangeDots(env, e);
    }
    const TPlotSpace& space = env.target.Space();
    const auto range = detail::ExplicitPlotRange(env.formula, env.inventory.Entry(i), space);
    // A polynomial whose points are still to be picked has none yet.
    if (!f || !range || (lagrange && e.LagrangeLastPoint() < 0)) return 0;
    const TreeProgram program(env.formula, f);
    TCurveJob job;
    job.f = ExplicitFunction(program, space);
    job.a = range->first;
    job.b = range->second;
    job.step = detail::ExplicitStep(e, space);
    job.detectJumps = !e.jumpsOff;
    const int key = env.target.Curve(job);
    if (key != 0) return key;
    if (e.lockInterval && !e.periodic && !lagrange)
        detail::DrawEndMarks(env.target, e, job.f, job.a, job.b);
    if (e.WebOn() && !lagrange) DrawWeb(env, e, program);
    return 0;
}

int DrawPolar(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    const auto [a, b] = detail::ParameterRange(env.formula, env.inventory.Entry(i));
    const TPlotSpace& space = env.target.Space();
    const ParametricPrograms trees(env.formula, e.Tree(1).get(), e.Tree(2).get(),
                                   e.restrictOn ? e.Tree(3).get() : nullptr);
    TCurveJob job;
    job.f = ParametricFunction(trees, space);
    job.a = a;
    job.b = b;
    job.step = detail::ParameterStep(e, space, a, b);
    if (!e.Tree(1) || !e.Tree(2)) return 0;
    const int key = env.target.Curve(job);
    if (key == 0) detail::DrawEndMarks(env.target, e, job.f, a, b);
    return key;
}

int DrawParametric(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    if (!e.Tree(1) || !e.Tree(2)) return 0;
    const auto [a, b] = detail::ParameterRange(env.formula, env.inventory.Entry(i));
    const TPlotSpace& space = env.target.Space();
    const ParametricPrograms trees(env.formula, e.Tree(1).get(), e.Tree(2).get(), nullptr);
    TCurveJob job;
    job.f = ParametricFunction(trees, space);
    job.a = a;
    job.b = b;
    job.step = detail::ParameterStep(e, space, a, b);
    const int key = env.target.Curve(job);
    if (key != 0) return key;
    detail::DrawEndMarks(env.target, e, job.f, a, b);
    if (e.ArrowAtT()) {  // an arrow at t along the curve
        const long double t = e.Number(TNumber::kArrowT);
        Vec2 p, d;
        if (job.f(t, p) && detail::CurveDirection(job.f, t, job.step, d))
            env.target.Arrow(p, d, e.sizeWord + 10, true);
    }
    return 0;
}

int DrawIntegral(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    TExprNode* integrand = e.Tree(2).get();
    long double lower = 0;
    if (!integrand || !EvalTree(env.formula, e.Tree(1).get(), lower)) return 0;
    const TPlotSpace& space = env.target.Space();
    const auto range = detail::ExplicitPlotRange(env.formula, env.inventory.Entry(i), space);
    if (!range) return 0;
    const long double step = detail::ExplicitStep(e, space);
    const TreeProgram f(env.formula, integrand);
    // Accurate to a small fraction of a pixel at every node.
    TQuadratureLimits limits;
    limits.absolute = 1e-4L * space.UnitsPerPixelY();
    const TCumulativeIntegral antiderivative(
        [&f](long double x, long double& y) { return EvalTreeAt(f, slot::kX, x, y); }, lower,
        NodesOver(range->first, range->second, step,
                  [&space](long double t) { return space.ValueOfPlotX(t); }),
        limits);
    TCurveJob job;
    job.f = [&antiderivative, &space](long double t, Vec2& p) {
        const long double x = space.ValueOfPlotX(t);
        long double y = 0;
        return antiderivative.Value(x, y) && space.ValueToPlot({x, y}, p);
    };
    job.a = range->first;
    job.b = range->second;
    job.step = step;
    job.detectJumps = !e.jumpsOff;
    const int key = env.target.Curve(job);
    if (key == 0 && e.lockInterval) detail::DrawEndMarks(env.target, e, job.f, job.a, job.b);
    return key;
}

int DrawRoulette(TDrawEnvironment& env, int i) {
    TExample& e = env.inventory[i];
    TExprNode* x = e.Tree(1).get();
    TExprNode* y = e.Tree(2).get();
    const long double start = e.Number(TNumber::kRouletteStart),
                      radius = e.Number(TNumber::kRouletteRadius),
                      arm = e.Number(TNumber::kRouletteArm);
    const auto [a, b] = detail::ParameterRange(env.formula, env.inventory.Entry(i));
    if (!x || !y || !(radius > 0) || !std::isfinite(radius) || !std::isfinite(start)) return 0;
    const bool derivatives = e.Tree(5) && e.Tree(6);
    const TreeProgram fx(env.formula, x), fy(env.formula, y);
    const TreeProgram dx(env.formula, e.Tree(5).get()), dy(env.formula, e.Tree(6).get());
    // The parent's point and velocity at t; the velocity from the derivative trees, else from
    // a central difference.
    const auto velocity = [&](long double t, Vec2& v) {
        if (derivatives) return EvalTreeAt(dx, slot::kT, t, v.x) && EvalTree(dy, v.y);
        const long double h = 1e-6L * std::max(1.0L, std::fabs(t));
        Vec2 p, q;
        if (!EvalTreeAt(fx, slot::kT, t - h, p.x) || !EvalTree(fy, p.y) ||
            !EvalTreeAt(fx, slot::kT, t + h, q.x) || !EvalTree(fy, q.y))
            return false;
        v = (1 / (2 * h)) * (q - p);
        return true;
    };
    const TPlotSpace& space = env.target.Space();
    const long double step = detail::ParameterStep(e, space, a, b);
    // The arc the circle has rolled since it touched the curve at the start.
    const TCumulativeIntegral rolled(
        [&velocity](long double t, long double& speed) {
            Vec2 v;
            if (!velocity(t, v)) return false;
            speed = std::hypot(v.x, v.y);
            return true;
        },
        start, NodesOver(a, b, step, [](long double t) { return t; }));
    const long double side = e.LeftSide() ? 1 : -1;  // left of the direction of travel, or right
    TCurveJob job;
    job.f = [&](long double t, Vec2& p) {
        Vec2 c, v;
        long double s = 0;
        if (!EvalTreeAt(fx, slot::kT, t, c.x) || !EvalTree(fy, c.y) || !velocity(t, v) ||
            !rolled.Value(t, s))
            return false;
        const long double speed = std::hypot(v.x, v.y);
        if (!(speed > 0)) return false;
        const Vec2 n{-side * v.y / speed, side * v.x / speed};  // towards the circle's centre
        // The arm turns against the rolling: clockwise on the left side, counter-clockwise on
        // the right; it starts pointing at the touching point.
        const long double angle = -side * s / radius;
        const Vec2 r{-n.x, -n.y};
        const Vec2 turned{r.x * std::cos(angle) - r.y * std::sin(angle),
                          r.x * std::sin(angle) + r.y * std::cos(angle)};
        return space.ValueToPlot(c + radius * n + arm * turned, p);
    };
    job.a = a;
    job.b = b;
    job.step = step;
    return env.target.Curve(job);
}

}  // namespace quorlin::plot2d
