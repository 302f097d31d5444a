// A user's road through the searches of the running program: sin x pasted and locked to [1, 10],
// "Zeros ..." twice and "mark pt", which leaves a point example at (2 pi, 0) drawn on the
// picture and one data entry per zero found; two circles typed as new implicit curves and
// "Intersections ..." twice, which gives both points where they cross; curves pasted in a small
// view searched after zooming out, where they are drawn now, with a line made from the menu.
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialog.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"
#include "shell/window_kinds.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/searches/extreme_dialog.h"
#include "tools2d/searches/intersection_dialog.h"
#include "tools2d/searches/zero_dialog.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr int kEquationEdit = 218;

class SearchesRoadTest : public ::testing::Test {
protected:
    SearchesRoadTest() : kinds(Kinds()), frame(kinds, {}) {
        InstallAnalysisTools();
        platform::SetClipboard(&clipboard);
        frame.Create();
        EXPECT_TRUE(frame.DispatchCommand(cmd::kWindow2D));
        win = dynamic_cast<plot2d::TPlot2Win*>(frame.ActiveChild());
        EXPECT_NE(win, nullptr);
        if (win) win->SizeChanged(401, 401);
    }
    ~SearchesRoadTest() override { platform::SetClipboard(nullptr); }
    static WindowKindRegistry Kinds() {
        WindowKindRegistry kinds;
        kinds.Register(WindowKind::Plot2D, plot2d::CreatePlot2Window);
        return kinds;
    }
    void Choose(int command) {
        ASSERT_TRUE(frame.QueryCommand(command).enabled) << command;
        ASSERT_TRUE(frame.DispatchCommand(command)) << command;
    }
    void Paste(const char* script) {
        clipboard.SetText(QString::fromLatin1(script));
        Choose(cmd::kPasteScript);
    }
    TWindowAnalysisTools& Tools() {
        return dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools());
    }
    const QImage& Picture() {
        win->InvalidateImage(ImageLayer::Background);
        win->RenderImage(ImageLayer::Picture);
        return win->Image(ImageLayer::Picture);
    }
    // Whether a pixel within two of the world point has the colour of example i.
    bool InkOf(int i, long double x, long double y) {
        const QImage& image = Picture();
        const QRgb colour = win->OutputColor(win->DrawColor(win->Inventory()[i].pen.colour)).rgb();
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint p(win->XToScreen(x) + dx, win->YToScreen(y) + dy);
                if (image.rect().contains(p) && image.pixel(p) == colour) return true;
            }
        return false;
    }

    platform::MemoryClipboard clipboard;
    WindowKindRegistry kinds;  // the frame keeps it
    TPlotFrame frame;
    plot2d::TPlot2Win* win = nullptr;
};

TEST_F(SearchesRoadTest, ZerosMarkedAsAUser) {
    ASSERT_NE(win, nullptr);
    Paste("CORNERS;0;11;-2;2;EXPL2;sin(x);LOCK;1;10;");
    ASSERT_EQ(win->Inventory().Count(), 1);
    Choose(cmd::kZeros);
    Choose(cmd::kZeros);
    TZeroDlg& zeros = *Tools().Zeros();
    EXPECT_NEAR(zeros.LastZero(), 2 * kPi, 1e-12L);
    ASSERT_TRUE(zeros.IsControlEnabled(TZeroDlg::kMark));
    zeros.Press(TZeroDlg::kMark);
    ASSERT_EQ(win->Inventory().Count(), 2);
    const examples::TExample& point = win->Inventory()[1];
    EXPECT_EQ(point.kind, k::kPoint);
    EXPECT_NEAR(std::stold(point.Text(1)), 2 * kPi, 1e-13L);
    EXPECT_NEAR(std::stold(point.Text(2)), 0, 1e-13L);
    win->Inventory()[1].pen.colour = win->Inventory()[0].pen.colour == 3 ? 4 : 3;
    EXPECT_TRUE(InkOf(1, 2 * kPi, 0));
    EXPECT_FALSE(InkOf(1, 3 * kPi, 0));
    EXPECT_EQ(win->Inventory()[0].markedPoints.size(), 2u);  // pi and 2 pi
}

