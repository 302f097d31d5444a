// The stopping rules of the tracers: a closed orbit, a rest point, leaving the window, an
// undefined field, Q, the round limit, refused steps and records, the pen of a dy/dx trajectory
// at the view's edge, and the terms of a sequence.
#include "dynamics/tracer.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

namespace kind = examples::kind;
const long double kNoEnd = std::exp(42.0L);

class TracerTest : public DynamicsTest {
protected:
    // Traces x' = dx, y' = dy from the start without an end, a step and tolerances of a pixel
    // of 0.01.
    TraceResult System(const char* dx, const char* dy, Vec3 start, const TraceHooks& hooks,
                       TracerSettings settings = TracerSettings::ForPixelSize(0.01L)) {
        SetTree(1, dx);
        SetTree(2, dy);
        points.clear();
        return TraceSystem(ctx, example, Record(kind::kSystem, start, kNoEnd), 2, settings, hooks);
    }
};

TEST_F(TracerTest, ASystemsTraceStopsByItsRules) {
    // One pixel a step round the unit circle, closed within the loop tolerance of the start.
    TraceResult r = System("y", "-x", {1, 0, 0}, Collecting());
    ASSERT_EQ(r.stop, TraceStop::kClosed);
    EXPECT_NEAR(static_cast<double>(points.size()), 2 * std::numbers::pi / 0.01, 3);
    EXPECT_LT(std::hypot(r.end.x - 1, r.end.y), 0.01L);
    EXPECT_NEAR(r.endTime, 2 * std::numbers::pi_v<long double>, 0.01L);
    // A rest point.
    r = System("-x", "-2*y", {1, 1, 0}, {});
    EXPECT_EQ(r.stop, TraceStop::kZeroVector);
    EXPECT_LT(std::hypot(r.end.x, r.end.y), 0.01L);
    // Leaving the window: the first point outside is still handed on.
    TraceHooks window = Collecting();
    window.inside = [](const TracePoint& p) { return std::fabs(p.position.x) <= 1; };
    EXPECT_EQ(System("1", "0", {0, 0, 0}, window).stop, TraceStop::kLeftRegion);
    EXPECT_GT(points.back().position.x, 1);
    EXPECT_FALSE(points.back().inside);
    EXPECT_TRUE(points[points.size() - 2].inside);
    // An undefined field ends the trace, which keeps what it traced.
    r = System("1", "sqrt(1-x)", {0, 0, 0}, Collecting());
    EXPECT_EQ(r.stop, TraceStop::kUndefined);
    EXPECT_GT(points.size(), 50u);
    EXPECT_LE(points.back().position.x, 1);
    EXPECT_EQ(r.end.x, points.back().position.x);
    // A spiral onto a limit cycle never closes on its start: without an end it stops by the
    // round limit when keys are not polled, or by Q.
    auto limited = TracerSettings::ForPixelSize(0.01L);
    limited.roundLimit = 5000;
    r = System("y+x*(1-x^2-y^2)", "-x+y*(1-x^2-y^2)", {0.5L, 0, 0}, {}, limited);
    EXPECT_EQ(std::pair(r.stop, r.steps), std::pair(TraceStop::kRoundLimit, 5000LL));
    int polls = 0;
    TraceHooks quit;
    quit.pollKey = [&polls] { return ++polls == 100 ? kKeyStop : 0; };
    r = System("y+x*(1-x^2-y^2)", "-x+y*(1-x^2-y^2)", {0.5L, 0, 0}, quit, limited);
    EXPECT_EQ(std::tuple(r.stop, r.Key(), r.steps),
              std::tuple(TraceStop::kInterrupted, kKeyStop, 100LL));
}

// Lotka-Volterra x' = x - xy, y' = xy - y: started at its centre it rests at once; started
// under a pixel from it, its orbit never gets two loop tolerances away from the start, and it
// closes once it has run round and come back.
TEST_F(TracerTest, AnOrbitUnderAPixelClosesWhenItComesBack) {
    TraceResult r = System("x-x*y", "x*y-y", {1, 1, 0}, Collecting());
    EXPECT_EQ(std::pair(r.stop, r.steps), std::pair(TraceStop::kZeroVector, 0LL));
    auto limited = TracerSettings::ForPixelSize(0.01L);
    limited.roundLimit = 100'000;
    r = System("x-x*y", "x*y-y", {1.004L, 1, 0}, Collecting(), limited);
    EXPECT_EQ(r.stop, TraceStop::kClosed);
    EXPECT_LT(r.steps, 1000);
    // It went round: the points reach the far side of the centre.
    long double lowest = 2;
    for (const TracePoint& p : points) lowest = std::min(lowest, p.position.x);
    EXPECT_LT(lowest, 0.999L);
}

