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

TEST_F(IntegrationTest, AnEndAloneUndefinedTakesTheLimitFromInside) {
    constexpr long double kSiPi = 1.8519370519824661703610533701579914L;  // Si(pi)
    const struct {
        const char* f;
        long double low, high;
        int n;
        long double simpson, left;  // left < -1e300: not checked
    } rows[] = {
        {"SIN(X)/X", 0, kPi, 1000, kSiPi, -1e301L},
        {"SIN(X)/X", -kPi, 0, 1000, kSiPi, -1e301L},
        // (x^2 - 1) / (x - 1) is x + 1 but at 1: the left sum starts from the limit 2.
        {"(X^2-1)/(X-1)", 1, 3, 4, 6, 5.5L},
        {"(X^2-4)/(X-2)", 0, 2, 5, 6, 5.6L},
    };
    for (const auto& row : rows) {
        TSums sums{};
        ASSERT_EQ(Sums(row.f, {slot::kX, row.low, row.high, row.n}, sums, never), 0) << row.f;
        EXPECT_NEAR(static_cast<double>(sums[4]), static_cast<double>(row.simpson), 1e-9) << row.f;
        if (row.left > -1e300L) {
            EXPECT_NEAR(static_cast<double>(sums[0]), static_cast<double>(row.left), 1e-9) << row.f;
        }
        NodePtr tree = Tree(row.f);
        long double simpson = 0;
        ASSERT_EQ(SimpsonIntegral(ctx, *tree, {slot::kX, row.low, row.high, row.n}, never, simpson),
                  0);
        EXPECT_NEAR(static_cast<double>(simpson), static_cast<double>(row.simpson), 1e-9);
    }
    // The inner and the outer ends of a double integral alike.
    NodePtr tree = Tree("SIN(X)/X*SIN(Y)/Y");
    long double out = 0;
    ASSERT_EQ(
        DoubleIntegral(ctx, *tree, {slot::kX, 0, kPi, 200}, {slot::kY, 0, kPi, 300}, never, out),
        0);
    EXPECT_NEAR(static_cast<double>(out), static_cast<double>(kSiPi * kSiPi), 1e-9);
}

TEST_F(IntegrationTest, PolesInsideAndValuesBeyondTheShownFormatAreRefused) {
    const struct {
        const char* f;
        long double low, high;
        int n;
        int result;
    } rows[] = {
        // 0 is node 5 of 10, the middle of cell 6 of 11 and node 500 of 1000: built from their
        // indexes, each lands on the pole exactly.
        {"1/X", -1, 1, 10, kErrUndefinedIntegrand},
        {"1/X", -1, 1, 11, kErrUndefinedIntegrand},
        {"1/X", -1, 1, 1000, kErrUndefinedIntegrand},
        {"X/X", -1, 1, 10, kErrUndefinedIntegrand},
        {"X/X", -1, 1, 11, kErrUndefinedIntegrand},
        {"X/X", -3, 5, 1000, kErrUndefinedIntegrand},
        {"X/X", 0.25L, 5, 1000, 0},
        // Ends that grow without bound have no limit to take.
        {"1/X", 0, 1, 10, kErrUndefinedIntegrand},
        {"LN(X)", 0, 1, 10, kErrUndefinedIntegrand},
        {"1/SQRT(2-X)", 1, 2, 10, kErrUndefinedIntegrand},
        // Terms and sums of 19 digits and more.
        {"EXP(X)", 0, 45, 10, kErrUndefinedIntegrand},
        {"EXP(X)", 0, 40, 10, 0},
        {"10^17", 0, 20, 4, kErrUndefinedIntegrand},
        {"10^17", 0, 9, 4, 0},
    };
    for (const auto& row : rows) {
        TSums sums{};
        sums.fill(7);
        EXPECT_EQ(Sums(row.f, {slot::kX, row.low, row.high, row.n}, sums, never), row.result)
            << row.f << " over " << static_cast<double>(row.low) << " n=" << row.n;
        if (row.result != 0) EXPECT_EQ(sums[0], 7) << row.f;
        NodePtr tree = Tree(row.f);
        long double simpson = 0;
        EXPECT_EQ(SimpsonIntegral(ctx, *tree, {slot::kX, row.low, row.high, row.n}, never, simpson),
                  row.result)
            << row.f << " n=" << row.n;
    }
}

TEST_F(IntegrationTest, NodesBuiltFromTheirIndexKeepTheSumsExact) {
    // The left sum of x over [-1, 1] in n: h (n a + h n (n - 1) / 2) = -2 / n; the trapezoid sum
    // of x^3 over [-0.7, 0.7] is 0 by symmetry.
    for (const int n : {10, 1000, 100000}) {
        TSums sums{};
        ASSERT_EQ(Sums("X", {slot::kX, -1, 1, n}, sums, never), 0);
        EXPECT_NEAR(static_cast<double>(sums[0]), -2.0 / n, 1e-17) << n;
        ASSERT_EQ(Sums("X^3", {slot::kX, -0.7L, 0.7L, n}, sums, never), 0);
        EXPECT_NEAR(static_cast<double>(sums[3]), 0, 1e-17) << n;
    }
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
    long double disk = 0;
    NodePtr one = Tree("1");
    ASSERT_EQ(DoubleIntegralPolar(ctx, *one, {slot::kX, 0, 1, 10}, {slot::kY, 0, 2 * kPi, 10},
                                  never, disk),
              0);
    EXPECT_NEAR(static_cast<double>(disk), std::numbers::pi, 1e-14);  // the unit disk
    // Polynomials of degree 3 at most in each variable: Simpson's rule is exact, whatever the
    // counts, so every row has counts of its own and a variable of its own on each axis.
    const struct {
        const char* f;
        TIntegrationAxis inner, outer;
        long double value;
    } rows[] = {
        {"X*Y", {slot::kX, 0, 1, 4}, {slot::kY, 0, 2, 6}, 1},
        {"X*Y", {slot::kX, 0, 1, 6}, {slot::kY, 0, 2, 4}, 1},
        {"X^2*Y", {slot::kX, 0, 3, 2}, {slot::kY, 1, 2, 5}, 13.5L},
        {"X*Y^3", {slot::kY, 0.5L, 1.5L, 7}, {slot::kX, -1, 2, 3}, 1.875L},
        {"T-U^2", {slot::kT, 1, 4, 1}, {slot::kU, -2, 0, 9}, 7},
    };
    for (const auto& row : rows) {
        NodePtr f = Tree(row.f);
        long double out = 0;
        ASSERT_EQ(DoubleIntegral(ctx, *f, row.inner, row.outer, never, out), 0) << row.f;
        EXPECT_NEAR(static_cast<double>(out), static_cast<double>(row.value), 1e-15)
            << row.f << " " << row.inner.count << "x" << row.outer.count;
    }
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
