#include "tools2d/solids/revolution_surface.h"

#include <algorithm>
#include <numbers>

#include "core/errors.h"
#include "formula/opcodes.h"
#include "tools2d/solids/solid_texts.h"

namespace quorlin::tools2d {

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr long double kMinRange = 1e-16L;

namespace k = examples::kind;
using examples::TNumber;

long double Packed(int stop, int start) {
    return static_cast<long double>(stop * 100 + start);
}

void CollectLetters(const TExprNode* node, std::vector<int>& letters) {
    if (!node) return;
    if (op::IsVariable(node->op)) {
        const int letter = op::VariableSlot(node->op);
        if (letter >= 1 && letter <= slot::kLastParameter &&
            std::find(letters.begin(), letters.end(), letter) == letters.end())
            letters.push_back(letter);
    }
    for (const NodePtr& child : node->child) CollectLetters(child.get(), letters);
}

// The texts of a profile of the kind that its surface of revolution reads: an explicit
// curve's y, a polar curve's r, a parametric curve's x and y, an implicit curve's equation and
// a segment's four ends.
std::span<const int> ReadTexts(int profileKind) {
    static constexpr int kExplicit[] = {2};
    static constexpr int kThird[] = {3};
    static constexpr int kParametric[] = {1, 2};
    static constexpr int kSegment[] = {1, 2, 3, 4};
    switch (profileKind) {
        case k::kExplicit:
            return kExplicit;
        case k::kParametric:
            return kParametric;
        case k::kSegment:
            return kSegment;
        default:
            return kThird;
    }
}

}  // namespace

int ReadRevolutionRanges(FormulaContext& formulas, const TRevolutionRangeTexts& texts,
                         TRevolutionRanges& out) {
    std::array<long double, 4> values{};
    TRevolutionRanges r;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (const int error = formulas.ReadNumberAt(texts[k], values[k], r.letters[k]))
            return error;
        // Each stop is checked once it is read, before the next range.
        if (k % 2 == 1 && values[k] < values[k - 1] + kMinRange) return kErrInconsistentData;
    }
    r.arcLow = values[0];
    r.arcHigh = values[1];
    r.angleLow = values[2];
    r.angleHigh = std::min(values[3], values[2] + kTwoPi);
    out = r;
    return kNoError;
}

void FillRevolutionRecord(examples::TExample& surface, const examples::TExample& profile,
                          const TRevolutionRanges& ranges, const TAxisLine& axis,
                          const TPlaneView& view, std::string_view description) {
    for (int t = 1; t <= 4; ++t) surface.Text(t) = profile.Text(t);
    surface.subKind = profile.kind;
    if (profile.kind == k::kImplicit) surface.Text(4) = profile.Text(3);
    if (profile.kind == k::kParametric) surface.PolarCurve() = profile.PolarCurve();
    if (profile.kind == k::kSegment) surface.PolarCurve() = profile.PolarForm();
    surface.Text(7) = std::string(description.substr(0, examples::TExample::kTextCapacity - 1));
    surface.Number(TNumber::kAxisA) = axis.a;
    surface.Number(TNumber::kAxisB) = axis.b;
    surface.Number(TNumber::kAxisC) = axis.c;
    const bool segment = profile.kind == k::kSegment;
    surface.Number(TNumber::kFirstLetterPair) =
        segment ? 0 : Packed(ranges.letters[1], ranges.letters[0]);
    surface.Number(TNumber::kFirstLow) = segment ? 0 : ranges.arcLow;
    surface.Number(TNumber::kFirstHigh) = segment ? 1 : ranges.arcHigh;
    surface.Number(TNumber::kSecondLetterPair) = Packed(ranges.letters[3], ranges.letters[2]);
    surface.Number(TNumber::kSecondLow) = ranges.angleLow;
    surface.Number(TNumber::kSecondHigh) = ranges.angleHigh;
    surface.EndsBound() = 1;
    surface.rangeLow = {0, 0};
    surface.rangeHigh = {1, 1};
    surface.pen.colour = profile.pen.colour;
    const long double halfWidth = (view.right - view.left) / 2;
    surface.boxMin = {view.left, view.down, -halfWidth};
    surface.boxMax = {view.right, view.up, halfWidth};
    surface.box2Min = surface.boxMin;
    surface.box2Max = surface.boxMax;
}

std::vector<int> FollowedLetters(int profileKind, const TRevolutionRanges& ranges) {
    std::vector<int> letters;
    const auto follow = [&letters](int letter) {
        if (letter > 0 && std::ranges::find(letters, letter) == letters.end())
            letters.push_back(letter);
    };
    const std::size_t first = profileKind == k::kSegment ? 2 : 0;
    for (std::size_t e = first; e < ranges.letters.size(); ++e) follow(ranges.letters[e]);
    if (profileKind == k::kPolar || profileKind == k::kParametric) follow(slot::kT);
    return letters;
}

int StandAloneProfile(const FormulaContext& plane, const examples::TExample& profile,
                      const TRevolutionRanges& ranges, examples::TExample& out,
                      TCarriedFunctions& carried) {
    examples::TExample copy;
    copy.InitCopy(profile, false);
    TCarriedFunctions functions(plane, FollowedLetters(profile.kind, ranges));
    for (const int t : ReadTexts(profile.kind))
        if (const int error = functions.StandAlone(copy.Text(t), examples::TExample::kTextCapacity))
            return error;
    out = std::move(copy);
    carried = std::move(functions);
    return kNoError;
}

int SettleProfile(TCarriedFunctions& carried, const FormulaContext& space,
                  examples::TExample& profile) {
    if (const int error = carried.Settle(space)) return error;
    std::vector<std::string> texts;
    for (const int t : ReadTexts(profile.kind)) {
        texts.push_back(profile.Text(t));
        if (const int error = carried.Rename(texts.back(), examples::TExample::kTextCapacity))
            return error;
    }
    std::size_t k = 0;
    for (const int t : ReadTexts(profile.kind)) profile.Text(t) = std::move(texts[k++]);
    return kNoError;
}

std::vector<int> ParameterLettersOf(std::span<const TExprNode* const> trees) {
    std::vector<int> letters;
    for (const TExprNode* tree : trees) CollectLetters(tree, letters);
    return letters;
}

}  // namespace quorlin::tools2d
