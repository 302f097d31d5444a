#include "dynamics/trajectory_actions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <thread>

#include "core/numbers.h"
#include "dynamics/trajectories.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/records/derivation.h"
#include "platform/key_poll.h"

namespace quorlin::dynamics {

namespace {

using canvas::WorldPoint;
using examples::TExample;
using examples::TLinkedPoint;
using examples::TPlotWin;
using examples::TTrajectory;
namespace kind = examples::kind;

using Clock = std::chrono::steady_clock;

// A watched trajectory shows on the screen at most this often.
constexpr auto kWatchFrame = std::chrono::milliseconds(15);
// One unit of the watch delay.
constexpr auto kDelayUnit = std::chrono::microseconds(10);
// The selectors of a system's field: dx/dt, dy/dt (, dz/dt) are the example's trees 1-3.
constexpr std::array<int, 3> kSystemTrees{0, 1, 2};
constexpr int kRungeKutta = 2;

// Both cached layers up to date, so that new curves can be drawn onto them.
void PrepareLayers(TPlotWin& window) {
    window.UpdateImageSize();
    if (!window.IsImageCurrent(ImageLayer::Picture)) window.RenderImage(ImageLayer::Picture);
}

// Shows a watched trajectory step by step: each step's segment is drawn on the window's picture,
// which reaches the screen every few milliseconds, and each step takes the delay.
class TWatchPacer {
public:
    TWatchPacer(TPlotWin& window, int delay)
        : window_(window), delay_(std::max(delay, 0) * kDelayUnit), shown_(Clock::now()) {}

    void Step(const TLinkedPoint& p) {
        std::optional<WorldPoint> plot;
        if (window_.Dimension() < 3 || IsPointVisible(window_, p.position))
            if (const auto w = window_.SelectAxisPair(p.position, p.t))
                plot = WorldPoint{w->x, w->y};
        if (p.draw && last_ && plot) DrawSegment(*last_, *plot, p.pen);
        last_ = plot;
        if (delay_.count() > 0) std::this_thread::sleep_for(delay_);
        if (Clock::now() - shown_ >= kWatchFrame) {
            window_.UpdateWindow();
            shown_ = Clock::now();
        }
    }

private:
    void DrawSegment(WorldPoint a, WorldPoint b, const examples::TPenSpec& pen) {
        window_.DrawOnImage(ImageLayer::Picture, [&](platform::DeviceContext& dc) {
            canvas::TCanvasPrimitives prim(dc, window_.View(), nullptr);
            prim.SetPen(window_.OutputColor(window_.DrawColor(pen.colour)),
                        std::clamp<int>(pen.width, 1, 25), pen.DrawnStyle());
            prim.Segment(a, b, true);
        });
    }

