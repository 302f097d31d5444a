#pragma once
// What every window of the frame's "2-dim" item and logarithmic modes shares, whatever its
// level: the 2D window's menu and keys, the defaults choice, and the frame of a logarithmic
// mode. The 2D window classes (plot2d/plot_e_win.h) and the formula level's window
// (formula/func_win.h) are prepared with it.
#include "shell/window_kinds.h"

namespace quorlin::canvas {

class TZELWing;

inline constexpr int kPlot2DKind = 841;

// Gives a window of the frame's "2-dim" or logarithmic items its menu, keys, defaults choice
// and, in a logarithmic mode, four decades on each logarithmic axis.
void PrepareCanvasWindow(TZELWing* window, const NewWindowRequest& request);

}  // namespace quorlin::canvas
