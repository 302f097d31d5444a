// The dialogs on two lists and on an interval, on a 2D window: the second list's selection
// through refills, limits inside the view, limits tied to two parameters, and the marked point
// of a result.
#include "examples/levels/interval_dialog.h"

#include "examples/levels/slide_dialog.h"
#include "examples/plot_test_window.h"

namespace quorlin::examples {
namespace {

// An interval dialog whose result is the length of the interval.
class LengthDialog : public TPreRiemDlg {
public:
    explicit LengthDialog(TPlot1Win& window) : TPreRiemDlg(window, "ARCLEN", kKinds, 53, 176) {}
    void Apply() { ApplyInterval(); }

protected:
    int ComputeResult() override {
        result_ = tool_.Tools().high - tool_.Tools().low;
        resultText_ = std::to_string(static_cast<double>(result_));
        return 0;
    }

private:
    static constexpr int kKinds[] = {kind::kExplicit};
};

// An interval dialog whose computation the user stops with Q.
class StoppedDialog : public TPreRiemDlg {
public:
    explicit StoppedDialog(TPlot1Win& window) : TPreRiemDlg(window, "ARCLEN", kKinds, 53, 176) {}

protected:
    int ComputeResult() override { return kKeyStop; }

private:
    static constexpr int kKinds[] = {kind::kExplicit};
};

// An interval dialog that gives the length, or stops as Q does when told to.
class StoppableDialog : public TPreRiemDlg {
public:
    explicit StoppableDialog(TPlot1Win& window) : TPreRiemDlg(window, "ARCLEN", kKinds, 53, 176) {}
    bool stop = false;

protected:
    int ComputeResult() override {
        if (stop) return kKeyStop;
        result_ = tool_.Tools().high - tool_.Tools().low;
        resultText_ = "length";
        return 0;
    }

private:
    static constexpr int kKinds[] = {kind::kExplicit};
};

class IntervalDialogTest : public quorlin::testing::PlotWindowTest {};

TEST_F(IntervalDialogTest, AFailedOrStoppedRunClearsTheResultShown) {
    Paste("EXPL2;x;");
    StoppableDialog dialog(win);
    dialog.Create();
    const struct {
        const char *low, *high, *n;
        bool stop;
        const char* error;  // empty: none shown
    } rows[] = {
        {"1", "3", "10", true, ""},
        {"3", "1", "10", false, "inconsistent data"},
        {"1", "3", "12345678901", false, "out of bounds"},
        {"1", "30", "10", false, "out of bounds"},
    };
    for (const auto& row : rows) {
        dialog.stop = false;
        dialog.SetText(TPreRiemDlg::kLowEdit, QStringLiteral("1"));
        dialog.SetText(TPreRiemDlg::kHighEdit, QStringLiteral("2"));
        dialog.SetText(TPreRiemDlg::kSubintervalEdit, QStringLiteral("10"));
        dialog.Press(TPreRiemDlg::kValueButton);
        ASSERT_EQ(dialog.GetText(TPreRiemDlg::kResultStatic), QStringLiteral("length"));
        dialog.stop = row.stop;
        dialog.SetText(TPreRiemDlg::kLowEdit, QString::fromLatin1(row.low));
        dialog.SetText(TPreRiemDlg::kHighEdit, QString::fromLatin1(row.high));
        dialog.SetText(TPreRiemDlg::kSubintervalEdit, QString::fromLatin1(row.n));
        const std::size_t errors = Errors().size();
        dialog.Press(TPreRiemDlg::kValueButton);
        EXPECT_TRUE(dialog.GetText(TPreRiemDlg::kResultStatic).isEmpty()) << row.high;
        EXPECT_EQ(dialog.Result(), 0) << row.high;
        if (*row.error) {
            ASSERT_EQ(Errors().size(), errors + 1);
            EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error));
        } else {
            EXPECT_EQ(Errors().size(), errors);
        }
    }
}

