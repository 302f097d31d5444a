// The 3D graph level with its files: a saved diagram of any 3D kind, opened and saved again,
// gives the same bytes each time (no box, scene box or eye grows with each open), and opening a
// diagram computes its meshes polling Q, with the key hint in the caption; the axes switched on
// and off leave every box and the saved bytes as they were.
#include "plot3d/levels/plot_r_win.h"

#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "plot3d/plot3_fixture.h"
#include "plot3d/scene/example_boxes.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

class PlotRWinTest : public Plot3WindowTest {
protected:
    QString Path(const QString& name) const { return dir.filePath(name + QStringLiteral(".qz3")); }

    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A window without the ini file, so that nothing but the file sets it.
    static void SetUp(TPlot3Win& win) {
        win.SetUseDefaults(true);
        win.SizeChanged(401, 301);
        win.Create();
    }

    // Opens the file in a new window and saves it as `to`; the bytes saved.
    QByteArray OpenAndSave(const QString& from, const QString& to) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        SetUp(win);
        EXPECT_EQ(win.Load(from), kNoError) << from.toStdString();
        EXPECT_TRUE(win.SaveTo(to));
        CloseUnsaved(win);
        return Bytes(to);
    }
};

// The offset of the first byte where two files differ, for the failure message.
qsizetype FirstDifference(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i]) return i;
    return n;
}

TEST_F(PlotRWinTest, AnOpenedDiagramSavesToTheSameBytesForEveryKind) {
    const struct {
        const char* name;
        const char* script;
    } rows[] = {
        {"explicit surface", "EXPL3;sin(x)*cos(y);-3;3;-2;2;\r\n"},
        {"cylindrical surface", "SURFCYL;r^2/4;0;2;0;6;\r\n"},
        {"cylindrical surface of three turns", "SURFCYL;t/7;0;1;-1;15;\r\n"},
        {"parametric surface", "SURFPAR;t;u;t*u;0;1;0;2;\r\n"},
        {"space curve", "PARAM3;cos(t);sin(t);t/2;0;6;\r\n"},
        {"sphere in [-3, 3]^3", "IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\n"},
        {"tube", "TUBE;t;0;0;0.5;0;4;\r\n"},
        {"segment", "SEG3;1;2;3;4;-5;6;\r\n"},
        {"point", "POINT3;1;2;3;\r\n"},
        {"space equation beside a surface",
         "EXPL3;x*y;-1;1;-1;1;\r\nDEQ3T;y;-x;1;-1;1;-2;2;-3;3;\r\n"},
        {"recursive sequence", "RECUR3;x/2;y;z+1;0;1;0;1;0;1;\r\n"},
        {"cylindrical point", "POINTCYL;2;1;3;\r\n"},
        {"spherical point", "POINTSPH;2;1;0.5;\r\n"},
        {"plane", "PLANE;1;2;3;0;1;2;4;\r\n"},
        {"spherical surface", "SURFSPH;2;0;6;0;3;\r\n"},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString stem = QString::number(++n);
        const QString first = Path(stem + QStringLiteral("a"));
        {
            TPlot3Win win(QStringLiteral("noname1.qz3"));
            win.SetUseDefaults(true);
            OpenAndPaste(win, row.script);
            ASSERT_TRUE(win.SaveTo(first)) << row.name;
            CloseUnsaved(win);
        }
        const QByteArray second = OpenAndSave(first, Path(stem + QStringLiteral("b")));
        const QByteArray third =
            OpenAndSave(Path(stem + QStringLiteral("b")), Path(stem + QStringLiteral("c")));
        ASSERT_FALSE(second.isEmpty()) << row.name;
        EXPECT_EQ(second, third) << row.name << ": first difference at byte "
                                 << FirstDifference(second, third);
        EXPECT_EQ(Bytes(first), second)
            << row.name << ": first difference at byte " << FirstDifference(Bytes(first), second);
    }
}

// The poll a test puts in: Q at the stopAt-th question (never when 0), noting whether the key
// hint showed at each.
struct ScriptedPoll {
    TPlotRWin& win;
    int stopAt = 0;
    int asked = 0;
    int hinted = 0;
    int operator()() {
        ++asked;
        if (win.IsKeyHintShown()) ++hinted;
        return asked == stopAt ? kKeyStop : 0;
    }
};

