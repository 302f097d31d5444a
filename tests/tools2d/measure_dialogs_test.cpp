// The measuring dialogs on a 2D window: the cone and the sphere by revolution, the axis read and
// refused, a segment measured exactly without its interval, the sector of a circle beyond the
// view's x-range, and the two-curve volume leaving the window's interval as the user typed it.
#include "tools2d/measure_dialogs.h"

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
}

}  // namespace
}  // namespace quorlin::tools2d
