// Clipping a line to a disc, and the zero set found by random pairs and bisection.
#include "dynamics/geometry.h"

#include <cmath>

#include "core/random.h"
#include "dynamics_support.h"
#include "support/all_near.h"

namespace quorlin::dynamics {
namespace {

using quorlin::testing::AllNear;

TEST(ClipLineToDisc, MissTouchAndChord) {
    const long double r = std::sqrt(0.5L);
    const struct {
        Vec2 e1, e2;
        int flag;
        int result;
        Vec2 out1, out2;
    } rows[] = {
        {{-3, 2}, {3, 2}, 0, 1, {-3, 2}, {3, 2}},      // misses
        {{1, 1}, {1, 1}, 0, 1, {1, 1}, {1, 1}},        // the ends coincide
        {{-3, 1}, {3, 1}, 0, -1, {0, 1}, {0, 1}},      // tangent at (0, 1) of the unit circle
        {{-3, 0}, {3, 0}, 0, 0, {-1, 0}, {1, 0}},      // both ends replaced
        {{0.5L, 0}, {3, 0}, 0, 0, {0.5L, 0}, {1, 0}},  // an inside end stays
        {{3, 0}, {2, 0}, 0, 0, {1, 0}, {1, 0}},        // both beyond the same chord end
        {{-3, 0}, {3, 0}, 1, 0, {-3, 0}, {3, 0}},      // another flag keeps the ends
        {{-2, -2}, {2, 2}, 0, 0, {-r, -r}, {r, r}},
    };
    for (const auto& row : rows) {
        Vec2 e1 = row.e1, e2 = row.e2;
        EXPECT_EQ(ClipLineToDisc({0, 0}, 1, e1, e2, row.flag), row.result);
        EXPECT_TRUE(AllNear({e1.x, e1.y, e2.x, e2.y},
                            {row.out1.x, row.out1.y, row.out2.x, row.out2.y}, 1e-15L));
    }
}

using SignChangeTest = DynamicsTest;

TEST_F(SignChangeTest, FindsThePointOfTheZeroSetInAFlatBox) {
    SeedRandom(12345);  // a known sequence of random pairs
    SetTree(3, "x^2+y^2-1+z");
    const Box3 box{{-2, -2, 0}, {2, 2, 0}};
    Vec3 p;
    ASSERT_TRUE(FindSignChangePoint(ctx, *example.Tree(3), box, p));
    EXPECT_EQ(p.z, 0);
    EXPECT_NEAR(std::hypot(p.x, p.y), 1, 4e-4L);  // 0.0001 x the box's extent 4

    SetTree(3, "x^2+y^2+1");
    EXPECT_FALSE(FindSignChangePoint(ctx, *example.Tree(3), box, p));
}

}  // namespace
}  // namespace quorlin::dynamics
