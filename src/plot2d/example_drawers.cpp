#include "plot2d/example_drawers.h"

#include <cstdlib>

#include "examples/records/example.h"

namespace quorlin::plot2d {

namespace k = examples::kind;

TKindDrawers TKindDrawers::Standard() {
    TKindDrawers table;
    table.Set(k::kExplicit, DrawExplicit);
    table.Set(k::kPolar, DrawPolar);
    table.Set(k::kParametric, DrawParametric);
    table.Set(k::kSegment, DrawSegment);
    table.Set(k::kIntegral, DrawIntegral);
    table.Set(k::kRoulette, DrawRoulette);
    table.Set(k::kLine, DrawLine);
    table.Set(k::kPoint, DrawPoint);
    table.Set(k::kPlotPoints, DrawPlotPoints);
    table.Set(k::kSeries, DrawSeries);
    table.Set(k::kOrbital, DrawOrbitalSystem);
    table.Set(k::kImplicit, DrawImplicit);
    table.Set(k::kSystem, DrawSystem);
    table.Set(k::kSlope, DrawSlopeEquation);
    table.Set(k::kSequence, DrawSequence);
    table.Set(k::kHigherOrder, DrawHigherOrder);
    table.Set(k::kIntrinsic, DrawIntrinsic);
    return table;
}

const TKindDrawer* TKindDrawers::Find(int kind) const {
    const auto it = table_.find(kind);
    return it == table_.end() || !it->second ? nullptr : &it->second;
}

namespace {

// The kinds drawn as marks: a watched family of them shows one member after the other.
bool IsPointKind(int kind) {
    return kind == k::kPoint || kind == k::kPolarPoint || kind == k::kPlotPoints ||
           kind == k::kComplexPoint;
}

}  // namespace

int DrawExample2D(TDrawEnvironment& env, int i) {
    if (!env.inventory.IsIndex(i)) return 0;
    examples::TExample& e = env.inventory[i];
    const TKindDrawer* draw = e.graphShown ? env.drawers.Find(e.kind) : nullptr;
    if (!draw) return 0;
    const TVariableTable saved = env.formula.vars;
    env.target.SetPen(e.pen);
    int key = 0;
    const int letter = e.familyLetter;
    if (e.familyOn && letter >= 1 && letter <= slot::kLastParameter) {
        // One member per value of the family's parameter, its ends included.
        const int steps = std::max(1, std::abs(static_cast<int>(e.familySteps)));
        const bool watched = e.familySteps < 0 && IsPointKind(e.kind) && env.showMember;
        for (int m = 0; m <= steps && key == 0; ++m) {
            env.formula.SetVar(letter, e.familyLow + (e.familyHigh - e.familyLow) * m / steps);
            key = (*draw)(env, i);
            env.target.SetPen(e.pen);
            if (watched && m < steps && key == 0) env.showMember(e.familyDelay);
        }
    } else {
        key = (*draw)(env, i);
    }
    env.formula.vars = saved;
    return key;
}

}  // namespace quorlin::plot2d
