#include "dynamics/implicit_curve.h"

#include <algorithm>
#include <cmath>

#include "dynamics/field.h"
#include "dynamics/geometry.h"

namespace quorlin::dynamics {

namespace {

constexpr int kNewtonIterations = 16;
constexpr long double kOnCurve = 1e-9L;        // units: Newton has settled
constexpr long double kNearlyOnCurve = 1e-6L;  // units: accepted after the last iteration
constexpr long double kLongestCorrection = 2.0L;
constexpr long double kDifference = 1e-4L;  // units: difference step of a missing gradient
// A step is refused when its correction moves farther than this part of it, when it advances
// less than the second part, or when the tangent turns by more than the angle below.
constexpr long double kCorrectionShare = 0.5L;
constexpr long double kAdvanceShare = 0.25L;
const long double kCosLargestTurn = std::cos(0.3L);
constexpr long double kGrowth = 1.5L;
// Units of arc around a point that belong to its own piece, and of arc after which a piece
// counts as having left its start; a seed closer than kSeedClearance to a traced point is spent.
constexpr long double kOwnWindow = 6.0L;
constexpr long double kLeftStart = 3.0L;
constexpr long double kSeedClearance = 1.5L;
// A piece ends this many units outside the view (so that it reaches the edge).
constexpr long double kViewMargin = 2.0L;
constexpr int kLargestGrid = 512;
constexpr int kEdgeBisections = 60;

long double Length(Vec2 v) {
    return std::sqrt(Vec2Dot(v, v));
}
long double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 d = b - a;
    const long double dd = Vec2Dot(d, d);
    const long double u = dd > 0 ? std::clamp(Vec2Dot(p - a, d) / dd, 0.0L, 1.0L) : 0.0L;
    return Length(p - (a + u * d));
}

}  // namespace

bool ImplicitFunction::Gradient(Vec2 p, Vec2 difference, Vec2& gradient) {
    long double xp = 0, xm = 0, yp = 0, ym = 0;
    if (!Value({p.x + difference.x, p.y}, xp) || !Value({p.x - difference.x, p.y}, xm) ||
        !Value({p.x, p.y + difference.y}, yp) || !Value({p.x, p.y - difference.y}, ym))
        return false;
    gradient = {(xp - xm) / (2 * difference.x), (yp - ym) / (2 * difference.y)};
    return std::isfinite(gradient.x) && std::isfinite(gradient.y);
}

TreeImplicitFunction::TreeImplicitFunction(FormulaContext& context, TExprNode* f, TExprNode* fx,
                                           TExprNode* fy, int slotU, int slotV)
    : context_(context),
      hasF_(f != nullptr),
      hasGradient_(fx && fy),
      f_(context, f),
      fx_(context, fx),
      fy_(context, fy),
      slotU_(slotU),
      slotV_(slotV),
      savedU_(context.vars.value[static_cast<std::size_t>(slotU)]),
      savedV_(context.vars.value[static_cast<std::size_t>(slotV)]) {}

TreeImplicitFunction::~TreeImplicitFunction() {
    context_.SetVar(slotU_, savedU_);
    context_.SetVar(slotV_, savedV_);
}

void TreeImplicitFunction::Put(Vec2 p) {
    context_.SetVar(slotU_, p.x);
    context_.SetVar(slotV_, p.y);
}

bool TreeImplicitFunction::Value(Vec2 p, long double& f) {
    long double value = 0;
    if (!hasF_) return false;
    Put(p);
    if (!f_.Evaluate(value)) return false;
    f = value;
    return true;
}

bool TreeImplicitFunction::Gradient(Vec2 p, Vec2 difference, Vec2& gradient) {
    if (!hasGradient_) return ImplicitFunction::Gradient(p, difference, gradient);
    Put(p);
    Vec2 g;
    if (!fx_.Evaluate(g.x) || !fy_.Evaluate(g.y)) return false;
    gradient = g;
    return true;
}

// --- the predictor-corrector ---

ZeroSetFollower::ZeroSetFollower(ImplicitFunction& f, Vec2 origin, Vec2 unit)
    : f_(f), origin_(origin), unit_(unit) {}

Vec2 ZeroSetFollower::ToWorld(Vec2 u) const {
    return {origin_.x + u.x * unit_.x, origin_.y + u.y * unit_.y};
}

Vec2 ZeroSetFollower::ToUnits(Vec2 p) const {
    return {(p.x - origin_.x) / unit_.x, (p.y - origin_.y) / unit_.y};
}

