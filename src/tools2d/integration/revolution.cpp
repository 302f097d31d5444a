#include "tools2d/integration/revolution.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "examples/operations/integration.h"
#include "examples/records/trajectory.h"
#include "formula/opcodes.h"

namespace quorlin::tools2d {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kNoLine = 1e-16L;
constexpr long double kOnAxis = 1e-13L;

NodePtr Copy(const TExprNode* tree) {
    return TExprNode::CopyTree(tree);
}
NodePtr Num(long double value) {
    return TExprNode::NewConst(value);
}
NodePtr Bin(int op, NodePtr left, NodePtr right) {
    return TExprNode::NewBinary(op, std::move(left), std::move(right));
}

// The curve's four trees as the integrands use them; empty when one is missing.
struct TCurveTrees {
    NodePtr x, y, dx, dy;
    bool Complete() const { return x && y && dx && dy; }
};

TCurveTrees TreesOf(const examples::TExample& curve) {
    const bool explicitCurve = curve.kind == examples::kind::kExplicit;
    TCurveTrees t;
    t.x = explicitCurve ? TExprNode::NewOp(op::kVarX) : Copy(curve.Tree(1));
    t.y = Copy(curve.Tree(2));
    t.dx = explicitCurve && !curve.Tree(5) ? Num(1) : Copy(curve.Tree(5));
    t.dy = Copy(curve.Tree(6));
    return t;
}

// a x + b y - c.
NodePtr Distance(const TAxisLine& axis, NodePtr x, NodePtr y) {
    return Bin('-',
               Bin('+', Bin('*', Num(axis.a), std::move(x)), Bin('*', Num(axis.b), std::move(y))),
               Num(axis.c));
}

long double NormSquared(const TAxisLine& axis) {
    return axis.a * axis.a + axis.b * axis.b;
}

}  // namespace

int CheckAxis(const TAxisLine& axis) {
    return NormSquared(axis) < kNoLine ? kErrInconsistentData : 0;
}

NodePtr VolumeIntegrand(const examples::TExample& curve, const TAxisLine& axis) {
    TCurveTrees t = TreesOf(curve);
    if (!t.Complete()) return nullptr;
    NodePtr d = Distance(axis, std::move(t.x), std::move(t.y));
    NodePtr copy = Copy(d.get());
    NodePtr square = Bin('*', std::move(copy), std::move(d));
    NodePtr along =
        Bin('-', Bin('*', Num(axis.a), std::move(t.dy)), Bin('*', Num(axis.b), std::move(t.dx)));
    return Bin('*', std::move(square), std::move(along));
}

NodePtr SurfaceIntegrand(const examples::TExample& curve, const TAxisLine& axis) {
    TCurveTrees t = TreesOf(curve);
    if (!t.Complete()) return nullptr;
    NodePtr speed =
        TExprNode::NewUnary(op::kSqrt, Bin('+', Bin('*', Copy(t.dx.get()), Copy(t.dx.get())),
                                           Bin('*', Copy(t.dy.get()), Copy(t.dy.get()))));
    NodePtr d = TExprNode::NewUnary(op::kAbs, Distance(axis, std::move(t.x), std::move(t.y)));
    return Bin('*', std::move(speed), std::move(d));
}

NodePtr SectorIntegrand(const examples::TExample& curve) {
    TCurveTrees t = TreesOf(curve);
    if (!t.Complete()) return nullptr;
    return Bin('-', Bin('*', std::move(t.x), std::move(t.dy)),
               Bin('*', std::move(t.y), std::move(t.dx)));
}

long double VolumeFromSum(long double sum, const TAxisLine& axis) {
    return std::fabs(sum * kPi / std::pow(NormSquared(axis), 1.5L));
}

long double SurfaceFromSum(long double sum, const TAxisLine& axis) {
    return std::fabs(sum * 2 * kPi / std::sqrt(NormSquared(axis)));
}

long double SectorFromSum(long double sum) {
    return 0.5L * std::fabs(sum);
}

TSolid SegmentSolid(Vec2 p, Vec2 q, const TAxisLine& axis) {
    const auto [area, volume] =
        examples::FrustumOfRevolution(p.x, p.y, q.x, q.y, axis.a, axis.b, axis.c);
    return {area, volume};
}

namespace {

// Shells about x = c: the integrand runs in the shifted variable X - c.
int ShellVolume(FormulaContext& formulas, const TExprNode& f, const TExprNode& g, long double c,
                long double low, long double high, const ParabolicSum& sum, long double& out) {
    NodePtr plain;
    formulas.BuildShellIntegrand(plain, &f, &g, c, false);
    if (!plain) return examples::kErrUndefinedIntegrand;
    low -= c;
    high -= c;
    if (low > -kOnAxis || high < kOnAxis) {
        const int result = sum(*plain, low, high, out);
        if (high < kOnAxis) out = -out;
        return result;
    }
    // The region straddles the axis: the longer side beyond the mirror of the shorter one with
    // the plain shells, then the overlapping part once, as the union of the two sides' chords.
    long double outer = 0;
    int result = high <= -low ? sum(*plain, low, -high, outer) : sum(*plain, -low, high, outer);
    if (high <= -low) outer = -outer;
    long double inner = 0;
    if (result != kKeyStop && result == 0) {
        NodePtr overlap;
        formulas.BuildShellIntegrand(overlap, &f, &g, c, true);
        if (!overlap) return examples::kErrUndefinedIntegrand;
        result = sum(*overlap, 0, std::min(high, -low), inner);
    }
    out = outer + inner;
    return result;
}

}  // namespace

int TwoCurveVolume(FormulaContext& formulas, const TExprNode& f, const TExprNode& g, long double c,
                   bool washers, long double low, long double high, const ParabolicSum& sum,
                   long double& out) {
    out = 0;
    if (!washers) return ShellVolume(formulas, f, g, c, low, high, sum, out);
    NodePtr integrand;
    formulas.BuildWasherIntegrand(integrand, &f, &g, c);
    if (!integrand) return examples::kErrUndefinedIntegrand;
    return sum(*integrand, low, high, out);
}

}  // namespace quorlin::tools2d
