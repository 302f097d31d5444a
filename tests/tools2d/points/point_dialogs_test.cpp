// The point dialogs on a 2D window, offscreen: the menu items enabled by the inventory; many
// points from the clipboard (separators, an odd count, the size limit, a full inventory) and
// from a letter's run, with their refusals as a table; the dot sizes of both dialogs; plot points
// on a curve that follow it; the distance shown again after a change, "?" for an undefined point;
// and the same dialogs in a window of three dimensions.
#include "tools2d/points/point_dialogs.h"

#include <memory>

#include "examples/levels/plot11_win.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;

// Example i chosen in the second list of the distance dialog, as the user picks it.
void PickSecond(TDistDlg& d, int i) {
    d.SetSelectedIndex(TDistDlg::kList2Id, d.ListIndexOf2(i));
    d.OnNotify(TDistDlg::kList2Id, platform::Notification::SelectionChanged);
}

class PointDialogsTest : public ToolsWindowTest {
protected:
    TManyPtDlg& Many() {
        EXPECT_TRUE(win.SendCommand(cmd::kManyPoints));
        return *Tools().Points().ManyPoints();
    }
    // The coordinates of every point example, in inventory order.
    std::vector<std::pair<long double, long double>> Points() {
        std::vector<std::pair<long double, long double>> points;
        for (int i = 0; i <= win.Inventory().LastIndex(); ++i) {
            Vec3 p;
            if (win.Inventory()[i].kind == k::kPoint && win.GetPointCoords(i, p))
                points.emplace_back(p.x, p.y);
        }
        return points;
    }
    // The clipboard's new text, which the dialog sees when it is chosen.
    void Copy(TManyPtDlg& d, const QString& text) {
        clipboard.SetText(text);
        d.Press(TManyPtDlg::kFromClipboard);
    }
    QString LastError() const { return Errors().empty() ? QString() : Errors().back(); }
    void List(TManyPtDlg& d, const char* from, const char* to) {
        d.Press(TManyPtDlg::kList);
        d.SetText(TManyPtDlg::kFrom, QString::fromLatin1(from));
        d.SetText(TManyPtDlg::kTo, QString::fromLatin1(to));
    }
};

TEST_F(PointDialogsTest, MenuItemsFollowTheInventory) {
    EXPECT_FALSE(win.QueryCommand(cmd::kPlotList).enabled);
    EXPECT_FALSE(win.QueryCommand(cmd::kDistance).enabled);
    EXPECT_TRUE(win.QueryCommand(cmd::kManyPoints).enabled);
    Add(k::kParametric, 0, 1, {"t", "t^2"});
    Add(k::kPoint, 0, 1, {"0", "0"});
    EXPECT_TRUE(win.QueryCommand(cmd::kPlotList).enabled);
    EXPECT_FALSE(win.QueryCommand(cmd::kDistance).enabled);
    Add(k::kPoint, 0, 1, {"3", "4"});
    EXPECT_TRUE(win.QueryCommand(cmd::kDistance).enabled);
}

TEST_F(PointDialogsTest, ClipboardNumbersBecomePoints) {
    TManyPtDlg& d = Many();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("points [noname1.qz2]"));
    EXPECT_FALSE(d.IsControlEnabled(TManyPtDlg::kPlot));  // nothing on the clipboard
    clipboard.SetText(QStringLiteral("1,2 3;4 -5.5x6"));
    d.Press(TManyPtDlg::kFromClipboard);
    ASSERT_TRUE(d.IsControlEnabled(TManyPtDlg::kPlot));
    d.SetText(TManyPtDlg::kDotSize, QStringLiteral("5"));
    d.Press(TManyPtDlg::kCircle);
    d.Press(TManyPtDlg::kPlot);
    EXPECT_TRUE(Errors().empty());
    using P = std::vector<std::pair<long double, long double>>;
    EXPECT_EQ(Points(), (P{{1, 2}, {3, 4}, {-5.5L, 6}}));
    EXPECT_EQ(win.Inventory()[2].pen.width, 5);
    EXPECT_EQ(win.Inventory()[2].pen.style, 1);
    // An odd count leaves the last number; "1e5" is two numbers.
    Copy(d, QStringLiteral("7 8 1e5 9"));
    d.Press(TManyPtDlg::kPlot);
    EXPECT_EQ(Points(), (P{{1, 2}, {3, 4}, {-5.5L, 6}, {7, 8}, {1, 5}}));
}

