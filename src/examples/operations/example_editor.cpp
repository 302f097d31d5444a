#include "examples/operations/example_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <type_traits>

#include "core/binio.h"
#include "core/errors.h"
#include "examples/records/compile_support.h"
#include "examples/records/equation_text.h"
#include "examples/records/record_codec.h"
#include "examples/records/record_validator.h"
#include "examples/records/trajectory.h"
#include "examples/records/variable_groups.h"
#include "formula/formula_text.h"
#include "formula/opcodes.h"
#include "formula/parser.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

// --- control ids ---------------------------------------------------------------------------

constexpr int kDensity = 215;
constexpr int kFirstCount = 216;
constexpr int kSecondCount = 217;
constexpr int kThirdCount = 219;
constexpr int kFourthCount = 220;
constexpr int kRangeLow = 221;
constexpr int kRange2Low = 222;
constexpr int kRangeHigh = 223;
constexpr int kRange2High = 224;
constexpr int kFieldLength = 225;
constexpr int kFieldRows = 226;
constexpr int kPenWidth = 227;
constexpr int kNumber1 = 234;
constexpr int kNumber2 = 235;
constexpr int kNumber3 = 236;
// The numbers edits 234-236 show for a roulette; a surface of revolution's axis a, b, c share
// their places.
constexpr TNumber kShownNumbers[3] = {TNumber::kRouletteStart, TNumber::kRouletteRadius,
                                      TNumber::kRouletteArm};
constexpr int kArrowLabel = 11;
constexpr int kArrowsLabel = 239;
constexpr int kCheck1 = 271;
constexpr int kCheck2 = 272;
constexpr int kCheck3 = 273;
constexpr int kCheck4 = 274;
constexpr int kCheck5 = 275;
constexpr int kCheck6 = 276;
constexpr int kLabel1 = 281;

constexpr int kCannotEditThis = 201;    // string id
constexpr int kErrMissingEquals = 112;  // "missing ="
constexpr int kPointWord = 262;
constexpr int kPolynomialWord = 204;
constexpr int kThetaWord = 278;

constexpr long double kTiny = 1e-13L;
constexpr int kMaxEndMark = 19;
constexpr int kMaxDensity = 10000;
constexpr int kMaxPenWidth = 30;
constexpr int kMaxSize = 1000;
constexpr int kMaxDotSize = 100;
constexpr int kMaxFieldRows = 100;
constexpr int kMinFieldTenths = 2;
constexpr int kMaxSlices = 32000;
constexpr int kSizeOffset = 10;  // size words keep the size minus 10

// The edit lists of the kinds, ids 211-236.
constexpr int k201[] = {212, 215, 216, 217, 221, 223, 227};
constexpr int k202[] = {213, 215, 216, 217, 221, 223, 227};
constexpr int k203[] = {211, 212, 215, 216, 217, 221, 223, 227, 234, 235};
constexpr int k204[] = {214, 218, 227};
constexpr int k205[] = {211, 212, 213, 214, 227, 235};
constexpr int k207[] = {215, 221, 223, 227, 234, 235, 236};
constexpr int k208[] = {211, 212, 213, 227};
constexpr int kPoint[] = {211, 212, 213, 214, 227};
constexpr int k210[] = {211, 212, 214, 215, 225, 226, 227};
constexpr int k211[] = {213, 225, 226, 227};
constexpr int k212[] = {211, 212};
constexpr int k213[] = {212, 215, 221, 223, 225, 227};
constexpr int k215[] = {214, 227};
constexpr int k218[] = {211, 212, 216, 217, 227, 235};
constexpr int k220[] = {213};
constexpr int k225[] = {211, 215, 221, 223, 225, 226, 227};
constexpr int k301[] = {213, 216, 217, 219, 220, 221, 222, 223, 224, 227};
constexpr int k303[] = {211, 212, 213, 216, 217, 219, 220, 221, 222, 223, 224, 227};
constexpr int k304[] = {211, 212, 213, 219, 221, 223, 227, 234, 235};
constexpr int k305[] = {218, 227};
constexpr int k306[] = {211, 212, 213, 214, 216, 217, 219, 220, 221, 222, 223, 224, 227};
constexpr int k307[] = {211, 212, 213, 216, 217, 219, 220, 221, 222, 223, 224, 227, 234, 235, 236};
constexpr int k308[] = {211, 212, 213, 214, 215, 216, 219, 227, 235};
constexpr int k310[] = {211, 212, 213, 214, 215, 225, 226, 227};
constexpr int k312[] = {211, 212, 213};
constexpr int k315[] = {211, 212, 213, 214, 215, 216, 217, 219, 220, 221, 222, 223, 224, 227};
constexpr int k316[] = {214, 216, 217, 219, 220, 221, 222, 223, 224, 227};
constexpr int k325[] = {211, 212, 215, 218, 221, 223, 225, 226, 227};
constexpr int k401[] = {211};
constexpr int k402[] = {211, 212};

// --- text helpers --------------------------------------------------------------------------

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Cut(std::string_view text) {
    return std::string(text.substr(0, kRecordTextChars));
}

std::string Decimal(long v) {
    return std::to_string(v);
}

// A number as the window writes it, without the padding of its field width.
std::string Number(const TEditorEnv& env, long double v) {
    return std::string(Trimmed(env.format.FormatNum(v)));
}

// A text without its trailing "@" (and blanks); `marked` tells whether there was one.
std::string_view WithoutAt(std::string_view text, bool& marked) {
    text = Trimmed(text);
    marked = !text.empty() && text.back() == '@';
    if (marked) text.remove_suffix(1);
    return text;
}

char LetterOf(int letter) {
    return static_cast<char>('@' + letter);
}

// Kinds whose template has the two mesh counts: the mesh surfaces and every surface of
// revolution.
bool HasMeshCounts(int kind) {
    return IsMeshKind(kind) || kind == k::kRevolution;
}

// Kinds whose template has the mesh options (shade, fast draw, spectrum, grid, colours).
bool HasMeshOptions(int kind) {
    return HasMeshCounts(kind) || kind == k::kImplicitSurface;
}

// 201, 202, 203 and 206 mark the ends of the curve (a polynomial through points does not).
bool HasEndMarks(int kind, bool lagrange) {
    return !lagrange && (kind == k::kExplicit || kind == k::kPolar || kind == k::kParametric ||
                         kind == k::kIntegral);
}

bool HasField(int kind) {
    return kind == k::kSystem || kind == k::kSlope || kind == k::kSpaceSystem;
}

bool HasArrowSize(int kind) {
    return kind == k::kParametric || kind == k::kSegment || kind == k::kSpaceCurve ||
           kind == k::kSpaceSegment;
}

// The formula texts derived examples still edit: the values of plot points, a plane's size.
bool TextEditableWhenDerived(int kind, int text) {
    return (kind == k::kPlotPoints && text == 4) || (kind == k::kPlane && text == 6);
}

