#include "tools2d/searches/intersection_search.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "formula/opcodes.h"
#include "formula/root_finder.h"
#include "formula/slot_guard.h"
#include "tools2d/searches/piece_crossing.h"

namespace quorlin::tools2d {

namespace k = examples::kind;
using C = TCurveClass;

namespace {

constexpr long double kOneOver101 = 1.0L / TIntersectionSearch::kSubintervals;
constexpr long double kToleranceOfWidth = 1e-13L;  // root tolerance per half-width of the view
constexpr long double kFlatZero = 1e-16L;
constexpr long double kUprightSlope = 1e-16L;  // |b| / |a| of a line drawn upright

// Rows A, columns B, in the order upright, explicit, in t, implicit.
constexpr int kMethods[4][4] = {{-1, 4, 5, 6}, {12, 0, 1, 2}, {13, 9, -1, 3}, {14, 10, 11, 8}};

bool Eval(FormulaContext& f, TExprNode* tree, long double& out) {
    if (!tree || !f.Evaluate(*tree) || !std::isfinite(tree->re)) return false;
    out = tree->re;
    return true;
}

// The angle between two directions, 0..pi; 0 when one of them has no length.
long double AngleBetween(Vec2 d1, Vec2 d2) {
    return std::fabs(std::atan2(d1.x * d2.y - d1.y * d2.x, d1.x * d2.x + d1.y * d2.y));
}

// An upright segment or line: its x and the y-range it covers (a line: the view's).
struct TUpright {
    long double x = 0, low = 0, high = 0;
};

// The coefficients a, b, c of the line ax + by = c.
bool LineCoefficients(FormulaContext& f, examples::TExample& e, long double abc[3]) {
    for (int t = 0; t < 3; ++t)
        if (!Eval(f, e.Tree(t + 1).get(), abc[t])) return false;
    return true;
}

std::optional<TUpright> UprightOf(TIntersectionScene& scene, int i) {
    examples::TExample& e = scene.inventory[i];
    if (e.kind == k::kSegment) {
        Vec2 p1, p2;
        if (scene.compiler.EvalEndPoints(i, p1, p2) != 0 || p1.x != p2.x) return std::nullopt;
        return TUpright{p1.x, std::min(p1.y, p2.y), std::max(p1.y, p2.y)};
    }
    long double abc[3];
    if (e.kind != k::kLine || !LineCoefficients(scene.f, e, abc) || abc[0] == 0 ||
        std::fabs(abc[1]) > kUprightSlope * std::fabs(abc[0]))
        return std::nullopt;
    return TUpright{abc[2] / abc[0], scene.down, scene.up};
}

// The x-range over which an explicit curve, segment or line is drawn (a line: the view's).
TXRange XRangeOf(TIntersectionScene& scene, int i) {
    examples::TExample& e = scene.inventory[i];
    const TXRange view{scene.left, scene.right};
    if (e.kind == k::kLine) return view;
    Vec2 p1, p2;
    if (e.kind == k::kSegment && scene.compiler.EvalEndPoints(i, p1, p2) == 0)
        return {std::min(p1.x, p2.x), std::max(p1.x, p2.x)};
    return DrawnXRange(e, view);
}

TExprNode* FunctionOf(examples::TExample& e) {
    return e.Tree(e.kind == k::kExplicit ? 2 : 7).get();
}

// Whether the point lies in the view; an implicit curve is traced over the view only.
bool InView(const TIntersectionScene& scene, Vec2 p) {
    return TXRange{scene.left, scene.right}.Holds(p.x) && TXRange{scene.down, scene.up}.Holds(p.y);
}

int VariableOp(int slotIndex) {
    return slotIndex == slot::kX ? op::kVarX : slotIndex == slot::kY ? op::kVarY : op::kVarT;
}

}  // namespace

TCurveClass CurveClassOf(TIntersectionScene& scene, int i) {
    if (!scene.inventory.IsIndex(i)) return C::Other;
    switch (scene.inventory[i].kind) {
        case k::kExplicit:
            return C::Explicit;
        case k::kPolar:
        case k::kParametric:
            return C::InT;
        case k::kImplicit:
            return C::Implicit;
        case k::kSegment:
        case k::kLine: {
            if (UprightOf(scene, i)) return C::Upright;
            long double abc[3];
            const bool flatLine =
                scene.inventory[i].kind == k::kLine &&
                (!LineCoefficients(scene.f, scene.inventory[i], abc) || abc[1] == 0);
            return flatLine ? C::Other : C::Explicit;
        }
        default:
            return C::Other;
    }
}

int MethodCode(TCurveClass a, TCurveClass b) {
    if (a == C::Other || b == C::Other) return -1;
    return kMethods[static_cast<int>(a)][static_cast<int>(b)];
}

// One request's method: the curves by role, the search variable and interval, the equation.
struct TIntersectionSearch::TPlan {
    int method = -1;
    int first = -1, second = -1;  // the pair in the order of the method's case
    int variable = slot::kX;
    long double low = 0, high = 0;
    TUpright upright;
    // Where the other curve of a curve in t is drawn: its x-range (explicit) or y-range
    // (upright); a meeting outside it is none.
    std::optional<TXRange> otherX, otherY;
    // An implicit curve takes part: it is traced over the view only, so a meeting off the view
    // is none.
    bool inView = false;
    NodePtr equation, slope;
};

namespace {

struct TCurveTrees {
    TExprNode *x, *y, *dx, *dy;
};
TCurveTrees InT(examples::TExample& e) {
    return {e.Tree(1).get(), e.Tree(2).get(), e.Tree(5).get(), e.Tree(6).get()};
}

// g(t) = tree(x(t), y(t)).
NodePtr AlongCurve(const TExprNode* tree, const TCurveTrees& c) {
    if (!tree || !c.x || !c.y) return nullptr;
    NodePtr g = TExprNode::MakeSubstituted(tree, op::kVarX, *c.x);
    TExprNode::SubstituteVar(g, op::kVarY, *c.y);
    return g;
}

// F and its partial derivatives (trees 3, 5 and 6 of an implicit curve) at the point the
// context's X and Y hold.
struct TLevel {
    long double value = 0, dx = 0, dy = 0;
};
std::optional<TLevel> LevelAt(FormulaContext& f, examples::TExample& e) {
    TLevel l;
    if (!Eval(f, e.Tree(3).get(), l.value) || !Eval(f, e.Tree(5).get(), l.dx) ||
        !Eval(f, e.Tree(6).get(), l.dy))
        return std::nullopt;
    return l;
}

constexpr int kMostNewtonSteps = 40;
constexpr long double kNewtonSettled = 1e-16L;  // a step this small, relative to the point

// The walk locates a crossing only to the precision of the traced piece. Newton's method on
// the pair F = 0, G = 0 from there reaches the meeting to the working precision; none when it
// does not settle within `reach` of the start (curves that touch, a singular point).
std::optional<Vec2> RefinedMeeting(FormulaContext& f, examples::TExample& one,
                                   examples::TExample& two, Vec2 start, long double reach) {
    Vec2 p = start;
    for (int step = 0; step < kMostNewtonSteps; ++step) {
        f.SetVar(slot::kX, p.x);
        f.SetVar(slot::kY, p.y);
        const std::optional<TLevel> u = LevelAt(f, one);
        const std::optional<TLevel> v = LevelAt(f, two);
        if (!u || !v) return std::nullopt;
        const long double det = u->dx * v->dy - u->dy * v->dx;
        if (det == 0 || !std::isfinite(det)) return std::nullopt;
        const Vec2 move{(u->value * v->dy - v->value * u->dy) / det,
                        (u->dx * v->value - v->dx * u->value) / det};
        p = p - move;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) ||
            std::hypot(p.x - start.x, p.y - start.y) > reach)
            return std::nullopt;
        const long double scale = std::max({1.0L, std::fabs(p.x), std::fabs(p.y)});
        if (std::hypot(move.x, move.y) <= kNewtonSettled * scale) return p;
    }
    return std::nullopt;
}

