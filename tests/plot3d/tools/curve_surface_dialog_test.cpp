// The curve-surface intersection dialog of a 3D window, reached through its menu command: the
// points in the order of t with their entries, the readout, "save", "mark point", a list left
// empty, the choices kept through deletions, and the marker drawn at the point.
#include "plot3d/tools/curve_surface_dialog.h"

#include <cmath>
#include <vector>

#include "examples/levels/inventory_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class CurveSurfaceDialogTest : public quorlin::testing::Window3DTest {
protected:
    // The dialog after the command, which makes it or searches on.
    TIntCSDlg& Request() {
        EXPECT_TRUE(win.SendCommand(cmd::kIntersections));
        TIntCSDlg* d = win.CurveSurfaceDialog();
        EXPECT_NE(d, nullptr);
        return *d;
    }
    static double FoundT(const TIntCSDlg& d) {
        return d.Found() ? static_cast<double>(d.Found()->t) : 99;
    }
};

TEST_F(CurveSurfaceDialogTest, RequestsGiveThePointsInTheOrderOfTAndRecordEachOnce) {
    const struct {
        const char* script;
        std::vector<double> ts;
        std::size_t entries;  // on each of the two examples afterwards
    } rows[] = {
        {"IMPL3;x^2+y^2+z^2=1;-3;3;-3;3;-3;3;\r\nPARAM3;t;0;0;-2;2;\r\n", {-1, 1, -1}, 2},
        {"EXPL3;x^2;-3;3;-3;3;\r\nPARAM3;t;0;1;-2;2;\r\n", {-1, 1}, 2},
        {"IMPL3;x+y+z=1;-3;3;-3;3;-3;3;\r\nPARAM3;t;t;t;-2;2;\r\n", {1.0 / 3, 1.0 / 3}, 1},
        // The same plane as a plane example through (1, 0, 0) with the normal (1, 1, 1).
        {"PLANE;1;1;1;1;0;0;4;\r\nPARAM3;t;t;t;-2;2;\r\n", {1.0 / 3, 1.0 / 3}, 1},
    };
    for (const auto& row : rows) {
        while (win.Inventory().Count() > 0) win.DeleteExamples(std::vector<int>{0});
        Paste(row.script);
        for (const double t : row.ts) {
            TIntCSDlg& d = Request();
            EXPECT_NEAR(FoundT(d), t, 1e-12) << row.script;
        }
        for (const int i : {0, 1})
            EXPECT_EQ(win.Inventory()[i].markedPoints.size(), row.entries) << row.script;
        ASSERT_FALSE(win.Inventory()[1].markedPoints.empty());
        const auto& entry = win.Inventory()[1].markedPoints.front();
        EXPECT_EQ(entry.code, TIntCSDlg::kEntryTag);
        EXPECT_EQ(entry.label, "int(x,y,z,t)");
    }
}

TEST_F(CurveSurfaceDialogTest, TheReadoutShowsTXYZOrAQuestionMark) {
    Paste("IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\nPARAM3;t;t;0;-3;3;\r\n");
    TIntCSDlg& d = Request();
    const QString text = d.GetText(TIntCSDlg::kResult);
    EXPECT_TRUE(text.startsWith(QStringLiteral("t = "))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 4);
    EXPECT_TRUE(text.contains(QStringLiteral("z = "))) << text.toStdString();
    ASSERT_TRUE(d.Found());
    EXPECT_NEAR(static_cast<double>(d.Found()->at.y), -std::sqrt(2.0), 1e-12);
    EXPECT_TRUE(d.IsControlEnabled(TIntCSDlg::kSave));

    // The line (t, 0, 2) only touches the sphere: nothing, every time.
    win.DeleteExamples(std::vector<int>{1});
    Paste("PARAM3;t;0;2;-3;3;\r\n");
    for (int request = 0; request < 2; ++request) {
        TIntCSDlg& again = Request();
        EXPECT_FALSE(again.Found());
        EXPECT_EQ(again.GetText(TIntCSDlg::kResult), QStringLiteral("?"));
        EXPECT_FALSE(again.IsControlEnabled(TIntCSDlg::kSave));
        EXPECT_FALSE(again.IsControlEnabled(TIntCSDlg::kMark));
    }
}

TEST_F(CurveSurfaceDialogTest, SaveAndMarkPointUseThePointFound) {
    Paste("IMPL3;x^2+y^2+z^2=1;-3;3;-3;3;-3;3;\r\nPARAM3;t/2;0;0;-4;4;\r\n");
    TIntCSDlg& d = Request();
    ASSERT_NEAR(FoundT(d), -2, 1e-12);
    d.SetSelectedIndex(TIntCSDlg::kCoordinate, 3);  // T
    d.SetSelectedIndex(TIntCSDlg::kLetter, 0);      // A
    win.Formulas().SetVar(1, 5.0L);
    d.Press(TIntCSDlg::kSave);
    EXPECT_NEAR(static_cast<double>(win.Formulas().vars.value[1].real()), -2, 1e-12);
    d.SetSelectedIndex(TIntCSDlg::kCoordinate, 0);  // X
    d.SetSelectedIndex(TIntCSDlg::kLetter, 2);      // C
    ASSERT_TRUE(d.CmSave());
    EXPECT_NEAR(static_cast<double>(win.Formulas().vars.value[3].real()), -1, 1e-12);

    ASSERT_EQ(d.CmMarkPoint(), 0);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(win.Inventory()[2].kind, examples::kind::kSpacePoint);
    EXPECT_TRUE(d.Found());  // the dialog was spared the refresh of the added point

    ASSERT_TRUE(win.ResizeInventory(win.Inventory().LastIndex(), true));
    EXPECT_EQ(d.CmMarkPoint(), 4);
    EXPECT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(Errors().size(), 1u);
}

