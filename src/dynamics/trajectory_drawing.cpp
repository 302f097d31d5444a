#include "dynamics/trajectory_drawing.h"

#include <algorithm>
#include <cmath>

#include "core/polyline_thinner.h"
#include "core/timed_poll.h"
#include "dynamics/geometry.h"
#include "dynamics/linked_plot.h"
#include "dynamics/trajectories.h"
#include "examples/records/compile.h"

namespace quorlin::dynamics {

namespace {

using canvas::WorldPoint;
using examples::TExample;
using examples::TPlotWin;
using examples::TTrajectory;
namespace kind = examples::kind;

constexpr int kPairProjected = 7;
constexpr int kDiscMarker = 1;           // the filled disc of the point markers
constexpr int kSequenceArrowPixels = 8;  // arrowheads between the terms of a sequence
constexpr int kSlopeFieldRole = 9;       // colour role of the slope fields
constexpr int kMostFieldRows = 100;
constexpr long double kSightShiftFactorParametric = 10;
constexpr int kWidestPen = 25;

TraceResult RefusedTrace() {
    TraceResult r;
    r.stop = TraceStop::kRefused;
    r.error = 6;
    return r;
}

bool Finite(WorldPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The plane pair of a plane window whose own pair plots time (time windows draw no region).
int RegionPair(const TPlotWin& window) {
    return window.PointMapping().plottedPair >= 9 ? 3 : window.PointMapping().plottedPair;
}

}  // namespace

// ------------------------------------------------------------------------------ settings

bool KeyPollingSuppressed(const TPlotWin& window) {
    auto& w = const_cast<TPlotWin&>(window);
    return w.Output().noPolling || w.Output().animationFrame || w.Printing().printing ||
           w.Exports().AnyRunning();
}

TracerSettings WindowTracerSettings(const TPlotWin& window) {
    const examples::TTracerSettings& t = window.Tracer();
    const long double unit = window.View().unitsPerPixelX;
    const auto world = [unit](long double value, long double pixels) {
        return value > 0 ? value : pixels * unit;
    };
    TracerSettings s;
    s.zeroVector = world(t.zeroVector, t.zeroVectorPixels);
    s.loopClosing = world(t.loopClosing, t.loopClosingPixels);
    s.longestStep = world(t.third, t.thirdPixels);
    s.stepLength = t.stepLength > 0 ? t.stepLength : unit;
    if (KeyPollingSuppressed(window)) s.budgetSeconds = kUnpolledTraceSeconds;
    if (t.closedLoopBudget) {
        s.loopClosing *= kCursorLoopFactor;
        s.budgetSeconds = kCursorTraceSeconds;
    }
    return s;
}

Box3 SceneBoxOf(const TPlotWin& window) {
    return {window.SceneBox().min, window.SceneBox().max};
}

// ------------------------------------------------------------------------------ services

void SetVariablesXYZ(TPlotWin& window, Vec3 p) {
    window.Formulas().SetVar(slot::kX, p.x);
    window.Formulas().SetVar(slot::kY, p.y);
    window.Formulas().SetVar(slot::kZ, p.z);
}

bool IsInsideBox3D(const TPlotWin& window, Vec3 p) {
    return IsInsideBox3D(SceneBoxOf(window), p);
}

bool EvalField3D(TPlotWin& window, const std::array<TExprNode*, 3>& trees, Vec3 p, Vec3& out) {
    return EvalField3D(window.Formulas(), trees, p, out);
}

bool IsPointHidden(TPlotWin& window, Vec3 p) {
    const examples::TSceneSettings& scene = window.Scene();
    if (!scene.hiddenLines) return false;
    const long double shift = scene.hiddenPointOffset *
                              (scene.visibleParametricSurface ? kSightShiftFactorParametric : 1);
    const Vec3 toEye = window.Observer().eye - p;
    const long double distance = Vec3Length(toEye);
    const Vec3 q = distance > 0 ? p + (shift / distance) * toEye : p;
    auto& inventory = window.Inventory();
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        const TExample& e = inventory[k];
        // Surfaces whose both fill colours are the background's are seen through.
        if (!e.graphShown || !e.IsMeshSurface(false) || e.jumpsOff != 0) continue;
        bool hidden = false;
        switch (e.kind) {
            case kind::kImplicitSurface:
                hidden = window.IsHiddenByImplicitSurface(k, q);
                break;
            case kind::kRevolution:
                hidden = e.subKind == kind::kImplicit ? window.IsHiddenByImplicitSurface(k, q)
                                                      : window.IsHiddenByParametricSurface(k, q);
                break;
            case kind::kSurface:
                hidden = window.IsHiddenByExplicitSurface(k, q);
                break;
            case kind::kPolarSurface:
                hidden = window.IsHiddenByPolarSurface(k, q);
                break;
            case kind::kPlane:
                hidden = window.IsHiddenByPlane(k, q);
                break;
            default:
                hidden = window.IsHiddenByParametricSurface(k, q);
                break;
        }
        if (hidden) return true;
    }
    return false;
}

bool IsPointVisible(TPlotWin& window, Vec3 p) {
    return IsInsideBox3D(window, p) && !IsPointHidden(window, p);
}

bool FindSignChangePoint(TPlotWin& window, TExprNode& tree, const Box3& box, Vec3& out) {
    return FindSignChangePoint(window.Formulas(), tree, box, out);
}

bool TestPixelsAround(const TPlotWin& window, const platform::DeviceContext& dc, WorldPoint p,
                      std::optional<QColor> colour) {
    if (!dc.TargetImage() || !Finite(p)) return false;
    QPoint pixel;
    window.View().PointToScreen(p, pixel);
    const QRgb background = window.GetColor(window.Roles().Role(0)).rgb();
    const auto read = [&dc](int x, int y) -> std::optional<std::uint32_t> {
        const QColor c = dc.GetPixel(x, y);
        if (!c.isValid()) return std::nullopt;
        return c.rgb();
    };
    std::optional<std::uint32_t> wanted;
    if (colour) wanted = colour->rgb();
    return TestPixelsAround(read, pixel.x(), pixel.y(), background, wanted);
}

TraceResult TrajectoryStateAt(TPlotWin& window, int i, const TTrajectory& trajectory,
                              long double t) {
    if (!window.Inventory().IsIndex(i)) return RefusedTrace();
    return TrajectoryStateAt(window.Formulas(), window.Inventory()[i], trajectory, t,
                             WindowTracerSettings(window));
}

TraceResult TrajectoryEndPoint(TPlotWin& window, int i, const TTrajectory& trajectory) {
    if (!window.Inventory().IsIndex(i)) return RefusedTrace();
    return TrajectoryEndPoint(window.Formulas(), window.Inventory()[i], trajectory,
                              WindowTracerSettings(window));
}

bool IntrinsicPoint2D(TPlotWin& window, int i, long double s, Vec2& position, Vec2& direction) {
    return window.Inventory().IsIndex(i) &&
           IntrinsicPoint2D(window.Formulas(), window.Inventory()[i], s, position, direction);
}

bool IntrinsicPoint3D(TPlotWin& window, int i, long double s, FrenetState& out) {
    return window.Inventory().IsIndex(i) &&
           IntrinsicPoint3D(window.Formulas(), window.Inventory()[i], s, out);
}

// ------------------------------------------------------------------------------ painter

TTrajectoryPainter::TTrajectoryPainter(TPlotWin& owner, canvas::TCanvasPrimitives& prim)
    : TTrajectoryPainter(owner, owner, prim, {owner.PointMapping().plottedPair}) {}

TTrajectoryPainter::TTrajectoryPainter(TPlotWin& owner, TPlotWin& target,
                                       canvas::TCanvasPrimitives& prim, std::vector<int> pairs)
    : TTrajectoryPainter(owner, target, std::move(pairs)) {
    prim_ = &prim;
}

TTrajectoryPainter::TTrajectoryPainter(TPlotWin& owner, TPlotWin& target, std::vector<int> pairs)
    : owner_(owner),
      target_(target),
      prim_(nullptr),
      pairs_(std::move(pairs)),
      settings_(WindowTracerSettings(owner)),
      polling_(!KeyPollingSuppressed(owner) && !KeyPollingSuppressed(target)) {
    // A linked window that is printed or exported ends its traces by the budget as well.
    if (!polling_ && settings_.budgetSeconds <= 0) settings_.budgetSeconds = kUnpolledTraceSeconds;
}

bool TTrajectoryPainter::Projected() const {
    return std::find(pairs_.begin(), pairs_.end(), kPairProjected) != pairs_.end();
}

std::optional<WorldPoint> TTrajectoryPainter::PlotPoint(int pair, Vec3 p, long double t) const {
    const auto plot = examples::SelectAxisPair(pair, p, t, owner_.Dimension(), owner_.Observer(),
                                               owner_.SceneBox());
    if (!plot) return std::nullopt;
    const WorldPoint w{plot->x, plot->y};
    if (!Finite(w)) return std::nullopt;
    return w;
}

AlongXOptions TTrajectoryPainter::AlongXOf(int i) const {
    const canvas::TViewFrame& view = owner_.View();
    AlongXOptions options;
    options.view = {view.left, view.right, view.down, view.up};
    options.clip = owner_.Inventory()[i].recompute != 0;
    options.infiniteSlopes = owner_.Tracer().infiniteSlopes;
    return options;
}

examples::TPenSpec TTrajectoryPainter::PenOf(int i, const TTrajectory& trajectory) const {
    examples::TPenSpec pen = trajectory.pen;
    if (pen.width == 0) pen = owner_.Inventory()[i].pen;
    return pen;
}

void TTrajectoryPainter::SelectPen(const examples::TPenSpec& pen, canvas::TCanvasPrimitives& prim) {
    const QColor colour = target_.OutputColor(target_.DrawColor(pen.colour));
    const int factor = std::max(target_.Output().highResolutionFactor, 1);
    // A damaged record's width is held to what the dialogs offer.
    const int width = target_.Printing().printing ? target_.Output().printLineWidth
                                                  : std::clamp<int>(pen.width, 1, kWidestPen);
    prim.SetPen(colour, width * factor, pen.DrawnStyle());
}

TraceHooks TTrajectoryPainter::HooksFor(const TTrajectory& trajectory, std::vector<Curve>& curves) {
    TraceHooks hooks;
    StartFilters(curves.size());
    const examples::TPenSpec pen = trajectory.pen;
    hooks.sink = [this, &curves, pen](const TracePoint& p) {
        AddPoint(p, curves);
        if (onPoint) onPoint({p.position, p.t, p.draw, pen});
    };
    if (polling_) {
        if (!hint_) hint_ = std::make_unique<TLongWorkHint>(target_);
        // Asked at every step of the trace: the window is polled by time.
        hooks.pollKey = TTimedPoll(
            [this] {
                hint_->Polled();
                return target_.PollTraceKey();
            },
            target_.TracePollInterval());
    }
    if (owner_.Dimension() >= 3) {
        const Box3 box = SceneBoxOf(owner_);
        hooks.inside = [this, box](const TracePoint& p) {
            const std::optional<Vec3> space = owner_.TracedPointInSpace(example_, p.position);
            return space && IsInsideBox3D(box, *space);
        };
    } else {
        const canvas::TLDRect clip = owner_.View().ClipRect();
        const int pair = RegionPair(owner_);
        hooks.inside = [this, clip, pair](const TracePoint& p) {
            const auto w = PlotPoint(pair, p.position, p.t);
            return w && w->x >= clip.xLow && w->x <= clip.xHigh && w->y >= clip.yLow &&
                   w->y <= clip.yHigh;
        };
    }
    return hooks;
}

void TTrajectoryPainter::AddPoint(const TracePoint& p, std::vector<Curve>& curves) {
    // A curve traced in a plane (a surface intersection's) is projected where it lies in space.
    std::optional<Vec3> space = p.position;
    if (Projected()) space = owner_.TracedPointInSpace(example_, p.position);
    const bool visible = space && (!Projected() || IsPointVisible(owner_, *space));
    for (std::size_t k = 0; k < pairs_.size(); ++k) {
        Curve& curve = curves[k];
        const Vec3 at = pairs_[k] == kPairProjected && space ? *space : p.position;
        const auto w = visible ? PlotPoint(pairs_[k], at, p.t) : std::nullopt;
        if (!w) {
            // The pen lifts: the next point begins a new piece.
            if (curve.breaks.empty() || curve.breaks.back() != curve.points.size())
                curve.breaks.push_back(curve.points.size());
            if (k < filters_.size()) filters_[k].Lift();
            continue;
        }
        if (k < filters_.size()) {
            KeepFiltered(p, *w, filters_[k], curve);
            continue;
        }
        if (!p.draw && (curve.breaks.empty() || curve.breaks.back() != curve.points.size()))
            curve.breaks.push_back(curve.points.size());
        curve.points.push_back(*w);
    }
}

void TTrajectoryPainter::StartFilters(std::size_t count) {
    const canvas::TViewFrame& view = target_.View();
    filters_.assign(count, TResolutionFilter(view.areaWidth, view.areaHeight));
}

void TTrajectoryPainter::KeepFiltered(const TracePoint& p, WorldPoint w, TResolutionFilter& filter,
                                      Curve& curve) const {
    const canvas::TViewFrame& view = target_.View();
    const Vec2 pixel{(w.x - view.left) / view.unitsPerPixelX,
                     (view.up - w.y) / view.unitsPerPixelY};
    for (const KeptPoint& kept : filter.Offer({w.x, w.y}, pixel, p.t, p.draw)) {
        if (!kept.draw && (curve.breaks.empty() || curve.breaks.back() != curve.points.size()))
            curve.breaks.push_back(curve.points.size());
        curve.points.push_back({kept.at.x, kept.at.y});
    }
}

long double TTrajectoryPainter::KeptUntil(long double otherwise) const {
    bool any = false;
    long double until = otherwise;
    for (const TResolutionFilter& f : filters_) {
        if (!f.AddedAny()) continue;
        until = any ? std::max(until, f.LastAddedTime()) : f.LastAddedTime();
        any = true;
    }
    return until;
}

namespace {

// A thinned curve's pieces into the primitives' open curve.
class TPrimitivesCurveSink : public TPolylineSink {
public:
    explicit TPrimitivesCurveSink(canvas::TCanvasPrimitives& prim) : prim_(prim) {}
    void Point(Vec2 world) override {
        if (broken_) prim_.BreakCurve();
        broken_ = false;
        prim_.CurvePoint({world.x, world.y});
    }
    void Break() override { broken_ = true; }

private:
    canvas::TCanvasPrimitives& prim_;
    bool broken_ = false;
};

}  // namespace

void TTrajectoryPainter::DrawCurves(const std::vector<Curve>& curves,
                                    canvas::TCanvasPrimitives& prim) {
    // Thinned to a quarter pixel of the view, as sampled curves are: a long trace hands the
    // writers no more points than its picture needs.
    const canvas::TViewFrame& view = prim.Frame();
    const auto pixelOf = [&view](WorldPoint w) {
        return Vec2{(w.x - view.left) / view.unitsPerPixelX, (view.up - w.y) / view.unitsPerPixelY};
    };
    for (const Curve& curve : curves) {
        if (curve.points.size() < 2) continue;
        prim.BeginCurve();
        TPrimitivesCurveSink sink(prim);
        TPolylineThinner thinner(sink, kPolylineThinning);
        std::size_t next = 0;
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            while (next < curve.breaks.size() && curve.breaks[next] < k) ++next;
            if (k > 0 && next < curve.breaks.size() && curve.breaks[next] == k) thinner.Break();
            const WorldPoint w = curve.points[k];
            thinner.Add(pixelOf(w), {w.x, w.y});
        }
        thinner.Break();
        prim.EndCurve();
    }
}

