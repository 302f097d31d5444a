// The trajectory tools of a 2D window, driven as a user drives them: a system pasted by the
// script, the "dx/dt trajectory" dialog opened from the menu, a time window x(t) and a phase
// window xy opened from the menu; a trajectory drawn from the dialog shows in the window and,
// step by step as it is traced, in both linked windows on its closed form. Then the mouse mode,
// the open-tools mask, deletion and the closing of the window with its linked windows.
#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <cmath>
#include <numbers>

#include "dynamics/window_tools.h"
#include "examples/plot_test_window.h"
#include "support/curve_pixels.h"

namespace quorlin::dynamics {
namespace {

namespace cmd = resources::cmd;
using examples::tools_mask::kIvp10;

const bool kToolsInstalled = (InstallTrajectoryTools(), true);

class WindowToolsTest : public quorlin::testing::PlotWindowTest {
protected:
    WindowToolsTest() {
        EXPECT_TRUE(kToolsInstalled);
        Paste("DEQ2T; -y; x;");  // circles about the origin
    }

    TWindowTrajectoryTools& Tools() {
        return *static_cast<TWindowTrajectoryTools*>(win.TrajectoryTools());
    }
    TIvp10Dlg& Dialog() { return *static_cast<TIvp10Dlg*>(Tools().Dialog(10)); }

    // Opens the linked window by its menu command, sized and painted once.
    TLinkedWin& OpenLinked(int command) {
        EXPECT_TRUE(win.SendCommand(command));
        TLinkedWin* linked = command < cmd::kPhaseWindowFirst
                                 ? Tools().TimeWindow(command - cmd::kTimeWindowFirst)
                                 : Tools().PhaseWindow(command - cmd::kPhaseWindowFirst);
        EXPECT_NE(linked, nullptr);
        linked->SizeChanged(401, 401);
        linked->RecomputeView();
        linked->RenderImage(ImageLayer::Picture);
        return *linked;
    }

