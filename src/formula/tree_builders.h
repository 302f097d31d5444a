#pragma once
// Builders of expression trees from other trees: the vector algebra (dot and cross products,
// lengths), coordinate changes (polar, spherical), lines and linear forms, and the bound
// constructions that evaluate one tree at a point given by another (tangent lines, the
// point-slope chain of a polynomial through points).
//
// Every builder works on copies and leaves its inputs alone. A null input stands for an
// undefined tree, and a result built from one is null too, so a caller never needs to check
// each part before building. Results are plain trees; nothing is simplified.
#include <array>

#include "formula/expr_node.h"

namespace quorlin {

using TreeVec3 = std::array<const TExprNode*, 3>;
using NodeVec3 = std::array<NodePtr, 3>;
using NodePair = std::array<NodePtr, 2>;

// --- sums and products ---------------------------------------------------------------------
NodePtr MakeQuotient(const TExprNode* u, const TExprNode* v);                             // u/v
NodePtr MakeProductPlus(const TExprNode* u, const TExprNode* v, const TExprNode* w);      // uv+w
NodePtr MakeProductMinus(const TExprNode* u, const TExprNode* v, const TExprNode* w);     // uv-w
NodePtr MakeSumOfDifference(const TExprNode* u, const TExprNode* v, const TExprNode* w);  // u+(v-w)
// a*b + c*d and a*b - c*d.
NodePtr MakeSumOfProducts(const TExprNode* a, const TExprNode* b, const TExprNode* c,
                          const TExprNode* d);
NodePtr MakeDifferenceOfProducts(const TExprNode* a, const TExprNode* b, const TExprNode* c,
                                 const TExprNode* d);
// u + (a*b + c*d).
NodePtr MakeSumPlusProducts(const TExprNode* u, const TExprNode* a, const TExprNode* b,
                            const TExprNode* c, const TExprNode* d);
// c*u + w, or c*u - w when plus is false.
NodePtr MakeScaledSumOrDifference(long double c, const TExprNode* u, const TExprNode* w, bool plus);
// a + b*c from three leaves of the given operation codes (variables).
NodePtr MakeOpPlusProduct(int a, int b, int c);

// --- linear forms and lines ----------------------------------------------------------------
// c1 * v + c2 for the variable v.
NodePtr MakeLinearInOp(long double c1, long double c2, int variableOp);
// a*u + b*v + c and a*u + b*v + c*w + d.
NodePtr MakeLinearForm2(long double a, const TExprNode* u, long double b, const TExprNode* v,
                        long double c);
NodePtr MakeLinearForm3(long double a, const TExprNode* u, long double b, const TExprNode* v,
                        long double c, const TExprNode* w, long double d);
// (1 - t)*u + t*v for the variable t.
NodePtr MakeLerp(int variableOp, const TExprNode* u, const TExprNode* v);
// y1 + (y2 - y1)/(x2 - x1)*(X - x1).
NodePtr MakeLineThroughPoints(const TExprNode* x1, const TExprNode* y1, const TExprNode* x2,
                              const TExprNode* y2);
// (c - a*X)/b, the line a x + b y = c solved for y.
NodePtr MakeLineY(const TExprNode* a, const TExprNode* b, const TExprNode* c);

// --- lengths and vectors -------------------------------------------------------------------
NodePtr MakeSumOfSquares(const TExprNode* u, const TExprNode* v);  // u^2 + v^2
NodePtr MakeLength2(const TExprNode* u, const TExprNode* v);       // SQRT(u^2 + v^2)
NodePtr MakeLength3(const TExprNode* u, const TExprNode* v, const TExprNode* w);
NodePtr MakeDotProduct3(const TreeVec3& u, const TreeVec3& v);
NodeVec3 MakeCrossProduct3(const TreeVec3& u, const TreeVec3& v);

// --- coordinate changes --------------------------------------------------------------------
// u COS(v), u SIN(v).
NodePair MakePolarXY(const TExprNode* u, const TExprNode* v);
// rho SIN(phi) COS(theta), rho SIN(phi) SIN(theta), rho COS(phi).
NodeVec3 MakeSphericalXYZ(const TExprNode* rho, const TExprNode* phi, const TExprNode* theta);

// --- bound constructions -------------------------------------------------------------------
// A bound node: body evaluated with the variable slot set to the value of `at`, times factor
// (none counts as 1); marker tells the builders' nodes apart.
NodePtr MakeBound(const TExprNode* at, const TExprNode* body, int slotIndex, char marker,
                  NodePtr factor = nullptr);
// B1 * t + B2, with B1 = slope, B2 = function, both evaluated at t = `at`, and t the variable
// of the slot: the tangent line c(u) + t c'(u) when slope is c' and function is c.
NodePtr MakeBoundLinear(const TExprNode* slope, const TExprNode* function, const TExprNode* at,
                        int slotIndex, char marker);
// Turns the node into k + 0*(X - a), where k reads the extra real slot (12..20). Returns the
// 0 node, the place where the next link of a Newton-form chain goes.
TExprNode* SetPointSlopeTemplate(TExprNode& node, long double a, int extraSlot);

}  // namespace quorlin
