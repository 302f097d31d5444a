// The surfaces that compilation builds from an example's trees: planes, tubes around a curve,
// surfaces of revolution (parametric and implicit), and the plane through three mesh points.
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/random.h"
#include "examples/records/compile.h"
#include "examples/records/compile_support.h"
#include "formula/tree_builders.h"

namespace quorlin::examples {

using namespace compile_support;

namespace {

TreeVec3 View(const NodeVec3& v) {
    return {v[0].get(), v[1].get(), v[2].get()};
}

// The axis a x + b y = c of a surface of revolution, normalised: A x + B y = C with
// A^2 + B^2 = 1; false for an axis without direction.
struct TAxis {
    long double a = 0, b = 0, c = 0;
};
bool NormalisedAxis(const TExample& e, TAxis& axis) {
    const long double a = e.Number(TNumber::kAxisA), b = e.Number(TNumber::kAxisB),
                      c = e.Number(TNumber::kAxisC);
    const long double norm = std::sqrt(a * a + b * b);
    if (!(norm > 0) || !std::isfinite(norm) || !std::isfinite(c)) return false;
    axis = {a / norm, b / norm, c / norm};
    return true;
}

// The end of a parameter range: the variable of a letter (1..26), else the constant.
NodePtr RangeEnd(int letter, long double value) {
    if (letter < 1 || letter > 26) return K(value);
    NodePtr node = Leaf(op::kVarAt + letter);
    node->re = value;
    return node;
}

// (1 - V) low + V high for the ends of a bound parameter range.
NodePtr RangeLerp(const TExample& e, int variableOp, const TBoundRange& range) {
    int h = 0, u = 0;
    if (!UnpackLetterPair(e.Number(range.letters), h, u)) h = u = 0;
    const NodePtr low = RangeEnd(u, e.Number(range.low));
    const NodePtr high = RangeEnd(h, e.Number(range.high));
    return MakeLerp(variableOp, low.get(), high.get());
}

constexpr int kLastRevolutionMode = op::kRevolutionScale - op::kRevolutionFirst - 1;  // 19

}  // namespace

void TExampleCompiler::BuildPlaneSurface(int i) {
    if (inventory_.IsIndex(i)) BuildPlane(inventory_[i]);
}

// a(x - k) + b(y - m) + c(z - n) = 0 as the point (k, m, n) plus T and U times two directions
// of length h = s / 2 perpendicular to the normal (a, b, c).
void TExampleCompiler::BuildPlane(TExample& e) {
    const NodePtr side = Parsed(e.Text(6));
    const NodePtr h = Mul(K(0.5L), Cp(side.get()));
    const TExprNode* a = e.Tree(1).get();
    const TExprNode* b = e.Tree(2).get();
    const TExprNode* c = e.Tree(3).get();
    const NodePtr n = MakeLength3(a, b, c);
    const NodePtr m = MakeLength2(a, b);
    auto nm = [&] { return Mul(Cp(n.get()), Cp(m.get())); };
    NodeVec3 first = {
        Fallback(Div(Mul(Mul(Fn(op::kNegate, Cp(a)), Cp(c)), Cp(h.get())), nm()), Cp(h.get())),
        Fallback(Div(Mul(Mul(Fn(op::kNegate, Cp(b)), Cp(c)), Cp(h.get())), nm()), K(0)),
        Fallback(Div(Mul(Cp(m.get()), Cp(h.get())), Cp(n.get())), K(0))};
    NodeVec3 second = {
        Fallback(Div(Mul(Cp(b), Cp(h.get())), Cp(m.get())), K(0)),
        Fallback(Div(Mul(Fn(op::kNegate, Cp(a)), Cp(h.get())), Cp(m.get())), Cp(h.get())), K(0)};
    const NodePtr t = Leaf(op::kVarT);
    const NodePtr u = Leaf(op::kVarU);
    NodeVec3 surface;
    for (int k = 0; k < 3; ++k)
        surface[k] = MakeSumPlusProducts(e.Tree(5 + k).get(), t.get(), first[k].get(), u.get(),
                                         second[k].get());
    for (int k = 0; k < 3; ++k) e.Tree(k + 1) = std::move(surface[k]);
}

// c(t) + r cos(u) N(t) + r sin(u) B(t), with the principal normal N and binormal B of the
// curve, or a fixed frame around a straight one.
void TExampleCompiler::BuildTube(TExample& e) {
    NodeVec3 d1, d2;
    for (int k = 0; k < 3; ++k) {
        d1[k] = Derivative(e.Tree(k + 1).get(), op::kVarT);
        d2[k] = Derivative(d1[k].get(), op::kVarT);
    }
    const NodePtr speed = MakeLength3(d1[0].get(), d1[1].get(), d1[2].get());
    NodeVec3 tangent;
    for (int k = 0; k < 3; ++k) tangent[k] = MakeQuotient(d1[k].get(), speed.get());
    const NodeVec3 w = MakeCrossProduct3(View(d1), View(d2));
    const NodePtr wLength = MakeLength3(w[0].get(), w[1].get(), w[2].get());

    // Is the curve bent? Looked at one random inner point of its parameter.
    auto evaluate = [this](const NodeVec3& v, Vec3& out) {
        long double values[3];
        for (int k = 0; k < 3; ++k) {
            if (!v[k] || !ctx_.Evaluate(*v[k])) return false;
            values[k] = v[k]->re;
        }
        out = {values[0], values[1], values[2]};
        return true;
    };
    const Complex savedT = ctx_.vars.value[slot::kT];
    ctx_.SetVar(slot::kT, (RandomInt() + 1.0L) / (kRandomMax + 2.0L));
    const bool bent = wLength && ctx_.Evaluate(*wLength) && wLength->re >= 1e-16L;
    Vec3 sampleTangent{0, 0, 1};
    const bool sampled = !bent && evaluate(tangent, sampleTangent);
    ctx_.vars.value[slot::kT] = savedT;
    // A straight curve gets a fixed frame around its tangent where the variables stand now
    // (or where it was sampled, should it be undefined here).
    Vec3 tangentHere{0, 0, 1};
    if (!bent && !evaluate(tangent, tangentHere) && sampled) tangentHere = sampleTangent;

    // The principal normal (w x r') / (|w| |r'|) and the binormal w / |w| of a bent curve.
    NodeVec3 normal, binormal;
    if (bent) {
        NodeVec3 wr = MakeCrossProduct3(View(w), View(d1));
        for (int k = 0; k < 3; ++k) {
            normal[k] = Div(std::move(wr[k]), Mul(Cp(speed.get()), Cp(wLength.get())));
            binormal[k] = Div(Cp(w[k].get()), Cp(wLength.get()));
        }
    } else {
        Vec3 e1, e2;
        Vec3PerpendicularPair(tangentHere, false, e1, e2);
        if (!Vec3Normalize(e1)) e1 = {1, 0, 0};
        normal = {K(e1.x), K(e1.y), K(e1.z)};
        binormal = MakeCrossProduct3(View(tangent), View(normal));
    }
    const NodePtr radiusCos = Mul(Cp(e.Tree(4).get()), Fn(op::kCos, Leaf(op::kVarU)));
    const NodePtr radiusSin = Mul(Cp(e.Tree(4).get()), Fn(op::kSin, Leaf(op::kVarU)));
    for (int k = 0; k < 3; ++k) {
        NodePtr around = Add(Mul(Cp(radiusCos.get()), std::move(normal[k])),
                             Mul(Cp(radiusSin.get()), std::move(binormal[k])));
        e.Tree(k + 1) = Add(std::move(e.Tree(k + 1)), std::move(around));
    }
}

// The profile (x(t), y(t)) of trees 1 and 2 turned about the axis: with its foot point (P, Q)
// on the axis and its signed distance D from it, the point at angle a is
// (P + A D cos a, Q + B D cos a, D sin a).
void TExampleCompiler::BuildRevolution(int i) {
    TInventoryEntry& entry = inventory_.Entry(i);
    TExample& e = entry.example;
    TAxis axis;
    if (!NormalisedAxis(e, axis)) {
        for (int k = 1; k <= 3; ++k) e.Tree(k).reset();
        return;
    }
    NodePtr angle = Leaf(op::kVarU);
    if (e.EndsBound()) {
        const NodePtr t = RangeLerp(e, op::kVarT, kBoundRanges[0]);
        for (int k = 1; k <= 2; ++k) TExprNode::SubstituteVar(e.Tree(k), op::kVarT, *t);
        angle = RangeLerp(e, op::kVarU, kBoundRanges[1]);
    }
    const auto [A, B, C] = axis;
    const TExprNode* x = e.Tree(1).get();
    const TExprNode* y = e.Tree(2).get();
    NodePtr foot[2] = {MakeLinearForm2(B * B, x, -A * B, y, C * A),
                       MakeLinearForm2(-A * B, x, A * A, y, C * B)};
    NodePtr distance = MakeLinearForm2(A, x, B, y, -C);
    NodePtr radial[2] = {MakeLinearForm2(A * A, x, A * B, y, -A * C),
                         MakeLinearForm2(B * A, x, B * B, y, -B * C)};

    const int mode = e.listing;
    if (mode >= 1 && mode <= kLastRevolutionMode) {
        // A stepped surface: compiling again must not step the count of divisions twice.
        int base = e.divisions[0];
        if (entry.revolutionSteppedCount != 0 && base == entry.revolutionSteppedCount)
            base = entry.revolutionBaseCount;
        base = std::clamp(base, 1, 16000);
        const int stepped = std::clamp(2 * (mode / 10) + 2 * base - 1, 1, 32767);
        TExprNode footNode(mode >= 4 ? op::kRevolutionFootWide : op::kRevolutionFoot);
        footNode.aux = base;
        TExprNode distanceNode(op::kRevolutionFirst + mode);
        distanceNode.aux = base;
        for (NodePtr& tree : foot) TExprNode::SubstituteVar(tree, op::kVarT, footNode);
        TExprNode::SubstituteVar(distance, op::kVarT, distanceNode);
        for (NodePtr& tree : radial) TExprNode::SubstituteVar(tree, op::kVarT, distanceNode);
        entry.revolutionBaseCount = static_cast<std::int16_t>(base);
        entry.revolutionSteppedCount = static_cast<std::int16_t>(stepped);
        e.divisions[0] = static_cast<std::int16_t>(stepped);
        if (mode >= 4) {
            distance = MakeSpecialProduct(distance.get(), stepped);
            for (NodePtr& tree : radial) tree = MakeSpecialProduct(tree.get(), stepped);
        }
    } else if (entry.revolutionSteppedCount != 0) {
        if (e.divisions[0] == entry.revolutionSteppedCount)
            e.divisions[0] = entry.revolutionBaseCount;
        entry.revolutionBaseCount = entry.revolutionSteppedCount = 0;
    }
    const NodePtr cosine = Fn(op::kCos, Cp(angle.get()));
    const NodePtr sine = Fn(op::kSin, Cp(angle.get()));
    e.Tree(1) = MakeProductPlus(radial[0].get(), cosine.get(), foot[0].get());
    e.Tree(2) = MakeProductPlus(radial[1].get(), cosine.get(), foot[1].get());
    e.Tree(3) = Mul(Cp(distance.get()), Cp(sine.get()));
    for (int k = 1; k <= 3; ++k) Simplified(e.Tree(k));
}

// The implicit curve F(x, y) = 0 of tree 4 turned about the axis: a point in space lies on the
// surface when one of its two pre-images in the profile plane lies on the curve.
void TExampleCompiler::BuildImplicitRevolution(TExample& e) {
    TAxis axis;
    if (!e.Tree(4).get() || !NormalisedAxis(e, axis)) {
        e.Tree(4).reset();
        return;
    }
    const auto [A, B, C] = axis;
    const NodePtr x = Leaf(op::kVarX);
    const NodePtr y = Leaf(op::kVarY);
    const NodePtr z = Leaf(op::kVarZLetter);
    const NodePtr offAxis = MakeLinearForm2(A, x.get(), B, y.get(), -C);
    const NodePtr rho = MakeLength2(offAxis.get(), z.get());
    const NodePtr footX = MakeLinearForm2(B * B, x.get(), -A * B, y.get(), A * C);
    const NodePtr footY = MakeLinearForm2(-A * B, x.get(), A * A, y.get(), B * C);
    NodePtr images[2];
    for (int side = 0; side < 2; ++side) {
        const int code = side == 0 ? op::kPlus : op::kMinus;
        const NodePtr px = Binary(code, Cp(footX.get()), Mul(K(A), Cp(rho.get())));
        const NodePtr py = Binary(code, Cp(footY.get()), Mul(K(B), Cp(rho.get())));
        NodePtr f = Cp(e.Tree(4).get());
        TExprNode::RenameOp(f.get(), op::kVarX, op::kPlaceholder1);
        TExprNode::RenameOp(f.get(), op::kVarY, op::kPlaceholder2);
        TExprNode::SubstituteVar(f, op::kPlaceholder1, *px);
        TExprNode::SubstituteVar(f, op::kPlaceholder2, *py);
        images[side] = std::move(f);
    }
    e.Tree(4) = Mul(std::move(images[0]), std::move(images[1]));
}

NodePtr TExampleCompiler::PlaneEquationTree(int i, int& axis) const {
    if (!inventory_.IsIndex(i)) return nullptr;
    const TExample& e = inventory_[i];
    const std::size_t row = static_cast<std::size_t>(std::max(0, e.divisions[1] + 1));
    if (row < 2 || e.points.size() <= row) return nullptr;
    const Vec3 p = e.points[0];
    Vec3 n = Vec3Cross(e.points[1] - p, e.points[row] - p);
    Vec3ScaleBySmallest(n);
    const NodePtr xyz[3] = {Leaf(op::kVarX), Leaf(op::kVarY), Leaf(op::kVarZLetter)};
    const long double nv[3] = {n.x, n.y, n.z};
    const long double pv[3] = {p.x, p.y, p.z};
    if (axis <= 0)
        return MakeLinearForm3(n.x, xyz[0].get(), n.y, xyz[1].get(), n.z, xyz[2].get(),
                               -Vec3Dot(n, p));
    for (const int solved : {2, 1, 0}) {
        if (!(std::fabs(nv[solved]) > 1e-16L)) continue;
        // The coordinate `solved` as a linear form of the other two.
        const int a = solved == 0 ? 1 : 0;
        const int b = solved == 2 ? 1 : 2;
        const long double constant = pv[solved] + (nv[a] * pv[a] + nv[b] * pv[b]) / nv[solved];
        axis = solved + 1;
        return MakeLinearForm2(-nv[a] / nv[solved], xyz[a].get(), -nv[b] / nv[solved], xyz[b].get(),
                               constant);
    }
    axis = -6;
    return K(0);
}

}  // namespace quorlin::examples
