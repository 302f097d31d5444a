#include "examples/records/derivation.h"

#include <algorithm>

#include "examples/records/derived_texts.h"

namespace quorlin::examples {

namespace {

namespace d = derived;
namespace t = derived_text;
using enum TParents;

constexpr int kLastLetter = 26;  // Z: the letters of the variable table

bool TaylorDegreeValid(const TExample& e) {
    return IsTaylorDegree(e.derivationParam);
}

bool FrozenLetterValid(const TExample& e) {
    return e.FrozenLetter() >= 1 && e.FrozenLetter() <= kLastLetter;
}

// Ordered by code.
constexpr TDerivationInfo kDerivations[] = {
    {d::kProduct, "product of two examples", kTwo, t::Combination, true},
    {d::kSum, "sum of two examples", kTwo, t::Combination, true},
    {d::kDifference, "difference of two examples", kTwo, t::Combination, true},
    {d::kQuotient, "quotient of two examples", kTwo, t::Combination, true},
    {d::kTaylor, "Taylor polynomial", kOne, t::Taylor, false, TaylorDegreeValid, "derivationParam"},
    {d::kDerivative, "derivative", kOne, t::Derivative},
    {d::kGradientField, "gradient field", kOne, t::Gradient},
    {d::kAntiderivative, "indefinite integral", kOneOrTwo, t::Antiderivative},
    {d::kTangentLine, "tangent line of a curve", kOne, t::TangentLine},
    {d::kTangentPlane, "tangent plane at the slicer point", kOne, t::SlicerTangent},
    {d::kTrajectoryPoint, "traced point of the tracing slider", kOne, t::Trace},
    {d::kTrajectoryVector, "tangent lines at a given point", kOne, t::TrajectoryLine},
    {d::kTrajectoryTangent, "tangent lines at a given point", kOne, t::TrajectoryLine},
    {d::kSurfaceLine, "tangent lines at the slicer point", kOne, t::SlicerTangent},
    {d::kRoulette, "roulette", kOne, t::Roulette},
    {d::kEvolute, "evolute", kOne, t::Evolute},
    {d::kPower, "power of two examples", kTwo, t::Combination, true},
    {d::kPlotPoints, "plot-points list", kOne, t::PlotPoints},
    {d::kMirrorLine, "mirror line of a reflection", kOne, t::MirrorLine},
    {d::kReflectX, "reflection in the x-axis", kOne, t::Reflection},
    {d::kReflectY, "reflection in the y-axis", kOne, t::Reflection},
    {d::kReflectDiagonal, "reflection in the line y = x", kOne, t::Reflection},
    {d::kReflectLine, "reflection in a given line", kOne, t::Reflection},
    {d::kHalfTurn, "rotation by a half-turn", kOne, t::Rotation},
    {d::kRotation, "rotation by an angle about a centre", kOne, t::Rotation},
    {d::kMarkedPoint, "tangent construction of the tracing slider", kOne, t::Trace},
    {d::kTranslation, "translation by a vector", kOne, t::Translation},
    {d::kAbsValue, "absolute value", kOne, t::AbsValue},
    {d::kEndPoint, "end point of a segment", kSegmentAndText, t::EndPoint},
    {142, "product construction", kTwo, t::ProductConstruction},
    {143, "product construction", kTwo, t::ProductConstruction},
    {144, "product construction", kTwo, t::ProductConstruction},
    {145, "product construction", kTwo, t::ProductConstruction},
    {146, "product construction", kTwo, t::ProductConstruction},
    {147, "product construction", kTwo, t::ProductConstruction},
    {d::kProjection, "projection on another example", kTwo, t::Projection},
    {d::kPerpendicular, "perpendicular part to another example", kTwo, t::Projection},
    {152, "product construction", kTwo, t::ProductConstruction},
    {153, "product construction", kTwo, t::ProductConstruction},
    {154, "product construction", kTwo, t::ProductConstruction},
    {d::kComposition, "composition", kTwo, t::Composition, true},
    {d::kFrozenMember, "family member with a frozen letter", kOne, t::FrozenMember, false,
     FrozenLetterValid, "FrozenLetter"},
};

}  // namespace

std::span<const TDerivationInfo> DerivationTable() {
    return kDerivations;
}

const TDerivationInfo* FindDerivation(int code) {
    const auto* it = std::find_if(std::begin(kDerivations), std::end(kDerivations),
                                  [code](const TDerivationInfo& d) { return d.code == code; });
    return it == std::end(kDerivations) ? nullptr : it;
}

bool NamesSecondParent(int code) {
    const TDerivationInfo* derivation = FindDerivation(code);
    return !derivation || derivation->parents != TParents::kSegmentAndText;
}

}  // namespace quorlin::examples
