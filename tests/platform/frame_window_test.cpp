// The frame and its children: whose menu and keys show, where commands go, enablers and
// check marks, closing, arranging, dropped files and owned windows in hosts of their own.
#include "platform/frame_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QUrl>

#include <vector>

namespace quorlin::platform {
namespace {

using Kind = MenuItemTemplate::Kind;

constexpr int kOpen = 10, kDeep = 11, kToggle = 20, kRefresh = 30, kFrameOnly = 40;

constexpr MenuItemTemplate kFrameItems[] = {
    {Kind::Popup, "&File"},
    {Kind::Command, "&Open\tCtrl+O", kOpen},
    {Kind::Command, "&Frame only", kFrameOnly},
    {Kind::EndPopup, ""},
    {Kind::Popup, "&Window"},
    {Kind::Command, "&Cascade", kCmCascadeChildren},
    {Kind::Command, "&Tile", kCmTileChildren},
    {Kind::EndPopup, ""},
};
constexpr MenuTemplate kFrameMenu{"FRAMEMENU", kFrameItems};

constexpr MenuItemTemplate kChildItems[] = {
    {Kind::Popup, "&File"},
    {Kind::Command, "&Open\tCtrl+O", kOpen},
    {Kind::Separator, ""},
    {Kind::Popup, "&More"},
    {Kind::Command, "&Deep", kDeep},
    {Kind::EndPopup, ""},
    {Kind::Command, "E&xit", kCmExit},
    {Kind::EndPopup, ""},
    {Kind::Popup, "&Options"},
    {Kind::Command, "&Toggle", kToggle},
    {Kind::EndPopup, ""},
    {Kind::Command, "&Help", 99},
};
constexpr MenuTemplate kChildMenu{"CHILDMENU", kChildItems};

constexpr AcceleratorTemplate kChildKeys[] = {{"Ctrl+O", kOpen}, {"F5", kRefresh}};
constexpr AcceleratorTable kChildAccelerators{"CHILDKEYS", kChildKeys};
constexpr AcceleratorTemplate kFrameKeys[] = {{"Ctrl+O", kFrameOnly}, {"F6", kFrameOnly}};
constexpr AcceleratorTable kFrameAccelerators{"FRAMEKEYS", kFrameKeys};

class ChildWindow : public Window {
public:
    ChildWindow() {
        SetMenu(&kChildMenu);
        SetAccelerators(&kChildAccelerators);
        for (const int id : {kOpen, kDeep, kRefresh}) {
            HandleCommand(id, [this, id] { commands.push_back(id); });
        }
        HandleCommand(kToggle, [this] {
            commands.push_back(kToggle);
            toggled = !toggled;
        });
    }
    void SetupWindow() override { ++setups; }
    void CleanupWindow() override {
        ++cleanups;
        if (cleanupSink) ++*cleanupSink;
    }
    bool CanClose() override { return allowClose; }
    bool ShowMenuHelp(const QString& menuTitle) override {
        helpAsked << menuTitle;
        return true;
    }
    void EnableCommand(CommandState& state) override {
        if (state.id == kToggle) state.checked = toggled;
        if (state.id == kDeep) state.enabled = deepEnabled;
        Window::EnableCommand(state);
    }
    std::vector<int> commands;
    QStringList helpAsked;
    bool toggled = false;
    bool deepEnabled = true;
    bool allowClose = true;
    int setups = 0, cleanups = 0;
    int* cleanupSink = nullptr;  // counts clean-ups past the window's deletion
};

class TestFrame : public FrameWindow {
public:
    TestFrame() {
        SetMenu(&kFrameMenu);
        SetAccelerators(&kFrameAccelerators);
        HandleCommand(kFrameOnly, [this] { commands.push_back(kFrameOnly); });
    }
    void OnFilesDropped(const QStringList& files) override { dropped = files; }
    std::vector<int> commands;
    QStringList dropped;
};

QStringList MenuBarTitles(QMainWindow& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    return titles;
}

// A shown frame and the children a test adds to it, with or without their menu and keys.
class FrameWindowTest : public ::testing::Test {
protected:
    FrameWindowTest() { frame.show(); }
    ChildWindow* Add(bool withMenu = true) {
        auto* child = new ChildWindow;
        if (!withMenu) {
            child->SetMenu(nullptr);
            child->SetAccelerators(nullptr);
        }
        frame.AddChild(child);
        return child;
    }
    TestFrame frame;
};

QAction* SubmenuAction(FrameWindow& frame, const QString& title) {
    for (QAction* top : frame.menuBar()->actions()) {
        if (!top->menu()) continue;
        for (QAction* a : top->menu()->actions()) {
            if (a->menu() && a->text() == title) return a;
        }
    }
    return nullptr;
}

QAction* OnlyAction(FrameWindow& frame, int id) {
    const QList<QAction*> actions = frame.CommandActions(id);
    return actions.size() == 1 ? actions[0] : nullptr;
}

TEST_F(FrameWindowTest, ActiveChildMenuAndAcceleratorsReplaceTheFrames) {
    const QStringList frameMenu{"&File", "&Window"}, childMenu{"&File", "&Options", "&Help"};
    EXPECT_EQ(MenuBarTitles(frame), frameMenu);
    ASSERT_NE(OnlyAction(frame, kFrameOnly), nullptr);
    EXPECT_EQ(OnlyAction(frame, kFrameOnly)->shortcuts(),
              QKeySequence::listFromString("Ctrl+O; F6"));
    EXPECT_FALSE(OnlyAction(frame, kCmCascadeChildren)->isEnabled()) << "no children to arrange";

    ChildWindow* rich = Add();
    EXPECT_EQ(rich->setups, 1);
    EXPECT_EQ(frame.ActiveChild(), rich);
    EXPECT_EQ(MenuBarTitles(frame), childMenu);
    // The child's Ctrl+O wins over the frame's; the frame's F6 stays.
    EXPECT_EQ(OnlyAction(frame, kOpen)->shortcuts(), QKeySequence::listFromString("Ctrl+O"));
    EXPECT_EQ(OnlyAction(frame, kFrameOnly)->shortcuts(), QKeySequence::listFromString("F6"));
    // An accelerator without a menu item still has its action.
    ASSERT_NE(OnlyAction(frame, kRefresh), nullptr);
    EXPECT_TRUE(frame.IsAcceleratorKey(QKeySequence("F5")));
    EXPECT_FALSE(frame.IsAcceleratorKey(QKeySequence("F7")));

    ChildWindow* plain = Add(false);  // a child without a menu keeps the frame's
    EXPECT_EQ(frame.ActiveChild(), plain);
    EXPECT_EQ(MenuBarTitles(frame), frameMenu);
    frame.ActivateChild(rich);
    EXPECT_EQ(MenuBarTitles(frame), childMenu);
    rich->SetMenu(&kFrameMenu);  // a window that changes its menu while active shows the new one
    EXPECT_EQ(MenuBarTitles(frame), frameMenu);
}

TEST_F(FrameWindowTest, CommandsGoToTheActiveChildThenTheFrameAndSentOnesToTheirChild) {
    ChildWindow* first = Add();
    ChildWindow* active = Add();
    OnlyAction(frame, kOpen)->trigger();
    OnlyAction(frame, kRefresh)->trigger();
    OnlyAction(frame, kFrameOnly)->trigger();
    EXPECT_EQ(active->commands, (std::vector<int>{kOpen, kRefresh}));
    EXPECT_EQ(frame.commands, (std::vector<int>{kFrameOnly}));
    EXPECT_FALSE(frame.DispatchCommand(12345));

    EXPECT_TRUE(first->SendCommand(kOpen));
    EXPECT_TRUE(first->SendCommand(kFrameOnly));  // passed on to the frame
    EXPECT_EQ(first->commands, (std::vector<int>{kOpen}));
    EXPECT_EQ(frame.commands, (std::vector<int>{kFrameOnly, kFrameOnly}));
}

TEST_F(FrameWindowTest, AcceleratorKeysOfTheShownSetRunCommands) {
    QApplication::setActiveWindow(&frame);
    ChildWindow* plain = Add(false);
    ChildWindow* rich = Add();
    rich->setFocus();
    QTest::keyClick(rich, Qt::Key_F5);
    QTest::keyClick(rich, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(rich->commands, (std::vector<int>{kRefresh, kOpen}));

    // Another child's set: F5 is nobody's, Ctrl+O is the frame's.
    frame.ActivateChild(plain);
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_F5);
    QTest::keyClick(plain, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(rich->commands.size(), 2u);
    EXPECT_TRUE(plain->commands.empty());
    EXPECT_EQ(frame.commands, (std::vector<int>{kFrameOnly}));
}

TEST_F(FrameWindowTest, EnablersAndCheckMarksReachTheActions) {
    ChildWindow* child = Add();
    QAction* toggle = OnlyAction(frame, kToggle);
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->isChecked());

    toggle->trigger();  // the refresh after the command shows the new check mark
    EXPECT_TRUE(toggle->isCheckable() && toggle->isChecked());

    // A change made outside a command shows when the menu opens.
    child->deepEnabled = false;
    QAction* deep = OnlyAction(frame, kDeep);
    EXPECT_TRUE(deep->isEnabled());
    QMenu* more = qobject_cast<QMenu*>(deep->parent());
    ASSERT_NE(more, nullptr);
    emit more->aboutToShow();
    EXPECT_FALSE(deep->isEnabled());

    // A disabled command is not sent.
    EXPECT_FALSE(frame.DispatchCommand(kDeep));
    EXPECT_EQ(std::count(child->commands.begin(), child->commands.end(), kDeep), 0);

    // Stored check marks of the window; a submenu whose every item is disabled is disabled.
    child->SetCommandChecked(kOpen, true);
    frame.RefreshCommands();
    EXPECT_TRUE(OnlyAction(frame, kOpen)->isChecked());
    EXPECT_FALSE(SubmenuAction(frame, "&More")->isEnabled());
    child->deepEnabled = true;
    frame.RefreshCommands();
    EXPECT_TRUE(SubmenuAction(frame, "&More")->isEnabled());
}

// F1 in an open menu (or in a popup inside it) asks the active child for the page of the menu
// bar entry it belongs to; other keys go on to the menu.
TEST_F(FrameWindowTest, F1InAnOpenMenuAsksForThatMenusHelp) {
    ChildWindow* child = Add();
    Add(false);
    frame.ActivateChild(child);
    QMenu* options = nullptr;
    for (QAction* top : frame.menuBar()->actions())
        if (top->text() == QStringLiteral("&Options")) options = top->menu();
    ASSERT_NE(options, nullptr);
    QAction* more = SubmenuAction(frame, QStringLiteral("&More"));
    ASSERT_TRUE(more && more->menu());
    for (QMenu* menu : {options, more->menu()}) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(menu, &f1);
    }
    QKeyEvent other(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(options, &other);
    EXPECT_EQ(child->helpAsked, (QStringList{QStringLiteral("Options"), QStringLiteral("File")}));
}

TEST_F(FrameWindowTest, ExitInAChildsOrAnOwnedWindowsMenuClosesTheFrame) {
    Add();
    ASSERT_TRUE(frame.QueryCommand(kCmExit).enabled);
    OnlyAction(frame, kCmExit)->trigger();
    EXPECT_FALSE(frame.isVisible());

    frame.show();
    auto* owned = new ChildWindow;
    QPointer<FrameWindow> host = ShowOwnedWindow(owned, Add());
    OnlyAction(*host, kCmExit)->trigger();
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(FrameWindowTest, ChildrenCloseOnlyWhenTheyAgree) {
    ChildWindow* child = Add();
    QPointer<ChildWindow> watch(child);
    child->allowClose = false;
    EXPECT_FALSE(frame.CloseChildren());
    EXPECT_TRUE(frame.Children().size() == 1 && child->cleanups == 0);

    child->allowClose = true;
    int cleanups = 0;
    child->cleanupSink = &cleanups;
    EXPECT_TRUE(frame.CloseChildren());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull() && cleanups == 1 && frame.Children().isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(MenuBarTitles(frame), (QStringList{"&File", "&Window"}));
}

// Qt arranges the sub-windows; here the captions and the arrange commands reach them.
TEST_F(FrameWindowTest, SubWindowsShowCaptionsAndAreArranged) {
    frame.resize(800, 600);
    ChildWindow* a = Add();
    ChildWindow* b = Add();
    a->SetCaption(QStringLiteral("noname1.qz2"));
    QWidget* outer = a->OuterWidget();
    EXPECT_EQ(outer->windowTitle(), QStringLiteral("noname1.qz2"));
    EXPECT_TRUE(frame.DispatchCommand(kCmTileChildren));
    EXPECT_FALSE(outer->geometry().intersects(b->OuterWidget()->geometry()));
}

TEST_F(FrameWindowTest, CascadeKeepsChildrenAtAWorkingSize) {
    frame.resize(800, 600);
    frame.show();
    std::vector<QWidget*> outers;
    for (int i = 0; i < 3; ++i) outers.push_back(Add()->OuterWidget());
    EXPECT_TRUE(frame.DispatchCommand(kCmCascadeChildren));
    const QSize area = outers.front()->parentWidget()->size();
    for (std::size_t i = 1; i < outers.size(); ++i) {
        const QRect before = outers[i - 1]->geometry();
        const QRect here = outers[i]->geometry();
        EXPECT_GE(here.width(), area.width() / 2);
        EXPECT_GE(here.height(), area.height() / 2);
        EXPECT_GT(here.top(), before.top()) << "each title bar shows below the one behind";
        EXPECT_EQ(here.size(), before.size());
    }
}

TEST_F(FrameWindowTest, DroppedFilesReachTheHandler) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.qz2"), QUrl("https://example.org/b.qz3"),
                  QUrl::fromLocalFile("/tmp/c.lqz")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    EXPECT_EQ(frame.dropped, (QStringList{"/tmp/a.qz2", "/tmp/c.lqz"}));
}

TEST_F(FrameWindowTest, OwnedWindowHasItsOwnHostWithMenu) {
    auto* owned = new ChildWindow;
    owned->SetCaption(QStringLiteral("level curves"));
    QPointer<FrameWindow> host = ShowOwnedWindow(owned, &frame);
    ASSERT_FALSE(host.isNull());
    EXPECT_TRUE(host->isWindow() && host->parentWidget() == &frame);
    EXPECT_TRUE(host->HostedWindow() == owned && owned->setups == 1);
    owned->SetCaption(QStringLiteral("level curves 2"));
    EXPECT_EQ(host->windowTitle(), QStringLiteral("level curves 2"));
    EXPECT_EQ(MenuBarTitles(*host), (QStringList{"&File", "&Options", "&Help"}));
    OnlyAction(*host, kToggle)->trigger();
    EXPECT_TRUE(OnlyAction(*host, kToggle)->isChecked());
    // The frame's own menu is untouched.
    EXPECT_EQ(MenuBarTitles(frame), (QStringList{"&File", "&Window"}));

    EXPECT_TRUE(owned->CloseWindow() && owned->cleanups == 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.isNull());
}

// An owned window's keys: Ctrl+O, which its owner binds too, and Ctrl+Shift+P, which only it
// binds.
constexpr AcceleratorTemplate kOwnedKeys[] = {{"Ctrl+O", kDeep}, {"Ctrl+Shift+P", kToggle}};
constexpr AcceleratorTable kOwnedAccelerators{"OWNEDKEYS", kOwnedKeys};

class OwnedWindow : public ChildWindow {
public:
    OwnedWindow() { SetAccelerators(&kOwnedAccelerators); }
};

// Keys pressed in an owned window while it is active, as the window system delivers them (the
// shortcut question, then the key): its own keys run its commands, also the key its owner binds
// too; the keys it does not bind reach its owner. Sent to the owned window and to its host.
TEST_F(FrameWindowTest, OwnedWindowsOwnKeysComeBeforeTheirOwners) {
    ChildWindow* owner = Add();
    auto* owned = new OwnedWindow;
    FrameWindow* host = ShowOwnedWindow(owned, owner);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<int> ownedRuns, ownerRuns;
    } rows[] = {
        {Qt::Key_O, Qt::ControlModifier, {kDeep}, {}},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, {kToggle}, {}},
        {Qt::Key_F5, Qt::NoModifier, {}, {kRefresh}},
    };
    for (QWidget* target : {static_cast<QWidget*>(owned), static_cast<QWidget*>(host)}) {
        for (const auto& row : rows) {
            owned->commands.clear();
            owner->commands.clear();
            QApplication::setActiveWindow(host);
            owned->setFocus();
            QTest::keyClick(target, row.key, row.modifiers);
            EXPECT_EQ(owned->commands, row.ownedRuns) << row.key;
            EXPECT_EQ(owner->commands, row.ownerRuns) << row.key;
            EXPECT_TRUE(frame.commands.empty());
        }
    }
    // The owner active again has its keys back.
    owner->commands.clear();
    QApplication::setActiveWindow(&frame);
    owner->setFocus();
    QTest::keyClick(owner, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(owner->commands, std::vector<int>{kOpen});
}

TEST_F(FrameWindowTest, TwoOwnedWindowsEachRunTheirOwnKeys) {
    ChildWindow* owner = Add();
    auto* first = new OwnedWindow;
    auto* second = new OwnedWindow;
    FrameWindow* firstHost = ShowOwnedWindow(first, owner);
    FrameWindow* secondHost = ShowOwnedWindow(second, owner);
    for (const auto& [window, host] :
         {std::pair{first, firstHost}, std::pair{second, secondHost}}) {
        QApplication::setActiveWindow(host);
        window->setFocus();
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    }
    EXPECT_EQ(first->commands, std::vector<int>{kDeep});
    EXPECT_EQ(second->commands, std::vector<int>{kDeep});
    EXPECT_TRUE(owner->commands.empty());
}

// A key whose command ends the owner, and with it the owned window and its host, while the key
// is still being delivered.
class OwnerEndingWindow : public OwnedWindow {
public:
    explicit OwnerEndingWindow(QWidget* owner) {
        HandleCommand(kDeep, [owner] { delete owner; });
    }
};

TEST_F(FrameWindowTest, AnOwnedWindowsKeyMayEndItsOwner) {
    ChildWindow* owner = Add();
    QPointer<QWidget> outer = owner->OuterWidget();
    auto* owned = new OwnerEndingWindow(outer);
    QPointer<FrameWindow> host = ShowOwnedWindow(owned, owner);
    QPointer<Window> watch = owned;
    QApplication::setActiveWindow(host);
    owned->setFocus();
    QTest::keyClick(owned, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(outer.isNull() && host.isNull() && watch.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.Children().isEmpty());
}

}  // namespace
}  // namespace quorlin::platform
