// Combinations of two examples, by evaluating the trees they build: the five operations, the
// common range, compositions (maps with J and K among their letters), projections and cross
// products of fields, the buttons of the dialog for each pair of kinds, and a full inventory.
#include <cmath>
#include <string>

#include "core/errors.h"
#include "examples/compile_fixture.h"
#include "examples/records/derivation.h"
#include "support/all_near.h"
#include "tools2d/derived/combinations.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
namespace d = examples::derived;
using examples::TExample;
using quorlin::testing::AllNear;

constexpr long double kTolerance = 1e-15L;

class CombinationsTest : public examples::CompileTest {
protected:
    // An explicit curve y = text over [low, high].
    int Curve(const char* text, long double low, long double high) {
        return Add(k::kExplicit, {"", text}, [&](TExample& e) {
            e.rangeLow[0] = low;
            e.rangeHigh[0] = high;
        });
    }
    int Combine(int code, int f, int g) {
        TDeriveContext context{inventory, ctx, compiler};
        return AppendCombination(context, code, f, g);
    }
};

TEST_F(CombinationsTest, TheFiveOperationsCombineTreeByTreeOverTheCommonRange) {
    const struct {
        int code;
        long double (*value)(long double x);
    } rows[] = {
        {d::kSum, [](long double x) { return std::sin(x) + 2 + std::cos(x) + 3; }},
        {d::kDifference, [](long double x) { return std::sin(x) + 2 - (std::cos(x) + 3); }},
        {d::kProduct, [](long double x) { return (std::sin(x) + 2) * (std::cos(x) + 3); }},
        {d::kQuotient, [](long double x) { return (std::sin(x) + 2) / (std::cos(x) + 3); }},
        {d::kPower, [](long double x) { return std::pow(std::sin(x) + 2, std::cos(x) + 3); }},
    };
    const int f = Curve("SIN(X)+2", -5, 5);
    const int g = Curve("COS(X)+3", 0, 10);
    for (const auto& row : rows) {
        const int i = Combine(row.code, f, g);
        ASSERT_GE(i, 0) << row.code;
        EXPECT_EQ(Ex(i).derivation, row.code);
        EXPECT_EQ(std::pair(int{Ex(i).parent[0]}, int{Ex(i).parent[1]}), std::pair(f, g));
        EXPECT_EQ(std::pair(Ex(i).rangeLow[0], Ex(i).rangeHigh[0]), std::pair(0.0L, 5.0L));
        EXPECT_EQ(Ex(i).graphShown, 1);
        for (const long double x : {-4.5L, 0.25L, 1.5L, 3.0L})
            EXPECT_NEAR(At(i, 2, 0, 0, x), row.value(x), 1e-14L) << row.code << " " << x;
        // The derivative the drawers and tangents read follows the combined tree.
        EXPECT_NE(Ex(i).Tree(6), nullptr);
    }
}

TEST_F(CombinationsTest, RangesWithNothingInCommonGiveAHiddenExampleOnTheUnitInterval) {
    const int f = Curve("X", -5, -1);
    const int g = Curve("X^2", 2, 6);
    const int sum = Combine(d::kSum, f, g);
    ASSERT_GE(sum, 0);
    EXPECT_EQ(std::pair(Ex(sum).rangeLow[0], Ex(sum).rangeHigh[0]), std::pair(0.0L, 1.0L));
    EXPECT_EQ(Ex(sum).graphShown, 0);
}

// Parametric curves read their range from a text: the common range survives the evaluation of
// the range ends that follows every rebuild.
TEST_F(CombinationsTest, ACurveWithARangeTextKeepsTheCommonRange) {
    const int f = Add(k::kParametric, {"COS(T)", "SIN(T)", "", "", "", "", "-1;3"});
    const int g = Add(k::kParametric, {"T", "2*T", "", "", "", "", "0.5;7"});
    const int sum = Combine(d::kSum, f, g);
    ASSERT_GE(sum, 0);
    compiler.EvaluateRanges(sum);
    EXPECT_EQ(std::pair(Ex(sum).rangeLow[0], Ex(sum).rangeHigh[0]), std::pair(0.5L, 3.0L));
    EXPECT_TRUE(AllNear({At(sum, 1, 2), At(sum, 2, 2)}, {std::cos(2.0L) + 2, std::sin(2.0L) + 4},
                        kTolerance));
}

