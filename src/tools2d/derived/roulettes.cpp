#include "tools2d/derived/roulettes.h"

#include <cmath>

#include "core/errors.h"
#include "examples/records/derivation.h"

namespace quorlin::tools2d {

using examples::TExample;
using examples::TNumber;

namespace {

// Narrower intervals and smaller circles are no roulette.
constexpr long double kTiny = 1e-16L;

}  // namespace

int CheckRoulette(const TRouletteSettings& settings) {
    for (const long double v :
         {settings.low, settings.start, settings.high, settings.radius, settings.arm})
        if (!std::isfinite(v)) return kErrInconsistentData;
    if (settings.start < settings.low || settings.high < settings.start ||
        settings.high < settings.low + kTiny)
        return kErrInconsistentData;
    if (settings.radius < kTiny) return kErrInconsistentData;
    return kNoError;
}

void FillRoulette(TExample& e, int p, const TExample& curve, const TRouletteSettings& settings) {
    e.derivation = examples::derived::kRoulette;
    e.parent = {static_cast<std::int16_t>(p), -1};
    e.subKind = curve.kind;
    e.rangeLow[0] = settings.low;
    e.rangeHigh[0] = settings.high;
    // The drawer reads start, radius and arm; the second three are kept as files hold them.
    e.Number(TNumber::kRouletteStart) = settings.start;
    e.Number(TNumber::kRouletteRadius) = settings.radius;
    e.Number(TNumber::kRouletteArm) = settings.arm;
    e.Number(TNumber::kRouletteCurvature) = 1 / settings.radius;
    e.Number(TNumber::kRouletteArmRatio) = settings.arm / settings.radius;
    e.LeftSide() = settings.leftSide ? 1 : 0;
}

void FillEvolute(TExample& e, int p, const TExample& curve) {
    e.derivation = examples::derived::kEvolute;
    e.parent = {static_cast<std::int16_t>(p), -1};
    e.subKind = curve.kind;
    e.rangeLow = curve.rangeLow;
    e.rangeHigh = curve.rangeHigh;
}

}  // namespace quorlin::tools2d
