// The 2D window end to end: a script pasted from the clipboard draws an explicit, a polar and
// a parametric curve, a segment and a point, a line is added beside them, and each is found on
// the cached picture where its closed form puts it; the export commands write SVG, EPS and
// PiCTeX files that real readers accept and whose curves lie on the same closed forms.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <sstream>
#include <vector>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "examples/plot_test_window.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "support/file_readers.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::ExpectAccepted;
using quorlin::testing::HaveProgram;
using quorlin::testing::ReadAll;
using quorlin::testing::RunReader;
using Point = std::pair<long double, long double>;

constexpr long double kPi = std::numbers::pi_v<long double>;
const std::string kScript =
    "EXPL2; sin(x)*2;\r\n"
    "POLAR; 1+cos(t); 0; 2*pi;\r\n"
    "PARAM2; 3*cos(t); sin(t); 0; 2*pi;\r\n"
    "SEG2; -4; -4; 4; -3;\r\n"
    "POINT2; 2; 2;\r\n";

// The closed forms, by example index: each gives its point at a parameter.
Point Explicit(long double x) {
    return {x, 2 * std::sin(x)};
}
Point Polar(long double t) {
    return {(1 + std::cos(t)) * std::cos(t), (1 + std::cos(t)) * std::sin(t)};
}
Point Ellipse(long double t) {
    return {3 * std::cos(t), std::sin(t)};
}
Point Segment(long double s) {
    return {-4 + 8 * s, -4 + s};
}
Point Line(long double x) {  // x + 2y = 6
    return {x, 3 - x / 2};
}

// How far a point lies from each curve, in world units (0 on it).
long double OffExplicit(Point p) {
    return std::fabs(p.second - 2 * std::sin(p.first));
}
long double OffPolar(Point p) {  // r = 1 + cos t: r^2 = r + x
    const long double r = std::hypot(p.first, p.second);
    return std::fabs(r * r - r - p.first);
}
long double OffEllipse(Point p) {
    return std::fabs(std::hypot(p.first / 3, p.second) - 1);
}

class Plot2WinTest : public quorlin::testing::PlotWindowTest {
protected:
    Plot2WinTest() {
        platform::SetCommonDialogs(&dialogs);
        win.Exports().eps.SetDateSource([] { return QStringLiteral("6 December 2026"); });
    }
    ~Plot2WinTest() override { platform::SetCommonDialogs(nullptr); }

    // The five examples of the script and the line x + 2y = 6.
    void MakeDiagram() {
        Paste(kScript);
        ASSERT_TRUE(Errors().empty());
        ASSERT_EQ(win.Inventory().Count(), 5);
        win.AddExample(examples::kind::kLine, 0, 1, {"1", "2", "6"});
        win.CompileExample(5);
        win.AddEquationLabel();
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // The points of every path of an SVG drawn in a colour, in world coordinates.
    std::vector<std::vector<Point>> SvgPaths(const std::string& svg, QRgb colour) const {
        std::vector<std::vector<Point>> paths;
        const QString hex = QString::fromStdString(canvas::ColorToHex(colour));
        const QRegularExpression path(QStringLiteral("<path d=\"([^\"]*)\"[^>]*stroke=\"") + hex);
        for (auto it = path.globalMatch(QString::fromStdString(svg)); it.hasNext();) {
            std::istringstream in(it.next().captured(1).remove('M').remove('L').toStdString());
            std::vector<Point> points;
            for (int x = 0, y = 0; in >> x >> y;)
                points.push_back({win.ScreenToX(x), win.ScreenToY(y)});
            paths.push_back(std::move(points));
        }
        return paths;
    }

    // The point lists of the PiCTeX plots ("\plot x y x y ... /").
    static std::vector<std::vector<Point>> TexPlots(const std::string& tex) {
        std::vector<std::vector<Point>> plots;
        for (std::size_t at = tex.find("\\plot "); at != std::string::npos;
             at = tex.find("\\plot ", at + 1)) {
            std::istringstream in(tex.substr(at + 6, tex.find('/', at) - at - 6));
            std::vector<Point> points;
            for (long double x = 0, y = 0; in >> x >> y;) points.push_back({x, y});
            plots.push_back(std::move(points));
        }
        return plots;
    }

    // Whether one of the point lists holds at least `least` points, all within tol of a curve.
    static bool HasCurve(const std::vector<std::vector<Point>>& lists, std::size_t least,
                         long double tol, long double (*off)(Point)) {
        for (const auto& points : lists) {
            if (points.size() < least) continue;
            if (std::all_of(points.begin(), points.end(), [&](Point p) { return off(p) <= tol; }))
                return true;
        }
        return false;
    }

    // Pixels of a rectangle that are not the background's.
    int InkIn(const QImage& image, const QRect& r) const {
        const QRgb background = win.GetColor(win.Roles().Role(0)).rgb();
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixel(x, y) != background) ++ink;
        return ink;
    }

