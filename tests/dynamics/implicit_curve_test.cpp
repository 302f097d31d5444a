// Implicit curves traced whole: every traced point lies on the curve, every point of the curve
// lies within two pixels of a traced point, and nothing is traced twice, also through crossings
// and over a wide view of many closed parts.
#include "dynamics/implicit_curve.h"

#include <cmath>
#include <map>
#include <numbers>

#include "dynamics/trajectories.h"
#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
using Function = long double (*)(long double, long double);

struct Curve {
    const char* text;
    Function f;
    ViewRect view;
    long double pixel;
};

const Curve kCircle{"x^2+y^2-4",
                    [](long double x, long double y) { return x * x + y * y - 4; },
                    {-3, 3, -3, 3},
                    0.02L};
const Curve kCrossing{
    "x^2-y^2", [](long double x, long double y) { return x * x - y * y; }, {-3, 3, -3, 3}, 0.02L};
const Curve kLemniscate{"(x^2+y^2)^2-8*(x^2-y^2)",
                        [](long double x, long double y) {
                            const long double r2 = x * x + y * y;
                            return r2 * r2 - 8 * (x * x - y * y);
                        },
                        {-3.5L, 3.5L, -2, 2},
                        0.02L};
const Curve kOvalAndBranch{"y^2-x^3+x",
                           [](long double x, long double y) { return y * y - x * x * x + x; },
                           {-2, 3, -3, 3},
                           0.02L};
const Curve kWaves{"sin(x)+sin(y)-0.5",
                   [](long double x, long double y) { return std::sin(x) + std::sin(y) - 0.5L; },
                   {-30, 30, -30, 30},
                   0.1L};

// Traced points in cells of two pixels, for the distance of a point to the nearest one.
class PointCloud {
public:
    explicit PointCloud(long double cell) : cell_(cell) {}
    void Add(Vec2 p) { cells_[Key(p)].push_back(p); }
    long double Nearest(Vec2 p) const {
        long double best = INFINITY;
        const auto [i, j] = Key(p);
        for (long long a = i - 1; a <= i + 1; ++a)
            for (long long b = j - 1; b <= j + 1; ++b) {
                const auto it = cells_.find({a, b});
                if (it == cells_.end()) continue;
                for (Vec2 q : it->second) best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
            }
        return best;
    }

private:
    std::pair<long long, long long> Key(Vec2 p) const {
        return {static_cast<long long>(std::floor(p.x / cell_)),
                static_cast<long long>(std::floor(p.y / cell_))};
    }
    long double cell_;
    std::map<std::pair<long long, long long>, std::vector<Vec2>> cells_;
};

class ImplicitCurveTest : public DynamicsTest {
protected:
    ImplicitTraceResult Trace(const Curve& c, const ImplicitTraceHooks& extra = {}) {
        SetTree(3, c.text);
        NodePtr fx, fy;
        ctx.Differentiate(example.Tree(3).get(), 'X', fx);
        ctx.Differentiate(example.Tree(3).get(), 'Y', fy);
        example.Tree(5) = std::move(fx);
        example.Tree(6) = std::move(fy);
        TreeImplicitFunction f(ctx, example.Tree(3).get(), example.Tree(5).get(),
                               example.Tree(6).get());
        ImplicitTraceSettings settings;
        settings.view = c.view;
        settings.pixelWidth = settings.pixelHeight = c.pixel;
        ImplicitTraceHooks hooks = extra;
        hooks.sink = [this](const std::vector<Vec2>& piece, bool) { pieces.push_back(piece); };
        return TraceImplicitCurve(f, settings, hooks);
    }

    // Distance of p from the curve in pixels, by one Newton step's estimate.
    static long double PixelsOff(const Curve& c, Vec2 p) {
        const long double h = 1e-7L;
        const long double v = c.f(p.x, p.y);
        const long double gx = (c.f(p.x + h, p.y) - c.f(p.x - h, p.y)) / (2 * h);
        const long double gy = (c.f(p.x, p.y + h) - c.f(p.x, p.y - h)) / (2 * h);
        const long double g = std::hypot(gx, gy);
        if (g < 1e-6L) return std::fabs(v) < 1e-9L ? 0 : INFINITY;
        return std::fabs(v) / g / c.pixel;
    }

