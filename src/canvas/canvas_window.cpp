#include "canvas/canvas_window.h"

#include "canvas/zel_winm.h"

namespace quorlin::canvas {

platform::Window* CreateCanvasWindow(const NewWindowRequest& request) {
    auto* window = new TZELWinm(kPlot2DKind, request.fileName, QStringLiteral("qz2.ini"));
    PrepareCanvasWindow(window, request);
    return window;
}

void PrepareCanvasWindow(TZELWing* window, const NewWindowRequest& request) {
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
}

}  // namespace quorlin::canvas
