// Roulettes and evolutes against closed forms: the fields the roulettes dialog accepts, the
// path of the centre (arm 0) as the curve parallel to the parent at the radius on either side,
// and evolutes of a circle, an ellipse and a line.
#include <cmath>

#include "core/errors.h"
#include "examples/records/derivation.h"
#include "plot2d/drawer_fixture.h"
#include "support/all_near.h"
#include "tools2d/derived/roulettes.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
using examples::TExample;
using examples::TNumber;
using plot2d::kPi;
using quorlin::testing::AllNear;

TEST(RouletteFieldsTest, TheIntervalHoldsTheStartAndTheCircleHasARadius) {
    const struct {
        TRouletteSettings settings;
        int error;
    } rows[] = {
        {{0, 0, 2 * kPi, 1, 1, true}, kNoError},
        {{-1, 2.5L, 2.5L, 0.75L, -3, false}, kNoError},        // start at high, any arm
        {{-1, -1, 2.5L, 0.75L, 0, true}, kNoError},            // start at low
        {{0.5L, 0.25L, 3, 1, 1, true}, kErrInconsistentData},  // start below low
        {{0.5L, 3.5L, 3, 1, 1, true}, kErrInconsistentData},   // start above high
        {{2, 2, 2, 1, 1, true}, kErrInconsistentData},         // no interval
        {{0, 1, 3, 0, 1, true}, kErrInconsistentData},         // radius 0
        {{0, 1, 3, -2, 1, true}, kErrInconsistentData},        // radius below 0
        {{0, 1, 3, 1, NAN, true}, kErrInconsistentData},
        {{0, 1, INFINITY, 1, 1, true}, kErrInconsistentData},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CheckRoulette(row.settings), row.error)
            << (double)row.settings.low << " " << (double)row.settings.start << " "
            << (double)row.settings.radius;
}

TEST(RouletteFieldsTest, TheRecordKeepsTheNumbersAndTheSide) {
    TExample curve;
    curve.kind = k::kPolar;
    TExample e;
    FillRoulette(e, 3, curve, {-1, 0.5L, 4, 2, 3, false});
    EXPECT_EQ(e.derivation, examples::derived::kRoulette);
    EXPECT_EQ(e.parent[0], 3);
    EXPECT_EQ(e.subKind, k::kPolar);
    EXPECT_EQ(e.LeftSide(), 0);
    EXPECT_TRUE(
        AllNear({e.rangeLow[0], e.rangeHigh[0], e.Number(TNumber::kRouletteStart),
                 e.Number(TNumber::kRouletteRadius), e.Number(TNumber::kRouletteArm),
                 e.Number(TNumber::kRouletteCurvature), e.Number(TNumber::kRouletteArmRatio)},
                {-1, 4, 0.5L, 2, 3, 0.5L, 1.5L}, 0));
}

class RouletteDrawingTest : public plot2d::DrawerTest {
protected:
    // The roulette of the parametric curve (x, y) as the window builds it: the curve's trees.
    int Roulette(const char* x, const char* y, const TRouletteSettings& settings) {
        const int p = Add(k::kParametric, {x, y});
        TExample e;
        e.Init(k::kRoulette, 3, 50);
        FillRoulette(e, p, inventory[p], settings);
        for (const int t : {1, 2, 5, 6})
            e.Tree(t) = TExprNode::CopyTree(inventory[p].Tree(t).get());
        return inventory.Append(std::move(e));
    }
};

// Arm 0 follows the centre: inside a circle of radius 3 a circle of radius 1 keeps its centre on
// the circle of radius 2, outside on the circle of radius 4.
TEST_F(RouletteDrawingTest, ArmZeroTracesTheParallelAtTheRadius) {
    for (const auto& [left, distance] : {std::pair{true, 2.0L}, {false, 4.0L}}) {
        const int r = Roulette("3*COS(T)", "3*SIN(T)", {0, 1, kPi, 1, 0, left});
        Draw(r);
        ASSERT_FALSE(Curve().pieces.empty());
        plot2d::ExpectOnCurve(Curve(), plot2d::Ellipse({0, 0}, distance, distance), 0, kPi, 1e-9L);
    }
}

class EvoluteTest : public examples::CompileTest {
protected:
    int Evolute(int parent) {
        TExample e;
        e.kind = k::kParametric;
        FillEvolute(e, parent, inventory[parent]);
        const int i = inventory.Append(std::move(e));
        compiler.BuildEvolute(i);
        return i;
    }
};

TEST_F(EvoluteTest, CentresOfCurvatureOfCirclesAndAnEllipse) {
    const struct {
        const char *x, *y;
        Vec2 (*centre)(long double t);
    } rows[] = {
        {"COS(T)", "SIN(T)",
         [](long double) {
             return Vec2{0, 0};
         }},
        {"2+3*COS(T)", "3*SIN(T)-1",
         [](long double) {
             return Vec2{2, -1};
         }},
        {"2*COS(T)", "SIN(T)",
         [](long double t) {
             const long double c = std::cos(t), s = std::sin(t);
             return Vec2{1.5L * c * c * c, -3 * s * s * s};
         }},
    };
    for (const auto& row : rows) {
        const int evolute = Evolute(Add(k::kParametric, {row.x, row.y}));
        for (const long double t : {0.3L, 1.0L, 2.5L, 4.0L}) {
            const Vec2 c = row.centre(t);
            EXPECT_TRUE(AllNear({At(evolute, 1, t), At(evolute, 2, t)}, {c.x, c.y}, 1e-14L))
                << row.x << " at " << (double)t;
        }
    }
}

// A line has no centre of curvature: its evolute is undefined at every point, never infinite.
TEST_F(EvoluteTest, ALinesEvoluteIsUndefinedEverywhere) {
    const int line = Evolute(Add(k::kExplicit, {"", "2*X+1"}));
    const int segment = Evolute(Add(k::kParametric, {"1-T", "3*T"}));
    for (const int i : {line, segment})
        for (const long double t : {-2.0L, 0.0L, 1.5L})
            for (const int tree : {1, 2}) EXPECT_TRUE(std::isnan(At(i, tree, t))) << i << " " << t;
}

}  // namespace
}  // namespace quorlin::tools2d
