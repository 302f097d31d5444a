// Drawing speed of a 2D window: a diagram of 20 explicit curves at the default density drawn
// into the window's picture, alone and with an SVG export running (one pass feeds both). The
// counters give the points the SVG file received. The sampler alone draws the same 20 curves
// (written natively) across 1000 pixels; its counters give the evaluations per curve beside
// the aim of about 1000 for such gentle curves, and the points that leave the quarter-pixel
// thinning.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "bench_svg.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/plot2_win.h"

namespace {

using quorlin::plot2d::TPlot2Win;

// A window of 401 x 401 pixels over -5..5 with 20 explicit curves.
class Diagram {
public:
    Diagram() : win(QStringLiteral("bench.qz2")) {
        win.SizeChanged(401, 401);
        for (int k = 0; k < 20; ++k) {
            const std::string f =
                k % 2 == 0
                    ? "sin(x*" + std::to_string(1 + k / 4.0) + ")*" + std::to_string(1 + k / 8.0)
                    : "(x-" + std::to_string(k / 5.0) + ")^3/" + std::to_string(10 + k) + "-x/2";
            win.AddExample(quorlin::examples::kind::kExplicit, -5, 5, {"", f});
            win.CompileExample(win.Inventory().LastIndex());
        }
    }
    void Draw() {
        win.InvalidateImage(quorlin::ImageLayer::Background);
        win.RenderImage(quorlin::ImageLayer::Picture);
    }

    TPlot2Win win;
};

void BM_TwentyCurvesIntoTheImage(benchmark::State& state) {
    Diagram diagram;
    for (auto _ : state) diagram.Draw();
}

void BM_TwentyCurvesIntoTheImageAndSvg(benchmark::State& state) {
    Diagram diagram;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("curves.svg"));
    auto& exports = diagram.win.Exports();
    for (auto _ : state) {
        exports.svg.BeginSvgFile(path, 401, 401);
        exports.StartOutput(quorlin::canvas::ExportKind::Svg);
        diagram.Draw();
        exports.EndExport();
    }
    state.counters["svg_points"] = static_cast<double>(quorlin::bench::SvgPoints(path));
    state.counters["svg_bytes"] = static_cast<double>(QFileInfo(path).size());
}

// Counts what the sampler hands on.
class CountingSink : public quorlin::plot2d::TCurveSink {
public:
    void Point(quorlin::Vec2) override { ++points; }
    void Break() override {}
    long long points = 0;
};

void BM_SamplerEvaluationsPerCurve(benchmark::State& state) {
    using namespace quorlin;
    using namespace quorlin::plot2d;
    const TPlotSpace space = TPlotSpace::Over(-5, 5, -5, 5, 1000, 700);
    long long evaluations = 0, points = 0;
    for (auto _ : state) {
        evaluations = points = 0;
        for (int k = 0; k < 20; ++k) {
            const long double a = 1 + k / 4.0L, b = 1 + k / 8.0L, c = k / 5.0L, d = 10 + k;
            const CurveFunction f = [&](long double x, Vec2& p) {
                p = {x, k % 2 == 0 ? std::sin(x * a) * b : (x - c) * (x - c) * (x - c) / d - x / 2};
                return true;
            };
            CountingSink sink;
            TCurvePipe pipe(space, sink);
            TCurveSampler sampler(pipe);
            sampler.Sample(f, -5, 5, 10.0L / 1000);
            pipe.Finish();
            evaluations += sampler.Evaluations();
            points += sink.points;
        }
    }
    state.counters["evaluations_per_curve"] = evaluations / 20.0;
    state.counters["aim"] = 1000;
    state.counters["points_per_curve"] = points / 20.0;
}

BENCHMARK(BM_SamplerEvaluationsPerCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyCurvesIntoTheImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyCurvesIntoTheImageAndSvg)->Unit(benchmark::kMillisecond);

}  // namespace
