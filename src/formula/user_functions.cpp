// User-defined functions: checking and storing definitions, the names that contain X, Y or Z,
// and the user-function block of diagram files.
#include <algorithm>
#include <cctype>

#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/parser.h"
#include "core/binio.h"

namespace quorlin {

namespace {

constexpr std::size_t kNameField = 10;  // nine letters and the terminator
constexpr std::size_t kBodyField = 61;  // sixty characters and the terminator
constexpr std::size_t kPointerField = 4;
static_assert(kNameField + kBodyField + 2 + kPointerField == userfn::kRecordSize);

bool AllLetters(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsReservedName(std::string_view name) {
    const auto names = ReservedNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool HasXYZ(std::string_view name) {
    return name.find_first_of("XYZ") != std::string_view::npos;
}

// The name checks of a definition, in the order their codes are given: 0 when usable.
int CheckName(std::string_view name) {
    if (name.empty()) return userfn::kEmptyName;
    if (name.size() > userfn::kMaxNameLength) return userfn::kNameTooLong;
    if (!AllLetters(name)) return userfn::kNameNotLetters;
    if (name.size() == 1 || IsReservedName(name) || IsFormName(name)) return userfn::kNameTaken;
    return 0;
}

int ClampArgCount(int argCount) {
    return argCount >= 1 && argCount <= 3 ? argCount : 1;
}

}  // namespace

const UserFunction* FormulaContext::FindUserFunction(std::string_view upperName) const {
    for (const auto& f : userFunctions_)
        if (f.name == upperName) return &f;
    return nullptr;
}

int FormulaContext::DefineUserFunction(std::string_view name, std::string_view body, int argCount,
                                       const UserFunction* existing) {
    const std::string upperName = UpperCased(name);
    if (const int e = CheckName(upperName)) return e;
    const UserFunction* sameName = FindUserFunction(upperName);
    if (sameName && sameName != existing) return userfn::kNameTaken;

    const std::string upperBody = UpperCased(body);
    if (upperBody.find_first_not_of(' ') == std::string::npos) return userfn::kEmptyBody;
    if (upperBody.size() > userfn::kMaxBodyLength) return userfn::kBodyTooLong;
    NodePtr tree;
    if (const int e = ParseFormula(*this, upperBody, tree)) return userfn::kBodyParseError + e;

    UserFunction f{upperName, upperBody, ClampArgCount(argCount), std::move(tree)};
    auto it = std::find_if(userFunctions_.begin(), userFunctions_.end(),
                           [existing](const UserFunction& g) { return &g == existing; });
    if (it != userFunctions_.end())
        *it = std::move(f);
    else
        userFunctions_.push_back(std::move(f));
    CollectNamesWithXYZ();
    return userfn::kDone;
}

std::string UserFunctionLine(const UserFunction& f) {
    static constexpr std::string_view kHeads[] = {"(X) = ", "(X,Y) = ", "(X,Y,Z) = "};
    return f.name + std::string(kHeads[ClampArgCount(f.argCount) - 1]) + f.body;
}

bool FormulaContext::RemoveUserFunction(std::string_view name) {
    const std::string upperName = UpperCased(name);
    const auto removed = std::erase_if(
        userFunctions_, [&upperName](const UserFunction& f) { return f.name == upperName; });
    if (removed == 0) return false;
    CollectNamesWithXYZ();
    return true;
}

void FormulaContext::FreeUserFunctions() {
    userFunctions_.clear();
    CollectNamesWithXYZ();
}

void FormulaContext::CollectNamesWithXYZ() {
    namesWithXYZ_.clear();
    for (std::string_view name : ReservedNames())
        if (HasXYZ(name)) namesWithXYZ_.emplace_back(name);
    for (const auto& f : userFunctions_)
        if (HasXYZ(f.name)) namesWithXYZ_.push_back(f.name);
    // Longest first, so that a scan of a text takes the whole name.
    std::stable_sort(
        namesWithXYZ_.begin(), namesWithXYZ_.end(),
        [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

void FormulaContext::WriteUserFunctions(ByteWriter& out) const {
    const std::size_t count = std::min<std::size_t>(userFunctions_.size(), 0xFFFF);
    out.U16(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const UserFunction& f = userFunctions_[i];
        out.FixedText(f.name, kNameField);
        out.FixedText(f.body, kBodyField);
        out.U16(static_cast<std::uint16_t>(f.argCount));
        out.Zeros(kPointerField);
    }
}

bool FormulaContext::ReadUserFunctions(ByteReader& in) {
    std::uint16_t count = 0;
    if (!in.U16(count) || !in.CanRead(count, userfn::kRecordSize)) return false;
    struct Record {
        std::string name, body;
        std::uint16_t argCount = 0;
    };
    std::vector<Record> records(count);
    for (auto& r : records) {
        in.FixedText(r.name, kNameField);
        in.FixedText(r.body, kBodyField);
        in.U16(r.argCount);
        in.Skip(kPointerField);
    }
    if (in.Failed()) return false;

    userFunctions_.clear();
    for (auto& r : records) {
        // Records from a damaged or foreign file may break the rules a definition keeps;
        // such a record is dropped rather than given a name the parser cannot reach.
        r.name = UpperCased(r.name);
        if (CheckName(r.name) != 0 || FindUserFunction(r.name)) continue;
        if (r.body.size() > userfn::kMaxBodyLength) continue;  // a field without terminator
        userFunctions_.push_back({r.name, UpperCased(r.body), ClampArgCount(r.argCount), nullptr});
    }
    ParseStoredBodies();
    CollectNamesWithXYZ();
    return true;
}

void FormulaContext::ParseStoredBodies() {
    // A body can only be parsed once the functions it calls have their trees, and a function
    // deleted and defined again is stored behind the functions that use it. So the bodies are
    // parsed in rounds until one makes no progress; a few rounds repair any order that editing
    // leaves, and the bound keeps a hostile file from costing one round per record.
    constexpr int kMaxRounds = 16;
    bool progress = true;
    for (int round = 0; round < kMaxRounds && progress; ++round) {
        progress = false;
        for (UserFunction& f : userFunctions_) {
            if (f.tree) continue;
            NodePtr tree;
            if (ParseFormula(*this, f.body, tree) != 0) continue;
            f.tree = std::move(tree);
            progress = true;
        }
    }
}

}  // namespace quorlin
