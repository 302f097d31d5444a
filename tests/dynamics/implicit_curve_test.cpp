// Implicit curves traced whole: every traced point lies on the curve, every point of the curve
// lies within two pixels of a traced point, and nothing is traced twice, also through crossings
// and over a wide view of many closed parts.
#include "dynamics/implicit_curve.h"

#include <cmath>
#include <map>
#include <numbers>

#include "dynamics/trajectories.h"
#include "dynamics_support.h"
#include "support/all_near.h"

namespace quorlin::dynamics {
namespace {

using quorlin::testing::AllNear;

constexpr long double kPi = std::numbers::pi_v<long double>;

struct Curve {
    const char* text;
    long double (*f)(long double, long double);
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
                            return (x * x + y * y) * (x * x + y * y) - 8 * (x * x - y * y);
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

class ImplicitCurveTest : public DynamicsTest {
protected:
    ImplicitTraceResult Trace(const Curve& c, const ImplicitTraceHooks& extra = {}) {
        SetTree(3, c.text);
        ctx.Differentiate(example.Tree(3).get(), 'X', example.Tree(5));
        ctx.Differentiate(example.Tree(3).get(), 'Y', example.Tree(6));
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
        const long double h = 1e-7L, v = c.f(p.x, p.y);
        const long double gx = (c.f(p.x + h, p.y) - c.f(p.x - h, p.y)) / (2 * h);
        const long double gy = (c.f(p.x, p.y + h) - c.f(p.x, p.y - h)) / (2 * h);
        if (std::hypot(gx, gy) < 1e-6L) return std::fabs(v) < 1e-9L ? 0 : INFINITY;
        return std::fabs(v) / std::hypot(gx, gy) / c.pixel;
    }

    // Checks that every traced point lies on the curve and that every point of the curve met
    // along the lines of a fine grid (half a pixel apart, found by bisection) lies within two
    // pixels of a traced point. Returns the traced length.
    long double CheckWhole(const Curve& c) {
        // The traced points in cells of two pixels, for the nearest one to a point.
        std::map<std::pair<long long, long long>, std::vector<Vec2>> cells;
        const auto cell = [&](Vec2 p, int dx, int dy) {
            return std::pair{static_cast<long long>(std::floor(p.x / (2 * c.pixel))) + dx,
                             static_cast<long long>(std::floor(p.y / (2 * c.pixel))) + dy};
        };
        long double length = 0;
        for (const auto& piece : pieces)
            for (std::size_t i = 0; i < piece.size(); ++i) {
                EXPECT_LT(PixelsOff(c, piece[i]), 0.01L) << c.text;
                cells[cell(piece[i], 0, 0)].push_back(piece[i]);
                if (i > 0)
                    length += std::hypot(piece[i].x - piece[i - 1].x, piece[i].y - piece[i - 1].y);
            }
        const auto traced = [&](Vec2 p) {
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (const auto it = cells.find(cell(p, dx, dy)); it != cells.end())
                        for (Vec2 q : it->second)
                            if (std::hypot(p.x - q.x, p.y - q.y) <= 2 * c.pixel) return true;
            return false;
        };
        int gaps = 0, samples = 0;
        const long double step = c.pixel / 4;
        for (const bool vertical : {true, false}) {
            const auto at = [&](long double line, long double a) {
                return vertical ? Vec2{line, a} : Vec2{a, line};
            };
            const auto F = [&](long double line, long double a) {
                return c.f(at(line, a).x, at(line, a).y);
            };
            const ViewRect& v = c.view;
            const long double lo = vertical ? v.xLow : v.yLow, hi = vertical ? v.xHigh : v.yHigh;
            const long double a0 = vertical ? v.yLow : v.xLow, a1 = vertical ? v.yHigh : v.xHigh;
            for (long double line = lo; line <= hi; line += c.pixel / 2) {
                long double fl = F(line, a0);
                for (long double a = a0 + step; a <= a1; a += step) {
                    const long double fr = F(line, a);
                    if ((fl > 0) != (fr > 0)) {
                        long double l = a - step, r = a;
                        for (int k = 0; k < 40; ++k)
                            ((F(line, (l + r) / 2) > 0) == (fl > 0) ? l : r) = (l + r) / 2;
                        const Vec2 p = at(line, (l + r) / 2);
                        ++samples;
                        if (PixelsOff(c, p) < 0.01L && !traced(p)) ++gaps;
                    }
                    fl = fr;
                }
            }
        }
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
    EXPECT_TRUE(AllNear({half.end.x, half.end.y}, {-record.startX, -record.startY}, 1e-3L));
}

// Crossing lines are traced once through the crossing (each end runs out of the view); a
// lemniscate, an oval with a branch and many waves are whole; what the window already shows is
// not traced again, and Q ends the tracing.
TEST_F(ImplicitCurveTest, CrossingsBranchesAndManyPartsAreTracedOnceWholeAndNotWhereDrawn) {
    Trace(kCrossing);
    const long double diagonals = 4 * 3 * std::sqrt(2.0L), length = CheckWhole(kCrossing);
    EXPECT_GT(length, diagonals - 4 * kCrossing.pixel);
    EXPECT_LT(length, diagonals + 4 * 4 * kCrossing.pixel);
    for (const Curve* c : {&kLemniscate, &kOvalAndBranch, &kWaves}) {
        pieces.clear();
        EXPECT_EQ(Trace(*c).key, 0);
        CheckWhole(*c);
    }

    pieces.clear();
    ImplicitTraceHooks hooks;
    hooks.alreadyDrawnNear = [](Vec2 p) { return p.y > 0 && std::hypot(p.x, p.y) > 1.9L; };
    Trace(kCircle, hooks);
    ASSERT_FALSE(pieces.empty());
    for (const auto& piece : pieces)
        for (Vec2 p : piece) EXPECT_LT(p.y, 2 * kCircle.pixel);

    pieces.clear();
    int polls = 0;
    hooks = {};
    hooks.pollKey = [&polls] { return ++polls == 3 ? kKeyStop : 0; };
    EXPECT_EQ(Trace(kWaves, hooks).key, kKeyStop);
    EXPECT_EQ(polls, 3);
}

}  // namespace
}  // namespace quorlin::dynamics
