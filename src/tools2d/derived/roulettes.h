#pragma once
// Roulettes and evolutes of a curve, without a window. A roulette (kind 207) is the path of a
// point on the arm of a circle that rolls without slipping along an explicit, polar or
// parametric curve; its trees are the curve's (rebuilt by the window when the curve changes)
// and the roulette drawer does the rolling. An evolute is the curve of the centres of
// curvature, a parametric example whose trees the compiler derives from its parent's.
#include "examples/records/compile.h"
#include "examples/records/inventory.h"

namespace quorlin::tools2d {

// The kinds a roulette rolls on and an evolute is taken of.
inline constexpr int kRollingKinds[] = {examples::kind::kExplicit, examples::kind::kPolar,
                                        examples::kind::kParametric};

// What the roulettes dialog reads: the parameter interval [low, high] where the circle touches
// the curve, the value where the arm points at the touching point, the circle's radius, the
// arm's length (0 follows the centre) and the side of the curve the circle rolls on.
struct TRouletteSettings {
    long double low = 0;
    long double start = 0;
    long double high = 0;
    long double radius = 1;
    long double arm = 1;
    bool leftSide = true;
};

// 0, or 6 ("inconsistent data"): start outside [low, high], an interval narrower than 1e-16,
// a radius below 1e-16, or a value that is no finite number.
int CheckRoulette(const TRouletteSettings& settings);

// Makes the fresh record e (appended by the window after p) the roulette of curve p: derivation
// 82, sub-kind the curve's kind, the range [low, high] and the numbers of the settings. Its trees
// are left to the window's rebuild.
void FillRoulette(examples::TExample& e, int p, const examples::TExample& curve,
                  const TRouletteSettings& settings);
// Makes the fresh record e the evolute of curve p: kind 203, derivation 83, sub-kind and range
// the curve's. Its trees are left to the window's rebuild.
void FillEvolute(examples::TExample& e, int p, const examples::TExample& curve);

}  // namespace quorlin::tools2d
