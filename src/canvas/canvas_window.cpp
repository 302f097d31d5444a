#include "canvas/canvas_window.h"

#include "canvas/zel_wing.h"

namespace quorlin::canvas {

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