TEST_F(PlotRWinTest, OpeningADiagramPollsQForEveryMeshPointAndStopsAtQ) {
    const QString path = Path(QStringLiteral("meshes"));
    {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        win.SetUseDefaults(true);
        OpenAndPaste(win, "EXPL3;x*y;-1;1;-1;1;\r\nEXPL3;x+y;-2;2;-1;1;\r\n");
        ASSERT_TRUE(win.SaveTo(path));
        CloseUnsaved(win);
    }
    const auto points = [](const examples::TExample& e) {
        return (e.divisions[0] + 1) * (e.divisions[1] + 1);
    };
    const struct {
        const char* name;
        int stopAt;
    } rows[] = {{"without Q", 0}, {"Q at the third point", 3}};
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname2.qz3"));
        SetUp(win);
        ScriptedPoll poll{win, row.stopAt};
        win.SetKeyPoll(std::ref(poll), std::chrono::steady_clock::duration::zero());
        ASSERT_EQ(win.Load(path), kNoError) << row.name;
        ASSERT_EQ(win.Inventory().Count(), 2);
        const examples::TExample& first = win.Inventory()[0];
        const examples::TExample& second = win.Inventory()[1];
        const int all = points(first) + points(second);
        ASSERT_GT(all, 6);
        EXPECT_EQ(poll.asked, row.stopAt > 0 ? row.stopAt : all) << row.name;
        EXPECT_EQ(poll.hinted, poll.asked) << row.name;
        EXPECT_FALSE(win.IsKeyHintShown()) << row.name;
        EXPECT_EQ(win.Caption(), QStringLiteral("meshes.qz3")) << row.name;
        // Points before Q are computed, the rest of that mesh is undefined.
        EXPECT_TRUE(IsDefinedMeshPoint(first.points[1])) << row.name;
        EXPECT_EQ(IsDefinedMeshPoint(first.points[2]), row.stopAt == 0) << row.name;
        const auto last = static_cast<std::size_t>(points(first) - 1);
        EXPECT_EQ(IsDefinedMeshPoint(first.points[last]), row.stopAt == 0) << row.name;
        CloseUnsaved(win);
    }
}

// The axes on and off again leave every example's box, and so the scene box and the eye, where
// they were: the boxes a window does not compute (implicit surfaces, systems, sequences) are not
// widened again at each recompute.
TEST_F(PlotRWinTest, AxesOnAndOffLeaveEveryBoxAsItWas) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win,
                 "IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\nDEQ3T;y;-x;1;-1;1;-2;2;-3;3;\r\n"
                 "RECUR3;x/2;y;z+1;0;1;0;1;0;1;\r\nEXPL3;x*y;-1;1;-1;1;\r\n");
    ASSERT_EQ(win.Inventory().Count(), 4);
    const auto boxes = [&win] {
        std::vector<long double> values;
        for (int k = 0; k <= win.Inventory().LastIndex(); ++k) {
            const TBox3 b = BoxOf(win.Inventory()[k]);
            values.insert(values.end(), {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z});
        }
        const Vec3 eye = win.Observer().eye;
        values.insert(values.end(), {win.SceneBox().min.x, win.SceneBox().max.z, eye.x, eye.y});
        return values;
    };
    const std::vector<long double> before = boxes();
    for (int toggle = 0; toggle < 4; ++toggle) win.ToggleAxes();
    EXPECT_EQ(boxes(), before);
    CloseUnsaved(win);
}

