#include "examples/operations/integration.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "core/errors.h"
#include "examples/records/compile_support.h"
#include "formula/slot_guard.h"
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

// A subinterval's index. It holds the count plus one, where the loops end, also at the largest
// count a dialog accepts.
using SubintervalIndex = std::int64_t;
static_assert(std::numeric_limits<SubintervalIndex>::max() >
              std::numeric_limits<decltype(TIntegrationAxis::count)>::max());

// Terms and sums from here on are refused: in the window's fixed format they would show as
// numbers of 19 digits and more, which only a pole produces in the sums of a lesson.
constexpr long double kLargestValue = 1e18L;
// How far inside an end the one-sided limit is read, as a part of the interval (at most a
// quarter of a subinterval), and how closely the two readings must agree.
constexpr long double kEndOffset = 1e-9L;
constexpr long double kLimitAgreement = 1e-6L;

// Node i of n, from its index: nodes added up step by step drift (the middle node of [-1, 1] in
// ten becomes -2.7e-20, and a pole there sums to a huge number instead of being refused). The
// last node is exactly the high end.
long double Node(const TIntegrationAxis& axis, SubintervalIndex i) {
    if (i >= axis.count) return axis.high;
    return axis.low + static_cast<long double>(i) * (axis.high - axis.low) / axis.count;
}

// The middle of subinterval i (1..n), from its index as well.
long double Middle(const TIntegrationAxis& axis, SubintervalIndex i) {
    return axis.low + static_cast<long double>(2 * i - 1) * (axis.high - axis.low) /
                          (2 * static_cast<long double>(axis.count));
}

// Whether the sum ends after subinterval i: never after the last one, which completes it.
bool StopAfter(const TIntegrationAxis& axis, SubintervalIndex i, TSumControl& control) {
    return i < axis.count && control.Stop();
}

// The integrand of one sum, compiled where the sum starts and dropped with it.
class TIntegrand {
public:
    TIntegrand(FormulaContext& f, TExprNode& tree, int slotIndex)
        : f_(f), program_(f, &tree), slot_(slotIndex) {}
    // The integrand at x: 0, or kErrUndefinedIntegrand where it is undefined or too large.
    int At(long double x, long double& out) const {
        f_.SetVar(slot_, x);
        const bool defined = program_.Evaluate(out) && std::fabs(out) < kLargestValue;
        return defined ? kNoError : kErrUndefinedIntegrand;
    }

private:
    FormulaContext& f_;
    TreeProgram program_;
    int slot_;
};

// The value at an end of the interval, or its one-sided limit where the integrand is undefined
// only there. An end without a limit keeps the error of the end itself.
template <class ValueAt>
int EndValue(ValueAt&& at, const TIntegrationAxis& axis, bool lowEnd, long double& out) {
    const int error = at(lowEnd ? axis.low : axis.high, out);
    if (error == kNoError) return kNoError;
    const auto defined = [&at](long double x, long double& v) { return at(x, v) == kNoError; };
    return OneSidedLimit(defined, axis, lowEnd, out) ? kNoError : error;
}

// 0 when every sum shows in the window's format, else kErrUndefinedIntegrand.
int CheckSums(std::span<const long double> sums) {
    const bool shown = std::all_of(sums.begin(), sums.end(),
                                   [](long double s) { return std::fabs(s) < kLargestValue; });
    return shown ? kNoError : kErrUndefinedIntegrand;
}

// The composite Simpson sum over the axis of a value function (0 or an error number).
template <class ValueAt>
int SimpsonOver(ValueAt&& at, const TIntegrationAxis& axis, TSumControl& control,
                long double& out) {
    long double f0 = 0, last = 0;
    if (const int error = EndValue(at, axis, true, f0)) return error;
    if (const int error = EndValue(at, axis, false, last)) return error;
    long double sum = 0;
    int result = kNoError;
    for (SubintervalIndex i = 1; i <= axis.count; ++i) {
        long double fm = 0, f1 = last;
        if (const int error = at(Middle(axis, i), fm)) return error;
        if (i < axis.count)
            if (const int error = at(Node(axis, i), f1)) return error;
        sum += f0 + 4 * fm + f1;
        f0 = f1;
        if (StopAfter(axis, i, control)) {
            result = kKeyStop;
            break;
        }
    }
    out = sum * (axis.high - axis.low) / axis.count / 6;
    return result == kNoError ? CheckSums({&out, 1}) : result;
}

