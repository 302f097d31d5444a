// The sight ray cut to a box, and the nearest root along it: overlapping planes give the nearer
// one, a ray without x extent is searched like any other, and no candidate gives nothing.
#include "plot3d/picking/surface_pick.h"

#include <gtest/gtest.h>

#include <string_view>

#include "examples/records/inventory.h"

namespace quorlin::plot3d {
namespace {

struct ClipRow {
    const char* name;
    TSightRay ray;
    bool hits;
    long double t0, t1;
};

class RayClipTable : public ::testing::TestWithParam<ClipRow> {};

TEST_P(RayClipTable, GivesTheStretchInsideTheBox) {
    const ClipRow& row = GetParam();
    const TBox3 box{{-1, -2, -3}, {1, 2, 3}};
    const auto stretch = ClipRayToBox(row.ray, box);
    ASSERT_EQ(stretch.has_value(), row.hits);
    if (!stretch) return;
    EXPECT_NEAR(static_cast<double>(stretch->t0), static_cast<double>(row.t0), 1e-15);
    EXPECT_NEAR(static_cast<double>(stretch->t1), static_cast<double>(row.t1), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Rays, RayClipTable,
    ::testing::Values(
        // Down the z axis from z = 7 at speed 2: enters at z = 3 (t = 2), leaves at -3 (t = 5).
        ClipRow{"alongZ", {{0.5L, 0.25L, 7}, {0, 0, -2}}, true, 2, 5},
        // Along x from x = -5 at speed 4: t = 1 to 1.5.
        ClipRow{"alongX", {{-5, 1, 2}, {4, 0, 0}}, true, 1, 1.5L},
        // A slanted ray from inside: starts at t = 0, leaves through y = 2 at t = 0.75.
        ClipRow{"fromInside", {{0, 0.5L, 0}, {0.5L, 2, 1}}, true, 0, 0.75L},
        // Beside the box in x and not moving in x: misses.
        ClipRow{"besideInX", {{3, 0, 9}, {0, 0, -1}}, false, 0, 0},
        // Pointing away from the box: misses.
        ClipRow{"away", {{0, 0, 9}, {0, 0, 1}}, false, 0, 0},
        // No direction: nothing.
        ClipRow{"null", {{0, 0, 0}, {0, 0, 0}}, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class PickTest : public ::testing::Test {
protected:
    // An implicit surface F(x, y, z) = 0 with its sight-line tree and box.
    int AddSurface(std::string_view text, const TBox3& box) {
        examples::TExample e;
        e.Init(examples::kind::kImplicitSurface, 2, 50);
        EXPECT_EQ(ctx.Parse(text), 0) << text;
        e.Tree(4) = ctx.TakeParseResult();
        const int i = inventory.Append(std::move(e));
        inventory.SubstituteXYZ(i);
        boxes.push_back(box);
        return i;
    }
    std::vector<TPickCandidate> Candidates() {
        std::vector<TPickCandidate> list;
        for (int i = 0; i <= inventory.LastIndex(); ++i)
            list.push_back(
                {inventory.Entry(i).substituted.get(), boxes[static_cast<std::size_t>(i)]});
        return list;
    }
    FormulaContext ctx;
    examples::TInventory inventory;
    std::vector<TBox3> boxes;
};

TEST_F(PickTest, OverlappingPlanesGiveTheNearerOneInEitherOrder) {
    const TBox3 box{{-4, -4, -4}, {4, 4, 4}};
    AddSurface("z+1.5", box);
    AddSurface("z-0.5", box);
    // From (0.25, -0.5, 6) with direction (0.5, 0.25, -2): z = 0.5 at t = 2.75.
    const TSightRay ray{{0.25L, -0.5L, 6}, {0.5L, 0.25L, -2}};
    const auto hit = PickNearest(ctx, ray, Candidates(), {});
    ASSERT_TRUE(hit.has_value());
    EXPECT_NEAR(static_cast<double>(hit->x), 1.625, 1e-12);
    EXPECT_NEAR(static_cast<double>(hit->y), 0.1875, 1e-12);
    EXPECT_NEAR(static_cast<double>(hit->z), 0.5, 1e-12);
}

TEST_F(PickTest, ASightLineWithoutXExtentFindsItsSphere) {
    AddSurface("xx+yy+zz-4", {{-2, -2, -2}, {2, 2, 2}});
    // Straight down from (1, 0, 10): the sphere's top at z = sqrt(3).
    const auto hit = PickNearest(ctx, {{1, 0, 10}, {0, 0, -3}}, Candidates(), {});
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->x, 1);
    EXPECT_NEAR(static_cast<double>(hit->z), std::sqrt(3.0), 1e-12);
    EXPECT_EQ(ctx.Var(slot::kSightFirst + 5), -3);
}

TEST_F(PickTest, ASurfaceOutsideItsBoxOrNoneGivesNothing) {
    EXPECT_FALSE(PickNearest(ctx, {{0, 0, 10}, {0, 0, -1}}, Candidates(), {}).has_value());
    // The plane z = 3 lies beyond its own box's top (z <= 2).
    AddSurface("z-3", {{-2, -2, -2}, {2, 2, 2}});
    EXPECT_FALSE(PickNearest(ctx, {{0, 0, 10}, {0, 0, -1}}, Candidates(), {}).has_value());
}

TEST_F(PickTest, TheRootToleranceIsRestored) {
    ctx.rootTolerance = 1e-9L;
    AddSurface("z-1", {{-2, -2, -2}, {2, 2, 2}});
    ASSERT_TRUE(PickNearest(ctx, {{0, 0, 10}, {0, 0, -1}}, Candidates(), {}).has_value());
    EXPECT_EQ(ctx.rootTolerance, 1e-9L);
}

}  // namespace
}  // namespace quorlin::plot3d
