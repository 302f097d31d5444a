#pragma once
// Edits of formula texts that respect the language's names: the letter X inside EXP or MAX,
// or inside a user function's name, is no variable and stays as it is. The variable letters
// are '@' and A..Z.
//
// A name counts where the parser would read it (followed by '(', or PI), so these edits and
// the parser always agree on which letters are variables.
#include <cstddef>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

class FormulaContext;
struct UserFunction;

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

// Replaces each standalone variable letter by "(" text ")" of its slot in `replacements` ('@'
// 0, 'A' 1, .., 'Z' 26); an empty text, or none, leaves the letter. False, with the text
// unchanged, when the result would not fit in a buffer of `size` bytes.
bool SubstituteLettersInText(const FormulaContext& context, std::string& text, std::size_t size,
                             std::span<const std::string> replacements);

// The slots of the standalone variable letters of the text, each once, in the order they come.
std::vector<int> VariableSlotsInText(const FormulaContext& context, std::string_view text);

// What becomes of a call of a function whose body holds a JOIN or DER form, which cannot be
// written out: 0 leaves the call as it is written (its arguments are still written out), an
// error number ends the writing with that error.
using FormCallHandler = std::function<int(const UserFunction& function)>;

// Writes out every call of a user function of the context as "(" body ")", the body's letters
// X, Y and Z replaced by "(" argument ")" (as a parsed call inlines the body's tree), and so
// the calls in bodies and arguments too, so that the text means the same where the functions
// are not defined or defined otherwise. A call of a function whose body holds a JOIN or DER
// form goes to onFormCall, when given: in a parsed call those forms follow the variable the
// argument stands for, written out they would keep the body's letter. 0, or, with the text
// unchanged: 101 for a function without a tree, or one whose body holds a form without
// onFormCall, 117 for a call with the wrong number of arguments, 102 or 105 where a call's
// parentheses do not close or an argument is missing, 110 when the result would not fit in a
// buffer of `size` bytes, or the error of onFormCall.
int InlineUserFunctionsInText(const FormulaContext& context, std::string& text, std::size_t size,
                              const FormCallHandler& onFormCall = {});

// The variable letters (upper case) of the JOIN and DER forms the text holds, 'X' of JOINX and
// DERX, each once, in the order they come.
std::string FormVariablesInText(const FormulaContext& context, std::string_view text);

// Writes each JOIN and DER form on the variable `from` as the form on `to` (JOINX as JOINU),
// for a text whose letter `from` stands for the variable `to` (both upper-case form variables:
// X, Y, Z, T, U or R). The text keeps its length.
void RenameFormVariableInText(const FormulaContext& context, std::string& text, char from, char to);

// New names of user functions by their upper-case names in the context.
using UserFunctionRenames = std::map<std::string, std::string, std::less<>>;

// Writes the name of each call of a user function of the context that `names` holds as its new
// name; the other names and letters stay. False, with the text unchanged, when the result would
// not fit in a buffer of `size` bytes.
bool RenameUserFunctionCalls(const FormulaContext& context, std::string& text, std::size_t size,
                             const UserFunctionRenames& names);

}  // namespace quorlin
