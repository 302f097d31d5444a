// The 3D window on the user's road: opened from the frame's Window menu, a surface and a curve
// pasted, the observer moved through "Coordinates ..." and "apply", the diagram saved as
// "*.qz3" and opened again with the same observer, box and settings; every command of the 3D
// window's levels is reached through the frame (which refuses disabled ones), the 3D ini block
// survives the window, and the linked window follows a parameter.
#include "plot3d/levels/plot3_win.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "canvas/export_dialogs.h"
#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "dynamics/window_tools.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/levels/trace_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "platform/dialog.h"
#include "platform/drawing_tools.h"
#include "platform/printing.h"
#include "plot3d/painting/slice_plan.h"
#include "plot3d/plot3_fixture.h"
#include "plot3d/scene/example_boxes.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/fonts.h"
#include "shell/ini_file.h"
#include "shell/plot_frame.h"
#include "support/all_near.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;
using namespace quorlin::testing;
namespace cmd = resources::cmd;

class Plot3WinTest : public Plot3WindowTest {
protected:
    // The picture exported through the frame's menu as base.svg, base.eps and base.tex in dir,
    // the file dialogs answered with those names and the EPS option with 1.
    void ExportSvgEpsTeX(TPlotFrame& frame, const QTemporaryDir& dir, const QString& base) {
        dialogs.fileAnswers.push_back(dir.filePath(base + QStringLiteral(".svg")));
        ASSERT_TRUE(frame.DispatchCommand(cmd::kExportSvg));
        dialogs.fileAnswers.push_back(dir.filePath(base + QStringLiteral(".eps")));
        prompter.AnswerInput(QStringLiteral("1"));
        ASSERT_TRUE(frame.DispatchCommand(cmd::kExportEps));
        dialogs.fileAnswers.push_back(dir.filePath(base + QStringLiteral(".tex")));
        ASSERT_TRUE(frame.DispatchCommand(cmd::kExportPicTeX));
    }
};

// The runs of two or more points of example i's slices in a direction that are visible and in
// the view: the pieces its slow drawing gives.
std::size_t VisibleRuns(TPlot3Win& win, int i, int direction) {
    examples::TExample& e = win.Inventory()[i];
    const TSlicePlan plan = PlanSlices(e, direction);
    TSurfaceSweep sweep(win.Formulas(), e);
    std::size_t runs = 0;
    for (int s = 0; s <= plan.slices; ++s) {
        int length = 0;
        for (int k = 0; k <= plan.steps + 1; ++k) {
            bool shown = false;
            if (k <= plan.steps) {
                const long double u = plan.RunningValue(k), v = plan.FixedValue(s);
                const auto p = direction == 1 ? sweep.At(u, v) : sweep.At(v, u);
                if (p && win.IsPointVisible(*p)) {
                    const Vec2 q = win.ProjectPoint(*p);
                    shown = win.IsInView({q.x, q.y});
                }
            }
            if (shown) {
                ++length;
                continue;
            }
            if (length >= 2) ++runs;
            length = 0;
        }
    }
    return runs;
}

