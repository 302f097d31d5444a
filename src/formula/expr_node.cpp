#include "formula/expr_node.h"

#include <utility>

namespace quorlin {

namespace {

// Applies fn to every node, parents before children.
template <typename Node, typename Fn>
void ForEachNode(Node* tree, const Fn& fn) {
    if (!tree) return;
    fn(*tree);
    for (const auto& c : tree->child) ForEachNode(c.get(), fn);
}

bool IsJoinOn(const TExprNode& node, int variableOp) {
    return node.op == op::kJoin && node.aux == variableOp;
}

}  // namespace

NodePtr TExprNode::NewConst(long double re, long double im) {
    auto node = std::make_unique<TExprNode>(op::kConst);
    node->re = re;
    node->im = im;
    return node;
}

NodePtr TExprNode::NewOp(int code) {
    return std::make_unique<TExprNode>(code);
}

NodePtr TExprNode::NewBinary(int code, NodePtr left, NodePtr right) {
    auto node = std::make_unique<TExprNode>(code);
    node->child[0] = std::move(left);
    node->child[1] = std::move(right);
    return node;
}

NodePtr TExprNode::NewUnary(int code, NodePtr argument) {
    auto node = std::make_unique<TExprNode>(code);
    node->child[1] = std::move(argument);
    return node;
}

void TExprNode::Init(TExprNode& node, int code, long double value) {
    node.op = code;
    node.re = value;
    node.im = 0.0L;
    node.aux = 0;
    for (auto& c : node.child) c.reset();
}

void TExprNode::InitWithAux(TExprNode& node, int code, int aux) {
    Init(node, code, 0.0L);
    node.aux = aux;
}

NodePtr TExprNode::CopyTree(const TExprNode* tree) {
    if (!tree) return nullptr;
    auto copy = std::make_unique<TExprNode>(tree->op);
    copy->re = tree->re;
    copy->im = tree->im;
    copy->aux = tree->aux;
    for (std::size_t i = 0; i < tree->child.size(); ++i)
        copy->child[i] = CopyTree(tree->child[i].get());
    return copy;
}

bool TExprNode::ContainsOp(const TExprNode* tree, int code) {
    if (!tree) return false;
    if (tree->op == code) return true;
    for (const auto& c : tree->child)
        if (ContainsOp(c.get(), code)) return true;
    return false;
}

int TExprNode::CheckNoXY(const TExprNode* tree) {
    return ContainsOp(tree, op::kVarX) || ContainsOp(tree, op::kVarY) ? 6 : 0;
}

int TExprNode::CountNodes(const TExprNode* tree) {
    int count = 0;
    ForEachNode(tree, [&count](const TExprNode&) { ++count; });
    return count;
}

void TExprNode::RenameOp(TExprNode* tree, int a, int b) {
    ForEachNode(tree, [a, b](TExprNode& node) {
        if (node.op == a) node.op = b;
    });
}

void TExprNode::RenameXToT(TExprNode* tree) {
    ForEachNode(tree, [](TExprNode& node) {
        if (node.op == op::kVarX) node.op = op::kVarT;
        if (IsJoinOn(node, op::kVarX)) node.aux = op::kVarT;
    });
}

void TExprNode::SubstituteVar(NodePtr& tree, int variableOp, const TExprNode& replacement) {
    if (!tree) return;
    if (tree->op == variableOp) {
        tree = CopyTree(&replacement);
        return;
    }
    for (auto& c : tree->child) SubstituteVar(c, variableOp, replacement);
}

NodePtr TExprNode::MakeSubstituted(const TExprNode* tree, int variableOp,
                                   const TExprNode& replacement) {
    NodePtr copy = CopyTree(tree);
    SubstituteVar(copy, variableOp, replacement);
    return copy;
}

void TExprNode::ShiftVar(NodePtr& tree, int variableOp, long double a) {
    ShiftVar(tree, variableOp, *NewConst(a));
}

void TExprNode::ShiftVar(NodePtr& tree, int variableOp, const TExprNode& a) {
    if (!tree) return;
    // Boundaries first: they are read as values of v, so v = b becomes v - a = b.
    ForEachNode(tree.get(), [variableOp, &a](TExprNode& node) {
        if (IsJoinOn(node, variableOp) && node.child[1])
            node.child[1] = NewBinary(op::kPlus, std::move(node.child[1]), CopyTree(&a));
    });
    const NodePtr shifted = NewBinary(op::kMinus, NewOp(variableOp), CopyTree(&a));
    // The boundaries just built must not be shifted again, so substitute outside them only.
    struct Walker {
        int variable;
        const TExprNode& replacement;
        void operator()(NodePtr& node) const {
            if (!node) return;
            if (node->op == variable) {
                node = CopyTree(&replacement);
                return;
            }
            for (std::size_t i = 0; i < node->child.size(); ++i) {
                if (IsJoinOn(*node, variable) && i == 1) continue;
                (*this)(node->child[i]);
            }
        }
    };
    Walker{variableOp, *shifted}(tree);
}

void TExprNode::SubstituteVarByOp(TExprNode* tree, int variableOp, int newOp) {
    ForEachNode(tree, [variableOp, newOp](TExprNode& node) {
        if (node.op == variableOp) Init(node, newOp);
    });
}

void TExprNode::ReplaceVarByConst(TExprNode* tree, int variableOp, long double value) {
    ForEachNode(tree, [variableOp, value](TExprNode& node) {
        if (node.op == variableOp) Init(node, op::kConst, value);
    });
}

void TExprNode::NegateInPlace(NodePtr& tree) {
    if (!tree) return;
    if (tree->op == op::kConst) {
        tree->re = -tree->re;
        tree->im = -tree->im + 0.0L;  // no -0: -4 stays on the upper side of the cuts
        return;
    }
    tree = NewUnary(op::kNegate, std::move(tree));
}

}  // namespace quorlin
