#include "plot2d/drawers.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plot2d/curve_sampler.h"

namespace quorlin::plot2d {

using canvas::WorldPoint;
using examples::TExample;

namespace {

// No curve takes more samples than this, whatever its range and density.
constexpr long double kMaxSamples = 200000;
// A parametric curve's basic step divides its parameter range into this many steps.
constexpr long double kParameterSteps = 1000;
// How many samples pass between two looks at the keyboard.
constexpr int kPollEvery = 256;

// Steps of `step` from low to high (the last exactly at high), never with a zero, negative or
// undefined step, and never more than kMaxSamples of them.
int StepCount(long double low, long double high, long double& step) {
    const long double span = high - low;
    if (!(span > 0) || !std::isfinite(span)) return 0;
    if (!(step > 0) || !std::isfinite(step)) step = span;
    long double n = std::ceil(span / step);
    if (n > kMaxSamples) {
        n = kMaxSamples;
        step = span / n;
    }
    return static_cast<int>(n);
}

// Calls sample(v) at low, low + step, ... high; kStop when the key poll said so.
template <class Sample>
int Sweep(TDrawContext& context, long double low, long double high, long double step,
          Sample sample) {
    const int n = StepCount(low, high, step);
    for (int k = 0; k <= n; ++k) {
        sample(k == n ? high : low + k * step);
        if (context.pollKey && k % kPollEvery == kPollEvery - 1 && context.pollKey() == kStop)
            return kStop;
    }
    return 0;
}

bool Value(TDrawContext& context, TExprNode* tree, long double& out) {
    if (!tree || !context.formulas.Evaluate(*tree)) return false;
    out = tree->re;
    return std::isfinite(out);
}

// y = f(x) across the view, or across its locked interval.
int DrawExplicit(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    TExample& e = context.inventory[index];
    TExprNode* f = e.Tree(2).get();
    if (!f) return 0;
    const canvas::TViewFrame& v = context.view;
    long double low = v.left, high = v.right;
    if (e.lockInterval) {
        low = std::max(low, e.rangeLow[0]);
        high = std::min(high, e.rangeHigh[0]);
    }
    SelectExamplePen(context, e, prim);
    TCurveSampler curve(prim, v);
    return Sweep(context, low, high, e.ScaledStep(v.unitsPerPixelX), [&](long double x) {
        long double y = 0;
        if (context.formulas.EvalAtReal(*f, slot::kX, x, y) && std::isfinite(y))
            curve.Add({x, y});
        else
            curve.Undefined();
    });
}

// (x(t), y(t)) over the first range: parametric curves, and polar curves, which compilation
// gives the trees r(t) cos t and r(t) sin t.
int DrawParametric(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    TExample& e = context.inventory[index];
    TExprNode* x = e.Tree(1).get();
    TExprNode* y = e.Tree(2).get();
    if (!x || !y) return 0;
    const long double low = e.rangeLow[0], high = e.rangeHigh[0];
    SelectExamplePen(context, e, prim);
    TCurveSampler curve(prim, context.view);
    return Sweep(context, low, high, e.ScaledStep((high - low) / kParameterSteps),
                 [&](long double t) {
                     context.formulas.SetVar(slot::kT, t);
                     long double px = 0, py = 0;
                     if (Value(context, x, px) && Value(context, y, py))
                         curve.Add({px, py});
                     else
                         curve.Undefined();
                 });
}

int DrawSegment(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    Vec2 a, b;
    if (context.compiler.EvalEndPoints(index, a, b) != 0) return 0;
    SelectExamplePen(context, context.inventory[index], prim);
    prim.Segment({a.x, a.y}, {b.x, b.y}, true);
    return 0;
}

// The line ax + by = c of texts 1-3 across the view.
int DrawLine(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    TExample& e = context.inventory[index];
    long double a = 0, b = 0, c = 0;
    if (!Value(context, e.Tree(1).get(), a) || !Value(context, e.Tree(2).get(), b) ||
        !Value(context, e.Tree(3).get(), c))
        return 0;
    const canvas::TViewFrame& v = context.view;
    WorldPoint p, q;
    if (std::fabs(b) >= std::fabs(a) && std::fabs(b) > 1e-16L) {
        p = {v.left, (c - a * v.left) / b};
        q = {v.right, (c - a * v.right) / b};
    } else if (std::fabs(a) > 1e-16L) {
        p = {(c - b * v.down) / a, v.down};
        q = {(c - b * v.up) / a, v.up};
    } else {
        return 0;
    }
    SelectExamplePen(context, e, prim);
    prim.Segment(p, q, true);
    return 0;
}

// A point example: a disc of the example's width; the point drawn is kept in the first range
// block, where texts tied to the point find it.
int DrawPoint(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    TExample& e = context.inventory[index];
    Vec2 p;
    if (e.byte55) {
        TExprNode* z = e.Tree(1).get();
        if (!z || !context.formulas.Evaluate(*z)) return 0;
        p = {z->re, z->im};
    } else if (Vec2 unused; context.compiler.EvalEndPoints(index, p, unused) != 0) {
        return 0;
    }
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return 0;
    e.rangeLow[0] = p.x;
    e.rangeLow[1] = p.y;
    QPoint pixel;
    if (!context.view.PointToScreen({p.x, p.y}, pixel)) return 0;
    SelectExamplePen(context, e, prim);
    constexpr int kDisc = 1;
    prim.Marker(pixel, kDisc, std::max<int>(e.pen.width, 1));
    return 0;
}

struct TDrawerEntry {
    int kind;
    TDrawer drawer;
};

constexpr std::array<TDrawerEntry, 6> kDrawers{{
    {examples::kind::kExplicit, DrawExplicit},
    {examples::kind::kPolar, DrawParametric},
    {examples::kind::kParametric, DrawParametric},
    {examples::kind::kSegment, DrawSegment},
    {examples::kind::kLine, DrawLine},
    {examples::kind::kPoint, DrawPoint},
}};

}  // namespace

TDrawer FindDrawer(int kind) {
    const auto it = std::find_if(kDrawers.begin(), kDrawers.end(),
                                 [kind](const TDrawerEntry& e) { return e.kind == kind; });
    return it == kDrawers.end() ? nullptr : it->drawer;
}

int DrawByKind(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim) {
    if (!context.inventory.IsIndex(index)) return 0;
    const TDrawer drawer = FindDrawer(context.inventory[index].kind);
    return drawer ? drawer(context, index, prim) : 0;
}

void SelectExamplePen(TDrawContext& context, const TExample& e, canvas::TCanvasPrimitives& prim) {
    // Style codes: -1 none, 0 solid, 1-4 the patterns; anything else draws solid.
    const int style = static_cast<std::int16_t>(e.pen.style);
    prim.SetPen(context.colour(e.pen.colour), context.penWidth(e.pen.width),
                style >= canvas::kStyleNull && style <= canvas::kStyleDashDotDot
                    ? style
                    : canvas::kStyleSolid);
}

}  // namespace quorlin::plot2d
