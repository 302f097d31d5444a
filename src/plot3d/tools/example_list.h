#pragma once
// The example lists of the 3D tool dialogs: the equation texts of the given examples, in the
// window's inventory font, as the lines of a list or combo box.
#include <span>

#include "platform/dialog.h"

namespace quorlin::plot3d {

class TPlotRWin;

void ShowExampleList(platform::Dialog& dialog, int listId, TPlotRWin& window,
                     std::span<const int> examples);

}  // namespace quorlin::plot3d
