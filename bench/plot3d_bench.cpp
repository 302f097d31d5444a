// The 3D window's geometry without a window: the mesh of an 80 x 80 surface z = sin(x)cos(y)
// with its box, elongation limit, scene box and fit (aim: under 3 ms), and the central
// projection of a million points (aim: under 25 ns a point); the random-dot stereogram of that
// surface at 800 x 600 with dot size 1 (aim: under 30 ms) and its 100 x 100 double integral
// (aim: under 10 ms), and one curve-surface request along (t, 0, 0) through the unit sphere
// (aim: under 1 ms).
//
// With the window library: the same surface in a 3D window of 401 x 301 pixels, painted fast
// into the picture and into an SVG export (aim: under 15 ms), one pick of the surface point
// under the window's middle (aim: under 5 ms), a tour of 36 slides prepared at 800 x 600 (aim:
// under 1 s), and drawn slowly slice by slice
// with hidden lines (12 checks a point) into the picture and an SVG (aim: under about 86 ms,
// the time of gnuplot's hidden3d for this surface at isosamples 80,80 as a whole process). The
// counters give the evaluations, the hidden-line tests and the points the SVG received.
//
// Its level curves: one step of a cursor drag in the level-curve window (the level curve
// through the cursor traced in the level window's picture and over the 3D window's saved
// picture; aim: under 16 ms, a frame at 60 Hz), and "auto" with 10 levels from -0.9 to 0.9
// (aim: under 0.5 s), each with the curves and the points they drew.
//
// File|Export SVG of a window holding only its box, paired with writing the same bytes (aim: the
// export costs at most twice what writing them costs).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "examples/operations/integration.h"
#include "plot3d/hidden/surface_hiding.h"
#include "plot3d/scene/example_boxes.h"
#include "plot3d/scene/scene_box.h"
#include "plot3d/stereogram/stereogram.h"
#include "plot3d/tools/curve_surface.h"

#ifdef QUORLIN_BENCH_WINDOWS
#include <QFileInfo>
#include <QTemporaryDir>

#include "bench_svg.h"
#include "canvas/export_file.h"
#include "dynamics/window_tools.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/painting/slice_plan.h"
#include "resources/command_ids.h"
#endif

