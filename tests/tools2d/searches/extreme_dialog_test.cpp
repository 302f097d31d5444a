// The extreme-values dialog on a 2D window: the uses of the command walk a locked parabola's
// ends and minimum, the lists follow the curve's kind, another target goes on where the scan
// was, "save" puts the chosen coordinate of the shown point into the letter.
#include "tools2d/searches/extreme_dialog.h"

#include <numbers>

#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
namespace cmd = resources::cmd;
constexpr long double kPi = std::numbers::pi_v<long double>;

class ExtremeDialogTest : public ToolsWindowTest {
protected:
    TExtrDlg& Extremes() { return Command(cmd::kExtremes, &TWindowAnalysisTools::Extremes); }
    static long double X(const TExtrDlg& d) { return d.Shown()->values[0]; }
    static void Choose(TExtrDlg& d, int id, int position) {
        d.SetSelectedIndex(id, position);
        d.OnNotify(id, platform::Notification::SelectionChanged);
    }
};

TEST_F(ExtremeDialogTest, ALockedParabolaGivesItsEndsAndItsMinimumInTurn) {
    Paste("EXPL2;x^2;LOCK;-1;2;");
    ASSERT_TRUE(win.QueryCommand(cmd::kExtremes).enabled);
    TExtrDlg& d = Extremes();
    std::vector<long double> xs;
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(d.Shown());
        xs.push_back(X(d));
        if (k < 3) Extremes();
    }
    EXPECT_EQ(xs[0], -1);
    EXPECT_NEAR(xs[1], 0, 1e-12L);
    EXPECT_EQ(xs[2], 2);
    EXPECT_EQ(xs[3], -1);
    EXPECT_EQ(d.GetText(TExtrDlg::kResult).toStdString(),
              "x = " + win.FormatNum(-1) + "\r\ny = " + win.FormatNum(1) + "\r\n");
    const examples::TMarkedPoint& entry = win.Inventory()[0].markedPoints.front();
    EXPECT_EQ(entry.code, 30);
    EXPECT_EQ(entry.label, "extreme y: (x,y)");
    EXPECT_EQ(Entries(0), 3u);  // -1 was found twice
}

TEST_F(ExtremeDialogTest, TheSlopeTargetShowsTheInflectionPoints) {
    Paste("EXPL2;sin(x);LOCK;-1;7;");
    TExtrDlg& d = Extremes();
    EXPECT_EQ(d.ItemText(TExtrDlg::kTarget, 1), QStringLiteral("Y'"));
    EXPECT_EQ(d.ItemText(TExtrDlg::kCoordinate, 2), QStringLiteral("Y'"));
    EXPECT_EQ(X(d), -1);              // the left end
    Choose(d, TExtrDlg::kTarget, 1);  // y': the scan starts after the left end
    ASSERT_TRUE(d.Shown());
    EXPECT_NEAR(X(d), 0, 1e-12L);
    EXPECT_NEAR(d.Shown()->values[2], 1, 1e-12L);
    d.Press(TExtrDlg::kNext);
    EXPECT_NEAR(X(d), kPi, 1e-12L);
    EXPECT_NEAR(d.Shown()->values[2], -1, 1e-12L);
    EXPECT_EQ(win.Inventory()[0].markedPoints.front().code, 34);
    // "save" as Y' into C, with C's slider shown.
    Choose(d, TExtrDlg::kCoordinate, 2);
    Choose(d, TExtrDlg::kLetter, 2);
    win.OpenParamDialog(3);
    d.Press(TExtrDlg::kSave);
    EXPECT_EQ(win.Formulas().Var(3), d.Shown()->values[2]);
}

TEST_F(ExtremeDialogTest, CurvesInTHaveTheirOwnTargetsAndCoordinates) {
    Paste("PARAM2;2*cos(t);sin(t);0;2*pi;");
    TExtrDlg& d = Extremes();
    EXPECT_EQ(d.ItemText(TExtrDlg::kCoordinate, 3), QStringLiteral("T"));
    Choose(d, TExtrDlg::kTarget, 1);  // Y
    ASSERT_TRUE(d.Shown());
    // x's extreme at t = 0 was shown first; y's scan goes on after it.
    EXPECT_NEAR(d.Shown()->values[3], kPi / 2, 1e-12L);
    EXPECT_NEAR(d.Shown()->values[1], 1, 1e-12L);
    d.Press(TExtrDlg::kNext);
    EXPECT_NEAR(d.Shown()->values[3], 3 * kPi / 2, 1e-12L);
    EXPECT_NEAR(d.Shown()->values[1], -1, 1e-12L);
    Choose(d, TExtrDlg::kCoordinate, 3);  // T into A
    d.Press(TExtrDlg::kSave);
    EXPECT_EQ(win.Formulas().Var(1), d.Shown()->values[3]);
    EXPECT_EQ(win.Inventory()[0].markedPoints.front().label, "extreme y: (x,y,r,t)");
    EXPECT_TRUE(d.IsControlEnabled(TExtrDlg::kMark));
    d.Press(TExtrDlg::kMark);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].kind, k::kPoint);
}

}  // namespace
}  // namespace quorlin::tools2d
