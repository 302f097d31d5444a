// The shading, regions and mouse-data dialogs on a 2D window: shadings in a row with cycling
// patterns, ends tied to parameters, refusals in the error box, deleting a listed shading and all
// of them, the list back from a file; inequalities made and undone in the lists and shaded,
// their buttons' refusals, "delete all" asked first, the dart count refused, kept in the file and
// thrown; the left button's example chosen, following a deletion, and read out at the mouse.
#include <QPointer>

#include <cmath>

#include "core/numbers.h"
#include "core/random.h"
#include "tools2d/regions/mouse_data_dialog.h"
#include "tools2d/regions/region_model.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using examples::TShadeRecord;

class RegionDialogsTest : public ToolsWindowTest {
protected:
    ~RegionDialogsTest() override { SetRandomSource({}); }

    TShadeDlg& Shade() { return Command(cmd::kShadeExplicit, &TWindowAnalysisTools::Shade); }
    TCentroidDlg& Regions() {
        return Command(cmd::kShadeImplicit, &TWindowAnalysisTools::Centroid);
    }
    examples::ShadeList& Shades() { return win.State2D().shades; }
    static QString Lines(const platform::Dialog& d, int id) {
        QStringList lines;
        for (int k = 0; k < d.ItemCount(id); ++k) lines << d.ItemText(id, k);
        return lines.join(QLatin1Char('|'));
    }
    QString ErrorText(int n) const { return platform::ResourceString(400 + n); }
    static void Interval(TShadeDlg& d, bool on, const char* low, const char* high) {
        d.SetChecked(TShadeDlg::kIntervalCheck, on);
        d.SetText(TShadeDlg::kLowEdit, QString::fromLatin1(low));
        d.SetText(TShadeDlg::kHighEdit, QString::fromLatin1(high));
    }
    static void Side(TShadeDlg& d, int radio) {
        for (const int id : {TShadeDlg::kAbove, TShadeDlg::kBelow, TShadeDlg::kBetween})
            d.SetChecked(id, id == radio);
    }
};

