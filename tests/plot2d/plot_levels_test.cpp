// The 2D levels in a window: Lagrange points picked with the mouse, derived examples following
// their parents, the shading options of the Misc menu, the logarithmic window and the classes'
// menus.
#include <cmath>

#include "examples/plot_test_window.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "support/curve_pixels.h"

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
        win.MouseDown({button, QPoint(win.XToScreen(x), win.YToScreen(y))});
    }
};

TEST_F(PlotLevelsTest, LagrangePointsArePickedWithTheMouse) {
    const int i = Add(k::kLagrange, {});
    win.EnterLagrangeMode(i);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    for (const auto& [x, y] : {std::pair{-2, 4}, {0, 0}, {1, 1}})
        Click(platform::MouseButton::Left, x, y);
    Click(platform::MouseButton::Right, 0, 0);  // ends the picking
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    examples::TExample& e = win.Inventory()[i];
    ASSERT_EQ(e.LagrangeLastPoint(), 2);
    // The polynomial through the clicks (to a pixel) is about x^2.
    examples::LoadLagrangeCoefficients(e, win.Formulas());
    long double y = 0;
    ASSERT_TRUE(win.Formulas().EvalAtReal(*e.Tree(2), slot::kX, 2, y));
    EXPECT_NEAR((double)y, 4, 0.3);
    // Picking ended without a point keeps the points there were.
    win.EnterLagrangeMode(i);
    win.SetMouseMode(cmd::kMouseCoordinates);
    EXPECT_EQ(win.Inventory()[i].LagrangeLastPoint(), 2);
}

TEST_F(PlotLevelsTest, DerivedExamplesFollowTheirParents) {
    const int f = Add(k::kExplicit, {"", "cos(x)"});
    examples::TExample& integral = win.AddExample(k::kIntegral, -5, 5, {"0"});
    const int i = win.Inventory().LastIndex();
    integral.derivation = 73;
    integral.parent = {static_cast<std::int16_t>(f), -1};
    win.UpdateDependents(f);
    QImage image = Picture();
    for (long double x : {1.0L, 2.0L, -2.0L})
        EXPECT_TRUE(InkAt(image, x, std::sin(x), ColourOf(i))) << (double)x;
    // The parent becomes -sin: its antiderivative from 0 is cos x - 1.
    win.Inventory()[f].Text(2) = "-sin(x)";
    win.CompileExample(f);
    win.UpdateDependents(f);
    image = Picture();
    EXPECT_TRUE(InkAt(image, 2, std::cos(2.0L) - 1, ColourOf(i)));
    EXPECT_FALSE(InkAt(image, 2, std::sin(2.0L), ColourOf(i)));
}

TEST_F(PlotLevelsTest, ShadingsFollowTheirExamplesAndTheMiscMenuSetsTheirOptions) {
    Add(k::kExplicit, {"", "x"});
    const int f = Add(k::kExplicit, {"", "x^2"});
    const int g = Add(k::kExplicit, {"", "1"});
    win.State2D().shades = {{static_cast<std::int16_t>(f), static_cast<std::int16_t>(g)},
                            {0, TShadeRecord::kAbove}};
    const auto pair = [&] {
        return std::pair(win.State2D().shades[0].first, win.State2D().shades[0].second);
    };
    win.DeleteExamples(std::vector<int>{0});
    ASSERT_EQ(win.State2D().shades.size(), 1u);  // the shading of the removed example went
    EXPECT_EQ(pair(), (std::pair<std::int16_t, std::int16_t>(0, 1)));
    ASSERT_TRUE(win.SwapExamples(0, 1));
    EXPECT_EQ(pair(), (std::pair<std::int16_t, std::int16_t>(1, 0)));
    // The shading options of the Misc menu.
    ASSERT_TRUE(win.SendCommand(cmd::kFillExplicit));
    EXPECT_TRUE(win.Options().fillExplicit);
    ASSERT_TRUE(win.SendCommand(cmd::kShadeXor));
    EXPECT_EQ(win.Options().shadingMode, cmd::kShadeXor);
    ASSERT_TRUE(win.SendCommand(cmd::kInfiniteSlopes));
    EXPECT_FALSE(win.Tracer().infiniteSlopes);
}

// The classes' menus; the logarithmic window draws on its logarithmic axis.
TEST(WindowClasses, EachHasItsMenuAndTheLogWindowDrawsOnItsAxis) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname1.qz2");
    std::unique_ptr<platform::Window> planets(CreatePlanetsWindow(request));
    ASSERT_NE(planets->Menu(), nullptr);
    EXPECT_EQ(planets->Menu()->name, "PLANETSMENU");
    std::unique_ptr<platform::Window> plot(CreatePlot2Window(request));
    EXPECT_EQ(plot->Menu()->name, "PLOT2MENU");
    request.fileName = QStringLiteral("noname1.lqz");
    request.logMode = canvas::kLogY;
    std::unique_ptr<platform::Window> window(CreateLogWindow(request));
    EXPECT_EQ(window->Menu()->name, "LOGMENU");
    auto& win = dynamic_cast<TLogWin&>(*window);
    EXPECT_EQ(win.View().logMode, canvas::kLogY);
    EXPECT_TRUE(win.PointMapping().readoutMaps);
    win.SizeChanged(401, 401);
    win.AddExample(k::kExplicit, -5, 5, {"", "x"});
    win.CompileExample(0);
    win.InvalidateImage(ImageLayer::Background);
    win.RenderImage(ImageLayer::Picture);
    const QImage& image = win.Image(ImageLayer::Picture);
    const QRgb colour = win.OutputColor(win.DrawColor(win.Inventory()[0].pen.colour)).rgb();
    for (long double x : {1.0L, 3.0L, 0.05L})  // y = x, on the logarithmic axis
        EXPECT_TRUE(quorlin::testing::InkNear(win, image, x, std::log10(x), colour)) << (double)x;
}

}  // namespace
}  // namespace quorlin::plot2d
