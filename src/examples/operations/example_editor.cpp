#include "examples/operations/example_editor.h"

#include <algorithm>
#include <string_view>

#include "examples/operations/example_editor_parts.h"
#include "examples/records/compile_support.h"
#include "examples/records/derivation.h"
#include "examples/records/equation_text.h"
#include "examples/records/variable_groups.h"
#include "formula/formula_text.h"
#include "formula/opcodes.h"

namespace quorlin::examples {

using namespace editor_parts;

namespace {

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

// The edit list of each kind.
struct TKindEdits {
    int kind;
    std::span<const int> ids;
};

constexpr TKindEdits kKindEdits[] = {
    {k::kExplicit, k201},
    {k::kIntegral, k201},
    {k::kPolar, k202},
    {k::kParametric, k203},
    {k::kImplicit, k204},
    {k::kSegment, k205},
    {k::kRoulette, k207},
    {k::kLine, k208},
    {k::kPoint, kPoint},
    {k::kSpacePoint, kPoint},
    {k::kSystem, k210},
    {k::kSlope, k211},
    {k::kSequence, k212},
    {k::kLagrange, k213},
    {k::kPlotPoints, k215},
    {k::kSeries, k218},
    {k::kHigherOrder, k220},
    {k::kIntrinsic, k225},
    {k::kSurface, k301},
    {k::kPolarSurface, k301},
    {k::kParametricSurface, k303},
    {k::kSpaceCurve, k304},
    {k::kImplicitSurface, k305},
    {k::kTube, k306},
    {k::kRevolution, k307},
    {k::kSpaceSegment, k308},
    {k::kSpaceSystem, k310},
    {k::kSpaceSequence, k312},
    {k::kPlane, k315},
    {k::kSphericalSurface, k316},
    {k::kSpaceIntrinsic, k325},
    {k::kComplexMap, k401},
    {k::kPlaneMap, k402},
};

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
    for (const TKindEdits& row : kKindEdits)
        if (row.kind == kind) return row.ids;
    return {};
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
    LoadRanges(form);
    LoadFieldAndSizes(form);
}

// The ranges: the second pair of 221/223 is kept for the switch between numbers and formulas;
// a surface of revolution shows its ends with the parameters bound to them.
void TExampleEditor::LoadRanges(TEditorForm& form) const {
    const TExample& e = record_;
    const std::span<const int> ids = EditIds(lagrange_ ? k::kLagrange : kind_);
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
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
}

// The field's length and rows, the pen width, the numbers of a roulette or a surface of
// revolution, the arrow or dot size.
void TExampleEditor::LoadFieldAndSizes(TEditorForm& form) const {
    const TExample& e = record_;
    const std::span<const int> ids = EditIds(lagrange_ ? k::kLagrange : kind_);
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
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
    if (env_.logarithmic) HideLogarithmicControls(form);
    if (kind_ == k::kSegment && env_.inventoryFull) form.Show(kCheck5, false);
    if (kind_ == k::kSegment) {
        const bool polar = e.PolarForm() != 0;
        const char* labels[] = {"x1 =", "y1 =", "x2 =", "y2 =", "r1 =", "t1 =", "r2 =", "t2 ="};
        for (int i = 0; i < 4; ++i) form.labels[kLabel1 + i] = labels[(polar ? 4 : 0) + i];
    }
    if (kind_ == k::kPoint || kind_ == k::kSpacePoint) LoadPointLabels(form);
    if (kind_ == k::kRevolution) LoadProfileLabels(form);
    if (kind_ == k::kPlotPoints && e.subKind != k::kExplicit) form.labels[kLabel1] = "t =";
    if (kind_ == k::kParametric) PolarSwitched(form);
    if (kind_ == k::kExplicit || kind_ == k::kIntegral || kind_ == k::kPolar ||
        kind_ == k::kParametric)
        ShowIntervalForm(form, e.HasRangeText());
}

// Logarithmic axes hide what does not apply to them: arrows, anchors.
void TExampleEditor::HideLogarithmicControls(TEditorForm& form) const {
    switch (kind_) {
        case k::kParametric:
            for (int id : {kCheck1, kCheck6, kNumber1, kNumber2, kArrowLabel}) form.Show(id, false);
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

// A point's caption and labels name its coordinates: Cartesian, polar or cylindrical,
// spherical, or one complex z.
void TExampleEditor::LoadPointLabels(TEditorForm& form) const {
    const TExample& e = record_;
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

// A surface of revolution shows only the profile edits its sub-kind uses, labelled by it.
void TExampleEditor::LoadProfileLabels(TEditorForm& form) const {
    const TExample& e = record_;
    const std::vector<TextField> used = TextFieldsOf(e, false);
    for (int id : {211, 212, 213}) {
        const bool shown = std::any_of(used.begin(), used.end(),
                                       [id](const TextField& f) { return f.edit == id; });
        form.Show(id, shown);
        form.Show(kLabel1 + id - 211, shown);
    }
    if (e.subKind == k::kParametric || e.subKind == k::kSegment) {
        const bool polar = e.subKind == k::kParametric ? e.PolarCurve() != 0 : e.PolarForm() != 0;
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

// --- storing -------------------------------------------------------------------------------

void StoreEditedRecord(TExample& target, const TExample& edited) {
    const bool derived = target.derivation >= 1;
    std::array<std::string, TExample::kTextCount> texts = target.texts;
    const bool keepsTraceState = IsTrajectoryEntry(target.derivation);
    const auto numbers = target.numbers;
    target.CopyFrom(edited, false);
    target.kind = edited.kind;
    if (derived) {
        for (int t = 1; t <= TExample::kTextCount; ++t)
            if (!TextEditableWhenDerived(target.kind, t))
                target.Text(t) = texts[static_cast<std::size_t>(t - 1)];
    }
    if (keepsTraceState) {
        // The state the tracing slider keeps for its derived examples.
        const auto first = static_cast<std::ptrdiff_t>(TNumber::kTraceStateFirst);
        std::copy(numbers.begin() + first, numbers.end(), target.numbers.begin() + first);
    }
    if ((target.kind == k::kExplicit || target.kind == k::kIntegral) && target.lockInterval) {
        target.tableLow = target.rangeLow[0];
        target.tableHigh = target.rangeHigh[0];
    }
    if (target.kind / 100 == 4) target.listing = 4;
    target.FitMeshStorage();  // the grid counts may have changed
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
