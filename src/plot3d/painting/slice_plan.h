#pragma once
// The slices of a slowly drawn surface, a space curve or a segment as plain computation:
// which values the fixed parameter takes, how many steps the running one makes, the sampling
// of a segment into runs of visible samples, and a key poll asked by time, not per sample.
#include <chrono>
#include <functional>
#include <optional>
#include <utility>

#include "core/timed_poll.h"
#include "core/vectors.h"
#include "examples/records/example.h"

namespace quorlin::plot3d {

// The slices of one direction: direction 1 holds the second parameter (v) fixed and runs over
// the first (u); direction 2 the other way round. A curve or a segment is one slice, taken at
// the high end. Every slice takes the example's own point count, at least one step.
struct TSlicePlan {
    long double fixedLow = 0;
    long double fixedHigh = 0;
    int slices = 0;  // the values are s = 0 .. slices
    long double runningLow = 0;
    long double runningHigh = 0;
    int steps = 1;  // points 0 .. steps along a slice

    long double FixedValue(int s) const;
    long double RunningValue(int k) const;
};
TSlicePlan PlanSlices(const examples::TExample& e, int direction);

// A paced key poll (core/timed_poll.h) that remembers Q: once it answered 81 it answers 81 to
// every later ask, and other keys read as 0, so one Q stops every loop of a drawing.
class TStopPoll {
public:
    using Clock = TTimedPoll::Clock;
    static constexpr std::chrono::milliseconds kInterval = TTimedPoll::kInterval;

    explicit TStopPoll(std::function<int()> poll, Clock::duration interval = kInterval)
        : poll_(std::move(poll), interval) {}
    // 81 once Q was seen, else 0.
    int operator()();
    bool Stopped() const { return stopped_; }

private:
    TTimedPoll poll_;
    bool stopped_ = false;
};

// What the 3D segment drawer asks of the window about a point, and where its lines go.
struct TSegmentWorld {
    std::function<bool(Vec3)> insideBox;
    std::function<bool(Vec3)> hidden;
    std::function<Vec2(Vec3)> project;
    std::function<bool(Vec2)> inView;
    // A run of drawn samples, from its first to its last view point (one line each).
    std::function<void(Vec2, Vec2)> run;
    // The whole segment, to be clipped to the view.
    std::function<void(Vec2, Vec2)> whole;
};
struct TSegmentOptions {
    bool drawWhole = false;
    bool insideBox = true;     // samples outside the scene box are left out
    bool hideSegments = true;  // samples behind a surface are left out
    int steps = 1;             // at least one
};

// The segment a -> b: whole when asked, or when neither the box nor the surfaces are asked;
// otherwise sampled in its steps (b exactly at the end), each run of samples that are drawn
// (in the box when asked, not hidden when asked, projected into the view) handed over as one
// line; a run of one sample is a line from that point to itself. The poll is asked after
// every sample: 81 stops the sampling after that sample (its open run is handed over first)
// and is returned; else 0.
int DrawSegmentRuns(Vec3 a, Vec3 b, const TSegmentOptions& options, const TSegmentWorld& world,
                    TStopPoll& poll);

}  // namespace quorlin::plot3d
