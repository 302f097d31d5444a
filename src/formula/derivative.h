#pragma once
// Symbolic differentiation of expression trees.
//
// Derivative builds a new tree, the partial derivative of a tree with respect to one variable
// letter (X, Y, Z, T, U, R, or any other letter), and never fails: operators, the one- and
// two-argument built-ins, JOIN pieces, bound nodes (Taylor coefficients, tangent lines),
// fallback, periodic and vector nodes each have their rule; a node without one (ZETA, DIGAMMA,
// ARG and the compiler's special nodes) is differentiated by a central difference written as
// a tree of bound nodes, so the result is still defined wherever the node is differentiable.
// Each result is collected into a sum of terms (normal_form.h), so that the next order starts
// from a small tree; a derivative that would still grow beyond a node budget is taken as a
// central difference of the whole tree, so a derivative always comes back in bounded time.
//
// The derivative rules of the one-argument built-ins live in the name table
// (SetDerivativeRule); InstallDerivativeRules puts them there and runs once by itself on the
// first differentiation. FormulaContext::Differentiate (formula_context.h) adds the
// simplification that the context's simplify option asks for.
#include "formula/expr_node.h"
#include "formula/work_budget.h"

namespace quorlin {

// The derivative of the tree in the variable, or null for a null tree. The work is spent
// from the budget when one is given (it throws WorkBudget::Exhausted past its bound).
NodePtr Derivative(const TExprNode* tree, int variableOp, WorkBudget* budget = nullptr);

// Registers the derivative rule of every one-argument built-in that has one; idempotent.
void InstallDerivativeRules();

}  // namespace quorlin
