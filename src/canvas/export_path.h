#pragma once
// A buffered export path: the pieces of a curve that a drawer produces point by point, handed
// to a writer as whole polylines.
//
// The curve is begun, each visible point added, broken where the curve leaves the view or
// fails, and ended. The buffer holds at most 2000 points; when it is full the pieces so far are
// written and the open piece goes on from its last point, so the curve stays joined. A point in
// another pen first writes what the old pen drew. The SVG and EPS outputs each keep one; PiCTeX
// streams its curves through its own plot buffer.
#include "canvas/export_view.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace quorlin::canvas {

class ExportPath {
public:
    static constexpr std::size_t kCapacity = 2000;
    // Writes one piece of two or more points in a pen.
    using PieceWriter = std::function<void(std::span<const WorldPoint>, const PenSpec&)>;

    explicit ExportPath(PieceWriter write) : write_(std::move(write)) {}

    // Drops anything unwritten and holds up to `capacity` points (at most kCapacity, at least
    // 2) before it writes.
    void Begin(std::size_t capacity = kCapacity);
    // Extends the open piece, or starts one.
    void Point(WorldPoint p, const PenSpec& pen);
    // The next point starts a new piece.
    void Break() { open_ = false; }
    // Writes what is held and empties the buffer.
    void Flush();

    std::size_t HeldPoints() const { return points_.size(); }

private:
    // Writes what is held; an open piece goes on from its last point.
    void FlushAndCarryOn();

    PieceWriter write_;
    std::vector<WorldPoint> points_;
    std::vector<std::size_t> starts_;  // index of each piece's first point
    std::size_t capacity_ = kCapacity;
    bool open_ = false;
    PenSpec pen_;
};

}  // namespace quorlin::canvas
