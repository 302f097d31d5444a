// Picking in the 3D window: the nearer of two planes under a pixel, the point projecting back
// to that pixel; nothing shown gives 9 and leaves the point alone; a section surface added as a
// parametric family.
#include <gtest/gtest.h>

#include <cmath>

#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

class PickWindowTest : public quorlin::testing::Window3DTest {};

TEST_F(PickWindowTest, TheNearerPlaneProjectsBackToTheClickedPixel) {
    Paste("EXPL3;-1;-2;2;-2;2;\r\nEXPL3;1;-2;2;-2;2;\r\n");
    const auto pixel = win.ProjectToPixel({0.5L, -0.75L, 1});
    ASSERT_TRUE(pixel.has_value());
    Vec3 out{7, 7, 7};
    ASSERT_EQ(win.PickSurfacePoint(*pixel, out), 0);
    EXPECT_NEAR(static_cast<double>(out.z), 1, 1e-9);
    const auto back = win.ProjectToPixel(out);
    ASSERT_TRUE(back.has_value());
    EXPECT_LE(std::abs(back->x() - pixel->x()), 1);
    EXPECT_LE(std::abs(back->y() - pixel->y()), 1);
    // With the upper plane hidden the lower one answers.
    win.Inventory()[1].graphShown = 0;
    const auto lower = win.ProjectToPixel({0.25L, 0.5L, -1});
    ASSERT_TRUE(lower.has_value());
    ASSERT_EQ(win.PickSurfacePoint(*lower, out), 0);
    EXPECT_NEAR(static_cast<double>(out.z), -1, 1e-9);
}

TEST_F(PickWindowTest, NothingShownGivesNineAndKeepsThePoint) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\nPOINT3;1;2;3;\r\n");
    win.Inventory()[0].graphShown = 0;
    Vec3 out{7, -7, 0.5L};
    EXPECT_EQ(win.PickSurfacePoint({200, 150}, out), TPlotRWin::kNothingToPick);
    EXPECT_EQ(out.x, 7);
    EXPECT_EQ(out.y, -7);
    EXPECT_EQ(out.z, 0.5L);
}

TEST_F(PickWindowTest, ASectionSurfaceIsAParametricFamily) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    win.AddSectionSurface({.x = "t",
                           .y = "u",
                           .z = "t-u",
                           .tLow = -0.5L,
                           .tHigh = 1.5L,
                           .uLow = 0.25L,
                           .uHigh = 2,
                           .tDivisions = 12,
                           .uDivisions = 7});
    ASSERT_EQ(win.Inventory().Count(), 2);
    const examples::TExample& e = win.Inventory()[1];
    EXPECT_EQ(e.kind, examples::kind::kParametricSurface);
    EXPECT_EQ(e.texts[2], "t-u");
    EXPECT_EQ(e.rangeLow[0], -0.5L);
    EXPECT_EQ(e.rangeHigh[1], 2);
    EXPECT_EQ(e.divisions[0], 12);
    EXPECT_EQ(e.divisions[1], 7);
    EXPECT_EQ(e.familyOn, 1);
    EXPECT_NE(e.Tree(3), nullptr);
    // The mesh's last point: t = 1.5, u = 2 at 12 (7 + 1) + 7.
    ASSERT_GE(e.points.size(), 104u);
    EXPECT_EQ(e.points[103].x, 1.5L);
    EXPECT_EQ(e.points[103].y, 2);
    EXPECT_EQ(e.points[103].z, -0.5L);
}

}  // namespace
}  // namespace quorlin::plot3d
