// The zeros of explicit curves, segments and lines against their closed forms, one per request:
// in turn along the range and round again, at even multiplicity, none at a pole, "too many" on
// y = 0, and the upright segments and lines read from their compiled ends; each curve scanned
// where it is drawn now (a curve without a locked range, a periodic one, and a line across the
// view).
#include "tools2d/searches/zero_search.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "examples/compile_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kHalfHeight = 5;

class ZeroSearchTest : public examples::CompileTest {
protected:
    int Curve(int kind, long double low, long double high,
              std::initializer_list<const char*> texts) {
        return Add(kind, texts, [=](examples::TExample& e) {
            e.rangeLow[0] = low;
            e.rangeHigh[0] = high;
        });
    }
    TZeroResult Next(int i) { return search.Next(ctx, compiler, Ex(i), i, view, kHalfHeight); }
    TZeroSearch search;
    TXRange view{-5, 5};  // the x-range the view shows
};

struct ZeroRow {
    const char* f;
    long double low, high;
    std::vector<long double> zeros;  // in the order of the requests; empty: none
    TZeroOutcome otherwise;          // the outcome when there is none
};

TEST_F(ZeroSearchTest, SuccessiveRequestsGiveTheZerosInTurn) {
    const ZeroRow rows[] = {
        {"sin(x)", 1, 10, {kPi, 2 * kPi, 3 * kPi, kPi}, TZeroOutcome::Found},
        {"x^2", -1, 1, {0, 0}, TZeroOutcome::Found},  // through the slope
        {"(x-0.3)^2*(x+0.7)", -1, 1, {-0.7L, 0.3L, -0.7L}, TZeroOutcome::Found},
        {"0", -1, 1, {}, TZeroOutcome::TooMany},
        {"1/x", -1, 1, {}, TZeroOutcome::NotFound},  // no zero at the pole
        {"x^2+1", -3, 2, {}, TZeroOutcome::NotFound},
    };
    for (const ZeroRow& row : rows) {
        SCOPED_TRACE(row.f);
        search.Restart();
        view = {row.low, row.high};
        const int i = Curve(k::kExplicit, row.low, row.high, {"", row.f});
        ctx.SetVar(slot::kX, 7);
        for (const long double zero : row.zeros) {
            const TZeroResult found = Next(i);
            ASSERT_EQ(found.outcome, TZeroOutcome::Found);
            EXPECT_NEAR(found.zero, zero, 1e-9L);
        }
        if (row.zeros.empty()) {
            EXPECT_EQ(Next(i).outcome, row.otherwise);
            EXPECT_EQ(search.Position(), 0);  // a failed request tried each subinterval once
        }
        EXPECT_EQ(ctx.Var(slot::kX), 7);  // the user's X is back
        EXPECT_EQ(ctx.rootTolerance, (row.high - row.low) * 1e-16L);
    }
}

TEST_F(ZeroSearchTest, TheScanGoesOnFromWhereItStoppedOnAnotherExample) {
    view = {1, 10};
    const int sine = Curve(k::kExplicit, 1, 10, {"", "sin(x)"});
    const int two = Curve(k::kExplicit, 0, 2, {"", "(x-0.2)*(x-1.5)"});
    ASSERT_NEAR(Next(sine).zero, kPi, 1e-9L);
    EXPECT_EQ(search.Position(), 25);  // pi lies in subinterval 24 of 101 on [1, 10]
    // A fresh scan would meet 0.2 first; the kept position meets 1.5.
    view = {0, 2};
    EXPECT_NEAR(Next(two).zero, 1.5L, 1e-9L);
    EXPECT_NEAR(Next(two).zero, 0.2L, 1e-9L);
}

struct StraightRow {
    int kind;
    std::initializer_list<const char*> texts;
    long double a;  // value of A
    TZeroOutcome outcome;
    long double zero;
};