TEST_F(CombinationsTest, ProjectionAndPerpendicularPartOfPlaneFields) {
    const int f = Add(k::kSystem, {"X+2*Y", "X*Y-1"});
    const int g = Add(k::kSystem, {"Y+1", "2*X-3"});
    const int proj = Combine(d::kProjection, f, g);
    const int perp = Combine(d::kPerpendicular, f, g);
    ASSERT_GE(proj, 0);
    ASSERT_GE(perp, 0);
    for (const auto& [x, y] : {std::pair{0.5L, -1.25L}, {2.0L, 3.0L}, {-1.5L, 0.75L}}) {
        const long double f1 = x + 2 * y, f2 = x * y - 1, g1 = y + 1, g2 = 2 * x - 3;
        const long double q = (f1 * g1 + f2 * g2) / (g1 * g1 + g2 * g2);
        const long double p1 = At(proj, 1, 0, 0, x, y), p2 = At(proj, 2, 0, 0, x, y);
        const long double r1 = At(perp, 1, 0, 0, x, y), r2 = At(perp, 2, 0, 0, x, y);
        EXPECT_TRUE(AllNear({p1, p2}, {q * g1, q * g2}, 1e-14L)) << x;
        EXPECT_TRUE(AllNear({p1 + r1, p2 + r2}, {f1, f2}, 1e-14L)) << x;
        EXPECT_NEAR(r1 * g1 + r2 * g2, 0, 1e-13L) << x;
    }
    // Where g vanishes (x = 1.5, y = -1) both parts are undefined, not infinite.
    for (const int i : {proj, perp})
        for (const int tree : {1, 2}) EXPECT_TRUE(std::isnan(At(i, tree, 0, 0, 1.5L, -1))) << i;
}

TEST_F(CombinationsTest, SpaceFieldsGiveProjectionsAndCrossProducts) {
    ctx.dimension = 3;
    const int ex = Add(k::kSpaceSystem, {"1", "0", "0"});
    const int ey = Add(k::kSpaceSystem, {"0", "1", "0"});
    const int cross = Combine(142, ex, ey);
    ASSERT_GE(cross, 0);
    EXPECT_TRUE(AllNear({At(cross, 1, 0), At(cross, 2, 0), At(cross, 3, 0)}, {0, 0, 1}, 0));

    const int f = Add(k::kSpaceSystem, {"Y", "2*Z", "X-1"});
    const int g = Add(k::kSpaceSystem, {"Z+1", "X", "3"});
    const int fxg = Combine(142, f, g);
    const int perp = Combine(d::kPerpendicular, f, g);
    for (const auto& [x, y, z] : {std::tuple{1.0L, 2.0L, 0.5L}, {-2.0L, 0.25L, 3.0L}}) {
        const long double a[] = {y, 2 * z, x - 1}, b[] = {z + 1, x, 3};
        const auto at = [&](int i, int tree) { return At(i, tree, 0, 0, x, y, z); };
        EXPECT_TRUE(AllNear(
            {at(fxg, 1), at(fxg, 2), at(fxg, 3)},
            {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]},
            1e-14L));
        EXPECT_NEAR(at(perp, 1) * b[0] + at(perp, 2) * b[1] + at(perp, 3) * b[2], 0, 1e-13L);
    }
}

