// Editing examples through a 2D window as a user does it, driven through the dialogs by id: a
// new curve from the Equa menu, editing, duplicating and deleting from the inventory dialog,
// the entries derived from one example with their chains, points from the clipboard or a
// parameter, the value table and the options of the window.
#include <QDialog>

#include <cmath>
#include <cstdio>

#include "core/errors.h"

#include "examples/levels/inventory_dialog.h"
#include "examples/plot_test_window.h"
#include "examples/records/derivation.h"
#include "platform/dialog.h"
#include "shell/help_window.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;
using platform::Dialog;
using platform::ScopedDialogRunner;

class PlotEditingTest : public quorlin::testing::PlotWindowTest {
protected:
    PlotEditingTest() { win.Create(); }

    // Runs the command with a dialog runner that sets the edits and presses the button.
    int Command(int id, std::vector<std::pair<int, QString>> edits, int button = 1,
                std::vector<int> clicks = {}) {
        int runs = 0;
        ScopedDialogRunner runner([&](Dialog& d) {
            ++runs;
            for (int click : clicks) d.Press(click);
            for (const auto& [edit, text] : edits) d.SetText(edit, text);
            const int result = d.Press(button);
            return result == 0 ? platform::kIdCancel : result;
        });
        win.SendCommand(id);
        return runs;
    }
    TFnListDlg& Inventory() {
        win.SendCommand(cmd::kInventory);
        return *win.InventoryDialog();
    }
    // Selects the lines of the examples in the inventory dialog, as clicks would.
    void Select(TFnListDlg& d, std::initializer_list<int> lines) {
        d.SetSelectedIndex(invent::kList, -1);
        for (int line : lines) d.SetLineSelected(invent::kList, line, true);
        d.OnNotify(invent::kList, platform::Notification::SelectionChanged);
    }
    int Count() { return win.Inventory().Count(); }
};

TEST_F(PlotEditingTest, NewCurveFromTheEquaMenuIsDrawnAndListed) {
    EXPECT_EQ(Command(cmd::kNewExplicit2D, {{212, "x^2/4"}}), 1);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(std::tuple(win.ExampleBook().created, win.EquationLabels().Labels()[0].text),
              std::tuple(1, "y = x^2/4"));
    const QImage image = Picture();
    EXPECT_TRUE(InkAt(image, 2, 1, ColourOf(0)) && InkAt(image, -4, 4, ColourOf(0)));
    EXPECT_EQ(Inventory().ItemText(invent::kList, 0), QStringLiteral("y = x^2/4"));

    // Cancelled: nothing stays, not even the polynomial's number.
    Command(cmd::kNewExplicit2D, {{212, "x"}}, platform::kIdCancel);
    Command(kind::kLagrange + cmd::kNewExampleOffset, {}, platform::kIdCancel);
    EXPECT_EQ(std::tuple(Count(), win.ExampleBook().polynomials, win.ExampleBook().created,
                         Errors().size()),
              std::tuple(1, 0, 1, 0u));
}

