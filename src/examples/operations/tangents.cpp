#include "examples/operations/tangents.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/errors.h"
#include "core/numbers.h"
#include "examples/records/compile_support.h"
#include "formula/taylor.h"
#include "formula/tree_builders.h"

namespace quorlin::examples {

using namespace compile_support;

static_assert(kMaxTaylorDegree == kTaylorMaxDegree);

namespace {

constexpr int kErrCannotApproximate = 106;
constexpr long double kSmallSpeed = 1e-13L;
constexpr long double kSmallLength = 1e-16L;

// Words of a trajectory entry that keep what its trajectory was made with.
void StoreTrajectoryWords(TExample& e, const TTrajectory& t) {
    e.TrajectoryKind() = static_cast<std::int16_t>(t.kind);
    e.TrajectoryOption1() = static_cast<std::int16_t>(t.option1);
    e.TrajectoryOption2() = static_cast<std::int16_t>(t.option2);
}

// A range the compiler reads back from text 7 as it was set here.
void SetRange(TExample& e, long double low, long double high) {
    e.rangeLow[0] = low;
    e.rangeHigh[0] = high;
    e.Text(7) = FormatShortest(low) + ";" + FormatShortest(high);
}

bool EvaluateInto(FormulaContext& f, TExprNode* tree, long double& out) {
    if (!tree || !f.Evaluate(*tree)) return false;
    out = tree->re;
    return std::isfinite(out);
}

NodeVec3 CopiesOf(const TExprNode* a, const TExprNode* b, const TExprNode* c) {
    return {Cp(a), Cp(b), Cp(c)};
}

TreeVec3 View(const NodeVec3& v) {
    return {v[0].get(), v[1].get(), v[2].get()};
}

bool AllBuilt(const NodeVec3& v) {
    return v[0] && v[1] && v[2];
}

}  // namespace

bool CanApproximate(const TExample& parent) {
    if (parent.derivation == 0) return true;
    const TDerivationInfo* derivation = FindDerivation(parent.derivation);
    return derivation && derivation->approximable;
}

TTangentBuilder::TTangentBuilder(TInventory& inventory, TExampleCompiler& compiler,
                                 FormulaContext& formulas, int dimension)
    : inventory_(inventory), compiler_(compiler), formulas_(formulas), dimension_(dimension) {}

// ------------------------------------------------------------------------------ helpers

NodePtr TTangentBuilder::Parsed(std::string_view text) {
    if (formulas_.Parse(text) != 0) return nullptr;
    return formulas_.TakeParseResult();
}

TExample* TTangentBuilder::ParentOf(int i) {
    if (!inventory_.IsIndex(i)) return nullptr;
    const int p = inventory_[i].parent[0];
    // Parents come before their derived examples; anything else is not a parent.
    if (p < 0 || p >= i) return nullptr;
    return &inventory_[p];
}

TAddResult TTangentBuilder::AppendAndBuild(TExample record, int errorOnFailure,
                                           bool (TTangentBuilder::*build)(int)) {
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    const int i = inventory_.Append(std::move(record));
    if (i < 0) return {-1, kErrNoMoreRoom};
    if (!(this->*build)(i)) {
        inventory_.RemoveLast();
        return {-1, errorOnFailure};
    }
    compiler_.MarkSymbolsOfExample(i);
    return {i, 0};
}

std::optional<bool> TTangentBuilder::Rebuild(int i) {
    if (!inventory_.IsIndex(i)) return std::nullopt;
    using Hook = TRebuildHook<TTangentBuilder>;
    using B = TTangentBuilder;
    static constexpr Hook kHooks[] = {
        {derived::kTaylor, [](B& b, int k) { return b.BuildTaylorPolynomial(k); }},
        {derived::kTangentLine, [](B& b, int k) { return b.BuildTangentLine(k); }},
        {derived::kMarkedPoint, [](B& b, int k) { return b.BuildMarkedPoint(k); }},
        {derived::kTrajectoryPoint, [](B& b, int k) { return b.BuildTrajectoryPoint(k); }},
        {derived::kTrajectoryVector, [](B& b, int k) { return b.BuildTrajectoryLine(k); }},
        {derived::kTrajectoryTangent, [](B& b, int k) { return b.BuildTrajectoryLine(k); }},
        {derived::kTangentPlane, [](B& b, int k) { return b.BuildTangentExpressions(k); }},
        {derived::kSurfaceLine, [](B& b, int k) { return b.BuildTangentExpressions(k); }},
    };
    return RunRebuildHook(kHooks, *this, inventory_[i].derivation, i);
}

// ------------------------------------------------------------------------------ Taylor

TAddResult TTangentBuilder::AddTaylorPolynomial(int parent, int degree, std::string_view centre) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    const TExample& p = inventory_[parent];
    if (!CanApproximate(p)) return {-1, kErrCannotApproximate};
    if (p.overBudget) return {-1, kErrFormulaTooLong};
    if (p.kind != kind::kExplicit) return AddTangentLineEntry(parent, centre);
    if (!IsTaylorDegree(degree)) return {-1, kErrOutOfBounds};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.Init(kind::kExplicit, 0, 50);
    e.CopyFrom(p, true);
    e.ClearOptionBytes();
    e.derivationParam = static_cast<std::int16_t>(degree);
    e.Text(4) = std::string(centre);
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = derived::kTaylor;
    return AppendAndBuild(std::move(e), kErrCannotUnderstand,
                          &TTangentBuilder::BuildTaylorPolynomial);
}

