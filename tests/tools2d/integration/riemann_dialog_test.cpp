// The integration dialog on a 2D window: the six rules against closed forms, f - g, undefined
// integrands refused, the interval and the stepped count read as a table, limits tied to a
// parameter, the antiderivative examples, and the overlay on the window's picture.
#include "tools2d/integration/riemann_dialog.h"

#include <array>
#include <cmath>
#include <numbers>

#include "examples/levels/slide_dialog.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;

class RiemannDialogTest : public ToolsWindowTest {
protected:
    TRiemDlg& Open(int mode = 1) {
        return Command(mode == 1 ? cmd::kIntegrate : cmd::kIntegrateTwo,
                       &TWindowAnalysisTools::Riemann);
    }
    static void Limits(TRiemDlg& d, const char* low, const char* high, const char* n) {
        d.SetText(TRiemDlg::kLowEdit, QString::fromLatin1(low));
        d.SetText(TRiemDlg::kHighEdit, QString::fromLatin1(high));
        d.SetText(TRiemDlg::kSubintervalEdit, QString::fromLatin1(n));
    }
    static void CheckAll(TRiemDlg& d) {
        for (int id = TRiemDlg::kFirstCheck; id <= TRiemDlg::kOverlayCheck; ++id) {
            d.SetChecked(id, true);
            d.OnControl(id);
        }
    }
    long double Sum(examples::SumRule rule) const {
        return win.Tools().sums[static_cast<std::size_t>(rule)];
    }
    // The value statics of the five fixed rules, as texts.
    std::array<QString, 5> Shown(const TRiemDlg& d) const {
        std::array<QString, 5> texts;
        for (int k = 0; k < 5; ++k) texts[k] = d.GetText(TRiemDlg::kFirstValue + k);
        return texts;
    }
    // The texts the window's number format gives the values.
    std::array<QString, 5> Formatted(const std::array<long double, 5>& values) const {
        std::array<QString, 5> texts;
        for (int k = 0; k < 5; ++k)
            texts[k] = QString::fromStdString(win.Format().FormatNum(values[k]));
        return texts;
    }
    static bool NoneShown(const TRiemDlg& d) {
        for (int k = 0; k < 6; ++k)
            if (!d.GetText(TRiemDlg::kFirstValue + k).isEmpty()) return false;
        return true;
    }
};

TEST_F(RiemannDialogTest, TheSixRulesOfXSquared) {
    Paste("EXPL2;x^2;");
    TRiemDlg& d = Open();
    CheckAll(d);
    Limits(d, "0", "2", "4");
    d.Press(TRiemDlg::kValueButton);
    ASSERT_TRUE(Errors().empty());
    using R = examples::SumRule;
    const struct {
        R rule;
        long double value;
    } rules[] = {{R::Left, 1.75L},
                 {R::Midpoint, 2.625L},
                 {R::Right, 3.75L},
                 {R::Trapezoid, 2.75L},
                 {R::Simpson, 8.0L / 3}};
    for (const auto& r : rules) {
        EXPECT_NEAR((double)Sum(r.rule), (double)r.value, 1e-15) << static_cast<int>(r.rule);
        const int statics = TRiemDlg::kFirstValue + static_cast<int>(r.rule);
        EXPECT_FALSE(d.GetText(statics).isEmpty());
    }
    // A random point in each cell of an increasing f lies between the two ends.
    EXPECT_GT(Sum(R::Random), Sum(R::Left));
    EXPECT_LT(Sum(R::Random), Sum(R::Right));
    ASSERT_EQ(Entries(0), 1u);
    const examples::TMarkedPoint& entry = win.Inventory()[0].markedPoints[0];
    EXPECT_EQ(std::tuple(entry.code, entry.label), std::tuple(51, "(left,right,value,subint)"));
    EXPECT_NEAR((double)entry.values[2], 8.0 / 3, 1e-15);
    EXPECT_EQ(entry.values[3], 4);
    // An unchecked rule's value is not shown.
    d.SetChecked(TRiemDlg::kFirstCheck, false);
    d.OnControl(TRiemDlg::kFirstCheck);
    EXPECT_TRUE(d.GetText(TRiemDlg::kFirstValue).isEmpty());
    EXPECT_EQ(d.Options().FirstRule(), 2);
}

