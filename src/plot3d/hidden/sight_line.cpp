#include "plot3d/hidden/sight_line.h"

#include <algorithm>
#include <cmath>

#include "canvas/records/world_geometry.h"
#include "dynamics/geometry.h"

namespace quorlin::plot3d::hidden {

namespace {

Vec2 Plan(Vec3 p) {
    return {p.x, p.y};
}

// The points of P + t (E - P) at the two parameters.
TSightSegment Between(Vec3 p, Vec3 eye, long double tEye, long double tPoint) {
    const Vec3 v = eye - p;
    return {p + tEye * v, p + tPoint * v};
}

// The plan of a clipped sight line: q(u) = b + u d.
struct TPlanLine {
    Vec2 b;
    Vec2 d;
    explicit TPlanLine(const TSightSegment& s)
        : b(Plan(s.pointEnd)), d(Plan(s.eyeEnd) - Plan(s.pointEnd)) {}
    Vec2 At(long double u) const { return b + u * d; }
};

bool Inside(long double u) {
    return u > 0 && u < 1;
}

long double Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}

}  // namespace

std::vector<long double> PlanCrossingsOfCircle(const TSightSegment& s, long double radius) {
    // |b + u d|^2 = radius^2: (d.d) u^2 + 2 (b.d) u + b.b - radius^2 = 0.
    const TPlanLine line(s);
    const long double a = Vec2Dot(line.d, line.d), half = Vec2Dot(line.b, line.d);
    const long double c = Vec2Dot(line.b, line.b) - radius * radius;
    const long double discriminant = half * half - a * c;
    if (!(a > 0) || !(discriminant > 0)) return {};
    const long double root = std::sqrt(discriminant);
    std::vector<long double> crossings;
    for (const long double u : {(-half - root) / a, (-half + root) / a})
        if (Inside(u)) crossings.push_back(u);
    return crossings;
}

std::optional<long double> PlanCrossingOfRay(const TSightSegment& s, long double angle) {
    // The ray's direction w: w x q(u) = 0 on its line, w . q(u) > 0 on the ray itself.
    const TPlanLine line(s);
    const Vec2 w{std::cos(angle), std::sin(angle)};
    const long double across = Cross(w, line.d);
    if (!(std::fabs(across) > 0)) return std::nullopt;
    const long double u = -Cross(w, line.b) / across;
    if (!Inside(u) || !(Vec2Dot(w, line.At(u)) > 0)) return std::nullopt;
    return u;
}

std::optional<long double> PlanLineThroughAxis(const TSightSegment& s) {
    // Beside the axis by less than this share of the plan's length counts as through it: the
    // angle would turn by half a turn within a stretch that short, where no sample lands.
    constexpr long double kThrough = 1e-15L;
    const TPlanLine line(s);
    const long double a = Vec2Dot(line.d, line.d);
    if (!(a > 0) || !(std::fabs(Cross(line.b, line.d)) <= kThrough * a)) return std::nullopt;
    return -Vec2Dot(line.b, line.d) / a;
}

std::optional<TSightSegment> ClipSightLineToRect(const canvas::TLDRect& rect, Vec3 p, Vec3 eye) {
    Vec2 e2 = Plan(eye), p2 = Plan(p);
    if (!canvas::ClipSegment(rect, e2, p2)) return std::nullopt;
    const Vec3 v = eye - p;
    // The parameter of a clipped end along the plan's longer axis, where it carries the most
    // digits; a vertical sight line is over the rectangle whole.
    const bool alongX = std::fabs(v.x) >= std::fabs(v.y);
    const long double extent = alongX ? v.x : v.y;
    if (!(std::fabs(extent) > kSignTolerance)) return TSightSegment{eye, p};
    const auto param = [&](Vec2 q) { return ((alongX ? q.x - p.x : q.y - p.y)) / extent; };
    return Between(p, eye, param(e2), param(p2));
}

std::optional<TSightSegment> ClipSightLineToDisc(long double radius, Vec3 p, Vec3 eye) {
    Vec2 p2 = Plan(p), e2 = Plan(eye);
    const Vec2 v2 = e2 - p2;
    const long double length2 = Vec2Dot(v2, v2);
    if (!(length2 > kSignTolerance * kSignTolerance)) {
        // Vertical: over the disc whole or not at all.
        if (Vec2Dot(p2, p2) <= radius * radius) return TSightSegment{eye, p};
        return std::nullopt;
    }
    if (dynamics::ClipLineToDisc({0, 0}, radius, p2, e2, 0) != 0) return std::nullopt;
    // Signed parameters of the chord's ends along P -> E, cut to the stretch from P to the eye.
    const auto param = [&](Vec2 q) { return Vec2Dot(q - Plan(p), v2) / length2; };
    const long double tPoint = std::max(param(p2), 0.0L);
    const long double tEye = std::min(param(e2), 1.0L);
    if (tPoint > tEye) return std::nullopt;
    return Between(p, eye, tEye, tPoint);
}

std::optional<TSightSegment> ClipSightLineToZRange(TSightSegment s, long double zMin,
                                                   long double zMax) {
    Vec3& a = s.eyeEnd;
    Vec3& b = s.pointEnd;
    if ((a.z < zMin && b.z < zMin) || (a.z > zMax && b.z > zMax)) return std::nullopt;
    const Vec3 d = a - b;
    if (std::fabs(d.z) < kSignTolerance) return s;
    const long double c = std::fabs(1 / d.z);
    if (b.z > zMax) {
        b = b + (c * (b.z - zMax)) * d;
    } else if (b.z < zMin) {
        b = b + (c * (zMin - b.z)) * d;
    }
    if (a.z > zMax) {
        a = a - (c * (a.z - zMax)) * d;
    } else if (a.z < zMin) {
        a = a - (c * (zMin - a.z)) * d;
    }
    return s;
}

}  // namespace quorlin::plot3d::hidden
