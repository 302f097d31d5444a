#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/random.h"

namespace quorlin {
namespace {

using Limits = std::numeric_limits<long double>;
constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(FormatLf, MatchesTheCFixedForm) {
    EXPECT_EQ(FormatLf(3.14159L, 8, 3), "   3.142");
    EXPECT_EQ(FormatLf(-2.0L, 0, 2), "-2.00");
    EXPECT_EQ(FormatLf(123456.0L, 3, 1), "123456.0");  // never cut
    EXPECT_EQ(FormatLf(0.125L, 0, 2), "0.12");         // ties to even on the exact value
    EXPECT_EQ(FormatLf(1e20L, 0, 0), "100000000000000000000");
    EXPECT_EQ(FormatLf(Limits::quiet_NaN(), 5, 2), "  nan");
    EXPECT_EQ(FormatLf(-Limits::infinity(), 0, 2), "-inf");
    EXPECT_FALSE(FormatLf(Limits::max(), 0, 2).empty());
}

TEST(FormatNumberAuto, SwitchesToExponentFormOutsideTheUsualRange) {
    EXPECT_EQ(FormatNumberAuto(0.5L, 2), "0.50");
    EXPECT_EQ(FormatNumberAuto(0, 3), "0.000");
    EXPECT_EQ(FormatNumberAuto(9999999.0L, 1), "9999999.0");
    EXPECT_EQ(FormatNumberAuto(12345678.0L, 3), "1.235e+07");
    EXPECT_EQ(FormatNumberAuto(-0.00001L, 2), "-1.00e-05");
}

TEST(FormatShortest, GivesTheFewestDigitsThatReadBack) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {1, "1"},
        {-4.8478123L, "-4.8478123"},
        {0.1L, "0.1"},
        {0, "0"},
        {100000, "100000"},
        {2.5e300L, "2.5e300"},
        {-1e-20L, "-1e-20"},
        {1e20L, "100000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatShortest(c.value), c.text);
    // Every long double reads back, the extremes and the awkward ones too.
    for (const long double v :
         {1.0L / 3, -kPi, std::numeric_limits<long double>::max(),
          std::numeric_limits<long double>::denorm_min(), 1e-4931L, 123456789.123456789L}) {
        long double back = 0;
        const std::string text = FormatShortest(v);
        ASSERT_TRUE(StrToLD(text, back)) << text;
        EXPECT_EQ(back, v) << text;
        EXPECT_LE(text.size(), 28u) << text;
    }
}

TEST(StrToLD, ReadsWholeDecimalNumbersOnly) {
    const std::pair<const char*, long double> read[] = {
        {"  1.5e3 ", 1500.0L}, {"-2.25", -2.25L}, {"+.5", 0.5L}, {"1e-5000", 0.0L}};
    for (const auto& [text, value] : read) {
        long double x = 7;
        EXPECT_TRUE(StrToLD(text, x)) << text;
        EXPECT_LT(std::fabs(x - value), 1e-4000L) << text;  // below the range: (nearly) zero
    }
    long double x = 7;
    for (const char* bad :
         {"", "   ", "1,5", "2x", "abc", "1e5000", "-1e5000", "0x10", "inf", "nan", "1.5 2"}) {
        EXPECT_FALSE(StrToLD(bad, x)) << bad;
    }
    EXPECT_EQ(x, 7.0L);  // untouched by the refusals
}

TEST(RoundLD, HalvesAwayFromZeroAndSaturates) {
    EXPECT_EQ(RoundLD(2.5L), 3);
    EXPECT_EQ(RoundLD(-2.5L), -3);
    EXPECT_EQ(RoundLD(0.49999999999L), 0);
    EXPECT_EQ(RoundLD(-0.5L), -1);
    EXPECT_EQ(RoundLD(2147483646.5L), 2147483647);
    EXPECT_EQ(RoundLD(3e9L), 2147483647);
    EXPECT_EQ(RoundLD(-2147483648.0L), -2147483647);
    EXPECT_EQ(RoundLD(-1e300L), -2147483647);
    EXPECT_EQ(RoundLD(Limits::infinity()), 2147483647);
    EXPECT_EQ(RoundLD(Limits::quiet_NaN()), 0);
}

TEST(RandomBetween, FollowsTheClosedFormAndStaysStrictlyInside) {
    const long double a = -1, b = 3;
    const std::pair<int, long double> draws[] = {
        {0, 0}, {999999, 999999}, {1000000, 0}, {kRandomMax, 483647}, {1234567, 234567}};
    for (const auto& [draw, k] : draws) {
        SetRandomSource([draw] { return draw; });
        const long double x = RandomBetween(a, b);
        EXPECT_NEAR(static_cast<double>(x),
                    static_cast<double>(a + (b - a) * (2 * k + 1) / 2000000), 1e-15);
        EXPECT_GT(x, a);
        EXPECT_LT(x, b);
    }
    SetRandomSource({});
}

TEST(AngleOf, CoversTheHalfOpenCircle) {
    EXPECT_NEAR(static_cast<double>(AngleOf(1, 1)), static_cast<double>(kPi / 4), 1e-18);
    EXPECT_EQ(AngleOf(-1, 0), kPi);
    EXPECT_EQ(AngleOf(-1, -0.0L), kPi);  // never -pi
    EXPECT_NEAR(static_cast<double>(AngleOf(-1, -1)), static_cast<double>(-3 * kPi / 4), 1e-18);
    EXPECT_EQ(AngleOf(1e-17L, -3), -kPi / 2);
    EXPECT_EQ(AngleOf(0, 0), kPi / 2);
}

}  // namespace
}  // namespace quorlin
