// The measuring integrands against closed forms: volumes and surface areas of revolution about
// lines in any form, segments exactly, the sector of a circle run once and twice, and the
// two-curve volumes by washers and by shells, with the region straddling the axis counted once
// and g above f giving a negative shell volume.
#include "tools2d/integration/revolution.h"

#include <numbers>

#include "core/errors.h"
#include "examples/compile_fixture.h"
#include "examples/operations/integration.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;

class Never : public examples::TSumControl {
public:
    bool Stop() override { return false; }
};

class RevolutionTest : public examples::CompileTest {
protected:
    // The parabolic sum of the integrand in the slot over [low, high] in n subintervals.
    long double Parabolic(TExprNode& integrand, int slotIndex, long double low, long double high,
                          int n, int* error = nullptr) {
        Never never;
        examples::TSums sums{};
        const int result = examples::RiemannSums(
            ctx, integrand, {slotIndex, low, high, n}, [] { return 0.5L; }, never, sums);
        if (error) *error = result;
        return sums[static_cast<std::size_t>(examples::SumRule::Simpson)];
    }
    ParabolicSum SumIn(int n) {
        return
            [this, n](TExprNode& integrand, long double low, long double high, long double& out) {
                int error = 0;
                out = Parabolic(integrand, slot::kX, low, high, n, &error);
                return error;
            };
    }
    struct Measured {
        long double volume = 0;
        long double area = 0;
    };
    Measured Revolve(int i, const TAxisLine& axis, long double low, long double high, int n) {
        const examples::TExample& curve = Ex(i);
        NodePtr volume = VolumeIntegrand(curve, axis);
        NodePtr area = SurfaceIntegrand(curve, axis);
        const int variable = examples::CurveVariable(curve);
        return {VolumeFromSum(Parabolic(*volume, variable, low, high, n), axis),
                SurfaceFromSum(Parabolic(*area, variable, low, high, n), axis)};
    }
};

TEST_F(RevolutionTest, VolumesAndAreasOfRevolutionMeetTheirClosedForms) {
    const int line = Add(k::kExplicit, {"", "x"});
    const int semicircle = Add(k::kParametric, {"cos(t)", "sin(t)"});
    const int parabola = Add(k::kExplicit, {"", "x^2"});
    struct Case {
        int curve;
        TAxisLine axis;
        long double low, high;
        int n;
        long double volume, area, tolerance;
    };
    const long double root2 = std::sqrt(2.0L);
    const Case cases[] = {
        // A cone: exact by the parabolic rule for any n.
        {line, kXAxis, 0, 1, 1, kPi / 3, kPi * root2, 1e-15L},
        {line, kXAxis, 0, 1, 7, kPi / 3, kPi * root2, 1e-15L},
        // The same cone about y = x written 0x + 3y = 0: the scale of the line does not count.
        {line, {0, 3, 0}, 0, 1, 4, kPi / 3, kPi * root2, 1e-15L},
        // About the y-axis (2x = 0 as well): the same cone turned over, between the line and
        // the axis it turns about.
        {line, {2, 0, 0}, 0, 1, 4, kPi / 3, kPi * root2, 1e-15L},
        {line, kYAxis, 0, 1, 4, kPi / 3, kPi * root2, 1e-15L},
        // The unit sphere from the upper semicircle, to 1e-8 of its size.
        {semicircle, kXAxis, 0, kPi, 100, 4 * kPi / 3, 4 * kPi, 4e-8L},
        // y = x^2 on [0, 1] about the x-axis: pi/5.
        {parabola, kXAxis, 0, 1, 50, kPi / 5, 0, 1e-8L},
        // y = x on [0, 1] about y = -1 (0x + 1y = -1): the frustum of radii 1 and 2, height 1,
        // and its side of slant sqrt(2).
        {line, {0, 1, -1}, 0, 1, 3, 7 * kPi / 3, 3 * kPi * root2, 1e-15L},
        // About x = 2 (1x + 0y = 2), with the cone's own frustum turned over.
        {line, {1, 0, 2}, 0, 1, 5, 7 * kPi / 3, 3 * kPi * root2, 1e-15L},
    };
    for (const Case& c : cases) {
        const Measured m = Revolve(c.curve, c.axis, c.low, c.high, c.n);
        EXPECT_NEAR((double)m.volume, (double)c.volume, (double)c.tolerance)
            << c.curve << " " << c.n;
        if (c.area > 0) {
            EXPECT_NEAR((double)m.area, (double)c.area, (double)c.tolerance) << c.curve;
        }
    }
}

