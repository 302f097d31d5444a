#include "canvas/svg_writer.h"

#include "canvas/export_format.h"
#include "canvas/marker_shapes.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace quorlin::canvas {
namespace {

std::string Attr(std::string_view name, long long value) {
    return std::string(name) + "=\"" + std::to_string(value) + "\"";
}

std::string Attr(std::string_view name, std::string_view text) {
    return std::string(name) + "=\"" + std::string(text) + "\"";
}

std::string Px(int width) {
    return std::to_string(width) + "px";
}

}  // namespace

void SvgWriter::Element(std::string text) {
    text += kCrLf;
    ctx_.output.Write(text);
}

bool SvgWriter::BeginSvgExport() {
    // What the last export failed of is no reason for this one, cancelled or refused, to show.
    ctx_.failure.clear();
    const QString path = ctx_.host.ChooseSaveFile(ExportString(97, "SVG files (*.SVG)|*.svg"),
                                                  "SVG", ExportString(29, "noname") + ".svg");
    if (path.isEmpty() || !ctx_.MayReplace(path)) return false;
    SvgDialogValues size{ctx_.view.clientWidth, ctx_.view.clientHeight};
    if (!ctx_.host.RunSvgDialog(size)) return false;
    return BeginSvgFile(path, size.width, size.height);
}

