// The patches of the fast surfaces: points left out with a mark of their own (an undefined
// point, one outside its box) while their neighbours' patches stay; the side of each patch
// from above and from below; the depth order of several surfaces interleaved patch by patch;
// Cube mode measuring depths in box coordinates; and a picture too large for its limit.
#include "plot3d/painting/surface_patches.h"

#include "plot3d/scene/observer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quorlin::plot3d {
namespace {

using examples::TExample;
using examples::TObserver;
using examples::TSceneBox;
namespace kind = examples::kind;

// A flat explicit surface z = height over [x0, x0 + rows] x [y0, y0 + columns] in a grid of
// rows x columns with unit steps (rows along x, columns along y), its box around it.
TExample FlatGrid(int rows, int columns, long double height, long double x0 = 0,
                  long double y0 = 0) {
    TExample e;
    e.Init(kind::kSurface, 2, 50);
    e.divisions = {static_cast<std::int16_t>(rows), static_cast<std::int16_t>(columns), 36};
    e.SlowDrawing() = 0;
    e.points.clear();
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j <= columns; ++j) e.points.push_back({x0 + i, y0 + j, height});
    e.boxMin = {x0 - 1, y0 - 1, height - 1};
    e.boxMax = {x0 + rows + 1, y0 + columns + 1, height + 1};
    return e;
}

// The same in an n x n grid.
TExample FlatSurface(int n, long double height, long double x0 = 0, long double y0 = 0) {
    return FlatGrid(n, n, height, x0, y0);
}

TObserver Looking(Vec3 eye, Vec3 focus) {
    TObserver o;
    o.eye = eye;
    o.focus = focus;
    ComputeViewAngles(o);
    return o;
}

TEST(SurfacePatchesTest, LeftOutPointsAreMarkedApartFromTheirPositionsAndCostOnlyTheirPatches) {
    TExample e = FlatSurface(3, 0);
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    e.points[5] = {nan, nan, nan};  // row 1, column 1: undefined
    e.points[14] = {2, 2, 5};       // row 3, column 2: above the box (z up to 1)
    e.points[3] = {0, 3, 1};        // on the box's ceiling: in
    const TProjectedMesh mesh = ProjectMesh(e, Looking({20, 5, 8}, {1.5L, 1.5L, 0}), TSceneBox{});
    ASSERT_EQ(mesh.grid.rows, 3u);
    ASSERT_EQ(mesh.grid.columns, 3u);
    std::vector<int> leftOut;
    for (std::size_t k = 0; k < mesh.leftOut.size(); ++k)
        if (mesh.leftOut[k]) leftOut.push_back(static_cast<int>(k));
    EXPECT_EQ(leftOut, (std::vector<int>{5, 14}));
    // A kept point far off the view keeps its own position (no -1 stands in for it).
    EXPECT_TRUE(std::isfinite(mesh.screen[0].x));
    // The patches touching point 5 (rows 0-1, columns 0-1) and point 14 (row 2, columns 1-2)
    // are not drawn; every other one is.
    const bool drawn[3][3] = {{false, false, true}, {false, false, true}, {true, false, false}};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            EXPECT_EQ(mesh.PatchDrawn(r, c), drawn[r][c]) << r << "," << c;
}

TEST(SurfacePatchesTest, TheSideOfAPatchTurnsWhenTheEyeGoesFromAboveToBelow) {
    const TExample e = FlatSurface(2, 0);
    struct Row {
        Vec3 eye;
        int side;
    };
    // Along a row the surface runs in y, across in x: (0, 1, 0) x (1, 0, 0) points down.
    for (const Row& row : {Row{{4, -3, 9}, 0}, Row{{4, -3, -9}, 1}}) {
        const TProjectedMesh mesh = ProjectMesh(e, Looking(row.eye, {1, 1, 0}), TSceneBox{});
        ASSERT_EQ(mesh.sides.size(), 4u);
        for (const auto side : mesh.sides) EXPECT_EQ(side, row.side) << row.eye.z;
    }
}

