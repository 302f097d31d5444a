// The rules that turn the grid and view dialogs' texts into settings, the change test and the
// view history.
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "canvas/axes_settings.h"
#include "core/numbers.h"

namespace quorlin::canvas {
namespace {

TEST(GridFields, PlacesWithTheSuffixMark) {
    PlacesInput in = ParsePlaces("2@");
    EXPECT_EQ(in.places, 12);
    EXPECT_FALSE(in.suffix);
    in = ParsePlaces("2@176");
    EXPECT_EQ(in.places, 12);
    EXPECT_EQ(in.suffix, 176);
    in = ParsePlaces("2@1");  // codes below 33 keep the current suffix
    EXPECT_EQ(in.places, 12);
    EXPECT_FALSE(in.suffix);
    EXPECT_FALSE(ParsePlaces("2@256").suffix);
    EXPECT_EQ(ParsePlaces("7").places, 7);
    EXPECT_FALSE(ParsePlaces("10").places);
    EXPECT_FALSE(ParsePlaces("-1").places);
    EXPECT_EQ(ParsePlaces("@65").places, 10);
    EXPECT_EQ(FormatPlaces(12), "2@");
    EXPECT_EQ(FormatPlaces(3), "3");
}

TEST(GridFields, IntervalsWithTheOriginMark) {
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
}

TEST(GridFields, TickLengthFromAPercentOfTheScreen) {
    EXPECT_FALSE(TickLengthFromPercent(0.2L, 1024));
    EXPECT_FALSE(TickLengthFromPercent(98, 1024));
    const auto lengths = TickLengthFromPercent(10, 1024);
    ASSERT_TRUE(lengths);
    EXPECT_EQ(lengths->first, 102);                           // 102.4
    EXPECT_EQ(lengths->second, 71);                           // 714 / 10
    EXPECT_EQ(TickLengthFromPercent(0.25L, 1000)->first, 3);  // 2.5 rounds away from zero
    EXPECT_NEAR(TickLengthPercent(102, 1024), 9.9609375L, 1e-15L);
}

TEST(GridFields, FrequenciesAndSectorsInRange) {
    EXPECT_EQ(ParseFrequency("1"), 1);
    EXPECT_EQ(ParseFrequency("98"), 98);
    EXPECT_FALSE(ParseFrequency("99"));
    EXPECT_FALSE(ParseFrequency("0"));
    EXPECT_FALSE(ParseFrequency("x"));
    EXPECT_EQ(ParsePolarSectors(" 4"), 4);
    EXPECT_FALSE(ParsePolarSectors("101"));
    EXPECT_EQ(LeadingInt("12abc"), 12);
    EXPECT_EQ(LeadingInt("99999999999999"), 2147483647);
}

TEST(GridSettings, EveryFieldCountsAsAChange) {
    TAxesSettings now;
    EXPECT_FALSE(SettingsChanged(now, now));
    TAxesSettings next = now;
    next.suffixChar = 39;  // the suffix character alone
    EXPECT_TRUE(SettingsChanged(now, next));
    now.scaleFlags = 0;  // numbers off: their places still count
    next = now;
    next.xPlaces = 3;
    EXPECT_TRUE(SettingsChanged(now, next));
    next = now;
    next.yPi = true;
    EXPECT_TRUE(SettingsChanged(now, next));
    next = now;
    next.polarSectors = 24;
    EXPECT_TRUE(SettingsChanged(now, next));
}

TEST(GridSettings, RestoreKeepsThePolarSectors) {
    TAxesSettings axes;
    axes.polarSectors = 36;
    axes.xInterval = 7;
    axes.gridFlags = kGridPolar;
    axes.ResetKeepingSectors();
    EXPECT_EQ(axes.polarSectors, 36);
    EXPECT_EQ(axes.xInterval, 1);
    EXPECT_EQ(axes.gridFlags, kGridQuadrants);
    EXPECT_EQ(axes.scaleFlags, kScaleX | kScaleY);
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

TEST_F(ViewRequestTest, ByCentreAndWidth) {
    ViewRequest r;
    EXPECT_EQ(Read(Centre("1", "2", "0"), r), kErrNotPositive);
    EXPECT_EQ(Read(Centre("1", "2", "-3"), r), kErrNotPositive);
    EXPECT_GT(Read(Centre("1", "(", "4"), r), 0);  // the reader's error
    ASSERT_EQ(Read(Centre("0", "0", "10"), r), 0);
    EXPECT_FALSE(r.changed);  // the window's own frame
    ASSERT_EQ(Read(Centre("2", "0", "3"), r), 0);
    EXPECT_TRUE(r.changed);
    EXPECT_DOUBLE_EQ(r.centreX, 2);
    EXPECT_DOUBLE_EQ(r.halfWidth, 1.5L);
    EXPECT_EQ(r.halfHeight, 0);
    frame.cornersFlag = true;  // leaving the corners is a change
    ASSERT_EQ(Read(Centre("0", "0", "10"), r), 0);
    EXPECT_TRUE(r.changed);
}

TEST_F(ViewRequestTest, ByCorners) {
    ViewRequest r;
    EXPECT_EQ(Read(Corners("2", "2", "-1", "1"), r), kErrInconsistent);
    ASSERT_EQ(Read(Corners("-5", "5", "-5", "5"), r), 0);
    EXPECT_FALSE(r.changed);
    ASSERT_EQ(Read(Corners("-1", "3", "0", "2"), r), 0);
    EXPECT_TRUE(r.changed);
    EXPECT_DOUBLE_EQ(r.centreX, 1);
    EXPECT_DOUBLE_EQ(r.halfWidth, 2);
    EXPECT_DOUBLE_EQ(r.halfHeight, 1);
}

// No view is too large or too small as such; only a scale the transforms cannot carry is
// refused: pixels that overflow, vanish or fall between two long doubles.
TEST_F(ViewRequestTest, OnlyAScaleThatCannotBeRepresentedIsOutOfBounds) {
    const struct {
        ViewDialogInput input;
        int error;
    } cases[] = {
        {Centre("0", "0", "1e300"), 0},
        {Centre("0", "0", "1e4000"), 0},
        {Centre("1e300", "0", "1e290"), 0},
        {Centre("1e300", "0", "2"), kErrOutOfBounds},  // pixels below the spacing there
        {Centre("1000", "0", "1e-14"), kErrOutOfBounds},
        {Corners("-1e4932", "1e4932", "-1", "1"), kErrOutOfBounds},  // pixels that overflow
    };
    for (const auto& c : cases) {
        ViewRequest r;
        EXPECT_EQ(Read(c.input, r), c.error) << c.input.width << c.input.left;
    }
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
