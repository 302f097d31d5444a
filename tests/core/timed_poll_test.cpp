// Polls paced by time, on intervals that no test run reaches or that every ask passes: an
// ask polls only once the interval has passed since the start or the last poll, hands on the
// poll's answer, and answers 0 otherwise or without a poll.
#include "core/timed_poll.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace quorlin {
namespace {

TEST(TimedPoll, PollsOncePerIntervalAndHandsOnTheAnswer) {
    struct Case {
        std::chrono::steady_clock::duration interval;
        int asks;
        std::vector<int> answers;
    };
    const Case cases[] = {{std::chrono::hours(1), 4, {0, 0, 0, 0}},
                          {std::chrono::nanoseconds(0), 4, {41, 42, 81, 44}},
                          {std::chrono::nanoseconds(0), 2, {41, 42}}};
    for (const Case& c : cases) {
        int polls = 0;
        TTimedPoll poll([&polls] { return ++polls == 3 ? 81 : 40 + polls; }, c.interval);
        std::vector<int> answers;
        for (int k = 0; k < c.asks; ++k) answers.push_back(poll());
        EXPECT_EQ(answers, c.answers) << c.asks;
        EXPECT_TRUE(static_cast<bool>(poll));
    }
    TTimedPoll none;
    EXPECT_FALSE(static_cast<bool>(none));
    EXPECT_EQ(none(), 0);
}

}  // namespace
}  // namespace quorlin
