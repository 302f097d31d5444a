// The initial-value dialogs refuse what they must: a step below 1e-16, a delay below 1 when
// watching, a number of terms out of bounds, too few initial values, a start value that does
// not read; a pen width out of 1..25 draws with width 1. Each refusal shows its error and adds
// no trajectory. Their caption names the diagram, the table lists a trajectory's points, and
// their list shows a large start or end in exponent form.
#include <cmath>
#include <utility>

#include "core/numbers.h"
#include "dynamics/window_tools.h"
#include "examples/plot_test_window.h"
#include "platform/strings.h"

namespace quorlin::dynamics {
namespace {

namespace cmd = resources::cmd;
namespace kind = examples::kind;
using resources::ControlKind;

const bool kToolsInstalled = (InstallTrajectoryTools(), true);

class IvpDialogsTest : public quorlin::testing::PlotWindowTest {
protected:
    IvpDialogsTest() {
        EXPECT_TRUE(kToolsInstalled);
        Paste("DEQ2T; -y; x; DEQ2X; x; RECUR2; x/2; y/2;");
        win.AddExample(kind::kHigherOrder, -5, 5, {"", "", "-y"});
        win.Inventory()[3].order = 2;  // y'' = -y
        win.CompileExample(3);
    }

    // Opens the dialog of IVP10, IVP11, IVP12 or IVP20 by its command.
    TIvpDlg& Open(int command) {
        EXPECT_TRUE(win.SendCommand(command));
        const int which = command == cmd::kIvp20 ? 20 : 10 + command - cmd::kIvp10;
        return *static_cast<TWindowTrajectoryTools*>(win.TrajectoryTools())->Dialog(which);
    }
};

TEST_F(IvpDialogsTest, RefusalsShowTheirErrorAndDrawNothing) {
    using namespace ivp;
    struct Case {
        int command;  // the dialog of the system, the dy/dx, sequence or derx example
        int field;
        const char* text;
        int button;
        int error;  // 0: a trajectory is drawn; -1: the reader's error
    };
    const Case cases[] = {
        {cmd::kIvp10, kStep, "0", kDraw, 6},      {cmd::kIvp10, kStep, "1e-17", kDraw, 6},
        {cmd::kIvp10, kStep, "-0.01", kDraw, 0},  {cmd::kIvp10, kDelay, "0", kWatch, 14},
        {cmd::kIvp10, kDelay, "0", kDraw, 0},  // the delay counts only watching
        {cmd::kIvp10, kStartX, "2+", kDraw, -1},  {cmd::kIvp11, kStep, "0", kDraw, 6},
        {cmd::kIvp11, kDelay, "0.5", kWatch, 14}, {cmd::kIvp11, kDelay, "1", kWatch, 0},
        {cmd::kIvp12, kSteps, "0", kDraw, 17},    {cmd::kIvp12, kSteps, "2e6", kDraw, 17},
        {cmd::kIvp12, kDelay, "-3", kWatch, 14},  {cmd::kIvp20, kStep, "0", kDraw, 6},
        {cmd::kIvp20, kStartY, "1", kDraw, 6},  // y'' needs y and y'
        {cmd::kIvp20, kStartY, "1;0", kDraw, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.command << " " << c.field << " '" << c.text << "'");
        TIvpDlg& dialog = Open(c.command);
        const int example = dialog.Example();
        const QString kept = dialog.GetText(c.field, ControlKind::Edit);
        dialog.SetText(c.field, ControlKind::Edit, QString::fromLatin1(c.text));
        const std::size_t before = win.Inventory()[example].trajectories.size();
        const std::size_t shown = prompter.messages.size();
        dialog.Press(c.button);
        dialog.SetText(c.field, ControlKind::Edit, kept);
        EXPECT_EQ(win.Inventory()[example].trajectories.size() - before, c.error == 0 ? 1u : 0u);
        ASSERT_EQ(prompter.messages.size(), shown + (c.error == 0 ? 0u : 1u));
        if (c.error == 0) continue;
        EXPECT_TRUE(prompter.messages.back().error);
        if (c.error > 0) {
            EXPECT_EQ(prompter.messages.back().text, platform::ResourceString(400 + c.error));
        }
    }
}

TEST_F(IvpDialogsTest, CaptionTableAndPenWidths) {
    TIvpDlg& dialog = Open(cmd::kIvp11);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ivps  [noname1.qz2]"));
    // y' = x from (0, 1): y = 1 + x^2 / 2; Runge-Kutta is exact for it.
    dialog.SetChecked(ivp::kEuler, false);
    dialog.SetChecked(ivp::kRungeKutta, true);
    dialog.SetText(ivp::kStep, ControlKind::Edit, QStringLiteral("0.5"));
    dialog.Press(ivp::kDraw);
    ASSERT_EQ(dialog.ItemCount(ivp::kTrajectories), 1);
    dialog.SetSelectedIndex(ivp::kTrajectories, 0);
    dialog.SetText(ivp::kSteps, ControlKind::Edit, QStringLiteral("4"));
    dialog.Press(ivp::kTable);
    const QStringList rows = win.PlainTextWindow().Text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 6);  // the heading, the start and four steps
    const QStringList last = rows.back().split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(last.size(), 2);
    EXPECT_NEAR(last[0].toDouble(), 2.0, 1e-9);
    EXPECT_NEAR(last[1].toDouble(), 3.0, 1e-6);

