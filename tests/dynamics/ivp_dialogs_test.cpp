// The initial-value dialogs refuse what they must: a step below 1e-16, a delay below 1 when
// watching, a number of terms out of bounds, too few initial values, a start value that does
// not read; a pen width out of 1..25 draws with width 1. Each refusal shows its error and adds
// no trajectory. Their caption names the diagram, and the table lists a trajectory's points.
#include <cmath>

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

    TIvpDlg& Open(int command) {
        EXPECT_TRUE(win.SendCommand(command));
        const int which = command == cmd::kIvp10   ? 10
                          : command == cmd::kIvp11 ? 11
                          : command == cmd::kIvp12 ? 12
                                                   : 20;
        auto* tools = static_cast<TWindowTrajectoryTools*>(win.TrajectoryTools());
        return *tools->Dialog(which);
    }
};

TEST_F(IvpDialogsTest, RefusalsShowTheirErrorAndDrawNothing) {
    struct Case {
        int command;
        int field;
        const char* text;
        int button;
        int error;  // 0: a trajectory is drawn
        int example;
    };
    const Case cases[] = {
        {cmd::kIvp10, ivp::kStep, "0", ivp::kDraw, 6, 0},
        {cmd::kIvp10, ivp::kStep, "1e-17", ivp::kDraw, 6, 0},
        {cmd::kIvp10, ivp::kStep, "-0.01", ivp::kDraw, 0, 0},
        {cmd::kIvp10, ivp::kDelay, "0", ivp::kWatch, 14, 0},
        {cmd::kIvp10, ivp::kDelay, "0", ivp::kDraw, 0, 0},  // the delay counts only watching
        {cmd::kIvp10, ivp::kStartX, "2+", ivp::kDraw, -1, 0},
        {cmd::kIvp11, ivp::kStep, "0", ivp::kDraw, 6, 1},
        {cmd::kIvp11, ivp::kDelay, "0.5", ivp::kWatch, 14, 1},
        {cmd::kIvp11, ivp::kDelay, "1", ivp::kWatch, 0, 1},
        {cmd::kIvp12, ivp::kSteps, "0", ivp::kDraw, 17, 2},
        {cmd::kIvp12, ivp::kSteps, "2e6", ivp::kDraw, 17, 2},
        {cmd::kIvp12, ivp::kDelay, "-3", ivp::kWatch, 14, 2},
        {cmd::kIvp20, ivp::kStep, "0", ivp::kDraw, 6, 3},
        {cmd::kIvp20, ivp::kStartY, "1", ivp::kDraw, 6, 3},  // y'' needs y and y'
        {cmd::kIvp20, ivp::kStartY, "1;0", ivp::kDraw, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.command << " " << c.field << " '" << c.text << "'");
        TIvpDlg& dialog = Open(c.command);
        const QString kept = dialog.GetText(c.field, ControlKind::Edit);
        dialog.SetText(c.field, ControlKind::Edit, QString::fromLatin1(c.text));
        const std::size_t before = win.Inventory()[c.example].trajectories.size();
        const std::size_t shown = prompter.messages.size();
        dialog.Press(c.button);
        const std::size_t added = win.Inventory()[c.example].trajectories.size() - before;
        if (c.error == 0) {
            EXPECT_EQ(prompter.messages.size(), shown);
            EXPECT_EQ(added, 1u);
        } else {
            ASSERT_EQ(prompter.messages.size(), shown + 1);
            EXPECT_TRUE(prompter.messages.back().error);
            if (c.error > 0) {
                EXPECT_EQ(prompter.messages.back().text, platform::ResourceString(400 + c.error));
            }
            EXPECT_EQ(added, 0u);
        }
        dialog.SetText(c.field, ControlKind::Edit, kept);
    }
}

TEST_F(IvpDialogsTest, PenWidthsOutsideTheRangeDrawWithWidthOne) {
    TIvpDlg& dialog = Open(cmd::kIvp10);
    for (const auto& [text, width] :
         {std::pair{"30", 1}, {"0", 1}, {"x", 1}, {"25", 25}, {"3", 3}}) {
        dialog.SetText(ivp::kPenWidth, ControlKind::Edit, QString::fromLatin1(text));
        EXPECT_EQ(dialog.GetPenWidth(), width) << text;
    }
    dialog.SetText(ivp::kPenWidth, ControlKind::Edit, QStringLiteral("99"));
    dialog.Press(ivp::kDraw);
    EXPECT_EQ(win.Inventory()[0].trajectories.front().pen.width, 1);
}

TEST_F(IvpDialogsTest, CaptionNamesTheDiagramAndTheTableListsTheSteps) {
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
}

}  // namespace
}  // namespace quorlin::dynamics