TEST_F(ZeroSearchTest, SegmentsAndLinesFromTheirCompiledEnds) {
    const StraightRow rows[] = {
        {k::kSegment, {"2", "-1", "2", "3"}, 0, TZeroOutcome::Found, 2},
        {k::kSegment, {"2", "1", "2", "3"}, 0, TZeroOutcome::NotFound, 0},
        {k::kSegment, {"2", "3", "2", "0"}, 0, TZeroOutcome::Found, 2},  // an end on the axis
        // The same segment after its end moved with a parameter: never a drawing's stale range.
        {k::kSegment, {"2", "a", "2", "3"}, -1, TZeroOutcome::Found, 2},
        {k::kSegment, {"2", "a", "2", "3"}, 1, TZeroOutcome::NotFound, 0},
        {k::kSegment, {"-1", "-3", "3", "5"}, 0, TZeroOutcome::Found, 0.5L},
        {k::kSegment, {"1", "2", "3", "6"}, 0, TZeroOutcome::NotFound, 0},
        {k::kLine, {"2", "0", "3"}, 0, TZeroOutcome::Found, 1.5L},  // 2x = 3
        {k::kLine, {"a", "0", "3"}, 4, TZeroOutcome::Found, 0.75L},
        {k::kLine, {"1", "2", "0.4"}, 0, TZeroOutcome::Found, 0.4L},  // x + 2y = 0.4
        {k::kLine, {"0", "2", "3"}, 0, TZeroOutcome::NotFound, 0},    // y = 1.5
    };
    for (const StraightRow& row : rows) {
        SCOPED_TRACE(*row.texts.begin() + std::string(" ") + row.texts.begin()[1]);
        ctx.SetVar(1, row.a);
        const int i = Curve(row.kind, -5, 5, row.texts);
        const TZeroResult found = Next(i);
        EXPECT_EQ(found.outcome, row.outcome);
        if (row.outcome == TZeroOutcome::Found) EXPECT_NEAR(found.zero, row.zero, 1e-12L);
    }
}

struct DrawnRow {
    const char* name;
    int kind;
    std::initializer_list<const char*> texts;
    const char* lockedRange;  // the range text of a locked explicit curve, or none
    TXRange view;
    TZeroOutcome outcome;
    std::vector<long double> zeros;  // in the order of the requests
    bool periodic = false;           // the locked range is a period the curve repeats
};

TEST_F(ZeroSearchTest, EachCurveIsScannedWhereItIsDrawnNow) {
    // Each explicit curve was made in the view -5 .. 5, which it keeps as its range; a line
    // keeps the range 0 .. 1 of a new record. The view then moved.
    const DrawnRow rows[] = {
        {"zoomed out: the crossing came into view",
         k::kExplicit,
         {"", "x-10"},
         nullptr,
         {-20, 20},
         TZeroOutcome::Found,
         {10}},
        {"moved right: the crossing left the view",
         k::kExplicit,
         {"", "x+3"},
         nullptr,
         {-1, 7},
         TZeroOutcome::NotFound,
         {}},
        {"a locked range stays the curve's own",
         k::kExplicit,
         {"", "x-10"},
         "-5;5",
         {-20, 20},
         TZeroOutcome::NotFound,
         {}},
        {"locked beyond the view",
         k::kExplicit,
         {"", "x-10"},
         "-3;12",
         {-1, 4},
         TZeroOutcome::Found,
         {10}},
        {"x + 2y = 3 across the view",
         k::kLine,
         {"1", "2", "3"},
         nullptr,
         {-4, 6},
         TZeroOutcome::Found,
         {3}},
        {"2x - y = -1.5 across the view",
         k::kLine,
         {"2", "-1", "-1.5"},
         nullptr,
         {-3, 1.3L},
         TZeroOutcome::Found,
         {-0.75L}},
        // Its [0, 1) piece repeats across the view: the zeros 0.25 and 0.75 come back at 2.25
        // and 2.75.
        {"periodic over [0, 1), locked",
         k::kExplicit,
         {"", "(x-0.5)^2-0.0625"},
         "0;1",
         {2, 3},
         TZeroOutcome::Found,
         {2.25L, 2.75L, 2.25L},
         true},
        {"x + 2y = 3 off the view",
         k::kLine,
         {"1", "2", "3"},
         nullptr,
         {-4, 2},
         TZeroOutcome::NotFound,
         {}},
    };
    for (const DrawnRow& row : rows) {
        SCOPED_TRACE(row.name);
        search.Restart();
        view = row.view;
        const int i = Add(row.kind, row.texts, [&](examples::TExample& e) {
            const bool line = row.kind == k::kLine;
            e.rangeLow[0] = line ? 0 : -5;
            e.rangeHigh[0] = line ? 1 : 5;
            if (row.lockedRange) {
                e.lockInterval = 1;
                e.Text(7) = row.lockedRange;
            }
            if (row.periodic) {
                e.periodic = 1;
                e.rangeLow[0] = 0;  // the period, as the curve's own range
                e.rangeHigh[0] = 1;
            }
        });
        if (row.zeros.empty()) EXPECT_EQ(Next(i).outcome, row.outcome);
        for (const long double zero : row.zeros) {
            const TZeroResult found = Next(i);
            EXPECT_EQ(found.outcome, row.outcome);
            EXPECT_NEAR(found.zero, zero, 1e-12L);
        }
    }
}

}  // namespace
}  // namespace quorlin::tools2d
