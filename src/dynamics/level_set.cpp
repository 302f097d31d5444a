#include "dynamics/level_set.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "dynamics/implicit_curve.h"
#include "examples/records/derivation.h"

namespace quorlin::dynamics {

namespace {

namespace k = examples::kind;

// Newton's steps toward the set, at most. A step is clipped to a quarter of the plane's extent
// (below), so from anywhere in the box the iteration can cross the plane a few times over before
// it gives up; once near the set it converges quadratically and needs a handful.
constexpr int kMostNewtonSteps = 64;
// The longest step, as a part of the plane's extent. Near the centre of a small circle f's
// gradient is small and the full step lands far beyond the plane although the set is near: cut
// to a quarter of the extent it stays among the points a curve of this box could reach, and the
// next steps come back onto the set.
constexpr long double kLongestStep = 0.25L;
// A step is halved until |f| decreases enough, at most this many times (down to a millionth of
// it). Along a Newton step |f| falls at the rate |f| for the step's fraction taken, so a step
// this short fails to lower it only near a point where f's gradient vanishes and f does not (a
// hollow of |f| off the set: no point of the set is near there) or at f's rounding. Fewer
// halvings would give up on sets that curve sharply; more only cost work in a hollow.
constexpr int kMostHalvings = 20;
// The decrease asked for: |f| at most (1 - this x the fraction of the full step) of |f| before.
constexpr long double kSufficientDecrease = 1e-4L;
// The difference quotients of the gradient step this part of the plane's extent either way.
constexpr long double kDifferenceStep = 1e-6L;
// Newton has settled when a step is below this part of the extent.
constexpr long double kSettledStep = 1e-15L;
// A step that no longer lowers |f| but is below this part of the extent: the point lies on the
// set as far as f's rounding tells it.
constexpr long double kRoundingStep = 1e-12L;
// A point found counts as inside the box, or on a side, within this part of the extent.
constexpr long double kBoxMargin = 1e-9L;
// A set followed back through the box from a side takes steps of at most this part of the
// extent, at most this many, and at most this many values of f (a step takes about 20 where the
// set curves gently): arcs up to 16 extents long, more than a set that meets the sides a few
// times runs through the box, and a bounded time also where the steps are cut short again and
// again.
constexpr long double kWalkStep = 1.0L / 32;
constexpr int kMostWalkSteps = 512;
constexpr int kMostWalkValues = 10'000;
// After a step a longer one is tried, by this factor, as the tracers of implicit curves do.
constexpr long double kWalkGrowth = 1.5L;
// Each side of the box is sampled at this many intervals for the set's crossings: two crossings
// closer than one interval may be missed, both at once.
constexpr int kSideSamples = 64;
// A crossing between two samples is bisected until the two ends meet, at most this many times
// (more than the digits of a long double).
constexpr int kMostBisections = 80;

// The coordinate of p on the axis 0 (x), 1 (y) or 2 (z).
long double& Axis(Vec3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}
long double AxisOf(Vec3 p, int axis) {
    return Axis(p, axis);
}

// The two axes of the plane of a level variable, in the order its curves are traced in:
// z levels (x, y), x levels (y, z), y levels (z, x).
std::optional<std::array<int, 2>> PlaneAxes(int levelVariable) {
    switch (levelVariable) {
        case slot::kZ:
            return std::array{0, 1};
        case slot::kX:
            return std::array{1, 2};
        case slot::kY:
            return std::array{2, 0};
        default:
            return std::nullopt;
    }
}

// The level variable an intersection's curves are traced at: z shifted by its solved axis.
int IntersectionLevel(const examples::TExample& e) {
    return slot::kZ + std::clamp<int>(e.SolvedAxis(), -2, 0);
}

// Newton's iteration in the plane of the two axes, from p.
class TPlaneNewton {
public:
    TPlaneNewton(const ScalarField3& f, std::array<int, 2> axes, long double extent)
        : f_(f), axes_(axes), extent_(extent) {}

