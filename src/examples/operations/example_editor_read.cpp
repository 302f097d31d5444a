#include "examples/operations/example_editor.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/binio.h"
#include "core/errors.h"
#include "examples/operations/example_editor_parts.h"
#include "examples/records/compile_support.h"
#include "examples/records/equation_text.h"
#include "examples/records/record_codec.h"
#include "examples/records/record_validator.h"
#include "examples/records/variable_groups.h"
#include "formula/formula_text.h"
#include "formula/opcodes.h"
#include "formula/parser.h"

namespace quorlin::examples {

using namespace editor_parts;

namespace {

// A text of the form "value@L" read without binding: the value and the letter (0 for none).
struct TBoundNumber {
    int error = kNoError;
    long double value = 0;
    int letter = 0;
};

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

// One reading of a form into the working copy, one group of controls a step. The first
// formula that does not parse ends the reading; numeric errors are noted and the last one is
// reported.
class TFormReader {
public:
    TFormReader(const TEditorForm& form, const TExample& record, std::span<const int> ids,
                const TEditorEnv& env, FormulaContext& formulas, bool lagrange, TEditorOutcome& out)
        : form_(form),
          record_(record),
          env_(env),
          r_(form, ids, formulas),
          kind_(record.kind),
          lagrange_(lagrange),
          out_(out),
          w_(out.record) {}

    void Switches();
    // kNoError, or the parse error that ends the reading.
    int Texts();
    void Ranges();
    void CountsAndSizes();
    int NumericError() const { return r_.NumericError(); }

private:
    int Text(const TextField& f);
    int SphericalTexts();
    void RevolutionRanges();
    void FirstRangeTexts();
    // which: 0 the first range, 1 the second.
    void NumberRange(int lowEdit, int highEdit, int which);
    std::optional<long double> RangeEnd(int edit, long double stored);
    long double KeptIfAsShown(int edit, long double stored, long double read) const;
    void Density();
    void EndMarks();
    void MeshOrSeriesCounts();
    void Field();
    void PenAndNumbers();
    void Bind(int letter, long double value) {
        if (letter > 0) out_.bindings.push_back({letter, value});
    }

