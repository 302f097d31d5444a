#include "shell/plot_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "platform/boxes.h"
#include "platform/common_dialogs.h"
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

TEST_F(FrameTest, TheHelpWindowIsMadeWhenHelpIsFirstChosen) {
    TPlotFrame frame(kinds.registry, {});
    frame.Create();
    EXPECT_EQ(frame.Help(), nullptr) << "made at start";
    ASSERT_TRUE(frame.DispatchCommand(cmd::kHelp));
    HelpWindow* help = frame.Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentName(), QStringLiteral("FRAMEH"));
    help->hide();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kHelp));
    EXPECT_EQ(frame.Help(), help) << "shown again, not made again";
    EXPECT_TRUE(help->isVisible());
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

// A diagram of the logarithmic kind: the test diagram under the ".lqz" extension.
class LogTestDiagram : public testing::TestDiagram {
public:
    using TestDiagram::TestDiagram;
    QString DefaultExtension() const override { return QStringLiteral("lqz"); }
};

// A frame whose 2D and logarithmic windows are test diagrams, driven through its menus: the
// file dialogs and message boxes are answered from queues.
class DiagramFrameTest : public FrameTest {
protected:
    DiagramFrameTest() {
        platform::SetCommonDialogs(&dialogs);
        registry.Register(WindowKind::Plot2D, [](const NewWindowRequest& request) {
            return new testing::TestDiagram(request.fileName);
        });
        registry.Register(WindowKind::Logarithmic, [](const NewWindowRequest& request) {
            return new LogTestDiagram(request.fileName);
        });
        frame.Create();
        frame.show();
    }
    ~DiagramFrameTest() override { platform::SetCommonDialogs(nullptr); }

    QString Saved(const QString& name, std::vector<std::int32_t> values) {
        testing::TestDiagram w("noname.qz2");
        w.values = std::move(values);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(w.SaveTo(path));
        return path;
    }
    testing::TestDiagram* Diagram(platform::Window* w) {
        return dynamic_cast<testing::TestDiagram*>(w);
    }
    // File|Open of the active window, the dialog answering path.
    void OpenInActiveWindow(const QString& path) {
        dialogs.fileAnswers.push_back(path);
        EXPECT_TRUE(frame.DispatchCommand(cmd::kFileOpen));
    }
    testing::TestDiagram* NewModifiedWindow(std::vector<std::int32_t> values) {
        auto* w = Diagram(frame.NewWindow(WindowKind::Plot2D));
        w->values = std::move(values);
        w->MarkModified();
        return w;
    }

    QTemporaryDir dir;
    platform::ScriptedCommonDialogs dialogs;
    WindowKindRegistry registry;
    TPlotFrame frame{registry, {}};
};

// A file is held by one window: opening it again by any road brings that window to the front.
TEST_F(DiagramFrameTest, AFileOpenedAgainActivatesTheWindowThatHoldsIt) {
    const QString path = Saved("curve.qz2", {5, 8});
    platform::Window* holder = frame.OpenByExtension(path);
    ASSERT_NE(Diagram(holder), nullptr);
    testing::TestDiagram* other = NewModifiedWindow({1});
    ASSERT_EQ(frame.ActiveChild(), other);

    const std::vector<std::pair<const char*, std::function<void()>>> roads = {
        {"command line or hand-over", [&] { frame.OpenByExtension(dir.filePath("./curve.qz2")); }},
        {"drop", [&] { frame.OnFilesDropped({path}); }},
        {"the frame's Open",
         [&] {
             dialogs.fileAnswers.push_back(path);
             frame.DispatchCommand(cmd::kFrameOpen);
         }},
        {"a window's File|Open", [&] { OpenInActiveWindow(path); }},
    };
    for (const auto& [road, open] : roads) {
        frame.ActivateChild(other);
        open();
        EXPECT_EQ(frame.Children().size(), 2) << road;
        EXPECT_EQ(frame.ActiveChild(), holder) << road;
        EXPECT_EQ(std::pair(other->values, other->IsModified()),
                  std::pair(std::vector<std::int32_t>{1}, true))
            << road;
    }
    EXPECT_TRUE(prompter.messages.empty()) << "nothing was to be replaced";
}

