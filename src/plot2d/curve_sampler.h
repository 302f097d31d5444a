#pragma once
// Feeds sampled points of a curve to the canvas primitives as a curve: an undefined point
// breaks the curve, and where the curve runs far out of the view (beyond one view size on each
// side) it is cut at that border, so the device never receives a coordinate no screen can hold.
// A piece that comes back starts again at the border.
#include <optional>

#include "canvas/canvas_primitives.h"

namespace quorlin::plot2d {

class TCurveSampler {
public:
    // Begins a curve in the primitives' current pen; the curve ends with the sampler.
    TCurveSampler(canvas::TCanvasPrimitives& prim, const canvas::TViewFrame& view);
    ~TCurveSampler();
    TCurveSampler(const TCurveSampler&) = delete;
    TCurveSampler& operator=(const TCurveSampler&) = delete;

    // The next point; a point with a coordinate that is not finite counts as undefined.
    void Add(canvas::WorldPoint p);
    // The curve is undefined here: the next point starts a new piece.
    void Undefined();

private:
    canvas::TCanvasPrimitives& prim_;
    canvas::TLDRect box_;
    std::optional<canvas::WorldPoint> previous_;
    bool drawing_ = false;
};

}  // namespace quorlin::plot2d