// How a formula edit is read.
enum class TextForm {
    kFormula,      // must parse
    kOptional,     // may be empty, parsed otherwise
    kSwitched,     // may be empty while its switch is off
    kEquation,     // lhs = rhs, split into rhs-(lhs) in another text
    kList2,        // two formulas separated by commas
    kList3,        // three formulas
    kSeriesIndex,  // one variable letter
    kValues,       // a list of numbers, not parsed
    kCommaPair,    // two texts of a segment meridian, split at the first comma
};

struct TextField {
    int edit;
    int text;
    TextForm form = TextForm::kFormula;
    int aux = 0;  // the switch of kSwitched, the text of the split equation
};

std::vector<TextField> TextFieldsOf(const TExample& e, bool lagrange) {
    using F = TextForm;
    switch (e.kind) {
        case k::kExplicit:
            // A polynomial through points has its tree from its points, not from a text.
            if (lagrange) return {};
            return {{212, 2}};
        case k::kPolar:
            return {{213, 3}};
        case k::kParametric:
            return {{211, 1}, {212, 2}, {kNumber1, 6, F::kSwitched, kCheck1}};
        case k::kImplicit:
            return {{218, 5, F::kEquation, 3}, {214, 4, F::kSwitched, kCheck2}};
        case k::kSegment:
        case k::kSpaceSequence:
            return {{211, 1}, {212, 2}, {213, 3}, {214, 4}};
        case k::kIntegral:
            return {{212, 2, F::kOptional}};
        case k::kLine:
        case k::kParametricSurface:
            return {{211, 1}, {212, 2}, {213, 3}};
        case k::kPoint:
        case k::kSpacePoint:
            return {{211, 1}, {212, 2}, {213, 3}};
        case k::kSystem:
            return {{211, 1}, {212, 2}, {214, 4, F::kSwitched, kCheck2}};
        case k::kSlope:
        case k::kHigherOrder:
        case k::kSurface:
        case k::kPolarSurface:
            return {{213, 3}};
        case k::kSequence:
            return {{211, 1}, {212, 2}};
        case k::kPlotPoints:
            return {{214, 4, F::kValues}};
        case k::kSeries:
            return {{211, 1, F::kSeriesIndex}, {212, 2}};
        case k::kIntrinsic:
            return {{211, 1}, {kFieldLength, 5, F::kList2}, {kFieldRows, 6, F::kList2}};
        case k::kSpaceCurve:
            return {{211, 1}, {212, 2}, {213, 3}, {kNumber1, 6, F::kSwitched, kCheck1}};
        case k::kImplicitSurface:
            return {{218, 5, F::kEquation, 4}};
        case k::kTube:
            return {{211, 1}, {212, 2}, {213, 3}, {214, 4}};
        case k::kRevolution:
            switch (e.subKind) {
                case k::kExplicit:
                    return {{212, 2}};
                case k::kPolar:
                    return {{213, 3}};
                case k::kParametric:
                    return {{211, 1}, {212, 2}};
                case k::kImplicit:
                    return {{213, 4}};
                case k::kSegment:
                    return {{211, 1, F::kCommaPair}, {212, 3, F::kCommaPair}};
                default:
                    return {};
            }
        case k::kSpaceSegment:
            return {{211, 1}, {212, 2}, {213, 3}, {214, 4}, {kDensity, 6}, {kFirstCount, 7}};
        case k::kSpaceSystem:
            return {{211, 1}, {212, 2}, {213, 3}, {214, 4, F::kSwitched, kCheck2}};
        case k::kPlane:
            return {{211, 1}, {212, 2}, {213, 3}, {214, 4, F::kList3}, {kDensity, 6}};
        case k::kSphericalSurface:
            return {{214, 4}};
        case k::kSpaceIntrinsic:
            return {{211, 1},
                    {212, 2},
                    {218, 5, F::kList3},
                    {kFieldLength, 6, F::kList3},
                    {kFieldRows, 7, F::kList3}};
        case k::kComplexMap:
            return {{211, 1}};
        case k::kPlaneMap:
            return {{211, 1}, {212, 2}};
        default:
            return {};
    }
}

// A text of the form "value@L" read without binding: the value and the letter (0 for none).
struct TBoundNumber {
    int error = kNoError;
    long double value = 0;
    int letter = 0;
};

// Radio groups of one switch value: ids and the values they stand for.
struct TRadioGroup {
    int first;
    int count;
    int firstValue;
};

// --- the reading ---------------------------------------------------------------------------

class TReading {
public:
    TReading(const TEditorForm& form, std::span<const int> editIds, FormulaContext& formulas)
        : form_(form), ids_(editIds), formulas_(formulas) {}

    // An edit of the kind that the dialog shows.
    bool Has(int id) const {
        return std::find(ids_.begin(), ids_.end(), id) != ids_.end() &&
               form_.edits.count(id) != 0 && form_.IsShown(id);
    }
    std::string Field(int id) const {
        auto it = form_.edits.find(id);
        return it == form_.edits.end() ? std::string() : Cut(it->second);
    }
    bool On(int id) const { return form_.IsChecked(id); }
    bool Shown(int id) const { return form_.IsShown(id); }

    void Note(int error) {
        if (error != kNoError) numericError_ = error;
    }
    int NumericError() const { return numericError_; }

    // Parses a text; 0 or the parser's error.
    int ParseText(std::string_view text) { return formulas_.Parse(text); }

    int ParseList(std::string_view text, int n) {
        const std::vector<std::string_view> fields = compile_support::SplitTopLevel(text, ',');
        for (int i = 0; i < n; ++i) {
            const std::string_view field = i < static_cast<int>(fields.size())
                                               ? fields[static_cast<std::size_t>(i)]
                                               : std::string_view{};
            if (const int e = ParseText(field)) return e;
        }
        return kNoError;
    }

    // An integer in low..high, error 17 outside; nothing on error.
    std::optional<int> Integer(std::string_view text, int low, int high) {
        std::int16_t value = 0;
        if (const int e = formulas_.ReadShort(text, low, high, value)) {
            Note(e);
            return std::nullopt;
        }
        return value;
    }
    std::optional<int> Integer(int id, int low, int high) { return Integer(Field(id), low, high); }

    std::optional<long double> Value(int id) {
        long double v = 0;
        if (const int e = formulas_.ReadNumber(Field(id), v)) {
            Note(e);
            return std::nullopt;
        }
        return v;
    }

    TBoundNumber Bound(std::string_view text) {
        TBoundNumber n;
        n.error = formulas_.ReadNumberAndLetter(text, n.value, n.letter);
        Note(n.error);
        return n;
    }

