#pragma once
// TPlotDWin: the drawing options of the 2D windows' Misc menu: "Infinite slopes" (790), "Fill
// explicit inequalities" (811) and the shading modes Opaque, Not XOR and XOR (891-893). The
// shadings draw through the one drawing path, which paints opaquely on every output; the mode is
// kept, checked and saved with the diagram.
#include "plot2d/plot_c_win.h"

namespace quorlin::plot2d {

class TPlotDWin : public TPlotCWin {
public:
    TPlotDWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
};

}  // namespace quorlin::plot2d
