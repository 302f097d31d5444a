#pragma once
// The canvas window for the frame's "2-dim" item and the logarithmic modes until the plot
// levels take over: a TZELWinm with the 2D window's menu, keys and ini file, showing its axes,
// grid, texts and pictures and answering the view, grid, text and metafile commands. The
// formula level's window (formula/func_win.h) builds on the same preparation.
#include "shell/window_kinds.h"

namespace quorlin::platform {
class Window;
}

namespace quorlin::canvas {

class TZELWing;

inline constexpr int kPlot2DKind = 841;

// A WindowCreator: the frame adds the window as an MDI child, which then owns it.
platform::Window* CreateCanvasWindow(const NewWindowRequest& request);
// The 2D window's menu, keys and defaults choice, and the frame of a logarithmic mode: what
// every window the frame's "2-dim" and logarithmic items open shares, whatever its level.
void PrepareCanvasWindow(TZELWing* window, const NewWindowRequest& request);

}  // namespace quorlin::canvas
