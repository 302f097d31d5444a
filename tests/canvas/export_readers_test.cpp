// Real readers must accept what the writers produce: xmllint and rsvg-convert the SVG,
// Ghostscript the EPS, and TeX with the PiCTeX macros each PiCTeX output kind.
#include "fake_export_host.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace quorlin::canvas {
namespace {

using testing::ExpectAccepted;
using testing::ExportFixture;
using testing::HaveProgram;
using testing::InkedPixels;
using testing::RunReader;
using testing::WriteAll;

const std::string kAwkwardText = "a & b < c % (d) 90\xb0";

// One picture drawn through the hooks the way the window's primitives call them: every hook
// of each running writer, world points for PiCTeX and EPS, pixels or world points for SVG.
void PaintPicture(TExportState& s) {
    const PenSpec axis{qRgb(0, 0, 0), 1, kStyleSolid};
    const PenSpec grid{qRgb(160, 160, 160), 1, kStyleDot};
    const PenSpec curve{qRgb(0, 0, 200), 2, kStyleSolid};
    auto segment = [&](WorldPoint p, WorldPoint q, const PenSpec& pen, int dots) {
        if (s.texActive) s.tex.TexSegment(p, q, dots);
        if (s.svgActive) s.svg.SvgSegment(p, q, pen);
        if (s.epsActive) s.eps.EpsSegment(p, q, pen);
    };

    s.ExportComment("draw axis");
    if (s.texActive) s.tex.TexLineStyle(grid.style, false);
    for (int k = -4; k <= 4; ++k) {
        segment({static_cast<long double>(k), -5}, {static_cast<long double>(k), 5}, grid, 0);
        segment({-5, static_cast<long double>(k)}, {5, static_cast<long double>(k)}, grid, 0);
    }
    if (s.texActive) s.tex.TexLineStyle(grid.style, true);
    segment({-5, 0}, {5, 0}, axis, 0);
    segment({0, -5}, {0, 5}, axis, 0);
    segment({-4, -4}, {4, 3}, {qRgb(200, 0, 0), 1, kStyleDashDot}, 3);
    if (s.texActive) {
        s.tex.TexArrow({0.4L, 0}, {5, 0}, 0.4L, false);
        s.tex.TexArrow({0, 0.4L}, {0, 5}, 0.4L, true);
    }

    // A sine curve through the buffered path, broken where it leaves the band |y| < 0.9.
    if (s.texActive) s.tex.TexCurveBegin();
    s.path.Begin();
    for (int i = 0; i <= 400; ++i) {
        const long double x = -5 + i * 0.025L;
        const WorldPoint p{x, 2 * std::sin(x)};
        if (std::fabs(std::sin(x)) > 0.9L) {
            s.path.Break();
            continue;
        }
        if (s.texActive) s.tex.TexCurvePoint(p);
        s.path.Point(p, curve);
    }
    s.path.Flush(curve);
    if (s.texActive) s.tex.TexCurveEnd();

    std::array<WorldPoint, 6> pts{
        {{-4, 1}, {-3.5L, 1.5L}, {-3, 1}, {-2.5L, 1.5L}, {-2, 1}, {-1.5L, 1.5L}}};
    const std::array<std::uint8_t, 6> marks{1, 1, 0, 0, 0, 1};
    if (s.epsActive) s.eps.EpsPolylineByParity(pts, marks, curve, 1);
    if (s.svgActive) s.svg.SvgPolylineByParity(pts, marks, curve, 1);
    if (s.texActive) s.tex.TexPolylineByParity(pts, marks, 1);

    const std::array<WorldPoint, 4> region{{{1, -4}, {3, -4}, {4, -2}, {2, -1}}};
    const QRgb fill = qRgb(0, 160, 0);
    if (s.texActive) s.tex.TexShade(region, true, 2);
    if (s.svgActive) s.svg.SvgPolygonWorld(region, false, fill, 1, axis.colour, 3);
    if (s.epsActive) s.eps.EpsFill(region, false, fill, 1, axis.colour, false);
    if (s.epsActive) {
        s.eps.EpsCircle({-3, -3}, 0.6L, 1, fill, axis.colour, 1);
        s.eps.EpsCircle({-1.5L, -3}, 0.4L, 1, fill, std::nullopt, 0);
        s.eps.EpsRoundRect({2, 4}, {4, 3}, false, fill, 1, axis.colour, 0.2L, 1);
        s.eps.EpsDot({100, 100}, 4, 1, std::nullopt, axis.colour, 0);
    }
    if (s.svgActive) {
        s.svg.SvgCircle({60, 340}, 12, axis.colour, 1, fill, 5);
        s.svg.SvgRect(280, 30, 80, 40, false, fill, 1, axis.colour, 6, 6, 2);
        s.svg.SvgEllipse({100, 100}, 4, fill, axis.colour);
    }

    for (int kind = 0; kind <= 13; ++kind) {
        const WorldPoint p{-4.5L + 0.6L * kind, 4.2L};
        if (s.texActive) s.tex.TexPoint(p, kind % 6, kind % 2 == 1);
        if (s.svgActive) s.svg.SvgMarkerAt(p, kind, 3, curve.colour);
        if (s.epsActive) s.eps.EpsMarker(p, kind, 3, curve.colour);
    }
    if (s.texActive) {
        s.tex.TexMultiputBegin(3);
        s.tex.TexMultiputPoint({1, 1});
        s.tex.TexMultiputPoint({1.5L, 1});
        s.tex.TexMultiputEnd();
        s.tex.TexText(kAwkwardText, "[lt]", {-4, -1}, false);
        s.tex.TexText("x^2 < 4 & 50%", "[b]", {2, 2}, true);
        s.tex.TexImageFrame();
    }
    s.ExportText({30, 200}, kAwkwardText, axis.colour, 0, 1, -1);
    s.ExportText({200, 300}, kAwkwardText, curve.colour, 1, 1, -1);
}

// Runs a reader in dir; a missing program skips the test, a non-zero exit fails it.
class ReaderTest : public ::testing::Test, public ExportFixture {
protected:
    ReaderTest() {
        state.view.frameImage = true;
        state.view.fonts[1] = {"DejaVu Sans", 700, true, 300, 14};
        host.paint = [this](int) { PaintPicture(state); };
    }

