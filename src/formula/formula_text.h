#pragma once
// Edits of formula texts that respect the language's names: the letter X inside EXP or MAX,
// or inside a user function's name, is no variable and stays as it is.
//
// A name counts where the parser would read it (followed by '(', or PI), so these edits and
// the parser always agree on which letters are variables.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorlin {

class FormulaContext;

// When the text holds '=' followed by at least one character, writes rhs "-(" lhs ")" into out
// and returns true; otherwise returns false and leaves out alone.
bool SplitEquation(std::string& out, std::string_view text);

// Marks each standalone occurrence of the variable letter (upper or lower case) with byte 1.
void MarkVariableInText(const FormulaContext& context, std::string& text, char letter);

// Replaces each mark by the replacement and cuts the result at maxLength characters.
void ReplaceMarkedVariable(std::string& text, std::string_view replacement, std::size_t maxLength);

// Replaces the standalone letters X, Y and Z by "(" text ")" of the matching text; an empty
// text leaves its letter. False, with the text unchanged, when the result would not fit in a
// buffer of `size` bytes (size - 1 characters).
bool SubstituteXYZInText(const FormulaContext& context, std::string& text, std::size_t size,
                         std::string_view xText, std::string_view yText, std::string_view zText);

}  // namespace quorlin
