// Polls paced by time, on intervals that no test run reaches or that every ask passes: the
// first ask polls, later asks poll only once the interval has passed, and no poll answers 0.
#include "core/timed_poll.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace quorlin {
namespace {

TEST(TimedPoll, PollsAtTheFirstAskThenOncePerInterval) {
    struct Case {
        std::chrono::steady_clock::duration interval;
        int asks;
        int polls;
    };
    const Case cases[] = {{std::chrono::hours(1), 7, 1},
                          {std::chrono::hours(1), 1, 1},
                          {std::chrono::nanoseconds(0), 7, 7},
                          {std::chrono::nanoseconds(0), 3, 3}};
    for (const Case& c : cases) {
        int polls = 0;
        TTimedPoll poll([&polls] { return ++polls == 3 ? 81 : 40 + polls; }, c.interval);
        std::vector<int> answers;
        for (int k = 0; k < c.asks; ++k) answers.push_back(poll());
        EXPECT_EQ(polls, c.polls) << c.asks;
        // Each poll's answer comes back at its ask; the asks between polls answer 0.
        EXPECT_EQ(answers[0], 41);
        if (c.polls > 1) {
            EXPECT_EQ(answers[2], 81);
        }
        if (c.polls == 1 && c.asks > 1) {
            EXPECT_EQ(answers[1], 0);
        }
        EXPECT_TRUE(static_cast<bool>(poll));
    }
    TTimedPoll none;
    EXPECT_FALSE(static_cast<bool>(none));
    EXPECT_EQ(none(), 0);
}

}  // namespace
}  // namespace quorlin
