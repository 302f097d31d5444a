#pragma once
// A mouse event at a client point, as the window tests send them to MouseDown, MouseMove and
// MouseUp.
#include "platform/window.h"

namespace quorlin::canvas::testing {

inline platform::MouseEvent Mouse(platform::MouseButton button, QPoint point) {
    platform::MouseEvent event;
    event.button = button;
    event.point = point;
    return event;
}

}  // namespace quorlin::canvas::testing