    // f at p and its gradient in the plane; false where either fails.
    bool Linearise(Vec3 p, long double& value, std::array<long double, 2>& gradient) const {
        if (!f_(p, value) || !std::isfinite(value)) return false;
        const long double h = kDifferenceStep * extent_;
        for (std::size_t a = 0; a < 2; ++a) {
            Vec3 ahead = p;
            Vec3 behind = p;
            Axis(ahead, axes_[a]) += h;
            Axis(behind, axes_[a]) -= h;
            long double fa = 0;
            long double fb = 0;
            if (!f_(ahead, fa) || !f_(behind, fb)) return false;
            gradient[a] = (fa - fb) / (2 * h);
            if (!std::isfinite(gradient[a])) return false;
        }
        return true;
    }

    // From p onto the set by damped Newton steps along f's gradient in the plane: each step
    // clipped to the longest step, then halved until |f| falls. The plane's axis held (0 or 1,
    // none when -1) keeps its coordinate: the steps run along a side of the box. Nothing where f
    // or its gradient fail, where no step lowers |f| (no point of the set near), or after the
    // most steps.
    std::optional<Vec3> Settle(Vec3 p, int held = -1) const {
        for (int step = 0; step < kMostNewtonSteps; ++step) {
            long double value = 0;
            std::array<long double, 2> g{};
            if (!Linearise(p, value, g)) return std::nullopt;
            if (held >= 0) g[static_cast<std::size_t>(held)] = 0;
            if (value == 0) return p;
            const long double norm2 = g[0] * g[0] + g[1] * g[1];
            if (!(norm2 > 0)) return std::nullopt;
            const std::array<long double, 2> d{value * g[0] / norm2, value * g[1] / norm2};
            const long double length = std::hypot(d[0], d[1]);
            if (!std::isfinite(length)) return std::nullopt;
            if (length <= kSettledStep * extent_) return Moved(p, d, 1);
            const std::optional<Vec3> next = LineSearch(p, d, length, std::fabs(value));
            if (!next) {
                if (length <= kRoundingStep * extent_) return p;
                return std::nullopt;
            }
            p = *next;
        }
        return std::nullopt;
    }

private:
    // p moved by the part t of the step -d.
    Vec3 Moved(Vec3 p, const std::array<long double, 2>& d, long double t) const {
        Axis(p, axes_[0]) -= t * d[0];
        Axis(p, axes_[1]) -= t * d[1];
        return p;
    }

    // The first point along the step -d (of the length), clipped to the longest step and then
    // halved, where f is defined and |f| has fallen enough below its value at p.
    std::optional<Vec3> LineSearch(Vec3 p, const std::array<long double, 2>& d, long double length,
                                   long double magnitude) const {
        long double t = std::min<long double>(1, kLongestStep * extent_ / length);
        for (int halving = 0; halving <= kMostHalvings; ++halving, t /= 2) {
            const Vec3 q = Moved(p, d, t);
            long double value = 0;
            if (!f_(q, value) || !std::isfinite(value)) continue;
            if (std::fabs(value) <= (1 - kSufficientDecrease * t) * magnitude) return q;
        }
        return std::nullopt;
    }

    const ScalarField3& f_;
    std::array<int, 2> axes_;
    long double extent_;
};

// The box in the plane of two axes (its corners in either order).
class TPlaneBox {
public:
    TPlaneBox(const Box3& box, std::array<int, 2> axes) : axes_(axes) {
        for (std::size_t a = 0; a < 2; ++a) {
            const long double u = AxisOf(box.min, axes[a]);
            const long double v = AxisOf(box.max, axes[a]);
            low_[a] = std::min(u, v);
            high_[a] = std::max(u, v);
        }
        extent_ = std::max(high_[0] - low_[0], high_[1] - low_[1]);
        if (!(extent_ > 0) || !std::isfinite(extent_)) extent_ = 1;
        margin_ = kBoxMargin * extent_;
    }

