// The 3D window after a diagram was read: every example's box again (one stored reversed put
// in order, for every kind), then the scene box kept from a file of version 12 on (put in order
// when stored reversed), or computed from the examples for an older one; the sight shift a
// thousandth of the box's plan, the 2D view the file's.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/records/new_examples.h"
#include "platform/dialog.h"
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
    // Opens the file in a window of its own as a user does, lets `check` look at that window,
    // and saves it as "<stem>-<round>.qz3", three rounds, each opening what the round before
    // saved: the three saves hold the same bytes.
    void ExpectReopenedAlike(QString path, const QString& stem,
                             const std::function<void(TPlot3Win&)>& check) {
        std::vector<std::vector<unsigned char>> saved;
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            TPlot3Win other(QStringLiteral("noname3.qz3"));
            ASSERT_TRUE(OpenIn(other, path));
            check(other);
            path = dir.filePath(QStringLiteral("%1-%2.qz3").arg(stem).arg(round));
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
        const QString path = dir.filePath(QStringLiteral("crafted.qz3"));
        dialogs.fileAnswers.push_back(path);
        ASSERT_TRUE(win.FileSaveAs());
        ExpectReopenedAlike(path, QStringLiteral("saved"), [&row](TPlot3Win& other) {
            const TBox3 box = BoxOf(other.Inventory()[0]);
            EXPECT_TRUE(Near(box.min, row.openedMin));
            EXPECT_TRUE(Near(box.max, row.openedMax));
        });
    }
}

// The window's own box, stored reversed as only a crafted file holds it (on x and z, on y, on
// all three): the diagram opens with the box of StoreBox in order, its focus, sight shift and eye
// in box units as that box gives them, a point inside it counts as inside, and it saves, opens
// and saves again to the same bytes.
TEST_F(ReloadTest, AReversedStoredSceneBoxOpensInOrder) {
    const struct {
        const char* name;
        Vec3 min, max;
    } rows[] = {
        {"x and z reversed", {6, -3, -0.5L}, {-2, 1, -4.5L}},
        {"y reversed", {-2, 1, -4.5L}, {6, -3, -0.5L}},
        {"all reversed", {6, 1, -0.5L}, {-2, -3, -4.5L}},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StoreBox(win);
        win.SceneBox().min = row.min;
        win.SceneBox().max = row.max;
        const QString path = dir.filePath(QStringLiteral("scene%1.qz3").arg(++n));
        dialogs.fileAnswers.push_back(path);
        ASSERT_TRUE(win.FileSaveAs());
        ExpectReopenedAlike(path, QStringLiteral("scene%1").arg(n), [](TPlot3Win& other) {
            ExpectKept(other);
            EXPECT_TRUE(dynamics::IsInsideBox3D(other, {5.5L, 0.5L, -1}));
        });
    }
}

// The example a row reverses, made in a window: pasted, then built by hand where no script
// makes its kind.
struct TKindRow {
    const char* name;
    const char* script;
    void (*build)(TPlot3Win& w);  // null: the script alone
};

// An intrinsic curve of curvature 1 and torsion 0: the unit circle.
void AddIntrinsicCircle(TPlot3Win& w) {
    examples::TExample e;
    e.Init(examples::kind::kSpaceIntrinsic, 0, 50);
    examples::SetNewExampleDefaults(e, examples::kind::kSpaceIntrinsic, -5, 5, 0);
    e.Text(1) = "1";
    e.Text(2) = "0";
    w.CompileExample(w.Inventory().Append(std::move(e)));
}