TEST_F(RiemannDialogTest, FMinusGAndUndefinedIntegrands) {
    Paste("EXPL2;x^2;EXPL2;x;EXPL2;1/x;");
    TRiemDlg& d = Open(2);
    Pick(d, 0);
    d.SelectSecond(1);
    Limits(d, "0", "1", "10");
    d.Press(TRiemDlg::kValueButton);
    EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), -1.0 / 6, 1e-15);
    EXPECT_EQ(std::tuple(Entries(0), Entries(1)), std::tuple(1u, 1u));
    EXPECT_EQ(win.Inventory()[1].markedPoints[0].code, 52);

    // 1/x across 0: refused with 106, no new value, nothing recorded.
    TRiemDlg& single = Open(1);
    Pick(single, 2);
    Limits(single, "-1", "1", "4");  // 0 is a node
    single.Press(TRiemDlg::kValueButton);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors().back(), QStringLiteral("cannot approximate this"));
    EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), -1.0 / 6, 1e-15);
    EXPECT_EQ(Entries(2), 0u);
}

TEST_F(RiemannDialogTest, TheIntervalAndTheSteppedCountAsATable) {
    Paste("EXPL2;x;");
    TRiemDlg& d = Open();
    const struct {
        const char* low;
        const char* high;
        const char* n;
        int button;
        const char* error;  // empty: accepted
        const char* nAfter;
    } rows[] = {
        {"1", "1", "4", TRiemDlg::kValueButton, "inconsistent data", "4"},
        {"1", "1.00000000000001", "4", TRiemDlg::kValueButton, "inconsistent data", "4"},
        {"-11", "1", "4", TRiemDlg::kValueButton, "out of bounds", "4"},
        {"0", "1", "0", TRiemDlg::kValueButton, "out of bounds", "0"},
        {"0", "1", "1", TRiemDlg::kMinus, "positive value?", "1"},
        {"0", "1", "2147483647", TRiemDlg::kPlus, "out of bounds", "2147483647"},
        {"0", "1", "7", TRiemDlg::kPlus, "", "8"},
        {"0", "1", "7", TRiemDlg::kMinus, "", "6"},
    };
    for (const auto& row : rows) {
        const std::size_t errorsBefore = Errors().size();
        Limits(d, row.low, row.high, row.n);
        d.Press(row.button);
        if (*row.error) {
            ASSERT_EQ(Errors().size(), errorsBefore + 1) << row.low << " " << row.n;
            EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error));
        } else {
            EXPECT_EQ(Errors().size(), errorsBefore) << row.n;
            EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), 0.5, 1e-15);
        }
        EXPECT_EQ(d.GetText(TRiemDlg::kSubintervalEdit), QString::fromLatin1(row.nAfter));
    }
}

TEST_F(RiemannDialogTest, ALowerLimitTiedToAParameter) {
    Paste("EXPL2;x;");
    TRiemDlg& d = Open();
    Limits(d, "-2.72@K", "2", "4");
    d.Press(TRiemDlg::kValueButton);
    ASSERT_TRUE(Errors().empty());
    const int k = 'K' - '@';
    EXPECT_NEAR((double)win.Formulas().Var(k), -2.72, 1e-15);
    ASSERT_NE(win.ParamDialog(k), nullptr);
    EXPECT_FALSE(win.ParamDialog(k)->IsHidden());
    // K moves past the upper end: the previous ends stay.
    win.Formulas().SetVar(k, 3);
    d.Press(TRiemDlg::kPlus);
    EXPECT_NEAR((double)win.Tools().low, -2.72, 1e-15);
}

