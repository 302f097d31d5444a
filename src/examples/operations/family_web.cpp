#include "examples/operations/family_web.h"

#include <cctype>
#include <cstdlib>

#include "core/errors.h"

namespace quorlin::examples {

namespace {

constexpr int kLastFamilyLetter = 17;  // Q
constexpr int kMaxFamilySteps = 4000;
constexpr int kMaxFamilyDelay = 32750;
constexpr std::size_t kMaxFamilyNumberChars = 49;
constexpr int kMaxWebSteps = 1000;
constexpr int kMaxArrowSize = 1000;
constexpr int kSizeOffset = 10;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

TFamilyFields LoadFamilyFields(const TExample& e, const NumberFormat& format) {
    TFamilyFields f;
    if (e.familyLetter >= 1 && e.familyLetter <= 26)
        f.letter = std::string(1, static_cast<char>('a' + e.familyLetter - 1));
    f.low = Trimmed(format.FormatNum(e.familyLow));
    f.high = Trimmed(format.FormatNum(e.familyHigh));
    f.steps = std::to_string(std::abs(e.familySteps));
    f.delay = std::to_string(e.familyDelay);
    f.watch = e.familySteps < 0;
    return f;
}

int ReadFamilyFields(const TFamilyFields& f, FormulaContext& formulas, TExample& e) {
    int error = kNoError;
    long double low = 0;
    long double high = 0;
    const bool lowRead =
        formulas.ReadNumber(f.low.substr(0, kMaxFamilyNumberChars), low) == kNoError;
    const bool highRead =
        formulas.ReadNumber(f.high.substr(0, kMaxFamilyNumberChars), high) == kNoError;
    if (!lowRead || !highRead) {
        error = kErrCannotUnderstand;
    } else if (high < low) {
        error = kErrInconsistentData;
    }
    std::int16_t delay = 0;
    std::int16_t steps = 0;
    if (formulas.ReadShort(f.delay, 0, kMaxFamilyDelay, delay) != kNoError) error = kErrOutOfBounds;
    if (formulas.ReadShort(f.steps, 0, kMaxFamilySteps, steps) != kNoError) error = kErrOutOfBounds;
    const std::string letter = Trimmed(f.letter);
    const int code = letter.empty() ? 0 : std::toupper(static_cast<unsigned char>(letter[0])) - '@';
    if (code < 1 || code > kLastFamilyLetter) error = kErrOutOfBounds;
    if (error != kNoError) return error;
    e.familyOn = 1;
    e.familyLow = low;
    e.familyHigh = high;
    e.familySteps = static_cast<std::int16_t>(f.watch ? -steps : steps);
    e.familyLetter = static_cast<std::int16_t>(code);
    e.familyDelay = delay;
    return kNoError;
}

TWebFields LoadWebFields(const TExample& e, const NumberFormat& format) {
    TWebFields f;
    f.parameter = e.subKind >= 1;
    f.seed = Trimmed(format.FormatNum(e.Number(TNumber::kWebSeed)));
    // A seed index of 0 (a curve that never had a web) shows the letter A.
    const int shown = std::abs(static_cast<int>(e.subKind));
    f.letter = shown >= 1 && shown <= kWebLetters ? shown - 1 : 0;
    f.steps = std::to_string(e.WebSteps());
    f.arrowSize = std::to_string(e.sizeWord + kSizeOffset);
    f.arrows = e.WebArrows() != 0;
    f.initialSegment = e.InitialSegment() != 0;
    return f;
}

int ReadWebFields(const TWebFields& f, FormulaContext& formulas, TExample& e) {
    int error = kNoError;
    const int letter = f.letter >= 0 && f.letter < kWebLetters ? f.letter + 1 : 1;
    int seedIndex = letter;
    long double seed = e.Number(TNumber::kWebSeed);
    if (!f.parameter) {
        if (formulas.ReadNumber(f.seed, seed) != kNoError) error = kErrCannotUnderstand;
        seedIndex = -letter;
    }
    std::int16_t steps = 0;
    std::int16_t arrowSize = 0;
    if (formulas.ReadShort(f.steps, 0, kMaxWebSteps, steps) != kNoError) error = kErrOutOfBounds;
    if (formulas.ReadShort(f.arrowSize, 1, kMaxArrowSize, arrowSize) != kNoError)
        error = kErrOutOfBounds;
    if (error != kNoError) return error;
    e.WebOn() = 1;
    e.Number(TNumber::kWebSeed) = seed;
    e.WebSteps() = steps;
    e.sizeWord = static_cast<std::int16_t>(arrowSize - kSizeOffset);
    e.subKind = static_cast<std::int16_t>(seedIndex);
    e.WebArrows() = f.arrows ? 1 : 0;
    e.InitialSegment() = f.initialSegment ? 1 : 0;
    return kNoError;
}

std::size_t SubListStart(std::span<const std::int16_t> list, int n) {
    std::size_t position = 0;
    for (int found = 0; found < n; ++found) {
        while (position < list.size() && list[position] != -1) ++position;
        if (position == list.size()) return position;
        ++position;
    }
    return position;
}

}  // namespace quorlin::examples
