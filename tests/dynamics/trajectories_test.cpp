// Where a stored trajectory ends after Q or a closed orbit: a redraw of Van der Pol stopped by Q
// takes the same bounded number of steps however long it ran before Q; a closed cycle ends
// where it closed, so that a redraw with the tighter tolerances of a bigger window still ends;
// other kinds and stops keep their records.
#include "dynamics/trajectories.h"

#include <cmath>

#include "dynamics/resolution_filter.h"
#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

namespace kind = examples::kind;
const long double kNoEnd = std::exp(42.0L);
constexpr long double kUnit = 0.02L;  // a view of (-5, 5) x (-4, 4) on 501 x 401 pixels

class KeepWhereStoppedTest : public DynamicsTest {
protected:
    void SetUp() override {
        SetTree(1, "y");
        SetTree(2, "(1-x^2)*y-x");  // Van der Pol
    }
    // Traces the record as a window does, Q coming at the given poll (0: never), and keeps
    // where it stopped.
    TraceResult TraceAndKeep(examples::TTrajectory& record, long long quitAt,
                             long double unit = kUnit) {
        TResolutionFilter filter(static_cast<int>(10 / unit) + 1, static_cast<int>(8 / unit) + 1);
        TraceHooks hooks;
        hooks.sink = [&](const TracePoint& p) {
            const Vec2 pixel{(p.position.x + 5) / unit, (4 - p.position.y) / unit};
            filter.Offer({p.position.x, p.position.y}, pixel, p.t, p.draw);
        };
        long long polls = 0;
        hooks.pollKey = [&] { return ++polls == quitAt ? kKeyStop : 0; };
        const auto r =
            TraceTrajectory(ctx, example, record, TracerSettings::ForPixelSize(unit), hooks);
        KeepWhereStopped(record, r, filter.LastAddedTime());
        return r;
    }
    // Steps of a redraw of the record that nobody interrupts (the round limit ends it).
    long long RedrawSteps(const examples::TTrajectory& record, long double unit = kUnit) {
        auto settings = TracerSettings::ForPixelSize(unit);
        settings.roundLimit = 2'000'000;
        return TraceTrajectory(ctx, example, record, settings, {}).steps;
    }
};

TEST_F(KeepWhereStoppedTest, ARedrawAfterQTakesBoundedWorkHoweverLongTheTraceRan) {
    auto early = Record(kind::kSystem, {0.1L, 0, 0}, kNoEnd);
    auto late = early.Clone();
    ASSERT_EQ(TraceAndKeep(early, 40'000).stop, TraceStop::kInterrupted);
    ASSERT_EQ(TraceAndKeep(late, 400'000).stop, TraceStop::kInterrupted);
    // Both now end where the spiral had settled on the cycle, long before either Q.
    EXPECT_EQ(early.endTime, late.endTime);
    EXPECT_LT(late.endTime, 100);
    const long long steps = RedrawSteps(late);
    EXPECT_EQ(steps, RedrawSteps(early));
    EXPECT_LT(steps, 40'000);
}

TEST_F(KeepWhereStoppedTest, AClosedCycleEndsWhereItClosedWhateverTheWindowsSize) {
    // Half a pixel off the cycle (its widest x is 2.0086): the first round passes the start
    // within the loop tolerance of 0.7 pixels.
    auto record = Record(kind::kSystem, {2.0186L, 0, 0}, kNoEnd);
    ASSERT_EQ(TraceAndKeep(record, 0).stop, TraceStop::kClosed);
    EXPECT_NEAR(static_cast<double>(record.endTime), 6.6633, 0.05);
    // A window four times as big each way: its tolerance of 0.7 of its pixels misses the start,
    // and the redraw still ends after one round, in about four times the steps.
    const long long once = RedrawSteps(record);
    const long long bigger = RedrawSteps(record, kUnit / 4);
    EXPECT_GT(bigger, 3 * once);
    EXPECT_LT(bigger, 5 * once);
}

TEST_F(KeepWhereStoppedTest, OtherKindsAndStopsKeepTheirRecords) {
    TraceResult quit;
    quit.stop = TraceStop::kInterrupted;
    quit.endTime = 7;
    TraceResult reached;
    reached.endTime = 3;
    const struct {
        int kind;
        TraceResult result;
        long double expected;
    } rows[] = {
        {kind::kSystem, quit, 2},         // Q: where it last added something
        {kind::kSpaceSystem, quit, 2},    //
        {kind::kSystem + 1000, quit, 2},  // formula start values
        {kind::kSystem, reached, 10},     // reached its end
        {kind::kSlope, quit, 10},         // not a system
        {kind::kSequence, quit, 10},      //
    };
    for (const auto& row : rows) {
        auto record = Record(row.kind, {0, 0, 0}, 10);
        KeepWhereStopped(record, row.result, 2);
        EXPECT_EQ(record.endTime, row.expected) << row.kind;
    }
}

// A dy/dx or derx(n,y) trajectory may hold a zero step (a script's TRAJ field, a file): it
// is kept, and every use of it ends at once without a point, whatever the window's limits.
TEST_F(KeepWhereStoppedTest, AZeroStepTracesNothingAndEndsAtOnce) {
    SetTree(3, "x-y");
    example.order = 2;
    auto slope = Record(kind::kSlope, {1, 2, 0}, kNoEnd, {-1, -1, -1}, 2, 0);
    auto higher = Record(kind::kHigherOrder, {0, 0, 0}, kNoEnd, {-1, -1, -1}, 2, 0);
    higher.startTime = 1;
    higher.AllocTexts();
    higher.texts[0] = "1;0;";
    const auto settings = TracerSettings::ForPixelSize(kUnit);
    for (const auto* record : {&slope, &higher}) {
        points.clear();
        const TraceResult traced = TraceTrajectory(ctx, example, *record, settings, Collecting());
        EXPECT_EQ(traced.stop, TraceStop::kRefused) << record->kind;
        EXPECT_TRUE(points.empty()) << record->kind;
        EXPECT_EQ(TrajectoryStateAt(ctx, example, *record, 3, settings).stop, TraceStop::kRefused)
            << record->kind;
    }
}

}  // namespace
}  // namespace quorlin::dynamics
