#pragma once
// The graphing window of the highest level built so far, for the frame's "2-dim" item and the
// logarithmic modes until the plot levels take over: a TGridWin with the 2D window's menu,
// keys and ini file, showing its axes and grid and answering the view and grid commands.
#include "shell/window_kinds.h"

namespace quorlin::platform {
class Window;
}

namespace quorlin::canvas {

// A WindowCreator: the frame adds the window as an MDI child, which then owns it.
platform::Window* CreateCanvasWindow(const NewWindowRequest& request);

}  // namespace quorlin::canvas
