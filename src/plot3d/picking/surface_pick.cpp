#include "plot3d/picking/surface_pick.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "formula/root_finder.h"

namespace quorlin::plot3d {

namespace {

constexpr long double kRelativeRootTolerance = 1e-16L;

}  // namespace

std::optional<TRayStretch> ClipRayToBox(const TSightRay& ray, const TBox3& box) {
    long double t0 = 0;
    long double t1 = HUGE_VALL;
    const std::array<long double, 3> origin{ray.eye.x, ray.eye.y, ray.eye.z};
    const std::array<long double, 3> step{ray.direction.x, ray.direction.y, ray.direction.z};
    const std::array<long double, 3> low{box.min.x, box.min.y, box.min.z};
    const std::array<long double, 3> high{box.max.x, box.max.y, box.max.z};
    bool moves = false;
    for (std::size_t k = 0; k < 3; ++k) {
        if (step[k] == 0) {
            if (origin[k] < low[k] || origin[k] > high[k]) return std::nullopt;
            continue;
        }
        moves = true;
        long double a = (low[k] - origin[k]) / step[k];
        long double b = (high[k] - origin[k]) / step[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
    }
    if (!moves || t0 > t1) return std::nullopt;
    return TRayStretch{t0, t1};
}

std::optional<long double> FirstRootAlong(FormulaContext& f, TExprNode& tree, TRayStretch stretch,
                                          const TPickSearch& search) {
    const long double length = stretch.t1 - stretch.t0;
    const long double h = search.stepFraction * length;
    if (!(h > 0)) return std::nullopt;
    const RootToleranceScope tolerance(f, kRelativeRootTolerance * length);
    long double s = stretch.t0;
    for (int k = 0; k < search.intervals; ++k, s += h) {
        long double root = 0;
        const int result = f.FindRootInInterval(tree, slot::kT, s, root, s + h);
        if (result == rootfind::kFound || result == rootfind::kEndTouch) return root;
    }
    return std::nullopt;
}

std::optional<Vec3> PickNearest(FormulaContext& f, const TSightRay& ray,
                                std::span<const TPickCandidate> candidates,
                                const TPickSearch& search) {
    const std::array<long double, 6> line{ray.eye.x,       ray.eye.y,       ray.eye.z,
                                          ray.direction.x, ray.direction.y, ray.direction.z};
    for (std::size_t k = 0; k < line.size(); ++k)
        f.SetVar(slot::kSightFirst + static_cast<int>(k), line[k]);
    std::optional<long double> best;
    for (const TPickCandidate& c : candidates) {
        if (!c.sightTree) continue;
        const std::optional<TRayStretch> stretch = ClipRayToBox(ray, c.box);
        if (!stretch) continue;
        const std::optional<long double> root = FirstRootAlong(f, *c.sightTree, *stretch, search);
        if (root && (!best || *root < *best)) best = root;
    }
    if (!best) return std::nullopt;
    return ray.At(*best);
}

}  // namespace quorlin::plot3d
