// The 3D menu's enablers over small inventories: each command against the kinds it needs,
// skipped examples not counted where the menu asks for one of a kind, and the count rule of
// the surface-surface intersections.
#include "plot3d/scene/commands3d.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/command_ids.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

examples::TInventory InventoryOf(const std::vector<int>& kinds, int skipped = -1) {
    examples::TInventory inventory;
    for (int k : kinds) {
        examples::TExample e;
        e.Init(k, 2, 50);
        inventory.Append(std::move(e));
    }
    if (skipped >= 0) inventory[skipped].listing = -1;
    return inventory;
}

bool Enabled(int id, const std::vector<int>& kinds, int skipped = -1, int ivp = -1) {
    return Plot3DCommandEnabled(id, TKindCounts::Of(InventoryOf(kinds, skipped)), ivp).value();
}

TEST(Commands3D, EachCommandWantsItsKinds) {
    const struct {
        int id;
        std::vector<int> kinds;
        bool enabled;
    } rows[] = {
        {cmd::kFitWindow, {}, false},
        {cmd::kFitWindow, {309}, true},
        {cmd::kIvp10, {304}, false},
        {cmd::kIvp10, {310}, true},
        {cmd::kIvp12, {312}, true},
        {cmd::kSurfaceIntegral, {303}, false},
        {cmd::kSurfaceIntegral, {303, 310}, true},
        {cmd::kIntersections, {305, 304}, true},
        {cmd::kIntersections, {303, 304}, false},
        {cmd::kStereograms, {302}, true},
        {cmd::kIntegrateXY, {302}, false},
        {cmd::kIntegratePolar, {302}, true},
        {cmd::kSurfaceArea, {303}, true},
        {cmd::kSlicer, {307}, true},
        {cmd::kSlicer, {304, 309}, false},
        {cmd::kFastDrawAll, {316}, true},
        {cmd::kTraceSlider, {325}, true},
        {cmd::kTraceSlider, {301}, false},
        {cmd::kSurfaceSurface, {301, 301}, true},
        {cmd::kSurfaceSurface, {303, 303}, false},
        {cmd::kSurfaceSurface, {305, 305}, false},
        {cmd::kSurfaceSurface, {303, 305}, true},
        {cmd::kSurfaceSurface, {301}, false},
        {cmd::kSurfaceSurface, {315, 302}, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Enabled(row.id, row.kinds), row.enabled) << row.id << " " << row.kinds.size();
    }
}

TEST(Commands3D, SkippedExamplesAndTheIvpExample) {
    EXPECT_FALSE(Enabled(cmd::kIntegrateXY, {301}, 0));
    // The count of the intersections counts every record, skipped ones too.
    EXPECT_TRUE(Enabled(cmd::kSurfaceSurface, {301, 301}, 0));
    EXPECT_FALSE(Enabled(cmd::kMouseTrajectories, {310}));
    EXPECT_TRUE(Enabled(cmd::kMouseTrajectories, {310}, -1, 0));
    EXPECT_FALSE(Plot3DCommandEnabled(cmd::kFileSave, TKindCounts{}, -1).has_value());
}

TEST(Commands3D, NewExamplesNeedRoom) {
    examples::TInventory full = InventoryOf(std::vector<int>(36, 309));
    EXPECT_FALSE(*Plot3DCommandEnabled(1001, TKindCounts::Of(full), -1));
    EXPECT_TRUE(*Plot3DCommandEnabled(1025, TKindCounts::Of(InventoryOf({309})), -1));
    EXPECT_FALSE(Plot3DCommandEnabled(1011, TKindCounts::Of(InventoryOf({309})), -1).has_value());
}

TEST(Commands3D, TheKeepTableClosesADialogWhenItsKindsAreGone) {
    const struct {
        Tool3D tool;
        std::vector<int> kinds;
        int skipped;
        bool kept;
    } rows[] = {
        // The curve-surface dialog needs a surface of its kinds and a curve together.
        {Tool3D::CurveSurface, {305, 304}, -1, true},
        {Tool3D::CurveSurface, {304, 301}, -1, true},
        {Tool3D::CurveSurface, {301, 305}, -1, false},
        {Tool3D::CurveSurface, {304, 304}, -1, false},
        {Tool3D::CurveSurface, {303, 304}, -1, false},
        {Tool3D::CurveSurface, {301, 304}, 1, false},
        // The one-group rows: any one kind of the group keeps the dialog.
        {Tool3D::Stereogram, {309, 302}, -1, true},
        {Tool3D::Stereogram, {303}, -1, false},
        {Tool3D::Slicer, {316}, -1, true},
        {Tool3D::Slicer, {304, 305, 307}, -1, false},
        {Tool3D::CurveSlider, {325}, -1, false},
        {Tool3D::CurveSlider, {304}, 0, false},
        {Tool3D::IntegralXY, {302}, -1, false},
        {Tool3D::IntegralPolar, {302}, -1, true},
        {Tool3D::SurfaceArea, {303}, -1, true},
        {Tool3D::SurfaceArea, {301}, -1, true},
        {Tool3D::SurfaceArea, {302}, -1, true},
        {Tool3D::SurfaceArea, {304}, -1, false},
        {Tool3D::LineIntegral, {304}, -1, true},
        {Tool3D::LineIntegral, {303}, -1, false},
        {Tool3D::SurfaceIntegral, {310}, -1, true},
        {Tool3D::SurfaceIntegral, {304}, -1, false},
        {Tool3D::SurfaceIntegral, {}, -1, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(
            examples::KeepsToolDialog(KeepRule3D(row.tool), InventoryOf(row.kinds, row.skipped)),
            row.kept)
            << static_cast<int>(row.tool) << " " << row.kinds.size();
    }
    EXPECT_FALSE(examples::KeepsToolDialog({}, InventoryOf({301})));
}

}  // namespace
}  // namespace quorlin::plot3d
