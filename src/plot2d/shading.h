#pragma once
// Shaded regions of a 2D window: the explicit-shading list (regions above, below or between
// explicit curves, hatched in their pattern or filled), the solid fill of the region between
// two curves that the integration tool draws, the implicit regions (F(x, y) on one side of 0)
// and the dart throw that estimates their centroid.
//
// Regions are sampled at the pixels and handed to the target as polygons and hatch lines, so
// that the screen and every export show them alike.
#include <functional>
#include <optional>
#include <vector>

#include "core/vectors.h"
#include "examples/records/shade_record.h"
#include "plot2d/example_drawers.h"

namespace quorlin::plot2d {

// The shading record lives with the other records of a diagram file.
using examples::ShadeList;
using examples::TShadeRecord;

struct TShadeOptions {
    bool fill = false;          // "Fill explicit inequalities": solid instead of hatched
    bool intersection = false;  // only where every shading holds
};

// Draws the shading list (newest first in the list; drawn oldest first, so the newest lies on
// top); 0 or 81.
int DrawShadeList(TDrawEnvironment& env, const ShadeList& list, const TShadeOptions& options);

// Fills the region of the record between its two curves (or a curve and the x-axis, -3) over
// its interval, solid in its colour.
void FillShadeSolid(TDrawEnvironment& env, const TShadeRecord& record);

// The implicit inequalities of the inventory: kind 204 with a side word (1 "<": F >= 0, -1
// ">": F <= 0, as the equation lhs = rhs compiles to F = rhs - lhs); a region's colour is its
// listing word.
struct TRegionOptions {
    // 0 the intersection of every region in `intersectionColour`, 2 each region in its own
    // colour; 1 and 3 (the centroid modes) shade nothing.
    int mode = 2;
    int intersectionColour = 0;
};
int ShadeImplicitRegions(TDrawEnvironment& env, const TRegionOptions& options);

// The darts of a throw that hit and their centroid in values. The hits as drawn, in plot
// coordinates: the first dart in each pixel of the space that any dart hit, as more darts in
// one pixel draw nothing more; so a throw of any count keeps at most a point a pixel.
struct TDartThrow {
    std::optional<Vec2> centroid;  // nothing when no dart hit or the throw was stopped
    long long thrown = 0;          // the darts thrown before the end or the stop
    long long hitCount = 0;        // of them, the darts that hit
    std::vector<Vec2> hits;
    bool stopped = false;
};

// Throws `count` darts, uniform random points of the view (RandomInt): a dart hits when every
// implicit inequality holds there (only region `region`'s when it is an example index), a
// failed evaluation being a miss. No throw (nothing at all) when there is no inequality; the
// key poll, asked after every dart (the window paces it by time), stops it with any key.
// Without keepHits no hit is kept (the darts are not shown).
TDartThrow ThrowDarts(FormulaContext& ctx, examples::TInventory& inventory, const TPlotSpace& space,
                      long long count, int region, const std::function<int()>& pollKey = {},
                      bool keepHits = true);

}  // namespace quorlin::plot2d
