#include "shell/plot_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <vector>

#include "platform/boxes.h"
#include "platform/config_dir.h"
#include "platform/window.h"
#include "resources/command_ids.h"
#include "shell/help_window.h"
#include "shell/tips_dialog.h"
#include "shell/window_kinds.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;

// A registry whose 2D kind builds plain windows and remembers what it was asked for.
struct RecordingKinds {
    RecordingKinds() {
        registry.Register(WindowKind::Plot2D, [this](const NewWindowRequest& request) {
            requests.push_back(request);
            return new platform::Window;
        });
    }
    WindowKindRegistry registry;
    std::vector<NewWindowRequest> requests;
};

void WriteConfigFile(const QString& name, const QByteArray& bytes) {
    ASSERT_TRUE(testing::WriteBytes(platform::ConfigFilePath(name), bytes));
}

void RemoveConfigFile(const QString& name) {
    QFile::remove(platform::ConfigFilePath(name));
}

TEST(StartUp, CommandLineArgumentsJoinIntoOneFileName) {
    // Absolute, since the running instance that may take the name over has a folder of its own.
    EXPECT_EQ(JoinArguments({"quorlin", "my", "file.qz2"}),
              QDir::current().absoluteFilePath("my file.qz2"));
    EXPECT_EQ(JoinArguments({"quorlin", "/data/curve.qz2"}), "/data/curve.qz2");
    EXPECT_EQ(JoinArguments({"quorlin"}), "");
}

TEST(WindowKinds, FilesOpenByExtensionWhateverItsCase) {
    for (const auto& [file, kind] : {std::pair{"a/b.QZ2", WindowKind::Plot2D},
                                     {"b.qz3", WindowKind::Plot3D},
                                     {"b.Ma2", WindowKind::MapXY},
                                     {"b.maz", WindowKind::MapZ},
                                     {"b.lqz", WindowKind::Logarithmic}})
        EXPECT_EQ(KindOfFile(file), kind) << file;
    EXPECT_FALSE(KindOfFile("b.txt") || KindOfFile("qz2"));
    EXPECT_EQ(KindOfCommand(cmd::kWindowLogY)->logMode, 2);
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveConfigFile("qz.ini");
        WriteConfigFile("qz.tip", QByteArray(1, '\0'));  // no tips unless a test wants them
    }
    RecordingKinds kinds;
    platform::ScriptedPrompter prompter;
};

TEST_F(FrameTest, NewWindowsAreNamedNonameWithACounterAndKindsNotBuiltOpenNothing) {
    TPlotFrame frame(kinds.registry, {});
    frame.Create();
    EXPECT_TRUE(frame.DispatchCommand(cmd::kWindow2D));
    EXPECT_TRUE(frame.DispatchCommand(cmd::kWindow2D));
    EXPECT_FALSE(frame.QueryCommand(cmd::kWindow3D).enabled);
    // A submenu of kinds none of which is built cannot be opened either.
    frame.RefreshCommands();
    const QList<QAction*> mapping = frame.CommandActions(cmd::kWindowMapXY);
    ASSERT_EQ(mapping.size(), 1);
    const auto* submenu = qobject_cast<QMenu*>(mapping[0]->parent());
    ASSERT_NE(submenu, nullptr);
    EXPECT_FALSE(submenu->menuAction()->isEnabled());
    EXPECT_EQ(frame.OpenByExtension("notes.txt"), nullptr);
    EXPECT_EQ(frame.OpenByExtension("solid.qz3"), nullptr);  // kind not built
    EXPECT_TRUE(prompter.messages.empty());
    frame.OnFilesDropped({"curve.QZ2", "picture.png"});
    ASSERT_EQ(kinds.requests.size(), 3u);
    for (const auto& [i, name, load] :
         {std::tuple{0, "noname1.qz2", false}, {1, "noname2.qz2", false}, {2, "curve.QZ2", true}})
        EXPECT_EQ(std::pair(kinds.requests[i].fileName, kinds.requests[i].loadFile),
                  std::pair(QString(name), load));
}

