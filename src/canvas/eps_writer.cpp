#include "canvas/eps_writer.h"

#include "canvas/export_format.h"
#include "canvas/marker_shapes.h"
#include "canvas/view_frame.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace quorlin::canvas {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += kCrLf;
    }
    return text;
}

std::string LineWidth(int width) {
    return FormatLf(0.16L * width, 4, 2) + " setlinewidth";
}

std::string RgbLine(QRgb colour) {
    return EpsColorString(colour) + " setrgbcolor";
}

// A font name PostScript can parse: blanks as hyphens, delimiters and 8-bit bytes replaced.
std::string PostScriptFontName(std::string_view face) {
    std::string name = BlanksToHyphens(face);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 32 || byte > 126 ||
            std::string_view("()<>[]{}/%").find(c) != std::string_view::npos)
            c = '-';
    }
    return name.empty() ? std::string("Helvetica") : name;
}

// The texts are Windows-1252: Latin-1 above 0x9f, while 0x80-0x9f hold the dashes, curly
// quotes and the euro where Latin-1 has control codes and PostScript's Latin-1 vector accents.
constexpr std::string_view kWindowsEncoding =
    "ISOLatin1Encoding 256 array copy dup 128 [/Euro /.notdef /quotesinglbase /florin "
    "/quotedblbase /ellipsis /dagger /daggerdbl /circumflex /perthousand /Scaron /guilsinglleft "
    "/OE /.notdef /Zcaron /.notdef /.notdef /quoteleft /quoteright /quotedblleft /quotedblright "
    "/bullet /endash /emdash /tilde /trademark /scaron /guilsinglright /oe /.notdef /zcaron "
    "/Ydieresis] putinterval";

// The commands that show a text from the current point: π (kPiByte) as the Symbol font's "p",
// which every PostScript interpreter has, the runs between in the text's own font (`font`
// leaves it on the stack).
std::string ShowCommands(std::string_view text, const std::string& font, int pointSize) {
    const char pi = static_cast<char>(kPiByte);
    if (text.find(pi) == std::string_view::npos) return "(" + PostScriptStringBody(text) + ") show";
    const std::string scaled = " " + std::to_string(pointSize) + " scalefont setfont ";
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(pi, start);
        const std::string_view run =
            text.substr(start, at == std::string_view::npos ? at : at - start);
        if (!run.empty()) out += font + scaled + "(" + PostScriptStringBody(run) + ") show ";
        if (at == std::string_view::npos) break;
        out += "/Symbol findfont" + scaled + "(p) show ";
        start = at + 1;
    }
    out.pop_back();
    return out;
}

bool HasHighBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 127; });
}

QString LongDateToday() {
    return QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
}

}  // namespace

EpsWriter::EpsWriter(ExportContext& context) : ctx_(context), dateSource_(LongDateToday) {
    MakeDashPatterns();
}

void EpsWriter::SetDateSource(std::function<QString()> source) {
    dateSource_ = source ? std::move(source) : std::function<QString()>(LongDateToday);
}

const std::string& EpsWriter::DashPattern(int style) const {
    return dashes_[static_cast<std::size_t>(std::clamp(style, 0, 4))];
}

bool EpsWriter::PrepareEpsExport(int askFrames, int frameCountProposal) {
    const QString path = ctx_.host.ChooseSaveFile(ExportString(96, "EPS files (*.EPS)|*.eps"),
                                                  "EPS", ExportString(29, "noname") + ".eps");
    if (path.isEmpty()) return false;

    int count = 1;
    ctx_.animationMode = 0;
    if (askFrames != 0) {
        const int proposal = frameCountProposal < 1 ? ctx_.epsFrameCount : frameCountProposal;
        const auto asked = ctx_.host.InputInt(5, 61, 1, 999999, proposal);
        if (!asked) return false;
        count = *asked;
    }
    if (count > 1 && askFrames == 1) {
        const auto names = ctx_.host.InputString(5, 60, parameterNames, 40);
        if (!names) return false;
        const int mode = ctx_.host.MarkParameters(*names);
        if (mode == 0) return false;
        ctx_.animationMode = mode;
        parameterNames = names->substr(0, 40);
    }
    ctx_.epsFrameCount = count;
    baseName_ = StripExportSuffix(path, u".eps");
    ctx_.frameDigits = FrameDigits(count);
    return PreparePage();
}