    // Whether the window's picture shows the colour near (x, y) as it stands, not drawn again.
    static bool InkNow(TLinkedWin& w, long double x, long double y, QRgb colour) {
        return quorlin::testing::InkNear(w, w.Image(ImageLayer::Picture), x, y, colour, 2);
    }
};

TEST_F(WindowToolsTest, ADialogTrajectoryShowsInTheWindowAndStepByStepInItsLinkedWindows) {
    TLinkedWin& time = OpenLinked(cmd::kTimeWindowFirst);    // x(t)
    TLinkedWin& phase = OpenLinked(cmd::kPhaseWindowFirst);  // xy
    ASSERT_TRUE(win.SendCommand(cmd::kIvp10));
    ASSERT_FALSE(Dialog().IsHidden());
    EXPECT_EQ(win.MouseMode(), cmd::kMouseTrajectories);

    Dialog().SetText(ivp::kStartX, resources::ControlKind::Edit, QStringLiteral("2"));
    Dialog().SetText(ivp::kStartY, resources::ControlKind::Edit, QStringLiteral("0"));
    Dialog().Press(ivp::kDraw);
    ASSERT_TRUE(Errors().empty());
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
    EXPECT_EQ(Dialog().ItemCount(ivp::kTrajectories), 1);
    const QRgb colour = ColourOf(0);

    // The circle of radius 2, once round (the loop closes), in the window ...
    const auto circle = [](long double t) { return std::pair{2 * std::cos(t), 2 * std::sin(t)}; };
    EXPECT_GT(ShareOnCurve(Picture(), colour, 0, 2 * std::numbers::pi_v<long double>, 60, circle),
              0.95);
    // ... and in the linked windows as the steps came, their pictures not drawn again.
    ASSERT_TRUE(phase.IsImageCurrent(ImageLayer::Background));
    ASSERT_TRUE(time.IsImageCurrent(ImageLayer::Background));
    for (const long double t : {0.5L, 1.5L, 3.0L, 4.5L, 6.0L}) {
        EXPECT_TRUE(InkNow(phase, 2 * std::cos(t), 2 * std::sin(t), colour)) << t;
        EXPECT_TRUE(InkNow(time, t, 2 * std::cos(t), colour)) << t;
        EXPECT_FALSE(InkNow(time, t, -2 * std::cos(t), colour)) << t;
    }
    // Their own repaint traces the same trajectory.
    time.InvalidateImage(ImageLayer::Background);
    time.RenderImage(ImageLayer::Picture);
    EXPECT_TRUE(InkNow(time, 1.0L, 2 * std::cos(1.0L), colour));
}

TEST_F(WindowToolsTest, ClicksDeletionTheOpenToolsMaskAndLinkedWindowsClosed) {
    ASSERT_TRUE(win.SendCommand(cmd::kIvp10));
    OpenLinked(cmd::kPhaseWindowFirst);
    EXPECT_EQ(win.OpenToolsMask(), kIvp10 | 128);

    // Backward and forward from the clicked point (0, -3): one record each way unless the loop
    // closes first; it does, so only the forward one is kept.
    Dialog().SetChecked(ivp::kForward, false);
    Dialog().SetChecked(ivp::kBoth, true);
    win.MouseDown({platform::MouseButton::Left, QPoint(win.XToScreen(0), win.YToScreen(-3))});
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
    EXPECT_NEAR(static_cast<double>(win.Inventory()[0].trajectories[0].startY), -3, 0.05);
    const auto circle = [](long double t) { return std::pair{3 * std::sin(t), -3 * std::cos(t)}; };
    EXPECT_GT(ShareOnCurve(Picture(), ColourOf(0), 0, 6, 40, circle), 0.95);

    // Deleting the trajectory takes it off the picture.
    Dialog().SetSelectedIndex(ivp::kTrajectories, 0);
    Dialog().Press(ivp::kDelete);
    EXPECT_TRUE(win.Inventory()[0].trajectories.empty());
    EXPECT_FALSE(InkAt(Picture(), 0, -3, ColourOf(0)));

    // Closing hides the dialog; the mask follows.
    Dialog().Press(2);
    EXPECT_EQ(win.OpenToolsMask(), 128);

    // A linked window closed by the user hides, and goes with its window.
    TLinkedWin& phase = OpenLinked(cmd::kPhaseWindowFirst);
    QPointer<TLinkedWin> watched(&phase);
    phase.SendCommand(cmd::kClose);
    ASSERT_TRUE(watched);
    EXPECT_TRUE(watched->platform::Window::IsHidden());
    EXPECT_EQ(win.OpenToolsMask(), 0);
    OpenLinked(cmd::kPhaseWindowFirst);  // shown again, the same window
    EXPECT_EQ(Tools().PhaseWindow(0), watched.data());
    Tools().Close();  // what the window does when it closes
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(watched);
}

// The time and phase windows are tool windows of the window's top-level window, which window
// managers keep above it; another diagram read into the window either hides them, when it has
// nothing for them, or gives them its trajectories, axes and view.
TEST_F(WindowToolsTest, LinkedWindowsStayAboveTheirOwnerAndFollowItsDiagram) {
    TLinkedWin& phase = OpenLinked(cmd::kPhaseWindowFirst);
    QWidget* host = phase.OuterWidget();
    EXPECT_EQ(host->windowType(), Qt::Tool);
    ASSERT_NE(host->windowHandle(), nullptr);
    EXPECT_EQ(host->windowHandle()->transientParent(), win.window()->windowHandle());

    // Two files: a trajectory round the circle of radius 3, and a diagram of a line alone.
    Paste("DEQ2T; -y; x; TRAJ; 1; 3; 0; 0; -1;");
    ASSERT_EQ(win.Inventory()[1].trajectories.size(), 1u);
    const auto& pen = win.Inventory()[1].trajectories.front().pen;
    const QRgb colour = win.OutputColor(win.DrawColor(pen.colour)).rgb();
    // A point of the circle away from the axes and the grid.
    const long double cx = 3 * std::cos(0.7L), cy = 3 * std::sin(0.7L);
    QTemporaryDir dir;
    const QString circle = dir.filePath(QStringLiteral("circle.qz2"));
    const QString line = dir.filePath(QStringLiteral("line.qz2"));
    ASSERT_TRUE(win.SaveTo(circle));
    win.RemoveExamplesAfter(-1);
    Paste("EXPL2; x;");
    ASSERT_TRUE(win.SaveTo(line));
    phase.InvalidateImage(ImageLayer::Background);
    phase.RenderImage(ImageLayer::Picture);
    EXPECT_FALSE(InkNow(phase, cx, cy, colour));

    // The circle's file read in: the phase window draws its trajectory afresh.
    ASSERT_EQ(win.Load(circle), 0);
    EXPECT_FALSE(phase.IsImageCurrent(ImageLayer::Background));
    phase.RenderImage(ImageLayer::Picture);
    EXPECT_TRUE(InkNow(phase, cx, cy, colour));
    EXPECT_FALSE(phase.platform::Window::IsHidden());

    // The line's: nothing for the phase window to show, and it hides.
    ASSERT_EQ(win.Load(line), 0);
    EXPECT_TRUE(phase.platform::Window::IsHidden());
}

// The trace asks its key poll at every step (put in here with no pacing), and the picture drawn
// afresh before it polls none of it: Q at the n-th question stops the trajectory after n steps,
// other keys do not, and the record ends there, at the start time plus n steps.
TEST_F(WindowToolsTest, ATrajectoryWithoutEndStoppedByQEndsWhereItStopped) {
    Paste("DEQ2T; y; (1-x^2)*y-x;");  // a limit cycle: from inside it never closes nor leaves
    ASSERT_TRUE(win.SendCommand(cmd::kIvp10));
    Dialog().SetSelectedIndex(ivp::kExamples, 1);
    Dialog().OnNotify(ivp::kExamples, platform::Notification::SelectionChanged);
    ASSERT_EQ(Dialog().Example(), 1);
    const struct {
        int stopAt;
        const char* startX;
        const char* startT;
        const char* step;
        long double endTime;
    } rows[] = {{40, "0.5", "0", "0.01", 0.4L}, {130, "-0.3", "0.75", "0.02", 3.35L}};
    for (const auto& row : rows) {
        int asked = 0;
        win.SetTraceKeyPoll([&asked, &row] { return ++asked == row.stopAt ? kKeyStop : 'W'; },
                            TTimedPoll::Clock::duration::zero());
        Dialog().SetText(ivp::kStartX, resources::ControlKind::Edit, row.startX);
        Dialog().SetText(ivp::kStartT, resources::ControlKind::Edit, row.startT);
        Dialog().SetText(ivp::kStep, resources::ControlKind::Edit, row.step);
        Dialog().Press(ivp::kDraw);
        win.SetTraceKeyPoll({});
        EXPECT_EQ(asked, row.stopAt);
        const auto& list = win.Inventory()[1].trajectories;
        ASSERT_FALSE(list.empty());
        EXPECT_NEAR(static_cast<double>(list[0].endTime), static_cast<double>(row.endTime), 1e-9)
            << row.stopAt;
    }
    Picture();  // a repaint draws them as they were shown, and returns
}

TEST_F(WindowToolsTest, TheTrajectoriesModeStartsATrajectoryOfTheOpenDialogAtTheClick) {
    ASSERT_TRUE(win.SendCommand(cmd::kIvp10));
    ASSERT_TRUE(win.SendCommand(cmd::kMouseCoordinates));
    ASSERT_TRUE(win.SendCommand(cmd::kMouseTrajectories));
    EXPECT_EQ(win.MouseMode(), cmd::kMouseTrajectories);
    win.MouseDown({platform::MouseButton::Left, QPoint(win.XToScreen(1), win.YToScreen(0))});
    EXPECT_EQ(win.Inventory()[0].trajectories.size(), 1u);
}

// The dy/dx, derx(n,y) and sequence dialogs need an example of their kind: in a window with
// only a system each says "not enough examples" and nothing opens; once there is one it opens.
TEST_F(WindowToolsTest, DialogsWithoutAnExampleOfTheirKindSayNotEnoughExamples) {
    for (const auto& [command, which] :
         {std::pair{cmd::kIvp11, 11}, {cmd::kIvp12, 12}, {cmd::kIvp20, 20}}) {
        prompter.messages.clear();
        win.SendCommand(command);
        EXPECT_EQ(Errors(), std::vector<QString>{"not enough examples"}) << which;
        EXPECT_EQ(Tools().Dialog(which), nullptr) << which;
    }
    Paste("RECUR2; x/2; y/2;");
    prompter.messages.clear();
    ASSERT_TRUE(win.SendCommand(cmd::kIvp12));
    EXPECT_TRUE(Errors().empty());
    ASSERT_NE(Tools().Dialog(12), nullptr);
    EXPECT_FALSE(Tools().Dialog(12)->IsHidden());
}

}  // namespace
}  // namespace quorlin::dynamics