bool TTangentBuilder::BuildTaylorPolynomial(int i) {
    const TExample* parent = ParentOf(i);
    if (!parent || parent->kind != kind::kExplicit || parent->overBudget) return false;
    TExample& e = inventory_[i];
    if (!IsTaylorDegree(e.derivationParam)) return false;
    const NodePtr centre = Parsed(e.Text(4));
    if (!centre) return false;
    NodePtr polynomial =
        MakeTaylorPolynomial(formulas_, parent->Tree(2), *centre, e.derivationParam);
    if (!polynomial) return false;
    // Tree 1 stays X, as for every explicit curve; the centre lives in the bound nodes.
    e.Tree(1) = Leaf(op::kVarX);
    e.Tree(2) = std::move(polynomial);
    compiler_.CompilePartials(i);
    compiler_.CompileCurvature(i);
    return true;
}

// ------------------------------------------------------------------------------ tangent line

TAddResult TTangentBuilder::AddTangentLineEntry(int parent, std::string_view parameter) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (inventory_[parent].overBudget) return {-1, kErrFormulaTooLong};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.InitCopy(inventory_[parent], false);
    e.kind = static_cast<std::int16_t>(101 * dimension_ + 1);
    e.ReshapeArrays();
    // A polar-form or arrow option of the parent would act on the line's own trees.
    e.ClearOptionBytes();
    e.derivationParam = 1;
    e.Text(4) = std::string(parameter);
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = derived::kTangentLine;
    const long double h = 13 - 4 * dimension_;
    SetRange(e, -h, h);
    return AppendAndBuild(std::move(e), 0, &TTangentBuilder::BuildTangentLine);
}

bool TTangentBuilder::BuildTangentLine(int i) {
    const TExample* parent = ParentOf(i);
    if (!parent || parent->overBudget) return false;
    const bool curve = parent->kind == kind::kPolar || parent->kind == kind::kParametric ||
                       parent->kind == kind::kSpaceCurve;
    if (!curve) return false;
    TExample& e = inventory_[i];
    const NodePtr u = Parsed(e.Text(4));
    if (!u) return false;
    for (int k = 1; k <= 3; ++k) e.Tree(k).reset();
    for (int c = 0; c < dimension_; ++c) {
        e.Tree(1 + c) =
            MakeBoundLinear(parent->Tree(5 + c), parent->Tree(1 + c), u.get(), slot::kT, 'L');
        if (!e.Tree(1 + c)) return false;
    }
    compiler_.CompileCurveData(i);
    compiler_.CompilePartials(i);
    compiler_.CompileCurvature(i);
    return true;
}

// ------------------------------------------------------------------------------ marked point

TAddResult TTangentBuilder::AddMarkedPoint(int parent, std::string_view parameter, int dotSize) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.Init(100 * dimension_ + 9, 0, 50);
    e.CopyFrom(inventory_[parent], false);
    e.ClearOptionBytes();
    e.PointCoordinates() = 0;  // Cartesian coordinates
    e.Text(4) = std::string(parameter);
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = derived::kMarkedPoint;
    e.pen.width = static_cast<std::uint16_t>(std::max(dotSize, 0));
    return AppendAndBuild(std::move(e), 0, &TTangentBuilder::BuildMarkedPoint);
}

