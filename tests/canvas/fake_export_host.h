#pragma once
// A scripted stand-in for the window during export tests: fixed answers for the dialogs and
// prompts, a paint callback per frame and a fixed text extent; and the helpers the export
// tests share: files read and written whole, the real readers run on what was written, and a
// picture that calls every drawing hook of the writers.
#include "canvas/export_state.h"
#include "support/file_readers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace quorlin::canvas::testing {

class FakeExportHost : public ExportHost {
public:
    QString saveName;  // empty: the file dialog is cancelled
    bool replace = true;
    int overwriteQuestions = 0;
    bool texAccepted = true;
    std::function<void(TeXDialogValues&)> editTeX;
    bool svgAccepted = true;
    std::optional<SvgDialogValues> svgSize;
    std::optional<int> frameAnswer;
    std::optional<std::string> parameterAnswer;
    int markMode = 1;
    std::vector<std::string> markedTexts;
    std::vector<QString> errors;
    std::function<void(int)> paint;
    QSize extent{40, 12};

    QString ChooseSaveFile(const QString&, const QString&, const QString&) override {
        return saveName;
    }
    bool ConfirmOverwrite(const QString&) override {
        ++overwriteQuestions;
        return replace;
    }
    bool RunTeXDialog(TeXDialogValues& values) override {
        if (editTeX) editTeX(values);
        return texAccepted;
    }
    bool RunSvgDialog(SvgDialogValues& values) override {
        if (svgSize) values = *svgSize;
        return svgAccepted;
    }
    std::optional<int> InputInt(int, int, int, int, int) override { return frameAnswer; }
    std::optional<std::string> InputString(int, int, const std::string&, int) override {
        return parameterAnswer;
    }
    int MarkParameters(const std::string& names) override {
        markedTexts.push_back(names);
        return markMode;
    }
    void ShowError(const QString& text) override { errors.push_back(text); }
    void PaintTeXFrame(int frame) override {
        if (paint) paint(frame);
    }
    void PaintEpsFrame(int frame) override {
        if (paint) paint(frame);
    }
    QSize TextExtent(std::string_view, const ExportFont&) const override { return extent; }
};

// The file and reader helpers every export test shares.
using quorlin::testing::ExpectAccepted;
using quorlin::testing::HaveProgram;
using quorlin::testing::InkedPixels;
using quorlin::testing::Occurrences;
using quorlin::testing::ReadAll;
using quorlin::testing::ReaderRun;
using quorlin::testing::RunReader;
using quorlin::testing::WriteAll;