// File|Open over a modified diagram asks first: Cancel keeps everything, No drops the changes,
// Yes saves them before the file is read.
TEST_F(DiagramFrameTest, FileOpenOnAModifiedWindowAsksFirst) {
    const QString first = Saved("first.qz2", {9}), second = Saved("second.qz2", {4, 4});
    testing::TestDiagram* w = NewModifiedWindow({1});

    prompter.AnswerMessage(platform::kIdCancel);
    OpenInActiveWindow(first);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, platform::kMsgYesNoCancel);
    EXPECT_EQ(std::tuple(w->values, w->IsModified(), w->HasFile()),
              std::tuple(std::vector<std::int32_t>{1}, true, false));

    prompter.AnswerMessage(platform::kIdNo);
    OpenInActiveWindow(first);
    EXPECT_EQ(std::tuple(w->values, w->IsModified(), w->FileName()),
              std::tuple(std::vector<std::int32_t>{9}, false, first));

    w->values = {7};
    w->MarkModified();
    prompter.AnswerMessage(platform::kIdYes);
    OpenInActiveWindow(second);
    EXPECT_EQ(w->values, (std::vector<std::int32_t>{4, 4}));
    testing::TestDiagram check("noname.qz2");
    ASSERT_EQ(check.Load(first), kNoError);
    EXPECT_EQ(check.values, std::vector<std::int32_t>{7}) << "yes saved the changes first";
    EXPECT_EQ(prompter.messages.size(), 3u);
}

// A file of another window kind opens in a window of its own kind, whatever window asked.
TEST_F(DiagramFrameTest, FileOpenOfAnotherKindOpensAWindowOfThatKind) {
    const QString logarithmic = dir.filePath("axes.lqz");
    {
        LogTestDiagram saved("noname.lqz");
        saved.values = {3};
        ASSERT_TRUE(saved.SaveTo(logarithmic));
    }
    testing::TestDiagram* plain = NewModifiedWindow({1});
    OpenInActiveWindow(logarithmic);
    ASSERT_EQ(frame.Children().size(), 2);
    auto* opened = dynamic_cast<LogTestDiagram*>(frame.ActiveChild());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(std::pair(opened->values, opened->FileName()),
              std::pair(std::vector<std::int32_t>{3}, logarithmic));
    EXPECT_EQ(std::tuple(plain->values, plain->IsModified(), plain->HasFile()),
              std::tuple(std::vector<std::int32_t>{1}, true, false));
    EXPECT_TRUE(prompter.messages.empty()) << "the plain window was not to be replaced";

    // A window without a frame to open it in refuses the file.
    testing::TestDiagram alone("noname9.qz2");
    dialogs.fileAnswers.push_back(logarithmic);
    EXPECT_FALSE(alone.FileOpen());
    EXPECT_TRUE(alone.values.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
}

// Exit asks about every modified window before it closes any: Cancel on the last question
// keeps them all, also the one whose changes were saved or dropped.
TEST_F(DiagramFrameTest, ExitAsksEveryQuestionBeforeClosingAnything) {
    const QString path = Saved("kept.qz2", {2});
    auto* first = Diagram(frame.OpenByExtension(path));
    first->values = {3};
    first->MarkModified();
    QPointer<platform::Window> one(first), two(NewModifiedWindow({1}));

    prompter.AnswerMessage(platform::kIdYes);
    prompter.AnswerMessage(platform::kIdCancel);
    frame.DispatchCommand(platform::kCmExit);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(frame.isVisible());
    ASSERT_TRUE(one && two);
    EXPECT_EQ(frame.Children().size(), 2);
    EXPECT_FALSE(first->IsModified()) << "yes saved it";

    prompter.messages.clear();
    first->MarkModified();
    prompter.AnswerMessage(platform::kIdNo);
    prompter.AnswerMessage(platform::kIdNo);
    frame.DispatchCommand(platform::kCmExit);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(prompter.messages.size(), 2u) << "each window asked once";
    EXPECT_FALSE(one || two);
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace
}  // namespace quorlin
