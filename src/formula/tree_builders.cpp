#include "formula/tree_builders.h"

#include <algorithm>
#include <initializer_list>

namespace quorlin {

namespace {

bool AnyNull(std::initializer_list<const TExprNode*> trees) {
    return std::any_of(trees.begin(), trees.end(), [](const TExprNode* t) { return !t; });
}

NodePtr Cp(const TExprNode* t) {
    return TExprNode::CopyTree(t);
}
NodePtr K(long double value) {
    return TExprNode::NewConst(value);
}
NodePtr Leaf(int code) {
    return TExprNode::NewOp(code);
}
NodePtr Plus(NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(op::kPlus, std::move(a), std::move(b));
}
NodePtr Minus(NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(op::kMinus, std::move(a), std::move(b));
}
NodePtr Times(NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(op::kTimes, std::move(a), std::move(b));
}
NodePtr Over(NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(op::kDivide, std::move(a), std::move(b));
}
NodePtr Fn(int code, NodePtr argument) {
    return TExprNode::NewUnary(code, std::move(argument));
}
NodePtr Sq(const TExprNode* t) {
    return Fn(op::kSquare, Cp(t));
}

bool AnyNull3(const TreeVec3& u) {
    return AnyNull({u[0], u[1], u[2]});
}

}  // namespace

NodePtr MakeQuotient(const TExprNode* u, const TExprNode* v) {
    if (AnyNull({u, v})) return nullptr;
    return Over(Cp(u), Cp(v));
}

NodePtr MakeProductPlus(const TExprNode* u, const TExprNode* v, const TExprNode* w) {
    if (AnyNull({u, v, w})) return nullptr;
    return Plus(Times(Cp(u), Cp(v)), Cp(w));
}

NodePtr MakeProductMinus(const TExprNode* u, const TExprNode* v, const TExprNode* w) {
    if (AnyNull({u, v, w})) return nullptr;
    return Minus(Times(Cp(u), Cp(v)), Cp(w));
}

NodePtr MakeSumOfDifference(const TExprNode* u, const TExprNode* v, const TExprNode* w) {
    if (AnyNull({u, v, w})) return nullptr;
    return Plus(Cp(u), Minus(Cp(v), Cp(w)));
}

NodePtr MakeSumOfProducts(const TExprNode* a, const TExprNode* b, const TExprNode* c,
                          const TExprNode* d) {
    if (AnyNull({a, b, c, d})) return nullptr;
    return Plus(Times(Cp(a), Cp(b)), Times(Cp(c), Cp(d)));
}

NodePtr MakeDifferenceOfProducts(const TExprNode* a, const TExprNode* b, const TExprNode* c,
                                 const TExprNode* d) {
    if (AnyNull({a, b, c, d})) return nullptr;
    return Minus(Times(Cp(a), Cp(b)), Times(Cp(c), Cp(d)));
}

NodePtr MakeSumPlusProducts(const TExprNode* u, const TExprNode* a, const TExprNode* b,
                            const TExprNode* c, const TExprNode* d) {
    if (!u) return nullptr;
    NodePtr products = MakeSumOfProducts(a, b, c, d);
    if (!products) return nullptr;
    return Plus(Cp(u), std::move(products));
}

NodePtr MakeScaledSumOrDifference(long double c, const TExprNode* u, const TExprNode* w,
                                  bool plus) {
    if (AnyNull({u, w})) return nullptr;
    return TExprNode::NewBinary(plus ? op::kPlus : op::kMinus, Times(K(c), Cp(u)), Cp(w));
}

NodePtr MakeOpPlusProduct(int a, int b, int c) {
    return Plus(Leaf(a), Times(Leaf(b), Leaf(c)));
}

NodePtr MakeLinearInOp(long double c1, long double c2, int variableOp) {
    return Plus(Times(K(c1), Leaf(variableOp)), K(c2));
}

NodePtr MakeLinearForm2(long double a, const TExprNode* u, long double b, const TExprNode* v,
                        long double c) {
    if (AnyNull({u, v})) return nullptr;
    return Plus(Plus(Times(K(a), Cp(u)), Times(K(b), Cp(v))), K(c));
}

NodePtr MakeLinearForm3(long double a, const TExprNode* u, long double b, const TExprNode* v,
                        long double c, const TExprNode* w, long double d) {
    if (AnyNull({u, v, w})) return nullptr;
    NodePtr uv = Plus(Times(K(a), Cp(u)), Times(K(b), Cp(v)));
    return Plus(Plus(std::move(uv), Times(K(c), Cp(w))), K(d));
}

NodePtr MakeLerp(int variableOp, const TExprNode* u, const TExprNode* v) {
    if (AnyNull({u, v})) return nullptr;
    NodePtr left = Times(Minus(K(1.0L), Leaf(variableOp)), Cp(u));
    return Plus(std::move(left), Times(Leaf(variableOp), Cp(v)));
}

NodePtr MakeLineThroughPoints(const TExprNode* x1, const TExprNode* y1, const TExprNode* x2,
                              const TExprNode* y2) {
    if (AnyNull({x1, y1, x2, y2})) return nullptr;
    NodePtr slope = Over(Minus(Cp(y2), Cp(y1)), Minus(Cp(x2), Cp(x1)));
    return Plus(Cp(y1), Times(std::move(slope), Minus(Leaf(op::kVarX), Cp(x1))));
}

NodePtr MakeLineY(const TExprNode* a, const TExprNode* b, const TExprNode* c) {
    if (AnyNull({a, b, c})) return nullptr;
    return Over(Minus(Cp(c), Times(Cp(a), Leaf(op::kVarX))), Cp(b));
}

NodePtr MakeSumOfSquares(const TExprNode* u, const TExprNode* v) {
    if (AnyNull({u, v})) return nullptr;
    return Plus(Sq(u), Sq(v));
}

NodePtr MakeLength2(const TExprNode* u, const TExprNode* v) {
    NodePtr squares = MakeSumOfSquares(u, v);
    if (!squares) return nullptr;
    return Fn(op::kSqrt, std::move(squares));
}

NodePtr MakeLength3(const TExprNode* u, const TExprNode* v, const TExprNode* w) {
    if (AnyNull({u, v, w})) return nullptr;
    return Fn(op::kSqrt, Plus(Plus(Sq(u), Sq(v)), Sq(w)));
}

NodePtr MakeDotProduct3(const TreeVec3& u, const TreeVec3& v) {
    if (AnyNull3(u) || AnyNull3(v)) return nullptr;
    NodePtr first = MakeSumOfProducts(u[0], v[0], u[1], v[1]);
    return Plus(std::move(first), Times(Cp(u[2]), Cp(v[2])));
}

NodeVec3 MakeCrossProduct3(const TreeVec3& u, const TreeVec3& v) {
    NodeVec3 out;
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        const int k = (i + 2) % 3;
        out[i] = MakeDifferenceOfProducts(u[j], v[k], u[k], v[j]);
    }
    return out;
}

