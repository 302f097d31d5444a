#include "examples/operations/label_layout.h"

namespace quorlin::examples {

namespace {

long double LineOf(const TLabelView& view) {
    return view.lineHeight * view.unitsPerPixelY;
}

}  // namespace

Vec2 NewLabelPosition(const TLabelView& view, std::optional<Vec2> previous) {
    if (!previous) return HomeLabelPosition(view, 0);
    const long double line = LineOf(view);
    Vec2 p{previous->x, previous->y - line};
    if (p.y < view.bottom + line) p.y += 2 * line;
    return p;
}

Vec2 HomeLabelPosition(const TLabelView& view, int k) {
    return {view.left + 3 * view.unitsPerPixelX,
            view.top - 3 * view.unitsPerPixelY - k * LineOf(view)};
}

}  // namespace quorlin::examples
