#include "formula/formula_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <vector>

#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/parser.h"

namespace quorlin {

namespace {

constexpr char kMark = '\x01';
// How far past its buffer a text may grow while calls are written out.
constexpr std::size_t kInliningGrowth = 16;

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The end of the number that starts at pos: its digits and point, and an exponent where E is
// followed by digits (2E is 2 times E), as the parser reads it.
std::size_t NumberEnd(std::string_view upper, std::size_t pos) {
    const auto digitAt = [upper](std::size_t p) {
        return p < upper.size() && std::isdigit(static_cast<unsigned char>(upper[p]));
    };
    while (digitAt(pos) || (pos < upper.size() && upper[pos] == '.')) ++pos;
    std::size_t p = pos;
    if (p < upper.size() && upper[p] == 'E') {
        ++p;
        if (p < upper.size() && (upper[p] == '+' || upper[p] == '-')) ++p;
        if (digitAt(p)) pos = p;
    }
    return pos;
}

// Calls onWord(pos, length) for every name of the upper-case text (length its length) and every
// standalone variable letter '@', A..Z (length 0) from `from` on, which is where a word starts,
// skipping numbers with their exponent letter; onWord answers false to stop.
void ForEachWord(const FormulaContext& context, std::string_view upper,
                 const std::function<bool(std::size_t pos, std::size_t length)>& onWord,
                 std::size_t from = 0) {
    std::size_t pos = from;
    while (pos < upper.size()) {
        const char c = upper[pos];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            pos = NumberEnd(upper, pos);
            continue;
        }
        const bool letter = (c >= 'A' && c <= 'Z') || c == '@';
        const std::size_t length = c == '@' || !letter ? 0 : NameLengthAt(context, upper, pos);
        if (letter && !onWord(pos, length)) return;
        pos += std::max<std::size_t>(length, 1);
    }
}

// Calls onLetter(pos) for every standalone variable letter of the text.
void ForEachVariableLetter(const FormulaContext& context, std::string_view text,
                           const std::function<void(std::size_t)>& onLetter) {
    ForEachWord(context, UpperCased(text), [&onLetter](std::size_t pos, std::size_t length) {
        if (length == 0) onLetter(pos);
        return true;
    });
}

// The variable slot of a letter, '@' 0 .. 'Z' 26.
std::size_t SlotOfLetter(char c) {
    return static_cast<std::size_t>(Upper(c) - '@');
}

// A call of a user function in a text: from its name to one past its ')', with its arguments
// as written.
struct UserCall {
    std::size_t begin = 0;
    std::size_t nameEnd = 0;
    std::size_t end = 0;
    const UserFunction* function = nullptr;
    std::vector<std::string> arguments;
};

// The arguments of the call whose '(' the text holds at or after pos (past blanks): split at
// the commas outside inner parentheses. 0, or 102 when its parentheses do not close.
int ReadArguments(std::string_view text, std::size_t pos, UserCall& call) {
    pos = text.find('(', pos);
    if (pos == std::string_view::npos) return parse_error::kArgumentMissing;
    int depth = 0;
    std::size_t start = pos + 1;
    for (std::size_t p = pos; p < text.size(); ++p) {
        const char c = text[p];
        if (c == '(') ++depth;
        if (c == ')') --depth;
        const bool last = depth == 0;
        if ((c == ',' && depth == 1) || last) {
            call.arguments.emplace_back(text.substr(start, p - start));
            start = p + 1;
        }
        if (last) {
            call.end = p + 1;
            return 0;
        }
    }
    return parse_error::kParentheses;
}

// The first call of a user function in the text from `from` on; 0 with no function when there
// is none, or the error of its arguments.
int FirstUserCall(const FormulaContext& context, const std::string& text, std::size_t from,
                  UserCall& call) {
    const std::string upper = UpperCased(text);
    int error = 0;
    ForEachWord(
        context, upper,
        [&](std::size_t pos, std::size_t length) {
            const UserFunction* f =
                length ? context.FindUserFunction(std::string_view(upper).substr(pos, length))
                       : nullptr;
            if (!f) return true;
            call.begin = pos;
            call.nameEnd = pos + length;
            call.function = f;
            error = ReadArguments(text, pos + length, call);
            return false;
        },
        from);
    return error;
}

// Whether the text holds a JOIN or DER form.
bool HoldsForm(const FormulaContext& context, std::string_view upper) {
    bool found = false;
    ForEachWord(context, upper, [&](std::size_t pos, std::size_t length) {
        found = length > 0 && IsFormName(upper.substr(pos, length));
        return !found;
    });
    return found;
}

// The checks of a call both written out and left: 0, 101 for a function without a tree, or 117
// for the wrong number of arguments.
int CheckCall(const UserCall& call) {
    const UserFunction& f = *call.function;
    if (!f.tree) return parse_error::kNotUsable;
    if (static_cast<int>(call.arguments.size()) != f.argCount) return parse_error::kArgumentCount;
    return 0;
}

// The call's text: "(" body ")" with the call's arguments for the body's letters X, Y and Z.
int CallText(const FormulaContext& context, const UserCall& call, std::size_t size,
             std::string& out) {
    const UserFunction& f = *call.function;
    if (const int error = CheckCall(call)) return error;
    // A JOIN switches on, and a DER differentiates in, the variable the call's argument stands
    // for in a parsed call; written out, they would keep the body's own letter.
    if (HoldsForm(context, f.body)) return parse_error::kNotUsable;
    std::string_view arguments[3];
    for (std::size_t k = 0; k < call.arguments.size() && k < 3; ++k) {
        arguments[k] = call.arguments[k];
        if (arguments[k].find_first_not_of(" \t") == std::string_view::npos)
            return parse_error::kArgumentMissing;
    }
    out = f.body;
    if (!SubstituteXYZInText(context, out, size, arguments[0], arguments[1], arguments[2]))
        return parse_error::kTooLong;
    out = "(" + out + ")";
    return 0;
}

}  // namespace

