#include "canvas/pictex_writer.h"

#include "canvas/export_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace quorlin::canvas {
namespace {

// PiCTeX multiplies every coordinate by its unit, and TeX's dimensions end near 575 cm; a
// picture whose world coordinates reach beyond this (leaving room for what is drawn past the
// view's edges) is written about its centre.
constexpr long double kTexReachCm = 250;

}  // namespace

std::string PictexWriter::Number(long double v) const {
    const int places = std::max(ctx_.view.decimalPlaces, 0);
    return FormatLf(v, places + 2, places);
}

void PictexWriter::Line(std::string_view text) {
    std::string line(text);
    line += kCrLf;
    ctx_.output.Write(line);
}

bool PictexWriter::PrepareTeXExport(int framesAllowed) {
    const QString path = ctx_.host.ChooseSaveFile(ExportString(98, "TeX files (*.TEX)|*.tex"),
                                                  "TEX", ExportString(29, "noname") + ".tex");
    if (path.isEmpty()) return false;

    TeXDialogValues values;
    values.pictureWidth = ctx_.texPictureWidth;
    values.outputKind = ctx_.texOutputKind;
    values.boxNumber = 1;
    values.whitespaceRadius = -0.75L;
    values.frameCount = ctx_.texFrameCount;
    values.parameterNames = ctx_.texParameterNames;
    values.framesAllowed = framesAllowed;
    if (!ctx_.host.RunTeXDialog(values)) return false;
    ctx_.texOutputKind = values.outputKind;
    ctx_.texPictureWidth = values.pictureWidth;

    if (values.frameCount >= 2 && framesAllowed == kFramesWithParameters) {
        const int mode = ctx_.host.MarkParameters(values.parameterNames);
        if (mode == 0) return false;
        ctx_.animationMode = mode;
        ctx_.texParameterNames = values.parameterNames;
    } else {
        ctx_.animationMode = 0;
    }
    if (framesAllowed != kNoFrames) ctx_.texFrameCount = values.frameCount;

    ctx_.texBaseName = StripExportSuffix(path, u".tex");
    ctx_.failure.clear();
    ctx_.FitBoxToView();
    TexBegin(values.boxNumber);
    ctx_.frameDigits = FrameDigits(ctx_.texFrameCount);
    return true;
}

void PictexWriter::TexBegin(int boxNumber) {
    const ExportView& v = ctx_.view;
    const int kind = ctx_.texOutputKind;
    boxNumber_ = boxNumber;
    std::string h = DocumentOpening();
    auto add = [&h](const std::string& line) {
        h += line;
        h += kCrLf;
    };
    // LaTeX2e no longer has the \fivrm that prepictex falls back on, so the LaTeX kind names
    // its tiny font itself as well.
    if (kind == kTexStandalone || kind == kLatexStandalone) add(Cs("font") + Cs("fiverm = cmr5"));
    if (kind == kLatexStandalone) add(Cs("input prepictex"));
    if (kind == kLatexStandalone || kind == kTexCompilable) add(Cs("input pictex"));
    if (kind == kLatexStandalone) add(Cs("input postpictex"));
    h += DocumentBody();
    if (kind == kTexStandalone) add(Cs("setbox") + std::to_string(boxNumber) + "=" + Cs("vbox{"));
    add(Cs("beginpicture"));

    const bool frames = ctx_.texFrameCount > 1;
    const long double halfWidth = frames ? ctx_.boxHalfWidth : v.halfWidth;
    const long double halfHeight = frames ? ctx_.boxHalfHeight : v.halfHeight;
    const long double ux = ctx_.texPictureWidth * 0.5L / halfWidth;
    const long double uy =
        ctx_.texPictureWidth * v.clientHeight * 0.5L / (halfHeight * v.clientWidth);
    add(Cs("setcoordinatesystem units <") + Number(ux) + "cm," + Number(uy) + "cm>");

    const long double reach = std::max(std::max(std::fabs(v.xLow), std::fabs(v.xHigh)) * ux,
                                       std::max(std::fabs(v.yLow), std::fabs(v.yHigh)) * uy);
    ctx_.texAboutCentre = !frames && !(reach <= kTexReachCm);
    std::array<WorldPoint, 4> corners;
    if (frames) {
        const long double bw = ctx_.boxHalfWidth, bh = ctx_.boxHalfHeight;
        corners = {WorldPoint{-bw, -bh}, {bw, -bh}, {bw, bh}, {-bw, bh}};
    } else if (ctx_.texAboutCentre) {
        const long double hw = v.halfWidth, hh = v.halfHeight;
        corners = {WorldPoint{-hw, -hh}, {-hw, hh}, {hw, -hh}, {hw, hh}};
    } else {
        corners = {
            WorldPoint{v.xLow, v.yLow}, {v.xLow, v.yHigh}, {v.xHigh, v.yLow}, {v.xHigh, v.yHigh}};
    }
    for (const WorldPoint& c : corners) add(Cs("put {") + Cs("phantom{.}} at ") + Pair(c));
    add(Cs("setlinear"));
    add(Cs("setshadesymbol <z,z,z,z> ({") + Cs("fiverm .})"));
    header_ = std::move(h);
}

