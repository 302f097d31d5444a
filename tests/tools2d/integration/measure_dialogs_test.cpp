// The measuring dialogs on a 2D window: the cone and the sphere by revolution, the axis read and
// refused, a segment measured exactly without its interval, the sector of a circle beyond the
// view's x-range, and the two-curve volume leaving the window's interval as the user typed it.
#include "tools2d/integration/measure_dialogs.h"

#include <QLabel>

#include <numbers>

#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
constexpr double kPi = std::numbers::pi;

class MeasureDialogsTest : public ToolsWindowTest {
protected:
    static void Interval(examples::TPreRiemDlg& d, const char* low, const char* high,
                         const char* n) {
        d.SetText(examples::TPreRiemDlg::kLowEdit, QString::fromLatin1(low));
        d.SetText(examples::TPreRiemDlg::kHighEdit, QString::fromLatin1(high));
        d.SetText(examples::TPreRiemDlg::kSubintervalEdit, QString::fromLatin1(n));
    }
    static void Axis(TRevDlg& d, const char* a, const char* b, const char* c) {
        d.SetText(TRevDlg::kAEdit, QString::fromLatin1(a));
        d.SetText(TRevDlg::kBEdit, QString::fromLatin1(b));
        d.SetText(TRevDlg::kCEdit, QString::fromLatin1(c));
    }
    // Whether a label of the dialog with this caption is shown (labels without an id).
    static bool LabelShown(const QWidget& d, const char* caption) {
        for (const QLabel* label : d.findChildren<QLabel*>())
            if (label->text() == QString::fromLatin1(caption) && !label->isHidden()) return true;
        return false;
    }
    static QString Answer(const examples::TPreRiemDlg& d) {
        return d.GetText(examples::TPreRiemDlg::kResultStatic);
    }
};

TEST_F(MeasureDialogsTest, RevolutionAboutAxesAndSegments) {
    const int line = Add(k::kExplicit, -5, 5, {"", "x"});
    const int semicircle = Add(k::kParametric, 0, 3.2L, {"cos(t)", "sin(t)"});
    const int segment = Add(k::kSegment, 0, 1, {"0", "0", "1", "1"});
    const struct {
        int curve;
        bool volume;
        int axisButton;  // 0: typed as a, b, c
        const char *a, *b, *c, *low, *high, *n;
        double value, tolerance;
    } rows[] = {
        {line, true, TRevDlg::kXAxisButton, "", "", "", "0", "1", "3", kPi / 3, 1e-15},
        {line, false, TRevDlg::kXAxisButton, "", "", "", "0", "1", "3", kPi * std::sqrt(2.0),
         1e-15},
        {line, true, 0, "2", "0", "0", "0", "1", "5", kPi / 3, 1e-15},
        {line, true, TRevDlg::kYAxisButton, "", "", "", "0", "1", "5", kPi / 3, 1e-15},
        {semicircle, true, TRevDlg::kXAxisButton, "", "", "", "0", "pi", "100", 4 * kPi / 3, 4e-8},
        {semicircle, false, TRevDlg::kXAxisButton, "", "", "", "0", "pi", "100", 4 * kPi, 4e-8},
        // A segment is exact whatever its (hidden) interval says.
        {segment, true, TRevDlg::kXAxisButton, "", "", "", "0", "1", "1", kPi / 3, 1e-15},
        {segment, false, 0, "0", "1", "0", "0", "1", "1", kPi * std::sqrt(2.0), 1e-15},
    };
    for (const auto& row : rows) {
        TRevDlg& d = Command(row.volume ? cmd::kVolumeOfRevolution : cmd::kAreaOfRevolution,
                             &TWindowAnalysisTools::Revolution);
        Pick(d, row.curve);
        if (row.axisButton)
            d.Press(row.axisButton);
        else
            Axis(d, row.a, row.b, row.c);
        Interval(d, row.low, row.high, row.n);
        EXPECT_EQ(d.IsControlShown(TRevDlg::kLowEdit), row.curve != segment);
        d.Press(TRevDlg::kValueButton);
        ASSERT_TRUE(Errors().empty()) << Errors().back().toStdString();
        EXPECT_NEAR((double)d.Result(), row.value, row.tolerance) << row.curve << row.volume;
        const examples::TMarkedPoint& entry = win.Inventory()[row.curve].markedPoints.front();
        EXPECT_EQ(entry.code, row.volume ? 54 : 56);
    }
    TRevDlg& d = *Tools().Revolution();
    Axis(d, "0", "0", "1");
    d.Press(TRevDlg::kValueButton);
    EXPECT_EQ(Errors().back(), QStringLiteral("inconsistent data"));
}