TEST_F(RiemannDialogTest, AntiderivativesFollowTheirParents) {
    Paste("EXPL2;cos(x);");
    TRiemDlg& d = Open();
    Limits(d, "0", "2", "4");
    d.Press(TRiemDlg::kIndefinite);
    ASSERT_TRUE(Errors().empty());
    ASSERT_EQ(win.Inventory().LastIndex(), 1);
    const examples::TExample& integral = win.Inventory()[1];
    EXPECT_EQ(
        std::tuple(integral.kind, integral.derivation, integral.parent[0], integral.parent[1]),
        std::tuple(206, 73, 0, -1));
    const QImage image = Picture();
    for (const long double x : {1.0L, 2.0L, -2.5L})
        EXPECT_TRUE(InkAt(image, x, std::sin(x), ColourOf(1))) << (double)x;
    // Editing f rebuilds the integrand.
    win.Inventory()[0].Text(2) = "2*x";
    win.CompileExample(0);
    win.UpdateDependents(0);
    long double y = 0;
    ASSERT_TRUE(win.Formulas().EvalAtReal(*win.Inventory()[1].Tree(2), slot::kX, 3, y));
    EXPECT_EQ(y, 6);
}

TEST_F(RiemannDialogTest, AnAntiderivativeOfFAloneTakesItsParameterNumbers) {
    Paste("EXPL2;x;EXPL2;1;");
    // The packed letter pairs and the ends they bind (groups 2 and 3 of the numbers).
    const long double packed[] = {1102, 305, 7, -1.5L, 2.25L, 9};
    const auto first = static_cast<std::size_t>(examples::TNumber::kFirstLetterPair);
    for (std::size_t k = 0; k < 6; ++k) win.Inventory()[0].numbers[first + k] = packed[k];
    win.Inventory()[0].numbers[0] = 42;  // group 1 is f's own
    for (const int mode : {1, 2}) {
        TRiemDlg& d = Open(mode);
        Pick(d, 0);
        if (mode == 2) d.SelectSecond(1);
        Limits(d, "0", "1", "4");
        d.Press(TRiemDlg::kIndefinite);
        ASSERT_TRUE(Errors().empty());
        const examples::TExample& integral = win.Inventory()[win.Inventory().LastIndex()];
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(integral.numbers[first + k], mode == 1 ? packed[k] : 0) << mode << k;
        EXPECT_EQ(integral.numbers[0], 0) << mode;
    }
}

TEST_F(RiemannDialogTest, ShownValuesFollowAParameterOfF) {
    const int a = 'A' - '@';
    win.Formulas().SetVar(a, 1);
    Paste("EXPL2;A*x^2;");
    TRiemDlg& d = Open();
    CheckAll(d);
    Limits(d, "0", "2", "4");
    d.Press(TRiemDlg::kValueButton);
    ASSERT_TRUE(Errors().empty());
    const QString before = d.GetText(TRiemDlg::kFirstValue + 4);
    win.Formulas().SetVar(a, 3);
    win.ExampleChanged(a);
    EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), 8.0, 1e-14);
    EXPECT_NEAR((double)Sum(examples::SumRule::Left), 5.25, 1e-14);
    EXPECT_NE(d.GetText(TRiemDlg::kFirstValue + 4), before);
    EXPECT_EQ(Entries(0), 1u);  // a refresh records nothing
    // Before any computation (or after a new selection) nothing is summed.
    Pick(d, 0);
    win.Formulas().SetVar(a, 5);
    win.ExampleChanged(a);
    EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), 8.0, 1e-14);
    EXPECT_TRUE(d.GetText(TRiemDlg::kFirstValue + 4).isEmpty());
}