bool SplitEquation(std::string& out, std::string_view text) {
    const auto eq = text.find('=');
    if (eq == std::string_view::npos || eq + 1 >= text.size()) return false;
    out = std::string(text.substr(eq + 1)) + "-(" + std::string(text.substr(0, eq)) + ")";
    return true;
}

void MarkVariableInText(const FormulaContext& context, std::string& text, char letter) {
    const char wanted = Upper(letter);
    ForEachVariableLetter(context, text, [&](std::size_t pos) {
        if (Upper(text[pos]) == wanted) text[pos] = kMark;
    });
}

void ReplaceMarkedVariable(std::string& text, std::string_view replacement, std::size_t maxLength) {
    std::string out;
    for (char c : text) {
        if (c == kMark)
            out += replacement;
        else
            out += c;
    }
    if (out.size() > maxLength) out.resize(maxLength);
    text = std::move(out);
}

bool SubstituteLettersInText(const FormulaContext& context, std::string& text, std::size_t size,
                             std::span<const std::string> replacements) {
    std::string out;
    std::size_t copied = 0;
    ForEachVariableLetter(context, text, [&](std::size_t pos) {
        const std::size_t slot = SlotOfLetter(text[pos]);
        if (slot >= replacements.size() || replacements[slot].empty()) return;
        out.append(text, copied, pos - copied);
        out += '(';
        out += replacements[slot];
        out += ')';
        copied = pos + 1;
    });
    out.append(text, copied, std::string::npos);
    if (size == 0 || out.size() > size - 1) return false;
    text = std::move(out);
    return true;
}

bool SubstituteXYZInText(const FormulaContext& context, std::string& text, std::size_t size,
                         std::string_view xText, std::string_view yText, std::string_view zText) {
    std::array<std::string, 27> replacements;
    replacements[SlotOfLetter('X')] = xText;
    replacements[SlotOfLetter('Y')] = yText;
    replacements[SlotOfLetter('Z')] = zText;
    return SubstituteLettersInText(context, text, size, replacements);
}

std::vector<int> VariableSlotsInText(const FormulaContext& context, std::string_view text) {
    std::vector<int> slots;
    ForEachVariableLetter(context, text, [&](std::size_t pos) {
        const int slot = static_cast<int>(SlotOfLetter(text[pos]));
        if (std::find(slots.begin(), slots.end(), slot) == slots.end()) slots.push_back(slot);
    });
    return slots;
}

int InlineUserFunctionsInText(const FormulaContext& context, std::string& text, std::size_t size,
                              const FormCallHandler& onFormCall) {
    // Calls may nest and bodies may leave arguments out, so a text may pass the buffer on its
    // way; past this many times the buffer, it is too long whatever follows.
    const std::size_t most = size * kInliningGrowth;
    std::string out = text;
    std::size_t from = 0;  // the text before holds no call to write out
    for (;;) {
        UserCall call;
        if (const int error = FirstUserCall(context, out, from, call)) return error;
        if (!call.function) break;
        if (onFormCall && HoldsForm(context, call.function->body)) {
            if (const int error = CheckCall(call)) return error;
            if (const int error = onFormCall(*call.function)) return error;
            from = call.nameEnd;  // the call stays: its arguments are written out on
            continue;
        }
        std::string replacement;
        if (const int error = CallText(context, call, most, replacement)) return error;
        out.replace(call.begin, call.end - call.begin, replacement);
        if (out.size() >= most) return parse_error::kTooLong;
    }
    if (size == 0 || out.size() > size - 1) return parse_error::kTooLong;
    text = std::move(out);
    return 0;
}

std::string FormVariablesInText(const FormulaContext& context, std::string_view text) {
    const std::string upper = UpperCased(text);
    std::string letters;
    ForEachWord(context, upper, [&](std::size_t pos, std::size_t length) {
        const std::string_view name = std::string_view(upper).substr(pos, length);
        if (length > 0 && IsFormName(name) && letters.find(name.back()) == std::string::npos)
            letters += name.back();
        return true;
    });
    return letters;
}

void RenameFormVariableInText(const FormulaContext& context, std::string& text, char from,
                              char to) {
    const std::string upper = UpperCased(text);
    ForEachWord(context, upper, [&](std::size_t pos, std::size_t length) {
        const std::string_view name = std::string_view(upper).substr(pos, length);
        if (length == 0 || !IsFormName(name) || name.back() != from) return true;
        // The same step from one letter to the other in either case keeps the case written.
        char& variable = text[pos + length - 1];
        variable = static_cast<char>(variable + (to - from));
        return true;
    });
}

bool RenameUserFunctionCalls(const FormulaContext& context, std::string& text, std::size_t size,
                             const UserFunctionRenames& names) {
    const std::string upper = UpperCased(text);
    std::string out;
    std::size_t copied = 0;
    ForEachWord(context, upper, [&](std::size_t pos, std::size_t length) {
        const std::string_view name = std::string_view(upper).substr(pos, length);
        const auto it =
            length > 0 && context.FindUserFunction(name) ? names.find(name) : names.end();
        if (it == names.end()) return true;
        out.append(text, copied, pos - copied);
        out += it->second;
        copied = pos + length;
        return true;
    });
    out.append(text, copied, std::string::npos);
    if (size == 0 || out.size() > size - 1) return false;
    text = std::move(out);
    return true;
}

}  // namespace quorlin
