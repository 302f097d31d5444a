#include "plot3d/intersections/intersection_trees.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "examples/records/compile_support.h"
#include "formula/slot_guard.h"
#include "formula/tree_builders.h"
#include "plot3d/intersections/surface_pair.h"
#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d {

namespace {

namespace k = examples::kind;
using examples::TExample;
using examples::TNumber;
using examples::compile_support::Cp;
using examples::compile_support::K;
using examples::compile_support::Leaf;
using examples::compile_support::Sub;

constexpr long double kLeastComponent = 1e-16L;
// The variables of the axes 1, 2, 3.
constexpr std::array<int, 3> kAxisOps{op::kVarX, op::kVarY, op::kVarZ};
constexpr int kAxisZ = 3;

NodePtr Substituted(const TExprNode* tree, int variableOp, const TExprNode* replacement) {
    if (!tree || !replacement) return nullptr;
    return TExprNode::MakeSubstituted(tree, variableOp, *replacement);
}

TreeVec3 View(const NodeVec3& v) {
    return {v[0].get(), v[1].get(), v[2].get()};
}

bool IsZero(const Vec3& v) {
    return !(std::fabs(v.x) > kLeastComponent) && !(std::fabs(v.y) > kLeastComponent) &&
           !(std::fabs(v.z) > kLeastComponent);
}

Vec3 StoredNormal(const TExample& e, TNumber first) {
    const auto at = static_cast<std::size_t>(first);
    return {e.numbers[at], e.numbers[at + 1], e.numbers[at + 2]};
}

void StoreNormal(TExample& e, TNumber first, const Vec3& n) {
    const auto at = static_cast<std::size_t>(first);
    e.numbers[at] = n.x;
    e.numbers[at + 1] = n.y;
    e.numbers[at + 2] = n.z;
}

// A plane parent: its normal and its point (trees 5-7 of the plane).
struct TPlaneParent {
    Vec3 normal;
    const TExample* plane = nullptr;

    NodeVec3 NormalTrees() const { return {K(normal.x), K(normal.y), K(normal.z)}; }
    NodeVec3 PointTrees() const {
        return {Cp(plane->Tree(5)), Cp(plane->Tree(6)), Cp(plane->Tree(7))};
    }
    // a x + b y + c z - (a k + b m + c n), zero on the plane.
    NodePtr Implicit() const {
        const NodeVec3 n = NormalTrees();
        const NodeVec3 xyz{Leaf(op::kVarX), Leaf(op::kVarY), Leaf(op::kVarZ)};
        return Sub(MakeDotProduct3(View(n), View(xyz)),
                   MakeDotProduct3(View(n), View(PointTrees())));
    }
    // The plane solved for z, else y, else x (the first whose normal component counts): the
    // coordinate as k_s - (n_a (a - k_a) + n_b (b - k_b)) / n_s, axis 3, 2 or 1.
    NodePtr Solved(int& axis) const {
        const std::array<long double, 3> n{normal.x, normal.y, normal.z};
        const NodeVec3 point = PointTrees();
        for (const int s : {2, 1, 0}) {
            if (!(std::fabs(n[static_cast<std::size_t>(s)]) > kLeastComponent)) continue;
            const int a = s == 0 ? 1 : 0;
            const int b = s == 2 ? 1 : 2;
            const auto term = [&](int c) {
                const auto u = static_cast<std::size_t>(c);
                return examples::compile_support::Mul(K(n[u] / n[static_cast<std::size_t>(s)]),
                                                      Sub(Leaf(kAxisOps[u]), Cp(point[u].get())));
            };
            axis = s + 1;
            return Sub(Cp(point[static_cast<std::size_t>(s)].get()),
                       examples::compile_support::Add(term(a), term(b)));
        }
        axis = kAxisZ;
        return nullptr;
    }
};

// What one code builds in the plane of two coordinates: the solved coordinate (tree 3), the
// function zero on the curve (tree 4) and the solved axis (1..3).
struct TPlaneCurve {
    NodePtr solved;
    NodePtr zeroSet;
    int axis = kAxisZ;
};

class TIntersectionBuilder {
public:
    TIntersectionBuilder(FormulaContext& context, const TExample& p, const TExample& q,
                         bool reading, TExample& e)
        : context_(context), p_(p), q_(q), reading_(reading), e_(e) {}

