#pragma once
// Views that the transforms cannot carry, as a damaged or foreign diagram file may hold them:
// a half width the largest long double or a denormal, corners -max..max or 0..denormal.
#include <array>
#include <limits>
#include <tuple>

#include "canvas/view_frame.h"

namespace quorlin::testing {

struct ExtremeView {
    const char* what;
    long double low, high;  // the corners, the same both ways
    bool corners;           // given by the corners, else by the centre and the half width
};

inline std::array<ExtremeView, 4> ExtremeViews() {
    constexpr long double kMax = std::numeric_limits<long double>::max();
    const long double denormal = std::numeric_limits<long double>::denorm_min() * 1000;
    return {{{"half width the largest", -kMax, kMax, false},
             {"half width denormal", -denormal, denormal, false},
             {"corners -max..max", -kMax, kMax, true},
             {"corners 0..denormal", 0, denormal, true}}};
}

// Puts the view into the frame's stored fields as a file reader would, without recomputing.
inline void PutView(const ExtremeView& view, canvas::TViewFrame& frame) {
    frame.cornersFlag = view.corners;
    frame.centreX = view.low / 2 + view.high / 2;
    frame.halfWidth = view.high / 2 - view.low / 2;
    std::tie(frame.left, frame.right, frame.down, frame.up) =
        std::tie(view.low, view.high, view.low, view.high);
}

}  // namespace quorlin::testing