TTraceOutcome TTrajectoryPainter::Trace(int i, const TTrajectory& trajectory, TTracedCurves& out) {
    TTraceOutcome outcome;
    out.curves.assign(pairs_.size(), {});
    if (!owner_.Inventory().IsIndex(i)) return outcome;
    example_ = i;
    const TExample& e = owner_.Inventory()[i];
    out.pen = PenOf(i, trajectory);
    const int k = trajectory.kind % TTrajectory::kFormulaKindOffset;
    out.sequence = k == kind::kSequence || k == kind::kSpaceSequence;
    out.joined = !out.sequence || e.ConnectPoints() != 0;
    out.arrows = out.sequence && e.SequenceArrows() != 0;
    TraceHooks hooks = HooksFor(trajectory, out.curves);
    if (out.sequence) {
        hooks.inside = {};  // the terms of a sequence are not cut at the view
        filters_.clear();   // and each is a dot of its own
    }
    outcome.result = TraceTrajectory(owner_.Formulas(), owner_.Inventory()[i], trajectory,
                                     settings_, hooks, AlongXOf(i));
    outcome.key = outcome.result.Key();
    outcome.closed = outcome.result.Closed();
    outcome.keptUntil = KeptUntil(outcome.result.endTime);
    return outcome;
}

void TTrajectoryPainter::DrawTraced(const TTracedCurves& traced, canvas::TCanvasPrimitives& prim) {
    SelectPen(traced.pen, prim);
    if (traced.joined) DrawCurves(traced.curves, prim);
    if (!traced.sequence) return;
    const int radius = std::max<int>(traced.pen.width, 1) + 1;
    const long double arrow = kSequenceArrowPixels * target_.View().unitsPerPixelX;
    for (const Curve& curve : traced.curves) {
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            QPoint pixel;
            if (target_.View().PointToScreen(curve.points[k], pixel))
                prim.Marker(pixel, kDiscMarker, radius);
            const bool follows = k > 0 && std::find(curve.breaks.begin(), curve.breaks.end(), k) ==
                                              curve.breaks.end();
            if (traced.arrows && follows) {
                const WorldPoint d{curve.points[k].x - curve.points[k - 1].x,
                                   curve.points[k].y - curve.points[k - 1].y};
                prim.ArrowHead(curve.points[k], d, arrow, true);
            }
        }
    }
}

