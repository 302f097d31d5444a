#pragma once
// The range window of a map pair: what the domain window shows, drawn through the map. The map
// is an example of the domain window: z ==> F(z) (401, tree 1 in Z = x + iy), (x, y) ==>
// (U, V) (402, trees 1 and 2 in X and Y), or the first two of three functions (403, at z = 0).
// Every other visible example of the domain and the domain's grid lines are drawn through it,
// each curve sampled again in the range window's pixels (TMappedTarget), so that the images are
// refined where the map stretches them and broken where it has a pole.
#include <vector>

#include "examples/records/inventory.h"
#include "formula/formula_context.h"
#include "plot2d/draw_target.h"
#include "plot2d/example_drawers.h"

namespace quorlin::plot2d {

inline bool IsMapKind(int kind) {
    return kind >= examples::kind::kComplexMap && kind <= examples::kind::kTripleMap;
}

// The map of a map example as a function of the plane, for one drawing (it holds the trees
// compiled as they are now); false where it is undefined. Null when the example is no map or
// its trees are missing.
PlaneMap MapOf(FormulaContext& ctx, examples::TExample& map);

// The grid lines of the domain (x = each of xs, y = each of ys) in a pen.
struct TMapGrid {
    std::vector<long double> xs;
    std::vector<long double> ys;
    examples::TPenSpec pen;
};

// Draws the domain's examples other than maps (its drawers, its inventory) and its grid into
// the range target through the domain's map example `mapIndex`; 0 or 81.
int DrawThroughMap(TDrawTarget& range, FormulaContext& ctx, examples::TInventory& domain,
                   const TKindDrawers& drawers, int mapIndex, const TPlotSpace& domainSpace,
                   const TMapGrid& grid);

// The first map example of an inventory, -1 when there is none.
int FindMapExample(const examples::TInventory& inventory);
// The newest (last) map example of an inventory, -1 when there is none.
int FindNewestMapExample(const examples::TInventory& inventory);

}  // namespace quorlin::plot2d
