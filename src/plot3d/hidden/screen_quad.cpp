#include "plot3d/hidden/screen_quad.h"

#include <algorithm>

namespace quorlin::plot3d::hidden {

namespace {

// Twice the signed area of (a, b, p): > 0 when p lies left of a -> b.
long double Turn(Vec2 a, Vec2 b, Vec2 p) {
    return (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
}

bool OnEdge(Vec2 a, Vec2 b, Vec2 p) {
    return Turn(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

}  // namespace

bool IsInsideQuadrilateral(Vec2 p, const std::array<Vec2, 4>& corners) {
    int winding = 0;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const Vec2 a = corners[k], b = corners[(k + 1) % corners.size()];
        if (OnEdge(a, b, p)) return true;
        // An upward edge with p on its left winds once counter-clockwise, a downward edge with
        // p on its right once clockwise (each edge holds its lower end, not its upper).
        if (a.y <= p.y) {
            if (b.y > p.y && Turn(a, b, p) > 0) ++winding;
        } else if (b.y <= p.y && Turn(a, b, p) < 0) {
            --winding;
        }
    }
    return winding != 0;
}

}  // namespace quorlin::plot3d::hidden
