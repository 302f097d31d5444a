// Hidden lines in the 3D window: a pasted surface hides a point under it from the eye through
// the window's dispatcher, the number of checks a point set through "Line-of-sight ..." is the
// one the test takes, the sight shift follows the scene box, a cylindrical surface hides with
// every turn of its range, nothing through its hole and only the sheets a sight line through its
// axis passes, and a 2D window removes nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "dynamics/trajectory_drawing.h"
#include "dynamics/window_tools.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/window3d_fixture.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class PlotRHiddenTest : public ::testing::Test {
protected:
    PlotRHiddenTest() {
        dynamics::InstallTrajectoryTools();
        platform::SetClipboard(&clipboard);
    }
    ~PlotRHiddenTest() override { platform::SetClipboard(nullptr); }

    // The window at 401 x 301 pixels with the script pasted, seen from the eye.
    void OpenAndPaste(examples::TPlotWin& win, const char* script, Vec3 eye) {
        win.SizeChanged(401, 301);
        win.Create();
        clipboard.SetText(QString::fromLatin1(script));
        ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
        win.Observer().eye = eye;
        win.Observer().boxEye = win.SceneBox().WorldToBox(eye);
        ComputeViewAngles(win.Observer());
    }

    // A window starts from the defaults, not from the checks per point an earlier test's
    // window left in the ini file.
    quorlin::testing::FreshIniFiles freshIni;
    platform::MemoryClipboard clipboard;
    platform::ScriptedPrompter prompter;
};

// A window of the common 3D fixture, for the tests that go through a file.
using PlotRHiddenFileTest = quorlin::testing::Window3DTest;

TEST_F(PlotRHiddenTest, APastedSurfaceHidesWhatLiesUnderIt) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    // From (0, 0, -1) the sight line to (5, 0, 5) is under 6x^2 - 5x where it leaves the
    // square and over it half way: twelve checks see the surface, one does not.
    OpenAndPaste(win, "EXPL3;6*x^2-5*x;-1;1;-1;1;\r\n", {5, 0, 5});
    // A thousandth of the box's plan: x and y each 2 wide, widened by a tenth on both sides.
    EXPECT_NEAR(static_cast<double>(win.Scene().hiddenPointOffset), 0.0048, 1e-15);
    const Vec3 under{0, 0, -1}, over{0, 0, 12};
    EXPECT_EQ((std::array{dynamics::IsPointHidden(win, under), dynamics::IsPointHidden(win, over),
                          dynamics::IsPointVisible(win, under)}),
              (std::array{true, false, false}));
    prompter.AnswerInput(QStringLiteral("1"));
    ASSERT_TRUE(win.SendCommand(cmd::kLineOfSight));
    EXPECT_EQ(win.Scene().checksPerPoint, 1);
    EXPECT_FALSE(dynamics::IsPointHidden(win, under));
    win.ClearModified();
    win.CloseWindow();
}

// The counts of "Line-of-sight ..." and "Planarity ..." that the tests read are whole numbers
// of 1..32767; a refused one leaves the setting and names the fault.
TEST_F(PlotRHiddenTest, TheLineOfSightAndPlanarityCountsAreCheckedBeforeTheyAreKept) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(win, "POINT3;1;2;3;\r\n", {15, 20, 10});
    struct Row {
        int command;
        const char* answer;
        const char* error;  // the message, or nothing: taken
        int kept;
        long double tolerance;
    };
    const Row rows[] = {
        {cmd::kLineOfSight, "7", nullptr, 7, 0.1L},
        {cmd::kLineOfSight, "0", "positive value?", 7, 0.1L},
        {cmd::kLineOfSight, "40000", "cannot understand", 7, 0.1L},
        {cmd::kPlanarity, "250", nullptr, 250, 0.25L},
        {cmd::kPlanarity, "70000", "cannot understand", 250, 0.25L},
        {cmd::kLineOfSight, "32767", nullptr, 32767, 0.25L},
    };
    for (const Row& row : rows) {
        prompter.messages.clear();
        prompter.AnswerInput(QString::fromLatin1(row.answer));
        ASSERT_TRUE(win.SendCommand(row.command));
        const examples::TSceneSettings& s = win.Scene();
        EXPECT_EQ(row.command == cmd::kPlanarity ? s.planarity : s.checksPerPoint, row.kept)
            << row.answer;
        EXPECT_NEAR(static_cast<double>(s.planarityTolerance), static_cast<double>(row.tolerance),
                    1e-18)
            << row.answer;
        ASSERT_EQ(prompter.messages.size(), row.error ? 1u : 0u) << row.answer;
        if (row.error) {
            EXPECT_EQ(prompter.messages[0].text, QString::fromLatin1(row.error));
        }
    }
    win.ClearModified();
    win.CloseWindow();
}

