#pragma once
// The overlay of a Riemann rule on a 2D graph, without a window: the cells of the rule between
// f and g (or the x-axis) over the interval, drawn on a plot2d draw target in one colour.
//
// The overlay draws at most one cell per 4 pixels of the drawing area (at least one cell,
// however narrow the area): min(n, width / 4) cells, each with its vertical sides, its top along
// f and its bottom along g: straight for the endpoint, midpoint, random and trapezoidal rules,
// the parabola through the ends and the middle for the parabolic rule. Heights beyond the view
// are held to its edge and that edge is not drawn. When the interval spans no more than 3 pixels
// a cell, the region between f and g is filled solid instead.
#include <functional>

#include "plot2d/draw_target.h"

namespace quorlin::tools2d {

// The rules in the order the integration dialog lists them (1-based as it numbers them).
enum class OverlayRule { Left = 1, Midpoint, Right, Trapezoid, Parabolic, Random };

// A curve's value at x; false where it is undefined.
using CurveValue = std::function<bool(long double x, long double& y)>;

struct TOverlayJob {
    OverlayRule rule = OverlayRule::Left;
    long double low = 0;
    long double high = 1;
    int subintervals = 1;
    int colour = 0;
    CurveValue f;
    CurveValue g;  // empty: the x-axis
    // The place of each cell's random point, in (0, 1).
    std::function<long double()> random01;
};

struct TOverlayResult {
    int cells = 0;       // the cells drawn (0 when filled solid)
    bool solid = false;  // the region was filled
    int stop = 0;        // 81 when Q stopped the sweep
};

TOverlayResult DrawRiemannOverlay(plot2d::TDrawTarget& target, const TOverlayJob& job);

// The number of cells drawn for n subintervals on an area of the width in pixels.
int OverlayCellCount(int subintervals, int areaWidth);

}  // namespace quorlin::tools2d
