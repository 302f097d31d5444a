#include "formula/simplify.h"

#include <algorithm>
#include <array>
#include <random>

#include "formula/formula_context.h"
#include "formula/name_table.h"

namespace quorlin {

namespace algebra {

namespace {

bool BothReal(const NodePtr& a, const NodePtr& b) {
    return IsRealConstant(a.get()) && IsRealConstant(b.get());
}

bool IsNegation(const NodePtr& node) {
    return node && node->op == op::kNegate && node->child[1];
}

// The argument of a negation, taken out of it.
NodePtr Unnegated(NodePtr& negation) {
    return std::move(negation->child[1]);
}

}  // namespace

NodePtr Const(long double value) {
    return TExprNode::NewConst(value);
}

NodePtr Var(int variableOp) {
    return TExprNode::NewOp(variableOp);
}

bool IsRealConstant(const TExprNode* node) {
    return node && node->op == op::kConst && node->im == 0.0L;
}

bool IsConstant(const TExprNode* node, long double value) {
    return IsRealConstant(node) && node->re == value;
}

NodePtr Sum(NodePtr a, NodePtr b) {
    if (IsConstant(a.get(), 0.0L) && b) return b;
    if (IsConstant(b.get(), 0.0L) && a) return a;
    if (BothReal(a, b)) return Const(a->re + b->re);
    if (IsNegation(b)) return Difference(std::move(a), Unnegated(b));
    if (IsNegation(a)) return Difference(std::move(b), Unnegated(a));
    return TExprNode::NewBinary(op::kPlus, std::move(a), std::move(b));
}

NodePtr Difference(NodePtr a, NodePtr b) {
    if (IsConstant(b.get(), 0.0L) && a) return a;
    if (IsConstant(a.get(), 0.0L) && b) return Negation(std::move(b));
    if (BothReal(a, b)) return Const(a->re - b->re);
    if (IsNegation(b)) return Sum(std::move(a), Unnegated(b));
    return TExprNode::NewBinary(op::kMinus, std::move(a), std::move(b));
}

NodePtr Product(NodePtr a, NodePtr b) {
    if (!a || !b) return TExprNode::NewBinary(op::kTimes, std::move(a), std::move(b));
    if (IsConstant(a.get(), 0.0L) || IsConstant(b.get(), 0.0L)) return Const(0.0L);
    if (IsConstant(a.get(), 1.0L)) return b;
    if (IsConstant(b.get(), 1.0L)) return a;
    if (IsConstant(a.get(), -1.0L)) return Negation(std::move(b));
    if (IsConstant(b.get(), -1.0L)) return Negation(std::move(a));
    if (BothReal(a, b)) return Const(a->re * b->re);
    if (IsNegation(a) && IsNegation(b)) return Product(Unnegated(a), Unnegated(b));
    if (IsNegation(a)) return Negation(Product(Unnegated(a), std::move(b)));
    if (IsNegation(b)) return Negation(Product(std::move(a), Unnegated(b)));
    // Constants go in front, and two of them in a row become one.
    if (IsRealConstant(b.get())) std::swap(a, b);
    if (IsRealConstant(a.get()) && b->op == op::kTimes && IsRealConstant(b->Left()))
        return Product(Const(a->re * b->Left()->re), std::move(b->child[1]));
    return TExprNode::NewBinary(op::kTimes, std::move(a), std::move(b));
}

NodePtr Quotient(NodePtr a, NodePtr b) {
    if (!a || !b) return TExprNode::NewBinary(op::kDivide, std::move(a), std::move(b));
    if (IsConstant(b.get(), 1.0L)) return a;
    if (IsConstant(b.get(), -1.0L)) return Negation(std::move(a));
    if (IsConstant(a.get(), 0.0L) && !IsConstant(b.get(), 0.0L)) return Const(0.0L);
    if (BothReal(a, b) && b->re != 0.0L) return Const(a->re / b->re);
    if (IsNegation(a)) return Negation(Quotient(Unnegated(a), std::move(b)));
    return TExprNode::NewBinary(op::kDivide, std::move(a), std::move(b));
}

NodePtr Power(NodePtr base, NodePtr exponent) {
    if (!base || !exponent)
        return TExprNode::NewBinary(op::kPower, std::move(base), std::move(exponent));
    if (IsConstant(exponent.get(), 1.0L)) return base;
    if (IsConstant(exponent.get(), 0.0L) || IsConstant(base.get(), 1.0L)) return Const(1.0L);
    if (IsConstant(exponent.get(), 2.0L)) return Square(std::move(base));
    return TExprNode::NewBinary(op::kPower, std::move(base), std::move(exponent));
}

NodePtr Negation(NodePtr a) {
    if (!a) return TExprNode::NewUnary(op::kNegate, nullptr);
    if (IsNegation(a)) return Unnegated(a);
    // A constant changes sign in place, without a -0 imaginary part that would move a real
    // -4 to the lower side of the branch cuts.
    TExprNode::NegateInPlace(a);
    return a;
}

NodePtr Square(NodePtr a) {
    if (IsRealConstant(a.get())) return Const(a->re * a->re);
    if (IsNegation(a)) return Square(Unnegated(a));
    return TExprNode::NewUnary(op::kSquare, std::move(a));
}

NodePtr Call(int code, NodePtr argument) {
    return TExprNode::NewUnary(code, std::move(argument));
}

NodePtr Call2(int code, NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(code, std::move(a), std::move(b));
}

}  // namespace algebra

namespace {

// Operations whose value depends on nothing but their children.
bool IsPureOperation(int code) {
    if (op::IsBinaryOperator(code) || code == op::kNegate || code == op::kSquare) return true;
    return code != op::kJoin && FindBuiltin(code) != nullptr;
}

// The constructors that apply the identities, by the operation they build.
struct BinaryRewrite {
    int code;
    NodePtr (*build)(NodePtr, NodePtr);
};
struct UnaryRewrite {
    int code;
    NodePtr (*build)(NodePtr);
};
constexpr BinaryRewrite kBinaryRewrites[] = {
    {op::kPlus, algebra::Sum},      {op::kMinus, algebra::Difference},
    {op::kTimes, algebra::Product}, {op::kDivide, algebra::Quotient},
    {op::kPower, algebra::Power},
};
constexpr UnaryRewrite kUnaryRewrites[] = {{op::kNegate, algebra::Negation},
                                           {op::kSquare, algebra::Square}};

}  // namespace

void ApplyIdentities(NodePtr& tree) {
    if (!tree) return;
    for (auto& c : tree->child) ApplyIdentities(c);
    NodePtr& a = tree->child[0];
    NodePtr& b = tree->child[1];
    for (const BinaryRewrite& rewrite : kBinaryRewrites)
        if (rewrite.code == tree->op && a && b) {
            tree = rewrite.build(std::move(a), std::move(b));
            return;
        }
    for (const UnaryRewrite& rewrite : kUnaryRewrites)
        if (rewrite.code == tree->op && b) {
            tree = rewrite.build(std::move(b));
            return;
        }
}

void FoldConstants(FormulaContext& context, NodePtr& tree) {
    if (!tree || tree->op == op::kConst) return;
    for (auto& c : tree->child) FoldConstants(context, c);
    if (!IsPureOperation(tree->op)) return;
    const bool leavesOnly = std::all_of(tree->child.begin(), tree->child.end(),
                                        [](const NodePtr& c) { return !c || c->op == op::kConst; });
    if (!leavesOnly || !context.Evaluate(*tree)) return;
    const long double im = context.complexMode ? tree->im : 0.0L;
    TExprNode::Init(*tree, op::kConst, tree->re);
    tree->im = im;
}

void FormulaContext::Simplify(NodePtr& tree) {
    if (!tree) return;
    // Identities such as x * 0 = 0 would give a value to a tree that has none anywhere, so a
    // tree is only touched when it is defined at one point at least.
    const long long nodes = TExprNode::CountNodes(tree.get());
    bool defined = false;
    {
        // Gives the plot variables back also when the work budget runs out.
        struct SavedSlots {
            explicit SavedSlots(TVariableTable& t) : table(t), saved(t) {}
            ~SavedSlots() { table = saved; }
            TVariableTable& table;
            const TVariableTable saved;
        } savedSlots(vars);
        constexpr std::array kPlotSlots = {slot::kX, slot::kY, slot::kZ};
        std::minstd_rand generator(20261206u);
        std::uniform_real_distribution<long double> coordinate(-5.0L, 5.0L);
        for (int attempt = 0; attempt < 100 && !defined; ++attempt) {
            Spend(Budget(), nodes);
            for (const int s : kPlotSlots) SetVar(s, coordinate(generator));
            defined = Evaluate(*tree);
        }
    }
    if (!defined) return;
    Spend(Budget(), 3 * nodes);
    ApplyIdentities(tree);
    FoldConstants(*this, tree);
    ApplyIdentities(tree);
}

}  // namespace quorlin
