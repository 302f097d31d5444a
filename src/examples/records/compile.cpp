#include "examples/records/compile.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

#include "examples/records/compile_support.h"
#include "examples/records/derivation.h"
#include "examples/records/record_validator.h"
#include "formula/tree_builders.h"

namespace quorlin::examples {

using namespace compile_support;

// --- options ---------------------------------------------------------------------------------

std::uint8_t TCompileOptions::Pack() const {
    std::uint8_t mask = 0;
    for (int k = 0; k < kCount; ++k)
        if (bytes[k]) mask |= static_cast<std::uint8_t>(1u << k);
    return mask;
}

void TCompileOptions::Unpack(std::uint8_t mask) {
    firstOption = 0;
    for (int k = 0; k < kCount; ++k) {
        bytes[k] = (mask >> k) & 1u;
        if (bytes[k] && firstOption == 0 && k < 6) firstOption = k + 1;
    }
}

// --- helpers of the window level -------------------------------------------------------------

std::optional<std::string> EditableText(const TExample& e, int textNumber) {
    if (e.derivation > 0 && e.derivation != derived::kPlotPoints) return std::nullopt;
    return e.Text(textNumber);
}

std::vector<int> PointExampleIndexes(const TInventory& inventory) {
    std::vector<int> indexes;
    for (int i = 0; i < inventory.Count(); ++i)
        if (inventory[i].kind == kind::kPoint || inventory[i].kind == kind::kSpacePoint)
            indexes.push_back(i);
    return indexes;
}

// --- parsing ---------------------------------------------------------------------------------

NodePtr TExampleCompiler::Parsed(std::string_view text) {
    // An empty text leaves the engine's previous result in place: it must not be taken.
    if (ctx_.Parse(text) != 0) return nullptr;
    return ctx_.TakeParseResult();
}

template <typename Step>
bool TExampleCompiler::WithinBudget(Step&& step) {
    WorkBudget alone(kCompileWork);
    const FormulaContext::BudgetScope scope(ctx_,
                                            compileWork_.budget ? *compileWork_.budget : alone);
    try {
        step();
        return true;
    } catch (const WorkBudget::Exhausted&) {
        // Past the example's budget every further step fails at once.
        compileWork_.exhausted = true;
        return false;
    }
}

NodePtr TExampleCompiler::Derivative(const TExprNode* tree, int variableOp) {
    NodePtr result;
    if (!WithinBudget([&] { ctx_.Differentiate(tree, variableOp, result); })) return nullptr;
    return result;
}

void TExampleCompiler::Simplified(NodePtr& tree) {
    WithinBudget([&] { ctx_.Simplify(tree); });  // past the budget the tree stays as built
}

// The work budget of one example's compilation; the derivatives of an example past it are
// dropped, whatever was taken before the budget ran out.
TExampleCompiler::WorkScope::WorkScope(TExampleCompiler& compiler, TExample& example)
    : compiler_(compiler),
      example_(example),
      budget_(kCompileWork),
      saved_(std::exchange(compiler.compileWork_, {&budget_, false})) {}

TExampleCompiler::WorkScope::~WorkScope() {
    example_.overBudget = compiler_.compileWork_.exhausted;
    if (example_.overBudget) DropDerivativeTrees(example_);
    compiler_.compileWork_ = saved_;
}

void TExampleCompiler::DropDerivativeTrees(TExample& e) {
    // Trees 5-7 hold the derivatives (4-7 of a plane map, and tree 4 of a curve its curvature,
    // made from them); an implicit curve keeps its tree 7.
    const bool curve = e.kind == kind::kExplicit || e.kind == kind::kPolar ||
                       e.kind == kind::kParametric || e.kind == kind::kSpaceCurve;
    if (e.kind == kind::kPlaneMap || curve) e.Tree(4).reset();
    e.Tree(5).reset();
    e.Tree(6).reset();
    if (e.kind != kind::kImplicit) e.Tree(7).reset();
}

int TExampleCompiler::ParseList(std::string_view text, int n, NodePtr* slot1, NodePtr* slot2,
                                NodePtr* slot3) {
    NodePtr* const slots[3] = {slot1, slot2, slot3};
    const std::vector<std::string_view> fields = SplitTopLevel(text, ',');
    for (int k = 0; k < std::clamp(n, 0, 3); ++k) {
        const std::string_view field =
            k < static_cast<int>(fields.size()) ? fields[k] : std::string_view{};
        if (const int error = ctx_.Parse(field)) return error;
        if (slots[k]) *slots[k] = ctx_.TakeParseResult();
    }
    return 0;
}

int TExampleCompiler::ParseVector3(std::string_view text, TExprNode& node) {
    TExprNode::Init(node, op::kVector3);
    return ParseList(text, 3, &node.child[0], &node.child[1], &node.child[2]);
}

// --- compilation -----------------------------------------------------------------------------

void TExampleCompiler::CompileExample(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    const WorkScope work(*this, e);
    switch (e.kind) {
        case kind::kHigherOrder:
            e.Tree(3) = Parsed(e.Text(3));
            MarkSymbolsOfExample(i);
            return;
        case kind::kIntrinsic:
            for (int k = 1; k <= 5; ++k) e.Tree(k).reset();
            e.Tree(1) = Parsed(e.Text(1));
            ParseList(e.Text(5), 2, &e.Tree(2), &e.Tree(3));
            ParseList(e.Text(6), 2, &e.Tree(4), &e.Tree(5));
            MarkSymbolsOfExample(i);
            return;
        case kind::kSpaceIntrinsic: {
            e.Tree(1) = Parsed(e.Text(1));
            e.Tree(2) = Parsed(e.Text(2));
            // Texts 5-7 are the start point, tangent and normal, each three numbers "x,y,z": one
            // vector node of three vectors. A text that does not read leaves its vector out, so
            // the curve is undefined rather than started from a wrong frame.
            NodePtr frame = TExprNode::NewOp(op::kVector3);
            for (int k = 0; k < 3; ++k) {
                NodePtr vector = TExprNode::NewOp(op::kVector3);
                if (ParseVector3(e.Text(5 + k), *vector) == 0) frame->child[k] = std::move(vector);
            }
            e.Tree(3) = std::move(frame);
            MarkSymbolsOfExample(i);
            return;
        }
        default:
            break;
    }
    for (int k = 1; k <= 4; ++k) e.Tree(k).reset();
    ParseKindTexts(i);
    CompileCurveData(i);
    const bool revolution = e.kind == kind::kRevolution;
    const bool implicitRevolution = revolution && e.subKind == kind::kImplicit;
    if (implicitRevolution) {
        e.Tree(4) = Parsed(e.Text(4));
        BuildImplicitRevolution(e);
    } else if (revolution) {
        BuildRevolution(i);
    }
    if (e.kind == kind::kSegment) {
        CompileSegment(i);
    } else if (e.kind == kind::kLine) {
        CompileLine(i);
    } else {
        CompilePartials(i);
    }
    if (e.kind == kind::kSurface || e.kind == kind::kImplicitSurface || implicitRevolution)
        inventory_.SubstituteXYZ(i);
    const bool curve = e.kind == kind::kExplicit || e.kind == kind::kPolar ||
                       e.kind == kind::kParametric || e.kind == kind::kSpaceCurve;
    if (curve && ctx_.derivativesOn) CompileCurvature(i);
    if (e.kind == kind::kTube) BuildTube(e);
    if (e.kind == kind::kPlane && e.derivation != derived::kTangentPlane) {
        for (int k = 5; k <= 7; ++k) e.Tree(k).reset();
        ParseList(e.Text(4), 3, &e.Tree(5), &e.Tree(6), &e.Tree(7));
        BuildPlane(e);
    }
    EvaluateRanges(i);
    // The hidden-line test of a cylindrical surface runs once for each turn of its t range.
    if (e.kind == kind::kPolarSurface)
        e.AdditionalTurns() = AdditionalTurnsOf(e.rangeLow[1], e.rangeHigh[1]);
    MarkSymbolsOfExample(i);
}

// Trees 1-4 from texts 1-4, by the kind table.
void TExampleCompiler::ParseKindTexts(int i) {
    TExample& e = inventory_[i];
    const TextUse use = TextsOfKind(e);
    if (e.kind == kind::kExplicit) e.Tree(1) = TExprNode::NewOp(op::kVarX);
    for (int k = 1; k <= 4; ++k)
        if (use.parsed[k - 1]) e.Tree(k) = Parsed(e.Text(k));
    if (e.kind == kind::kExplicit && e.periodic && !e.IsLagrangeExplicit()) CompilePeriodic(e);
}

// Tree 2 of a periodic explicit curve: f repeated with the period of its range text.
void TExampleCompiler::CompilePeriodic(TExample& e) {
    const TRangeTexts range = e.SplitRangeText();
    NodePtr low = Parsed(range.low);
    NodePtr high = Parsed(range.high);
    NodePtr f = std::move(e.Tree(2));
    if (!low || !high || !f) return;
    NodePtr node = TExprNode::NewOp(op::kPeriodic);
    node->child[2] =
        TExprNode::NewBinary(op::kMinus, std::move(high), TExprNode::CopyTree(low.get()));
    node->child[0] = std::move(low);
    node->child[1] = std::move(f);
    e.Tree(2) = std::move(node);
}

void TExampleCompiler::CompileRangeTexts(int i) {
    if (!inventory_.IsIndex(i)) return;
    TInventoryEntry& entry = inventory_.Entry(i);
    const TExample& e = entry.example;
    entry.rangeLow.reset();
    entry.rangeHigh.reset();
    entry.thirdRange.reset();
    if (e.HasRangeText() && !IsPeriodic(e)) {
        const TRangeTexts range = e.SplitRangeText();
        entry.rangeLow = Parsed(range.low);
        entry.rangeHigh = Parsed(range.high);
    }
    if (HasArrowText(e)) entry.thirdRange = Parsed(e.Text(6));
}

void TExampleCompiler::CompileCurveData(int i) {
    if (!inventory_.IsIndex(i)) return;
    CompileRangeTexts(i);
    TExample& e = inventory_[i];
    const bool revolution = e.kind == kind::kRevolution;
    if (e.IsLagrangeExplicit()) BuildLagrangeTree(i);
    if (e.kind == kind::kSurface) e.Tree(4) = Sub(Cp(e.Tree(3).get()), Leaf(op::kVarZLetter));
    if (e.kind == kind::kPolar || (revolution && e.subKind == kind::kPolar)) {
        const NodePtr t = TExprNode::NewOp(op::kVarT);
        NodePair xy = MakePolarXY(e.Tree(3).get(), t.get());
        e.Tree(1) = std::move(xy[0]);
        e.Tree(2) = std::move(xy[1]);
        if (revolution) e.Tree(3).reset();
    }
    const bool parametricProfile =
        e.kind == kind::kParametric || (revolution && e.subKind == kind::kParametric);
    if (parametricProfile && e.PolarCurve()) {
        NodePair xy = MakePolarXY(e.Tree(1).get(), e.Tree(2).get());
        e.Tree(1) = std::move(xy[0]);
        e.Tree(2) = std::move(xy[1]);
    }
    if (e.kind == kind::kParametric) e.Tree(3) = MakeSumOfSquares(e.Tree(1).get(), e.Tree(2).get());
    if (e.kind == kind::kSystem) e.Tree(3) = TExprNode::NewConst(0.0L);
    if (revolution && e.subKind == kind::kExplicit) {
        TExprNode::RenameXToT(e.Tree(2).get());
        e.Tree(1) = TExprNode::NewOp(op::kVarT);
    }
    if (revolution && e.subKind == kind::kSegment) CompileSegmentProfile(e);
    if (e.kind == kind::kSpaceSegment) CompileSpaceSegment(e);
}

// The profile of a surface of revolution swept from a segment: (1 - t) first end + t second,
// in polar form from the ends (r0, t0) and (r1, t1).
void TExampleCompiler::CompileSegmentProfile(TExample& e) {
    NodePtr ends[4];
    for (int k = 0; k < 4; ++k) ends[k] = Parsed(e.Text(k + 1));
    if (e.PolarCurve()) {
        NodePair first = MakePolarXY(ends[0].get(), ends[1].get());
        NodePair second = MakePolarXY(ends[2].get(), ends[3].get());
        e.Tree(1) = MakeLerp(op::kVarT, first[0].get(), second[0].get());
        e.Tree(2) = MakeLerp(op::kVarT, first[1].get(), second[1].get());
    } else {
        e.Tree(1) = MakeLerp(op::kVarT, ends[0].get(), ends[2].get());
        e.Tree(2) = MakeLerp(op::kVarT, ends[1].get(), ends[3].get());
    }
}

// A segment in space from (texts 1, 2, 3) to (texts 4, 6, 7).
void TExampleCompiler::CompileSpaceSegment(TExample& e) {
    constexpr int kPairs[3][2] = {{1, 4}, {2, 6}, {3, 7}};
    for (int k = 0; k < 3; ++k) {
        const NodePtr from = Parsed(e.Text(kPairs[k][0]));
        const NodePtr to = Parsed(e.Text(kPairs[k][1]));
        e.Tree(k + 1) = MakeLerp(op::kVarT, from.get(), to.get());
    }
}

void TExampleCompiler::CompilePartials(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    if (e.kind == kind::kPoint || e.kind == kind::kSpacePoint || e.kind == kind::kPlotPoints ||
        !ctx_.derivativesOn)
        return;
    e.Tree(5).reset();
    e.Tree(6).reset();
    if (e.kind != kind::kImplicit) e.Tree(7).reset();
    auto partials = [&](int source, std::initializer_list<int> variables) {
        int target = 5;
        for (const int v : variables) e.Tree(target++) = Derivative(e.Tree(source).get(), v);
    };
    switch (e.kind) {
        case kind::kExplicit:
            e.Tree(5) = TExprNode::NewConst(1.0L);
            e.Tree(6) = Derivative(e.Tree(2).get(), op::kVarX);
            e.Tree(7) = Derivative(e.Tree(6).get(), op::kVarX);
            break;
        case kind::kPolar:
        case kind::kParametric:
        case kind::kSpaceCurve:
            for (int k = 1; k <= 3; ++k) e.Tree(k + 4) = Derivative(e.Tree(k).get(), op::kVarT);
            break;
        case kind::kImplicit:
        case kind::kSurface:
            partials(3, {op::kVarX, op::kVarY});
            if (e.kind == kind::kSurface) e.Tree(7) = TExprNode::NewConst(-1.0L);
            break;
        case kind::kPolarSurface:
            partials(3, {op::kVarR, op::kVarT});
            break;
        case kind::kImplicitSurface:
            partials(4, {op::kVarX, op::kVarY, op::kVarZLetter});
            break;
        case kind::kRevolution:
            if (e.subKind == kind::kImplicit) partials(4, {op::kVarX, op::kVarY, op::kVarZLetter});
            break;
        case kind::kComplexMap:
            e.Tree(5) = Derivative(e.Tree(1).get(), op::kVarZLetter);
            break;
        case kind::kPlaneMap:  // U's partials into trees 4 and 5, V's into 6 and 7
            for (int k = 0; k < 4; ++k)
                e.Tree(4 + k) = Derivative(e.Tree(1 + k / 2).get(), k % 2 ? op::kVarY : op::kVarX);
            break;
        default:
            break;
    }
}

void TExampleCompiler::CompileSegment(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    if (e.PolarForm() && e.derivation == 0) {
        // A segment given by polar end points: its line passes through their Cartesian forms.
        const NodePair first = MakePolarXY(e.Tree(1).get(), e.Tree(2).get());
        const NodePair second = MakePolarXY(e.Tree(3).get(), e.Tree(4).get());
        e.Tree(7) =
            MakeLineThroughPoints(first[0].get(), first[1].get(), second[0].get(), second[1].get());
    } else {
        e.Tree(7) = MakeLineThroughPoints(e.Tree(1).get(), e.Tree(2).get(), e.Tree(3).get(),
                                          e.Tree(4).get());
    }
    Simplified(e.Tree(7));
    e.Tree(6) = Derivative(e.Tree(7).get(), op::kVarX);
    Simplified(e.Tree(6));
}

void TExampleCompiler::CompileLine(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    e.Tree(7) = MakeLineY(e.Tree(1).get(), e.Tree(2).get(), e.Tree(3).get());
    Simplified(e.Tree(7));
    e.Tree(6) = Derivative(e.Tree(7).get(), op::kVarX);
    Simplified(e.Tree(6));
}

namespace {

// u^2 + v^2 (+ w^2) of copies.
NodePtr SquaresOf(std::initializer_list<const TExprNode*> parts) {
    for (const TExprNode* part : parts)
        if (!part) return nullptr;
    NodePtr sum;
    for (const TExprNode* part : parts) {
        NodePtr square = Fn(op::kSquare, Cp(part));
        sum = sum ? Add(std::move(sum), std::move(square)) : std::move(square);
    }
    return sum;
}

// (SQRT(squares))^3, the cube of a speed.
NodePtr CubedLength(NodePtr squares) {
    return Pow(Fn(op::kSqrt, std::move(squares)), 3);
}

}  // namespace

void TExampleCompiler::CompileCurvature(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    const TExprNode* dx = e.Tree(5).get();
    const TExprNode* dy = e.Tree(6).get();
    if (ctx_.dimension >= 3) {
        // Children x'', z'', y'' (the order the 3D drawers read), then |r' x r''| / |r'|^3.
        NodePtr second[3];
        for (int k = 0; k < 3; ++k) second[k] = Derivative(e.Tree(5 + k).get(), op::kVarT);
        NodePtr node = TExprNode::NewOp(op::kCurvature3);
        if (e.derivation != 0) {
            node->child[3] = K(0);
        } else {
            const TreeVec3 d1 = {dx, dy, e.Tree(7).get()};
            const NodeVec3 w =
                MakeCrossProduct3(d1, {second[0].get(), second[1].get(), second[2].get()});
            node->child[3] = Div(Fn(op::kSqrt, SquaresOf({w[0].get(), w[1].get(), w[2].get()})),
                                 CubedLength(SquaresOf({d1[0], d1[1], d1[2]})));
        }
        node->child[0] = std::move(second[0]);
        node->child[1] = std::move(second[2]);
        node->child[2] = std::move(second[1]);
        e.Tree(4) = std::move(node);
        return;
    }
    if (e.kind == kind::kExplicit) {
        e.Tree(4) = Div(Cp(e.Tree(7).get()), CubedLength(Add(K(1), SquaresOf({dy}))));
        return;
    }
    NodePtr cross =
        Sub(Mul(Cp(dx), Derivative(dy, op::kVarT)), Mul(Cp(dy), Derivative(dx, op::kVarT)));
    e.Tree(4) = Div(std::move(cross), CubedLength(SquaresOf({dx, dy})));
}

void TExampleCompiler::BuildEvolute(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    e.Tree(1).reset();
    e.Tree(2).reset();
    const int p = e.parent[0];
    if (p < 0 || p >= i) return;
    const TExample& parent = inventory_[p];
    const bool explicitParent = parent.kind == kind::kExplicit;
    const TExprNode* dx = parent.Tree(5);
    const TExprNode* dy = parent.Tree(6);
    if (!dx || !dy) return;  // a parent without its derivatives has no evolute
    NodePtr d;               // x' y'' - y' x'', or y'' of an explicit curve
    if (explicitParent) {
        d = parent.Tree(7) ? Cp(parent.Tree(7)) : Derivative(dy, op::kVarX);
    } else {
        d = Sub(Mul(Cp(dx), Derivative(dy, op::kVarT)), Mul(Cp(dy), Derivative(dx, op::kVarT)));
    }
    // The centre of curvature: the curve point plus (-y', x') (x'^2 + y'^2) / D.
    const NodePtr q = Div(SquaresOf({dx, dy}), std::move(d));
    e.Tree(1) = Sub(Cp(parent.Tree(1)), Mul(Cp(dy), Cp(q.get())));
    e.Tree(2) = Add(Cp(parent.Tree(2)), Mul(Cp(dx), Cp(q.get())));
    for (int k = 1; k <= 2; ++k) {
        if (explicitParent) TExprNode::RenameXToT(e.Tree(k).get());
        Simplified(e.Tree(k));
    }
}

void TExampleCompiler::EvaluateRanges(int i) {
    if (!inventory_.IsIndex(i) || (reading_ && i < 2)) return;
    TInventoryEntry& entry = inventory_.Entry(i);
    TExample& e = entry.example;
    auto value = [&](NodePtr& tree, long double fallback) {
        return tree && ctx_.Evaluate(*tree) ? tree->re : fallback;
    };
    if (e.HasRangeText() && !IsPeriodic(e)) {
        // An end the text leaves undefined empties the range: nothing is drawn until the
        // parameters give it a value again.
        constexpr long double kUndefined = std::numeric_limits<long double>::quiet_NaN();
        e.rangeLow[0] = value(entry.rangeLow, kUndefined);
        e.rangeHigh[0] = value(entry.rangeHigh, kUndefined);
        MendRangePair(e.rangeLow[0], e.rangeHigh[0]);
    }
    if (HasArrowText(e)) e.Number(TNumber::kArrowT) = value(entry.thirdRange, e.rangeLow[0]);
}

// The Newton chain of a Lagrange polynomial has one link per defining point, each reading its
// coefficient from one of the extra real slots 12..20.
constexpr std::size_t kChainLinks = kLagrangePoints;
static_assert(op::kExtraRealFirst + kChainLinks - 1 == op::kExtraRealLast);

void TExampleCompiler::BuildLagrangeTree(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    NodePtr root = K(0);
    TExprNode* hole = root.get();
    for (std::size_t k = 0; k < kChainLinks; ++k) {
        const long double a = k < e.points.size() ? e.points[k].x : 0;
        hole = SetPointSlopeTemplate(*hole, a, op::kExtraRealFirst + static_cast<int>(k));
    }
    e.Tree(2) = std::move(root);
}

void LoadLagrangeCoefficients(const TExample& e, FormulaContext& context) {
    // The count word holds the number of points less one.
    const std::size_t n =
        std::min<std::size_t>({static_cast<std::size_t>(std::max(0, e.LagrangeLastPoint() + 1)),
                               kChainLinks, e.points.size()});
    std::array<long double, kChainLinks> x{}, c{};
    for (std::size_t k = 0; k < n; ++k) {
        x[k] = e.points[k].x;
        c[k] = e.points[k].y;
    }
    // Divided differences in place: c[k] becomes f[x0 .. xk].
    for (std::size_t level = 1; level < n; ++level)
        for (std::size_t k = n - 1; k >= level; --k)
            c[k] = (c[k] - c[k - 1]) / (x[k] - x[k - level]);
    for (std::size_t k = 0; k < kChainLinks; ++k)
        context.extraReal[op::kExtraRealFirst + k] = k < n ? c[k] : 0;
}

void TExampleCompiler::BuildParametricLine(int i) {
    if (!inventory_.IsIndex(i)) return;
    TExample& e = inventory_[i];
    const NodePtr t = TExprNode::NewOp(op::kVarT);
    for (int k = 1; k <= 3; ++k) {
        NodePtr line = MakeProductPlus(t.get(), e.Tree(k).get(), e.Tree(k + 4).get());
        e.Tree(k + 4) = std::move(e.Tree(k));
        e.Tree(k) = std::move(line);
    }
    if (!e.Tree(4).get()) e.Tree(4) = TExprNode::NewConst(0.0L);
}

// --- evaluation ------------------------------------------------------------------------------

int TExampleCompiler::EvalEndPoints(int i, Vec2& p1, Vec2& p2) {
    if (!inventory_.IsIndex(i)) return 1;
    TExample& e = inventory_[i];
    const bool point = e.kind == kind::kPoint;
    long double v[4] = {};
    for (int k = 0; k < (point ? 2 : 4); ++k) {
        NodePtr& tree = e.Tree(k + 1);
        if (!tree || !ctx_.Evaluate(*tree)) return 1;
        v[k] = tree->re;
    }
    p1 = {v[0], v[1]};
    p2 = point ? p1 : Vec2{v[2], v[3]};
    if (e.PolarForm() && e.derivation == 0 && (point || e.kind == kind::kSegment)) {
        if (!Vec2PolarInPlace(p1) || !Vec2PolarInPlace(p2)) return 1;
    }
    return 0;
}

// --- small queries ---------------------------------------------------------------------------

bool TExampleCompiler::IsLagrangeExplicit(int i) const {
    return inventory_.IsIndex(i) && inventory_[i].IsLagrangeExplicit();
}

bool TExampleCompiler::UsesJoin(int i) const {
    if (!inventory_.IsIndex(i)) return false;
    const TExample& e = inventory_[i];
    return TExprNode::ContainsOp(e.Tree(1), op::kJoin) ||
           TExprNode::ContainsOp(e.Tree(2), op::kJoin) ||
           TExprNode::ContainsOp(e.Tree(3), op::kJoin);
}

void TExampleCompiler::RenameVariableInExample(int i, int a, int b) {
    if (!inventory_.IsIndex(i)) return;
    for (NodePtr& tree : inventory_[i].trees) TExprNode::SubstituteVarByOp(tree.get(), a, b);
}

NodePtr MakeClampTree(const TExprNode* u) {
    if (!u) return nullptr;
    NodePtr atLeastZero =
        TExprNode::NewBinary(op::kMax, TExprNode::NewConst(0.0L), TExprNode::CopyTree(u));
    return TExprNode::NewBinary(op::kMin, TExprNode::NewConst(1.0L), std::move(atLeastZero));
}

NodePtr MakeSpecialProduct(const TExprNode* u, int count) {
    if (!u) return nullptr;
    NodePtr scale = TExprNode::NewOp(op::kRevolutionScale);
    scale->aux = count;
    return TExprNode::NewBinary(op::kTimes, std::move(scale), TExprNode::CopyTree(u));
}

}  // namespace quorlin::examples
