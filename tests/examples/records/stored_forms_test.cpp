// The forms a diagram file keeps: the body table of an orbital system in its bodies (exactly,
// whatever the numbers), and the coordinate groups of points of older files.
#include "examples/records/stored_forms.h"

#include <gtest/gtest.h>

#include "examples/records/variable_groups.h"

namespace quorlin::examples {
namespace {

TEST(StoredForms, OrbitalBodiesComeBackExactly) {
    TExample e;
    e.Init(kind::kOrbital, 1, 50);
    e.derivationParam = 1;  // bodies 0 and 1; the list holds a third without a table entry
    for (int j = 0; j < 3; ++j) {
        TTrajectory body;
        body.Init(TTrajectory::kOrbitalBodyKind, -1, -1, -1, 0, 0, 1);
        e.trajectories.push_back(std::move(body));
    }
    e.points[61] = {1.0L / 3, -2e-30L, 5};
    e.points[25].x = 1e20L / 7;
    e.points[73] = {-1.0L / 7, 0, 12345.678L};
    const TrajectoryList stored = StoreBodiesInTrajectories(e);
    EXPECT_FALSE(e.trajectories[1].hasTexts) << "the example's own list stays as it was";
    EXPECT_EQ(stored[1].startZ, 5);
    EXPECT_FALSE(stored[2].hasTexts);

    TExample read;
    read.Init(kind::kOrbital, 1, 50);
    read.derivationParam = 1;
    read.trajectories = CloneTrajectoryList(stored);
    CopyBodyListToTable(read);
    for (int j : {25, 61, 73}) {
        EXPECT_EQ(read.points[j].x, e.points[j].x) << j;
        EXPECT_EQ(read.points[j].y, e.points[j].y) << j;
    }
    EXPECT_EQ(read.points[73].z, 12345.678L);
}

TEST(StoredForms, CoordinateGroupsOfOlderPoints) {
    const struct {
        int dimension;
        bool cartesian, polar, noLetters, split, polarFirst;
        const char* groups;
    } cases[] = {{3, true, false, false, true, false, "XYZ/"},
                 {2, true, true, false, false, false, "XYRT"},
                 {2, true, true, false, true, true, "/XYRT"},
                 {2, false, true, false, false, true, "RT/"},
                 {2, true, false, true, false, false, "//XY"}};
    for (const auto& c : cases) {
        TExample e;
        e.Init(kind::kPoint, 1, 50);
        e.Anchors() = c.cartesian;
        e.periodic = c.polar;
        e.jumpsOff = c.noLetters;
        e.OldGroupSplit() = c.split;
        e.OldPolarFirst() = c.polarFirst;
        RebuildCoordinateGroups(e, c.dimension);
        EXPECT_EQ(e.subKind, EncodeVariableGroups(c.groups)) << c.groups;
        EXPECT_EQ(e.Anchors(), c.cartesian || c.polar) << c.groups;
    }
}

}  // namespace
}  // namespace quorlin::examples