    // Checks that every traced point lies on the curve and that every point of the curve met
    // along the lines of a fine grid (half a pixel apart) lies within two pixels of a traced
    // point. Returns the traced length.
    long double CheckWhole(const Curve& c) {
        PointCloud cloud(2 * c.pixel);
        long double length = 0;
        for (const auto& piece : pieces) {
            for (std::size_t i = 0; i < piece.size(); ++i) {
                EXPECT_LT(PixelsOff(c, piece[i]), 0.01L) << c.text;
                cloud.Add(piece[i]);
                if (i > 0)
                    length += std::hypot(piece[i].x - piece[i - 1].x, piece[i].y - piece[i - 1].y);
            }
        }
        int gaps = 0;
        int samples = 0;
        const auto lines = [&](bool vertical) {
            const long double lo = vertical ? c.view.xLow : c.view.yLow;
            const long double hi = vertical ? c.view.xHigh : c.view.yHigh;
            const long double a0 = vertical ? c.view.yLow : c.view.xLow;
            const long double a1 = vertical ? c.view.yHigh : c.view.xHigh;
            const auto at = [&](long double line, long double a) {
                return vertical ? Vec2{line, a} : Vec2{a, line};
            };
            for (long double line = lo; line <= hi; line += c.pixel / 2) {
                long double prevA = a0;
                long double prevF = c.f(at(line, a0).x, at(line, a0).y);
                for (long double a = a0 + c.pixel / 4; a <= a1; a += c.pixel / 4) {
                    const long double fa = c.f(at(line, a).x, at(line, a).y);
                    if ((fa > 0) != (prevF > 0)) {
                        long double l = prevA, r = a, fl = prevF;
                        for (int k = 0; k < 40; ++k) {
                            const long double m = (l + r) / 2;
                            const long double fm = c.f(at(line, m).x, at(line, m).y);
                            if ((fm > 0) == (fl > 0)) {
                                l = m;
                                fl = fm;
                            } else {
                                r = m;
                            }
                        }
                        const Vec2 p = at(line, (l + r) / 2);
                        ++samples;
                        if (PixelsOff(c, p) < 0.01L && cloud.Nearest(p) > 2 * c.pixel) ++gaps;
                    }
                    prevA = a;
                    prevF = fa;
                }
            }
        };
        lines(true);
        lines(false);
        EXPECT_GT(samples, 100) << c.text;
        EXPECT_EQ(gaps, 0) << c.text << " of " << samples;
        return length;
    }

    std::vector<std::vector<Vec2>> pieces;
};

TEST_F(ImplicitCurveTest, CircleIsOneClosedPiece) {
    const ImplicitTraceResult r = Trace(kCircle);
    EXPECT_EQ(r.key, 0);
    ASSERT_EQ(r.pieces.size(), 1u);
    EXPECT_TRUE(r.pieces[0].closed);
    EXPECT_NEAR(r.pieces[0].length, 4 * kPi, 1e-3L);
    EXPECT_NEAR(CheckWhole(kCircle), 4 * kPi, 1e-3L);

    // The piece as a trajectory record: time is arc length along (-Fy, Fx), counterclockwise,
    // so half its length leads to the opposite point.
    examples::TTrajectory record = Record(examples::kind::kImplicit, {}, r.pieces[0].length);
    record.startX = r.pieces[0].start.x;
    record.startY = r.pieces[0].start.y;
    const TraceResult half = TrajectoryStateAt(ctx, example, record, 2 * kPi,
                                               TracerSettings::ForPixelSize(kCircle.pixel));
    ASSERT_EQ(half.stop, TraceStop::kEndReached);
    EXPECT_NEAR(half.end.x, -record.startX, 1e-3L);
    EXPECT_NEAR(half.end.y, -record.startY, 1e-3L);
}

TEST_F(ImplicitCurveTest, CrossingLinesAreTracedOnceThroughTheCrossing) {
    Trace(kCrossing);
    const long double diagonals = 4 * 3 * std::sqrt(2.0L);
    const long double length = CheckWhole(kCrossing);
    EXPECT_GT(length, diagonals - 4 * kCrossing.pixel);
    EXPECT_LT(length, diagonals + 4 * 4 * kCrossing.pixel);  // each end runs out of the view
}

TEST_F(ImplicitCurveTest, LemniscateOvalWithBranchAndWavesAreWhole) {
    for (const Curve* c : {&kLemniscate, &kOvalAndBranch, &kWaves}) {
        pieces.clear();
        const ImplicitTraceResult r = Trace(*c);
        EXPECT_EQ(r.key, 0);
        CheckWhole(*c);
    }
}

// What the window already shows is not traced again, and Q ends the tracing.
TEST_F(ImplicitCurveTest, DrawnCurveIsNotTracedAgainAndQEnds) {
    ImplicitTraceHooks hooks;
    hooks.alreadyDrawnNear = [](Vec2 p) { return p.y > 0 && std::hypot(p.x, p.y) > 1.9L; };
    Trace(kCircle, hooks);
    ASSERT_FALSE(pieces.empty());
    for (const auto& piece : pieces)
        for (Vec2 p : piece) EXPECT_LT(p.y, 2 * kCircle.pixel);

    pieces.clear();
    int polls = 0;
    hooks = {};
    hooks.pollKey = [&polls] { return ++polls == 3 ? kKeyQuit : 0; };
    EXPECT_EQ(Trace(kWaves, hooks).key, kKeyQuit);
    EXPECT_EQ(polls, 3);
}

}  // namespace
}  // namespace quorlin::dynamics