TEST_F(Plot3WinTest, TheUsersRoadFromTheMenuToAReopenedFile) {
    std::vector<std::string> modal;
    platform::ScopedDialogRunner runner([&modal](platform::Dialog& d) {
        modal.emplace_back(d.TemplateName());
        return d.Press(platform::kIdCancel);
    });
    TPlotFrame frame(registry, {});
    frame.Create();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    TPlot3Win* win = Active(frame);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->PointMapping().plottedPair, 7);
    // An empty window: nothing to fit, no observer to move yet beyond the dialog.
    EXPECT_FALSE(frame.DispatchCommand(cmd::kFitWindow));

    clipboard.SetText(
        QStringLiteral("EXPL3;sin(x)*cos(y);-3;3;-2;2;\r\nPARAM3;cos(t);sin(t);t/2;0;6;\r\n"));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kPasteScript));
    ASSERT_EQ(win->Inventory().Count(), 2);
    const TSceneBox& box = win->SceneBox();
    // The surface's box (x -3..3 widened by 10%) is in the scene box; the focus is its centre.
    EXPECT_LE(box.min.x, -3.6L + 1e-9L);
    EXPECT_GE(box.max.z, 3 - 1e-9L);  // the curve rises to t/2 = 3
    EXPECT_TRUE(AllNear({win->Observer().focus.x, win->Observer().focus.z},
                        {box.centre.x, box.centre.z}, 0));
    for (int id : {cmd::kFitWindow, cmd::kTraceSlider, cmd::kObserverCoordinates, cmd::kTurn,
                   cmd::kTiltDown, cmd::kLinkedWindow, cmd::kNew3DExplicit, cmd::kMakeTour}) {
        EXPECT_TRUE(frame.QueryCommand(id).enabled) << id;
    }
    // No differential equation: its dialog stays closed.
    EXPECT_FALSE(frame.QueryCommand(cmd::kIvp10).enabled);
    EXPECT_TRUE(frame.QueryCommand(cmd::kSlicer).enabled);

    ASSERT_TRUE(frame.DispatchCommand(cmd::kObserverCoordinates));
    TObsDlg* obs = win->ObserverDialog();
    ASSERT_TRUE(obs && !obs->IsHidden());
    obs->SetText(TObsDlg::kFirstEdit, QStringLiteral("-20"));
    obs->SetText(TObsDlg::kFirstEdit + 1, QStringLiteral("9"));
    obs->SetText(TObsDlg::kFirstEdit + 2, QStringLiteral("2*6"));
    obs->Press(TObsDlg::kApply);
    ASSERT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(AllNear({win->Observer().eye.x, win->Observer().eye.y, win->Observer().eye.z},
                        {-20, 9, 12}));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kTiltUp));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kTurn));
    win->Observer().angleStep = 0.05L;
    const Vec3 eye = win->Observer().eye;
    const TSceneBox saved = box;

    const QString path = dir.filePath(QStringLiteral("scene.qz3"));
    dialogs.fileAnswers.push_back(path);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kFileSaveAs));
    ASSERT_TRUE(QFile::exists(path));

    // (A copy: the file itself would only bring back the window that holds it.)
    const QString copy = dir.filePath(QStringLiteral("copy.qz3"));
    ASSERT_TRUE(QFile::copy(path, copy));
    auto* reopened = dynamic_cast<TPlot3Win*>(frame.OpenByExtension(copy));
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened, win);
    EXPECT_EQ(reopened->Inventory().Count(), 2);
    const Vec3 back = reopened->Observer().eye;
    EXPECT_TRUE(AllNear({back.x, back.y, back.z}, {eye.x, eye.y, eye.z}, 1e-12L));
    EXPECT_EQ(reopened->Observer().angleStep, 0.05L);
    const TSceneBox& b = reopened->SceneBox();
    EXPECT_TRUE(AllNear(
        {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z},
        {saved.min.x, saved.min.y, saved.min.z, saved.max.x, saved.max.y, saved.max.z}, 1e-12L));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(modal.empty());
}

TEST_F(Plot3WinTest, TheIniKeepsTheObserverAndTheAxesComeWithTheFirstExample) {
    {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        win.SizeChanged(401, 301);
        win.Create();
        win.Observer().eye = {-9, 14, 7};
        win.Axes().axesShown = true;
        win.Scene3D().arrowLength = 3;
        win.CloseWindow();
    }
    const auto record = ReadIni(QStringLiteral("qz3.ini"), kPlot3DFileKind);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->ints[2][7], 1);
    EXPECT_EQ(record->ints[1][10], 3);
    TPlot3Win win(QStringLiteral("noname2.qz3"));
    win.SizeChanged(401, 301);
    win.Create();
    EXPECT_FALSE(win.Axes().axesShown);  // pending until the first example
    EXPECT_EQ(win.Scene3D().arrowLength, 3);
    clipboard.SetText(QStringLiteral("POINT3;1;2;3;\r\n"));
    ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
    EXPECT_TRUE(win.Axes().axesShown);
    CloseUnsaved(win);
}

