#pragma once
// The bookkeeping that every tracer shares: the rounds of a trace, the key poll, the round
// limit and the work budget of a trace that nobody can interrupt, and the sink and region
// hooks.
#include <chrono>
#include <optional>

#include "dynamics/tracer.h"

namespace quorlin::dynamics {

// Rounds between two looks at the clock of a work budget.
inline constexpr long long kBudgetCheckRounds = 64;

// Counts the rounds of a trace and decides when Q, the round limit or the budget ends it.
class TraceLoop {
public:
    TraceLoop(const TracerSettings& settings, const TraceHooks& hooks)
        : settings_(settings), hooks_(hooks), started_(Clock::now()) {}

    // Called once a round, after its step; a stop reason ends the trace.
    std::optional<TraceStop> Tick() {
        ++rounds_;
        if (settings_.viewStepLimit > 0 && rounds_ >= settings_.viewStepLimit)
            return TraceStop::kRoundLimit;
        if (hooks_.pollKey) {
            if (hooks_.pollKey() == kKeyStop) return TraceStop::kInterrupted;
        } else if (rounds_ >= settings_.roundLimit) {
            return TraceStop::kRoundLimit;
        }
        if (settings_.budgetSeconds > 0 && rounds_ % kBudgetCheckRounds == 0 &&
            std::chrono::duration<double>(Clock::now() - started_).count() >
                settings_.budgetSeconds)
            return TraceStop::kBudget;
        return std::nullopt;
    }

    bool Inside(const TracePoint& p) const { return !hooks_.inside || hooks_.inside(p); }
    void Emit(const TracePoint& p) const {
        if (hooks_.sink) hooks_.sink(p);
    }

private:
    using Clock = std::chrono::steady_clock;
    const TracerSettings& settings_;
    const TraceHooks& hooks_;
    Clock::time_point started_;
    long long rounds_ = 0;
};

}  // namespace quorlin::dynamics
