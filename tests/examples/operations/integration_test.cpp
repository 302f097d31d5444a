// The integration engine against closed forms: the six sums, Simpson's rule, double integrals in
// both forms, and the arc length, line integral, flux and area integrands built from compiled
// examples; undefined integrands and empty counts refused, Q stopping a sum with its partial
// values scaled.
#include "examples/operations/integration.h"

#include <numbers>

#include "core/errors.h"
#include "examples/compile_fixture.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;
constexpr long double kPi = std::numbers::pi_v<long double>;

// Stops at the n-th question (never with n = 0).
class StopAt : public TSumControl {
public:
    explicit StopAt(int n = 0) : n_(n) {}
    bool Stop() override { return n_ > 0 && ++asked_ >= n_; }

private:
    int n_;
    int asked_ = 0;
};

class IntegrationTest : public CompileTest {
protected:
    NodePtr Tree(const char* text) {
        EXPECT_EQ(ctx.Parse(text), 0) << text;
        return ctx.TakeParseResult();
    }
    int Sums(const char* text, TIntegrationAxis axis, TSums& out, TSumControl& control) {
        NodePtr tree = Tree(text);
        return RiemannSums(
            ctx, *tree, axis, [] { return 0.5L; }, control, out);
    }
    StopAt never;
};

TEST_F(IntegrationTest, TheSixSumsOfClosedForms) {
    struct Case {
        const char* f;
        int n;
        TSums expected;
    } const cases[] = {{"X^2", 1, {0, 0.25L, 1, 0.5L, 1.0L / 3, 0.25L}},
                       {"X", 10, {0.45L, 0.5L, 0.55L, 0.5L, 0.5L, 0.5L}},
                       {"X^2",
                        1000,
                        {0.3328335L, 1.0L / 3 - 2.5e-7L / 3, 0.3338335L, 1.0L / 3 + 5e-7L / 3,
                         1.0L / 3, 1.0L / 3 - 2.5e-7L / 3}}};
    for (const Case& c : cases) {
        TSums sums{};
        ASSERT_EQ(Sums(c.f, {slot::kX, 0, 1, c.n}, sums, never), 0) << c.f;
        for (int r = 0; r < kSumRules; ++r)
            EXPECT_NEAR(static_cast<double>(sums[r]), static_cast<double>(c.expected[r]), 1e-12)
                << c.f << " n=" << c.n << " rule " << r;
    }
    // The random point lies inside each subinterval; the variable has its value back.
    NodePtr x = Tree("X");
    TSums sums{};
    ASSERT_EQ(RiemannSums(
                  ctx, *x, {slot::kX, 0, 1, 10}, [] { return 0.999999L; }, never, sums),
              0);
    EXPECT_TRUE(sums[5] > 0.45L && sums[5] < 0.55L);
    EXPECT_EQ(ctx.Var(slot::kX), 0);
}

TEST_F(IntegrationTest, UndefinedValuesAndEmptyCountsAreReportedNotSummed) {
    TSums sums{};
    sums.fill(7);
    EXPECT_EQ(Sums("SQRT(X)", {slot::kX, -1, 1, 10}, sums, never), kErrUndefinedIntegrand);
    EXPECT_EQ(Sums("1/X", {slot::kX, -1, 1, 2}, sums, never), kErrUndefinedIntegrand);
    EXPECT_EQ(Sums("X", {slot::kX, 0, 1, 0}, sums, never), kErrOutOfBounds);
    EXPECT_EQ(sums[0], 7) << "a refused sum leaves the results as they were";

    NodePtr log = Tree("LN(X)");
    long double out = 0;
    EXPECT_EQ(SimpsonIntegral(ctx, *log, {slot::kX, 0, 1, 4}, never, out), kErrUndefinedIntegrand);
    EXPECT_EQ(SimpsonIntegral(ctx, *log, {slot::kX, 1, 2, -3}, never, out), kErrOutOfBounds);
    NodePtr one = Tree("1");
    EXPECT_EQ(DoubleIntegral(ctx, *one, {slot::kX, 0, 1, 4}, {slot::kY, 0, 1, 0}, never, out),
              kErrOutOfBounds);
}

TEST_F(IntegrationTest, QStopsASumWithItsPartialValuesScaled) {
    TSums sums{};
    StopAt fourth(4);
    EXPECT_EQ(Sums("1", {slot::kX, 0, 10, 10}, sums, fourth), kKeyStop);
    EXPECT_EQ(std::tuple(sums[0], sums[4]), std::tuple(4, 4));

    // A sum that ends with its last subinterval is complete, whatever the control says then.
    StopAt first(1);
    EXPECT_EQ(Sums("1", {slot::kX, 0, 1, 1}, sums, first), 0);

    // Without a key poll the work is bounded.
    TKeyPollControl unpolled({}, {}, std::chrono::milliseconds(0));
    NodePtr x = Tree("X");
    long double out = 0;
    EXPECT_EQ(SimpsonIntegral(ctx, *x, {slot::kX, 0, 1, 2000000000}, unpolled, out), kKeyStop);

    // Only Q stops a polled sum.
    int polls = 0;
    TKeyPollControl blank([&polls] { return ++polls < 3 ? ' ' : kKeyStop; }, {}, {});
    EXPECT_EQ(SimpsonIntegral(ctx, *x, {slot::kX, 0, 1, 100}, blank, out), kKeyStop);
    EXPECT_EQ(polls, 3);
}

