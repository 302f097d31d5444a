// A combination in a 3D window with the analysis tools the program installs: z = f + g made by
// "Combinations ..." and "f + g" from z = x y and z = x + 2y, and (f + g) - f made from it,
// follow every edit of either parent through the window's edit dialog, their meshes on the new
// closed forms; the curve-surface dialog lists them among the surfaces.
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/boxes.h"
#include "plot3d/tools/curve_surface_dialog.h"
#include "plot3d/window3d_fixture.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/derived/derived_dialogs.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;

struct ToolsInstalled {
    ToolsInstalled() { tools2d::InstallAnalysisTools(); }
};

class CombinationWalkTest : private ToolsInstalled, public testing::Window3DTest {
protected:
    // The edit dialog of example k with the formula `from` replaced by `to`, confirmed.
    void Edit(int k, const char* from, const char* to) {
        platform::ScopedDialogRunner runner([from, to](platform::Dialog& dialog) {
            for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
                if (edit->text() == QLatin1String(from)) edit->setText(QLatin1String(to));
            return dialog.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.EditExample(k, false));
    }
    // The largest distance of the mesh of example k from z = sum(x, y), over its defined points.
    double MeshOff(int k, const std::function<long double(long double, long double)>& sum) {
        const examples::TExample& e = win.Inventory()[k];
        EXPECT_FALSE(e.points.empty());
        long double off = 0;
        for (const Vec3& p : e.points)
            if (std::isfinite(p.z)) off = std::max(off, std::fabs(p.z - sum(p.x, p.y)));
        return static_cast<double>(off);
    }
};

TEST_F(CombinationWalkTest, ASumFollowsTheEditsOfItsParents) {
    Paste("EXPL3;x*y;-1;2;-2;1;\r\nEXPL3;x+2*y;-1;2;-2;1;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kCombinations));
    auto& tools = dynamic_cast<tools2d::TWindowAnalysisTools&>(*win.AnalysisTools());
    ASSERT_NE(tools.Combine(), nullptr);
    tools2d::TCombineDlg& combine = *tools.Combine();
    const auto combineOf = [&combine](int f, int g, int button) {
        combine.SelectPosition(combine.ListIndexOf(f));
        combine.ChooseSecond(g);
        combine.Press(button);
    };
    combineOf(0, 1, tools2d::combine::kPlus);
    ASSERT_EQ(win.Inventory().Count(), 3);
    combineOf(2, 0, tools2d::combine::kMinus);  // a grandchild of f and g
    ASSERT_EQ(win.Inventory().Count(), 4);
    EXPECT_EQ(win.Inventory()[2].derivation, examples::derived::kSum);
    EXPECT_EQ(win.Inventory()[3].parent[0], 2);
    EXPECT_EQ(win.Inventory()[2].kind, examples::kind::kSurface);
    EXPECT_LT(MeshOff(2, [](long double x, long double y) { return x * y + x + 2 * y; }), 1e-12);
    EXPECT_LT(MeshOff(3, [](long double x, long double y) { return x + 2 * y; }), 1e-12);

    using Surface = std::function<long double(long double, long double)>;
    const struct {
        int parent;
        const char* from;
        const char* to;
        Surface sum;
        Surface g;  // (f + g) - f
    } rows[] = {
        {0, "x*y", "x*y-3", [](long double x, long double y) { return x * y - 3 + x + 2 * y; },
         [](long double x, long double y) { return x + 2 * y; }},
        {1, "x+2*y", "y-x", [](long double x, long double y) { return x * y - 3 + y - x; },
         [](long double x, long double y) { return y - x; }},
        {0, "x*y-3", "x*x", [](long double x, long double y) { return x * x + y - x; },
         [](long double x, long double y) { return y - x; }},
    };
    for (const auto& row : rows) {
        Edit(row.parent, row.from, row.to);
        EXPECT_LT(MeshOff(2, row.sum), 1e-12) << row.to;
        EXPECT_LT(MeshOff(3, row.g), 1e-12) << row.to;
    }
    EXPECT_TRUE(Errors().empty());

    // The sum is a surface like any for the curve-surface dialog.
    Paste("PARAM3;t;t;0;-1;1;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kIntersections));
    ASSERT_NE(win.CurveSurfaceDialog(), nullptr);
    for (const int k : {2, 3}) EXPECT_GE(win.CurveSurfaceDialog()->ListIndexOf(k), 0) << k;
}

}  // namespace
}  // namespace quorlin
