// The drawing level of the 2D windows: examples of the kinds that reach the picture by different
// ways (curves, marks, trajectories, examples the window derives) are each found on the cached
// picture where their closed forms put them, shadings and regions fill where they hold, and the
// same diagram goes to SVG, EPS and PiCTeX files that their readers accept, whose curves follow the
// closed forms. Each kind's drawer against its closed form the drawers' tests check.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <sstream>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "drawer_fixture.h"
#include "examples/plot_test_window.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "support/file_readers.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using Lists = std::vector<std::vector<Vec2>>;
using examples::TNumber;
using namespace quorlin::testing;

class KindsTest : public PlotWindowTest {
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

    // The diagram; each entry's closed form over its parameter range.
    struct TShown {
        int index;
        long double t0, t1;
        ClosedForm f;
        int samples = 60;  // points of the closed form looked for; below 3 a mark
        std::pair<long double, long double> operator()(long double t) const {
            return {f(t).x, f(t).y};
        }
    };
    std::vector<TShown> MakeDiagram();

    // The largest distance of the points inside the view from the closed form.
    static long double FarthestOff(const Lists& lists, const TShown& s) {
        long double farthest = 0;
        for (const auto& points : lists)
            for (Vec2 p : points)
                if (std::fabs(p.x) < 4.9L && std::fabs(p.y) < 4.9L)  // not cut at the border
                    farthest = std::max(farthest, DistanceToCurve(p, s.f, s.t0, s.t1));
        return farthest;
    }

    platform::ScriptedCommonDialogs dialogs;
    QTemporaryDir dir;
};

std::vector<KindsTest::TShown> KindsTest::MakeDiagram() {
    const int cubic = Add(k::kExplicit, {"", "x^3/20-x"});
    const ClosedForm cubicForm = Graph([](auto x) { return x * x * x / 20 - x; });
    // A cycloid rolled on the x-axis and plot points of the cubic, both derived by the window.
    const int axis = Add(k::kExplicit, {"", "0"}, [](auto& e) { e.graphShown = 0; });
    const int roulette = Add(k::kRoulette, {}, [&](auto& e) {
        e.derivation = 82;
        e.parent = {static_cast<std::int16_t>(axis), -1};
        e.subKind = k::kExplicit;
        e.rangeLow[0] = 0;
        e.rangeHigh[0] = 4;
        e.Number(TNumber::kRouletteRadius) = 1;
        e.Number(TNumber::kRouletteArm) = 1;
        e.LeftSide() = 1;
    });
    win.UpdateRoulette(roulette);
    const int points = Add(k::kPlotPoints, {}, [&](auto& e) {
        e.derivation = 99;
        e.parent = {static_cast<std::int16_t>(cubic), -1};
        e.subKind = k::kExplicit;
        e.Text(4) = "-2 2";
        e.pen.width = 3;
    });
    win.RebuildPlotPoints(points);
    // A system's trajectory: the circle of radius 4.5, in the example's pen.
    const int system = Add(k::kSystem, {"-y", "x"}, [](auto& e) {
        e.fieldDisplay = 0;
        e.trajectories.push_back(TrajectoryRecord(e.kind, {4.5L, 0}, 2 * kPi));
        e.trajectories.back().pen = e.pen;
    });
    const ClosedForm cycloid = [](long double t) { return Vec2{t - std::sin(t), 1 - std::cos(t)}; };
    return {{cubic, -5, 5, cubicForm},
            {roulette, 0, 4, cycloid},
            {points, -2, 2, cubicForm, 2},
            {system, 0, 2 * kPi, Ellipse({0, 0}, 4.5L, 4.5L)}};
}

// The window's shading list and region mode reach the background.
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
Lists SvgPaths(const examples::TPlotWin& win, const std::string& svg, QRgb colour) {
    Lists paths;
    const QRegularExpression path(QStringLiteral("<path d=\"([^\"]*)\"[^>]*stroke=\"") +
                                  QString::fromStdString(canvas::ColorToHex(colour)));
    for (auto it = path.globalMatch(QString::fromStdString(svg)); it.hasNext();) {
        std::istringstream in(it.next().captured(1).remove('M').remove('L').toStdString());
        paths.emplace_back();
        for (int x = 0, y = 0; in >> x >> y;)
            paths.back().push_back({win.ScreenToX(x), win.ScreenToY(y)});
    }
    return paths;
}

