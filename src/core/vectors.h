#pragma once
// Plane and space vectors of long doubles and the vector helpers the graphing code shares.
//
// Thresholds: a direction or segment counts as degenerate when its squared length is below
// 1e-16, a vector as zero when its length is below 1e-16, a distance as 0 when its square is
// below 1e-31; angles beyond 5e18 are refused because their sine and cosine carry no digits.
#include <numbers>

namespace quorlin {

struct Vec2 {
    long double x = 0;
    long double y = 0;
};

struct Vec3 {
    long double x = 0;
    long double y = 0;
    long double z = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(long double s, Vec2 v) {
    return {s * v.x, s * v.y};
}
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(long double s, Vec3 v) {
    return {s * v.x, s * v.y, s * v.z};
}

inline constexpr long double kLargestAngle = 5e18L;

// --- plane ---

inline long double Vec2Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

// Replaces (r, a) by (r cos a, r sin a); false (v unchanged) when |a| exceeds 5e18 or is not
// finite.
bool Vec2PolarInPlace(Vec2& v);

// Distance of p and q; 0 when its square is below 1e-31.
long double Vec2Dist(Vec2 p, Vec2 q);

Vec2 Vec2Midpoint(Vec2 a, Vec2 b);

// Scales v to the given length; false (v unchanged) for a vector shorter than 1e-16.
bool Vec2SetLength(Vec2& v, long double length);

// The signed angle at vertex from the direction to p1 to the direction to p2, in [-pi, pi].
long double Vec2SignedAngle(Vec2 vertex, Vec2 p1, Vec2 p2);

// Foot of p on the line through a and b, with foot = a + t (b - a); false when
// |b - a|^2 < 1e-16 (t and foot unchanged).
bool Vec2ProjectOntoLine(Vec2 p, Vec2 a, Vec2 b, long double& t, Vec2& foot);

// --- space ---

long double Vec3Dot(Vec3 a, Vec3 b);
Vec3 Vec3Cross(Vec3 a, Vec3 b);
// The triple product a . (b x c).
long double Vec3Det(Vec3 a, Vec3 b, Vec3 c);
long double Vec3Length(Vec3 v);
long double Vec3Dist(Vec3 a, Vec3 b);
// |dx| + |dy| + |dz| between a and b; with one argument the taxicab length of a.
long double Vec3TaxiDist(Vec3 a, Vec3 b = {});
Vec3 Vec3Midpoint(Vec3 a, Vec3 b);
Vec3 Vec3Max(Vec3 a, Vec3 b);
Vec3 Vec3Min(Vec3 a, Vec3 b);

// Widens the box [low, high] so that it holds p.
void Vec3UpdateBounds(Vec3& low, Vec3& high, Vec3 p);

// Makes v a unit vector; false (v unchanged) when its length is below 1e-16.
bool Vec3Normalize(Vec3& v);
// Scales v to the given length; false (v unchanged) for a vector shorter than 1e-16.
bool Vec3SetLength(Vec3& v, long double length);

// Divides v by the magnitude of its smallest component above 1e-16; unchanged when no
// component is that large.
void Vec3ScaleBySmallest(Vec3& v);

// Two vectors perpendicular to n: e1 = (-ny, nx, 0), or (1, 0, 0) when nx and ny are both
// below 1e-16 in magnitude, and e2 = n x e1. With scaleToNormal both get the length of n.
void Vec3PerpendicularPair(Vec3 n, bool scaleToNormal, Vec3& e1, Vec3& e2);

// Replaces (rho, theta, phi) by (rho sin phi cos theta, rho sin phi sin theta, rho cos phi);
// false (v unchanged) when an angle exceeds 5e18 or is not finite.
bool Vec3SphericalInPlace(Vec3& v);

// Foot of p on the line through a and b, with foot = a + t (b - a); false when
// |b - a|^2 < 1e-16 (t and foot unchanged).
bool Vec3ProjectOntoLine(Vec3 p, Vec3 a, Vec3 b, long double& t, Vec3& foot);

}  // namespace quorlin
