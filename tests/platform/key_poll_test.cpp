// Key polling in long loops: Q and accelerators stop, other input is held back or dropped,
// modal dialogs keep theirs, idle work waits for the end.
#include "platform/key_poll.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>

#include <vector>

#include "platform/dialog.h"
#include "platform/frame_window.h"
#include "platform/idle.h"
#include "platform/window.h"

namespace quorlin::platform {
namespace {

class ClickCounter : public Window {
public:
    void MouseDown(const MouseEvent&) override { ++clicks; }
    void KeyDown(int, Modifiers) override { ++keys; }
    // Every command the tests send lands here, to prove none ran during a poll.
    bool OnCommand(int id) override {
        commands.push_back(id);
        return true;
    }
    void EnableCommand(CommandState& state) override { state.enabled = true; }
    int clicks = 0;
    int keys = 0;
    std::vector<int> commands;
};

void PostClick(QWidget* target) {
    const QPointF at(10, 10);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(target, new QMouseEvent(type, at, at, target->mapToGlobal(at),
                                                            Qt::LeftButton, held, Qt::NoModifier));
    }
}

void PostKey(QWidget* target, Qt::Key key, const QString& text,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(target, new QKeyEvent(type, key, modifiers, text));
}

TEST(PollKey, LongLoopStopsOnQAndMouseClicksReachNoHandler) {
    ClickCounter window;
    window.resize(100, 100);
    window.show();
    QApplication::processEvents();

    int iterations = 0;
    int key = 0;
    {
        KeyPollScope scope;
        for (; iterations < 1000; ++iterations) {
            if (iterations == 3) PostClick(&window);
            if (iterations == 5) PostKey(&window, Qt::Key_Q, "q");
            if (iterations == 7) PostClick(&window);
            key = PollKey(&window);
            if (key == kKeyStop) break;
        }
        QApplication::processEvents();  // still inside the operation: held back too
    }
    EXPECT_EQ(key, kKeyStop);
    EXPECT_EQ(iterations, 5);
    EXPECT_EQ(window.clicks, 0);
    EXPECT_EQ(window.keys, 0);

    // Once the operation is over, clicks reach the window again.
    PostClick(&window);
    QApplication::processEvents();
    EXPECT_EQ(window.clicks, 1);
}

TEST(PollKey, GivesUpperCaseCharactersAndKeyCodesAndDropsKeysLeftOver) {
    ClickCounter window;
    window.show();
    EXPECT_EQ(PollKey(&window), 0);
    {
        KeyPollScope scope;
        PostKey(&window, Qt::Key_A, "a");
        PostKey(&window, Qt::Key_Space, " ");
        PostKey(&window, Qt::Key_Control, "", Qt::ControlModifier);
        PostKey(&window, Qt::Key_Right, "");
        PostKey(&window, Qt::Key_C, "c");
        EXPECT_EQ(PollKey(&window), 'A');
        EXPECT_EQ(PollKey(&window), ' ');  // queued: one key per call
        EXPECT_EQ(PollKey(&window), 17);
        EXPECT_EQ(PollKey(&window), keys::kRight);
    }
    KeyPollScope next;
    EXPECT_EQ(PollKey(&window), 0) << "the C pressed during the last operation is dropped";
    EXPECT_EQ(window.keys, 0);
}

// Outside a scope a poll is the last look at the keys pressed since the one before: the rest
// are dropped when it ends, but not a Q behind another key (Shift first, for a capital Q).
TEST(PollKey, AnUnscopedPollAnswersAQPressedBehindAnotherKey) {
    ClickCounter window;
    window.show();
    struct Press {
        Qt::Key key;
        const char* text;
        Qt::KeyboardModifiers modifiers;
    };
    const struct {
        std::vector<Press> presses;
        int answer;
    } rows[] = {
        {{{Qt::Key_A, "a", Qt::NoModifier}, {Qt::Key_Q, "q", Qt::NoModifier}}, kKeyStop},
        {{{Qt::Key_Shift, "", Qt::ShiftModifier}, {Qt::Key_Q, "Q", Qt::ShiftModifier}}, kKeyStop},
        {{{Qt::Key_Space, " ", Qt::NoModifier},
          {Qt::Key_B, "b", Qt::NoModifier},
          {Qt::Key_Q, "q", Qt::NoModifier},
          {Qt::Key_C, "c", Qt::NoModifier}},
         kKeyStop},
        {{{Qt::Key_F, "f", Qt::NoModifier}, {Qt::Key_S, "s", Qt::NoModifier}}, 'F'},
    };
    for (const auto& row : rows) {
        for (const Press& p : row.presses) PostKey(&window, p.key, p.text, p.modifiers);
        EXPECT_EQ(PollKey(&window), row.answer) << row.presses.size();
        EXPECT_EQ(PollKey(&window), 0) << "the keys left over are dropped";
    }
    EXPECT_EQ(window.keys, 0);
}

constexpr MenuItemTemplate kItems[] = {
    {MenuItemTemplate::Kind::Popup, "&File"},
    {MenuItemTemplate::Kind::Command, "&Save\tCtrl+S", 55},
    {MenuItemTemplate::Kind::EndPopup, ""},
};
constexpr MenuTemplate kMenu{"POLLMENU", kItems};
constexpr AcceleratorTemplate kKeys[] = {{"Ctrl+S", 55}, {"F5", 56}};
constexpr AcceleratorTable kAccelerators{"POLLKEYS", kKeys};

TEST(PollKey, AcceleratorKeysGive81AndRunNoCommandWhateverDecidesWhatIsOne) {
    FrameWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    auto* window = new ClickCounter;  // a child with a menu and keys, focused in the frame
    window->SetMenu(&kMenu);
    window->SetAccelerators(&kAccelerators);
    frame.AddChild(window);
    window->setFocus();
    {
        KeyPollScope scope;
        PostKey(window, Qt::Key_F5, "");
        PostKey(window, Qt::Key_S, "\x13", Qt::ControlModifier);
        PostKey(window, Qt::Key_F6, "");
        EXPECT_EQ(PollKey(window), kKeyStop);
        EXPECT_EQ(PollKey(window), kKeyStop);
        EXPECT_EQ(PollKey(window), keys::kF1 + 5);
        QTest::keyClick(window, Qt::Key_F5);  // through the shortcut map when it matches
        EXPECT_EQ(PollKey(window), kKeyStop);
        EXPECT_TRUE(window->commands.empty());
    }
    SetAcceleratorTest([](QWidget*, const QKeySequence& keys) {
        return keys == QKeySequence(QStringLiteral("Ctrl+P"));
    });
    KeyPollScope scope;
    PostKey(window, Qt::Key_P, "\x10", Qt::ControlModifier);
    PostKey(window, Qt::Key_P, "p");
    EXPECT_EQ(PollKey(window), kKeyStop);
    EXPECT_EQ(PollKey(window), 'P');
    SetAcceleratorTest({});
}

constexpr ControlTemplate kAskControls[] = {
    {ControlKind::Edit, 211, "", 0, 0},
    {ControlKind::DefButton, 1, "OK", 1, 0},
};
constexpr DialogTemplate kAskTemplate{"POLLASK", "ask", kAskControls};

TEST(PollKey, ModalDialogsOpenedDuringAnOperationGetTheirInput) {
    KeyPollScope scope;
    Dialog dialog(nullptr, kAskTemplate);
    QTimer::singleShot(20, &dialog, [&] {
        QTest::keyClicks(dialog.Control(211), "x");
        QTest::mouseClick(dialog.Control(1), Qt::LeftButton);
    });
    QTimer::singleShot(3000, &dialog, [&] { dialog.CloseWindow(99); });  // input never arrived
    EXPECT_EQ(dialog.Execute(), kIdOk);
    EXPECT_EQ(dialog.GetText(211), QStringLiteral("x"));
    EXPECT_EQ(PollKey(nullptr), 0);  // the dialog's keys were its own
}

TEST(PollKey, IdleWorkWaitsForTheEndOfTheOperationAndDiesWithItsContext) {
    QObject context;
    int runs = 0, orphanRuns = 0;
    {
        KeyPollScope scope;
        RunWhenIdle(&context, [&] { ++runs; });
        QObject gone;
        RunWhenIdle(&gone, [&] { ++orphanRuns; });
        for (int i = 0; i < 5; ++i) {
            PollKey(nullptr);
            QTest::qWait(5);
        }
        EXPECT_EQ(runs, 0);
        EXPECT_TRUE(KeyPollActive());
    }
    EXPECT_FALSE(KeyPollActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 10000));
    QTest::qWait(30);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(orphanRuns, 0);
}