TEST_F(RegionDialogsTest, ShadingsInARowTiedEndsRefusalsAndDeletions) {
    const int f = Add(k::kExplicit, -5, 5, {"", "x^2"});
    const int g = Add(k::kExplicit, -5, 5, {"", "x+1"});
    win.Roles().SetRole(plot2d::kShadingColourRole, 23);
    TShadeDlg& d = Shade();
    // A first opening shows the view's x-range, "above", and nothing to delete.
    EXPECT_EQ(std::tuple(d.GetText(TShadeDlg::kLowEdit), d.GetText(TShadeDlg::kHighEdit),
                         d.IsChecked(TShadeDlg::kAbove), d.ItemCount(TShadeDlg::kShadeList),
                         d.IsControlEnabled(TShadeDlg::kDeleteButton)),
              std::tuple(QString::fromStdString(win.FormatNum(-5)),
                         QString::fromStdString(win.FormatNum(5)), true, 0, false));
    Pick(d, f);
    for (int k = 0; k < 3; ++k) d.Press(TShadeDlg::kShadeButton);
    ASSERT_EQ(Shades().size(), 3u);
    EXPECT_EQ(std::tuple(Shades()[0].Pattern(), Shades()[1].Pattern(), Shades()[2].Pattern()),
              std::tuple(2, 1, 0));
    EXPECT_EQ(std::tuple(Shades()[0].first, Shades()[0].second, Shades()[0].colour),
              std::tuple(f, TShadeRecord::kAbove, 23));
    // Shadings over the whole view leave the interval fields as they were.
    EXPECT_EQ(d.GetText(TShadeDlg::kHighEdit), QString::fromStdString(win.FormatNum(5)));
    EXPECT_TRUE(win.IsModified());

    // Between f and g over [1, 3] with the ends tied to A and B.
    win.Formulas().SetVar(1, 7.0L);
    win.Formulas().SetVar(2, 8.0L);
    Side(d, TShadeDlg::kBetween);
    d.SelectSecond(g);
    Interval(d, true, "1@A", "3@B");
    ASSERT_EQ(d.CmShade(), kNoError);
    const TShadeRecord& tied = Shades().front();
    EXPECT_EQ(std::tuple(tied.second, tied.style, tied.intervalOn, tied.low, tied.high),
              std::tuple(g, 3 + 9 + 450, 1, 1.0L, 3.0L));
    EXPECT_EQ(std::pair(win.Formulas().vars.value[1].real(), win.Formulas().vars.value[2].real()),
              std::pair(1.0L, 3.0L));
    EXPECT_EQ(d.ItemText(TShadeDlg::kShadeList, 0),
              QStringLiteral("between {%1 ; %2}")
                  .arg(QString::fromStdString(win.DescribeExample(f)),
                       QString::fromStdString(win.DescribeExample(g))));
    EXPECT_EQ(d.ItemText(TShadeDlg::kShadeList, 3),
              QStringLiteral("above {%1}").arg(QString::fromStdString(win.DescribeExample(f))));

    // Refusals: one curve twice, an inverted interval; the error box, and no record.
    const struct {
        int second;
        const char *low, *high;
        int error;
    } refused[] = {{f, "1", "3", 23}, {g, "3", "1", 6}, {g, "2", "2", 6}};
    for (const auto& row : refused) {
        d.SelectSecond(row.second);
        Interval(d, true, row.low, row.high);
        prompter.messages.clear();
        EXPECT_EQ(d.CmShade(), row.error);
        ASSERT_EQ(Errors().size(), 1u);
        EXPECT_EQ(Errors()[0], ErrorText(row.error));
        EXPECT_EQ(Shades().size(), 4u);
    }
    EXPECT_EQ(d.NextPatternToUse(), 4);

    // Choosing the newest line shows its interval with its letters; deleting the second line
    // removes the second-newest record.
    d.SetSelectedIndex(TShadeDlg::kShadeList, 0);
    d.OnNotify(TShadeDlg::kShadeList, platform::Notification::SelectionChanged);
    EXPECT_EQ(std::tuple(d.GetText(TShadeDlg::kLowEdit), d.GetText(TShadeDlg::kHighEdit),
                         d.IsChecked(TShadeDlg::kBetween), d.SelectedExample2()),
              std::tuple(QString::fromStdString(win.FormatNum(1)) + "@A",
                         QString::fromStdString(win.FormatNum(3)) + "@B", true, g));
    const examples::ShadeList before = Shades();
    d.SetSelectedIndex(TShadeDlg::kShadeList, 1);
    d.Press(TShadeDlg::kDeleteButton);
    ASSERT_EQ(Shades().size(), 3u);
    EXPECT_EQ(Shades()[0], before[0]);
    EXPECT_EQ(Shades()[1], before[2]);
    EXPECT_EQ(d.ItemCount(TShadeDlg::kShadeList), 3);

    // "intersection" is the window's option.
    d.Press(TShadeDlg::kIntersectionCheck);
    EXPECT_EQ(win.Options().shadingOption, 1);

    // The list comes back from the file whole.
    ASSERT_TRUE(win.SaveTo(Path("shade.qz2")));
    plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("shade.qz2")), kNoError);
    EXPECT_EQ(second.State2D().shades, Shades());
    ASSERT_TRUE(second.SendCommand(cmd::kShadeExplicit));
    const TShadeDlg& reopened =
        *dynamic_cast<TWindowAnalysisTools&>(*second.AnalysisTools()).Shade();
    EXPECT_EQ(
        std::pair(reopened.ItemCount(TShadeDlg::kShadeList), reopened.GetText(TShadeDlg::kLowEdit)),
        std::pair(3, QString::fromStdString(win.FormatNum(1)) + "@A"));

    // A file's shading down to the x-axis lists as one between f and y = 0.
    Shades().insert(Shades().begin(),
                    TShadeRecord{static_cast<std::int16_t>(f), TShadeRecord::kToAxis});
    d.RefillLists();
    EXPECT_EQ(std::pair(d.ItemText(TShadeDlg::kShadeList, 0), d.IsChecked(TShadeDlg::kBetween)),
              std::pair(QStringLiteral("between {%1 ; y = 0}")
                            .arg(QString::fromStdString(win.DescribeExample(f))),
                        true));

    d.Press(TShadeDlg::kDeleteAllButton);
    EXPECT_TRUE(Shades().empty());
    EXPECT_EQ(std::pair(d.ItemCount(TShadeDlg::kShadeList),
                        d.IsControlEnabled(TShadeDlg::kDeleteAllButton)),
              std::pair(0, false));
}

