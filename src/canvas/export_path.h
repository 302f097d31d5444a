#pragma once
// A buffered export path: the pieces of a curve that a drawer produces point by point, written
// to the running SVG and EPS outputs as whole polylines.
//
// A drawer begins the path, adds each visible point, breaks it where the curve leaves the view
// or fails, and flushes it at the end. The buffer holds at most 2000 points; when it is full the
// pieces so far are written and the open piece goes on from its last point, so the curve stays
// joined. PiCTeX curves go through the writer's own TexCurve hooks instead.
#include "canvas/export_view.h"

#include <cstddef>
#include <vector>

namespace quorlin::canvas {

struct ExportContext;
class SvgWriter;
class EpsWriter;

class ExportPath {
public:
    static constexpr std::size_t kCapacity = 2000;

    ExportPath(ExportContext& context, SvgWriter& svg, EpsWriter& eps)
        : ctx_(context), svg_(svg), eps_(eps) {}

    // BeginExportPath: drops anything unwritten and holds up to `capacity` points (at most
    // kCapacity, at least 2) before it writes.
    void Begin(std::size_t capacity = kCapacity);
    // ExportPathPoint: extends the open piece, or starts one. A point in another pen first
    // writes what the old pen drew; the open piece then goes on from its last point.
    void Point(WorldPoint p, const PenSpec& pen);
    // BreakExportPath: the next point starts a new piece.
    void Break() { open_ = false; }
    // FlushExportPath: writes what is held with the pen and empties the buffer.
    void Flush(const PenSpec& pen);

    std::size_t HeldPoints() const { return points_.size(); }

private:
    void WritePieces(const PenSpec& pen);
    // Writes what is held with the present pen; an open piece goes on from its last point.
    void FlushAndCarryOn();

    ExportContext& ctx_;
    SvgWriter& svg_;
    EpsWriter& eps_;
    std::vector<WorldPoint> points_;
    std::vector<std::size_t> starts_;  // index of each piece's first point
    std::size_t capacity_ = kCapacity;
    bool open_ = false;
    PenSpec pen_;
};

}  // namespace quorlin::canvas