bool ZeroSetFollower::Value(Vec2 u, long double& g) const {
    return f_.Value(ToWorld(u), g);
}

bool ZeroSetFollower::ScaledGradient(Vec2 u, Vec2& g) const {
    Vec2 world;
    if (!f_.Gradient(ToWorld(u), {kDifference * unit_.x, kDifference * unit_.y}, world))
        return false;
    g = {world.x * unit_.x, world.y * unit_.y};
    return true;
}

bool ZeroSetFollower::Project(Vec2& u) const {
    const Vec2 from = u;
    long double distance = 0;
    for (int i = 0; i < kNewtonIterations; ++i) {
        long double g = 0;
        Vec2 grad;
        if (!Value(u, g) || !ScaledGradient(u, grad)) return false;
        if (g == 0) return true;
        const long double n2 = Vec2Dot(grad, grad);
        if (!(n2 > 0)) return false;  // off the curve where the gradient vanishes
        distance = std::fabs(g) / std::sqrt(n2);
        if (distance < kOnCurve) return true;
        u = u - (g / n2) * grad;
        if (Length(u - from) > kLongestCorrection) return false;
    }
    return distance < kNearlyOnCurve;
}

bool ZeroSetFollower::Tangent(Vec2 u, Vec2 along, Vec2& t) const {
    Vec2 grad;
    if (!ScaledGradient(u, grad)) return false;
    const long double n = Length(grad);
    if (!(n > 0)) {
        if (Length(along) == 0) return false;
        t = along;
        return true;
    }
    t = (1.0L / n) * Vec2{-grad.y, grad.x};
    if (Vec2Dot(t, along) < 0) t = -1.0L * t;
    return true;
}

bool ZeroSetFollower::Step(Vec2& u, Vec2& t, long double& h) const {
    for (h = std::min(h, kLongestStep); h >= kShortestStep; h *= 0.5L) {
        const Vec2 predicted = u + h * t;
        Vec2 q = predicted;
        if (!Project(q)) continue;
        const long double advance = Length(q - u);
        if (Length(q - predicted) > kCorrectionShare * h || advance < kAdvanceShare * h) continue;
        Vec2 next;
        if (!Tangent(q, t, next) || Vec2Dot(next, t) < kCosLargestTurn) continue;
        u = q;
        t = next;
        h = advance;
        return true;
    }
    return false;
}

// --- the index of traced points ---

void TracedPointIndex::Add(Vec2 point, int piece, long double arc) {
    const auto i = static_cast<long long>(std::floor(point.x / cell_));
    const auto j = static_cast<long long>(std::floor(point.y / cell_));
    cells_[Key(i, j)].push_back({point, piece, arc});
}

std::optional<TracedPointIndex::Entry> TracedPointIndex::FindNear(Vec2 p, long double r, int piece,
                                                                  long double arc,
                                                                  long double ownWindow) const {
    const auto i0 = static_cast<long long>(std::floor((p.x - r) / cell_));
    const auto i1 = static_cast<long long>(std::floor((p.x + r) / cell_));
    const auto j0 = static_cast<long long>(std::floor((p.y - r) / cell_));
    const auto j1 = static_cast<long long>(std::floor((p.y + r) / cell_));
    for (long long i = i0; i <= i1; ++i) {
        for (long long j = j0; j <= j1; ++j) {
            const auto cell = cells_.find(Key(i, j));
            if (cell == cells_.end()) continue;
            for (const Entry& e : cell->second) {
                if (e.piece == piece && std::fabs(e.arc - arc) < ownWindow) continue;
                if (Length(e.point - p) <= r) return e;
            }
        }
    }
    return std::nullopt;
}

bool TracedPointIndex::AnyNear(Vec2 p, long double r) const {
    return FindNear(p, r, -1, 0, 0).has_value();
}

// --- the tracing of a whole curve ---

namespace {

class CurveTracer {
public:
    CurveTracer(ImplicitFunction& f, const ImplicitTraceSettings& settings,
                const ImplicitTraceHooks& hooks)
        : settings_(settings),
          hooks_(hooks),
          follower_(f, {settings.view.xLow, settings.view.yLow},
                    {settings.pixelWidth, settings.pixelHeight}),
          width_((settings.view.xHigh - settings.view.xLow) / settings.pixelWidth),
          height_((settings.view.yHigh - settings.view.yLow) / settings.pixelHeight) {}