bool TTangentBuilder::BuildMarkedPoint(int i) {
    const TExample* parent = ParentOf(i);
    if (!parent) return false;
    TExample& e = inventory_[i];
    NodePtr u = Parsed(e.Text(4));
    if (!u) return false;
    const bool explicitParent = parent->kind == kind::kExplicit;
    // Each coordinate is the parent's tree evaluated at the parameter, so the point needs no
    // variable set by whoever draws or reads it.
    const int variable = explicitParent ? slot::kX : slot::kT;
    const NodePtr x = Leaf(op::kVarX);
    NodeVec3 at;
    at[0] = MakeBound(u.get(), explicitParent ? x.get() : parent->Tree(1), variable, 'm');
    at[1] = MakeBound(u.get(), parent->Tree(2), variable, 'm');
    if (dimension_ >= 3) at[2] = MakeBound(u.get(), parent->Tree(3), variable, 'm');
    if (!at[0] || !at[1] || (dimension_ >= 3 && !at[2])) return false;
    for (int k = 1; k <= 3; ++k) e.Tree(k) = std::move(at[static_cast<std::size_t>(k - 1)]);
    e.Tree(7) = std::move(u);
    for (int k = 1; k <= dimension_; ++k) e.Text(k) = parent->Text(k);
    if (explicitParent) e.Text(1) = e.Text(4);
    return true;
}

// ------------------------------------------------------------------------------ trajectories

void TTangentBuilder::SetTrajectoryPointTexts(TExample& e, const TTrajectory& t, long double time) {
    if (t.kind > TTrajectory::kFormulaKindOffset && t.hasTexts) {
        for (int k = 0; k < TTrajectory::kTextCount; ++k)
            e.Text(k + 1) = t.texts[static_cast<std::size_t>(k)];
    } else {
        const std::array<long double, 4> start{t.startX, t.startY, t.startZ, t.startTime};
        for (int k = 0; k < 4; ++k)
            e.Text(k + 1) = FormatLf(start[static_cast<std::size_t>(k)], 17, 15);
    }
    e.Number(TNumber::kPointX) = t.startX;
    e.Number(TNumber::kPointY) = t.startY;
    e.Number(TNumber::kPointZ) = t.startZ;
    e.Number(TNumber::kTrajectoryStep) = t.step;
    e.Number(TNumber::kTime) = time;
    e.Number(TNumber::kStartTime) = t.startTime;
    StoreTrajectoryWords(e, t);
}

std::optional<Vec3> TTangentBuilder::StateOfRecord(int i) {
    if (!stateAt_) return std::nullopt;
    TExample* parent = ParentOf(i);
    if (!parent) return std::nullopt;
    TExample& e = inventory_[i];
    const bool formulas = e.TrajectoryKind() > TTrajectory::kFormulaKindOffset;
    std::array<long double, 4> start{e.Number(TNumber::kPointX), e.Number(TNumber::kPointY),
                                     e.Number(TNumber::kPointZ), e.Number(TNumber::kStartTime)};
    if (formulas) {
        // Start values given as formulas follow the parameters they name.
        for (int k = 0; k < 4; ++k)
            if (formulas_.ReadNumber(e.Text(k + 1), start[static_cast<std::size_t>(k)]) != 0)
                return std::nullopt;
    }
    TTrajectory t;
    t.Init(parent->kind, 0, 1, 2, e.TrajectoryOption1(), e.TrajectoryOption2(),
           1);  // the field: trees 1-3
    t.startX = start[0];
    t.startY = start[1];
    t.startZ = start[2];
    t.startTime = start[3];
    const long double time = e.Number(TNumber::kTime);
    t.endTime = start[3] + 2 * (time - start[3]);
    t.step = e.Number(TNumber::kTrajectoryStep);
    return stateAt_(*parent, t, time);
}

TAddResult TTangentBuilder::AddTrajectoryPoint(int parent, const TTrajectory& trajectory,
                                               long double time, int dotSize) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.Init(100 * dimension_ + 9, trajectory.pen.colour, 50);
    SetTrajectoryPointTexts(e, trajectory, time);
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = derived::kTrajectoryPoint;
    e.pen.width = static_cast<std::uint16_t>(std::max(dotSize, 0));
    return AppendAndBuild(std::move(e), 0, &TTangentBuilder::BuildTrajectoryPoint);
}

bool TTangentBuilder::BuildTrajectoryPoint(int i) {
    const std::optional<Vec3> state = StateOfRecord(i);
    if (!state) return false;
    TExample& e = inventory_[i];
    e.Tree(1) = K(state->x);
    e.Tree(2) = K(state->y);
    e.Tree(3) = dimension_ >= 3 ? K(state->z) : nullptr;
    return true;
}

