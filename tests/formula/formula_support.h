#pragma once
// Helpers shared by the formula tests: parsing without ceremony, the value of a text or of a
// tree at a point (NaN where it is undefined) and a fourth-order difference quotient that also
// tells when a point lies too close to a kink or jump to be compared.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_context.h"

namespace quorlin::testing_support {

// The blank-separated words of a text: a list of formulas that clang-format leaves packed.
inline std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream stream{std::string(text)};
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

inline NodePtr ParseTree(FormulaContext& ctx, std::string_view text) {
    EXPECT_EQ(ctx.Parse(text), 0) << text;
    return ctx.TakeParseResult();
}

// The real value of a formula text at the current variables, NaN where it has none.
inline long double ValueOf(FormulaContext& ctx, std::string_view text) {
    NodePtr tree = ParseTree(ctx, text);
    return tree && ctx.Evaluate(*tree) ? tree->re : NAN;
}

// d tree / d variable, or null where the tree is null.
inline NodePtr Derivative(FormulaContext& ctx, const TExprNode* tree, int variableOp = op::kVarX) {
    NodePtr derivative;
    ctx.Differentiate(tree, variableOp, derivative);
    return derivative;
}

// The value at (x, y, z), or NaN where the tree is undefined.
inline long double ValueAt(FormulaContext& ctx, TExprNode& tree, long double x,
                           long double y = 0.0L, long double z = 0.0L) {
    ctx.SetVar(slot::kX, x);
    ctx.SetVar(slot::kY, y);
    ctx.SetVar(slot::kZ, z);
    return ctx.Evaluate(tree) ? tree.re : NAN;
}

// d tree / d slot at the current variables by a five-point difference, or nothing when the
// tree is undefined nearby or the plain central difference disagrees (a kink or a jump).
inline std::optional<long double> NumericDerivative(FormulaContext& ctx, TExprNode& tree,
                                                    int slotIndex) {
    constexpr long double h = 1e-3L;
    const Complex centre = ctx.vars.value[slotIndex];
    long double f[5];
    bool defined = true;
    for (int i = 0; i < 5; ++i) {
        ctx.SetVar(slotIndex, centre.real() + (i - 2) * h);
        defined = ctx.Evaluate(tree) && std::isfinite(tree.re) && defined;
        f[i] = tree.re;
    }
    ctx.vars.value[slotIndex] = centre;
    if (!defined) return std::nullopt;
    const long double fine = (f[0] - 8 * f[1] + 8 * f[3] - f[4]) / (12 * h);
    const long double coarse = (f[3] - f[1]) / (2 * h);
    if (std::fabs(fine - coarse) > 1e-4L * (1 + std::fabs(fine))) return std::nullopt;
    return fine;
}

// The fixture of most formula tests: a fresh context and shorthands for it.
class FormulaTest : public ::testing::Test {
protected:
    NodePtr Parse(std::string_view text) { return ParseTree(ctx, text); }
    // The value of a tree at (x, y, z), NaN where it is missing or undefined.
    long double At(const NodePtr& tree, long double x, long double y = 0, long double z = 0) {
        EXPECT_NE(tree, nullptr);
        return tree ? ValueAt(ctx, *tree, x, y, z) : NAN;
    }
    FormulaContext ctx;
};

}  // namespace quorlin::testing_support
