// The curve-surface search: the crossings in the order of t, the wrap at the end of the range,
// a touching curve, the box, and the variables left as they were.
#include "plot3d/tools/curve_surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlin::plot3d {
namespace {

struct TParsedProblem {
    NodePtr surface;
    std::array<NodePtr, 3> curve;

    TCurveSurfaceProblem Problem(long double low, long double high) {
        return {surface.get(), {curve[0].get(), curve[1].get(), curve[2].get()}, low, high, {}};
    }
};

NodePtr Parsed(FormulaContext& f, const std::string& text) {
    EXPECT_EQ(f.Parse(text), 0) << text;
    return f.TakeParseResult();
}

TParsedProblem ParseProblem(FormulaContext& f, const std::string& g,
                            const std::array<std::string, 3>& curve) {
    return {Parsed(f, g), {Parsed(f, curve[0]), Parsed(f, curve[1]), Parsed(f, curve[2])}};
}

TEST(CurveSurfaceSearchTest, RequestsGiveTheCrossingsInTheOrderOfTAndWrap) {
    const struct {
        std::string surface;
        std::array<std::string, 3> curve;
        long double low, high;
        std::vector<long double> ts;  // what successive requests give
    } rows[] = {
        // The unit sphere and the x axis: -1, 1, then -1 again after the wrap.
        {"x^2+y^2+z^2-1", {"t", "0", "0"}, -2, 2, {-1, 1, -1}},
        // z = x^2 met by the line z = 1 in the plane y = 0.
        {"z-x^2", {"t", "0", "1"}, -2, 2, {-1, 1, -1}},
        // The plane x + y + z = 1 and the diagonal.
        {"x+y+z-1", {"t", "t", "t"}, -2, 2, {1.0L / 3, 1.0L / 3}},
        // Components that bring the other letters' values: x = 2t + 0.5 meets x = 1.5 at 0.5.
        {"x-1.5", {"2*t+0.5", "3", "-t"}, -1.3L, 2.1L, {0.5L, 0.5L}},
    };
    for (const auto& row : rows) {
        FormulaContext f;
        TParsedProblem parsed = ParseProblem(f, row.surface, row.curve);
        TCurveSurfaceSearch search;
        for (const long double t : row.ts) {
            const auto found = search.Next(f, parsed.Problem(row.low, row.high));
            ASSERT_TRUE(found) << row.surface << " at " << static_cast<double>(t);
            EXPECT_NEAR(static_cast<double>(found->t), static_cast<double>(t), 1e-12)
                << row.surface;
        }
    }
}

TEST(CurveSurfaceSearchTest, ThePointIsTheCurveAtTheRootAndTheVariablesStay) {
    FormulaContext f;
    // t^2 + (t + 1)^2 + 4 = 29 at t = -4 and t = 3.
    TParsedProblem parsed = ParseProblem(f, "x^2+y^2+z^2-29", {"t", "t+1", "0*t-2"});
    f.SetVar(slot::kT, 7.25L);
    TCurveSurfaceSearch search;
    const auto found = search.Next(f, parsed.Problem(-5.5L, 5));
    ASSERT_TRUE(found);
    EXPECT_NEAR(static_cast<double>(found->t), -4, 1e-12);
    EXPECT_NEAR(static_cast<double>(found->at.x), -4, 1e-12);
    EXPECT_NEAR(static_cast<double>(found->at.y), -3, 1e-12);
    EXPECT_EQ(found->at.z, -2);
    EXPECT_EQ(f.vars.value[slot::kT].real(), 7.25L);
}

TEST(CurveSurfaceSearchTest, APointOutsideTheBoxIsNotFoundButTheScanMovesOn) {
    FormulaContext f;
    TParsedProblem parsed = ParseProblem(f, "x^2+y^2+z^2-25", {"t", "t+1", "0"});
    TCurveSurfaceProblem problem = parsed.Problem(-5.5L, 5);
    problem.inBox = [](const Vec3& p) { return p.x > 0; };
    TCurveSurfaceSearch search;
    EXPECT_FALSE(search.Next(f, problem));
    // The root t = -4 lies in subinterval 14 of 101 steps of 10.5 / 101.
    EXPECT_EQ(search.NextSubinterval(), 15);
    const auto found = search.Next(f, problem);
    ASSERT_TRUE(found);
    EXPECT_NEAR(static_cast<double>(found->t), 3, 1e-12);
}

TEST(CurveSurfaceSearchTest, NothingToFindGivesNothingEveryTime) {
    FormulaContext f;
    // The line (t, 0, 1) touches the unit sphere at t = 0 without crossing it.
    TParsedProblem touching = ParseProblem(f, "x^2+y^2+z^2-1", {"t", "0", "1"});
    TCurveSurfaceSearch search;
    for (int request = 0; request < 3; ++request) {
        EXPECT_FALSE(search.Next(f, touching.Problem(-2, 2)));
        EXPECT_EQ(search.NextSubinterval(), 0);
    }
    TParsedProblem crossing = ParseProblem(f, "x^2+y^2+z^2-1", {"t", "0", "0"});
    EXPECT_FALSE(search.Next(f, crossing.Problem(2, 2)));   // an empty range
    EXPECT_FALSE(search.Next(f, crossing.Problem(2, -2)));  // an inverted one
    TCurveSurfaceProblem noSurface = crossing.Problem(-2, 2);
    noSurface.surface = nullptr;
    EXPECT_FALSE(search.Next(f, noSurface));
    EXPECT_EQ(search.NextSubinterval(), 0);
}

}  // namespace
}  // namespace quorlin::plot3d
