// Slow drawing of the 3D windows: surfaces slice by slice, curves and segments as one slice,
// every point kept only when it lies in the scene box and no surface hides it; the runs of
// visible points are curve pieces, so the screen and every export break at the same places.
#include <algorithm>
#include <array>

#include "core/errors.h"
#include "core/numbers.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/operations/animation.h"
#include "platform/key_poll.h"
#include "plot3d/levels/plot_q_win.h"
#include "plot3d/scene/example_boxes.h"
#include "shell/long_work_hint.h"

namespace quorlin::plot3d {

using examples::TExample;
using examples::TPenSpec;
namespace kind = examples::kind;

namespace {

constexpr int kPointTableSteps = 50;
constexpr int kSlicerSteps = 100;

// The pen of an example's colour word pair: its colour as output, its width, its style.
void SelectExamplePen(TPlotQWin& w, canvas::TCanvasPrimitives& prim, const TPenSpec& pen) {
    const int factor = std::max(w.Output().highResolutionFactor, 1);
    prim.SetPen(w.OutputColor(w.DrawColor(pen.colour)), std::max<int>(pen.width, 1) * factor,
                pen.DrawnStyle());
}

}  // namespace

std::function<int()> TPlotQWin::SlowDrawingKey() {
    if (Output().noPolling) return {};
    if (injectedKey_) return injectedKey_;
    return [this] { return platform::PollKey(this); };
}

TStopPoll TPlotQWin::HintedKeyPoll(TLongWorkHint& hint) {
    std::function<int()> key = SlowDrawingKey();
    if (!key) return TStopPoll({}, pollInterval_);
    return TStopPoll(
        [&hint, inner = std::move(key)] {
            hint.Polled();
            return inner();
        },
        pollInterval_);
}

int TPlotQWin::DrawBySlices(platform::DeviceContext& dc, int i, int direction) {
    if (!Inventory().IsIndex(i)) return 0;
    TExample& e = Inventory()[i];
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    SelectExamplePen(*this, prim, e.pen);
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    const TSlicePlan plan = PlanSlices(e, direction);
    const int stopped = examples::DrawFamilyMembers(f, e, [&] {
        for (int s = 0; s <= plan.slices; ++s) {
            if (DrawSlice(prim, i, direction, plan.steps, plan.FixedValue(s), poll) == kKeyStop)
                return kKeyStop;
            // Watching: each slice is shown as soon as it is drawn.
            if (Tracer().watch && !Output().noPolling) UpdateWindow();
        }
        return 0;
    });
    f.vars = saved;
    return stopped == kKeyStop ? kKeyStop : 0;
}

void TPlotQWin::DrawSlicesThrough(platform::DeviceContext& dc, int i, long double u, long double v,
                                  int penWidth) {
    if (!Inventory().IsIndex(i)) return;
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TPenSpec pen = Inventory()[i].pen;
    pen.width = static_cast<std::uint16_t>(penWidth);
    SelectExamplePen(*this, prim, pen);
    TStopPoll unpolled({});  // two short curves over the picture: nothing to stop
    DrawSlice(prim, i, 1, kSlicerSteps, v, unpolled);
    DrawSlice(prim, i, 2, kSlicerSteps, u, unpolled);
    f.vars = saved;
}

int TPlotQWin::DrawSlice(canvas::TCanvasPrimitives& prim, int i, int direction, int points,
                         long double value, TStopPoll& poll) {
    TExample& e = Inventory()[i];
    if (e.kind == kind::kSpaceSegment) {
        Vec3 a, b;
        if (!ReadSegmentEnds(e, a, b)) return 0;
        return DrawSegment3D(prim, a, b, e.pen, false, true, points, poll);
    }
    TSlicePlan plan = PlanSlices(e, direction);
    plan.steps = std::max(points, 1);
    TSurfaceSweep sweep(Formulas(), e);
    prim.Comment("begin one slice");
    prim.BeginCurve();
    int key = 0;
    bool open = false;
    for (int k = 0; k <= plan.steps && key == 0; ++k) {
        const long double running = plan.RunningValue(k);
        const std::optional<Vec3> p =
            direction == 1 ? sweep.At(running, value) : sweep.At(value, running);
        const Vec2 q = p ? ProjectPoint(*p) : Vec2{};
        const canvas::WorldPoint w{q.x, q.y};
        if (p && dynamics::IsPointVisible(*this, *p) && IsInView(w)) {
            prim.CurvePoint(w);
            open = true;
        } else if (open) {
            prim.BreakCurve();
            open = false;
        }
        key = poll();
    }
    prim.EndCurve();
    return key;
}

void TPlotQWin::DrawDirectionArrow(canvas::TCanvasPrimitives& prim, Vec3 p, Vec3 v,
                                   long double length, const TPenSpec& pen) {
    const Vec2 p0 = ProjectPoint(p), q0 = ProjectPoint(p + v);
    Vec2 u = q0 - p0;
    // A vector that projects to (almost) a point has no direction on the screen.
    Vec2 probe = u;
    if (!Vec2SetLength(probe, 0.01L * View().unitsPerPixelX) || !Vec2SetLength(u, length)) return;
    if (!IsInView({p0.x, p0.y})) return;
    SelectExamplePen(*this, prim, pen);
    prim.Segment({p0.x - u.x, p0.y - u.y}, {p0.x, p0.y}, false);
    prim.ArrowHead({p0.x, p0.y}, {u.x, u.y}, length, true);
}

int TPlotQWin::DrawSegment3D(canvas::TCanvasPrimitives& prim, Vec3 a, Vec3 b, const TPenSpec& pen,
                             bool drawWhole, bool insideBox, int n, TStopPoll& poll) {
    SelectExamplePen(*this, prim, pen);
    TSegmentWorld world;
    world.insideBox = [this](Vec3 p) { return dynamics::IsInsideBox3D(*this, p); };
    world.hidden = [this](Vec3 p) { return dynamics::IsPointHidden(*this, p); };
    world.project = [this](Vec3 p) { return ProjectPoint(p); };
    world.inView = [this](Vec2 q) { return IsInView({q.x, q.y}); };
    // Each run is one segment, to the screen and to every running export alike.
    world.run = [&prim](Vec2 p, Vec2 q) { prim.Segment({p.x, p.y}, {q.x, q.y}, false); };
    world.whole = [&prim](Vec2 p, Vec2 q) { prim.Segment({p.x, p.y}, {q.x, q.y}, true); };
    const TSegmentOptions options{.drawWhole = drawWhole,
                                  .insideBox = insideBox,
                                  .hideSegments = Scene().hideSegments,
                                  .steps = n};
    return DrawSegmentRuns(a, b, options, world, poll);
}

bool TPlotQWin::ReadSegmentEnds(const TExample& e, Vec3& a, Vec3& b) {
    // Text 5 holds the line function; the second end is in texts 4, 6 and 7.
    constexpr std::array<int, 6> kTexts{1, 2, 3, 4, 6, 7};
    const std::array<long double*, 6> ends{&a.x, &a.y, &a.z, &b.x, &b.y, &b.z};
    for (std::size_t k = 0; k < kTexts.size(); ++k) {
        if (ReadNumber(e.Text(kTexts[k]), *ends[k]) != 0) return false;
    }
    return true;
}

long double TPlotQWin::ArrowLength(const TExample& e) const {
    return View().unitsPerPixelX * (e.sizeWord + 10);
}

bool TPlotQWin::AddPointExample(Vec3 p) {
    if (!CanAddExample(true)) return false;
    TExample e;
    e.Init(kind::kSpacePoint, 0, kPointTableSteps);
    e.Text(1) = FormatShortest(p.x);
    e.Text(2) = FormatShortest(p.y);
    e.Text(3) = FormatShortest(p.z);
    e.pen.width = static_cast<std::uint16_t>(std::max<int>(Options().dotSize, 1));
    const int i = Inventory().Append(std::move(e));
    CompileExample(i);
    AddEquationLabel();
    InventoryChanged(1);
    DrawExampleNow(i);
    return true;
}

void TPlotQWin::RedrawPrepared() {
    UpdateWindow();
}

}  // namespace quorlin::plot3d