    // The longer of its two sides (1 for a box flat in the plane): the scale of the steps.
    long double Extent() const { return extent_; }

    // Whether p's coordinate on the plane's axis a (0 or 1) lies between the sides, within the
    // margin given.
    bool Spans(Vec3 p, std::size_t a, long double margin) const {
        const long double c = AxisOf(p, axes_[a]);
        return c >= low_[a] - margin && c <= high_[a] + margin;
    }
    // Within the box's margin: a point found counts as in the box.
    bool Holds(Vec3 p) const { return Spans(p, 0, margin_) && Spans(p, 1, margin_); }
    // In the box as the tracers test it, sides included: a curve traced from p shows.
    bool Contains(Vec3 p) const { return Spans(p, 0, 0) && Spans(p, 1, 0); }
    // The low and high side on the plane's axis a (0 or 1).
    long double Low(std::size_t a) const { return low_[a]; }
    long double High(std::size_t a) const { return high_[a]; }
    // -1 where p's coordinate on the plane's axis a lies on the low side, within the margin, 1 on
    // the high side, 0 on neither.
    int SideOf(Vec3 p, std::size_t a) const {
        const long double c = AxisOf(p, axes_[a]);
        if (std::fabs(c - low_[a]) <= margin_) return -1;
        return std::fabs(c - high_[a]) <= margin_ ? 1 : 0;
    }

    // p moved onto the nearest point of the box.
    Vec3 Clamped(Vec3 p) const {
        for (std::size_t a = 0; a < 2; ++a)
            Axis(p, axes_[a]) = std::clamp(AxisOf(p, axes_[a]), low_[a], high_[a]);
        return p;
    }

private:
    std::array<int, 2> axes_;
    std::array<long double, 2> low_{};
    std::array<long double, 2> high_{};
    long double extent_ = 1;
    long double margin_ = 0;
};

// f in the plane of two axes through a point, as a function of the plane's two coordinates:
// what the follower of zero sets takes. Undefined everywhere once it has given its most values.
class TPlaneFunction : public ImplicitFunction {
public:
    TPlaneFunction(const ScalarField3& f, std::array<int, 2> axes, Vec3 through, int mostValues)
        : f_(f), axes_(axes), through_(through), left_(mostValues) {}

    bool Value(Vec2 p, long double& out) override {
        if (left_ <= 0) return false;
        --left_;
        return f_(Point(p), out) && std::isfinite(out);
    }
    Vec3 Point(Vec2 p) const {
        Vec3 q = through_;
        Axis(q, axes_[0]) = p.x;
        Axis(q, axes_[1]) = p.y;
        return q;
    }
    Vec2 Coordinates(Vec3 p) const { return {AxisOf(p, axes_[0]), AxisOf(p, axes_[1])}; }

private:
    const ScalarField3& f_;
    std::array<int, 2> axes_;
    Vec3 through_;
    int left_;
};

// Where on the box's sides a start goes whose set's nearest point lies beyond the box: the set
// may cross a side there, and then the curve still shows in the box. A curve is traced one way
// from its start, so from a side it shows the arc there only when its way leads into the box (and
// all of itself again once the set comes back into the box).
class TSideSearch {
public:
    TSideSearch(const ScalarField3& f, const TPlaneNewton& newton, const TPlaneBox& box,
                std::array<int, 2> axes, const CurveWay& way)
        : f_(f), newton_(newton), box_(box), axes_(axes), way_(way) {}

