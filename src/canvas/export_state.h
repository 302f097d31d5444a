#pragma once
// TExportState: the export field group of a graphing window.
//
// The window holds one TExportState and hands it its view (ExportContext::view) before each
// export and frame. The three writers and the buffered path live here; a drawing primitive calls
// the hook of each writer whose flag is set (texActive, svgActive, epsActive) and then draws on
// its device as usual. ExportText, ExportBackground and ExportComment test the flags themselves.
#include "canvas/eps_writer.h"
#include "canvas/export_context.h"
#include "canvas/export_path.h"
#include "canvas/pictex_writer.h"
#include "canvas/svg_writer.h"

namespace quorlin::canvas {

class TExportState : public ExportContext {
public:
    explicit TExportState(ExportHost& host) : ExportContext(host) {}

    PictexWriter tex{*this};
    SvgWriter svg{*this};
    EpsWriter eps{*this};
    ExportPath path{*this, svg, eps};

    bool AnyActive() const { return texActive || svgActive || epsActive; }

    // A text in one of the window's ten fonts, drawn from client pixel p with the given
    // alignment (h = 1 left, v = -1 top), to the running SVG and EPS outputs.
    void ExportText(ScreenPoint p, std::string_view text, QRgb colour, int fontIndex, int h, int v);
    // The background of the picture (outlined in palette colour 0 when the frame is on).
    void ExportBackground();
};

}  // namespace quorlin::canvas