QString PictexWriter::FramePath(int frame) const {
    return FrameFilePath(ctx_.texBaseName, frame, ctx_.texFrameCount, ctx_.frameDigits, u".tex");
}

bool PictexWriter::WriteTeXFrame(int frame) {
    const QString path = FramePath(frame);
    if (!ctx_.MayReplace(path)) return false;
    if (!ctx_.OpenOutput(path)) return false;
    plot_.clear();
    plotPoints_ = 0;
    ctx_.output.Write(header_);
    ctx_.host.PaintTeXFrame(frame);
    // Only the standalone kind opened a box in its header.
    Line(Cs("endpicture") + (ctx_.texOutputKind == kTexStandalone ? "}" : ""));
    DocumentEnd();
    return ctx_.CloseOutput();
}

bool PictexWriter::StandaloneDocument() const {
    const int kind = ctx_.texOutputKind;
    return ctx_.texFrameCount <= 1 && (kind == kTexStandalone || kind == kLatexStandalone);
}

std::string PictexWriter::DocumentOpening() const {
    if (!StandaloneDocument()) return {};
    if (ctx_.texOutputKind == kTexStandalone)
        return Cs("input pictex") + std::string(kCrLf) + Cs("nopagenumbers") + std::string(kCrLf);
    return Cs("documentclass{article}") + std::string(kCrLf) + Cs("pagestyle{empty}") +
           std::string(kCrLf);
}

std::string PictexWriter::DocumentBody() const {
    if (!StandaloneDocument() || ctx_.texOutputKind != kLatexStandalone) return {};
    return Cs("begin{document}") + std::string(kCrLf);
}

void PictexWriter::DocumentEnd() {
    if (!StandaloneDocument()) return;
    if (ctx_.texOutputKind == kTexStandalone) {
        Line(Cs("box") + std::to_string(boxNumber_));
        Line(Cs("bye"));
    } else {
        Line(Cs("end{document}"));
    }
}

bool PictexWriter::WriteAnimMaster() {
    const QString path = ctx_.texBaseName + "ANIM.tex";
    if (!ctx_.OpenOutput(path)) return false;
    const std::string name = FileNamePart(ctx_.texBaseName);
    Line(Cs("begin{animateinline}[poster=first,controls]{1}"));
    for (int i = 0; i < ctx_.texFrameCount; ++i) {
        Line(Cs("input{") + name + PaddedFrameNumber(i, ctx_.frameDigits) + "}");
        if (i + 1 < ctx_.texFrameCount) Line(Cs("newframe"));
    }
    Line(Cs("end{animateinline}"));
    return ctx_.CloseOutput();
}

void PictexWriter::PutRule(WorldPoint p, WorldPoint q) {
    Line(Cs("putrule from ") + Pair(p) + " to " + Pair(q));
}

void PictexWriter::TexRule(WorldPoint p, WorldPoint q, bool inViewOnly) {
    if (inViewOnly && (!ctx_.view.IsInView(p) || !ctx_.view.IsInView(q))) return;
    PutRule(ctx_.ToExportCoords(p), ctx_.ToExportCoords(q));
}

void PictexWriter::TexSegment(WorldPoint p, WorldPoint q, int dotSpacing) {
    if ((std::fabs(q.x - p.x) + std::fabs(q.y - p.y)) * 5 < ctx_.view.unitsPerPixelX) return;
    if (dotSpacing > 0) Line(Cs("setdots <") + std::to_string(dotSpacing) + "pt>");
    if (std::fabs(p.x - q.x) >= 1e-16L && std::fabs(p.y - q.y) >= 1e-16L)
        Line(Cs("plot ") + Pair(ctx_.ToExportCoords(p)) + " " + Pair(ctx_.ToExportCoords(q)) +
             " /");
    else
        TexRule(p, q, true);
    if (dotSpacing > 0) Line(Cs("setsolid"));
}

