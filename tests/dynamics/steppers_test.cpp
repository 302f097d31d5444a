// The three methods against closed forms: their orders on a harmonic oscillator, one dy/dx
// step of each, e^x, a derx equation and the stop at a vertical tangent.
#include "dynamics/steppers.h"

#include <cmath>
#include <numbers>

#include "dynamics/trajectories.h"
#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

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

TEST_F(SteppersTest, OneDyDxStepOfEachMethod) {
    SetTree(3, "y");
    const struct {
        Method method;
        long double y;
    } rows[] = {{Method::kEuler, 1.1L},
                {Method::kModifiedEuler, 1.105L},
                {Method::kRungeKutta, 1.10517083L}};
    for (const auto& row : rows) {
        long double x = 0, y = 1;
        ASSERT_TRUE(DyDxStep(ctx, *example.Tree(3), row.method, x, y, 0.1L, false));
        EXPECT_NEAR(x, 0.1L, 1e-18L);
        EXPECT_NEAR(y, row.y, 5e-9L);
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

// A turn through a vertical tangent: opposite slopes, one steeper than 5, end the trajectory
// when "Infinite slopes" is on; gentler opposite slopes do not.
TEST_F(SteppersTest, InfiniteSlopesEndATurn) {
    const struct {
        const char* f;
        bool option;
        bool steps;
    } rows[] = {
        {"200*(0.05-x)", true, false}, {"200*(0.05-x)", false, true}, {"40*(0.05-x)", true, true}};
    for (const auto& row : rows) {
        SetTree(3, row.f);
        long double x = 0, y = 0;
        EXPECT_EQ(DyDxStep(ctx, *example.Tree(3), Method::kEuler, x, y, 0.1L, row.option),
                  row.steps)
            << row.f << " " << row.option;
    }
}

// y'' = -2 y' - y with y(0) = 0, y'(0) = 1 is x e^-x; the state hands (x, y, y').
TEST_F(SteppersTest, DerxEquationFollowsItsClosedForm) {
    SetTree(3, "-2*derx(1,y)-y");
    example.order = 2;
    auto record = Record(kind::kHigherOrder, {}, 0, {-1, -1, -1}, 2, 0.01L);
    record.texts[0] = "0;1;";
    const TraceResult r = TrajectoryStateAt(ctx, example, record, 1.0L, TracerSettings{});
    ASSERT_EQ(r.stop, TraceStop::kEndReached);
    EXPECT_NEAR(r.end.y, std::exp(-1.0L), 1e-9L);
    EXPECT_NEAR(r.end.z, 0.0L, 1e-9L);  // y' = (1 - x) e^-x
}

}  // namespace
}  // namespace quorlin::dynamics
