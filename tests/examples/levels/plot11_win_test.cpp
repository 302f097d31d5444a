// The tool-commands level through a 2D window: the arc-length dialog as the user works it, its
// refusals and its data entry in "Inspect ...", the commands' enablers, the sketch pen's width,
// the tool dialogs closing with their last curve, point entries drawn record by record, and plane
// curves broken where they are undefined.
#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include "examples/levels/arclen_dialog.h"
#include "examples/plot_test_window.h"
#include "shell/data_win.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;

class Plot11WinTest : public quorlin::testing::PlotWindowTest {
protected:
    // Opens the arc-length dialog, types the limits and the count and presses "length".
    TArcLenDlg& ArcLength(const char* low, const char* high, const char* count) {
        EXPECT_TRUE(win.SendCommand(cmd::kArcLength));
        TArcLenDlg& dlg = *win.ArcLengthDialog();
        dlg.SetText(TArcLenDlg::kLowEdit, QString::fromLatin1(low));
        dlg.SetText(TArcLenDlg::kHighEdit, QString::fromLatin1(high));
        dlg.SetText(TArcLenDlg::kCountEdit, QString::fromLatin1(count));
        dlg.Press(TArcLenDlg::kLength);
        return dlg;
    }
};

TEST_F(Plot11WinTest, TheArcLengthOfALineIsShownAndInspected) {
    EXPECT_FALSE(win.QueryCommand(cmd::kArcLength).enabled);
    EXPECT_FALSE(win.QueryCommand(cmd::kInspect).enabled);
    Paste("EXPL2;x;");
    TArcLenDlg& dlg = ArcLength("0", "1", "100");
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(dlg.GetText(TArcLenDlg::kResult), QStringLiteral("1.4142"));
    EXPECT_NEAR(static_cast<double>(win.Tools().sums[4]), std::sqrt(2.0), 1e-15);

    // The parameter of a whole circle runs beyond the view.
    Paste("PARAM2;cos(t);sin(t);0;7;");
    dlg.SelectPosition(1);
    ArcLength("0", "2*pi", "100");
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(dlg.GetText(TArcLenDlg::kResult), QStringLiteral("6.2832"));

    ASSERT_TRUE(win.SendCommand(cmd::kInspect));
    EXPECT_EQ(win.DataWindow()->Text(),
              QStringLiteral("y = x\n  arc length = (0.0000,1.0000,1.4142,100.0000)\n"
                             "(x,y) = (cos(t),sin(t)); 0 <= t <= 7\n"
                             "  arc length = (0.0000,6.2832,6.2832,100.0000)\n"));
    // The same computation again adds no second entry; a new one shows at once.
    dlg.SelectPosition(0);
    ArcLength("0", "1", "100");
    ArcLength("0", "2", "100");
    EXPECT_TRUE(win.DataWindow()->Text().startsWith(
        QStringLiteral("y = x\n  arc length = (0.0000,2.0000,2.8284,100.0000)\n"
                       "  arc length = (0.0000,1.0000,1.4142,100.0000)\n")));
}

TEST_F(Plot11WinTest, TheArcLengthGoesWithItsCurve) {
    Paste("EXPL2;x;EXPL2;2*x;");
    TArcLenDlg& dlg = ArcLength("0", "1", "100");
    dlg.SelectPosition(1);
    ArcLength("0", "1", "100");
    ASSERT_EQ(dlg.GetText(TArcLenDlg::kResult), QStringLiteral("2.2361"));  // sqrt(5)
    // Its curve deleted, the other one stays listed but unchosen: no length is shown.
    const int measured[] = {1};
    win.DeleteExamples(measured);
    win.InventoryChanged(0);
    ASSERT_EQ(win.ArcLengthDialog(), &dlg);
    EXPECT_EQ(std::tuple(dlg.SelectedExample(), dlg.GetText(TArcLenDlg::kResult)),
              std::tuple(-1, QString()));
}