TEST_F(IntegrationTest, DoubleIntegralsOfClosedForms) {
    long double xy = 0, disk = 0;
    NodePtr f = Tree("X*Y"), one = Tree("1");
    ASSERT_EQ(DoubleIntegral(ctx, *f, {slot::kX, 0, 1, 4}, {slot::kY, 0, 2, 4}, never, xy), 0);
    ASSERT_EQ(DoubleIntegralPolar(ctx, *one, {slot::kX, 0, 1, 10}, {slot::kY, 0, 2 * kPi, 10},
                                  never, disk),
              0);
    EXPECT_TRUE(AllNear({xy, disk}, {1, kPi}, 1e-14L));  // the unit disk
}

TEST_F(IntegrationTest, ArcLengthsOfALineAndACircle) {
    const int line = Add(kind::kExplicit, {"", "X"});
    const int circle = Add(kind::kParametric, {"COS(T)", "SIN(T)"});
    const struct {
        int example;
        long double low, high, length;
    } cases[] = {{line, 0, 1, std::numbers::sqrt2_v<long double>}, {circle, 0, 2 * kPi, 2 * kPi}};
    for (const auto& c : cases) {
        NodePtr speed = SpeedTree(ctx, Ex(c.example), 2);
        ASSERT_TRUE(speed);
        TSums sums{};
        ASSERT_EQ(RiemannSums(
                      ctx, *speed, {CurveVariable(Ex(c.example)), c.low, c.high, 100},
                      [] { return 0.3L; }, never, sums),
                  0);
        for (long double s : sums) EXPECT_NEAR(static_cast<double>(s), c.length, 1e-12);
    }
}

TEST_F(IntegrationTest, LineIntegralsAroundTheUnitCircle) {
    const int circle = Add(kind::kParametric, {"COS(T)", "SIN(T)"});
    const int turning = Add(kind::kSystem, {"-Y", "X"});
    const int backwards = Add(kind::kSystem, {"Y", "-X"});
    const int helix = Add(kind::kSpaceCurve, {"COS(T)", "SIN(T)", "T"});
    const int field3 = Add(kind::kSpaceSystem, {"-Y", "X", "1"});
    const struct {
        int field, curve, dimension;
        long double expected;
    } cases[] = {{turning, circle, 2, 2 * kPi},
                 {backwards, circle, 2, -2 * kPi},
                 {field3, helix, 3, 4 * kPi}};
    for (const auto& c : cases) {
        NodePtr integrand = LineIntegrand(Ex(c.field), Ex(c.curve), c.dimension);
        ASSERT_TRUE(integrand);
        long double out = 0;
        ASSERT_EQ(SimpsonIntegral(ctx, *integrand, {slot::kT, 0, 2 * kPi, 50}, never, out), 0);
        EXPECT_NEAR(static_cast<double>(out), static_cast<double>(c.expected), 1e-10);
    }
}

TEST_F(IntegrationTest, FluxAndAreaOfTheUnitSphere) {
    const int sphere = Add(kind::kParametricSurface, {"SIN(U)*COS(T)", "SIN(U)*SIN(T)", "COS(U)"});
    const int radial = Add(kind::kSpaceSystem, {"X", "Y", "Z"});
    const TIntegrationAxis t{slot::kT, 0, 2 * kPi, 40};
    const TIntegrationAxis u{slot::kU, 0, kPi, 40};

    NodePtr flux = FluxIntegrand(ctx, Ex(radial), Ex(sphere));
    ASSERT_TRUE(flux);
    long double out = 0;
    ASSERT_EQ(DoubleIntegral(ctx, *flux, t, u, never, out), 0);
    EXPECT_NEAR(std::fabs(static_cast<double>(out)), 4 * std::numbers::pi, 1e-6);

    TAreaIntegrand area = AreaIntegrand(ctx, Ex(sphere));
    ASSERT_TRUE(area.tree);
    ASSERT_EQ(DoubleIntegral(ctx, *area.tree, t, u, never, out), 0);
    EXPECT_NEAR(static_cast<double>(out), 4 * std::numbers::pi, 1e-6);

    // The cone z = r over the unit disk, from its centre: sqrt(2) pi; the plane z = x + y over the
    // unit square: sqrt(3).
    const int cone = Add(kind::kPolarSurface, {"", "", "R"});
    const int plane = Add(kind::kSurface, {"", "", "X+Y"});
    area = AreaIntegrand(ctx, Ex(cone));
    ASSERT_EQ(area.innerSlot, slot::kR);
    ASSERT_EQ(DoubleIntegral(ctx, *area.tree, {slot::kR, 0, 1, 10}, {slot::kT, 0, 2 * kPi, 10},
                             never, out),
              0);
    EXPECT_NEAR(static_cast<double>(out), std::numbers::sqrt2 * std::numbers::pi, 1e-12);
    area = AreaIntegrand(ctx, Ex(plane));
    ASSERT_EQ(DoubleIntegral(ctx, *area.tree, {slot::kX, 0, 1, 4}, {slot::kY, 0, 1, 4}, never, out),
              0);
    EXPECT_NEAR(static_cast<double>(out), std::numbers::sqrt3, 1e-15);
    EXPECT_FALSE(AreaIntegrand(ctx, Ex(radial)).tree);
}

}  // namespace
}  // namespace quorlin::examples
