#pragma once
// What the two halves of the example editor share: the control ids of the templates, the
// limits of the typed values, the formula edits of each kind and how each is read, and the
// switches and radio groups that stand for record fields (read from a const record on loading,
// written to the working copy on reading, by the same tables).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "examples/operations/example_editor.h"

namespace quorlin::examples::editor_parts {

namespace k = quorlin::examples::kind;

// --- control ids and limits ----------------------------------------------------------------

inline constexpr int kDensity = 215;
inline constexpr int kFirstCount = 216;
inline constexpr int kSecondCount = 217;
inline constexpr int kThirdCount = 219;
inline constexpr int kFourthCount = 220;
inline constexpr int kRangeLow = 221;
inline constexpr int kRange2Low = 222;
inline constexpr int kRangeHigh = 223;
inline constexpr int kRange2High = 224;
inline constexpr int kFieldLength = 225;
inline constexpr int kFieldRows = 226;
inline constexpr int kPenWidth = 227;
inline constexpr int kNumber1 = 234;
inline constexpr int kNumber2 = 235;
inline constexpr int kNumber3 = 236;
// The numbers edits 234-236 show for a roulette; a surface of revolution's axis a, b, c share
// their places.
inline constexpr TNumber kShownNumbers[3] = {TNumber::kRouletteStart, TNumber::kRouletteRadius,
                                             TNumber::kRouletteArm};
inline constexpr int kArrowLabel = 11;
inline constexpr int kArrowsLabel = 239;
inline constexpr int kCheck1 = 271;
inline constexpr int kCheck2 = 272;
inline constexpr int kCheck3 = 273;
inline constexpr int kCheck4 = 274;
inline constexpr int kCheck5 = 275;
inline constexpr int kCheck6 = 276;
inline constexpr int kLabel1 = 281;

inline constexpr int kCannotEditThis = 201;    // string id
inline constexpr int kErrMissingEquals = 112;  // "missing ="
inline constexpr int kPointWord = 262;
inline constexpr int kPolynomialWord = 204;
inline constexpr int kThetaWord = 278;

inline constexpr long double kTiny = 1e-13L;
inline constexpr int kMaxEndMark = 19;
inline constexpr int kMaxDensity = 10000;
inline constexpr int kMaxPenWidth = 30;
inline constexpr int kMaxSize = 1000;
inline constexpr int kMaxDotSize = 100;
inline constexpr int kMaxFieldRows = 100;
inline constexpr int kMinFieldTenths = 2;
inline constexpr int kMaxSlices = 32000;
inline constexpr int kSizeOffset = 10;  // size words keep the size minus 10

// --- text helpers --------------------------------------------------------------------------

std::string_view Trimmed(std::string_view text);
// The text cut to a record text's length.
std::string Cut(std::string_view text);
std::string Decimal(long v);
// A number as the window writes it, without the padding of its field width.
std::string Number(const TEditorEnv& env, long double v);
// A text without its trailing "@" (and blanks); `marked` tells whether there was one.
std::string_view WithoutAt(std::string_view text, bool& marked);
char LetterOf(int letter);

// --- what a kind's template has ------------------------------------------------------------

// The two mesh counts: the mesh surfaces and every surface of revolution.
bool HasMeshCounts(int kind);
// The mesh options (shade, fast draw, spectrum, grid, colours).
bool HasMeshOptions(int kind);
// 201, 202, 203 and 206 mark the ends of the curve (a polynomial through points does not).
bool HasEndMarks(int kind, bool lagrange);
bool HasField(int kind);
bool HasArrowSize(int kind);
// The formula texts derived examples still edit: the values of plot points, a plane's size.
bool TextEditableWhenDerived(int kind, int text);

// --- formula edits -------------------------------------------------------------------------

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

// The formula edits of the record's kind (of its sub-kind for a surface of revolution); none
// for a polynomial through points, whose tree comes from its points.
std::vector<TextField> TextFieldsOf(const TExample& e, bool lagrange);

// --- switches and radio groups -------------------------------------------------------------

// Radio groups of one switch value: ids and the values they stand for.
struct TRadioGroup {
    int first;
    int count;
    int firstValue;
};

// The value of a radio group, or nothing when none of its buttons is on.
std::optional<int> RadioValue(const TEditorForm& form, const TRadioGroup& group);
void SetRadio(TEditorForm& form, const TRadioGroup& group, int value);

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
std::optional<TRadioGroup> PenStyleRadios(int kind);

inline constexpr TRadioGroup kLowMark{251, 3, 0};   // none, circle, arrow
inline constexpr TRadioGroup kHighMark{254, 3, 0};  // none, circle, arrow

// The end-mark group of 201, 202, 203 and 206.
inline constexpr int kEndMarkGroup[] = {281, 282, 283, 284, 216, 217, 251,
                                        252, 253, 254, 255, 256, 273, 274};

}  // namespace quorlin::examples::editor_parts