    platform::ScriptedCommonDialogs dialogs;
    QTemporaryDir dir;
};

TEST_F(Plot2WinTest, PastedExamplesLieWhereTheirClosedFormsPutThem) {
    MakeDiagram();
    const QImage image = Picture();
    EXPECT_GE(ShareOnCurve(image, ColourOf(0), -5, 5, 40, Explicit), 0.95);
    EXPECT_GE(ShareOnCurve(image, ColourOf(1), 0, 2 * kPi, 40, Polar), 0.95);
    EXPECT_GE(ShareOnCurve(image, ColourOf(2), 0, 2 * kPi, 40, Ellipse), 0.95);
    EXPECT_GE(ShareOnCurve(image, ColourOf(3), 0, 1, 20, Segment), 0.95);
    EXPECT_GE(ShareOnCurve(image, ColourOf(5), -4, 5, 20, Line), 0.95);
    EXPECT_TRUE(InkAt(image, 2, 2, ColourOf(4)));
    // The segment ends where it ends, and nothing of the curves is drawn off them.
    EXPECT_FALSE(InkAt(image, -4.5L, -4.0625L, ColourOf(3), 2));
    EXPECT_FALSE(InkAt(image, 0, 2, ColourOf(0), 3));
    EXPECT_FALSE(InkAt(image, 0, 0.5L, ColourOf(2), 3));
}

TEST_F(Plot2WinTest, EveryExampleHasItsLabelAndTheLabelsShowTogether) {
    MakeDiagram();
    const canvas::TextList& labels = win.EquationLabels().Labels();
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[0].text, "y = sin(x)*2");
    EXPECT_EQ(labels[5].number, 5);
    // The labels stand in a column from three pixels in at the top left, hidden until shown.
    const QRect column(3, 3, 150, 6 * win.LineHeight());
    const int hidden = InkIn(Picture(), column);
    ASSERT_TRUE(win.SendCommand(cmd::kShowEquations));
    EXPECT_GT(InkIn(Picture(), column), hidden + 100);
    ASSERT_TRUE(win.SendCommand(cmd::kShowPoints));
    EXPECT_FALSE(InkAt(Picture(), 2, 2, ColourOf(4)));
}

TEST_F(Plot2WinTest, CurvesFarOutsideOrWithoutRangeDrawWithoutStalling) {
    // A curve far beyond the view, one that jumps to huge values, a polar curve of an empty
    // range and one of density 0: each is drawn or skipped, never sampled with a zero step.
    Paste("EXPL2;1e300*x;EXPL2;tan(x);POLAR;t;1;1;PARAM2;t;t;0;1;");
    ASSERT_TRUE(Errors().empty());
    win.Inventory()[3].density = 0;
    const QImage image = Picture();
    EXPECT_TRUE(InkAt(image, 0, 0, ColourOf(0), 1));
    EXPECT_TRUE(InkAt(image, 0.5L, 0.5L, ColourOf(3), 1));
}

