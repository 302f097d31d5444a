// Every 2D kind in a 2D window: each example is found on the cached picture where its closed
// form puts it, and nothing is drawn where nothing must be (across poles and jumps); the same
// diagram goes to SVG, EPS and PiCTeX files that their readers accept, whose curves follow the
// closed forms.
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <sstream>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "examples/plot_test_window.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "plot2d/orbital.h"
#include "support/file_readers.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using Point = std::pair<long double, long double>;
using Curve = std::function<Point(long double)>;
constexpr long double kPi = std::numbers::pi_v<long double>;

class KindsTest : public quorlin::testing::PlotWindowTest {
protected:
    KindsTest() { platform::SetCommonDialogs(&dialogs); }
    ~KindsTest() override { platform::SetCommonDialogs(nullptr); }

    // Appends an example with the texts, in a colour of its own, lets `setup` finish it and
    // compiles it.
    int Add(int kind, std::array<std::string_view, 5> texts,
            const std::function<void(examples::TExample&)>& setup = {}) {
        examples::TExample& e = win.AddExample(kind, 0, 1, texts);
        const int i = win.Inventory().LastIndex();
        e.pen.colour = static_cast<std::int16_t>(2 + i);
        if (setup) setup(e);
        win.CompileExample(i);
        return i;
    }
    // A trajectory record of the example's kind from a start in its colour.
    static examples::TTrajectory Record(const examples::TExample& e, Point start, long double end,
                                        long double step = 0) {
        examples::TTrajectory t;
        t.kind = static_cast<std::uint16_t>(e.kind);
        t.startX = start.first;
        t.startY = start.second;
        t.endTime = end;
        t.treeOf = {0, 1, -1};
        t.option1 = 2;
        t.step = step;
        t.pen = e.pen;
        return t;
    }

    // The diagram of every kind; each entry's closed form over its parameter range.
    struct TShown {
        int index;
        long double t0, t1;
        Curve f;
        int samples = 60;  // points of the closed form looked for
    };
    std::vector<TShown> MakeDiagram();

    platform::ScriptedCommonDialogs dialogs;
    QTemporaryDir dir;
};

