// The top shell level of a graphing window: check marks along the chain, the ini file with the
// start file, and the attached windows.
#include "shell/zel_win.h"

#include <gtest/gtest.h>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "platform/config_dir.h"
#include "platform/frame_window.h"
#include "resources/command_ids.h"
#include "shell/table_win.h"
#include "shell/text_win.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
using testing::TestDiagram;

TEST(WindowLevels, CheckMarksComeFromEveryLevelOfTheChain) {
    TestDiagram w("a.qz2");
    w.ownOption = true;
    w.UpdateMenuChecks(true);
    EXPECT_TRUE(w.IsCommandChecked(testing::kOwnCheckId));    // the test level
    EXPECT_TRUE(w.IsCommandChecked(cmd::kMouseCoordinates));  // TZELWin: default 125
    EXPECT_TRUE(w.IsCommandChecked(cmd::kWithBackColor));     // TPreWin

    EXPECT_TRUE(w.SendCommand(cmd::kMouseText));
    EXPECT_EQ(w.MouseMode(), cmd::kMouseText);
    for (int id = cmd::kMouseFirst; id <= cmd::kMouseLast; ++id)
        EXPECT_EQ(w.IsCommandChecked(id), id == cmd::kMouseText) << id;
    EXPECT_TRUE(w.IsCommandChecked(testing::kOwnCheckId)) << "mode change refreshes all levels";

    EXPECT_TRUE(w.SendCommand(cmd::kWithBackColor));
    EXPECT_FALSE(w.IsCommandChecked(cmd::kWithBackColor));
    EXPECT_FALSE(w.QueryCommand(cmd::kMouseDraw).enabled) << "no level handles it";
}

TEST(WindowLevels, IniIsWrittenAtCleanUpAndReadAtSetUpWithTheLastFile) {
    QTemporaryDir dir;
    const QString name = "levels.ini", last = dir.filePath("last.qz2");
    {
        TestDiagram w("noname1.qz2", name);
        w.RunSetup();
        EXPECT_NE(w.LoadStartFile(true), kNoError) << "no ini yet";
        w.SetDelay(250);
        w.Styles().words[3] = 33;
        w.iniWord = 1234;
        w.label = "last";
        ASSERT_TRUE(w.SaveTo(last));
        w.CleanUp();
    }
    {
        TestDiagram w("noname2.qz2", name);
        w.RunSetup();
        EXPECT_TRUE(w.IniWasRead());
        EXPECT_EQ(std::tuple(w.Delay(), w.Styles().words[3], w.iniWord), std::tuple(250, 33, 1234));
        EXPECT_NE(w.LoadStartFile(false), kNoError) << "\"Open last\" is off";
        EXPECT_EQ(w.LoadStartFile(true), kNoError);
        EXPECT_EQ(w.label, "last");
    }
    TestDiagram handed("noname3.qz2");  // a file handed over at start-up
    handed.SetStartFile(last);
    EXPECT_EQ(handed.LoadStartFile(false), kNoError);
    // "Use defaults", a file cut short and garbage of the right size all give the defaults.
    const QString ini = platform::ConfigFilePath(name);
    const QByteArray whole = testing::FileBytes(ini);
    for (const QByteArray& damaged : {whole, whole.left(100), QByteArray(whole.size(), 'Z')}) {
        ASSERT_TRUE(testing::WriteBytes(ini, damaged));
        TestDiagram w("noname.qz2", name);
        w.SetUseDefaults(damaged == whole);
        w.RunSetup();
        EXPECT_FALSE(w.IniWasRead());
        EXPECT_EQ(std::tuple(w.Delay(), w.Styles().words, w.iniWord),
                  std::tuple(kDefaultDelayMs, StyleWords{}.words, 0));
    }
}

TEST(WindowLevels, NewAndKeptPlacementsFitInsideTheFramesClientArea) {
    platform::FrameWindow frame;
    frame.resize(500, 350);
    frame.show();
    const auto areaOf = [](const TestDiagram* w) {
        return qobject_cast<QMdiSubWindow*>(w->OuterWidget())->mdiArea()->viewport()->rect();
    };
    auto* fresh = new TestDiagram("noname1.qz2", "fit.ini");
    frame.AddChild(fresh);
    EXPECT_TRUE(areaOf(fresh).contains(fresh->OuterWidget()->geometry()));
    EXPECT_EQ(fresh->PlacementArea(), areaOf(fresh));

    // A placement kept in the ini file from a larger frame comes back inside this one.
    IniRecord record = IniRecord::ForKind(kKind2D);
    ShellIniWords words;
    words.placement = WindowPlacement{3000, 2000, 900, 900};
    words.StoreInto(record);
    ASSERT_TRUE(WriteIni("fit.ini", record));
    auto* kept = new TestDiagram("noname2.qz2", "fit.ini");
    frame.AddChild(kept);
    ASSERT_TRUE(kept->IniPlacement().has_value());
    EXPECT_EQ(kept->OuterWidget()->geometry(), areaOf(kept));
}

