#pragma once
// The PiCTeX writer: a repaint of a graphing window as a TeX picture.
//
// PrepareTeXExport asks for the file and the options and builds the header; WriteTeXFrame writes
// one file (the header, the repaint through the window's PaintTeXFrame, the trailer), numbered
// when an animation writes several; a single picture of a standalone kind is a whole document
// ("\bye" for TeX, \documentclass ... \end{document} for LaTeX2e); WriteAnimMaster writes
// "<base>ANIM.tex", which plays the frames with LaTeX's animateinline. The hooks below are what the
// drawing primitives call while the PiCTeX flag is set; they take world points and map them with
// ToExportCoords.
#include "canvas/export_context.h"

#include <span>
#include <string>
#include <string_view>

namespace quorlin::canvas {

// How a PiCTeX text is set: as it stands, in math mode, or in display-style math.
enum class TexMath { None, Inline, Display };

class PictexWriter {
public:
    static constexpr std::size_t kPlotBufferLimit = 64000;

    explicit PictexWriter(ExportContext& context) : ctx_(context) {}

    // File name, options dialog, frame count and header; false when cancelled or refused.
    bool PrepareTeXExport(int framesAllowed);
    // Builds the header for the context's output kind and view (called by PrepareTeXExport).
    void TexBegin(int boxNumber);
    const std::string& Header() const { return header_; }
    // "<base>.tex", or "<base><frame padded>.tex" when several frames are written.
    QString FramePath(int frame) const;
    // Writes one frame file; false when refused, not opened or not written whole.
    bool WriteTeXFrame(int frame);
    // Writes "<base>ANIM.tex"; false when it could not be written whole.
    bool WriteAnimMaster();

    void TexRule(WorldPoint p, WorldPoint q, bool inViewOnly);
    void TexSegment(WorldPoint p, WorldPoint q, int dotSpacing);
    void TexImageFrame();
    void TexPoint(WorldPoint p, int size, bool hollow);
    void TexMultiputBegin(int size);
    // The one hook that writes its point as given: callers of a multiput list pass points
    // already in export coordinates (ToExportCoords), or the list lands off a centred picture.
    void TexMultiputPoint(WorldPoint p);
    void TexMultiputEnd();
    void TexCurveBegin();
    void TexCurvePoint(WorldPoint p);
    void TexCurveEnd();
    void TexPolyline(std::span<const WorldPoint> points);
    void TexPolylineByParity(std::span<const WorldPoint> points,
                             std::span<const std::uint8_t> marks, int mode);
    void TexLineStyle(int style, bool forceSolid);
    // A text at a world point; an empty anchor centres it there.
    void TexText(std::string_view text, std::string_view anchor, WorldPoint p, TexMath math);
    void TexArrow(WorldPoint direction, WorldPoint tip, long double headLength, bool solid);
    // Shades a polygon that is monotone along x (vertical) or y; false, writing nothing, for a
    // polygon it cannot shade or for shade index 1.
    bool TexShade(std::span<const WorldPoint> polygon, bool vertical, int shade);
    bool TexSetShadeGrid(int shade);
    // "% text": a comment line in the picture.
    void TexComment(std::string_view text);

private:
    bool Running() const { return ctx_.Running(ExportKind::PicTeX); }
    std::string Cs(std::string_view word) const { return ctx_.texEscape + std::string(word); }
    std::string Number(long double v) const;
    std::string Pair(WorldPoint p) const { return Number(p.x) + " " + Number(p.y); }
    void Line(std::string_view text);
    void PutRule(WorldPoint p, WorldPoint q);
    // A single picture of a standalone kind is a document of its own, which TeX (plain) or
    // LaTeX compiles as it stands: its opening lines before the header's, its middle after
    // them, and its end after the picture. Frames of an animation are input by the master and
    // stay pictures; the other kinds are inserted by hand.
    bool StandaloneDocument() const;
    std::string DocumentOpening() const;
    std::string DocumentBody() const;
    void DocumentEnd();

    ExportContext& ctx_;
    int boxNumber_ = 1;
    std::string header_;
    std::string plot_;
    int plotPoints_ = 0;
};

}  // namespace quorlin::canvas
