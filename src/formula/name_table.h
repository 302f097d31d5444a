#pragma once
// The built-in names of the formula language as one table of data.
//
// Each function has a code (opcodes.h), its names (the first is the one the program writes,
// the others are aliases), its number of arguments (0, 1 or 2) and two evaluators: a real one
// over long doubles and a complex one. An evaluator returns false where the function is
// undefined. The derivative of each one-argument function is a rule that the differentiation
// module installs with SetDerivativeRule; the table itself knows nothing of derivatives.
#include <complex>
#include <span>
#include <string_view>

#include "formula/expr_node.h"

namespace quorlin {

using Complex = std::complex<long double>;

// For a one-argument function the second argument is unused (0). The real evaluator gets
// finite arguments only and returns NaN where the function is undefined (the evaluator treats
// every non-finite result as undefined).
using RealEvaluator = long double (*)(long double a, long double b);
using ComplexEvaluator = bool (*)(const Complex& a, const Complex& b, Complex& out);

struct BuiltinFunction {
    int code;
    int argCount;  // 0, 1 or 2
    RealEvaluator real;
    ComplexEvaluator complex;
    std::string_view names;  // the canonical name, then the aliases, separated by blanks

    std::string_view Name() const { return names.substr(0, names.find(' ')); }
    bool HasName(std::string_view upperName) const;
};

// Every built-in function, in code order.
std::span<const BuiltinFunction> BuiltinFunctions();

// The function of a code, or null when the code is no built-in function.
const BuiltinFunction* FindBuiltin(int code);
// Indexed by code 0..kLastBuiltin: the function of each code, null for other codes.
std::span<const BuiltinFunction* const> BuiltinsByCode();

// The function whose name or alias is exactly this upper-case name, or null.
const BuiltinFunction* FindBuiltinByName(std::string_view upperName);

// Every name and alias of the language: the built-in functions plus the keywords the parser
// knows (JOINX ..., DERX ...). Used by the text helpers so that letters inside names stay.
std::span<const std::string_view> ReservedNames();
// True for a name or alias of ReservedNames; found in constant time.
bool IsReservedName(std::string_view upperName);
// No reserved name, and no user-function name, is longer.
inline constexpr std::size_t kLongestName = 9;

// JOIN or DER followed by one letter: the parser reads such a name as its piecewise or
// derivative form whatever the letter, so that a wrong letter is reported as such.
bool IsFormName(std::string_view upperName);

// f'(u) for the one-argument function of the rule's code, as a new tree built from copies of
// the argument u; the differentiator multiplies it by u'. Null where no rule is installed.
using DerivativeRule = NodePtr (*)(const TExprNode& argument);
void SetDerivativeRule(int code, DerivativeRule rule);
DerivativeRule GetDerivativeRule(int code);

}  // namespace quorlin
