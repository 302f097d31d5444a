// The trajectory record and the numeric helpers of the examples: number scanning, matrix
// inversion, frusta of revolution, merged value lists and the index sort.
#include "examples/records/trajectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <string>
#include <utility>

#include "core/errors.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;

TEST(TrajectoryRecord, StartCoordinateFollowsTheFirstOptionWord) {
    TTrajectory t;
    t.Init(210, 0, 1, -1, 25, 3, 1);
    t.startX = 1, t.startY = 2, t.startZ = 3;
    const std::pair<int, long double> cases[] = {{24, 1}, {25, 2}, {26, 3}, {0, 0}, {27, 0}};
    for (const auto& [option, start] : cases) {
        t.option1 = static_cast<std::uint16_t>(option);
        EXPECT_EQ(t.StartCoordinate(), start) << option;
    }
}

TEST(TrajectoryRecord, ListCopyKeepsOrderWithOwnTextsAndTrees) {
    TrajectoryList list(3);
    for (int i = 0; i < 3; ++i) {
        TTrajectory& t = list[static_cast<std::size_t>(i)];
        t.Init(1210, -1, -1, -1, 0, 0, 1);
        t.sequenceNumber = static_cast<std::uint16_t>(i);
        t.AllocTexts();
        t.texts[3] = std::to_string(i);
        t.trees[3] = TExprNode::NewConst(i);
    }
    const TrajectoryList copy = CloneTrajectoryList(list);
    ASSERT_EQ(CountList(copy), 3);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(copy[i].sequenceNumber, i);
        EXPECT_EQ(copy[i].texts[3], std::to_string(i));
        ASSERT_NE(copy[i].trees[3], nullptr);
        EXPECT_NE(copy[i].trees[3].get(), list[i].trees[3].get());
        EXPECT_EQ(copy[i].trees[3]->re, static_cast<long double>(i));
    }
}

// The style word is signed: 0xFFFF is the null pen; words outside -1..4 draw solid.
TEST(PenSpec, DrawnStyleReadsTheWordSignedAndDrawsUnknownStylesSolid) {
    const std::pair<std::uint16_t, int> rows[] = {{0, 0}, {1, 1},      {4, 4},      {0xFFFF, -1},
                                                  {5, 0}, {0xFFFE, 0}, {0x8000, 0}, {300, 0}};
    for (const auto& [word, drawn] : rows) {
        const TPenSpec pen{3, 1, word};
        EXPECT_EQ(pen.DrawnStyle(), drawn) << word;
    }
}

TEST(ScanNumbers, TokensAndSeparatorsUpTo128Numbers) {
    const struct {
        const char* text;
        std::vector<long double> numbers;
    } cases[] = {
        {"1.5, -2;x3 4-5 ..7", {1.5L, -2, 3}}, {"a - b . c", {0, 0}}, {"", {}}, {"12.", {12}}};
    for (const auto& c : cases) EXPECT_EQ(ScanNumbers(c.text), c.numbers) << c.text;
    std::string text;  // at most 128 numbers are read
    for (int i = 0; i < 200; ++i) text += std::to_string(i) + " ";
    const auto numbers = ScanNumbers(text);
    ASSERT_EQ(numbers.size(), 128u);
    EXPECT_EQ(numbers.back(), 127);
}

TEST(InvertMatrix, InverseDeterminantAndSingularAndTheIdentity) {
    const struct {
        std::vector<long double> m;
        int error;
        long double det;
        std::vector<long double> inverse;
    } cases[] = {{{0, 1, 1, 0}, kNoError, -1, {0, 1, 1, 0}},
                 {{2, 0, 0, 4}, kNoError, 8, {0.5L, 0, 0, 0.25L}},
                 {{0, 1, 0, 2}, kErrPositiveValue, 0, {}},
                 {{1, 2, 2, 4}, kErrPositiveValue, 0, {}}};
    for (const auto& c : cases) {
        std::vector<long double> inverse(4);
        long double det = 99;
        const std::vector<long double> before = c.m;
        EXPECT_EQ(InvertMatrix(c.m, inverse, 2, det), c.error);
        EXPECT_EQ(det, c.det);
        EXPECT_EQ(c.m, before);
        EXPECT_TRUE(c.error != kNoError || inverse == c.inverse);
    }
    // Three by three times its inverse is the identity.
    const std::vector<long double> m{0, 2, -1, 2, -1, 0, -1, 0, 2};  // needs a row swap
    std::vector<long double> inv(9);
    long double det = 0;
    ASSERT_EQ(InvertMatrix(m, inv, 3, det), kNoError);
    EXPECT_NEAR(static_cast<double>(det), -7.0, 1e-15);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            long double sum = 0;
            for (int k = 0; k < 3; ++k) sum += m[r * 3 + k] * inv[k * 3 + c];
            EXPECT_NEAR(static_cast<double>(sum), r == c ? 1.0 : 0.0, 1e-15);
        }
}

