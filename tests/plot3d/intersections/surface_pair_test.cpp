// The chooser of two surfaces as a function: every pair of kinds in both orders, the same
// example twice, the intersection already made for a pair in either order, and the texts of a
// meridian with their length limit.
#include "plot3d/intersections/surface_pair.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlin::plot3d {
namespace {

TEST(SurfacePairTest, EveryPairOfKindsInBothOrders) {
    // The ten pairs of kinds; expected: the first kind after ordering, and the code (0: refused
    // with "cannot understand").
    const struct {
        int a, b;
        int firstKind;
        int code;
    } rows[] = {
        {301, 301, 301, 143}, {301, 305, 305, 144}, {301, 315, 315, 145}, {305, 315, 305, 146},
        {315, 315, 315, 147}, {301, 303, 301, 152}, {303, 305, 305, 153}, {303, 315, 315, 154},
        {303, 303, 0, 0},     {305, 305, 0, 0},
    };
    for (const auto& row : rows) {
        for (const bool swapped : {false, true}) {
            const TChosenSurface x{swapped ? 7 : 4, swapped ? row.b : row.a};
            const TChosenSurface y{swapped ? 4 : 7, swapped ? row.a : row.b};
            TSurfacePair pair{-5, -5, -5};
            const int error = ChooseSurfacePair(x, y, pair);
            SCOPED_TRACE(::testing::Message() << row.a << "/" << row.b << " swapped " << swapped);
            if (row.code == 0) {
                EXPECT_EQ(error, kErrCannotUnderstand);
                EXPECT_EQ(pair, (TSurfacePair{-5, -5, -5}));
                continue;
            }
            ASSERT_EQ(error, 0);
            EXPECT_EQ(pair.derivation, row.code);
            if (row.a == row.b) {
                // One kind keeps the order chosen.
                EXPECT_EQ(pair.first, x.index);
                EXPECT_EQ(pair.second, y.index);
            } else {
                const int firstIndex = x.kind == row.firstKind ? x.index : y.index;
                EXPECT_EQ(pair.first, firstIndex);
                EXPECT_EQ(pair.second, firstIndex == 4 ? 7 : 4);
            }
            const auto kinds = ParentKindsOf(row.code);
            ASSERT_TRUE(kinds);
            EXPECT_EQ(kinds->first, row.firstKind);
        }
    }
}

TEST(SurfacePairTest, TheSameExampleTwiceAndKindsThatMakeNoIntersection) {
    TSurfacePair pair;
    EXPECT_EQ(ChooseSurfacePair({3, 301}, {3, 301}, pair), kErrSelectTwo);
    EXPECT_EQ(ChooseSurfacePair({3, 301}, {5, 304}, pair), kErrCannotUnderstand);
    EXPECT_FALSE(ParentKindsOf(142));
    EXPECT_FALSE(ParentKindsOf(155));
    EXPECT_FALSE(IsParametricIntersection(147));
    EXPECT_TRUE(IsParametricIntersection(152));
}

TEST(SurfacePairTest, AnIntersectionIsFoundForItsPairInEitherOrder) {
    examples::TInventory inventory;
    const auto add = [&](int kind, int derivation, int p, int q) {
        examples::TExample e;
        e.Init(kind, 1, 50);
        e.derivation = static_cast<std::uint16_t>(derivation);
        e.parent = {static_cast<std::int16_t>(p), static_cast<std::int16_t>(q)};
        inventory.Append(std::move(e));
    };
    add(301, 0, -1, -1);
    add(301, 0, -1, -1);
    add(305, 0, -1, -1);
    add(317, 144, 2, 0);  // 3: implicit 2 with explicit 0
    add(317, 143, 1, 0);  // 4: explicit 1 with explicit 0
    EXPECT_EQ(FindIntersectionExample(inventory, {0, 1, 143}), 4);
    EXPECT_EQ(FindIntersectionExample(inventory, {1, 0, 143}), 4);
    EXPECT_EQ(FindIntersectionExample(inventory, {2, 0, 144}), 3);
    EXPECT_FALSE(FindIntersectionExample(inventory, {2, 1, 144}));
    EXPECT_FALSE(FindIntersectionExample(inventory, {0, 1, 147}));
}

TEST(SurfacePairTest, MeridianTextsKeepWhatWasTypedInParentheses) {
    std::array<std::string, 3> texts;
    ASSERT_EQ(MeridianTexts("2", "pi/4", texts), 0);
    EXPECT_EQ(texts[0], "(2)sin(t)cos(pi/4)");
    EXPECT_EQ(texts[1], "(2)sin(t)sin(pi/4)");
    EXPECT_EQ(texts[2], "(2)cos(t)");
    // The longest text, radius and longitude with 13 more characters, fits in 255 exactly.
    const std::string radius(120, '1');
    ASSERT_EQ(MeridianTexts(radius, std::string(122, '2'), texts), 0);
    EXPECT_EQ(texts[0].size(), 255u);
    std::array<std::string, 3> kept = texts;
    EXPECT_EQ(MeridianTexts(radius, std::string(123, '2'), texts), kErrTooLarge);
    EXPECT_EQ(texts, kept);
    EXPECT_EQ(MeridianTexts(std::string(255, '1'), "0", texts), kErrTooLarge);
}

}  // namespace
}  // namespace quorlin::plot3d