    FormulaContext& Formulas() { return formulas_; }

private:
    const TEditorForm& form_;
    std::span<const int> ids_;
    FormulaContext& formulas_;
    int numericError_ = kNoError;
};

// The value of a radio group, or nothing when none of its buttons is on.
std::optional<int> RadioValue(const TEditorForm& form, const TRadioGroup& group) {
    for (int i = 0; i < group.count; ++i)
        if (form.IsChecked(group.first + i)) return group.firstValue + i;
    return std::nullopt;
}

void SetRadio(TEditorForm& form, const TRadioGroup& group, int value) {
    for (int i = 0; i < group.count; ++i)
        form.SetChecked(group.first + i, group.firstValue + i == value);
}

// The check boxes of a kind, with the record byte each one stands for: a byte the record keeps
// by its role, read from a const record and written to the working copy by the same table. A
// follower only follows the state of its control's first switch.
template <class Byte>
struct TSwitch {
    int id;
    Byte* field;
    bool inverted = false;
    bool follower = false;
};

template <class Record>
using TByteOf = std::conditional_t<std::is_const_v<Record>, const std::uint8_t, std::uint8_t>;
template <class Record>
using TWordOf = std::conditional_t<std::is_const_v<Record>, const std::int16_t, std::int16_t>;

template <class Record>
std::vector<TSwitch<TByteOf<Record>>> SwitchesOf(Record& e, int kind, bool lagrange) {
    switch (kind) {
        case k::kExplicit:
            if (lagrange)
                return {{kCheck2, &e.DotsAlwaysVisible()}, {kCheck2, &e.optionCheck, false, true}};
            return {{kCheck1, &e.lockInterval},
                    {kCheck2, &e.periodic},
                    {kCheck2, &e.optionCheck, false, true}};
        case k::kPolar:
            return {{kCheck2, &e.restrictOn}, {kCheck2, &e.optionCheck, false, true}};
        case k::kParametric:
            return {{kCheck1, &e.ArrowAtT()},
                    {kCheck6, &e.PolarCurve()},
                    {kCheck6, &e.solverOption, true, true}};
        case k::kImplicit:
            return {{kCheck1, &e.LongSearch()},
                    {kCheck2, &e.restrictOn},
                    {kCheck2, &e.optionCheck, false, true},
                    {kCheck3, &e.periodic},
                    {kCheck4, &e.recompute}};
        case k::kSegment:
            return {{kCheck5, &e.EndPointsAsExamples()}};
        case k::kPoint:
        case k::kSpacePoint:
            return {{kCheck5, &e.Anchors()}};
        case k::kIntegral:
            return {{kCheck1, &e.lockInterval}};
        case k::kRoulette:
            return {};
        case k::kSystem:
            return {{kCheck2, &e.restrictOn},
                    {kCheck2, &e.optionCheck, false, true},
                    {kCheck4, &e.recompute}};
        case k::kSlope:
        case k::kHigherOrder:
            return {{kCheck4, &e.recompute}};
        case k::kSequence:
            return {{kCheck1, &e.SequenceArrows()},
                    {kCheck6, &e.ConnectPoints()},
                    {kCheck6, &e.solverOption, true, true},
                    {kCheck4, &e.recompute}};
        case k::kSpaceSequence:
            return {{kCheck1, &e.SequenceArrows()},
                    {kCheck6, &e.ConnectPoints()},
                    {kCheck6, &e.solverOption, true, true}};
        case k::kSeries:
            return {{kCheck2, &e.OwnDotSize()},
                    {kCheck2, &e.optionCheck, false, true},
                    {kCheck6, &e.ConnectPoints()},
                    {kCheck6, &e.solverOption, true, true}};
        case k::kSpaceCurve:
            return {{kCheck1, &e.ArrowAtT()}};
        case k::kSpaceSystem:
            return {{kCheck2, &e.restrictOn}, {kCheck2, &e.optionCheck, false, true}};
        default:
            if (HasMeshOptions(kind))
                return {{kCheck3, &e.optionCheck},
                        {kCheck4, &e.SlowDrawing(), true},
                        {kCheck5, &e.Spectrum()},
                        {kCheck6, &e.Grid()},
                        {kCheck6, &e.solverOption, true, true}};
            return {};
    }
}

// Radio groups that set a word of the record: the field display of slope and vector fields,
// the end-mark mode of segments, the order of a derx(n,y) equation.
template <class Word>
struct TWordRadios {
    TRadioGroup group;
    Word* field;
};

template <class Record>
std::vector<TWordRadios<TWordOf<Record>>> WordRadiosOf(Record& e, int kind) {
    switch (kind) {
        case k::kSegment:
            return {{{254, 4, 0}, &e.EndMarkMode()}};
        case k::kSystem:
        case k::kSlope:
            return {{{251, 3, 0}, &e.fieldDisplay}};
        case k::kSpaceSegment:
            return {{{251, 4, 0}, &e.EndMarkMode()}};
        case k::kHigherOrder:
            return {{{252, 9, 2}, &e.order}};
        default:
            return {};
    }
}

// The pen's style word: solid, dotted or dashed lines (205, 208); solid or hollow points (209,
// 309), drawn with the background inside.
std::optional<TRadioGroup> PenStyleRadios(int kind) {
    switch (kind) {
        case k::kSegment:
        case k::kLine:
            return TRadioGroup{251, 3, 0};
        case k::kPoint:
        case k::kSpacePoint:
            return TRadioGroup{251, 2, 0};
        default:
            return std::nullopt;
    }
}

constexpr TRadioGroup kLowMark{251, 3, 0};   // none, circle, arrow
constexpr TRadioGroup kHighMark{254, 3, 0};  // none, circle, arrow

// The end-mark group of 201, 202, 203 and 206.
constexpr int kEndMarkGroup[] = {281, 282, 283, 284, 216, 217, 251,
                                 252, 253, 254, 255, 256, 273, 274};

}  // namespace

// --- the form ------------------------------------------------------------------------------

void TEditorForm::SetChecked(int id, bool on) {
    if (on) {
        checked.insert(id);
    } else {
        checked.erase(id);
    }
}

void TEditorForm::Show(int id, bool show) {
    if (show) {
        hidden.erase(id);
    } else {
        hidden.insert(id);
    }
}

// --- the editor ----------------------------------------------------------------------------

TExampleEditor::TExampleEditor(const TExample& record, int index, const TEditorEnv& env,
                               FormulaContext& formulas)
    : record_(record),
      index_(index),
      env_(env),
      formulas_(formulas),
      kind_(record.kind),
      lagrange_(record.IsLagrangeExplicit()) {}

