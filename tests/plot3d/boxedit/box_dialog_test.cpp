// The new-example commands of the 3D window with their box dialog: a cancelled command leaves
// the inventory as it was, F1 gives its demonstration surface, and "3. Implicit ..." asks for
// the box at once; the inventory's "box" button and an inconsistent box.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "plot3d/boxedit/box_edit.h"
#include "plot3d/scene/example_boxes.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class BoxDialogTest : public quorlin::testing::Window3DTest {
protected:
    // Runs the command, answering each dialog by the function; the templates seen.
    std::vector<std::string> Run(int command, std::function<int(platform::Dialog&)> answer) {
        std::vector<std::string> seen;
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            seen.emplace_back(d.TemplateName());
            return answer(d);
        });
        win.SendCommand(command);
        return seen;
    }
};

class NewExampleCancelled : public BoxDialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(NewExampleCancelled, LeavesTheInventoryAsItWas) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\nPOINT3;1;2;3;\r\n");
    win.ExampleBook().created = 7;
    const auto seen =
        Run(GetParam(), [](platform::Dialog& d) { return d.Press(platform::kIdCancel); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rfind("EQUA", 0), 0u) << seen[0];
    EXPECT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory().LastIndex(), 1);
    EXPECT_EQ(win.ExampleBook().created, 7);
}

INSTANTIATE_TEST_SUITE_P(Commands, NewExampleCancelled,
                         ::testing::Values(cmd::kNew3DExplicit, cmd::kNew3DCylindrical,
                                           cmd::kNew3DParametric, cmd::kNew3DCurve,
                                           cmd::kNew3DImplicit, cmd::kNew3DTube, cmd::kNew3DSegment,
                                           cmd::kNew3DPointCartesian, cmd::kNew3DDifferential,
                                           cmd::kNew3DRecursive, cmd::kNew3DPointCylindrical,
                                           cmd::kNew3DPointSpherical, cmd::kNew3DPlane,
                                           cmd::kNew3DSpherical));

TEST_F(BoxDialogTest, F1GivesItsSurfaceOverTheDemonstrationSquare) {
    // The record as the editing dialog receives it (its OK reads the ranges back as shown).
    std::array<long double, 2> low{}, high{};
    const auto seen = Run(cmd::kNew3DExplicit, [&](platform::Dialog& d) {
        low = win.Inventory()[0].rangeLow;
        high = win.Inventory()[0].rangeHigh;
        return d.Press(platform::kIdOk);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"EQUA301"}));
    ASSERT_EQ(win.Inventory().Count(), 1);
    EXPECT_EQ(win.Inventory()[0].texts[2], "sin(xx+yy)/(xx+yy)");
    for (int k : {0, 1}) {
        EXPECT_EQ(low[k], -3.14158265358979L);
        EXPECT_EQ(high[k], std::numbers::pi_v<long double>);
    }
    EXPECT_EQ(win.ExampleBook().created, 1);
}

TEST_F(BoxDialogTest, AnImplicitSurfaceAsksForItsBoxAndIsDrawnAfterCancel) {
    std::vector<QString> shown;
    const auto seen = Run(cmd::kNew3DImplicit, [&](platform::Dialog& d) {
        if (d.TemplateName() == "EQUA305") {
            d.SetText(218, QStringLiteral("xx+yy+zz=1"));
            return d.Press(platform::kIdOk);
        }
        for (int id = 211; id <= 216; ++id) shown.push_back(d.GetText(id));
        shown.push_back(d.IsChecked(272) ? QStringLiteral("locked") : QStringLiteral("free"));
        return d.Press(platform::kIdCancel);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"EQUA305", "AUTOBOXB"}));
    const QString low = QString::fromStdString(win.FormatNum(-2.1L));
    const QString high = QString::fromStdString(win.FormatNum(2.1L));
    EXPECT_EQ(shown, (std::vector<QString>{low, high, low, high, low, high, "free"}));
    ASSERT_EQ(win.Inventory().Count(), 1);
    const examples::TExample& e = win.Inventory()[0];
    EXPECT_EQ(e.boxMin.y, -2.1L);
    EXPECT_EQ(e.boxMax.z, 2.1L);
    // Drawn: the scene takes in its box and the picture is due to be painted again.
    EXPECT_LE(win.SceneBox().min.x, -2.1L);
    EXPECT_GE(win.SceneBox().max.z, 2.1L);
    EXPECT_FALSE(win.IsImageCurrent(ImageLayer::Picture));
}

TEST_F(BoxDialogTest, TheInventoryButtonLocksATypedBoxAndRefusesAFlatOne) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    EXPECT_TRUE(win.EditsExampleBoxes());
    const auto typed = [](const char* xHigh) {
        return [xHigh](platform::Dialog& d) {
            const char* texts[] = {"-0.5", xHigh, "-0.25", "0.75", "-2", "3"};
            for (int k = 0; k < 6; ++k) d.SetText(211 + k, QString::fromLatin1(texts[k]));
            d.SetChecked(272, true);
            return d.Press(platform::kIdOk);
        };
    };
    {
        platform::ScopedDialogRunner runner(typed("-0.5"));
        win.EditExampleBox(0, false);
    }
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_TRUE(IsBoxAutomatic(win.Inventory()[0]));
    {
        platform::ScopedDialogRunner runner(typed("0.5"));
        win.EditExampleBox(0, false);
    }
    const examples::TExample& e = win.Inventory()[0];
    EXPECT_FALSE(IsBoxAutomatic(e));
    EXPECT_EQ(e.boxMin.x, -0.5L);
    EXPECT_EQ(e.boxMax.x, 0.5L);
    EXPECT_EQ(e.box2Max.z, 3);
    // The locked box holds the mesh: x*y on [-1, 1]^2 is clamped into it.
    for (const Vec3& p : e.points)
        if (IsDefinedMeshPoint(p)) EXPECT_LE(p.x, 0.5L + 1e-12L);
}

}  // namespace
}  // namespace quorlin::plot3d
