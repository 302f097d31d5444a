#include "plot2d/plot2_win.h"

#include "canvas/canvas_window.h"
#include "platform/key_poll.h"

namespace quorlin::plot2d {

TPlot2Win::TPlot2Win(QString fileName, QWidget* parent)
    : TPlot111Win(kPlot2DFileKind, std::move(fileName), QStringLiteral("qz2.ini"), 2, parent) {}

TPlot2Win::~TPlot2Win() = default;

TDrawContext TPlot2Win::DrawContext() {
    TDrawContext context{Inventory(), Compiler(), Formulas(), View(), {}, {}, {}};
    context.colour = [this](int index) { return OutputColor(DrawColor(index)); };
    context.penWidth = [this](int width) {
        const int factor = std::max(Output().highResolutionFactor, 1);
        return (Printing().printing ? Output().printLineWidth : std::max(width, 1)) * factor;
    };
    if (!Output().noPolling) context.pollKey = [this] { return platform::PollKey(this); };
    return context;
}

int TPlot2Win::DrawAll(platform::DeviceContext& dc) {
    if (const int stop = TPlot111Win::DrawAll(dc)) return stop;
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        if (!Inventory()[i].graphShown) continue;
        if (const int stop = DrawExample(dc, i); stop == kStop) return stop;
    }
    return 0;
}

int TPlot2Win::DrawExample(platform::DeviceContext& dc, int i) {
    TDrawContext context = DrawContext();
    canvas::TCanvasPrimitives prim = Primitives(dc);
    return DrawByKind(context, i, prim);
}

platform::Window* CreatePlot2Window(const NewWindowRequest& request) {
    auto* window = new TPlot2Win(request.fileName);
    canvas::PrepareCanvasWindow(window, request);
    return window;
}

}  // namespace quorlin::plot2d