// The point marked is spared by the tool dialogs only: the open inventory dialog lists it.
TEST_F(CurveSurfaceDialogTest, TheOpenInventoryListsTheMarkedPoint) {
    Paste("IMPL3;x^2+y^2+z^2=1;-3;3;-3;3;-3;3;\r\nPARAM3;t/2;0;0;-4;4;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kInventory));
    examples::TFnListDlg* inventory = win.InventoryDialog();
    ASSERT_NE(inventory, nullptr);
    ASSERT_EQ(inventory->ItemCount(examples::invent::kList), 2);
    TIntCSDlg& d = Request();
    ASSERT_NEAR(FoundT(d), -2, 1e-12);
    ASSERT_EQ(d.CmMarkPoint(), 0);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(inventory->ItemCount(examples::invent::kList), 3);
    EXPECT_TRUE(inventory->ItemText(examples::invent::kList, 2)
                    .contains(QString::fromStdString(win.DescribeExample(2))));
    EXPECT_TRUE(d.Found());
}

TEST_F(CurveSurfaceDialogTest, ChoicesStayWithTheirExamplesAndAnEmptyListSearchesNothing) {
    Paste(
        "PARAM3;t;0;0;-2;2;\r\nIMPL3;x^2+y^2+z^2=1;-3;3;-3;3;-3;3;\r\n"
        "PARAM3;0;t;0;-2;2;\r\nPARAM3;0;0;t;-3;3;\r\n");
    TIntCSDlg& d = Request();
    d.ChooseSecond(3);
    ASSERT_EQ(d.SelectedExample2(), 3);
    EXPECT_FALSE(d.Found());  // another choice clears the point shown
    d.Press(TIntCSDlg::kNext);
    EXPECT_NEAR(static_cast<double>(d.Found()->at.z), -1, 1e-12);

    win.DeleteExamples(std::vector<int>{0});
    win.InventoryChanged(0);
    EXPECT_EQ(d.SelectedExample(), 0);
    EXPECT_EQ(d.SelectedExample2(), 2);
    EXPECT_FALSE(d.Found());  // the inventory changed

    win.DeleteExamples(std::vector<int>{0});  // the only surface
    win.InventoryChanged(0);
    EXPECT_EQ(d.SelectedExample(), -1);
    d.Press(TIntCSDlg::kNext);
    EXPECT_FALSE(d.Found());
    EXPECT_EQ(d.GetText(TIntCSDlg::kResult), QStringLiteral("?"));
    for (int i = 0; i <= win.Inventory().LastIndex(); ++i)
        EXPECT_TRUE(win.Inventory()[i].markedPoints.size() <= 1u);
}

TEST_F(CurveSurfaceDialogTest, TheOpenDialogMarksItsPointInThePicture) {
    Paste("IMPL3;x^2+y^2+z^2=1;-3;3;-3;3;-3;3;\r\nPARAM3;t;0;0;-2;2;\r\n");
    TIntCSDlg& d = Request();
    ASSERT_TRUE(d.Found());
    const QImage shown = Picture();
    const auto centre = win.ProjectToPixel(d.Found()->at);
    ASSERT_TRUE(centre.has_value());
    d.Press(2);  // "close" hides the dialog, and the picture loses the marker
    ASSERT_TRUE(d.IsHidden());
    const QImage hidden = Picture();
    ASSERT_EQ(shown.size(), hidden.size());
    int near = 0;
    int far = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == hidden.pixel(x, y)) continue;
            const bool inMarker = std::abs(x - centre->x()) <= 8 && std::abs(y - centre->y()) <= 8;
            ++(inMarker ? near : far);
        }
    EXPECT_GT(near, 6);
    EXPECT_EQ(far, 0);
}

}  // namespace
}  // namespace quorlin::plot3d

namespace quorlin::plot3d {
namespace {

// Examples made from others are listed like any: the sum z = x + 2y of z = x and z = 2y among
// the surfaces, a line made from a curve among the curves, and the search meets them. The line
// (t, t, 3/4) meets z = x at t = 3/4, z = 2y at t = 3/8 and the sum at t = 1/4.
TEST_F(CurveSurfaceDialogTest, DerivedSurfacesAndCurvesAreListedAndMet) {
    Paste(
        "EXPL3;x;-3;2;-2;4;\r\nEXPL3;2*y;-3;2;-2;4;\r\nEXPL3;x+2*y;-3;2;-2;4;\r\n"
        "PARAM3;t;t;0.75;-1;2;\r\nPARAM3;0;t;t*t;-1;2;\r\n");
    const auto derive = [this](int i, std::uint16_t code, int first, int second) {
        win.Inventory()[i].derivation = code;
        win.Inventory()[i].parent = {static_cast<std::int16_t>(first),
                                     static_cast<std::int16_t>(second)};
    };
    derive(2, examples::derived::kSum, 0, 1);
    derive(3, examples::derived::kTangentLine, 4, -1);
    const struct {
        int surface;
        double t;
    } rows[] = {{2, 0.25}, {0, 0.75}, {1, 0.375}};
    for (const auto& row : rows) {
        TIntCSDlg& d = Request();
        ASSERT_GE(d.ListIndexOf(row.surface), 0) << row.surface;
        ASSERT_GE(d.ListIndexOf2(3), 0);
        d.SelectPosition(d.ListIndexOf(row.surface));
        d.ChooseSecond(3);
        d.Press(TIntCSDlg::kNext);
        EXPECT_NEAR(FoundT(d), row.t, 1e-12) << row.surface;
    }
}

}  // namespace
}  // namespace quorlin::plot3d