NodePair MakePolarXY(const TExprNode* u, const TExprNode* v) {
    if (AnyNull({u, v})) return {};
    return {Times(Cp(u), Fn(op::kCos, Cp(v))), Times(Cp(u), Fn(op::kSin, Cp(v)))};
}

NodeVec3 MakeSphericalXYZ(const TExprNode* rho, const TExprNode* phi, const TExprNode* theta) {
    if (AnyNull({rho, phi, theta})) return {};
    auto radial = [&] { return Times(Cp(rho), Fn(op::kSin, Cp(phi))); };
    return {Times(radial(), Fn(op::kCos, Cp(theta))), Times(radial(), Fn(op::kSin, Cp(theta))),
            Times(Cp(rho), Fn(op::kCos, Cp(phi)))};
}

NodePtr MakeBound(const TExprNode* at, const TExprNode* body, int slotIndex, char marker,
                  NodePtr factor) {
    if (AnyNull({at, body})) return nullptr;
    NodePtr node = Leaf(op::kBound);
    node->aux = op::BoundAux(slotIndex, marker);
    node->child[0] = Cp(at);
    node->child[1] = Cp(body);
    node->child[2] = std::move(factor);
    return node;
}

NodePtr MakeBoundLinear(const TExprNode* slope, const TExprNode* function, const TExprNode* at,
                        int slotIndex, char marker) {
    NodePtr b1 = MakeBound(at, slope, slotIndex, marker);
    NodePtr b2 = MakeBound(at, function, slotIndex, marker);
    if (!b1 || !b2) return nullptr;
    return Plus(Times(std::move(b1), Leaf(op::VariableOp(slotIndex))), std::move(b2));
}

TExprNode* SetPointSlopeTemplate(TExprNode& node, long double a, int extraSlot) {
    NodePtr hole = K(0.0L);
    TExprNode* holePtr = hole.get();
    NodePtr distance = Minus(Leaf(op::kVarX), K(a));
    TExprNode::Init(node, op::kPlus);
    node.child[0] = Leaf(extraSlot);
    node.child[1] = Times(std::move(hole), std::move(distance));
    return holePtr;
}

}  // namespace quorlin