    // The crossing for the set's point beyond the box: the nearest one where the way leads in or
    // is not known, else the beginning of the arc that ends there, else the nearest crossing of
    // the sides where the way leads in. Nothing when the set crosses no side so.
    std::optional<Vec3> Find(Vec3 beyond) const {
        const std::optional<Vec3> nearest = Crossing(beyond);
        if (!way_) return nearest;
        if (nearest) {
            const std::optional<bool> in = LeadsIn(*nearest);
            if (!in || *in) return nearest;
            const std::optional<Vec3> begin = ArcBeginning(*nearest);
            if (begin && LeadsIn(*begin) == true) return begin;
        }
        return NearestLeadingIn(nearest ? *nearest : beyond);
    }

private:
    // Where the set crosses a side that p lies beyond (by however little), by Newton steps along
    // that side from p clamped to the box; beyond a corner, the nearer of the two sides' points.
    // Nothing when the steps find no crossing within the box.
    std::optional<Vec3> Crossing(Vec3 p) const {
        std::optional<Vec3> nearest;
        for (std::size_t a = 0; a < 2; ++a) {
            if (box_.Spans(p, a, 0)) continue;
            const std::optional<Vec3> q = newton_.Settle(box_.Clamped(p), static_cast<int>(a));
            if (!q || !box_.Holds(*q)) continue;
            if (!nearest || Vec3Dist(*q, p) < Vec3Dist(*nearest, p)) nearest = q;
        }
        return nearest;
    }

    // The way at p, nothing where it is not known.
    std::optional<Vec2> Way(Vec3 p) const {
        Vec2 v;
        if (!way_ || !way_(p, v) || !std::isfinite(v.x) || !std::isfinite(v.y)) return std::nullopt;
        return v;
    }

    // Whether the way at p, a point on a side (or two), leads into the box: away from each side
    // p lies on. Nothing where the way is not known.
    std::optional<bool> LeadsIn(Vec3 p) const {
        const std::optional<Vec2> v = Way(p);
        if (!v) return std::nullopt;
        const std::array<long double, 2> w{v->x, v->y};
        for (std::size_t a = 0; a < 2; ++a)
            if (const int side = box_.SideOf(p, a); side != 0 && !(side * w[a] < 0)) return false;
        return true;
    }

    // From a crossing where the way leads out, the set followed back (against the way) through
    // the box to where it meets a side again: the crossing where the arc that ends at `out`
    // comes into the box. Nothing when the steps stall (where the set ends, or a singular point
    // they cannot pass) or run out, or f's values do.
    std::optional<Vec3> ArcBeginning(Vec3 out) const {
        const std::optional<Vec2> way = Way(out);
        if (!way) return std::nullopt;
        TPlaneFunction g(f_, axes_, out, kMostWalkValues);
        const long double unit = kWalkStep * box_.Extent();
        const ZeroSetFollower follower(g, g.Coordinates(out), {unit, unit});
        Vec2 u{0, 0};
        Vec2 t;
        if (!follower.Tangent(u, -1.0L * *way, t)) return std::nullopt;
        long double h = ZeroSetFollower::kLongestStep;
        for (int step = 0; step < kMostWalkSteps; ++step) {
            if (!follower.Step(u, t, h)) return std::nullopt;
            const Vec3 p = g.Point(follower.ToWorld(u));
            if (!box_.Holds(p)) return Crossing(p);
            h = std::min(ZeroSetFollower::kLongestStep, kWalkGrowth * h);
        }
        return std::nullopt;
    }

    // Of the crossings of the four sides where the way leads in, the one nearest to p.
    std::optional<Vec3> NearestLeadingIn(Vec3 p) const {
        std::optional<Vec3> nearest;
        for (std::size_t held = 0; held < 2; ++held)
            for (const bool high : {false, true})
                for (const Vec3 q : SideCrossings(p, held, high)) {
                    if (LeadsIn(q) != true) continue;
                    if (!nearest || Vec3Dist(q, p) < Vec3Dist(*nearest, p)) nearest = q;
                }
        return nearest;
    }