std::span<const int> TExampleEditor::EditIds(int kind) {
    switch (kind) {
        case k::kExplicit:
        case k::kIntegral:
            return k201;
        case k::kPolar:
            return k202;
        case k::kParametric:
            return k203;
        case k::kImplicit:
            return k204;
        case k::kSegment:
            return k205;
        case k::kRoulette:
            return k207;
        case k::kLine:
            return k208;
        case k::kPoint:
        case k::kSpacePoint:
            return kPoint;
        case k::kSystem:
            return k210;
        case k::kSlope:
            return k211;
        case k::kSequence:
            return k212;
        case k::kLagrange:
            return k213;
        case k::kPlotPoints:
            return k215;
        case k::kSeries:
            return k218;
        case k::kHigherOrder:
            return k220;
        case k::kIntrinsic:
            return k225;
        case k::kSurface:
        case k::kPolarSurface:
            return k301;
        case k::kParametricSurface:
            return k303;
        case k::kSpaceCurve:
            return k304;
        case k::kImplicitSurface:
            return k305;
        case k::kTube:
            return k306;
        case k::kRevolution:
            return k307;
        case k::kSpaceSegment:
            return k308;
        case k::kSpaceSystem:
            return k310;
        case k::kSpaceSequence:
            return k312;
        case k::kPlane:
            return k315;
        case k::kSphericalSurface:
            return k316;
        case k::kSpaceIntrinsic:
            return k325;
        case k::kComplexMap:
            return k401;
        case k::kPlaneMap:
            return k402;
        default:
            return {};
    }
}

TEditorForm TExampleEditor::Load() const {
    TEditorForm form;
    form.colours = {record_.extraColour[0], record_.extraColour[1], record_.pen.colour,
                    record_.subKind};
    form.gridColour = record_.GridColour();
    LoadTexts(form);
    LoadNumbers(form);
    LoadSwitches(form);
    LoadLayout(form);
    return form;
}

void TExampleEditor::LoadTexts(TEditorForm& form) const {
    const bool derived = record_.derivation >= 1;
    for (const TextField& f : TextFieldsOf(record_, lagrange_)) {
        std::string text;
        if (derived && !TextEditableWhenDerived(kind_, f.text)) {
            text = Word(kCannotEditThis);
        } else if (f.form == TextForm::kCommaPair) {
            text = record_.Text(f.text) + "," + record_.Text(f.text + 1);
        } else {
            text = record_.Text(f.text);
        }
        form.edits[f.edit] = std::move(text);
    }
    if (kind_ == k::kPoint || kind_ == k::kSpacePoint)
        form.edits[214] = DecodeVariableGroups(record_.subKind);
    if (lagrange_) {
        form.edits[212] =
            Word(kPolynomialWord) + std::to_string(record_.PolynomialNumber()) + "(x)";
        form.disabled.insert(212);
    }
}

void TExampleEditor::LoadNumbers(TEditorForm& form) const {
    const TExample& e = record_;
    const std::span<const int> ids = EditIds(lagrange_ ? k::kLagrange : kind_);
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    const bool textDensity = kind_ == k::kSpaceSegment || kind_ == k::kPlane;
    if (has(kDensity) && !textDensity) {
        const bool jumpsMarked = e.jumpsOff && kind_ >= k::kExplicit && kind_ <= k::kParametric &&
                                 env_.diagramVersion > 22;
        form.edits[kDensity] = Decimal(e.density) + (jumpsMarked ? "@" : "");
    }
    if (HasEndMarks(kind_, lagrange_)) {
        auto load = [&](int end, int edit, const TRadioGroup& group, int solid) {
            const TEndMark mark = e.EndMark(end);
            form.edits[edit] = Decimal(mark.size);
            SetRadio(form, group,
                     mark.shape == TEndMark::Shape::kCircle  ? 1
                     : mark.shape == TEndMark::Shape::kArrow ? 2
                                                             : 0);
            form.SetChecked(solid, mark.shape != TEndMark::Shape::kNone && mark.solid);
        };
        load(0, kFirstCount, kLowMark, kCheck3);
        load(1, kSecondCount, kHighMark, kCheck4);
    } else if (kind_ == k::kSeries || HasMeshCounts(kind_)) {
        form.edits[kFirstCount] = Decimal(e.divisions[0]);
        form.edits[kSecondCount] = Decimal(e.divisions[1]);
    }
    if (has(kThirdCount)) form.edits[kThirdCount] = Decimal(e.slicePoints[0]);
    if (has(kFourthCount)) form.edits[kFourthCount] = Decimal(e.slicePoints[1]);

    // The ranges: the second pair of 221/223 is kept for the switch between numbers and
    // formulas; a surface of revolution shows its ends with the parameters bound to them.
    if (kind_ == k::kRevolution) {
        int h = 0, u = 0, h2 = 0, u2 = 0;
        if (!e.EndsBound() ||
            !compile_support::UnpackLetterPair(e.Number(TNumber::kFirstLetterPair), h, u))
            h = u = 0;
        if (!e.EndsBound() ||
            !compile_support::UnpackLetterPair(e.Number(TNumber::kSecondLetterPair), h2, u2))
            h2 = u2 = 0;
        auto end = [&](int letter, long double value, long double unbound) {
            if (!e.EndsBound()) return Number(env_, unbound);
            if (letter < 1 || letter > slot::kLastParameter) return Number(env_, value);
            return Number(env_, formulas_.Var(letter)) + "@" + LetterOf(letter);
        };
        form.edits[kRangeLow] = end(u, e.Number(TNumber::kFirstLow), e.rangeLow[0]);
        form.edits[kRangeHigh] = end(h, e.Number(TNumber::kFirstHigh), e.rangeHigh[0]);
        form.edits[kRange2Low] = end(u2, e.Number(TNumber::kSecondLow), e.rangeLow[1]);
        form.edits[kRange2High] = end(h2, e.Number(TNumber::kSecondHigh), e.rangeHigh[1]);
    } else {
        if (has(kRangeLow)) {
            form.rangeNumbers = {Number(env_, e.rangeLow[0]), Number(env_, e.rangeHigh[0])};
            form.rangeTexts = e.Text(7).empty() ? form.rangeNumbers : e.SplitRangeText();
            form.edits[kRangeLow] = form.rangeNumbers.low;
            form.edits[kRangeHigh] = form.rangeNumbers.high;
            form.rangeTextsShown = false;
        }
        if (has(kRange2Low)) {
            form.edits[kRange2Low] = Number(env_, e.rangeLow[1]);
            form.edits[kRange2High] = Number(env_, e.rangeHigh[1]);
        }
    }

    if (HasField(kind_)) {
        const int letter = e.FieldParameter();
        if (letter >= 1 && letter <= slot::kLastParameter) {
            form.edits[kFieldLength] =
                FormatLf(formulas_.Var(letter), 3, 1) + "@" + LetterOf(letter);
        } else {
            form.edits[kFieldLength] = FormatLf(e.fieldLengthPercent / 10.0L, 3, 1);
        }
        form.edits[kFieldRows] = Decimal(e.fieldRows);
    }
    if (lagrange_) form.edits[kFieldLength] = Decimal(e.fieldLengthPercent);
    if (has(kPenWidth)) form.edits[kPenWidth] = Decimal(e.pen.width);

    if (kind_ == k::kRoulette || kind_ == k::kRevolution) {
        for (int i = 0; i < 3; ++i)
            form.edits[kNumber1 + i] = Number(env_, e.Number(kShownNumbers[i]));
    } else if (kind_ == k::kSeries) {
        // The dots' size as they are drawn: 2 until one is chosen.
        form.edits[kNumber2] = Decimal(e.sizeWord > 0 ? e.sizeWord : 2);
    } else if (has(kNumber2)) {
        form.edits[kNumber2] = Decimal(e.sizeWord + kSizeOffset);
    }
}

