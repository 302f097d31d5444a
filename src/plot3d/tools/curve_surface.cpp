#include "plot3d/tools/curve_surface.h"

#include <cmath>

#include "examples/records/compile_support.h"
#include "formula/root_finder.h"
#include "formula/slot_guard.h"
#include "plot3d/picking/surface_pick.h"

namespace quorlin::plot3d {

namespace {

namespace k = examples::kind;
using examples::compile_support::Cp;
using examples::compile_support::Leaf;
using examples::compile_support::Sub;

constexpr long double kRelativeRootTolerance = 1e-16L;

// How each surface kind gives its g(x, y, z).
struct TSurfaceFunctionRow {
    int kind;
    NodePtr (*build)(const examples::TExampleCompiler&, const examples::TExample&, int);
};

constexpr TSurfaceFunctionRow kSurfaceFunctions[] = {
    {k::kSurface, [](const examples::TExampleCompiler&, const examples::TExample& e,
                     int) { return Sub(Leaf(op::kVarZLetter), Cp(e.Tree(3))); }},
    {k::kImplicitSurface, [](const examples::TExampleCompiler&, const examples::TExample& e,
                             int) { return Cp(e.Tree(4)); }},
    {k::kPlane,
     [](const examples::TExampleCompiler& compiler, const examples::TExample&, int i) {
         int axis = 0;  // the implicit form a x + b y + c z + d
         return compiler.PlaneEquationTree(i, axis);
     }},
};

}  // namespace

NodePtr SurfaceFunction(const examples::TExampleCompiler& compiler,
                        const examples::TInventory& inventory, int i) {
    if (!inventory.IsIndex(i)) return nullptr;
    const examples::TExample& e = inventory[i];
    for (const TSurfaceFunctionRow& row : kSurfaceFunctions)
        if (row.kind == e.kind) return row.build(compiler, e, i);
    return nullptr;
}

std::optional<TCurveSurfacePoint> TCurveSurfaceSearch::Next(FormulaContext& f,
                                                            const TCurveSurfaceProblem& p) {
    if (!p.surface) return std::nullopt;
    for (TExprNode* component : p.curve)
        if (!component) return std::nullopt;
    const long double length = p.tHigh - p.tLow;
    // An empty or inverted range, or one without finite ends, has nothing to scan.
    if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
    NodePtr h = Cp(p.surface);
    // X and Y through placeholders, so that letters the components bring are not replaced.
    TExprNode::RenameOp(h.get(), op::kVarX, op::kPlaceholder1);
    TExprNode::RenameOp(h.get(), op::kVarY, op::kPlaceholder2);
    TExprNode::SubstituteVar(h, op::kVarZLetter, *p.curve[2]);
    TExprNode::SubstituteVar(h, op::kPlaceholder1, *p.curve[0]);
    TExprNode::SubstituteVar(h, op::kPlaceholder2, *p.curve[1]);
    const TSlotGuard guard(f, {slot::kT});
    const std::optional<long double> t = ScanForRoot(f, *h, p.tLow, length / kSubintervals);
    if (!t) return std::nullopt;
    std::array<long double, 3> xyz{};
    for (std::size_t c = 0; c < 3; ++c)
        if (!f.EvalAtReal(*p.curve[c], slot::kT, *t, xyz[c])) return std::nullopt;
    const TCurveSurfacePoint found{*t, {xyz[0], xyz[1], xyz[2]}};
    if (p.inBox && !p.inBox(found.at)) return std::nullopt;
    return found;
}

std::optional<long double> TCurveSurfaceSearch::ScanForRoot(FormulaContext& f, TExprNode& h,
                                                            long double low, long double step) {
    const RootToleranceScope tolerance(f, kRelativeRootTolerance * step * kSubintervals);
    for (int tried = 0; tried < kSubintervals; ++tried) {
        const long double a = low + step * next_;
        const long double b = a + step;
        next_ = (next_ + 1) % kSubintervals;
        long double root = 0;
        const int code = f.FindRootInInterval(h, slot::kT, a, root, b);
        if (code == rootfind::kFound) return root;
        // A zero right on a subinterval's end belongs to the subinterval it starts, so that
        // it is found once, not by both neighbours.
        if (code == rootfind::kEndTouch && root < b) return root;
    }
    return std::nullopt;
}

}  // namespace quorlin::plot3d