std::vector<KindsTest::TShown> KindsTest::MakeDiagram() {
    std::vector<TShown> shown;
    const auto show = [&](int i, long double t0, long double t1, Curve f, int samples = 60) {
        shown.push_back({i, t0, t1, std::move(f), samples});
    };
    show(Add(k::kExplicit, {"", "x^3/20-x"}), -5, 5, [](long double x) {
        return Point{x, x * x * x / 20 - x};
    });
    show(Add(k::kPolar, {"", "", "t/2"}, [](auto& e) { e.Text(7) = "0;3pi"; }), 0, 3 * kPi,
         [](long double t) {
             return Point{t / 2 * std::cos(t), t / 2 * std::sin(t)};
         });
    show(Add(k::kParametric, {"4cos(t)", "3sin(t)"}, [](auto& e) { e.Text(7) = "0;2pi"; }), 0,
         2 * kPi, [](long double t) {
             return Point{4 * std::cos(t), 3 * std::sin(t)};
         });
    show(Add(k::kImplicit, {"", "", "1-(x^2+y^2)"}), 0, 2 * kPi, [](long double t) {
        return Point{std::cos(t), std::sin(t)};
    });
    show(Add(k::kSegment, {"-4", "4", "-1", "4.5"}), 0, 1, [](long double s) {
        return Point{-4 + 3 * s, 4 + s / 2};
    });
    show(Add(k::kLine, {"1", "-1", "4.5"}), -0.4L, 5,  // y = x - 4.5
         [](long double x) {
             return Point{x, x - 4.5L};
         });
    const int point = Add(k::kPoint, {"-3", "-3"});
    show(
        point, 0, 1,
        [](long double) {
            return Point{-3, -3};
        },
        2);
    // Lagrange through (-4, -2), (-2, -4), (0, -2): y = x^2/2 + 2x - 2.
    show(Add(k::kLagrange, {},
             [](auto& e) {
                 e.word32 = 2;
                 e.points[0] = {-4, -2, 0};
                 e.points[1] = {-2, -4, 0};
                 e.points[2] = {0, -2, 0};
             }),
         -5, 2.3L, [](long double x) {
             return Point{x, x * x / 2 + 2 * x - 2};
         });
    // The antiderivative of cos from 0, and a cycloid rolled on the x-axis.
    const int cosine = Add(k::kExplicit, {"", "cos(x)"}, [](auto& e) { e.graphShown = 0; });
    show(Add(k::kIntegral, {"0"},
             [&](auto& e) {
                 e.derivation = 73;
                 e.parent = {static_cast<std::int16_t>(cosine), -1};
             }),
         -5, 5, [](long double x) {
             return Point{x, std::sin(x)};
         });
    win.UpdateAntiderivative(win.Inventory().LastIndex());
    const int axis = Add(k::kExplicit, {"", "0"}, [](auto& e) { e.graphShown = 0; });
    show(Add(k::kRoulette, {},
             [&](auto& e) {
                 e.derivation = 82;
                 e.parent = {static_cast<std::int16_t>(axis), -1};
                 e.subKind = k::kExplicit;
                 e.rangeLow[0] = 0;
                 e.rangeHigh[0] = 2 * kPi;
                 e.NumberAt(291) = 1;
                 e.NumberAt(301) = 1;
                 e.byte55 = 1;
             }),
         0, 4, [](long double t) {
             return Point{t - std::sin(t), 1 - std::cos(t)};
         });
    win.UpdateRoulette(win.Inventory().LastIndex());
    // A system with a circular trajectory of radius 4.5, a dy/dx equation y' = y from
    // (-5, 0.01), x'' = -x from y(0) = 0, y'(0) = 2, a sequence and an intrinsic circle.
    show(Add(k::kSystem, {"-y", "x"},
             [](auto& e) {
                 e.fieldDisplay = 0;
                 e.trajectories.push_back(Record(e, {4.5L, 0}, 2 * kPi));
             }),
         0, 2 * kPi, [](long double t) {
             return Point{4.5L * std::cos(t), 4.5L * std::sin(t)};
         });
    show(Add(k::kSlope, {"", "", "y"},
             [](auto& e) {
                 e.fieldDisplay = 0;
                 e.trajectories.push_back(Record(e, {-5, 0.01L}, 0, 0.01L));
             }),
         -5, 1.25L, [](long double x) {
             return Point{x, 0.01L * std::exp(x + 5)};
         });
    show(Add(k::kHigherOrder, {"", "", "-y"},
             [](auto& e) {
                 e.order = 2;
                 auto t = Record(e, {0, 0}, 0, 0.01L);
                 t.AllocTexts();
                 t.texts[0] = "0;2";
                 e.trajectories.push_back(std::move(t));
             }),
         0, 5, [](long double x) {
             return Point{x, 2 * std::sin(x)};
         });
    show(Add(k::kSequence, {"x+1", "y"},
             [](auto& e) {
                 e.byte60 = 1;
                 e.trajectories.push_back(Record(e, {-4, -4.5L}, 8));
             }),
         -4, 4, [](long double x) {
             return Point{x, -4.5L};
         });
    show(Add(k::kIntrinsic, {"0.5", "", "", "", "1,-1"},
             [](auto& e) {
                 e.Text(6) = "1,0";
                 e.Text(7) = "-2pi;2pi";
                 e.rangeLow[0] = -2 * kPi;
                 e.rangeHigh[0] = 2 * kPi;
             }),
         0, 2 * kPi, [](long double t) {
             return Point{1 + 2 * std::sin(t), 1 - 2 * std::cos(t)};
         });
    // Plot points of the explicit curve, a series of numbers and two bodies.
    show(
        Add(k::kPlotPoints, {},
            [](auto& e) {
                e.derivation = 99;
                e.parent = {0, -1};
                e.subKind = k::kExplicit;
                e.Text(4) = "-2 2";
                e.pen.width = 3;
            }),
        -2, 2,
        [](long double x) {
            return Point{x, x * x * x / 20 - x};
        },
        2);
    win.RebuildPlotPoints(win.Inventory().LastIndex());
    show(Add(k::kSeries, {"n", "1/2^n"},
             [](auto& e) {
                 e.divisions = {0, 4, 36};
                 e.byte60 = 1;
             }),
         0, 4, [](long double n) {
             return Point{n, 2 - std::pow(0.5L, n)};
         });
    show(Add(k::kOrbital, {},
             [](auto& e) {
                 using namespace orbital;
                 e.derivationParam = 1;
                 e.points[kMassEntry] = {1, 0, 0};
                 e.points[kMassEntry + 1] = {1e-9L, 0, 0};
                 e.points[kInitialPositionEntry + 1] = {3.5L, 0, 0};
                 e.points[kInitialVelocityEntry + 1] = {0, std::sqrt(1 / 3.5L), 0};
                 TOrbitalSettings s;
                 s.interval = 2 * kPi * std::pow(3.5L, 1.5L);
                 s.calculations = 500;
                 s.timeStep = s.interval / 500;
                 s.positions = 1e9L;
                 StoreSettings(e, s);
                 // The bodies' pens: the sun in a colour of its own.
                 examples::TTrajectory sun, planet;
                 sun.kind = planet.kind = examples::TTrajectory::kOrbitalBodyKind;
                 sun.pen = {50, 1, 0};
                 planet.pen = e.pen;
                 e.trajectories.clear();
                 e.trajectories.push_back(std::move(sun));
                 e.trajectories.push_back(std::move(planet));
             }),
         0, 2 * kPi, [](long double t) {
             return Point{3.5L * std::cos(t), 3.5L * std::sin(t)};
         });
    return shown;
}

