#pragma once
// The free-hand sketch of a graphing window: strokes drawn with the mouse, kept as one list of
// records in drawing order. A stroke is a head record carrying its pen, the points of the
// stroke, and an end record that holds the last point.
//
// Strokes are appended while the mouse draws them and erased whole; the 26-byte file layout of
// the records lives in record_codec.h.
#include <cstdint>
#include <vector>

#include "core/vectors.h"

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

// Starts a stroke in the pen: its head record.
void BeginStroke(SketchList& list, const TSketchPen& pen);
// A point of the open stroke; the last one also ends it.
void AddStrokePoint(SketchList& list, Vec2 point, bool last);
// Removes the first stroke that passes within `reach` of the point: the mouse's foot on one of
// its segments lies strictly inside it and nearer than reach. Whether a stroke was removed.
bool EraseStrokeNear(SketchList& list, Vec2 point, long double reach);

}  // namespace quorlin::examples
