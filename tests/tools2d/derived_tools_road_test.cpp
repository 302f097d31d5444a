// The combinations tool as a user reaches it in the running program: a 2D window from the
// frame's Window menu, y = sin(x) and y = cos(x) from the Equa menu, "Combinations ..." and
// "f + g": the sum on the window's picture, following f when f is edited.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/boxes.h"
#include "resources/command_ids.h"
#include "support/curve_pixels.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/road_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::ShareInked;

TEST(DerivedToolsRoadTest, CombineTwoCurvesAsAUser) {
    platform::ScriptedPrompter prompter;
    UserFrame user;
    TPlotFrame& frame = user.frame;
    plot2d::TPlot2Win* win = user.NewWindow();
    ASSERT_NE(win, nullptr);
    EXPECT_FALSE(frame.QueryCommand(cmd::kCombinations).enabled);  // nothing to combine yet
    for (const char* formula : {"sin(x)", "cos(x)"}) {
        platform::ScopedDialogRunner runner([formula](platform::Dialog& d) {
            d.SetText(212, QString::fromLatin1(formula));
            return d.Press(1);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kNewExplicit2D));
    }
    ASSERT_EQ(win->Inventory().Count(), 2);
    for (const int id : {cmd::kCombinations, cmd::kRoulettes, cmd::kEvolutes})
        EXPECT_TRUE(frame.QueryCommand(id).enabled) << id;
    ASSERT_TRUE(frame.DispatchCommand(cmd::kCombinations));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools());
    ASSERT_NE(tools.Combine(), nullptr);
    TCombineDlg& d = *tools.Combine();
    EXPECT_FALSE(d.IsHidden());
    d.SelectPosition(d.ListIndexOf(0));
    d.ChooseSecond(1);
    d.Press(combine::kPlus);
    ASSERT_EQ(win->Inventory().Count(), 3);
    EXPECT_EQ(win->Inventory()[2].derivation, examples::derived::kSum);
    EXPECT_TRUE(prompter.messages.empty());

    // Shown in a colour of its own, the sum is on the picture along sin x + cos x.
    win->Inventory()[2].pen.colour = 9;
    const QRgb colour = win->OutputColor(win->DrawColor(9)).rgb();
    const auto picture = [&] {
        win->InvalidateImage(ImageLayer::Background);
        win->RenderImage(ImageLayer::Picture);
        return win->Image(ImageLayer::Picture);
    };
    const auto sum = [](long double x) { return std::pair{x, std::sin(x) + std::cos(x)}; };
    EXPECT_GT(ShareInked(*win, picture(), colour, -4.5L, 4.5L, 60, sum), 0.95);
    // f becomes 2 sin x: the walk rebuilds the sum.
    win->Inventory()[0].Text(2) = "2*sin(x)";
    win->CompileExample(0);
    win->UpdateDependents(0);
    const auto edited = [](long double x) { return std::pair{x, 2 * std::sin(x) + std::cos(x)}; };
    const QImage after = picture();
    EXPECT_GT(ShareInked(*win, after, colour, -4.5L, 4.5L, 60, edited), 0.95);
    EXPECT_LT(ShareInked(*win, after, colour, 0.5L, 2.5L, 20, sum), 0.2);
}

}  // namespace
}  // namespace quorlin::tools2d
