#include "examples/records/script.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

#include "core/numbers.h"
#include "core/text_helpers.h"
#include "examples/records/equation_text.h"
#include "examples/records/record_validator.h"
#include "examples/records/script_examples.h"
#include "formula/formula_context.h"
#include "formula/formula_text.h"

namespace quorlin::examples {

namespace {

struct TKeyword {
    std::string_view name;
    int code;
};

constexpr std::array<TKeyword, 41> kKeywords = {{
    {"EXPL2", 201},
    {"POLAR", 202},
    {"PARAM2", 203},
    {"IMPL2", 204},
    {"SEG2", 205},
    {"POINT2", 209},
    {"DEQ2T", 210},
    {"DEQ2X", 211},
    {"RECUR2", 212},
    {"LAGRANGE", 213},
    {"POINTPOL", 214},
    {"SEGPOL", 216},
    {"POINTZ", 217},
    {"PARAMPOL", 221},
    {"EXPL3", 301},
    {"SURFCYL", 302},
    {"SURFPAR", 303},
    {"PARAM3", 304},
    {"IMPL3", 305},
    {"TUBE", 306},
    {"SEG3", 308},
    {"POINT3", 309},
    {"DEQ3T", 310},
    {"RECUR3", 312},
    {"POINTCYL", 313},
    {"POINTSPH", 314},
    {"PLANE", 315},
    {"SURFSPH", 316},
    {"LOCK", script::kLock},
    {"PER", script::kPer},
    {"POS", script::kPos},
    {"NOCLIP", script::kNoClip},
    {"TRAJ", script::kTraj},
    {"VALUE", script::kValue},
    {"COLOR", script::kColor},
    {"CORNERS", script::kCorners},
    {"CENWID", script::kCenWid},
    {"DEFINE1", script::kDefine1},
    {"DEFINE2", script::kDefine2},
    {"DEFINE3", script::kDefine3},
    {"END", script::kEnd},
}};

// The fields of a keyword: text fields (checked by parsing unless `checked` is false), then
// number fields, of which the first `orderedPairs` pairs must not be reversed.
struct TFields {
    int code;
    int texts;
    bool checked;
    int numbers;
    int orderedPairs;
};

constexpr std::array<TFields, 39> kFieldTable = {{
    {201, 1, true, 0, 0},
    {202, 1, true, 2, 1},
    {203, 2, true, 2, 1},
    {221, 2, true, 2, 1},
    {204, 1, false, 0, 0},
    {205, 4, true, 0, 0},
    {216, 4, true, 0, 0},
    {209, 2, true, 0, 0},
    {214, 2, true, 0, 0},
    {217, 1, true, 0, 0},
    {210, 2, true, 0, 0},
    {211, 1, true, 0, 0},
    {212, 2, true, 0, 0},
    {301, 1, true, 4, 2},
    {302, 1, true, 4, 2},
    {316, 1, true, 4, 2},
    {303, 3, true, 4, 2},
    {304, 3, true, 2, 1},
    {305, 1, false, 6, 3},
    {306, 4, true, 2, 1},
    {308, 6, true, 0, 0},
    {309, 3, true, 0, 0},
    {313, 3, true, 0, 0},
    {314, 3, true, 0, 0},
    {310, 3, true, 6, 3},
    {312, 3, true, 6, 3},
    {315, 7, true, 0, 0},
    {script::kLock, 0, true, 2, 1},
    {script::kPer, 0, true, 2, 1},
    {script::kPos, 0, true, 0, 0},
    {script::kNoClip, 0, true, 0, 0},
    {script::kValue, 1, true, 1, 0},
    {script::kColor, 0, true, 1, 0},
    {script::kCorners, 0, true, 4, 0},
    {script::kCenWid, 0, true, 3, 0},
    {script::kDefine1, 2, true, 0, 0},
    {script::kDefine2, 2, true, 0, 0},
    {script::kDefine3, 2, true, 0, 0},
    {script::kEnd, 0, true, 0, 0},
}};

const TFields* FindFields(int code) {
    const auto it = std::find_if(kFieldTable.begin(), kFieldTable.end(),
                                 [code](const TFields& f) { return f.code == code; });
    return it != kFieldTable.end() ? &*it : nullptr;
}

// Number fields of TRAJ by the pending example keyword, and which of them counts terms.
struct TTrajectoryFields {
    int pending;
    int numbers;
    int termsField;  // -1 none
};

constexpr std::array<TTrajectoryFields, 5> kTrajectoryTable = {{
    {210, 5, -1},
    {310, 6, -1},
    {211, 3, -1},
    {212, 3, 2},
    {312, 4, 3},
}};

constexpr int kMaxColour = 60;
constexpr int kMinLagrangePoints = 2;
constexpr int kMaxLagrangePoints = 9;

}  // namespace

int ScriptKeyword(std::string_view field) {
    const std::string upper = UpperCased(field);
    for (const TKeyword& k : kKeywords)
        if (k.name == upper) return k.code;
    return script::kUnknown;
}

// --- parser ------------------------------------------------------------------------------

TScriptParser::TScriptParser(std::string_view text, int dimension, FormulaContext& formulas)
    : text_(text), dimension_(dimension), formulas_(formulas) {
    RemoveChar(text_, ' ');
    RemoveCRLF(text_);
}

std::optional<std::string> TScriptParser::NextField() {
    const std::size_t end = text_.find(';', position_);
    if (end == std::string::npos) return std::nullopt;
    std::string field = text_.substr(position_, end - position_);
    position_ = end + 1;
    return field;
}

bool TScriptParser::ReadTexts(int n, bool check, TScriptAction& action) {
    for (int k = 0; k < n; ++k) {
        auto field = NextField();
        if (!field || field->size() > script::kMaxFieldChars) return false;
        if (check) {
            if (formulas_.Parse(*field) != 0) return false;
            formulas_.TakeParseResult();  // only the check was wanted
        }
        action.texts.push_back(std::move(*field));
    }
    return true;
}

bool TScriptParser::ReadNumbers(int n, TScriptAction& action) {
    for (int k = 0; k < n; ++k) {
        auto field = NextField();
        if (!field || field->size() > script::kMaxFieldChars) return false;
        long double value = 0;
        if (formulas_.ReadNumber(*field, value) != 0) return false;
        action.numbers.push_back(value);
        action.numberTexts.push_back(std::move(*field));
    }
    return true;
}

bool TScriptParser::ReadLagrange(TScriptAction& action) {
    if (!ReadNumbers(1, action)) return false;
    const int n = RoundLD(action.numbers[0]);
    if (n < kMinLagrangePoints || n > kMaxLagrangePoints) return false;
    return ReadNumbers(2 * n, action);
}

bool TScriptParser::ReadTrajectory(TScriptAction& action) {
    action.pendingKind = pending_;
    const auto it =
        std::find_if(kTrajectoryTable.begin(), kTrajectoryTable.end(),
                     [this](const TTrajectoryFields& f) { return f.pending == pending_; });
    if (it == kTrajectoryTable.end()) return true;  // nothing to read
    if (!ReadNumbers(it->numbers, action)) return false;
    return it->termsField < 0 || RoundLD(action.numbers[it->termsField]) >= 1;
}

bool TScriptParser::ReadFields(int code, TScriptAction& action) {
    if (code == kind::kLagrange) return ReadLagrange(action);
    if (code == script::kTraj) return ReadTrajectory(action);
    const TFields* fields = FindFields(code);
    if (!fields) return false;
    if (!ReadTexts(fields->texts, fields->checked, action)) return false;
    if (!ReadNumbers(fields->numbers, action)) return false;
    for (int p = 0; p < fields->orderedPairs; ++p)
        if (action.numbers[2 * p] > action.numbers[2 * p + 1]) return false;
    switch (code) {
        case script::kValue: {
            const std::string name = UpperCased(action.texts[0]);
            return !name.empty() && name[0] >= 'A' && name[0] <= 'Z';
        }
        case script::kColor:
            return action.numbers[0] >= 0 && action.numbers[0] <= kMaxColour;
        default:
            return true;
    }
}

TScriptParser::Status TScriptParser::Next(TScriptAction& action) {
    action = TScriptAction{};
    auto field = NextField();
    if (!field) return Status::kEnd;
    if (field->size() > script::kMaxFieldChars) return Status::kError;
    action.code = ScriptKeyword(*field);
    if (action.code == script::kUnknown) {
        pending_ = -1;
        action.texts.push_back(std::move(*field));
        return Status::kAction;
    }
    if (action.code == script::kEnd) return Status::kEnd;
    if (IsExampleKeyword(action.code) && action.code / 100 != dimension_) return Status::kError;
    if (!ReadFields(action.code, action)) return Status::kError;
    if (IsExampleKeyword(action.code)) pending_ = action.code;
    return Status::kAction;
}

// --- the run -----------------------------------------------------------------------------

namespace {

// The fields a modifier may change on an example the run did not add.
struct TModifiedFields {
    long double rangeLow;
    long double rangeHigh;
    std::uint8_t lockInterval;
    std::uint8_t periodic;
    std::uint8_t restrictOn;
    std::uint8_t recompute;
    std::int16_t colour;
    long double periodStart;
    long double periodLength;
    long double number401;
    std::string rangeText;

