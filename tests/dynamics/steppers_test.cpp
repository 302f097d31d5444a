// The three methods against closed forms: their orders on a harmonic oscillator, one dy/dx
// step of each, e^x, a derx equation and the stop at a vertical tangent.
#include "dynamics/steppers.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "dynamics/trajectories.h"
#include "dynamics_support.h"
#include "support/all_near.h"

namespace quorlin::dynamics {
namespace {

using quorlin::testing::AllNear;

constexpr long double kPi = std::numbers::pi_v<long double>;
namespace kind = examples::kind;

using SteppersTest = DynamicsTest;

// x' = y, y' = -x from (1, 0) returns to its start after 2 pi; the error at the end shrinks as
// h^p when the step halves.
TEST_F(SteppersTest, OrderOfEachMethodOnOnePeriod) {
    SetTree(1, "y");
    SetTree(2, "-x");
    const struct {
        Method method;
        int steps;
        long double order;
    } rows[] = {
        {Method::kEuler, 4000, 1}, {Method::kModifiedEuler, 200, 2}, {Method::kRungeKutta, 50, 4}};
    for (const auto& row : rows) {
        long double error[2];
        for (int halving = 0; halving < 2; ++halving) {
            const int n = row.steps << halving;
            const auto record = Record(kind::kSystem, {1, 0, 0}, 2 * kPi, {0, 1, -1},
                                       static_cast<int>(row.method), 2 * kPi / n);
            const TraceResult r = TrajectoryEndPoint(ctx, example, record, TracerSettings{});
            ASSERT_EQ(r.stop, TraceStop::kEndReached);
            EXPECT_EQ(r.steps, n);
            error[halving] = std::hypot(r.end.x - 1, r.end.y);
        }
        const long double ratio = error[0] / error[1];
        EXPECT_NEAR(std::log2(ratio), row.order, 0.1L) << static_cast<int>(row.method);
    }
}

// One dy/dx step of each method; a turn through a vertical tangent (opposite slopes, one steeper
// than 5) ends the trajectory when "Infinite slopes" is on, gentler opposite slopes do not.
TEST_F(SteppersTest, OneDyDxStepOfEachMethodAndTheStopAtAVerticalTangent) {
    const struct {
        const char* f;
        Method method;
        bool infiniteSlopes, steps;
        long double y;  // after the step from (0, 1)
    } rows[] = {{"y", Method::kEuler, false, true, 1.1L},
                {"y", Method::kModifiedEuler, false, true, 1.105L},
                {"y", Method::kRungeKutta, false, true, 1.10517083L},
                {"200*(0.05-x)", Method::kEuler, true, false, 1},
                {"200*(0.05-x)", Method::kEuler, false, true, 1 + 0.1L * 200 * 0.05L},
                {"40*(0.05-x)", Method::kEuler, true, true, 1 + 0.1L * 40 * 0.05L}};
    for (const auto& row : rows) {
        SetTree(3, row.f);
        long double x = 0, y = 1;
        EXPECT_EQ(DyDxStep(ctx, *example.Tree(3), row.method, x, y, 0.1L, row.infiniteSlopes),
                  row.steps)
            << row.f << " " << row.infiniteSlopes;
        if (!row.steps) continue;
        EXPECT_TRUE(AllNear({x, y}, {0.1L, row.y}, 5e-9L));
    }
}

TEST_F(SteppersTest, DyDxEqualsYGivesTheExponential) {
    SetTree(3, "y");
    const auto record = Record(kind::kSlope, {0, 1, 0}, 0, {-1, -1, -1}, 2, 0.01L);
    const TraceResult r = TrajectoryStateAt(ctx, example, record, 1.0L, TracerSettings{});
    ASSERT_EQ(r.stop, TraceStop::kEndReached);
    EXPECT_EQ(r.end.x, 1.0L);
    EXPECT_NEAR(r.end.y, std::exp(1.0L), 1e-9L);
}

// y'' = -2 y' - y with y(0) = 0, y'(0) = 1 is x e^-x; the state hands (x, y, y').
TEST_F(SteppersTest, DerxEquationFollowsItsClosedForm) {
    SetTree(3, "-2*derx(1,y)-y");
    example.order = 2;
    auto record = Record(kind::kHigherOrder, {}, 0, {-1, -1, -1}, 2, 0.01L);
    record.texts[0] = "0;1;";
    const TraceResult r = TrajectoryStateAt(ctx, example, record, 1.0L, TracerSettings{});
    ASSERT_EQ(r.stop, TraceStop::kEndReached);
    EXPECT_TRUE(AllNear({r.end.y, r.end.z}, {std::exp(-1.0L), 0}, 1e-9L));  // y' = (1 - x) e^-x
}

// The rest-point test answers as sqrt(sum) < limit does, also at the limit itself, a limit whose
// square underflows, and limits of 0, infinity and NaN.
TEST(ShorterThanTest, AnswersAsTheSquareRootDoes) {
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
    const struct {
        long double limit, sum;
        bool shorter;
    } rows[] = {
        {0.5L, 0.25L, false},        {0.5L, 0.24L, true},
        {0.5L, 0.26L, false},        {0.5L, std::nextafter(0.25L, 0.0L), true},
        {3.0L, 9.0L, false},         {3.0L, 8.99L, true},
        {1e-2470L, 0.0L, true},      {1e-2470L, 1e-4945L, true},
        {1e-2470L, 1e-4930L, false}, {0.0L, 0.0L, false},
        {kInf, 1e4000L, true},       {kInf, kInf, false},
        {kNaN, 0.0L, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ShorterThan(row.limit)(row.sum), row.shorter) << row.limit << " " << row.sum;
        EXPECT_EQ(ShorterThan(row.limit)(row.sum), std::sqrt(row.sum) < row.limit);
    }
}

}  // namespace
}  // namespace quorlin::dynamics