int SimpsonOf(const TIntegrand& integrand, const TIntegrationAxis& axis, TSumControl& control,
              long double& out) {
    return SimpsonOver([&integrand](long double x, long double& v) { return integrand.At(x, v); },
                       axis, control, out);
}

}  // namespace

bool OneSidedLimit(const std::function<bool(long double x, long double& y)>& at,
                   const TIntegrationAxis& axis, bool lowEnd, long double& out) {
    const long double end = lowEnd ? axis.low : axis.high;
    const long double width = axis.high - axis.low;
    const long double offset = std::min(width * kEndOffset, width / std::max(axis.count, 1) / 4);
    const long double inward = lowEnd ? offset : -offset;
    long double near = 0, far = 0;
    if (!at(end + inward, near) || !at(end + 2 * inward, far)) return false;
    if (std::fabs(near - far) > kLimitAgreement * std::max(1.0L, std::fabs(near))) return false;
    out = 2 * near - far;  // the line through both readings, at the end
    return true;
}

int RiemannSums(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                const std::function<long double()>& random01, TSumControl& control, TSums& out) {
    if (axis.count < 1) return kErrOutOfBounds;
    const TSlotGuard guard(f, {axis.slot});
    const TIntegrand integrand(f, tree, axis.slot);
    const auto at = [&integrand](long double x, long double& v) { return integrand.At(x, v); };
    const long double h = (axis.high - axis.low) / axis.count;
    TSums sums{};
    long double f0 = 0, last = 0;
    if (const int error = EndValue(at, axis, true, f0)) return error;
    if (const int error = EndValue(at, axis, false, last)) return error;
    int result = kNoError;
    for (SubintervalIndex i = 1; i <= axis.count; ++i) {
        const long double r = Node(axis, i - 1) + h * random01();
        long double f1 = last, fm = 0, fr = 0;
        if (i < axis.count)
            if (const int error = at(Node(axis, i), f1)) return error;
        if (const int error = at(r, fr)) return error;
        if (const int error = at(Middle(axis, i), fm)) return error;
        SumOf(sums, SumRule::Left) += f0;
        SumOf(sums, SumRule::Midpoint) += fm;
        SumOf(sums, SumRule::Right) += f1;
        SumOf(sums, SumRule::Trapezoid) += f0 + f1;
        SumOf(sums, SumRule::Simpson) += f0 + 4 * fm + f1;
        SumOf(sums, SumRule::Random) += fr;
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
    if (result == kNoError)
        if (const int error = CheckSums(sums)) return error;
    out = sums;
    return result;
}

int SimpsonIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                    TSumControl& control, long double& out) {
    if (axis.count < 1) return kErrOutOfBounds;
    const TSlotGuard guard(f, {axis.slot});
    return SimpsonOf(TIntegrand(f, tree, axis.slot), axis, control, out);
}

int DoubleIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& inner,
                   const TIntegrationAxis& outer, TSumControl& control, long double& out) {
    if (inner.count < 1 || outer.count < 1) return kErrOutOfBounds;
    const TSlotGuard guard(f, {outer.slot, inner.slot});
    // One program for every inner integral: the outer variable is read where it stands.
    const TIntegrand integrand(f, tree, inner.slot);
    // The inner integral with the outer variable at y.
    const auto innerAt = [&](long double y, long double& g) {
        f.SetVar(outer.slot, y);
        return SimpsonOf(integrand, inner, control, g);
    };
    return SimpsonOver(innerAt, outer, control, out);
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