    static TModifiedFields Of(const TExample& ex) {
        return {ex.rangeLow[0],
                ex.rangeHigh[0],
                ex.lockInterval,
                ex.periodic,
                ex.restrictOn,
                ex.recompute,
                ex.pen.colour,
                ex.Number(TNumber::kPeriodStart),
                ex.Number(TNumber::kPeriodLength),
                ex.Number(TNumber::kPeriodMark),
                ex.Text(7)};
    }
    void RestoreInto(TExample& ex) const {
        ex.rangeLow[0] = rangeLow;
        ex.rangeHigh[0] = rangeHigh;
        ex.lockInterval = lockInterval;
        ex.periodic = periodic;
        ex.restrictOn = restrictOn;
        ex.recompute = recompute;
        ex.pen.colour = colour;
        ex.Number(TNumber::kPeriodStart) = periodStart;
        ex.Number(TNumber::kPeriodLength) = periodLength;
        ex.Number(TNumber::kPeriodMark) = number401;
        ex.Text(7) = rangeText;
    }
};

class TScriptRun {
public:
    explicit TScriptRun(TScriptExecutor& executor)
        : exec_(executor),
          savedView_(executor.View()),
          savedCounters_(executor.Counters()),
          savedLast_(executor.Inventory().LastIndex()) {}