// The texts of a menu bar's top-level entries, in order.
std::vector<std::string> TopLevelOf(std::string_view menuName) {
    using Kind = resources::MenuItemTemplate::Kind;
    std::vector<std::string> texts;
    int depth = 0;
    const resources::MenuTemplate* menu = resources::FindMenu(menuName);
    if (!menu) return texts;
    for (const auto& item : menu->items) {
        if (depth == 0 && item.kind != Kind::EndPopup) texts.emplace_back(item.text);
        if (item.kind == Kind::Popup) ++depth;
        if (item.kind == Kind::EndPopup) --depth;
    }
    return texts;
}

// A new window without a file takes the observer of the ini file; a diagram file brings its own
// even though the ini file holds another one.
TEST_F(Plot3WinTest, AnOpenedFileWinsOverTheIniSettings) {
    TPlotFrame frame(registry, {});
    frame.Create();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    TPlot3Win* win = Active(frame);
    ASSERT_NE(win, nullptr);
    clipboard.SetText(QStringLiteral("EXPL3;x-y;-1;2;-1;1;\r\n"));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kPasteScript));
    ASSERT_EQ(win->MoveEyeTo({-7, 11, 6}), 0);
    const QString path = dir.filePath(QStringLiteral("own.qz3"));
    dialogs.fileAnswers.push_back(path);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kFileSaveAs));
    ASSERT_EQ(win->MoveEyeTo({13, -4, 9}), 0);
    CloseUnsaved(*win);  // the ini keeps the last eye

    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    ASSERT_NE(Active(frame), nullptr);
    const Vec3 iniEye = Active(frame)->Observer().eye;
    EXPECT_TRUE(AllNear({iniEye.x, iniEye.y, iniEye.z}, {13, -4, 9}, 1e-12L));
    CloseUnsaved(*Active(frame));

    auto* opened = dynamic_cast<TPlot3Win*>(frame.OpenByExtension(path));
    ASSERT_NE(opened, nullptr);
    const Vec3 fileEye = opened->Observer().eye;
    EXPECT_TRUE(AllNear({fileEye.x, fileEye.y, fileEye.z}, {-7, 11, 6}, 1e-12L));
    CloseUnsaved(*opened);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Plot3WinTest, TheOwnedWindowsMenuBarsAndTheFirstTitle) {
    // An owned window closes from the ninth top-level entry; a linked one has no "&Anim", so
    // its "&Close" moves up by one.
    const std::vector<std::string> owned = TopLevelOf("PLOT3SMENU");
    const std::vector<std::string> linked = TopLevelOf("PLOT3LINKMENU");
    ASSERT_GT(owned.size(), 8u);
    EXPECT_EQ(owned[8], "&Close");
    EXPECT_EQ(owned[6], "&Anim");
    std::vector<std::string> withoutAnim = owned;
    withoutAnim.erase(withoutAnim.begin() + 6);
    EXPECT_EQ(linked, withoutAnim);
    EXPECT_EQ(std::ranges::count(TopLevelOf("PLOT3MENU"), "&Close"), 0);

    TPlot3Win win(QStringLiteral("noname1.qz3"));
    EXPECT_EQ(win.Caption(), QStringLiteral("quorlin3 v.%1").arg(win.Version()));
    // The first paint gives the caption to the file.
    TPlotFrame frame(registry, {});
    frame.Create();
    frame.show();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    ASSERT_NE(Active(frame), nullptr);
    Active(frame)->grab();
    EXPECT_EQ(Active(frame)->Caption(), QFileInfo(Active(frame)->FileName()).fileName());
    CloseUnsaved(*Active(frame));
}

