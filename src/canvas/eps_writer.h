#pragma once
// The EPS writer: what a graphing window draws, as Encapsulated PostScript, one file per frame.
//
// PrepareEpsExport asks for the file name and, for an animation, the frame count and the
// parameters to move; PreparePage then sizes the page from the client area and builds the
// header. WriteEpsFrame writes one file (header, the repaint through the window's
// PaintEpsFrame, "%%EOF"). The hooks take world points, map them with ToExportCoords and then
// to points on the page.
#include "canvas/export_context.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorlin::canvas {

class EpsWriter {
public:
    explicit EpsWriter(ExportContext& context);

    // The text of the "%%CreationDate" line; by default today's date in the user's long format.
    void SetDateSource(std::function<QString()> source);

    std::string creatorText = "Tolvex 2D plotter";
    std::string parameterNames;

    // File name, frame count (askFrames = 1 asks; a proposal below 1 keeps the current count)
    // and parameters; then PreparePage. False when cancelled or refused.
    bool PrepareEpsExport(int askFrames, int frameCountProposal);
    // Page size, scales, dash patterns and header for the current view and frame count; a
    // drawing area below 2 x 2 pixels is refused with a message.
    bool PreparePage();
    const std::string& Header() const { return header_; }
    // The chosen path without its ".eps"; frame files add their number and ".eps".
    const QString& BaseName() const { return baseName_; }
    void SetBaseName(const QString& baseName) { baseName_ = baseName; }
    QString FramePath(int frame) const;
    bool WriteEpsFrame(int frame);
    // Writes the trailer and closes the file; true when it was written whole.
    bool EpsEnd();

    long double PageWidth() const { return pageWidth_; }
    long double PageHeight() const { return pageHeight_; }
    const std::string& DashPattern(int style) const;

    // Hooks.
    void EpsSegment(WorldPoint p, WorldPoint q, const PenSpec& pen);
    void EpsSegmentScreen(ScreenPoint p, ScreenPoint q, const PenSpec& pen);
    void EpsPath(std::span<const WorldPoint> points, bool close);
    void EpsPathByTemplate(std::span<const WorldPoint> points, std::string_view pieceTemplate);
    void EpsStrokePolyline(std::span<const WorldPoint> points, QRgb colour, int width);
    void EpsStrokeByTemplate(std::span<const WorldPoint> points, QRgb colour, int width,
                             std::string_view pieceTemplate);
    void EpsPolylineByParity(std::span<const WorldPoint> points,
                             std::span<const std::uint8_t> marks, const PenSpec& pen, int mode);
    // A circle: a missing fill leaves the outline, a missing outline the disc; fill mode 0
    // fills solid, above 0 with dots.
    void EpsCircle(WorldPoint centre, long double radius, int width, std::optional<QRgb> fill,
                   std::optional<QRgb> outline, int fillMode);
    void EpsDot(ScreenPoint centre, int radius, int width, std::optional<QRgb> fill,
                std::optional<QRgb> outline, int fillMode);
    void EpsFill(std::span<const WorldPoint> points, bool patterned, QRgb fill, int outlineWidth,
                 QRgb outline, bool noFill);
    // Rectangle from top-left a to bottom-right b with rounded corners of the given radius.
    void EpsRoundRect(WorldPoint a, WorldPoint b, bool patterned, QRgb fill, int outlineWidth,
                      QRgb outline, long double radius, int fillMode);
    void EpsRoundRectScreen(int x, int y, int width, int height, bool patterned, QRgb fill,
                            int outlineWidth, QRgb outline, long double radius, int fillMode);
    void EpsMarker(WorldPoint p, int kind, int size, QRgb colour);
    // A text drawn from p with the given alignment (h = 1 left, v = -1 top).
    void EpsText(ScreenPoint p, std::string_view text, QRgb colour, const ExportFont& font, int h,
                 int v);
    // "% text": a comment line in the file.
    void EpsComment(std::string_view text);

private:
    std::string Coord(long double v) const;
    std::string PagePoint(WorldPoint p) const;  // "X Y" on the page
    std::string PathText(std::span<const WorldPoint> points, bool close) const;
    std::string TemplatePathText(std::span<const WorldPoint> points,
                                 std::string_view pieceTemplate) const;
    std::string CircleLine(WorldPoint centre, long double radius) const;
    void CircleOutline(WorldPoint centre, long double radius, int width, QRgb colour);
    void DiscFilled(WorldPoint centre, long double radius, QRgb colour, int fillMode);
    void DiscFilledOutlined(WorldPoint centre, long double radius, int width, QRgb fill,
                            QRgb outline, int fillMode);
    void CircleFillComment();
    void DottedDisc(WorldPoint centre, long double radius, QRgb colour);
    void DottedRect(WorldPoint a, WorldPoint b, QRgb colour);
    void MakeDashPatterns();

    ExportContext& ctx_;
    std::function<QString()> dateSource_;
    std::string header_;
    QString baseName_;
    std::array<std::string, 5> dashes_;
    int dotsPerInch_ = 96;
    long double pointsPerPixel_ = 0.75L;
    long double pageWidth_ = 0;
    long double pageHeight_ = 0;
    long double xScale_ = 1;
    long double yScale_ = 1;
};

}  // namespace quorlin::canvas