// Joins lines with CR LF after each, as the writers end them.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// One picture drawn through every hook of each running writer, world points for PiCTeX and
// EPS, pixels or world points for SVG, including the hooks no primitive uses yet.
inline void PaintEveryHook(TExportState& s) {
    const bool tex = s.Running(ExportKind::PicTeX);
    const bool svg = s.Running(ExportKind::Svg);
    const bool eps = s.Running(ExportKind::Eps);
    const std::string awkward = "a & b < c % (d) 90\xb0";
    const PenSpec axis{qRgb(0, 0, 0), 1, kStyleSolid};
    const PenSpec grid{qRgb(160, 160, 160), 1, kStyleDot};
    const PenSpec curve{qRgb(0, 0, 200), 2, kStyleSolid};
    auto segment = [&](WorldPoint p, WorldPoint q, const PenSpec& pen, int dots) {
        if (tex) s.tex.TexSegment(p, q, dots);
        if (svg) s.svg.SvgSegment(p, q, pen);
        if (eps) s.eps.EpsSegment(p, q, pen);
    };

    if (tex) s.tex.TexComment("draw axis");
    if (eps) s.eps.EpsComment("draw axis");
    if (tex) s.tex.TexLineStyle(grid.style, false);
    for (int k = -4; k <= 4; ++k) {
        segment({static_cast<long double>(k), -5}, {static_cast<long double>(k), 5}, grid, 0);
        segment({-5, static_cast<long double>(k)}, {5, static_cast<long double>(k)}, grid, 0);
    }
    if (tex) s.tex.TexLineStyle(grid.style, true);
    segment({-5, 0}, {5, 0}, axis, 0);
    segment({0, -5}, {0, 5}, axis, 0);
    segment({-4, -4}, {4, 3}, {qRgb(200, 0, 0), 1, kStyleDashDot}, 3);
    if (tex) {
        s.tex.TexArrow({0.4L, 0}, {5, 0}, 0.4L, false);
        s.tex.TexArrow({0, 0.4L}, {0, 5}, 0.4L, true);
    }

    // A sine curve through the buffered path, broken where it leaves the band |y| < 0.9.
    s.Dispatch([](ExportTarget& t) { t.CurveBegin(ExportPath::kCapacity); });
    for (int i = 0; i <= 400; ++i) {
        const long double x = -5 + i * 0.025L;
        const WorldPoint p{x, 2 * std::sin(x)};
        if (std::fabs(std::sin(x)) > 0.9L)
            s.Dispatch([](ExportTarget& t) { t.CurveBreak(); });
        else
            s.Dispatch([&](ExportTarget& t) { t.CurvePoint(p, curve); });
    }
    s.Dispatch([](ExportTarget& t) { t.CurveEnd(); });

    std::array<WorldPoint, 6> pts{
        {{-4, 1}, {-3.5L, 1.5L}, {-3, 1}, {-2.5L, 1.5L}, {-2, 1}, {-1.5L, 1.5L}}};
    const std::array<std::uint8_t, 6> marks{1, 1, 0, 0, 0, 1};
    if (eps) s.eps.EpsPolylineByParity(pts, marks, curve, 1);
    if (svg) s.svg.SvgPolylineByParity(pts, marks, curve, 1);
    if (tex) s.tex.TexPolylineByParity(pts, marks, 1);

    const std::array<WorldPoint, 4> region{{{1, -4}, {3, -4}, {4, -2}, {2, -1}}};
    const QRgb fill = qRgb(0, 160, 0);
    if (tex) s.tex.TexShade(region, true, 2);
    if (svg) s.svg.SvgPolygonWorld(region, false, fill, 1, axis.colour, 3);
    if (eps) s.eps.EpsFill(region, false, fill, 1, axis.colour, false);
    if (eps) {
        s.eps.EpsCircle({-3, -3}, 0.6L, 1, fill, axis.colour, 1);
        s.eps.EpsCircle({-1.5L, -3}, 0.4L, 1, fill, std::nullopt, 0);
        s.eps.EpsRoundRect({2, 4}, {4, 3}, false, fill, 1, axis.colour, 0.2L, 1);
        s.eps.EpsDot({100, 100}, 4, 1, std::nullopt, axis.colour, 0);
    }
    if (svg) {
        s.svg.SvgCircle({60, 340}, 12, axis.colour, 1, fill, 5);
        s.svg.SvgRect(280, 30, 80, 40, false, fill, 1, axis.colour, 6, 6, 2);
        s.svg.SvgEllipse({100, 100}, 4, fill, axis.colour);
    }

    for (int kind = 0; kind <= 13; ++kind) {
        const WorldPoint p{-4.5L + 0.6L * kind, 4.2L};
        if (tex) s.tex.TexPoint(p, kind % 6, kind % 2 == 1);
        if (svg) s.svg.SvgMarkerAt(p, kind, 3, curve.colour);
        if (eps) s.eps.EpsMarker(p, kind, 3, curve.colour);
    }
    if (tex) {
        s.tex.TexMultiputBegin(3);
        s.tex.TexMultiputPoint({1, 1});
        s.tex.TexMultiputPoint({1.5L, 1});
        s.tex.TexMultiputEnd();
        s.tex.TexText(awkward, "[lt]", {-4, -1}, TexMath::None);
        s.tex.TexText("x^2 < 4 & 50%", "[b]", {2, 2}, TexMath::Inline);
        s.tex.TexImageFrame();
    }
    for (const auto& [at, colour, font] : {std::tuple{ScreenPoint{30, 200}, axis.colour, 0},
                                           std::tuple{ScreenPoint{200, 300}, curve.colour, 1}}) {
        if (svg) s.svg.SvgText(at, awkward, colour, s.view.fonts[font], 1, -1);
        if (eps) s.eps.EpsText(at, awkward, colour, s.view.fonts[font], 1, -1);
    }
}

// An export state on a 401 x 401 client showing [-5, 5] x [-5, 5], with a temporary folder.
class ExportFixture {
public:
    ExportFixture() : state(host) { state.view = ExportView::FromCorners(-5, 5, -5, 5, 401, 401); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // What the hooks called by `draw` write into a fresh file.
    template <class Draw>
    std::string Capture(Draw draw) {
        const QString path = Path("capture.out");
        state.OpenOutput(path);
        draw();
        state.CloseOutput();
        return ReadAll(path);
    }

    QTemporaryDir dir;
    FakeExportHost host;
    TExportState state;
};

}  // namespace quorlin::canvas::testing