TEST_F(Plot3WinTest, AFontChangeRefillsTheInventoryListInTheNewFont) {
    constexpr int kInventoryFont = 7;
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(win, "EXPL3;x*y;-1;1;-1;1;\r\n");
    examples::TFnListDlg* inventory = win.InventoryDialog();
    ASSERT_NE(inventory, nullptr);
    QWidget* list = inventory->Control(examples::invent::kList);
    ASSERT_NE(list, nullptr);
    const QFont before = list->font();
    win.Fonts().SetPointSize(kInventoryFont, before.pointSize() > 0 ? before.pointSize() + 7 : 23);
    const QFont chosen = platform::ToQFont(ToFontSpec(win.Fonts().Font(kInventoryFont)));
    ASSERT_NE(chosen, before);
    win.Notify(kNotifyFontChanged);
    EXPECT_EQ(list->font(), chosen);
    CloseUnsaved(win);
}

TEST_F(Plot3WinTest, TheCurveSliderGoesWithTheLastCurveAndTheLinkedWindowFollows) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(win, "PARAM3;cos(t);sin(t);A*t;0;6;\r\nEXPL3;x*y;-1;1;-1;1;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kTraceSlider));
    QPointer<examples::TTraceDlg> slider = win.CurveSlider();
    ASSERT_TRUE(slider);
    // Deleting the surface keeps it; deleting the curve closes it (the inventory dialog
    // deletes, then redraws).
    const int surface[] = {1}, curve[] = {0};
    win.DeleteExamples(surface);
    win.RedrawAll();
    EXPECT_TRUE(slider && !slider->IsHidden());
    win.DeleteExamples(curve);
    win.RedrawAll();
    EXPECT_TRUE(!slider || slider->IsHidden());

    ASSERT_TRUE(win.SendCommand(cmd::kLinkedWindow));
    TPlotSWin* linked = win.LinkedWindow();
    ASSERT_NE(linked, nullptr);
    EXPECT_TRUE(linked->IsLinked());
    win.Formulas().SetVar(1, 2.5L);
    win.ExampleChanged(1);
    EXPECT_EQ(linked->Formulas().Var(1), 2.5L);
    // "Close" hides the linked window with its dialogs; it comes back on the next 874.
    ASSERT_TRUE(linked->SendCommand(cmd::kObserverCoordinates));
    ASSERT_FALSE(linked->ObserverDialog()->IsHidden());
    ASSERT_TRUE(linked->SendCommand(cmd::kClose));
    EXPECT_TRUE(linked->platform::Window::IsHidden());
    EXPECT_TRUE(linked->ObserverDialog()->IsHidden());
    ASSERT_TRUE(win.SendCommand(cmd::kLinkedWindow));
    EXPECT_EQ(win.LinkedWindow(), linked);
    EXPECT_FALSE(linked->platform::Window::IsHidden());
    CloseUnsaved(win);
}

// A window without a drawing area keeps its view when asked to fit; the one-shot flag that
// spares the tool dialogs a refresh is gone after the next inventory change, whatever it did.
TEST_F(Plot3WinTest, AnEmptyAreaKeepsItsViewAndTheOneShotFlagEndsWithTheNextChange) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(win, "POINT3;1;2;3;\r\n");
    const canvas::TViewFrame before = win.View();
    win.View().areaWidth = 0;
    win.Observer().eye = {40, -30, 25};
    win.FitBoxToWindow();
    EXPECT_TRUE(AllNear({win.View().centreX, win.View().halfWidth, win.View().halfHeight},
                        {before.centreX, before.halfWidth, before.halfHeight}, 0));
    win.View().areaWidth = before.areaWidth;

    win.Scene3D().spareToolRefresh = true;
    win.InventoryChanged(0);
    EXPECT_FALSE(win.Scene3D().spareToolRefresh);
    CloseUnsaved(win);
}

