#pragma once
// The words and small pieces the equation texts are made of, shared by the texts of examples of
// their own texts (equation_text.cpp) and of derived examples (derived_texts.cpp).
#include <string>
#include <string_view>

#include "examples/records/equation_text.h"

namespace quorlin::examples::text_parts {

// String ids of the words the texts are made of.
namespace word {
inline constexpr int kLevelCurve = 100;
inline constexpr int kTerms = 101;
inline constexpr int kLeftSide = 122;
inline constexpr int kRightSide = 123;
inline constexpr int kFamily = 134;
inline constexpr int kSteps = 135;
inline constexpr int kPeriodic = 140;
inline constexpr int kXAxis = 142;
inline constexpr int kYAxis = 143;
inline constexpr int kReflect = 144;
inline constexpr int kTube = 145;
inline constexpr int kRevolve = 146;
inline constexpr int kAxis = 147;
inline constexpr int kSeedValue = 148;
inline constexpr int kWeb = 150;
inline constexpr int kPlug = 158;
inline constexpr int kPolarSegment = 159;
inline constexpr int kRadius = 161;
inline constexpr int kTrace = 164;
inline constexpr int kStart = 173;
inline constexpr int kModifiedEuler = 180;
inline constexpr int kEuler = 181;
inline constexpr int kArm = 198;
inline constexpr int kRungeKutta = 200;
inline constexpr int kCannotEdit = 201;
inline constexpr int kRoulette = 202;
inline constexpr int kPolynomial = 204;
inline constexpr int kForward = 207;
inline constexpr int kBackward = 208;
inline constexpr int kDerivative = 210;
inline constexpr int kDegree = 211;
inline constexpr int kTaylor = 212;
inline constexpr int kOrbitalSystem = 216;
inline constexpr int kEvolute = 219;
inline constexpr int kSegment = 244;
inline constexpr int kPoints = 279;
inline constexpr int kRotate = 280;
inline constexpr int kCenter = 281;
inline constexpr int kAngle = 282;
inline constexpr int kTangentPlane = 329;
inline constexpr int kPlane = 330;
inline constexpr int kTangentLine = 333;
inline constexpr int kSum = 343;
inline constexpr int kProjection = 347;
inline constexpr int kPerpendicular = 348;
inline constexpr int kGradient = 351;
inline constexpr int kIndefinite = 352;
inline constexpr int kIntrinsic = 378;
}  // namespace word

std::string Decimal(long long n);
// " @ v = ": the literal " a x = " with '@' in its second position and v in its fourth.
std::string AtPart(char letter);
inline constexpr std::string_view kShortAtPart = " @ ";
// The prefix a kind's own text starts with, which a parent's name drops.
std::string_view KindPrefix(int kind);
bool ValidParent(const TInventory& inventory, int parent, int child);
// The text of an example of its own texts, read as the given kind.
std::string ShortText(const TExample& ex, int kind, const TTextSettings& settings);

}  // namespace quorlin::examples::text_parts
