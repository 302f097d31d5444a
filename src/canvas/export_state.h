#pragma once
// TExportState: the export field group of a graphing window.
//
// The window holds one TExportState and hands it its view (ExportContext::view) before each
// export and frame. It owns the three writers and the outputs that run: an export begins with
// its preparation (file, options, header) and the start of its output, writes its frames, and
// ends with its trailer and the stop of its output; nothing else starts or stops an output.
// While an output runs, every drawing of the canvas primitives reaches its target through
// Dispatch, the one place that fans a drawing out to the running writers.
#include "canvas/eps_writer.h"
#include "canvas/export_context.h"
#include "canvas/export_targets.h"
#include "canvas/pictex_writer.h"
#include "canvas/svg_writer.h"

#include <array>
#include <memory>

namespace quorlin::canvas {

class TExportState : public ExportContext {
public:
    explicit TExportState(ExportHost& host);
    ~TExportState();

    PictexWriter tex{*this};
    SvgWriter svg{*this};
    EpsWriter eps{*this};

    // --- exports ---
    // PiCTeX: file name, options and header; then PiCTeX output runs. False when cancelled or
    // refused.
    bool BeginTeXExport(int framesAllowed);
    // SVG: file name, overwrite question, size, then the file with its header; then SVG output
    // runs.
    bool BeginSvgExport();
    // EPS: file name, frame count and parameters (askFrames 1), page and header; then EPS
    // output runs.
    bool BeginEpsExport(int askFrames, int frameCountProposal);
    // The frames the running export writes (1 for SVG, whose one picture the caller paints).
    int FrameCount() const;
    // Writes frame k of the running PiCTeX or EPS export into its own file, painted through
    // the host; false when refused or not written whole.
    bool WriteFrame(int frame);
    // Ends the running export: the PiCTeX animation master when several frames were all
    // written, the SVG closing tag; the output stops and the next export asks again before it
    // replaces a file. False when something was not written whole.
    bool EndExport(bool framesWritten = true);

    // Starts an output into the file that is open, without preparing anything: Begin...Export
    // call it once their header is written or built (and tests of single hooks).
    void StartOutput(ExportKind kind);
    void StopOutput(ExportKind kind);

    // Hands a drawing to the target of every running output: draw(ExportTarget&).
    template <class Draw>
    void Dispatch(Draw&& draw) {
        for (std::size_t k = 0; k < kExportKinds; ++k)
            if (running_[k]) draw(*targets_[k]);
    }

    // The background of the picture (outlined in palette colour 0 when the frame is on).
    void ExportBackground();

private:
    std::array<std::unique_ptr<ExportTarget>, kExportKinds> targets_;
};

}  // namespace quorlin::canvas