TEST_F(PointDialogsTest, ClipboardTextsHaveALimit) {
    TManyPtDlg& d = Many();
    Copy(d, QString(32001, QLatin1Char('1')));
    d.Press(TManyPtDlg::kPlot);
    EXPECT_EQ(LastError(), QStringLiteral("too large"));
    EXPECT_EQ(win.Inventory().Count(), 0);
    // 32000 characters are read.
    Copy(d, QString(31996, QLatin1Char(' ')) + QStringLiteral("1 2 "));
    d.Press(TManyPtDlg::kPlot);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(win.Inventory().Count(), 1);
}

TEST_F(PointDialogsTest, AFullInventoryTakesWhatFits) {
    ASSERT_TRUE(win.ResizeInventory(3, true));  // four examples fit
    Add(k::kExplicit, 0, 1, {"", "x"});
    TManyPtDlg& d = Many();
    Copy(d, QStringLiteral("1 1 2 2 3 3 4 4 5 5"));
    d.Press(TManyPtDlg::kPlot);
    EXPECT_EQ(LastError(), QStringLiteral("no more room"));
    using P = std::vector<std::pair<long double, long double>>;
    EXPECT_EQ(Points(), (P{{1, 1}, {2, 2}, {3, 3}}));
}

TEST_F(PointDialogsTest, ALetterRunsOverItsRange) {
    TManyPtDlg& d = Many();
    EXPECT_EQ(d.GetText(TManyPtDlg::kLetter), QStringLiteral("N"));
    List(d, "1", "10");
    d.SetText(TManyPtDlg::kTexts[0], QStringLiteral("N"));
    d.SetText(TManyPtDlg::kTexts[1], QStringLiteral("N^2+NN"));
    d.Press(TManyPtDlg::kPlot);
    ASSERT_EQ(win.Inventory().Count(), 10);
    for (int n = 1; n <= 10; ++n) {
        const std::string k = "(" + std::to_string(n) + ")";
        EXPECT_EQ(win.Inventory()[n - 1].Text(1), k);
        EXPECT_EQ(win.Inventory()[n - 1].Text(2), k + "^2+" + k + k);
    }
    EXPECT_EQ(Points()[6], std::pair(7.0L, 98.0L));
}

TEST_F(PointDialogsTest, RefusalsAddNothing) {
    const struct {
        const char *dot, *from, *to, *error;
    } rows[] = {
        {"2", "5", "4", "inconsistent data"},  {"2", "1", "40000", "out of bounds"},
        {"2", "-40000", "1", "out of bounds"}, {"0", "1", "3", "out of bounds"},
        {"101", "1", "3", "out of bounds"},
    };
    TManyPtDlg& d = Many();
    for (const auto& row : rows) {
        List(d, row.from, row.to);
        d.SetText(TManyPtDlg::kDotSize, QString::fromLatin1(row.dot));
        d.Press(TManyPtDlg::kPlot);
        EXPECT_EQ(LastError(), QString::fromLatin1(row.error)) << row.from << row.to;
        EXPECT_EQ(win.Inventory().Count(), 0);
    }
    d.SetText(TManyPtDlg::kTexts[1], QStringLiteral("N+"));
    List(d, "1", "3");
    d.SetText(TManyPtDlg::kDotSize, QStringLiteral("100"));
    d.Press(TManyPtDlg::kPlot);
    EXPECT_EQ(win.Inventory().Count(), 0);
    EXPECT_EQ(Errors().size(), std::size(rows) + 1);
}