TEST_F(KindsTest, EveryKindLiesOnItsClosedForm) {
    const auto shown = MakeDiagram();
    const QImage image = Picture();
    for (const TShown& s : shown) {
        SCOPED_TRACE(win.DescribeExample(s.index));
        // Curves drawn later cover a few pixels of those they cross.
        EXPECT_GE(ShareOnCurve(image, ColourOf(s.index), s.t0, s.t1, s.samples, s.f), 0.9);
    }
}

TEST_F(KindsTest, NothingAcrossPolesAndJumpsAndTheCircleHasNoGap) {
    const int tan = Add(k::kExplicit, {"", "tan(x)"});
    const int reciprocal = Add(k::kExplicit, {"", "1/x"});
    const int floor = Add(k::kExplicit, {"", "floor(x)"});
    const int circle = Add(k::kImplicit, {"", "", "1-(x^2+y^2)"});
    const QImage image = Picture();
    for (long double y : {-3.0L, -0.5L, 0.4L, 2.5L}) {
        EXPECT_FALSE(InkAt(image, kPi / 2, y, ColourOf(tan), 0)) << (double)y;
        EXPECT_FALSE(InkAt(image, -kPi / 2, y, ColourOf(tan), 0)) << (double)y;
    }
    EXPECT_FALSE(InkAt(image, 0, 0.5L, ColourOf(reciprocal), 1));
    EXPECT_FALSE(InkAt(image, 0, -2, ColourOf(reciprocal), 1));
    for (long double x : {-2.0L, 1.0L, 3.0L})
        EXPECT_FALSE(InkAt(image, x, x - 0.5L, ColourOf(floor), 1)) << (double)x;
    // Every pixel of the unit circle has the curve within a pixel: no gap of two pixels.
    EXPECT_EQ(ShareOnCurve(image, ColourOf(circle), 0, 2 * kPi, 720,
                           [](long double t) {
                               return Point{std::cos(t), std::sin(t)};
                           }),
              1.0);
}

TEST_F(KindsTest, ShadingsAndRegionsAreFilledWhereTheyHold) {
    const int parabola = Add(k::kExplicit, {"", "x^2-4"});
    TShadeRecord below{static_cast<std::int16_t>(parabola), TShadeRecord::kBelow};
    below.colour = 30;
    win.State2D().shades.push_back(below);
    win.Options().fillExplicit = true;
    Add(k::kImplicit, {"", "", "1-((x-3)^2+(y-3)^2)"}, [](auto& e) {
        e.subKind = 1;
        e.listing = 40;
    });
    const QImage image = Picture();
    const QRgb shade = win.OutputColor(30).rgb(), region = win.OutputColor(40).rgb();
    EXPECT_TRUE(InkAt(image, 0, -4.5L, shade, 0));
    EXPECT_FALSE(InkAt(image, 0, -3.5L, shade, 1));
    EXPECT_TRUE(InkAt(image, 3, 3, region, 0));
    EXPECT_FALSE(InkAt(image, 3, 1.7L, region, 1));
}

