#include "plot2d/quadrature.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin::plot2d {
namespace {

bool Cos(long double x, long double& y) {
    y = std::cos(x);
    return true;
}

TEST(Quadrature, IntegralsAndTheirLimits) {
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
}

TEST(Quadrature, CumulativeIntegralFromAnOriginOutsideItsNodes) {
    std::vector<long double> nodes;
    for (int k = 0; k <= 100; ++k) nodes.push_back(2 + k * 0.05L);
    const TCumulativeIntegral sine(Cos, -3, nodes);
    for (long double x : {2.0L, 2.013L, 4.5L, 7.0L, 1.0L}) {
        long double y = 0;
        ASSERT_TRUE(sine.Value(x, y));
        EXPECT_NEAR((double)y, std::sin((double)x) - std::sin(-3.0), 1e-13) << (double)x;
    }
    // 1/x from 1 has no value left of its pole, also at the nodes beyond it.
    const TCumulativeIntegral log(
        [](long double x, long double& y) {
            y = 1 / x;
            return std::isfinite(y);
        },
        1, {-2, -1, -0.5L, 0.5L, 1, 2});
    long double y = 0;
    EXPECT_FALSE(log.Value(-1.5L, y));
    ASSERT_TRUE(log.Value(0.75L, y));
    EXPECT_NEAR((double)y, std::log(0.75), 1e-13);
}

}  // namespace
}  // namespace quorlin::plot2d
