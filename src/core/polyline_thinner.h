#pragma once
// Thinning of a polyline in pixels: a point is dropped when the polyline without it stays within
// a tolerance of the polyline with it, so that runs of collinear or sub-pixel points become one
// segment and a writer gets no more points than the picture needs. Fed point by point with each
// point's pixel and its own coordinates (which are what the sink receives).
#include <cstddef>

#include "core/vectors.h"

namespace quorlin {

// Largest distance in pixels of a dropped point from the polyline that is drawn, for every
// polyline that reaches the screen or a writer.
inline constexpr long double kPolylineThinning = 0.25L;

// Where the pieces of a polyline go, in the caller's coordinates.
class TPolylineSink {
public:
    virtual ~TPolylineSink() = default;
    // Extends the open piece, or starts one.
    virtual void Point(Vec2 plot) = 0;
    // Ends the open piece; the next point starts a new one.
    virtual void Break() = 0;
};

// Thinning in pixels: the anchor (the last point handed on) and the cone of directions in which
// the next kept point may lie so that every point dropped since stays within the tolerance.
class TPolylineThinner {
public:
    TPolylineThinner(TPolylineSink& sink, long double tolerance)
        : sink_(sink), tolerance_(tolerance) {}

    void Add(Vec2 pixel, Vec2 plot);
    // Hands on the point held back and ends the piece.
    void Break();

    std::size_t PointsOut() const { return pointsOut_; }

private:
    // Hands on a point, after the anchor when it is the piece's second.
    void Emit(Vec2 plot);
    void StartCone(Vec2 pixel, Vec2 plot);

    TPolylineSink& sink_;
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

}  // namespace quorlin
