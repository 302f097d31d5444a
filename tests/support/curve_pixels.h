#pragma once
// Pixel checks of a window's picture against closed forms, for any window that maps world points
// to its pixels (XToScreen, YToScreen): whether a colour lies near a world point, and the share
// of a curve's points, taken along its closed form, near which the colour shows.
#include <QImage>

#include <functional>
#include <utility>

namespace quorlin::testing {

using ClosedForm2D = std::function<std::pair<long double, long double>(long double)>;

// Whether a pixel within `reach` of the world point has exactly the colour.
template <class Window>
bool InkNear(const Window& w, const QImage& image, long double x, long double y, QRgb colour,
             int reach = 1) {
    const int px = w.XToScreen(x), py = w.YToScreen(y);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.rect().contains(px + dx, py + dy) && image.pixel(px + dx, py + dy) == colour)
                return true;
    return false;
}

// The share of the n points f(t0) .. f(t1) near which the colour shows.
template <class Window>
double ShareInked(const Window& w, const QImage& image, QRgb colour, long double t0, long double t1,
                  int n, const ClosedForm2D& f, int reach = 1) {
    int hits = 0;
    for (int k = 0; k < n; ++k) {
        const auto [x, y] = f(t0 + (t1 - t0) * k / (n - 1));
        hits += InkNear(w, image, x, y, colour, reach) ? 1 : 0;
    }
    return static_cast<double>(hits) / n;
}

}  // namespace quorlin::testing