// Fixed steps of a system are the methods' steps written out by hand, bit for bit: Lotka-Volterra
// by Runge-Kutta as a system of two and as one of three whose third component is 0, a negated
// component by modified Euler, and Euler; 300 steps of 0.01 (or 0.03) from (2, 1).
TEST_F(TracerTest, FixedStepsAreTheMethodsStepsBitForBit) {
    using State = std::array<long double, 2>;
    const auto lotkaVolterra = [](const State& v) {
        return State{v[0] - v[0] * v[1], v[0] * v[1] - v[1]};
    };
    const auto turn = [](const State& v) { return State{v[1], -v[0]}; };
    const auto shifted = [](const State& v, long double f, const State& k) {
        return State{v[0] + f * k[0], v[1] + f * k[1]};
    };
    struct Row {
        const char* dx;
        const char* dy;
        std::array<std::int16_t, 3> trees;
        int components;
        Method method;
        long double h;
        State (*field)(const State&);
    };
    const Row rows[] = {
        {"x-x*y", "x*y-y", {0, 1, -1}, 2, Method::kRungeKutta, 0.01L, +lotkaVolterra},
        {"x-x*y", "x*y-y", {0, 1, -1}, 3, Method::kRungeKutta, 0.01L, +lotkaVolterra},
        {"y", "x", {0, 9, -1}, 2, Method::kModifiedEuler, 0.03L, +turn},
        {"x-x*y", "x*y-y", {0, 1, -1}, 2, Method::kEuler, 0.01L, +lotkaVolterra},
    };
    constexpr int kSteps = 300;
    for (const Row& row : rows) {
        SetTree(1, row.dx);
        SetTree(2, row.dy);
        points.clear();
        auto settings = TracerSettings::ForPixelSize(0.01L);
        settings.loopClosing = 0;
        const auto record =
            Record(kind::kSystem, {2, 1, 0}, 1e6L, row.trees, static_cast<int>(row.method), row.h);
        settings.roundLimit = kSteps;
        TraceSystem(ctx, example, record, row.components, settings, Collecting());
        ASSERT_EQ(points.size(), kSteps + 1u) << row.dx;
        State y{2, 1};
        long double t = 0;
        const long double h = row.h, half = 0.5L * h;
        for (int k = 1; k <= kSteps; ++k) {
            const State k1 = row.field(y);
            if (row.method == Method::kEuler) {
                y = shifted(y, h, k1);
            } else if (row.method == Method::kModifiedEuler) {
                const State k2 = row.field(shifted(y, h, k1));
                for (std::size_t i = 0; i < 2; ++i) y[i] += 0.5L * h * (k1[i] + k2[i]);
            } else {
                const State k2 = row.field(shifted(y, half, k1));
                const State k3 = row.field(shifted(y, half, k2));
                const State k4 = row.field(shifted(y, h, k3));
                for (std::size_t i = 0; i < 2; ++i)
                    y[i] += h / 6.0L * (k1[i] + 2.0L * k2[i] + 2.0L * k3[i] + k4[i]);
            }
            t += h;
            const TracePoint& p = points[static_cast<std::size_t>(k)];
            ASSERT_EQ((std::array{p.position.x, p.position.y, p.position.z, p.t}),
                      (std::array{y[0], y[1], 0.0L, t}))
                << row.dx << ", " << row.components << " components, step " << k;
        }
    }
}

// The z = 1 level of z = x^2 + y^2: the field (-df/dy, df/dx) of selectors 13 and 4 in the
// plane z = 1 runs round the unit circle.
TEST_F(TracerTest, LevelCurveClosesInItsPlane) {
    SetTree(5, "2*x");
    SetTree(6, "2*y");
    auto record = Record(kind::kSurface, {1, 0, 1}, kNoEnd, {13, 4, -1}, slot::kZ);
    const TraceResult r =
        TraceLevelCurve(ctx, example, record, TracerSettings::ForPixelSize(0.01L), Collecting());
    EXPECT_EQ(r.stop, TraceStop::kClosed);
    EXPECT_GT(points.size(), 600u);
    for (const TracePoint& p : points) {
        EXPECT_NEAR(std::hypot(p.position.x, p.position.y), 1, 1e-6L);
        EXPECT_EQ(p.position.z, 1);
    }
    record.option1 = 23;  // no level variable
    EXPECT_EQ(TraceLevelCurve(ctx, example, record, TracerSettings{}, {}).stop,
              TraceStop::kRefused);
}