TEST_F(PlotRHiddenTest, ParametricSurfacesObscureOnlyWhenAsked) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(win, "SURFPAR;t;u;0;-1;1;-1;1;\r\n", {5, 0, 5});
    const Vec3 under{0, 0.25L, -1};
    const bool before = dynamics::IsPointHidden(win, under);
    ASSERT_TRUE(win.QueryCommand(cmd::kParametricsObscure).enabled);
    ASSERT_TRUE(win.SendCommand(cmd::kParametricsObscure));
    EXPECT_TRUE(win.QueryCommand(cmd::kParametricsObscure).checked);
    EXPECT_EQ((std::array{before, dynamics::IsPointHidden(win, under),
                          dynamics::IsPointHidden(win, {0, 0.25L, 1})}),
              (std::array{false, true, false}));
    win.ClearModified();
    win.CloseWindow();
}

// The helicoid z = t / 2 pi over r <= 1, seen from high above: a point between two of its
// sheets is hidden by the sheet above it, which only the turns beyond the first hold; over a
// range of one turn (only the sheet below) or above the top sheet it shows. The pasted range
// sets the turns the test makes. Over 1.5 turns (t up to 3 pi) the second sheet holds only the
// angles 0..pi: at the angle 4 the one sheet lies at z = 4 / 2 pi (0.637) and the second turn
// would need t = 4 + 2 pi (10.28), beyond the range, so a point above the sheet shows; at the
// angle 0.5 both sheets are there (z = 0.08 and 1.08) and a point between them is hidden.
// With r from 0.6 the point at radius 0.5 lies in the hole, and its sight line runs on into the
// hole, where it passes the second sheet's height (at radius 0.21): no sheet is there. From
// radius 0.7 at the angle 3.6 the sight line runs out of a hole up to 0.75 and meets the second
// sheet at radius 0.91 (z = 1.575).
TEST_F(PlotRHiddenTest, ACylindricalSurfaceHidesWithEveryTurnOfItsRange) {
    const struct {
        const char* script;
        long double radius, angle, z;
        int turns;
        bool hidden;
    } rows[] = {
        {"SURFCYL;t/(2*pi);0;1;0;12.566370614359172;\r\n", 0.5L, 0.5L, 0.58L, 1, true},
        {"SURFCYL;t/(2*pi);0;1;0;6.283185307179586;\r\n", 0.5L, 0.5L, 0.58L, 0, false},
        {"SURFCYL;t/(2*pi);0;1;0;18.84955592153876;\r\n", 0.5L, 0.5L, 1.58L, 2, true},
        {"SURFCYL;t/(2*pi);0;1;0;18.84955592153876;\r\n", 0.5L, 0.5L, 2.58L, 2, false},
        {"SURFCYL;t/(2*pi);0;1;0;9.42477796076938;\r\n", 0.5L, 4, 1.2L, 1, false},
        {"SURFCYL;t/(2*pi);0;1;0;9.42477796076938;\r\n", 0.5L, 0.5L, 0.58L, 1, true},
        {"SURFCYL;t/(2*pi);0.6;1;0;12.566370614359172;\r\n", 0.5L, 0.5L, 0.58L, 1, false},
        {"SURFCYL;t/(2*pi);0.75;1;0;12.566370614359172;\r\n", 0.7L, 3.6L, 1.2L, 1, true},
    };
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        OpenAndPaste(win, row.script, {0, 0, 1});
        ASSERT_EQ(win.Inventory().Count(), 1) << row.script;
        EXPECT_EQ(win.Inventory()[0].AdditionalTurns(), row.turns) << row.script;
        ASSERT_EQ(win.MoveEyeTo({-49.56L, -26.76L, 100.58L}), 0);
        const Vec3 p{row.radius * std::cos(row.angle), row.radius * std::sin(row.angle), row.z};
        EXPECT_EQ(dynamics::IsPointHidden(win, p), row.hidden)
            << row.script << " angle " << row.angle << " z " << row.z;
        win.ClearModified();
        win.CloseWindow();
    }
}