    // Pen widths outside 1..25 draw with width 1.
    TIvpDlg& systems = Open(cmd::kIvp10);
    for (const auto& [text, width] :
         {std::pair{"30", 1}, {"0", 1}, {"x", 1}, {"25", 25}, {"3", 3}}) {
        systems.SetText(ivp::kPenWidth, ControlKind::Edit, QString::fromLatin1(text));
        EXPECT_EQ(systems.GetPenWidth(), width) << text;
    }
    systems.SetText(ivp::kPenWidth, ControlKind::Edit, QStringLiteral("99"));
    systems.Press(ivp::kDraw);
    EXPECT_EQ(win.Inventory()[0].trajectories.front().pen.width, 1);
}

// Numbers beyond the fixed form read in exponent form with the dialog's digits: a start far
// out, and the end of a system's trajectory that no closing or stop bounded, e^42.
TEST_F(IvpDialogsTest, TheListShowsLargeValuesInExponentForm) {
    TIvpDlg& slopes = Open(cmd::kIvp11);
    slopes.SetText(ivp::kStartX, ControlKind::Edit, QStringLiteral("2e8"));
    slopes.SetText(ivp::kStartY, ControlKind::Edit, QStringLiteral("-3"));
    slopes.SetText(ivp::kStep, ControlKind::Edit, QStringLiteral("0.05"));
    slopes.Press(ivp::kDraw);
    ASSERT_EQ(slopes.ItemCount(ivp::kTrajectories), 1);
    EXPECT_EQ(slopes.ItemText(ivp::kTrajectories, 0).toStdString(),
              "(2.0000e+08,-3.0000) steps 0.0500 Euler");

    TIvpDlg& systems = Open(cmd::kIvp10);
    examples::TTrajectory unbounded;
    unbounded.kind = kind::kSystem;
    unbounded.startX = 1.5L, unbounded.startY = -0.25L, unbounded.startTime = -2;
    unbounded.endTime = -2 + Unbounded();
    win.Inventory()[0].trajectories.push_back(std::move(unbounded));
    systems.FillList();
    ASSERT_EQ(systems.ItemCount(ivp::kTrajectories), 1);
    EXPECT_EQ(systems.ItemText(ivp::kTrajectories, 0).toStdString(),
              "(1.5000,-0.2500) t = -2.0000 fwd t = 1.7393e+18");
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace quorlin::dynamics
