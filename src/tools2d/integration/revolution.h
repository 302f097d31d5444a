#pragma once
// What the measuring tools of the 2D windows compute, without a window: the integrands of the
// volume and surface area swept when a curve turns about a line ax + by = c, of the sector swept
// by a curve's radius vector, the answers their parabolic sums give, the exact solid of a
// segment, and the volume swept when the region between two explicit curves turns about a
// horizontal line (washers) or a vertical one (shells, the part straddling the axis counted
// once).
//
// The integrands run in X for an explicit curve (201) and in T for the other kinds, from the
// curve's trees 1 x(t), 2 y(t), 5 x'(t) and 6 y'(t) (an explicit curve: X, f, 1, f').
#include <functional>

#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

// The axis ax + by = c.
struct TAxisLine {
    long double a = 0;
    long double b = 1;
    long double c = 0;
};
inline constexpr TAxisLine kXAxis{0, 1, 0};
inline constexpr TAxisLine kYAxis{1, 0, 0};

// 0, or 6 ("inconsistent data") when a^2 + b^2 < 1e-16: no line.
int CheckAxis(const TAxisLine& axis);

// (a x + b y - c)^2 (a y' - b x') and sqrt(x'^2 + y'^2) |a x + b y - c|; null without a tree
// they need.
NodePtr VolumeIntegrand(const examples::TExample& curve, const TAxisLine& axis);
NodePtr SurfaceIntegrand(const examples::TExample& curve, const TAxisLine& axis);
// x y' - y x'.
NodePtr SectorIntegrand(const examples::TExample& curve);

// The answers from the parabolic sum of those integrands; never negative.
long double VolumeFromSum(long double sum, const TAxisLine& axis);
long double SurfaceFromSum(long double sum, const TAxisLine& axis);
long double SectorFromSum(long double sum);

// The exact lateral area and volume of the frustum the segment p-q sweeps about the axis.
struct TSolid {
    long double area = 0;
    long double volume = 0;
};
TSolid SegmentSolid(Vec2 p, Vec2 q, const TAxisLine& axis);

// The parabolic sum of an integrand in X over [low, high]: 0, 81 when stopped, or an error.
using ParabolicSum =
    std::function<int(TExprNode& integrand, long double low, long double high, long double& out)>;

// The volume swept by the region between f and g (function trees in X) over [low, high] about
// y = c (washers) or x = c (shells; negative where g lies above f). 0, 81 when stopped (out then
// holds what was summed), or the error of a sum.
int TwoCurveVolume(FormulaContext& formulas, const TExprNode& f, const TExprNode& g, long double c,
                   bool washers, long double low, long double high, const ParabolicSum& sum,
                   long double& out);

}  // namespace quorlin::tools2d