void EpsWriter::MakeDashPatterns() {
    dotsPerInch_ = ctx_.view.dotsPerInch > 0 ? ctx_.view.dotsPerInch : 96;
    pointsPerPixel_ = 72.0L / dotsPerInch_;
    auto unit = [this](long double f) {
        return std::max(static_cast<int>(f * pointsPerPixel_), 2);
    };
    const int a = unit(4.3L), b = unit(7.8L), c = unit(2.5L), d = unit(3.7L);
    dashes_ = {"[] 0 setdash", Format("[%d %d] 0 setdash", a, a),
               Format("[%d %d] 0 setdash", 3 * b, b),
               Format("[%d %d %d %d] 0 setdash", c, 2 * c, 3 * c, 2 * c),
               Format("[%d %d %d %d %d %d] 0 setdash", d, d, 3 * d, d, d, d)};
}

bool EpsWriter::PreparePage() {
    const ExportView& v = ctx_.view;
    if (v.clientWidth < 2 || v.clientHeight < 2) {
        ctx_.host.ShowError(ExportString(417, "out of bounds") + QStringLiteral(": ") +
                            QStringLiteral("the drawing area is smaller than 2 x 2 pixels"));
        return false;
    }
    ctx_.failure.clear();
    ctx_.FitBoxToView();
    MakeDashPatterns();
    pageWidth_ = 72.0L * (v.clientWidth - 1) / dotsPerInch_;
    pageHeight_ = (v.clientHeight - 1) * pageWidth_ / (v.clientWidth - 1);
    pageWidth_ = std::ceil(pageWidth_);
    pageHeight_ = std::ceil(pageHeight_);
    const bool frames = ctx_.epsFrameCount > 1;
    xScale_ = 0.5L * pageWidth_ / (frames ? ctx_.boxHalfWidth : v.halfWidth);
    yScale_ = 0.5L * pageHeight_ / (frames ? ctx_.boxHalfHeight : v.halfHeight);

    auto dsc = [](const QString& text) { return PostScriptStringBody(ToLatin1(text)); };
    header_ = Lines({"%!PS-Adobe-3.0 EPSF-3.0",
                     Format("%%%%BoundingBox: 0 0 %d %d", static_cast<int>(pageWidth_),
                            static_cast<int>(pageHeight_)),
                     "%%Creator: (" + PostScriptStringBody(creatorText) + ")",
                     "%%Title: (" + PostScriptStringBody(FileNamePart(v.fileName)) + ")",
                     "%%CreationDate:(" + dsc(dateSource_()) + ")", "%%Pages: 1", "%%Page: 1 1",
                     "0.16 setlinewidth"});
    return true;
}

QString EpsWriter::FramePath(int frame) const {
    return FrameFilePath(baseName_, frame, ctx_.epsFrameCount, ctx_.frameDigits, u".eps");
}

bool EpsWriter::WriteEpsFrame(int frame) {
    const QString path = FramePath(frame);
    if (!ctx_.MayReplace(path) || !ctx_.OpenOutput(path)) return false;
    ctx_.output.Write(header_);
    ctx_.host.PaintEpsFrame(frame);
    return EpsEnd();
}

bool EpsWriter::EpsEnd() {
    ctx_.output.Write("%%EOF\r\n");
    return ctx_.CloseOutput();
}

std::string EpsWriter::Coord(long double v) const {
    return FormatLf(v, 5, 3);
}

std::string EpsWriter::PagePoint(WorldPoint p) const {
    const WorldPoint e = ctx_.ToExportCoords(p);
    if (ctx_.MultiFrameExport())
        return Coord((e.x + ctx_.boxHalfWidth) * xScale_) + " " +
               Coord((e.y + ctx_.boxHalfHeight) * yScale_);
    return Coord((e.x - ctx_.view.xLow) * xScale_) + " " + Coord((e.y - ctx_.view.yLow) * yScale_);
}

