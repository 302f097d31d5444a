// Integrands of the volume tools: cylindrical shells about a vertical axis x = a and washers
// about a horizontal axis y = a, for the region between two explicit curves f (upper) and g
// (lower). Integrated over x, each gives the volume of the solid of revolution.
#include <cmath>
#include <numbers>

#include "formula/formula_context.h"
#include "formula/simplify.h"
#include "formula/tree_builders.h"

namespace quorlin {

namespace {

using namespace algebra;

constexpr long double kNoShift = 1e-13L;
constexpr long double kTwoPi = 2.0L * std::numbers::pi_v<long double>;

NodePtr Cp(const TExprNode* t) {
    return TExprNode::CopyTree(t);
}

// The curve seen from the axis x = a: h(X + a), JOIN boundaries moved along.
NodePtr ShiftedToAxis(const TExprNode* h, long double a) {
    NodePtr shifted = Cp(h);
    if (std::fabs(a) > kNoShift) TExprNode::ShiftVar(shifted, op::kVarX, -a);
    return shifted;
}

// h(-X) as a bound node that evaluates h with X set to -X, so JOIN pieces mirror too.
NodePtr Mirrored(const TExprNode& h) {
    const NodePtr minusX = Negation(Var(op::kVarX));
    return MakeBound(minusX.get(), &h, slot::kX, 'M');
}

NodePtr Max(NodePtr a, NodePtr b) {
    return Call2(op::kMax, std::move(a), std::move(b));
}

NodePtr Min(NodePtr a, NodePtr b) {
    return Call2(op::kMin, std::move(a), std::move(b));
}

NodePtr Height(const TExprNode& top, const TExprNode& bottom) {
    return Difference(Cp(&top), Cp(&bottom));
}

}  // namespace

void FormulaContext::BuildShellIntegrand(NodePtr& out, const TExprNode* f, const TExprNode* g,
                                         long double a, bool overlap) {
    out.reset();
    if (!f || !g) return;
    const NodePtr upper = ShiftedToAxis(f, a);
    const NodePtr lower = ShiftedToAxis(g, a);
    NodePtr height = Height(*upper, *lower);
    if (overlap) {
        // Where the region straddles the axis, the segments at X and -X sweep the same shell:
        // its height is the length of their union, the sum less the overlap.
        const NodePtr upperMirror = Mirrored(*upper);
        const NodePtr lowerMirror = Mirrored(*lower);
        NodePtr both = Sum(std::move(height), Height(*upperMirror, *lowerMirror));
        NodePtr common = Difference(Min(Cp(upper.get()), Cp(upperMirror.get())),
                                    Max(Cp(lower.get()), Cp(lowerMirror.get())));
        height = Difference(std::move(both), Max(Const(0.0L), std::move(common)));
    }
    out = Product(Product(Const(kTwoPi), algebra::Var(op::kVarX)), std::move(height));
}

void FormulaContext::BuildWasherIntegrand(NodePtr& out, const TExprNode* f, const TExprNode* g,
                                          long double a) {
    out.reset();
    if (!f || !g) return;
    auto fromAxis = [a](const TExprNode* h) { return Difference(Cp(h), Const(a)); };
    auto toAxis = [a](const TExprNode* h) { return Difference(Const(a), Cp(h)); };
    // Outer radius: the farther boundary; inner: the nearer one, 0 when the axis lies inside.
    NodePtr outer = Max(fromAxis(f), toAxis(g));
    NodePtr inner = Max(Const(0.0L), Max(toAxis(f), fromAxis(g)));
    NodePtr area = Difference(Square(std::move(outer)), Square(std::move(inner)));
    out = Product(Const(std::numbers::pi_v<long double>), std::move(area));
}

}  // namespace quorlin
