#include "canvas/canvas_window.h"

#include "canvas/grid_win.h"

namespace quorlin::canvas {

platform::Window* CreateCanvasWindow(const NewWindowRequest& request) {
    constexpr int kPlot2DKind = 841;
    auto* window = new TGridWin(kPlot2DKind, request.fileName, QStringLiteral("qz2.ini"));
    window->SetUseDefaults(request.useDefaults);
    window->SetMenuName("PLOT2MENU");
    window->SetAcceleratorName("PLOT2MENU");
    if (request.logMode > 0) {
        TViewFrame& v = window->View();
        v.logMode = request.logMode;
        // Four decades on a logarithmic axis, -5..5 on a linear one.
        const long double low = 0.01L, high = 100;
        v.SetLogCorners(IsLogX(v.logMode) ? low : -5, IsLogX(v.logMode) ? high : 5,
                        IsLogY(v.logMode) ? low : -5, IsLogY(v.logMode) ? high : 5);
    }
    return window;
}

}  // namespace quorlin::canvas
