#include "tools2d/derived/plane_maps.h"

#include "formula/opcodes.h"

namespace quorlin::tools2d {

namespace {

NodePtr Num(long double v) {
    return TExprNode::NewConst(v);
}
NodePtr Cp(const TExprNode* t) {
    return TExprNode::CopyTree(t);
}
bool IsConst(const NodePtr& t, long double v) {
    return t && t->op == op::kConst && t->re == v && t->im == 0;
}
bool Missing(const NodePtr& a, const NodePtr& b) {
    return !a || !b;
}

// The arithmetic of the map builders: null in, null out; the constants 0 and 1 fold away.
NodePtr Mul(NodePtr a, NodePtr b) {
    if (Missing(a, b)) return nullptr;
    if (IsConst(a, 0) || IsConst(b, 0)) return Num(0);
    if (IsConst(a, 1)) return b;
    if (IsConst(b, 1)) return a;
    if (IsConst(a, -1)) return TExprNode::NewUnary(op::kNegate, std::move(b));
    if (IsConst(b, -1)) return TExprNode::NewUnary(op::kNegate, std::move(a));
    return TExprNode::NewBinary(op::kTimes, std::move(a), std::move(b));
}
NodePtr Add(NodePtr a, NodePtr b) {
    if (Missing(a, b)) return nullptr;
    if (IsConst(a, 0)) return b;
    if (IsConst(b, 0)) return a;
    return TExprNode::NewBinary(op::kPlus, std::move(a), std::move(b));
}
NodePtr Sub(NodePtr a, NodePtr b) {
    if (Missing(a, b)) return nullptr;
    if (IsConst(b, 0)) return a;
    if (IsConst(a, 0)) return TExprNode::NewUnary(op::kNegate, std::move(b));
    return TExprNode::NewBinary(op::kMinus, std::move(a), std::move(b));
}
NodePtr Div(NodePtr a, NodePtr b) {
    if (Missing(a, b)) return nullptr;
    return TExprNode::NewBinary(op::kDivide, std::move(a), std::move(b));
}
NodePtr Fn(int code, const TExprNode* argument) {
    return argument ? TExprNode::NewUnary(code, Cp(argument)) : nullptr;
}

TAffineMap Affine(NodePtr m00, NodePtr m01, NodePtr m10, NodePtr m11, NodePtr t0, NodePtr t1) {
    TAffineMap map;
    map.m[0][0] = std::move(m00);
    map.m[0][1] = std::move(m01);
    map.m[1][0] = std::move(m10);
    map.m[1][1] = std::move(m11);
    map.t[0] = std::move(t0);
    map.t[1] = std::move(t1);
    return map;
}

TAffineMap Copy(const TAffineMap& map) {
    return Affine(Cp(map.m[0][0].get()), Cp(map.m[0][1].get()), Cp(map.m[1][0].get()),
                  Cp(map.m[1][1].get()), Cp(map.t[0].get()), Cp(map.t[1].get()));
}

// A map that is its own inverse.
TPlaneMap Involution(TAffineMap map) {
    TPlaneMap both{Copy(map), {}};
    both.inverse = std::move(map);
    return both;
}

// m0 u + m1 v + t of copies.
NodePtr Row(const NodePtr& m0, const NodePtr& m1, const NodePtr* t, const TExprNode* u,
            const TExprNode* v) {
    if (!u || !v) return nullptr;
    NodePtr sum = Add(Mul(Cp(m0.get()), Cp(u)), Mul(Cp(m1.get()), Cp(v)));
    if (!t) return sum;
    return Add(std::move(sum), Cp(t->get()));
}

}  // namespace

TPlaneMap ReflectInXAxis() {
    return Involution(Affine(Num(1), Num(0), Num(0), Num(-1), Num(0), Num(0)));
}

TPlaneMap ReflectInYAxis() {
    return Involution(Affine(Num(-1), Num(0), Num(0), Num(1), Num(0), Num(0)));
}

TPlaneMap ReflectInDiagonal() {
    return Involution(Affine(Num(0), Num(1), Num(1), Num(0), Num(0), Num(0)));
}

TPlaneMap ReflectInLine(const TExprNode* a, const TExprNode* b, const TExprNode* c) {
    // With s = a^2 + b^2: x' = (2ac + (b^2 - a^2) x - 2ab y) / s, y' = (2bc - 2ab x + (a^2 -
    // b^2) y) / s.
    const NodePtr s = MakeSumOfSquares(a, b);
    auto over = [&s](NodePtr u) { return Div(std::move(u), Cp(s.get())); };
    auto twice = [](NodePtr u, NodePtr v) { return Mul(Num(2), Mul(std::move(u), std::move(v))); };
    const NodePtr aa = Fn(op::kSquare, a), bb = Fn(op::kSquare, b);
    const NodePtr ab = twice(Cp(a), Cp(b));
    return Involution(Affine(
        over(Sub(Cp(bb.get()), Cp(aa.get()))), over(TExprNode::NewUnary(op::kNegate, Cp(ab.get()))),
        over(TExprNode::NewUnary(op::kNegate, Cp(ab.get()))), over(Sub(Cp(aa.get()), Cp(bb.get()))),
        over(twice(Cp(a), Cp(c))), over(twice(Cp(b), Cp(c)))));
}

TPlaneMap HalfTurnAbout(const TExprNode* cx, const TExprNode* cy) {
    return Involution(
        Affine(Num(-1), Num(0), Num(0), Num(-1), Mul(Num(2), Cp(cx)), Mul(Num(2), Cp(cy))));
}

TPlaneMap RotateAbout(const TExprNode* angle, const TExprNode* cx, const TExprNode* cy) {
    // x' = cx + (x - cx) c - (y - cy) s, y' = cy + (y - cy) c + (x - cx) s: the turn R, then the
    // shift centre - R centre. The inverse turns back through -angle about the same centre.
    const NodePtr c = Fn(op::kCos, angle), s = Fn(op::kSin, angle);
    auto neg = [](const NodePtr& u) { return TExprNode::NewUnary(op::kNegate, Cp(u.get())); };
    auto aboutCentre = [&](TAffineMap turn) {
        const NodePair turned = MapVector(turn, cx, cy);
        turn.t[0] = Sub(Cp(cx), Cp(turned[0].get()));
        turn.t[1] = Sub(Cp(cy), Cp(turned[1].get()));
        return turn;
    };
    TPlaneMap map;
    map.forward =
        aboutCentre(Affine(Cp(c.get()), neg(s), Cp(s.get()), Cp(c.get()), Num(0), Num(0)));
    map.inverse =
        aboutCentre(Affine(Cp(c.get()), Cp(s.get()), neg(s), Cp(c.get()), Num(0), Num(0)));
    return map;
}

TPlaneMap TranslateBy(const TExprNode* a, const TExprNode* b) {
    TPlaneMap map;
    map.forward = Affine(Num(1), Num(0), Num(0), Num(1), Cp(a), Cp(b));
    map.inverse = Affine(Num(1), Num(0), Num(0), Num(1), Sub(Num(0), Cp(a)), Sub(Num(0), Cp(b)));
    return map;
}

NodePair MapPoint(const TAffineMap& map, const TExprNode* u, const TExprNode* v) {
    return {Row(map.m[0][0], map.m[0][1], &map.t[0], u, v),
            Row(map.m[1][0], map.m[1][1], &map.t[1], u, v)};
}

NodePair MapVector(const TAffineMap& map, const TExprNode* u, const TExprNode* v) {
    return {Row(map.m[0][0], map.m[0][1], nullptr, u, v),
            Row(map.m[1][0], map.m[1][1], nullptr, u, v)};
}

NodePtr SubstituteXY(const TExprNode* tree, const TExprNode* u, const TExprNode* v) {
    if (!tree || !u || !v) return nullptr;
    NodePtr result = Cp(tree);
    TExprNode::SubstituteVarByOp(result.get(), op::kVarX, op::kPlaceholder1);
    TExprNode::SubstituteVarByOp(result.get(), op::kVarY, op::kPlaceholder2);
    TExprNode::SubstituteVar(result, op::kPlaceholder1, *u);
    TExprNode::SubstituteVar(result, op::kPlaceholder2, *v);
    return result;
}

NodePtr PullBack(const TPlaneMap& map, const TExprNode* tree) {
    const NodePtr x = TExprNode::NewOp(op::kVarX), y = TExprNode::NewOp(op::kVarY);
    const NodePair from = MapPoint(map.inverse, x.get(), y.get());
    return SubstituteXY(tree, from[0].get(), from[1].get());
}

std::array<NodePtr, 3> MapLine(const TPlaneMap& map, const TExprNode* a, const TExprNode* b,
                               const TExprNode* c) {
    // a x + b y = c with (x, y) = inverse(X, Y): the X and Y coefficients and the constant.
    const TAffineMap& n = map.inverse;
    auto coefficient = [&](int column) {
        return Add(Mul(Cp(a), Cp(n.m[0][column].get())), Mul(Cp(b), Cp(n.m[1][column].get())));
    };
    NodePtr moved = Add(Mul(Cp(a), Cp(n.t[0].get())), Mul(Cp(b), Cp(n.t[1].get())));
    return {coefficient(0), coefficient(1), Sub(Cp(c), std::move(moved))};
}

bool KeepsGraphs(const TAffineMap& map) {
    return IsConst(map.m[0][1], 0) && IsConst(map.m[1][0], 0) &&
           (IsConst(map.m[0][0], 1) || IsConst(map.m[0][0], -1));
}

long double XFactor(const TAffineMap& map) {
    return IsConst(map.m[0][0], -1) ? -1 : 1;
}

}  // namespace quorlin::tools2d