// Ctrl+A twice leaves every box, the eye and the saved bytes as they were, for boxes that do
// not hold the origin: an implicit surface, a system, a surface with a box of its own, and a
// point (whose box alone is computed again, as an automatic one). With a point the picture is
// refitted, which fits the unlocked axis ends to the box while the axes show: the file keeps
// those ends, so only its bytes may differ there.
TEST_F(PlotRWinTest, TwoAxesTogglesLeaveBoxesAndFileBytesOffTheOrigin) {
    const struct {
        const char* name;
        const char* script;
        bool fixedBox;
        TBox3 box;
        bool sameBytes;
    } rows[] = {
        {"implicit surface",
         "IMPL3;(x-5)^2+y^2+z^2=1;4;6;-1;1;-1;1;\r\n",
         false,
         {{4, -1, -1}, {6, 1, 1}},
         true},
        {"system", "DEQ3T;y;-x;1;2;3;2.5;3.5;3;4;\r\n", false, {{2, 2.5L, 3}, {3, 3.5L, 4}}, true},
        {"fixed box", "EXPL3;x*y;2;3;2;3.5;\r\n", true, {{2, 2, 4}, {3, 3.5L, 10.5L}}, true},
        {"point", "POINT3;3;4;5;\r\n", false, {{2.7L, 3.7L, 4.7L}, {3.3L, 4.3L, 5.3L}}, false},
    };
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        win.SetUseDefaults(true);
        OpenAndPaste(win, row.script);
        ASSERT_EQ(win.Inventory().Count(), 1) << row.name;
        examples::TExample& e = win.Inventory()[0];
        if (row.fixedBox) {
            SetBoxAutomatic(e, false);
            SetBox(e, row.box);
            win.RecomputeAllBoxes();
        }
        ASSERT_FALSE(win.Axes().axesShown) << row.name;
        const auto state = [&win] {
            const TBox3 b = BoxOf(win.Inventory()[0]);
            const Vec3 eye = win.Observer().eye;
            return std::vector<long double>{b.min.x,
                                            b.min.y,
                                            b.min.z,
                                            b.max.x,
                                            b.max.y,
                                            b.max.z,
                                            win.SceneBox().min.x,
                                            win.SceneBox().max.z,
                                            eye.x,
                                            eye.y,
                                            eye.z};
        };
        const std::vector<long double> before = state();
        const TBox3 own = BoxOf(e);
        EXPECT_NEAR(static_cast<double>(own.min.x), static_cast<double>(row.box.min.x), 1e-12)
            << row.name;
        EXPECT_NEAR(static_cast<double>(own.max.y), static_cast<double>(row.box.max.y), 1e-12)
            << row.name;
        const QString first = Path(QStringLiteral("before"));
        ASSERT_TRUE(win.SaveTo(first)) << row.name;
        EXPECT_TRUE(win.SendCommand(resources::cmd::kAxes));
        EXPECT_TRUE(win.Axes().axesShown) << row.name;
        // The axes on take in the origin only into a point's box (as into a new point's).
        const bool point = win.Inventory()[0].kind == examples::kind::kSpacePoint;
        EXPECT_EQ(BoxOf(win.Inventory()[0]).min.x, point ? 0 : own.min.x) << row.name;
        EXPECT_TRUE(win.SendCommand(resources::cmd::kAxes));
        EXPECT_FALSE(win.Axes().axesShown) << row.name;
        EXPECT_EQ(state(), before) << row.name;
        const QString second = Path(QStringLiteral("after"));
        ASSERT_TRUE(win.SaveTo(second)) << row.name;
        const QByteArray a = Bytes(first), b = Bytes(second);
        if (row.sameBytes) EXPECT_EQ(a, b) << row.name << " differ at " << FirstDifference(a, b);
        CloseUnsaved(win);
    }
}

// A point's box follows the axes as a new point's would: made while they show, it holds the
// origin; the axes off leave the point's own box (0.25 about it, widened by a tenth), and on
// again bring the origin back, so two toggles give the box and the file's boxes as they were,
// whichever way the axes stood when the point was made. A point whose box is its own ("lock
// position") keeps it its own through the toggles.
TEST_F(PlotRWinTest, APointsBoxFollowsTheAxesEitherWayRound) {
    const struct {
        const char* name;
        bool axesFirst;
        bool locked;
    } rows[] = {
        {"made with the axes", true, false},
        {"made without", false, false},
        {"made with the axes, its own box", true, true},
        {"made without, its own box", false, true},
    };
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        win.SetUseDefaults(true);
        win.SizeChanged(401, 301);
        win.Create();
        if (row.axesFirst) ASSERT_TRUE(win.SendCommand(resources::cmd::kAxes));
        OpenAndPaste(win, "POINT3;3;-4;5;\r\n");
        ASSERT_EQ(win.Axes().axesShown, row.axesFirst) << row.name;
        if (row.locked) SetBoxAutomatic(win.Inventory()[0], false);
        // The point (3, -4, 5) +- 0.3, and that with the origin.
        const TBox3 hidden{{2.7L, -4.3L, 4.7L}, {3.3L, -3.7L, 5.3L}};
        const TBox3 shown{{0, -4.3L, 0}, {3.3L, 0, 5.3L}};
        const auto expectBox = [&win, &row](const TBox3& b, const char* when) {
            const TBox3 got = BoxOf(win.Inventory()[0]);
            EXPECT_TRUE(quorlin::testing::AllNear(
                {got.min.x, got.min.y, got.min.z, got.max.x, got.max.y, got.max.z},
                {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z}, 1e-12L))
                << row.name << " " << when << ": " << got.min.x << " " << got.min.y << " "
                << got.min.z << " .. " << got.max.x << " " << got.max.y << " " << got.max.z;
            EXPECT_EQ(IsBoxAutomatic(win.Inventory()[0]), !row.locked) << row.name << " " << when;
        };
        const TBox3 made = BoxOf(win.Inventory()[0]);
        expectBox(row.axesFirst ? shown : hidden, "made");
        ASSERT_TRUE(win.SendCommand(resources::cmd::kAxes));
        expectBox(row.axesFirst ? hidden : shown, "after one toggle");
        ASSERT_TRUE(win.SendCommand(resources::cmd::kAxes));
        expectBox(row.axesFirst ? shown : hidden, "after two");
        const TBox3 back = BoxOf(win.Inventory()[0]);
        EXPECT_EQ(back.min.x, made.min.x) << row.name;
        EXPECT_EQ(back.max.y, made.max.y) << row.name;
        EXPECT_EQ(back.min.z, made.min.z) << row.name;
        CloseUnsaved(win);
    }
}

