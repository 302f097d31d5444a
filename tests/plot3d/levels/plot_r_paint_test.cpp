// The fast painter on the 3D window's cached picture: the nearer of two overlapping surfaces
// shows whatever their order, two crossing surfaces mix patch by patch, z = 0 shows its other
// side from below, height shading fills the floor at half and the ceiling at full intensity,
// a zoomed-in surface fills the window to its edges, and the SVG export holds one polygon per
// painted patch, unfilled for a hollow surface.
#include <gtest/gtest.h>

#include <string>

#include "canvas/export_format.h"
#include "platform/dialog.h"
#include "plot3d/painting/patch_colours.h"
#include "plot3d/window3d_fixture.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using namespace quorlin::testing::colours3d;

using PainterTest = quorlin::testing::Window3DTest;

TEST_F(PainterTest, TheNearerOfTwoOverlappingSquaresShowsWhateverTheirOrder) {
    for (const bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst);
        win.Inventory().Clear();
        Paste(lowerFirst ? "EXPL3;0;-1;1;-1;1;\r\nEXPL3;1;-1;1;-1;1;\r\n"
                         : "EXPL3;1;-1;1;-1;1;\r\nEXPL3;0;-1;1;-1;1;\r\n");
        Coarse(0, 2, lowerFirst ? kRed : kBlue);
        Coarse(1, 2, lowerFirst ? kBlue : kRed);
        LookFrom({7, -5, 14});
        // The upper square (blue) covers the lower one where both project.
        const QImage image = Picture();
        EXPECT_EQ(At(image, {0.5L, 0.5L, 1}), Colour(kBlue));
        EXPECT_EQ(At(image, {-0.5L, -0.5L, 1}), Colour(kBlue));
    }
}

TEST_F(PainterTest, CrossingSurfacesMixPatchByPatch) {
    Paste("EXPL3;x;-1;1;-1;1;\r\nEXPL3;-x;-1;1;-1;1;\r\n");
    Coarse(0, 10, kRed);
    Coarse(1, 10, kBlue);
    LookFrom({1, -6, 14});
    const QImage image = Picture();
    // Where x > 0 the surface z = x lies above z = -x, where x < 0 below.
    EXPECT_EQ(At(image, {0.65L, 0.05L, 0.65L}), Colour(kRed));
    EXPECT_EQ(At(image, {-0.65L, 0.05L, 0.65L}), Colour(kBlue));
}

TEST_F(PainterTest, ThePlaneShowsItsOtherSideFromBelow) {
    Paste("EXPL3;0;-1;1;-1;1;\r\n");
    Coarse(0, 2, kRed);
    win.Inventory()[0].extraColour = {kGreen, kYellow};
    struct Row {
        Vec3 eye;
        int colour;
    };
    for (const Row& row : {Row{{6, -5, 12}, kGreen}, Row{{6, -5, -12}, kYellow}}) {
        LookFrom(row.eye);
        EXPECT_EQ(At(Picture(), {0.5L, 0.5L, 0}), Colour(row.colour)) << row.eye.z;
    }
}

TEST_F(PainterTest, HeightShadingFillsTheFloorAtHalfAndTheCeilingAtFullIntensity) {
    Paste("EXPL3;0;-2;-1;-1;1;\r\nEXPL3;2;1;2;-1;1;\r\n");
    for (int i : {0, 1}) {
        Coarse(i, 2, kRed);
        win.Inventory()[i].Spectrum() = 1;
        win.Inventory()[i].pen.colour = kBlue;
    }
    LookFrom({3, -9, 14});
    // The shades are measured in the scene box's z range: here from the floor to the ceiling.
    win.SceneBox().min.z = 0;
    win.SceneBox().max.z = 2;
    const QImage image = Picture();
    const std::uint32_t blue = Colour(kBlue) & 0xffffffu;
    EXPECT_EQ(At(image, {-1.25L, 0.5L, 0}) & 0xffffffu, ScaleColour(blue, 0.5L));
    EXPECT_EQ(At(image, {1.25L, 0.5L, 2}) & 0xffffffu, blue);
}

TEST_F(PainterTest, AZoomedInSurfaceFillsTheWindowToItsEdges) {
    Paste("EXPL3;0;-1;1;-1;1;\r\n");
    Coarse(0, 2, kGreen);
    LookFrom({6, -5, 12});
    // The view shrinks to a small piece around the middle of one patch: every corner of the
    // patch lies far off the window, yet the patch fills it.
    const Vec2 centre = win.ProjectPoint({0.5L, 0.5L, 0});
    win.SetView(centre.x, centre.y, 0.001L, 0.00075L, false);
    win.RecomputeView();
    const QImage image = Picture();
    for (const QPoint p :
         {QPoint(3, 3), QPoint(397, 3), QPoint(3, 297), QPoint(397, 297), QPoint(200, 150)})
        EXPECT_EQ(image.pixel(p), Colour(kGreen)) << p.x() << "," << p.y();
}

TEST_F(PainterTest, QStopsAPaintingOfManyPatches) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    win.InjectSlowDrawingKey([] { return 81; });
    win.SetPollInterval(TStopPoll::Clock::duration{});
    struct Row {
        int divisions;
        int result;
    };
    // The painter asks for keys after every 1024 patches.
    for (const Row row : {Row{30, 0}, Row{40, 81}}) {
        Coarse(0, row.divisions, kRed);
        win.RecomputeAllBoxes();
        QImage image(401, 301, QImage::Format_RGB32);
        platform::DeviceContext dc(image);
        EXPECT_EQ(win.DrawAll(dc), row.result) << row.divisions;
    }
}

TEST_F(PainterTest, TheSvgHoldsOnePolygonPerPaintedPatchUnfilledWhenHollow) {
    Paste("EXPL3;0;-1;1;-1;1;\r\nEXPL3;1;-1;1;-1;1;\r\n");
    Coarse(0, 2, kRed);
    Coarse(1, 3, kBlue);
    win.Inventory()[1].jumpsOff = 1;  // both colours the background's: seen through
    LookFrom({6, -5, 12});
    platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
    const QString path = dir.filePath(QStringLiteral("patches.svg"));
    dialogs.fileAnswers.push_back(path);
    ASSERT_TRUE(win.SendCommand(cmd::kExportSvg));
    const std::string svg = quorlin::testing::ReadAll(path);
    EXPECT_EQ(quorlin::testing::Occurrences(svg, "<polygon "), 4u + 9u);
    EXPECT_EQ(quorlin::testing::Occurrences(svg, "<polygon fill=\"none\""), 9u);
    EXPECT_EQ(quorlin::testing::Occurrences(
                  svg, "<polygon fill=\"" + canvas::ColorToHex(Colour(kRed)) + "\""),
              4u);
}

}  // namespace
}  // namespace quorlin::plot3d
