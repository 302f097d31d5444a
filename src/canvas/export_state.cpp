#include "canvas/export_state.h"

#include <algorithm>

namespace quorlin::canvas {

void TExportState::ExportText(ScreenPoint p, std::string_view text, QRgb colour, int fontIndex,
                              int h, int v) {
    const ExportFont& font = view.fonts[static_cast<std::size_t>(std::clamp(fontIndex, 0, 9))];
    if (svgActive) svg.SvgText(p, text, colour, font, h, v);
    if (epsActive) eps.EpsText(p, text, colour, font, h, v);
}

void TExportState::ExportBackground() {
    const int outline = view.frameImage ? 1 : -1;
    if (svgActive)
        svg.SvgRect(0, 0, view.clientWidth, view.clientHeight, false, view.background, outline,
                    view.paletteZero);
    if (epsActive)
        eps.EpsRoundRect({view.xLow, view.yHigh + view.unitsPerPixelY},
                         {view.xHigh + view.unitsPerPixelX, view.yLow}, false, view.background,
                         outline, view.paletteZero, 0, 0);
}

}  // namespace quorlin::canvas