// Each patch of a grid with more columns than rows, or more rows than columns, has its own side:
// seen from below every one is 1, from above every one 0.
TEST(SurfacePatchesTest, EverySideOfANonSquareGridIsSet) {
    const struct {
        int rows;
        int columns;
        Vec3 eye;
        int side;
    } rows[] = {{2, 3, {3, -4, -7}, 1},
                {3, 2, {-2, 5, -6}, 1},
                {2, 3, {3, -4, 7}, 0},
                {3, 2, {-2, 5, 6}, 0}};
    for (const auto& row : rows) {
        const TExample e = FlatGrid(row.rows, row.columns, -0.75L, -1.5L, 0.5L);
        const Vec3 centre{-1.5L + row.rows / 2.0L, 0.5L + row.columns / 2.0L, -0.75L};
        const TProjectedMesh mesh = ProjectMesh(e, Looking(row.eye, centre), TSceneBox{});
        ASSERT_EQ(mesh.grid.rows, static_cast<std::size_t>(row.rows));
        ASSERT_EQ(mesh.sides.size(), 6u);
        EXPECT_EQ(mesh.sides, std::vector<std::uint8_t>(6, static_cast<std::uint8_t>(row.side)))
            << row.rows << " x " << row.columns << " from z = " << row.eye.z;
    }
}

TEST(SurfacePatchesTest, PatchesOfSeveralSurfacesAreOrderedTogetherFarthestFirst) {
    examples::TInventory inventory;
    // One patch each, at x 0..1 and x 2..3, seen from far out on the x-axis; the third
    // surface is drawn slowly and takes no part.
    TExample a = FlatSurface(1, 0, 0, 0);
    TExample b = FlatSurface(1, 0, 2, 0);
    TExample c = FlatSurface(1, 0, 4, 0);
    c.SlowDrawing() = 1;  // drawn slowly: not in the list
    inventory.Append(std::move(a));
    inventory.Append(std::move(b));
    inventory.Append(std::move(c));
    const TObserver o = Looking({10, 0.5L, 0.5L}, {0, 0.5L, 0});
    TPatchList list;
    ASSERT_TRUE(list.Reserve(inventory));
    EXPECT_EQ(list.Planned(), 2u);
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        if (!TakesPartInFastPainting(inventory[i])) continue;
        list.Append(i, inventory[i], ProjectMesh(inventory[i], o, TSceneBox{}), o, TSceneBox{});
    }
    ASSERT_EQ(list.Refs().size(), 2u);
    // Centres (0.5, 0.5, 0) and (2.5, 0.5, 0): distances 9.5137... and 7.5166...
    EXPECT_NEAR(static_cast<double>(list.Keys()[0]), std::sqrt(9.5 * 9.5 + 0.25), 1e-12);
    EXPECT_NEAR(static_cast<double>(list.Keys()[1]), std::sqrt(7.5 * 7.5 + 0.25), 1e-12);
    EXPECT_EQ(list.FarthestFirst(), (std::vector<int>{0, 1}));
    EXPECT_EQ(list.Refs()[1].example, 1);
}

TEST(SurfacePatchesTest, CubeModeMeasuresDepthsInBoxCoordinates) {
    // Surface 0 lies far out in x, surface 1 just above the origin. The box squeezes x a
    // hundredfold: seen from the box eye (0, 0, 5) surface 0 is the farther one, although
    // its world distance from the (world) eye is the smaller.
    examples::TInventory inventory;
    inventory.Append(FlatSurface(1, 0, 49.5L, -0.5L));
    inventory.Append(FlatSurface(1, 1, -0.5L, -0.5L));
    TSceneBox box;
    box.centre = {0, 0, 0};
    box.scale = {0.01L, 1, 1};
    TObserver o = Looking({1000, 0, 0}, {0, 0, 0});
    o.cube = true;
    o.boxEye = {0, 0, 5};
    TPatchList list;
    ASSERT_TRUE(list.Reserve(inventory));
    for (int i = 0; i <= 1; ++i)
        list.Append(i, inventory[i], ProjectMesh(inventory[i], o, box), o, box);
    EXPECT_NEAR(static_cast<double>(list.Keys()[0]), std::sqrt(0.25 + 25.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(list.Keys()[1]), 4.0, 1e-12);
    EXPECT_EQ(list.FarthestFirst(), (std::vector<int>{0, 1}));
}

TEST(SurfacePatchesTest, APictureOverItsLimitIsRefusedAndAnIncompleteMeshHasNoPatches) {
    examples::TInventory inventory;
    inventory.Append(FlatSurface(3, 0));  // 9 patches
    inventory.Append(FlatSurface(2, 0));  // 4 patches
    TExample torn = FlatSurface(2, 0);
    torn.points.resize(5);  // fewer points than its grid needs
    inventory.Append(std::move(torn));
    TPatchList list;
    EXPECT_FALSE(list.Reserve(inventory, 12));
    EXPECT_EQ(list.Planned(), 0u);
    EXPECT_TRUE(list.Reserve(inventory, 13));
    EXPECT_EQ(list.Planned(), 13u);
    EXPECT_EQ(MeshGridOf(inventory[2]).Patches(), 0u);
}

}  // namespace
}  // namespace quorlin::plot3d