TEST_F(RegionDialogsTest, InequalitiesMadeShadedAndUndone) {
    Paste("IMPL2;x^2+y^2=1;EXPL2;x;IMPL2;(x-3)^2+y^2=1;");
    win.Roles().SetRole(plot2d::kRegionColourRole, 12);
    TCentroidDlg& d = Regions();
    EXPECT_EQ(Lines(d, TCentroidDlg::kCurves),
              QString::fromStdString(win.DescribeExample(0) + "|" + win.DescribeExample(2)));
    // Nothing to undo yet; two curves and none chosen.
    d.Press(TCentroidDlg::kDeleteOne);
    d.SetSelectedIndex(TCentroidDlg::kCurves, -1);
    d.Press(TCentroidDlg::kToLess);
    ASSERT_EQ(Errors(),
              (std::vector<QString>{ErrorText(kErrNothingToDo), ErrorText(kErrMakeSelection)}));

    d.SetSelectedIndex(TCentroidDlg::kCurves, 0);
    d.Press(TCentroidDlg::kToLess);
    EXPECT_EQ(Lines(d, TCentroidDlg::kInequalities), QStringLiteral("x^2+y^2<1"));
    EXPECT_EQ(std::pair(win.Inventory()[0].subKind, win.Inventory()[0].listing),
              std::pair(std::int16_t{1}, std::int16_t{12}));
    // In the shading mode the disc is shaded in the region colour, and nothing outside it.
    ASSERT_EQ(win.State2D().regionMode, 2);
    const QRgb region = win.OutputColor(win.DrawColor(12)).rgb();
    QImage picture = Picture();
    EXPECT_TRUE(InkAt(picture, 0.5L, -0.5L, region, 0));
    EXPECT_TRUE(InkAt(picture, -0.3L, 0.6L, region, 0));
    EXPECT_FALSE(InkAt(picture, 2.5L, 1.5L, region, 2));
    EXPECT_FALSE(InkAt(picture, 3, 0.2L, region, 2));

    d.SetSelectedIndex(TCentroidDlg::kCurves, 1);
    d.Press(TCentroidDlg::kToGreater);
    EXPECT_EQ(Lines(d, TCentroidDlg::kInequalities), QStringLiteral("x^2+y^2<1|(x-3)^2+y^2>1"));
    EXPECT_TRUE(InkAt(Picture(), 4.5L, 3.5L, region, 0));  // outside the second disc
    // The newest selection undone: the first inequality stays.
    d.SetSelectedIndex(TCentroidDlg::kInequalities, 1);
    d.Press(TCentroidDlg::kDeleteOne);
    EXPECT_EQ(Lines(d, TCentroidDlg::kInequalities), QStringLiteral("x^2+y^2<1"));

    // "delete all" asks first: "no" keeps them, "yes" makes every curve an equation again.
    d.SetSelectedIndex(TCentroidDlg::kCurves, 1);
    d.Press(TCentroidDlg::kToGreater);
    prompter.messages.clear();
    prompter.AnswerMessage(platform::kIdNo);
    d.Press(TCentroidDlg::kDeleteAll);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(std::pair(prompter.messages[0].caption, prompter.messages[0].text),
              std::pair(QStringLiteral("careful!"), QStringLiteral("delete every inequality?")));
    EXPECT_EQ(d.ItemCount(TCentroidDlg::kInequalities), 2);
    prompter.AnswerMessage(platform::kIdYes);
    d.Press(TCentroidDlg::kDeleteAll);
    EXPECT_EQ(d.ItemCount(TCentroidDlg::kInequalities), 0);
    EXPECT_FALSE(InkAt(Picture(), 0.5L, -0.5L, region, 1));
}

