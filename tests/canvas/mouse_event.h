#pragma once
// A mouse event at a client point, as the window tests send them to MouseDown, MouseMove and
// MouseUp, and a right click whose dialog the test answers.
#include <functional>
#include <optional>

#include "platform/dialog.h"
#include "platform/window.h"

namespace quorlin::canvas::testing {

inline platform::MouseEvent Mouse(platform::MouseButton button, QPoint point) {
    platform::MouseEvent event;
    event.button = button;
    event.point = point;
    return event;
}

// A right click at a client point; the dialog it opens, if any, is answered by `hands`.
inline void RightClick(platform::Window& window, QPoint point,
                       const std::function<int(platform::Dialog&)>& hands) {
    std::optional<platform::ScopedDialogRunner> runner;
    if (hands) runner.emplace(hands);
    window.MouseDown(Mouse(platform::MouseButton::Right, point));
}

}  // namespace quorlin::canvas::testing