void EpsWriter::EpsSegment(WorldPoint p, WorldPoint q, const PenSpec& pen) {
    if (pen.style < kStyleSolid || pen.style > kStyleDashDotDot) return;
    ctx_.output.Write(
        Lines({RgbLine(pen.colour), LineWidth(pen.width), DashPattern(pen.style), "newpath",
               PagePoint(p) + " moveto", PagePoint(q) + " lineto", "stroke"}));
}

void EpsWriter::EpsSegmentScreen(ScreenPoint p, ScreenPoint q, const PenSpec& pen) {
    EpsSegment(ctx_.view.ScreenToWorld(p), ctx_.view.ScreenToWorld(q), pen);
}

std::string EpsWriter::PathText(std::span<const WorldPoint> points, bool close) const {
    // Without a template only the first point moves.
    std::string text = TemplatePathText(points, {});
    if (close && !points.empty()) {
        text += PagePoint(points[0]) + " lineto";
        text += kCrLf;
    }
    return text;
}

std::string EpsWriter::TemplatePathText(std::span<const WorldPoint> points,
                                        std::string_view pieceTemplate) const {
    std::string text = "newpath";
    text += kCrLf;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool move = i < pieceTemplate.size() ? pieceTemplate[i] == 'M' : i == 0;
        text += PagePoint(points[i]) + (move ? " moveto" : " lineto");
        text += kCrLf;
    }
    return text;
}

void EpsWriter::EpsPath(std::span<const WorldPoint> points, bool close) {
    ctx_.output.Write(PathText(points, close));
}

void EpsWriter::EpsPathByTemplate(std::span<const WorldPoint> points,
                                  std::string_view pieceTemplate) {
    ctx_.output.Write(TemplatePathText(points, pieceTemplate));
}

void EpsWriter::EpsStrokePolyline(std::span<const WorldPoint> points, QRgb colour, int width) {
    if (points.size() < 2) return;
    ctx_.output.Write(PathText(points, false) +
                      Lines({RgbLine(colour), LineWidth(width), DashPattern(0), "stroke"}));
}

void EpsWriter::EpsStrokeByTemplate(std::span<const WorldPoint> points, QRgb colour, int width,
                                    std::string_view pieceTemplate) {
    if (points.size() < 2) return;
    ctx_.output.Write(TemplatePathText(points, pieceTemplate) +
                      Lines({RgbLine(colour), LineWidth(width), DashPattern(0), "stroke"}));
}

void EpsWriter::EpsPolylineByParity(std::span<const WorldPoint> points,
                                    std::span<const std::uint8_t> marks, const PenSpec& pen,
                                    int mode) {
    if (points.size() < 2 || marks.size() < points.size()) return;
    std::string text = "newpath";
    text += kCrLf;
    for (const PointRun& run : ChosenRuns(points.size(), marks, mode)) {
        text += PagePoint(points[run.first]) + " moveto" + std::string(kCrLf);
        for (std::size_t i = run.first + 1; i <= run.last; ++i)
            text += PagePoint(points[i]) + " lineto" + std::string(kCrLf);
    }
    ctx_.output.Write(text + Lines({LineWidth(pen.width), DashPattern(pen.style),
                                    RgbLine(pen.colour), "stroke"}));
}

std::string EpsWriter::CircleLine(WorldPoint centre, long double radius) const {
    return PagePoint(centre) + " " + Coord(radius * xScale_) + " 0 360 arc";
}

void EpsWriter::EpsCircle(WorldPoint centre, long double radius, int width,
                          std::optional<QRgb> fill, std::optional<QRgb> outline, int fillMode) {
    if (!fill && !outline) return;
    if (!fill) return CircleOutline(centre, radius, width, *outline);
    if (!outline) return DiscFilled(centre, radius, *fill, fillMode);
    DiscFilledOutlined(centre, radius, width, *fill, *outline, fillMode);
}

void EpsWriter::CircleOutline(WorldPoint centre, long double radius, int width, QRgb colour) {
    ctx_.output.Write(Lines({"newpath", CircleLine(centre, radius), LineWidth(width),
                             DashPattern(0), RgbLine(colour), "stroke"}));
}