// The helicoid z = t / 2 pi over r <= 1 and 1.25 turns (t up to 2.5 pi), seen from an eye in the
// plane y = 0: the sight line of a point in that plane passes through the axis. At the angle pi
// (the point's side) the sheets lie at z = 0.5 and would lie at 1.5 on a second turn, which t
// does not reach there (3 pi); at the angle 0 (the eye's side) they lie at 0 and 1. From
// (-0.5, 0, 1.3) the line falls by 0.05 a unit of x: over the sheet at 0.5, over the surface's
// axis (up to z = 1.25) at 1.275, and over the sheet at 1 beyond (1.225 at r = 1): it shows.
// From (-0.5, 0, 0.4) it rises by 0.5 a unit through the sheet at 0.5 (x = -0.3): hidden.
TEST_F(PlotRHiddenTest, ASightLineThroughTheAxisSeesOnlyTheSheetsThere) {
    const struct {
        Vec3 p, eye;
        bool hidden;
    } rows[] = {
        {{-0.5L, 0, 1.3L}, {30, 0, 1.3L - 30.5L * 0.05L}, false},
        {{-0.5L, 0, 0.4L}, {30, 0, 0.4L + 30.5L * 0.5L}, true},
    };
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        OpenAndPaste(win, "SURFCYL;t/(2*pi);0;1;0;7.853981633974483;\r\n", row.eye);
        ASSERT_EQ(win.Inventory()[0].AdditionalTurns(), 1);
        EXPECT_EQ(dynamics::IsPointHidden(win, row.p), row.hidden) << row.p.z;
        win.ClearModified();
        win.CloseWindow();
    }
}

// The helicoid's ranges as a file may store them, high end first (neither the dialog nor a
// script takes them so): the diagram opens with the ranges as stored, its turn word counts the
// turns of the t range as stored (none for one given high end first), and each point hides as
// from the surface over the same ranges in order (the rows of the test above).
TEST_F(PlotRHiddenFileTest, RangesStoredHighEndFirstHideAsInOrder) {
    constexpr long double kFourPi = 12.566370614359172L;
    const struct {
        const char* what;
        long double r0, r1, t0, t1;
        long double radius, angle, z;
        int turns;
        bool hidden;
    } rows[] = {
        {"t high end first", 0, 1, kFourPi, 0, 0.5L, 0.5L, 0.58L, 0, true},
        {"r high end first, in the hole", 1, 0.6L, 0, kFourPi, 0.5L, 0.5L, 0.58L, 1, false},
        {"both, in the hole", 1, 0.6L, kFourPi, 0, 0.5L, 0.5L, 0.58L, 0, false},
        {"both, out of the hole", 1, 0.75L, kFourPi, 0, 0.7L, 3.6L, 1.2L, 0, true},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = dir.filePath(QStringLiteral("stored%1.qz3").arg(++n));
        {
            TPlot3Win maker(QStringLiteral("noname2.qz3"));
            maker.SizeChanged(401, 301);
            maker.Create();
            clipboard.SetText(QStringLiteral("SURFCYL;t/(2*pi);0;1;0;1;\r\n"));
            ASSERT_TRUE(maker.SendCommand(cmd::kPasteScript));
            examples::TExample& e = maker.Inventory()[0];
            e.rangeLow = {row.r0, row.t0};
            e.rangeHigh = {row.r1, row.t1};
            dialogs.fileAnswers.push_back(path);
            ASSERT_TRUE(maker.FileSaveAs());
            maker.ClearModified();
            maker.CloseWindow();
        }
        TPlot3Win other(QStringLiteral("noname3.qz3"));
        other.SizeChanged(401, 301);
        other.Create();
        ASSERT_EQ(other.Load(path), 0);
        ASSERT_EQ(other.Inventory().Count(), 1);
        const examples::TExample& e = other.Inventory()[0];
        EXPECT_EQ((std::array{e.rangeLow[0], e.rangeHigh[0], e.rangeLow[1], e.rangeHigh[1]}),
                  (std::array{row.r0, row.r1, row.t0, row.t1}));
        EXPECT_EQ(e.AdditionalTurns(), row.turns);
        ASSERT_EQ(other.MoveEyeTo({-49.56L, -26.76L, 100.58L}), 0);
        const Vec3 p{row.radius * std::cos(row.angle), row.radius * std::sin(row.angle), row.z};
        EXPECT_EQ(dynamics::IsPointHidden(other, p), row.hidden);
        other.ClearModified();
        other.CloseWindow();
    }
}

}  // namespace
}  // namespace quorlin::plot3d