    // The crossings of the set with one side of the box in the plane through p: the plane's axis
    // held at its low or high end, f sampled along the other one, and each change of its sign
    // between two samples bisected to the last digits.
    std::vector<Vec3> SideCrossings(Vec3 p, std::size_t held, bool high) const {
        const std::size_t along = 1 - held;
        Axis(p, axes_[held]) = high ? box_.High(held) : box_.Low(held);
        const auto at = [&](long double s) {
            Vec3 q = p;
            Axis(q, axes_[along]) = s;
            return q;
        };
        const long double low = box_.Low(along);
        const long double width = box_.High(along) - low;
        std::vector<Vec3> crossings;
        std::optional<long double> before;  // f at the sample before, where defined
        long double previous = low;
        for (int k = 0; k <= kSideSamples; ++k) {
            const long double s =
                k == kSideSamples ? box_.High(along) : low + width * k / kSideSamples;
            long double value = 0;
            const bool defined = f_(at(s), value) && std::isfinite(value);
            if (defined && value == 0) {
                crossings.push_back(at(s));
            } else if (defined && before && *before != 0 && (value < 0) != (*before < 0)) {
                crossings.push_back(at(Bisected(at, previous, s, *before, value)));
            }
            before = defined ? std::optional(value) : std::nullopt;
            previous = s;
        }
        return crossings;
    }

    // Where f changes its sign between s and r along a side (at(s) its point at s, f valueS and
    // valueR there): the two ends bisected until they meet or f fails between them, the end
    // where |f| is smaller.
    template <typename At>
    long double Bisected(const At& at, long double s, long double r, long double valueS,
                         long double valueR) const {
        const bool negativeAtS = valueS < 0;
        for (int n = 0; n < kMostBisections; ++n) {
            const long double middle = s + (r - s) / 2;
            long double value = 0;
            if (middle == s || middle == r || !f_(at(middle), value) || !std::isfinite(value))
                break;
            if (value == 0) return middle;
            if ((value < 0) == negativeAtS) {
                s = middle;
                valueS = value;
            } else {
                r = middle;
                valueR = value;
            }
        }
        return std::fabs(valueS) <= std::fabs(valueR) ? s : r;
    }

    const ScalarField3& f_;
    const TPlaneNewton& newton_;
    const TPlaneBox& box_;
    std::array<int, 2> axes_;
    const CurveWay& way_;
};

// The way the tracer takes from a point of a level curve's plane (TraceLevelCurve): the record's
// field there, by its tree selectors in the plane of its level, forward or backward as its end
// time lies after or before its start time. Built when first asked: most follows never need it.
class TRecordWay {
public:
    TRecordWay(FormulaContext& context, examples::TExample& e, const examples::TTrajectory& curve)
        : context_(context), example_(e), curve_(curve) {}

    bool operator()(Vec3 p, Vec2& velocity) {
        if (!built_) Build();
        if (!field_ || sense_ == 0) return false;
        std::array<long double, StateSlots::kMaxComponents> y{};
        std::array<long double, StateSlots::kMaxComponents> dy{};
        slots_->ToState(p, y.data());
        if (!(*field_)(curve_.startTime, y.data(), dy.data())) return false;
        velocity = {sense_ * dy[0], sense_ * dy[1]};
        return std::isfinite(velocity.x) && std::isfinite(velocity.y);
    }

private:
    void Build() {
        built_ = true;
        sense_ = curve_.endTime > curve_.startTime ? 1 : curve_.endTime < curve_.startTime ? -1 : 0;
        slots_ = StateSlots::Level(curve_.option1, {curve_.startX, curve_.startY, curve_.startZ});
        if (slots_) field_ = SystemField::FromSelectors(context_, example_, curve_.treeOf, *slots_);
    }