// The sums of sin over [0, pi] in 4 stay the dialog's own whatever the other tools compute
// meanwhile, and an inventory change sums them again (for f edited, anew).
TEST_F(RiemannDialogTest, ItsValuesStayItsOwnAfterOtherToolsAndInventoryChanges) {
    Paste("EXPL2;sin(x);EXPL2;sqrt(x);");
    TRiemDlg& d = Open();
    Pick(d, 0);
    CheckAll(d);
    Limits(d, "0", "pi", "4");
    d.Press(TRiemDlg::kValueButton);
    ASSERT_TRUE(Errors().empty());
    const long double pi = std::numbers::pi_v<long double>;
    const long double left = pi / 4 * (1 + std::sqrt(2.0L));
    const long double middle = pi / 2 * (std::sin(pi / 8) + std::sin(3 * pi / 8));
    const std::array<long double, 5> sums{left, middle, left, left, (left + 2 * middle) / 3};
    ASSERT_EQ(Shown(d), Formatted(sums));
    using Getter = examples::TPreRiemDlg* (*)(TWindowAnalysisTools&);
    const struct {
        int command;
        Getter dialog;
    } others[] = {
        {cmd::kVolumeOfRevolution,
         [](TWindowAnalysisTools& t) -> examples::TPreRiemDlg* { return t.Revolution(); }},
        {cmd::kAreaOfRevolution,
         [](TWindowAnalysisTools& t) -> examples::TPreRiemDlg* { return t.Revolution(); }},
        {cmd::kSectorArea,
         [](TWindowAnalysisTools& t) -> examples::TPreRiemDlg* { return t.Sector(); }},
    };
    for (const auto& other : others) {
        ASSERT_TRUE(win.SendCommand(other.command));
        examples::TPreRiemDlg& tool = *other.dialog(Tools());
        Pick(tool, 0);
        tool.SetText(TRiemDlg::kLowEdit, QStringLiteral("0.5"));
        tool.SetText(TRiemDlg::kHighEdit, QStringLiteral("2"));
        tool.SetText(TRiemDlg::kSubintervalEdit, QStringLiteral("6"));
        tool.Press(TRiemDlg::kValueButton);
        ASSERT_TRUE(Errors().empty()) << other.command;
        EXPECT_EQ(Shown(d), Formatted(sums)) << other.command;
        Paste("EXPL2;x;");  // any example
        EXPECT_EQ(Shown(d), Formatted(sums)) << other.command;
    }
    win.Inventory()[0].Text(2) = "2*sin(x)";
    win.CompileExample(0);
    win.InventoryChanged(0);
    std::array<long double, 5> twice = sums;
    for (long double& v : twice) v *= 2;
    EXPECT_EQ(Shown(d), Formatted(twice));
}

TEST_F(RiemannDialogTest, AModeOrSelectionChangeAndAFailedRunClearTheValues) {
    Paste("EXPL2;sqrt(x);EXPL2;x;");
    TRiemDlg& d = Open(2);
    Pick(d, 0);
    d.SelectSecond(1);
    CheckAll(d);
    // The parabolic rule on 4 cells of [0, 1]: sqrt at the ends and middles of the cells (exact
    // for x, so f - g is this less 1/2).
    long double rootSum = 0;
    for (int i = 1; i <= 4; ++i)
        rootSum +=
            std::sqrt((i - 1) / 4.0L) + 4 * std::sqrt((2 * i - 1) / 8.0L) + std::sqrt(i / 4.0L);
    const long double root = rootSum / 24;
    const auto compute = [&](int mode, long double parabolic) {
        Limits(d, "0", "1", "4");
        d.Press(TRiemDlg::kValueButton);
        ASSERT_TRUE(Errors().empty());
        ASSERT_TRUE(d.HasValues());
        EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), (double)parabolic, 1e-15) << mode;
        EXPECT_EQ(d.GetText(TRiemDlg::kFirstValue + 4),
                  QString::fromStdString(win.Format().FormatNum(Sum(examples::SumRule::Simpson))));
    };
    compute(2, root - 0.5L);
    Open(1);  // f alone: the values of f - g go
    EXPECT_TRUE(NoneShown(d));
    compute(1, root);
    Open(2);
    EXPECT_TRUE(NoneShown(d));
    compute(2, root - 0.5L);
    d.SelectSecond(0);  // a new g
    EXPECT_TRUE(NoneShown(d));
    const struct {
        const char *low, *high, *n, *error;
    } failures[] = {
        {"1", "1", "4", "inconsistent data"},
        {"0", "1", "0", "out of bounds"},
        {"-1", "1", "4", "cannot approximate this"},  // sqrt(x) below 0
    };
    for (const auto& failure : failures) {
        d.SelectSecond(1);
        compute(2, root - 0.5L);
        Limits(d, failure.low, failure.high, failure.n);
        d.Press(TRiemDlg::kValueButton);
        EXPECT_EQ(Errors().back(), QString::fromLatin1(failure.error));
        EXPECT_TRUE(NoneShown(d)) << failure.error;
        EXPECT_FALSE(d.HasValues());
        prompter.messages.clear();
    }
}

