#include "plot2d/map_drawing.h"

#include <cmath>
#include <memory>

#include "plot2d/drawer_support.h"

namespace quorlin::plot2d {

using detail::EvalTree;

PlaneMap MapOf(FormulaContext& ctx, examples::TExample& map) {
    namespace k = examples::kind;
    TExprNode* u = map.Tree(1).get();
    TExprNode* v = map.Tree(2).get();
    // The map is made for one drawing: its trees are compiled for it (and shared by its copies).
    switch (map.kind) {
        case k::kComplexMap: {
            if (!u) return {};
            auto f = std::make_shared<const TreeProgram>(ctx, u);
            return [&ctx, f](Vec2 z, Vec2& w) {
                ctx.SetVar(slot::kZ, Complex(z.x, z.y));
                ctx.SetVar(slot::kX, z.x);
                ctx.SetVar(slot::kY, z.y);
                Complex value;
                if (!f->Evaluate(value)) return false;
                w = {value.real(), value.imag()};
                return std::isfinite(w.x) && std::isfinite(w.y);
            };
        }
        case k::kPlaneMap:
        case k::kTripleMap: {
            if (!u || !v) return {};
            auto f = std::make_shared<const TreeProgram>(ctx, u);
            auto g = std::make_shared<const TreeProgram>(ctx, v);
            return [&ctx, f, g](Vec2 p, Vec2& w) {
                ctx.SetVar(slot::kX, p.x);
                ctx.SetVar(slot::kY, p.y);
                ctx.SetVar(slot::kZ, 0);
                return EvalTree(*f, w.x) && EvalTree(*g, w.y);
            };
        }
        default:
            return {};
    }
}

int FindMapExample(const examples::TInventory& inventory) {
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (IsMapKind(inventory[i].kind)) return i;
    return -1;
}

int FindNewestMapExample(const examples::TInventory& inventory) {
    for (int i = inventory.LastIndex(); i >= 0; --i)
        if (IsMapKind(inventory[i].kind)) return i;
    return -1;
}

int DrawThroughMap(TDrawTarget& range, FormulaContext& ctx, examples::TInventory& domain,
                   const TKindDrawers& drawers, int mapIndex, const TPlotSpace& domainSpace,
                   const TMapGrid& grid) {
    if (!domain.IsIndex(mapIndex)) return 0;
    PlaneMap map = MapOf(ctx, domain[mapIndex]);
    if (!map) return 0;
    const TVariableTable saved = ctx.vars;
    TMappedTarget mapped(range, domainSpace, std::move(map));
    int key = 0;
    // The grid first, so that the curves lie over it.
    mapped.SetPen(grid.pen);
    const auto line = [&](bool vertical, long double c) {
        TCurveJob job;
        job.f = [vertical, c](long double t, Vec2& p) {
            p = vertical ? Vec2{c, t} : Vec2{t, c};
            return true;
        };
        job.a = vertical ? domainSpace.yLow : domainSpace.xLow;
        job.b = vertical ? domainSpace.yHigh : domainSpace.xHigh;
        job.step = vertical ? domainSpace.UnitsPerPixelY() : domainSpace.UnitsPerPixelX();
        return mapped.Curve(job);
    };
    for (long double x : grid.xs)
        if (key == 0) key = line(true, x);
    for (long double y : grid.ys)
        if (key == 0) key = line(false, y);
    TDrawEnvironment env{ctx, domain, mapped, drawers};
    for (int i = 0; i <= domain.LastIndex() && key == 0; ++i)
        if (!IsMapKind(domain[i].kind)) key = DrawExample2D(env, i);
    ctx.vars = saved;
    return key;
}

}  // namespace quorlin::plot2d