    ImplicitTraceResult Run() {
        if (!(width_ > 0) || !(height_ > 0) || !std::isfinite(width_ * height_)) return result_;
        for (const Vec2& seed : GridSeeds()) {
            TraceFrom(seed);
            if (Ended()) return result_;
        }
        const Box3 box{{0, 0, 0}, {width_, height_, 0}};
        const ScalarField3 g = [this](Vec3 p, long double& v) {
            return follower_.Value({p.x, p.y}, v);
        };
        for (int round = 0; round < settings_.randomRounds && !Ended(); ++round) {
            Vec3 seed;
            if (FindSignChangePoint(g, box, kSignChangeTolerance * std::max(width_, height_), seed))
                TraceFrom({seed.x, seed.y});
            Poll();
        }
        return result_;
    }

private:
    struct Half {
        std::vector<Vec2> points;  // units
        long double length = 0;    // world
        bool closed = false;
    };

    bool Ended() const { return result_.key != 0 || result_.steps >= settings_.stepLimit; }

    void Poll() {
        if (hooks_.pollKey && hooks_.pollKey() == kKeyStop) result_.key = kKeyStop;
    }

    bool InView(Vec2 u) const {
        return u.x >= -kViewMargin && u.x <= width_ + kViewMargin && u.y >= -kViewMargin &&
               u.y <= height_ + kViewMargin;
    }

    bool DrawnNear(Vec2 u) const {
        return hooks_.alreadyDrawnNear && hooks_.alreadyDrawnNear(follower_.ToWorld(u));
    }

    // Points where F changes sign (or vanishes) along the lines of a grid over the view.
    std::vector<Vec2> GridSeeds() const {
        const auto lines = [this](long double extent) {
            const long double spacing = std::max(settings_.seedSpacing, 1.0L);
            return static_cast<int>(std::clamp(std::ceil(extent / spacing), 1.0L,
                                               static_cast<long double>(kLargestGrid)));
        };
        const int cols = lines(width_);
        const int rows = lines(height_);
        const long double dx = width_ / cols;
        const long double dy = height_ / rows;
        std::vector<long double> values(static_cast<std::size_t>((cols + 1) * (rows + 1)));
        const auto at = [&](int i, int j) -> long double& {
            return values[static_cast<std::size_t>(j * (cols + 1) + i)];
        };
        for (int j = 0; j <= rows; ++j)
            for (int i = 0; i <= cols; ++i) {
                long double g = 0;
                at(i, j) = follower_.Value({i * dx, j * dy}, g) ? g : NAN;
            }
        std::vector<Vec2> seeds;
        const auto edge = [&](Vec2 a, long double ga, Vec2 b, long double gb) {
            if (!std::isfinite(ga) || !std::isfinite(gb) || (ga > 0) == (gb > 0) || ga == 0 ||
                gb == 0)
                return;
            for (int k = 0; k < kEdgeBisections; ++k) {
                const Vec2 m = 0.5L * (a + b);
                long double gm = 0;
                if (!follower_.Value(m, gm)) return;
                if (gm == 0) {
                    a = b = m;
                    break;
                }
                if ((gm > 0) == (ga > 0)) {
                    a = m;
                    ga = gm;
                } else {
                    b = m;
                }
            }
            seeds.push_back(0.5L * (a + b));
        };
        for (int j = 0; j <= rows; ++j) {
            for (int i = 0; i <= cols; ++i) {
                const Vec2 p{i * dx, j * dy};
                if (at(i, j) == 0) seeds.push_back(p);
                if (i < cols) edge(p, at(i, j), {(i + 1) * dx, j * dy}, at(i + 1, j));
                if (j < rows) edge(p, at(i, j), {i * dx, (j + 1) * dy}, at(i, j + 1));
            }
        }
        return seeds;
    }