TEST_F(RiemannDialogTest, ANewSelectionUntiesTheLimits) {
    Paste("EXPL2;x;EXPL2;x^2;");
    TRiemDlg& d = Open();
    Limits(d, "-2@K", "2", "4");
    d.Press(TRiemDlg::kValueButton);
    ASSERT_TRUE(d.IsTied());
    const int k = 'K' - '@';
    win.Formulas().SetVar(k, -1);  // the slider moves
    win.ExampleChanged(k);
    Pick(d, 1);
    EXPECT_FALSE(d.IsTied());
    d.Press(TRiemDlg::kPlus);
    ASSERT_TRUE(Errors().empty());
    EXPECT_EQ(std::tuple(win.Tools().low, win.Tools().high, win.Tools().subintervals),
              std::tuple(-2, 2, 5));
    EXPECT_NEAR((double)Sum(examples::SumRule::Simpson), 16.0 / 3, 1e-15);
}

// ln x has no limit at 0: every count accepted ends at once with 106, after it was read.
TEST_F(RiemannDialogTest, CountsOfNineTenAndElevenCharacters) {
    Paste("EXPL2;ln(x);");
    TRiemDlg& d = Open();
    const char* refused = "out of bounds";
    const char* read = "cannot approximate this";
    const struct {
        const char* n;
        int button;
        const char* error;
        int used;  // -1: the count is not read
        const char* shown;
    } rows[] = {
        {"999999999", TRiemDlg::kValueButton, read, 999999999, "999999999"},
        {"2147483647", TRiemDlg::kValueButton, read, 2147483647, "2147483647"},
        {" 1000000000 ", TRiemDlg::kValueButton, read, 1000000000, " 1000000000 "},
        {"2147483648", TRiemDlg::kValueButton, refused, -1, "2147483648"},
        {"99999999999", TRiemDlg::kValueButton, refused, -1, "99999999999"},
        {"999999999", TRiemDlg::kPlus, read, 1000000000, "1000000000"},
        {"2147483646", TRiemDlg::kPlus, read, 2147483647, "2147483647"},
        {"1000000000", TRiemDlg::kMinus, read, 999999999, "999999999"},
        {"99999999999", TRiemDlg::kPlus, refused, -1, "99999999999"},
        {"99999999999", TRiemDlg::kMinus, refused, -1, "99999999999"},
    };
    for (const auto& row : rows) {
        win.Tools().subintervals = 3;
        Limits(d, "0", "1", row.n);
        d.Press(row.button);
        ASSERT_FALSE(Errors().empty()) << row.n;
        EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error)) << row.n << " " << row.button;
        EXPECT_EQ(win.Tools().subintervals, row.used < 0 ? 3 : row.used) << row.n;
        EXPECT_EQ(d.GetText(TRiemDlg::kSubintervalEdit), QString::fromLatin1(row.shown));
    }
}

TEST_F(RiemannDialogTest, TheOverlayLeavesXAsItWas) {
    Paste("EXPL2;x^2;");
    TRiemDlg& d = Open();
    Limits(d, "0", "2", "4");
    for (const int id : {TRiemDlg::kFirstCheck + 5, TRiemDlg::kOverlayCheck}) {  // random
        d.SetChecked(id, true);
        d.OnControl(id);
    }
    ASSERT_EQ(d.Options().FirstRule(), 6);
    win.Formulas().SetVar(slot::kX, 0.375L);
    ASSERT_TRUE(d.OverlayJob());
    Picture();
    EXPECT_EQ(win.Formulas().Var(slot::kX), 0.375L);
}

