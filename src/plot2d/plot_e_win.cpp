#include "plot2d/plot_e_win.h"

#include "canvas/canvas_window.h"

namespace quorlin::plot2d {

TPlotEWin::TPlotEWin(int kind, QString fileName, QString iniName, std::string_view menu,
                     QWidget* parent)
    : TPlotDWin(kind, std::move(fileName), std::move(iniName), parent) {
    SetMenuName(menu);
    SetAcceleratorName(menu);
}

void PrepareWindow(TPlotEWin* window, const NewWindowRequest& request) {
    // The canvas sets the 2D menu; the window's own comes back after.
    const auto* menu = window->Menu();
    const auto* keys = window->Accelerators();
    canvas::PrepareCanvasWindow(window, request);
    window->SetMenu(menu);
    window->SetAccelerators(keys);
}

}  // namespace quorlin::plot2d
