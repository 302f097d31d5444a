#pragma once
// The geometry every graphing window shares, as plain values: the 3D scene box with its
// world-to-box transform, the observer of a 3D view and the central projection of a point onto
// the view plane, the choice of the plotted coordinate pair of a trajectory, and the
// conversions between plot coordinates and values on logarithmic axes.
//
// The 3D windows compute the observer's derived quantities (view vector, distances, factors);
// everything here only reads them, so it can be checked without a window.
#include <optional>

#include "core/vectors.h"

namespace quorlin::examples {

// The box of a 3D scene: its corners, its centre and the axis scales (the reciprocals of the
// extents), which map it to the unit cube about the origin.
struct TSceneBox {
    Vec3 min{0, 0, 0};
    Vec3 max{2, 2, 2};
    Vec3 centre{1, 1, 1};
    Vec3 scale{1, 1, 1};

    // p = scale (p - centre), per axis.
    Vec3 WorldToBox(Vec3 p) const;
    // The inverse: p / scale + centre (an axis of scale 0 keeps the centre's coordinate).
    Vec3 BoxToWorld(Vec3 p) const;
    // scale = 1 / (max - min) per axis; an axis without extent keeps its scale. The centre is
    // not changed: the 3D windows keep it at the focus.
    void ComputeScale();
    // Both box coordinates x and y of p lie strictly within -2..2.
    bool IsNearXY(Vec3 p) const;
    // The taxicab distance of p from the centre exceeds 10000 times the taxicab size of the box.
    bool IsFarAway(Vec3 p) const;
};

// The observer of a 3D view: focus and eye, the eye in box coordinates, the view vector D and
// the quantities the 3D level derives from them (h2 = Dx^2 + Dy^2, h, d, K1 = d^2 / h,
// K2 = d / h, K3 = 1 / (d h)), the horizontal screen axis U, the turning step and Cube mode.
struct TObserver {
    Vec3 focus{1, 1, 1};
    Vec3 eye{30, 40, 20};
    Vec3 savedEye{30, 40, 20};
    Vec3 boxEye{30, 40, 20};
    Vec3 view{29, 39, 19};
    long double h2 = 0;
    long double h = 0;
    long double d = 0;
    long double k1 = 0;
    long double k2 = 0;
    long double k3 = 0;
    Vec3 screenAxis{1, 0, 0};
    long double angleStep;  // pi / 30
    bool cube = false;      // draw in box coordinates
    bool viewMoved = false;

    TObserver();
};

// The central projection of P onto the view plane (world lengths in the plane through the
// focus; the focus projects to the origin): R = E - P, or in Cube mode R = Eb - WorldToBox(P);
// t = D . R; s = 1 / t, or 1e16 when |t| < 1e-16; x = s K1 (Rx Dy - Ry Dx),
// y = s K2 (Dx (Rx Dz - Rz Dx) + Dy (Ry Dz - Rz Dy)). Never fails.
// Inline: the 3D drawers project every point they draw.
inline Vec2 ProjectPoint(const TObserver& o, const TSceneBox& box, Vec3 p) {
    const Vec3 r = o.cube ? o.boxEye - box.WorldToBox(p) : o.eye - p;
    const Vec3& n = o.view;
    const long double t = n.x * r.x + n.y * r.y + n.z * r.z;
    // A point in the plane of the eye has no image; it is sent far out on the same side.
    const long double s = (t < 0 ? -t : t) < 1e-16L ? 1e16L : 1 / t;
    return {s * o.k1 * (r.x * n.y - r.y * n.x),
            s * o.k2 * (n.x * (r.x * n.z - r.z * n.x) + n.y * (r.y * n.z - r.z * n.y))};
}

// U = (-Dy, Dx, 0) / h; unchanged while h is below 1e-16 (the view straight down).
void ComputeScreenAxis(TObserver& observer);

// Which coordinates of a trajectory point a window plots, by its plotted-pair code: 3 (x, y),
// 5 (z, x), 6 (y, z), 7 the projection of (x, y, z), 9 (t, x), 10 (t, y), 11 (t, z) in 3D and
// (t, x) in 2D, 12 (t, z). Nothing for any other code (the caller keeps its point).
std::optional<Vec2> SelectAxisPair(int pair, Vec3 p, long double t, int dimension,
                                   const TObserver& observer, const TSceneBox& box);

// --- logarithmic axes ---------------------------------------------------------------------
// Log modes: 0 linear, 1 log x, 2 log y, 3 both. Plot coordinates of a logarithmic axis are
// decimal logarithms of the values.

// Plot to value: x becomes 10^x in modes 1 and 3, y becomes 10^y in modes 2 and 3.
Vec2 ToLogAxes(int logMode, Vec2 p);
// A direction at the value point `at` in plot units: dx / (X ln 10) unless the mode is 2,
// dy / (Y ln 10) in modes 2 and 3.
Vec2 SlopeToLogAxes(int logMode, Vec2 at, Vec2 v);

// The value ranges of the axes of a view whose corners are plot coordinates.
struct TValueRange {
    long double xLow = 0;
    long double xHigh = 0;
    long double yLow = 0;
    long double yHigh = 0;
};
TValueRange ValueRangeOf(int logMode, long double left, long double right, long double down,
                         long double up);
// Value to plot on the logarithmic axes: the decimal logarithm of each logarithmic
// coordinate; nothing when one lies outside its value range.
std::optional<Vec2> ToPlotAxes(int logMode, Vec2 p, const TValueRange& range);

}  // namespace quorlin::examples