void TExampleEditor::LoadSwitches(TEditorForm& form) const {
    for (const auto& s : SwitchesOf(record_, kind_, lagrange_)) {
        // The first switch of a control decides its state; a follower only follows it.
        if (s.follower) continue;
        const bool on = (*s.field != 0) != s.inverted;
        form.SetChecked(s.id, on);
    }
    for (const auto& r : WordRadiosOf(record_, kind_)) SetRadio(form, r.group, *r.field);
    if (auto pen = PenStyleRadios(kind_)) SetRadio(form, *pen, record_.pen.style);
    if (kind_ == k::kRoulette) SetRadio(form, {251, 2, 0}, record_.LeftSide() ? 0 : 1);
    if (kind_ == k::kSpaceSystem) form.SetChecked(kCheck1, record_.fieldDisplay == 2);
}

void TExampleEditor::LoadLayout(TEditorForm& form) const {
    const TExample& e = record_;
    if (env_.logarithmic) {
        switch (kind_) {
            case k::kParametric:
                for (int id : {kCheck1, kCheck6, kNumber1, kNumber2, kArrowLabel})
                    form.Show(id, false);
                break;
            case k::kSegment:
                for (int id : {254, 255, 256, 257, kArrowsLabel, kArrowLabel, kNumber2})
                    form.Show(id, false);
                break;
            case k::kPoint:
                form.Show(kCheck5, false);
                form.Show(214, false);
                break;
            case k::kSequence:
                form.Show(kCheck1, false);
                form.Show(kCheck6, false);
                break;
            default:
                break;
        }
    }
    if (kind_ == k::kSegment && env_.inventoryFull) form.Show(kCheck5, false);

    if (kind_ == k::kSegment) {
        const bool polar = e.PolarForm() != 0;
        const char* labels[] = {"x1 =", "y1 =", "x2 =", "y2 =", "r1 =", "t1 =", "r2 =", "t2 ="};
        for (int i = 0; i < 4; ++i) form.labels[kLabel1 + i] = labels[(polar ? 4 : 0) + i];
    }
    if (kind_ == k::kPoint || kind_ == k::kSpacePoint) {
        std::string caption = Word(kPointWord);
        const bool threeD = kind_ == k::kSpacePoint;
        if (!threeD && e.ComplexPoint()) {
            caption += " z";
            form.labels[kLabel1] = "z = ";
            for (int id : {212, 213, kLabel1 + 1, kLabel1 + 2}) form.Show(id, false);
        } else {
            const bool polar = threeD ? e.PointCoordinates() == 1 : e.PolarForm() != 0;
            if (threeD && e.PointCoordinates() == 2) {
                caption += " (rho,theta,phi";
                form.labels[kLabel1] = "rho =";
                form.labels[kLabel1 + 1] = "theta =";
                form.labels[kLabel1 + 2] = "phi =";
            } else if (polar) {
                caption += " (r,t";
                form.labels[kLabel1] = "r = ";
                form.labels[kLabel1 + 1] = "t = ";
                if (threeD) caption += ",z";
            } else {
                caption += threeD ? " (x,y,z" : " (x,y";
            }
            caption += ")";
            if (!threeD) {
                form.Show(213, false);
                form.Show(kLabel1 + 2, false);
            }
        }
        form.caption = caption;
    }
    if (kind_ == k::kRevolution) {
        const std::vector<TextField> used = TextFieldsOf(e, false);
        for (int id : {211, 212, 213}) {
            const bool shown = std::any_of(used.begin(), used.end(),
                                           [id](const TextField& f) { return f.edit == id; });
            form.Show(id, shown);
            form.Show(kLabel1 + id - 211, shown);
        }
        if (e.subKind == k::kParametric || e.subKind == k::kSegment) {
            const bool polar =
                e.subKind == k::kParametric ? e.PolarCurve() != 0 : e.PolarForm() != 0;
            form.labels[kLabel1] = polar ? "r,t" : "x,y";
            form.labels[kLabel1 + 1] = "";
        } else if (e.subKind == k::kExplicit) {
            form.labels[kLabel1 + 1] = "y =";
        } else if (e.subKind == k::kPolar) {
            form.labels[kLabel1 + 2] = "r =";
        } else if (e.subKind == k::kImplicit) {
            form.labels[kLabel1 + 2] = "0 =";
            for (int id : {216, 217, 219, 220, 221, 222, 223, 224, 273, 206, 207, 210})
                form.Show(id, false);
        }
    }
    if (kind_ == k::kPlotPoints && e.subKind != k::kExplicit) form.labels[kLabel1] = "t =";
    if (kind_ == k::kParametric) PolarSwitched(form);
    if (kind_ == k::kExplicit || kind_ == k::kIntegral || kind_ == k::kPolar ||
        kind_ == k::kParametric)
        ShowIntervalForm(form, e.HasRangeText());
}

void TExampleEditor::ShowIntervalForm(TEditorForm& form, bool rangeTexts) const {
    if (form.edits.count(kRangeLow) == 0) return;
    if (form.rangeTextsShown != rangeTexts) {
        TRangeTexts& away = form.rangeTextsShown ? form.rangeTexts : form.rangeNumbers;
        away = {form.edits[kRangeLow], form.edits[kRangeHigh]};
        const TRangeTexts& back = rangeTexts ? form.rangeTexts : form.rangeNumbers;
        form.edits[kRangeLow] = back.low;
        form.edits[kRangeHigh] = back.high;
        form.rangeTextsShown = rangeTexts;
    }
    if (!HasEndMarks(kind_, lagrange_)) return;
    // A curve over the whole view has no ends to mark.
    const bool ends = rangeTexts;
    for (int id : kEndMarkGroup) form.Show(id, ends);
}

void TExampleEditor::IntervalSwitched(TEditorForm& form, int id) const {
    if (kind_ != k::kExplicit && kind_ != k::kIntegral) return;
    if (lagrange_) return;
    if (form.IsChecked(id)) form.SetChecked(id == kCheck1 ? kCheck2 : kCheck1, false);
    ShowIntervalForm(form, form.IsChecked(kCheck1) || form.IsChecked(kCheck2));
}

