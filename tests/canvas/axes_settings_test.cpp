// The rules that turn the grid and view dialogs' texts into settings, and the view history.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "canvas/axes_settings.h"
#include "core/numbers.h"
#include "support/all_near.h"

namespace quorlin::canvas {
namespace {

using quorlin::testing::AllNear;
using Opt = std::optional<int>;

TEST(GridFields, PlacesFrequenciesSectorsIntervalsAndTickLengths) {
    const struct {
        const char* text;
        Opt places, suffix;
    } places[] = {{"2@", 12, {}},    {"2@176", 12, 176}, {"2@1", 12, {}},  // below 33: kept
                  {"2@256", 12, {}}, {"7", 7, {}},       {"10", {}, {}},
                  {"-1", {}, {}},    {"@65", 10, 65}};
    for (const auto& c : places) {
        const PlacesInput in = ParsePlaces(c.text);
        EXPECT_EQ(Opt(in.places), c.places) << c.text;
        EXPECT_EQ(Opt(in.suffix), c.suffix) << c.text;
    }
    EXPECT_EQ(FormatPlaces(12), "2@");
    EXPECT_EQ(FormatPlaces(3), "3");
    for (const auto& [text, f] :
         {std::pair<const char*, Opt>{"1", 1}, {"98", 98}, {"99", {}}, {"0", {}}, {"x", {}}})
        EXPECT_EQ(Opt(ParseFrequency(text)), f) << text;
    EXPECT_EQ(ParsePolarSectors(" 4"), 4);
    EXPECT_FALSE(ParsePolarSectors("101"));
    EXPECT_EQ(LeadingInt("12abc"), 12);
    EXPECT_EQ(LeadingInt("99999999999999"), 2147483647);

    // Intervals with the origin mark, and tick lengths in percent.
    long double value = 0;
    IntervalText t = SplitIntervalText("0.5@");
    EXPECT_TRUE(t.originMark);
    ASSERT_TRUE(StrToLD(t.number, value));
    EXPECT_TRUE(IsValidInterval(value));
    EXPECT_DOUBLE_EQ(value, 0.5L);
    t = SplitIntervalText("0.25");
    EXPECT_FALSE(t.originMark);
    EXPECT_EQ(t.number, "0.25");
    EXPECT_FALSE(IsValidInterval(0));
    EXPECT_FALSE(IsValidInterval(1e-17L));

    EXPECT_FALSE(TickLengthFromPercent(0.2L, 1024));
    EXPECT_FALSE(TickLengthFromPercent(98, 1024));
    const auto lengths = TickLengthFromPercent(10, 1024);
    ASSERT_TRUE(lengths);
    EXPECT_EQ(*lengths, (std::pair<std::int16_t, std::int16_t>(102, 71)));  // 102.4, 714 / 10
    EXPECT_EQ(TickLengthFromPercent(0.25L, 1000)->first, 3);  // 2.5 rounds away from zero
    EXPECT_NEAR(TickLengthPercent(102, 1024), 9.9609375L, 1e-15L);
}

TEST(ViewHistory, PopsNewestFirstAndForgetsTheOldestWhenFull) {
    TViewHistoryList history;
    EXPECT_FALSE(history.Pop());
    for (int i = 0; i < 205; ++i) {
        TViewState s;
        s.frame.centreX = i;
        history.Push(s);
    }
    EXPECT_EQ(history.Count(), TViewHistoryList::kMaxEntries);
    EXPECT_EQ(history.Pop()->frame.centreX, 204);
    EXPECT_EQ(history.Pop()->frame.centreX, 203);
    history.Clear();
    EXPECT_TRUE(history.Empty());
}

ViewDialogInput Centre(std::string x, std::string y, std::string width) {
    return {false, std::move(x), std::move(y), std::move(width), {}, {}, {}, {}};
}

ViewDialogInput Corners(std::string l, std::string r, std::string d, std::string u) {
    return {true, {}, {}, {}, std::move(l), std::move(r), std::move(d), std::move(u)};
}

class ViewRequestTest : public ::testing::Test {
protected:
    ViewRequestTest() {
        frame.SetAreaSize(401, 401);
        frame.RecomputeView();
    }
    int Read(const ViewDialogInput& in, ViewRequest& out) {
        return ReadViewRequest(
            in, frame, [](std::string_view t, long double& v) { return StrToLD(t, v) ? 0 : 1; },
            out);
    }
    TViewFrame frame;
};

// No view is too large or too small as such; only a scale the transforms cannot carry is
// refused: pixels that overflow, vanish or fall between two long doubles.
TEST_F(ViewRequestTest, ByCentreAndWidthOrByCorners) {
    const struct {
        ViewDialogInput input;
        int error;
        bool changed = false;  // the window's own frame is no change
        long double centreX = 0, halfWidth = 0, halfHeight = 0;
    } cases[] = {
        {Centre("1", "2", "0"), kErrNotPositive},
        {Centre("1", "2", "-3"), kErrNotPositive},
        {Centre("1", "(", "4"), 1},  // the reader's error
        {Centre("0", "0", "10"), 0, false},
        {Centre("2", "0", "3"), 0, true, 2, 1.5L, 0},
        {Corners("2", "2", "-1", "1"), kErrInconsistent},
        {Corners("-5", "5", "-5", "5"), 0, false},
        {Corners("-1", "3", "0", "2"), 0, true, 1, 2, 1},
        {Centre("0", "0", "1e300"), 0, true, 0, 5e299L, 0},
        {Centre("0", "0", "1e4000"), 0, true, 0, 5e3999L, 0},
        {Centre("1e300", "0", "1e290"), 0, true, 1e300L, 5e289L, 0},
        {Centre("1e300", "0", "2"), kErrOutOfBounds},  // pixels below the spacing there
        {Centre("1000", "0", "1e-14"), kErrOutOfBounds},
        {Corners("-1e4932", "1e4932", "-1", "1"), kErrOutOfBounds},  // pixels that overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.width + c.input.left);
        ViewRequest r;
        ASSERT_EQ(Read(c.input, r), c.error);
        if (c.error) continue;
        EXPECT_EQ(r.changed, c.changed);
        if (c.changed) {
            EXPECT_TRUE(AllNear({r.centreX, r.halfWidth, r.halfHeight},
                                {c.centreX, c.halfWidth, c.halfHeight}));
        }
    }
    frame.cornersFlag = true;  // leaving the corners is a change
    ViewRequest r;
    ASSERT_EQ(Read(Centre("0", "0", "10"), r), 0);
    EXPECT_TRUE(r.changed);
}

TEST_F(ViewRequestTest, LogarithmicCorners) {
    frame.logMode = kLogX;
    ViewRequest r;
    EXPECT_EQ(Read(Corners("0", "100", "0", "1"), r), kErrOutOfBounds);
    EXPECT_EQ(Read(Corners("-1", "100", "0", "1"), r), kErrOutOfBounds);
    EXPECT_EQ(Read(Corners("1", "5", "0", "1"), r), kErrInconsistent);
    // The linear axis of a logarithmic window still needs its corners in order.
    EXPECT_EQ(Read(Corners("1", "100", "1", "0"), r), kErrInconsistent);
    ASSERT_EQ(Read(Corners("1", "100", "0", "1"), r), 0);
    EXPECT_TRUE(r.logCorners);
    EXPECT_TRUE(r.changed);
    frame.logMode = kLogBoth;
    EXPECT_EQ(Read(Corners("1", "100", "0", "1"), r), kErrOutOfBounds);
}

}  // namespace
}  // namespace quorlin::canvas