// A segment is measured without an interval: the three interval edits and their labels (the
// statics 6, 5, 4) go, every other control stays; a curve brings them back.
TEST_F(MeasureDialogsTest, ASegmentHidesTheIntervalAndNothingElse) {
    const int line = Add(k::kExplicit, -5, 5, {"", "x"});
    const int segment = Add(k::kSegment, 0, 1, {"0", "0", "1", "1"});
    TRevDlg& d = Command(cmd::kVolumeOfRevolution, &TWindowAnalysisTools::Revolution);
    EXPECT_EQ(std::tuple(d.GetText(6), d.GetText(5), d.GetText(4)),
              std::tuple(QStringLiteral("arc start"), QStringLiteral("arc stop"),
                         QStringLiteral("subintervals")));
    const int interval[] = {
        TRevDlg::kLowEdit, TRevDlg::kHighEdit, TRevDlg::kSubintervalEdit, 6, 5, 4};
    const int kept[] = {TRevDlg::kListId,      TRevDlg::kXAxisButton,  TRevDlg::kYAxisButton,
                        TRevDlg::kAEdit,       TRevDlg::kBEdit,        TRevDlg::kCEdit,
                        TRevDlg::kValueButton, TRevDlg::kResultStatic, platform::kIdCancel};
    const char* keptLabels[] = {"axis ax + by = c", "a =", "b =", "c ="};
    for (const int curve : {segment, line, segment, line}) {
        Pick(d, curve);
        const bool shown = curve != segment;
        for (const int id : interval) EXPECT_EQ(d.IsControlShown(id), shown) << id;
        for (const int id : kept) EXPECT_TRUE(d.IsControlShown(id)) << id;
        for (const char* label : keptLabels) EXPECT_TRUE(LabelShown(d, label)) << label;
        EXPECT_FALSE(d.IsControlShown(TRevDlg::kList2Id));
    }
}

// The parameter interval of polar and parametric curves is the dialogs' own check: an empty or
// reversed one is "inconsistent data", a count beyond 10 characters or [1, 2147483647] "out of
// bounds", and the answer shown before goes.
TEST_F(MeasureDialogsTest, TheParameterIntervalOfPolarAndParametricCurves) {
    Paste("POLAR;1;0;7;");
    const int polar = 0;
    const int circle = Add(k::kParametric, 0, 13, {"cos(t)", "sin(t)"});
    const struct {
        const char *low, *high, *n, *error;
    } rows[] = {
        {"1", "1", "10", "inconsistent data"},
        {"2", "1", "10", "inconsistent data"},
        {"1", "1.00000000000001", "10", "inconsistent data"},
        {"0", "1", "0", "out of bounds"},
        {"0", "1", "2147483648", "out of bounds"},
        {"0", "1", "99999999999", "out of bounds"},
    };
    const int commands[] = {cmd::kSectorArea, cmd::kVolumeOfRevolution};
    for (const int command : commands) {
        ASSERT_TRUE(win.SendCommand(command));
        examples::TPreRiemDlg& d = command == cmd::kSectorArea
                                       ? static_cast<examples::TPreRiemDlg&>(*Tools().Sector())
                                       : *Tools().Revolution();
        for (const int curve : {polar, circle}) {
            Pick(d, curve);
            for (const auto& row : rows) {
                Interval(d, "0", "pi", "20");
                d.Press(examples::TPreRiemDlg::kValueButton);
                ASSERT_TRUE(Errors().empty()) << command << " " << curve;
                ASSERT_FALSE(Answer(d).isEmpty());
                const std::size_t entries = Entries(curve);
                Interval(d, row.low, row.high, row.n);
                d.Press(examples::TPreRiemDlg::kValueButton);
                ASSERT_EQ(Errors().size(), 1u) << row.high << " " << row.n;
                EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error)) << row.n;
                EXPECT_TRUE(Answer(d).isEmpty()) << row.high << " " << row.n;
                EXPECT_EQ(Entries(curve), entries);
                prompter.messages.clear();
            }
        }
    }
}