void TExampleEditor::PolarSwitched(TEditorForm& form) const {
    if (kind_ != k::kParametric) return;
    form.caption = form.IsChecked(kCheck6) ? "r = f(t) , " + Word(kThetaWord) + " = g(t)"
                                           : "x = f(t) , y = g(t)";
}

// --- reading -------------------------------------------------------------------------------

namespace {

// Whether the compiled trees of an example depend on what changed between the two records.
bool CompiledPartChanged(const TExample& a, const TExample& b) {
    for (int t = 1; t <= TExample::kTextCount; ++t)
        if (a.Text(t) != b.Text(t)) return true;
    auto differs = [](long double x, long double y) { return !(std::fabs(x - y) <= kTiny); };
    for (int i = 0; i < 2; ++i)
        if (differs(a.rangeLow[i], b.rangeLow[i]) || differs(a.rangeHigh[i], b.rangeHigh[i]))
            return true;
    bool numbersDiffer = false;
    for (std::size_t i = 0; i < a.numbers.size(); ++i)
        numbersDiffer = numbersDiffer || differs(a.numbers[i], b.numbers[i]);
    if (numbersDiffer) return true;
    // The counts of curves hold their end marks, which are drawn, not compiled.
    if (a.divisions != b.divisions && !HasEndMarks(a.kind, a.IsLagrangeExplicit())) return true;
    switch (a.kind) {
        case k::kExplicit:
        case k::kIntegral:
            return a.lockInterval != b.lockInterval || a.periodic != b.periodic;
        case k::kParametric:
            return a.ArrowAtT() != b.ArrowAtT() || a.PolarCurve() != b.PolarCurve();
        case k::kSpaceCurve:
            return a.ArrowAtT() != b.ArrowAtT();
        case k::kPolar:
        case k::kImplicit:
        case k::kSystem:
        case k::kSpaceSystem:
            return a.restrictOn != b.restrictOn || a.FieldParameter() != b.FieldParameter();
        case k::kSlope:
            return a.FieldParameter() != b.FieldParameter();
        case k::kRevolution:
            return a.EndsBound() != b.EndsBound();
        default:
            return false;
    }
}

std::vector<std::uint8_t> RecordBytes(const TExample& e) {
    ByteWriter out;
    WriteExampleRecord(out, e, false);
    return out.Take();
}

}  // namespace

