#include "plot2d/quadrature.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin::plot2d {
namespace {

bool Cos(long double x, long double& y) {
    y = std::cos(x);
    return true;
}

TEST(Quadrature, IntegralsTheirLimitsAndCumulativeIntegrals) {
    EXPECT_NEAR((double)*IntegrateGaussKronrod(Cos, 0, 1), std::sin(1.0), 1e-15);
    EXPECT_NEAR((double)*IntegrateGaussKronrod(Cos, 1, 0), -std::sin(1.0), 1e-15);
    const Integrand rootPole = [](long double x, long double& y) {
        y = 1 / std::sqrt(x);
        return std::isfinite(y);
    };
    TQuadratureLimits pixelWise;
    pixelWise.absolute = 1e-6L;
    EXPECT_NEAR((double)*IntegrateGaussKronrod(rootPole, 0, 1, pixelWise), 2, 1e-5);
    const Integrand pole = [](long double x, long double& y) {
        y = 1 / x;
        return std::isfinite(y);
    };
    EXPECT_FALSE(IntegrateGaussKronrod(pole, -1, 2));  // not integrable across 0
    const Integrand undefined = [](long double x, long double& y) {
        y = x;
        return x < 0.5L;
    };
    EXPECT_FALSE(IntegrateGaussKronrod(undefined, 0, 1));

    // A cumulative integral from an origin outside its nodes.
    std::vector<long double> nodes;
    for (int k = 0; k <= 100; ++k) nodes.push_back(2 + k * 0.05L);
    const TCumulativeIntegral sine(Cos, -3, nodes);
    for (long double x : {2.0L, 2.013L, 4.5L, 7.0L, 1.0L}) {
        long double y = 0;
        ASSERT_TRUE(sine.Value(x, y));
        EXPECT_NEAR((double)y, std::sin((double)x) - std::sin(-3.0), 1e-13) << (double)x;
    }
}

}  // namespace
}  // namespace quorlin::plot2d