    int Build();

private:
    // The plane parent of the role, its normal taken and stored; false when it has none.
    bool TakePlane(const TExample& plane, TNumber stored, TPlaneParent& out);
    NodeVec3 NormalTrees(const TExample& surface, const TPlaneParent* plane) const;
    TPlaneCurve PlaneCurve() const;
    // H(x, y, z), zero on the first parent, when the second is parametric.
    NodePtr FirstParentFunction() const;
    void BuildInPlane();
    void BuildInParameters();

    FormulaContext& context_;
    const TExample& p_;
    const TExample& q_;
    bool reading_;
    TExample& e_;
    std::optional<TPlaneParent> planeP_;
    std::optional<TPlaneParent> planeQ_;
};

bool TIntersectionBuilder::TakePlane(const TExample& plane, TNumber stored, TPlaneParent& out) {
    std::optional<Vec3> n;
    if (reading_)
        n = StoredNormal(e_, stored);
    else
        n = MeshPlaneNormal(plane);
    // A normal read from a file may be anything: one not finite names no plane either.
    const auto finite = [](const Vec3& v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    };
    if (!n || IsZero(*n) || !finite(*n)) return false;
    StoreNormal(e_, stored, *n);
    out = {*n, &plane};
    return true;
}

NodeVec3 TIntersectionBuilder::NormalTrees(const TExample& surface,
                                           const TPlaneParent* plane) const {
    if (plane) return plane->NormalTrees();
    return {Cp(surface.Tree(5)), Cp(surface.Tree(6)), Cp(surface.Tree(7))};
}

TPlaneCurve TIntersectionBuilder::PlaneCurve() const {
    TPlaneCurve c;
    switch (e_.derivation) {
        case 143:
            c.zeroSet = Sub(Cp(p_.Tree(3)), Cp(q_.Tree(3)));
            c.solved = Cp(q_.Tree(3));
            break;
        case 144:
            c.zeroSet = Substituted(p_.Tree(4), op::kVarZ, q_.Tree(3));
            c.solved = Cp(q_.Tree(3));
            break;
        case 145:
            c.zeroSet = Substituted(planeP_->Implicit().get(), op::kVarZ, q_.Tree(3));
            c.solved = Cp(q_.Tree(3));
            break;
        default: {  // 146 and 147: the second parent's plane solved for an axis
            c.solved = planeQ_->Solved(c.axis);
            const NodePtr first = planeP_ ? planeP_->Implicit() : Cp(p_.Tree(4));
            c.zeroSet = Substituted(first.get(), kAxisOps[static_cast<std::size_t>(c.axis - 1)],
                                    c.solved.get());
            break;
        }
    }
    return c;
}

void TIntersectionBuilder::BuildInPlane() {
    const NodeVec3 n1 = NormalTrees(p_, planeP_ ? &*planeP_ : nullptr);
    const NodeVec3 n2 = NormalTrees(q_, planeQ_ ? &*planeQ_ : nullptr);
    NodeVec3 tangent = MakeCrossProduct3(View(n1), View(n2));
    TPlaneCurve c = PlaneCurve();
    // The tangent is followed in the plane of the other two coordinates: on the curve the
    // solved one is tree 3 there.
    const int solvedOp = kAxisOps[static_cast<std::size_t>(c.axis - 1)];
    for (std::size_t k = 0; k < 3; ++k)
        e_.trees[4 + k] = Substituted(tangent[k].get(), solvedOp, c.solved.get());
    e_.Tree(3) = std::move(c.solved);
    e_.Tree(4) = std::move(c.zeroSet);
    e_.SolvedAxis() = static_cast<std::int16_t>(c.axis - kAxisZ);
}

NodePtr TIntersectionBuilder::FirstParentFunction() const {
    if (planeP_) return planeP_->Implicit();
    if (p_.kind == k::kSurface) return Sub(Cp(p_.Tree(3)), Leaf(op::kVarZ));
    return Cp(p_.Tree(4));
}

void TIntersectionBuilder::BuildInParameters() {
    NodePtr g = FirstParentFunction();
    for (std::size_t k = 0; k < 3 && g; ++k) {
        if (!q_.trees[k])
            g.reset();
        else
            TExprNode::SubstituteVar(g, kAxisOps[k], *q_.trees[k]);
    }
    if (g) {
        TExprNode::SubstituteVarByOp(g.get(), op::kVarT, op::kVarX);
        TExprNode::SubstituteVarByOp(g.get(), op::kVarU, op::kVarY);
        context_.Differentiate(g.get(), op::kVarX, e_.Tree(5));
        context_.Differentiate(g.get(), op::kVarY, e_.Tree(6));
        e_.Tree(7) = K(0);
    }
    for (int k = 1; k <= 3; ++k) e_.Tree(k) = Cp(q_.Tree(k));
    e_.Tree(4) = std::move(g);
    e_.rangeLow = q_.rangeLow;
    e_.rangeHigh = q_.rangeHigh;
    e_.SolvedAxis() = 0;
}

int TIntersectionBuilder::Build() {
    for (NodePtr& tree : e_.trees) tree.reset();
    // Built while a file is read, before the parents' boxes are put in order.
    const TBox3 a = OrderedBoxOf(p_), b = OrderedBoxOf(q_);
    e_.boxMin = Vec3Max(a.min, b.min);
    e_.boxMax = Vec3Min(a.max, b.max);
    const std::optional<TKindPair> kinds = ParentKindsOf(e_.derivation);
    if (!kinds || kinds->first != p_.kind || kinds->second != q_.kind) return kErrInconsistent;
    TPlaneParent plane;
    if (p_.kind == k::kPlane) {
        if (!TakePlane(p_, TNumber::kFirstPlaneNormal, plane)) return kErrInconsistent;
        planeP_ = plane;
    }
    if (q_.kind == k::kPlane) {
        if (!TakePlane(q_, TNumber::kSecondPlaneNormal, plane)) return kErrInconsistent;
        planeQ_ = plane;
    }
    if (IsParametricIntersection(e_.derivation))
        BuildInParameters();
    else
        BuildInPlane();
    return 0;
}

}  // namespace