// The user's road to a slow picture and its exports: a surface, a space curve and a segment
// pasted, the surface drawn slowly from the View menu, then the SVG, EPS and PiCTeX exports
// from the File menu, each read by its program; the SVG holds one piece per slice and run.
TEST_F(Plot3WinTest, ASlowPictureGoesToEveryExportAsItsRuns) {
    platform::ScopedDialogRunner runner(ChooseInsertableTeX);
    TPlotFrame frame(registry, {});
    TPlot3Win* win = NewWindowWithScript(
        frame, QStringLiteral("EXPL3;sin(x)*cos(y);-3;3;-3;3;\r\nPARAM3;cos(t);sin(t);"
                              "t/2;0;6;\r\nSEG3;-2;-2;0;2;2;1;\r\n"));
    ASSERT_NE(win, nullptr);
    ASSERT_EQ(win->Inventory().Count(), 3);
    ASSERT_TRUE(frame.QueryCommand(cmd::kSlowDrawAll).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kSlowDrawAll));
    EXPECT_EQ(win->Inventory()[0].SlowDrawing(), 1);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kBox));

    ASSERT_NO_FATAL_FAILURE(ExportSvgEpsTeX(frame, dir, QStringLiteral("slow")));

    const std::string svg = ReadAll(dir.filePath("slow.svg"));
    const auto stroke = [&](int i) {
        const int colour = win->Inventory()[i].pen.colour;
        return "stroke=\"" + canvas::ColorToHex(win->OutputColor(win->DrawColor(colour)).rgb()) +
               "\"";
    };
    // Curve pieces are paths; the segment's runs and the box's edges are lines. Each piece is
    // a run of two or more visible points of a slice (of the surface's 37 + 37, of the curve's
    // one).
    const auto pieces = [&](int i) { return Occurrences(svg, "fill=\"none\" " + stroke(i)); };
    ASSERT_NE(stroke(0), stroke(1));
    EXPECT_EQ(pieces(0), VisibleRuns(*win, 0, 1) + VisibleRuns(*win, 0, 2));
    EXPECT_GE(pieces(0), 74u);
    EXPECT_EQ(pieces(1), VisibleRuns(*win, 1, 1));
    EXPECT_EQ(pieces(2), 0u);
    const std::size_t segmentLines = Occurrences(svg, stroke(2));
    EXPECT_GE(segmentLines, 1u);
    EXPECT_EQ(Occurrences(svg, "<line x1"), 12u + segmentLines);
    EXPECT_EQ(Occurrences(ReadAll(dir.filePath("slow.eps")), "% begin one slice"), 75u);

    ExpectExportsRead(dir.path(), "slow", 1500);
    CloseUnsaved(*win);
}

// A diagram opened with its window takes nothing from an ini file that keeps the axes on, a dot
// size and an arrow length: its own settings stand, also after its first new example; a new
// window without a file still takes them. The file comes handed over (by the frame's Open) or
// as the ini's last file with "Open last" on.
TEST_F(Plot3WinTest, AFileOpenedAtSetUpKeepsItsOwnSettingsAgainstTheIni) {
    const QString path = dir.filePath(QStringLiteral("own.qz3"));
    const auto saveThenSetTheIni = [&] {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        OpenAndPaste(win, "EXPL3;x*y;-1;1;-1;1;\r\n");
        ASSERT_FALSE(win.Axes().axesShown);
        ASSERT_TRUE(win.SaveTo(path));
        win.Axes().axesShown = true;
        win.Options().dotSize = 5;
        win.Scene3D().arrowLength = 37;
        CloseUnsaved(win);  // the ini names the file and keeps these
    };
    const struct {
        const char* road;
        bool openLast;
    } rows[] = {{"handed over", false}, {"open last", true}};
    for (const auto& row : rows) {
        saveThenSetTheIni();
        FrameSettings settings;
        settings.openLast = row.openLast;
        ASSERT_TRUE(settings.Save());
        TPlotFrame frame(registry, {});
        frame.Create();
        TPlot3Win* opened = nullptr;
        if (row.openLast) {
            ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
            opened = Active(frame);
        } else {
            opened = dynamic_cast<TPlot3Win*>(frame.OpenByExtension(path));
        }
        ASSERT_NE(opened, nullptr) << row.road;
        EXPECT_EQ(opened->FileName(), path) << row.road;
        EXPECT_FALSE(opened->Scene3D().pendingAxes) << row.road;
        EXPECT_FALSE(opened->Axes().axesShown) << row.road;
        EXPECT_EQ(opened->Options().dotSize, 2) << row.road;
        EXPECT_EQ(opened->Scene3D().arrowLength, 10) << row.road;
        clipboard.SetText(QStringLiteral("POINT3;1;2;3;\r\n"));
        ASSERT_TRUE(opened->SendCommand(cmd::kPasteScript));
        EXPECT_EQ(opened->Inventory().Count(), 2) << row.road;
        EXPECT_FALSE(opened->Axes().axesShown) << row.road;

        if (!row.openLast) {
            ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
            TPlot3Win* fresh = Active(frame);
            ASSERT_NE(fresh, nullptr);
            ASSERT_NE(fresh, opened);
            EXPECT_TRUE(fresh->Scene3D().pendingAxes);
            EXPECT_EQ(fresh->Options().dotSize, 5);
            EXPECT_EQ(fresh->Scene3D().arrowLength, 37);
            CloseUnsaved(*fresh);
        }
        CloseUnsaved(*opened);
    }
}

