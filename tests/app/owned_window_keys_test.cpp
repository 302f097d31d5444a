// The keys of the windows a diagram window owns, pressed as a user presses them while the owned
// window is active, with the program's frame shown and its owner's keys in the frame's menu: a
// time window and the "sections.qz3" window of a 2D window, and the stereogram window of a 3D
// window. Each key of the owned window runs its command there, also a key its owner binds too,
// and the owner's command does not run.
#include <QApplication>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "canvas/grid_dialogs.h"
#include "dynamics/window_tools.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "platform/printing.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "plot3d/stereogram/rds_window.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"
#include "shell/window_kinds.h"
#include "tools2d/analysis_tool_set.h"
#include "tools2d/solids/solid_dialogs.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;

// What a key may do in a graphing window.
enum class Effect { ZoomedOut, ZoomedIn, GridShown, ViewShown, PrinterAsked, FormatAsked, Copied };

class OwnedWindowKeysTest : public ::testing::Test {
protected:
    OwnedWindowKeysTest() {
        for (const char* ini : {"qz.ini", "qz3.ini", "rds.ini"})
            QFile::remove(platform::ConfigFilePath(QString::fromLatin1(ini)));
        dynamics::InstallTrajectoryTools();
        tools2d::InstallAnalysisTools();
        plot3d::InstallSolidWindows();
        kinds.Register(WindowKind::Plot2D, plot2d::CreatePlot2Window);
        kinds.Register(WindowKind::Plot3D, plot3d::CreatePlot3Window);
        platform::SetClipboard(&clipboard);
        platform::SetPrintDialogs(&printing);
        printing.printerAnswers.assign(4, false);  // every print and format dialog cancelled
        printing.formatAnswers.assign(4, false);
        frame.Create();
        frame.show();
    }
    ~OwnedWindowKeysTest() override {
        for (QPointer<examples::TPlot11Win>& w : windows) {
            if (!w) continue;
            w->ClearModified();
            w->CloseWindow();
        }
        examples::SetSolidWindowMaker({});
        platform::SetPrintDialogs(nullptr);
        platform::SetClipboard(nullptr);
    }

    // A new window of the Window menu's command with the script pasted into it.
    examples::TPlot11Win* NewWindow(int command, const char* script) {
        if (!frame.DispatchCommand(command)) return nullptr;
        auto* win = dynamic_cast<examples::TPlot11Win*>(frame.ActiveChild());
        if (!win) return nullptr;
        windows.emplace_back(win);
        win->SizeChanged(401, 401);
        clipboard.SetText(QString::fromLatin1(script));
        return frame.DispatchCommand(cmd::kPasteScript) ? win : nullptr;
    }

    // Presses the keys in the owned window, made active; whether the effect showed there and
    // the owner's view stayed.
    void ExpectKey(canvas::TGridWin& owned, canvas::TGridWin& owner, const char* keys,
                   Effect effect) {
        const QKeyCombination combination = QKeySequence(QString::fromLatin1(keys))[0];
        clipboard.SetText(QString());
        const long double width = owned.View().halfWidth;
        const long double ownerWidth = owner.View().halfWidth;
        const int printerAsks = printing.printerAsks, formatAsks = printing.formatAsks;
        QApplication::setActiveWindow(owned.window());
        owned.setFocus();
        QTest::keyClick(&owned, combination.key(), combination.keyboardModifiers());
        const QMimeData* data = clipboard.MimeData();
        switch (effect) {
            case Effect::ZoomedOut:
                EXPECT_EQ(owned.View().halfWidth, 2 * width) << keys;
                break;
            case Effect::ZoomedIn:
                EXPECT_EQ(owned.View().halfWidth, width / 2) << keys;
                break;
            case Effect::GridShown:
                EXPECT_TRUE(owned.GridDialog() && !owned.GridDialog()->IsHidden()) << keys;
                break;
            case Effect::ViewShown:
                EXPECT_TRUE(owned.ViewDialog() && !owned.ViewDialog()->IsHidden()) << keys;
                break;
            case Effect::PrinterAsked:
                EXPECT_EQ(printing.printerAsks, printerAsks + 1) << keys;
                break;
            case Effect::FormatAsked:
                EXPECT_EQ(printing.formatAsks, formatAsks + 1) << keys;
                break;
            case Effect::Copied:
                EXPECT_TRUE(data && data->hasFormat(QStringLiteral("image/png"))) << keys;
                break;
        }
        EXPECT_EQ(owner.View().halfWidth, ownerWidth) << keys;
        EXPECT_FALSE(owner.GridDialog() && !owner.GridDialog()->IsHidden()) << keys;
    }

