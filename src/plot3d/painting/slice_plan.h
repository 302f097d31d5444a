#pragma once
// The slices of a slowly drawn surface, a space curve or a segment as plain computation:
// which values the fixed parameter takes, how many steps the running one makes, the sampling
// of a segment into runs of visible samples, and a key poll asked by time, not per sample.
#include <chrono>
#include <functional>
#include <optional>

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

// Asks the poll at most once per interval (every time with a zero interval) and keeps the
// first 81 it answers.
class TTimedPoll {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{20};

    explicit TTimedPoll(std::function<int()> poll, Clock::duration interval = kInterval);
    // 81 once Q was seen, else 0.
    int operator()();
    bool Stopped() const { return stopped_; }

private:
    std::function<int()> poll_;
    Clock::duration interval_;
    Clock::time_point last_;
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
                    TTimedPoll& poll);

}  // namespace quorlin::plot3d
