#include "plot3d/scene/observer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::plot3d {

namespace {

constexpr long double kTiny = 1e-16L;
constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;
// The highest elevation a tilt leaves: just under the vertical, so that the screen axis stays
// defined however often the eye is tilted.
constexpr long double kMaxElevation = kHalfPi * (1 - 1e-9L);

// The eye relative to what it turns about: the focus, or in Cube mode the box centre.
Vec3 RelativeEye(const TObserver& o) {
    return o.cube ? o.boxEye : o.eye - o.focus;
}

void SetRelativeEye(TObserver& o, const TSceneBox& box, Vec3 v) {
    if (o.cube) {
        o.boxEye = v;
        o.eye = box.BoxToWorld(v);
    } else {
        o.eye = o.focus + v;
        o.boxEye = box.WorldToBox(o.eye);
    }
}

}  // namespace

void ComputeViewAngles(TObserver& o) {
    o.view = o.cube ? o.boxEye : o.eye - o.focus;
    const Vec3& d = o.view;
    o.h2 = d.x * d.x + d.y * d.y;
    const long double d2 = d.z * d.z + o.h2;
    // Straight above the focus there is no horizontal axis; the factors stay finite.
    o.h = std::max(std::sqrt(o.h2), kTiny);
    o.d = std::sqrt(d2);
    o.k1 = d2 / o.h;
    o.k2 = o.d / o.h;
    o.k3 = o.d > 0 ? 1 / (o.d * o.h) : 0;
    if (std::sqrt(o.h2) >= kTiny) o.screenAxis = {-d.y / o.h, d.x / o.h, 0};
}

Vec3 FocusPlanePoint(const TObserver& o, long double u, long double v) {
    const Vec3& d = o.view;
    const Vec3 q{o.d * u * -d.y - v * d.z * d.x, o.d * u * d.x - v * d.z * d.y, v * o.h2};
    return o.focus + o.k3 * q;
}

bool IsEyeVertical(const TObserver& o) {
    const Vec3 v = RelativeEye(o);
    return std::hypot(v.x, v.y) <= 1e-9L * std::max(std::fabs(v.z), kTiny);
}

bool MoveEyeOffVertical(TObserver& o, const TSceneBox& box) {
    if (!IsEyeVertical(o)) return false;
    Vec3 v = RelativeEye(o);
    v.x += std::max(std::fabs(v.z), 1.0L) / 20;
    SetRelativeEye(o, box, v);
    return true;
}

void ScaleObserverDistance(TObserver& o, const TSceneBox& box, long double factor) {
    o.eye = o.focus + factor * (o.eye - o.focus);
    o.boxEye = box.WorldToBox(o.eye);
}

bool IsEyeTooFar(const TSceneBox& box, Vec3 eye) {
    return box.IsFarAway(eye);
}

bool IsEyeTooClose(const TSceneBox& box, Vec3 eye) {
    return box.IsNearXY(eye);
}

int AdjustObserverDistance(TObserver& o, const TSceneBox& box) {
    int moves = 0;
    const bool finite = std::isfinite(o.eye.x) && std::isfinite(o.eye.y) && std::isfinite(o.eye.z);
    if (!finite || Vec3TaxiDist(o.eye, o.focus) < kTiny) {
        // No line to move along: out along the default eye's direction, one box size away.
        const long double size = std::max(Vec3TaxiDist(box.max, box.min), 1.0L);
        o.eye = o.focus + (size / Vec3TaxiDist(kDefaultEye)) * kDefaultEye;
        ++moves;
    }
    if (!o.cube && MoveEyeOffVertical(o, box)) ++moves;
    while (moves < kMaxDistanceMoves && IsEyeTooFar(box, o.eye)) {
        o.eye = o.focus + 0.5L * (o.eye - o.focus);
        ++moves;
    }
    while (moves < kMaxDistanceMoves && IsEyeTooClose(box, o.eye) && !IsEyeTooFar(box, o.eye)) {
        o.eye = o.focus + 2.0L * (o.eye - o.focus);
        ++moves;
    }
    o.boxEye = box.WorldToBox(o.eye);
    return moves;
}

void TurnObserver(TObserver& o, const TSceneBox& box, bool forward) {
    o.viewMoved = true;
    const long double c = std::cos(o.angleStep);
    const long double s = forward ? std::sin(o.angleStep) : -std::sin(o.angleStep);
    const Vec3 v = RelativeEye(o);
    SetRelativeEye(o, box, {v.x * c - v.y * s, v.y * c + v.x * s, v.z});
}

long double EyeElevation(const TObserver& o) {
    const Vec3 v = RelativeEye(o);
    return std::atan2(v.z, std::hypot(v.x, v.y));
}

bool TiltObserver(TObserver& o, const TSceneBox& box, bool up) {
    Vec3 v = RelativeEye(o);
    const long double h = std::hypot(v.x, v.y);
    if (h < kTiny) return false;
    const long double a = std::atan(v.z / h);
    long double next = 0;
    if (up) {
        next = a > 0 ? a + 0.025L * (kHalfPi - a) : a + 0.025L * kHalfPi;
    } else {
        next = a < 0 ? a - 0.025L * (a + kHalfPi) : a - 0.025L * kHalfPi;
    }
    next = std::clamp(next, -kMaxElevation, kMaxElevation);
    v.z = h * std::tan(next);
    SetRelativeEye(o, box, v);
    o.viewMoved = true;
    ComputeViewAngles(o);
    return true;
}

}  // namespace quorlin::plot3d
