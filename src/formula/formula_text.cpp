#include "formula/formula_text.h"

#include <cctype>
#include <functional>

#include "formula/formula_context.h"
#include "formula/parser.h"

namespace quorlin {

namespace {

constexpr char kMark = '\x01';

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Calls onLetter(pos) for every standalone letter of the text, skipping names and the
// exponent letter of numbers such as 1E-5.
void ForEachVariableLetter(const FormulaContext& context, std::string_view text,
                           const std::function<void(std::size_t)>& onLetter) {
    const std::string upper = UpperCased(text);
    std::size_t pos = 0;
    while (pos < upper.size()) {
        const char c = upper[pos];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            while (pos < upper.size() &&
                   (std::isdigit(static_cast<unsigned char>(upper[pos])) || upper[pos] == '.'))
                ++pos;
            std::size_t p = pos;
            if (p < upper.size() && upper[p] == 'E') {
                ++p;
                if (p < upper.size() && (upper[p] == '+' || upper[p] == '-')) ++p;
                if (p < upper.size() && std::isdigit(static_cast<unsigned char>(upper[p]))) pos = p;
            }
            continue;
        }
        if (c >= 'A' && c <= 'Z') {
            if (const std::size_t n = NameLengthAt(context, upper, pos)) {
                pos += n;
                continue;
            }
            onLetter(pos);
        }
        ++pos;
    }
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

bool SubstituteXYZInText(const FormulaContext& context, std::string& text, std::size_t size,
                         std::string_view xText, std::string_view yText, std::string_view zText) {
    const std::string_view replacement[3] = {xText, yText, zText};
    std::string out;
    std::size_t copied = 0;
    ForEachVariableLetter(context, text, [&](std::size_t pos) {
        const int index = Upper(text[pos]) - 'X';
        if (index < 0 || index > 2 || replacement[index].empty()) return;
        out.append(text, copied, pos - copied);
        out += '(';
        out += replacement[index];
        out += ')';
        copied = pos + 1;
    });
    out.append(text, copied, std::string::npos);
    if (size == 0 || out.size() > size - 1) return false;
    text = std::move(out);
    return true;
}

}  // namespace quorlin
