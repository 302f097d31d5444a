// A real graphing window exported end to end. The window paints itself through its own
// primitives and every writer hook while a writer's flag is set, as the export commands drive
// it, and a real reader must accept every file: xmllint and rsvg-convert the SVG, Ghostscript the
// EPS, TeX with the PiCTeX macros every PiCTeX kind, the numbered frames of an animation and its
// master. The dialogs are answered by the platform's scripted seams.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "fake_export_host.h"
#include "formula/func_win.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"

namespace quorlin {
namespace {

using canvas::kStyleSolid;
using canvas::TExportState;
using canvas::TTeXDlg;
using canvas::WorldPoint;
using canvas::testing::ExpectAccepted;
using canvas::testing::HaveProgram;
using canvas::testing::InkedPixels;
using canvas::testing::Occurrences;
using canvas::testing::ReaderRun;
using platform::Dialog;

// The program's texts are 8-bit: byte 176 is the degree sign.
const std::string kAwkwardText = "a & b < c % (d) 90\xb0";
// Outside math mode TeX refuses a bare subscript or superscript mark.
const std::string kTeXMarkText = "x_1^2 = y_2";

constexpr int kCurveSamples = 400;

// A diagram of the kind a user draws: axes over a rectangular grid with degree numbers, the
// curve y = 2 sin(x + phase), segments in every pen style, one marker of each kind, an open
// and a solid arrowhead, a text with characters every target language treats specially, and
// a picture through every other hook of the writers (circles, shading, dotted fills, multiput
// points, math texts). An animation frame moves the phase, as a marked parameter would.
class DiagramWindow : public TFuncWin {
public:
    DiagramWindow() : TFuncWin(841, QStringLiteral("wave.qz2"), QStringLiteral("expwin.ini")) {
        SizeChanged(401, 301);
        SetView(1, 0.5L, 5, 0, false);  // the centre off the origin
        Axes().gridFlags = canvas::kGridRectangular | canvas::kGridQuadrants;
        Axes().yPlaces = 10;  // whole numbers with the degree sign
        AddText(kAwkwardText, -3.5L, 3);
        AddText(kTeXMarkText, 0.5L, -2.2L);
        PlainTexts().back().font.escapement = 300;  // turned by 30 degrees
        frameImage = true;
        canvas::RenumberTexts(PlainTexts());
        RenderImage(ImageLayer::Picture);  // measures the texts' boxes
    }

    void AddText(const std::string& s, long double left, long double top) {
        canvas::TEquationLabel text;
        text.text = s;
        text.font = Fonts().Font(canvas::kFontTextOverlay);
        text.SetTextPointSize(120);
        text.left = left;
        text.top = top;
        PlainTexts().push_back(text);
    }

    // The picture as the export commands paint one frame.
    void PaintFrame() {
        QImage image(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
        platform::DeviceContext dc(image);
        PaintBackground(dc);
        DrawImageFrame(dc);
        DrawAll(dc);
        DrawPicture(dc);
    }
    void PaintTeXFrame(int frame) override {
        phase_ = 0.5L * frame;
        PaintFrame();
        phase_ = 0;
    }
    void PaintEpsFrame(int frame) override {
        Exports().ExportBackground();
        PaintTeXFrame(frame);
    }
    int MarkParameters(const std::string& names) override {
        return names.find('A') != std::string::npos ? 1 : 0;
    }

    int DrawAll(platform::DeviceContext& dc) override {
        if (const int stop = TFuncWin::DrawAll(dc)) return stop;
        DrawCurve(dc);
        if (!decorated) return 0;
        DrawPenStyles(dc);
        DrawMarkers(dc);
        DrawArrows(dc);
        canvas::testing::PaintEveryHook(Exports());
        return 0;
    }

    // The segments, markers, arrows and every writer hook's picture stand at fixed places near
    // the origin.
    bool decorated = true;

private:
    // A curve drawer: the device gets a polyline, PiCTeX one plot, SVG and EPS the buffered
    // path.
    void DrawCurve(platform::DeviceContext& dc) {
        canvas::TCanvasPrimitives prim = Primitives(dc);
        prim.SetPen(QColor(0, 0, 200), 2, kStyleSolid);
        const canvas::TViewFrame& v = View();
        prim.BeginCurve();
        for (int i = 0; i <= kCurveSamples; ++i) {
            const long double x = v.left + (v.right - v.left) * i / kCurveSamples;
            prim.CurvePoint({x, 2 * std::sin(x + phase_)});
        }
        prim.EndCurve();
    }
    void DrawPenStyles(platform::DeviceContext& dc) {
        canvas::TCanvasPrimitives prim = Primitives(dc);
        for (int style = 0; style <= 4; ++style) {
            prim.SetPen(QColor(200, 0, 0), 1 + style % 2, style);
            const long double y = -3 + 0.3L * style;
            prim.Segment({-3.5L, y}, {-0.5L, y + 0.2L}, true);
        }
    }
    void DrawMarkers(platform::DeviceContext& dc) {
        Primitives(dc).SetPen(QColor(0, 120, 0), 1, kStyleSolid);
        for (int kind = 0; kind <= 13; ++kind)
            DrawMarkerAt(dc, {-3.5L + 0.6L * kind, -1.5L}, kind, 3);
    }
    void DrawArrows(platform::DeviceContext& dc) {
        Primitives(dc).SetPen(QColor(0, 0, 0), 1, kStyleSolid);
        DrawArrowHead(dc, {4, 2.5L}, {1, 1}, 0.4L, false);
        DrawArrowHead(dc, {4, -2.5L}, {1, -1}, 0.4L, true);
    }

    long double phase_ = 0;
};

using quorlin::testing::TeXErrors;

// The first line of a text that starts with prefix, without its line end.
std::string LineStartingWith(const std::string& text, const std::string& prefix) {
    const std::size_t at = text.find("\n" + prefix);
    if (at == std::string::npos) return {};
    return text.substr(at + 1, text.find('\r', at + 1) - at - 1);
}

class ExportWindowTest : public ::testing::Test {
protected:
    ExportWindowTest() {
        platform::SetCommonDialogs(&dialogs);
        win.Exports().eps.SetDateSource([] { return QStringLiteral("6 December 2026"); });
    }
    ~ExportWindowTest() override { platform::SetCommonDialogs(nullptr); }

