#pragma once
// Adaptive sampling of a curve of one parameter, judged in pixels.
//
// The caller divides [a, b] into steps (one pixel of x for an explicit curve, divided by the
// example's density); the curve is evaluated at a, b and the middle of every step. Base steps
// run from the middle of one step to the middle of the step after next, the middle between them
// evaluated with them. Each base step is refined where the pixels can show more: where its
// middle lies on the chord and each half is short, both halves are drawn; otherwise it is
// halved, as it is while the curve is undefined at an end or in the middle (so that a curve
// reaches the edge of its domain; a step undefined at both ends is probed down to an eighth of
// the caller's step, so that a defined piece narrower than a step is found). Halving stops where
// the chord is short and straight, where the whole step lies off the drawing area on one side, or
// at the parameter's resolution. A chord still long there is a jump (a pole, a step, the boundary
// of a piecewise definition) unless it still shrinks with each halving as a continuous curve's does
// (a steep line such as 1e300 x stays joined): the pen is lifted instead of drawing across a jump,
// unless jump detection is off. A step whose refinement exceeds its budget (wild oscillation, such
// as sin(1/x) near 0, which no pixel can resolve) is drawn as sampled, each sub-pixel chord joined.
//
// Nothing here loops without end: a step of 0 or one that does not advance, an empty or
// inverted range and values that are not finite are refused or drawn as nothing, the number of
// base steps is bounded, and the key poll is asked after every base step (the window paces its
// polls by time).
#include <cstdint>
#include <functional>

#include "core/errors.h"
#include "core/vectors.h"
#include "plot2d/curve_pipe.h"

namespace quorlin::plot2d {

// The plot point of the curve at t; false where the curve is undefined.
using CurveFunction = std::function<bool(long double t, Vec2& plot)>;

struct TSamplerSettings {
    long double tolerance = 0.3L;  // pixels: the middle point may lie this far off the chord
    long double longestChord = 3;  // pixels: longer chords are refined, and at the end are jumps
    bool detectJumps = true;
    int stepBudget = 600;                // evaluations per caller's step
    long long maxBaseSteps = 1LL << 22;  // more caller's steps are spread over the range
    std::function<int()> pollKey;        // asked after every base step; empty: never
};

class TCurveSampler {
public:
    TCurveSampler(TCurvePipe& out, TSamplerSettings settings = {})
        : out_(out), space_(out.Space()), settings_(std::move(settings)) {}

    // Samples the curve over [a, b] with the base step; the curve goes to the pipe, which is
    // broken afterwards. Returns 0, or 81 when the key poll answered Q. A range that is not
    // finite, empty or inverted, or a step that is not positive or does not advance draws
    // nothing.
    int Sample(const CurveFunction& f, long double a, long double b, long double step);

    long long Evaluations() const { return evaluations_; }

private:
    struct TSample {
        long double t = 0;
        bool ok = false;
        Vec2 plot;
        Vec2 pixel;
    };

    TSample Evaluate(const CurveFunction& f, long double t);
    // parentChord: the chord of the step this one halves (0 for a base step).
    void Refine(const CurveFunction& f, const TSample& a, const TSample& b, int depth,
                long double parentChord);
    void Finalize(const TSample& a, const TSample& b, long double parentChord);
    void Emit(const TSample& s) { out_.Add(s.plot, s.pixel); }
    bool OffAreaOnOneSide(const TSample& a, const TSample& b, const TSample& m) const;
    // Whether the chords a-m and m-b may be drawn for the curve through the pixels a, m, b.
    bool HalvesShowTheCurve(Vec2 a, Vec2 m, Vec2 b) const;

    TCurvePipe& out_;
    const TPlotSpace& space_;
    TSamplerSettings settings_;
    TPixelBox area_;
    TPixelMap pixels_;
    long long evaluations_ = 0;
    int budget_ = 0;      // evaluations left in this base step (or half of it)
    int halfBudget_ = 0;  // the budget of each half of a base step
};

}  // namespace quorlin::plot2d
