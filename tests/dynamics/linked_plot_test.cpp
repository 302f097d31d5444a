#include "dynamics/linked_plot.h"

#include <gtest/gtest.h>

#include <map>

namespace quorlin::dynamics {
namespace {

TEST(LinkedPlot, EachWindowPlotsItsPairsUnderItsNameAndMaskBit) {
    struct Case {
        LinkedKind kind;
        int index, dimension;
        std::vector<int> pairs;
        std::string name;
        std::uint16_t bit;
    };
    const Case cases[] = {
        {LinkedKind::kTime, 0, 2, {9}, "x(t)", 1},
        {LinkedKind::kTime, 1, 3, {10}, "y(t)", 2},
        {LinkedKind::kTime, 2, 2, {9, 10}, "xy(t)", 4},
        {LinkedKind::kTime, 2, 3, {12}, "z(t)", 4},
        {LinkedKind::kTime, 3, 3, {9, 10, 12}, "xyz(t)", 8},
        {LinkedKind::kPhase, 0, 2, {3}, "xy", 128},
        {LinkedKind::kPhase, 1, 3, {5}, "zx", 256},
        {LinkedKind::kPhase, 2, 3, {6}, "yz", 512},
        {LinkedKind::kTime, 4, 3, {}, "", 0},
        {LinkedKind::kPhase, 3, 3, {}, "", 0},
        {LinkedKind::kPhase, -1, 2, {}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " " << c.name);
        EXPECT_EQ(LinkedPairs(c.kind, c.index, c.dimension), c.pairs);
        EXPECT_EQ(LinkedName(c.kind, c.index, c.dimension), c.name);
        EXPECT_EQ(LinkedMaskBit(c.kind, c.index), c.bit);
    }
}

TEST(LinkedPlot, TrackJoinsOnlyJoinedDefinedPointsOfEachCurve) {
    LinkedTrack track(2);
    using P = std::optional<Vec2>;
    EXPECT_TRUE(track.Step({P{{0, 0}}, P{{0, 1}}}, false).empty());  // a trajectory begins
    auto s = track.Step({P{{1, 0}}, P{}}, true);                     // curve 2 undefined here
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(std::pair(s[0].from.x, s[0].to.x), std::pair(0.0L, 1.0L));
    s = track.Step({P{{2, 0}}, P{{2, 1}}}, true);  // curve 2 resumes without a segment
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].from.x, 1);
    EXPECT_TRUE(track.Step({P{{5, 5}}, P{{5, 5}}}, false).empty());  // the next trajectory
}

TEST(LinkedPlot, LevelFilterTakesTheWindowsVariableStrictlyWithinTheTolerance) {
    examples::TTrajectory t;
    t.startZ = 1.0L;
    t.startX = 7.0L;
    t.option1 = 26;
    EXPECT_TRUE(PassesLevelFilter(t, 26, 1.05L, 0.1L));
    EXPECT_FALSE(PassesLevelFilter(t, 26, 1.1L, 0.1L));  // strictly within
    EXPECT_FALSE(PassesLevelFilter(t, 24, 1.0L, 0.1L));  // another variable
    t.option1 = 24;
    EXPECT_TRUE(PassesLevelFilter(t, 24, 7.0L, 1e-9L));
}

TEST(LinkedPlot, PixelTestLooksAtTheNineAroundThePoint) {
    std::map<std::pair<int, int>, std::uint32_t> drawn{{{11, 11}, 0xff0000}};
    const auto pixel = [&](int x, int y) -> std::optional<std::uint32_t> {
        if (x < 0 || y < 0) return std::nullopt;
        const auto it = drawn.find({x, y});
        return it == drawn.end() ? 0xffffffu : it->second;
    };
    EXPECT_TRUE(TestPixelsAround(pixel, 10, 10, 0xffffff));
    EXPECT_FALSE(TestPixelsAround(pixel, 13, 10, 0xffffff));
    EXPECT_TRUE(TestPixelsAround(pixel, 12, 12, 0xffffff, 0xff0000u));
    EXPECT_FALSE(TestPixelsAround(pixel, 12, 12, 0xffffff, 0x00ff00u));
    EXPECT_FALSE(TestPixelsAround(pixel, 0, 0, 0xffffff));  // the outside does not count
}

}  // namespace
}  // namespace quorlin::dynamics
