#pragma once
// The road of a sampled curve to the canvas: the points a drawer produces are clipped to the
// drawing area (widened by a margin, so that lines leave the picture cleanly) and thinned in
// pixels before they reach the sink, so that the screen and every export get no more points
// than the picture needs. A point is dropped when the polyline without it stays within a
// tolerance well under a pixel of the polyline with it: runs of collinear or sub-pixel points
// become one segment.
//
// The pipe is fed point by point: Add joins a point to the previous one, Break lifts the pen
// (the next point starts a new piece), Finish ends the curve. Points far off the area never
// reach the sink; a piece that leaves the area ends at the border and a new one starts where
// the curve comes back.
#include <cstddef>

#include "core/polyline_thinner.h"
#include "core/vectors.h"
#include "plot2d/plot_space.h"

namespace quorlin::plot2d {

// Where the pieces of a curve go, in plot coordinates.
using TCurveSink = TPolylineSink;

class TCurvePipe {
public:
    // Pixels a piece runs on beyond the area before it is cut.
    static constexpr long double kClipMargin = 3;
    // Largest distance in pixels of a dropped point from the polyline that is drawn.
    static constexpr long double kThinningTolerance = kPolylineThinning;

    TCurvePipe(const TPlotSpace& space, TCurveSink& sink,
               long double tolerance = kThinningTolerance);
    ~TCurvePipe() { Finish(); }
    TCurvePipe(const TCurvePipe&) = delete;
    TCurvePipe& operator=(const TCurvePipe&) = delete;

    const TPlotSpace& Space() const { return space_; }

    // A point in plot coordinates, joined to the previous one unless the pen was lifted.
    void Add(Vec2 plot);
    // The same for a point whose pixel is known.
    void Add(Vec2 plot, Vec2 pixel);
    void Break();
    // Ends the curve (also done when the pipe goes).
    void Finish();

    std::size_t PointsIn() const { return pointsIn_; }
    std::size_t PointsOut() const { return thinner_.PointsOut(); }

private:
    const TPlotSpace& space_;
    TPixelBox clip_;
    TPolylineThinner thinner_;
    bool penDown_ = false;  // the next point is joined to the previous one
    Vec2 previousPixel_;
    std::size_t pointsIn_ = 0;
};

// Clips the segment a-b to the box; a and b become the ends of the part inside (an end inside
// stays as it was). False when no part lies inside.
bool ClipToBox(const TPixelBox& box, Vec2& a, Vec2& b);

}  // namespace quorlin::plot2d