TEST_F(PlotEditingTest, LagrangePolynomialPicksItsPointsWhileTheInventoryWaits) {
    Command(kind::kLagrange + cmd::kNewExampleOffset, {});
    ASSERT_EQ(Count(), 1);
    EXPECT_TRUE(win.Inventory()[0].IsLagrangeExplicit());
    EXPECT_EQ(win.Inventory()[0].PolynomialNumber(), 1);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    TFnListDlg& dialog = Inventory();
    Select(dialog, {0});
    dialog.Press(invent::kName);
    EXPECT_EQ(Errors().back(), QStringLiteral("editing in progress"));
    win.SendCommand(cmd::kMouseCoordinates);  // the point mode ends
    prompter.AnswerInput(QStringLiteral("p"));
    dialog.Press(invent::kName);
    EXPECT_EQ(win.Inventory().Entry(0).name, "p");
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(PlotEditingTest, HelpOfTheDialogOpensAtItsTopic) {
    Command(kind::kPolar + cmd::kNewExampleOffset, {}, platform::kIdCancel, {354});
    ASSERT_TRUE(win.Help());
    EXPECT_EQ(win.Help()->CurrentName(), QStringLiteral("QZ2EQUAH"));
    const QStringList lines = win.Help()->Text().split(QLatin1Char('\n'));
    ASSERT_LT(win.Help()->CurrentLine(), lines.size());
    EXPECT_EQ(lines[win.Help()->CurrentLine()], QStringLiteral("Polar curve dialog"));
}

TEST_F(PlotEditingTest, EditDuplicateAndCancelledDuplicateFromTheInventory) {
    Command(cmd::kNewExplicit2D, {{212, "x"}});
    TFnListDlg& dialog = Inventory();
    // Presses the inventory button; the editing dialog gets the formula and the answer.
    const auto press = [&](int button, const char* formula, int answer) {
        ScopedDialogRunner runner([&](Dialog& d) {
            d.SetText(212, QString::fromLatin1(formula));
            return d.Press(answer);
        });
        Select(dialog, {0});
        dialog.Press(button);
    };
    press(invent::kEdit, "2*x", 1);
    EXPECT_EQ(win.Inventory()[0].Text(2), "2*x");
    EXPECT_EQ(win.EquationLabels().Labels()[0].text, "y = 2*x");
    ASSERT_TRUE(win.Inventory()[0].Tree(2));
    press(invent::kDuplicate, "4*x", 2);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(win.EquationLabels().Count(), 1);
    press(invent::kDuplicate, "3*x", 1);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(win.EquationLabels().Labels()[1].text, "y = 3*x");
    EXPECT_EQ(dialog.ItemCount(invent::kList), 2);
}

TEST_F(PlotEditingTest, DeletingAParentTakesItsChainOfDependants) {
    Paste("EXPL2;a*x;EXPL2;x^3;");
    win.AddAbsEntry(0);         // 2: |a*x|
    win.DuplicateFrozen(2, 1);  // 3: |a*x| with a frozen
    win.ExampleBook().current = 3;
    ASSERT_EQ(Count(), 4);
    TFnListDlg& dialog = Inventory();
    Select(dialog, {0});
    dialog.Press(invent::kDelete);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(std::tuple(win.Inventory()[0].Text(2), win.EquationLabels().Count(),
                         win.ExampleBook().current, dialog.ItemCount(invent::kList)),
              std::tuple("x^3", 1, -1, 1));
}

TEST_F(PlotEditingTest, DerivedEntriesFollowTheirParent) {
    Paste("EXPL2;x-3;IMPL2;x^2+y^2=4;");
    win.AddAbsEntry(0);
    ASSERT_EQ(Count(), 3);
    const auto absAt1 = [&] {
        long double y = 0;
        EXPECT_TRUE(win.Formulas().EvalAtReal(*win.Inventory()[2].Tree(2), slot::kX, 1, y));
        return y;
    };
    EXPECT_EQ(absAt1(), 2);
    {
        ScopedDialogRunner edit([](Dialog& d) {
            d.SetText(212, "x-5");
            return d.Press(1);
        });
        win.EditExample(0, false);
    }
    EXPECT_EQ(absAt1(), 4);

    win.AddGradientField(1);
    ASSERT_EQ(Count(), 4);
    TExample& field = win.Inventory()[3];
    EXPECT_EQ(std::tuple(field.kind, field.derivation, field.fieldDisplay),
              std::tuple(kind::kSystem, derived::kGradientField, 2));
    ASSERT_TRUE(field.Tree(1) && field.Tree(2));
    win.Formulas().SetVar(slot::kX, 3);
    win.Formulas().SetVar(slot::kY, 1);
    ASSERT_TRUE(win.Formulas().Evaluate(*field.Tree(1)) && win.Formulas().Evaluate(*field.Tree(2)));
    EXPECT_EQ(std::tuple(field.Tree(1)->re, field.Tree(2)->re),
              std::tuple(-6, -2));  // of 4 - x^2 - y^2

    // A parent without partial derivatives has no gradient: nothing is added.
    win.Inventory()[1].Tree(5).reset();
    win.AddGradientField(1);
    EXPECT_EQ(Count(), 4);
}

TEST_F(PlotEditingTest, SegmentEndPointsComeAndGoWithTheSegment) {
    Command(kind::kSegment + cmd::kNewExampleOffset,
            {{211, "0"}, {212, "1"}, {213, "3"}, {214, "4"}}, 1, {275});
    ASSERT_EQ(Count(), 3);
    for (int i : {1, 2})
        EXPECT_EQ(std::tuple(win.Inventory()[i].kind, win.Inventory()[i].derivation),
                  std::tuple(kind::kPoint, derived::kEndPoint));
    Vec3 p;
    ASSERT_TRUE(win.GetPointCoords(2, p));
    EXPECT_EQ(std::tuple(p.x, p.y, win.Inventory()[0].EndPointsAsExamples()), std::tuple(3, 4, 0));
    // An end word another program renumbered names no end: the point loses its place and is
    // drawn as nothing, the other keeps its own.
    win.Inventory()[2].parent[1] = 1;
    win.UpdateDependents(0);
    EXPECT_FALSE(win.GetPointCoords(2, p));
    ASSERT_TRUE(win.GetPointCoords(1, p));
    EXPECT_EQ(std::tuple(p.x, p.y), std::tuple(0, 1));
    const int removed[] = {0};
    win.DeleteExamples(removed);
    EXPECT_EQ(Count(), 0);

    // Without room for the second point only the first comes.
    ASSERT_TRUE(win.ResizeInventory(1, false));
    Command(kind::kSegment + cmd::kNewExampleOffset, {}, 1, {275});
    EXPECT_EQ(std::tuple(Count(), Errors().back()), std::tuple(2, QStringLiteral("no more room")));
}

TEST_F(PlotEditingTest, SwapsRefusedAcrossADerivation) {
    Paste("EXPL2;x;EXPL2;x^2;");
    win.AddAbsEntry(0);
    TFnListDlg& dialog = Inventory();
    Select(dialog, {2, 0});
    EXPECT_EQ(dialog.GetText(invent::kDerive), QStringLiteral("swap"));
    dialog.Press(invent::kDerive);
    EXPECT_EQ(Errors().back(), QStringLiteral("cannot swap these"));
    Select(dialog, {0, 1});
    dialog.Press(invent::kDerive);
    EXPECT_EQ(std::tuple(win.Inventory()[0].Text(2), win.EquationLabels().Labels()[0].text,
                         win.Inventory()[2].parent[0]),
              std::tuple("x^2", "y = x^2", 1));
}

TEST_F(PlotEditingTest, InventoryButtonsAndLines) {
    Paste("EXPL2;x;POINT2;1;2;");
    TFnListDlg& dialog = Inventory();
    Select(dialog, {0});
    EXPECT_EQ(dialog.GetText(invent::kWeb), QStringLiteral("web"));
    dialog.Press(invent::kGraph);
    EXPECT_EQ(dialog.ItemText(invent::kList, 0), QStringLiteral("[hidden]: y = x"));
    // Deselecting the explicit curve switches to "| f(x) |".
    Select(dialog, {0});
    Select(dialog, {});
    EXPECT_EQ(dialog.GetText(invent::kWeb), QStringLiteral("| f(x) |"));

    Select(dialog, {0, 1});
    dialog.Press(invent::kFamily);
    EXPECT_EQ(dialog.ItemText(invent::kList, 1), QStringLiteral("$: (x,y) = (1,2)"));
    Select(dialog, {1});
    EXPECT_FALSE(dialog.IsControlEnabled(invent::kWeb));
    // While a dialog of its own is open the buttons refuse.
    dialog.SetBusy(true);
    dialog.Press(invent::kEdit);
    EXPECT_EQ(Errors().back(), QStringLiteral("editing in progress"));
}

TEST_F(PlotEditingTest, NameAndClipboardOfAnExample) {
    Paste("EXPL2;x^2;");
    TFnListDlg& dialog = Inventory();
    prompter.AnswerInput(QStringLiteral("a parabola with a long name"));
    Select(dialog, {0});
    dialog.Press(invent::kName);
    EXPECT_EQ(win.Inventory().Entry(0).name, "a parabola with a lo");
    EXPECT_EQ(prompter.inputs.back().prompt, QStringLiteral("maximum length: 20"));
    dialog.Press(invent::kClip);
    EXPECT_EQ(clipboard.Text(), QStringLiteral("y = x^2"));
}

TEST_F(PlotEditingTest, PointsFromTheClipboardAndFromAParameter) {
    TExample point;
    point.Init(kind::kPoint, 3, 50);
    clipboard.SetText(QStringLiteral("1,2 3-4 .- 5 ") + QString(300, QLatin1Char('7')));
    EXPECT_EQ(win.AddPointsFromClipboard(point), 0);
    ASSERT_EQ(Count(), 2);  // (1, 2) and (3-4, 5); the run without digits and the long one skip
    Vec3 p;
    ASSERT_TRUE(win.GetPointCoords(1, p));
    EXPECT_EQ(std::tuple(p.x, p.y), std::tuple(-1, 5));

    point.Text(1) = "k", point.Text(2) = "k^2";
    point.familyLetter = 11, point.FirstLetter() = 1, point.SecondLetter() = 3;  // K from 1 to 3
    EXPECT_EQ(win.AddPointsFromParameter(point), 0);
    ASSERT_EQ(Count(), 5);
    EXPECT_EQ(win.Inventory()[4].Text(2), "(3)^2");
    ASSERT_TRUE(win.ResizeInventory(5, true));
    EXPECT_EQ(win.AddPointsFromParameter(point), kErrNoMoreRoom);
    EXPECT_EQ(Count(), 6);
}

TEST_F(PlotEditingTest, ValueTableOfACurve) {
    Paste("EXPL2;x^2;");
    TExample& e = win.Inventory()[0];
    e.tableLow = 0, e.tableHigh = 1, e.tableSteps = 2;
    EXPECT_EQ(win.ValueTableText(0, -1),
              QStringLiteral("x\tf(x)\n0.0000\t0.0000\n0.5000\t0.2500\n1.0000\t1.0000\n"));
    win.ShowTable(0);
    ASSERT_TRUE(win.TableWindow());
    EXPECT_TRUE(win.TableWindow()->Text().startsWith(QStringLiteral("x\tf(x)")));
}

// An intrinsic curve lists s and its point: curvature 1 from the origin along +x is the unit
// circle about (0, 1), at s the point (sin s, 1 - cos s).
TEST_F(PlotEditingTest, ValueTableOfAnIntrinsicCurve) {
    TExample e;
    e.Init(kind::kIntrinsic, 1, 50);
    const char* texts[] = {"1", "", "", "", "0,0", "1,0"};
    for (int k = 0; k < 6; ++k) e.Text(k + 1) = texts[k];
    e.rangeLow[0] = 0, e.rangeHigh[0] = 3, e.tableSteps = 3;
    win.Inventory().Append(std::move(e));
    win.CompileExample(0);
    std::string expected = "s\tx\ty\n";
    for (const long double s : {0.0L, 1.0L, 2.0L, 3.0L}) {
        char row[80];
        std::snprintf(row, sizeof row, "%.4Lf\t%.4Lf\t%.4Lf\n", s, std::sin(s) + 0.0L,
                      1 - std::cos(s) + 0.0L);
        expected += row;
    }
    EXPECT_EQ(win.ValueTableText(0, -1).toStdString(), expected);
}

// An orbital system lists its bodies as they stand; a surface its values over the grid of its
// ranges.
TEST_F(PlotEditingTest, ValueTablesOfOrbitalSystemsAndSurfaces) {
    TExample orbital;
    orbital.Init(kind::kOrbital, 1, 50);
    orbital.derivationParam = 1;  // two bodies
    ASSERT_GE(orbital.points.size(), 26u);
    orbital.points[0] = {1, 2, 0}, orbital.points[1] = {-3, 0.5L, 0};
    orbital.points[12] = {0, 0.25L, 0}, orbital.points[13] = {-1, 0, 0};
    orbital.points[24].x = 5, orbital.points[25].x = 0.5L;
    win.Inventory().Append(std::move(orbital));
    EXPECT_EQ(win.ValueTableText(0, -1).toStdString(),
              "body\tx\ty\tx'\ty'\tmass\n"
              "1\t1.0000\t2.0000\t0.0000\t0.2500\t5.0000\n"
              "2\t-3.0000\t0.5000\t-1.0000\t0.0000\t0.5000\n");

    TExample surface;
    surface.Init(kind::kSurface, 1, 50);
    surface.Text(3) = "x*y+1";
    surface.rangeLow = {0, -1}, surface.rangeHigh = {2, 3}, surface.tableSteps = 1;
    win.Inventory().Append(std::move(surface));
    win.CompileExample(1);
    EXPECT_EQ(win.ValueTableText(1, -1).toStdString(),
              "x\ty\tz\n0.0000\t-1.0000\t1.0000\n0.0000\t3.0000\t1.0000\n"
              "2.0000\t-1.0000\t-1.0000\n2.0000\t3.0000\t7.0000\n");
}

TEST_F(PlotEditingTest, SizeOfInventory) {
    Paste("EXPL2;x;EXPL2;x;EXPL2;x;");
    for (const char* typed : {"1", "32002", "3"}) {  // one below the last index, beyond the most
        prompter.AnswerInput(QString::fromLatin1(typed));
        win.SendCommand(cmd::kInventorySize);
    }
    EXPECT_EQ(Errors(), (std::vector<QString>{QStringLiteral("inconsistent data"),
                                              QStringLiteral("no more room")}));
    EXPECT_EQ(win.Inventory().Capacity(), 2);
}

TEST_F(PlotEditingTest, TolerancesAndLinkedSliders) {
    prompter.AnswerInput(QStringLiteral("0"));
    win.SendCommand(cmd::kZeroVectors);
    EXPECT_EQ(Errors().back(), QStringLiteral("positive value?"));
    prompter.AnswerInput(QStringLiteral("2*0.25"));
    win.SendCommand(cmd::kZeroVectors);
    EXPECT_EQ(win.Tracer().zeroVectorPixels, 0.5L);
    prompter.AnswerInput(QStringLiteral("a"));
    win.SendCommand(cmd::kSimultaneous);
    EXPECT_FALSE(win.QueryCommand(cmd::kSimultaneous).checked);
    EXPECT_EQ(win.Animation().group[1], 1);
    prompter.AnswerInput(QStringLiteral("aw"));
    win.SendCommand(cmd::kSimultaneous);
    EXPECT_TRUE(win.QueryCommand(cmd::kSimultaneous).checked);
}

TEST(InventoryPlaceTest, BesideTheWindowOrOverlappingAtTheScreensEdge) {
    EXPECT_EQ(TInventoryDialogHost::Place(QRect(100, 50, 400, 300), 1024), QPoint(510, 50));
    EXPECT_EQ(TInventoryDialogHost::Place(QRect(600, 50, 400, 300), 1024), QPoint(765, 50));
    EXPECT_EQ(TInventoryDialogHost::Place(QRect(-300, 0, 200, 300), 100), QPoint(50, 0));
}

}  // namespace
}  // namespace quorlin::examples