TEST_F(RiemannDialogTest, ClosingHidesThePaletteItsColourButtonOpened) {
    Paste("EXPL2;x;");
    TRiemDlg& d = Open();
    d.Press(platform::kIdCancel);
    win.ChooseColor(3);  // the palette opened by something else stays
    ASSERT_TRUE(win.IsPaletteShown());
    d.ShowDialog();
    d.Press(platform::kIdCancel);
    EXPECT_TRUE(win.IsPaletteShown());
    d.ShowDialog();
    d.Press(TRiemDlg::kColourButton);
    ASSERT_TRUE(win.IsPaletteShown());
    d.Press(platform::kIdCancel);
    EXPECT_TRUE(d.IsHidden());
    EXPECT_FALSE(win.IsPaletteShown());
}

TEST_F(RiemannDialogTest, AntiderivativeOfTwoCurvesCutsTheRange) {
    Paste("EXPL2;x;EXPL2;1;");
    win.Inventory()[1].rangeLow[0] = -1;
    win.Inventory()[1].rangeHigh[0] = 2;
    TRiemDlg& d = Open(2);
    Pick(d, 0);
    d.SelectSecond(1);
    Limits(d, "0", "1", "4");
    d.Press(TRiemDlg::kIndefinite);
    ASSERT_EQ(win.Inventory().LastIndex(), 2);
    EXPECT_EQ(std::tuple(win.Inventory()[2].rangeLow[0], win.Inventory()[2].rangeHigh[0]),
              std::tuple(-1, 2));
    // Locked ranges that do not meet: 1, and no half-made example.
    win.Inventory()[0].lockInterval = 1;
    win.Inventory()[0].rangeLow[0] = 3;
    win.Inventory()[0].rangeHigh[0] = 4;
    d.Press(TRiemDlg::kIndefinite);
    EXPECT_EQ(Errors().back(), QStringLiteral("cannot understand"));
    EXPECT_EQ(win.Inventory().LastIndex(), 2);
    // A full inventory: 4.
    ASSERT_TRUE(win.Inventory().SetCapacity(2, true));
    d.Press(TRiemDlg::kIndefinite);
    EXPECT_EQ(Errors().back(), QStringLiteral("no more room"));
    EXPECT_EQ(win.Inventory().LastIndex(), 2);
}

TEST_F(RiemannDialogTest, TheOverlayOnThePicture) {
    Paste("EXPL2;x^2;");
    win.Roles().SetRole(TRiemDlg::kOverlayColourRole, 9);
    TRiemDlg& d = Open();
    Limits(d, "0", "2", "4");
    d.Press(TRiemDlg::kValueButton);
    const QRgb overlay = win.OutputColor(win.DrawColor(9)).rgb();
    EXPECT_FALSE(InkAt(Picture(), 1, 0.5L, overlay));  // no rule checked yet
    for (const int id : {TRiemDlg::kFirstCheck, TRiemDlg::kOverlayCheck}) {
        d.SetChecked(id, true);
        d.OnControl(id);
    }
    const QImage image = Picture();
    // The sides of the left rule's cells at x = 0.5 and 1.5, below f and above the axis.
    EXPECT_TRUE(InkAt(image, 1.5L, 1.0L, overlay));
    EXPECT_TRUE(InkAt(image, 0.5L, 0.1L, overlay));
    EXPECT_FALSE(InkAt(image, 1.5L, 3.0L, overlay));
    // A new example leaves them; a new selection clears them and the overlay goes.
    Paste("EXPL2;x;");
    EXPECT_EQ(d.Options().Mask(), 1 | (1 << 6));
    Pick(d, 0);
    EXPECT_EQ(d.Options().Mask(), 0);
    EXPECT_FALSE(InkAt(Picture(), 1.5L, 1.0L, overlay));
}

}  // namespace
}  // namespace quorlin::tools2d