void EpsWriter::CircleFillComment() {
    // Only a running export marks its fills (a lone hook writes just the figure).
    if (ctx_.Running(ExportKind::Eps) || ctx_.Running(ExportKind::PicTeX))
        EpsComment("begin circle fill");
}

void EpsWriter::DiscFilled(WorldPoint centre, long double radius, QRgb colour, int fillMode) {
    CircleFillComment();
    if (fillMode != 0) {
        DottedDisc(centre, radius, colour);
        ctx_.output.Write(Lines({"newpath", CircleLine(centre, radius)}));
        return;
    }
    ctx_.output.Write(Lines({"newpath", CircleLine(centre, radius), RgbLine(colour), "fill"}));
}

void EpsWriter::DiscFilledOutlined(WorldPoint centre, long double radius, int width, QRgb fill,
                                   QRgb outline, int fillMode) {
    CircleFillComment();
    if (fillMode > 0) DottedDisc(centre, radius, fill);
    std::string text = Lines({"newpath", CircleLine(centre, radius), "gsave"});
    if (fillMode == 0) text += Lines({RgbLine(fill), "fill"});
    text += Lines({"grestore", LineWidth(width), DashPattern(0), RgbLine(outline), "stroke"});
    ctx_.output.Write(text);
}

namespace {

// The steps k of the offsets s/2 + k s below `reach` whose offset lies in [low, high], in
// increasing order. The range is clipped to the view, so a shape far larger than the picture
// costs no more dots than the picture holds.
std::vector<long double> OffsetSteps(long double s, long double reach, long double low,
                                     long double high) {
    const long double first = std::max(std::ceil((low - s / 2) / s), 0.0L);
    const long double last =
        std::min(std::floor((high - s / 2) / s), std::ceil((reach - s / 2) / s) - 1);
    const long double count = last - first + 1;
    if (!(count >= 1)) return {};
    // [low, high] spans the view, a few hundred steps; the cap only guards the counting
    // against offsets too large for a step to change them.
    constexpr long double kMostSteps = 100000;
    std::vector<long double> steps(static_cast<std::size_t>(std::min(count, kMostSteps)));
    for (std::size_t i = 0; i < steps.size(); ++i) steps[i] = first + static_cast<long double>(i);
    return steps;
}

// The steps whose offset, added to or taken from `centre`, lies in [low, high].
std::vector<long double> SymmetricSteps(long double centre, long double s, long double reach,
                                        long double low, long double high) {
    std::vector<long double> steps = OffsetSteps(s, reach, low - centre, high - centre);
    const std::vector<long double> below = OffsetSteps(s, reach, centre - high, centre - low);
    steps.insert(steps.end(), below.begin(), below.end());
    std::sort(steps.begin(), steps.end());
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    return steps;
}

// The world rectangle the page shows, widened by the margin.
TLDRect VisibleWorld(const ExportContext& ctx, long double margin) {
    const ExportView& v = ctx.view;
    TLDRect r{v.xLow, v.xHigh, v.yLow, v.yHigh};
    if (ctx.MultiFrameExport() && ctx.frameScale > 0) {
        // The page shows the shared box about the view centre.
        const long double w = ctx.boxHalfWidth / ctx.frameScale;
        const long double h = ctx.boxHalfHeight / ctx.frameScale;
        r = {v.centreX - w, v.centreX + w, v.centreY - h, v.centreY + h};
    }
    return {r.xLow - margin, r.xHigh + margin, r.yLow - margin, r.yHigh + margin};
}

}  // namespace

void EpsWriter::DottedDisc(WorldPoint centre, long double radius, QRgb colour) {
    const long double u = ctx_.view.unitsPerPixelX;
    if (!(u > 0)) return;
    const long double q = 0.4L * u, s = 2.6L * u;
    const long double limit = (radius - q) * (radius - q);
    const TLDRect seen = VisibleWorld(ctx_, q);
    auto inView = [&seen](WorldPoint p) {
        return p.x >= seen.xLow && p.x <= seen.xHigh && p.y >= seen.yLow && p.y <= seen.yHigh;
    };
    const auto columns = SymmetricSteps(centre.x, s, radius, seen.xLow, seen.xHigh);
    for (const long double row : SymmetricSteps(centre.y, s, radius, seen.yLow, seen.yHigh))
        for (const long double column : columns) {
            const long double x = s / 2 + column * s, y = s / 2 + row * s;
            if (x * x + y * y >= limit) continue;
            for (const WorldPoint& d : {WorldPoint{x, y}, {-x, y}, {-x, -y}, {x, -y}})
                if (const WorldPoint p{centre.x + d.x, centre.y + d.y}; inView(p))
                    DiscFilled(p, q, colour, 0);
        }
}

