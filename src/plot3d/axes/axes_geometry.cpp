#include "plot3d/axes/axes_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/errors.h"

namespace quorlin::plot3d {

namespace {

constexpr long double kAxisReach = 1.3L;
constexpr long double kAxisEndThreshold = 0.001L;
constexpr long double kLetterUnits = 9;
constexpr long double kGridHair = 1e-13L;
constexpr long double kTiny = 1e-13L;

long double UpperEnd(long double max) {
    const long double v = kAxisReach * max;
    return v < kAxisEndThreshold ? 1 : v;
}
long double LowerEnd(long double min) {
    const long double v = kAxisReach * min;
    return v > kAxisEndThreshold ? -1 : v;
}

Vec3 Unit(Vec3 v) {
    const long double len = Vec3Length(v);
    return (1 / len) * v;
}

// The corner bits X1, Y1 (bottom) and X2, Y2 (top) by corner code.
struct TCornerBits {
    bool x1, y1, x2, y2;
};
constexpr std::array<TCornerBits, 20> kCornerBits{{
    {true, true, false, false},  {false, true, true, false},  {false, false, true, true},
    {true, false, false, true},  {true, false, true, true},   {true, true, true, true},
    {false, true, true, true},   {true, true, false, true},   {false, true, false, true},
    {false, false, false, true}, {false, true, false, false}, {false, false, false, false},
    {true, false, false, false}, {false, false, true, false}, {true, false, true, false},
    {true, true, true, false},   {false, false, true, true},  {true, false, false, true},
    {true, true, false, false},  {false, true, true, false},
}};

// Within a quadrant the slope dy / dx picks one of three corners.
int SlopeCode(long double m, int base, long double first, long double second) {
    if (m < first) return base;
    if (m < second) return base + 1;
    return base + 2;
}

}  // namespace

TAxisEnds FitAxisLengths(const TSceneBox& box, bool locked) {
    TAxisEnds ends;
    ends.upper = {UpperEnd(box.max.x), UpperEnd(box.max.y), UpperEnd(box.max.z)};
    ends.lower = {LowerEnd(box.min.x), LowerEnd(box.min.y), LowerEnd(box.min.z)};
    ends.locked = locked;
    return ends;
}

TAxisLengthsRead ReadAxisLengths(const std::array<std::string, 6>& fields,
                                 const TNumberReader& read) {
    TAxisLengthsRead r;
    const std::array<long double*, 3> lows{&r.lower.x, &r.lower.y, &r.lower.z};
    const std::array<long double*, 3> highs{&r.upper.x, &r.upper.y, &r.upper.z};
    for (std::size_t k = 0; k < 3 && r.error == 0; ++k) r.error = read(fields[2 * k], *lows[k]);
    for (std::size_t k = 0; k < 3 && r.error == 0; ++k) {
        r.error = read(fields[2 * k + 1], *highs[k]);
        if (r.error == 0 && *highs[k] < *lows[k] + kTiny) r.error = kErrInconsistentData;
    }
    return r;
}

std::optional<TAxisEnds> ApplyAxisLengths(const TAxisEnds& old, const TAxisLengthsRead& read,
                                          bool lock) {
    if (read.error != 0) {
        if (lock || !old.locked) return std::nullopt;
        TAxisEnds unlocked = old;
        unlocked.locked = false;
        return unlocked;
    }
    if (Vec3Dist(read.lower, old.lower) < kTiny && Vec3Dist(read.upper, old.upper) < kTiny &&
        old.locked == lock)
        return std::nullopt;
    return TAxisEnds{read.lower, read.upper, lock};
}

int AxisColourIndex(int axesColour, int backgroundColour) {
    if (axesColour != backgroundColour) return axesColour;
    return backgroundColour == 0 ? 1 : 0;
}

std::optional<Vec3> AxisLetterPoint(Vec3 end, Vec2 originPx, Vec2 endPx, long double screenUnit) {
    const long double dx = endPx.x - originPx.x, dy = endPx.y - originPx.y;
    const long double len = std::sqrt(dx * dx + dy * dy);
    if (!(len >= 1)) return std::nullopt;
    const long double f = kLetterUnits * screenUnit / len + 1;
    return f * end;
}

int LabelCornerCode(Vec3 eye, Vec3 focus, const TSceneBox& box) {
    const long double dx = eye.x - focus.x, dy = eye.y - focus.y;
    const bool right = dx > 0, ahead = dy > 0;
    if (eye.z >= box.min.z && eye.z <= box.max.z) {
        long double m = 0;
        if (std::fabs(dx) < kTiny)
            m = right == ahead ? 100 : -100;
        else
            m = dy / dx;
        if (right && ahead) return SlopeCode(m, 4, 0.6L, 1.6L);
        if (!right && ahead) return SlopeCode(m, 7, -1.6L, -0.6L);
        if (!right) return SlopeCode(m, 10, 0.6L, 1.6L);
        return SlopeCode(m, 13, -1.6L, -0.6L);
    }
    const int base = eye.z >= box.min.z ? 16 : 0;
    if (!right && !ahead) return base;
    if (right && !ahead) return base + 1;
    if (right) return base + 2;
    return base + 3;
}

TLabelCorners ChooseLabelCorners(Vec3 eye, Vec3 focus, const TSceneBox& box) {
    const TCornerBits bits =
        kCornerBits[static_cast<std::size_t>(LabelCornerCode(eye, focus, box))];
    return {{bits.x1 ? box.max.x : box.min.x, bits.y1 ? box.max.y : box.min.y, box.min.z},
            {bits.x2 ? box.max.x : box.min.x, bits.y2 ? box.max.y : box.min.y, box.max.z}};
}

std::string CornerLabel(Vec3 corner) {
    std::array<char, 200> text{};
    std::snprintf(text.data(), text.size(), "(%4.2Lf,%4.2Lf,%4.2Lf)", corner.x, corner.y, corner.z);
    return text.data();
}

Vec3 FieldGridSteps(const TBox3& box, int m) {
    const long double n = std::max(m, 1);
    const auto step = [n](long double low, long double high) {
        return (high - low) / n - kGridHair;
    };
    return {step(box.min.x, box.max.x), step(box.min.y, box.max.y), step(box.min.z, box.max.z)};
}

std::optional<TFrame3> FrenetFrame(Vec3 velocity, Vec3 second) {
    if (!(Vec3Length(velocity) > 0)) return std::nullopt;
    const Vec3 t = Unit(velocity);
    const Vec3 normal = second - Vec3Dot(second, t) * t;
    // What is left of the second vector after rounding is no direction.
    if (!(Vec3Length(normal) > kTiny * std::max<long double>(Vec3Length(second), 1)))
        return std::nullopt;
    const Vec3 n = Unit(normal);
    return TFrame3{t, n, Vec3Cross(t, n)};
}

TArcSpan AngleArc(long double angle) {
    constexpr long double kTurn = 2 * std::numbers::pi_v<long double>;
    if (angle > kTurn || angle < -kTurn) angle = kTurn;
    TArcSpan arc;
    arc.from = std::min<long double>(0, angle);
    arc.to = std::max<long double>(0, angle);
    arc.steps = static_cast<int>(std::lround(std::fabs(angle) / kTurn * 120)) + 2;
    return arc;
}

Vec3 CartesianPoint(int form, Vec3 typed) {
    if (form == 1) return AngleArcPoint(1, typed, 4, typed.y);
    if (form == 2) return AngleArcPoint(2, typed, 4, typed.y);
    return typed;
}

Vec3 AngleArcPoint(int form, Vec3 typed, int which, long double t) {
    if (form == 1) return {typed.x * std::cos(t), typed.x * std::sin(t), typed.z};
    const long double rho = typed.x, theta = typed.y, phi = typed.z;
    if (which == 5)
        return {rho * std::sin(t) * std::cos(theta), rho * std::sin(t) * std::sin(theta),
                rho * std::cos(t)};
    return {rho * std::sin(phi) * std::cos(t), rho * std::sin(phi) * std::sin(t),
            rho * std::cos(phi)};
}

}  // namespace quorlin::plot3d
