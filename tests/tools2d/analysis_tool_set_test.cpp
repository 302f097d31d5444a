// The seam between the window levels and the analysis tools: without a maker the commands are
// disabled; with it each command makes its dialog once and shows it again, a hidden window hides
// the dialogs, the integration dialog comes back from a diagram file with its mode, selections
// and options, and the dialogs close with the window.
#include "tools2d/analysis_tool_set.h"

#include <QCoreApplication>
#include <QEvent>

#include "tools2d/integration/riemann_dialog.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;

constexpr int kCommands2D[] = {cmd::kIntegrate,        cmd::kIntegrateTwo, cmd::kVolumeOfRevolution,
                               cmd::kAreaOfRevolution, cmd::kSectorArea,   cmd::kVolumeTwo,
                               cmd::kLineIntegral};

TEST(AnalysisToolsSeamTest, WithoutAMakerTheCommandsAreDisabled) {
    examples::SetAnalysisToolsMaker({});
    plot2d::TPlot2Win win(QStringLiteral("noname1.qz2"));
    for (const int id : kCommands2D) EXPECT_FALSE(win.QueryCommand(id).enabled) << id;
    EXPECT_EQ(win.AnalysisTools(), nullptr);
}

class AnalysisToolSetTest : public ToolsWindowTest {};

TEST_F(AnalysisToolSetTest, EachCommandMakesItsDialogOnceAndShowsItAgain) {
    Paste("EXPL2;x;EXPL2;x^2;DEQ2T;-y;x;");
    win.AddExample(examples::kind::kParametric, 0, 7, {"cos(t)", "sin(t)"});
    win.CompileExample(win.Inventory().LastIndex());
    for (const int id : kCommands2D) EXPECT_TRUE(win.QueryCommand(id).enabled) << id;
    EXPECT_FALSE(win.QueryCommand(cmd::kSurfaceIntegral).enabled);
    for (const int id : kCommands2D) ASSERT_TRUE(win.SendCommand(id));
    TWindowAnalysisTools& tools = Tools();
    const std::vector<platform::Dialog*> dialogs = {static_cast<platform::Dialog*>(tools.Riemann()),
                                                    tools.Revolution(), tools.Sector(),
                                                    tools.VolumeTwo(), tools.Line()};
    for (platform::Dialog* d : dialogs) {
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(d->IsHidden());
        d->Press(2);
        EXPECT_TRUE(d->IsHidden());
    }
    // The second opening shows the same dialog; the mode follows the command.
    TRiemDlg* riemann = tools.Riemann();
    ASSERT_TRUE(win.SendCommand(cmd::kIntegrateTwo));
    EXPECT_EQ(tools.Riemann(), riemann);
    EXPECT_EQ(std::tuple(riemann->IsHidden(), riemann->Mode()), std::tuple(false, 2));
    // A hidden window hides them.
    win.HideWindow();
    EXPECT_TRUE(riemann->IsHidden());
}

TEST_F(AnalysisToolSetTest, TheIntegrationDialogComesBackFromAFile) {
    Paste("EXPL2;x;EXPL2;x^2;EXPL2;1;");
    ASSERT_TRUE(win.SendCommand(cmd::kIntegrateTwo));
    TRiemDlg& d = *Tools().Riemann();
    Pick(d, 1);
    d.SelectSecond(2);
    for (const int id : {TRiemDlg::kFirstCheck + 4, TRiemDlg::kOverlayCheck}) {
        d.SetChecked(id, true);
        d.OnControl(id);
    }
    ASSERT_TRUE(win.SaveTo(Path("riem.qz2")));

    plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("riem.qz2")), kNoError);
    auto* tools = dynamic_cast<TWindowAnalysisTools*>(second.MadeAnalysisTools());
    ASSERT_NE(tools, nullptr);
    TRiemDlg* back = tools->Riemann();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::tuple(back->IsHidden(), back->Mode(), back->SelectedExample(),
                         back->SelectedExample2(), back->Options().Mask()),
              std::tuple(false, 2, 1, 2, (1 << 4) | (1 << 6)));
}

// The overlay colour chosen for the dialog comes back with the diagram, whether the dialog was
// open or closed when it was saved; a file that keeps no colour leaves the window's.
TEST_F(AnalysisToolSetTest, TheOverlayColourComesBackFromAFile) {
    Paste("EXPL2;x;");
    const struct {
        int colour;
        bool open;
    } rows[] = {{9, true}, {60, false}, {0, true}, {17, false}};
    for (const auto& row : rows) {
        ASSERT_TRUE(win.SendCommand(cmd::kIntegrate));
        if (!row.open) Tools().Riemann()->Press(2);
        win.Roles().SetRole(TRiemDlg::kOverlayColourRole, static_cast<std::int16_t>(row.colour));
        ASSERT_TRUE(win.SaveTo(Path("colour.qz2")));
        plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
        second.Roles().SetRole(TRiemDlg::kOverlayColourRole, 33);
        ASSERT_EQ(second.Load(Path("colour.qz2")), kNoError);
        EXPECT_EQ(second.Roles().Role(TRiemDlg::kOverlayColourRole), row.colour) << row.colour;
        auto* tools = dynamic_cast<TWindowAnalysisTools*>(second.MadeAnalysisTools());
        ASSERT_NE(tools, nullptr);
        EXPECT_EQ(tools->Riemann() && !tools->Riemann()->IsHidden(), row.open);
    }
    Tools().RestoreState({1, 1, 1 << 6});
    EXPECT_EQ(win.Roles().Role(TRiemDlg::kOverlayColourRole), 17);
    EXPECT_EQ(Tools().Riemann()->Options().Mask(), 1 << 6);
}

