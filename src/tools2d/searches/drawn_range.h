#pragma once
// The searches scan a curve where it is drawn. An explicit curve keeps its own x-range only
// while that range is locked (a periodic curve repeats its period across the view); otherwise
// it is drawn over whatever the view shows now, and the range stored when it was made is stale.
#include "examples/records/example.h"

namespace quorlin::tools2d {

struct TXRange {
    long double low = 0;
    long double high = 0;
    bool Holds(long double x) const { return x >= low && x <= high; }
};

// The range an explicit curve is drawn over, the view's x-range being `view`.
inline TXRange DrawnXRange(const examples::TExample& e, TXRange view) {
    const bool own = e.lockInterval && !e.periodic;
    return own ? TXRange{e.rangeLow[0], e.rangeHigh[0]} : view;
}

}  // namespace quorlin::tools2d