TTraceOutcome TTrajectoryPainter::TraceSystemTrajectory(int i, const TTrajectory& trajectory) {
    TTracedCurves traced;
    const TTraceOutcome outcome = Trace(i, trajectory, traced);
    if (prim_) DrawTraced(traced, *prim_);
    return outcome;
}

int TTrajectoryPainter::DrawSystemTrajectories(int i, bool levelFilter) {
    if (!owner_.Inventory().IsIndex(i)) return 0;
    const examples::TLevelSettings& level = owner_.Level();
    // Oldest first. A trace polls keys, and what runs meanwhile may change the list (a moved
    // parameter makes level curves follow their surface, a curve is deleted): each record is
    // traced from a copy, and the list is looked up again by place after every trace.
    const auto list = [&]() -> examples::TrajectoryList* {
        return owner_.Inventory().IsIndex(i) ? &owner_.Inventory()[i].trajectories : nullptr;
    };
    for (std::size_t n = list()->size(); n-- > 0;) {
        if (!list() || n >= list()->size()) continue;
        const TTrajectory record = (*list())[n].Clone();
        if (levelFilter && !PassesLevelFilter(record, level.variable, level.value, level.tolerance))
            continue;
        const TTraceOutcome outcome = TraceSystemTrajectory(i, record);
        // The owner's own redraw keeps where a trace stopped (not for the shared records of a
        // family's members); its linked windows only draw.
        if (&target_ == &owner_ && list() && n < list()->size() && !owner_.Inventory()[i].familyOn)
            KeepWhereStopped((*list())[n], outcome.result, outcome.keptUntil);
        if (outcome.key != 0) return outcome.key;
    }
    return 0;
}

