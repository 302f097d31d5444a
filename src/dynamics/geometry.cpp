#include "dynamics/geometry.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

namespace {

// A chord end replaces a line end only when the end lies this far outside the circle.
constexpr long double kOutsideMargin = 0.001L;
constexpr int kMostBisections = 200;

long double Length(Vec2 v) {
    return std::sqrt(Vec2Dot(v, v));
}

long double RandomFraction() {
    return static_cast<long double>(RandomInt()) / static_cast<long double>(kRandomMax);
}

Vec3 RandomPoint(const Box3& box) {
    const Vec3 size = box.max - box.min;
    return {box.min.x + size.x * RandomFraction(), box.min.y + size.y * RandomFraction(),
            box.min.z + size.z * RandomFraction()};
}

}  // namespace

int ClipLineToDisc(Vec2 centre, long double radius, Vec2& e1, Vec2& e2, int flag) {
    const Vec2 d = e2 - e1;
    const Vec2 f = e1 - centre;
    const long double a = Vec2Dot(d, d);
    if (a == 0) return 1;
    // |e1 + u d - centre|^2 = radius^2, a quadratic in u.
    const long double b = 2.0L * Vec2Dot(d, f);
    const long double c = Vec2Dot(f, f) - radius * radius;
    const long double disc = b * b - 4.0L * a * c;
    const long double scale = b * b + std::fabs(4.0L * a * c);
    if (disc < -1e-15L * scale) return 1;
    if (disc <= 1e-15L * scale) {
        const Vec2 touch = e1 + (-b / (2.0L * a)) * d;
        e1 = touch;
        e2 = touch;
        return -1;
    }
    if (flag != 0) return 0;
    const long double root = std::sqrt(disc);
    const long double u1 = (-b - root) / (2.0L * a);
    const long double u2 = (-b + root) / (2.0L * a);
    // A point of the line outside the circle lies before u1 or beyond u2; the chord end on its
    // side is the nearer of the two.
    const Vec2 first = e1 + u1 * d;
    const Vec2 second = e1 + u2 * d;
    const auto outside = [&](Vec2 p) { return Length(p - centre) > radius + kOutsideMargin; };
    const bool clipFirst = outside(e1);
    const bool clipSecond = outside(e2);
    if (clipFirst) e1 = 0.0L < u1 ? first : second;
    if (clipSecond) e2 = 1.0L < u1 ? first : second;
    return 0;
}

bool FindSignChangePoint(const ScalarField3& f, const Box3& box, long double tolerance, Vec3& out) {
    for (int pair = 0; pair < kSignChangePairs; ++pair) {
        Vec3 a = RandomPoint(box);
        Vec3 b = RandomPoint(box);
        long double fa = 0;
        long double fb = 0;
        if (!f(a, fa) || !f(b, fb)) continue;
        if (fa == 0 || fb == 0) {
            out = fa == 0 ? a : b;
            return true;
        }
        if ((fa > 0) == (fb > 0)) continue;
        bool defined = true;
        for (int i = 0; i < kMostBisections && Vec3Dist(a, b) >= tolerance; ++i) {
            const Vec3 m = Vec3Midpoint(a, b);
            long double fm = 0;
            if (!f(m, fm)) {
                defined = false;
                break;
            }
            if ((fm > 0) == (fa > 0)) {
                a = m;
            } else {
                b = m;
            }
        }
        if (!defined) continue;
        out = Vec3Midpoint(a, b);
        return true;
    }
    return false;
}

bool FindSignChangePoint(FormulaContext& context, TExprNode& tree, const Box3& box, Vec3& out) {
    const Vec3 size = box.max - box.min;
    const long double extent = std::max({std::fabs(size.x), std::fabs(size.y), std::fabs(size.z)});
    PlotVariableGuard guard(context);
    const TreeProgram program(context, &tree);
    const ScalarField3 f = [&](Vec3 p, long double& value) {
        context.SetVar(slot::kX, p.x);
        context.SetVar(slot::kY, p.y);
        context.SetVar(slot::kZ, p.z);
        long double v = 0;
        if (!program.Evaluate(v)) return false;
        value = v;
        return true;
    };
    return FindSignChangePoint(f, box, kSignChangeTolerance * extent, out);
}

}  // namespace quorlin::dynamics