// A drawing that polls for Q while the window paints: what asks for a repaint meanwhile is not
// painted inside the paint, but right after it.
TEST(PollKey, RepaintsAskedForDuringAPaintComeAfterIt) {
    class PollingPainter : public Window {
    public:
        void Paint(QPainter&, const QRect&) override {
            if (inPaint) nested = true;
            inPaint = true;
            ++paints;
            if (paints == 1) {
                update();
                PollKey(this);
                PollKey(this);
            }
            inPaint = false;
        }
        bool inPaint = false;
        bool nested = false;
        int paints = 0;
    } window;
    window.resize(60, 60);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.paints >= 2; }, 5000));
    EXPECT_FALSE(window.nested);
}

// A window shown again while another paints (a player's dialog coming back as the picture is
// redrawn): its exposure is held back, not lost, so it is painted after the paint.
TEST(PollKey, AWindowShownAgainDuringAPaintIsPaintedAfterIt) {
    class CountingWindow : public Window {
    public:
        void Paint(QPainter&, const QRect&) override { ++paints; }
        int paints = 0;
    } window;
    window.resize(60, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.hide();
    QCoreApplication::processEvents();
    window.paints = 0;
    {
        const PaintingScope painting;
        window.show();
        PollKey(nullptr);
        EXPECT_EQ(window.paints, 0);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.paints > 0; }, 5000));
    EXPECT_TRUE(window.testAttribute(Qt::WA_Mapped));

    // Part of a shown window uncovered during a paint (a menu closed): the window system's paint
    // of the window is refused, so Qt sends it again as an exposure, which is held as above.
    const PaintingScope painting;
    const KeyPollScope polling;
    QPaintEvent uncovered(QRect(0, 0, 10, 10));
    QCoreApplication::sendEvent(window.windowHandle(), &uncovered);
    EXPECT_FALSE(uncovered.isAccepted());
}

}  // namespace
}  // namespace quorlin::platform