// Every kind with a box of its own, given reversed on two axes (x and z) and on all three, each
// axis of another length: the diagram opens with each axis in order, and saves, opens and saves
// again to the same bytes. A file can hold such a box only when it was crafted.
TEST_F(ReloadTest, AReversedStoredBoxOfEveryKindOpensInOrder) {
    const TKindRow kinds[] = {
        {"explicit surface", "EXPL3;x*y;-1;1;-1;1;\r\n", nullptr},
        {"cylindrical surface", "SURFCYL;r^2/4;0;2;0;6;\r\n", nullptr},
        {"parametric surface", "SURFPAR;t;u;t*u;0;1;0;2;\r\n", nullptr},
        {"space curve", "PARAM3;cos(t);sin(t);t/2;0;6;\r\n", nullptr},
        {"implicit surface", "IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\n", nullptr},
        {"tube", "TUBE;t;0;0;0.5;0;4;\r\n", nullptr},
        {"segment", "SEG3;1;2;3;4;-5;6;\r\n", nullptr},
        {"point", "POINT3;1;2;3;\r\n", nullptr},
        {"system", "DEQ3T;y;-x;1;-1;1;-2;2;-3;3;\r\n", nullptr},
        {"recursive sequence", "RECUR3;x/2;y;z+1;0;1;0;1;0;1;\r\n", nullptr},
        {"plane", "PLANE;1;2;3;0;1;2;4;\r\n", nullptr},
        {"spherical surface", "SURFSPH;2;0;6;0;3;\r\n", nullptr},
        {"intrinsic curve", "", AddIntrinsicCircle},
    };
    const struct {
        const char* name;
        TBox3 stored, opened;
    } boxes[] = {
        {"x and z reversed", {{2.5L, -1, 7}, {-1.5L, 4, -3}}, {{-1.5L, -1, -3}, {2.5L, 4, 7}}},
        {"all reversed", {{3, 2, 0.5L}, {-1, -4, -2.5L}}, {{-1, -4, -2.5L}, {3, 2, 0.5L}}},
    };
    int n = 0;
    for (const TKindRow& kind : kinds) {
        for (const auto& box : boxes) {
            SCOPED_TRACE(std::string(kind.name) + ", " + box.name);
            const QString path = dir.filePath(QStringLiteral("crafted%1.qz3").arg(++n));
            {
                TPlot3Win maker(QStringLiteral("noname2.qz3"));
                maker.SizeChanged(401, 301);
                maker.Create();
                if (*kind.script) {
                    clipboard.SetText(QString::fromLatin1(kind.script));
                    ASSERT_TRUE(maker.SendCommand(resources::cmd::kPasteScript));
                }
                if (kind.build) kind.build(maker);
                ASSERT_FALSE(maker.Inventory().Empty());
                examples::TExample& e = maker.Inventory()[maker.Inventory().LastIndex()];
                SetBoxAutomatic(e, false);
                e.boxMin = box.stored.min;
                e.boxMax = box.stored.max;
                dialogs.fileAnswers.push_back(path);
                ASSERT_TRUE(maker.FileSaveAs());
                maker.ClearModified();
                maker.CloseWindow();
            }
            ExpectReopenedAlike(path, QStringLiteral("resaved%1").arg(n), [&box](TPlot3Win& other) {
                const TBox3 opened = BoxOf(other.Inventory()[other.Inventory().LastIndex()]);
                EXPECT_TRUE(Near(opened.min, box.opened.min));
                EXPECT_TRUE(Near(opened.max, box.opened.max));
            });
        }
    }
}