TEST_F(SearchesRoadTest, TwoCirclesMeetTwiceAsAUser) {
    ASSERT_NE(win, nullptr);
    for (const char* circle : {"x^2+y^2=1", "(x-1)^2+y^2=1"}) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            d.SetText(kEquationEdit, QString::fromLatin1(circle));
            return d.Press(platform::kIdOk);
        });
        Choose(cmd::kNewExampleOffset + k::kImplicit);
    }
    ASSERT_EQ(win->Inventory().Count(), 2);
    Picture();  // the circles are traced
    Choose(cmd::kIntersections);
    TInterCCDlg& meetings = *Tools().Intersections();
    meetings.SetSelectedIndex(examples::T2ComboDlg::kList2Id, meetings.ListIndexOf2(1));
    meetings.OnNotify(examples::T2ComboDlg::kList2Id, platform::Notification::SelectionChanged);
    std::vector<long double> ys;
    for (int request = 0; request < 2; ++request) {
        ASSERT_EQ(meetings.Result().result, 1);
        EXPECT_NEAR(meetings.Result().at.x, 0.5L, 1e-3L);
        ys.push_back(meetings.Result().at.y);
        Choose(cmd::kIntersections);
    }
    std::ranges::sort(ys);
    EXPECT_NEAR(ys[0], -std::sqrt(3.0L) / 2, 1e-3L);
    EXPECT_NEAR(ys[1], std::sqrt(3.0L) / 2, 1e-3L);
}

TEST_F(SearchesRoadTest, AfterZoomingOutTheSearchesScanWhatIsDrawn) {
    ASSERT_NE(win, nullptr);
    Paste("CORNERS;-5;5;-5;5;EXPL2;x-10;EXPL2;(x-7)^2-3;EXPL2;10-x;");
    Choose(cmd::kZoomOut);
    Choose(cmd::kZoomOut);
    ASSERT_NEAR(win->View().right, 20, 1e-12L);
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.SetText(211, QStringLiteral("1"));  // x + 2y = 3
        d.SetText(212, QStringLiteral("2"));
        d.SetText(213, QStringLiteral("3"));
        return d.Press(platform::kIdOk);
    });
    Choose(cmd::kNewExampleOffset + k::kLine);
    ASSERT_EQ(win->Inventory().Count(), 4);

    Choose(cmd::kZeros);
    TZeroDlg& zeros = *Tools().Zeros();
    ASSERT_TRUE(zeros.Found());
    EXPECT_NEAR(zeros.LastZero(), 10, 1e-12L);
    zeros.SelectPosition(zeros.ListIndexOf(3));
    ASSERT_TRUE(zeros.Found());
    EXPECT_NEAR(zeros.LastZero(), 3, 1e-12L);

    Choose(cmd::kExtremes);
    TExtrDlg& extremes = *Tools().Extremes();
    extremes.SelectPosition(extremes.ListIndexOf(1));
    ASSERT_TRUE(extremes.Shown());
    EXPECT_NEAR(extremes.Shown()->values[0], 7, 1e-9L);

    Choose(cmd::kIntersections);
    TInterCCDlg& meetings = *Tools().Intersections();
    meetings.SetSelectedIndex(examples::T2ComboDlg::kList2Id, meetings.ListIndexOf2(2));
    meetings.OnNotify(examples::T2ComboDlg::kList2Id, platform::Notification::SelectionChanged);
    ASSERT_EQ(meetings.Result().result, 1);
    EXPECT_NEAR(meetings.Result().at.x, 10, 1e-12L);
    EXPECT_NEAR(meetings.Result().at.y, 0, 1e-12L);
}

}  // namespace
}  // namespace quorlin::tools2d