TAddResult TTangentBuilder::AddTrajectoryLine(int parent, const TTrajectory& trajectory,
                                              long double time, int code, long double length,
                                              long double speed) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (code != derived::kTrajectoryVector && code != derived::kTrajectoryTangent)
        return {-1, kErrInconsistentData};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.Init(101 * dimension_ + 1, trajectory.pen.colour, 50);
    SetTrajectoryPointTexts(e, trajectory, time);
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = static_cast<std::uint16_t>(code);
    if (code == derived::kTrajectoryVector) {
        const long double high =
            length > kSmallLength && speed > kSmallSpeed ? length / speed : 1.0L;
        SetRange(e, 0, high);
        // The arrow sits at the vector's end; text 6 gives that t back to the compiler.
        e.Number(TNumber::kArrowT) = high;
        e.Text(6) = FormatShortest(high);
        e.sizeWord = 0;
        e.ArrowAtT() = 1;
    } else {
        const long double h = speed > kSmallSpeed ? 0.35L * boxDiagonal_ / speed : 2.0L;
        SetRange(e, -h, h);
    }
    return AppendAndBuild(std::move(e), kErrInconsistentData,
                          &TTangentBuilder::BuildTrajectoryLine);
}

bool TTangentBuilder::BuildTrajectoryLine(int i) {
    const std::optional<Vec3> state = StateOfRecord(i);
    TExample* parent = ParentOf(i);
    if (!state || !parent) return false;
    TExample& e = inventory_[i];
    std::array<long double, 3> field{};
    formulas_.SaveVariables();
    formulas_.SetVar(slot::kX, state->x);
    formulas_.SetVar(slot::kY, state->y);
    formulas_.SetVar(slot::kZ, state->z);
    formulas_.SetVar(slot::kT, e.Number(TNumber::kTime));
    bool defined = true;
    for (int c = 0; c < dimension_ && defined; ++c)
        defined =
            EvaluateInto(formulas_, parent->Tree(c + 1).get(), field[static_cast<std::size_t>(c)]);
    formulas_.RestoreVariables();
    if (!defined) return false;
    const std::array<long double, 3> p{state->x, state->y, state->z};
    for (int c = 0; c < 3; ++c) {
        const auto k = static_cast<std::size_t>(c);
        e.Tree(c + 1) = c < dimension_ ? MakeLinearInOp(field[k], p[k], op::kVarT) : K(0);
    }
    compiler_.CompileCurveData(i);
    compiler_.CompilePartials(i);
    compiler_.CompileCurvature(i);
    return true;
}

// ------------------------------------------------------------------------------ surfaces

TAddResult TTangentBuilder::AddTangentPlane(int parent, std::string_view pointText, Vec3 point,
                                            int colour) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (inventory_[parent].overBudget) return {-1, kErrFormulaTooLong};
    if (!inventory_.HasRoom()) return {-1, kErrNoMoreRoom};
    TExample e;
    e.Init(kind::kPlane, colour, 50);
    e.rangeLow = {-1, -1};
    e.rangeHigh = {1, 1};
    e.GridColour() = static_cast<std::int16_t>(colour);
    e.Text(7) = std::string(pointText);
    e.Text(6) = "2.0";
    e.Number(TNumber::kPointX) = point.x;
    e.Number(TNumber::kPointY) = point.y;
    e.Number(TNumber::kPointZ) = point.z;
    e.parent = {static_cast<std::int16_t>(parent), -1};
    e.derivation = derived::kTangentPlane;
    return AppendAndBuild(std::move(e), 0, &TTangentBuilder::BuildTangentExpressions);
}

TAddResult TTangentBuilder::AddTangentLines(int parent, std::string_view pointText, Vec3 point) {
    if (!inventory_.IsIndex(parent)) return {-1, kErrInconsistentData};
    if (inventory_[parent].overBudget) return {-1, kErrFormulaTooLong};
    TAddResult last;
    for (int direction = 1; direction <= 2; ++direction) {
        TExample e;
        e.Init(kind::kSpaceCurve, 0, 50);
        e.rangeLow[0] = -1;
        e.rangeHigh[0] = 1;
        e.Text(7) = std::string(pointText);
        e.Number(TNumber::kPointX) = point.x;
        e.Number(TNumber::kPointY) = point.y;
        e.Number(TNumber::kPointZ) = point.z;
        e.parent = {static_cast<std::int16_t>(parent), -1};
        e.derivation = derived::kSurfaceLine;
        e.derivationParam = static_cast<std::int16_t>(direction);
        last = AppendAndBuild(std::move(e), 0, &TTangentBuilder::BuildTangentExpressions);
        if (!last.Added()) return last;
    }
    return last;
}