    const TEditorForm& form_;
    const TExample& record_;
    const TEditorEnv& env_;
    TReading r_;
    int kind_;
    bool lagrange_;
    TEditorOutcome& out_;
    TExample& w_;
};

void TFormReader::Switches() {
    w_.extraColour = {form_.colours[0], form_.colours[1]};
    w_.pen.colour = form_.colours[2];
    if (HasField(kind_)) w_.subKind = form_.colours[3];
    w_.GridColour() = form_.gridColour;
    for (const auto& s : SwitchesOf(w_, kind_, lagrange_))
        if (r_.Shown(s.id)) *s.field = static_cast<std::uint8_t>(r_.On(s.id) != s.inverted);
    for (const auto& radios : WordRadiosOf(w_, kind_))
        if (auto v = RadioValue(form_, radios.group); v && r_.Shown(radios.group.first))
            *radios.field = static_cast<std::int16_t>(*v);
    if (auto pen = PenStyleRadios(kind_))
        if (auto v = RadioValue(form_, *pen)) w_.pen.style = static_cast<std::uint16_t>(*v);
    if (kind_ == k::kRoulette)
        if (auto v = RadioValue(form_, {251, 2, 0})) w_.LeftSide() = *v == 0 ? 1 : 0;
    if (kind_ == k::kSpaceSystem) w_.fieldDisplay = r_.On(kCheck1) ? 2 : 0;
}

int TFormReader::Texts() {
    if (w_.derivation < 1 || kind_ == k::kPlotPoints || kind_ == k::kPlane) {
        for (const TextField& f : TextFieldsOf(record_, lagrange_)) {
            if (w_.derivation >= 1 && !TextEditableWhenDerived(kind_, f.text)) continue;
            if (!r_.Has(f.edit)) continue;
            if (const int e = Text(f); e != kNoError) return e;
        }
        if (kind_ == k::kSphericalSurface && w_.derivation < 1)
            if (const int e = SphericalTexts(); e != kNoError) return e;
    }
    if ((kind_ == k::kPoint || kind_ == k::kSpacePoint) && r_.Has(214))
        w_.subKind = static_cast<std::int16_t>(EncodeVariableGroups(r_.Field(214)));
    return kNoError;
}

// One formula edit by its form; the text goes into the record when it reads.
int TFormReader::Text(const TextField& f) {
    const std::string text = r_.Field(f.edit);
    int e = kNoError;
    switch (f.form) {
        case TextForm::kFormula:
            e = r_.ParseText(text);
            break;
        case TextForm::kOptional:
            if (!Trimmed(text).empty()) e = r_.ParseText(text);
            break;
        case TextForm::kSwitched:
            if (!Trimmed(text).empty() || r_.On(f.aux)) e = r_.ParseText(text);
            break;
        case TextForm::kEquation: {
            std::string split;
            if (!SplitEquation(split, text)) {
                e = kErrMissingEquals;
            } else if (split.size() > kRecordTextChars) {
                e = parse_error::kTooLong;
            } else if ((e = r_.ParseText(split)) == kNoError) {
                w_.Text(f.aux) = split;
            }
            break;
        }
        case TextForm::kList2:
            e = r_.ParseList(text, 2);
            break;
        case TextForm::kList3:
            e = r_.ParseList(text, 3);
            break;
        case TextForm::kSeriesIndex:
            e = r_.ParseText(text);
            if (e == kNoError) {
                const TExprNode* tree = r_.Formulas().ParseResult();
                const bool letter = tree && tree->op >= op::kVarA && tree->op <= op::kVarZ &&
                                    !tree->child[0] && !tree->child[1];
                if (!letter) e = kErrCannotUnderstand;
            }
            break;
        case TextForm::kValues:
            break;
        case TextForm::kCommaPair: {
            const std::size_t comma = text.find(',');
            if (comma == std::string::npos) return kErrInconsistentData;
            const std::string first = text.substr(0, comma);
            const std::string second = text.substr(comma + 1);
            if ((e = r_.ParseText(first)) == kNoError) e = r_.ParseText(second);
            if (e == kNoError) {
                w_.Text(f.text) = first;
                w_.Text(f.text + 1) = second;
            }
            return e;
        }
    }
    if (e == kNoError) w_.Text(f.text) = text;
    return e;
}

// The surface is compiled from its Cartesian texts, made from rho(t,u) in text 4.
int TFormReader::SphericalTexts() {
    const std::string r4 = "(" + w_.Text(4) + ")";
    const std::string rewritten[3] = {r4 + "sin(u)cos(t)", r4 + "sin(u)sin(t)", r4 + "cos(u)"};
    for (int t = 0; t < 3; ++t) {
        if (rewritten[t].size() > kRecordTextChars) return parse_error::kTooLong;
        w_.Text(t + 1) = rewritten[t];
    }
    return kNoError;
}

void TFormReader::Ranges() {
    if (kind_ == k::kRevolution) {
        RevolutionRanges();
        return;
    }
    if (r_.Has(kRangeLow) && r_.Has(kRangeHigh)) {
        if (form_.rangeTextsShown)
            FirstRangeTexts();
        else
            NumberRange(kRangeLow, kRangeHigh, 0);
        const bool interval = w_.lockInterval || w_.periodic;
        if (kind_ == k::kExplicit && env_.logX && interval && w_.rangeLow[0] < env_.logXLow)
            r_.Note(kErrInconsistentData);
    }
    if (r_.Has(kRange2Low) && r_.Has(kRange2High)) NumberRange(kRange2Low, kRange2High, 1);
}

// The ends of both parameters, each bound to a letter by "@" or a number.
void TFormReader::RevolutionRanges() {
    const int ends[4] = {kRangeLow, kRangeHigh, kRange2Low, kRange2High};
    const TNumber places[4] = {TNumber::kFirstLow, TNumber::kFirstHigh, TNumber::kSecondLow,
                               TNumber::kSecondHigh};
    const bool bound = record_.EndsBound() != 0;
    const long double stored[4] = {bound ? record_.Number(places[0]) : record_.rangeLow[0],
                                   bound ? record_.Number(places[1]) : record_.rangeHigh[0],
                                   bound ? record_.Number(places[2]) : record_.rangeLow[1],
                                   bound ? record_.Number(places[3]) : record_.rangeHigh[1]};
    int letters[4] = {};
    long double values[4] = {};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        if (!r_.Has(ends[i])) {
            ok = false;
            continue;
        }
        const TBoundNumber n = r_.Bound(r_.Field(ends[i]));
        ok = ok && n.error == kNoError;
        values[i] = n.letter == 0 ? KeptIfAsShown(ends[i], stored[i], n.value) : n.value;
        letters[i] = n.letter;
    }
    if (!ok) return;
    if (values[1] < values[0] + kTiny || values[3] < values[2] + kTiny) {
        r_.Note(kErrInconsistentData);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        w_.Number(places[i]) = values[i];
        Bind(letters[i], values[i]);
    }
    w_.Number(TNumber::kFirstLetterPair) = letters[0] + 100 * letters[1];
    w_.Number(TNumber::kSecondLetterPair) = letters[2] + 100 * letters[3];
    w_.EndsBound() = 1;
}

// The range as formulas: each end a number or a bound letter, kept as the range text.
void TFormReader::FirstRangeTexts() {
    std::string ends[2];
    long double values[2] = {};
    bool ok = true;
    const int edits[2] = {kRangeLow, kRangeHigh};
    const long double stored[2] = {record_.rangeLow[0], record_.rangeHigh[0]};
    for (int i = 0; i < 2; ++i) {
        const std::string typed = std::string(Trimmed(r_.Field(edits[i])));
        const TBoundNumber n = r_.Bound(typed);
        if (n.error != kNoError) {
            ok = false;
            continue;
        }
        values[i] = n.letter == 0 ? KeptIfAsShown(edits[i], stored[i], n.value) : n.value;
        ends[i] = n.letter > 0 ? std::string(1, LetterOf(n.letter)) : typed;
        Bind(n.letter, n.value);
    }
    if (!ok) return;
    const std::string joined = ends[0] + ";" + ends[1];
    if (joined.size() > kRecordTextChars) {
        r_.Note(parse_error::kTooLong);
    } else if (values[1] < values[0] + kTiny) {
        r_.Note(kErrInconsistentData);
    } else {
        w_.Text(7) = joined;
        w_.rangeLow[0] = values[0];
        w_.rangeHigh[0] = values[1];
    }
}

// A numeric range of two edits, its high end above its low end.
void TFormReader::NumberRange(int lowEdit, int highEdit, int which) {
    const auto at = static_cast<std::size_t>(which);
    const auto low = RangeEnd(lowEdit, record_.rangeLow[at]);
    const auto high = RangeEnd(highEdit, record_.rangeHigh[at]);
    if (!low || !high) return;
    if (*high < *low + kTiny) {
        r_.Note(kErrInconsistentData);
    } else {
        w_.rangeLow[at] = *low;
        w_.rangeHigh[at] = *high;
    }
}

// The edit shows an end rounded to the window's places: left as it was shown, it keeps the
// stored value, so that OK without a change does not move the range to its rounded ends.
long double TFormReader::KeptIfAsShown(int edit, long double stored, long double read) const {
    return Trimmed(r_.Field(edit)) == Number(env_, stored) ? stored : read;
}

std::optional<long double> TFormReader::RangeEnd(int edit, long double stored) {
    const auto read = r_.Value(edit);
    if (!read) return std::nullopt;
    return KeptIfAsShown(edit, stored, *read);
}

void TFormReader::CountsAndSizes() {
    if (r_.Has(kDensity) && kind_ != k::kSpaceSegment && kind_ != k::kPlane) Density();
    if (HasEndMarks(kind_, lagrange_))
        EndMarks();
    else
        MeshOrSeriesCounts();
    if (r_.Has(kThirdCount))
        if (auto n = r_.Integer(kThirdCount, 1, kMaxSlices))
            w_.slicePoints[0] = static_cast<std::int16_t>(*n);
    if (r_.Has(kFourthCount))
        if (auto n = r_.Integer(kFourthCount, 2, kMaxSlices))
            w_.slicePoints[1] = static_cast<std::int16_t>(*n);
    if (HasField(kind_)) Field();
    if (lagrange_ && r_.Has(kFieldLength))
        if (auto n = r_.Integer(kFieldLength, 1, kMaxDotSize))
            w_.fieldLengthPercent = static_cast<std::int16_t>(*n);
    PenAndNumbers();
}

// The density, "@" at its end turning jump detection off.
void TFormReader::Density() {
    bool marked = false;
    const std::string field = r_.Field(kDensity);
    const std::string_view text = WithoutAt(field, marked);
    if (auto d = r_.Integer(text, -kMaxDensity, kMaxDensity)) {
        if (*d == 0) {
            r_.Note(kErrOutOfBounds);
        } else {
            w_.density = static_cast<std::int16_t>(*d);
        }
    }
    if (kind_ >= k::kExplicit && kind_ <= k::kParametric) w_.jumpsOff = marked ? 1 : 0;
}

void TFormReader::EndMarks() {
    if (!r_.Has(kFirstCount) || !r_.Has(kSecondCount)) return;
    const auto low = r_.Integer(kFirstCount, 0, kMaxEndMark);
    const auto high = r_.Integer(kSecondCount, 0, kMaxEndMark);
    if (!low || !high) return;
    auto mark = [&](int size, const TRadioGroup& group, int solid) {
        const int shape = RadioValue(form_, group).value_or(0);
        TEndMark m;
        if (size >= 1 && shape == 1) m.shape = TEndMark::Shape::kCircle;
        if (size >= 1 && shape == 2) m.shape = TEndMark::Shape::kArrow;
        m.size = size;
        m.solid = r_.On(solid);
        return m;
    };
    // A mark unchanged keeps its words as they were.
    const TEndMark marks[2] = {mark(*low, kLowMark, kCheck3), mark(*high, kHighMark, kCheck4)};
    for (int end = 0; end < 2; ++end) {
        const TEndMark m = marks[end].shape == TEndMark::Shape::kNone ? TEndMark{} : marks[end];
        if (!(m == w_.EndMark(end))) w_.SetEndMark(end, m);
    }
}

// The first and last index of a series, or the two mesh counts.
void TFormReader::MeshOrSeriesCounts() {
    if (kind_ == k::kSeries) {
        const auto low = r_.Integer(kFirstCount, -32765, 32767);
        const auto high = r_.Integer(kSecondCount, -32765, 32767);
        if (!low || !high) return;
        if (*high < *low) {
            r_.Note(kErrInconsistentData);
        } else {
            w_.divisions[0] = static_cast<std::int16_t>(*low);
            w_.divisions[1] = static_cast<std::int16_t>(*high);
        }
    } else if (HasMeshCounts(kind_) && r_.Has(kFirstCount) && r_.Has(kSecondCount)) {
        const auto first = r_.Integer(kFirstCount, 1, 1500);
        const auto second = r_.Integer(kSecondCount, 1, 6000);
        if (!first || !second) return;
        if (!MeshCountsFit(*first, *second, kind_ == k::kRevolution)) {
            r_.Note(kErrOutOfBounds);
        } else {
            w_.divisions[0] = static_cast<std::int16_t>(*first);
            w_.divisions[1] = static_cast<std::int16_t>(*second);
        }
    }
}

// The field's length in tenths of a per cent, or bound to a parameter, and its rows.
void TFormReader::Field() {
    if (r_.Has(kFieldLength)) {
        const TBoundNumber n = r_.Bound(r_.Field(kFieldLength));
        if (n.error == kNoError) {
            const long double tenths = std::round(n.value * 10);
            if (!(tenths >= kMinFieldTenths && tenths <= 32767)) {
                r_.Note(kErrOutOfBounds);
            } else {
                w_.fieldLengthPercent = static_cast<std::int16_t>(tenths);
                w_.FieldParameter() = static_cast<std::int16_t>(n.letter);
                Bind(n.letter, n.value);
            }
        }
    }
    if (r_.Has(kFieldRows))
        if (auto n = r_.Integer(kFieldRows, 1, kMaxFieldRows))
            w_.fieldRows = static_cast<std::int16_t>(*n);
}

// The pen width ("@" makes it the window's default), the numbers of a roulette or a surface of
// revolution, the arrow or dot size.
void TFormReader::PenAndNumbers() {
    if (r_.Has(kPenWidth)) {
        bool marked = false;
        const std::string field = r_.Field(kPenWidth);
        const std::string_view text = WithoutAt(field, marked);
        if (auto n = r_.Integer(text, 1, kMaxPenWidth)) {
            w_.pen.width = static_cast<std::uint16_t>(*n);
            if (marked) out_.defaultPenWidth = *n;
        }
    }
    if (kind_ == k::kRoulette || kind_ == k::kRevolution) {
        const int edits[3] = {kNumber1, kNumber2, kNumber3};
        for (int i = 0; i < 3; ++i) {
            if (!r_.Has(edits[i])) continue;
            const auto v = r_.Value(edits[i]);
            if (!v) continue;
            if (kind_ == k::kRoulette && edits[i] == kNumber2 && !(*v > 0)) {
                r_.Note(kErrPositiveValue);
                continue;
            }
            w_.Number(kShownNumbers[i]) = *v;
        }
    } else if (r_.Has(kNumber2) && (HasArrowSize(kind_) || kind_ == k::kSeries)) {
        if (auto n = r_.Integer(kNumber2, 1, kMaxSize))
            w_.sizeWord = static_cast<std::int16_t>(kind_ == k::kSeries ? *n : *n - kSizeOffset);
    }
}

// The change mask of an accepted reading.
std::uint32_t ChangeMask(const TEditorOutcome& out, const TExample& before,
                         FormulaContext& formulas) {
    const TExample& w = out.record;
    std::uint32_t mask = 0;
    const bool compiled = CompiledPartChanged(w, before);
    if (compiled || RecordBytes(w) != RecordBytes(before)) mask |= change::kAny;
    if (compiled) mask |= change::kCompile;
    for (const TParameterBinding& b : out.bindings)
        if (!(std::fabs(formulas.Var(b.letter) - b.value) <= kTiny))
            mask |= change::kCompile | change::kAny;
    if (before.kind / 100 == 3 && w.slicePoints != before.slicePoints) mask |= change::kDisplay;
    if (before.kind == k::kIntegral) mask &= ~change::kCompile;
    if (before.kind == k::kSegment && w.EndPointsAsExamples()) mask |= change::kEndPoints;
    return mask;
}

}  // namespace

TEditorOutcome TExampleEditor::Read(const TEditorForm& form) const {
    TEditorOutcome out;
    TExample& w = out.record;
    w.InitCopy(record_, false);
    const std::span<const int> ids = EditIds(lagrange_ ? k::kLagrange : kind_);
    TFormReader reader(form, record_, ids, env_, formulas_, lagrange_, out);
    reader.Switches();
    if ((out.error = reader.Texts()) != kNoError) return out;
    reader.Ranges();
    reader.CountsAndSizes();

    // An explicit curve without an interval spans the window.
    if (kind_ == k::kExplicit && !w.lockInterval) {
        w.rangeLow[0] = env_.xLow;
        w.rangeHigh[0] = env_.xHigh;
    }
    if (reader.NumericError() != kNoError) {
        out.error = reader.NumericError();
        return out;
    }
    if (const TRecordFault fault = ValidateExample(w, index_); !fault.Ok()) {
        out.error = fault.error;
        return out;
    }
    out.mask = ChangeMask(out, record_, formulas_);
    if (out.mask != 0) w.graphShown = 1;
    return out;
}

}  // namespace quorlin::examples