int TTrajectoryPainter::DrawHigherOrderTrajectories(int i) {
    return DrawSystemTrajectories(i);
}

int TTrajectoryPainter::TraceSequence(int i, const TTrajectory& trajectory) {
    return TraceSystemTrajectory(i, trajectory).key;
}

int TTrajectoryPainter::DrawTrajectories(int i) {
    return DrawSystemTrajectories(i);
}

int TTrajectoryPainter::DrawTrajectoryFamily(int i) {
    if (!owner_.Inventory().IsIndex(i)) return 0;
    const TExample& e = owner_.Inventory()[i];
    const auto member = [&] {
        if (owner_.Dimension() < 3) DrawSlopeField(i);
        return DrawTrajectories(i);
    };
    const int letter = e.familyLetter;
    if (!e.familyOn || letter < 1 || letter > slot::kLastParameter) return member();
    FormulaContext& ctx = owner_.Formulas();
    const long double saved = ctx.Var(letter);
    const int n = std::abs(static_cast<int>(e.familySteps));
    const long double increment = n > 0 ? (e.familyHigh - e.familyLow) / n : 0;
    int key = 0;
    for (int k = 0; k <= n && key == 0; ++k) {
        ctx.SetVar(letter, e.familyLow + k * increment);
        key = member();
    }
    ctx.SetVar(letter, saved);
    return key;
}