bool TTangentBuilder::BuildTangentExpressions(int i) {
    const TExample* parent = ParentOf(i);
    if (!parent || parent->overBudget) return false;
    TExample& e = inventory_[i];
    const bool plane = e.derivation == derived::kTangentPlane;
    const int direction = e.derivationParam;
    if (!plane && direction != 1 && direction != 2) return false;

    // The surface parameters at the point: the halves of "p;q", else the stored point.
    const TRangeTexts halves = e.SplitRangeText();
    NodePtr p0 = Parsed(halves.low);
    NodePtr q0 = Parsed(halves.high);
    if (!p0) p0 = K(e.Number(TNumber::kPointX));
    if (!q0) q0 = K(e.Number(TNumber::kPointY));

    NodeVec3 normal, along, base;
    int first = op::kVarT, second = op::kVarU;
    switch (parent->kind) {
        case kind::kSurface: {  // z = f(x, y)
            first = op::kVarX;
            second = op::kVarY;
            const TExprNode* fx = parent->Tree(5);
            const TExprNode* fy = parent->Tree(6);
            normal = {Cp(fx), Cp(fy), K(-1)};
            along = direction == 1 ? NodeVec3{K(1), K(0), Cp(fx)} : NodeVec3{K(0), K(1), Cp(fy)};
            base = {Leaf(op::kVarX), Leaf(op::kVarY), Cp(parent->Tree(3))};
            break;
        }
        case kind::kPolarSurface: {  // z = f(r, t)
            first = op::kVarR;
            second = op::kVarT;
            const NodePtr r = Leaf(op::kVarR);
            const NodePtr t = Leaf(op::kVarT);
            const NodeVec3 inR = {Fn(op::kCos, Cp(t.get())), Fn(op::kSin, Cp(t.get())),
                                  Cp(parent->Tree(5))};
            const NodeVec3 inT = {Mul(Fn(op::kNegate, Cp(r.get())), Fn(op::kSin, Cp(t.get()))),
                                  Mul(Cp(r.get()), Fn(op::kCos, Cp(t.get()))), Cp(parent->Tree(6))};
            normal = MakeCrossProduct3(View(inR), View(inT));
            along = direction == 1 ? CopiesOf(inR[0].get(), inR[1].get(), inR[2].get())
                                   : CopiesOf(inT[0].get(), inT[1].get(), inT[2].get());
            NodePair xy = MakePolarXY(r.get(), t.get());
            base = {std::move(xy[0]), std::move(xy[1]), Cp(parent->Tree(3))};
            break;
        }
        default: {  // x(t, u), y(t, u), z(t, u)
            NodeVec3 inT, inU;
            for (int k = 0; k < 3; ++k) {
                const auto c = static_cast<std::size_t>(k);
                formulas_.Differentiate(parent->Tree(k + 1), op::kVarT, inT[c]);
                formulas_.Differentiate(parent->Tree(k + 1), op::kVarU, inU[c]);
            }
            if (!AllBuilt(inT) || !AllBuilt(inU)) return false;
            normal = MakeCrossProduct3(View(inT), View(inU));
            along = direction == 1 ? std::move(inT) : std::move(inU);
            base = CopiesOf(parent->Tree(1), parent->Tree(2), parent->Tree(3));
            break;
        }
    }
    NodeVec3& vector = plane ? normal : along;
    if (!AllBuilt(vector) || !AllBuilt(base)) return false;
    for (int k = 0; k < 3; ++k) {
        const auto c = static_cast<std::size_t>(k);
        e.Tree(k + 1) = std::move(vector[c]);
        e.Tree(k + 5) = std::move(base[c]);
    }
    // Substituted at the point, the trees follow the parameters the point text names.
    for (int k : {1, 2, 3, 5, 6, 7}) {
        TExprNode::SubstituteVar(e.Tree(k), first, *p0);
        TExprNode::SubstituteVar(e.Tree(k), second, *q0);
    }
    if (plane) {
        compiler_.BuildPlaneSurface(i);
    } else {
        compiler_.BuildParametricLine(i);
        compiler_.CompileCurvature(i);
    }
    return true;
}

}  // namespace quorlin::examples