    WindowKindRegistry kinds;
    TPlotFrame frame{kinds, {}};
    platform::MemoryClipboard clipboard;
    platform::ScriptedPrompter prompter;
    platform::ScriptedCommonDialogs dialogs;
    platform::ScopedCommonDialogs installed{dialogs};
    platform::ScriptedPrintDialogs printing;
    std::vector<QPointer<examples::TPlot11Win>> windows;
};

TEST_F(OwnedWindowKeysTest, ATimeWindowRunsItsKeysAndNotItsOwners) {
    examples::TPlot11Win* win = NewWindow(cmd::kWindow2D, "DEQ2T; -y; x;\r\n");
    ASSERT_NE(win, nullptr);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kTimeWindowFirst));
    auto& tools = dynamic_cast<dynamics::TWindowTrajectoryTools&>(*win->TrajectoryTools());
    dynamics::TLinkedWin* time = tools.TimeWindow(0);
    ASSERT_NE(time, nullptr);
    const struct {
        const char* keys;
        Effect effect;
    } rows[] = {
        {"PgDown", Effect::ZoomedOut},    {"PgUp", Effect::ZoomedIn},
        {"Ctrl+G", Effect::GridShown},    {"Ctrl+V", Effect::ViewShown},
        {"Ctrl+P", Effect::PrinterAsked}, {"Ctrl+Shift+P", Effect::FormatAsked},
        {"Ctrl+C", Effect::Copied},
    };
    for (const auto& row : rows) ExpectKey(*time, *win, row.keys, row.effect);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(OwnedWindowKeysTest, AStereogramWindowRunsItsKeysAndNotItsOwners) {
    auto* win =
        dynamic_cast<plot3d::TPlot3Win*>(NewWindow(cmd::kWindow3D, "EXPL3;x*y;-2;2;-1;1;\r\n"));
    ASSERT_NE(win, nullptr);
    win->ShowStereogramWindow();
    ASSERT_NE(win->StereogramWindow(), nullptr);
    for (const auto& [keys, effect] :
         {std::pair{"Ctrl+P", Effect::PrinterAsked}, std::pair{"Ctrl+Shift+P", Effect::FormatAsked},
          std::pair{"Ctrl+C", Effect::Copied}})
        ExpectKey(*win->StereogramWindow(), *win, keys, effect);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(OwnedWindowKeysTest, ASectionsWindowRunsItsKeysAndNotItsOwners) {
    examples::TPlot11Win* win = NewWindow(cmd::kWindow2D, "EXPL2; x;\r\nEXPL2; 0;\r\n");
    ASSERT_NE(win, nullptr);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kSections));
    auto& tools = dynamic_cast<tools2d::TWindowAnalysisTools&>(*win->AnalysisTools());
    tools2d::TSectionDlg& sections = *tools.Solids().Sections();
    sections.SelectPosition(0);
    sections.ChooseSecond(1);
    sections.SetText(tools2d::TSectionDlg::kLow, QStringLiteral("0"));
    sections.SetText(tools2d::TSectionDlg::kHigh, QStringLiteral("1"));
    sections.Press(tools2d::TSectionDlg::kSeeSolid);
    ASSERT_NE(tools.Solids().SectionWindow(), nullptr);
    auto& solid = dynamic_cast<canvas::TGridWin&>(tools.Solids().SectionWindow()->Levels());
    for (const auto& [keys, effect] :
         {std::pair{"PgDown", Effect::ZoomedOut}, std::pair{"PgUp", Effect::ZoomedIn},
          std::pair{"Ctrl+P", Effect::PrinterAsked}, std::pair{"Ctrl+C", Effect::Copied}})
        ExpectKey(solid, *win, keys, effect);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace quorlin
