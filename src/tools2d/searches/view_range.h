#pragma once
// The values a 2D window's view shows on each axis, which the searches scan for the curves drawn
// across it. A logarithmic axis has decimal exponents for its corners.
#include <cmath>

#include "canvas/view_frame.h"
#include "tools2d/searches/drawn_range.h"

namespace quorlin::tools2d {

inline TXRange ShownXRange(const canvas::TViewFrame& view) {
    if (canvas::IsLogX(view.logMode))
        return {std::pow(10.0L, view.left), std::pow(10.0L, view.right)};
    return {view.left, view.right};
}

inline TXRange ShownYRange(const canvas::TViewFrame& view) {
    if (canvas::IsLogY(view.logMode)) return {std::pow(10.0L, view.down), std::pow(10.0L, view.up)};
    return {view.down, view.up};
}

}  // namespace quorlin::tools2d
