#pragma once
// Key polls paced by time. A long loop asks at every step; the key is polled whenever the
// interval has passed since the start or the last poll. So a loop polls as often whatever its
// steps cost and however many it takes (a poll every so many steps comes late in a wide window
// and never in a narrow one), and a short one leaves the keys to what follows.
#include <chrono>
#include <functional>
#include <utility>

namespace quorlin {

class TTimedPoll {
public:
    using Clock = std::chrono::steady_clock;
    // What tells the time: the steady clock, or a test's own clock (tests never wait on time).
    using Now = std::function<Clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{20};

    TTimedPoll() = default;  // no poll: every ask answers 0
    explicit TTimedPoll(std::function<int()> poll, Clock::duration interval = kInterval,
                        Now now = {})
        : poll_(std::move(poll)), interval_(interval), now_(std::move(now)), last_(Time()) {}

    // The poll's answer when it is polled now, else 0.
    int operator()() {
        if (!poll_) return 0;
        const Clock::time_point now = Time();
        if (now - last_ < interval_) return 0;
        last_ = now;
        return poll_();
    }

    // Whether there is a poll to ask.
    explicit operator bool() const { return static_cast<bool>(poll_); }

private:
    Clock::time_point Time() const { return now_ ? now_() : Clock::now(); }

    std::function<int()> poll_;
    Clock::duration interval_ = kInterval;
    Now now_;
    Clock::time_point last_;
};

}  // namespace quorlin
