#include "examples/records/sketch.h"

#include <algorithm>

namespace quorlin::examples {

void BeginStroke(SketchList& list, const TSketchPen& pen) {
    TSketchPoint head;
    head.type = TSketchPoint::kHead;
    head.pen = pen;
    list.push_back(head);
}

void AddStrokePoint(SketchList& list, Vec2 point, bool last) {
    TSketchPoint p;
    p.type = last ? TSketchPoint::kEnd : TSketchPoint::kPoint;
    p.x = point.x;
    p.y = point.y;
    list.push_back(p);
}

namespace {

// Whether the stroke's points from `first` up to the next head pass near the point.
bool StrokePassesNear(const SketchList& list, std::size_t first, Vec2 point, long double reach) {
    const TSketchPoint* previous = nullptr;
    for (std::size_t k = first; k < list.size() && list[k].type != TSketchPoint::kHead; ++k) {
        const TSketchPoint& p = list[k];
        if (p.type != TSketchPoint::kPoint) {
            previous = nullptr;
            continue;
        }
        if (previous) {
            long double t = 0;
            Vec2 foot;
            if (Vec2ProjectOntoLine(point, {previous->x, previous->y}, {p.x, p.y}, t, foot) &&
                t > 0 && t < 1 && Vec2Dist(point, foot) < reach)
                return true;
        }
        previous = &p;
    }
    return false;
}

}  // namespace

bool EraseStrokeNear(SketchList& list, Vec2 point, long double reach) {
    for (std::size_t head = 0; head < list.size();) {
        const auto next =
            std::find_if(list.begin() + static_cast<std::ptrdiff_t>(head) + 1, list.end(),
                         [](const TSketchPoint& p) { return p.type == TSketchPoint::kHead; });
        if (StrokePassesNear(list, head + 1, point, reach)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(head), next);
            return true;
        }
        head = static_cast<std::size_t>(next - list.begin());
    }
    return false;
}

}  // namespace quorlin::examples