    QString Path(const QString& name) const { return dir.filePath(name); }
    std::string Read(const QString& name) const { return canvas::testing::ReadAll(Path(name)); }

    // --- the export commands, as the program drives them ---
    bool ExportPicTeX(const QString& fileName, int kind, int frames) {
        dialogs.fileAnswers.push_back(Path(fileName));
        platform::ScopedDialogRunner runner([&](Dialog& d) {
            d.Press(TTeXDlg::kFirstKindRadio + kind);
            if (frames > 1) {
                d.Press(TTeXDlg::kPagesCheck);
                d.SetText(TTeXDlg::kFrameCountEdit, QString::number(frames));
                d.SetText(TTeXDlg::kParametersEdit, QStringLiteral("A"));
            }
            return d.Press(platform::kIdOk);
        });
        win.UpdateExportView();
        if (!win.Exports().BeginTeXExport(canvas::kFramesWithParameters)) return false;
        return WriteFrames();
    }
    // The frame loop of the running export, then its end.
    bool WriteFrames() {
        TExportState& e = win.Exports();
        bool ok = true;
        for (int k = 0; ok && k < e.FrameCount(); ++k) ok = e.WriteFrame(k);
        return e.EndExport(ok) && ok;
    }
    bool ExportSvg(const QString& fileName) {
        dialogs.fileAnswers.push_back(Path(fileName));
        platform::ScopedDialogRunner runner([](Dialog& d) { return d.Press(platform::kIdOk); });
        TExportState& e = win.Exports();
        win.UpdateExportView();
        e.svgTitle = "Plot & <friends>";
        if (!e.BeginSvgExport()) return false;
        e.ExportBackground();
        win.PaintFrame();
        return e.EndExport();
    }
    bool ExportEps(const QString& fileName, int frames) {
        dialogs.fileAnswers.push_back(Path(fileName));
        prompter.AnswerInput(QString::number(frames));
        if (frames > 1) prompter.AnswerInput(QStringLiteral("A"));
        TExportState& e = win.Exports();
        win.UpdateExportView();
        e.eps.creatorText = "Tolvex 2D plotter";
        if (!e.BeginEpsExport(1, 0)) return false;
        return WriteFrames();
    }

