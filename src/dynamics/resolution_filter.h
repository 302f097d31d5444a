#pragma once
// What a long trace keeps: a trajectory without a natural end (a spiral onto a limit cycle, an
// orbit under a pixel) hands on points for as long as it runs, while its picture stops changing
// once the curve runs over lines already drawn. The filter decides, point by point, which of
// them add something at the picture's resolution, so that what is kept, and drawn, is bounded by
// the picture's size and not by the trace's length.
//
// A joined point is dropped when it lies within a quarter pixel of the last point kept (as the
// 2D curve pipe thins), and the segment that ends in it is dropped when all of it runs within
// about half a pixel of segments kept earlier, or outside the picture (with its margin). The
// point before a kept segment is kept as well, as the start of a new piece, where it was
// dropped. Bound: the coverage is a bitmap of half-pixel cells over the picture and its margin
// ((2 W + 8) (2 H + 8) bits for W x H pixels); a kept segment reaches a cell no covered segment
// reached, and is covered itself at the latest kMostPending kept segments later, so at most
// 2 (kMostPending + 1) points are kept per cell, whatever the trace's length.
#include <array>
#include <cstddef>
#include <deque>
#include <vector>

#include "core/vectors.h"

namespace quorlin::dynamics {

// A point the filter keeps: where it lies in the caller's plane, its time, and whether it is
// joined to the point kept before it (false: a new piece starts here).
struct KeptPoint {
    Vec2 at;
    long double t = 0;
    bool draw = false;
};

// The points kept for one offered point, in order: none; the offered one; or the point before
// it (starting a piece) and then the offered one.
struct KeptPoints {
    std::array<KeptPoint, 2> points;
    int count = 0;

    const KeptPoint* begin() const { return points.data(); }
    const KeptPoint* end() const { return points.data() + count; }
};

class TResolutionFilter {
public:
    static constexpr long double kQuarterPixel = 0.25L;
    // Pixels around the picture in which segments still count, so lines leave it cleanly.
    static constexpr int kMarginPixels = 2;
    // A kept segment hides later ones once the curve kept after it runs this long (the curve's
    // own newest lines never hide the ones that follow), or once this many were kept after it.
    static constexpr long double kCoverDelayPixels = 3;
    static constexpr std::size_t kMostPending = 32;

    // A picture of width x height pixels (at least one each).
    TResolutionFilter(int width, int height);

    // The next point of the trace: `at` in the caller's plane, `pixel` its place in the picture
    // (x right, y down, 0 at the picture's corner), `joined` false where the pen lifts before it.
    KeptPoints Offer(Vec2 at, Vec2 pixel, long double t, bool joined);
    // The pen lifts: the next point starts a new piece.
    void Lift() { hasLast_ = false; }

    // Points kept so far.
    std::size_t Kept() const { return kept_; }
    // The time of the last point that added something (the start time while none did).
    long double LastAddedTime() const { return lastAdded_; }
    bool AddedAny() const { return addedAny_; }

private:
    struct Segment {
        Vec2 a;
        Vec2 b;
    };
    // Whether some part of the segment inside the picture lies in a cell no kept segment covered.
    bool Adds(Vec2 a, Vec2 b) const;
    // Covers the cells within half a pixel of the segment.
    void Cover(const Segment& s);
    // Queues a kept segment and covers those that lie far enough behind the curve's front.
    void Queue(Vec2 a, Vec2 b);
    bool Clip(Vec2& a, Vec2& b) const;
    std::ptrdiff_t Cell(Vec2 pixel) const;

    int columns_;
    int rows_;
    std::vector<bool> covered_;
    std::deque<Segment> pending_;
    long double pendingLength_ = 0;
    bool hasLast_ = false;
    bool lastKept_ = false;
    Vec2 last_;
    Vec2 lastPixel_;
    long double lastT_ = 0;
    long double lastAdded_ = 0;
    bool addedAny_ = false;
    std::size_t kept_ = 0;
};

}  // namespace quorlin::dynamics
