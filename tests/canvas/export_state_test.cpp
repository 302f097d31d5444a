// The export state driving a real graphing window's exports end to end, as the export commands
// do: the window paints itself through its own primitives and every writer hook while a
// writer's flag is set, and a real reader must accept every file: xmllint and rsvg-convert the
// SVG, Ghostscript the EPS, TeX with the PiCTeX macros every PiCTeX kind, the numbered frames of
// an animation and its master. The dialogs are answered by the platform's scripted seams.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <numbers>
#include <string>
#include <tuple>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "fake_export_host.h"
#include "formula/func_win.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "platform/whole_file.h"

namespace quorlin::canvas {
namespace {

using platform::Dialog;
using namespace testing;

// The program's texts are 8-bit: byte 176 is the degree sign.
const std::string kAwkwardText = "a & b < c % (d) 90\xb0";

// A diagram of the kind a user draws: axes over a rectangular grid with degree numbers, the
// curve y = 2 sin(x + phase) in pieces, segments in every pen style, an open and a solid
// arrowhead, a text with characters every target language treats specially, and a picture
// through every other hook of the writers (markers, circles, shading, dotted fills, multiput
// points, a math text). An animation frame moves the phase, as a marked parameter would.
class DiagramWindow : public TFuncWin {
public:
    DiagramWindow() : TFuncWin(841, QStringLiteral("wave.qz2"), QStringLiteral("expwin.ini")) {
        SizeChanged(401, 301);
        SetView(1, 0.5L, 5, 0, false);  // the centre off the origin
        Axes().gridFlags = kGridRectangular | kGridQuadrants;
        Axes().yPlaces = 10;  // whole numbers with the degree sign
        // Outside math mode TeX refuses a bare subscript or superscript mark.
        for (const auto& [text, left, top] :
             {std::tuple{kAwkwardText, -3.5L, 3.0L}, {"x_1^2 = y_2", 0.5L, -2.2L}}) {
            TEquationLabel& label = PlainTexts().emplace_back();
            label.text = text;
            label.font = Fonts().Font(kFontTextOverlay);
            label.SetTextPointSize(120);
            label.left = left, label.top = top;
        }
        PlainTexts().back().font.escapement = 300;  // turned by 30 degrees
        Figure().frameImage = true;
        RenumberTexts(PlainTexts());
        RenderImage(ImageLayer::Picture);  // measures the texts' boxes
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

    // A curve drawer, broken where |sin| passes 0.9: the device gets polylines, PiCTeX plots, SVG
    // and EPS the buffered path. The segments, arrows and every writer hook's picture stand at
    // fixed places near the origin unless `decorated` is off.
    int DrawAll(platform::DeviceContext& dc) override {
        if (const int stop = TFuncWin::DrawAll(dc)) return stop;
        TCanvasPrimitives prim = Primitives(dc);
        prim.SetPen(QColor(0, 0, 200), 2, kStyleSolid);
        const TViewFrame& v = View();
        prim.BeginCurve();
        for (int i = 0; i <= 400; ++i) {
            const long double x = v.left + (v.right - v.left) * i / 400,
                              y = 2 * std::sin(x + phase_);
            std::fabs(y) > 1.8L ? prim.BreakCurve() : prim.CurvePoint({x, y});
        }
        prim.EndCurve();
        if (!decorated) return 0;
        for (int style = 0; style <= 4; ++style) {
            prim.SetPen(QColor(200, 0, 0), 1 + style % 2, style);
            prim.Segment({-3.5L, -3 + 0.3L * style}, {-0.5L, -2.8L + 0.3L * style}, true);
        }
        prim.SetPen(QColor(0, 0, 0), 1, kStyleSolid);
        DrawArrowHead(dc, {4, 2.5L}, {1, 1}, 0.4L, false);
        DrawArrowHead(dc, {4, -2.5L}, {1, -1}, 0.4L, true);
        PaintEveryHook(Exports());
        return 0;
    }
    bool decorated = true;

private:
    // One picture drawn through every hook of each running writer, once each, world points for
    // PiCTeX and EPS, pixels or world points for SVG, including the hooks no primitive uses.
    static void PaintEveryHook(TExportState& s) {
        const bool tex = s.Running(ExportKind::PicTeX), svg = s.Running(ExportKind::Svg),
                   eps = s.Running(ExportKind::Eps);
        const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 200), fill = qRgb(0, 160, 0);
        const PenSpec dashDot{qRgb(200, 0, 0), 1, kStyleDashDot}, curve{blue, 2, kStyleSolid};
        const std::array<WorldPoint, 6> pts{
            {{-4, 1}, {-3.5L, 1.5L}, {-3, 1}, {-2.5L, 1.5L}, {-2, 1}, {-1.5L, 1.5L}}};
        const std::array<std::uint8_t, 6> marks{1, 1, 0, 0, 0, 1};
        const std::array<WorldPoint, 4> region{{{1, -4}, {3, -4}, {4, -2}, {2, -1}}};
        const WorldPoint marker{-4.5L, 4.2L};
        if (tex) {
            s.tex.TexComment("draw axis");
            s.tex.TexLineStyle(kStyleDot, false);
            s.tex.TexSegment({-4, -4}, {4, 3}, 3);
            s.tex.TexArrow({0.4L, 0}, {5, 0}, 0.4L, false);
            s.tex.TexPolylineByParity(pts, marks, 1);
            s.tex.TexShade(region, true, 2);
            s.tex.TexPoint(marker, 5, true);
            s.tex.TexMultiputBegin(3);
            s.tex.TexMultiputPoint({1, 1});
            s.tex.TexMultiputEnd();
            s.tex.TexText("x^2 < 4 & 50%", "[b]", {2, 2}, TexMath::Inline);
            s.tex.TexImageFrame();
        }
        if (svg) {
            s.svg.SvgSegment({-4, -4}, {4, 3}, dashDot);
            s.svg.SvgPolylineByParity(pts, marks, curve, 1);
            s.svg.SvgPolygonWorld(region, false, fill, 1, black, 3);
            s.svg.SvgCircle({60, 340}, 12, black, 1, fill, 5);
            s.svg.SvgRect(280, 30, 80, 40, false, fill, 1, black, 6, 6, 2);
            s.svg.SvgEllipse({100, 100}, 4, fill, black);
            s.svg.SvgMarkerAt(marker, 11, 3, blue);
            s.svg.SvgText({200, 300}, kAwkwardText, blue, s.view.fonts[1], 1, -1);
        }
        if (eps) {
            s.eps.EpsComment("draw axis");
            s.eps.EpsSegment({-4, -4}, {4, 3}, dashDot);
            s.eps.EpsPolylineByParity(pts, marks, curve, 1);
            s.eps.EpsFill(region, false, fill, 1, black, false);
            s.eps.EpsCircle({-3, -3}, 0.6L, 1, fill, black, 1);
            s.eps.EpsRoundRect({2, 4}, {4, 3}, false, fill, 1, black, 0.2L, 1);
            s.eps.EpsDot({100, 100}, 4, 1, std::nullopt, black, 0);
            s.eps.EpsMarker(marker, 11, 3, blue);
            s.eps.EpsText({200, 300}, kAwkwardText, blue, s.view.fonts[1], 1, -1);
        }
    }

