// The line-integral dialog on a 2D window: the circulation of two fields round the unit circle,
// the ranges refused as a table, the values kept for the next opening, and both examples given
// the result under the dialog's own tag.
#include "tools2d/integration/line_dialogs.h"

#include <cmath>
#include <numbers>

#include "tools2d/entry_tags.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
constexpr double kPi = std::numbers::pi;

class LineDialogsTest : public ToolsWindowTest {
protected:
    int Add(int kind, std::array<std::string_view, 5> texts) {
        return ToolsWindowTest::Add(kind, 0, 7, texts);
    }
    static void Range(TLineDlg& d, const char* low, const char* high, const char* n) {
        d.SetText(TLineDlg::kTLow, QString::fromLatin1(low));
        d.SetText(TLineDlg::kTHigh, QString::fromLatin1(high));
        d.SetText(TLineDlg::kTCount, QString::fromLatin1(n));
    }
};

TEST_F(LineDialogsTest, CirculationRoundTheCircle) {
    const int turning = Add(k::kSystem, {"-y", "x"});
    const int back = Add(k::kSystem, {"y", "-x"});
    const int circle = Add(k::kParametric, {"cos(t)", "sin(t)"});
    TLineDlg& d = Command(cmd::kLineIntegral, &TWindowAnalysisTools::Line);
    Pick(d, turning);
    for (const auto& [field, value] : {std::pair{turning, 2 * kPi}, {back, -2 * kPi}}) {
        Pick(d, field);
        Range(d, "0", "2*pi", "100");
        d.Press(TLineDlg::kValue);
        ASSERT_TRUE(Errors().empty());
        EXPECT_NEAR((double)d.LastResult(), value, 1e-9);
        for (const int i : {field, circle})
            EXPECT_EQ(win.Inventory()[i].markedPoints.front().code, entry_tag::kLineIntegral);
    }
    EXPECT_EQ(win.Tools().lineSteps, 100);
    // Closed and made again the dialog shows what was typed.
    d.Press(2);
    ASSERT_TRUE(win.SendCommand(cmd::kLineIntegral));
    EXPECT_EQ(Tools().Line()->GetText(TLineDlg::kTCount), QStringLiteral("100"));
}

TEST_F(LineDialogsTest, RangesAreReadBeforeAnythingIsStored) {
    Add(k::kSystem, {"-y", "x"});
    Add(k::kParametric, {"cos(t)", "sin(t)"});
    TLineDlg& d = Command(cmd::kLineIntegral, &TWindowAnalysisTools::Line);
    const struct {
        const char *low, *high, *n, *error;
    } rows[] = {
        {"1", "1", "10", "inconsistent data"},
        {"0", "1", "0", "out of bounds"},
        {"0", "1", "x", "out of bounds"},
        {"2", "1", "10", "inconsistent data"},
    };
    for (const auto& row : rows) {
        Range(d, row.low, row.high, row.n);
        d.Press(TLineDlg::kValue);
        EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error)) << row.n;
        EXPECT_EQ(win.Tools().lineSteps, 1000);  // nothing stored
    }
}

// The value shown belongs to the two examples selected now and to the last run that succeeded.
TEST_F(LineDialogsTest, TheValueGoesWithTheSelectionAndAFailedRun) {
    const int turning = Add(k::kSystem, {"-y", "x"});
    const int back = Add(k::kSystem, {"y", "-x"});
    const int circle = Add(k::kParametric, {"cos(t)", "sin(t)"});
    const int ellipse = Add(k::kParametric, {"2*cos(t)", "sin(t)"});
    TLineDlg& d = Command(cmd::kLineIntegral, &TWindowAnalysisTools::Line);
    const auto pickCurve = [&d](int curve) {
        d.SetSelectedIndex(TLineDlg::kList2Id, d.ListIndexOf2(curve));
        d.OnNotify(TLineDlg::kList2Id, platform::Notification::SelectionChanged);
        ASSERT_EQ(d.SelectedExample2(), curve);
    };
    const auto compute = [&] {
        Pick(d, turning);
        pickCurve(circle);
        Range(d, "0", "2*pi", "100");
        d.Press(TLineDlg::kValue);
        ASSERT_TRUE(Errors().empty());
        ASSERT_FALSE(d.GetText(TLineDlg::kResult).isEmpty());
    };
    const struct {
        const char *low, *high, *n;
        int field;  // -1: the same
        const char* error;
    } rows[] = {
        {"1", "1", "10", -1, "inconsistent data"},
        {"0", "1", "99999999999", -1, "out of bounds"},
        {"0", "1", "10", back, ""},
    };
    for (const auto& row : rows) {
        compute();
        if (row.field >= 0) Pick(d, row.field);
        EXPECT_TRUE(row.field < 0 || d.GetText(TLineDlg::kResult).isEmpty());
        Range(d, row.low, row.high, row.n);
        if (*row.error) {
            d.Press(TLineDlg::kValue);
            EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error));
            EXPECT_TRUE(d.GetText(TLineDlg::kResult).isEmpty()) << row.n;
            prompter.messages.clear();
        }
    }
    // The second list: a new curve clears it too.
    compute();
    pickCurve(ellipse);
    EXPECT_TRUE(d.GetText(TLineDlg::kResult).isEmpty());
}

// The flux dialog belongs to space windows; its reading and recording are the same on any
// window that holds a space field and a parametric surface.
TEST_F(LineDialogsTest, FluxThroughTheUnitSphere) {
    const int field = Add(k::kSpaceSystem, {"x", "y", "z"});
    const int sphere = Add(k::kParametricSurface, {"sin(t)*cos(u)", "sin(t)*sin(u)", "cos(t)"});
    TFluxDlg d(win);
    d.Create();
    Pick(d, field);
    EXPECT_TRUE(d.IsControlShown(TLineDlg::kUCount));
    Range(d, "0", "pi", "40");
    d.SetText(TLineDlg::kULow, QStringLiteral("0"));
    d.SetText(TLineDlg::kUHigh, QStringLiteral("2*pi"));
    d.SetText(TLineDlg::kUCount, QStringLiteral("40"));
    d.Press(TLineDlg::kValue);
    ASSERT_TRUE(Errors().empty());
    EXPECT_NEAR(std::fabs((double)d.LastResult()), 4 * kPi, 1e-6);
    EXPECT_EQ(win.Inventory()[sphere].markedPoints.front().code, entry_tag::kFlux);
    d.SetText(TLineDlg::kUCount, QStringLiteral("0"));
    d.Press(TLineDlg::kValue);
    EXPECT_EQ(Errors().back(), QStringLiteral("out of bounds"));
    EXPECT_EQ(win.Tools().fluxUSteps, 40);
}

}  // namespace
}  // namespace quorlin::tools2d
