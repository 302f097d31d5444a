#include "examples/records/point_position.h"

#include <cmath>

namespace quorlin::examples {

namespace {

// The value of tree `tree` of `e`; false where it is undefined or not finite.
bool Evaluated(FormulaContext& f, TExample& e, int tree, long double& out) {
    TExprNode* node = e.Tree(tree).get();
    if (!node || !f.Evaluate(*node) || !std::isfinite(node->re)) return false;
    out = node->re;
    return true;
}

}  // namespace

bool TypedPointToCartesian(const TExample& e, Vec3& v) {
    const bool plane = e.kind == kind::kPoint && !e.ComplexPoint();
    const bool space = e.kind == kind::kSpacePoint;
    const bool polar = (plane && e.PolarForm()) || (space && e.PointCoordinates() == 1);
    if (polar) {
        Vec2 p{v.x, v.y};
        if (!Vec2PolarInPlace(p)) return false;
        v.x = p.x;
        v.y = p.y;
        return true;
    }
    if (space && e.PointCoordinates() == 2) return Vec3SphericalInPlace(v);
    return true;
}

bool DrawnPointPosition(FormulaContext& f, TExample& e, Vec3& out) {
    Vec3 v{0, 0, 0};
    if (e.kind == kind::kPoint && e.ComplexPoint()) {
        TExprNode* z = e.Tree(1).get();
        if (!z || !f.Evaluate(*z) || !std::isfinite(z->re) || !std::isfinite(z->im)) return false;
        out = {z->re, z->im, 0};
        return true;
    }
    if (e.kind != kind::kPoint && e.kind != kind::kSpacePoint) return false;
    if (!Evaluated(f, e, 1, v.x) || !Evaluated(f, e, 2, v.y)) return false;
    if (e.kind == kind::kSpacePoint && !Evaluated(f, e, 3, v.z)) return false;
    if (!TypedPointToCartesian(e, v)) return false;
    out = v;
    return true;
}

}  // namespace quorlin::examples