// The count is read whole, as the field holds it: up to 10 characters.
TEST_F(IntervalDialogTest, CountsOfNineTenAndElevenCharacters) {
    Paste("EXPL2;x;");
    LengthDialog dialog(win);
    dialog.Create();
    const struct {
        const char* n;
        int used;  // -1: refused with "out of bounds"
    } rows[] = {
        {"999999999", 999999999},
        {"2147483647", 2147483647},
        {"1000000000", 1000000000},
        {" 123456789 ", 123456789},
        {"2147483648", -1},
        {"99999999999", -1},
        {"21474836470", -1},
        {"0", -1},
        {"-4", -1},
    };
    for (const auto& row : rows) {
        win.Tools().subintervals = 7;
        dialog.SetText(TPreRiemDlg::kSubintervalEdit, QString::fromLatin1(row.n));
        const std::size_t errors = Errors().size();
        dialog.Press(TPreRiemDlg::kValueButton);
        EXPECT_EQ(win.Tools().subintervals, row.used < 0 ? 7 : row.used) << row.n;
        EXPECT_EQ(Errors().size(), errors + (row.used < 0 ? 1 : 0)) << row.n;
        if (row.used < 0) EXPECT_EQ(Errors().back(), QStringLiteral("out of bounds"));
    }
}

TEST_F(IntervalDialogTest, AStoppedComputationShowsAndRecordsNothing) {
    Paste("EXPL2;x;");
    StoppedDialog dialog(win);
    dialog.Create();
    dialog.Press(TPreRiemDlg::kValueButton);
    EXPECT_TRUE(Errors().empty());
    EXPECT_TRUE(win.Inventory()[0].markedPoints.empty());
}

TEST_F(IntervalDialogTest, SecondListKeepsTheNewestThroughRefills) {
    Paste("EXPL2;x;EXPL2;x^2;POLAR;t;0;1;EXPL2;x^3;");
    const int kinds[] = {kind::kExplicit};
    const int kinds2[] = {kind::kExplicit, kind::kPolar};
    T2ComboDlg dialog(win, "ARCLEN", kinds, kinds2);
    dialog.Create();
    EXPECT_EQ(std::tuple(dialog.SelectedExample(), dialog.SelectedExample2(),
                         dialog.ListIndexOf2(2), dialog.ListIndexOf(2)),
              std::tuple(0, 3, 2, -1));
    const int removed[] = {3};
    win.DeleteExamples(removed);
    dialog.RefillLists();
    EXPECT_EQ(dialog.SelectedExample2(), 2);  // beyond the end: the last remaining
}

TEST_F(IntervalDialogTest, LimitsInTheViewAndTiedToTwoParameters) {
    Paste("EXPL2;x;");
    LengthDialog dialog(win);
    dialog.Create();
    dialog.SetText(TPreRiemDlg::kLowEdit, QStringLiteral("-11"));
    dialog.Press(TPreRiemDlg::kValueButton);
    EXPECT_EQ(Errors().back(), QStringLiteral("out of bounds"));
    EXPECT_TRUE(win.Inventory()[0].markedPoints.empty());

    dialog.SetText(TPreRiemDlg::kLowEdit, QStringLiteral("1@A"));
    dialog.SetText(TPreRiemDlg::kHighEdit, QStringLiteral("2@A"));  // one letter ties nothing
    dialog.Press(TPreRiemDlg::kValueButton);
    EXPECT_FALSE(dialog.IsTied());
    ASSERT_EQ(win.Inventory()[0].markedPoints.size(), 1u);
    const TMarkedPoint& result = win.Inventory()[0].markedPoints[0];
    EXPECT_EQ(std::tuple(result.label, result.code), std::tuple("arc length", 53));

    dialog.SetText(TPreRiemDlg::kHighEdit, QStringLiteral("3@B"));
    dialog.Press(TPreRiemDlg::kValueButton);
    ASSERT_TRUE(dialog.IsTied());
    EXPECT_EQ(win.Formulas().Var(2), 3);
    EXPECT_TRUE(win.ParamDialog(1) && win.ParamDialog(2));
    win.Formulas().SetVar(2, 4);  // the slider moves
    dialog.Apply();
    EXPECT_EQ(std::tuple(win.Tools().high, dialog.Result()), std::tuple(4, 3));
    win.Formulas().SetVar(2, 40);  // beyond the view: the interval stays
    dialog.Apply();
    EXPECT_EQ(win.Tools().high, 4);

    dialog.SetText(TPreRiemDlg::kHighEdit, QStringLiteral("0.5"));
    dialog.Press(TPreRiemDlg::kValueButton);  // "value" reads the typed limits again
    EXPECT_EQ(Errors().back(), QStringLiteral("inconsistent data"));
    EXPECT_FALSE(dialog.IsTied());
}

}  // namespace
}  // namespace quorlin::examples
