// The implicit-regions tool's model: curves become inequalities and back, with their texts and
// colours; the region modes; the rule of the list buttons; the dart count as typed; and darts
// from a fixed random source against discs: the centroid of one disc within three standard
// errors of its centre, of two overlapping discs on their axis inside the lens, and of one of
// them chosen alone, its own centre.
#include "tools2d/regions/region_model.h"

#include <cmath>
#include <tuple>

#include "core/errors.h"
#include "core/random.h"
#include "examples/compile_fixture.h"
#include "plot2d/shading.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;

class RegionModelTest : public examples::CompileTest {
protected:
    ~RegionModelTest() override { SetRandomSource({}); }

    // The disc of radius r about (cx, cy) as the implicit curve (x-cx)^2 + (y-cy)^2 = r^2.
    int Disc(long double cx, long double cy, long double r) {
        char f[96];
        std::snprintf(f, sizeof f, "%Lg-((x-%Lg)^2+(y-%Lg)^2)", r * r, cx, cy);
        return Add(k::kImplicit, {"", "", f});
    }
    // A fixed source: the same sequence on every run.
    void FixRandom(std::uint64_t seed) {
        SetRandomSource([state = seed]() mutable {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            return static_cast<int>((state >> 33) & static_cast<std::uint64_t>(kRandomMax));
        });
    }
    // Whether the throw's centroid lies within three standard errors of (x, y): each coordinate
    // of a point of a disc of radius 1 has variance 1/4, of a lens in it less.
    static ::testing::AssertionResult CentroidNear(const plot2d::TDartThrow& darts, long double x,
                                                   long double y) {
        if (!darts.centroid) return ::testing::AssertionFailure() << "no centroid";
        const long double reach =
            3 * std::sqrt(0.25L / static_cast<long double>(darts.hitCount));
        const Vec2 c = *darts.centroid;
        if (std::fabs(c.x - x) <= reach && std::fabs(c.y - y) <= reach)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "centroid (" << static_cast<double>(c.x) << ", " << static_cast<double>(c.y)
               << "), reach " << static_cast<double>(reach);
    }
    plot2d::TDartThrow Throw(long long count, int region) {
        return plot2d::ThrowDarts(ctx, inventory, plot2d::TPlotSpace::Over(-5, 5, -5, 5, 401, 401),
                                  count, region);
    }
};

TEST_F(RegionModelTest, CurvesBecomeInequalitiesAndBack) {
    const int line = Add(k::kExplicit, {"", "x"});
    const int a = Disc(0, 0, 1);
    const int b = Disc(2, 0, 1);
    EXPECT_EQ(ImplicitExamples(inventory), (std::vector<int>{a, b}));
    EXPECT_TRUE(InequalityExamples(inventory).empty());
    EXPECT_FALSE(SetSide(inventory, line, kLessThan, 9));  // not an implicit curve
    ASSERT_TRUE(SetSide(inventory, a, kLessThan, 9));
    ASSERT_TRUE(SetSide(inventory, b, kGreaterThan, 12));
    EXPECT_EQ(std::tuple(Ex(a).subKind, Ex(a).listing, Ex(b).subKind, Ex(b).listing),
              std::tuple(1, 9, -1, 12));
    EXPECT_EQ(InequalityExamples(inventory), (std::vector<int>{a, b}));
    // Back to an equation: it keeps its colour for the next time.
    ASSERT_TRUE(SetSide(inventory, a, kEquation, 30));
    EXPECT_EQ(std::pair(Ex(a).subKind, Ex(a).listing), std::pair(std::int16_t{0}, std::int16_t{9}));
    EXPECT_EQ(InequalityExamples(inventory), (std::vector<int>{b}));
    SetSide(inventory, a, kLessThan, 9);
    EXPECT_EQ(ClearSides(inventory), 2);
    EXPECT_TRUE(InequalityExamples(inventory).empty());
    EXPECT_EQ(ClearSides(inventory), 0);
}