    FormulaContext& context_;
    examples::TExample& example_;
    const examples::TTrajectory& curve_;
    bool built_ = false;
    long double sense_ = 0;
    std::optional<StateSlots> slots_;
    std::optional<SystemField> field_;
};

}  // namespace

std::optional<ScalarField3> LevelSetField(FormulaContext& context, examples::TExample& e) {
    const bool explicitSurface = e.kind == k::kSurface;
    TExprNode* tree = explicitSurface ? e.trees[2].get() : e.trees[3].get();
    if (!tree) return std::nullopt;
    return ScalarField3([&context, tree, explicitSurface](Vec3 p, long double& out) {
        context.SetVar(slot::kX, p.x);
        context.SetVar(slot::kY, p.y);
        context.SetVar(slot::kZ, p.z);
        if (!context.Evaluate(*tree)) return false;
        out = explicitSurface ? p.z - tree->re : tree->re;
        return true;
    });
}

Box3 LevelSearchBox(const examples::TExample& e) {
    if (e.kind != k::kSurfaceIntersection ||
        e.derivation < examples::derived::kFirstParametricIntersection)
        return {e.boxMin, e.boxMax};
    return {{std::min(e.rangeLow[0], e.rangeHigh[0]), std::min(e.rangeLow[1], e.rangeHigh[1]), 0},
            {std::max(e.rangeLow[0], e.rangeHigh[0]), std::max(e.rangeLow[1], e.rangeHigh[1]), 0}};
}

std::optional<Vec3> ProjectOntoLevelSet(const ScalarField3& f, Vec3 start, int levelVariable,
                                        const Box3& box, const CurveWay& way) {
    const std::optional<std::array<int, 2>> axes = PlaneAxes(levelVariable);
    if (!axes) return std::nullopt;
    const TPlaneBox plane(box, *axes);
    const TPlaneNewton newton(f, *axes, plane.Extent());

    // Every start is moved onto the set, however near it lies already: a start left within the
    // search's tolerance would keep its distance from the set through every later follow.
    const std::optional<Vec3> settled = newton.Settle(start);
    if (!settled) return std::nullopt;
    if (plane.Contains(*settled)) return settled;
    // Beyond a side by less than the margin too: the tracer would stop at once at such a start
    // (a start on a side whose set moves out a little, as at a slider's smallest steps). What
    // is found lies in the box within the margin and is moved into it; a point that the search
    // cannot place but lies within the margin (a set that touches a side) keeps its place so.
    const std::optional<Vec3> found = TSideSearch(f, newton, plane, *axes, way).Find(*settled);
    if (found) return plane.Clamped(*found);
    if (plane.Holds(*settled)) return plane.Clamped(*settled);
    return std::nullopt;
}

int FollowLevelCurves(FormulaContext& context, examples::TExample& e) {
    return FollowLevelCurves(context, e, e.trajectories);
}

int FollowLevelCurves(FormulaContext& context, examples::TExample& e,
                      examples::TrajectoryList& curves) {
    if (curves.empty()) return 0;
    const std::optional<ScalarField3> field = LevelSetField(context, e);
    if (!field) return 0;
    const PlotVariableGuard guard(context);
    const Box3 box = LevelSearchBox(e);
    const int plane = e.kind == k::kSurfaceIntersection ? IntersectionLevel(e) : 0;
    std::vector<bool> dropped(curves.size(), false);
    for (std::size_t n = 0; n < curves.size(); ++n) {
        examples::TTrajectory& curve = curves[n];
        const int level = curve.option1;
        if (level < slot::kX || level > slot::kZ) continue;
        if (plane != 0 && level != plane) {
            dropped[n] = true;
            continue;
        }
        TRecordWay recordWay(context, e, curve);
        const CurveWay way = [&recordWay](Vec3 at, Vec2& velocity) {
            return recordWay(at, velocity);
        };
        const std::optional<Vec3> p = ProjectOntoLevelSet(
            *field, {curve.startX, curve.startY, curve.startZ}, level, box, way);
        if (!p) {
            dropped[n] = true;
            continue;
        }
        curve.startX = p->x;
        curve.startY = p->y;
        curve.startZ = p->z;
    }
    // Untouched when every curve follows: a list being drawn keeps its place in memory.
    const auto count = static_cast<int>(std::ranges::count(dropped, true));
    if (count == 0) return 0;
    examples::TrajectoryList kept;
    kept.reserve(curves.size());
    for (std::size_t n = 0; n < curves.size(); ++n)
        if (!dropped[n]) kept.push_back(std::move(curves[n]));
    curves = std::move(kept);
    return count;
}

}  // namespace quorlin::dynamics
