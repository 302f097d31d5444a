#pragma once
// What the compiler's sources share and nobody else needs: which texts of a kind are parsed
// into which trees, the record tests it asks, the split of a list text, small tree builders.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "examples/records/example.h"
#include "formula/expr_node.h"
#include "formula/opcodes.h"

namespace quorlin::examples::compile_support {

// Which of texts 1-4 a kind parses into trees 1-4.
struct TextUse {
    std::array<bool, 4> parsed{};
};
TextUse TextsOfKind(const TExample& e);

// A periodic explicit curve: its range text gives the period, not a range.
bool IsPeriodic(const TExample& e);
// A parametric curve (203, 304) with an arrow at the t of text 6.
bool HasArrowText(const TExample& e);

// The fields of a text separated by the separator outside parentheses.
std::vector<std::string_view> SplitTopLevel(std::string_view text, char separator);

// Arithmetic on trees it takes over; a null operand gives null, so a construction from an
// undefined part is undefined as a whole. Cp copies a tree that stays where it is.
inline NodePtr Cp(const TExprNode* t) {
    return TExprNode::CopyTree(t);
}
inline NodePtr K(long double v) {
    return TExprNode::NewConst(v);
}
inline NodePtr Leaf(int code) {
    return TExprNode::NewOp(code);
}
inline NodePtr Binary(int code, NodePtr a, NodePtr b) {
    if (!a || !b) return nullptr;
    return TExprNode::NewBinary(code, std::move(a), std::move(b));
}
inline NodePtr Add(NodePtr a, NodePtr b) {
    return Binary(op::kPlus, std::move(a), std::move(b));
}
inline NodePtr Sub(NodePtr a, NodePtr b) {
    return Binary(op::kMinus, std::move(a), std::move(b));
}
inline NodePtr Mul(NodePtr a, NodePtr b) {
    return Binary(op::kTimes, std::move(a), std::move(b));
}
inline NodePtr Div(NodePtr a, NodePtr b) {
    return Binary(op::kDivide, std::move(a), std::move(b));
}
inline NodePtr Pow(NodePtr a, long double exponent) {
    return Binary(op::kPower, std::move(a), K(exponent));
}
inline NodePtr Fn(int code, NodePtr argument) {
    if (!argument) return nullptr;
    return TExprNode::NewUnary(code, std::move(argument));
}
// value, or fallback where value is undefined.
inline NodePtr Fallback(NodePtr value, NodePtr fallback) {
    return Binary(op::kFallback, std::move(value), std::move(fallback));
}

// Splits a number that packs two letters as 100 h + u; false when it is not a usable packing.
bool UnpackLetterPair(long double packed, int& h, int& u);

}  // namespace quorlin::examples::compile_support
