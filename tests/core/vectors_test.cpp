#include "core/vectors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr double kEps = 1e-17;

void ExpectNear(Vec2 v, Vec2 expected, double eps = kEps) {
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(expected.x), eps);
    EXPECT_NEAR(static_cast<double>(v.y), static_cast<double>(expected.y), eps);
}

void ExpectNear(Vec3 v, Vec3 expected, double eps = kEps) {
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(expected.x), eps);
    EXPECT_NEAR(static_cast<double>(v.y), static_cast<double>(expected.y), eps);
    EXPECT_NEAR(static_cast<double>(v.z), static_cast<double>(expected.z), eps);
}

TEST(Vec2, PolarConversionAndItsRefusal) {
    Vec2 v{2, kPi / 3};
    ASSERT_TRUE(Vec2PolarInPlace(v));
    ExpectNear(v, {1, std::sqrt(3.0L)});

    Vec2 far{1, 6e18L};
    EXPECT_FALSE(Vec2PolarInPlace(far));
    EXPECT_EQ(far.y, 6e18L);
}

TEST(Vec2, DistancesAndTheirZeroThreshold) {
    EXPECT_EQ(Vec2Dist({0, 0}, {3, 4}), 5);
    EXPECT_EQ(Vec2Dist({1, 1}, {1 + 1e-16L, 1}), 0);  // square 1e-32 < 1e-31
    EXPECT_NEAR(static_cast<double>(Vec2Dist({0, 0}, {1e-15L, 0})), 1e-15, 1e-30);
    ExpectNear(Vec2Midpoint({-1, 2}, {3, 6}), {1, 4});
}

TEST(Vec2, ProjectionOntoALine) {
    long double t = 9;
    Vec2 foot{9, 9};
    ASSERT_TRUE(Vec2ProjectOntoLine({1, 2}, {0, 0}, {2, 0}, t, foot));
    EXPECT_EQ(t, 0.5L);
    ExpectNear(foot, {1, 0});

    t = 9;
    EXPECT_FALSE(Vec2ProjectOntoLine({1, 2}, {1, 1}, {1 + 1e-9L, 1}, t, foot));  // 1e-18 < 1e-16
    EXPECT_EQ(t, 9);
}

TEST(Vec2, SignedAngleAndLength) {
    EXPECT_NEAR(static_cast<double>(Vec2SignedAngle({1, 1}, {2, 1}, {1, 2})),
                static_cast<double>(kPi / 2), kEps);
    EXPECT_NEAR(static_cast<double>(Vec2SignedAngle({1, 1}, {1, 2}, {2, 1})),
                static_cast<double>(-kPi / 2), kEps);

    Vec2 v{3, 4};
    ASSERT_TRUE(Vec2SetLength(v, 10));
    ExpectNear(v, {6, 8}, 1e-16);
    Vec2 zero{};
    EXPECT_FALSE(Vec2SetLength(zero, 1));
}

TEST(Vec3, ProductsDistancesAndBounds) {
    ExpectNear(Vec3Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
    ExpectNear(Vec3Cross({1, 2, 3}, {4, 5, 6}), {-3, 6, -3});
    EXPECT_EQ(Vec3Dot({1, 2, 3}, {4, -5, 6}), 12);
    EXPECT_EQ(Vec3Det({1, 0, 0}, {0, 1, 0}, {0, 0, 1}), 1);
    EXPECT_EQ(Vec3Det({1, 2, 3}, {4, 5, 6}, {7, 8, 10}), -3);
    EXPECT_EQ(Vec3Dist({1, 2, 3}, {3, 5, 9}), 7);
    EXPECT_EQ(Vec3TaxiDist({1, -2, 3}), 6);
    EXPECT_EQ(Vec3TaxiDist({1, -2, 3}, {0, 0, 5}), 5);
    ExpectNear(Vec3Midpoint({0, 2, -4}, {2, 4, 4}), {1, 3, 0});

    Vec3 low{0, 0, 0}, high{1, 1, 1};
    Vec3UpdateBounds(low, high, {-2, 0.5L, 3});
    ExpectNear(low, {-2, 0, 0});
    ExpectNear(high, {1, 1, 3});
}

TEST(Vec3, NormalizeSetLengthAndScaleBySmallest) {
    Vec3 v{0, 3, 4};
    ASSERT_TRUE(Vec3Normalize(v));
    ExpectNear(v, {0, 0.6L, 0.8L});
    ASSERT_TRUE(Vec3SetLength(v, 5));
    ExpectNear(v, {0, 3, 4}, 1e-16);
    Vec3 tiny{1e-17L, 0, 0};
    EXPECT_FALSE(Vec3Normalize(tiny));
    EXPECT_EQ(tiny.x, 1e-17L);

    Vec3 s{0, -0.5L, 4};
    Vec3ScaleBySmallest(s);
    ExpectNear(s, {0, -1, 8});
    Vec3 withTiny{1e-17L, 2, 4};
    Vec3ScaleBySmallest(withTiny);
    ExpectNear(withTiny, {5e-18L, 1, 2});
    Vec3 allTiny{1e-17L, 0, -1e-18L};
    Vec3ScaleBySmallest(allTiny);
    EXPECT_EQ(allTiny.x, 1e-17L);
}

TEST(Vec3, PerpendicularPairIsOrthogonal) {
    Vec3 e1, e2;
    Vec3PerpendicularPair({0, 0, 2}, false, e1, e2);
    ExpectNear(e1, {1, 0, 0});
    ExpectNear(e2, {0, 2, 0});

    const Vec3 n{1, 2, 3};
    Vec3PerpendicularPair(n, true, e1, e2);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(e1, n)), 0, 1e-16);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(e2, n)), 0, 1e-16);
    EXPECT_NEAR(static_cast<double>(Vec3Dot(e1, e2)), 0, 1e-16);
    EXPECT_NEAR(static_cast<double>(Vec3Length(e1)), std::sqrt(14.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(Vec3Length(e2)), std::sqrt(14.0), 1e-15);
    // e1 keeps the direction (-ny, nx, 0).
    EXPECT_LT(e1.x, 0);
    EXPECT_GT(e1.y, 0);
    EXPECT_EQ(e1.z, 0);
}

TEST(Vec3, SphericalCoordinatesAndProjection) {
    Vec3 v{2, kPi / 2, kPi / 2};
    ASSERT_TRUE(Vec3SphericalInPlace(v));
    ExpectNear(v, {0, 2, 0});
    Vec3 w{2, kPi / 4, kPi / 3};
    ASSERT_TRUE(Vec3SphericalInPlace(w));
    ExpectNear(w, {std::sqrt(1.5L), std::sqrt(1.5L), 1}, 1e-17);
    Vec3 far{1, 0, -6e18L};
    EXPECT_FALSE(Vec3SphericalInPlace(far));
    EXPECT_EQ(far.z, -6e18L);

    long double t = 0;
    Vec3 foot;
    ASSERT_TRUE(Vec3ProjectOntoLine({1, 1, 5}, {0, 0, 0}, {0, 0, 2}, t, foot));
    EXPECT_EQ(t, 2.5L);
    ExpectNear(foot, {0, 0, 5});
    EXPECT_FALSE(Vec3ProjectOntoLine({1, 1, 5}, {1, 1, 1}, {1, 1, 1}, t, foot));
}

}  // namespace
}  // namespace quorlin
