#include "plot3d/scene/scene_box.h"

#include <cmath>
#include <utility>

namespace quorlin::plot3d {

const long double kUnbounded = std::exp(42.0L);

namespace {

constexpr long double kFlat = 1e-13L;

long double& Axis(Vec3& v, int a) {
    return a == 0 ? v.x : a == 1 ? v.y : v.z;
}

}  // namespace

TBox3 TBox3::Empty() {
    const long double s = kUnbounded;
    return {{s, s, s}, {-s, -s, -s}};
}

TBox3 Ordered(TBox3 box) {
    for (int a = 0; a < 3; ++a) {
        if (Axis(box.min, a) > Axis(box.max, a)) std::swap(Axis(box.min, a), Axis(box.max, a));
    }
    return box;
}

bool ComputeSceneBox(TSceneBox& box, TObserver& observer, std::span<const TBox3> shown,
                     const TAxisEnds& axes, long double& lineOfSightStep) {
    TBox3 scene = TBox3::Empty();
    for (const TBox3& b : shown) scene.Add(b);
    if (axes.locked || shown.empty()) {
        scene.Add(Vec3{axes.upper.x, 0, 0});
        scene.Add(Vec3{0, axes.upper.y, 0});
        scene.Add(Vec3{0, 0, axes.upper.z});
    }
    if (Vec3TaxiDist(scene.min) < kFlat && Vec3TaxiDist(scene.max) < kFlat) return false;
    for (int a = 0; a < 3; ++a) {
        if (Axis(scene.max, a) < Axis(scene.min, a) + kFlat) {
            Axis(scene.max, a) = Axis(scene.min, a) + 1;
        }
    }
    box.min = scene.min;
    box.max = scene.max;
    box.centre = Vec3Midpoint(scene.min, scene.max);
    observer.focus = box.centre;
    lineOfSightStep = SightShiftOf(scene.min, scene.max);
    box.ComputeScale();
    AdjustObserverDistance(observer, box);
    observer.boxEye = box.WorldToBox(observer.eye);
    return true;
}

long double SightShiftOf(Vec3 min, Vec3 max) {
    return kLineOfSightTolerance * (std::fabs(max.x - min.x) + std::fabs(max.y - min.y));
}

TViewWish FitBoxToView(const TSceneBox& box, TObserver& observer, const TAxisEnds& axes,
                       bool axesShown) {
    TBox3 copy{box.min, box.max};
    if (axesShown) {
        copy.Add(axes.upper);
        copy.Add(axes.lower);
    }
    ComputeViewAngles(observer);
    const long double s = kUnbounded;
    Vec2 low{s, s}, high{-s, -s};
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{corner & 1 ? copy.max.x : copy.min.x, corner & 2 ? copy.max.y : copy.min.y,
                     corner & 4 ? copy.max.z : copy.min.z};
        const Vec2 q = examples::ProjectPoint(observer, box, p);
        low = {std::fmin(low.x, q.x), std::fmin(low.y, q.y)};
        high = {std::fmax(high.x, q.x), std::fmax(high.y, q.y)};
    }
    return {Vec2Midpoint(low, high), 0.55L * ((high.x + 0.01L) - low.x),
            0.55L * ((high.y + 0.01L) - low.y)};
}

void WidenBox(TBox3& box) {
    for (int a = 0; a < 3; ++a) {
        const long double e = 0.1L * (Axis(box.max, a) - Axis(box.min, a));
        Axis(box.max, a) += e;
        Axis(box.min, a) -= e;
    }
}

void EnsureSpan(long double& min, long double& max, long double margin) {
    if (max < min + kFlat) {
        min -= margin;
        max += margin;
    }
}

void EnsureSpan(TBox3& box, long double margin) {
    for (int a = 0; a < 3; ++a) EnsureSpan(Axis(box.min, a), Axis(box.max, a), margin);
}

bool LimitBoxElongation(TBox3& box, bool family, long double ratio) {
    if (family) return true;
    const Vec3 extent = box.max - box.min;
    const long double e[3] = {extent.x, extent.y, extent.z};
    for (int a : {2, 1, 0}) {
        const long double others = e[(a + 1) % 3] + e[(a + 2) % 3];
        if (e[a] >= ratio * others) {
            const long double centre = (Axis(box.min, a) + Axis(box.max, a)) / 2;
            Axis(box.min, a) = centre - 0.5L * ratio * others;
            Axis(box.max, a) = centre + 0.5L * ratio * others;
            return false;
        }
    }
    return true;
}

}  // namespace quorlin::plot3d