void EpsWriter::EpsDot(ScreenPoint centre, int radius, int width, std::optional<QRgb> fill,
                       std::optional<QRgb> outline, int fillMode) {
    const WorldPoint c = ctx_.view.ScreenToWorld(centre);
    const long double r = ctx_.view.ScreenToX(centre.x + radius) - c.x;
    EpsCircle(c, r, width, fill, outline, fillMode);
}

void EpsWriter::EpsFill(std::span<const WorldPoint> points, bool patterned, QRgb fill,
                        int outlineWidth, QRgb outline, bool noFill) {
    if ((patterned && outlineWidth < 0) || points.empty()) return;
    std::string text = PathText(points, true) + Lines({"gsave"});
    if (!noFill && !patterned) text += Lines({RgbLine(fill), "fill"});
    text += Lines({"grestore"});
    if (outlineWidth >= 0)
        text += Lines(
            {DashPattern(0), RgbLine(outline), LineWidth(std::max(outlineWidth, 1)), "stroke"});
    ctx_.output.Write(text);
}

void EpsWriter::EpsRoundRect(WorldPoint a, WorldPoint b, bool patterned, QRgb fill,
                             int outlineWidth, QRgb outline, long double radius, int fillMode) {
    if (patterned && outlineWidth < 0) return;
    const long double r = radius;
    const std::string p0 = PagePoint({a.x, b.y});
    const std::string p1 = PagePoint({a.x + r, b.y + r});
    const std::string p2 = PagePoint({b.x - r, a.y - r});
    const std::string p3 = PagePoint({b.x, a.y});
    auto xOf = [](const std::string& p) { return p.substr(0, p.find(' ')); };
    auto yOf = [](const std::string& p) { return p.substr(p.find(' ') + 1); };
    const std::string x0 = xOf(p0), y0 = yOf(p0), x1 = xOf(p1), y1 = yOf(p1);
    const std::string x2 = xOf(p2), y2 = yOf(p2), x3 = xOf(p3), y3 = yOf(p3);
    const std::string rr = Coord(r * xScale_);
    const bool arcs = r > 1e-13L;
    auto arc = [&](const std::string& x, const std::string& y, const char* angles) {
        return arcs ? x + " " + y + " " + rr + " " + angles + " arc" + std::string(kCrLf)
                    : std::string();
    };
    std::string path = Lines({"newpath", x3 + " " + y2 + " moveto"});
    path += arc(x2, y2, "0 90");
    path += Lines({x1 + " " + y3 + " lineto"});
    path += arc(x1, y2, "90 180");
    path += Lines({x0 + " " + y1 + " lineto"});
    path += arc(x1, y1, "180 270");
    path += Lines({x2 + " " + y0 + " lineto"});
    path += arc(x2, y1, "270 360");
    path += Lines({x3 + " " + y2 + " lineto", "gsave"});

    if (!patterned && fillMode > 0) DottedRect(a, b, fill);
    if (!patterned && fillMode == 0) path += Lines({RgbLine(fill), "fill"});
    path += Lines({"grestore"});
    if (outlineWidth >= 0)
        path += Lines(
            {DashPattern(0), RgbLine(outline), LineWidth(std::max(outlineWidth, 1)), "stroke"});
    ctx_.output.Write(path);
}

void EpsWriter::DottedRect(WorldPoint a, WorldPoint b, QRgb colour) {
    const long double u = ctx_.view.unitsPerPixelX;
    if (!(u > 0)) return;
    const long double q = 0.4L * u, s = 2.6L * u;
    const TLDRect seen = VisibleWorld(ctx_, q);
    // Columns go right from a, rows down from it.
    const auto columns = OffsetSteps(s, b.x - a.x - q / 2, seen.xLow - a.x, seen.xHigh - a.x);
    for (const long double row :
         OffsetSteps(s, a.y - b.y - q / 2, a.y - seen.yHigh, a.y - seen.yLow))
        for (const long double column : columns)
            DiscFilled({a.x + s / 2 + column * s, a.y - s / 2 - row * s}, q, colour, 0);
}

