// The curve slider's cursor on a space curve: the position, the velocity and the second
// derivatives at the cursor, against the curves' closed forms, all three axes included.
#include "examples/operations/curve_cursor.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string_view>

namespace quorlin::examples {
namespace {

// A space curve (304) of the three coordinate formulas of t, with its derivative trees 5-7.
TExample SpaceCurve(FormulaContext& f, std::array<std::string_view, 3> xyz) {
    TExample e;
    e.Init(kind::kSpaceCurve, 0, 50);
    e.rangeLow[0] = -5;
    e.rangeHigh[0] = 5;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(f.Parse(xyz[static_cast<std::size_t>(k)]), 0);
        e.Tree(k + 1) = f.TakeParseResult();
        f.Differentiate(e.Tree(k + 1).get(), op::kVarT, e.Tree(k + 5));
    }
    return e;
}

TEST(CurveCursorTest, TheSecondDerivativesOfASpaceCurveHaveAllThreeAxes) {
    const struct {
        std::array<std::string_view, 3> xyz;
        long double t;
        Vec3 position, velocity, acceleration;
    } rows[] = {
        {{"t", "t^2/2", "t^3/6"}, 2, {2, 2, 8.0L / 6}, {1, 2, 2}, {0, 1, 2}},
        {{"3*t", "5", "t^2-t"}, -1.5L, {-4.5L, 5, 3.75L}, {3, 0, -4}, {0, 0, 2}},
        {{"t^3", "2*t^2", "7*t"}, 0.5L, {0.125L, 0.5L, 3.5L}, {0.75L, 2, 7}, {3, 4, 0}},
    };
    for (const auto& row : rows) {
        FormulaContext f;
        TExample e = SpaceCurve(f, row.xyz);
        TCurveCursor cursor(f, 3);
        cursor.Select(e);
        ASSERT_TRUE(cursor.MoveTo(e, row.t, false)) << row.xyz[2];
        const TCursorState& c = cursor.State();
        const auto expectVec = [&row](const Vec3& got, const Vec3& want) {
            EXPECT_NEAR(static_cast<double>(got.x), static_cast<double>(want.x), 1e-15)
                << row.xyz[2];
            EXPECT_NEAR(static_cast<double>(got.y), static_cast<double>(want.y), 1e-15)
                << row.xyz[2];
            EXPECT_NEAR(static_cast<double>(got.z), static_cast<double>(want.z), 1e-15)
                << row.xyz[2];
        };
        expectVec(c.position, row.position);
        expectVec(c.velocity, row.velocity);
        expectVec(c.acceleration, row.acceleration);
    }
}

}  // namespace
}  // namespace quorlin::examples