TEST_F(PointDialogsTest, PlotPointsFollowTheirCurve) {
    const int curve = Add(k::kExplicit, -5, 5, {"", "x^2"});
    Add(k::kParametric, 0, 1, {"t", "2t"});
    EXPECT_TRUE(win.SendCommand(cmd::kPlotList));
    TPtListDlg& d = *Tools().Points().PointList();
    Pick(d, 1);
    EXPECT_EQ(d.GetText(TPtListDlg::kLabel), QStringLiteral("t ="));
    Pick(d, curve);
    EXPECT_EQ(d.GetText(TPtListDlg::kLabel), QStringLiteral("x ="));
    d.SetText(TPtListDlg::kValues, QStringLiteral("-1, 0.5 2"));
    d.SetText(TPtListDlg::kDotSize, QStringLiteral("101"));
    d.Press(TPtListDlg::kPlot);
    EXPECT_EQ(LastError(), QStringLiteral("out of bounds"));
    EXPECT_EQ(win.Inventory().Count(), 2);
    d.SetText(TPtListDlg::kDotSize, QStringLiteral("0"));
    d.Press(TPtListDlg::kPlot);
    ASSERT_EQ(win.Inventory().Count(), 3);
    const examples::TExample& points = win.Inventory()[2];
    EXPECT_EQ(points.kind, k::kPlotPoints);
    EXPECT_EQ(points.derivation, 99);
    EXPECT_EQ(points.parent[0], curve);
    EXPECT_EQ(points.pen.width, 0);
    ASSERT_EQ(points.PlotPointCount(), 3);
    EXPECT_EQ(points.values[1], 0.5L);
    // The curve changes: the points follow it.
    win.Inventory()[curve].Text(2) = "x^3";
    win.CompileExample(curve);
    win.UpdateDependents(curve);
    ASSERT_TRUE(win.Inventory()[2].Tree(2));
    long double y = 0;
    ASSERT_TRUE(win.Formulas().EvalAtReal(*win.Inventory()[2].Tree(2), slot::kX, 2, y));
    EXPECT_EQ(y, 8);
}

// A list that is not plain numbers is refused with "cannot understand" and adds nothing.
TEST_F(PointDialogsTest, AListThatIsNotPlainNumbersAddsNothing) {
    const int curve = Add(k::kExplicit, -5, 5, {"", "x^2"});
    EXPECT_TRUE(win.SendCommand(cmd::kPlotList));
    TPtListDlg& d = *Tools().Points().PointList();
    Pick(d, curve);
    for (const char* list : {"pi/2", "abc(", "", "1, 2, 3x"}) {
        SCOPED_TRACE(list);
        const std::size_t shown = Errors().size();
        d.SetText(TPtListDlg::kValues, QString::fromLatin1(list));
        d.Press(TPtListDlg::kPlot);
        ASSERT_EQ(Errors().size(), shown + 1);
        EXPECT_EQ(LastError(), QStringLiteral("cannot understand"));
        EXPECT_EQ(win.Inventory().Count(), 1);
    }
    d.SetText(TPtListDlg::kValues, QStringLiteral("-2; 1.5"));
    d.Press(TPtListDlg::kPlot);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].PlotPointCount(), 2);
    EXPECT_EQ(win.Inventory()[1].values[0], -2.0L);
}

TEST_F(PointDialogsTest, TheDistanceIsShownAgainAfterAChange) {
    const int a = Add(k::kPoint, 0, 1, {"0", "0"});
    const int b = Add(k::kPoint, 0, 1, {"3", "4"});
    EXPECT_TRUE(win.SendCommand(cmd::kDistance));
    TDistDlg& d = *Tools().Points().Distance();
    Pick(d, a);
    PickSecond(d, b);
    EXPECT_EQ(d.GetText(TDistDlg::kDistance).trimmed(), QStringLiteral("5.0000"));
    win.Inventory()[b].Text(1) = "6";
    win.Inventory()[b].Text(2) = "8";
    win.CompileExample(b);
    win.RefreshToolValues();
    EXPECT_EQ(d.GetText(TDistDlg::kDistance).trimmed(), QStringLiteral("10.0000"));
    win.Inventory()[b].Text(1) = "sqrt(-1)";
    win.CompileExample(b);
    win.RefreshToolValues();
    EXPECT_EQ(d.GetText(TDistDlg::kDistance), QStringLiteral("?"));
}

// A point as typed: its form (0 standard, 1 polar or cylindrical, 2 spherical, 4 a complex
// number) and its coordinate texts.
struct TypedPoint {
    int form = 0;
    std::array<std::string_view, 5> texts{};
};

// Appends the point to the window's inventory in its form, compiled; its index.
int AddTypedPoint(examples::TPlot11Win& win, const TypedPoint& p) {
    const bool space = win.Dimension() >= 3;
    win.AddExample(space ? k::kSpacePoint : k::kPoint, 0, 1, p.texts);
    const int i = win.Inventory().LastIndex();
    examples::TExample& e = win.Inventory()[i];
    if (space) {
        e.PointCoordinates() = static_cast<std::int16_t>(p.form);
    } else {
        e.PolarForm() = p.form == 1 ? 1 : 0;
        e.ComplexPoint() = p.form == 4 ? 1 : 0;
    }
    win.CompileExample(i);
    return i;
}