// The direction of curve i at the point the context's X, Y and T hold.
std::optional<Vec2> DirectionAt(TIntersectionScene& scene, int i, TCurveClass c) {
    examples::TExample& e = scene.inventory[i];
    long double u = 0, v = 0;
    switch (c) {
        case C::Upright:
            return Vec2{0, 1};
        case C::Explicit:
            if (!Eval(scene.f, e.Tree(6).get(), v)) return std::nullopt;
            return Vec2{1, v};
        case C::InT:
            if (!Eval(scene.f, e.Tree(5).get(), u) || !Eval(scene.f, e.Tree(6).get(), v))
                return std::nullopt;
            return Vec2{u, v};
        case C::Implicit:
            if (!Eval(scene.f, e.Tree(5).get(), u) || !Eval(scene.f, e.Tree(6).get(), v))
                return std::nullopt;
            return Vec2{-v, u};
        default:
            return std::nullopt;
    }
}

}  // namespace

TIntersection TIntersectionSearch::Next(TIntersectionScene& scene, int a, int b) {
    if (a == b) return {};
    const C classA = CurveClassOf(scene, a);
    const C classB = CurveClassOf(scene, b);
    TPlan plan;
    plan.method = MethodCode(classA, classB);
    if (plan.method == 8) return WalkPieces(scene, a, b);
    if (plan.method < 0) return {};
    const bool swapped = plan.method > 8;
    plan.first = swapped ? b : a;
    plan.second = swapped ? a : b;
    plan.inView = classA == C::Implicit || classB == C::Implicit;
    examples::TExample& one = scene.inventory[plan.first];
    examples::TExample& two = scene.inventory[plan.second];
    switch (plan.method % 8) {
        case 0: {  // E-E over the common part of the ranges
            const TXRange rangeA = XRangeOf(scene, plan.first);
            const TXRange rangeB = XRangeOf(scene, plan.second);
            plan.low = std::max(rangeA.low, rangeB.low);
            plan.high = std::min(rangeA.high, rangeB.high);
            if (FunctionOf(one) && FunctionOf(two))
                plan.equation =
                    TExprNode::NewBinary(op::kMinus, TExprNode::CopyTree(FunctionOf(one)),
                                         TExprNode::CopyTree(FunctionOf(two)));
            break;
        }
        case 1:  // E-P: f(x(t)) - y(t)
            plan.variable = slot::kT;
            plan.otherX = XRangeOf(scene, plan.first);
            if (FunctionOf(one)) {
                const NodePtr minusY = TExprNode::NewBinary(
                    op::kMinus, TExprNode::CopyTree(FunctionOf(one)), TExprNode::NewOp(op::kVarY));
                plan.equation = AlongCurve(minusY.get(), InT(two));
            }
            break;
        case 2: {  // E-I: F(x, f(x))
            const TXRange range = XRangeOf(scene, plan.first);
            plan.low = range.low;
            plan.high = range.high;
            if (two.Tree(3) && FunctionOf(one))
                plan.equation =
                    TExprNode::MakeSubstituted(two.Tree(3).get(), op::kVarY, *FunctionOf(one));
            break;
        }
        case 3:  // P-I: F(x(t), y(t))
            plan.variable = slot::kT;
            plan.equation = AlongCurve(two.Tree(3).get(), InT(one));
            break;
        case 4:  // V-E: no scan
            break;
        case 5:  // V-P: x(t) - the upright's x
            plan.variable = slot::kT;
            break;
        case 6:  // V-I: F(x of the upright, y)
            plan.variable = slot::kY;
            break;
        default:
            return {};
    }
    if (const int c = plan.method % 8; c >= 4) {
        const std::optional<TUpright> upright = UprightOf(scene, plan.first);
        if (!upright) return {};
        plan.upright = *upright;
        const NodePtr x = TExprNode::NewConst(upright->x);
        if (c == 5 && InT(two).x)
            plan.equation = TExprNode::NewBinary(op::kMinus, TExprNode::CopyTree(InT(two).x),
                                                 TExprNode::CopyTree(x.get()));
        if (c == 6 && two.Tree(3))
            plan.equation = TExprNode::MakeSubstituted(two.Tree(3).get(), op::kVarX, *x);
        if (c == 5) plan.otherY = TXRange{upright->low, upright->high};
        if (c == 6) std::tie(plan.low, plan.high) = std::pair{upright->low, upright->high};
    }
    if (plan.variable == slot::kT) {
        examples::TExample& curve = plan.method % 8 == 3 ? one : two;
        plan.low = curve.rangeLow[0];
        plan.high = curve.rangeHigh[0];
    }
    return Scan(scene, plan);
}

