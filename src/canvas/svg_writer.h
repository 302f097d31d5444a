#pragma once
// The SVG writer: one repaint of a graphing window as an SVG 1.1 document in client pixels.
//
// BeginSvgExport asks for the file and the picture size and writes the header; the export
// command then sets the SVG flag and repaints, and every primitive calls the hooks below;
// SvgEnd closes the document. Hooks that take world points map them to pixels through the
// view; user texts are escaped so the file is always well-formed XML.
#include "canvas/export_context.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorlin::canvas {

class SvgWriter {
public:
    static constexpr int kPatternLimit = 999;

    explicit SvgWriter(ExportContext& context) : ctx_(context) {}

    // File dialog, overwrite question and size dialog, then the file and its header.
    bool BeginSvgExport();
    // Opens path and writes the header for a picture of width x height pixels.
    bool BeginSvgFile(const QString& path, int width, int height);
    // Closes the document; true when the file was written whole.
    bool SvgEnd();

    void SvgLine(int x1, int y1, int x2, int y2, const PenSpec& pen);
    void SvgLineScreen(ScreenPoint p, ScreenPoint q, const PenSpec& pen);
    void SvgSegment(WorldPoint p, WorldPoint q, const PenSpec& pen);
    // A polyline; with a template, the points whose letter is "M" start a new piece.
    void SvgPath(std::span<const ScreenPoint> points, QRgb colour, int width,
                 std::string_view pieceTemplate = {});
    void SvgPolyline(std::span<const WorldPoint> points, QRgb colour, int width);
    void SvgPolylineByParity(std::span<const WorldPoint> points,
                             std::span<const std::uint8_t> marks, const PenSpec& pen, int mode);
    void SvgEllipse(ScreenPoint centre, int radius, QRgb fill, QRgb stroke);
    // A circle; a missing stroke or fill colour leaves that part out.
    void SvgCircle(ScreenPoint centre, int radius, std::optional<QRgb> stroke, int strokeWidth,
                   std::optional<QRgb> fill, int pattern);
    void SvgPolygon(std::span<const ScreenPoint> points, bool hollow, QRgb fill, int width,
                    QRgb stroke, int pattern);
    void SvgPolygonWorld(std::span<const WorldPoint> points, bool hollow, QRgb fill, int width,
                         QRgb stroke, int pattern);
    void SvgRect(int x, int y, int width, int height, bool hollow, QRgb fill, int lineWidth,
                 QRgb stroke, int rx = 0, int ry = 0, int pattern = 0);
    void SvgMarker(ScreenPoint p, int kind, int r, QRgb colour);
    void SvgMarkerAt(WorldPoint p, int kind, int r, QRgb colour);
    // A text drawn from p with the given alignment (h = 1 left, v = -1 top).
    void SvgText(ScreenPoint p, std::string_view text, QRgb colour, const ExportFont& font, int h,
                 int v);

    int PatternCount() const { return patterns_; }

private:
    void Element(std::string text);
    // Writes the definition of fill pattern `pattern` and returns the fill that refers to it;
    // the plain fill when no more patterns may be written.
    std::string FillPattern(const std::string& fill, int pattern, const std::string& stroke);
    std::string PointList(std::span<const ScreenPoint> points) const;

    ExportContext& ctx_;
    int patterns_ = 0;
};

}  // namespace quorlin::canvas
