#pragma once
// The free-hand sketch of a graphing window: strokes drawn with the mouse, kept as one list of
// records in drawing order. A stroke is a head record carrying its pen, the points of the
// stroke, and an end record that holds the last point.
//
// Its 26-byte file layout lives in record_codec.h.
#include <cstdint>
#include <vector>

namespace quorlin::examples {

// The pen of a stroke: colour as a Windows RGB value (0x00bbggrr), width in pixels, style code
// (0 solid).
struct TSketchPen {
    std::uint32_t colour = 0;
    std::int16_t width = 1;
    std::int16_t style = 0;
    friend bool operator==(const TSketchPen&, const TSketchPen&) = default;
};

struct TSketchPoint {
    enum Type : std::uint16_t { kHead = 0, kPoint = 1, kEnd = 2 };

    std::uint16_t type = kPoint;
    long double x = 0;  // world coordinates of a point or end record; 0 in a head
    long double y = 0;
    TSketchPen pen;  // a head's pen; unused by the other records
    friend bool operator==(const TSketchPoint&, const TSketchPoint&) = default;
};

using SketchList = std::vector<TSketchPoint>;

}  // namespace quorlin::examples
