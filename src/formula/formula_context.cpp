#include "formula/formula_context.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "core/numbers.h"
#include "formula/parser.h"

namespace quorlin {

namespace {

constexpr int kErrEmptyText = 9;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string UpperCased(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

void TVariableTable::Reset() {
    value.fill(Complex(0));
    value[slot::kE] = std::numbers::e_v<long double>;
}

void TAnimParams::Reset() {
    left.fill(0);
    right.fill(1);
}

long double TAnimParams::SliderValue(int letterSlot, long double position,
                                     long double range) const {
    return left[letterSlot] + position * (right[letterSlot] - left[letterSlot]) / range;
}

FormulaContext::FormulaContext() {
    ResetVariables();
    CollectNamesWithXYZ();
}

FormulaContext::~FormulaContext() = default;

void FormulaContext::ResetVariables() {
    vars.Reset();
    // In complex mode the letter I starts as the imaginary unit.
    if (complexMode) vars.value['I' - '@'] = Complex(0, 1);
    params.Reset();
    saved_ = vars;
}

int FormulaContext::Parse(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return kErrEmptyText;
    parseResult_.reset();
    if (text.size() > kMaxFormulaLength) return parse_error::kTooLong;
    return ParseFormula(*this, UpperCased(text), parseResult_);
}

int FormulaContext::ReadNumber(std::string_view text, long double& out) {
    text = Trim(text);
    if (StrToLD(text, out)) return kNoError;
    if (text.empty()) return kErrEmptyText;
    if (text.size() > kMaxFormulaLength) return parse_error::kTooLong;
    NodePtr tree;
    if (const int e = ParseFormula(*this, UpperCased(text), tree)) return e;
    if (!Evaluate(*tree)) return kErrCannotUnderstand;
    out = tree->re;
    return kNoError;
}

int FormulaContext::ReadNumberAt(std::string_view text, long double& out, int& letterIndex) {
    const int e = ReadNumberAndLetter(text, out, letterIndex);
    if (e == kNoError && letterIndex > 0) SetVar(letterIndex, out);
    return e;
}

int FormulaContext::ReadNumberAndLetter(std::string_view text, long double& out, int& letterIndex) {
    letterIndex = 0;
    text = Trim(text);
    const auto at = text.rfind('@');
    if (at != std::string_view::npos) {
        const std::string_view after = Trim(text.substr(at + 1));
        if (after.size() == 1 && std::isalpha(static_cast<unsigned char>(after[0]))) {
            const int slotIndex = std::toupper(static_cast<unsigned char>(after[0])) - '@';
            if (slotIndex > slot::kLastParameter) return kErrCannotUnderstand;
            if (const int e = ReadNumber(text.substr(0, at), out)) return e;
            letterIndex = slotIndex;
            return kNoError;
        }
    }
    return ReadNumber(text, out);
}

int FormulaContext::ReadRounded(std::string_view text, long long low, long long high,
                                long long& out) {
    long double value = 0;
    if (const int e = ReadNumber(text, value)) return e;
    const long double rounded = std::round(value);
    if (!(rounded >= static_cast<long double>(low) && rounded <= static_cast<long double>(high)))
        return kErrOutOfBounds;
    out = static_cast<long long>(rounded);
    return kNoError;
}

int FormulaContext::ReadShort(std::string_view text, int low, int high, std::int16_t& out) {
    low = std::max(low, -32768);
    high = std::min(high, 32767);
    long long value = 0;
    if (const int e = ReadRounded(text, low, high, value)) return e;
    out = static_cast<std::int16_t>(value);
    return kNoError;
}

int FormulaContext::ReadInteger(std::string_view text, long long low, long long high, int& out) {
    low = std::max<long long>(low, INT32_MIN);
    high = std::min<long long>(high, INT32_MAX);
    long long value = 0;
    if (const int e = ReadRounded(text, low, high, value)) return e;
    out = static_cast<int>(value);
    return kNoError;
}

}  // namespace quorlin
