// User-defined functions: checking and storing definitions, the names that contain X, Y or Z,
// and the user-function block of diagram files.
#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

#include "core/binio.h"
#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/parser.h"

namespace quorlin {

namespace {

constexpr std::size_t kNameField = 10;  // nine letters and the terminator
constexpr std::size_t kBodyField = 61;  // sixty characters and the terminator
constexpr std::size_t kPointerField = 4;
static_assert(kNameField + kBodyField + 2 + kPointerField == userfn::kRecordSize);

bool AllLetters(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool HasXYZ(std::string_view name) {
    return name.find_first_of("XYZ") != std::string_view::npos;
}

int ClampArgCount(int argCount) {
    return argCount >= 1 && argCount <= 3 ? argCount : 1;
}

}  // namespace

int userfn::CheckName(std::string_view name) {
    if (name.empty()) return kEmptyName;
    if (name.size() > kMaxNameLength) return kNameTooLong;
    if (!AllLetters(name)) return kNameNotLetters;
    if (name.size() == 1 || IsReservedName(name) || IsFormName(name)) return kNameTaken;
    return 0;
}

const UserFunction* FormulaContext::FindUserFunction(std::string_view upperName) const {
    const auto it = userIndex_.find(upperName);
    return it == userIndex_.end() ? nullptr : &userFunctions_[it->second];
}

void FormulaContext::IndexUserFunctions() {
    userIndex_.clear();
    callersIndex_.clear();
    for (std::size_t i = 0; i < userFunctions_.size(); ++i) {
        userIndex_.emplace(userFunctions_[i].name, i);
        for (const std::string& callee : userFunctions_[i].calls)
            callersIndex_[callee].push_back(userFunctions_[i].name);
    }
}

std::unordered_set<std::string> FormulaContext::CallersOf(std::string_view name) const {
    std::unordered_set<std::string> callers;
    std::vector<std::string_view> open = {name};
    while (!open.empty()) {
        const std::string_view callee = open.back();
        open.pop_back();
        const auto it = callersIndex_.find(callee);
        if (it == callersIndex_.end()) continue;
        for (const std::string& caller : it->second)
            if (callers.emplace(caller).second) open.push_back(caller);
    }
    return callers;
}

int FormulaContext::DefineUserFunction(std::string_view name, std::string_view body, int argCount,
                                       const UserFunction* existing) {
    const std::string upperName = UpperCased(name);
    if (const int e = userfn::CheckName(upperName)) return e;
    const UserFunction* sameName = FindUserFunction(upperName);
    if (sameName && sameName != existing) return userfn::kNameTaken;
    if (!sameName && userFunctions_.size() >= userfn::kMaxFunctions) return userfn::kTooMany;

    const std::string upperBody = UpperCased(body);
    if (upperBody.find_first_not_of(' ') == std::string::npos) return userfn::kEmptyBody;
    if (upperBody.size() > userfn::kMaxBodyLength) return userfn::kBodyTooLong;
    // A body may not call the function itself, nor any function that calls it: the stored
    // trees would stop following the definitions, and a file could never be read back.
    const std::unordered_set<std::string> callers = CallersOf(upperName);
    const BodyParse parse{upperName, &callers};
    NodePtr tree;
    if (const int e = ParseFormula(*this, upperBody, tree, &parse))
        return userfn::kBodyParseError + e;

    UserFunction f{upperName, upperBody, ClampArgCount(argCount), std::move(tree),
                   CalledUserFunctions(*this, upperBody)};
    // Only a replacement looks for its place: a new definition costs the same however many
    // functions exist.
    auto it = existing ? std::find_if(userFunctions_.begin(), userFunctions_.end(),
                                      [existing](const UserFunction& g) { return &g == existing; })
                       : userFunctions_.end();
    if (it != userFunctions_.end()) {
        *it = std::move(f);
        IndexUserFunctions();
        CollectNamesWithXYZ();
    } else {
        for (const std::string& callee : f.calls) callersIndex_[callee].push_back(upperName);
        userFunctions_.push_back(std::move(f));
        userIndex_.emplace(upperName, userFunctions_.size() - 1);
        namesWithXYZStale_ = namesWithXYZStale_ || HasXYZ(upperName);
    }
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
    IndexUserFunctions();
    CollectNamesWithXYZ();
    return true;
}

void FormulaContext::FreeUserFunctions() {
    userFunctions_.clear();
    userIndex_.clear();
    CollectNamesWithXYZ();
}

const std::vector<std::string>& FormulaContext::NamesWithXYZ() const {
    if (namesWithXYZStale_) RebuildNamesWithXYZ();
    return namesWithXYZ_;
}

void FormulaContext::CollectNamesWithXYZ() {
    RebuildNamesWithXYZ();
}

void FormulaContext::RebuildNamesWithXYZ() const {
    namesWithXYZStale_ = false;
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

    std::vector<UserFunction> functions;
    std::unordered_set<std::string> names;
    for (auto& r : records) {
        // Records from a damaged or foreign file may break the rules a definition keeps;
        // such a record is dropped rather than given a name the parser cannot reach.
        r.name = UpperCased(r.name);
        if (userfn::CheckName(r.name) != 0 || !names.insert(r.name).second) continue;
        if (r.body.size() > userfn::kMaxBodyLength) continue;  // a field without terminator
        functions.push_back({r.name, UpperCased(r.body), ClampArgCount(r.argCount), nullptr, {}});
    }
    std::swap(userFunctions_, functions);
    IndexUserFunctions();
    if (!ParseStoredBodies()) {
        std::swap(userFunctions_, functions);
        IndexUserFunctions();
        return false;
    }
    IndexUserFunctions();  // the bodies' calls are known now
    CollectNamesWithXYZ();
    return true;
}

bool FormulaContext::ParseStoredBodies() {
    // A body is parsed once the functions it calls have their trees: in the order of a walk
    // that takes a function when its last callee is done. A function deleted and defined again
    // is stored behind the functions that use it, so the file's order is no guide. Functions
    // on a cycle never come up and keep no tree, as do the callers of a body that fails.
    const std::size_t count = userFunctions_.size();
    std::vector<std::vector<std::size_t>> callers(count);
    std::vector<std::size_t> calleesLeft(count, 0);
    std::vector<std::size_t> ready;
    for (std::size_t i = 0; i < count; ++i) {
        UserFunction& f = userFunctions_[i];
        f.calls = CalledUserFunctions(*this, f.body);
        for (const std::string& callee : f.calls) callers[userIndex_.at(callee)].push_back(i);
        calleesLeft[i] = f.calls.size();
        if (calleesLeft[i] == 0) ready.push_back(i);
    }
    WorkBudget block(kBlockWork, budget_);
    const BudgetScope scope(*this, block);
    while (!ready.empty()) {
        const std::size_t i = ready.back();
        ready.pop_back();
        UserFunction& f = userFunctions_[i];
        const BodyParse parse{f.name, nullptr};
        ParseFormula(*this, f.body, f.tree, &parse);
        if (block.Left() < 0) return false;
        for (const std::size_t caller : callers[i])
            if (--calleesLeft[caller] == 0) ready.push_back(caller);
    }
    return true;
}

}  // namespace quorlin
