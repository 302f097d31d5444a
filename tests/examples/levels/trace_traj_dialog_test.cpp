// The trajectory slider through a 2D window and a 3D test window: the list of trajectories, the
// state and field at a time, the scaled vector, the point entry, and the trajectory or its
// example going away while the slider is open.
#include "examples/levels/trace_traj_dialog.h"

#include <cmath>

#include "examples/plot_test_window.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;
using platform::Notification;
using quorlin::testing::AllNear;

class TraceTrajDialogTest : public quorlin::testing::PlotWindowTest {
protected:
    // A system x' = -k y, y' = k x (the circle at speed k) with one trajectory from (1, 0) over
    // [0, 2].
    int AddCircle(const char* k) {
        const std::string dx = std::string("-") + k + "*y";
        const std::string dy = std::string(k) + "*x";
        win.AddExample(kind::kSystem, 0, 1, {dx, dy});
        const int i = win.Inventory().LastIndex();
        win.CompileExample(i);
        win.AddEquationLabel();
        TTrajectoryStart start;
        start.start = {1, 0, 0};
        start.method = 2;
        start.duration = 2;
        win.AddTrajectory(i, start);
        win.InventoryChanged(0);
        win.TrajectoriesChanged();
        return i;
    }
    TTraceTrajDlg& Open() {
        EXPECT_TRUE(win.SendCommand(cmd::kTrajectorySlider));
        return *win.TrajectorySlider();
    }
    static std::string Text(const TTraceTrajDlg& d, int id) { return d.GetText(id).toStdString(); }
};

TEST_F(TraceTrajDialogTest, AnExampleWithoutTrajectoriesAsksForASelection) {
    EXPECT_FALSE(win.QueryCommand(cmd::kTrajectorySlider).enabled);
    win.AddExample(kind::kSystem, 0, 1, {"-y", "x"});
    win.CompileExample(0);
    win.AddEquationLabel();
    win.InventoryChanged(0);
    // The command waits for a trajectory; the slider itself shows the example without one.
    EXPECT_FALSE(win.QueryCommand(cmd::kTrajectorySlider).enabled);
    win.OpenTrajectorySlider();
    TTraceTrajDlg& d = *win.TrajectorySlider();
    EXPECT_EQ(Text(d, TTraceTrajDlg::kReadout), "make a selection");
    EXPECT_FALSE(d.IsControlShown(TTraceTrajDlg::kBar));
    EXPECT_FALSE(d.IsControlEnabled(TTraceTrajDlg::kPoint));
    EXPECT_EQ(d.Trajectory(), nullptr);
}

TEST_F(TraceTrajDialogTest, StateFieldAndScaledVectorAtATime) {
    AddCircle("5");
    EXPECT_TRUE(win.QueryCommand(cmd::kTrajectorySlider).enabled);
    TTraceTrajDlg& d = Open();
    ASSERT_TRUE(d.Trajectory() && d.Cursor());
    EXPECT_EQ(std::tuple(d.ItemCount(TTraceTrajDlg::kTrajectories),
                         d.ScrollPosition(TTraceTrajDlg::kBar), Text(d, TTraceTrajDlg::kTime)),
              std::tuple(1, 50, "1.0000"));  // t = 1
    // The state at t = 1 on the circle of angular speed 5; the field has length 5 and is drawn
    // with the length typed (1.0).
    const TTrajectoryCursorState& c = *d.Cursor();
    EXPECT_TRUE(AllNear({c.state.x, c.state.y, c.fieldLength}, {cosl(5), sinl(5), 5}, 1e-3L));
    EXPECT_NEAR(static_cast<double>(Vec3Length(c.drawn)), 1.0, 1e-15);
    // The end time typed and Enter: the bar at its right end.
    d.SetText(TTraceTrajDlg::kTime, QStringLiteral("2"));
    d.Press(platform::kIdOk);
    EXPECT_EQ(d.ScrollPosition(TTraceTrajDlg::kBar), 100);
    // Beyond the end: out of bounds, nothing moves.
    d.SetText(TTraceTrajDlg::kTime, QStringLiteral("2.5"));
    d.Press(platform::kIdOk);
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("out of bounds")});
    EXPECT_EQ(d.ScrollPosition(TTraceTrajDlg::kBar), 100);
    // The point at t = 0.5 joins the inventory on the trajectory.
    d.SetText(TTraceTrajDlg::kTime, QStringLiteral("0.5"));
    d.Press(TTraceTrajDlg::kPoint);
    ASSERT_EQ(win.Inventory().Count(), 2);
    const TExample& p = win.Inventory()[1];
    EXPECT_EQ(std::tuple(p.derivation, win.SliderChoice().pointToolUsed),
              std::tuple(derived::kTrajectoryPoint, true));
    EXPECT_TRUE(AllNear({p.Tree(1)->re, p.Tree(2)->re}, {cosl(2.5L), sinl(2.5L)}, 1e-3L));
    // The field vector there, one unit long as typed (the field has length 5).
    d.Press(TTraceTrajDlg::kVector);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(win.Inventory()[2].derivation, derived::kTrajectoryVector);
    EXPECT_NEAR(static_cast<double>(win.Inventory()[2].rangeHigh[0]), 0.2, 1e-3);
    // The slider still follows its trajectory; the picture shows its cursor.
    EXPECT_TRUE(d.Trajectory() && d.ScrollPosition(TTraceTrajDlg::kBar) == 25);
    const QImage image = Picture();
    EXPECT_TRUE(InkAt(image, std::cos(2.5L), std::sin(2.5L), ColourOf(1), 3));
}

