#include "tools2d/derived/transform_builders.h"

#include <algorithm>
#include <numbers>
#include <string>

#include "core/errors.h"
#include "examples/operations/tool_commands.h"
#include "examples/records/compile_support.h"
#include "examples/records/derivation.h"
#include "formula/opcodes.h"
#include "tools2d/integration/revolution.h"

namespace quorlin::tools2d {

namespace k = examples::kind;
namespace d = examples::derived;
using examples::TExample;

namespace {

// The marker of the bound node that reads a periodic graph at t.
constexpr char kPeriodicMarker = 'P';

NodePtr Cp(const TExprNode* t) {
    return TExprNode::CopyTree(t);
}
NodePtr Leaf(int code) {
    return TExprNode::NewOp(code);
}

int Parse(FormulaContext& formulas, std::string_view text, NodePtr& out) {
    if (const int error = formulas.Parse(text)) return error;
    out = formulas.TakeParseResult();
    return out ? 0 : kErrCannotUnderstand;
}

// An angle in radians, or in degrees when the text ends in "deg".
int ParseAngle(FormulaContext& formulas, std::string_view text, NodePtr& out) {
    std::string_view body = text;
    while (!body.empty() && body.back() == ' ') body.remove_suffix(1);
    const bool degrees =
        body.size() >= 3 && std::equal(body.end() - 3, body.end(), "deg",
                                       [](char a, char b) { return (a | 0x20) == b; });
    if (!degrees) return Parse(formulas, text, out);
    body.remove_suffix(3);
    if (const int error = Parse(formulas, body, out)) return error;
    out = TExprNode::NewBinary(op::kTimes, std::move(out),
                               TExprNode::NewConst(std::numbers::pi_v<long double> / 180));
    return 0;
}

bool NamesNoLetter(const TExprNode* tree) {
    if (!tree) return true;
    if (op::IsVariable(tree->op)) return false;
    return std::all_of(tree->child.begin(), tree->child.end(),
                       [](const NodePtr& c) { return NamesNoLetter(c.get()); });
}

using Texts = std::array<std::string_view, 3>;
using MapReader = int (*)(FormulaContext&, const Texts&, TPlaneMap&);

int ReadLine(FormulaContext& formulas, const Texts& texts, TPlaneMap& map) {
    NodePtr a, b, c;
    if (const int error = Parse(formulas, texts[0], a)) return error;
    if (const int error = Parse(formulas, texts[1], b)) return error;
    if (const int error = Parse(formulas, texts[2], c)) return error;
    // Constant coefficients that name no line are refused; with parameters the reflection is
    // undefined where a^2 + b^2 vanishes.
    if (NamesNoLetter(a.get()) && NamesNoLetter(b.get()) && formulas.Evaluate(*a) &&
        formulas.Evaluate(*b) && CheckAxis({a->re, b->re, 0}) != 0)
        return kErrInconsistentData;
    map = ReflectInLine(a.get(), b.get(), c.get());
    return 0;
}

int ReadCentre(FormulaContext& formulas, const Texts& texts, NodePtr& cx, NodePtr& cy) {
    if (const int error = Parse(formulas, texts[1], cx)) return error;
    return Parse(formulas, texts[2], cy);
}

int ReadHalfTurn(FormulaContext& formulas, const Texts& texts, TPlaneMap& map) {
    NodePtr cx, cy;
    if (const int error = ReadCentre(formulas, texts, cx, cy)) return error;
    map = HalfTurnAbout(cx.get(), cy.get());
    return 0;
}

int ReadTurn(FormulaContext& formulas, const Texts& texts, TPlaneMap& map) {
    NodePtr angle, cx, cy;
    if (const int error = ParseAngle(formulas, texts[0], angle)) return error;
    if (const int error = ReadCentre(formulas, texts, cx, cy)) return error;
    map = RotateAbout(angle.get(), cx.get(), cy.get());
    return 0;
}

int ReadShift(FormulaContext& formulas, const Texts& texts, TPlaneMap& map) {
    NodePtr a, b;
    if (const int error = Parse(formulas, texts[0], a)) return error;
    if (const int error = Parse(formulas, texts[1], b)) return error;
    if (const int error = TExprNode::CheckNoXY(a.get())) return error;
    if (const int error = TExprNode::CheckNoXY(b.get())) return error;
    map = TranslateBy(a.get(), b.get());
    return 0;
}

struct TMapRow {
    int code;
    MapReader read;
};
constexpr TMapRow kMapRows[] = {
    {d::kReflectX,
     [](FormulaContext&, const Texts&, TPlaneMap& m) { return m = ReflectInXAxis(), 0; }},
    {d::kReflectY,
     [](FormulaContext&, const Texts&, TPlaneMap& m) { return m = ReflectInYAxis(), 0; }},
    {d::kReflectDiagonal,
     [](FormulaContext&, const Texts&, TPlaneMap& m) { return m = ReflectInDiagonal(), 0; }},
    {d::kReflectLine, ReadLine},
    {d::kHalfTurn, ReadHalfTurn},
    {d::kRotation, ReadTurn},
    {d::kTranslation, ReadShift},
};

// --- the parent's range ---

// The range of the parent curve as trees: its compiled ends, or its numbers.
std::array<NodePtr, 2> ParentRange(const examples::TInventory& inventory, int p) {
    const examples::TInventoryEntry& entry = inventory.Entry(p);
    if (entry.rangeLow && entry.rangeHigh)
        return {Cp(entry.rangeLow.get()), Cp(entry.rangeHigh.get())};
    return {TExprNode::NewConst(entry.example.rangeLow[0]),
            TExprNode::NewConst(entry.example.rangeHigh[0])};
}

// What a derived curve takes of its parent at every build: the range, its text and lock, the
// periodic flag.
void TakeParentRange(TExample& e, const TExample& parent) {
    e.lockInterval = parent.lockInterval;
    e.periodic = parent.periodic;
    e.Text(7) = parent.Text(7);
    e.rangeLow = parent.rangeLow;
    e.rangeHigh = parent.rangeHigh;
}

// The curve's data and derivative trees, its range ends replaced by the given trees where it
// keeps a range.
void CompileCurve(TDeriveContext& c, int i, std::array<NodePtr, 2> range) {
    c.compiler.CompileCurveData(i);
    examples::TInventoryEntry& entry = c.inventory.Entry(i);
    if (entry.example.HasRangeText() && !examples::compile_support::IsPeriodic(entry.example)) {
        entry.rangeLow = std::move(range[0]);
        entry.rangeHigh = std::move(range[1]);
    }
    c.compiler.CompilePartials(i);
    if (c.formulas.derivativesOn) c.compiler.CompileCurvature(i);
    c.compiler.EvaluateRanges(i);
}

// --- the kinds under a map ---

struct TMapJob {
    TDeriveContext& c;
    int i;
    int p;
    const TPlaneMap& map;
    TExample& e() const { return c.inventory[i]; }
    const TExample& parent() const { return c.inventory[p]; }
};

bool MapParametric(const TMapJob& job, NodePtr x, NodePtr y, std::array<NodePtr, 2> range) {
    TExample& e = job.e();
    NodePair xy = MapPoint(job.map.forward, x.get(), y.get());
    if (!xy[0] || !xy[1]) return false;
    e.kind = static_cast<std::int16_t>(k::kParametric);
    e.PolarCurve() = 0;
    e.Tree(1) = std::move(xy[0]);
    e.Tree(2) = std::move(xy[1]);
    CompileCurve(job.c, job.i, std::move(range));
    return true;
}

bool MapCurve(const TMapJob& job) {
    const TExample& parent = job.parent();
    return MapParametric(job, Cp(parent.Tree(1)), Cp(parent.Tree(2)),
                         ParentRange(job.c.inventory, job.p));
}

// f(x(X)) for the x the inverse map gives, moving JOIN and periodic pieces with the graph.
NodePtr MovedGraph(const TPlaneMap& map, const TExprNode* f) {
    const NodePtr& shift = map.forward.t[0];
    const bool turned = XFactor(map.forward) < 0;
    auto along = [&](const TExprNode* g) -> NodePtr {
        if (turned) {
            const NodePtr x = Leaf(op::kVarX), y = Leaf(op::kVarY);
            const NodePair from = MapPoint(map.inverse, x.get(), y.get());
            return SubstituteXY(g, from[0].get(), y.get());
        }
        NodePtr moved = Cp(g);
        if (shift->op != op::kConst || shift->re != 0)
            TExprNode::ShiftVar(moved, op::kVarX, *shift);
        return moved;
    };
    if (f && f->op != op::kPeriodic && TExprNode::ContainsOp(f, op::kPeriodic)) {
        // A periodic piece inside f (a sum of a periodic curve and another) reduces X itself, so
        // no substitution reaches it: f is read with X bound to the parent's x.
        const NodePtr x = Leaf(op::kVarX), y = Leaf(op::kVarY);
        const NodePair from = MapPoint(map.inverse, x.get(), y.get());
        return MakeBound(from[0].get(), f, slot::kX, kPeriodicMarker);
    }
    if (!f || f->op != op::kPeriodic) return along(f);
    // The base interval [s, s + p) moves with the graph: to [s + t, ...) or, turned, to
    // [t - (s + p), ...).
    NodePtr node = Leaf(op::kPeriodic);
    node->child[1] = along(f->child[1].get());
    node->child[2] = Cp(f->child[2].get());
    const NodePtr start = Cp(f->child[0].get());
    node->child[0] = turned ? TExprNode::NewBinary(op::kMinus, Cp(shift.get()),
                                                   TExprNode::NewBinary(op::kPlus, Cp(start.get()),
                                                                        Cp(f->child[2].get())))
                            : TExprNode::NewBinary(op::kPlus, Cp(start.get()), Cp(shift.get()));
    return node;
}

// y = f(x) as y(t) of the curve (t, f(t)). A periodic piece repeats by reading X itself, so an
// f that holds one anywhere (a periodic curve, or a sum of one and another curve) is evaluated
// with X bound to t; another f gets T for X.
NodePtr GraphInT(const TExprNode* f) {
    if (TExprNode::ContainsOp(f, op::kPeriodic)) {
        const NodePtr t = Leaf(op::kVarT);
        return MakeBound(t.get(), f, slot::kX, kPeriodicMarker);
    }
    NodePtr y = Cp(f);
    TExprNode::RenameXToT(y.get());
    return y;
}

bool MapExplicit(const TMapJob& job) {
    TExample& e = job.e();
    const TExample& parent = job.parent();
    if (!parent.Tree(2)) return false;
    const TAffineMap& forward = job.map.forward;
    std::array<NodePtr, 2> range = ParentRange(job.c.inventory, job.p);
    if (!KeepsGraphs(forward))
        return MapParametric(job, Leaf(op::kVarT), GraphInT(parent.Tree(2)), std::move(range));
    // y' = m11 f(x) + t1 over the moved range.
    e.kind = static_cast<std::int16_t>(k::kExplicit);
    e.Tree(1) = Leaf(op::kVarX);
    const NodePtr graph = MovedGraph(job.map, parent.Tree(2));
    const NodePtr x = Leaf(op::kVarX);
    NodePair image = MapPoint(forward, x.get(), graph.get());
    if (!image[1]) return false;
    e.Tree(2) = std::move(image[1]);
    const long double factor = XFactor(forward);
    auto moved = [&](const NodePtr& end) {
        NodePair image = MapPoint(forward, end.get(), x.get());
        return std::move(image[0]);
    };
    std::array<NodePtr, 2> ends = {moved(range[0]), moved(range[1])};
    if (factor < 0) std::swap(ends[0], ends[1]);
    long double shift = 0;
    if (job.c.formulas.Evaluate(*forward.t[0])) shift = forward.t[0]->re;
    e.rangeLow[0] = factor < 0 ? shift - parent.rangeHigh[0] : parent.rangeLow[0] + shift;
    e.rangeHigh[0] = factor < 0 ? shift - parent.rangeLow[0] : parent.rangeHigh[0] + shift;
    CompileCurve(job.c, job.i, std::move(ends));
    return true;
}

// A segment or point given in polar form: its Cartesian coordinates.
NodePair Cartesian(const TExample& parent, int first) {
    const TExprNode* u = parent.Tree(first);
    const TExprNode* v = parent.Tree(first + 1);
    if (parent.kind == k::kPoint && parent.ComplexPoint())
        return {TExprNode::NewUnary(op::kRe, Cp(u)), TExprNode::NewUnary(op::kIm, Cp(u))};
    if (parent.PolarForm() && parent.derivation == 0) return MakePolarXY(u, v);
    return {Cp(u), Cp(v)};
}

bool MapPoints(const TMapJob& job, int count) {
    TExample& e = job.e();
    for (int first = 1; first < 2 * count; first += 2) {
        const NodePair at = Cartesian(job.parent(), first);
        NodePair image = MapPoint(job.map.forward, at[0].get(), at[1].get());
        if (!image[0] || !image[1]) return false;
        e.Tree(first) = std::move(image[0]);
        e.Tree(first + 1) = std::move(image[1]);
    }
    e.PolarForm() = 0;
    e.ComplexPoint() = 0;
    return true;
}

bool MapSegment(const TMapJob& job) {
    if (!MapPoints(job, 2)) return false;
    job.c.compiler.CompileSegment(job.i);
    return true;
}

bool MapPointExample(const TMapJob& job) {
    return MapPoints(job, 1);
}

bool MapLineExample(const TMapJob& job) {
    const TExample& parent = job.parent();
    std::array<NodePtr, 3> line = MapLine(job.map, parent.Tree(1), parent.Tree(2), parent.Tree(3));
    if (!line[0] || !line[1] || !line[2]) return false;
    for (int t = 0; t < 3; ++t) job.e().Tree(t + 1) = std::move(line[static_cast<std::size_t>(t)]);
    job.c.compiler.CompileLine(job.i);
    return true;
}

// Implicit curves: F and the condition pulled back.
bool MapImplicit(const TMapJob& job) {
    TExample& e = job.e();
    e.Tree(3) = PullBack(job.map, job.parent().Tree(3));
    if (!e.Tree(3)) return false;
    e.Tree(4) = PullBack(job.map, job.parent().Tree(4));
    e.recompute = 1;
    job.c.compiler.CompilePartials(job.i);
    return true;
}

// A field's vectors turn with the map at the moved point: (P, Q) -> L (P, Q)(inverse).
bool MapSystem(const TMapJob& job) {
    TExample& e = job.e();
    const TExample& parent = job.parent();
    const NodePtr p = PullBack(job.map, parent.Tree(1)), q = PullBack(job.map, parent.Tree(2));
    NodePair turned = MapVector(job.map.forward, p.get(), q.get());
    if (!turned[0] || !turned[1]) return false;
    e.Tree(1) = std::move(turned[0]);
    e.Tree(2) = std::move(turned[1]);
    e.Tree(3) = Cp(parent.Tree(3));
    e.Tree(4) = PullBack(job.map, parent.Tree(4));
    return true;
}

// dy/dx = f: the direction (1, f) turns with the map; the new slope is its y over its x.
bool MapSlope(const TMapJob& job) {
    const NodePtr f = PullBack(job.map, job.parent().Tree(3));
    const NodePtr one = TExprNode::NewConst(1);
    NodePair turned = MapVector(job.map.forward, one.get(), f.get());
    if (!turned[0] || !turned[1]) return false;
    job.e().Tree(3) = MakeQuotient(turned[1].get(), turned[0].get());
    job.c.compiler.CompilePartials(job.i);
    return true;
}

// A recursion (x, y) -> (P, Q) seen through the map: M (P, Q)(inverse).
bool MapSequence(const TMapJob& job) {
    const TExample& parent = job.parent();
    const NodePtr p = PullBack(job.map, parent.Tree(1)), q = PullBack(job.map, parent.Tree(2));
    NodePair moved = MapPoint(job.map.forward, p.get(), q.get());
    if (!moved[0] || !moved[1]) return false;
    job.e().Tree(1) = std::move(moved[0]);
    job.e().Tree(2) = std::move(moved[1]);
    return true;
}

struct TKindRow {
    int kind;
    bool (*map)(const TMapJob& job);
};
constexpr TKindRow kKindRows[] = {
    {k::kExplicit, MapExplicit},  {k::kPolar, MapCurve},     {k::kParametric, MapCurve},
    {k::kImplicit, MapImplicit},  {k::kSegment, MapSegment}, {k::kLine, MapLineExample},
    {k::kPoint, MapPointExample}, {k::kSystem, MapSystem},   {k::kSlope, MapSlope},
    {k::kSequence, MapSequence},
};

bool HasParentBefore(const examples::TInventory& inventory, int i) {
    return inventory.IsIndex(i) && inventory.IsIndex(inventory[i].parent[0]) &&
           inventory[i].parent[0] < i;
}

// Rebuilds example i as the image of its parent under the map of its code and texts.
bool BuildMapped(TDeriveContext& c, int i) {
    if (!HasParentBefore(c.inventory, i)) return false;
    TExample& e = c.inventory[i];
    TPlaneMap map;
    if (ReadPlaneMap(c.formulas, e.derivation, {e.Text(1), e.Text(2), e.Text(3)}, map) != 0)
        return false;
    const int p = e.parent[0];
    const TExample& parent = c.inventory[p];
    const auto row = std::find_if(std::begin(kKindRows), std::end(kKindRows),
                                  [&](const TKindRow& r) { return r.kind == parent.kind; });
    if (row == std::end(kKindRows)) return false;
    for (NodePtr& tree : e.trees) tree.reset();
    TakeParentRange(e, parent);
    return row->map(TMapJob{c, i, p, map});
}

}  // namespace

int ReadPlaneMap(FormulaContext& formulas, int code, const std::array<std::string_view, 3>& texts,
                 TPlaneMap& map) {
    for (const TMapRow& row : kMapRows)
        if (row.code == code) return row.read(formulas, texts, map);
    return kErrInconsistentData;
}

int CheckTransformable(const examples::TInventory& inventory, int p, int code) {
    if (!inventory.IsIndex(p) || code == d::kReflectX || code == d::kTranslation) return 0;
    const TExample& e = inventory[p];
    for (int t = 1; t <= 3; ++t)
        if (TExprNode::ContainsOp(e.Tree(t), op::kJoin)) return kErrFormulaNotUsable;
    return 0;
}

bool UpdateReflection(TDeriveContext& context, int i) {
    return BuildMapped(context, i);
}
bool UpdateRotation(TDeriveContext& context, int i) {
    return BuildMapped(context, i);
}
bool UpdateTranslation(TDeriveContext& context, int i) {
    return BuildMapped(context, i);
}

bool UpdateMirrorLine(TDeriveContext& context, int i) {
    if (!HasParentBefore(context.inventory, i)) return false;
    context.compiler.CompileExample(i);
    return context.inventory[i].Tree(1) && context.inventory[i].Tree(2) &&
           context.inventory[i].Tree(3);
}

bool IsDerivableKind(int kind) {
    return kind == k::kExplicit || kind == k::kPolar || kind == k::kParametric;
}

bool UpdateDerivative(TDeriveContext& context, int i) {
    if (!HasParentBefore(context.inventory, i)) return false;
    TExample& e = context.inventory[i];
    const int p = e.parent[0];
    const TExample& parent = context.inventory[p];
    if (!IsDerivableKind(parent.kind)) return false;
    for (NodePtr& tree : e.trees) tree.reset();
    TakeParentRange(e, parent);
    e.kind = parent.kind;
    e.listing = parent.listing;
    auto derive = [&](int tree, int variable) {
        if (!parent.Tree(tree)) return false;
        context.formulas.Differentiate(parent.Tree(tree), variable, e.Tree(tree));
        return e.Tree(tree) != nullptr;
    };
    bool built = false;
    if (parent.kind == k::kExplicit) {
        e.Tree(1) = Leaf(op::kVarX);
        built = derive(2, op::kVarX);
    } else if (parent.kind == k::kPolar) {
        built = derive(3, op::kVarT);
    } else {
        built = derive(1, op::kVarT) && derive(2, op::kVarT);
    }
    if (!built) return false;
    CompileCurve(context, i, ParentRange(context.inventory, p));
    return true;
}

std::span<const int> ReflectableKinds() {
    return examples::kReflectableKinds;
}

std::span<const int> TranslatableKinds() {
    return examples::kTranslatableKinds;
}

}  // namespace quorlin::tools2d
