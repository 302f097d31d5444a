#pragma once
// The drawing primitives of a graphing window on one device context: segments, arrowheads,
// point markers, texts and the image frame, each drawn on the device and, while an export
// runs, handed to every active writer (PiCTeX and EPS in world coordinates, SVG in pixels).
//
// A TCanvasPrimitives is made for one drawing pass; it holds the pen it last selected so that
// the hooks write the same colour, width and style that the device draws with.
#include <QColor>
#include <QPoint>
#include <QString>
#include <span>
#include <string_view>

#include "canvas/export_state.h"
#include "canvas/view_frame.h"
#include "platform/device_context.h"

namespace quorlin::canvas {

// Anchor codes of a text box: centred on the point, above it or below it.
inline constexpr int kAnchorCentre = 0;
inline constexpr int kAnchorAbove = 2;
inline constexpr int kAnchorBelow = -2;

class TCanvasPrimitives {
public:
    // exports may be null (no export state, as in a plain picture).
    TCanvasPrimitives(platform::DeviceContext& dc, const TViewFrame& frame, TExportState* exports);

    platform::DeviceContext& Dc() { return dc_; }
    const TViewFrame& Frame() const { return frame_; }
    TExportState* Exports() const { return exports_; }

    // Selects the pen on the device and for the hooks (colour as drawn, width in device pixels,
    // style code -1 none, 0 solid, 1 dot, 2 dash, 3 dash-dot, 4 dash-dot-dot).
    void SetPen(const QColor& colour, int width, int style);
    const PenSpec& Pen() const { return pen_; }

    // A world segment; with clip first clipped to the view widened by a pixel.
    void Segment(WorldPoint p, WorldPoint q, bool clip);
    // A segment between two pixels of the client area.
    void ScreenSegment(QPoint a, QPoint b);
    // An arrowhead `length` world x units long at tip, pointing along direction.
    void ArrowHead(WorldPoint tip, WorldPoint direction, long double length, bool solid);
    // A point marker of kind 0-13 (FindMarkerShape) and size r pixels at a pixel; any other
    // kind draws a dot.
    void Marker(QPoint p, int kind, int r);
    // A single dot of the pen's colour.
    void Dot(QPoint p);
    // A text from pixel p in the device's current font and text colour, with the alignment
    // h (1 left, 0 centre, -1 right) and v (-1 top, 0 centre, 1 bottom); fontIndex names the
    // window font for the SVG and EPS writers, texAnchor the PiCTeX placement ("[lt]" ...).
    void Text(QPoint p, const QString& text, int fontIndex, int h, int v,
              std::string_view texAnchor);
    // The rectangle of the drawing area outlined in the pen's colour (the image frame).
    void ImageFrame();

private:
    bool Tex() const { return exports_ && exports_->texActive; }
    bool Svg() const { return exports_ && exports_->svgActive; }
    bool Eps() const { return exports_ && exports_->epsActive; }
    QPointF DevicePoint(WorldPoint p) const;

    platform::DeviceContext& dc_;
    const TViewFrame& frame_;
    TExportState* exports_;
    PenSpec pen_;
};

// The screen rectangle of a text of the given pixel extent anchored at a point: centred on it,
// above it or below it (kAnchor...).
platform::PixelRect LayoutTextBox(QPoint anchor, QSize extent, int anchorCode);

}  // namespace quorlin::canvas