// The linked window is a window of its own with its menu and its title "animlink.qz3", and
// however it is closed (its title-bar button, "Close") it only hides: 874 shows it again, the
// same window with the same title. It ends with its parent.
TEST_F(Plot3WinTest, TheLinkedWindowKeepsItsTitleAndComesBackAfterEveryClose) {
    const QString title = QStringLiteral("animlink.qz3");
    auto* win = new TPlot3Win(QStringLiteral("noname1.qz3"));
    OpenAndPaste(*win, "EXPL3;x*y;-1;1;-1;1;\r\n");
    ASSERT_TRUE(win->SendCommand(cmd::kLinkedWindow));
    QPointer<TPlotSWin> linked = win->LinkedWindow();
    ASSERT_TRUE(linked);
    auto* host = qobject_cast<QMainWindow*>(linked->OuterWidget());
    ASSERT_NE(host, nullptr);
    std::vector<std::string> menus;
    for (const QAction* action : host->menuBar()->actions())
        menus.push_back(action->text().toStdString());
    EXPECT_EQ(menus, TopLevelOf("PLOT3LINKMENU"));
    const auto shownWithTitle = [&] {
        linked->grab();  // a paint, which renews the caption
        return !linked->platform::Window::IsHidden() && linked->Caption() == title &&
               host->windowTitle() == title;
    };
    EXPECT_TRUE(shownWithTitle());

    const std::function<void()> closes[] = {[&] { EXPECT_FALSE(host->close()); },
                                            [&] { ASSERT_TRUE(linked->SendCommand(cmd::kClose)); }};
    for (const auto& close : closes) {
        close();
        ASSERT_TRUE(linked);
        EXPECT_TRUE(linked->platform::Window::IsHidden());
        ASSERT_TRUE(win->SendCommand(cmd::kLinkedWindow));
        EXPECT_EQ(win->LinkedWindow(), linked.data());
        EXPECT_TRUE(shownWithTitle());
    }
    CloseUnsaved(*win);
    delete win;
    EXPECT_FALSE(linked);
}

}  // namespace
}  // namespace quorlin::plot3d

