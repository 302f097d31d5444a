// The x-intercepts dialog on a 2D window: each use of the command shows the next zero and records
// it on the example; save and mark follow what was found and the room left; a segment whose end
// moves with a parameter is searched where it is now; a curve drawn across a logarithmic x-axis
// is searched over the values it shows.
#include "tools2d/searches/zero_dialog.h"

#include <cmath>
#include <numbers>

#include "examples/levels/slide_dialog.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
namespace cmd = resources::cmd;
constexpr long double kPi = std::numbers::pi_v<long double>;

class ZeroDialogTest : public ToolsWindowTest {
protected:
    TZeroDlg& Zeros() { return Command(cmd::kZeros, &TWindowAnalysisTools::Zeros); }
    std::string Shown(const TZeroDlg& d) const {
        return d.GetText(TZeroDlg::kResult).toStdString();
    }
    bool CanMark(const TZeroDlg& d) const { return d.IsControlEnabled(TZeroDlg::kMark); }
};

TEST_F(ZeroDialogTest, EachUseShowsTheNextZeroAndRecordsIt) {
    Paste("EXPL2;sin(x);LOCK;1;10;");
    ASSERT_TRUE(win.QueryCommand(cmd::kZeros).enabled);
    TZeroDlg& d = Zeros();
    EXPECT_NEAR(d.LastZero(), kPi, 1e-12L);
    EXPECT_EQ(Shown(d), win.FormatNum(d.LastZero()));
    Zeros();
    EXPECT_NEAR(d.LastZero(), 2 * kPi, 1e-12L);
    d.Press(TZeroDlg::kNext);
    EXPECT_NEAR(d.LastZero(), 3 * kPi, 1e-12L);
    const examples::MarkedPointList& entries = win.Inventory()[0].markedPoints;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.front().code, 10);
    EXPECT_EQ(entries.front().label, "x-intercept");
    EXPECT_NEAR(entries.front().values[0], 3 * kPi, 1e-12L);  // newest first
    EXPECT_NEAR(entries.back().values[0], kPi, 1e-12L);
    d.Press(TZeroDlg::kNext);  // pi again: the entry is there already
    EXPECT_NEAR(d.LastZero(), kPi, 1e-12L);
    EXPECT_EQ(Entries(0), 3u);
}

TEST_F(ZeroDialogTest, FailuresAreResultTextsAndDisableSaveAndMark) {
    Paste("EXPL2;x^2+1;EXPL2;0;");
    TZeroDlg& d = Zeros();  // the first curve is chosen
    EXPECT_EQ(Shown(d), "could not find");
    EXPECT_FALSE(d.Found());
    EXPECT_FALSE(CanMark(d));
    EXPECT_FALSE(d.IsControlEnabled(TZeroDlg::kSave));
    Pick(d, 1);
    EXPECT_EQ(Shown(d), "too many");
    EXPECT_FALSE(CanMark(d));
    EXPECT_EQ(Entries(0) + Entries(1), 0u);
    EXPECT_TRUE(Errors().empty());  // no boxes
}

TEST_F(ZeroDialogTest, MarkWaitsForRoomAndSaveMovesTheShownSlider) {
    ASSERT_TRUE(win.ResizeInventory(1, true));  // two examples fit
    Paste("EXPL2;x-0.25;");
    TZeroDlg& d = Zeros();
    ASSERT_TRUE(d.Found());
    ASSERT_TRUE(CanMark(d));
    d.SetSelectedIndex(TZeroDlg::kLetter, 1);  // B
    d.OnNotify(TZeroDlg::kLetter, platform::Notification::SelectionChanged);
    win.OpenParamDialog(2);
    d.Press(TZeroDlg::kSave);
    EXPECT_EQ(win.Formulas().Var(2), d.LastZero());
    EXPECT_NEAR(win.Formulas().Var(2), 0.25L, 1e-15L);
    d.Press(TZeroDlg::kMark);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].kind, k::kPoint);
    d.Press(TZeroDlg::kNext);
    ASSERT_TRUE(d.Found());
    EXPECT_FALSE(CanMark(d));  // full
}

TEST_F(ZeroDialogTest, MarkingClearsTheZeroInsteadOfReportingAFailedSearch) {
    Paste("EXPL2;x^2-3;");
    TZeroDlg& d = Zeros();
    d.Press(TZeroDlg::kNext);
    ASSERT_TRUE(d.Found());
    EXPECT_NEAR(d.LastZero(), std::sqrt(3.0L), 1e-15L);
    d.Press(TZeroDlg::kMark);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(Shown(d), "");  // no search ran, so none failed
    EXPECT_FALSE(d.Found());
    EXPECT_FALSE(CanMark(d));
    d.Press(TZeroDlg::kNext);
    EXPECT_NEAR(d.LastZero(), -std::sqrt(3.0L), 1e-15L);
    EXPECT_EQ(Shown(d), win.FormatNum(d.LastZero()));
}

TEST_F(ZeroDialogTest, AnUprightSegmentIsSearchedWhereItsEndsAreNow) {
    win.Formulas().SetVar(1, -1);
    const int segment = Add(k::kSegment, -5, 5, {"2", "a", "2", "3"});
    TZeroDlg& d = Zeros();  // before any paint
    ASSERT_TRUE(d.Found());
    EXPECT_EQ(d.LastZero(), 2);
    win.Formulas().SetVar(1, 1);  // the low end rises above the axis
    d.Press(TZeroDlg::kNext);
    EXPECT_EQ(Shown(d), "could not find");
    EXPECT_EQ(Entries(segment), 1u);
}

TEST_F(ZeroDialogTest, ALogarithmicXAxisIsSearchedOverTheValuesItShows) {
    win.View().logMode = canvas::kLogX;
    win.View().SetLogCorners(2, 300, -5, 5);  // the corners become exponents
    Paste("EXPL2;x-50;EXPL2;(x-3)*(x-0.5);");
    TZeroDlg& d = Zeros();
    ASSERT_TRUE(d.Found());
    EXPECT_NEAR(d.LastZero(), 50, 1e-12L);
    Pick(d, 1);  // 0.5 lies left of the view
    ASSERT_TRUE(d.Found());
    EXPECT_NEAR(d.LastZero(), 3, 1e-12L);
    d.Press(TZeroDlg::kNext);
    EXPECT_NEAR(d.LastZero(), 3, 1e-12L);
}

}  // namespace
}  // namespace quorlin::tools2d
