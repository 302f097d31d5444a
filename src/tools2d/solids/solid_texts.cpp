#include "tools2d/solids/solid_texts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "formula/parser.h"

namespace quorlin::tools2d {

namespace {

constexpr std::size_t kBodySize = userfn::kMaxBodyLength + 1;  // 60 characters and the end
constexpr std::size_t kLettersInName = 26;
// The numbered names tried for one function: every suffix of up to four letters, more names
// than a table holds functions.
constexpr std::size_t kMostNumberedNames = 26 + 26 * 26 + 26 * 26 * 26 + 26 * 26 * 26 * 26;

// An error of InlineUserFunctionsInText as the solid tools give it: 20 for a text too long.
int AsSolidError(int error) {
    return error == parse_error::kTooLong ? kErrTooLarge : error;
}

}  // namespace

std::string NumberedName(std::string_view name, std::size_t n) {
    std::string suffix;
    for (; n > 0; n = (n - 1) / kLettersInName)
        suffix.insert(suffix.begin(), static_cast<char>('A' + (n - 1) % kLettersInName));
    const std::size_t room =
        userfn::kMaxNameLength - std::min(suffix.size(), userfn::kMaxNameLength);
    return std::string(name.substr(0, room)) + suffix;
}

TCarriedFunctions::TCarriedFunctions(const FormulaContext& plane, std::span<const int> kept)
    : plane_(&plane), kept_(kept.begin(), kept.end()) {}

bool TCarriedFunctions::Kept(int letter) const {
    return std::ranges::find(kept_, letter) != kept_.end();
}

FormCallHandler TCarriedFunctions::Carrier() {
    return [this](const UserFunction& function) { return Carry(function); };
}

int TCarriedFunctions::WriteInLetters(std::string& text, std::size_t size) const {
    std::array<std::string, slot::kLastParameter + 1> values;
    for (const int letter : VariableSlotsInText(*plane_, text)) {
        if (letter > slot::kLastParameter || Kept(letter)) continue;
        // A value off the real axis (complex mode, I among them) has no real number to stand
        // for it in the 3D window, which computes in reals.
        const Complex& value = plane_->vars.value[static_cast<std::size_t>(letter)];
        if (!std::isfinite(value.real()) || value.imag() != 0) return kErrFormulaNotUsable;
        values[static_cast<std::size_t>(letter)] = FormatShortest(value.real());
    }
    return SubstituteLettersInText(*plane_, text, size, values) ? kNoError : kErrTooLarge;
}

// A JOIN or DER on X, Y or Z acts on the arguments of a body, or on the plane's variables of a
// text; on another letter (T, U, R), only on one that is to stay a letter: written in, it would
// be no variable there.
int TCarriedFunctions::CheckFormVariables(std::string_view text) const {
    for (const char variable : FormVariablesInText(*plane_, text)) {
        const int letter = variable - '@';
        if (letter <= slot::kLastParameter && !Kept(letter)) return kErrFormulaNotUsable;
    }
    return kNoError;
}

int TCarriedFunctions::StandAlone(std::string& text, std::size_t size) {
    std::string out = text;
    if (const int error = CheckFormVariables(out)) return error;
    if (const int error = InlineUserFunctionsInText(*plane_, out, size, Carrier()))
        return AsSolidError(error);
    if (const int error = WriteInLetters(out, size)) return error;
    text = std::move(out);
    return kNoError;
}

// The function's body made to stand alone as a text is, after the functions it carries in turn,
// so that callees come before their callers. Once is enough for a function called again.
int TCarriedFunctions::Carry(const UserFunction& function) {
    if (std::ranges::find(functions_, function.name, &TCarriedFunction::planeName) !=
        functions_.end())
        return kNoError;
    if (const int error = CheckFormVariables(function.body)) return error;
    std::string body = function.body;
    if (const int error = InlineUserFunctionsInText(*plane_, body, kBodySize, Carrier()))
        return AsSolidError(error);
    if (const int error = WriteInLetters(body, kBodySize)) return error;
    functions_.push_back({function.name, std::move(body), function.argCount, {}, false});
    return kNoError;
}

int TCarriedFunctions::Settle(const FormulaContext& space) {
    if (functions_.empty()) return kNoError;  // also made for no plane window
    for (TCarriedFunction& function : functions_)
        if (const int error = SettleOne(space, function)) return error;
    return kNoError;
}

int TCarriedFunctions::SettleOne(const FormulaContext& space, TCarriedFunction& function) {
    if (!RenameUserFunctionCalls(*plane_, function.body, kBodySize, names_)) return kErrTooLarge;
    const std::string body = UpperCased(function.body);  // as a definition keeps it
    for (std::size_t n = 0; n <= kMostNumberedNames; ++n) {
        std::string name = NumberedName(function.planeName, n);
        if (userfn::CheckName(name) != 0) continue;
        // The same name settled for another function of this solid.
        const auto settled = std::ranges::find(functions_, name, &TCarriedFunction::name);
        const bool sameAsSettled = settled != functions_.end() &&
                                   UpperCased(settled->body) == body &&
                                   settled->argCount == function.argCount;
        const UserFunction* there = space.FindUserFunction(name);
        const bool sameAsThere =
            there && there->tree && there->body == body && there->argCount == function.argCount;
        const bool taken = settled != functions_.end() || there;
        if (taken && !sameAsSettled && !sameAsThere) continue;
        function.added = !taken;
        names_[function.planeName] = name;
        function.name = std::move(name);
        return kNoError;
    }
    return kErrNoMoreRoom;
}

int TCarriedFunctions::Rename(std::string& text, std::size_t size) const {
    if (names_.empty()) return kNoError;
    return RenameUserFunctionCalls(*plane_, text, size, names_) ? kNoError : kErrTooLarge;
}

bool TCarriedFunctions::AddsAny() const {
    return std::ranges::any_of(functions_, &TCarriedFunction::added);
}

int TCarriedFunctions::AddTo(FormulaContext& space) const {
    const auto count =
        static_cast<std::size_t>(std::ranges::count(functions_, true, &TCarriedFunction::added));
    if (space.UserFunctions().size() + count > userfn::kMaxFunctions) return kErrNoMoreRoom;
    for (auto it = functions_.begin(); it != functions_.end(); ++it) {
        if (!it->added) continue;
        const int result = space.DefineUserFunction(it->name, it->body, it->argCount);
        if (result == userfn::kDone) continue;
        for (auto done = functions_.begin(); done != it; ++done)
            if (done->added) space.RemoveUserFunction(done->name);
        return result == userfn::kBodyTooLong ? kErrTooLarge : kErrFormulaNotUsable;
    }
    return kNoError;
}

void TCarriedFunctions::RemoveFrom(FormulaContext& space) const {
    for (const TCarriedFunction& function : functions_)
        if (function.added) space.RemoveUserFunction(function.name);
}

}  // namespace quorlin::tools2d