// The points of every SVG path drawn in a colour, in world coordinates.
std::vector<std::vector<Point>> SvgPaths(const examples::TPlotWin& win, const std::string& svg,
                                         QRgb colour) {
    std::vector<std::vector<Point>> paths;
    const std::string stroke = "stroke=\"" + canvas::ColorToHex(colour) + "\"";
    for (std::size_t at = svg.find("<path d=\""); at != std::string::npos;
         at = svg.find("<path d=\"", at + 1)) {
        const std::size_t end = svg.find("/>", at);
        const std::string element = svg.substr(at, end - at);
        if (element.find(stroke) == std::string::npos) continue;
        std::string d = element.substr(9, element.find('"', 9) - 9);
        std::erase_if(d, [](char c) { return c == 'M' || c == 'L'; });
        std::istringstream in(d);
        std::vector<Point> points;
        for (int x = 0, y = 0; in >> x >> y;)
            points.push_back({win.ScreenToX(x), win.ScreenToY(y)});
        paths.push_back(std::move(points));
    }
    return paths;
}

TEST_F(KindsTest, EveryExportCarriesEveryKind) {
    const auto shown = MakeDiagram();
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        return d.Press(1);
    });
    dialogs.fileAnswers.push_back(dir.filePath("kinds.svg"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportSvg));
    dialogs.fileAnswers.push_back(dir.filePath("kinds.eps"));
    prompter.AnswerInput(QStringLiteral("1"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    dialogs.fileAnswers.push_back(dir.filePath("kinds.tex"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    using quorlin::testing::ReadAll;
    const std::string svg = ReadAll(dir.filePath("kinds.svg"));
    const std::string eps = ReadAll(dir.filePath("kinds.eps"));
    const std::string tex = ReadAll(dir.filePath("kinds.tex"));
    for (const TShown& s : shown) {
        SCOPED_TRACE(win.DescribeExample(s.index));
        const QRgb colour = ColourOf(s.index);
        EXPECT_NE(svg.find(canvas::ColorToHex(colour)), std::string::npos);
        EXPECT_NE(eps.find(canvas::EpsColorString(colour) + " setrgbcolor"), std::string::npos);
    }
    // The SVG curves follow their closed forms: every point of a path within two pixels of
    // the curve (distance to the curve sampled finely).
    for (const TShown& s : shown) {
        if (s.samples < 3) continue;  // marks, not curves
        std::vector<Point> curve;
        for (int n = 0; n <= 4000; ++n) curve.push_back(s.f(s.t0 + (s.t1 - s.t0) * n / 4000));
        for (const auto& path : SvgPaths(win, svg, ColourOf(s.index)))
            for (Point p : path) {
                if (std::fabs(p.first) > 4.9L || std::fabs(p.second) > 4.9L) continue;  // border
                long double best = INFINITY;
                for (Point c : curve)
                    best = std::min(best, std::hypot(c.first - p.first, c.second - p.second));
                ASSERT_LT(best, 0.05L) << win.DescribeExample(s.index) << " at " << (double)p.first
                                       << "," << (double)p.second;
            }
    }
    if (quorlin::testing::HaveProgram("xmllint"))
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "xmllint", {"--noout", "kinds.svg"}),
            "xmllint");
    if (quorlin::testing::HaveProgram("gs"))
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "gs",
                                        {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m",
                                         "-sOutputFile=kinds.png", "kinds.eps"}),
            "gs");
    if (quorlin::testing::HaveProgram("tex")) {
        ASSERT_TRUE(quorlin::testing::WriteAll(dir.filePath("main.tex"),
                                               "\\input pictex \\input kinds \\bye\n"));
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "tex",
                                        {"-interaction=nonstopmode", "-halt-on-error", "main.tex"}),
            "tex");
    }
}

}  // namespace
}  // namespace quorlin::plot2d
