#include "plot3d/painting/slice_plan.h"

#include <algorithm>
#include <utility>

#include "core/errors.h"

namespace quorlin::plot3d {

namespace kind = examples::kind;

namespace {

long double StepValue(long double low, long double high, int k, int n) {
    return k >= n ? high : low + (high - low) * k / n;
}

}  // namespace

long double TSlicePlan::FixedValue(int s) const {
    return StepValue(fixedLow, fixedHigh, s, slices);
}

long double TSlicePlan::RunningValue(int k) const {
    return StepValue(runningLow, runningHigh, k, steps);
}

TSlicePlan PlanSlices(const examples::TExample& e, int direction) {
    const std::size_t fixed = direction == 1 ? 1 : 0, running = 1 - fixed;
    TSlicePlan plan;
    plan.fixedLow = e.rangeLow[fixed];
    plan.fixedHigh = e.rangeHigh[fixed];
    plan.runningLow = e.rangeLow[running];
    plan.runningHigh = e.rangeHigh[running];
    plan.slices = std::max<int>(e.divisions[fixed], 1);
    plan.steps = std::max<int>(e.slicePoints[running], 1);
    if (e.kind == kind::kSpaceCurve || e.kind == kind::kSpaceSegment) {
        plan.slices = 0;
        plan.steps = std::max<int>(e.slicePoints[0], 1);
    }
    return plan;
}

int TStopPoll::operator()() {
    if (!stopped_) stopped_ = poll_() == kKeyStop;
    return stopped_ ? kKeyStop : 0;
}

int DrawSegmentRuns(Vec3 a, Vec3 b, const TSegmentOptions& options, const TSegmentWorld& world,
                    TStopPoll& poll) {
    if (options.drawWhole || (!options.hideSegments && !options.insideBox)) {
        world.whole(world.project(a), world.project(b));
        return 0;
    }
    const int n = std::max(options.steps, 1);
    std::optional<Vec2> first, last;
    const auto close = [&] {
        if (first) world.run(*first, *last);
        first.reset();
        last.reset();
    };
    for (int k = 0; k <= n; ++k) {
        const Vec3 p = k == n ? b : a + (static_cast<long double>(k) / n) * (b - a);
        bool drawn = !(options.insideBox && !world.insideBox(p)) &&
                     !(options.hideSegments && world.hidden(p));
        const Vec2 q = drawn ? world.project(p) : Vec2{};
        drawn = drawn && world.inView(q);
        if (drawn) {
            if (!first) first = q;
            last = q;
        } else {
            close();
        }
        if (poll() == kKeyStop) {
            close();
            return kKeyStop;
        }
    }
    close();
    return 0;
}

}  // namespace quorlin::plot3d
