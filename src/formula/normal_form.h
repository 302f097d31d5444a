#pragma once
// Sums of terms in a normal form, so that derivatives stay small at every order.
//
// CollectTerms rewrites a tree as a sum of terms c * f1^e1 * ... * fk^ek with real
// coefficients c and numeric exponents e. A factor f is a variable, a function of collected
// arguments, a power with a variable exponent, or a sum that is not multiplied out. Terms
// with the same factors add up, factors of the same base multiply into one power (X * X^-3
// is X^-2), and a product of sums is multiplied out while the result stays small. Repeated
// derivatives of quotients and roots thus keep one term where the plain rules pile up
// quotients of quotients: the ninth derivative of LN(X) is 40320 / X^9.
//
// The rewriting keeps the value wherever the original tree was defined; like the identities
// of simplify.h it may give a value where the original had none (X^-1 * X is 1 at 0). Powers
// of sums are not expanded, and a root of a product is split only where that is exact
// ((4X)^0.5 is 2 X^0.5, (X^2)^0.5 stays). Difference stencils of the differentiator stay
// whole, so that differentiating them again still raises their order.
#include "formula/expr_node.h"
#include "formula/work_budget.h"

namespace quorlin {

// The tree in collected form, a new tree; the work is spent from the budget when one is
// given.
NodePtr CollectTerms(const TExprNode& tree, WorkBudget* budget = nullptr);

// True for the difference stencil that the differentiator builds where it has no rule: a
// quotient by a constant of samples of a function (bound nodes marked 'D').
bool IsDifferenceStencil(const TExprNode& node);
inline constexpr char kStencilMarker = 'D';

}  // namespace quorlin
