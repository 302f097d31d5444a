#include "plot3d/intersections/surface_pair.h"

#include <algorithm>

#include "examples/records/derivation.h"

namespace quorlin::plot3d {

namespace {

namespace k = examples::kind;

// The place of a kind in an intersection's order: implicit, plane, explicit, parametric.
constexpr std::array kOrder{k::kImplicitSurface, k::kPlane, k::kSurface, k::kParametricSurface};

// The code of each ordered pair of kinds.
struct TPairCode {
    int first;
    int second;
    int derivation;
};
constexpr TPairCode kPairCodes[] = {
    {k::kSurface, k::kSurface, 143},
    {k::kImplicitSurface, k::kSurface, 144},
    {k::kPlane, k::kSurface, 145},
    {k::kImplicitSurface, k::kPlane, 146},
    {k::kPlane, k::kPlane, 147},
    {k::kSurface, k::kParametricSurface, 152},
    {k::kImplicitSurface, k::kParametricSurface, 153},
    {k::kPlane, k::kParametricSurface, 154},
};

std::ptrdiff_t Rank(int kind) {
    return std::ranges::find(kOrder, kind) - kOrder.begin();
}

}  // namespace

int ChooseSurfacePair(TChosenSurface a, TChosenSurface b, TSurfacePair& out) {
    if (a.index == b.index) return kErrSelectTwo;
    if (Rank(b.kind) < Rank(a.kind)) std::swap(a, b);
    const auto row = std::ranges::find_if(
        kPairCodes, [&](const TPairCode& r) { return r.first == a.kind && r.second == b.kind; });
    if (row == std::end(kPairCodes)) return kErrCannotUnderstand;
    out = {a.index, b.index, row->derivation};
    return 0;
}

std::optional<int> FindIntersectionExample(const examples::TInventory& inventory,
                                           const TSurfacePair& pair) {
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        const examples::TExample& e = inventory[i];
        if (e.kind != k::kSurfaceIntersection || e.derivation != pair.derivation) continue;
        const auto [p, q] = e.parent;
        if ((p == pair.first && q == pair.second) || (p == pair.second && q == pair.first))
            return i;
    }
    return std::nullopt;
}

std::optional<TKindPair> ParentKindsOf(int derivation) {
    const auto row = std::ranges::find(kPairCodes, derivation, &TPairCode::derivation);
    if (row == std::end(kPairCodes)) return std::nullopt;
    return TKindPair{row->first, row->second};
}

bool IsParametricIntersection(int derivation) {
    return derivation >= examples::derived::kFirstParametricIntersection;
}

int MeridianTexts(std::string_view radius, std::string_view longitude,
                  std::array<std::string, 3>& out) {
    const std::string r = "(" + std::string(radius) + ")";
    const std::string l = "(" + std::string(longitude) + ")";
    std::array<std::string, 3> texts{r + "sin(t)cos" + l, r + "sin(t)sin" + l, r + "cos(t)"};
    constexpr std::size_t room = examples::TExample::kTextCapacity - 1;
    if (std::ranges::any_of(texts, [](const std::string& t) { return t.size() > room; }))
        return kErrTooLarge;
    out = std::move(texts);
    return 0;
}

}  // namespace quorlin::plot3d
