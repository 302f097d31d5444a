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

// A seam answers with the window's own poll until one is put in, then with that one at its
// pacing on its clock (here a clock that moves 7 ms at each look, against 20 ms: every third
// ask polls), and with the window's own again once an empty poll is put in.
TEST(PollSeam, PutInPollsReplaceTheOwnWithTheirPacingAndClock) {
    TPollSeam seam;
    const auto own = [] { return 'O'; };
    EXPECT_EQ(seam.Ask(own), 'O');
    EXPECT_EQ(seam.Interval(), TTimedPoll::kInterval);
    TTimedPoll::Clock::time_point clock{};
    int polls = 0;
    seam.Set([&polls] { return ++polls == 2 ? 81 : 'W'; }, std::chrono::milliseconds(20),
             [&clock] { return clock += std::chrono::milliseconds(7); });
    EXPECT_EQ(seam.Interval(), std::chrono::milliseconds(20));
    TTimedPoll timed = seam.Timed(own);
    std::vector<int> answers;
    for (int k = 0; k < 7; ++k) answers.push_back(timed());
    EXPECT_EQ(answers, (std::vector<int>{0, 0, 'W', 0, 0, 81, 0}));
    EXPECT_EQ(seam.Ask(own), 'W');
    seam.Set({}, std::chrono::nanoseconds(0));
    TTimedPoll back = seam.Timed(own);
    EXPECT_EQ(back(), 'O');
    EXPECT_EQ(seam.Ask(own), 'O');
    EXPECT_EQ(polls, 3);
}

}  // namespace
}  // namespace quorlin
