#include "examples/operations/animation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorlin::examples {

namespace {

constexpr long double kTinyStep = 1e-16L;
constexpr long double kFirstTimeStep = 0.1L;
// The clock counts hundredths of a second; '@' counts seconds.
constexpr long double kSecondsPerTick = 0.01L;
// A real-time run does not start this close to its stop time.
constexpr long double kStopMargin = 1e-13L;

}  // namespace

TAnimatedGroup SelectAnimatedGroup(const std::array<std::uint8_t, kParameterCount>& group,
                                   int slot) {
    TAnimatedGroup selected;
    const bool inGroup =
        slot >= 0 && slot < kParameterCount && group[static_cast<std::size_t>(slot)];
    for (int i = 0; i < kParameterCount; ++i) {
        const bool on = i == slot || (inGroup && group[static_cast<std::size_t>(i)]);
        selected.which[static_cast<std::size_t>(i)] = on;
        if (!on) continue;
        selected.first = std::min(selected.first, i);
        selected.last = std::max(selected.last, i);
    }
    return selected;
}

TParameterAnimation::TParameterAnimation(FormulaContext& formulas, const TSliderSteps& steps,
                                         TAnimationSettings& settings, const Options& options)
    : formulas_(formulas),
      settings_(settings),
      options_(options),
      group_(SelectAnimatedGroup(settings.group, options.slot)) {
    for (int i = 1; i < kParameterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const long double count = std::max<std::uint32_t>(steps.steps[k], 1);
        long double step =
            settings.speed * (formulas.params.right[k] - formulas.params.left[k]) / count;
        if (step < kTinyStep) step = 1 / count;
        step_[k] = step;
    }
    step_[0] = settings.timeStarted ? formulas.vars.value[slot::kAt].imag() : kFirstTimeStep;
}

bool TParameterAnimation::CanStart() const {
    return !(options_.realTime && options_.stopAtEnd &&
             formulas_.Var(slot::kAt) + kStopMargin > options_.stopTime);
}

void TParameterAnimation::Start(int clockHundredths) {
    startValue_ = formulas_.Var(slot::kAt);
    startClock_ = clockHundredths;
}

bool TParameterAnimation::Frame(int clockHundredths) {
    const TAnimParams& ends = formulas_.params;
    for (int i = group_.first; i <= group_.last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!group_.which[k]) continue;
        long double& step = step_[k];
        const long double v = formulas_.Var(i) + step;
        long double next = v;
        if (i > 0 && (v > ends.right[k] || v < ends.left[k])) {
            if (options_.bounce) {
                next = v - step;
                step = -step;
            } else {
                next = v > ends.right[k] ? ends.left[k] : ends.right[k];
            }
        }
        // Only the real part moves: the imaginary part of '@' keeps the time step.
        formulas_.vars.value[k].real(next);
    }
    if (!options_.realTime) return true;
    // '@' takes the clock's time, and its step the size that matches the frames drawn.
    const long double elapsed = (clockHundredths - startClock_) * kSecondsPerTick;
    const long double moved = std::fabs(formulas_.Var(slot::kAt) - startValue_);
    if (moved > kTinyStep) step_[0] *= elapsed / moved;
    settings_.timeStarted = true;
    long double at = startValue_ + elapsed;
    const bool last = options_.stopAtEnd && at > options_.stopTime;
    if (last) at = options_.stopTime;
    formulas_.vars.value[slot::kAt].real(at);
    return !last;
}

void TParameterAnimation::Reverse() {
    for (int i = 0; i < kParameterCount; ++i)
        if (group_.which[static_cast<std::size_t>(i)]) step_[static_cast<std::size_t>(i)] *= -1;
}

void TParameterAnimation::ChangeSpeed(long double factor) {
    settings_.speed *= factor;
    for (int i = 0; i < kParameterCount; ++i)
        if (group_.which[static_cast<std::size_t>(i)]) step_[static_cast<std::size_t>(i)] *= factor;
}

void TParameterAnimation::Finish() {
    if (options_.realTime) formulas_.vars.value[slot::kAt].imag(std::fabs(step_[0]));
    settings_.realTime = false;
}

TFrameCycle::TFrameCycle(int last, bool bounce, int start)
    : last_(std::max(last, 0)), bounce_(bounce), index_(start) {}

int TFrameCycle::Next() {
    // A single frame stays where it is: turning round would leave the frames.
    if (last_ < 1) return index_ = 0;
    index_ += direction_;
    if (index_ > last_) {
        if (bounce_) {
            index_ = last_ - 1;
            direction_ = -1;
        } else {
            index_ = 0;
        }
    } else if (index_ < 0) {
        if (bounce_) {
            index_ = 1;
            direction_ = 1;
        } else {
            index_ = last_;
        }
    }
    return index_;
}

int SlidesWithinMemory(int wanted, std::int64_t bytesPerSlide, std::int64_t budget) {
    if (bytesPerSlide <= 0) return wanted;
    return static_cast<int>(std::min<std::int64_t>(wanted, budget / bytesPerSlide));
}

int DrawFamilyMembers(FormulaContext& formulas, const TExample& e,
                      const std::function<int()>& drawMember) {
    const int letter = e.familyLetter;
    const bool family = e.familyOn && letter >= 1 && letter <= slot::kLastParameter;
    const int n = family ? std::abs(static_cast<int>(e.familySteps)) : 0;
    const long double increment = n > 0 ? (e.familyHigh - e.familyLow) / n : 0;
    if (family) formulas.SetVar(letter, e.familyLow);
    for (int k = 0; k <= n; ++k) {
        if (const int key = drawMember()) return key;
        if (family) formulas.AddToVar(letter, increment);
    }
    return 0;
}

}  // namespace quorlin::examples