TEST_F(CombinationsTest, CompositionsOfCurvesAndMaps) {
    const int f = Curve("X^2+1", -5, 5);
    const int g = Curve("SIN(X)", -3, 2);
    const int fg = Combine(d::kComposition, f, g);
    ASSERT_GE(fg, 0);
    for (const long double x : {-2.5L, 0.5L, 1.75L})
        EXPECT_NEAR(At(fg, 2, 0, 0, x), std::sin(x) * std::sin(x) + 1, kTolerance);

    // F(G(z)) of complex maps, here at real z.
    const int big = Add(k::kComplexMap, {"Z^2+1"});
    const int small = Add(k::kComplexMap, {"2*Z-1"});
    const int fz = Combine(d::kComposition, big, small);
    ASSERT_GE(fz, 0);
    EXPECT_NEAR(At(fz, 1, 0, 0, 0, 0, 1.5L), 5, kTolerance);

    // Plane maps: x and y are replaced at once, and the parameters J and K stay parameters.
    ctx.SetVar('J' - '@', 2);
    ctx.SetVar('K' - '@', 3);
    const int u = Add(k::kPlaneMap, {"X*J+Y", "X-K*Y"});
    const int v = Add(k::kPlaneMap, {"X+Y", "X*Y"});
    const int uv = Combine(d::kComposition, u, v);
    ASSERT_GE(uv, 0);
    for (const auto& [x, y] : {std::pair{0.5L, -1.25L}, {2.0L, 3.0L}}) {
        const long double s = x + y, p = x * y;
        EXPECT_TRUE(AllNear({At(uv, 1, 0, 0, x, y), At(uv, 2, 0, 0, x, y)}, {s * 2 + p, s - 3 * p},
                            kTolerance));
    }
}

TEST_F(CombinationsTest, AMapAppliedToACurveIsACurveOverTheCurvesRange) {
    const int square = Add(k::kPlaneMap, {"X^2-Y^2", "2*X*Y"});
    const int circle = Add(k::kParametric, {"COS(T)", "SIN(T)", "", "", "", "", "0;2"});
    const int image = Combine(d::kComposition, square, circle);
    ASSERT_GE(image, 0);
    EXPECT_EQ(Ex(image).kind, k::kParametric);
    compiler.EvaluateRanges(image);
    EXPECT_EQ(std::pair(Ex(image).rangeLow[0], Ex(image).rangeHigh[0]), std::pair(0.0L, 2.0L));
    for (const long double t : {0.3L, 1.0L, 1.9L})
        EXPECT_TRUE(AllNear({At(image, 1, t), At(image, 2, t)}, {std::cos(2 * t), std::sin(2 * t)},
                            1e-15L));
}

// A complex map takes the curve's point as x(t) + i y(t); the image's coordinates are the real
// and imaginary parts.
TEST_F(CombinationsTest, AComplexMapAppliedToACurve) {
    ctx.complexMode = true;
    const int square = Add(k::kComplexMap, {"Z^2"});
    const int circle = Add(k::kParametric, {"COS(T)", "2*SIN(T)", "", "", "", "", "0;2"});
    const int image = Combine(d::kComposition, square, circle);
    ASSERT_GE(image, 0);
    for (const long double t : {0.3L, 1.0L, 1.9L}) {
        const long double x = std::cos(t), y = 2 * std::sin(t);
        EXPECT_TRUE(
            AllNear({At(image, 1, t), At(image, 2, t)}, {x * x - y * y, 2 * x * y}, 1e-15L));
    }
}

TEST_F(CombinationsTest, AFullInventoryTakesNoCombination) {
    ASSERT_TRUE(inventory.SetCapacity(1, false));
    const int f = Curve("X", -1, 1);
    const int g = Curve("X^2", -1, 1);
    ASSERT_FALSE(inventory.HasRoom());
    EXPECT_EQ(Combine(d::kSum, f, g), -kErrNoMoreRoom);
    EXPECT_EQ(inventory.Count(), 2);
}

// The surfaces whose trees are no single function add to nothing: no copy of f comes back as
// their sum.
TEST_F(CombinationsTest, SurfacesThatDoNotCombineAddNothing) {
    ctx.dimension = 3;
    for (const int kind :
         {k::kPolarSurface, k::kParametricSurface, k::kPlane, k::kSphericalSurface}) {
        inventory.Clear();
        const int f = Add(kind, {"1", "2", "3"});
        const int g = Add(kind, {"4", "5", "6"});
        EXPECT_EQ(Combine(d::kSum, f, g), -kErrInconsistentData) << kind;
        EXPECT_EQ(inventory.Count(), 2) << kind;
    }
}

