#pragma once
// The drawing primitives of a graphing window on one device context: segments, curves,
// polygons, arrowheads, point markers, texts, filled boxes and the image frame. Each draws on
// the device and, while an export runs, hands the same drawing to every running output (through
// TExportState::Dispatch), so a drawer never speaks to a writer itself.
//
// A TCanvasPrimitives is made for one drawing pass. It starts with the device's pen and keeps
// the pen it last selected, so that the outputs get the colour, width and style the device
// draws with. A curve left open is ended when the primitives go.
#include <QColor>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "canvas/export_state.h"
#include "canvas/view_frame.h"
#include "platform/device_context.h"

namespace quorlin::canvas {

// Anchor codes of a text box: centred on the point, above it or below it.
inline constexpr int kAnchorCentre = 0;
inline constexpr int kAnchorAbove = 2;
inline constexpr int kAnchorBelow = -2;

// How PiCTeX sets a text: its anchor ("[lt]", "[b]", ...; empty centres the text on its
// point), the world point when it is not the text's pixel, and the math form.
struct TexPlacement {
    std::string_view anchor;
    std::optional<WorldPoint> at;
    TexMath math = TexMath::None;
};

class TCanvasPrimitives {
public:
    // exports may be null (no export state, as in a plain picture).
    TCanvasPrimitives(platform::DeviceContext& dc, const TViewFrame& frame, TExportState* exports);
    ~TCanvasPrimitives();
    TCanvasPrimitives(const TCanvasPrimitives&) = delete;
    TCanvasPrimitives& operator=(const TCanvasPrimitives&) = delete;

    platform::DeviceContext& Dc() { return dc_; }
    const TViewFrame& Frame() const { return frame_; }

    // Selects the pen on the device and for the outputs (colour as drawn, width in device
    // pixels, style code -1 none, 0 solid, 1 dot, 2 dash, 3 dash-dot, 4 dash-dot-dot).
    void SetPen(const QColor& colour, int width, int style);
    const PenSpec& Pen() const { return pen_; }
    // The line style of the lines that follow, for the outputs that keep one instead of taking
    // it from each line's pen (PiCTeX); forceSolid ends a patterned run.
    void LineStyle(int style, bool forceSolid);
    // A comment in the outputs that take comments (EPS, PiCTeX).
    void Comment(std::string_view text);

    // --- lines ---
    // A world segment; with clip first clipped to the view widened by a pixel.
    void Segment(WorldPoint p, WorldPoint q, bool clip);
    // A segment between two pixels of the client area.
    void ScreenSegment(QPoint a, QPoint b);
    // A curve point by point in the current pen: BeginCurve, CurvePoint for each point,
    // BreakCurve where the curve leaves the view or fails (the next point starts a new piece),
    // EndCurve. The device draws each piece as a polyline; PiCTeX writes one plot per piece;
    // SVG and EPS buffer up to `capacity` points and write whole polylines. A pen change in a
    // curve goes on from the last point in the new pen. Points are not clipped.
    void BeginCurve(std::size_t capacity = ExportPath::kCapacity);
    void CurvePoint(WorldPoint p);
    void BreakCurve();
    void EndCurve();
    // A whole polyline as one curve.
    void Polyline(std::span<const WorldPoint> points);
    // The pieces of a polyline chosen by break marks and a mode (SegmentParity, ChosenRuns):
    // marked runs solid and, with mode 1, every other segment of an unmarked run.
    void PolylineByParity(std::span<const WorldPoint> points, std::span<const std::uint8_t> marks,
                          int mode);

    // --- areas ---
    // A closed polygon of world corners, filled with `fill` (hollow without) and outlined in
    // the pen (unless it is the null pen). PiCTeX shades a filled polygon that is monotone in
    // x or y and strokes a hollow one.
    void Polygon(std::span<const WorldPoint> corners, std::optional<QColor> fill);
    // A rectangle of client pixels filled in one colour, without outline (a text's background).
    void FilledBox(const platform::PixelRect& rect, const QColor& colour);

    // --- marks ---
    // An arrowhead `length` world x units long at tip, pointing along direction.
    void ArrowHead(WorldPoint tip, WorldPoint direction, long double length, bool solid);
    // A point marker of kind 0-13 (FindMarkerShape) and size r pixels at a pixel; any other
    // kind draws a dot.
    void Marker(QPoint p, int kind, int r);
    // A single dot of the pen's colour.
    void Dot(QPoint p);

    // --- texts ---
    // A text from pixel p in the device's current font and text colour, with the alignment
    // h (1 left, 0 centre, -1 right) and v (-1 top, 0 centre, 1 bottom). fontIndex names the
    // window font (0-9) the SVG and EPS outputs set it in, texAnchor the PiCTeX placement at
    // the text's pixel ("[lt]" ...).
    void Text(QPoint p, const QString& text, int fontIndex, int h, int v,
              std::string_view texAnchor);
    // The same in a font of its own (a text overlay's) and a PiCTeX placement of its own.
    void Text(QPoint p, const QString& text, const ExportFont& font, int h, int v,
              const TexPlacement& tex);
    // The pixels a Text from p with that alignment covers on the device, in the device's
    // current font (the bounding box when the font is turned).
    platform::PixelRect TextBox(QPoint p, const QString& text, int h, int v) const;

    // The rectangle of the drawing area outlined in the pen's colour (the image frame).
    void ImageFrame();

private:
    template <class Draw>
    void Export(Draw&& draw) {
        if (exports_) exports_->Dispatch(draw);
    }
    QPoint DevicePoint(WorldPoint p) const;
    // Draws the device's part of the open curve piece; with carryOn the piece goes on from its
    // last point.
    void DrawCurvePiece(bool carryOn);

    platform::DeviceContext& dc_;
    const TViewFrame& frame_;
    TExportState* exports_;
    PenSpec pen_;
    bool curveOpen_ = false;
    std::vector<QPoint> piece_;  // device pixels of the open curve piece
};

// The screen rectangle of a text of the given pixel extent anchored at a point: centred on it,
// above it or below it (kAnchor...).
platform::PixelRect LayoutTextBox(QPoint anchor, QSize extent, int anchorCode);

}  // namespace quorlin::canvas