// The distance is measured between the points where they are drawn, whatever form each is
// typed in.
TEST(PointDistanceTest, PointsAreMeasuredWhereTheyAreDrawn) {
    struct Row {
        int dimension;
        TypedPoint a, b;
        const char* shown;
    };
    const Row rows[] = {
        {2, {0, {"0", "0"}}, {1, {"1", "pi/2"}}, "1.0000"},
        // (0.5, -1) to (r, t) = (2, pi), drawn at (-2, 0): sqrt(7.25)
        {2, {0, {"0.5", "-1"}}, {1, {"2", "pi"}}, "2.6926"},
        // (2, pi/3) drawn at (1, sqrt 3) to z = 3 + 2i: sqrt(4 + (2 - sqrt 3)^2)
        {2, {1, {"2", "pi/3"}}, {4, {"3+2*I"}}, "2.0179"},
        {3, {0, {"0", "0", "0"}}, {2, {"2", "0.7", "1.1"}}, "2.0000"},
        {3, {0, {"0", "0", "0"}}, {1, {"1", "pi", "5"}}, "5.0990"},
        // cylindrical (2, pi/2, -1) at (0, 2, -1) to spherical (3, pi, pi/2) at (-3, 0, 0)
        {3, {1, {"2", "pi/2", "-1"}}, {2, {"3", "pi", "pi/2"}}, "3.7417"},
    };
    InstallAnalysisTools();
    platform::ScriptedPrompter prompter;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        std::unique_ptr<examples::TPlot11Win> win;
        if (row.dimension >= 3)
            win = std::make_unique<examples::TPlot11Win>(961, QStringLiteral("noname1.qz3"),
                                                         QStringLiteral("qz3.ini"), 3);
        else
            win = std::make_unique<plot2d::TPlot2Win>(QStringLiteral("noname1.qz2"));
        // A complex point is read in complex mode, where I is i.
        win->Formulas().complexMode = true;
        win->Formulas().ResetVariables();
        const int a = AddTypedPoint(*win, row.a);
        const int b = AddTypedPoint(*win, row.b);
        ASSERT_TRUE(win->SendCommand(cmd::kDistance));
        TDistDlg& d =
            *dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools()).Points().Distance();
        d.SelectPosition(d.ListIndexOf(a));
        PickSecond(d, b);
        EXPECT_EQ(d.GetText(TDistDlg::kDistance).trimmed(), QString::fromLatin1(row.shown));
    }
}

// A window of three dimensions takes its points as (x, y, z).
TEST(PointDialogsSpaceTest, PointsAndDistancesInSpace) {
    InstallAnalysisTools();
    platform::MemoryClipboard clipboard;
    platform::SetClipboard(&clipboard);
    platform::ScriptedPrompter prompter;
    examples::TPlot11Win win(961, QStringLiteral("noname1.qz3"), QStringLiteral("qz3.ini"), 3);
    ASSERT_TRUE(win.SendCommand(cmd::kManyPoints));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*win.AnalysisTools());
    TManyPtDlg& d = *tools.Points().ManyPoints();
    EXPECT_TRUE(d.IsControlShown(TManyPtDlg::kTexts[2]));
    EXPECT_EQ(d.GetText(TManyPtDlg::kSystems[0]), QStringLiteral("standard"));
    clipboard.SetText(QStringLiteral("1 2 3 4 6 3 9"));
    d.Press(TManyPtDlg::kFromClipboard);
    d.Press(TManyPtDlg::kPlot);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].kind, k::kSpacePoint);
    d.Press(TManyPtDlg::kSystems[2]);
    EXPECT_EQ(d.GetText(TManyPtDlg::kLabels[0]), QStringLiteral("rho ="));
    EXPECT_EQ(d.GetText(TManyPtDlg::kLabels[2]), QStringLiteral("phi ="));
    ASSERT_TRUE(win.SendCommand(cmd::kDistance));
    TDistDlg& dist = *tools.Points().Distance();
    PickSecond(dist, 1);
    EXPECT_EQ(dist.GetText(TDistDlg::kDistance).trimmed(), QStringLiteral("5.0000"));
    platform::SetClipboard(nullptr);
}

}  // namespace
}  // namespace quorlin::tools2d
