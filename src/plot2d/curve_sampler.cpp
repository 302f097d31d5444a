#include "plot2d/curve_sampler.h"

#include <cmath>

namespace quorlin::plot2d {

using canvas::WorldPoint;

TCurveSampler::TCurveSampler(canvas::TCanvasPrimitives& prim, const canvas::TViewFrame& view)
    : prim_(prim) {
    const long double w = view.right - view.left, h = view.up - view.down;
    box_ = {view.left - w, view.right + w, view.down - h, view.up + h};
    prim_.BeginCurve();
}

TCurveSampler::~TCurveSampler() {
    prim_.EndCurve();
}

void TCurveSampler::Add(WorldPoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return Undefined();
    if (!previous_) {
        previous_ = p;
        if (p.x >= box_.xLow && p.x <= box_.xHigh && p.y >= box_.yLow && p.y <= box_.yHigh) {
            prim_.CurvePoint(p);
            drawing_ = true;
        }
        return;
    }
    WorldPoint a = *previous_, b = p;
    previous_ = p;
    if (!canvas::ClipSegment(box_, a, b)) {
        Undefined();
        previous_ = p;
        return;
    }
    if (!drawing_) prim_.CurvePoint(a);
    prim_.CurvePoint(b);
    drawing_ = true;
    // Cut at the border: the curve goes on outside.
    if (b.x != p.x || b.y != p.y) {
        prim_.BreakCurve();
        drawing_ = false;
    }
}

void TCurveSampler::Undefined() {
    if (drawing_) prim_.BreakCurve();
    drawing_ = false;
    previous_.reset();
}

}  // namespace quorlin::plot2d