// A diagram saved with the axes shown opens with every box as it was saved: a box made while the
// axes were off (a given one, or an automatic one computed again on opening) does not take in
// the origin, and one made while they showed keeps it; so the file saves back to the same bytes.
TEST_F(PlotRWinTest, ADiagramSavedWithTheAxesShownOpensWithItsBoxes) {
    const struct {
        const char* name;
        const char* script;
        bool axesFirst;
        TBox3 box;
    } rows[] = {
        {"implicit surface made without the axes",
         "IMPL3;(x-5)^2+y^2+z^2=1;4;6;-1;1;-1;1;\r\n",
         false,
         {{4, -1, -1}, {6, 1, 1}}},
        {"system made without the axes",
         "DEQ3T;y;-x;1;2;3;2.5;3.5;3;4;\r\n",
         false,
         {{2, 2.5L, 3}, {3, 3.5L, 4}}},
        // z = x y over [2, 3] x [2, 4]: z from 4 to 12, each axis widened by a tenth.
        {"surface made without the axes",
         "EXPL3;x*y;2;3;2;4;\r\n",
         false,
         {{1.9L, 1.8L, 3.2L}, {3.1L, 4.2L, 12.8L}}},
        {"point made with the axes", "POINT3;3;-4;5;\r\n", true, {{0, -4.3L, 0}, {3.3L, 0, 5.3L}}},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString first = Path(QStringLiteral("shown%1").arg(++n));
        {
            TPlot3Win win(QStringLiteral("noname1.qz3"));
            SetUp(win);
            if (row.axesFirst) ASSERT_TRUE(win.SendCommand(resources::cmd::kAxes));
            OpenAndPaste(win, row.script);
            if (!row.axesFirst) ASSERT_TRUE(win.SendCommand(resources::cmd::kAxes));
            ASSERT_TRUE(win.Axes().axesShown) << row.name;
            ASSERT_TRUE(win.SaveTo(first)) << row.name;
            CloseUnsaved(win);
        }
        TPlot3Win win(QStringLiteral("noname2.qz3"));
        SetUp(win);
        ASSERT_EQ(win.Load(first), kNoError) << row.name;
        ASSERT_TRUE(win.Axes().axesShown) << row.name;
        const TBox3 b = BoxOf(win.Inventory()[0]);
        EXPECT_TRUE(
            quorlin::testing::AllNear({b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z},
                                      {row.box.min.x, row.box.min.y, row.box.min.z, row.box.max.x,
                                       row.box.max.y, row.box.max.z},
                                      1e-12L))
            << row.name;
        const QString second = Path(QStringLiteral("again%1").arg(n));
        ASSERT_TRUE(win.SaveTo(second)) << row.name;
        const QByteArray a = Bytes(first), c = Bytes(second);
        EXPECT_EQ(a, c) << row.name << " differ at " << FirstDifference(a, c);
        CloseUnsaved(win);
    }
}

}  // namespace
}  // namespace quorlin::plot3d
