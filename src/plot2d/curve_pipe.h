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

#include "core/vectors.h"
#include "plot2d/plot_space.h"

namespace quorlin::plot2d {

// Where the pieces of a curve go, in plot coordinates.
class TCurveSink {
public:
    virtual ~TCurveSink() = default;
    // Extends the open piece, or starts one.
    virtual void Point(Vec2 plot) = 0;
    // Ends the open piece; the next point starts a new one.
    virtual void Break() = 0;
};

// Thinning in pixels: the anchor (the last point handed on) and the cone of directions in which
// the next kept point may lie so that every point dropped since stays within the tolerance.
class TPolylineThinner {
public:
    TPolylineThinner(TCurveSink& sink, long double tolerance)
        : sink_(sink), tolerance_(tolerance) {}

    void Add(Vec2 pixel, Vec2 plot);
    // Hands on the point held back and ends the piece.
    void Break();

    std::size_t PointsOut() const { return pointsOut_; }

private:
    // Hands on a point, after the anchor when it is the piece's second.
    void Emit(Vec2 plot);
    void StartCone(Vec2 pixel, Vec2 plot);

    TCurveSink& sink_;
    long double tolerance_;
    bool open_ = false;     // a piece has begun: the anchor is valid
    bool started_ = false;  // the anchor went out (a piece of one point is never handed on)
    bool holding_ = false;  // a point after the anchor is held back
    bool cone_ = false;     // some held point lay farther than the tolerance from the anchor
    Vec2 anchor_;
    Vec2 anchorPlot_;
    Vec2 heldPixel_;
    Vec2 heldPlot_;
    // The cone: the directions from lowEdge_ counter-clockwise to highEdge_ (unit vectors; the
    // cone is always narrower than a half-turn).
    Vec2 lowEdge_;
    Vec2 highEdge_;
    long double reach_ = 0;  // the farthest distance from the anchor so far
    std::size_t pointsOut_ = 0;
};

class TCurvePipe {
public:
    // Pixels a piece runs on beyond the area before it is cut.
    static constexpr long double kClipMargin = 3;
    // Largest distance in pixels of a dropped point from the polyline that is drawn.
    static constexpr long double kThinningTolerance = 0.25L;

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