TEST_F(TraceTrajDialogTest, TheTrajectoryOrItsExampleGoingAwayLeavesTheSliderWithoutIt) {
    AddCircle("1");
    const int second = AddCircle("2");
    TTraceTrajDlg& d = Open();
    d.SelectPosition(1);
    ASSERT_EQ(d.SelectedExample(), second);
    // A newer trajectory of the same example comes first in the list; the slider keeps its own.
    TTrajectoryStart start;
    start.start = {2, 0, 0};
    start.duration = 1;
    win.AddTrajectory(second, start);
    win.TrajectoriesChanged();
    EXPECT_EQ(std::tuple(d.ItemCount(TTraceTrajDlg::kTrajectories),
                         d.SelectedIndex(TTraceTrajDlg::kTrajectories), d.Trajectory()->startX),
              std::tuple(2, 1, 1));
    // Its trajectory goes: the time controls go with it.
    win.Inventory()[second].trajectories.pop_back();
    win.TrajectoriesChanged();
    EXPECT_TRUE(!d.Trajectory() && !d.IsControlShown(TTraceTrajDlg::kBar));
    d.OnNotify(TTraceTrajDlg::kBar, Notification::Scrolled);
    d.Press(TTraceTrajDlg::kPoint);
    d.Press(platform::kIdOk);
    Picture();
    // The first example goes: the slider follows its example to its new index; then that one
    // goes and nothing is left selected.
    d.SelectPosition(1);
    d.OnNotify(TTraceTrajDlg::kTrajectories, Notification::SelectionChanged);
    const int first[] = {0};
    win.DeleteExamples(first);
    EXPECT_EQ(d.SelectedExample(), 0);
    win.Inventory()[0].FreeTrajectories();
    win.DeleteExamples(first);
    win.InventoryChanged(0);
    EXPECT_TRUE(d.SelectedExample() == -1 && !d.Trajectory());
    Picture();
}

TEST(TraceTrajDialog3D, ReadoutHasThreeCoordinates) {
    platform::ScriptedPrompter prompter;
    TPlot111Win win(961, QStringLiteral("noname1.qz3"), QStringLiteral("t3.ini"), 3);
    win.SizeChanged(401, 401);
    win.AddExample(kind::kSpaceSystem, 0, 1, {"0", "0", "1"});
    win.CompileExample(0);
    win.AddEquationLabel();
    TTrajectoryStart start;
    start.start = {1, 2, 0};
    start.duration = 4;
    win.AddTrajectory(0, start);
    ASSERT_TRUE(win.SendCommand(cmd::kTrajectorySlider));
    TTraceTrajDlg& d = *win.TrajectorySlider();
    EXPECT_EQ(d.GetText(TTraceTrajDlg::kReadout).toStdString(),
              "( 1.0000 , 2.0000 , 2.0000 )\r\n[ 0.0000 , 0.0000 , 1.0000 ]");
}

}  // namespace
}  // namespace quorlin::examples