bool SvgWriter::BeginSvgFile(const QString& path, int width, int height) {
    ctx_.failure.clear();
    if (!ctx_.OpenOutput(path)) return false;
    const std::string w = std::to_string(width), h = std::to_string(height);
    Element(R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>)");
    Element("<svg version=\"1.1\"");
    Element("baseProfile=\"full\"");
    Element("width=\"" + w + "\" height=\"" + h + "\"");
    // "defer" needs an alignment after it; alone it is invalid and renderers draw nothing.
    Element("viewBox=\"0 0 " + w + " " + h + "\" preserveAspectRatio=\"defer xMidYMid meet\"");
    Element(R"(xmlns="http://www.w3.org/2000/svg")");
    Element(R"(xmlns:xlink="http://www.w3.org/1999/xlink")");
    Element(R"(xmlns:ev="http://www.w3.org/2001/xml-events">)");
    Element("<title>" + XmlEscape(ctx_.svgTitle) + "</title>");
    patterns_ = 0;
    return true;
}

bool SvgWriter::SvgEnd() {
    Element("</svg>");
    return ctx_.CloseOutput();
}

void SvgWriter::SvgLine(int x1, int y1, int x2, int y2, const PenSpec& pen) {
    if (pen.style < kStyleSolid) return;  // the null pen draws nothing
    std::string e = "<line " + Attr("x1", x1) + " " + Attr("y1", y1) + " " + Attr("x2", x2) + " " +
                    Attr("y2", y2) + " " + Attr("stroke", ColorToHex(pen.colour)) + " " +
                    Attr("stroke-width", Px(std::max(pen.width, 1)));
    if (pen.style != kStyleSolid) {
        const char* dashes = pen.style == kStyleDot       ? "4,4"
                             : pen.style == kStyleDash    ? "20,8"
                             : pen.style == kStyleDashDot ? "2,4,6,4"
                                                          : "3,3,10,3,3,3";
        e += " " + Attr("stroke-dasharray", dashes);
    }
    Element(e + " />");
}

void SvgWriter::SvgLineScreen(ScreenPoint p, ScreenPoint q, const PenSpec& pen) {
    SvgLine(p.x, p.y, q.x, q.y, pen);
}

void SvgWriter::SvgSegment(WorldPoint p, WorldPoint q, const PenSpec& pen) {
    ScreenPoint a, b;
    ctx_.view.PointToScreen(p, a);
    ctx_.view.PointToScreen(q, b);
    SvgLine(a.x, a.y, b.x, b.y, pen);
}

void SvgWriter::SvgPath(std::span<const ScreenPoint> points, QRgb colour, int width,
                        std::string_view pieceTemplate) {
    if (points.size() < 2) return;
    std::string d;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool move =
            pieceTemplate.empty() ? i == 0 : i < pieceTemplate.size() && pieceTemplate[i] == 'M';
        if (move) d += i == 0 ? "M" : " M";
        d += " " + std::to_string(points[i].x) + " " + std::to_string(points[i].y);
        if (move) d += " L";
    }
    Element("<path " + Attr("d", d) + " " + Attr("fill", "none") + " " +
            Attr("stroke", ColorToHex(colour)) + " " + Attr("stroke-width", Px(width)) + " />");
}

void SvgWriter::SvgPolyline(std::span<const WorldPoint> points, QRgb colour, int width) {
    std::vector<ScreenPoint> pixels(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) ctx_.view.PointToScreen(points[i], pixels[i]);
    SvgPath(pixels, colour, width);
}

void SvgWriter::SvgPolylineByParity(std::span<const WorldPoint> points,
                                    std::span<const std::uint8_t> marks, const PenSpec& pen,
                                    int mode) {
    if (points.size() < 2 || marks.size() < points.size()) return;
    auto pixel = [this](WorldPoint p) {
        ScreenPoint s;
        ctx_.view.PointToScreen(p, s);
        return " " + std::to_string(s.x) + " " + std::to_string(s.y);
    };
    std::string d;
    for (const PointRun& run : ChosenRuns(points.size(), marks, mode)) {
        d += " M" + pixel(points[run.first]) + " L";
        for (std::size_t i = run.first + 1; i <= run.last; ++i) d += pixel(points[i]);
    }
    Element("<path " + Attr("d", d) + " " + Attr("fill", "none") + " " +
            Attr("stroke", ColorToHex(pen.colour)) + " " + Attr("stroke-width", Px(pen.width)) +
            " />");
}

void SvgWriter::SvgEllipse(ScreenPoint centre, int radius, QRgb fill, QRgb stroke) {
    Element("<ellipse " + Attr("cx", centre.x) + " " + Attr("cy", centre.y) + " " +
            Attr("rx", radius) + " " + Attr("ry", radius) + " " + Attr("fill", ColorToHex(fill)) +
            " " + Attr("stroke", ColorToHex(stroke)) + " " + Attr("stroke-width", "1px") + " />");
}

void SvgWriter::SvgCircle(ScreenPoint centre, int radius, std::optional<QRgb> stroke,
                          int strokeWidth, std::optional<QRgb> fill, int pattern) {
    if (!stroke && !fill) return;
    const std::string strokeText = stroke ? ColorToHex(*stroke) : "none";
    std::string fillText = fill ? ColorToHex(*fill) : "none";
    if (fill && pattern > 0) fillText = FillPattern(fillText, pattern, strokeText);
    Element("<circle " + Attr("cx", centre.x) + " " + Attr("cy", centre.y) + " " +
            Attr("r", radius) + " " + Attr("fill", fillText) + " " + Attr("stroke", strokeText) +
            " " + Attr("stroke-width", Px(std::max(strokeWidth, 1))) + " />");
}

std::string SvgWriter::PointList(std::span<const ScreenPoint> points) const {
    std::string list;
    for (const ScreenPoint& p : points) {
        if (!list.empty()) list += ' ';
        list += std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return list;
}

void SvgWriter::SvgPolygon(std::span<const ScreenPoint> points, bool hollow, QRgb fill, int width,
                           QRgb stroke, int pattern) {
    if (hollow && width < 0) return;
    const std::string strokeText = ColorToHex(width < 0 ? fill : stroke);
    std::string fillText = hollow ? "none" : ColorToHex(fill);
    if (!hollow && pattern > 0) fillText = FillPattern(fillText, pattern, strokeText);
    const int shownWidth = width <= 0 ? 1 : width;
    Element("<polygon " + Attr("fill", fillText) + " " + Attr("stroke", strokeText) + " " +
            Attr("stroke-width", Px(shownWidth)) + " " + Attr("points", PointList(points)) + " />");
}

void SvgWriter::SvgPolygonWorld(std::span<const WorldPoint> points, bool hollow, QRgb fill,
                                int width, QRgb stroke, int pattern) {
    std::vector<ScreenPoint> pixels(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) ctx_.view.PointToScreen(points[i], pixels[i]);
    SvgPolygon(pixels, hollow, fill, width, stroke, pattern);
}

void SvgWriter::SvgRect(int x, int y, int width, int height, bool hollow, QRgb fill, int lineWidth,
                        QRgb stroke, int rx, int ry, int pattern) {
    if (hollow && lineWidth < 0) return;
    std::string fillText = hollow ? "none" : ColorToHex(fill);
    const std::string strokeText = lineWidth < 0 ? fillText : ColorToHex(stroke);
    if (!hollow && pattern > 0) fillText = FillPattern(fillText, pattern, strokeText);
    const std::string strokeShown = lineWidth < 0 ? fillText : strokeText;
    std::string e = "<rect " + Attr("x", x) + " " + Attr("y", y) + " " +
                    Attr("width", std::abs(width)) + " " + Attr("height", std::abs(height)) + " " +
                    Attr("fill", fillText) + " " + Attr("stroke", strokeShown) + " " +
                    Attr("stroke-width", Px(std::abs(lineWidth)));
    if (rx > 0) e += " " + Attr("rx", rx) + " " + Attr("ry", ry);
    Element(e + " />");
}

std::string SvgWriter::FillPattern(const std::string& fill, int pattern,
                                   const std::string& stroke) {
    if (patterns_ >= kPatternLimit) return fill;
    const std::string id = "fpat" + PaddedFrameNumber(patterns_, 3);
    const int cell = (pattern < 5 && pattern != 2) ? 10 : 8;
    std::vector<const char*> paths;
    switch (pattern) {
        case 1:
            paths = {"M0,10 l10,-10"};
            break;
        case 2:
            paths = {"M0,4 l8,0", "M4,0 l0,8"};
            break;
        case 3:
            paths = {"M0,10 l10,-10", "M0,0 l10,10"};
            break;
        case 4:
            paths = {"M0,0 l10,10"};
            break;
        case 5:
            paths = {"M0,4 l8,0"};
            break;
        default:
            paths = {"M4,0 l0,8"};
            break;
    }
    std::string group =
        "<g " + Attr("style", "fill:" + fill + "; stroke:" + stroke + "; stroke-width:1px") + "> ";
    for (const char* d : paths) group += "<path " + Attr("d", d) + "/>";
    group += "</g>";
    Element("<defs>");
    Element("<pattern " + Attr("id", id) + " " + Attr("patternUnits", "userSpaceOnUse") + " " +
            Attr("x", 0) + " " + Attr("y", 0) + " " + Attr("width", cell) + " " +
            Attr("height", cell) + ">");
    Element(group);
    Element("</pattern>");
    Element("</defs>");
    ++patterns_;
    return "url(#" + id + ")";
}

void SvgWriter::SvgMarker(ScreenPoint p, int kind, int r, QRgb c) {
    const MarkerShape* shape = FindMarkerShape(kind);
    if (!shape) return;
    auto at = [&](MarkerStep s) { return ScreenPoint{p.x + s.dx * r, p.y + s.dy * r}; };
    switch (shape->body) {
        case MarkerBody::Square:
            SvgRect(p.x - r, p.y - r, 2 * r, 2 * r, false, c, 1, c);
            break;
        case MarkerBody::Disc:
            SvgEllipse(p, r, c, c);
            break;
        case MarkerBody::Triangle: {
            std::array<ScreenPoint, 3> corners;
            std::ranges::transform(shape->triangle, corners.begin(), at);
            SvgPolygon(corners, false, c, 1, c, 0);
            break;
        }
        case MarkerBody::None:
            break;
    }
    if (!shape->pieces.empty()) {
        std::vector<ScreenPoint> points;
        std::ranges::transform(shape->StrokePoints(), std::back_inserter(points), at);
        SvgPath(points, c, 1, shape->pieces);
    }
    if (shape->square) SvgRect(p.x - r, p.y - r, 2 * r, 2 * r, true, c, 1, c);
    if (shape->crossHair) {
        const std::array<ScreenPoint, 4> lines{
            {{p.x, 0}, {p.x, ctx_.view.clientHeight}, {0, p.y}, {ctx_.view.clientWidth, p.y}}};
        SvgPath(lines, c, 1, "MLML");
    }
}

void SvgWriter::SvgMarkerAt(WorldPoint p, int kind, int r, QRgb colour) {
    ScreenPoint s;
    if (ctx_.view.PointToScreen(p, s)) SvgMarker(s, kind, r, colour);
}

void SvgWriter::SvgText(ScreenPoint p, std::string_view text, QRgb colour, const ExportFont& font,
                        int h, int v) {
    const QSize extent = ctx_.host.TextExtent(text, font);
    const ScreenPoint start =
        TextAnchorPoint(p, extent.width(), extent.height(), font.escapement, h, v);
    const bool rotated = font.escapement != 0;
    if (rotated)
        Element("<g transform=\"translate(" + std::to_string(start.x) + "," +
                std::to_string(start.y) + ") rotate(" + std::to_string(-(font.escapement / 10)) +
                ")\">");
    std::string e =
        "<text " + Attr("x", rotated ? 0 : start.x) + " " + Attr("y", rotated ? 0 : start.y) + " " +
        Attr("font-family", XmlEscape(font.face)) + " " +
        Attr("font-size", font.pointSize * 4 / 3) + " " + Attr("font-weight", font.weight);
    if (font.italic) e += " " + Attr("font-style", "italic");
    e += " " + Attr("fill", ColorToHex(colour)) + " " + Attr("text-anchor", "start") + "> " +
         XmlEscape(text) + " </text>";
    Element(e);
    if (rotated) Element("</g>");
}

}  // namespace quorlin::canvas
