// The plot-window level through a 2D window: a moved parameter redraws what uses it, and
// readout points go through logarithmic axes or through the current example.
#include "examples/plot_test_window.h"

namespace quorlin::examples {
namespace {

class PlotWinTest : public quorlin::testing::PlotWindowTest {};

TEST_F(PlotWinTest, AMovedParameterRedrawsOnlyWhenAnExampleUsesIt) {
    Paste("EXPL2;A;");
    win.Formulas().SetVar(1, 1.0L);
    win.ExampleChanged(1);  // A: the line y = A moves up
    EXPECT_TRUE(win.IsImageCurrent(ImageLayer::Picture));
    EXPECT_TRUE(InkAt(win.Image(ImageLayer::Picture), 3, 1, ColourOf(0)));
    EXPECT_FALSE(win.Output().animationFrame);

    win.Formulas().SetVar(1, 2.0L);
    win.ExampleChanged(2);  // B: no example uses it, the picture stays
    EXPECT_TRUE(InkAt(win.Image(ImageLayer::Picture), 3, 1, ColourOf(0)));
    win.ExampleChanged(1);
    EXPECT_TRUE(InkAt(win.Image(ImageLayer::Picture), 3, 2, ColourOf(0)));
}

TEST_F(PlotWinTest, ReadoutPointsGoThroughLogAxesOrTheCurrentExample) {
    Paste("PARAM2;x+y;x*y;0;1;");
    Vec2 p{2, 3};
    EXPECT_TRUE(win.EvaluateExampleAt(p));
    EXPECT_EQ(p.x, 2);  // the readout does not map

    win.PointMapping().readoutMaps = true;
    win.ExampleBook().current = 0;
    EXPECT_TRUE(win.EvaluateExampleAt(p));
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 6);

    win.View().logMode = canvas::kLogBoth;
    win.SetLogCorners(0.01L, 100, 0.01L, 100);
    Vec2 inside{10, 0.1L};
    ASSERT_TRUE(win.EvaluateExampleAt(inside));
    EXPECT_NEAR(static_cast<double>(inside.x), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(inside.y), -1, 1e-15);
    Vec2 outside{10, 1000};
    EXPECT_FALSE(win.EvaluateExampleAt(outside));
}

TEST_F(PlotWinTest, HelpShowsTheProgramOverviewNotTheMainWindowText) {
    ASSERT_TRUE(win.OnCommand(resources::cmd::kHelp)) << "the frame's help would answer instead";
    ASSERT_NE(win.Help(), nullptr);
    EXPECT_EQ(win.Help()->CurrentName(), QStringLiteral("PROGHELP"));
}

// F1 on an open menu shows the page of that menu; a menu without one shows nothing.
TEST_F(PlotWinTest, F1OnAMenuShowsItsPage) {
    const std::pair<const char*, const char*> cases[] = {
        {"File", "QZ2FILEH"}, {"Equa", "QZ2EQUAH"}, {"View", "QZ2VIEWH"}, {"Btns", "QZ2BTNSH"},
        {"One", "QZ2ONEH"},   {"Two", "QZ2TWOH"},   {"Misc", "QZ2MISCH"}, {"Anim", "QZANIMH"}};
    for (const auto& [menu, page] : cases) {
        EXPECT_TRUE(win.ShowMenuHelp(QString::fromLatin1(menu))) << menu;
        ASSERT_NE(win.Help(), nullptr);
        EXPECT_EQ(win.Help()->CurrentName(), QString::fromLatin1(page));
    }
    EXPECT_FALSE(win.ShowMenuHelp(QStringLiteral("Window")));
    EXPECT_EQ(win.Help()->CurrentName(), QStringLiteral("QZANIMH"));
}

}  // namespace
}  // namespace quorlin::examples