TEST(FrustumOfRevolution, CylinderAndDegenerateAxis) {
    // Segment y = 2 from x = 1 to x = 4 about the x-axis (0x + 1y = 0): r = 2, L = 3.
    // A scaled axis equation describes the same axis.
    const auto [area, volume] = FrustumOfRevolution(1, 2, 4, 2, 0, 1, 0);
    const auto scaled = FrustumOfRevolution(1, 2, 4, 2, 0, 5, 0);
    EXPECT_TRUE(AllNear({area, volume, scaled.first},
                        {2 * std::numbers::pi_v<long double> * 2 * 3,
                         std::numbers::pi_v<long double> * 4 * 3, area},
                        1e-12L));
    EXPECT_EQ(FrustumOfRevolution(1, 2, 4, 2, 0, 0, 3), std::make_pair(0.0L, 0.0L));
}

TEST(MergeSortedValues, DropsNearDuplicates) {
    const struct {
        std::vector<long double> values, added, merged;
    } cases[] = {{{0, 1}, {1, 0.5L, 1 + 1e-14L}, {0, 0.5L, 1}},
                 {{}, {3, 1, 2}, {1, 2, 3}},
                 {{1, 2}, {}, {1, 2}},
                 {{0}, {1e-12L}, {0, 1e-12L}}};
    for (auto c : cases) {
        MergeSortedValues(c.values, c.added);
        EXPECT_EQ(c.values, c.merged);
    }
}

TEST(IndexSort, OrdersPutsNaNLastAndAgreesWithSorting) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const struct {
        std::vector<long double> values;
        bool ascending;
        std::vector<long double> sorted;  // the values in result order; NaN compared as NaN
    } cases[] = {{{nan, 5, 1, nan, 3, 2, nan}, true, {1, 2, 3, 5, nan, nan, nan}},
                 {{nan, 5, 1, nan, 3, 2, nan}, false, {5, 3, 2, 1, nan, nan, nan}},
                 {{nan, nan}, true, {nan, nan}},
                 {{4}, true, {4}},
                 {{}, true, {}}};
    for (const auto& c : cases) {
        const std::vector<int> order = TIndexSort(c.values, c.ascending).Sort();
        std::vector<int> sortedOrder = order;
        std::sort(sortedOrder.begin(), sortedOrder.end());
        std::vector<int> identity(c.values.size());
        std::iota(identity.begin(), identity.end(), 0);
        EXPECT_EQ(sortedOrder, identity);
        ASSERT_EQ(order.size(), c.sorted.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            const long double v = c.values[static_cast<std::size_t>(order[i])];
            if (std::isnan(c.sorted[i]))
                EXPECT_TRUE(std::isnan(v)) << i;
            else
                EXPECT_EQ(v, c.sorted[i]) << i;
        }
    }
    // Without NaN it agrees with sorting, on many lists.
    for (int seed = 1; seed < 200; ++seed) {
        std::vector<long double> values;
        for (int i = 0; i < seed % 37; ++i) values.push_back((seed * 7919 + i * 104729) % 13);
        for (bool ascending : {true, false}) {
            std::vector<long double> got;
            for (int i : TIndexSort(values, ascending).Sort())
                got.push_back(values[static_cast<std::size_t>(i)]);
            std::vector<long double> expected = values;
            std::sort(expected.begin(), expected.end());
            if (!ascending) std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(got, expected) << seed;
        }
    }
}

}  // namespace
}  // namespace quorlin::examples
