#include "examples/operations/integration.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "examples/records/compile_support.h"
#include "formula/tree_builders.h"
#include "formula/tree_program.h"

namespace quorlin::examples {

using namespace compile_support;

TKeyPollControl::TKeyPollControl(std::function<int()> pollKey, Clock::duration pollInterval,
                                 Clock::duration unpolledLimit)
    : poll_(std::move(pollKey), pollInterval),
      unpolledLimit_(unpolledLimit),
      start_(Clock::now()) {}

bool TKeyPollControl::Stop() {
    if (stopped_) return true;
    if (poll_)
        stopped_ = poll_() == kKeyStop;
    else
        stopped_ = Clock::now() - start_ >= unpolledLimit_;
    return stopped_;
}

namespace {

// Gives the variable slots a sum sets their values back when it ends.
class SlotGuard {
public:
    SlotGuard(FormulaContext& f, std::initializer_list<int> slots) : f_(f) {
        for (const int s : slots) saved_.emplace_back(s, f.vars.value[static_cast<std::size_t>(s)]);
    }
    ~SlotGuard() {
        for (const auto& [s, value] : saved_) f_.vars.value[static_cast<std::size_t>(s)] = value;
    }
    SlotGuard(const SlotGuard&) = delete;
    SlotGuard& operator=(const SlotGuard&) = delete;

private:
    FormulaContext& f_;
    std::vector<std::pair<int, Complex>> saved_;
};

// The right end of subinterval i of n from x0: exactly the high end for the last one.
long double NextNode(const TIntegrationAxis& axis, int i, long double x0, long double h) {
    return i == axis.count ? axis.high : x0 + h;
}

// Whether the sum ends after subinterval i: never after the last one, which completes it.
bool StopAfter(const TIntegrationAxis& axis, int i, TSumControl& control) {
    return i < axis.count && control.Stop();
}

// The integrand of one sum, compiled where the sum starts and dropped with it.
class TIntegrand {
public:
    TIntegrand(FormulaContext& f, TExprNode& tree, int slotIndex)
        : f_(f), program_(f, &tree), slot_(slotIndex) {}
    // The integrand at x; false where it is undefined or not finite.
    bool At(long double x, long double& out) const {
        f_.SetVar(slot_, x);
        return program_.Evaluate(out) && std::isfinite(out);
    }

private:
    FormulaContext& f_;
    TreeProgram program_;
    int slot_;
};

// The composite Simpson sum of a compiled integrand over the axis.
int SimpsonOf(const TIntegrand& integrand, const TIntegrationAxis& axis, TSumControl& control,
              long double& out) {
    const long double h = (axis.high - axis.low) / axis.count;
    long double x0 = axis.low;
    long double f0 = 0;
    if (!integrand.At(x0, f0)) return kErrUndefinedIntegrand;
    long double sum = 0;
    int result = 0;
    for (int i = 1; i <= axis.count; ++i) {
        const long double x1 = NextNode(axis, i, x0, h);
        long double fm = 0, f1 = 0;
        if (!integrand.At(x0 + h / 2, fm) || !integrand.At(x1, f1)) return kErrUndefinedIntegrand;
        sum += f0 + 4 * fm + f1;
        x0 = x1;
        f0 = f1;
        if (StopAfter(axis, i, control)) {
            result = kKeyStop;
            break;
        }
    }
    out = sum * h / 6;
    return result;
}

}  // namespace

int RiemannSums(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                const std::function<long double()>& random01, TSumControl& control, TSums& out) {
    if (axis.count < 1) return kErrOutOfBounds;
    const SlotGuard guard(f, {axis.slot});
    const TIntegrand integrand(f, tree, axis.slot);
    const long double h = (axis.high - axis.low) / axis.count;
    TSums sums{};
    long double x0 = axis.low;
    long double f0 = 0;
    if (!integrand.At(x0, f0)) return kErrUndefinedIntegrand;
    int result = 0;
    for (int i = 1; i <= axis.count; ++i) {
        const long double x1 = NextNode(axis, i, x0, h);
        const long double r = x0 + h * random01();
        long double f1 = 0, fm = 0, fr = 0;
        if (!integrand.At(x1, f1) || !integrand.At(r, fr) || !integrand.At((x0 + x1) / 2, fm))
            return kErrUndefinedIntegrand;
        SumOf(sums, SumRule::Left) += f0;
        SumOf(sums, SumRule::Midpoint) += fm;
        SumOf(sums, SumRule::Right) += f1;
        SumOf(sums, SumRule::Trapezoid) += f0 + f1;
        SumOf(sums, SumRule::Simpson) += f0 + 4 * fm + f1;
        SumOf(sums, SumRule::Random) += fr;
        x0 = x1;
        f0 = f1;
        if (StopAfter(axis, i, control)) {
            result = kKeyStop;
            break;
        }
    }
    for (const SumRule rule : {SumRule::Left, SumRule::Midpoint, SumRule::Right, SumRule::Random})
        SumOf(sums, rule) *= h;
    SumOf(sums, SumRule::Trapezoid) *= h / 2;
    SumOf(sums, SumRule::Simpson) *= h / 6;
    out = sums;
    return result;
}

int SimpsonIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                    TSumControl& control, long double& out) {
    if (axis.count < 1) return kErrOutOfBounds;
    const SlotGuard guard(f, {axis.slot});
    return SimpsonOf(TIntegrand(f, tree, axis.slot), axis, control, out);
}

int DoubleIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& inner,
                   const TIntegrationAxis& outer, TSumControl& control, long double& out) {
    if (inner.count < 1 || outer.count < 1) return kErrOutOfBounds;
    const SlotGuard guard(f, {outer.slot, inner.slot});
    // One program for every inner integral: the outer variable is read where it stands.
    const TIntegrand integrand(f, tree, inner.slot);
    // The inner integral with the outer variable at y.
    const auto innerAt = [&](long double y, long double& g) {
        f.SetVar(outer.slot, y);
        return SimpsonOf(integrand, inner, control, g);
    };
    const long double h = (outer.high - outer.low) / outer.count;
    long double y0 = outer.low;
    long double g0 = 0;
    if (const int r = innerAt(y0, g0)) return r;
    long double sum = 0;
    for (int i = 1; i <= outer.count; ++i) {
        const long double y1 = NextNode(outer, i, y0, h);
        long double gm = 0, g1 = 0;
        if (const int r = innerAt(y0 + h / 2, gm)) return r;
        if (const int r = innerAt(y1, g1)) return r;
        sum += g0 + 4 * gm + g1;
        y0 = y1;
        g0 = g1;
        if (StopAfter(outer, i, control)) {
            out = sum * h / 6;
            return kKeyStop;
        }
    }
    out = sum * h / 6;
    return 0;
}

int DoubleIntegralPolar(FormulaContext& f, const TExprNode& tree, TIntegrationAxis r,
                        TIntegrationAxis t, TSumControl& control, long double& out) {
    const NodePtr product = Mul(Leaf(op::kVarR), Cp(&tree));
    r.slot = slot::kR;
    t.slot = slot::kT;
    return DoubleIntegral(f, *product, r, t, control, out);
}

// ------------------------------------------------------------------------------ integrands

int CurveVariable(const TExample& curve) {
    return curve.kind == kind::kExplicit ? slot::kX : slot::kT;
}

NodePtr SpeedTree(FormulaContext& f, const TExample& curve, int dimension) {
    const NodePtr zero = K(0);
    NodePtr speed =
        MakeLength3(curve.Tree(5), curve.Tree(6), dimension >= 3 ? curve.Tree(7) : zero.get());
    if (speed) f.Simplify(speed);
    return speed;
}