TEditorOutcome TExampleEditor::Read(const TEditorForm& form) const {
    TEditorOutcome out;
    TExample& w = out.record;
    w.InitCopy(record_, false);
    const std::span<const int> ids = EditIds(lagrange_ ? k::kLagrange : kind_);
    TReading r(form, ids, formulas_);
    auto bind = [&out](int letter, long double value) {
        if (letter > 0) out.bindings.push_back({letter, value});
    };

    // Colours and switches.
    w.extraColour = {form.colours[0], form.colours[1]};
    w.pen.colour = form.colours[2];
    if (HasField(kind_)) w.subKind = form.colours[3];
    w.GridColour() = form.gridColour;
    for (const auto& s : SwitchesOf(w, kind_, lagrange_))
        if (r.Shown(s.id)) *s.field = static_cast<std::uint8_t>(r.On(s.id) != s.inverted);
    for (const auto& radios : WordRadiosOf(w, kind_))
        if (auto v = RadioValue(form, radios.group); v && r.Shown(radios.group.first))
            *radios.field = static_cast<std::int16_t>(*v);
    if (auto pen = PenStyleRadios(kind_))
        if (auto v = RadioValue(form, *pen)) w.pen.style = static_cast<std::uint16_t>(*v);
    if (kind_ == k::kRoulette)
        if (auto v = RadioValue(form, {251, 2, 0})) w.LeftSide() = *v == 0 ? 1 : 0;
    if (kind_ == k::kSpaceSystem) w.fieldDisplay = r.On(kCheck1) ? 2 : 0;

    // Formula texts: the first that does not parse ends the reading.
    if (w.derivation < 1 || kind_ == k::kPlotPoints || kind_ == k::kPlane) {
        for (const TextField& f : TextFieldsOf(record_, lagrange_)) {
            if (w.derivation >= 1 && !TextEditableWhenDerived(kind_, f.text)) continue;
            if (!r.Has(f.edit)) continue;
            const std::string text = r.Field(f.edit);
            int e = kNoError;
            switch (f.form) {
                case TextForm::kFormula:
                    e = r.ParseText(text);
                    break;
                case TextForm::kOptional:
                    if (!Trimmed(text).empty()) e = r.ParseText(text);
                    break;
                case TextForm::kSwitched:
                    if (!Trimmed(text).empty() || r.On(f.aux)) e = r.ParseText(text);
                    break;
                case TextForm::kEquation: {
                    std::string split;
                    if (!SplitEquation(split, text)) {
                        e = kErrMissingEquals;
                    } else if (split.size() > kRecordTextChars) {
                        e = parse_error::kTooLong;
                    } else if ((e = r.ParseText(split)) == kNoError) {
                        w.Text(f.aux) = split;
                    }
                    break;
                }
                case TextForm::kList2:
                    e = r.ParseList(text, 2);
                    break;
                case TextForm::kList3:
                    e = r.ParseList(text, 3);
                    break;
                case TextForm::kSeriesIndex:
                    e = r.ParseText(text);
                    if (e == kNoError) {
                        const TExprNode* tree = r.Formulas().ParseResult();
                        const bool letter = tree && tree->op >= op::kVarA &&
                                            tree->op <= op::kVarZ && !tree->child[0] &&
                                            !tree->child[1];
                        if (!letter) e = kErrCannotUnderstand;
                    }
                    break;
                case TextForm::kValues:
                    break;
                case TextForm::kCommaPair: {
                    const std::size_t comma = text.find(',');
                    if (comma == std::string::npos) {
                        e = kErrInconsistentData;
                        break;
                    }
                    const std::string first = text.substr(0, comma);
                    const std::string second = text.substr(comma + 1);
                    if ((e = r.ParseText(first)) == kNoError) e = r.ParseText(second);
                    if (e == kNoError) {
                        w.Text(f.text) = first;
                        w.Text(f.text + 1) = second;
                    }
                    break;
                }
            }
            if (e != kNoError) {
                out.error = e;
                return out;
            }
            if (f.form != TextForm::kCommaPair) w.Text(f.text) = text;
        }
        if (kind_ == k::kSphericalSurface && w.derivation < 1) {
            const std::string r4 = "(" + w.Text(4) + ")";
            const std::string rewritten[3] = {r4 + "sin(u)cos(t)", r4 + "sin(u)sin(t)",
                                              r4 + "cos(u)"};
            for (int t = 0; t < 3; ++t) {
                if (rewritten[t].size() > kRecordTextChars) {
                    out.error = parse_error::kTooLong;
                    return out;
                }
                w.Text(t + 1) = rewritten[t];
            }
        }
    }
    if ((kind_ == k::kPoint || kind_ == k::kSpacePoint) && r.Has(214))
        w.subKind = static_cast<std::int16_t>(EncodeVariableGroups(r.Field(214)));

    // Ranges.
    if (kind_ == k::kRevolution) {
        const int ends[4] = {kRangeLow, kRangeHigh, kRange2Low, kRange2High};
        const TNumber places[4] = {TNumber::kFirstLow, TNumber::kFirstHigh, TNumber::kSecondLow,
                                   TNumber::kSecondHigh};
        int letters[4] = {};
        long double values[4] = {};
        bool ok = true;
        for (int i = 0; i < 4; ++i) {
            if (!r.Has(ends[i])) {
                ok = false;
                continue;
            }
            const TBoundNumber n = r.Bound(r.Field(ends[i]));
            ok = ok && n.error == kNoError;
            values[i] = n.value;
            letters[i] = n.letter;
        }
        if (ok) {
            if (values[1] < values[0] + kTiny || values[3] < values[2] + kTiny) {
                r.Note(kErrInconsistentData);
            } else {
                for (int i = 0; i < 4; ++i) {
                    w.Number(places[i]) = values[i];
                    bind(letters[i], values[i]);
                }
                w.Number(TNumber::kFirstLetterPair) = letters[0] + 100 * letters[1];
                w.Number(TNumber::kSecondLetterPair) = letters[2] + 100 * letters[3];
                w.EndsBound() = 1;
            }
        }
    } else if (r.Has(kRangeLow) && r.Has(kRangeHigh)) {
        if (form.rangeTextsShown) {
            std::string ends[2];
            long double values[2] = {};
            bool ok = true;
            const int edits[2] = {kRangeLow, kRangeHigh};
            for (int i = 0; i < 2; ++i) {
                const std::string typed = std::string(Trimmed(r.Field(edits[i])));
                const TBoundNumber n = r.Bound(typed);
                if (n.error != kNoError) {
                    ok = false;
                    continue;
                }
                values[i] = n.value;
                ends[i] = n.letter > 0 ? std::string(1, LetterOf(n.letter)) : typed;
                bind(n.letter, n.value);
            }
            if (ok) {
                const std::string joined = ends[0] + ";" + ends[1];
                if (joined.size() > kRecordTextChars) {
                    r.Note(parse_error::kTooLong);
                } else if (values[1] < values[0] + kTiny) {
                    r.Note(kErrInconsistentData);
                } else {
                    w.Text(7) = joined;
                    w.rangeLow[0] = values[0];
                    w.rangeHigh[0] = values[1];
                }
            }
        } else {
            const auto low = r.Value(kRangeLow);
            const auto high = r.Value(kRangeHigh);
            if (low && high) {
                if (*high < *low + kTiny) {
                    r.Note(kErrInconsistentData);
                } else {
                    w.rangeLow[0] = *low;
                    w.rangeHigh[0] = *high;
                }
            }
        }
        const bool interval = w.lockInterval || w.periodic;
        if (kind_ == k::kExplicit && env_.logX && interval && w.rangeLow[0] < env_.logXLow)
            r.Note(kErrInconsistentData);
    }
    if (kind_ != k::kRevolution && r.Has(kRange2Low) && r.Has(kRange2High)) {
        const auto low = r.Value(kRange2Low);
        const auto high = r.Value(kRange2High);
        if (low && high) {
            if (*high < *low + kTiny) {
                r.Note(kErrInconsistentData);
            } else {
                w.rangeLow[1] = *low;
                w.rangeHigh[1] = *high;
            }
        }
    }

    // Density, counts, sizes, the field and the pen.
    if (r.Has(kDensity) && kind_ != k::kSpaceSegment && kind_ != k::kPlane) {
        bool marked = false;
        const std::string field = r.Field(kDensity);
        const std::string_view text = WithoutAt(field, marked);
        if (auto d = r.Integer(text, -kMaxDensity, kMaxDensity)) {
            if (*d == 0) {
                r.Note(kErrOutOfBounds);
            } else {
                w.density = static_cast<std::int16_t>(*d);
            }
        }
        if (kind_ >= k::kExplicit && kind_ <= k::kParametric) w.jumpsOff = marked ? 1 : 0;
    }
    if (HasEndMarks(kind_, lagrange_)) {
        if (r.Has(kFirstCount) && r.Has(kSecondCount)) {
            const auto low = r.Integer(kFirstCount, 0, kMaxEndMark);
            const auto high = r.Integer(kSecondCount, 0, kMaxEndMark);
            if (low && high) {
                auto mark = [&](int size, const TRadioGroup& group, int solid) {
                    const int shape = RadioValue(form, group).value_or(0);
                    TEndMark m;
                    if (size >= 1 && shape == 1) m.shape = TEndMark::Shape::kCircle;
                    if (size >= 1 && shape == 2) m.shape = TEndMark::Shape::kArrow;
                    m.size = size;
                    m.solid = r.On(solid);
                    return m;
                };
                // A mark unchanged keeps its words as they were.
                const TEndMark marks[2] = {mark(*low, kLowMark, kCheck3),
                                           mark(*high, kHighMark, kCheck4)};
                for (int end = 0; end < 2; ++end) {
                    const TEndMark m =
                        marks[end].shape == TEndMark::Shape::kNone ? TEndMark{} : marks[end];
                    if (!(m == w.EndMark(end))) w.SetEndMark(end, m);
                }
            }
        }
    } else if (kind_ == k::kSeries) {
        const auto low = r.Integer(kFirstCount, -32765, 32767);
        const auto high = r.Integer(kSecondCount, -32765, 32767);
        if (low && high) {
            if (*high < *low) {
                r.Note(kErrInconsistentData);
            } else {
                w.divisions[0] = static_cast<std::int16_t>(*low);
                w.divisions[1] = static_cast<std::int16_t>(*high);
            }
        }
    } else if (HasMeshCounts(kind_) && r.Has(kFirstCount) && r.Has(kSecondCount)) {
        const auto first = r.Integer(kFirstCount, 1, 1500);
        const auto second = r.Integer(kSecondCount, 1, 6000);
        if (first && second) {
            if (!MeshCountsFit(*first, *second, kind_ == k::kRevolution)) {
                r.Note(kErrOutOfBounds);
            } else {
                w.divisions[0] = static_cast<std::int16_t>(*first);
                w.divisions[1] = static_cast<std::int16_t>(*second);
            }
        }
    }
    if (r.Has(kThirdCount))
        if (auto n = r.Integer(kThirdCount, 1, kMaxSlices))
            w.slicePoints[0] = static_cast<std::int16_t>(*n);
    if (r.Has(kFourthCount))
        if (auto n = r.Integer(kFourthCount, 2, kMaxSlices))
            w.slicePoints[1] = static_cast<std::int16_t>(*n);
    if (HasField(kind_)) {
        if (r.Has(kFieldLength)) {
            const TBoundNumber n = r.Bound(r.Field(kFieldLength));
            if (n.error == kNoError) {
                const long double tenths = std::round(n.value * 10);
                if (!(tenths >= kMinFieldTenths && tenths <= 32767)) {
                    r.Note(kErrOutOfBounds);
                } else {
                    w.fieldLengthPercent = static_cast<std::int16_t>(tenths);
                    w.FieldParameter() = static_cast<std::int16_t>(n.letter);
                    bind(n.letter, n.value);
                }
            }
        }
        if (r.Has(kFieldRows))
            if (auto n = r.Integer(kFieldRows, 1, kMaxFieldRows))
                w.fieldRows = static_cast<std::int16_t>(*n);
    }
    if (lagrange_ && r.Has(kFieldLength))
        if (auto n = r.Integer(kFieldLength, 1, kMaxDotSize))
            w.fieldLengthPercent = static_cast<std::int16_t>(*n);
    if (r.Has(kPenWidth)) {
        bool marked = false;
        const std::string field = r.Field(kPenWidth);
        const std::string_view text = WithoutAt(field, marked);
        if (auto n = r.Integer(text, 1, kMaxPenWidth)) {
            w.pen.width = static_cast<std::uint16_t>(*n);
            if (marked) out.defaultPenWidth = *n;
        }
    }
    if (kind_ == k::kRoulette || kind_ == k::kRevolution) {
        const int edits[3] = {kNumber1, kNumber2, kNumber3};
        for (int i = 0; i < 3; ++i) {
            if (!r.Has(edits[i])) continue;
            const auto v = r.Value(edits[i]);
            if (!v) continue;
            if (kind_ == k::kRoulette && edits[i] == kNumber2 && !(*v > 0)) {
                r.Note(kErrPositiveValue);
                continue;
            }
            w.Number(kShownNumbers[i]) = *v;
        }
    } else if (r.Has(kNumber2) && (HasArrowSize(kind_) || kind_ == k::kSeries)) {
        if (auto n = r.Integer(kNumber2, 1, kMaxSize))
            w.sizeWord = static_cast<std::int16_t>(kind_ == k::kSeries ? *n : *n - kSizeOffset);
    }

    // An explicit curve without an interval spans the window.
    if (kind_ == k::kExplicit && !w.lockInterval) {
        w.rangeLow[0] = env_.xLow;
        w.rangeHigh[0] = env_.xHigh;
    }

    if (r.NumericError() != kNoError) {
        out.error = r.NumericError();
        return out;
    }
    if (const TRecordFault fault = ValidateExample(w, index_); !fault.Ok()) {
        out.error = fault.error;
        return out;
    }

    // What changed.
    const bool anything = CompiledPartChanged(w, record_) || RecordBytes(w) != RecordBytes(record_);
    if (anything) out.mask |= change::kAny;
    if (CompiledPartChanged(w, record_)) out.mask |= change::kCompile;
    for (const TParameterBinding& b : out.bindings)
        if (!(std::fabs(formulas_.Var(b.letter) - b.value) <= kTiny))
            out.mask |= change::kCompile | change::kAny;
    if (kind_ / 100 == 3 && w.slicePoints != record_.slicePoints) out.mask |= change::kDisplay;
    if (kind_ == k::kIntegral) out.mask &= ~change::kCompile;
    if (kind_ == k::kSegment && w.EndPointsAsExamples()) out.mask |= change::kEndPoints;
    if (out.mask != 0) w.graphShown = 1;
    return out;
}

