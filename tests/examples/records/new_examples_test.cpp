#include "examples/records/new_examples.h"

#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

namespace quorlin::examples {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TExample Demo(int kind, int planeStyle = 0) {
    TExample e;
    e.Init(kind, 3, 50);
    SetNewExampleDefaults(e, kind, -7, 9, planeStyle);
    return e;
}

TEST(NewExamples, TextsAndRangesOfEachKind) {
    struct Case {
        int kind;
        int text;
        const char* expected;
        long double low, high;  // the first range and the table range
    };
    const Case cases[] = {
        {kind::kExplicit, 2, "sin(x)", -7, 9},     // the view's x range
        {kind::kImplicit, 5, "x^2+y^2=4", -7, 9},  // likewise
        {kind::kPolar, 7, "0;2pi", 0, 2 * kPi},    // its own range text and range
        {kind::kParametric, 2, "sin(2t)", 0, 2 * kPi},   {kind::kIntrinsic, 6, "1,0", 0, 10},
        {kind::kSpaceIntrinsic, 7, "0,1,0", 0, 4 * kPi}, {kind::kTube, 5, "xx+yy+zz=4", 0, 2 * kPi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const TExample e = Demo(c.kind);
        EXPECT_EQ(e.Text(c.text), c.expected);
        EXPECT_EQ(std::tuple(e.rangeLow[0], e.rangeHigh[0], e.tableLow, e.tableHigh),
                  std::tuple(c.low, c.high, c.low, c.high));
    }
    // Kinds without a demonstration range keep the record's.
    const TExample segment = Demo(kind::kSegment);
    EXPECT_EQ(std::tuple(segment.Text(4), segment.rangeLow[0], segment.rangeHigh[0]),
              std::tuple("2", 0.0L, 1.0L));
}

TEST(NewExamples, WhatEachKindSetsBesideItsTexts) {
    const TExample surface = Demo(kind::kSurface);
    EXPECT_EQ(surface.rangeHigh[1], kPi);
    const TExample tube = Demo(kind::kTube);
    EXPECT_EQ(std::tuple(tube.divisions[0], tube.divisions[1], tube.optionCheck,
                         tube.extraColour[0], tube.extraColour[1]),
              std::tuple(120, 16, 1, 6, 11));
    EXPECT_EQ(Demo(kind::kPlane, 17).GridColour(), 17);
    EXPECT_EQ(Demo(kind::kPolarSurface).divisions[1], 70);
    EXPECT_EQ(Demo(kind::kHigherOrder).order, 2);
    const TExample intrinsic = Demo(kind::kSpaceIntrinsic);
    EXPECT_EQ(std::tuple(intrinsic.Text(1), intrinsic.Text(2), intrinsic.Text(6),
                         intrinsic.rangeLow[1], intrinsic.rangeHigh[1], intrinsic.density),
              std::tuple("1.0", "sin(s)", "1,0,0", 0.0L, 10.0L, 50));
    const TExample system = Demo(kind::kSpaceSystem);
    EXPECT_EQ(
        std::tuple(system.boxMin.z, system.box2Max.z, system.fieldRows, system.fieldLengthPercent),
        std::tuple(-10.0L, 50.0L, 9, 20));
    const TExample series = Demo(kind::kSeries);
    EXPECT_EQ(std::tuple(series.divisions[0], series.divisions[1]), std::tuple(1, 20));
}

}  // namespace
}  // namespace quorlin::examples