namespace {

// A copy of the field component with x, y (and z) replaced at once by the point's trees: a
// point tree that names x or y keeps that letter.
NodePtr AtPoint(const TExprNode* component, const std::array<const TExprNode*, 3>& point,
                int dimension) {
    if (!component || !point[0] || !point[1] || (dimension >= 3 && !point[2])) return nullptr;
    NodePtr tree = Cp(component);
    TExprNode::SubstituteVarByOp(tree.get(), op::kVarX, op::kPlaceholder1);
    TExprNode::SubstituteVarByOp(tree.get(), op::kVarY, op::kPlaceholder2);
    if (dimension >= 3) TExprNode::SubstituteVar(tree, op::kVarZ, *point[2]);
    TExprNode::SubstituteVar(tree, op::kPlaceholder1, *point[0]);
    TExprNode::SubstituteVar(tree, op::kPlaceholder2, *point[1]);
    return tree;
}

}  // namespace

NodePtr LineIntegrand(const TExample& field, const TExample& curve, int dimension) {
    const std::array<const TExprNode*, 3> point{curve.Tree(1), curve.Tree(2), curve.Tree(3)};
    const NodePtr f1 = AtPoint(field.Tree(1), point, dimension);
    const NodePtr f2 = AtPoint(field.Tree(2), point, dimension);
    if (dimension < 3) return MakeSumOfProducts(f1.get(), curve.Tree(5), f2.get(), curve.Tree(6));
    const NodePtr f3 = AtPoint(field.Tree(3), point, dimension);
    return MakeDotProduct3({f1.get(), f2.get(), f3.get()},
                           {curve.Tree(5), curve.Tree(6), curve.Tree(7)});
}

namespace {

// The partial derivatives of the surface's trees 1-3 in one variable.
NodeVec3 SurfaceTangent(FormulaContext& f, const TExample& surface, int variableOp) {
    NodeVec3 d;
    for (int k = 0; k < 3; ++k)
        if (surface.Tree(k + 1)) f.Differentiate(surface.Tree(k + 1), variableOp, d[k]);
    return d;
}

NodeVec3 SurfaceNormal(FormulaContext& f, const TExample& surface) {
    const NodeVec3 st = SurfaceTangent(f, surface, op::kVarT);
    const NodeVec3 su = SurfaceTangent(f, surface, op::kVarU);
    return MakeCrossProduct3({st[0].get(), st[1].get(), st[2].get()},
                             {su[0].get(), su[1].get(), su[2].get()});
}

}  // namespace

NodePtr FluxIntegrand(FormulaContext& f, const TExample& field, const TExample& surface) {
    const std::array<const TExprNode*, 3> point{surface.Tree(1), surface.Tree(2), surface.Tree(3)};
    std::array<NodePtr, 3> at;
    for (int k = 0; k < 3; ++k) at[k] = AtPoint(field.Tree(k + 1), point, 3);
    const NodeVec3 n = SurfaceNormal(f, surface);
    return MakeDotProduct3({at[0].get(), at[1].get(), at[2].get()},
                           {n[0].get(), n[1].get(), n[2].get()});
}

TAreaIntegrand AreaIntegrand(FormulaContext& f, const TExample& surface) {
    TAreaIntegrand area;
    const NodePtr one = K(1);
    switch (surface.kind) {
        case kind::kSurface:
            area.tree = MakeLength3(surface.Tree(5), surface.Tree(6), one.get());
            break;
        case kind::kPolarSurface: {
            // r sqrt(f_r^2 + (f_t / r)^2 + 1) as sqrt((r f_r)^2 + f_t^2 + r^2): the same
            // element, but defined at the centre r = 0 where the disk of a surface starts.
            const NodePtr r = Leaf(op::kVarR);
            const NodePtr rfr = Mul(Leaf(op::kVarR), Cp(surface.Tree(5)));
            area.tree = MakeLength3(rfr.get(), surface.Tree(6), r.get());
            area.innerSlot = slot::kR;
            area.outerSlot = slot::kT;
            break;
        }
        case kind::kParametricSurface: {
            const NodeVec3 n = SurfaceNormal(f, surface);
            area.tree = MakeLength3(n[0].get(), n[1].get(), n[2].get());
            area.innerSlot = slot::kT;
            area.outerSlot = slot::kU;
            break;
        }
        default:
            break;
    }
    return area;
}

}  // namespace quorlin::examples
