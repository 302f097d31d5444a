// The 3D window after a diagram was read: every example's box again, then the scene box kept
// from a file of version 12 on, or computed from the examples for an older one; the sight
// shift a thousandth of the box's plan, the 2D view the file's.
#include <gtest/gtest.h>

#include "plot3d/scene/example_boxes.h"
#include "plot3d/window3d_fixture.h"
#include "support/all_near.h"
#include "support/test_paths.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;

class ReloadTest : public quorlin::testing::Window3DTest {
protected:
    ReloadTest() {
        // Its points' box is [-1, 3] x [-2, 0.5] x [-5, 4], widened by a tenth on each side.
        Paste("EXPL3;x+2*y;-1;3;-2;0.5;\r\n");
    }
    // A box no example gives, as a file of the window may have stored it.
    static void StoreBox(TPlotRWin& w) {
        w.SceneBox().min = {-2, -3, -4.5L};
        w.SceneBox().max = {6, 1, -0.5L};
        w.Observer().eye = {10, 7, 3};
    }
    static ::testing::AssertionResult Near(Vec3 a, Vec3 b) {
        return AllNear({a.x, a.y, a.z}, {b.x, b.y, b.z}, 1e-15L);
    }
    static void ExpectKept(const TPlotRWin& w) {
        const TSceneBox& box = w.SceneBox();
        EXPECT_TRUE(AllNear({box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z},
                            {-2, -3, -4.5L, 6, 1, -0.5L}));
        const Vec3 focus = w.Observer().focus;
        EXPECT_TRUE(AllNear({focus.x, focus.y, focus.z}, {2, -1, -2.5L}));
        // The sight shift: 0.001 x (8 + 4).
        EXPECT_NEAR(static_cast<double>(w.Scene3D().lineOfSightStep), 0.012, 1e-18);
        EXPECT_EQ(w.Scene().hiddenPointOffset, w.Scene3D().lineOfSightStep);
        // The eye in box units: (10 - 2) / 8, (7 + 1) / 4, (3 + 2.5) / 4.
        const Vec3 boxEye = w.Observer().boxEye;
        EXPECT_TRUE(AllNear({boxEye.x, boxEye.y, boxEye.z}, {1, 2, 1.375L}));
    }
    // A second window of the test's size that opens the file, as a user opens one.
    static ::testing::AssertionResult OpenIn(TPlot3Win& other, const QString& path) {
        other.SizeChanged(401, 301);
        other.Create();
        const int error = other.Load(path);
        if (error == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "opening " << path.toStdString() << ": " << error;
    }
};

TEST_F(ReloadTest, AVersionElevenFileHasItsBoxComputedFromItsExamples) {
    StoreBox(win);
    const long double halfWidth = win.View().halfWidth;
    win.ReloadView(11);
    EXPECT_TRUE(Near(win.SceneBox().min, {-1.4L, -2.25L, -5.9L}));
    EXPECT_TRUE(Near(win.SceneBox().max, {3.4L, 0.75L, 4.9L}));
    EXPECT_TRUE(Near(win.Observer().focus, {1, -0.75L, -0.5L}));
    // The sight shift: 0.001 x (4.8 + 3).
    EXPECT_NEAR(static_cast<double>(win.Scene3D().lineOfSightStep), 0.0078, 1e-15);
    EXPECT_EQ(win.Scene().hiddenPointOffset, win.Scene3D().lineOfSightStep);
    EXPECT_TRUE(Near(win.Observer().boxEye, win.SceneBox().WorldToBox(win.Observer().eye)));
    EXPECT_EQ(win.View().halfWidth, halfWidth);
}

TEST_F(ReloadTest, AVersionTwelveFileKeepsItsStoredBox) {
    for (int version : {12, 41}) {
        SCOPED_TRACE(version);
        StoreBox(win);
        const long double halfWidth = win.View().halfWidth;
        win.ReloadView(version);
        ExpectKept(win);
        EXPECT_EQ(win.View().halfWidth, halfWidth);
        // The example's own box was computed again all the same.
        const TBox3 own = BoxOf(win.Inventory()[0]);
        EXPECT_TRUE(Near(own.min, {-1.4L, -2.25L, -5.9L}));
        EXPECT_TRUE(Near(own.max, {3.4L, 0.75L, 4.9L}));
    }
}

TEST_F(ReloadTest, AFileReadBackKeepsTheBoxItStored) {
    StoreBox(win);
    const QString path = dir.filePath(QStringLiteral("kept.qz3"));
    dialogs.fileAnswers.push_back(path);
    ASSERT_TRUE(win.FileSaveAs());
    TPlot3Win other(QStringLiteral("noname2.qz3"));
    ASSERT_TRUE(OpenIn(other, path));
    ASSERT_EQ(other.Inventory().Count(), 1);
    ExpectKept(other);
    other.ClearModified();
    other.CloseWindow();
}

TEST_F(ReloadTest, AFileWithAnEyeFarOutOpensWithTheEyeInRange) {
    // The stored box's taxicab size is 16, its centre (2, -1, -2.5).
    const Vec3 focus{2, -1, -2.5L};
    const struct {
        const char* name;
        Vec3 eye;
    } rows[] = {{"1e20 out", {1e20L, 3e20L, -2e20L}},
                {"near the largest long double", {-1.1e4932L, 7e4931L, 1e4931L}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StoreBox(win);
        win.Observer().eye = row.eye;
        const QString path = dir.filePath(QStringLiteral("far.qz3"));
        dialogs.fileAnswers.push_back(path);
        ASSERT_TRUE(win.FileSaveAs());
        TPlot3Win other(QStringLiteral("noname2.qz3"));
        ASSERT_TRUE(OpenIn(other, path));
        const Vec3 eye = other.Observer().eye;
        EXPECT_FALSE(IsEyeTooFar(other.SceneBox(), eye));
        EXPECT_GT(Vec3TaxiDist(eye, focus), 5000 * 16);
        // Along its line from the focus: the direction scaled by its x.
        const Vec3 was = (1 / (row.eye.x - focus.x)) * (row.eye - focus);
        const Vec3 now = (1 / (eye.x - focus.x)) * (eye - focus);
        EXPECT_TRUE(AllNear({now.y, now.z}, {was.y, was.z}, 1e-15L));
        const Vec3 boxEye = other.Observer().boxEye, expected = other.SceneBox().WorldToBox(eye);
        EXPECT_TRUE(Near(boxEye, expected));
        other.ClearModified();
        other.CloseWindow();
    }
}

TEST_F(ReloadTest, AReversedStoredBoxIsOrderedAndStaysSoThroughSaves) {
    // The surface's given box as a crafted file may hold it, and the box it opens with: each
    // axis in order, a flat one widened once by 1e-5 on each side.
    const struct {
        const char* name;
        Vec3 min, max;
        Vec3 openedMin, openedMax;
    } rows[] = {
        {"x reversed", {3, -2, -5}, {-1, 0.5L, 4}, {-1, -2, -5}, {3, 0.5L, 4}},
        {"y and z reversed", {-1, 0.5L, 4}, {3, -2, -6}, {-1, -2, -6}, {3, 0.5L, 4}},
        {"z flat, x reversed",
         {3, -2, 1.5L},
         {-1, 0.5L, 1.5L},
         {-1, -2, 1.5L - 1e-5L},
         {3, 0.5L, 1.5L + 1e-5L}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        examples::TExample& surface = win.Inventory()[0];
        SetBoxAutomatic(surface, false);
        surface.boxMin = row.min;
        surface.boxMax = row.max;
        QString path = dir.filePath(QStringLiteral("crafted.qz3"));
        dialogs.fileAnswers.push_back(path);
        ASSERT_TRUE(win.FileSaveAs());
        std::vector<std::vector<unsigned char>> saved;
        for (int round = 0; round < 3; ++round) {
            TPlot3Win other(QStringLiteral("noname2.qz3"));
            ASSERT_TRUE(OpenIn(other, path));
            const TBox3 box = BoxOf(other.Inventory()[0]);
            EXPECT_TRUE(Near(box.min, row.openedMin)) << round;
            EXPECT_TRUE(Near(box.max, row.openedMax)) << round;
            path = dir.filePath(QStringLiteral("saved%1.qz3").arg(round));
            other.SetNoOverwriteQuestion(true);
            dialogs.fileAnswers.push_back(path);
            ASSERT_TRUE(other.FileSaveAs());
            saved.push_back(quorlin::testing::ReadFileBytes(path.toStdString()));
            other.ClearModified();
            other.CloseWindow();
        }
        EXPECT_EQ(saved[1], saved[0]);
        EXPECT_EQ(saved[2], saved[0]);
    }
}

}  // namespace
}  // namespace quorlin::plot3d