namespace quorlin::plot3d {
namespace {

// The user's road through the View menu: axes, box and its corner labels, a turn and a step in
// from the keys' commands, the curve slider with its secants; every menu item of the View menu
// may be chosen, and the axis letters and corner labels reach the SVG, EPS and PiCTeX exports.
TEST_F(Plot3WinTest, TheFrameAndItsLabelsReachEveryExport) {
    platform::ScopedDialogRunner runner(ChooseInsertableTeX);
    TPlotFrame frame(registry, {});
    TPlot3Win* win = NewWindowWithScript(
        frame,
        QStringLiteral("EXPL3;sin(x)*cos(y);-3;3;-3;3;\r\nPARAM3;cos(t);sin(t);t/2;0;6;\r\n"));
    ASSERT_NE(win, nullptr);
    for (const int id : {cmd::kAxes,
                         cmd::kLockLengths,
                         cmd::kArrows,
                         cmd::kShowLabels,
                         cmd::kArrowLength,
                         cmd::kBox,
                         cmd::kCoords,
                         cmd::kCube,
                         cmd::kBoxScreenThickness,
                         cmd::kBoxPrintedThickness,
                         cmd::kDottedBox,
                         cmd::kHideSegments,
                         cmd::kTiltUp,
                         cmd::kTiltDown,
                         cmd::kTurn,
                         cmd::kTurnBack,
                         cmd::kObserverAngle,
                         cmd::kObserverIn,
                         cmd::kObserverOut,
                         cmd::kFarOut,
                         cmd::kIsometric,
                         cmd::kObserverCoordinates,
                         cmd::kNumberOfSlides,
                         cmd::kFitWindow,
                         cmd::kTraceSlider})
        EXPECT_TRUE(frame.QueryCommand(id).enabled) << id;
    win->Axes().axesShown = false;
    for (const int id : {cmd::kAxes, cmd::kBox, cmd::kCoords, cmd::kTurn, cmd::kObserverIn})
        ASSERT_TRUE(frame.DispatchCommand(id)) << id;
    EXPECT_TRUE(win->Axes().axesShown);
    EXPECT_TRUE(win->Scene3D().box.shown && win->Scene3D().box.coords);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kTraceSlider));
    ASSERT_NE(win->CurveSlider(), nullptr);
    win->CurveSlider()->SetChecked(examples::TTraceDlg::kSecants, true);

    ASSERT_NO_FATAL_FAILURE(ExportSvgEpsTeX(frame, dir, QStringLiteral("frame")));
    // Printed to a PDF file, as a user picks a PDF printer.
    platform::ScriptedPrintDialogs printing;
    printing.printerAnswers = {true};
    printing.adjust = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("frame.pdf"));
    };
    platform::SetPrintDialogs(&printing);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kPrint));
    platform::SetPrintDialogs(nullptr);
    EXPECT_EQ(printing.printerAsks, 1);
    const QString pdf = dir.filePath("frame.pdf");
    if (HaveProgram("pdfinfo")) EXPECT_TRUE(PdfInfoAccepts(pdf));
    const std::string printed = HaveProgram("pdftotext") ? PdfText(pdf) : std::string();
    const std::string svg = ReadAll(dir.filePath("frame.svg"));
    const std::string eps = ReadAll(dir.filePath("frame.eps"));
    const std::string tex = ReadAll(dir.filePath("frame.tex"));
    // The corner labels are "(x,y,z)" of the two corners, two places each.
    const TLabelCorners corners = win->ChooseLabelCorners();
    for (const Vec3 corner : {corners.bottom, corners.top}) {
        const std::string label = CornerLabel(corner);
        const std::string inner = label.substr(1, label.size() - 2);
        for (const std::string* out : {&svg, &eps, &tex}) EXPECT_GE(Occurrences(*out, inner), 1u);
        if (HaveProgram("pdftotext")) EXPECT_GE(Occurrences(printed, inner), 1u) << inner;
    }
    for (const char* letter : {"> x <", "> y <", "> z <"})
        EXPECT_EQ(Occurrences(svg, letter), 1u) << letter;
    EXPECT_EQ(Occurrences(eps, "% begin view box"), 1u);
    EXPECT_EQ(Occurrences(eps, "% draw axis"), 3u);
    ExpectExportsRead(dir.path(), "frame", 1500);
    CloseUnsaved(*win);
}

}  // namespace
}  // namespace quorlin::plot3d
