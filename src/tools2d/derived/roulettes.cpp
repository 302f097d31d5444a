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

int CheckRoulette(const TRouletteSpec& spec) {
    for (const long double v : {spec.low, spec.start, spec.high, spec.radius, spec.arm})
        if (!std::isfinite(v)) return kErrInconsistentData;
    if (spec.start < spec.low || spec.high < spec.start || spec.high < spec.low + kTiny)
        return kErrInconsistentData;
    if (spec.radius < kTiny) return kErrInconsistentData;
    return kNoError;
}

void FillRoulette(TExample& e, int p, const TExample& curve, const TRouletteSpec& spec) {
    e.derivation = examples::derived::kRoulette;
    e.parent = {static_cast<std::int16_t>(p), -1};
    e.subKind = curve.kind;
    e.rangeLow[0] = spec.low;
    e.rangeHigh[0] = spec.high;
    // The drawer reads start, radius and arm; the second three are kept as files hold them.
    e.Number(TNumber::kRouletteStart) = spec.start;
    e.Number(TNumber::kRouletteRadius) = spec.radius;
    e.Number(TNumber::kRouletteArm) = spec.arm;
    e.Number(TNumber::kRouletteCurvature) = 1 / spec.radius;
    e.Number(TNumber::kRouletteArmRatio) = spec.arm / spec.radius;
    e.LeftSide() = spec.leftSide ? 1 : 0;
}

void FillEvolute(TExample& e, int p, const TExample& curve) {
    e.derivation = examples::derived::kEvolute;
    e.parent = {static_cast<std::int16_t>(p), -1};
    e.subKind = curve.kind;
    e.rangeLow = curve.rangeLow;
    e.rangeHigh = curve.rangeHigh;
}

}  // namespace quorlin::tools2d