void PictexWriter::TexImageFrame() {
    const ExportView& v = ctx_.view;
    if (!v.frameImage) return;
    // The view's corners for a single picture, the shared box's for the frames of an
    // animation.
    WorldPoint a = ctx_.ToExportCoords({v.xLow, v.yHigh}),
               b = ctx_.ToExportCoords({v.xLow, v.yLow});
    WorldPoint c = ctx_.ToExportCoords({v.xHigh, v.yLow}),
               d = ctx_.ToExportCoords({v.xHigh, v.yHigh});
    if (ctx_.MultiFrameExport()) {
        const long double bw = ctx_.boxHalfWidth, bh = ctx_.boxHalfHeight;
        a = {-bw, bh};
        b = {-bw, -bh};
        c = {bw, -bh};
        d = {bw, bh};
    }
    PutRule(a, b);
    PutRule(b, c);
    PutRule(c, d);
    PutRule(d, a);
}

void PictexWriter::TexPoint(WorldPoint p, int size, bool hollow) {
    p = ctx_.ToExportCoords(p);
    if (ctx_.MultiFrameExport())
        size = std::max(1, static_cast<int>(size * static_cast<double>(ctx_.frameScale)));
    std::string line = Cs("put {");
    if (size < 1) {
        line += Cs("fiverm .} at ");
    } else {
        line += "$";
        if (size <= 2)
            line += Cs("scriptscriptstyle");
        else if (size <= 4)
            line += Cs("scriptstyle");
        line += hollow ? Cs("circ$} at ") : Cs("bullet$} at ");
    }
    Line(line + Pair(p));
}

void PictexWriter::TexMultiputBegin(int size) {
    if (!Running()) return;
    std::string mark = ".";
    if (size >= 4)
        mark = "$" + Cs("bullet$");
    else if (size >= 2)
        mark = "$" + Cs("scriptstyle") + Cs("bullet$");
    Line(Cs("multiput {") + mark + "} at");
}

void PictexWriter::TexMultiputPoint(WorldPoint p) {
    Line(Pair(p));
}

void PictexWriter::TexMultiputEnd() {
    if (Running()) Line("/");
}

void PictexWriter::TexCurveBegin() {
    if (!Running()) return;
    plot_ = Cs("plot ");
    plot_ += kCrLf;
    plotPoints_ = 0;
}

void PictexWriter::TexCurvePoint(WorldPoint p) {
    if (!Running()) return;
    plot_ += Pair(ctx_.ToExportCoords(p));
    plot_ += kCrLf;
    ++plotPoints_;
    if (plot_.size() + 100 > kPlotBufferLimit) {
        ctx_.output.Write(plot_);
        plot_.clear();
    }
}

void PictexWriter::TexCurveEnd() {
    if (!Running()) return;
    plot_ += "/";
    plot_ += kCrLf;
    if (plotPoints_ > 1) ctx_.output.Write(plot_);
    plot_.clear();
    plotPoints_ = 0;
}

void PictexWriter::TexPolyline(std::span<const WorldPoint> points) {
    if (!Running()) return;
    TexCurveBegin();
    for (const WorldPoint& p : points) TexCurvePoint(p);
    TexCurveEnd();
}

void PictexWriter::TexPolylineByParity(std::span<const WorldPoint> points,
                                       std::span<const std::uint8_t> marks, int mode) {
    if (!Running()) return;
    for (const PointRun& run : ChosenRuns(points.size(), marks, mode)) {
        TexCurveBegin();
        for (std::size_t i = run.first; i <= run.last; ++i) TexCurvePoint(points[i]);
        TexCurveEnd();
    }
}

void PictexWriter::TexLineStyle(int style, bool forceSolid) {
    if (style <= 0) return;
    if (forceSolid) return Line(Cs("setsolid"));
    switch (style) {
        case kStyleDot:
            return Line(Cs("setdots<2pt>"));
        case kStyleDash:
            return Line(Cs("setdashes"));
        case kStyleDashDot:
            return Line(Cs("setdashpattern<3pt,2pt,10pt,2pt>"));
        case kStyleDashDotDot:
            return Line(Cs("setdashpattern<3pt,2pt,10pt,2pt,3pt,2pt>"));
        default:
            return Line(Cs("setsolid"));
    }
}

