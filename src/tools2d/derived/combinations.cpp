#include "tools2d/derived/combinations.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "core/errors.h"
#include "examples/records/derivation.h"
#include "formula/tree_builders.h"

namespace quorlin::tools2d {

namespace k = examples::kind;
namespace d = examples::derived;
using examples::TExample;
using examples::TExampleCompiler;
using examples::TInventory;

namespace {

constexpr int kPlaneKinds[] = {k::kExplicit, k::kPolar,    k::kParametric, k::kSystem,
                               k::kSlope,    k::kSequence, k::kComplexMap, k::kPlaneMap};
constexpr int kSpaceKinds[] = {k::kSurface,    k::kPolarSurface,    k::kParametricSurface,
                               k::kSpaceCurve, k::kSpaceSystem,     k::kSpaceSequence,
                               k::kPlane,      k::kSphericalSurface};
// Below this width two ranges have nothing in common.
constexpr long double kEmptyRange = 1e-13L;

// The trees that hold a kind's own formulas, combined one by one; 0 ends a row.
struct TCombinedTree {
    int tree;
    std::array<int, 8> kinds;
};
constexpr TCombinedTree kCombinedTrees[] = {
    {1,
     {k::kParametric, k::kSystem, k::kSequence, k::kSpaceCurve, k::kSpaceSystem, k::kSpaceSequence,
      k::kComplexMap, k::kPlaneMap}},
    {2,
     {k::kExplicit, k::kParametric, k::kSystem, k::kSequence, k::kSpaceCurve, k::kSpaceSystem,
      k::kSpaceSequence, k::kPlaneMap}},
    {3,
     {k::kPolar, k::kImplicit, k::kSlope, k::kSurface, k::kSpaceCurve, k::kSpaceSystem,
      k::kSpaceSequence}},
    {4, {k::kImplicitSurface}},
};

bool CombinesTree(int kind, int tree) {
    return std::ranges::any_of(kCombinedTrees, [&](const TCombinedTree& row) {
        return row.tree == tree && std::ranges::find(row.kinds, kind) != row.kinds.end();
    });
}

bool CombinesAnyTree(int kind) {
    return std::ranges::any_of(
        kCombinedTrees, [&](const TCombinedTree& row) { return CombinesTree(kind, row.tree); });
}

bool IsField(int kind) {
    return kind == k::kSystem || kind == k::kSpaceSystem;
}

bool IsMap(int kind) {
    return kind == k::kComplexMap || kind == k::kPlaneMap;
}

// A map (f) applied to a parametric curve (g) gives a curve: the curve is the example's source.
bool MapOnCurve(int code, int k1, int k2) {
    return code == d::kComposition && IsMap(k1) && k2 == k::kParametric;
}

// op(u, v) of copies; null when either is.
NodePtr Binary(int op, const TExprNode* u, const TExprNode* v) {
    if (!u || !v) return nullptr;
    return TExprNode::NewBinary(op, TExprNode::CopyTree(u), TExprNode::CopyTree(v));
}

// A copy of the tree with X and Y replaced at once by copies of x and y. Each goes through a
// placeholder that is no letter, so a replacement holding X or Y is not replaced again and the
// letters of the animation parameters stay what they are.
NodePtr SubstitutedXY(const TExprNode* tree, const TExprNode* x, const TExprNode* y) {
    if (!tree || !x || !y) return nullptr;
    NodePtr result = TExprNode::CopyTree(tree);
    TExprNode::SubstituteVarByOp(result.get(), op::kVarX, op::kPlaceholder1);
    TExprNode::SubstituteVarByOp(result.get(), op::kVarY, op::kPlaceholder2);
    TExprNode::SubstituteVar(result, op::kPlaceholder1, *x);
    TExprNode::SubstituteVar(result, op::kPlaceholder2, *y);
    return result;
}

NodePtr Substituted(const TExprNode* tree, int variable, const TExprNode* replacement) {
    if (!tree || !replacement) return nullptr;
    return TExprNode::MakeSubstituted(tree, variable, *replacement);
}

// The parents of example k when both are examples before it.
struct TOperands {
    TExample& e;
    const TExample& f;
    const TExample& g;
};
std::optional<TOperands> OperandsOf(TInventory& inventory, int k) {
    if (!inventory.IsIndex(k)) return std::nullopt;
    TExample& e = inventory[k];
    const int f = e.parent[0], g = e.parent[1];
    if (!inventory.IsIndex(f) || !inventory.IsIndex(g) || f >= k || g >= k) return std::nullopt;
    return TOperands{e, inventory[f], inventory[g]};
}

// The range both parents share, from the source's pairs; with nothing in common [0, 1] and the
// example hidden. A range the example reads from a text keeps these ends (the walk evaluates
// the compiled ends again after each rebuild).
void SetCommonRange(TInventory& inventory, int k, const TExample& source, const TExample& other) {
    TExample& e = inventory[k];
    e.rangeLow = source.rangeLow;
    e.rangeHigh = source.rangeHigh;
    e.rangeLow[0] = std::max(source.rangeLow[0], other.rangeLow[0]);
    e.rangeHigh[0] = std::min(source.rangeHigh[0], other.rangeHigh[0]);
    if (!(e.rangeHigh[0] >= e.rangeLow[0] + kEmptyRange)) {
        e.rangeLow[0] = 0;
        e.rangeHigh[0] = 1;
        e.graphShown = 0;
    }
    if (e.HasRangeText() && !e.periodic) {
        examples::TInventoryEntry& entry = inventory.Entry(k);
        entry.rangeLow = TExprNode::NewConst(e.rangeLow[0]);
        entry.rangeHigh = TExprNode::NewConst(e.rangeHigh[0]);
    }
}

// What every builder does after the trees: the kind's derived trees as compiling its texts
// makes them (a combined example has no texts of its own), then the range.
bool Finish(TDeriveContext& context, int k, const TOperands& o) {
    TExampleCompiler& compiler = context.compiler;
    TInventory& inventory = context.inventory;
    TExample& e = o.e;
    if (e.kind == k::kExplicit) e.Tree(1) = TExprNode::NewOp(op::kVarX);
    compiler.CompileCurveData(k);
    compiler.CompilePartials(k);
    const bool curve = e.kind == k::kExplicit || e.kind == k::kPolar || e.kind == k::kParametric ||
                       e.kind == k::kSpaceCurve;
    if (curve && e.Tree(5) && e.Tree(6)) compiler.CompileCurvature(k);
    if (e.kind == k::kSurface) inventory.SubstituteXYZ(k);
    if (MapOnCurve(o.e.derivation, o.f.kind, o.g.kind)) {
        // The curve keeps its own parameter range: the map has none of its own.
        SetCommonRange(inventory, k, o.g, o.g);
    } else {
        SetCommonRange(inventory, k, o.f, o.g);
    }
    return true;
}

}  // namespace

bool BuildArithmeticExample(TDeriveContext& context, int k) {
    const std::optional<TOperands> o = OperandsOf(context.inventory, k);
    if (!o || !CombinesAnyTree(o->e.kind) || o->f.kind != o->g.kind) return false;
    for (const TCombinedTree& row : kCombinedTrees)
        if (CombinesTree(o->e.kind, row.tree))
            o->e.Tree(row.tree) = Binary(o->e.derivation, o->f.Tree(row.tree), o->g.Tree(row.tree));
    return Finish(context, k, *o);
}

// F(x(t) + i y(t)) for a complex map F(z): its real and imaginary parts.
void ApplyComplexMap(TExample& e, const TExprNode* map, const TExprNode* x, const TExprNode* y) {
    e.Tree(1).reset();
    e.Tree(2).reset();
    if (!map || !x || !y) return;
    const NodePtr z = TExprNode::NewBinary(
        op::kPlus, TExprNode::CopyTree(x),
        TExprNode::NewBinary(op::kTimes, TExprNode::NewConst(0, 1), TExprNode::CopyTree(y)));
    const NodePtr image = Substituted(map, op::kVarZLetter, z.get());
    e.Tree(1) = TExprNode::NewUnary(op::kRe, TExprNode::CopyTree(image.get()));
    e.Tree(2) = TExprNode::NewUnary(op::kIm, TExprNode::CopyTree(image.get()));
}

bool BuildCompositionExample(TDeriveContext& context, int k) {
    const std::optional<TOperands> o = OperandsOf(context.inventory, k);
    if (!o) return false;
    TExample& e = o->e;
    const TExample& f = o->f;
    const TExample& g = o->g;
    if (MapOnCurve(e.derivation, f.kind, g.kind) && e.kind == k::kParametric) {
        if (f.kind == k::kPlaneMap) {
            e.Tree(1) = SubstitutedXY(f.Tree(1), g.Tree(1), g.Tree(2));
            e.Tree(2) = SubstitutedXY(f.Tree(2), g.Tree(1), g.Tree(2));
        } else {
            ApplyComplexMap(e, f.Tree(1), g.Tree(1), g.Tree(2));
        }
    } else if (e.kind == k::kExplicit && f.kind == g.kind) {
        e.Tree(2) = Substituted(f.Tree(2), op::kVarX, g.Tree(2));
    } else if (e.kind == k::kComplexMap && f.kind == g.kind) {
        e.Tree(1) = Substituted(f.Tree(1), op::kVarZLetter, g.Tree(1));
    } else if (e.kind == k::kPlaneMap && f.kind == g.kind) {
        NodePtr u = SubstitutedXY(f.Tree(1), g.Tree(1), g.Tree(2));
        e.Tree(2) = SubstitutedXY(f.Tree(2), g.Tree(1), g.Tree(2));
        e.Tree(1) = std::move(u);
    } else {
        return false;
    }
    return Finish(context, k, *o);
}

bool BuildProjectionExample(TDeriveContext& context, int k) {
    const std::optional<TOperands> o = OperandsOf(context.inventory, k);
    if (!o || !IsField(o->f.kind) || o->f.kind != o->g.kind) return false;
    const TExample& f = o->f;
    const TExample& g = o->g;
    const bool space = f.kind == k::kSpaceSystem;
    NodePtr fg, gg;
    if (space) {
        const TreeVec3 fv{f.Tree(1), f.Tree(2), f.Tree(3)}, gv{g.Tree(1), g.Tree(2), g.Tree(3)};
        if (std::ranges::find(fv, nullptr) == fv.end() &&
            std::ranges::find(gv, nullptr) == gv.end()) {
            fg = MakeDotProduct3(fv, gv);
            gg = MakeDotProduct3(gv, gv);
        }
    } else {
        fg = MakeSumOfProducts(f.Tree(1), g.Tree(1), f.Tree(2), g.Tree(2));
        gg = MakeSumOfProducts(g.Tree(1), g.Tree(1), g.Tree(2), g.Tree(2));
    }
    // g . g = 0 divides by zero: the parts are undefined where g vanishes.
    const NodePtr q = fg && gg ? MakeQuotient(fg.get(), gg.get()) : nullptr;
    const bool along = o->e.derivation == d::kProjection;
    for (int i = 1; i <= (space ? 3 : 2); ++i) {
        NodePtr part = Binary(op::kTimes, q.get(), g.Tree(i));
        o->e.Tree(i) = along ? std::move(part) : Binary(op::kMinus, f.Tree(i), part.get());
    }
    return Finish(context, k, *o);
}

bool BuildCrossProductExample(TDeriveContext& context, int k) {
    const std::optional<TOperands> o = OperandsOf(context.inventory, k);
    if (!o || o->f.kind != o->g.kind) return false;
    const TreeVec3 fv{o->f.Tree(1), o->f.Tree(2), o->f.Tree(3)};
    const TreeVec3 gv{o->g.Tree(1), o->g.Tree(2), o->g.Tree(3)};
    const bool whole =
        std::ranges::find(fv, nullptr) == fv.end() && std::ranges::find(gv, nullptr) == gv.end();
    NodeVec3 cross = whole ? MakeCrossProduct3(fv, gv) : NodeVec3{};
    for (int i = 0; i < 3; ++i) o->e.Tree(i + 1) = std::move(cross[static_cast<std::size_t>(i)]);
    return Finish(context, k, *o);
}

bool IsCombinationCode(int code) {
    return std::ranges::find(kCombinationCodes, code) != std::end(kCombinationCodes);
}

std::span<const int> CombinationKinds(int dimension) {
    if (dimension >= 3) return kSpaceKinds;
    return kPlaneKinds;
}

bool CombineButtonEnabled(int button, int k1, int k2, int dimension) {
    const bool space = dimension >= 3;
    switch (button) {
        case combine::kPlus:
        case combine::kMinus:
        case combine::kTimes:
            return k1 == k2 && CombinesAnyTree(k1);
        case combine::kDivide:
        case combine::kPower:
            if (k1 != k2) return false;
            return space ? k1 == k::kSpaceSystem : k1 != k::kParametric && k1 != k::kSequence;
        case combine::kCompose: {
            static constexpr std::pair<int, int> kPairs[] = {{k::kExplicit, k::kExplicit},
                                                             {k::kSpaceSystem, k::kSpaceSystem},
                                                             {k::kSpaceSequence, k::kSpaceSequence},
                                                             {k::kComplexMap, k::kParametric},
                                                             {k::kComplexMap, k::kComplexMap},
                                                             {k::kPlaneMap, k::kParametric},
                                                             {k::kPlaneMap, k::kPlaneMap}};
            return std::ranges::find(kPairs, std::pair{k1, k2}) != std::end(kPairs);
        }
        default:
            return false;
    }
}

std::string CombineButtonLabel(int button, int k1, int k2, int dimension) {
    const bool fields = IsField(k1) && k1 == k2;
    switch (button) {
        case combine::kPlus:
            return "f + g";
        case combine::kMinus:
            return "f - g";
        case combine::kTimes:
            return "f * g";
        case combine::kDivide:
            return fields ? "f proj g" : "f / g";
        case combine::kPower:
            return fields ? "f perp g" : "f ^ g";
        case combine::kCompose:
            return dimension >= 3 ? "f X g" : "f <-- g";
        default:
            return {};
    }
}

int CombinationCode(int button, int k1) {
    switch (button) {
        case combine::kPlus:
            return d::kSum;
        case combine::kMinus:
            return d::kDifference;
        case combine::kTimes:
            return d::kProduct;
        case combine::kDivide:
            return IsField(k1) ? d::kProjection : d::kQuotient;
        case combine::kPower:
            return IsField(k1) ? d::kPerpendicular : d::kPower;
        case combine::kCompose:
            return k1 == k::kSpaceSystem || k1 == k::kSpaceSequence ? 142 : d::kComposition;
        default:
            return 0;
    }
}

int AppendCombination(TDeriveContext& context, int code, int f, int g) {
    TInventory& inventory = context.inventory;
    if (!inventory.HasRoom()) return -kErrNoMoreRoom;
    if (!inventory.IsIndex(f) || !inventory.IsIndex(g) || !IsCombinationCode(code))
        return -kErrInconsistentData;
    const bool onCurve = MapOnCurve(code, inventory[f].kind, inventory[g].kind);
    const TExample& source = inventory[onCurve ? g : f];
    TExample e;
    e.InitCopy(source, true);
    e.kind = source.kind;
    e.FreeTrajectories();
    e.FreeMarkedPoints();
    if (source.kind == k::kExplicit) {
        // Drawn over the range both parents are locked to, when either is.
        e.ClearOptionBytes();
        e.lockInterval = inventory[f].lockInterval || inventory[g].lockInterval;
    }
    // The built trees are Cartesian already.
    if (source.kind == k::kParametric) e.PolarCurve() = 0;
    e.derivation = static_cast<std::uint16_t>(code);
    e.parent = {static_cast<std::int16_t>(f), static_cast<std::int16_t>(g)};
    const int i = inventory.Append(std::move(e));
    if (i < 0) return -kErrNoMoreRoom;
    if (!RebuildToolExample(context, i).value_or(false)) {
        inventory.RemoveLast();
        return -kErrInconsistentData;
    }
    context.compiler.EvaluateRanges(i);
    context.compiler.MarkSymbolsOfExample(i);
    return i;
}

}  // namespace quorlin::tools2d
