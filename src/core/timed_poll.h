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

// The key poll of a window as a test may replace it: a poll put in with its pacing and clock,
// else the window's own poll at the usual pacing. Every seam of a window's key polls is one.
class TPollSeam {
public:
    // An empty poll: the window's own again.
    void Set(std::function<int()> poll,
             TTimedPoll::Clock::duration interval = TTimedPoll::kInterval,
             TTimedPoll::Now now = {}) {
        poll_ = std::move(poll);
        interval_ = interval;
        now_ = std::move(now);
    }
    // The poll put in, else own, paced as set.
    TTimedPoll Timed(std::function<int()> own) const {
        return TTimedPoll(poll_ ? poll_ : std::move(own), interval_, now_);
    }
    // Asked once, unpaced: the poll put in, else own.
    int Ask(const std::function<int()>& own) const { return poll_ ? poll_() : own(); }
    TTimedPoll::Clock::duration Interval() const { return interval_; }
    // A pace of its own at the seam's interval and clock: answers 1 whenever the poll would be
    // due (what shows progress as often as the keys are polled).
    TTimedPoll Pace() const { return TTimedPoll([] { return 1; }, interval_, now_); }

private:
    std::function<int()> poll_;
    TTimedPoll::Clock::duration interval_ = TTimedPoll::kInterval;
    TTimedPoll::Now now_;
};

}  // namespace quorlin
