// Shell and washer integrands: integrated with Simpson's rule they give the closed-form
// volumes of solids of revolution, also about shifted axes and across the axis.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "formula_support.h"

namespace quorlin {
namespace {

using testing_support::ParseTree;
using testing_support::ValueAt;

constexpr long double kPi = std::numbers::pi_v<long double>;

class IntegrandsTest : public testing_support::FormulaTest {
protected:
    // Simpson's rule in X over [low, high] with 2n panels.
    long double Integrate(TExprNode& tree, long double low, long double high, int n = 400) {
        const long double h = (high - low) / (2 * n);
        long double sum = ValueAt(ctx, tree, low) + ValueAt(ctx, tree, high);
        for (int i = 1; i < 2 * n; ++i) sum += (i % 2 ? 4 : 2) * ValueAt(ctx, tree, low + i * h);
        return sum * h / 3;
    }
    long double Washers(const char* f, const char* g, long double axis, long double low,
                        long double high) {
        const NodePtr ft = ParseTree(ctx, f);
        const NodePtr gt = ParseTree(ctx, g);
        NodePtr integrand;
        ctx.BuildWasherIntegrand(integrand, ft.get(), gt.get(), axis);
        return integrand ? Integrate(*integrand, low, high) : NAN;
    }
    // Shells about x = axis over [low, high], both ends on one side of the axis.
    long double Shells(const char* f, const char* g, long double axis, long double low,
                       long double high, bool overlap = false) {
        const NodePtr ft = ParseTree(ctx, f);
        const NodePtr gt = ParseTree(ctx, g);
        NodePtr integrand;
        ctx.BuildShellIntegrand(integrand, ft.get(), gt.get(), axis, overlap);
        return integrand ? Integrate(*integrand, low - axis, high - axis) : NAN;
    }
};

TEST_F(IntegrandsTest, WashersAboutHorizontalAxes) {
    // The cone of y = x on [0, 1] about the x-axis.
    EXPECT_NEAR(Washers("X", "0", 0, 0, 1), kPi / 3, 1e-15L);
    // Under y = x^2 on [0, 1] about y = 2: pi * integral of 4 - (2 - x^2)^2.
    EXPECT_NEAR(Washers("X^2", "0", 2, 0, 1), kPi * 17 / 15, 1e-10L);
    // Between y = 1 and y = x^2 on [-1, 1] about y = -1: pi * integral of 4 - (x^2 + 1)^2.
    EXPECT_NEAR(Washers("1", "X^2", -1, -1, 1), kPi * 64 / 15, 1e-10L);
    // Axis through the region: the disc of the farther boundary, nothing cut out.
    EXPECT_NEAR(Washers("1", "-2", 0, 0, 1), kPi * 4, 1e-14L);
}

TEST_F(IntegrandsTest, ShellsAboutVerticalAxes) {
    // Under y = x^2 on [0, 1] about the y-axis: 2 pi * integral of x^3.
    EXPECT_NEAR(Shells("X^2", "0", 0, 0, 1), kPi / 2, 1e-14L);
    // The unit square about x = -1: an annulus of radii 1 and 2, height 1.
    EXPECT_NEAR(Shells("1", "0", -1, 0, 1), 3 * kPi, 1e-14L);
    // Between y = 2x and y = x^2 on [0, 2] about x = 3 (left of the axis: the sum is negated).
    EXPECT_NEAR(-Shells("2*X", "X^2", 3, 0, 2), 16 * kPi / 3, 1e-13L);
}

TEST_F(IntegrandsTest, OverlapFormCountsTheUnionOfMirroredSegments) {
    // Under y = 1 + x on [-1, 1] about the y-axis: at radius r the segments [0, 1 + r] and
    // [0, 1 - r] sweep the same shell, so the height is 1 + r and V = 2 pi (1/2 + 1/3).
    EXPECT_NEAR(Shells("1+X", "0", 0, 0, 1, true), 5 * kPi / 3, 1e-14L);
    // A piecewise top mirrors piece by piece: height 2 left of the axis, 1 right of it,
    // so every shell is 2 high.
    EXPECT_NEAR(Shells("JOINX(2,0,1)", "0", 0, 0, 1, true), 2 * kPi, 1e-14L);
    // Shifted: the same region moved right by 2, about x = 2.
    EXPECT_NEAR(Shells("X-1", "0", 2, 2, 3, true), 5 * kPi / 3, 1e-14L);
}

TEST_F(IntegrandsTest, AMissingCurveGivesNoIntegrand) {
    const NodePtr f = ParseTree(ctx, "X");
    NodePtr integrand = ParseTree(ctx, "1");
    ctx.BuildWasherIntegrand(integrand, f.get(), nullptr, 0);
    EXPECT_EQ(integrand, nullptr);
    ctx.BuildShellIntegrand(integrand, nullptr, f.get(), 0, false);
    EXPECT_EQ(integrand, nullptr);
}

}  // namespace
}  // namespace quorlin
