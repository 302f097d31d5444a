// Window levels: the command chain, set-up and clean-up, input events and timers.
#include "platform/window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include <tuple>
#include <vector>

namespace quorlin::platform {
namespace {

// Two levels of a window chain, as the program's graphing windows stack them.
class BaseLevel : public Window {
public:
    BaseLevel() {
        HandleCommand(10, [this] { handled.push_back("base 10"); });
        HandleCommand(11, [this] { handled.push_back("base 11"); });
        HandleCommand(30, [this] { handled.push_back("base 30"); });
    }
    void EnableCommand(CommandState& state) override {
        if (state.id == 11) state.enabled = false;
        Window::EnableCommand(state);
    }
    std::vector<std::string> handled;
};

class DerivedLevel : public BaseLevel {
public:
    DerivedLevel() {
        HandleCommand(20, [this] {
            handled.push_back("derived 20");
            toggled = !toggled;
        });
        // A derived level's handler replaces its base's for the same id.
        HandleCommand(30, [this] { handled.push_back("derived 30"); });
    }
    void EnableCommand(CommandState& state) override {
        if (state.id == 20) state.checked = toggled;
        BaseLevel::EnableCommand(state);
    }
    bool toggled = false;
};

TEST(Window, CommandsGoUpTheLevelChainAndEnablersStartFromStoredCheckMarks) {
    DerivedLevel window;
    EXPECT_TRUE(window.SendCommand(20));
    EXPECT_TRUE(window.SendCommand(10));
    EXPECT_TRUE(window.SendCommand(30));
    EXPECT_FALSE(window.SendCommand(11));  // disabled by the base level's enabler
    EXPECT_FALSE(window.SendCommand(50));  // nobody handles it
    EXPECT_EQ(window.handled, (std::vector<std::string>{"derived 20", "base 10", "derived 30"}));
    EXPECT_TRUE(window.QueryCommand(20).checked);

    EXPECT_FALSE(window.QueryCommand(40).checked);
    window.SetCommandChecked(40, true);
    EXPECT_TRUE(window.QueryCommand(40).checked);
    EXPECT_FALSE(window.QueryCommand(40).enabled) << "a command without a handler is disabled";
}

class Recorder : public Window {
public:
    void SetupWindow() override { ++setups; }
    void CleanupWindow() override { ++cleanups; }
    bool CanClose() override { return allowClose; }
    void MouseDown(const MouseEvent& e) override { downs.push_back(e); }
    void MouseUp(const MouseEvent& e) override { ups.push_back(e); }
    void MouseDoubleClick(const MouseEvent& e) override { doubles.push_back(e); }
    void KeyDown(int code, Modifiers m) override {
        keyCodes.push_back(code);
        keyShifts.push_back(m.shift);
    }
    void CharTyped(QChar ch) override { chars += ch; }
    void OnTimer(int id) override { timerIds.push_back(id); }

    int setups = 0, cleanups = 0;
    bool allowClose = true;
    std::vector<MouseEvent> downs, ups, doubles;
    std::vector<int> keyCodes;
    std::vector<bool> keyShifts;
    QString chars;
    std::vector<int> timerIds;
};

TEST(Window, SetupRunsOnceAndCleanupOnlyWhenTheWindowMayClose) {
    Recorder window;
    window.Create();
    window.Create();
    EXPECT_EQ(window.setups, 1);
    window.allowClose = false;
    EXPECT_FALSE(window.CloseWindow());
    window.allowClose = true;
    EXPECT_TRUE(window.CloseWindow());
    EXPECT_EQ(window.cleanups, 1);
}

TEST(Window, MouseAndKeyEventsCarryTheirButtonPointKeyCodeAndModifiers) {
    Recorder window;
    window.resize(100, 100);
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseDClick(&window, Qt::RightButton, Qt::ControlModifier, QPoint(7, 8));
    ASSERT_FALSE(window.downs.empty() || window.ups.empty());
    const MouseEvent& down = window.downs[0];
    EXPECT_EQ(std::tuple(down.button, down.point, down.modifiers.shift, down.leftHeld),
              std::tuple(MouseButton::Left, QPoint(5, 6), true, true));
    EXPECT_FALSE(window.ups[0].leftHeld);
    ASSERT_EQ(window.doubles.size(), 1u);
    const MouseEvent& twice = window.doubles[0];
    EXPECT_EQ(std::tuple(twice.button, twice.point, twice.modifiers.control),
              std::tuple(MouseButton::Right, QPoint(7, 8), true));

    QTest::keyClick(&window, Qt::Key_A);
    QTest::keyClick(&window, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_F3);
    // Shift is a key of its own, as it is pressed before the arrow.
    EXPECT_EQ(window.keyCodes, (std::vector<int>{'A', keys::kShift, keys::kLeft, keys::kF1 + 2}));
    EXPECT_EQ(window.keyShifts, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(window.chars, QStringLiteral("a"));
}

TEST(Window, KeyCodesOfQtKeys) {
    const std::pair<Qt::Key, int> cases[] = {{Qt::Key_Q, 81},       {Qt::Key_7, '7'},
                                             {Qt::Key_Control, 17}, {Qt::Key_PageDown, 34},
                                             {Qt::Key_F12, 123},    {Qt::Key_Launch0, 0}};
    for (const auto& [key, code] : cases) EXPECT_EQ(KeyCodeFromQt(key), code) << key;
}

TEST(Window, TimersTickWithTheirId) {
    Recorder window;
    window.StartTimer(476, 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.timerIds.empty(); }, 2000));
    window.StopTimer(476);
    EXPECT_EQ(window.timerIds.at(0), 476);
}

}  // namespace
}  // namespace quorlin::platform