int TTrajectoryPainter::DrawIntrinsic3D(int i) {
    if (!owner_.Inventory().IsIndex(i)) return 0;
    TExample& e = owner_.Inventory()[i];
    const Vec3 extent = owner_.SceneBox().max - owner_.SceneBox().min;
    const long double size =
        std::max({std::fabs(extent.x), std::fabs(extent.y), std::fabs(extent.z)});
    const long double step = IntrinsicDrawingStep(e, size);
    std::vector<Curve> curves(pairs_.size());
    TTrajectory carrier;
    carrier.pen = e.pen;
    TraceHooks hooks = HooksFor(carrier, curves);
    hooks.inside = {};  // the arc runs over its range; what leaves the box is not shown
    const TraceResult result =
        TraceIntrinsic(owner_.Formulas(), e, e.rangeLow[0], e.rangeHigh[0], step, settings_, hooks);
    if (prim_) {
        SelectPen(e.pen, *prim_);
        DrawCurves(curves, *prim_);
    }
    if (result.stop == TraceStop::kRefused) return result.error;
    return result.Key();
}

void TTrajectoryPainter::DrawSlopeField(int i) {
    if (!prim_ || !owner_.Inventory().IsIndex(i)) return;
    canvas::TCanvasPrimitives& prim = *prim_;
    TExample& e = owner_.Inventory()[i];
    if (e.fieldDisplay != 1 && e.fieldDisplay != 2) return;
    if (e.kind != kind::kSystem && e.kind != kind::kSlope) return;
    FormulaContext& ctx = owner_.Formulas();
    PlotVariableGuard guard(ctx);
    const canvas::TViewFrame& view = target_.View();
    const int rows = std::clamp<int>(e.fieldRows, 1, kMostFieldRows);
    const long double spacing = static_cast<long double>(view.areaHeight) / rows;
    // The mark's length in per cent of the width: the bound parameter's value, or the word.
    long double percent = e.fieldLengthPercent / 10.0L;
    if (const auto bound = examples::BoundFieldLength(ctx, e)) percent = *bound;
    const long double length =
        std::clamp(view.areaWidth * percent / 100, 1.0L, 4.0L * view.areaWidth);
    const auto evaluate = [&ctx](TExprNode* tree, long double& out) {
        if (!tree || !ctx.Evaluate(*tree)) return false;
        out = tree->re;
        return std::isfinite(out);
    };
    examples::TPenSpec pen{static_cast<std::int16_t>(owner_.Roles().Role(kSlopeFieldRole)), 1, 0};
    SelectPen(pen, prim);
    const platform::PixelRect area = view.AreaRect();
    for (long double py = area.top + spacing / 2; py < area.bottom; py += spacing)
        for (long double px = area.left + spacing / 2; px < area.right; px += spacing) {
            const WorldPoint at = view.ScreenToWorld(
                QPoint(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))));
            ctx.SetVar(slot::kX, at.x);
            ctx.SetVar(slot::kY, at.y);
            ctx.SetVar(slot::kT, 0.0L);
            long double dx = 1, dy = 0;
            const bool defined = e.kind == kind::kSlope ? evaluate(e.Tree(3).get(), dy)
                                                        : evaluate(e.Tree(1).get(), dx) &&
                                                              evaluate(e.Tree(2).get(), dy);
            if (!defined) continue;
            // The direction in pixels (y downwards), scaled to the mark's length.
            const long double vx = dx / view.unitsPerPixelX;
            const long double vy = -dy / view.unitsPerPixelY;
            const long double norm = std::hypot(vx, vy);
            if (!(norm > 0) || !std::isfinite(norm)) continue;
            const long double ux = length * vx / norm, uy = length * vy / norm;
            const long double fx = e.fieldDisplay == 1 ? px - ux / 2 : px;
            const long double fy = e.fieldDisplay == 1 ? py - uy / 2 : py;
            const WorldPoint from{view.ScreenToX(static_cast<int>(std::lround(fx))),
                                  view.ScreenToY(static_cast<int>(std::lround(fy)))};
            const WorldPoint to{view.ScreenToX(static_cast<int>(std::lround(fx + ux))),
                                view.ScreenToY(static_cast<int>(std::lround(fy + uy)))};
            prim.Segment(from, to, true);
            if (e.fieldDisplay == 2) {
                const long double head = std::max(3.0L, length / 3) * view.unitsPerPixelX;
                prim.ArrowHead(to, {to.x - from.x, to.y - from.y}, head, true);
            }
        }
}

}  // namespace quorlin::dynamics