    // --- readers ---
    ReaderRun Run(const QString& program, const QStringList& arguments) const {
        return canvas::testing::RunReader(dir.path(), program, arguments);
    }
    // Ghostscript renders the EPS files (one PNG each, named by the pattern).
    void Ghostscript(const QString& outputPattern, const QStringList& files) const {
        QStringList arguments{"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m",
                              "-sOutputFile=" + outputPattern};
        const ReaderRun run = Run("gs", arguments + files);
        ExpectAccepted(run, "gs");
        EXPECT_EQ(run.err.find("Error"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("Error"), std::string::npos) << run.out;
    }
    // TeX (or LaTeX) typesets the wrapper with no error in its log.
    void Typeset(const char* engine, const QString& job, const std::string& wrapper) const {
        SCOPED_TRACE(job.toStdString());
        ASSERT_TRUE(canvas::testing::WriteAll(Path(job + ".tex"), wrapper));
        ExpectAccepted(Run(engine, {"-interaction=nonstopmode", "-halt-on-error", job + ".tex"}),
                       engine);
        ASSERT_TRUE(QFile::exists(Path(job + ".log")));
        EXPECT_EQ(TeXErrors(Read(job + ".log")), "");
    }
    QImage Rendered(const QString& name) const { return QImage(Path(name)); }
    // A coordinate as the PiCTeX writer prints it in this window.
    std::string Coord(long double x) {
        const int places = win.Exports().view.decimalPlaces;
        return FormatLf(x, places + 2, places);
    }

    QTemporaryDir dir;
    platform::ScriptedPrompter prompter;
    platform::ScriptedCommonDialogs dialogs;
    DiagramWindow win;
};

TEST_F(ExportWindowTest, SvgOfTheWindowIsWellFormedRendersAndCarriesItsGrid) {
    if (!HaveProgram("xmllint") || !HaveProgram("rsvg-convert"))
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed";
    ASSERT_TRUE(ExportSvg("wave.svg"));
    ExpectAccepted(Run("xmllint", {"--noout", "wave.svg"}), "xmllint");
    ExpectAccepted(Run("rsvg-convert", {"-o", "wave.png", "wave.svg"}), "rsvg-convert");

    const std::string svg = Read("wave.svg");
    // Nine vertical and seven horizontal grid lines in the grid's colour, besides the axes.
    const QRgb gridColour = win.OutputColor(win.DrawColor(win.Roles().Role(10))).rgb();
    const std::string gridStroke = "stroke=\"" + canvas::ColorToHex(gridColour) + "\"";
    EXPECT_GE(Occurrences(svg, gridStroke), 16u);
    EXPECT_GT(Occurrences(svg, "<line "), 16u + 2u + 5u);
    // The text and the degree numbers: escaped once, each 8-bit character one reference.
    EXPECT_NE(svg.find("a &amp; b &lt; c % (d) 90&#176;"), std::string::npos);
    EXPECT_NE(svg.find("2&#176;"), std::string::npos);
    EXPECT_EQ(svg.find("&#194;"), std::string::npos);

    const QImage image = Rendered("wave.png");
    ASSERT_EQ(image.size(), QSize(401, 301));
    EXPECT_GT(InkedPixels(image), 5000);
    // The y axis crosses the picture where the window draws it.
    const int axisX = win.XToScreen(0);
    EXPECT_LT(qGray(image.pixel(axisX, win.YToScreen(-3.2L))), 128);
}

TEST_F(ExportWindowTest, EpsOfTheWindowRendersInGhostscript) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    ASSERT_TRUE(ExportEps("wave.eps", 1));
    Ghostscript("wave.png", {"wave.eps"});
    const std::string eps = Read("wave.eps");
    EXPECT_NE(eps.find("(a & b < c % \\(d\\) 90\\260) show"), std::string::npos);
    EXPECT_EQ(eps.find("\\302"), std::string::npos);
    const QImage image = Rendered("wave.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(InkedPixels(image), 5000);
}

TEST_F(ExportWindowTest, EveryPictexKindOfTheWindowTypesets) {
    if (!HaveProgram("tex") || !HaveProgram("pdflatex")) GTEST_SKIP() << "TeX is not installed";
    struct Kind {
        int kind;
        const char* engine;
        std::string wrapper;
    };
    const std::array<Kind, 4> kinds{{
        {canvas::kTexStandalone, "tex", "\\input pictex \\input wave0 \\box1 \\bye\n"},
        {canvas::kLatexStandalone, "pdflatex",
         "\\documentclass{article}\\begin{document}\\input{wave1}\\end{document}\n"},
        {canvas::kTexCompilable, "tex", "\\input wave2 \\bye\n"},
        {canvas::kTexInsertable, "tex", "\\input pictex \\input wave3 \\bye\n"},
    }};
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.kind);
        const QString name = QStringLiteral("wave%1").arg(k.kind);
        ASSERT_TRUE(ExportPicTeX(name + ".tex", k.kind, 1));
        const std::string tex = Read(name + ".tex");
        EXPECT_NE(tex.find("a \\& b $<$ c \\% (d) 90${}^\\circ$"), std::string::npos);
        EXPECT_NE(tex.find("2${}^\\circ$"), std::string::npos);
        EXPECT_NE(tex.find("{x\\_1\\^{}2 = y\\_2}"), std::string::npos);
        EXPECT_EQ(tex.find("char194"), std::string::npos);
        Typeset(k.engine, "main" + name, k.wrapper);
    }
}

TEST_F(ExportWindowTest, AnimatedPictexWritesNumberedFramesAndAMasterThatTypeset) {
    if (!HaveProgram("tex") || !HaveProgram("pdflatex")) GTEST_SKIP() << "TeX is not installed";
    ASSERT_TRUE(ExportPicTeX("wave.tex", canvas::kTexInsertable, 12));
    std::string plain = "\\input pictex\n";
    for (int k = 0; k < 12; ++k) {
        const QString frame = QStringLiteral("wave%1.tex").arg(k, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(QFile::exists(Path(frame))) << frame.toStdString();
        plain += "\\input " + frame.toStdString() + "\n";
    }
    EXPECT_FALSE(QFile::exists(Path("wave.tex")));
    EXPECT_FALSE(QFile::exists(Path("wave12.tex")));
    // The phase moves: the first and last frames differ.
    EXPECT_NE(Read("wave00.tex"), Read("wave11.tex"));

    std::string master = "\\begin{animateinline}[poster=first,controls]{1}\r\n";
    for (int k = 0; k < 12; ++k) {
        master += canvas::Format("\\input{wave%02d}\r\n", k);
        if (k < 11) master += "\\newframe\r\n";
    }
    master += "\\end{animateinline}\r\n";
    EXPECT_EQ(Read("waveANIM.tex"), master);

    Typeset("tex", "frames", plain + "\\bye\n");
    // The master inputs every frame by the name it was written under. Without the animation
    // package the environment only lines the frames up.
    const std::string animation =
        Run("kpsewhich", {"animate.sty"}).exitCode == 0
            ? "\\usepackage{animate}"
            : "\\newenvironment{animateinline}[2][]{}{}\\newcommand\\newframe{\\par}";
    Typeset("pdflatex", "movie",
            "\\documentclass{article}\\usepackage{pictex}" + animation +
                "\\begin{document}\\input{waveANIM}\\end{document}\n");
}

TEST_F(ExportWindowTest, AnimatedEpsWritesNumberedFramesThatRender) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    ASSERT_TRUE(ExportEps("wave.eps", 12));
    QStringList files;
    for (int k = 0; k < 12; ++k)
        files << QStringLiteral("wave%1.eps").arg(k, 2, 10, QLatin1Char('0'));
    for (const QString& f : files) ASSERT_TRUE(QFile::exists(Path(f))) << f.toStdString();
    EXPECT_FALSE(QFile::exists(Path("wave.eps")));
    EXPECT_NE(Read("wave00.eps"), Read("wave11.eps"));
    Ghostscript("frame%02d.png", files);
    for (int k = 1; k <= 12; ++k) {
        const QImage image =
            Rendered(QStringLiteral("frame%1.png").arg(k, 2, 10, QLatin1Char('0')));
        ASSERT_FALSE(image.isNull()) << k;
        EXPECT_GT(InkedPixels(image), 3000) << k;
    }
}

// The frames of an animation share a box about the view centre; a single picture written
// afterwards by the other writer must again use the view itself, to the byte.
TEST_F(ExportWindowTest, SinglePictureAfterAnAnimationOfTheOtherKindStaysOnItsPage) {
    ASSERT_TRUE(ExportEps("before.eps", 1));
    ASSERT_TRUE(ExportPicTeX("before.tex", canvas::kTexInsertable, 1));
    ASSERT_TRUE(ExportPicTeX("movie.tex", canvas::kTexInsertable, 3));
    ASSERT_TRUE(ExportEps("after.eps", 1));
    ASSERT_TRUE(ExportEps("film.eps", 3));
    ASSERT_TRUE(ExportPicTeX("after.tex", canvas::kTexInsertable, 1));

    const std::string eps = Read("after.eps");
    EXPECT_EQ(eps, Read("before.eps"));
    EXPECT_EQ(Read("after.tex"), Read("before.tex"));

    // The y axis stands where x = 0 lies in the view -4..6: 0.4 of the page's width.
    const long double pageWidth = win.Exports().eps.PageWidth();
    const std::string axisX = FormatLf(0.4L * pageWidth, 5, 3);
    EXPECT_NE(eps.find("\r\n" + axisX + " "), std::string::npos) << axisX;
    // In PiCTeX the single picture keeps world coordinates and the frames of the animation
    // write the same axis relative to the view centre (1, 0.5).
    EXPECT_NE(Read("after.tex").find("putrule from " + Coord(0) + " "), std::string::npos);
    EXPECT_NE(Read("movie0.tex").find("putrule from " + Coord(-1) + " "), std::string::npos);
}

// PiCTeX draws an arrow from the tail of its head to the tip: the distance between them on
// paper must be the head's length, or the picture gains a shaft the window does not show.
TEST_F(ExportWindowTest, PictexArrowsAreOnlyTheirHeads) {
    ASSERT_TRUE(ExportPicTeX("arrows.tex", canvas::kTexInsertable, 1));
    const std::string tex = Read("arrows.tex");
    double ux = 0, uy = 0;
    ASSERT_EQ(std::sscanf(LineStartingWith(tex, "\\setcoordinatesystem").c_str(),
                          "\\setcoordinatesystem units <%lfcm,%lfcm>", &ux, &uy),
              2);
    int arrows = 0;
    for (std::size_t at = tex.find("\\arrow <"); at != std::string::npos;
         at = tex.find("\\arrow <", at + 1)) {
        double length = 0, b = 0, g = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        const std::string line = tex.substr(at, tex.find('\r', at) - at);
        ASSERT_EQ(std::sscanf(line.c_str(), "\\arrow <%lfcm> [%lf,%lf] from %lf %lf to %lf %lf",
                              &length, &b, &g, &x0, &y0, &x1, &y1),
                  7)
            << line;
        EXPECT_NEAR(std::hypot((x1 - x0) * ux, (y1 - y0) * uy), length, 0.002) << line;
        ++arrows;
    }
    EXPECT_EQ(arrows, 4);  // the two axes and the open arrowheads of the window and the hooks
    EXPECT_NE(tex.find("from 3.71716 2.21716 to 4.00000 2.50000"), std::string::npos);
}

// A parameter animation shows the view it is drawn in: its frames keep the picture's scale
// and its page, whatever the zoom, and differ from the single picture only in being written
// about the view centre.
TEST_F(ExportWindowTest, FramesOfAnAnimationKeepTheScaleOfAZoomedView) {
    win.SetView(1, 0.5L, 2.5L, 0, false);
    ASSERT_TRUE(ExportEps("one.eps", 1));
    ASSERT_TRUE(ExportEps("two.eps", 2));
    EXPECT_TRUE(Read("two0.eps") == Read("one.eps")) << "frame 0 is not the single picture";

    ASSERT_TRUE(ExportPicTeX("one.tex", canvas::kTexInsertable, 1));
    ASSERT_TRUE(ExportPicTeX("two.tex", canvas::kTexInsertable, 2));
    const std::string single = Read("one.tex"), frame = Read("two0.tex");
    const std::string units = LineStartingWith(single, "\\setcoordinatesystem");
    ASSERT_FALSE(units.empty());
    EXPECT_EQ(LineStartingWith(frame, "\\setcoordinatesystem"), units);
    auto corner = [this](long double x, long double y) {
        return "{\\phantom{.}} at " + Coord(x) + " " + Coord(y);
    };
    const long double hh = win.View().halfHeight;
    EXPECT_NE(single.find(corner(-1.5L, 0.5L - hh)), std::string::npos);
    EXPECT_NE(frame.find(corner(-2.5L, -hh)), std::string::npos);
    EXPECT_NE(frame.find(corner(2.5L, hh)), std::string::npos);
}

// TeX refuses dimensions beyond about 575 cm, and PiCTeX multiplies every coordinate by its
// unit: a view far from the origin (years along the x axis) is written about its centre, as
// the frames of an animation are.
TEST_F(ExportWindowTest, PictexOfAViewFarFromTheOriginTypesets) {
    if (!HaveProgram("tex")) GTEST_SKIP() << "TeX is not installed";
    win.SetView(2000, 0.5L, 5, 0, false);
    win.decorated = false;  // only what follows the view: grid, axes, numbers and the curve
    win.PlainTexts().clear();
    ASSERT_TRUE(ExportPicTeX("far.tex", canvas::kTexCompilable, 1));
    Typeset("tex", "mainfar", "\\input far \\bye\n");
    const std::string tex = Read("far.tex");
    const long double hh = win.View().halfHeight;
    EXPECT_NE(tex.find("{\\phantom{.}} at " + Coord(-5) + " " + Coord(-hh)), std::string::npos);

    // Near the origin the picture keeps its world coordinates.
    win.SetView(1, 0.5L, 5, 0, false);
    ASSERT_TRUE(ExportPicTeX("near.tex", canvas::kTexCompilable, 1));
    EXPECT_NE(Read("near.tex").find("{\\phantom{.}} at " + Coord(-4)), std::string::npos);
}

}  // namespace
}  // namespace quorlin