TEST_F(FrameTest, ChoicesSurviveInQzIniAndReachNewWindowsAndADamagedIniGivesDefaults) {
    WriteConfigFile("qz.ini", QByteArray("\x07garbage that is no ini file", 28));
    {
        TPlotFrame frame(kinds.registry, {});
        frame.Create();
        const FrameSettings& settings = frame.Settings();
        EXPECT_FALSE(settings.openLast || settings.useDefaults || settings.maximized);
        frame.DispatchCommand(cmd::kFrameOpenLast);
        frame.DispatchCommand(cmd::kUseDefaults);
        EXPECT_TRUE(frame.QueryCommand(cmd::kFrameOpenLast).checked);
        frame.CleanupWindow();
    }
    TPlotFrame frame(kinds.registry, {});
    frame.Create();
    frame.NewWindow(WindowKind::Plot2D);
    ASSERT_EQ(kinds.requests.size(), 1u);
    EXPECT_TRUE(kinds.requests[0].openLast && kinds.requests[0].useDefaults);
}

TEST_F(FrameTest, APlacementIsFittedIntoTheScreen) {
    // Saved while the frame stood on a second monitor that is gone now.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    FrameSettings saved;
    saved.placement = WindowPlacement{screen.right() + 2000, 40, 500, 400};
    ASSERT_TRUE(saved.Save());
    {
        TPlotFrame frame(kinds.registry, {});
        frame.Create();
        EXPECT_EQ(frame.size(), QSize(500, 400));
        EXPECT_TRUE(screen.contains(frame.geometry().center()));
    }
    // Larger than the screen (kept at another scale factor): it fits what the screen offers.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    saved.placement = WindowPlacement{0, 0, available.width() * 2, available.height() * 2};
    ASSERT_TRUE(saved.Save());
    TPlotFrame frame(kinds.registry, {});
    frame.Create();
    EXPECT_TRUE(available.contains(frame.geometry())) << frame.geometry().width();
}

TEST_F(FrameTest, FilesOpenedByTheFrameAreLoadedAndOpenLastBringsBackTheLastOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath("curve.qz2");
    {
        testing::TestDiagram saved("noname.qz2");
        saved.values = {5, 8};
        ASSERT_TRUE(saved.SaveTo(path));
        saved.CleanUp();  // its ini now names the file as the last one
    }
    WindowKindRegistry registry;
    registry.Register(WindowKind::Plot2D, [](const NewWindowRequest& request) {
        return new testing::TestDiagram(request.fileName);
    });
    TPlotFrame frame(registry, {});
    frame.Create();
    auto* opened = dynamic_cast<testing::TestDiagram*>(frame.OpenByExtension(path));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->values, (std::vector<std::int32_t>{5, 8}));

    frame.DispatchCommand(cmd::kFrameOpenLast);
    auto* last = dynamic_cast<testing::TestDiagram*>(frame.NewWindow(WindowKind::Plot2D));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->FileName(), path);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(Help, TextsAreShownInAFixedPitchFontSoTheirTablesLineUp) {
    HelpWindow help(nullptr);
    help.ShowHelp(QStringLiteral("FRAMEH"));
    EXPECT_FALSE(help.Text().isEmpty());
    const QFontMetrics metrics(help.TextFont());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("MMMM")));
}

TEST_F(FrameTest, TipsFollowTheQzTipByte) {
    {
        TPlotFrame frame(kinds.registry, {});
        frame.Create();
        EXPECT_EQ(frame.Tips(), nullptr) << "a zero byte in qz.tip turns the tips off";
    }
    RemoveConfigFile("qz.tip");
    TPlotFrame frame(kinds.registry, {});
    frame.Create();
    ASSERT_NE(frame.Tips(), nullptr);
    TipsDialog& tips = *frame.Tips();
    tips.Create();
    const int first = tips.CurrentTip();
    for (int i = 0; i <= TipsDialog::kLastTip - TipsDialog::kFirstTip; ++i) tips.Press(92);
    EXPECT_EQ(tips.CurrentTip(), first) << "next tip goes round every tip";
    tips.Press(271);  // untick "show tips at start-up"
    EXPECT_FALSE(TipsDialog::TipsWanted());
}

}  // namespace
}  // namespace quorlin