// The point lists of the PiCTeX plots ("\plot x y x y ... /") with at least 10 points.
Lists TexPlots(const std::string& tex) {
    Lists plots;
    for (std::size_t at = tex.find("\\plot "); at != std::string::npos;
         at = tex.find("\\plot ", at + 1)) {
        std::istringstream in(tex.substr(at + 6, tex.find('/', at) - at - 6));
        std::vector<Vec2> points;
        for (long double x = 0, y = 0; in >> x >> y;) points.push_back({x, y});
        if (points.size() >= 10) plots.push_back(std::move(points));
    }
    return plots;
}

TEST_F(KindsTest, EveryKindLiesOnItsClosedFormOnThePictureAndInEveryExport) {
    const auto shown = MakeDiagram();
    const QImage image = Picture();
    for (const TShown& s : shown) {
        SCOPED_TRACE(win.DescribeExample(s.index));
        // Curves drawn later cover a few pixels of those they cross.
        EXPECT_GE(ShareOnCurve(image, ColourOf(s.index), s.t0, s.t1, s.samples, s), 0.9);
    }
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        return d.Press(1);
    });
    dialogs.fileAnswers.push_back(dir.filePath("kinds.svg"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportSvg));
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("SVG file saved"));
    dialogs.fileAnswers.push_back(dir.filePath("kinds.eps"));
    prompter.AnswerInput(QStringLiteral("1"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    dialogs.fileAnswers.push_back(dir.filePath("kinds.tex"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    const std::string svg = ReadAll(dir.filePath("kinds.svg"));
    const std::string eps = ReadAll(dir.filePath("kinds.eps"));
    const Lists plots = TexPlots(ReadAll(dir.filePath("kinds.tex")));

    for (const TShown& s : shown) {
        SCOPED_TRACE(win.DescribeExample(s.index));
        const QRgb colour = ColourOf(s.index);
        EXPECT_NE(svg.find(canvas::ColorToHex(colour)), std::string::npos);
        EXPECT_NE(eps.find(canvas::EpsColorString(colour) + " setrgbcolor"), std::string::npos);
        if (s.samples < 3) continue;  // marks, not curves
        // Every point of the SVG paths lies within two pixels of the curve; one of the PiCTeX
        // plots follows it closely.
        EXPECT_LT(FarthestOff(SvgPaths(win, svg, colour), s), 0.05L);
        EXPECT_TRUE(std::ranges::any_of(
            plots, [&](const auto& plot) { return FarthestOff({plot}, s) < 0.002L; }));
    }

    ExpectExportsRead(dir.path(), "kinds", 1500);
}

// A 2D window whose drawings poll at every ask, and whose key poll answers Q, counting the polls.
class QuittingWindow : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    int polls = 0;

protected:
    int PollDrawingKey() override {
        ++polls;
        return kKeyStop;
    }
    TTimedPoll::Clock::duration DrawingPollInterval() const override { return {}; }
};

// Q reaches a curve drawn in a narrow window, whose few steps never made up a count of them,
// and the loop over examples that do not poll themselves (points): each drawing stops at its
// first poll, and the examples after it are not drawn.
TEST(DrawingPolls, QStopsANarrowCurveAndTheExamplesLoop) {
    struct Case {
        int width;
        std::string script;
        std::vector<std::pair<Vec2, bool>> drawn;  // points: ink on the picture
    };
    const Case cases[] = {{120, "EXPL2;sin(x)*2;", {}},
                          {1201, "EXPL2;x^3/20;", {}},
                          {120,
                           "POINT2;0;-3;POINT2;0;1;POINT2;0;3;",
                           {{{0, -3}, true}, {{0, 1}, false}, {{0, 3}, false}}},
                          {700, "POINT2;1;1;POINT2;-1;2;", {{{1, 1}, true}, {{-1, 2}, false}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        platform::MemoryClipboard clipboard;
        platform::SetClipboard(&clipboard);
        QuittingWindow win(QStringLiteral("noname5.qz2"));
        win.SizeChanged(c.width, 300);
        clipboard.SetText(QString::fromStdString(c.script));
        ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
        platform::SetClipboard(nullptr);
        win.polls = 0;
        QImage image(c.width, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        EXPECT_EQ(std::tuple(win.DrawExamples(dc), win.polls), std::tuple(kKeyStop, 1));
        for (const auto& [point, drawn] : c.drawn) {
            const QPoint at(win.XToScreen(point.x), win.YToScreen(point.y));
            int ink = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    ink += image.pixel(at + QPoint(dx, dy)) != QColor(Qt::white).rgb() ? 1 : 0;
            EXPECT_EQ(ink > 0, drawn) << point.x << ", " << point.y;
        }
    }
}

}  // namespace
}  // namespace quorlin::plot2d
