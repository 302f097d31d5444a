#pragma once
// The sight line of a hidden-line test: the part of the segment from a point P to the eye E
// that lies over a surface's domain (a rectangle in x and y, or the disc of a cylindrical
// surface) and within the z range of its box, and the walk along that part that looks for a
// change of sign of the surface's function between P's side and the eye's side.
//
// A clipped sight line keeps its eye-side end A and its point-side end B, both on P -> E and
// in that order: B is never farther from P than A, and never behind P or beyond the eye.
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "canvas/records/world_rect.h"
#include "core/vectors.h"

namespace quorlin::plot3d::hidden {

struct TSightSegment {
    Vec3 eyeEnd;    // A
    Vec3 pointEnd;  // B
};

// Below this a value counts as 0 in the sign tests and a length as none in the clippers.
inline constexpr long double kSignTolerance = 1e-16L;

// -1, 0 or +1: 0 for an undefined value and for |v| < kSignTolerance.
inline int SignOf(std::optional<long double> v) {
    if (!v || !(std::fabs(*v) >= kSignTolerance)) return 0;
    return *v < 0 ? -1 : 1;
}

// The part of P -> E whose (x, y) lies in the rectangle. A vertical sight line lies over the
// rectangle whole or not at all.
std::optional<TSightSegment> ClipSightLineToRect(const canvas::TLDRect& rect, Vec3 p, Vec3 eye);

// The part of P -> E whose (x, y) lies in the disc about the origin. Only the stretch between
// P and the eye counts: a chord of the line behind P or beyond the eye gives nothing.
std::optional<TSightSegment> ClipSightLineToDisc(long double radius, Vec3 p, Vec3 eye);

// The segment cut to zMin <= z <= zMax, each cut end landing on its bounding plane; nothing
// when both ends lie above zMax or both below zMin. A horizontal segment is not cut.
std::optional<TSightSegment> ClipSightLineToZRange(TSightSegment s, long double zMin,
                                                   long double zMax);

// Walks from B towards A in `samples` equal steps (at least one; the last sample is A itself)
// where the surface reaches: signAt gives the sign of a sample, or nothing where the surface
// does not reach it (a sheet that ends), and such a sample is passed over. Tells whether the
// sign at some sample is opposite to the sign at the first sample the surface reaches. A sign 0
// there means the surface passes through the walk's start: it cannot hide P. A 0 at a later
// sample decides nothing there.
template <class SignAt>
bool SignChangesWhereReached(const TSightSegment& s, int samples, SignAt&& signAt) {
    const int n = samples < 1 ? 1 : samples;
    const Vec3 step = (1.0L / n) * (s.eyeEnd - s.pointEnd);
    std::optional<int> start;
    for (int k = 0; k <= n; ++k) {
        const Vec3 c = k == 0   ? s.pointEnd
                       : k == n ? s.eyeEnd
                                : s.pointEnd + static_cast<long double>(k) * step;
        const std::optional<int> sign = signAt(c);
        if (!sign) continue;
        if (!start) {
            if (*sign == 0) return false;
            start = sign;
        } else if (*sign * *start < 0) {
            return true;
        }
    }
    return false;
}

// Where the plan of the clipped sight line, the points B + u (A - B), meets what breaks the
// sheets of a cylindrical surface: the parameters u strictly between 0 and 1, in order. The
// circle of the given radius about the origin (none where the plan only touches it), and the
// ray from the origin at the given angle (none where the plan runs along its line).
std::vector<long double> PlanCrossingsOfCircle(const TSightSegment& s, long double radius);
std::optional<long double> PlanCrossingOfRay(const TSightSegment& s, long double angle);
// Where the line of that plan passes through the axis, the origin: its parameter u, which may
// lie beyond either end. Nothing where the line passes beside the axis by more than rounding
// can put it there, and for a vertical sight line (its plan is a point). On each side of the
// axis such a line keeps its angle.
std::optional<long double> PlanLineThroughAxis(const TSightSegment& s);

// The walk of SignChangesWhereReached along a sight line that the surface's sheets break at the
// given parameters (in order, strictly between 0 and 1): a sheet ends there, or the value the
// walk reads jumps from one sheet to another. The stretches between breaks are walked one by
// one, each from its start through the samples of the walk inside it to its end, and a sign is
// compared only with the first one of its own stretch, never across a break, except across the
// joint: the break at that parameter (none where no break has it) is where the sheets of the two
// stretches meet, and the first sign carries on across it. signsOf(middle) gives the signs of the
// stretch about middle: a function of a point c of it that gives the sign at c on the sheet that
// holds the stretch (its ends are the limits from within it), or nothing where no sheet holds it. A
// 0 at B means the surface passes through P: it cannot hide it. Any other 0 decides nothing, also
// at the start of a stretch, whose first sign other than 0 then stands for it.
template <class SignsOf>
bool SignChangesWithinStretches(const TSightSegment& s, int samples,
                                std::span<const long double> breaks, SignsOf&& signsOf,
                                long double joint = -1) {
    const int n = samples < 1 ? 1 : samples;
    const Vec3 d = s.eyeEnd - s.pointEnd;
    const Vec3 step = (1.0L / n) * d;
    int k = 1;  // the next sample of the walk; B (k = 0) is the first stretch's start
    long double from = 0;
    int start = 0;  // the first sign compared with, 0 while there is none
    for (std::size_t b = 0; b <= breaks.size(); ++b) {
        const bool last = b == breaks.size();
        const long double to = last ? 1 : breaks[b];
        const auto signAt = signsOf(s.pointEnd + ((from + to) / 2) * d);
        const auto changes = [&](Vec3 c) {
            const int sign = signAt(c).value_or(0);
            if (start == 0) start = sign;
            return sign * start < 0;
        };
        if (b == 0) {
            const std::optional<int> atB = signAt(s.pointEnd);
            if (atB == 0) return false;
            start = atB.value_or(0);
        } else {
            if (from != joint) start = 0;
            if (changes(s.pointEnd + from * d)) return true;
        }
        for (; k < n && static_cast<long double>(k) < to * n; ++k) {
            const long double u = k;
            if (u > from * n && changes(s.pointEnd + u * step)) return true;
        }
        if (changes(last ? s.eyeEnd : s.pointEnd + to * d)) return true;
        from = to;
    }
    return false;
}

// The same for a surface that reaches every sample: the start is B.
template <class SignAt>
bool SignChangesAlong(const TSightSegment& s, int samples, SignAt&& signAt) {
    return SignChangesWhereReached(s, samples,
                                   [&signAt](Vec3 c) { return std::optional<int>(signAt(c)); });
}

}  // namespace quorlin::plot3d::hidden
