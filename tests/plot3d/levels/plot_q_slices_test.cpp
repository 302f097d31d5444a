// Slow drawing in the 3D window: a helix that leaves the box and comes back is two pieces in
// the export, a formula undefined in the middle breaks its slice, a family draws each member
// and gives its letter back (and Q in a member stops the rest), a segment has its arrows, a
// point example is added with its shortest exact texts and refused without room; the level
// curves of a surface are drawn and searched.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "canvas/export_format.h"
#include "dynamics/window_tools.h"
#include "platform/dialog.h"
#include "plot3d/window3d_fixture.h"
#include "support/curve_pixels.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using examples::TExample;

const bool kToolsInstalled = (dynamics::InstallTrajectoryTools(), true);

class SlicesTest : public quorlin::testing::Window3DTest {
protected:
    SlicesTest() { EXPECT_TRUE(kToolsInstalled); }
    // The SVG export of the window's picture.
    std::string ExportSvg() {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
        const QString path = dir.filePath(QStringLiteral("slices.svg"));
        dialogs.fileAnswers.push_back(path);
        EXPECT_TRUE(win.SendCommand(cmd::kExportSvg));
        return quorlin::testing::ReadAll(path);
    }
    // The number of curve pieces (paths) the SVG holds in the colour of example i.
    std::size_t Pieces(const std::string& svg, int i) const {
        return quorlin::testing::Occurrences(
            svg, "stroke=\"" + canvas::ColorToHex(ColourOfExample(i)) + "\"");
    }
    QRgb ColourOfExample(int i) const {
        return win.OutputColor(win.DrawColor(win.Inventory()[i].pen.colour)).rgb();
    }
    // The example drawn alone on a white image of the window's size.
    QImage DrawAlone(int i, int direction, int& result) {
        QImage image(401, 301, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        result = win.DrawBySlices(dc, i, direction);
        return image;
    }
    bool InkAt(const QImage& image, Vec3 p, int i) const {
        const Vec2 q = win.ProjectPoint(p);
        return quorlin::testing::InkNear(win, image, q.x, q.y, ColourOfExample(i), 1);
    }
};

TEST_F(SlicesTest, AHelixLeavingTheBoxAndComingBackIsTwoPiecesInTheExport) {
    Paste("PARAM3;cos(t);sin(t);t/2;0;6;\r\n");
    const std::string whole = ExportSvg();
    EXPECT_EQ(Pieces(whole, 0), 1u);
    // Where cos(t) < -0.5 (t from 2 pi / 3 to 4 pi / 3) the helix leaves the box.
    win.SceneBox().min.x = -0.5L;
    EXPECT_EQ(Pieces(ExportSvg(), 0), 2u);
}

TEST_F(SlicesTest, TheSlicerPointGetsOneSliceAtFixedVAndOneAtFixedU) {
    // A tilted plane over unequal ranges, seen from above, so no part of it hides another.
    Paste("EXPL3;x/2+y/4;-1;2;-1;1;\r\n");
    QImage image(401, 301, QImage::Format_RGB32);
    image.fill(Qt::white);
    platform::DeviceContext dc(image);
    const auto before = win.Formulas().vars;
    win.DrawSlicesThrough(dc, 0, 0.5L, -0.25L, 2);
    EXPECT_TRUE(before == win.Formulas().vars);
    // v = -0.25 fixed, x running over [-1, 2]; u = 0.5 fixed, y running over [-1, 1].
    EXPECT_TRUE(InkAt(image, {1.5L, -0.25L, 0.75L - 0.0625L}, 0));
    EXPECT_TRUE(InkAt(image, {-0.75L, -0.25L, -0.375L - 0.0625L}, 0));
    EXPECT_TRUE(InkAt(image, {0.5L, 0.75L, 0.25L + 0.1875L}, 0));
    EXPECT_TRUE(InkAt(image, {0.5L, -0.8L, 0.25L - 0.2L}, 0));
    // Neither slice passes through the corner (1.8, 0.8) nor the point (-0.6, 0.6).
    EXPECT_FALSE(InkAt(image, {1.8L, 0.8L, 0.9L + 0.2L}, 0));
    EXPECT_FALSE(InkAt(image, {-0.6L, 0.6L, -0.3L + 0.15L}, 0));
}

TEST_F(SlicesTest, AFormulaUndefinedInTheMiddleBreaksItsSlice) {
    // sqrt(sin(3t)) is undefined for t between pi / 3 and 2 pi / 3.
    Paste("PARAM3;t;0;sqrt(sin(3t));0;3;\r\n");
    int result = -1;
    const QImage image = DrawAlone(0, 1, result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(InkAt(image, {0.5L, 0, std::sqrt(std::sin(1.5L))}, 0));
    EXPECT_FALSE(InkAt(image, {1.5L, 0, 0.5L}, 0));
    EXPECT_TRUE(InkAt(image, {2.5L, 0, std::sqrt(std::sin(7.5L))}, 0));
    EXPECT_EQ(Pieces(ExportSvg(), 0), 2u);
}

TEST_F(SlicesTest, AFamilyDrawsEachMemberGivesItsLetterBackAndStopsAtQ) {
    // Upright strokes at x = a for a = 0, 1, 2, 3.
    Paste("PARAM3;a;0;t;0;1;\r\n");
    TExample& e = win.Inventory()[0];
    e.familyOn = 1;
    e.familyLetter = 1;
    e.familySteps = 3;
    e.familyLow = 0;
    e.familyHigh = 3;
    e.slicePoints = {10, 10};
    // The scene holds every member.
    win.SceneBox().min = {-1, -1, -1};
    win.SceneBox().max = {4, 1, 2};
    win.FitBoxToWindow();
    win.Formulas().SetVar(1, 7.5L);
    int result = -1;
    QImage image = DrawAlone(0, 1, result);
    EXPECT_EQ(result, 0);
    for (int a = 0; a <= 3; ++a) EXPECT_TRUE(InkAt(image, {a + 0.0L, 0, 0.5L}, 0)) << a;
    EXPECT_EQ(win.Formulas().Var(1), 7.5L);

    // Q at the 5th point of the second member: its first points stand, nothing after them.
    int polls = 0;
    win.InjectSlowDrawingKey([&polls] { return ++polls == 11 + 5 ? 81 : 0; });
    win.SetPollInterval(TStopPoll::Clock::duration{});
    image = DrawAlone(0, 1, result);
    EXPECT_EQ(result, 81);
    EXPECT_EQ(polls, 16);
    EXPECT_TRUE(InkAt(image, {0, 0, 0.9L}, 0));
    EXPECT_TRUE(InkAt(image, {1, 0, 0.2L}, 0));
    EXPECT_FALSE(InkAt(image, {1, 0, 0.8L}, 0));
    EXPECT_FALSE(InkAt(image, {2, 0, 0.5L}, 0));
    EXPECT_FALSE(InkAt(image, {3, 0, 0.5L}, 0));
    EXPECT_EQ(win.Formulas().Var(1), 7.5L);
}

TEST_F(SlicesTest, ASegmentIsDrawnWithTheArrowsItAsksFor) {
    Paste("SEG3;-1;0;0;1;0;0;\r\n");
    TExample& e = win.Inventory()[0];
    struct Row {
        int mode;
        std::size_t heads;
    };
    for (const Row row : {Row{0, 0}, Row{1, 1}, Row{2, 1}, Row{3, 2}}) {
        e.EndMarkMode() = static_cast<std::int16_t>(row.mode);
        const std::string svg = ExportSvg();
        // The arrowheads are filled triangles in the segment's colour.
        const std::string fill = "fill=\"" + canvas::ColorToHex(ColourOfExample(0)) + "\"";
        EXPECT_EQ(quorlin::testing::Occurrences(svg, fill), row.heads) << row.mode;
    }
}

TEST_F(SlicesTest, ASpaceCurveHasItsArrowAtTOnlyWhereThePointIsVisible) {
    Paste("PARAM3;cos(t);sin(t);t/2;0;6;\r\n");
    TExample& e = win.Inventory()[0];
    e.ArrowAtT() = 1;
    struct Row {
        long double t;
        std::size_t heads;
    };
    // At t = 100 the curve's point lies far above the box.
    for (const Row row : {Row{3, 1}, Row{100, 0}}) {
        e.Number(examples::TNumber::kArrowT) = row.t;
        const std::string fill = "fill=\"" + canvas::ColorToHex(ColourOfExample(0)) + "\"";
        EXPECT_EQ(quorlin::testing::Occurrences(ExportSvg(), fill), row.heads)
            << static_cast<double>(row.t);
    }
}

TEST_F(SlicesTest, APointIsDrawnOnlyInsideTheBox) {
    Paste("POINT3;1;2;3;\r\nPOINT3;-1;-2;-3;\r\n");
    QImage image = Picture();
    EXPECT_TRUE(InkAt(image, {1, 2, 3}, 0));
    EXPECT_TRUE(InkAt(image, {-1, -2, -3}, 1));
    // The box no longer reaches the second point.
    win.SceneBox().min = {-0.5L, -0.5L, -0.5L};
    image = Picture();
    EXPECT_TRUE(InkAt(image, {1, 2, 3}, 0));
    EXPECT_FALSE(InkAt(image, {-1, -2, -3}, 1));
}

TEST_F(SlicesTest, APointExampleKeepsItsExactValueAndNeedsRoom) {
    Paste("POINT3;1;2;3;\r\n");
    ASSERT_TRUE(win.AddPointExample({1e-20L, -2.5L, 1.0L / 3}));
    ASSERT_EQ(win.Inventory().Count(), 2);
    const TExample& p = win.Inventory()[1];
    EXPECT_EQ(p.kind, examples::kind::kSpacePoint);
    long double y = 0, x = 0, z = 0;
    ASSERT_EQ(win.ReadNumber(p.Text(1), x), 0);
    ASSERT_EQ(win.ReadNumber(p.Text(2), y), 0);
    ASSERT_EQ(win.ReadNumber(p.Text(3), z), 0);
    EXPECT_EQ(x, 1e-20L);
    EXPECT_EQ(y, -2.5L);
    EXPECT_EQ(z, 1.0L / 3);
    EXPECT_EQ(p.pen.width, win.Options().dotSize);

    ASSERT_TRUE(win.ResizeInventory(1, true));
    EXPECT_FALSE(win.AddPointExample({0, 0, 0}));
    EXPECT_EQ(win.Inventory().Count(), 2);
    ASSERT_EQ(Errors().size(), 1u);
}

}  // namespace
}  // namespace quorlin::plot3d