// The answer shown belongs to the example selected now: a new selection or a change of the
// inventory clears it.
TEST_F(MeasureDialogsTest, TheAnswerGoesWithTheSelectionAndTheInventory) {
    const int circle = Add(k::kParametric, 0, 13, {"cos(t)", "sin(t)"});
    const int twice = Add(k::kParametric, 0, 13, {"2*cos(t)", "2*sin(t)"});
    TSectorDlg& d = Command(cmd::kSectorArea, &TWindowAnalysisTools::Sector);
    const auto measure = [&](int curve, double area) {
        Pick(d, curve);
        Interval(d, "0", "2*pi", "200");
        d.Press(TSectorDlg::kValueButton);
        ASSERT_TRUE(Errors().empty());
        EXPECT_NEAR((double)d.Result(), area, 1e-9);
        EXPECT_EQ(Answer(d), QString::fromStdString(win.Format().FormatNum(d.Result())));
    };
    measure(circle, kPi);
    Pick(d, twice);
    EXPECT_TRUE(Answer(d).isEmpty());
    measure(twice, 4 * kPi);
    Paste("EXPL2;x;");
    EXPECT_TRUE(Answer(d).isEmpty());
    measure(circle, kPi);
    ASSERT_TRUE(win.SendCommand(cmd::kVolumeOfRevolution));
    Tools().Revolution()->SetKind(false);  // switched to surface area: the volume goes
    EXPECT_TRUE(Answer(*Tools().Revolution()).isEmpty());
}

TEST_F(MeasureDialogsTest, SectorsOfACircle) {
    const int circle = Add(k::kParametric, 0, 13, {"cos(t)", "sin(t)"});
    TSectorDlg& d = Command(cmd::kSectorArea, &TWindowAnalysisTools::Sector);
    Pick(d, circle);
    for (const auto& [high, area] : {std::pair{"2*pi", kPi}, {"4*pi", 2 * kPi}}) {
        Interval(d, "0", high, "200");
        d.Press(TSectorDlg::kValueButton);
        ASSERT_TRUE(Errors().empty());
        EXPECT_NEAR((double)d.Result(), area, 1e-9);
        EXPECT_EQ(win.Inventory()[circle].markedPoints.front().code, 55);
    }
}

TEST_F(MeasureDialogsTest, TwoCurveVolumesKeepTheUsersInterval) {
    Paste("EXPL2;1;EXPL2;0;");
    T2VolDlg& d = Command(cmd::kVolumeTwo, &TWindowAnalysisTools::VolumeTwo);
    Pick(d, 0);
    Interval(d, "-1", "2", "40");
    d.SetChecked(T2VolDlg::kWashers, false);
    d.SetChecked(T2VolDlg::kShells, true);
    d.Press(T2VolDlg::kValueButton);
    ASSERT_TRUE(Errors().empty());
    EXPECT_NEAR((double)d.Result(), 4 * kPi, 1e-12);
    EXPECT_EQ(std::tuple(win.Tools().low, win.Tools().high), std::tuple(-1, 2));
    const examples::TMarkedPoint& entry = win.Inventory()[0].markedPoints.front();
    EXPECT_EQ(std::tuple(entry.values[0], entry.values[1]), std::tuple(-1, 2));
    d.SetText(T2VolDlg::kAxisEdit, QStringLiteral("1+"));
    d.Press(T2VolDlg::kValueButton);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_TRUE(Answer(d).isEmpty());
    // A new g clears the answer of the old one.
    d.SetText(T2VolDlg::kAxisEdit, QStringLiteral("0"));
    d.Press(T2VolDlg::kValueButton);
    ASSERT_FALSE(Answer(d).isEmpty());
    d.SetSelectedIndex(T2VolDlg::kList2Id, d.ListIndexOf2(0));
    d.OnNotify(T2VolDlg::kList2Id, platform::Notification::SelectionChanged);
    ASSERT_EQ(d.SelectedExample2(), 0);
    EXPECT_TRUE(Answer(d).isEmpty());
}

}  // namespace
}  // namespace quorlin::tools2d