// Curves whose integrand is undefined only at an end of the interval (a vertical tangent there)
// measure as their one-sided limits give.
TEST_F(RevolutionTest, EndsWhereOnlyTheIntegrandFailsTakeTheirLimits) {
    const int root = Add(k::kExplicit, {"", "sqrt(x)"});
    const int semicircle = Add(k::kExplicit, {"", "sqrt(1-x^2)"});
    const long double root17 = std::sqrt(17.0L);
    const struct {
        int curve;
        TAxisLine axis;
        bool volume;
        long double low, high;
        int n;
        long double value;
    } rows[] = {
        {root, kXAxis, false, 0, 4, 1000, kPi / 6 * (17 * root17 - 1)},
        {semicircle, kXAxis, false, -1, 1, 10, 4 * kPi},
        {semicircle, kXAxis, false, -1, 1, 7, 4 * kPi},
        {semicircle, kXAxis, true, -1, 1, 4, 4 * kPi / 3},
        {root, kYAxis, true, 0, 4, 100000, 32 * kPi / 5},
        {root, kXAxis, true, 0, 4, 3, 8 * kPi},
    };
    for (const auto& row : rows) {
        NodePtr integrand = row.volume ? VolumeIntegrand(Ex(row.curve), row.axis)
                                       : SurfaceIntegrand(Ex(row.curve), row.axis);
        ASSERT_TRUE(integrand);
        int error = -1;
        const long double sum = Parabolic(*integrand, slot::kX, row.low, row.high, row.n, &error);
        ASSERT_EQ(error, 0) << row.curve << " " << row.volume;
        const long double value =
            row.volume ? VolumeFromSum(sum, row.axis) : SurfaceFromSum(sum, row.axis);
        EXPECT_NEAR((double)value, (double)row.value, 1e-9) << row.curve << " n=" << row.n;
    }
}

TEST_F(RevolutionTest, AxesAndSegments) {
    const struct {
        TAxisLine axis;
        int error;
    } axes[] = {{kXAxis, 0}, {{0, 0, 1}, kErrInconsistentData}, {{1e-9L, 0, 0}, 6}, {{2, 0, 0}, 0}};
    for (const auto& a : axes) EXPECT_EQ(CheckAxis(a.axis), a.error);
    // The segment (0, 0)-(1, 1) about the x-axis is the cone of the curve y = x.
    const TSolid cone = SegmentSolid({0, 0}, {1, 1}, kXAxis);
    EXPECT_NEAR((double)cone.volume, (double)(kPi / 3), 1e-15);
    EXPECT_NEAR((double)cone.area, (double)(kPi * std::sqrt(2.0L)), 1e-15);
    // About x = 2 (axis 1, 0, 2) the segment sweeps a frustum of radii 2 and 1, height 1.
    const TSolid frustum = SegmentSolid({0, 0}, {1, 1}, {1, 0, 2});
    EXPECT_NEAR((double)frustum.volume, (double)(kPi * (4 + 2 + 1) / 3), 1e-15);
}

TEST_F(RevolutionTest, SectorsOfTheCircleInEitherDirection) {
    const int circle = Add(k::kParametric, {"cos(t)", "sin(t)"});
    const int clockwise = Add(k::kParametric, {"cos(t)", "-sin(t)"});
    const int chord = Add(k::kExplicit, {"", "1"});
    const struct {
        int curve;
        long double low, high, area;
    } cases[] = {
        {circle, 0, 2 * kPi, kPi},
        {circle, 0, 4 * kPi, 2 * kPi},
        {clockwise, 0, 2 * kPi, kPi},
        // y = 1 from x = 0 to 2: the triangle of the origin and the two ends.
        {chord, 0, 2, 1},
    };
    for (const auto& c : cases) {
        NodePtr integrand = SectorIntegrand(Ex(c.curve));
        ASSERT_TRUE(integrand);
        const long double sum =
            Parabolic(*integrand, examples::CurveVariable(Ex(c.curve)), c.low, c.high, 200);
        EXPECT_NEAR((double)SectorFromSum(sum), (double)c.area, 1e-9) << c.curve;
    }
}

TEST_F(RevolutionTest, TwoCurveVolumesByWashersAndShells) {
    const int x = Add(k::kExplicit, {"", "x"});
    const int square = Add(k::kExplicit, {"", "x^2"});
    const int one = Add(k::kExplicit, {"", "1"});
    const int zero = Add(k::kExplicit, {"", "0"});
    const struct {
        int f, g;
        long double c;
        bool washers;
        long double low, high, volume;
    } cases[] = {
        {x, square, 0, true, 0, 1, 2 * kPi / 15},
        {x, square, 0, false, 0, 1, kPi / 6},
        // The region right of x = 0 and the region straddling it: the rectangle [-1, 2] x [0, 1]
        // sweeps the cylinder of radius 2 once, whatever part lies left of the axis.
        {one, zero, 0, false, -1, 2, 4 * kPi},
        {one, zero, 0, false, -2, 1, 4 * kPi},
        // About x = 3 the region [1, 2] lies left of the axis: the ring between radii 1 and 2.
        {one, zero, 3, false, 1, 2, 3 * kPi},
        // g above f: the shell volume turns negative.
        {square, x, 0, false, 0, 1, -kPi / 6},
        // Washers about y = 1 of the unit square below it: the cylinder of radius 1, length 1.
        {one, zero, 1, true, 0, 1, kPi},
    };
    for (const auto& c : cases) {
        long double volume = 0;
        ASSERT_EQ(TwoCurveVolume(ctx, *Ex(c.f).Tree(2), *Ex(c.g).Tree(2), c.c, c.washers, c.low,
                                 c.high, SumIn(60), volume),
                  0);
        EXPECT_NEAR((double)volume, (double)c.volume, 1e-8)
            << c.f << " " << c.g << " " << (double)c.low;
    }
}

}  // namespace
}  // namespace quorlin::tools2d