namespace quorlin::plot3d {
namespace {

// A window that shows only the curves of its level, as a level-curve window does.
class LevelFilteringWindow : public TPlot3Win {
public:
    using TPlot3Win::TPlot3Win;
    bool FiltersLevels() const override { return true; }
};

class TracedCurvesTest : public SlicesTest {
protected:
    TracedCurvesTest() : filtering(QStringLiteral("noname2.qz3")) {
        filtering.SizeChanged(401, 301);
        filtering.Create();
    }
    ~TracedCurvesTest() override {
        filtering.ClearModified();
        filtering.CloseWindow();
    }
    // Searches the level curves of the paraboloid at height z in window w, on its picture.
    int Search(TPlot3Win& w, long double z, QImage& image) {
        w.Level().variable = slot::kZ;
        w.Level().value = z;
        w.Level().tolerance = 0.01L;
        w.Inventory()[0].LevelSearch() = 1;
        platform::DeviceContext dc(image);
        return w.DrawTracedCurves(dc, 0);
    }
    QImage Blank() const {
        QImage image(401, 301, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    // The share of the visible ones of 24 points of the circle of radius r at height r^2 on
    // which curve ink shows.
    double ShareOnCircle(TPlot3Win& w, const QImage& image, long double r) const {
        const QRgb ink =
            w.OutputColor(w.DrawColor(w.Roles().Role(examples::kRoleTrajectory))).rgb();
        int hits = 0, shown = 0;
        for (int k = 0; k < 24; ++k) {
            const long double a = 2 * std::numbers::pi_v<long double> * k / 24;
            const Vec3 p{r * std::cos(a), r * std::sin(a), r * r};
            if (!w.IsPointVisible(p)) continue;
            ++shown;
            const Vec2 q = w.ProjectPoint(p);
            hits += quorlin::testing::InkNear(w, image, q.x, q.y, ink, 2) ? 1 : 0;
        }
        EXPECT_GE(shown, 8);
        return shown > 0 ? static_cast<double>(hits) / shown : 0;
    }

    LevelFilteringWindow filtering;
};

TEST_F(TracedCurvesTest, TheSearchTracesAClosedLevelCurveAndClearsItsRequest) {
    Paste("EXPL3;x*x+y*y;-2;2;-2;2;\r\n");
    QImage image = Blank();
    EXPECT_EQ(Search(win, 1, image), 0);
    const TExample& e = win.Inventory()[0];
    EXPECT_EQ(e.LevelSearch(), 0);
    // Once the circle is drawn, later attempts find its points drawn and add nothing: one
    // curve (both directions of it at most), never more than two for each of the 25 attempts.
    EXPECT_GE(e.trajectories.size(), 1u);
    EXPECT_LE(e.trajectories.size(), 2u);
    EXPECT_GE(ShareOnCircle(win, image, 1), 0.9);
    // Asked no more, the next drawing only draws what is stored.
    image = Blank();
    platform::DeviceContext dc(image);
    EXPECT_EQ(win.DrawTracedCurves(dc, 0), 0);
    EXPECT_LE(e.trajectories.size(), 2u);
    EXPECT_GE(ShareOnCircle(win, image, 1), 0.9);
}

TEST_F(TracedCurvesTest, AWindowThatFiltersLevelsDrawsOnlyTheCurvesOfItsLevel) {
    clipboard.SetText(QStringLiteral("EXPL3;x*x+y*y;-2;2;-2;2;\r\n"));
    ASSERT_TRUE(filtering.SendCommand(cmd::kPasteScript));
    QImage image = Blank();
    ASSERT_EQ(Search(filtering, 1, image), 0);
    ASSERT_EQ(Search(filtering, 2, image), 0);
    EXPECT_GE(ShareOnCircle(filtering, image, std::sqrt(2.0L)), 0.9);
    // At level 1 only the curve of level 1 is drawn.
    filtering.Level().value = 1;
    image = Blank();
    platform::DeviceContext dc(image);
    EXPECT_EQ(filtering.DrawTracedCurves(dc, 0), 0);
    EXPECT_GE(ShareOnCircle(filtering, image, 1), 0.9);
    // (The two circles come close on the picture in a few places.)
    EXPECT_LE(ShareOnCircle(filtering, image, std::sqrt(2.0L)), 0.2);
}

TEST_F(TracedCurvesTest, QEndsASearchUntilQ) {
    Paste("EXPL3;x*x+y*y;-2;2;-2;2;\r\n");
    win.Inventory()[0].LevelSearchUntilQ() = 1;
    QCoreApplication::postEvent(&win,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q"));
    QImage image = Blank();
    EXPECT_EQ(Search(win, 1, image), 81);
    EXPECT_EQ(win.Inventory()[0].LevelSearch(), 0);
}

// The search asks its key poll after every attempt (put in here with no pacing): Q at the n-th
// question ends the search there with 81, whether it runs until Q or for its 25 attempts, and
// other keys do not; a window that polls no keys asks nothing and makes its 25 attempts.
TEST_F(TracedCurvesTest, AnInjectedQStopsTheSearchAtThatPoll) {
    Paste("EXPL3;x*x+y*y;-2;2;-2;2;\r\n");
    const struct {
        bool untilQ;
        bool noPolling;
        int stopAt;  // the question answered Q; 0: never
        int key;
        int asked;
    } rows[] = {{true, false, 3, kKeyStop, 3},
                {true, false, 11, kKeyStop, 11},
                {false, false, 7, kKeyStop, 7},
                {false, false, 0, 0, 25},
                {true, true, 2, 0, 0}};
    for (const auto& row : rows) {
        int asked = 0;
        win.SetLevelSearchPoll(
            [&asked, &row] {
                ++asked;
                // A key that is not Q, then Q when its turn comes.
                return asked == row.stopAt ? kKeyStop : 'W';
            },
            std::chrono::steady_clock::duration::zero());
        win.Inventory()[0].LevelSearchUntilQ() = row.untilQ ? 1 : 0;
        win.Output().noPolling = row.noPolling;
        QImage image = Blank();
        EXPECT_EQ(Search(win, 1.5L, image), row.key) << row.stopAt;
        EXPECT_EQ(asked, row.asked) << row.stopAt;
        EXPECT_EQ(win.Inventory()[0].LevelSearch(), 0);
    }
    win.Output().noPolling = false;
    win.SetLevelSearchPoll({});
}

}  // namespace
}  // namespace quorlin::plot3d