    TPlotWin& window_;
    std::chrono::microseconds delay_;
    Clock::time_point shown_;
    std::optional<WorldPoint> last_;
};

// After Q or a closed orbit the stored record ends where the trace stopped (KeepWhereStopped),
// so that the window and its linked windows draw it again as it was shown, with a bounded number
// of steps, instead of tracing it up to the time Q came, or for ever, at every repaint.
void KeepInterruptedEnd(TPlotWin& window, int i, const TTrajectory& record,
                        const TTraceOutcome& outcome) {
    // The members of a family share their records: where one stopped says nothing of the others.
    if (window.Inventory()[i].familyOn) return;
    for (TTrajectory& t : window.Inventory()[i].trajectories)
        if (t.sequenceNumber == record.sequenceNumber)
            KeepWhereStopped(t, outcome.result, outcome.keptUntil);
}

// Traces the `count` newest trajectories of example i, oldest first, into the cached picture,
// handing every point to the linked windows. The outcome of the last trace.
TTraceOutcome TraceNewest(TPlotWin& window, int i, int count,
                          const TNewTrajectorySettings& settings) {
    TTraceOutcome outcome;
    if (!window.Inventory().IsIndex(i)) return outcome;
    platform::KeyPollScope polling;
    window.ShowKeyHint(kKeyHintQuit);
    std::optional<TWatchPacer> pacer;
    if (settings.watch) pacer.emplace(window, settings.delay);
    TTrajectoryPainter painter(window, window, {window.PointMapping().plottedPair});
    painter.onPoint = [&](const TLinkedPoint& p) {
        window.RefreshLinkedWindows(p);
        if (pacer) pacer->Step(p);
    };
    for (int k = count - 1; k >= 0 && outcome.key == 0; --k) {
        const auto& list = window.Inventory()[i].trajectories;
        if (k >= static_cast<int>(list.size())) continue;
        // A copy: nothing that happens while keys are polled can move the record under the trace.
        const TTrajectory record = list[static_cast<std::size_t>(k)].Clone();
        TTracedCurves traced;
        outcome = painter.Trace(i, record, traced);
        KeepInterruptedEnd(window, i, record, outcome);
        PrepareLayers(window);
        window.DrawOnImage(ImageLayer::Background, [&](platform::DeviceContext& dc) {
            canvas::TCanvasPrimitives prim(dc, window.View(), nullptr);
            painter.DrawTraced(traced, prim);
        });
    }
    window.InvalidateImage(ImageLayer::Picture);
    window.Invalidate();
    window.MarkModified();
    window.UpdateCaption();
    return outcome;
}

int PenColour(const TPlotWin& window) {
    return window.Roles().Role(examples::kRoleTrajectory);
}

}  // namespace

int DrawNewSystemTrajectory(TPlotWin& window, int i, Vec3 start, long double startTime,
                            int direction, long double endValue,
                            const TNewTrajectorySettings& settings) {
    if (!window.Inventory().IsIndex(i)) return 0;
    PrepareLayers(window);
    examples::TTrajectoryStart s;
    s.start = start;
    s.startTime = startTime;
    s.fieldTrees = kSystemTrees;
    s.method = settings.method;
    s.penWidth = settings.penWidth;
    s.duration = endValue;
    TTraceOutcome outcome;
    if (direction >= 0) {
        s.direction = 1;
        window.AddTrajectory(i, s);
        window.Inventory()[i].trajectories.front().step = settings.step;
        outcome = TraceNewest(window, i, 1, settings);
    }
    if (direction <= 0 && outcome.key == 0 && !outcome.closed) {
        s.direction = -1;
        window.AddTrajectory(i, s);
        window.Inventory()[i].trajectories.front().step = settings.step;
        outcome = TraceNewest(window, i, 1, settings);
    }
    return outcome.key;
}

int DrawNewSlopeTrajectory(TPlotWin& window, int i, Vec2 start,
                           const TNewTrajectorySettings& settings) {
    if (!window.Inventory().IsIndex(i)) return 0;
    PrepareLayers(window);
    window.AddSlopeTrajectory(i, {start.x, start.y, 0}, settings.step, PenColour(window),
                              settings.method, settings.penWidth);
    return TraceNewest(window, i, 1, settings).key;
}

int DrawNewSequence(TPlotWin& window, int i, Vec3 start, int terms,
                    const TNewTrajectorySettings& settings) {
    if (!window.Inventory().IsIndex(i)) return 0;
    PrepareLayers(window);
    window.AddRecursionTrajectory(i, start, terms, PenColour(window), settings.penWidth);
    return TraceNewest(window, i, 1, settings).key;
}

int DrawNewHigherOrderTrajectory(TPlotWin& window, int i, long double x0, const std::string& values,
                                 const TNewTrajectorySettings& settings) {
    if (!window.Inventory().IsIndex(i)) return 0;
    PrepareLayers(window);
    auto& list = window.Inventory()[i].trajectories;
    TTrajectory t;
    t.Init(kind::kHigherOrder, -1, -1, -1, settings.method, 0, 1);
    t.startTime = x0;
    t.step = settings.step;
    t.AllocTexts();
    t.texts[0] = values;
    t.pen = {static_cast<std::int16_t>(PenColour(window)),
             static_cast<std::uint16_t>(std::max(settings.penWidth, 1)), 0};
    t.sequenceNumber =
        list.empty() ? 0 : static_cast<std::uint16_t>(list.front().sequenceNumber + 1);
    list.insert(list.begin(), std::move(t));
    return TraceNewest(window, i, 1, settings).key;
}

void RetraceTrajectory(TPlotWin& window, int i, const TTrajectory& trajectory) {
    if (!window.Inventory().IsIndex(i)) return;
    const TTrajectory record = trajectory.Clone();
    TTrajectoryPainter painter(window, window, {window.PointMapping().plottedPair});
    TTracedCurves traced;
    painter.Trace(i, record, traced);
    PrepareLayers(window);
    window.DrawOnImage(ImageLayer::Background, [&](platform::DeviceContext& dc) {
        canvas::TCanvasPrimitives prim(dc, window.View(), nullptr);
        painter.DrawTraced(traced, prim);
    });
    window.InvalidateImage(ImageLayer::Picture);
    window.UpdateWindow();
    window.PlotInLinkedWindows(i, record);
}

std::string TrajectoryTable(TPlotWin& window, int i, const TTrajectory& trajectory, int steps) {
    if (!window.Inventory().IsIndex(i) || steps < 1) return {};
    const int k = trajectory.kind % TTrajectory::kFormulaKindOffset;
    const bool alongX = k == kind::kSlope || k == kind::kHigherOrder;
    const bool space = k == kind::kSpaceSystem || k == kind::kSpaceSequence;
    const bool sequence = k == kind::kSequence || k == kind::kSpaceSequence;
    std::string text = k == kind::kSlope         ? "x  y"
                       : k == kind::kHigherOrder ? "x  y  y'"
                       : sequence                ? "n  x  y"
                                                 : "t  x  y";
    if (space) text += "  z";
    text += "\n";
    long long rows = 0;
    TraceHooks hooks;
    hooks.sink = [&](const TracePoint& p) {
        if (rows > steps) return;
        ++rows;
        std::string row;
        if (!alongX) row += window.FormatNum(p.t) + "  ";
        row += window.FormatNum(p.position.x) + "  " + window.FormatNum(p.position.y);
        if (space || k == kind::kHigherOrder) row += "  " + window.FormatNum(p.position.z);
        text += row + "\n";
    };
    // The table ends after its rows, whatever else would end the trajectory later.
    hooks.pollKey = [&] { return rows > steps ? kKeyStop : 0; };
    TracerSettings settings = WindowTracerSettings(window);
    AlongXOptions along;
    along.table = true;
    along.tableSteps = steps;
    const TTrajectory record = trajectory.Clone();
    TraceTrajectory(window.Formulas(), window.Inventory()[i], record, settings, hooks, along);
    return text;
}

std::array<std::int16_t, 3> LevelCurveSelectors(int levelVariable) {
    constexpr std::int16_t kNegated = kNegatedTree;
    switch (levelVariable) {
        case slot::kX:  // the plane (y, z): (-Fz, Fy)
            return {static_cast<std::int16_t>(kNegated + 6), 5, -1};
        case slot::kY:  // the plane (z, x): (-Fx, Fz)
            return {static_cast<std::int16_t>(kNegated + 4), 6, -1};
        default:  // the plane (x, y): (-Fy, Fx)
            return {static_cast<std::int16_t>(kNegated + 5), 4, -1};
    }
}

std::array<std::int16_t, 3> LevelCurveSelectors(int levelVariable, const TExample& e) {
    const bool tangent = e.kind == kind::kSurfaceIntersection &&
                         e.derivation < examples::derived::kFirstParametricIntersection;
    if (!tangent) return LevelCurveSelectors(levelVariable);
    switch (levelVariable) {
        case slot::kX:  // the plane (y, z)
            return {5, 6, -1};
        case slot::kY:  // the plane (z, x)
            return {6, 4, -1};
        default:  // the plane (x, y)
            return {4, 5, -1};
    }
}

int AddAndTraceSystemTrajectory(TPlotWin& window, canvas::TCanvasPrimitives& prim, int i,
                                Vec3 start, int direction) {
    if (!window.Inventory().IsIndex(i)) return 0;
    const int exampleKind = window.Inventory()[i].kind;
    const bool system = exampleKind == kind::kSystem || exampleKind == kind::kSpaceSystem;
    examples::TTrajectoryStart s;
    s.start = start;
    if (system) {
        s.fieldTrees = kSystemTrees;
        s.method = kRungeKutta;
    } else {
        const int level = window.Level().variable;
        const auto selectors = LevelCurveSelectors(level, window.Inventory()[i]);
        s.fieldTrees = {selectors[0], selectors[1], selectors[2]};
        s.method = level;  // a level curve's first option word names its level variable
    }
    TTrajectoryPainter painter(window, prim);
    TTraceOutcome outcome;
    for (const int d : {1, -1}) {
        if ((d > 0 && direction < 0) || (d < 0 && direction > 0)) continue;
        if (outcome.key != 0 || outcome.closed) break;
        s.direction = d;
        window.AddTrajectory(i, s);
        const TTrajectory record = window.Inventory()[i].trajectories.front().Clone();
        outcome = painter.TraceSystemTrajectory(i, record);
    }
    return outcome.key;
}

}  // namespace quorlin::dynamics