void PictexWriter::TexText(std::string_view text, std::string_view anchor, WorldPoint p,
                           TexMath math) {
    const bool mathMode = math != TexMath::None;
    std::string line = Cs("put {");
    if (math == TexMath::Inline) line += "$";
    if (math == TexMath::Display) line += "$" + Cs("displaystyle{");
    line += TexEscapeText(text, ctx_.texEscape, mathMode);
    if (math == TexMath::Inline) line += "$";
    if (math == TexMath::Display) line += "}$";
    line += "}";
    // Without an anchor PiCTeX centres the text on the point.
    if (!anchor.empty()) line += " " + std::string(anchor);
    Line(line + " at " + Pair(ctx_.ToExportCoords(p)));
}

void PictexWriter::TexComment(std::string_view text) {
    Line("% " + std::string(text));
}

void PictexWriter::TexArrow(WorldPoint direction, WorldPoint tip, long double headLength,
                            bool solid) {
    // A direction is not a position: the animation map only scales it.
    const WorldPoint v{direction.x * ctx_.frameScale, direction.y * ctx_.frameScale};
    const WorldPoint p = ctx_.ToExportCoords(tip);
    if (!solid) {
        auto num = [](long double x) { return FormatLf(x, 7, 5); };
        const long double length = ctx_.texPictureWidth * headLength / (2 * ctx_.view.halfWidth);
        Line(Cs("arrow <") + FormatLf(length, 5, 3) + "cm> [" +
             FormatLf(ctx_.view.arrowShapeB, 5, 3) + "," + FormatLf(ctx_.view.arrowShapeG, 5, 3) +
             "] from " + num(p.x - v.x) + " " + num(p.y - v.y) + " to " + num(p.x) + " " +
             num(p.y));
        return;
    }
    WorldPoint a, b;
    if (!ArrowHeadPoints(ctx_.view, v, headLength, a, b)) return;
    // TexShade maps its points itself; hand it the head in world coordinates.
    const WorldPoint t = tip;
    const std::array<WorldPoint, 3> head{t, WorldPoint{t.x + a.x, t.y + a.y},
                                         WorldPoint{t.x + b.x, t.y + b.y}};
    if (!TexShade(head, true, 0)) TexShade(head, false, 0);
}

bool PictexWriter::TexSetShadeGrid(int shade) {
    if (shade == 1) return false;
    static constexpr std::array<int, 23> kGrid = {5, 1,  7,  8,  14, 17, 11, 9,  19, 4,  6, 18,
                                                  3, 11, 12, 22, 2,  13, 15, 20, 21, 23, 16};
    std::string span = "0.2";
    if (shade != 0) {
        const int t = shade < 0 ? 24 : kGrid[static_cast<std::size_t>((shade - 2) % 23)];
        span = FormatLf(1.96L - 0.04L * t, 9, 7);
    }
    Line(Cs("setshadegrid span <") + span + "pt>");
    return true;
}

