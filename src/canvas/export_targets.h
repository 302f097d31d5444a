#pragma once
// The writer end of the one drawing path: what each kind of export output makes of a drawing.
//
// The canvas primitives describe every drawing once, in all the forms the writers take (world
// points, client pixels, pen, font, PiCTeX placement), and TExportState hands it to the target
// of each output that runs. An ExportTarget adapts one writer: PiCTeX, SVG and EPS here; a
// drawing a target has no form for is left out of that output (the defaults do nothing).
#include "canvas/export_path.h"
#include "canvas/export_view.h"
#include "canvas/pictex_writer.h"

#include <QRgb>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace quorlin::canvas {

class SvgWriter;
class EpsWriter;

// A text as every output places it: the client pixel it is drawn from with its alignment
// (h = 1 left, 0 centre, -1 right; v = -1 top, 0 centre, 1 bottom), and the world point,
// anchor and math form PiCTeX sets it with.
struct ExportTextItem {
    ScreenPoint pixel;
    std::string_view text;  // the program's 8-bit text
    QRgb colour = 0;
    const ExportFont* font = nullptr;
    int h = 1;
    int v = -1;
    WorldPoint texAt;
    std::string_view texAnchor;
    TexMath texMath = TexMath::None;
};

// An arrowhead: its tip, the two other corners, the head's axis (from the middle of its base
// to the tip) and its length in world x units.
struct ExportArrowHead {
    WorldPoint tip;
    WorldPoint left;
    WorldPoint right;
    WorldPoint axis;
    long double length = 0;
    bool solid = false;
};

class ExportTarget {
public:
    virtual ~ExportTarget() = default;

    virtual void Segment(WorldPoint, WorldPoint, const PenSpec&) {}
    // A segment between client pixels; world holds its ends in world coordinates.
    virtual void ScreenSegment(ScreenPoint, ScreenPoint, std::span<const WorldPoint, 2>,
                               const PenSpec&) {}
    // The line style of the lines that follow, for outputs that keep one (PiCTeX).
    virtual void LineStyle(int /*style*/, bool /*forceSolid*/) {}
    virtual void ArrowHead(const ExportArrowHead&, const PenSpec&) {}
    virtual void Marker(ScreenPoint, WorldPoint, int /*kind*/, int /*size*/, QRgb) {}
    virtual void Dot(ScreenPoint, WorldPoint, QRgb) {}
    virtual void Text(const ExportTextItem&) {}
    // A closed polygon, filled when fill is given, outlined in the pen unless it is the null
    // pen.
    virtual void Polygon(std::span<const WorldPoint>, std::optional<QRgb> /*fill*/,
                         const PenSpec&) {}
    // A rectangle of client pixels filled in one colour, without outline.
    virtual void FilledBox(ScreenPoint /*topLeft*/, int /*width*/, int /*height*/, QRgb) {}
    // The frame around the image: the drawing area's corners, the first repeated at the end.
    virtual void ImageFrame(std::span<const WorldPoint, 5>, const PenSpec&) {}
    virtual void Background() {}
    virtual void Comment(std::string_view) {}
    // A curve point by point (Begin, Point..., Break between pieces, End).
    virtual void CurveBegin(std::size_t /*capacity*/) {}
    virtual void CurvePoint(WorldPoint, const PenSpec&) {}
    virtual void CurveBreak() {}
    virtual void CurveEnd() {}
    // A polyline whose pieces are chosen by break marks and a mode (SegmentParity).
    virtual void PolylineByParity(std::span<const WorldPoint>, std::span<const std::uint8_t>,
                                  const PenSpec&, int /*mode*/) {}
};

std::unique_ptr<ExportTarget> MakePictexTarget(PictexWriter& writer);
std::unique_ptr<ExportTarget> MakeSvgTarget(SvgWriter& writer, const ExportView& view);
std::unique_ptr<ExportTarget> MakeEpsTarget(EpsWriter& writer, const ExportView& view);

}  // namespace quorlin::canvas