    long double phase_ = 0;
};

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
    std::string Read(const QString& name) const { return testing::ReadAll(Path(name)); }

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
        return win.Exports().BeginTeXExport(kFramesWithParameters) && WriteFrames();
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
        win.UpdateExportView();
        win.Exports().eps.creatorText = "Tolvex 2D plotter";
        return win.Exports().BeginEpsExport(1, 0) && WriteFrames();
    }

    // --- readers ---
    ReaderRun Run(const QString& program, const QStringList& arguments) const {
        return testing::RunReader(dir.path(), program, arguments);
    }
    // Ghostscript renders the EPS files (one PNG each, named by the pattern).
    void Ghostscript(const QString& outputPattern, const QStringList& files) const {
        const ReaderRun run =
            Run("gs", QStringList{"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m",
                                  "-sOutputFile=" + outputPattern} +
                          files);
        ExpectAccepted(run, "gs");
        EXPECT_EQ(run.err.find("Error"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("Error"), std::string::npos) << run.out;
    }
    // TeX (or LaTeX) typesets the wrapper with no error in its log.
    void Typeset(const char* engine, const QString& job, const std::string& wrapper) const {
        SCOPED_TRACE(job.toStdString());
        ASSERT_TRUE(testing::WriteAll(Path(job + ".tex"), wrapper));
        ExpectAccepted(Run(engine, {"-interaction=nonstopmode", "-halt-on-error", job + ".tex"}),
                       engine);
        ASSERT_TRUE(QFile::exists(Path(job + ".log")));
        EXPECT_EQ(quorlin::testing::TeXErrors(Read(job + ".log")), "");
    }
    // TeX (or LaTeX) typesets a file that is a document of its own, with no error in its log.
    void TypesetAlone(const char* engine, const QString& job) const {
        SCOPED_TRACE(job.toStdString());
        ExpectAccepted(Run(engine, {"-interaction=nonstopmode", "-halt-on-error", job + ".tex"}),
                       engine);
        ASSERT_TRUE(QFile::exists(Path(job + ".log")));
        EXPECT_EQ(quorlin::testing::TeXErrors(Read(job + ".log")), "");
        EXPECT_TRUE(QFile::exists(Path(job + ".pdf")));
    }
    QImage Rendered(const QString& name) const { return QImage(Path(name)); }
    // A coordinate as the PiCTeX writer prints it in this window, and a corner of the picture.
    std::string Coord(long double x) {
        const int places = win.Exports().view.decimalPlaces;
        return FormatLf(x, places + 2, places);
    }
    std::string Corner(long double x, long double y) {
        return "{\\phantom{.}} at " + Coord(x) + " " + Coord(y);
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
    EXPECT_GE(Occurrences(svg, "stroke=\"" + ColorToHex(gridColour) + "\""), 16u);
    EXPECT_GT(Occurrences(svg, "<line "), 16u + 2u + 5u);
    // The text and the degree numbers: escaped once, each 8-bit character one reference.
    EXPECT_NE(svg.find("a &amp; b &lt; c % (d) 90&#176;"), std::string::npos);
    EXPECT_NE(svg.find("2&#176;"), std::string::npos);
    EXPECT_EQ(svg.find("&#194;"), std::string::npos);

    const QImage image = Rendered("wave.png");
    ASSERT_EQ(image.size(), QSize(401, 301));
    EXPECT_GT(InkedPixels(image), 5000);
    // The y axis crosses the picture where the window draws it.
    EXPECT_LT(qGray(image.pixel(win.XToScreen(0), win.YToScreen(-3.2L))), 128);
}

// The single picture and the numbered frames of an animation render, and the phase moves: the
// first and last frames differ.
TEST_F(ExportWindowTest, EpsOfTheWindowAndItsAnimationRenderInGhostscript) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    ASSERT_TRUE(ExportEps("single.eps", 1));
    const std::string eps = Read("single.eps");
    EXPECT_NE(eps.find("(a & b < c % \\(d\\) 90\\260) show"), std::string::npos);
    EXPECT_EQ(eps.find("\\302"), std::string::npos);
    ASSERT_TRUE(ExportEps("wave.eps", 3));
    EXPECT_FALSE(QFile::exists(Path("wave.eps")));
    EXPECT_NE(Read("wave0.eps"), Read("wave2.eps"));
    Ghostscript("page%d.png", {"single.eps", "wave0.eps", "wave1.eps", "wave2.eps"});
    for (int k = 1; k <= 4; ++k)
        EXPECT_GT(InkedPixels(Rendered(QStringLiteral("page%1.png").arg(k))), k == 1 ? 5000 : 3000)
            << k;
}

// A refused number of pages shows its error and the box asks again, offering what was typed;
// cancelled, nothing is written.
TEST_F(ExportWindowTest, ARefusedNumberOfPagesIsShownAndAskedAgain) {
    long double unused = 0;
    const int parseError = win.ReadNumber("abc(", unused);
    ASSERT_NE(parseError, 0);
    const auto text = [](int error) {
        return platform::ResourceString(platform::kErrorStringBase + error);
    };
    struct Row {
        const char* typed;
        int error;
    };
    const Row rows[] = {{"abc(", parseError}, {"0", 17}, {"2.5", 17}, {"1000000", 17}};
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pages.eps")));
    for (const Row& row : rows) prompter.AnswerInput(QString::fromLatin1(row.typed));
    prompter.AnswerInput(QStringLiteral("1+1"));  // read as the window reads numbers
    prompter.AnswerInput(QStringLiteral("A"));
    win.UpdateExportView();
    ASSERT_TRUE(win.Exports().BeginEpsExport(1, 0));
    EXPECT_EQ(win.Exports().FrameCount(), 2);
    ASSERT_TRUE(WriteFrames());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("pages1.eps"))));
    ASSERT_EQ(prompter.messages.size(), std::size(rows));
    ASSERT_EQ(prompter.inputs.size(), std::size(rows) + 2);
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        EXPECT_EQ(prompter.messages[k].text, text(rows[k].error)) << rows[k].typed;
        EXPECT_EQ(prompter.inputs[k + 1].text, QString::fromLatin1(rows[k].typed));
    }
    // Cancelled after a refusal: no file.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("never.eps")));
    prompter.AnswerInput(QStringLiteral("abc("));
    EXPECT_FALSE(win.Exports().BeginEpsExport(1, 0));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("never.eps"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("never0.eps"))));
}