namespace {

struct ShadeNode {
    long double x, lower, upper;
};

// y of the segment a-b at x, or fallback when the segment is (nearly) vertical.
long double InterpolateY(WorldPoint a, WorldPoint b, long double x, long double fallback) {
    constexpr long double kEps = 1e-13L;
    if (std::fabs(b.x - a.x) < kEps) return fallback;
    return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

// The lower and upper boundary of a polygon that is monotone along x, merged into nodes
// (x, lower y, upper y); empty when the polygon is not such a region.
std::vector<ShadeNode> ShadeNodes(const std::vector<WorldPoint>& p) {
    constexpr long double kEps = 1e-13L;
    const std::size_t n = p.size();
    auto at = [&](std::size_t k) { return p[k % n]; };

    std::size_t iMin = 0;
    long double xMin = std::numeric_limits<long double>::infinity();
    long double xMax = -xMin;
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i].x < xMin) xMin = p[i].x, iMin = i;
        xMax = std::max(xMax, p[i].x);
    }
    if (!(xMax >= xMin + kEps)) return {};

    // Rising walk to the largest x, then the falling walk back; what neither covers must sit
    // at the smallest x.
    std::size_t top = iMin;
    for (std::size_t s = 0; s < n && at(top + 1).x > at(top).x - kEps; ++s) ++top;
    if (std::fabs(at(top).x - xMax) >= kEps) return {};
    std::size_t back = top;
    for (std::size_t s = 0; s < n && at(back + 1).x < at(back).x + kEps; ++s) ++back;
    for (std::size_t j = back + 1; j < iMin + n; ++j)
        if (std::fabs(at(j).x - xMin) >= kEps) return {};

    // Ends of the runs at the smallest and the largest x (indices taken modulo n, offset by n
    // so that stepping backwards stays non-negative).
    auto runEnd = [&](std::size_t k, int step) {
        for (std::size_t s = 0; s + 1 < n; ++s) {
            const std::size_t next = step > 0 ? k + 1 : k - 1;
            if (std::fabs(at(next).x - at(k).x) >= kEps) break;
            k = next;
        }
        return k;
    };
    const std::size_t minForward = runEnd(iMin + n, +1), minBackward = runEnd(iMin + n, -1);
    const std::size_t maxForward = runEnd(top + n, +1), maxBackward = runEnd(top + n, -1);

    std::vector<WorldPoint> chainA, chainB;
    std::size_t k = minForward;
    for (std::size_t s = 0; s < n && k % n != maxBackward % n; ++s) chainA.push_back(at(k++));
    chainA.push_back(at(maxBackward));
    k = minBackward + n;
    for (std::size_t s = 0; s < n && k % n != maxForward % n; ++s) chainB.push_back(at(k--));
    chainB.push_back(at(maxForward));

    const bool bIsLower = chainB.size() > 1 && chainB[1].y <= chainA[0].y;
    const std::vector<WorldPoint>& lower = bIsLower ? chainB : chainA;
    const std::vector<WorldPoint>& upper = bIsLower ? chainA : chainB;

    std::vector<ShadeNode> nodes{{lower[0].x, lower[0].y, upper[0].y}};
    std::size_t li = 0, ui = 0;
    const std::size_t lLast = lower.size() - 1, uLast = upper.size() - 1;
    while (li < lLast || ui < uLast) {
        const WorldPoint nl = lower[std::min(li + 1, lLast)];
        const WorldPoint nu = upper[std::min(ui + 1, uLast)];
        ShadeNode node;
        if (std::fabs(nl.x - nu.x) < kEps) {
            node = {nl.x, nl.y, nu.y};
            li = std::min(li + 1, lLast);
            ui = std::min(ui + 1, uLast);
        } else if ((nu.x < nl.x && ui < uLast) || li == lLast) {
            const long double y =
                li < lLast ? InterpolateY(lower[li], lower[li + 1], nu.x, nl.y) : nl.y;
            node = {nu.x, y, nu.y};
            ++ui;
        } else {
            const long double y =
                ui < uLast ? InterpolateY(upper[ui], upper[ui + 1], nl.x, nu.y) : nu.y;
            node = {nl.x, nl.y, y};
            ++li;
        }
        if (node.upper < node.lower - kEps) return {};
        nodes.push_back(node);
    }
    return nodes;
}

}  // namespace

bool PictexWriter::TexShade(std::span<const WorldPoint> polygon, bool vertical, int shade) {
    if (shade == 1 || polygon.size() < 3) return false;
    std::vector<WorldPoint> points;
    points.reserve(polygon.size());
    for (const WorldPoint& q : polygon) {
        const WorldPoint e = ctx_.ToExportCoords(q);
        points.push_back(vertical ? e : WorldPoint{e.y, e.x});
    }
    const std::vector<ShadeNode> nodes = ShadeNodes(points);
    if (nodes.empty()) return false;

    TexSetShadeGrid(shade);
    const std::string command = Cs(vertical ? "vshade" : "hshade");
    auto number = [](long double v) { return FormatLf(v, 8, 6); };
    std::size_t first = 0;
    while (first < nodes.size()) {
        // A command ends where the next node steps back (or stays) in x.
        std::size_t last = first;
        while (last + 1 < nodes.size() && nodes[last + 1].x >= nodes[last].x + 1e-4L) ++last;
        if (last > first) {
            std::string text = command + std::string(kCrLf);
            for (std::size_t i = first; i <= last; ++i) {
                text += number(nodes[i].x) + " " + number(nodes[i].lower) + " " +
                        number(nodes[i].upper);
                if (i == last) text += " /";
                text += kCrLf;
            }
            ctx_.output.Write(text);
        }
        first = last + 1;
    }
    return true;
}

}  // namespace quorlin::canvas
