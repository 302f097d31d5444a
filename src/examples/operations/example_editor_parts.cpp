#include "examples/operations/example_editor_parts.h"

#include <algorithm>
#include <array>

#include "examples/records/equation_text.h"

namespace quorlin::examples::editor_parts {

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

std::string Number(const TEditorEnv& env, long double v) {
    return std::string(Trimmed(env.format.FormatNum(v)));
}

std::string_view WithoutAt(std::string_view text, bool& marked) {
    text = Trimmed(text);
    marked = !text.empty() && text.back() == '@';
    if (marked) text.remove_suffix(1);
    return text;
}

char LetterOf(int letter) {
    return static_cast<char>('@' + letter);
}

bool HasMeshCounts(int kind) {
    return IsMeshKind(kind) || kind == k::kRevolution;
}

bool HasMeshOptions(int kind) {
    return HasMeshCounts(kind) || kind == k::kImplicitSurface;
}

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

bool TextEditableWhenDerived(int kind, int text) {
    return (kind == k::kPlotPoints && text == 4) || (kind == k::kPlane && text == 6);
}

namespace {

using F = TextForm;

// The formula edits of a kind, up to the first of edit 0; a surface of revolution has them by
// the kind of its profile.
struct TKindFields {
    int kind;
    int profile;  // the sub-kind of a surface of revolution, 0 for the other kinds
    std::array<TextField, 6> fields;
};

constexpr TKindFields kKindFields[] = {
    {k::kExplicit, 0, {{{212, 2}}}},
    {k::kPolar, 0, {{{213, 3}}}},
    {k::kParametric, 0, {{{211, 1}, {212, 2}, {kNumber1, 6, F::kSwitched, kCheck1}}}},
    {k::kImplicit, 0, {{{218, 5, F::kEquation, 3}, {214, 4, F::kSwitched, kCheck2}}}},
    {k::kSegment, 0, {{{211, 1}, {212, 2}, {213, 3}, {214, 4}}}},
    // three maps; its dialog has no fourth field
    {k::kSpaceSequence, 0, {{{211, 1}, {212, 2}, {213, 3}}}},
    {k::kIntegral, 0, {{{212, 2, F::kOptional}}}},
    {k::kLine, 0, {{{211, 1}, {212, 2}, {213, 3}}}},
    {k::kParametricSurface, 0, {{{211, 1}, {212, 2}, {213, 3}}}},
    {k::kPoint, 0, {{{211, 1}, {212, 2}, {213, 3}}}},
    {k::kSpacePoint, 0, {{{211, 1}, {212, 2}, {213, 3}}}},
    {k::kSystem, 0, {{{211, 1}, {212, 2}, {214, 4, F::kSwitched, kCheck2}}}},
    {k::kSlope, 0, {{{213, 3}}}},
    {k::kHigherOrder, 0, {{{213, 3}}}},
    {k::kSurface, 0, {{{213, 3}}}},
    {k::kPolarSurface, 0, {{{213, 3}}}},
    {k::kSequence, 0, {{{211, 1}, {212, 2}}}},
    {k::kPlotPoints, 0, {{{214, 4, F::kValues}}}},
    {k::kSeries, 0, {{{211, 1, F::kSeriesIndex}, {212, 2}}}},
    {k::kIntrinsic, 0, {{{211, 1}, {kFieldLength, 5, F::kList2}, {kFieldRows, 6, F::kList2}}}},
    {k::kSpaceCurve, 0, {{{211, 1}, {212, 2}, {213, 3}, {kNumber1, 6, F::kSwitched, kCheck1}}}},
    {k::kImplicitSurface, 0, {{{218, 5, F::kEquation, 4}}}},
    {k::kTube, 0, {{{211, 1}, {212, 2}, {213, 3}, {214, 4}}}},
    {k::kRevolution, k::kExplicit, {{{212, 2}}}},
    {k::kRevolution, k::kPolar, {{{213, 3}}}},
    {k::kRevolution, k::kParametric, {{{211, 1}, {212, 2}}}},
    {k::kRevolution, k::kImplicit, {{{213, 4}}}},
    {k::kRevolution, k::kSegment, {{{211, 1, F::kCommaPair}, {212, 3, F::kCommaPair}}}},
    {k::kSpaceSegment,
     0,
     {{{211, 1}, {212, 2}, {213, 3}, {214, 4}, {kDensity, 6}, {kFirstCount, 7}}}},
    {k::kSpaceSystem, 0, {{{211, 1}, {212, 2}, {213, 3}, {214, 4, F::kSwitched, kCheck2}}}},
    {k::kPlane, 0, {{{211, 1}, {212, 2}, {213, 3}, {214, 4, F::kList3}, {kDensity, 6}}}},
    {k::kSphericalSurface, 0, {{{214, 4}}}},
    {k::kSpaceIntrinsic,
     0,
     {{{211, 1},
       {212, 2},
       {218, 5, F::kList3},
       {kFieldLength, 6, F::kList3},
       {kFieldRows, 7, F::kList3}}}},
    {k::kComplexMap, 0, {{{211, 1}}}},
    {k::kPlaneMap, 0, {{{211, 1}, {212, 2}}}},
};

}  // namespace

std::vector<TextField> TextFieldsOf(const TExample& e, bool lagrange) {
    if (e.kind == k::kExplicit && lagrange) return {};
    const int profile = e.kind == k::kRevolution ? e.subKind : 0;
    for (const TKindFields& row : kKindFields) {
        if (row.kind != e.kind || row.profile != profile) continue;
        std::vector<TextField> fields;
        for (const TextField& f : row.fields)
            if (f.edit != 0) fields.push_back(f);
        return fields;
    }
    return {};
}

std::optional<int> RadioValue(const TEditorForm& form, const TRadioGroup& group) {
    for (int i = 0; i < group.count; ++i)
        if (form.IsChecked(group.first + i)) return group.firstValue + i;
    return std::nullopt;
}

void SetRadio(TEditorForm& form, const TRadioGroup& group, int value) {
    for (int i = 0; i < group.count; ++i)
        form.SetChecked(group.first + i, group.firstValue + i == value);
}

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

}  // namespace quorlin::examples::editor_parts