namespace {

using namespace quorlin;
using namespace quorlin::plot3d;

// z = sin(x)cos(y) over [-3, 3]^2 in 80 x 80 cells; false when the formula was not read.
bool MakeSinCosSurface(FormulaContext& f, examples::TExample& e) {
    e.Init(examples::kind::kSurface, 2, 50);
    if (f.Parse("sin(x)*cos(y)") != 0) return false;
    e.Tree(3) = f.TakeParseResult();
    e.rangeLow = {-3, -3};
    e.rangeHigh = {3, 3};
    e.divisions = {80, 80, 36};
    return true;
}

void SurfaceMeshBoxesAndFit(benchmark::State& state) {
    FormulaContext f;
    examples::TExample e;
    if (!MakeSinCosSurface(f, e)) {
        state.SkipWithError("the formula was not read");
        return;
    }
    TSceneBox box;
    TObserver observer;
    observer.eye = kDefaultEye;
    long double sightStep = 0;
    for (auto _ : state) {
        SetBoxAutomatic(e, true);
        RecomputeExampleBox(f, e, true, {});
        const TBox3 shown[] = {BoxOf(e)};
        ComputeSceneBox(box, observer, shown, TAxisEnds{}, sightStep);
        const TViewWish wish = FitBoxToView(box, observer, TAxisEnds{}, true);
        benchmark::DoNotOptimize(wish.halfWidth);
    }
}
BENCHMARK(SurfaceMeshBoxesAndFit)->Unit(benchmark::kMillisecond);

// The hidden-point test of every grid point of that surface against the surface itself, with
// 12 checks a point, as slow drawing asks it for each point it draws, the surface compiled once
// for the pass (reported: tests a second, the checks of each, and how many of the 81 x 81
// points were hidden).
void HiddenPointTests(benchmark::State& state) {
    FormulaContext f;
    examples::TExample e;
    if (!MakeSinCosSurface(f, e)) {
        state.SkipWithError("the formula was not read");
        return;
    }
    SetBoxAutomatic(e, true);
    RecomputeExampleBox(f, e, false, {});
    TSceneBox box;
    TObserver observer;
    observer.eye = kDefaultEye;
    long double sightStep = 0;
    const TBox3 shown[] = {BoxOf(e)};
    ComputeSceneBox(box, observer, shown, TAxisEnds{}, sightStep);
    ComputeViewAngles(observer);
    const hidden::THiddenLineView view{observer, box, {-100, 100, -100, 100}, 12, 0.1L, false};
    // Each grid point moved towards the eye by the sight shift, as the dispatcher moves it.
    std::vector<Vec3> points;
    for (int k = 0; k < 81 * 81; ++k) {
        const Vec3 p = e.points[static_cast<std::size_t>(k)];
        const Vec3 toEye = observer.eye - p;
        points.push_back(p + (sightStep / Vec3Length(toEye)) * toEye);
    }
    long long hiddenCount = 0;
    for (auto _ : state) {
        hiddenCount = 0;
        hidden::TSurfacePrograms programs(f);  // one drawing's, as the window keeps them
        for (const Vec3& p : points)
            hiddenCount += hidden::IsHiddenByExplicitSurface(programs, e, view, p);
        benchmark::DoNotOptimize(hiddenCount);
    }
    state.counters["tests"] = benchmark::Counter(
        static_cast<double>(points.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
    state.counters["hidden"] = static_cast<double>(hiddenCount);
    state.counters["checks_per_point"] = view.samples;
}
BENCHMARK(HiddenPointTests)->Unit(benchmark::kMillisecond);

void MillionProjections(benchmark::State& state) {
    TSceneBox box;
    box.min = {-3, -3, -1};
    box.max = {3, 3, 1};
    box.centre = {0, 0, 0};
    box.ComputeScale();
    TObserver observer;
    observer.focus = box.centre;
    observer.eye = kDefaultEye;
    ComputeViewAngles(observer);
    for (auto _ : state) {
        long double sum = 0;
        for (int k = 0; k < 1000000; ++k) {
            const long double t = k * 1e-6L;
            const Vec2 p = examples::ProjectPoint(observer, box, {6 * t - 3, 3 - 6 * t, t});
            sum += p.x + p.y;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(MillionProjections)->Unit(benchmark::kMillisecond);

// The stereogram of z = sin(x)cos(y) over [-3, 3]^2 at 800 x 600, dot size 1, 8 strips, into
// a sink that only counts (reported: the dots drawn).
void StereogramOfSinCos(benchmark::State& state) {
    FormulaContext f;
    examples::TInventory inventory;
    examples::TExample e;
    if (!MakeSinCosSurface(f, e)) {
        state.SkipWithError("the formula was not read");
        return;
    }
    e.boxMin = {-3, -3, -1};
    e.boxMax = {3, 3, 1};
    e.StereogramFlag() = 1;
    inventory.Append(std::move(e));
    struct Counter : TDotSink {
        void Dot(int, int) override { ++dots; }
        void GuideDot(int, int) override {}
        long dots = 0;
    } sink;
    const TStereoGeometry g = StereoGeometry({60, 8, 1, 0.75L}, 800, 600, StereoBox(inventory));
    for (auto _ : state) {
        sink.dots = 0;
        benchmark::DoNotOptimize(DrawStereogram(g, inventory, f, 60, 3.3L, 0, sink, {}));
    }
    state.counters["dots"] = static_cast<double>(sink.dots);
}
BENCHMARK(StereogramOfSinCos)->Unit(benchmark::kMillisecond);

// Never asked to stop.
struct NoStop : examples::TSumControl {
    bool Stop() override { return false; }
};

// The 100 x 100 iterated Simpson double integral of sin(x)cos(y) over [0, 1]^2.
void DoubleIntegralOfSinCos(benchmark::State& state) {
    FormulaContext f;
    examples::TExample e;
    if (!MakeSinCosSurface(f, e)) {
        state.SkipWithError("the formula was not read");
        return;
    }
    NoStop control;
    for (auto _ : state) {
        long double value = 0;
        examples::DoubleIntegral(f, *e.Tree(3), {slot::kX, 0, 1, 100}, {slot::kY, 0, 1, 100},
                                 control, value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(DoubleIntegralOfSinCos)->Unit(benchmark::kMillisecond);

// One "next intersection" of the line (t, 0, 0), t in [-2, 2], with the unit sphere.
void NextIntersectionOnTheSphere(benchmark::State& state) {
    FormulaContext f;
    std::vector<NodePtr> trees;
    for (const char* text : {"x^2+y^2+z^2-1", "t", "0", "0"}) {
        if (f.Parse(text) != 0) {
            state.SkipWithError("the formula was not read");
            return;
        }
        trees.push_back(f.TakeParseResult());
    }
    const plot3d::TCurveSurfaceProblem problem{
        trees[0].get(), {trees[1].get(), trees[2].get(), trees[3].get()}, -2, 2, {}};
    plot3d::TCurveSurfaceSearch search;
    for (auto _ : state) {
        const auto found = search.Next(f, problem);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(NextIntersectionOnTheSphere)->Unit(benchmark::kMicrosecond);

#ifdef QUORLIN_BENCH_WINDOWS

// A 3D window with z = sin(x)cos(y) on [-3, 3]^2 in an 80 x 80 grid, 80 points a slice.
class SurfaceWindow {
public:
    // Set up as a shown window is when its tools open windows of their own (created).
    explicit SurfaceWindow(bool slow, bool created = false) : win(QStringLiteral("bench.qz3")) {
        win.SizeChanged(401, 301);
        if (created) win.Create();
        win.Scene().hiddenLines = true;
        win.Scene().checksPerPoint = 12;
        win.Scene().checksReciprocal = 1.0L / 12;
        examples::TExample& e =
            win.AddExample(examples::kind::kSurface, -3, 3, {"", "", "sin(x)*cos(y)"});
        const int i = win.Inventory().LastIndex();
        e.rangeLow[1] = -3;
        e.rangeHigh[1] = 3;
        e.divisions = {80, 80, 36};
        e.slicePoints = {80, 80};
        e.SlowDrawing() = slow ? 1 : 0;
        win.CompileExample(i);
        win.RecomputeAllBoxes();
    }
    void Draw() {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
    }
    // Draws into the picture and an SVG file at once.
    void DrawWithSvg(const QString& path) {
        auto& exports = win.Exports();
        exports.svg.BeginSvgFile(path, 401, 301);
        exports.StartOutput(canvas::ExportKind::Svg);
        Draw();
        exports.EndExport();
    }
    // The points of the slices and what they cost.
    long long SlicePoints() {
        long long points = 0;
        for (int d : {1, 2}) {
            const TSlicePlan plan = PlanSlices(win.Inventory()[0], d);
            points += static_cast<long long>(plan.slices + 1) * (plan.steps + 1);
        }
        return points;
    }

    TPlot3Win win;
};

void FastSurfaceIntoTheImage(benchmark::State& state) {
    SurfaceWindow w(false);
    for (auto _ : state) w.Draw();
    state.counters["patches"] = 80 * 80;
}
BENCHMARK(FastSurfaceIntoTheImage)->Unit(benchmark::kMillisecond);

// One pick of the surface point under the middle of the window (aim: under 5 ms).
void PickOnTheSurface(benchmark::State& state) {
    SurfaceWindow w(false);
    const QPoint middle(200, 150);
    Vec3 point{};
    for (auto _ : state) benchmark::DoNotOptimize(w.win.PickSurfacePoint(middle, point));
    state.counters["aim_ms"] = 5;
}
BENCHMARK(PickOnTheSurface)->Unit(benchmark::kMillisecond);

// Preparing a tour of 36 slides at 800 x 600, the slides drawn and kept (aim: under 1 s).
void TourOfThirtySixSlides(benchmark::State& state) {
    SurfaceWindow w(false);
    w.win.SizeChanged(800, 600);
    w.win.Scene().count3D = 36;
    for (auto _ : state) {
        w.win.MakeTour();
        w.win.StopPlaying();
    }
    state.counters["aim_ms"] = 1000;
}
BENCHMARK(TourOfThirtySixSlides)->Unit(benchmark::kMillisecond);

void FastSurfaceIntoTheImageAndSvg(benchmark::State& state) {
    SurfaceWindow w(false);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fast.svg"));
    for (auto _ : state) w.DrawWithSvg(path);
    state.counters["aim_ms"] = 15;
    state.counters["svg_bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(FastSurfaceIntoTheImageAndSvg)->Unit(benchmark::kMillisecond);

void SlowSurfaceWithHiddenLinesIntoTheImageAndSvg(benchmark::State& state) {
    SurfaceWindow w(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slow.svg"));
    for (auto _ : state) w.DrawWithSvg(path);
    const long long points = w.SlicePoints();
    state.counters["aim_ms"] = 86;
    state.counters["evaluations"] = static_cast<double>(points);
    state.counters["hidden_line_tests"] = static_cast<double>(points);
    state.counters["sight_checks"] = static_cast<double>(points * 12);
    state.counters["svg_points"] = static_cast<double>(bench::SvgPoints(path));
}
BENCHMARK(SlowSurfaceWithHiddenLinesIntoTheImageAndSvg)->Unit(benchmark::kMillisecond);

// The full fast picture with the axes, their letters and the box with its corner labels, all
// tested against the surface; the axes and box alone are timed apart for their share.
void FastSurfaceWithAxesAndBoxIntoTheImageAndSvg(benchmark::State& state) {
    SurfaceWindow w(false);
    w.win.Axes().axesShown = true;
    w.win.Scene3D().box = {true, true, false};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("framed.svg"));
    for (auto _ : state) w.DrawWithSvg(path);
    QImage image(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    const auto start = std::chrono::steady_clock::now();
    constexpr int kFrames = 5;
    for (int k = 0; k < kFrames; ++k) w.win.DrawAxes3D(dc);
    const std::chrono::duration<double, std::milli> frame =
        (std::chrono::steady_clock::now() - start) / kFrames;
    state.counters["aim_ms"] = 20;
    state.counters["axes_and_box_ms"] = frame.count();
}
BENCHMARK(FastSurfaceWithAxesAndBoxIntoTheImageAndSvg)->Unit(benchmark::kMillisecond);

// The pieces and points one drawing sends to an SVG file.
struct TDrawnCount {
    long long pieces = 0;
    long long points = 0;
};
TDrawnCount CountDrawn(examples::TPlotWin& window, const std::function<void()>& draw) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("count.svg"));
    auto& exports = window.Exports();
    exports.svg.BeginSvgFile(path, window.ClientWidth(), window.ClientHeight());
    exports.StartOutput(canvas::ExportKind::Svg);
    draw();
    exports.EndExport();
    std::ifstream in(path.toStdString());
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    long long pieces = 0;
    for (std::size_t at = svg.find("<path d="); at != std::string::npos;
         at = svg.find("<path d=", at + 1))
        ++pieces;
    return {pieces, bench::SvgPoints(path)};
}

// The surface's level window at z levels, in its cursor mode.
class LevelWindowOfSinCos {
public:
    LevelWindowOfSinCos() : surface(false, true) {
        TLevelRequest r;
        r.example = 0;
        r.value = 0.5L;
        surface.win.ShowLevel(r);
        level = surface.win.LevelWindow();
    }
    SurfaceWindow surface;
    TLevelWin* level = nullptr;
};

void CursorDragStepOnSinCos(benchmark::State& state) {
    dynamics::InstallTrajectoryTools();
    LevelWindowOfSinCos w;
    TLevelWin& level = *w.level;
    level.SendCommand(resources::cmd::kMouseCursor);
    // The parent is shown again below, as its paint shows it.
    level.SetParentRedraw([] {});
    w.surface.Draw();
    level.RenderImage(ImageLayer::Picture);
    QImage screen(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(screen);
    // The mouse goes round the hill at (pi/2, 0) in steps of 0.05 radians.
    int step = 0;
    const auto moveAndRepaint = [&] {
        const long double a = 0.05L * (step++ % 126);
        level.MoveCursorTo(1.5707963L + 0.8L * std::cos(a), 0.8L * std::sin(a));
        level.RenderImage(ImageLayer::Picture);
        w.surface.win.BlitImage(ImageLayer::Picture, dc);
        w.surface.win.PaintPrepared(dc);
    };
    for (auto _ : state) moveAndRepaint();
    const TDrawnCount inLevel = CountDrawn(level, [&] {
        level.InvalidateImage(ImageLayer::Picture);
        level.RenderImage(ImageLayer::Picture);
    });
    const TDrawnCount inParent =
        CountDrawn(w.surface.win, [&] { w.surface.win.PaintPrepared(dc); });
    state.counters["aim_ms"] = 16;
    state.counters["level_curves"] = static_cast<double>(inLevel.pieces);
    state.counters["level_points"] = static_cast<double>(inLevel.points);
    state.counters["parent_curves"] = static_cast<double>(inParent.pieces);
    state.counters["parent_points"] = static_cast<double>(inParent.points);
}
BENCHMARK(CursorDragStepOnSinCos)->Unit(benchmark::kMillisecond);

void AutoTenLevelsOnSinCos(benchmark::State& state) {
    dynamics::InstallTrajectoryTools();
    SurfaceWindow w(false, true);
    w.win.OpenLevelsDialog(0);
    TLevelDlg& d = *w.win.LevelDialog();
    d.SetText(TLevelDlg::kLow, QStringLiteral("-0.9"));
    d.SetText(TLevelDlg::kHigh, QStringLiteral("0.9"));
    d.SetText(TLevelDlg::kCurrent, QStringLiteral("0"));
    d.SetText(TLevelDlg::kCount, QStringLiteral("10"));
    auto& curves = w.win.Inventory()[0].trajectories;
    for (auto _ : state) {
        state.PauseTiming();
        curves.clear();
        state.ResumeTiming();
        d.Press(TLevelDlg::kAuto);
    }
    TLevelWin& level = *w.win.LevelWindow();
    d.Press(TLevelDlg::kSeeAll);
    const TDrawnCount drawn = CountDrawn(level, [&] {
        level.InvalidateImage(ImageLayer::Background);
        level.RenderImage(ImageLayer::Picture);
    });
    state.counters["aim_ms"] = 500;
    state.counters["curves"] = static_cast<double>(curves.size());
    state.counters["svg_pieces"] = static_cast<double>(drawn.pieces);
    state.counters["svg_points"] = static_cast<double>(drawn.points);
}
BENCHMARK(AutoTenLevelsOnSinCos)->Unit(benchmark::kMillisecond);
// File|Export SVG of a 3D window holding only its box, from the command to the file in its
// place, every dialog answered at once, at 401 x 301 and 1200 x 900 pixels. Each export is
// paired with writing the same bytes through an export file alone ("writing_ms"), since the
// disk's pace moves from one moment to the next; "Time" is the export's. The aim is an export
// that costs what it writes: at most twice the writing ("ratio" beside "aim_ratio").
void ExportSvgOfTheBoxAlone(benchmark::State& state) {
    TPlot3Win win(QStringLiteral("bench.qz3"));
    win.SizeChanged(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    win.Axes().axesShown = false;
    win.Scene3D().box = {true, true, false};
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    platform::ScriptedPrompter prompter;
    const platform::ScopedDialogRunner sizeAnswered([](platform::Dialog& d) { return d.Press(1); });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("box.svg"));
    const auto exportSvg = [&] {
        dialogs.fileAnswers.emplace_back(path);
        win.ExportSvg();
        prompter.messages.clear();
    };
    exportSvg();
    QFile written(path);
    const QByteArray bytes = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    const QString copy = dir.filePath(QStringLiteral("copy.svg"));
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double, std::milli> exporting{}, writing{};
    for (auto _ : state) {
        const auto start = Clock::now();
        exportSvg();
        const auto exported = Clock::now();
        canvas::ExportFile file;
        file.Open(copy);
        file.Write({bytes.constData(), static_cast<std::size_t>(bytes.size())});
        file.Close();
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(exported - start).count());
        exporting += exported - start;
        writing += end - exported;
    }
    platform::SetCommonDialogs(nullptr);
    const double n =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["svg_bytes"] = static_cast<double>(bytes.size());
    state.counters["writing_ms"] = writing.count() / n;
    state.counters["ratio"] = writing.count() > 0 ? exporting.count() / writing.count() : 0;
    state.counters["aim_ratio"] = 2;
    if (bytes.isEmpty()) state.SkipWithError("the export wrote nothing");
}
BENCHMARK(ExportSvgOfTheBoxAlone)
    ->Args({401, 301})
    ->Args({1200, 900})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

#endif

}  // namespace