    void Run(const char* program, const QStringList& arguments) const {
        ExpectAccepted(RunReader(dir.path(), QString::fromLatin1(program), arguments), program);
    }
};

TEST_F(ReaderTest, SvgIsWellFormedAndRenders) {
    if (!HaveProgram("xmllint") || !HaveProgram("rsvg-convert"))
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed";
    state.svgTitle = "Plot & <friends>";
    ASSERT_TRUE(state.svg.BeginSvgFile(Path("pic.svg"), 401, 401));
    state.svgActive = true;
    state.ExportBackground();
    PaintPicture(state);
    ASSERT_TRUE(state.svg.SvgEnd());
    Run("xmllint", {"--noout", "pic.svg"});
    Run("rsvg-convert", {"-o", "pic.png", "pic.svg"});
    const QImage image(Path("pic.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_LT(qGray(image.pixel(200, 100)), 160);  // the y axis, antialiased
    EXPECT_EQ(image.pixel(100, 30), qRgb(255, 255, 255));
    EXPECT_GT(InkedPixels(image), 3000);
}

TEST_F(ReaderTest, EpsRendersInGhostscript) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    host.saveName = Path("pic.eps");
    ASSERT_TRUE(state.eps.PrepareEpsExport(0, 0));
    state.epsActive = true;
    ASSERT_TRUE(state.eps.WriteEpsFrame(0));
    state.epsActive = false;
    Run("gs",
        {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m", "-sOutputFile=pic.png", "pic.eps"});
    const QImage image(Path("pic.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(InkedPixels(image), 3000);
}

TEST_F(ReaderTest, EpsTextsShowTheirWindowsCharacters) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    // The text dialog turns hyphens into the dash 150 by default; quotes and the euro share
    // that block of Windows-1252, which Latin-1 leaves to accents and control codes.
    host.paint = [this](int) {
        state.ExportText({30, 200},
                         "1\x96"
                         "2 \x93q\x94 \xe9",
                         qRgb(0, 0, 0), 0, 1, -1);
    };
    host.saveName = Path("text.eps");
    ASSERT_TRUE(state.eps.PrepareEpsExport(0, 0));
    state.epsActive = true;
    ASSERT_TRUE(state.eps.WriteEpsFrame(0));
    state.epsActive = false;
    Run("gs", {"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=txtwrite",
               "-sOutputFile=text.txt", "text.eps"});
    QFile text(Path("text.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString shown = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(shown.contains(u"1\u20132 \u201cq\u201d \u00e9")) << shown.toStdString();
}

TEST_F(ReaderTest, EveryPictexKindTypesets) {
    if (!HaveProgram("tex") || !HaveProgram("pdflatex")) GTEST_SKIP() << "TeX is not installed";
    struct Kind {
        int kind;
        const char* engine;
        std::string wrapper;
    };
    const Kind kinds[] = {
        {kTexStandalone, "tex", "\\input pictex \\input pic0 \\box1 \\bye\n"},
        {kLatexStandalone, "pdflatex",
         "\\documentclass{article}\\begin{document}\\input{pic1}\\end{document}\n"},
        {kTexCompilable, "tex", "\\input pic2 \\bye\n"},
        {kTexInsertable, "tex", "\\input pictex \\input pic3 \\bye\n"},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.kind);
        const QString name = QString("pic%1").arg(k.kind);
        host.saveName = Path(name + ".tex");
        host.editTeX = [&](TeXDialogValues& v) { v.outputKind = k.kind; };
        ASSERT_TRUE(state.tex.PrepareTeXExport(kFramesWithParameters));
        state.texActive = true;
        ASSERT_TRUE(state.tex.WriteTeXFrame(0));
        state.texActive = false;
        ASSERT_TRUE(WriteAll(Path("main" + name + ".tex"), k.wrapper));
        Run(k.engine, {"-interaction=nonstopmode", "-halt-on-error", "main" + name + ".tex"});
    }
}

}  // namespace
}  // namespace quorlin::canvas
