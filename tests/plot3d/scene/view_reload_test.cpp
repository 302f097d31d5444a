// The scene box after a diagram was read: files from version 12 on keep theirs; the view follows
// the box with its focus, scales, eye in box units and the sight shift of its plan.
#include "plot3d/scene/view_reload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plot3d/scene/scene_box.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;

TEST(ViewReload, TheVersionDecidesWhetherTheStoredBoxIsKept) {
    struct Row {
        int version;
        bool kept;
    };
    for (const Row& row : {Row{0, false}, Row{1, false}, Row{11, false}, Row{12, true},
                           Row{13, true}, Row{41, true}}) {
        EXPECT_EQ(KeepsStoredSceneBox(row.version), row.kept) << row.version;
    }
}

TEST(ViewReload, TheViewFollowsTheBoxAsItStands) {
    struct Row {
        Vec3 min, max, eye;
        Vec3 focus, boxEye;
        long double shift;
    };
    const Row rows[] = {
        // 8 x 4 x 4: scales 1/8, 1/4, 1/4; plan 12.
        {{-2, -3, -4.5L}, {6, 1, -0.5L}, {10, 7, 3}, {2, -1, -2.5L}, {1, 2, 1.375L}, 0.012L},
        // Extents taken whatever the corners' order: plan |-4| + |2| = 6.
        {{3, 0.5L, 1}, {-1, 2.5L, 3}, {5, -1.5L, 6}, {1, 1.5L, 2}, {-1, -1.5L, 2}, 0.006L},
    };
    for (const Row& row : rows) {
        TSceneBox box;
        box.min = row.min;
        box.max = row.max;
        TObserver observer;
        observer.eye = row.eye;
        long double shift = -1;
        AdoptSceneBox(box, observer, shift);
        const Vec3 f = observer.focus, e = observer.boxEye, c = box.centre;
        EXPECT_TRUE(AllNear({box.min.x, box.min.y, box.max.x, box.max.z},
                            {row.min.x, row.min.y, row.max.x, row.max.z}));
        EXPECT_TRUE(AllNear(
            {f.x, f.y, f.z, c.x, c.y, c.z},
            {row.focus.x, row.focus.y, row.focus.z, row.focus.x, row.focus.y, row.focus.z}));
        EXPECT_TRUE(AllNear({e.x, e.y, e.z}, {row.boxEye.x, row.boxEye.y, row.boxEye.z}));
        EXPECT_NEAR(static_cast<double>(shift), static_cast<double>(row.shift), 1e-18);
        // The view angles follow the new focus.
        EXPECT_EQ(observer.view.x, row.eye.x - row.focus.x);
        EXPECT_EQ(observer.view.z, row.eye.z - row.focus.z);
    }
}

// The direction of v, scaled by its largest coordinate (so that no sum can overflow).
Vec3 DirectionOf(Vec3 v) {
    const long double largest = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    return (1 / largest) * v;
}

TEST(ViewReload, AnEyeFarOutComesBackAlongItsLine) {
    // The box 8 x 4 x 4 about (2, -1, -2.5): its taxicab size 16. An eye comes back to between
    // 5000 and 10000 sizes of it from the focus, on its line; one in range stays where it is.
    const Vec3 focus{2, -1, -2.5L};
    struct Row {
        const char* name;
        Vec3 eye;
        bool moves;
    };
    const Row rows[] = {
        {"1e20 out", {1e20L, -3e20L, 2e20L}, true},
        {"near the largest long double", {1e4932L, -5e4931L, 3e4931L}, true},
        {"just too far", {2 + 160001, -1, -2.5L}, true},
        {"just in range", {2 + 160000, -1, -2.5L}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TSceneBox box;
        box.min = {-2, -3, -4.5L};
        box.max = {6, 1, -0.5L};
        TObserver observer;
        observer.eye = row.eye;
        long double shift = 0;
        AdoptSceneBox(box, observer, shift);
        const Vec3 e = observer.eye;
        ASSERT_TRUE(std::isfinite(e.x) && std::isfinite(e.y) && std::isfinite(e.z));
        const long double reach = Vec3TaxiDist(e, focus);
        if (!row.moves) {
            EXPECT_EQ(reach, 160000);
            continue;
        }
        EXPECT_GT(reach, 80000);
        EXPECT_LE(reach, 160000);
        const Vec3 was = DirectionOf(row.eye - focus), now = DirectionOf(e - focus);
        EXPECT_TRUE(AllNear({now.x, now.y, now.z}, {was.x, was.y, was.z}, 1e-15L));
        const Vec3 b = observer.boxEye, expected = box.WorldToBox(e);
        EXPECT_TRUE(AllNear({b.x, b.y, b.z}, {expected.x, expected.y, expected.z}));
    }
}

}  // namespace
}  // namespace quorlin::plot3d
