#pragma once
// Expression-tree nodes and the toolkit that copies, frees, searches and rewrites trees.
//
// A TExprNode holds an operation code (opcodes.h), a complex value as two long doubles, an
// auxiliary word and four children. Every node owns its children through std::unique_ptr,
// so a tree is freed by dropping its root and a copy is always deep; NodePtr is the owning
// handle that builders return and callers keep. The evaluator stores each node's value in
// its re and im, so a tree is evaluated in place and reads its result from the root.
//
// The builders of whole trees (MakeSumOfProducts, MakeDotProduct3, MakeCrossProduct3,
// MakeLength2/3, MakePolarXY, MakeSphericalXYZ, MakeBoundLinear, SetPointSlopeTemplate,
// MakeOpPlusProduct, ...) live in tree_builders.h, the Taylor template in taylor.h, and
// derivatives and simplification in derivative.h and simplify.h.
#include <array>
#include <memory>

#include "formula/opcodes.h"

namespace quorlin {

struct TExprNode;
using NodePtr = std::unique_ptr<TExprNode>;

struct TExprNode {
    int op = 0;
    long double re = 0.0L;
    long double im = 0.0L;
    int aux = 0;
    std::array<NodePtr, 4> child;

    TExprNode() = default;
    explicit TExprNode(int code) : op(code) {}
    TExprNode(const TExprNode&) = delete;
    TExprNode& operator=(const TExprNode&) = delete;

    TExprNode* Left() const { return child[0].get(); }
    TExprNode* Right() const { return child[1].get(); }
    // The argument of a one-argument function or of the unary minus.
    TExprNode* Argument() const { return child[1].get(); }

    // --- creation -----------------------------------------------------------------------
    // A constant node (op '#') of value re + i im.
    static NodePtr NewConst(long double re, long double im = 0.0L);
    // A node of an operation or variable letter, no children.
    static NodePtr NewOp(int op);
    // op(left, right): a binary operator or two-argument function.
    static NodePtr NewBinary(int op, NodePtr left, NodePtr right);
    // op(argument): a one-argument function or the unary minus; the argument goes to child[1].
    static NodePtr NewUnary(int op, NodePtr argument);

    // Sets op and value (imaginary part 0) and frees the children.
    static void Init(TExprNode& node, int op, long double value = 0.0L);
    // Sets op and aux, value 0, and frees the children.
    static void InitWithAux(TExprNode& node, int op, int aux);

    // --- copying and freeing -------------------------------------------------------------
    // A deep copy; null for null.
    static NodePtr CopyTree(const TExprNode* tree);
    // Frees the tree and leaves the handle null; a null handle is allowed.
    static void FreeTree(NodePtr& tree) { tree.reset(); }

    // --- searching -----------------------------------------------------------------------
    // True when a node of that op occurs anywhere in the tree (null gives false).
    static bool ContainsOp(const TExprNode* tree, int op);
    // 6 ("inconsistent data") when the variable X or Y occurs, else 0.
    static int CheckNoXY(const TExprNode* tree);
    // Node count of the tree, for limits and tests.
    static int CountNodes(const TExprNode* tree);

    // --- rewriting in place --------------------------------------------------------------
    // Every node of op a gets op b.
    static void RenameOp(TExprNode* tree, int a, int b);
    // X becomes T, and JOIN nodes on X become JOIN nodes on T.
    static void RenameXToT(TExprNode* tree);
    // Replaces the variable v by (v - a): the tree f(v) becomes f(v - a); JOIN boundaries on v
    // move by +a so that the pieces keep their places relative to the shifted graph.
    static void ShiftVar(NodePtr& tree, int variableOp, long double a);
    // The same shift by the value of a tree (copies of it go into the tree).
    static void ShiftVar(NodePtr& tree, int variableOp, const TExprNode& a);
    // Replaces each node of the variable by a copy of the replacement.
    static void SubstituteVar(NodePtr& tree, int variableOp, const TExprNode& replacement);
    // A copy of the tree with the variable replaced by copies of the replacement.
    static NodePtr MakeSubstituted(const TExprNode* tree, int variableOp,
                                   const TExprNode& replacement);
    // Replaces each node of the variable by a leaf of the new op.
    static void SubstituteVarByOp(TExprNode* tree, int variableOp, int newOp);
    // Replaces each node of the variable by a constant of that value.
    static void ReplaceVarByConst(TExprNode* tree, int variableOp, long double value);
    // tree becomes -(tree); a constant just changes sign.
    static void NegateInPlace(NodePtr& tree);
};

}  // namespace quorlin
