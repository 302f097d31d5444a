#pragma once
// Bytes laid out by hand for the record tests: little-endian fields put at their offsets, and
// blocks that start with a 16-bit count. Independent of the writers they check.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/binio.h"

namespace quorlin::canvas::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = v & 0xff;
    b[at + 1] = v >> 8;
}
inline void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xff;
}
inline void PutLd(Bytes& b, std::size_t at, long double v) {
    EncodeLongDouble(v, &b[at]);
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes b;
    for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

// A count, then the entries; the count need not match them (damaged blocks say more).
inline Bytes Block(std::int16_t count, std::initializer_list<Bytes> parts) {
    Bytes b(2);
    Put16(b, 0, static_cast<std::uint16_t>(count));
    const Bytes rest = Concat(parts);
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

}  // namespace quorlin::canvas::testing
