#include "plot3d/scene/example_boxes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "dynamics/intrinsic.h"
#include "examples/records/point_position.h"
#include "formula/tree_program.h"

namespace quorlin::plot3d {

using examples::TExample;
namespace kind = examples::kind;

namespace {

std::optional<long double> Value(FormulaContext& f, TExample& e, int tree) {
    if (!e.Tree(tree) || !f.Evaluate(*e.trees[static_cast<std::size_t>(tree - 1)])) {
        return std::nullopt;
    }
    return e.Tree(tree)->re;
}

long double& Axis(Vec3& v, int a) {
    return a == 0 ? v.x : a == 1 ? v.y : v.z;
}

long double Clamped(long double v, long double low, long double high) {
    return std::fmin(std::fmax(v, low - 1e-13L), high + 1e-13L);
}

}  // namespace

TBox3 BoxOf(const TExample& e) {
    return {e.boxMin, e.boxMax};
}

void SetBox(TExample& e, const TBox3& box) {
    e.boxMin = box.min;
    e.boxMax = box.max;
}

// A given box is only ever stored reversed by a crafted file; read as it stands, a mesh would be
// widened at every sweep and never come to rest, and the box dialog would show each reversed
// axis high end first.
TBox3 OrderedBoxOf(const TExample& e) {
    return Ordered(BoxOf(e));
}

void OrderBox(TExample& e) {
    if (e.kind != kind::kSurfaceIntersection) SetBox(e, OrderedBoxOf(e));
}

bool IsBoxAutomatic(const TExample& e) {
    return e.surfaceOption != 0;
}

void SetBoxAutomatic(TExample& e, bool on) {
    e.surfaceOption = on ? 1 : 0;
}

std::optional<Vec3> EvalSurfacePoint(FormulaContext& f, TExample& e, long double u, long double v) {
    switch (e.kind) {
        case kind::kSurface: {
            f.SetVar(slot::kX, u);
            f.SetVar(slot::kY, v);
            const auto z = Value(f, e, 3);
            if (!z) return std::nullopt;
            return Vec3{u, v, *z};
        }
        case kind::kPolarSurface: {
            f.SetVar(slot::kR, u);
            f.SetVar(slot::kT, v);
            const auto z = Value(f, e, 3);
            if (!z) return std::nullopt;
            return Vec3{u * std::cos(v), u * std::sin(v), *z};
        }
        default: {
            f.SetVar(slot::kT, u);
            f.SetVar(slot::kU, v);
            const auto x = Value(f, e, 1), y = Value(f, e, 2), z = Value(f, e, 3);
            if (!x || !y || !z) return std::nullopt;
            return Vec3{*x, *y, *z};
        }
    }
}

Vec3 UndefinedMeshPoint() {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    return {nan, nan, nan};
}

bool IsDefinedMeshPoint(const Vec3& p) {
    return !std::isnan(p.x);
}

TSurfaceSweep::TSurfaceSweep(FormulaContext& f, TExample& e) : f_(f), kind_(e.kind) {
    const bool oneTree = kind_ == kind::kSurface || kind_ == kind::kPolarSurface;
    for (int t = oneTree ? 3 : 1; t <= 3; ++t) {
        if (!e.Tree(t)) {
            complete_ = false;
            continue;
        }
        programs_.emplace_back(f, e.trees[static_cast<std::size_t>(t - 1)].get());
    }
}

std::optional<Vec3> TSurfaceSweep::At(long double u, long double v) {
    if (!complete_) return std::nullopt;
    long double value[3] = {};
    const auto run = [&](std::size_t k) { return programs_[k].Evaluate(value[k]); };
    switch (kind_) {
        case kind::kSurface:
            f_.SetVar(slot::kX, u);
            f_.SetVar(slot::kY, v);
            if (!run(0)) return std::nullopt;
            return Vec3{u, v, value[0]};
        case kind::kPolarSurface:
            f_.SetVar(slot::kR, u);
            f_.SetVar(slot::kT, v);
            if (!run(0)) return std::nullopt;
            return Vec3{u * std::cos(v), u * std::sin(v), value[0]};
        default:
            f_.SetVar(slot::kT, u);
            f_.SetVar(slot::kU, v);
            if (!run(0) || !run(1) || !run(2)) return std::nullopt;
            return Vec3{value[0], value[1], value[2]};
    }
}

namespace {

// What a sweep over a surface's grid did with the example's box.
enum class MeshOutcome {
    Fresh,    // the box was computed from the points
    Kept,     // the box stood as it was (given, or no point defined)
    Stopped,  // Q came first: the points not reached are undefined, the box stands
};

MeshOutcome SweepMesh(FormulaContext& f, TExample& e, examples::TSumControl* control) {
    f.SaveVariables();
    const int nt = std::max<int>(e.divisions[0], 1), nu = std::max<int>(e.divisions[1], 1);
    const long double dt = (e.rangeHigh[0] - e.rangeLow[0]) / nt;
    const long double du = (e.rangeHigh[1] - e.rangeLow[1]) / nu;
    const bool automatic = IsBoxAutomatic(e);
    const TBox3 given = Ordered(BoxOf(e));
    TBox3 box = TBox3::Empty();
    const std::size_t needed = static_cast<std::size_t>(nt + 1) * static_cast<std::size_t>(nu + 1);
    if (e.points.size() < needed) e.points.resize(needed);
    TSurfaceSweep sweep(f, e);
    for (std::size_t k = 0; k < needed; ++k) {
        if (control && control->Stop()) {
            std::fill(e.points.begin() + static_cast<std::ptrdiff_t>(k),
                      e.points.begin() + static_cast<std::ptrdiff_t>(needed), UndefinedMeshPoint());
            f.RestoreVariables();
            return MeshOutcome::Stopped;
        }
        const auto i = static_cast<int>(k / static_cast<std::size_t>(nu + 1));
        const auto j = static_cast<int>(k % static_cast<std::size_t>(nu + 1));
        std::optional<Vec3> p = sweep.At(e.rangeLow[0] + i * dt, e.rangeLow[1] + j * du);
        if (p && automatic) {
            box.Add(*p);
        } else if (p) {
            *p = {Clamped(p->x, given.min.x, given.max.x), Clamped(p->y, given.min.y, given.max.y),
                  Clamped(p->z, given.min.z, given.max.z)};
        }
        e.points[k] = p ? *p : UndefinedMeshPoint();
    }
    const bool fresh = automatic && !box.IsEmpty();
    if (!fresh) box = given;
    for (int a = 0; a < 3; ++a) {
        if (Axis(box.max, a) < Axis(box.min, a) + 1e-13L) {
            Axis(box.min, a) -= 1e-5L;
            Axis(box.max, a) += 1e-5L;
        }
    }
    SetBox(e, box);
    f.RestoreVariables();
    return fresh ? MeshOutcome::Fresh : MeshOutcome::Kept;
}

}  // namespace

int ComputeSurfaceMesh(FormulaContext& f, TExample& e, examples::TSumControl* control) {
    return SweepMesh(f, e, control) == MeshOutcome::Stopped ? kKeyStop : 0;
}

namespace {

// The point where it is drawn, whatever form it is typed in.
std::optional<Vec3> PointOfEntry(FormulaContext& f, TExample& e) {
    Vec3 p;
    if (!examples::DrawnPointPosition(f, e, p)) return std::nullopt;
    return p;
}

void SampledCurveBox(FormulaContext& f, TExample& e, int n) {
    TBox3 box = TBox3::Empty();
    for (int i = 0; i <= n; ++i) {
        f.SetVar(slot::kT, e.rangeLow[0] + i * (e.rangeHigh[0] - e.rangeLow[0]) / n);
        Vec3 p;
        for (int a = 0; a < 3; ++a) {
            const auto v = Value(f, e, a + 1);
            // A failed component takes the middle of the box so far (0 before any point).
            const long double middle =
                box.IsEmpty() ? 0 : (Axis(box.min, a) + Axis(box.max, a)) / 2;
            Axis(p, a) = v ? *v : middle;
        }
        box.Add(p);
    }
    EnsureSpan(box, 0.5L);
    WidenBox(box);
    SetBox(e, box);
}

// ComputeCurveBox, saying whether it computed the box (false: the box stands as it was).
bool CurveBox(FormulaContext& f, TExample& e) {
    if (!IsBoxAutomatic(e)) return false;
    switch (e.kind) {
        case kind::kSpacePoint:
            if (const auto p = PointOfEntry(f, e)) {
                SetBox(e, {*p - Vec3{0.25L, 0.25L, 0.25L}, *p + Vec3{0.25L, 0.25L, 0.25L}});
                return true;
            }
            return false;
        case kind::kSpaceCurve:
            SampledCurveBox(f, e, 100);
            return true;
        case kind::kSpaceSegment:
            SampledCurveBox(f, e, 1);
            return true;
        default:
            return false;
    }
}

}  // namespace

void ComputeCurveBox(FormulaContext& f, TExample& e) {
    CurveBox(f, e);
}

namespace {

// The points of one trace of the curve over its range at the step, added to the box. Every
// kIntrinsicPollSteps-th step of all the traces (counted in `steps`) asks the poll; a trace
// ends after at most kMaxIntrinsicSteps steps. False when Q stopped it.
bool TraceIntrinsicInto(FormulaContext& f, TExample& e, long double step, TBox3& box,
                        long long& steps, const std::function<int()>& poll) {
    dynamics::TracerSettings settings;
    settings.viewStepLimit = kMaxIntrinsicSteps + 2;  // both arcs, each ending on its end
    dynamics::TraceHooks hooks;
    hooks.sink = [&box](const dynamics::TracePoint& p) { box.Add(p.position); };
    hooks.pollKey = [&steps, &poll] {
        const bool ask = ++steps % kIntrinsicPollSteps == 0 && poll;
        return ask ? poll() : 0;
    };
    const dynamics::TraceResult r =
        dynamics::TraceIntrinsic(f, e, e.rangeLow[0], e.rangeHigh[0], step, settings, hooks);
    return r.stop != dynamics::TraceStop::kInterrupted;
}

// A range far longer than its drawing can take: the arc from s = 0 to `end` in
// kMaxIntrinsicSteps plain Runge-Kutta steps, bounded work however fast the curve turns; only
// the points within the range are added, as the drawer draws only those. The steps count on in
// `steps`, and every kIntrinsicPollSteps-th asks the poll: false on Q.
bool TraceInFixedSteps(FormulaContext& f, TExample& e, const dynamics::FrenetState& start,
                       long double end, TBox3& box, long long& steps,
                       const std::function<int()>& poll) {
    const long double low = e.rangeLow[0], high = e.rangeHigh[0];
    const auto inRange = [low, high](long double s) { return low <= s && s <= high; };
    const long double step = end / static_cast<long double>(kMaxIntrinsicSteps);
    dynamics::FrenetState state = start;
    if (inRange(0)) box.Add(state.position);
    TExprNode& curvature = *e.trees[0];
    TExprNode* torsion = e.trees[1].get();
    for (long long i = 0; i < kMaxIntrinsicSteps; ++i) {
        const long double s = step * static_cast<long double>(i);
        if (!dynamics::IntrinsicRK4Step(f, curvature, torsion, state, s, step)) break;
        if (inRange(s + step)) box.Add(state.position);
        if (++steps % kIntrinsicPollSteps == 0 && poll && poll() == kKeyStop) return false;
    }
    return true;
}

// The arc length the traces run over: from s = 0 out to each end of the range.
long double ArcReach(long double low, long double high) {
    return std::fmax(high, 0) + std::fmax(-low, 0);
}

long double LargestExtent(const TBox3& box) {
    const Vec3 d = box.max - box.min;
    return std::max({d.x, d.y, d.z});
}

// ComputeIntrinsicBox, saying whether it set the box from traced points. The box holds the
// curve as its drawer traces it: a first coarse trace tells the curve's size, and the second
// takes its points as the drawer does, at the drawing's basic step for a box of that size. Both
// run from s = 0, so a range far from 0 is reached only at a step its arc allows. A range that
// would take more than kMaxIntrinsicSteps such points is traced in that many plain steps each
// way instead.
int IntrinsicBox(FormulaContext& f, TExample& e, const std::function<int()>& poll, bool& fresh) {
    constexpr long double kCoarseSteps = 100;
    fresh = false;
    f.SetVar(slot::kS, 0);
    const auto curve = dynamics::IntrinsicCurve::FromExample(f, e);
    if (!curve || !e.Tree(1)) return 0;
    const long double low = e.rangeLow[0], high = e.rangeHigh[0];
    const long double span = std::fabs(high - low);
    const long double reach = ArcReach(low, high);
    const auto most = static_cast<long double>(kMaxIntrinsicSteps);
    long long steps = 0;
    TBox3 coarse = TBox3::Empty();
    const long double coarseStep = std::fmax(span / kCoarseSteps, reach / most);
    if (!TraceIntrinsicInto(f, e, coarseStep, coarse, steps, poll)) return kKeyStop;
    if (coarse.IsEmpty()) return 0;
    // No curve reaches farther than its length: a coarse trace that says so has lost its way,
    // and the drawing's step is not known.
    const long double size = LargestExtent(coarse);
    const long double step = dynamics::IntrinsicBasicStep(size <= span ? size : 0);
    TBox3 box = TBox3::Empty();
    bool done = true;
    if (reach / step <= most) {
        done = TraceIntrinsicInto(f, e, step, box, steps, poll);
    } else {
        const dynamics::FrenetState start = curve->Start();
        done = !(high > 0) || TraceInFixedSteps(f, e, start, high, box, steps, poll);
        if (done && low < 0) done = TraceInFixedSteps(f, e, start, low, box, steps, poll);
    }
    if (box.IsEmpty()) return done ? 0 : kKeyStop;
    EnsureSpan(box, 0.5L);
    SetBox(e, box);
    fresh = true;
    return done ? 0 : kKeyStop;
}

// The example's own box (and mesh) computed afresh where its kind has a computation: 0, or 81
// after Q; fresh tells whether the box now comes from the example. A box that stood as it was
// (a given box, or a kind whose box is kept) must not be widened again.
int ComputeOwnBox(FormulaContext& f, TExample& e, examples::TSumControl* control, bool& fresh) {
    fresh = false;
    if (e.IsMeshSurface(false)) {
        const MeshOutcome outcome = SweepMesh(f, e, control);
        fresh = outcome == MeshOutcome::Fresh;
        return outcome == MeshOutcome::Stopped ? kKeyStop : 0;
    }
    if (e.kind == kind::kSpaceIntrinsic) {
        if (!IsBoxAutomatic(e)) return 0;
        const auto poll = [control] { return control && control->Stop() ? kKeyStop : 0; };
        return IntrinsicBox(f, e, poll, fresh);
    }
    fresh = CurveBox(f, e);
    return 0;
}

}  // namespace

int ComputeIntrinsicBox(FormulaContext& f, TExample& e, const std::function<int()>& poll) {
    bool fresh = false;
    return IntrinsicBox(f, e, poll, fresh);
}

bool HoldsOrigin(const TBox3& box) {
    const auto holds = [](long double low, long double high) { return low <= 0 && 0 <= high; };
    return holds(box.min.x, box.max.x) && holds(box.min.y, box.max.y) &&
           holds(box.min.z, box.max.z);
}

int RecomputeExampleBox(FormulaContext& f, TExample& e, bool axesShown,
                        examples::TSumControl* control) {
    bool fresh = false;
    if (const int result = ComputeOwnBox(f, e, control, fresh); result != 0) return result;
    if (fresh && IsBoxAutomatic(e)) {
        TBox3 box = BoxOf(e);
        WidenBox(box);
        const bool kept = LimitBoxElongation(box, e.familyOn != 0);
        SetBox(e, box);
        // A cut box is the example's own from now on; the mesh is computed into it.
        if (!kept) {
            SetBoxAutomatic(e, false);
            if (e.IsMeshSurface(false) && SweepMesh(f, e, control) == MeshOutcome::Stopped)
                return kKeyStop;
        }
    }
    if (axesShown) {
        TBox3 box = BoxOf(e);
        box.Add(Vec3{0, 0, 0});
        SetBox(e, box);
    }
    return 0;
}

}  // namespace quorlin::plot3d