TEST_F(Plot11WinTest, TheArcLengthDialogRefusesWhatItCannotMeasure) {
    Paste("EXPL2;sqrt(x);");
    const struct {
        const char *low, *high, *count, *error;
    } cases[] = {{"-6", "1", "10", "out of bounds"},
                 {"1", "0.5", "10", "inconsistent data"},
                 {"0.5", "1", "0", "out of bounds"},
                 {"0", "1", "10", "cannot approximate this"},  // the slope is infinite at 0
                 {"0", "2*", "10", "operand missing"},
                 {"0.5", "1", "2147483648", "out of bounds"},
                 {"0.5", "1", "99999999999", "out of bounds"}};  // 11 characters
    for (const auto& c : cases) {
        ArcLength("0.5", "1", "10");  // a length shown before goes with the failed run
        ASSERT_FALSE(win.ArcLengthDialog()->GetText(TArcLenDlg::kResult).isEmpty());
        const std::size_t before = Errors().size();
        TArcLenDlg& dlg = ArcLength(c.low, c.high, c.count);
        ASSERT_EQ(Errors().size(), before + 1) << c.low << " " << c.high << " " << c.count;
        EXPECT_EQ(Errors().back(), QString::fromLatin1(c.error));
        EXPECT_TRUE(dlg.GetText(TArcLenDlg::kResult).isEmpty());
    }
    EXPECT_EQ(win.Inventory()[0].markedPoints.size(), 1u);  // the length of [0.5, 1] alone
    // A new curve or a change of the inventory clears the length shown.
    Paste("EXPL2;x;");
    EXPECT_TRUE(win.ArcLengthDialog()->GetText(TArcLenDlg::kResult).isEmpty());
    TArcLenDlg& dlg = ArcLength("0.5", "1", "10");
    ASSERT_FALSE(dlg.GetText(TArcLenDlg::kResult).isEmpty());
    dlg.SelectPosition(1);
    EXPECT_TRUE(dlg.GetText(TArcLenDlg::kResult).isEmpty());
}

// A curve compiled past its work budget has no derivatives to make its speed from: the length
// is refused with the reason and nothing is recorded.
TEST_F(Plot11WinTest, TheArcLengthOfACurveWithoutDerivativesIsRefused) {
    Paste("EXPL2;DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2));");
    ASSERT_TRUE(win.Inventory()[0].overBudget);
    TArcLenDlg& dlg = ArcLength("0.5", "1", "10");
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("formula too long")});
    EXPECT_TRUE(dlg.GetText(TArcLenDlg::kResult).isEmpty());
    EXPECT_TRUE(win.Inventory()[0].markedPoints.empty());
}

TEST_F(Plot11WinTest, CommandsOfToolsThatAreNotThereStayOff) {
    Paste("DEQ2T;y;-x;POINT2;1;1;POINT2;2;2;PARAM2;cos(t);sin(t);0;6;");
    EXPECT_TRUE(win.QueryCommand(cmd::kArcLength).enabled);
    for (const int id : {cmd::kLineIntegral, cmd::kDistance, cmd::kCombinations, cmd::kPlotList})
        EXPECT_FALSE(win.QueryCommand(id).enabled) << id;
}

// The widths are the tool commands' test; here the window asks them.
TEST_F(Plot11WinTest, TheSketchPenTakesTheWidthsAFileKeeps) {
    for (const char* typed : {"9", "-2"}) {
        prompter.AnswerInput(QString::fromLatin1(typed));
        ASSERT_TRUE(win.SendCommand(cmd::kSketchThickness));
    }
    EXPECT_EQ(win.NewPens().sketchWidth, 6);
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("positive value?")});
}