// Every kind of PiCTeX file typesets: the two standalone kinds as they stand, the others with
// the wrapper they are meant for; so does the master of an animation, which inputs every frame
// by the name it was written under.
TEST_F(ExportWindowTest, EveryPictexKindAndAnAnimationTypeset) {
    if (!HaveProgram("tex") || !HaveProgram("pdftex") || !HaveProgram("pdflatex"))
        GTEST_SKIP() << "TeX is not installed";
    const struct {
        int kind;
        const char* engine;
        std::string wrapper;  // none: the file is a document of its own
    } kinds[] = {{kTexStandalone, "pdftex", ""},
                 {canvas::kLatexStandalone, "pdflatex", ""},
                 {kTexCompilable, "tex", "\\input wave2 \\bye\n"},
                 {kTexInsertable, "tex", "\\input pictex \\input wave3 \\bye\n"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        const QString name = QStringLiteral("wave%1").arg(k.kind);
        ASSERT_TRUE(ExportPicTeX(name + ".tex", k.kind, 1));
        const std::string tex = Read(name + ".tex");
        EXPECT_NE(tex.find("a \\& b $<$ c \\% (d) 90${}^\\circ$"), std::string::npos);
        EXPECT_NE(tex.find("2${}^\\circ$"), std::string::npos);
        EXPECT_NE(tex.find("{x\\_1\\^{}2 = y\\_2}"), std::string::npos);
        EXPECT_EQ(tex.find("char194"), std::string::npos);
        if (k.wrapper.empty())
            TypesetAlone(k.engine, name);
        else
            Typeset(k.engine, "main" + name, k.wrapper);
    }

    // The master's bytes the writer's tests check; here TeX reads it.
    ASSERT_TRUE(ExportPicTeX("movie.tex", kTexInsertable, 12));
    EXPECT_FALSE(QFile::exists(Path("movie.tex")) || QFile::exists(Path("movie12.tex")));
    EXPECT_NE(Read("movie00.tex"), Read("movie11.tex"));
    // Without the animation package the environment only lines the frames up.
    const std::string animation =
        Run("kpsewhich", {"animate.sty"}).exitCode == 0
            ? "\\usepackage{animate}"
            : "\\newenvironment{animateinline}[2][]{}{}\\newcommand\\newframe{\\par}";
    Typeset("pdflatex", "movie",
            "\\documentclass{article}\\usepackage{pictex}" + animation +
                "\\begin{document}\\input{movieANIM}\\end{document}\n");
}

// "π" in the axis numbers reaches every writer as the character it is, and the readers take
// the files: UTF-8 text in the SVG, the Symbol font's "p" in the EPS, $\pi$ in PiCTeX, whose
// standalone kinds compile as they stand. Each reader that is missing is skipped with a note.
TEST_F(ExportWindowTest, PiInTheAxisNumbersReachesEveryWriterAndReader) {
    win.Axes().xPi = true;
    win.Axes().xInterval = std::numbers::pi_v<long double> / 2;
    win.decorated = false;
    const std::string threeHalves = "3\xCF\x80/2", pi = "\xCF\x80";  // UTF-8
    ASSERT_TRUE(ExportSvg("pi.svg"));
    const std::string svg = Read("pi.svg");
    EXPECT_NE(svg.find("> " + threeHalves + " </text>"), std::string::npos);
    EXPECT_NE(svg.find("> -" + pi + " </text>"), std::string::npos);
    EXPECT_EQ(svg.find("3?/2"), std::string::npos);

    ASSERT_TRUE(ExportEps("pi.eps", 1));
    const std::string eps = Read("pi.eps");
    // "3", then π in the Symbol font, then "/2" in the number font again.
    EXPECT_NE(eps.find("(3) show /Symbol findfont "), std::string::npos);
    EXPECT_NE(eps.find("scalefont setfont (p) show /"), std::string::npos);
    EXPECT_NE(eps.find("(/2) show"), std::string::npos);
    EXPECT_NE(eps.find("(-) show /Symbol findfont "), std::string::npos);
    EXPECT_EQ(eps.find("(3?/2)"), std::string::npos);

    ASSERT_TRUE(ExportPicTeX("pi0.tex", kTexStandalone, 1));
    ASSERT_TRUE(ExportPicTeX("pi1.tex", canvas::kLatexStandalone, 1));
    for (const char* name : {"pi0.tex", "pi1.tex"}) {
        const std::string tex = Read(name);
        EXPECT_NE(tex.find("{3$\\pi$/2}"), std::string::npos) << name;
        EXPECT_NE(tex.find("{-$\\pi$}"), std::string::npos) << name;
    }

    if (HaveProgram("rsvg-convert"))
        ExpectAccepted(Run("rsvg-convert", {"-o", "pi.png", "pi.svg"}), "rsvg-convert");
    else
        std::fprintf(stderr, "rsvg-convert is not installed: the SVG was not rendered\n");
    if (HaveProgram("gs")) {
        Ghostscript("pi%d.png", {"pi.eps"});
        EXPECT_GT(InkedPixels(Rendered("pi1.png")), 1000);
    } else {
        std::fprintf(stderr, "Ghostscript is not installed: the EPS was not rendered\n");
    }
    if (HaveProgram("pdftex") && HaveProgram("pdflatex")) {
        TypesetAlone("pdftex", "pi0");
        TypesetAlone("pdflatex", "pi1");
    } else {
        std::fprintf(stderr, "pdftex or pdflatex is not installed: PiCTeX was not typeset\n");
    }
}

// The frames of an animation share a box about the view centre: they keep the picture's scale
// and its page, whatever the zoom. A single picture written afterwards by either writer must
// again use the view itself, to the byte.
TEST_F(ExportWindowTest, FramesKeepThePicturesScaleAndLeaveLaterSinglePicturesAlone) {
    ASSERT_TRUE(ExportEps("before.eps", 1));
    ASSERT_TRUE(ExportPicTeX("before.tex", kTexInsertable, 1));
    ASSERT_TRUE(ExportPicTeX("movie.tex", kTexInsertable, 3));
    ASSERT_TRUE(ExportEps("after.eps", 1));
    ASSERT_TRUE(ExportEps("film.eps", 3));
    ASSERT_TRUE(ExportPicTeX("after.tex", kTexInsertable, 1));
    const std::string eps = Read("after.eps");
    EXPECT_TRUE(eps == Read("before.eps") && Read("after.tex") == Read("before.tex"));
    // The y axis stands where x = 0 lies in the view -4..6: 0.4 of the page's width.
    const std::string axisX = FormatLf(0.4L * win.Exports().eps.PageWidth(), 5, 3);
    EXPECT_NE(eps.find("\r\n" + axisX + " "), std::string::npos) << axisX;
    // In PiCTeX the single picture keeps world coordinates and the frames of the animation
    // write the same axis relative to the view centre (1, 0.5).
    EXPECT_NE(Read("after.tex").find("putrule from " + Coord(0) + " "), std::string::npos);
    EXPECT_NE(Read("movie0.tex").find("putrule from " + Coord(-1) + " "), std::string::npos);

    win.SetView(1, 0.5L, 2.5L, 0, false);  // zoomed in
    ASSERT_TRUE(ExportEps("one.eps", 1));
    ASSERT_TRUE(ExportEps("two.eps", 2));
    EXPECT_TRUE(Read("two0.eps") == Read("one.eps")) << "frame 0 is not the single picture";
    ASSERT_TRUE(ExportPicTeX("one.tex", kTexInsertable, 1));
    ASSERT_TRUE(ExportPicTeX("two.tex", kTexInsertable, 2));
    const std::string units = LineStartingWith(Read("one.tex"), "\\setcoordinatesystem");
    ASSERT_FALSE(units.empty());
    EXPECT_EQ(LineStartingWith(Read("two0.tex"), "\\setcoordinatesystem"), units);
}

// PiCTeX draws an arrow from the tail of its head to the tip: the distance between them on
// paper must be the head's length, or the picture gains a shaft the window does not show.
TEST_F(ExportWindowTest, PictexArrowsAreOnlyTheirHeads) {
    ASSERT_TRUE(ExportPicTeX("arrows.tex", kTexInsertable, 1));
    const std::string tex = Read("arrows.tex");
    double ux = 0, uy = 0;
    ASSERT_EQ(std::sscanf(LineStartingWith(tex, "\\setcoordinatesystem").c_str(),
                          "\\setcoordinatesystem units <%lfcm,%lfcm>", &ux, &uy),
              2);
    int arrows = 0;
    for (std::size_t at = tex.find("\\arrow <"); at != std::string::npos;
         at = tex.find("\\arrow <", at + 1), ++arrows) {
        double length = 0, b = 0, g = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        const std::string line = tex.substr(at, tex.find('\r', at) - at);
        ASSERT_EQ(std::sscanf(line.c_str(), "\\arrow <%lfcm> [%lf,%lf] from %lf %lf to %lf %lf",
                              &length, &b, &g, &x0, &y0, &x1, &y1),
                  7)
            << line;
        EXPECT_NEAR(std::hypot((x1 - x0) * ux, (y1 - y0) * uy), length, 0.002) << line;
    }
    EXPECT_EQ(arrows, 4);  // the two axes and the open arrowheads of the window and the hooks
    EXPECT_NE(tex.find("from 3.71716 2.21716 to 4.00000 2.50000"), std::string::npos);
}

// TeX refuses dimensions beyond about 575 cm, and PiCTeX multiplies every coordinate by its
// unit: a view far from the origin (years along the x axis) is written about its centre, as
// the frames of an animation are; near the origin the picture keeps its world coordinates.
TEST_F(ExportWindowTest, PictexOfAViewFarFromTheOriginTypesets) {
    if (!HaveProgram("tex")) GTEST_SKIP() << "TeX is not installed";
    win.SetView(2000, 0.5L, 5, 0, false);
    win.decorated = false;  // only what follows the view: grid, axes, numbers and the curve
    win.PlainTexts().clear();
    ASSERT_TRUE(ExportPicTeX("far.tex", kTexCompilable, 1));
    Typeset("tex", "mainfar", "\\input far \\bye\n");
    EXPECT_NE(Read("far.tex").find(Corner(-5, -win.View().halfHeight)), std::string::npos);
    win.SetView(1, 0.5L, 5, 0, false);
    ASSERT_TRUE(ExportPicTeX("near.tex", kTexCompilable, 1));
    EXPECT_NE(Read("near.tex").find("{\\phantom{.}} at " + Coord(-4)), std::string::npos);
}

// A disk that fails under each export kind: the export reports no success and shows what a
// failed save shows, the error ("no more room" for a full disk or quota, "cannot open file" for
// any other failure), the file and the system's reason; the file it was to replace keeps every
// byte. A write that claims to have taken its bytes without writing them (error 0) is caught by
// the size check, which finds the disk full.
TEST_F(ExportWindowTest, AFailedWriteOfEveryKindIsShownAndKeepsTheOldFile) {
    using Export = std::function<bool()>;
    using Report = ExportReport (*)(const ExportContext&);
    const struct {
        const char* kind;
        const char* oldFile;  // the file the export replaces first
        Export run;
        Report report;
        int error;          // the failing write's; 0: it says it took every byte and wrote none
        const char* shown;  // the error's text in the report
    } rows[] = {
        {"EPS", "one.eps", [this] { return ExportEps("one.eps", 1); }, ReportEpsSaved, ENOSPC,
         "no more room"},
        {"EPS frames", "two0.eps", [this] { return ExportEps("two.eps", 2); }, ReportEpsSaved, 0,
         "no more room"},
        {"SVG", "one.svg", [this] { return ExportSvg("one.svg"); }, ReportSvgSaved, EIO,
         "cannot open file"},
        {"PiCTeX", "one.tex", [this] { return ExportPicTeX("one.tex", kTexCompilable, 1); },
         ReportTeXSaved, 0, "no more room"},
        {"PiCTeX frames", "three0.tex",
         [this] { return ExportPicTeX("three.tex", kTexInsertable, 3); }, ReportTeXSaved, EDQUOT,
         "no more room"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string old = std::string("last week's ") + row.kind + '\0' + "\xff\r\n";
        ASSERT_TRUE(testing::WriteAll(Path(row.oldFile), old));
        bool written = true;
        {
            const platform::ScopedFileWriteCall full(
                [error = row.error](int, const void*, std::size_t size) -> long {
                    if (error == 0) return static_cast<long>(size);
                    errno = error;
                    return -1;
                });
            written = row.run();
        }
        EXPECT_FALSE(written);
        const ExportReport report = row.report(win.Exports());
        EXPECT_FALSE(report.saved);
        EXPECT_EQ(report.caption, QStringLiteral("hmm ..."));
        EXPECT_EQ(report.text,
                  QString::fromLatin1(row.shown) + "\n" + Path(row.oldFile) + "\n" +
                      QString::fromLocal8Bit(std::strerror(row.error == 0 ? ENOSPC : row.error)));
        EXPECT_EQ(Read(row.oldFile), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QString::fromLatin1(row.oldFile)});
        QFile::remove(Path(row.oldFile));
    }
}

// The frames of a TeX animation are written and its master "ANIM.tex" is not (the disk filled
// after the last frame): the export reports no success and names the master with the system's
// reason; the master it was to replace keeps every byte and nothing is left beside the files.
TEST_F(ExportWindowTest, AnAnimationMasterThatCannotBeWrittenIsShown) {
    const std::string old = "last week's master\r\n";
    ASSERT_TRUE(testing::WriteAll(Path("waveANIM.tex"), old));
    bool written = true;
    {
        // Writes fail once they go to the master's file (a temporary one beside it).
        const platform::ScopedFileWriteCall full(
            [](int fd, const void* data, std::size_t size) -> long {
                const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
                char held[PATH_MAX] = {};
                const ssize_t n = ::readlink(link.constData(), held, sizeof held - 1);
                if (n > 0 && QByteArray(held, n).contains("waveANIM.tex")) {
                    errno = ENOSPC;
                    return -1;
                }
                return ::write(fd, data, size);
            });
        written = ExportPicTeX("wave.tex", kTexInsertable, 3);
    }
    EXPECT_FALSE(written);
    const ExportReport report = ReportTeXSaved(win.Exports());
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.text, "no more room\n" + Path("waveANIM.tex") + "\n" +
                               QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(Read("waveANIM.tex"), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"wave0.tex", "wave1.tex", "wave2.tex", "waveANIM.tex"}));
    EXPECT_NE(Read("wave2.tex").find("endpicture"), std::string::npos);
}

}  // namespace
}  // namespace quorlin::canvas
