#pragma once
// A parametric surface of a cross-section solid, as the 2D window's section tool builds it and
// a 3D window draws it: x, y and z as formula texts in t and u, the ranges of t and u, and the
// grid counts along them.
#include <cstdint>
#include <string>

namespace quorlin::examples {

struct TSectionSurface {
    std::string x, y, z;
    long double tLow = 0;
    long double tHigh = 1;
    long double uLow = 0;
    long double uHigh = 1;
    std::int16_t tDivisions = 1;
    std::int16_t uDivisions = 1;
    friend bool operator==(const TSectionSurface&, const TSectionSurface&) = default;
};

}  // namespace quorlin::examples
