#pragma once
// The Taylor template: the Horner scheme of degree 9 from which every Taylor polynomial of an
// explicit curve is made,
//   c0 + (c1 + (c2 + ... + (c8 + c9 (X - a)) (X - a) ...) (X - a)) (X - a),
// in which each coefficient c_k and each centre a is a bound node (marker 'A', slot X). A
// coefficient node of order k evaluates f^(k) at the centre and multiplies it by 1/k!; a
// centre node evaluates X at the centre, which is the centre's value. The template is made
// once per context; a polynomial is a copy of it, cut after its degree, whose bound nodes
// receive the centre tree and the derivative trees. Each polynomial re-evaluates its centre,
// so a centre given as a parameter moves the polynomial with the parameter's slider.
#include <span>
#include <string>

#include "formula/expr_node.h"

namespace quorlin {

class FormulaContext;

inline constexpr int kTaylorMaxDegree = 9;
// Bound nodes of the template carry their order (0..9, 10 for the centre) in aux bits 16-23.
inline constexpr int kTaylorCentreOrder = 10;
constexpr int TaylorOrder(int aux) {
    return (aux >> 16) & 0xFF;
}

// The template as formula text, with the constant 10 + k for c_k and 20 for the centre.
std::string TaylorTemplateText();

// Turns every placeholder constant 10..20 of a parsed template into its bound node.
void PrepareTaylorTemplate(TExprNode& tree);

// The prepared template, built without the parser; InstallTaylorTemplate stores one in the
// context (FormulaContext::taylorTemplate).
NodePtr MakeTaylorTemplate();
void InstallTaylorTemplate(FormulaContext& context);

// Replaces the nested term after `degree` steps by the constant 0: coefficients 0..degree stay.
void TruncateTaylorTemplate(TExprNode& tree, int degree);

// Gives each bound node of order k the centre as first child and derivatives[k] as second
// child; orders without a derivative tree (the centre nodes) get the fallback, which is the
// variable X for a template, so that they yield the centre itself.
void InsertTaylorDerivatives(TExprNode& tree, std::span<const NodePtr> derivatives,
                             const TExprNode& centre, const TExprNode& fallback);

// T(X) = sum over k = 0..degree of f^(k)(a)/k! (X - a)^k, in the template's Horner form, with
// the derivatives from context.Differentiate. Null when degree is outside 0..9, f is null or a
// derivative fails.
NodePtr MakeTaylorPolynomial(FormulaContext& context, const TExprNode* f, const TExprNode& centre,
                             int degree);

}  // namespace quorlin