TEST_F(AnalysisToolSetTest, DialogsCloseWithTheirKindsAndTheWindow) {
    Paste("EXPL2;x;");
    ASSERT_TRUE(win.SendCommand(cmd::kSectorArea));
    QPointer<platform::Dialog> sector(Tools().Sector());
    ASSERT_TRUE(sector);
    const int gone[] = {0};
    win.DeleteExamples(gone);
    win.RedrawAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(sector);
    Paste("EXPL2;x;");
    ASSERT_TRUE(win.SendCommand(cmd::kSectorArea));  // made anew when asked again
    EXPECT_TRUE(Tools().Sector());
}

TEST_F(AnalysisToolSetTest, OpenDialogsFollowTheirExamplesWhenOthersAreRemovedOrExchanged) {
    // f and g of a two-example integration keep naming the same curves when an example before
    // them is deleted or two examples are exchanged; a deleted one leaves its list empty.
    Paste("EXPL2;1;EXPL2;x;EXPL2;x^2;EXPL2;x^3;");
    ASSERT_TRUE(win.SendCommand(cmd::kIntegrateTwo));
    TRiemDlg& riemann = *Tools().Riemann();
    ASSERT_TRUE(win.SendCommand(cmd::kExtremes));
    auto& extremes = dynamic_cast<examples::TComboDlg&>(*Tools().Extremes());
    riemann.SelectPosition(riemann.ListIndexOf(3));
    riemann.ChooseSecond(2);
    extremes.SelectPosition(extremes.ListIndexOf(1));
    ASSERT_EQ(std::tuple(riemann.SelectedExample(), riemann.SelectedExample2()), std::tuple(3, 2));

    win.DeleteExamples(std::array{0});
    EXPECT_EQ(std::tuple(riemann.SelectedExample(), riemann.SelectedExample2()), std::tuple(2, 1));
    EXPECT_EQ(extremes.SelectedExample(), 0);

    ASSERT_TRUE(win.SwapExamples(0, 2));
    EXPECT_EQ(std::tuple(riemann.SelectedExample(), riemann.SelectedExample2()), std::tuple(0, 1));
    EXPECT_EQ(extremes.SelectedExample(), 2);

    win.DeleteExamples(std::array{1});
    EXPECT_EQ(std::tuple(riemann.SelectedExample(), riemann.SelectedExample2()), std::tuple(0, -1));
    EXPECT_EQ(extremes.SelectedExample(), 1);
}

TEST_F(AnalysisToolSetTest, ClosingTheWindowClosesItsDialogs) {
    auto* other = new plot2d::TPlot2Win(QStringLiteral("noname2.qz2"));
    other->Create();
    other->AddExample(examples::kind::kExplicit, -5, 5, {"", "x"});
    other->CompileExample(0);
    ASSERT_TRUE(other->SendCommand(cmd::kIntegrate));
    QPointer<platform::Dialog> dialog(
        dynamic_cast<TWindowAnalysisTools*>(other->AnalysisTools())->Riemann());
    ASSERT_TRUE(dialog);
    other->ClearModified();
    ASSERT_TRUE(other->CloseWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog);
}

// In a 3D window the line integral stays while a system or a space curve is left, the surface
// integral while a system or a parametric surface is.
TEST_F(AnalysisToolSetTest, SpaceIntegralsStayWhileAFieldOrAPathIsLeft) {
    namespace k = examples::kind;
    const struct {
        const char* what;
        std::vector<int> deleted;  // of 0 the system, 1 the curve, 2 the surface
        bool lineKept;
        bool fluxKept;
    } rows[] = {{"the system gone", {0}, true, true},
                {"the system and the curve gone", {0, 1}, false, true},
                {"the system and the surface gone", {0, 2}, true, false},
                {"only the system left", {1, 2}, true, true},
                {"everything gone", {0, 1, 2}, false, false}};
    for (const auto& row : rows) {
        examples::TPlot111Win space(961, QStringLiteral("noname1.qz3"), QString(), 3);
        space.Create();
        space.AddExample(k::kSpaceSystem, 0, 1, {"y", "-x", "1"});
        space.AddExample(k::kSpaceCurve, 0, 6, {"cos(t)", "sin(t)", "t"});
        space.AddExample(k::kParametricSurface, 0, 1, {"t", "u", "t*u"});
        for (int i = 0; i < 3; ++i) space.CompileExample(i);
        ASSERT_TRUE(space.SendCommand(cmd::kLineIntegral));
        ASSERT_TRUE(space.SendCommand(cmd::kSurfaceIntegral));
        auto* tools = dynamic_cast<TWindowAnalysisTools*>(space.AnalysisTools());
        ASSERT_NE(tools, nullptr);
        QPointer<platform::Dialog> line(tools->Line()), flux(tools->Flux());
        ASSERT_TRUE(line && flux);
        space.DeleteExamples(row.deleted);
        space.RedrawAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(static_cast<bool>(line), row.lineKept) << row.what;
        EXPECT_EQ(static_cast<bool>(flux), row.fluxKept) << row.what;
        space.ClearModified();
    }
}

}  // namespace
}  // namespace quorlin::tools2d
