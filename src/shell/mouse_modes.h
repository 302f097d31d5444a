#pragma once
// Mouse modes as objects: what the buttons do while a mode (commands 120-129) is chosen.
//
// A level registers a handler for each mode whose mouse handling it brings, beside its commands
// (TZELWin::HandleMouseMode). Handlers of one mode stack up in registration order, so a more
// derived level's handler is asked first; it answers whether it took the event, and one that
// did not leaves it to the handler registered before it, the next lower level's. A mode without
// a handler does nothing with the mouse. A new mode (the rotation, picking and slicer of the 3D
// windows) is a new handler, not another case in a switch.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/window.h"

namespace quorlin {

class MouseModeHandler {
public:
    virtual ~MouseModeHandler() = default;
    // A button went down, moved or went up in the mode: whether the handler took it.
    virtual bool Down(const platform::MouseEvent& event) = 0;
    virtual bool Move(const platform::MouseEvent&) { return false; }
    virtual bool Up(const platform::MouseEvent&) { return false; }
};

// A handler that answers presses by a function and leaves moves and releases alone.
std::unique_ptr<MouseModeHandler> PressHandler(
    std::function<bool(const platform::MouseEvent&)> down);

// The handlers of a window's mouse modes, keyed by mode number.
class MouseModeTable {
public:
    // Stacks the handler on those the mode has.
    void Register(int mode, std::unique_ptr<MouseModeHandler> handler);
    // Whether some handler knows the mode.
    bool Handles(int mode) const;
    // Asks the mode's handlers, the last registered first, until one takes the event; false
    // when none does (or the mode has none).
    bool Down(int mode, const platform::MouseEvent& event) const;
    bool Move(int mode, const platform::MouseEvent& event) const;
    bool Up(int mode, const platform::MouseEvent& event) const;

private:
    using Handlers = std::vector<std::unique_ptr<MouseModeHandler>>;
    template <class Ask>
    bool Dispatch(int mode, Ask&& ask) const;

    std::map<int, Handlers> handlers_;
};

}  // namespace quorlin