TIntersection TIntersectionSearch::Scan(TIntersectionScene& scene, TPlan& plan) {
    FormulaContext& f = scene.f;
    const TSlotGuard guard(f, {slot::kX, slot::kY, slot::kT});
    const int c = plan.method % 8;
    examples::TExample& one = scene.inventory[plan.first];
    examples::TExample& two = scene.inventory[plan.second];
    // The point at the root, or none where it is undefined or off the upright segment.
    auto pointAt = [&](long double root) -> std::optional<TIntersection> {
        TIntersection found{1, {root, 0}, 0, 0};
        f.SetVar(plan.variable, root);
        if (c == 1 || c == 3 || c == 5) {
            const TCurveTrees curve = InT(c == 3 ? one : two);
            found.t = root;
            if (!Eval(f, curve.x, found.at.x) || !Eval(f, curve.y, found.at.y)) return std::nullopt;
            if ((plan.otherX && !plan.otherX->Holds(found.at.x)) ||
                (plan.otherY && !plan.otherY->Holds(found.at.y)))
                return std::nullopt;
        } else if (c == 6) {
            found.at = {plan.upright.x, root};
        } else {
            examples::TExample& e = c == 4 ? two : one;
            found.at.x = c == 4 ? plan.upright.x : root;
            f.SetVar(slot::kX, found.at.x);
            if (!Eval(f, FunctionOf(e), found.at.y)) return std::nullopt;
            if (c == 4 && (!(found.at.y > plan.upright.low && found.at.y < plan.upright.high) ||
                           !XRangeOf(scene, plan.second).Holds(found.at.x)))
                return std::nullopt;
        }
        if (plan.inView && !InView(scene, found.at)) return std::nullopt;
        f.SetVar(slot::kX, found.at.x);
        f.SetVar(slot::kY, found.at.y);
        const std::optional<Vec2> d1 =
            DirectionAt(scene, plan.first, CurveClassOf(scene, plan.first));
        const std::optional<Vec2> d2 =
            DirectionAt(scene, plan.second, CurveClassOf(scene, plan.second));
        if (d1 && d2) found.angle = AngleBetween(*d1, *d2);
        return found;
    };
    if (c == 4) return pointAt(plan.upright.x).value_or(TIntersection{});
    if (!plan.equation || !(plan.high > plan.low)) return {};
    f.Differentiate(plan.equation.get(), VariableOp(plan.variable), plan.slope);
    f.rootTolerance = kToleranceOfWidth * (scene.right - scene.left) / 2;
    const long double w = (plan.high - plan.low) * kOneOver101;
    int touches = 0;
    for (int tried = 0; tried < kSubintervals; ++tried) {
        const long double a = plan.low + w * position_;
        position_ = (position_ + 1) % kSubintervals;
        long double root = 0;
        long double value = 0;
        const int code = f.FindRootInInterval(*plan.equation, plan.variable, a, root, a + w);
        bool find = code == rootfind::kFound;
        if (code == rootfind::kEndTouch) ++touches;
        if (code > 0 && plan.slope &&
            f.FindRootInInterval(*plan.slope, plan.variable, a, root, a + w) == rootfind::kFound)
            find = f.EvalAtReal(*plan.equation, plan.variable, root, value) &&
                   std::fabs(value) < kFlatZero;
        if (!find) continue;
        if (const std::optional<TIntersection> found = pointAt(root)) return *found;
    }
    return TIntersection{.result = touches > kMostTouches ? 10 : 0};
}