TEST_F(Plot11WinTest, TheArcLengthDialogClosesWithTheLastCurve) {
    Paste("EXPL2;x;POINT2;1;1;EXPL2;x^2;");
    ASSERT_TRUE(win.SendCommand(cmd::kArcLength));
    QPointer<TArcLenDlg> dlg = win.ArcLengthDialog();
    EXPECT_EQ(dlg->Listed(), (std::vector<int>{0, 2}));
    dlg->SelectPosition(1);

    // The chosen curve is followed to its new place.
    const int first[] = {0};
    win.DeleteExamples(first);
    win.InventoryChanged(0);
    win.CloseToolDialogs(false);
    EXPECT_EQ(std::tuple(dlg->Listed(), dlg->SelectedExample(), win.ArcLengthDialog()),
              std::tuple(std::vector<int>{1}, 1, dlg.data()));

    const int last[] = {1};
    win.DeleteExamples(last);
    win.CloseToolDialogs(false);
    EXPECT_EQ(win.ArcLengthDialog(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

TEST_F(Plot11WinTest, ExamplesFollowTheirUserFunctions) {
    Paste("DEFINE1;myf;x^2;EXPL2;myf(x);");
    FormulaContext& f = win.Formulas();
    ASSERT_EQ(f.DefineUserFunction("MYF", "X^3", 1, f.FindUserFunction("MYF")), userfn::kDone);
    win.UserFunctionsChanged();
    long double y = 0;
    ASSERT_TRUE(f.EvalAtReal(*win.Inventory()[0].Tree(2), slot::kX, 2, y));
    EXPECT_EQ(y, 8);
    EXPECT_TRUE(win.IsModified());
}

TEST_F(Plot11WinTest, PointEntriesAreDrawnRecordByRecord) {
    Paste("POINT2;1;2;POINT2;3;-1;");
    win.Inventory()[1].PolarForm() = 1;  // polar: r = 3, a = -1
    QImage image(401, 401, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        EXPECT_EQ(win.DrawEntry(dc, 0), 0);
        EXPECT_EQ(win.DrawEntry(dc, 1), 0);
    }
    const long double px = 3 * std::cos(-1.0L), py = 3 * std::sin(-1.0L);
    EXPECT_TRUE(InkAt(image, 1, 2, ColourOf(0)));
    EXPECT_TRUE(InkAt(image, px, py, ColourOf(1)));
    EXPECT_FALSE(InkAt(image, 3, -1, ColourOf(1), 3));
    EXPECT_EQ(win.Inventory()[1].rangeLow[0], px) << "texts tied to the point find it";
}

// A point set to "circle" is a ring in its colour with the background inside, drawn over what
// was there; a solid one is a disc.
TEST_F(Plot11WinTest, APointEntrySetToCircleIsHollow) {
    Paste("POINT2;1.5;-2;POINT2;-2.5;1;");
    for (int i : {0, 1}) win.Inventory()[i].pen.width = 6;
    win.Inventory()[1].pen.style = 1;
    QImage image(401, 401, QImage::Format_RGB32);
    const QRgb grey = qRgb(128, 128, 128);
    image.fill(grey);
    {
        platform::DeviceContext dc(image);
        EXPECT_EQ(win.DrawEntry(dc, 0), 0);
        EXPECT_EQ(win.DrawEntry(dc, 1), 0);
    }
    const QRgb background = win.OutputColor(win.DrawColor(win.Roles().Role(0))).rgb();
    EXPECT_TRUE(InkAt(image, 1.5, -2, ColourOf(0), 0));
    EXPECT_TRUE(InkAt(image, -2.5, 1, background, 1));
    EXPECT_FALSE(InkAt(image, -2.5, 1, ColourOf(1), 2)) << "the inside is not filled";
    const long double ring = 6 * win.View().unitsPerPixelX;
    EXPECT_TRUE(InkAt(image, -2.5 + ring, 1, ColourOf(1), 1));
    EXPECT_TRUE(InkAt(image, -2.5, 1 + 6 * win.View().unitsPerPixelY, ColourOf(1), 1));
}

TEST_F(Plot11WinTest, APlaneCurveBreaksWhereItIsUndefined) {
    QImage image(401, 401, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        FormulaContext& f = win.Formulas();
        ASSERT_EQ(f.Parse("T"), 0);
        NodePtr x = f.TakeParseResult();
        ASSERT_EQ(f.Parse("1/T"), 0);
        NodePtr y = f.TakeParseResult();
        win.DrawPlaneCurve(dc, x.get(), y.get(), -4, 4, 800, TPenSpec{0, 1, 0});
    }
    const auto ink = [&](long double wx, long double wy) {
        return image.pixel(win.XToScreen(wx), win.YToScreen(wy)) != QColor(Qt::white).rgb();
    };
    EXPECT_TRUE(ink(1, 1));
    EXPECT_TRUE(ink(-2, -0.5));
    EXPECT_FALSE(ink(0, 0)) << "no chord across the pole";
}

}  // namespace
}  // namespace quorlin::examples