TEST_F(RegionDialogsTest, TheDartCountIsReadKeptInTheFileAndThrown) {
    Paste("IMPL2;x^2+y^2=1;");
    TCentroidDlg& d = Regions();
    d.Press(TCentroidDlg::kToLess);
    d.Press(TCentroidDlg::kCentroid);
    EXPECT_EQ(win.State2D().regionMode, 3);
    EXPECT_TRUE(d.IsControlShown(TCentroidDlg::kThrow));
    EXPECT_EQ(d.GetText(TCentroidDlg::kDartsEdit), QStringLiteral("10000"));
    for (const char* refused : {"0", "many", "-4"}) {
        prompter.messages.clear();
        d.SetText(TCentroidDlg::kDartsEdit, QString::fromLatin1(refused));
        EXPECT_EQ(d.CmThrow(), kErrPositiveValue) << refused;
        EXPECT_EQ(Errors(), std::vector<QString>{ErrorText(kErrPositiveValue)}) << refused;
    }
    EXPECT_EQ(win.Tools().randomDarts, 10000);

    // Each dart takes two draws of the random source.
    long long draws = 0;
    std::uint64_t state = 17;
    SetRandomSource([&draws, &state] {
        ++draws;
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) & static_cast<std::uint64_t>(kRandomMax));
    });
    d.SetText(TCentroidDlg::kDartsEdit, QStringLiteral("2500"));
    d.SetChecked(TCentroidDlg::kSeeDarts, true);
    ASSERT_EQ(d.CmThrow(), kNoError);
    EXPECT_EQ(draws, 2 * 2500);
    ASSERT_TRUE(d.Centroid());
    // Within three standard errors of the disc's centre (the hits are shown).
    const double reach = 3 * std::sqrt(0.25 / static_cast<double>(win.State2D().darts.size()));
    EXPECT_NEAR(static_cast<double>(d.Centroid()->x), 0, reach);
    EXPECT_NEAR(static_cast<double>(d.Centroid()->y), 0, reach);
    EXPECT_EQ(d.GetText(TCentroidDlg::kResult),
              QString::fromStdString("x = " + win.FormatNum(d.Centroid()->x) +
                                     "\ny = " + win.FormatNum(d.Centroid()->y)));
    EXPECT_FALSE(win.State2D().darts.empty());
    EXPECT_EQ(win.Tools().randomDarts, 2500);
    // Another region chosen, or a change of mode, clears what was shown.
    d.OnNotify(TCentroidDlg::kInequalities, platform::Notification::SelectionChanged);
    EXPECT_EQ(std::pair(d.GetText(TCentroidDlg::kResult), d.Centroid().has_value()),
              std::pair(QString(), false));
    ASSERT_EQ(d.CmThrow(), kNoError);
    ASSERT_TRUE(d.Centroid());
    d.Press(TCentroidDlg::kIntersect);
    EXPECT_EQ(std::tuple(d.GetText(TCentroidDlg::kResult), d.Centroid().has_value(),
                         win.State2D().darts.empty(), win.State2D().regionMode),
              std::tuple(QString(), false, true, 1));

    ASSERT_TRUE(win.SaveTo(Path("darts.qz2")));
    plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("darts.qz2")), kNoError);
    EXPECT_EQ(std::pair(second.Tools().randomDarts, second.State2D().regionMode),
              std::pair(2500, 1));
    ASSERT_TRUE(second.SendCommand(cmd::kShadeImplicit));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*second.AnalysisTools());
    TCentroidDlg& again = *tools.Centroid();
    EXPECT_EQ(again.GetText(TCentroidDlg::kDartsEdit), QStringLiteral("2500"));
    draws = 0;
    ASSERT_EQ(again.CmThrow(), kNoError);
    EXPECT_EQ(draws, 2 * 2500);
}