TEST(CombineButtonsTest, EnablersByKindsAndDimension) {
    // One mark per button 751 752 753 754 755 756: '+' enabled.
    const struct {
        int dimension, k1, k2;
        const char* enabled;
    } rows[] = {
        {2, k::kExplicit, k::kExplicit,
         "+++++"
         "+"},
        {2, k::kExplicit, k::kPolar,
         "----"
         "--"},
        {2, k::kPolar, k::kPolar,
         "++++"
         "-+"},
        {2, k::kParametric, k::kParametric,
         "+++-"
         "--"},
        {2, k::kSystem, k::kSystem,
         "++++"
         "-+"},
        {2, k::kSequence, k::kSequence,
         "+++-"
         "--"},
        {2, k::kComplexMap, k::kParametric,
         "---"
         "-+-"},
        {2, k::kPlaneMap, k::kPlaneMap,
         "++++"
         "++"},
        {2, k::kComplexMap, k::kComplexMap,
         "++++"
         "++"},
        {3, k::kSurface, k::kSurface,
         "+++-"
         "--"},
        {3, k::kSpaceSystem, k::kSpaceSystem,
         "++++"
         "++"},
        {3, k::kSpaceSequence, k::kSpaceSequence,
         "+++-"
         "+-"},
        {3, k::kSpaceCurve, k::kSpaceCurve,
         "+++-"
         "--"},
        {3, k::kPolarSurface, k::kPolarSurface,
         "----"
         "--"},
        {3, k::kParametricSurface, k::kParametricSurface,
         "----"
         "--"},
        {3, k::kPlane, k::kPlane,
         "----"
         "--"},
        {3, k::kSphericalSurface, k::kSphericalSurface,
         "----"
         "--"},
    };
    for (const auto& row : rows) {
        std::string got;
        for (const int button : combine::kButtons)
            got += CombineButtonEnabled(button, row.k1, row.k2, row.dimension) ? '+' : '-';
        EXPECT_EQ(got, row.enabled) << row.dimension << " " << row.k1 << " " << row.k2;
    }
}

TEST(CombineButtonsTest, LabelsFollowTheKinds) {
    using combine::kCompose;
    using combine::kDivide;
    using combine::kPower;
    EXPECT_EQ(CombineButtonLabel(kDivide, k::kSystem, k::kSystem, 2), "f proj g");
    EXPECT_EQ(CombineButtonLabel(kPower, k::kSpaceSystem, k::kSpaceSystem, 3), "f perp g");
    EXPECT_EQ(CombineButtonLabel(kDivide, k::kSystem, k::kExplicit, 2), "f / g");
    EXPECT_EQ(CombineButtonLabel(kPower, k::kExplicit, k::kExplicit, 2), "f ^ g");
    EXPECT_EQ(CombineButtonLabel(kCompose, k::kExplicit, k::kExplicit, 2), "f <-- g");
    EXPECT_EQ(CombineButtonLabel(kCompose, k::kSpaceSystem, k::kSpaceSystem, 3), "f X g");
    // Every code a button makes has its row among the derived builders, and no other code is a
    // combination (a roulette is rebuilt by its window).
    for (const int code : {42, 43, 45, 47, 94, 142, 150, 151, 177}) {
        EXPECT_NE(FindDerivedBuilder(code), nullptr) << code;
        EXPECT_TRUE(IsCombinationCode(code)) << code;
    }
    EXPECT_EQ(std::size(kCombinationCodes), 9u);
    EXPECT_FALSE(IsCombinationCode(d::kRoulette));
    EXPECT_FALSE(IsCombinationCode(d::kReflectX));
    EXPECT_EQ(FindDerivedBuilder(d::kRoulette), nullptr);
}

}  // namespace
}  // namespace quorlin::tools2d