// Q at the first point of the surface's mesh ends the computation of the boxes as the diagram
// opens: the curve after it is not computed, and its box, stored reversed, is in order all the
// same.
TEST_F(ReloadTest, AReversedBoxIsInOrderAlsoWhenQStopsTheOpening) {
    const QString path = dir.filePath(QStringLiteral("stopped.qz3"));
    {
        TPlot3Win maker(QStringLiteral("noname2.qz3"));
        maker.SizeChanged(401, 301);
        maker.Create();
        clipboard.SetText(
            QStringLiteral("EXPL3;x*y;-1;1;-1;1;\r\nPARAM3;cos(t);sin(t);t/2;0;6;\r\n"));
        ASSERT_TRUE(maker.SendCommand(resources::cmd::kPasteScript));
        ASSERT_EQ(maker.Inventory().Count(), 2);
        SetBoxAutomatic(maker.Inventory()[1], false);
        SetBox(maker.Inventory()[1], {{2.5L, -1, 7}, {-1.5L, 4, -3}});
        dialogs.fileAnswers.push_back(path);
        ASSERT_TRUE(maker.FileSaveAs());
        maker.ClearModified();
        maker.CloseWindow();
    }
    TPlot3Win other(QStringLiteral("noname3.qz3"));
    int asked = 0;
    other.SetKeyPoll([&asked] { return ++asked == 1 ? kKeyStop : 0; },
                     std::chrono::steady_clock::duration::zero());
    ASSERT_TRUE(OpenIn(other, path));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(IsDefinedMeshPoint(other.Inventory()[0].points[1]));
    const TBox3 box = BoxOf(other.Inventory()[1]);
    EXPECT_TRUE(Near(box.min, {-1.5L, -1, -3}));
    EXPECT_TRUE(Near(box.max, {2.5L, 4, 7}));
    other.ClearModified();
    other.CloseWindow();
}

// The intersection of the two surfaces pasted, chosen as the chooser offers it.
void AddIntersection(TPlot3Win& w) {
    platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
    w.RecomputeAllBoxes();
    ASSERT_TRUE(w.SendCommand(resources::cmd::kSurfaceSurface));
}

// An intersection's box is not read but built from its parents' boxes as the file is read,
// their common part: with the surface's box stored reversed (x and z), in order all the same;
// with parents that share no x, reversed on x, as it was saved.
TEST_F(ReloadTest, AnIntersectionOpensWithItsParentsCommonBox) {
    const struct {
        const char* name;
        const char* surface;
        std::optional<TBox3> stored;  // the surface's given box, or its own
        TBox3 opened;
    } rows[] = {
        {"a parent reversed",
         "EXPL3;1;-3;3;-3;3;\r\n",
         TBox3{{2.5L, -1, 7}, {-1.5L, 4, -3}},
         {{-1.5L, -1, -3}, {2.5L, 3, 3}}},
        // z = 1 over [4, 6] x [-3, 3]: its box widened by a tenth of each axis on each side (z
        // opened by 1e-5 first, so to 1 -+ 1.2e-5), beside the sphere's box [-3, 3]^3.
        {"parents apart on x",
         "EXPL3;1;4;6;-3;3;\r\n",
         std::nullopt,
         {{3.8L, -3, 1 - 1.2e-5L}, {3, 3, 1 + 1.2e-5L}}},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QStringLiteral("meet%1.qz3").arg(++n));
        {
            TPlot3Win maker(QStringLiteral("noname2.qz3"));
            maker.SizeChanged(401, 301);
            maker.Create();
            clipboard.SetText(QStringLiteral("IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\n") +
                              QString::fromLatin1(row.surface));
            ASSERT_TRUE(maker.SendCommand(resources::cmd::kPasteScript));
            AddIntersection(maker);
            ASSERT_EQ(maker.Inventory().Count(), 3);
            if (row.stored) {
                SetBoxAutomatic(maker.Inventory()[1], false);
                SetBox(maker.Inventory()[1], *row.stored);
            }
            dialogs.fileAnswers.push_back(path);
            ASSERT_TRUE(maker.FileSaveAs());
            maker.ClearModified();
            maker.CloseWindow();
        }
        ExpectReopenedAlike(path, QStringLiteral("meet%1").arg(n), [&row](TPlot3Win& other) {
            ASSERT_EQ(other.Inventory().Count(), 3);
            const TBox3 opened = BoxOf(other.Inventory()[2]);
            EXPECT_TRUE(Near(opened.min, row.opened.min));
            EXPECT_TRUE(Near(opened.max, row.opened.max));
        });
    }
}

}  // namespace
}  // namespace quorlin::plot3d
