// The step counts sliders use, bar positions and values, and the "Scrollbar units" arithmetic.
#include "examples/operations/slider_units.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/numbers.h"

namespace quorlin::examples {
namespace {

TEST(SliderUnits, CalibrationCases) {
    struct Case {
        long double small, medium;
        int error;
        TStepPair result;
    };
    const TStepPair unchanged{123, 7};
    for (const Case& c :
         {Case{100, 10, 0, {100, 10}}, Case{200, 10, 0, {200, 20}},
          Case{10, 6, kErrOutOfBounds, unchanged},  // 10 < 12
          Case{1, 1, kErrOutOfBounds, unchanged}, Case{100, 0.5L, kErrOutOfBounds, unchanged},
          Case{2147483648.0L, 10, kErrOutOfBounds, unchanged},
          Case{99.5L, 2, 0, {100, 50}},  // halves round away from zero
          Case{100, 3, 0, {100, 33}}}) {
        TStepPair out = unchanged;
        EXPECT_EQ(ReadCalibration(c.small, c.medium, out), c.error)
            << static_cast<double>(c.small) << " " << static_cast<double>(c.medium);
        EXPECT_EQ(out, c.result) << static_cast<double>(c.small);
    }
}

TEST(SliderUnits, WhatTheDialogShowsReadsBackUnchanged) {
    for (const TStepPair p : {TStepPair{100, 10}, TStepPair{200, 20}, TStepPair{100, 30},
                              TStepPair{2147483647, 2}, TStepPair{7, 3}}) {
        const TCalibrationTexts texts = CalibrationTexts(p);
        long double small = 0, medium = 0;
        ASSERT_TRUE(StrToLD(texts.small, small));
        ASSERT_TRUE(StrToLD(texts.medium, medium));
        TStepPair out;
        ASSERT_EQ(ReadCalibration(small, medium, out), 0) << texts.small << " " << texts.medium;
        EXPECT_EQ(out, p);
    }
}

TEST(SliderUnits, StepCountsFromAFileAreCheckedBeforeASliderDividesByThem) {
    TSliderSteps table;
    table.steps[27] = 0, table.steps[28] = 4000000000u, table.pageSteps[1] = 0;
    table.steps[2] = 50, table.pageSteps[2] = 60;  // a page larger than the bar
    table.steps[3] = 40, table.pageSteps[3] = 4;
    for (int slot : {27, 28, 1, 2, -1, 40})
        EXPECT_EQ(UsableSteps(table, slot), TStepPair{}) << slot;
    EXPECT_EQ(UsableSteps(table, 3), (TStepPair{40, 4}));
}

TEST(SliderUnits, BarPositionsAndValues) {
    EXPECT_EQ(BarValue(-10, 10, 100, 25), -5);
    EXPECT_EQ(std::tuple(BarPosition(-5, -10, 10, 100), BarPosition(-10, -10, 10, 100),
                         BarPosition(10, -10, 10, 100), BarPosition(3, 2, 2, 100)),
              std::tuple(25, 0, 100, 50));  // an empty range: the middle
    EXPECT_TRUE(InRange(10, -10, 10) && !InRange(10.5L, -10, 10));
}

}  // namespace
}  // namespace quorlin::examples