    int Run(std::string_view text);

private:
    TInventory& Inventory() { return exec_.Inventory(); }
    int Last() { return Inventory().LastIndex(); }
    // The last example, when it is of one of the kinds; it is remembered before a change when
    // the run did not add it.
    TExample* LastOfKinds(std::initializer_list<int> kinds);
    TExample* LastColourable();

    bool Execute(const TScriptAction& action);
    // The shared record check on the last example, after the run built or changed it.
    bool LastIsSound() {
        const int last = Last();
        return last < 0 || ValidateExample(Inventory()[last], last).Ok();
    }
    bool AddExample(const TScriptAction& action);
    void Finish(int keyword);
    void Lock(const TScriptAction& action);
    void Periodic(const TScriptAction& action);
    void AddTrajectories(const TScriptAction& action);
    void Rollback();
    std::string RangeTextOf(const TScriptAction& action, int first) {
        return script_examples::RangeTextOf(exec_, action, first);
    }

    TScriptExecutor& exec_;
    const TScriptView savedView_;
    const TScriptCounters savedCounters_;
    const int savedLast_;
    int pending_ = -1;
    std::optional<TModifiedFields> touched_;  // the last example before the run, once changed
};

int TScriptRun::Run(std::string_view text) {
    TScriptParser parser(text, exec_.Dimension(), exec_.Formulas());
    bool error = false;
    bool ended = false;
    while (Inventory().HasRoom()) {
        TScriptAction action;
        const TScriptParser::Status status = parser.Next(action);
        if (status == TScriptParser::Status::kEnd) {
            ended = true;
            break;
        }
        if (status == TScriptParser::Status::kError || !Execute(action)) {
            error = true;
            break;
        }
    }
    // Out of room: whatever statement follows is one the window had no room for.
    TScriptAction rest;
    const bool full = !error && !ended && parser.Next(rest) != TScriptParser::Status::kEnd;
    if (error) {
        const bool added = Last() != savedLast_;
        Rollback();
        return added ? script::kCannotUnderstand : script::kNothingToShow;
    }
    Finish(pending_);
    if (touched_) exec_.RefreshExample(savedLast_);
    if (full) return script::kNoMoreRoom;
    return Last() == savedLast_ ? script::kNothingToShow : script::kDone;
}

void TScriptRun::Rollback() {
    exec_.RemoveExamplesAfter(savedLast_);
    if (touched_) {
        touched_->RestoreInto(Inventory()[savedLast_]);
        exec_.RefreshExample(savedLast_);
    }
    exec_.SetCounters(savedCounters_);
    exec_.SetView(savedView_);
}

TExample* TScriptRun::LastOfKinds(std::initializer_list<int> kinds) {
    const int last = Last();
    if (last < 0 || std::find(kinds.begin(), kinds.end(), Inventory()[last].kind) == kinds.end())
        return nullptr;
    if (last == savedLast_ && !touched_) touched_ = TModifiedFields::Of(Inventory()[last]);
    return &Inventory()[last];
}

TExample* TScriptRun::LastColourable() {
    const int last = Last();
    if (last < 0) return nullptr;
    const int k = Inventory()[last].kind;
    if (!((k >= 201 && k <= 212) || (k >= 301 && k <= 310))) return nullptr;
    return LastOfKinds({k});
}

// "low;high" of two number fields as typed, so that compiling and reloading keep the range;
// the values themselves when the typed texts do not parse or do not fit.
bool TScriptRun::Execute(const TScriptAction& action) {
    if (action.code == script::kUnknown || IsExampleKeyword(action.code)) {
        Finish(pending_);
        pending_ = -1;
    }
    if (action.code == script::kUnknown) return true;  // an unexpected field is ignored
    if (IsExampleKeyword(action.code)) {
        if (!AddExample(action) || !LastIsSound()) return false;
        pending_ = action.code;
        return true;
    }
    const auto& n = action.numbers;
    switch (action.code) {
        case script::kLock:
            Lock(action);
            return LastIsSound();
        case script::kPer:
            Periodic(action);
            return LastIsSound();
        case script::kPos:
            if (TExample* ex = LastOfKinds({kind::kPolar})) ex->restrictOn = 1;
            return LastIsSound();
        case script::kNoClip:
            if (TExample* ex = LastOfKinds({kind::kImplicit, kind::kSystem, kind::kSequence}))
                ex->recompute = 0;
            return LastIsSound();
        case script::kTraj:
            AddTrajectories(action);
            return LastIsSound();
        case script::kValue: {
            const char letter = UpperCased(action.texts[0])[0];
            exec_.Formulas().SetVar(letter - '@', n[0]);
            return true;
        }
        case script::kColor:
            if (TExample* ex = LastColourable()) ex->pen.colour = static_cast<std::int16_t>(n[0]);
            return LastIsSound();
        case script::kCorners:
            if (n[0] < n[1] && n[2] < n[3]) {
                TScriptView view = exec_.View();
                view.xLow = n[0];
                view.xHigh = n[1];
                view.yLow = n[2];
                view.yHigh = n[3];
                view.byCorners = true;
                exec_.SetView(view);
            }
            return true;
        case script::kCenWid:
            if (n[2] > 0) {
                TScriptView view = exec_.View();
                view.centreX = n[0];
                view.centreY = n[1];
                view.halfWidth = view.halfHeight = n[2] / 2;
                view.byCorners = false;
                exec_.SetView(view);
            }
            return true;
        case script::kDefine1:
        case script::kDefine2:
        case script::kDefine3:
            return exec_.DefineFunction(UpperCased(action.texts[0]), UpperCased(action.texts[1]),
                                        action.code - script::kDefine1 + 1) == userfn::kDone;
        default:
            return true;
    }
}

void TScriptRun::Lock(const TScriptAction& action) {
    TExample* ex = LastOfKinds({kind::kExplicit});
    if (!ex) return;
    ex->rangeLow[0] = action.numbers[0];
    ex->rangeHigh[0] = action.numbers[1];
    ex->lockInterval = 1;
    ex->Text(7) = RangeTextOf(action, 0);
}

void TScriptRun::Periodic(const TScriptAction& action) {
    TExample* ex = LastOfKinds({kind::kExplicit});
    if (!ex) return;
    ex->Number(TNumber::kPeriodStart) = action.numbers[0];
    ex->Number(TNumber::kPeriodLength) = action.numbers[1] - action.numbers[0];
    ex->lockInterval = 0;
    ex->periodic = 1;
    ex->Number(TNumber::kPeriodMark) = 1;
    ex->Text(7) = RangeTextOf(action, 0);
}

void TScriptRun::AddTrajectories(const TScriptAction& action) {
    const int last = Last();
    if (last < 0 || action.numbers.empty()) return;
    const auto& n = action.numbers;
    switch (action.pendingKind) {
        case kind::kSystem:
        case kind::kSpaceSystem: {
            const bool space = action.pendingKind == kind::kSpaceSystem;
            const Vec3 start{n[1], n[2], space ? n[3] : 0.0L};
            const long double t0 = n[space ? 4 : 3];
            const long double t1 = n[space ? 5 : 4];
            const long double d = n[0];
            const long double duration = d == 0 ? Unbounded() : t1 - t0;
            if (d >= 0) exec_.AddTrajectory(last, {start, t0, 1, duration});
            if (d <= 0) exec_.AddTrajectory(last, {start, t0, -1, duration});
            return;
        }
        case kind::kSlope:
            exec_.AddSlopeTrajectory(last, {n[1], n[2], 0.0L}, n[0]);
            return;
        case kind::kSequence:
            exec_.AddRecursionTrajectory(last, {n[0], n[1], 0.0L}, RoundLD(n[2]));
            return;
        case kind::kSpaceSequence:
            exec_.AddRecursionTrajectory(last, {n[0], n[1], n[2]}, RoundLD(n[3]));
            return;
        default:
            return;
    }
}

bool TScriptRun::AddExample(const TScriptAction& action) {
    const TScriptView view = exec_.View();
    const auto& n = action.numbers;
    long double low = 0;
    long double high = 1;
    int kind = action.code;
    switch (action.code) {
        case kind::kExplicit:
        case kind::kImplicit:
        case kind::kComplexPoint:
        case kind::kLagrange:
            low = view.xLow;
            high = view.xHigh;
            break;
        case kind::kPolar:
        case kind::kParametric:
        case kind::kPolarParametric:
        case kind::kSpaceCurve:
        case kind::kTube:
        case kind::kSurface:
        case kind::kPolarSurface:
        case kind::kSphericalSurface:
        case kind::kParametricSurface:
            low = n[0];
            high = n[1];
            break;
        case kind::kPlane:
            low = -1;
            break;
        default:
            break;
    }
    switch (action.code) {
        case kind::kPolarParametric:
            kind = kind::kParametric;
            break;
        case kind::kPolarSegment:
            kind = kind::kSegment;
            break;
        case kind::kPolarPoint:
        case kind::kComplexPoint:
            kind = kind::kPoint;
            break;
        case kind::kCylindricalPoint:
        case kind::kSphericalPoint:
            kind = kind::kSpacePoint;
            break;
        default:
            break;
    }
    TExample& ex = exec_.AddExample(kind, low, high);
    return script_examples::FillExample(exec_, action, ex);
}

void TScriptRun::Finish(int keyword) {
    if (keyword < 201 || keyword > 500) return;
    const int index = Last();
    TExample& ex = Inventory()[index];
    if (keyword == kind::kImplicit || keyword == kind::kImplicitSurface) {
        std::string rewritten;
        SplitEquation(rewritten, ex.Text(5));
        ex.Text(keyword == kind::kImplicit ? 3 : 4) = rewritten;
    }
    exec_.CompileExample(index);
    exec_.AddEquationLabel(index);
    TScriptCounters counters = exec_.Counters();
    ++counters.examplesCreated;
    exec_.SetCounters(counters);
    if (keyword == kind::kLagrange) {
        TTextSettings settings;
        settings.dimension = exec_.Dimension();
        ex.Text(2) = DescribeExampleShort(ex, settings, kRecordTextChars + 1);
        exec_.FinishLagrangePolynomial(index);
    }
    if (exec_.Dimension() >= 3) exec_.RecomputePicture(index);
}

}  // namespace

int RunScript(std::string_view text, TScriptExecutor& executor) {
    return TScriptRun(executor).Run(text);
}

}  // namespace quorlin::examples
