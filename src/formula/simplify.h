#pragma once
// Algebraic simplification of expression trees.
//
// The constructors in quorlin::algebra build a node and apply the obvious identities on the
// spot (x + 0, x * 1, x * 0, x ^ 1, x ^ 0, - - x, arithmetic of two real constants), so that
// the derivative and the tree builders never grow trees that a reader would write shorter.
// Each identity keeps the value wherever the unsimplified tree was defined; it may only give
// a value where the original had none (0 * LN(X) at X = -1).
//
// SimplifyTree rewrites a whole tree with those identities and then folds every subtree
// without variables into one constant, using the evaluator so that a folded constant is
// exactly the value the subtree had. FormulaContext::Simplify (formula_context.h) calls it
// when the tree is defined at some random point.
#include "formula/expr_node.h"

namespace quorlin {

class FormulaContext;

namespace algebra {

NodePtr Const(long double value);
NodePtr Var(int variableOp);

NodePtr Sum(NodePtr a, NodePtr b);
NodePtr Difference(NodePtr a, NodePtr b);
NodePtr Product(NodePtr a, NodePtr b);
NodePtr Quotient(NodePtr a, NodePtr b);
NodePtr Power(NodePtr base, NodePtr exponent);
NodePtr Negation(NodePtr a);
NodePtr Square(NodePtr a);
// A one-argument built-in applied to the argument.
NodePtr Call(int code, NodePtr argument);
// A two-argument built-in or operator node.
NodePtr Call2(int code, NodePtr a, NodePtr b);

// True when the node is the real constant of that value.
bool IsConstant(const TExprNode* node, long double value);
bool IsRealConstant(const TExprNode* node);

}  // namespace algebra

// Rewrites the tree with the identities of quorlin::algebra, bottom up, in place.
void ApplyIdentities(NodePtr& tree);

// Replaces every constant subtree that evaluates in the context's mode by its value.
void FoldConstants(FormulaContext& context, NodePtr& tree);

}  // namespace quorlin
