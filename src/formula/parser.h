#pragma once
// The formula parser: upper-case text to an expression tree.
//
// Grammar, loosest binding first:
//   sum      := product { ('+' | '-') product }
//   product  := unary { ('*' | '/') unary | power }      a factor after a factor multiplies
//   unary    := ('-' | '+') unary | power
//   power    := primary [ '^' unary ]                     right-associative
//   primary  := number | '(' sum ')' | name '(' args ')' | PI | letter
// A name (built-in, user function, JOINx, DERx) is read as one where '(' follows it (blanks
// between are allowed). A built-in name or a form without its parenthesis ("SIN X", "LN 2",
// "COS^2(X)") is refused with 105 rather than read as a product of letters; a user-function
// name without one stays letters. Numbers may carry an exponent ("1E-12"). Blanks separate
// tokens and are otherwise ignored.
//
//   JOINv(f1, b1, f2, b2, f3, ...)   f1 where v < b1, f2 where b1 <= v < b2, ..., v one of
//                                    X Y Z T U R
//   DERv(n, f)                       the n-th derivative (n = 0..9) of f in v; DERX(n, Y) is
//                                    y^(n) of a derx(n,y) differential equation
//
// Error numbers: 101 a form that cannot be used (DERv order, a call of a function without a
// tree, a user function that would call itself), 102 unbalanced parentheses, 103 unknown name
// (JOIN or DER with a letter that is no variable), 104 operand missing, 105 argument missing
// (also a built-in name without its parenthesis), 107 too many arguments, 108 unexpected
// character, 110 formula too long (also past the work budget of one parse), 113 nested too
// deeply, 117 wrong number of arguments.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "formula/expr_node.h"

namespace quorlin {

class FormulaContext;

namespace parse_error {
inline constexpr int kNotUsable = 101;
inline constexpr int kParentheses = 102;
inline constexpr int kUnknownName = 103;
inline constexpr int kOperandMissing = 104;
inline constexpr int kArgumentMissing = 105;
inline constexpr int kTooManyArguments = 107;
inline constexpr int kUnexpectedCharacter = 108;
inline constexpr int kTooLong = 110;
inline constexpr int kTooDeep = 113;
inline constexpr int kArgumentCount = 117;
}  // namespace parse_error

// The length of the name (built-in, user function, JOINv, DERv, PI) that the parser reads at
// pos of the upper-case text, 0 where it reads a letter: a name counts only where '(' follows
// it (PI needs none), and the longest one wins. definedName, when given, counts as a user
// function too. Each length is looked up, so the cost does not grow with the functions.
std::size_t NameLengthAt(const FormulaContext& context, std::string_view upperText, std::size_t pos,
                         std::string_view definedName = {});

// What a parse of a user function's body needs beyond the text.
struct BodyParse {
    // The function being defined: a call of it, or of any function in callers (those that
    // call it), is refused with 101, since the body would then call itself.
    std::string_view name;
    const std::unordered_set<std::string>* callers = nullptr;
};

// The user functions of the context that the text calls, each once, in the order of the text;
// read as the parser reads names, without parsing.
std::vector<std::string> CalledUserFunctions(const FormulaContext& context,
                                             std::string_view upperText);

// Parses an upper-case text into out; returns 0 or an error number (out then empty).
// User functions are inlined from the context; DERv forms call its Differentiate. The parse
// spends from a work budget of its own, which draws on the context's budget in force.
int ParseFormula(FormulaContext& context, std::string_view upperText, NodePtr& out,
                 const BodyParse* body = nullptr);

}  // namespace quorlin