// Which selectors name no tree the field's tests check; one of them stands here for the rest.
TEST_F(TracerTest, StepsThatDoNotAdvanceAndDamagedRecordsAreRefused) {
    SetTree(1, "y");
    SetTree(2, "-x");
    SetTree(3, "y");
    auto late = Record(kind::kSystem, {1, 0, 0}, 2e10L, {0, 1, -1}, 2, 1e-10L);
    late.startTime = 1e10L;
    const struct {
        examples::TTrajectory record;
        const char* what;
    } rows[] = {
        {Record(kind::kSystem, {1, 0, 0}, 1, {0, 1, -1}, 2, 1e-17L), "tiny step"},
        {late.Clone(), "step lost at the start time"},
        {Record(kind::kSystem, {1, 0, 0}, 1, {0, 20, -1}), "selector past the trees"},
        {Record(kind::kSlope, {1, 0, 0}, 1, {-1, -1, -1}, 2, 0), "dy/dx without a step"},
        {Record(kind::kSystem, {1, 0, 0}, std::nanl("")), "end time not a number"},
    };
    for (const auto& row : rows) {
        points.clear();
        const TraceResult r =
            row.record.kind == kind::kSlope
                ? TraceSlope(ctx, example, row.record, {}, TracerSettings{}, Collecting())
                : TraceSystem(ctx, example, row.record, 2, TracerSettings{}, Collecting());
        EXPECT_EQ(r.stop, TraceStop::kRefused) << row.what;
        EXPECT_EQ(r.error, kErrInconsistentData) << row.what;
        EXPECT_TRUE(points.empty()) << row.what;
    }
    EXPECT_EQ(CheckStepSize(0), kErrInconsistentData);
    EXPECT_EQ(CheckStepSize(0.1L, 1.0L), kNoError);
}

// dy/dx = -1 from above the view: without the clip flag it is drawn once it comes in; with it,
// nothing is drawn at all.
TEST_F(TracerTest, DyDxPenComesDownInsideTheView) {
    SetTree(3, "-1");
    const auto record = Record(kind::kSlope, {-4, 7, 0}, 0, {-1, -1, -1}, 2, 0.1L);
    AlongXOptions options;
    EXPECT_EQ(TraceSlope(ctx, example, record, options, {}, Collecting()).stop,
              TraceStop::kLeftRegion);
    // In at x = -2 (y = 5), out at the right edge x = 5: 70 points joined by 69 segments.
    // The last point lands on the edge itself and keeps its segment.
    EXPECT_EQ(std::ranges::count_if(points, [](const TracePoint& p) { return p.draw; }), 69);
    ASSERT_FALSE(points.empty());
    const auto last =
        std::find_if(points.rbegin(), points.rend(), [](const TracePoint& p) { return p.draw; });
    ASSERT_NE(last, points.rend());
    EXPECT_NEAR(static_cast<double>(last->position.x), 5, 1e-9);
    EXPECT_NEAR(static_cast<double>(last->position.y), -2, 1e-9);
    for (const TracePoint& p : points) EXPECT_TRUE(!p.draw || p.position.y <= 5.0L + 1e-12L);
    points.clear();
    options.clip = true;
    EXPECT_EQ(TraceSlope(ctx, example, record, options, {}, Collecting()).stop,
              TraceStop::kLeftRegion);
    EXPECT_EQ(points.size(), 1u);
}