std::optional<Vec3> MeshPlaneNormal(const TExample& plane) {
    const std::size_t row = static_cast<std::size_t>(std::max(0, plane.divisions[1] + 1));
    if (row < 2 || plane.points.size() <= row) return std::nullopt;
    const Vec3 m0 = plane.points[0];
    Vec3 n = Vec3Cross(plane.points[1] - m0, plane.points[row] - m0);
    if (IsZero(n)) return std::nullopt;
    Vec3ScaleBySmallest(n);
    return n;
}

int BuildIntersectionTrees(FormulaContext& context, const TExample& p, const TExample& q,
                           bool reading, TExample& e) {
    TIntersectionBuilder builder(context, p, q, reading, e);
    const int error = builder.Build();
    if (error != 0)
        for (NodePtr& tree : e.trees) tree.reset();
    return error;
}

int IntersectionLevelVariable(const TExample& e) {
    return slot::kZ + std::clamp<int>(e.SolvedAxis(), -2, 0);
}

std::optional<Vec3> IntersectionPointInSpace(FormulaContext& context, TExample& e, Vec3 traced) {
    const TSlotGuard guard(context, {slot::kX, slot::kY, slot::kZ, slot::kT, slot::kU});
    if (IsParametricIntersection(e.derivation)) {
        const auto inside = [](long double v, long double a, long double b) {
            return v >= std::min(a, b) && v <= std::max(a, b);
        };
        if (!inside(traced.x, e.rangeLow[0], e.rangeHigh[0]) ||
            !inside(traced.y, e.rangeLow[1], e.rangeHigh[1]))
            return std::nullopt;
        context.SetVar(slot::kT, traced.x);
        context.SetVar(slot::kU, traced.y);
        std::array<long double, 3> point{};
        for (std::size_t k = 0; k < 3; ++k) {
            TExprNode* tree = e.trees[k].get();
            if (!tree || !context.Evaluate(*tree)) return std::nullopt;
            point[k] = tree->re;
        }
        return Vec3{point[0], point[1], point[2]};
    }
    TExprNode* solved = e.Tree(3).get();
    if (!solved) return std::nullopt;
    context.SetVar(slot::kX, traced.x);
    context.SetVar(slot::kY, traced.y);
    context.SetVar(slot::kZ, traced.z);
    if (!context.Evaluate(*solved) || !std::isfinite(solved->re)) return std::nullopt;
    Vec3 out = traced;
    const int axis = IntersectionLevelVariable(e);
    (axis == slot::kX ? out.x : axis == slot::kY ? out.y : out.z) = solved->re;
    return out;
}

}  // namespace quorlin::plot3d