// --- storing -------------------------------------------------------------------------------

void StoreEditedRecord(TExample& target, const TExample& edited) {
    const bool derived = target.derivation >= 1;
    std::array<std::string, TExample::kTextCount> texts = target.texts;
    const bool keepsTraceState = target.derivation >= 78 && target.derivation <= 80;
    const auto numbers = target.numbers;
    target.CopyFrom(edited, false);
    target.kind = edited.kind;
    if (derived) {
        for (int t = 1; t <= TExample::kTextCount; ++t)
            if (!TextEditableWhenDerived(target.kind, t))
                target.Text(t) = texts[static_cast<std::size_t>(t - 1)];
    }
    if (keepsTraceState) {
        // Numbers 401-451: the state the tracing slider keeps for its derived examples.
        std::copy(numbers.begin() + 12, numbers.end(), target.numbers.begin() + 12);
    }
    if ((target.kind == k::kExplicit || target.kind == k::kIntegral) && target.lockInterval) {
        target.tableLow = target.rangeLow[0];
        target.tableHigh = target.rangeHigh[0];
    }
    if (target.kind / 100 == 4) target.listing = 4;
    if (target.kind == k::kPlotPoints) {
        const std::vector<long double> values = ScanNumbers(target.Text(4));
        const std::size_t n = std::min(values.size(), target.values.size());
        std::copy_n(values.begin(), n, target.values.begin());
        target.PlotPointCount() = static_cast<std::int16_t>(n);
    }
}

std::string EditorTemplateName(const TExample& example) {
    if (example.IsLagrangeExplicit()) return "EQUA213";
    if (example.kind == k::kPoint) return "EQUA309";
    return "EQUA" + std::to_string(example.kind);
}

int EditorHelpTopic(int kind) {
    static constexpr int k2D[] = {240, 241, 242, 243, 259, 153, 246, 247, 248, 249, 250, 251, 204,
                                  248, 248, 216, 217, 218, 219, 220, 221, 222, 223, 224, 378};
    static constexpr int k3D[] = {252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 262, 263, 260,
                                  260, 330, 277, 317, 318, 319, 320, 321, 322, 323, 324, 378};
    const int i = (kind - 1) % 100;
    if (i < 0 || i >= 25) return 0;
    return kind / 100 == 3 ? k3D[i] : k2D[i];
}

int EditorColourCaption(int kind) {
    switch (kind) {
        case k::kPoint:
        case k::kSpacePoint:
            return 262;  // "point"
        case k::kLine:
            return 337;  // "line"
        case k::kSegment:
        case k::kSpaceSegment:
            return 244;  // "segment"
        case k::kPlane:
            return 330;  // "Plane"
        case k::kSurface:
        case k::kPolarSurface:
        case k::kParametricSurface:
        case k::kImplicitSurface:
        case k::kTube:
        case k::kRevolution:
            return 336;  // "surface"
        default:
            return 110;  // "curve"
    }
}

}  // namespace quorlin::examples
