#pragma once
// The boxes of a 3D window as plain computation: the scene box (the union of the shown
// examples' boxes, or the box the axis ends span) with its focus and transform, the fit of the
// projected box into the window's 2D view, and the box operations of one example (widening,
// opening a flat axis, cutting an elongated box).
//
// Every min/max search starts from the sentinel e^42 that stands for "unbounded".
#include <optional>
#include <span>

#include "core/vectors.h"
#include "plot3d/scene/observer.h"

namespace quorlin::plot3d {

// e^42, about 1.739e18.
extern const long double kUnbounded;

// A box by its minimum and maximum corners.
struct TBox3 {
    Vec3 min{0, 0, 0};
    Vec3 max{1, 1, 1};
    // The empty box (+S, -S) every search starts from.
    static TBox3 Empty();
    bool IsEmpty() const { return min.x > max.x || min.y > max.y || min.z > max.z; }
    void Add(Vec3 p) { Vec3UpdateBounds(min, max, p); }
    void Add(const TBox3& b) {
        Add(b.min);
        Add(b.max);
    }
};

// The box with the two ends of each axis in order, low end first. Nothing the program makes
// gives a box otherwise; a crafted file may store one so, and each box a file gives is put in
// order where the file is read.
TBox3 Ordered(TBox3 box);

// The axis ends A0 and A1 of a 3D window and whether their lengths are locked.
struct TAxisEnds {
    Vec3 lower{0, 0, 0};
    Vec3 upper{0, 0, 0};
    bool locked = false;
    friend bool operator==(const TAxisEnds& a, const TAxisEnds& b) {
        const auto same = [](Vec3 p, Vec3 q) { return p.x == q.x && p.y == q.y && p.z == q.z; };
        return same(a.lower, b.lower) && same(a.upper, b.upper) && a.locked == b.locked;
    }
};

// The scene box from the boxes of the shown examples (and the upper axis ends when locked or
// when nothing is shown): each flat axis opened to 1, the focus at its centre, the eye brought
// into the distance band, the scales and the box eye recomputed. False, and nothing changed,
// when the box is degenerate at the origin. lineOfSightStep gets the box's SightShiftOf.
bool ComputeSceneBox(TSceneBox& box, TObserver& observer, std::span<const TBox3> shown,
                     const TAxisEnds& axes, long double& lineOfSightStep);

// How far a point tested for hiding moves towards the eye: the line-of-sight tolerance (a
// thousandth) of the box's plan, |x extent| + |y extent|.
inline constexpr long double kLineOfSightTolerance = 0.001L;
long double SightShiftOf(Vec3 min, Vec3 max);

// The 2D view that shows the projected scene box (widened by the axis ends when the axes are
// shown) with a margin: centre, half-width, half-height. The view quantities of the observer
// are recomputed first.
struct TViewWish {
    Vec2 centre;
    long double halfWidth = 5;
    long double halfHeight = 5;
};
TViewWish FitBoxToView(const TSceneBox& box, TObserver& observer, const TAxisEnds& axes,
                       bool axesShown);

// --- one example's box ---
// Each axis widened by a tenth of its extent on both sides.
void WidenBox(TBox3& box);
// An axis shorter than 1e-13 is opened by the margin on both sides.
void EnsureSpan(long double& min, long double& max, long double margin);
void EnsureSpan(TBox3& box, long double margin);
// The box elongation limit: tried in the order z, y, x, the first axis whose extent is at
// least ratio x the sum of the other two becomes centre +- ratio/2 x that sum. A family's box
// is never cut. True when nothing was cut.
inline constexpr long double kElongationRatio = 3.0L;
bool LimitBoxElongation(TBox3& box, bool family, long double ratio = kElongationRatio);

}  // namespace quorlin::plot3d
