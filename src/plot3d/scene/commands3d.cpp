#include "plot3d/scene/commands3d.h"

#include <algorithm>
#include <initializer_list>

#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

TKindCounts TKindCounts::Of(const examples::TInventory& inventory) {
    TKindCounts counts;
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        const examples::TExample& e = inventory[k];
        ++counts.all[e.kind];
        if (e.listing >= 0) ++counts.listed[e.kind];
        ++counts.total;
    }
    counts.room = inventory.LastIndex() < inventory.Capacity();
    return counts;
}

bool TKindCounts::Has(int kind) const {
    const auto it = listed.find(kind);
    return it != listed.end() && it->second > 0;
}

int TKindCounts::Count(int kind) const {
    const auto it = all.find(kind);
    return it == all.end() ? 0 : it->second;
}

namespace {

bool HasAny(const TKindCounts& c, std::initializer_list<int> kinds) {
    return std::any_of(kinds.begin(), kinds.end(), [&](int k) { return c.Has(k); });
}

bool IsNewExampleCommand(int id) {
    static constexpr int kKinds[] = {301, 302, 303, 304, 305, 306, 308, 309,
                                     310, 312, 313, 314, 315, 316, 325};
    return std::find(std::begin(kKinds), std::end(kKinds), id - cmd::kNewExampleOffset) !=
           std::end(kKinds);
}

// Two surfaces that can meet: among the explicit, parametric, implicit surfaces and planes at
// least two, not all parametric and not all implicit.
bool CanIntersectSurfaces(const TKindCounts& c) {
    const int s = c.Count(301) + c.Count(303) + c.Count(305) + c.Count(315);
    return s >= 2 && s > c.Count(303) && s > c.Count(305);
}

}  // namespace

std::optional<bool> Plot3DCommandEnabled(int id, const TKindCounts& c, int ivpExample) {
    if (IsNewExampleCommand(id)) return c.room;
    switch (id) {
        case cmd::kFitWindow:
        case cmd::kMakeTour:
            return c.total > 0;
        case cmd::kMouseTrajectories:
            return ivpExample >= 0;
        case cmd::kIvp10:
            return c.Has(310);
        case cmd::kIvp12:
            return c.Has(312);
        case cmd::kSurfaceIntegral:
            return c.Has(303) && c.Has(310);
        case cmd::kIntersections:
            return HasAny(c, {301, 305, 315}) && c.Has(304);
        case cmd::kStereograms:
            return HasAny(c, {301, 302});
        case cmd::kIntegrateXY:
            return c.Has(301);
        case cmd::kIntegratePolar:
            return c.Has(302);
        case cmd::kSurfaceArea:
            return HasAny(c, {301, 302, 303});
        case cmd::kSlicer:
        case cmd::kFastDrawAll:
        case cmd::kSlowDrawAll:
            return HasAny(c, {301, 302, 303, 306, 307, 315, 316});
        case cmd::kSurfaceSurface:
            return CanIntersectSurfaces(c);
        case cmd::kTraceSlider:
            return HasAny(c, {304, 325});
        default:
            return std::nullopt;
    }
}

const examples::TKeepRule& KeepRule3D(Tool3D tool) {
    // One row per dialog, in the order of Tool3D; a row lists groups that must all be met.
    static const std::array<examples::TKeepRule, 9> table{{
        {{301, 302, 303, 306, 315, 316}},  // slicer
        {{301, 302}},                      // stereogram
        {{304}},                           // curve slider "TRACE3"
        {{301}},                           // double integral over z = f(x,y)
        {{302}},                           // double integral of f(r,t) r dr dt
        {{301, 302, 303}},                 // surface area of any of its surfaces
        {{301, 305}, {304}},               // curve-surface intersection: a surface and a curve
        {{310, 304}},                      // line integral
        {{310, 303}},                      // surface integral
    }};
    return table.at(static_cast<std::size_t>(tool));
}

}  // namespace quorlin::plot3d