// dy/dx = y from (0, 1) as the window traces it: a table of n steps of h ends at e^(n h), each
// method's end error shrinking with h as its order says; a negative step runs to the left; a
// table of 5 steps has 6 rows; a drawing ends at the view's edge after the steps that reach it,
// and a table without a step count ends by the round limit while keys are not polled.
TEST_F(TracerTest, DyDxAgainstTheExponential) {
    SetTree(3, "y");
    const auto run = [&](int method, long double h, long long n, AlongXOptions options = {},
                         TracerSettings settings = {}) {
        options.table = n != 0;
        options.tableSteps = n;
        points.clear();
        return TraceSlope(ctx, example, Record(kind::kSlope, {0, 1, 0}, 0, {-1, -1, -1}, method, h),
                          options, settings, Collecting());
    };
    const long double e = std::exp(1.0L);
    const struct {
        int method;
        long double ratio;  // of the end errors when h halves
    } methods[] = {{0, 2}, {1, 4}, {2, 16}};
    for (const auto& row : methods) {
        const TraceResult coarse = run(row.method, 0.01L, 100);
        const TraceResult fine = run(row.method, 0.005L, 200);
        ASSERT_EQ(std::pair(coarse.stop, fine.stop),
                  std::pair(TraceStop::kEndReached, TraceStop::kEndReached));
        EXPECT_NEAR(static_cast<double>(coarse.end.x), 1, 1e-15);
        EXPECT_NEAR(static_cast<double>((coarse.end.y - e) / (fine.end.y - e)),
                    static_cast<double>(row.ratio), static_cast<double>(row.ratio) * 0.03)
            << row.method;
    }
    EXPECT_NEAR(static_cast<double>(run(2, 0.01L, 100).end.y - e), 0, 1e-9);

    // To the left: two steps of -0.1 and ten of them.
    const TraceResult left = run(2, -0.1L, 2);
    EXPECT_NEAR(static_cast<double>(left.end.y), std::exp(-0.2), 2e-7);
    EXPECT_NEAR(static_cast<double>(points.at(1).position.y), std::exp(-0.1), 1e-7);
    EXPECT_NEAR(static_cast<double>(run(2, -0.1L, 10).end.y), std::exp(-1.0), 1e-6);
    for (std::size_t k = 1; k < points.size(); ++k)
        EXPECT_LT(points[k].position.x, points[k - 1].position.x);

    // 5 table steps: the start and 5 rows more, at x = 0, 0.1, ..., 0.5.
    const TraceResult table = run(2, 0.1L, 5);
    EXPECT_EQ(std::pair(table.stop, table.steps), std::pair(TraceStop::kEndReached, 5LL));
    ASSERT_EQ(points.size(), 6u);
    for (std::size_t k = 0; k < points.size(); ++k)
        EXPECT_NEAR(static_cast<double>(points[k].position.x), 0.1 * static_cast<double>(k), 1e-15);

    // A drawing leaves the view at x = -5 by steps of -1/8: 40 reach the edge, the 41st leaves.
    const TraceResult drawing = run(2, -0.125L, 0);
    EXPECT_EQ(std::tuple(drawing.stop, drawing.steps, drawing.end.x),
              std::tuple(TraceStop::kLeftRegion, 41LL, -5.125L));
    // A table never ends at the view's edge: without keys, the round limit ends it.
    TracerSettings unpolled;
    unpolled.roundLimit = 700;
    const TraceResult endless = run(0, 0.125L, 1, {}, unpolled);
    EXPECT_EQ(std::pair(endless.stop, endless.steps), std::pair(TraceStop::kRoundLimit, 700LL));
}

// A view of +-1e300 holds a step of 0.1 for 1e301 steps: with keys polled and never Q, the
// traces end by the step limit of the view's pixels instead.
TEST_F(TracerTest, AHugeViewBoundsTheStepsOfTracesThatKeysCouldStop) {
    TracerSettings settings = TracerSettings::ForPixelSize(0.01L);
    settings.viewStepLimit = StepsForView(40, 30);
    TraceHooks polled;
    polled.pollKey = [] { return 0; };
    polled.inside = [](const TracePoint& p) { return std::fabs(p.position.x) < 1e300L; };
    AlongXOptions options;
    options.view = {-1e300L, 1e300L, -1e300L, 1e300L};
    SetTree(3, "cos(x)");
    const TraceResult slope =
        TraceSlope(ctx, example, Record(kind::kSlope, {0, 0, 0}, 0, {-1, -1, -1}, 2, 0.1L), options,
                   settings, polled);
    EXPECT_EQ(std::pair(slope.stop, slope.steps),
              std::pair(TraceStop::kRoundLimit, settings.viewStepLimit));
    const TraceResult system = System("1", "0", {0, 0, 0}, polled, settings);
    EXPECT_EQ(system.stop, TraceStop::kRoundLimit);
    EXPECT_LE(system.steps, settings.viewStepLimit);
    EXPECT_EQ(StepsForView(40, 30), 512 * 70);
}

TEST_F(TracerTest, SequenceHandsItsTerms) {
    SetTree(1, "3.2*x*(1-x)");
    SetTree(2, "t");  // T is the index of the term being mapped
    const TraceResult r = TraceSequence(ctx, example, Record(kind::kSequence, {0.5L, 0, 0}, 20), 2,
                                        TracerSettings{}, Collecting());
    EXPECT_EQ(r.stop, TraceStop::kEndReached);
    ASSERT_EQ(points.size(), 21u);
    long double x = 0.5L;
    for (int k = 1; k <= 20; ++k) {
        x = 3.2L * x * (1 - x);
        EXPECT_NEAR(points[k].position.x, x, 1e-15L) << k;
        EXPECT_EQ(points[k].position.y, k - 1);
        EXPECT_EQ(points[k].t, k);
    }
}

}  // namespace
}  // namespace quorlin::dynamics