TEST_F(RegionDialogsTest, TheLeftButtonsExampleIsChosenFollowedAndReadOut) {
    // An empty inventory: an empty combo, and "no data" keeps -1.
    {
        int items = -1;
        platform::ScopedDialogRunner runner([&items](platform::Dialog& d) {
            items = d.ItemCount(TLBDatDlg::kExamples);
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kMouseData));
        EXPECT_EQ(std::pair(items, win.State2D().mouseDataExample), std::pair(0, -1));
    }
    Add(k::kExplicit, -5, 5, {"", "x+1"});
    Add(k::kExplicit, -5, 5, {"", "sin(x)"});
    Add(k::kExplicit, -5, 5, {"", "x^2"});
    Add(k::kExplicit, -5, 5, {"", "sqrt(x)"});
    win.SetMouseMode(cmd::kMouseText);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            EXPECT_TRUE(d.IsChecked(TLBDatDlg::kNoData));
            d.SetSelectedIndex(TLBDatDlg::kExamples, 2);
            d.Press(TLBDatDlg::kExampleData);
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kMouseData));
    }
    EXPECT_EQ(std::pair(win.State2D().mouseDataExample, win.MouseMode()),
              std::pair(2, cmd::kMouseCoordinates));
    // Cancel keeps the choice that was.
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            EXPECT_EQ(d.SelectedIndex(TLBDatDlg::kExamples), 2);
            d.Press(TLBDatDlg::kNoData);
            return d.Press(platform::kIdCancel);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kMouseData));
    }
    EXPECT_EQ(win.State2D().mouseDataExample, 2);

    // The readout at x = 2 over y = x^2, where sqrt is undefined, and over a line.
    const auto readout = [this](long double x) {
        win.ShowMouseCoordinates(1, QPoint(win.XToScreen(x), win.YToScreen(0.5L)));
        return win.Readout()->second;
    };
    const std::string at2 = readout(2);
    EXPECT_EQ(at2.substr(at2.find("  f = ")), "  f = " + FormatNumberAuto(4, win.Format().places));
    EXPECT_EQ(std::stold(at2.substr(at2.find("  f = ") + 6)), 4.0L);
    const int gone[] = {0};
    win.DeleteExamples(gone);
    EXPECT_EQ(win.State2D().mouseDataExample, 1);
    // ... and an exchange of places.
    ASSERT_TRUE(win.SwapExamples(0, 1));
    EXPECT_EQ(win.State2D().mouseDataExample, 0);
    ASSERT_TRUE(win.SwapExamples(0, 1));
    EXPECT_EQ(win.State2D().mouseDataExample, 1);
    const std::string atMinus3 = readout(-3);
    EXPECT_EQ(std::stold(atMinus3.substr(atMinus3.find("  f = ") + 6)), 9.0L);
    win.State2D().mouseDataExample = 2;  // sqrt(x)
    const std::string undefined = readout(-1);
    EXPECT_EQ(undefined.substr(undefined.find("  f = ")), "  f = ?");
    // Other modes keep the plain readout.
    win.SetMouseMode(cmd::kMouseText);
    EXPECT_EQ(readout(2).find("f ="), std::string::npos);
}

}  // namespace
}  // namespace quorlin::tools2d
