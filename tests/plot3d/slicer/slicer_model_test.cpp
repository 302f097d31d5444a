// The slicer's model: a value and its bar position in step both ways, a typed value clamped to
// the range's end, the stepper's frames and keys, and the tangent texts with "@" letters.
#include "plot3d/slicer/slicer_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlin::plot3d {
namespace {

TEST(SlicerAxis, BarAndValueRoundTrip) {
    TSlicerAxis a{.low = -1.5L, .value = 0, .high = 2.5L};
    for (int position : {0, 1, 37, 80, 99, 100}) {
        a.FromBar(position, 100);
        EXPECT_EQ(a.value, -1.5L + 4.0L / 100 * position) << position;
        EXPECT_EQ(a.Bar(100), position);
    }
}

TEST(SlicerAxis, ATypedValueOutsideIsClampedAndTheBarGoesToTheEnd) {
    TSlicerAxis a{.low = 0.25L, .value = 1, .high = 3.25L};
    a.Set(7);
    EXPECT_EQ(a.value, 3.25L);
    EXPECT_EQ(a.Bar(60), 60);
    a.Set(-9);
    EXPECT_EQ(a.value, 0.25L);
    EXPECT_EQ(a.Bar(60), 0);
    a.Set(1.75L);
    EXPECT_EQ(a.value, 1.75L);
    EXPECT_EQ(a.Bar(60), 30);
}

TEST(SlicerAxis, AnEmptyRangeKeepsTheBarInTheMiddle) {
    const TSlicerAxis a{.low = 2, .value = 2, .high = 2};
    EXPECT_EQ(a.Bar(40), 20);
}

struct AdvanceRow {
    const char* name;
    TSlicerRun before;
    int steps;
    bool reverse;
    TSlicerRun after;
};

class SlicerAdvance : public ::testing::TestWithParam<AdvanceRow> {};

TEST_P(SlicerAdvance, GivesTheNextPosition) {
    const AdvanceRow& row = GetParam();
    EXPECT_EQ(AdvanceSlicer(row.before, row.steps, row.reverse), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SlicerAdvance,
    ::testing::Values(
        AdvanceRow{"up", {3, 1, 40, false}, 8, true, {4, 1, 40, false}},
        // autorev turns at the top and comes back.
        AdvanceRow{"turnAtTop", {8, 1, 40, false}, 8, true, {7, -1, 40, false}},
        AdvanceRow{"turnAtBottom", {0, -1, 40, false}, 8, true, {1, 1, 40, false}},
        // autocyc jumps from the end to the start, and backwards from 0 to the end.
        AdvanceRow{"wrapUp", {8, 1, 25, false}, 8, false, {0, 1, 25, false}},
        AdvanceRow{"wrapDown", {0, -1, 25, false}, 8, false, {8, -1, 25, false}},
        AdvanceRow{"down", {5, -1, 25, false}, 8, false, {4, -1, 25, false}},
        // One step from an end the end itself is shown before turning or wrapping.
        AdvanceRow{"toTopReverse", {7, 1, 40, false}, 8, true, {8, 1, 40, false}},
        AdvanceRow{"toTopCycle", {7, 1, 25, false}, 8, false, {8, 1, 25, false}},
        AdvanceRow{"toBottomReverse", {1, -1, 40, false}, 8, true, {0, -1, 40, false}},
        AdvanceRow{"toBottomCycle", {1, -1, 25, false}, 8, false, {0, -1, 25, false}}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyRow {
    const char* name;
    int delay;
    int key;
    TSlicerRun after;
};

class SlicerKeys : public ::testing::TestWithParam<KeyRow> {};

TEST_P(SlicerKeys, SteerTheRun) {
    const KeyRow& row = GetParam();
    const TSlicerRun before{.position = 6, .direction = 1, .delay = row.delay};
    EXPECT_EQ(SlicerKey(before, row.key), row.after);
}

INSTANTIATE_TEST_SUITE_P(Keys, SlicerKeys,
                         ::testing::Values(KeyRow{"blankTurns", 30, ' ', {6, -1, 30, false}},
                                           KeyRow{"slower", 30, 'S', {6, 1, 35, false}},
                                           KeyRow{"faster", 30, 'F', {6, 1, 25, false}},
                                           // 7 becomes 5, never 2; 5 and below stay.
                                           KeyRow{"fasterClamped", 7, 'F', {6, 1, 5, false}},
                                           KeyRow{"fasterAtLeast", 5, 'F', {6, 1, 5, false}},
                                           KeyRow{"fasterBelow", 3, 'F', {6, 1, 3, false}},
                                           KeyRow{"quit", 30, 'Q', {6, 1, 30, true}},
                                           KeyRow{"other", 30, 'X', {6, 1, 30, false}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SlicerKeys, ThreeSlowerKeysAddFifteen) {
    TSlicerRun run{.position = 2, .direction = -1, .delay = 12};
    for (int k = 0; k < 3; ++k) run = SlicerKey(run, 'S');
    EXPECT_EQ(run.delay, 27);
}

// "0.5@B" reads as 0.5 naming B (slot 2), "?" is unreadable, anything else a plain number.
int ReadAt(std::string_view text, long double& out, int& letter) {
    if (text == "?") return 3;
    letter = 0;
    if (text.ends_with("@B")) {
        letter = 2;
        text.remove_suffix(2);
    }
    out = std::stold(std::string(text));
    return 0;
}

TEST(TangentTexts, ALetterStandsForItsValue) {
    const TTangentTexts t = ComposeTangentTexts("0.5@B", "1.25", ReadAt);
    EXPECT_EQ(t.error, 0);
    EXPECT_EQ(t.u, 0.5L);
    EXPECT_EQ(t.uLetter, 2);
    EXPECT_EQ(t.v, 1.25L);
    EXPECT_EQ(t.vLetter, 0);
    EXPECT_EQ(t.text, "B;1.25");
}

TEST(TangentTexts, TooLongOrUnreadableTextsGiveTheirErrors) {
    const std::string u = "0." + std::string(200, '5');
    const std::string v51 = "1." + std::string(49, '5');
    EXPECT_EQ(u.size() + v51.size(), 253u);
    EXPECT_EQ(ComposeTangentTexts(u, v51, ReadAt).error, 0);
    EXPECT_EQ(ComposeTangentTexts(u, v51 + "5", ReadAt).error, 20);
    EXPECT_EQ(ComposeTangentTexts("?", "1", ReadAt).error, 3);
    EXPECT_EQ(ComposeTangentTexts("1", "?", ReadAt).text, "");
}

}  // namespace
}  // namespace quorlin::plot3d
