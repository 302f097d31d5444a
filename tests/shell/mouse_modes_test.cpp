// Mouse modes as handler objects: the table asks the handlers of the chosen mode, the latest
// level's first, and a window sends its mouse to them.
#include "shell/mouse_modes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resources/command_ids.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
using platform::MouseButton;
using platform::MouseEvent;

// Writes what it was asked into a log and takes the events of one button only.
class LoggingHandler final : public MouseModeHandler {
public:
    LoggingHandler(std::string name, MouseButton takes, std::vector<std::string>& log)
        : name_(std::move(name)), takes_(takes), log_(log) {}
    bool Down(const MouseEvent& e) override { return Note("down", e); }
    bool Move(const MouseEvent& e) override { return Note("move", e); }
    bool Up(const MouseEvent& e) override { return Note("up", e); }

private:
    bool Note(const char* what, const MouseEvent& e) {
        log_.push_back(name_ + " " + what);
        return e.button == takes_;
    }
    std::string name_;
    MouseButton takes_;
    std::vector<std::string>& log_;
};

MouseEvent Press(MouseButton button) {
    MouseEvent e;
    e.button = button;
    e.point = QPoint(30, 40);
    return e;
}

TEST(MouseModeTable, TheLatestHandlerOfTheModeIsAskedFirstAndPassesOnWhatItRefuses) {
    struct Case {
        const char* name;
        int mode;
        MouseButton button;
        bool taken;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {"the upper handler takes its button", 121, MouseButton::Right, true, {"upper down"}},
        {"the lower one gets the refused button",
         121,
         MouseButton::Left,
         true,
         {"upper down", "lower down"}},
        {"nobody takes the middle button",
         121,
         MouseButton::Middle,
         false,
         {"upper down", "lower down"}},
        {"another mode has its own handler", 125, MouseButton::Left, true, {"readout down"}},
        {"a mode without handlers refuses", 127, MouseButton::Left, false, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        MouseModeTable table;
        table.Register(121, std::make_unique<LoggingHandler>("lower", MouseButton::Left, log));
        table.Register(121, std::make_unique<LoggingHandler>("upper", MouseButton::Right, log));
        table.Register(125, std::make_unique<LoggingHandler>("readout", MouseButton::Left, log));
        table.Register(126, nullptr);  // a level that only makes the command
        EXPECT_EQ(table.Down(c.mode, Press(c.button)), c.taken) << c.name;
        EXPECT_EQ(log, c.asked) << c.name;
    }
}

TEST(MouseModeTable, MovesAndReleasesGoToTheHandlersOfTheMode) {
    std::vector<std::string> log;
    MouseModeTable table;
    table.Register(128, std::make_unique<LoggingHandler>("rotate", MouseButton::Left, log));
    table.Register(121, std::make_unique<LoggingHandler>("zoom", MouseButton::Left, log));
    EXPECT_TRUE(table.Move(128, Press(MouseButton::Left)));
    EXPECT_TRUE(table.Up(128, Press(MouseButton::Left)));
    EXPECT_FALSE(table.Up(123, Press(MouseButton::Left)));
    EXPECT_EQ(log, (std::vector<std::string>{"rotate move", "rotate up"}));
    EXPECT_TRUE(table.Handles(121));
    EXPECT_FALSE(table.Handles(126));
}

TEST(MouseModeTable, APressHandlerLeavesMovesAndReleasesAlone) {
    int presses = 0;
    MouseModeTable table;
    table.Register(124, PressHandler([&presses](const MouseEvent& e) {
                       ++presses;
                       return e.button == MouseButton::Right;
                   }));
    EXPECT_TRUE(table.Down(124, Press(MouseButton::Right)));
    EXPECT_FALSE(table.Down(124, Press(MouseButton::Left)));
    EXPECT_FALSE(table.Move(124, Press(MouseButton::Right)));
    EXPECT_FALSE(table.Up(124, Press(MouseButton::Right)));
    EXPECT_EQ(presses, 2);
}

// Two levels: the lower one handles the zoom-box mode's left button, the upper one its right
// button and the mode "Draw", whose command the lower one does not make.
class LowerLevel : public testing::TestDiagram {
public:
    LowerLevel() : TestDiagram("modes.qz2") {
        HandleMouseMode(cmd::kMouseZoomBox, PressHandler([this](const MouseEvent& e) {
                            if (e.button != MouseButton::Left) return false;
                            log.push_back("lower zoom");
                            return true;
                        }));
    }
    std::vector<std::string> log;
};

class UpperLevel : public LowerLevel {
public:
    UpperLevel() {
        AddMouseModeHandler(cmd::kMouseZoomBox, PressHandler([this](const MouseEvent& e) {
                                if (e.button != MouseButton::Right) return false;
                                log.push_back("upper zoom");
                                return true;
                            }));
        HandleMouseMode(cmd::kMouseDraw, PressHandler([this](const MouseEvent&) {
                            log.push_back("upper draw");
                            return true;
                        }));
    }
};

TEST(MouseModeWindow, TheChosenModeDecidesWhichLevelGetsThePress) {
    UpperLevel w;
    const struct {
        int mode;
        MouseButton button;
        std::vector<std::string> log;
    } cases[] = {
        {cmd::kMouseZoomBox, MouseButton::Right, {"upper zoom"}},
        {cmd::kMouseZoomBox, MouseButton::Left, {"lower zoom"}},
        {cmd::kMouseDraw, MouseButton::Left, {"upper draw"}},
        {cmd::kMouseCoordinates, MouseButton::Left, {}},  // no level handles it here
        {cmd::kMouseCursor, MouseButton::Left, {}},       // nor a mode no level knows
    };
    for (const auto& c : cases) {
        w.log.clear();
        w.SetMouseMode(c.mode);
        w.MouseDown(Press(c.button));
        EXPECT_EQ(w.log, c.log) << c.mode;
    }
    // A mode is a command only where some level made it one.
    EXPECT_TRUE(w.MouseModes().Handles(cmd::kMouseDraw));
    EXPECT_FALSE(w.MouseModes().Handles(cmd::kMouseCursor));
    EXPECT_TRUE(w.HasCommandHandler(cmd::kMouseDraw));
    EXPECT_FALSE(w.HasCommandHandler(cmd::kMouseCursor));
}

}  // namespace
}  // namespace quorlin
