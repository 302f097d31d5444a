#include "plot3d/boxedit/box_edit.h"

#include <cmath>

#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d {

namespace {

using examples::TExample;
namespace k = examples::kind;

constexpr long double kLeastExtent = 1e-13L;
constexpr long double kLeastMove = 1e-16L;
constexpr int kErrInconsistent = 6;

long double TaxiDistance(const Vec3& a, const Vec3& b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

}  // namespace

std::string_view BoxTemplateName(const TExample& e) {
    if (e.IsMeshSurface(true)) return "AUTOBOXA";
    if (e.kind == k::kImplicitSurface || e.kind > k::kSpacePoint) return "AUTOBOXB";
    return "AUTOBOXC";
}

bool IsClipping(const TExample& e) {
    return e.recompute != 0;
}

TBoxAnswer InitialBoxAnswer(const TExample& e,
                            const std::function<std::string(long double)>& format) {
    return {.texts = {format(e.boxMin.x), format(e.boxMax.x), format(e.boxMin.y),
                      format(e.boxMax.y), format(e.boxMin.z), format(e.boxMax.z)},
            .clip = IsClipping(e),
            .lock = !IsBoxAutomatic(e)};
}

TBoxOutcome ApplyBoxAnswer(TExample& e, const TBoxAnswer& answer, bool force,
                           const TNumberReader& read) {
    const bool wasLocked = !IsBoxAutomatic(e);
    bool changed = force || answer.lock != wasLocked;
    Vec3 low = e.boxMin;
    Vec3 high = e.boxMax;
    if (answer.lock) {
        // The dialog's order of reading: the three lows, then the three highs.
        const std::array<long double*, 6> targets{&low.x,  &low.y,  &low.z,
                                                  &high.x, &high.y, &high.z};
        constexpr std::array<int, 6> kTextOf{0, 2, 4, 1, 3, 5};
        for (std::size_t n = 0; n < targets.size(); ++n)
            if (const int error = read(answer.texts[kTextOf[n]], *targets[n]); error != 0)
                return {.error = error};
        if (high.x < low.x + kLeastExtent || high.y < low.y + kLeastExtent ||
            high.z < low.z + kLeastExtent)
            return {.error = kErrInconsistent};
    }
    if (!changed)
        changed = answer.clip != IsClipping(e) || TaxiDistance(low, e.boxMin) > kLeastMove ||
                  TaxiDistance(high, e.boxMax) > kLeastMove;
    SetBoxAutomatic(e, !answer.lock);
    e.recompute = answer.clip ? 1 : 0;
    if (changed) {
        e.boxMin = low;
        e.boxMax = high;
        if (e.kind == k::kSurface || e.kind == k::kImplicitSurface) {
            e.box2Min = low;
            e.box2Max = high;
        }
    }
    return {.changed = changed};
}

}  // namespace quorlin::plot3d
