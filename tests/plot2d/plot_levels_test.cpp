// The 2D levels in a window: Lagrange points picked with the mouse, derived examples following
// their parents, the shading options of the Misc menu, the logarithmic window and the classes'
// menus.
#include <cmath>

#include "examples/plot_test_window.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;

class PlotLevelsTest : public quorlin::testing::PlotWindowTest {
protected:
    int Add(int kind, std::array<std::string_view, 5> texts) {
        win.AddExample(kind, -5, 5, texts);
        const int i = win.Inventory().LastIndex();
        win.CompileExample(i);
        return i;
    }
    void Click(platform::MouseButton button, long double x, long double y) {
        platform::MouseEvent event;
        event.button = button;
        event.point = QPoint(win.XToScreen(x), win.YToScreen(y));
        win.MouseDown(event);
    }
};

TEST_F(PlotLevelsTest, LagrangePointsArePickedWithTheMouse) {
    const int i = Add(k::kLagrange, {});
    win.EnterLagrangeMode(i);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    Click(platform::MouseButton::Left, -2, 4);
    Click(platform::MouseButton::Left, 0, 0);
    Click(platform::MouseButton::Left, 1, 1);
    Click(platform::MouseButton::Right, 0, 0);  // ends the picking
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    examples::TExample& e = win.Inventory()[i];
    ASSERT_EQ(e.word32, 2);
    // The polynomial through the clicks (to a pixel) is about x^2.
    examples::LoadLagrangeCoefficients(e, win.Formulas());
    long double y = 0;
    ASSERT_TRUE(win.Formulas().EvalAtReal(*e.Tree(2), slot::kX, 2, y));
    EXPECT_NEAR((double)y, 4, 0.3);
    // Picking ended without a point keeps the points there were.
    win.EnterLagrangeMode(i);
    win.SetMouseMode(cmd::kMouseCoordinates);
    EXPECT_EQ(win.Inventory()[i].word32, 2);
}

TEST_F(PlotLevelsTest, DerivedExamplesFollowTheirParents) {
    const int f = Add(k::kExplicit, {"", "cos(x)"});
    examples::TExample& integral = win.AddExample(k::kIntegral, -5, 5, {"0"});
    const int i = win.Inventory().LastIndex();
    integral.derivation = 73;
    integral.parent = {static_cast<std::int16_t>(f), -1};
    win.UpdateDependents(f);
    const auto valueAt = [&](long double x) {
        const QImage image = Picture();
        return InkAt(image, x, std::sin(x), ColourOf(i)) ? 1 : 0;
    };
    EXPECT_EQ(valueAt(1) + valueAt(2) + valueAt(-2), 3);
    // The parent becomes -sin: its antiderivative from 0 is cos x - 1.
    win.Inventory()[f].Text(2) = "-sin(x)";
    win.CompileExample(f);
    win.UpdateDependents(f);
    const QImage image = Picture();
    EXPECT_TRUE(InkAt(image, 2, std::cos(2.0L) - 1, ColourOf(i)));
    EXPECT_FALSE(InkAt(image, 2, std::sin(2.0L), ColourOf(i)));
}

TEST_F(PlotLevelsTest, ShadingsFollowTheirExamples) {
    Add(k::kExplicit, {"", "x"});
    const int f = Add(k::kExplicit, {"", "x^2"});
    const int g = Add(k::kExplicit, {"", "1"});
    win.State2D().shades = {{static_cast<std::int16_t>(f), static_cast<std::int16_t>(g)},
                            {0, TShadeRecord::kAbove}};
    win.DeleteExamples(std::vector<int>{0});
    ASSERT_EQ(win.State2D().shades.size(), 1u);  // the shading of the removed example went
    EXPECT_EQ(win.State2D().shades[0].first, 0);
    EXPECT_EQ(win.State2D().shades[0].second, 1);
    ASSERT_TRUE(win.SwapExamples(0, 1));
    EXPECT_EQ(win.State2D().shades[0].first, 1);
    EXPECT_EQ(win.State2D().shades[0].second, 0);
}

TEST_F(PlotLevelsTest, ShadingOptionsOfTheMiscMenu) {
    ASSERT_TRUE(win.SendCommand(cmd::kFillExplicit));
    EXPECT_TRUE(win.Options().fillExplicit);
    ASSERT_TRUE(win.SendCommand(cmd::kShadeXor));
    EXPECT_EQ(win.Options().shadingMode, cmd::kShadeXor);
    ASSERT_TRUE(win.SendCommand(cmd::kInfiniteSlopes));
    EXPECT_FALSE(win.Tracer().infiniteSlopes);
    // The tools' commands are not here yet: disabled.
    EXPECT_FALSE(win.QueryCommand(cmd::kZeros).enabled);
}

TEST(LogWindow, DrawsOnlyWhereTheValuesArePositive) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname1.lqz");
    request.logMode = canvas::kLogY;
    std::unique_ptr<platform::Window> window(CreateLogWindow(request));
    auto& win = dynamic_cast<TLogWin&>(*window);
    win.SizeChanged(401, 401);
    EXPECT_TRUE(win.readoutMaps);
    win.AddExample(k::kExplicit, -5, 5, {"", "x"});
    win.CompileExample(0);
    win.InvalidateImage(ImageLayer::Background);
    win.RenderImage(ImageLayer::Picture);
    const QImage& image = win.Image(ImageLayer::Picture);
    const QRgb colour = win.OutputColor(win.DrawColor(win.Inventory()[0].pen.colour)).rgb();
    const auto inkAt = [&](long double x, long double y) {  // y on the logarithmic axis
        const int px = win.XToScreen(x), py = win.YToScreen(std::log10(y));
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixel(px, py + dy) == colour) return true;
        return false;
    };
    EXPECT_TRUE(inkAt(1, 1));
    EXPECT_TRUE(inkAt(3, 3));
    EXPECT_TRUE(inkAt(0.05L, 0.05L));
    int left = 0;  // nothing where x is not positive
    for (int px = 0; px < win.XToScreen(0) - 1; ++px)
        for (int py = 0; py < 401; ++py) left += image.pixel(px, py) == colour ? 1 : 0;
    EXPECT_EQ(left, 0);
}

TEST(WindowClasses, EachHasItsMenu) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname1.qz2");
    std::unique_ptr<platform::Window> planets(CreatePlanetsWindow(request));
    ASSERT_NE(planets->Menu(), nullptr);
    EXPECT_EQ(planets->Menu()->name, "PLANETSMENU");
    std::unique_ptr<platform::Window> plot(CreatePlot2Window(request));
    EXPECT_EQ(plot->Menu()->name, "PLOT2MENU");
    request.fileName = QStringLiteral("noname1.lqz");
    std::unique_ptr<platform::Window> log(CreateLogWindow(request));
    EXPECT_EQ(log->Menu()->name, "LOGMENU");
    EXPECT_NE(dynamic_cast<examples::TPlotWin&>(*log).View().logMode, canvas::kLogNone);
}

}  // namespace
}  // namespace quorlin::plot2d