TEST(WindowLevels, AttachedWindowsHideInsteadOfClosingAndWithTheirWindow) {
    TestDiagram w("a.qz2");
    w.RunSetup();
    w.ShowWindow();
    TTextWin& listing = w.PlainTextWindow();
    listing.ShowWindow();
    EXPECT_FALSE(listing.CanClose());
    EXPECT_TRUE(listing.IsHidden());
    auto* table = new TTableWin;
    w.AttachTableWindow(table);
    EXPECT_TRUE(table->IsReadOnly());
    w.Notebook().ShowWindow();
    w.ChooseColor(1);
    w.ShowHelp("QZ2FILEH", "");
    ASSERT_TRUE(w.Help()->isVisible());
    w.HideWindow();
    EXPECT_TRUE(w.IsHidden());
    EXPECT_TRUE(w.Notebook().IsHidden());
    EXPECT_FALSE(w.IsPaletteShown());
    EXPECT_FALSE(w.Help()->isVisible());
}

// Windows set up at one place step aside by whole captions and menus; one near the area's
// right and bottom is cut there rather than moved back over the window it steps from; and the
// ini file keeps the place each came from.
TEST(WindowLevels, CascadedWindowsStepAsideAndKeepTheirPlaceInTheIniFile) {
    platform::FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    const auto added = [&frame] {
        auto* w = new TestDiagram("noname1.qz2", "cascade.ini");
        frame.AddChild(w);
        return w;
    };
    const QRect area = added()->PlacementArea();
    const int r = TZELWin::DialogRow();
    ASSERT_GT(area.width(), 300 + 2 * r);
    ASSERT_GT(area.height(), 250 + 2 * r);
    struct Row {
        QRect start;
        int steps;
        QRect placed;
    };
    const int nearRight = area.right() - 180, nearBottom = area.bottom() - 120;
    const Row rows[] = {
        {{10, 20, 200, 150}, 1, {10 + r, 20 + r, 200, 150}},
        {{30, 5, 240, 170}, 2, {30 + 2 * r, 5 + 2 * r, 240, 170}},
        {{10, 20, 200, 150}, 0, {10, 20, 200, 150}},
        {{nearRight, nearBottom, 150, 100}, 1, {nearRight + r, nearBottom + r, 181 - r, 121 - r}},
    };
    for (const Row& row : rows) {
        TestDiagram* w = added();
        w->OuterWidget()->setGeometry(row.start);
        w->Cascade(row.steps);
        EXPECT_EQ(w->OuterWidget()->geometry(), row.placed) << row.steps;
        IniRecord record = IniRecord::ForKind(kKind2D);
        w->StoreIni(record);
        ShellIniWords words;
        words.LoadFrom(record);
        ASSERT_TRUE(words.placement.has_value());
        EXPECT_EQ(QRect(words.placement->x, words.placement->y, words.placement->width,
                        words.placement->height),
                  QRect(row.start.topLeft(), row.placed.size()))
            << row.steps;
    }
}

TEST(WindowLevels, ACascadedWindowTheUserMovedKeepsItsNewPlaceInTheIniFile) {
    platform::FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    auto* w = new TestDiagram("noname1.qz2", "cascade.ini");
    frame.AddChild(w);
    const int r = TZELWin::DialogRow();
    const auto stored = [w] {
        IniRecord record = IniRecord::ForKind(kKind2D);
        w->StoreIni(record);
        ShellIniWords words;
        words.LoadFrom(record);
        return words.placement ? QRect(words.placement->x, words.placement->y,
                                       words.placement->width, words.placement->height)
                               : QRect();
    };
    w->OuterWidget()->setGeometry(10, 20, 200, 150);
    w->Cascade(1);
    ASSERT_EQ(w->OuterWidget()->geometry(), QRect(10 + r, 20 + r, 200, 150));
    w->OuterWidget()->setGeometry(70, 40, 210, 160);  // the user moves it
    EXPECT_EQ(stored(), QRect(70, 40, 210, 160));
    // Cascaded again from there: the ini file keeps where this cascade came from.
    w->Cascade(2);
    ASSERT_EQ(w->OuterWidget()->geometry(), QRect(70 + 2 * r, 40 + 2 * r, 210, 160));
    EXPECT_EQ(stored(), QRect(70, 40, 210, 160));
    // Resized where the cascade put it: the size is the new one.
    w->OuterWidget()->resize(230, 170);
    EXPECT_EQ(stored(), QRect(70, 40, 230, 170));
}

}  // namespace
}  // namespace quorlin
