#pragma once
// The surface point under the mouse: the sight line from the eye through the clicked point of
// the view plane, cut to each candidate's box, searched in steps for the first root of the
// candidate's function along the line; the root nearest to the eye wins. Line parameters are
// measured along the line's direction, so a line without x extent is as good as any.
#include <optional>
#include <span>

#include "core/vectors.h"
#include "formula/formula_context.h"
#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

// The context's root tolerance for the time of one search.
class RootToleranceScope {
public:
    RootToleranceScope(FormulaContext& f, long double tolerance) : f_(f), saved_(f.rootTolerance) {
        f_.rootTolerance = tolerance;
    }
    ~RootToleranceScope() { f_.rootTolerance = saved_; }
    RootToleranceScope(const RootToleranceScope&) = delete;
    RootToleranceScope& operator=(const RootToleranceScope&) = delete;

private:
    FormulaContext& f_;
    long double saved_;
};

// The points eye + t direction.
struct TSightRay {
    Vec3 eye;
    Vec3 direction;
    Vec3 At(long double t) const { return eye + t * direction; }
};

// The stretch [t0, t1] of t >= 0 where the ray lies in the box (faces included); nothing when
// it misses the box or the direction is null.
struct TRayStretch {
    long double t0;
    long double t1;
};
std::optional<TRayStretch> ClipRayToBox(const TSightRay& ray, const TBox3& box);

// One candidate surface: its function of the sight line (zero on the surface, x, y and z
// replaced by the line through the sight slots) and its box.
struct TPickCandidate {
    TExprNode* sightTree;
    TBox3 box;
};

// How the line is searched: at most `intervals` steps of stepFraction of its stretch each.
struct TPickSearch {
    int intervals = 12;
    long double stepFraction = 1.0L / 12;
};

// The first root of the tree in T on [t0, t1], found step by step from t0 with the context's
// root finder (its tolerance 1e-16 of the stretch meanwhile).
std::optional<long double> FirstRootAlong(FormulaContext& f, TExprNode& tree, TRayStretch stretch,
                                          const TPickSearch& search);

// The nearest root over the candidates, as a point; the ray is put into the sight slots.
std::optional<Vec3> PickNearest(FormulaContext& f, const TSightRay& ray,
                                std::span<const TPickCandidate> candidates,
                                const TPickSearch& search);

}  // namespace quorlin::plot3d