const examples::TTrajectory* TIntersectionSearch::CurrentPiece(const examples::TExample& curve) {
    const examples::TrajectoryList& pieces = curve.trajectories;
    if (pieces.empty()) {
        piece_.reset();
        return nullptr;
    }
    auto same = [&](const TPieceMark& mark) {
        if (mark.index >= pieces.size()) return false;
        const examples::TTrajectory& p = pieces[mark.index];
        return p.startX == mark.start.x && p.startY == mark.start.y &&
               p.endTime - p.startTime == mark.length;
    };
    if (!piece_ || !same(*piece_)) {
        // The piece is gone or was traced anew: the walk starts again on the first piece.
        const examples::TTrajectory& p = pieces.front();
        piece_ = TPieceMark{0, {p.startX, p.startY}, p.endTime - p.startTime, {p.startX, p.startY}};
        position_ = 0;
    }
    return &pieces[piece_->index];
}

TIntersection TIntersectionSearch::WalkPieces(TIntersectionScene& scene, int a, int b) {
    examples::TExample& curveA = scene.inventory[a];
    examples::TExample& curveB = scene.inventory[b];
    TExprNode* fA = curveA.Tree(3).get();
    if (!fA || !CurrentPiece(curveB)) return {};
    FormulaContext& f = scene.f;
    const TSlotGuard guard(f, {slot::kX, slot::kY});
    f.rootTolerance = kToleranceOfWidth * (scene.right - scene.left) / 2;
    const std::size_t steps = curveB.trajectories.size() * kSubintervals;
    for (std::size_t step = 0; step < steps; ++step) {
        const examples::TTrajectory& piece = curveB.trajectories[piece_->index];
        examples::TTrajectory work = piece.Clone();
        work.startX = piece_->state.x;
        work.startY = piece_->state.y;
        work.startTime = 0;
        work.endTime = piece_->length * kOneOver101;
        const TPieceCrossing crossing = FindPieceCrossing(f, curveB, work, *fA, scene.tracer);
        piece_->state = {crossing.end.x, crossing.end.y};
        if (++position_ == kSubintervals) {
            position_ = 0;
            const std::size_t next = (piece_->index + 1) % curveB.trajectories.size();
            const examples::TTrajectory& p = curveB.trajectories[next];
            piece_ = TPieceMark{
                next, {p.startX, p.startY}, p.endTime - p.startTime, {p.startX, p.startY}};
        }
        if (crossing.result != 0) continue;
        TIntersection found{1, crossing.at, 0, 0};
        // A piece traced backwards runs in negative time: the step's length is its size.
        if (const std::optional<Vec2> exact =
                RefinedMeeting(f, curveA, curveB, crossing.at, std::fabs(work.endTime)))
            found.at = *exact;
        // The traced pieces reach a step past the view's edge: a meeting there is none.
        if (!InView(scene, found.at)) continue;
        f.SetVar(slot::kX, found.at.x);
        f.SetVar(slot::kY, found.at.y);
        long double ax = 0, ay = 0, bx = 0, by = 0;
        if (Eval(f, curveA.Tree(5).get(), ax) && Eval(f, curveA.Tree(6).get(), ay) &&
            Eval(f, curveB.Tree(5).get(), bx) && Eval(f, curveB.Tree(6).get(), by)) {
            found.angle = AngleBetween({ax, ay}, {bx, by});
            if (found.angle > std::numbers::pi_v<long double> / 2)
                found.angle = std::numbers::pi_v<long double> - found.angle;
        }
        return found;
    }
    return {};
}

}  // namespace quorlin::tools2d