    void TraceFrom(Vec2 seed) {
        if (!InView(seed) || index_.AnyNear(seed, kSeedClearance) || DrawnNear(seed)) return;
        if (!follower_.Project(seed) || !InView(seed) || index_.AnyNear(seed, kSeedClearance))
            return;
        Vec2 tangent;
        if (!follower_.Tangent(seed, {0, 0}, tangent)) return;
        const int piece = nextPiece_++;
        index_.Add(seed, piece, 0);
        const Half forward = Follow(seed, tangent, 1, piece);
        Half backward;
        if (!forward.closed && !Ended()) backward = Follow(seed, -1.0L * tangent, -1, piece);

        std::vector<Vec2> world;
        world.reserve(forward.points.size() + backward.points.size());
        for (std::size_t i = backward.points.size(); i > 1; --i)  // its seed is forward's
            world.push_back(follower_.ToWorld(backward.points[i - 1]));
        for (const Vec2& p : forward.points) world.push_back(follower_.ToWorld(p));
        const Vec2 start = follower_.ToWorld(seed);
        result_.pieces.push_back({start, 1, forward.length, forward.closed});
        if (backward.points.size() > 1)
            result_.pieces.push_back({start, -1, backward.length, false});
        if (hooks_.sink && world.size() > 1) hooks_.sink(world, forward.closed);
    }

    // One half of a piece from the seed; arcs run positive forward and negative backward, so
    // that the two halves are each other's neighbourhood in the index.
    Half Follow(Vec2 seed, Vec2 tangent, int sign, int piece) {
        Half half;
        half.points.push_back(seed);
        Vec2 u = seed;
        Vec2 t = tangent;
        long double h = ZeroSetFollower::kLongestStep;
        long double arc = 0;
        bool left = false;
        while (!Ended()) {
            ++result_.steps;
            Poll();
            const Vec2 previous = u;
            if (!follower_.Step(u, t, h)) break;  // a singular point the step cannot pass
            h = std::min(ZeroSetFollower::kLongestStep, h * kGrowth);
            arc += Length(u - previous);
            half.length += Length(follower_.ToWorld(u) - follower_.ToWorld(previous));
            half.points.push_back(u);
            if (!left) left = Length(u - seed) > kLeftStart;
            if (sign > 0 && left && DistanceToSegment(seed, previous, u) < settings_.loopClosing) {
                Close(half, u, seed);
                break;
            }
            if (!InView(u)) break;
            if (const auto hit =
                    index_.FindNear(u, settings_.stopDistance, piece, sign * arc, kOwnWindow)) {
                if (sign > 0 && left && hit->piece == piece && hit->arc >= 0 &&
                    hit->arc <= kLeftStart)
                    Close(half, u, seed);
                break;
            }
            if (DrawnNear(u)) break;
            index_.Add(u, piece, sign * arc);
        }
        return half;
    }

    void Close(Half& half, Vec2 last, Vec2 seed) const {
        half.length += Length(follower_.ToWorld(seed) - follower_.ToWorld(last));
        half.points.push_back(seed);
        half.closed = true;
    }

    const ImplicitTraceSettings& settings_;
    const ImplicitTraceHooks& hooks_;
    ZeroSetFollower follower_;
    long double width_;
    long double height_;
    TracedPointIndex index_;
    ImplicitTraceResult result_;
    int nextPiece_ = 0;
};

}  // namespace

ImplicitTraceResult TraceImplicitCurve(ImplicitFunction& f, const ImplicitTraceSettings& settings,
                                       const ImplicitTraceHooks& hooks) {
    return CurveTracer(f, settings, hooks).Run();
}

std::optional<Vec2> FollowImplicitPiece(ImplicitFunction& f, const ImplicitPiece& piece, Vec2 unit,
                                        const std::function<void(Vec2)>& sink) {
    if (!(unit.x > 0) || !(unit.y > 0)) return std::nullopt;
    const ZeroSetFollower follower(f, piece.start, unit);
    Vec2 u{0, 0};
    Vec2 t;
    if (!follower.Project(u) || !follower.Tangent(u, {0, 0}, t)) return std::nullopt;
    if (piece.direction < 0) t = -1.0L * t;
    Vec2 at = follower.ToWorld(u);
    if (sink) sink(at);
    long double remaining = std::fabs(piece.length);
    long double h = ZeroSetFollower::kLongestStep;
    while (remaining > 0) {
        // World length of one unit along the tangent; the last step lands on the length.
        const long double perUnit = Length({t.x * unit.x, t.y * unit.y});
        if (perUnit * h > remaining) h = remaining / perUnit;
        if (h < ZeroSetFollower::kShortestStep) break;
        if (!follower.Step(u, t, h)) break;
        const Vec2 next = follower.ToWorld(u);
        remaining -= Length(next - at);
        at = next;
        if (sink) sink(at);
        h = std::min(ZeroSetFollower::kLongestStep, h * kGrowth);
    }
    return at;
}

}  // namespace quorlin::dynamics
