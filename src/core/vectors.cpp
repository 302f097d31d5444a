#include "core/vectors.h"

#include <algorithm>
#include <cmath>

namespace quorlin {

namespace {

constexpr long double kTinyLength = 1e-16L;
constexpr long double kTinySquaredSegment = 1e-16L;
constexpr long double kTinySquaredDistance = 1e-31L;

bool UsableAngle(long double a) {
    return std::isfinite(a) && std::fabs(a) <= kLargestAngle;
}

// The projection parameter and foot on the line a + t d, shared by the plane and space forms.
template <class V, class Dot>
bool ProjectOntoLine(V p, V a, V b, long double& t, V& foot, Dot dot) {
    const V d = b - a;
    const long double dd = dot(d, d);
    if (!(dd >= kTinySquaredSegment)) return false;
    t = dot(p - a, d) / dd;
    foot = a + t * d;
    return true;
}

}  // namespace

bool Vec2PolarInPlace(Vec2& v) {
    if (!UsableAngle(v.y)) return false;
    const long double r = v.x;
    v = {r * std::cos(v.y), r * std::sin(v.y)};
    return true;
}

long double Vec2Dist(Vec2 p, Vec2 q) {
    const Vec2 d = p - q;
    const long double squared = Vec2Dot(d, d);
    return squared < kTinySquaredDistance ? 0 : std::sqrt(squared);
}

Vec2 Vec2Midpoint(Vec2 a, Vec2 b) {
    return 0.5L * (a + b);
}

bool Vec2SetLength(Vec2& v, long double length) {
    const long double current = std::hypot(v.x, v.y);
    if (!(current >= kTinyLength)) return false;
    v = (length / current) * v;
    return true;
}

long double Vec2SignedAngle(Vec2 vertex, Vec2 p1, Vec2 p2) {
    const Vec2 u = p1 - vertex;
    const Vec2 w = p2 - vertex;
    return std::atan2(u.x * w.y - u.y * w.x, Vec2Dot(u, w));
}

bool Vec2ProjectOntoLine(Vec2 p, Vec2 a, Vec2 b, long double& t, Vec2& foot) {
    return ProjectOntoLine(p, a, b, t, foot, Vec2Dot);
}

long double Vec3Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Vec3Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

long double Vec3Det(Vec3 a, Vec3 b, Vec3 c) {
    return Vec3Dot(a, Vec3Cross(b, c));
}

long double Vec3Length(Vec3 v) {
    return std::sqrt(Vec3Dot(v, v));
}

long double Vec3Dist(Vec3 a, Vec3 b) {
    return Vec3Length(a - b);
}

long double Vec3TaxiDist(Vec3 a, Vec3 b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

Vec3 Vec3Midpoint(Vec3 a, Vec3 b) {
    return 0.5L * (a + b);
}

Vec3 Vec3Max(Vec3 a, Vec3 b) {
    return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
}

Vec3 Vec3Min(Vec3 a, Vec3 b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
}

void Vec3UpdateBounds(Vec3& low, Vec3& high, Vec3 p) {
    low = Vec3Min(low, p);
    high = Vec3Max(high, p);
}

bool Vec3SetLength(Vec3& v, long double length) {
    const long double current = Vec3Length(v);
    if (!(current >= kTinyLength)) return false;
    v = (length / current) * v;
    return true;
}

bool Vec3Normalize(Vec3& v) {
    return Vec3SetLength(v, 1);
}

void Vec3ScaleBySmallest(Vec3& v) {
    long double smallest = 0;
    for (long double c : {v.x, v.y, v.z}) {
        const long double m = std::fabs(c);
        if (m > kTinyLength && (smallest == 0 || m < smallest)) smallest = m;
    }
    if (smallest > 0) v = (1 / smallest) * v;
}

void Vec3PerpendicularPair(Vec3 n, bool scaleToNormal, Vec3& e1, Vec3& e2) {
    const bool alongZ = std::fabs(n.x) < kTinyLength && std::fabs(n.y) < kTinyLength;
    e1 = alongZ ? Vec3{1, 0, 0} : Vec3{-n.y, n.x, 0};
    e2 = Vec3Cross(n, e1);
    if (scaleToNormal) {
        const long double length = Vec3Length(n);
        Vec3SetLength(e1, length);
        Vec3SetLength(e2, length);
    }
}

bool Vec3SphericalInPlace(Vec3& v) {
    if (!UsableAngle(v.y) || !UsableAngle(v.z)) return false;
    const long double rho = v.x;
    const long double theta = v.y;
    const long double phi = v.z;
    const long double s = rho * std::sin(phi);
    v = {s * std::cos(theta), s * std::sin(theta), rho * std::cos(phi)};
    return true;
}

bool Vec3ProjectOntoLine(Vec3 p, Vec3 a, Vec3 b, long double& t, Vec3& foot) {
    return ProjectOntoLine(p, a, b, t, foot, Vec3Dot);
}

}  // namespace quorlin
