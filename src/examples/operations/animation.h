#pragma once
// The animation players without their window: which parameters move together, how they move
// from frame to frame, how '@' follows the clock in a real-time run, how prepared slides and
// whole-number steps cycle, how many slides fit in memory, and the loop over the members of a
// trajectory family.
//
// The window drives a player from its one timer and draws a frame after each step; the logic
// here is plain and takes the clock as a number (hundredths of a second), so that tests can
// give it any time they like.
#include <array>
#include <cstdint>
#include <functional>

#include "examples/records/example.h"
#include "examples/records/plot_settings.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

inline constexpr int kParameterCount = slot::kLastParameter + 1;  // '@' and A-W

// The parameters that move with the animated slot: itself, and the simultaneous group when
// the slot belongs to it. first is the lowest selected index (23 when none), last the highest
// (0 when none).
struct TAnimatedGroup {
    std::array<bool, kParameterCount> which{};
    int first = kParameterCount - 1;
    int last = 0;
};
TAnimatedGroup SelectAnimatedGroup(const std::array<std::uint8_t, kParameterCount>& group,
                                   int slot);

// The frame player of the parameters. Each frame moves every parameter of the group by its
// step; a letter leaving its range comes back at the other end, or with bounce turns round.
// '@' is never held to a range. In a real-time run '@' follows the clock: start value plus the
// elapsed hundredths as hundredths, and stops at the stop time when one is given.
class TParameterAnimation {
public:
    struct Options {
        int slot = 0;
        bool bounce = false;
        bool realTime = false;
        bool stopAtEnd = false;
        long double stopTime = 0;
    };
    // Steps: speed x (R - L) / slider steps per letter (1 / slider steps for an empty or
    // reversed range); '@' moves by 0.1 until a real-time run was made once, afterwards by
    // the time step kept in its imaginary part.
    TParameterAnimation(FormulaContext& formulas, const TSliderSteps& steps,
                        TAnimationSettings& settings, const Options& options);

    // A real-time run whose stop time already lies behind '@' does not start.
    bool CanStart() const;
    // The clock at the start of the run.
    void Start(int clockHundredths);
    // One frame: moves the group; in a real-time run '@' takes the clock's time. False when
    // this frame reached the stop time and is the last.
    bool Frame(int clockHundredths);
    // The keys of a frame-mode run: blank reverses the group, F and S make it faster (x 1.25)
    // or slower (x 0.8), speed factor included.
    void Reverse();
    void ChangeSpeed(long double factor);
    // After the run: a real-time run keeps the size of the step of '@' as the time step.
    void Finish();

    bool RealTime() const { return options_.realTime; }
    const TAnimatedGroup& Group() const { return group_; }
    long double Step(int slot) const { return step_[static_cast<std::size_t>(slot)]; }

private:
    FormulaContext& formulas_;
    TAnimationSettings& settings_;
    Options options_;
    TAnimatedGroup group_;
    std::array<long double, kParameterCount> step_{};
    long double startValue_ = 0;
    int startClock_ = 0;
};

// Frames 0..last shown one after the other: past the last back to 0 (or, with bounce, turning
// round at the ends); blank reverses. Slides and whole-number steps cycle this way.
class TFrameCycle {
public:
    TFrameCycle(int last, bool bounce, int start = 0);
    int Current() const { return index_; }
    int Next();
    void Reverse() { direction_ = -direction_; }

private:
    int last_;
    bool bounce_;
    int index_;
    int direction_ = 1;
};

// Prepared slides kept at once: no more than the memory kept for slides holds.
inline constexpr std::int64_t kSlideMemoryBytes = std::int64_t{256} * 1024 * 1024;
int SlidesWithinMemory(int wanted, std::int64_t bytesPerSlide,
                       std::int64_t budget = kSlideMemoryBytes);

// Draws the members of example e's trajectory family: with the family on, its letter runs from
// the low to the high end in |steps| steps and `drawMember` draws each member; without it, one
// member at the values as they are. Stops at the first member that returns a key and returns
// it (0 when all were drawn). The letter keeps the last value it had.
int DrawFamilyMembers(FormulaContext& formulas, const TExample& e,
                      const std::function<int()>& drawMember);

}  // namespace quorlin::examples