TEST(RegionModel, TextsModesListRuleAndCount) {
    const struct {
        const char* text;
        int side;
        const char* shown;
    } texts[] = {{"x^2+y^2=1", 1, "x^2+y^2<1"},
                 {"x^2+y^2=1", -1, "x^2+y^2>1"},
                 {"x^2+y^2=1", 0, "x^2+y^2=1"},
                 {"y=x=1", 1, "y<x=1"},  // only the first sign
                 {"x", 1, "x"}};
    for (const auto& row : texts) EXPECT_EQ(InequalityText(row.text, row.side), row.shown);

    const struct {
        bool centroid, intersect;
        int mode;
    } modes[] = {{false, true, 0}, {true, true, 1}, {false, false, 2}, {true, false, 3}};
    for (const auto& row : modes) {
        EXPECT_EQ(RegionMode(row.centroid, row.intersect), row.mode);
        EXPECT_EQ(std::pair(CentroidOfMode(row.mode), IntersectOfMode(row.mode)),
                  std::pair(row.centroid, row.intersect));
    }

    const struct {
        int count, selected, error, position;
    } lists[] = {{0, -1, kErrNothingToDo, -1}, {0, 0, kErrNothingToDo, -1},
                 {1, -1, kNoError, 0},         {3, -1, kErrMakeSelection, -1},
                 {3, 2, kNoError, 2},          {3, 3, kErrMakeSelection, -1}};
    for (const auto& row : lists) {
        int position = -1;
        EXPECT_EQ(ListSelection(row.count, row.selected, position), row.error) << row.count;
        EXPECT_EQ(position, row.position) << row.count << " " << row.selected;
    }

    FormulaContext ctx;
    const struct {
        const char* text;
        int error, count;
    } counts[] = {{"2500", kNoError, 2500},
                  {"2*50", kNoError, 100},
                  {"1", kNoError, 1},
                  {"0", kErrPositiveValue, -7},
                  {"-3", kErrPositiveValue, -7},
                  {"many", kErrPositiveValue, -7},
                  {"", kErrPositiveValue, -7}};
    for (const auto& row : counts) {
        int count = -7;
        EXPECT_EQ(ReadDartCount(ctx, row.text, count), row.error) << row.text;
        EXPECT_EQ(count, row.count) << row.text;
    }
}

TEST_F(RegionModelTest, DartsFindTheCentroidsOfDiscsAndTheirLens) {
    const int a = Disc(1, 2, 1);
    SetSide(inventory, a, kLessThan, 9);
    FixRandom(11);
    const plot2d::TDartThrow one = Throw(40000, -1);
    EXPECT_TRUE(CentroidNear(one, 1, 2));
    // About pi / 100 of the view.
    EXPECT_NEAR(static_cast<double>(one.hitCount) / 40000, M_PI / 100, 0.003);

    // A second disc about (2, 2): the lens between them lies about x = 1.5, y = 2.
    const int b = Disc(2, 2, 1);
    SetSide(inventory, b, kLessThan, 12);
    FixRandom(12);
    const plot2d::TDartThrow lens = Throw(200000, -1);
    EXPECT_TRUE(CentroidNear(lens, 1.5L, 2));
    for (const Vec2 p : lens.hits) {
        ASSERT_LE(std::hypot(p.x - 1, p.y - 2), 1 + 1e-12L);
        ASSERT_LE(std::hypot(p.x - 2, p.y - 2), 1 + 1e-12L);
    }
    // Only the second region chosen: its own centre.
    FixRandom(13);
    const plot2d::TDartThrow second = Throw(40000, b);
    ASSERT_TRUE(CentroidNear(second, 2, 2));
    // The same source gives the same throw.
    FixRandom(13);
    const plot2d::TDartThrow repeated = Throw(40000, b);
    ASSERT_TRUE(repeated.centroid);
    EXPECT_EQ(std::pair(repeated.centroid->x, repeated.centroid->y),
              std::pair(second.centroid->x, second.centroid->y));
}

}  // namespace
}  // namespace quorlin::tools2d