TEST_F(Plot2WinTest, SvgExportIsReadAndHoldsTheCurves) {
    if (!HaveProgram("xmllint") || !HaveProgram("rsvg-convert"))
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed";
    MakeDiagram();
    dialogs.fileAnswers.push_back(Path("curves.svg"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
    ASSERT_TRUE(win.SendCommand(cmd::kExportSvg));
    ExpectAccepted(RunReader(dir.path(), "xmllint", {"--noout", "curves.svg"}), "xmllint");
    ExpectAccepted(RunReader(dir.path(), "rsvg-convert", {"-o", "curves.png", "curves.svg"}),
                   "rsvg-convert");
    const std::string svg = ReadAll(Path("curves.svg"));
    constexpr long double kTwoPixels = 0.05L;
    // The curves come thinned to what their pixels show: tens of points, each on the curve.
    EXPECT_TRUE(HasCurve(SvgPaths(svg, ColourOf(0)), 20, 2 * kTwoPixels, OffExplicit));
    EXPECT_TRUE(HasCurve(SvgPaths(svg, ColourOf(1)), 20, 2 * kTwoPixels, OffPolar));
    EXPECT_TRUE(HasCurve(SvgPaths(svg, ColourOf(2)), 20, kTwoPixels, OffEllipse));
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("SVG file saved"));
}

TEST_F(Plot2WinTest, EpsExportRendersInGhostscript) {
    if (!HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    MakeDiagram();
    dialogs.fileAnswers.push_back(Path("curves.eps"));
    prompter.AnswerInput(QStringLiteral("1"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    const quorlin::testing::ReaderRun run =
        RunReader(dir.path(), "gs",
                  {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m", "-sOutputFile=curves.png",
                   "curves.eps"});
    ExpectAccepted(run, "gs");
    EXPECT_EQ(run.out.find("Error"), std::string::npos) << run.out;
    const std::string eps = ReadAll(Path("curves.eps"));
    for (int i : {0, 1, 2, 3, 5})
        EXPECT_NE(eps.find(canvas::EpsColorString(ColourOf(i)) + " setrgbcolor"), std::string::npos)
            << i;
    EXPECT_GT(quorlin::testing::InkedPixels(QImage(Path("curves.png"))), 1500);
}

TEST_F(Plot2WinTest, PictexExportTypesetsAndItsPlotsLieOnTheCurves) {
    if (!HaveProgram("tex")) GTEST_SKIP() << "TeX is not installed";
    MakeDiagram();
    dialogs.fileAnswers.push_back(Path("curves.tex"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        return d.Press(1);
    });
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    const std::string tex = ReadAll(Path("curves.tex"));
    const auto plots = TexPlots(tex);
    EXPECT_TRUE(HasCurve(plots, 20, 0.002L, OffExplicit));
    EXPECT_TRUE(HasCurve(plots, 20, 0.002L, OffPolar));
    EXPECT_TRUE(HasCurve(plots, 20, 0.002L, OffEllipse));
    ASSERT_TRUE(
        quorlin::testing::WriteAll(Path("main.tex"), "\\input pictex \\input curves \\bye\n"));
    ExpectAccepted(
        RunReader(dir.path(), "tex", {"-interaction=nonstopmode", "-halt-on-error", "main.tex"}),
        "tex");
    EXPECT_EQ(quorlin::testing::TeXErrors(ReadAll(Path("main.log"))), "");
}

// Two frames move a marked parameter from its left to its right end; afterwards the parameter
// stays at its left end, where marking put it, and later paints are no animation frames.
TEST_F(Plot2WinTest, EpsFramesMoveTheMarkedParameter) {
    Paste("EXPL2;A;");
    auto& f = win.Formulas();
    f.params.left[1] = -2;
    f.params.right[1] = 3;
    f.SetVar(1, 0.5L);
    dialogs.fileAnswers.push_back(Path("level.eps"));
    prompter.AnswerInput(QStringLiteral("2"));
    prompter.AnswerInput(QStringLiteral("a"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    const std::string first = ReadAll(Path("level0.eps")), last = ReadAll(Path("level1.eps"));
    const long double yScale = win.Exports().eps.PageHeight() / (2 * win.View().halfHeight);
    // The horizontal line y = A, relative to the frames' box about the view centre.
    const auto row = [&](long double y) {
        return " " + FormatLf(win.Exports().eps.PageHeight() / 2 + y * yScale, 5, 3) + " ";
    };
    EXPECT_NE(first.find(row(-2)), std::string::npos);
    EXPECT_NE(last.find(row(3)), std::string::npos);
    EXPECT_EQ(f.Var(1), -2);
    EXPECT_FALSE(win.Output().animationFrame);
}

// A turning view needs a 3D window: here the text names nothing to animate, and no file (and
// no animation master naming frames) is written.
TEST_F(Plot2WinTest, VturnInA2DWindowIsRefused) {
    Paste("EXPL2;A;");
    dialogs.fileAnswers.push_back(Path("turn.tex"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        d.Press(canvas::TTeXDlg::kPagesCheck);
        d.SetText(canvas::TTeXDlg::kFrameCountEdit, QStringLiteral("3"));
        d.SetText(canvas::TTeXDlg::kParametersEdit, QStringLiteral("vturn"));
        return d.Press(1);
    });
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0], QStringLiteral("could not find"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace quorlin::plot2d