void EpsWriter::EpsRoundRectScreen(int x, int y, int width, int height, bool patterned, QRgb fill,
                                   int outlineWidth, QRgb outline, long double radius,
                                   int fillMode) {
    const ExportView& v = ctx_.view;
    EpsRoundRect({v.ScreenToX(x), v.ScreenToY(y)},
                 {v.ScreenToX(x + width), v.ScreenToY(y + height)}, patterned, fill, outlineWidth,
                 outline, radius, fillMode);
}

void EpsWriter::EpsMarker(WorldPoint p, int kind, int size, QRgb c) {
    const MarkerShape* shape = FindMarkerShape(kind, MarkerDialect::PostScript);
    if (!shape) return;
    const long double hx = ctx_.view.unitsPerPixelX * size, hy = ctx_.view.unitsPerPixelY * size;
    // Steps go down the screen, world y goes up.
    auto at = [&](MarkerStep s) { return WorldPoint{p.x + s.dx * hx, p.y - s.dy * hy}; };
    switch (shape->body) {
        case MarkerBody::Square:
            EpsRoundRect(at({-1, -1}), at({1, 1}), false, c, 1, c, 0, 0);
            break;
        case MarkerBody::Disc:
            EpsCircle(p, hx, 1, c, c, 0);
            break;
        case MarkerBody::Triangle: {
            std::array<WorldPoint, 3> corners;
            std::ranges::transform(shape->triangle, corners.begin(), at);
            EpsFill(corners, false, c, 1, c, false);
            break;
        }
        case MarkerBody::None:
            break;
    }
    // Strokes, square and cross hair go out as one path.
    std::vector<WorldPoint> path;
    std::string pieces(shape->pieces);
    std::ranges::transform(shape->StrokePoints(), std::back_inserter(path), at);
    if (shape->square) {
        std::ranges::transform(kSquarePath, std::back_inserter(path), at);
        pieces += kSquarePieces;
    }
    if (shape->crossHair) {
        const ExportView& v = ctx_.view;
        path.insert(path.end(), {{p.x, v.yLow}, {p.x, v.yHigh}, {v.xLow, p.y}, {v.xHigh, p.y}});
        pieces += "MLML";
    }
    EpsStrokeByTemplate(path, c, 2, pieces);
}

void EpsWriter::EpsText(ScreenPoint p, std::string_view text, QRgb colour, const ExportFont& font,
                        int h, int v) {
    const QSize extent = ctx_.host.TextExtent(text, font);
    const ScreenPoint start =
        TextAnchorPoint(p, extent.width(), extent.height(), font.escapement, h, v);
    std::string face = PostScriptFontName(font.face);
    if (font.italic) face += "-Italic";
    // 8-bit texts need the font re-encoded so their bytes show as Windows-1252 characters.
    const std::string findFont =
        HasHighBytes(text)
            ? "/" + face + " findfont dup length dict begin {1 index /FID ne " +
                  "{def} {pop pop} ifelse} forall /Encoding " + std::string(kWindowsEncoding) +
                  " def currentdict end /" + face + "-Latin1 exch definefont"
            : "/" + face + " findfont";
    const bool rotated = font.escapement != 0;
    const int turn = font.escapement / 10;
    std::string out = Lines({findFont, std::to_string(font.pointSize) + " scalefont setfont",
                             PagePoint(ctx_.view.ScreenToWorld(start)) + " moveto"});
    if (rotated) out += Lines({std::to_string(turn) + " rotate"});
    out += Lines({RgbLine(colour), ShowCommands(text, findFont, font.pointSize)});
    if (rotated) out += Lines({std::to_string(-turn) + " rotate"});
    ctx_.output.Write(out);
}

void EpsWriter::EpsComment(std::string_view text) {
    ctx_.output.Write("% " + std::string(text) + std::string(kCrLf));
}

}  // namespace quorlin::canvas
