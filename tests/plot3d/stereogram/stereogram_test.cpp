// The stereogram's geometry, the place of a dot's repeat, the density of the starts with a fixed
// random source, and whole drawings into a recording sink with a scripted key poll.
#include "plot3d/stereogram/stereogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/random.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;
using examples::TInventory;
using examples::TStereogramSettings;

constexpr long double kEps = 1e-15L;

// A fixed source of the random numbers: a linear congruential sequence.
class FixedRandom {
public:
    explicit FixedRandom(std::uint32_t seed = 12345) : state_(seed) {
        SetRandomSource([this] {
            state_ = state_ * 1103515245u + 12345u;
            return static_cast<int>((state_ >> 1) & 0x7fffffff);
        });
    }
    ~FixedRandom() { SetRandomSource({}); }

private:
    std::uint32_t state_;
};

// Every dot, and the guide dots apart, in the order drawn.
struct RecordingSink : TDotSink {
    struct Dot {
        int px, py;
    };
    void Dot(int px, int py) override { dots.push_back({px, py}); }
    void GuideDot(int px, int py) override { guides.push_back({px, py}); }
    void BeginSurface(int i) override { surfaces.push_back(i); }
    std::vector<struct Dot> dots;
    std::vector<struct Dot> guides;
    std::vector<int> surfaces;
};

// A surface of a given height everywhere (or undefined everywhere), over a z range.
struct FlatSurface : TStereoSurface {
    FlatSurface(long double z, long double low, long double high, bool defined = true)
        : z_(z), low_(low), high_(high), defined_(defined) {}
    bool Height(long double, long double, long double& z) override {
        z = z_;
        return defined_;
    }
    long double LowestZ() const override { return low_; }
    long double HighestZ() const override { return high_; }
    long double z_, low_, high_;
    bool defined_;
};

TBox3 Box(Vec3 min, Vec3 max) {
    return {min, max};
}

TEST(StereoGeometryTest, CellsColumnsRowsAndScalesFollowTheImageAndTheBox) {
    const struct {
        int width, height, dotSize, strips;
        long double depth;
        TBox3 box;
        int cell, columns, rows, strip;  // strip: columns per strip
    } rows[] = {
        {400, 300, 1, 8, 0.75L, Box({-3, -2, -1}, {3, 2, 1}), 2, 200, 148, 25},
        {601, 450, 3, 7, 1.5L, Box({1, 4, -5}, {9, 10, 3}), 6, 100, 73, 14},
        // More strips than columns: one column per strip.
        {9, 40, 2, 50, 0.5L, Box({0, 0, 0}, {2, 1, 4}), 4, 2, 8, 1},
    };
    for (const auto& row : rows) {
        const TStereogramSettings settings{60, static_cast<std::int16_t>(row.strips),
                                           static_cast<std::int16_t>(row.dotSize), row.depth};
        const TStereoGeometry g = StereoGeometry(settings, row.width, row.height, row.box);
        ASSERT_TRUE(g.Drawable()) << row.width;
        EXPECT_EQ(g.cell, row.cell);
        EXPECT_EQ(g.columns, row.columns);
        EXPECT_EQ(g.rows, row.rows);
        const long double wx = row.box.max.x - row.box.min.x;
        const long double wy = row.box.max.y - row.box.min.y;
        const long double hz = row.box.max.z - row.box.min.z;
        const int strips = std::min(row.strips, row.columns);
        EXPECT_EQ(g.strips, strips);
        EXPECT_NEAR(g.columnStep, wx / (row.columns - 1), kEps);
        EXPECT_NEAR(g.xScale, row.width / wx, 1e-12L);
        EXPECT_NEAR(g.strip, g.columnStep * row.strip, kEps);
        EXPECT_EQ(g.repeats, 3 * strips);
        EXPECT_NEAR(g.rowStep, wy * row.cell / row.height, kEps);
        EXPECT_NEAR(g.depthFactor, wx * row.depth / ((hz + 1e-16L) * strips), 1e-12L);
        EXPECT_NEAR(g.centre.z, (row.box.min.z + row.box.max.z) / 2, kEps);
    }
}

TEST(StereoGeometryTest, DegeneratePicturesDrawNothingAndEnd) {
    const TBox3 box = Box({-1, -1, 0}, {1, 1, 1});
    const struct {
        const char* name;
        int width, height, dotSize;
        TBox3 box;
    } rows[] = {
        {"one column", 2, 100, 1, box},
        {"no column", 1, 100, 1, box},
        {"one column of big dots", 7, 100, 3, box},
        {"no row", 100, 3, 1, box},
        {"no row of big dots", 100, 11, 3, box},
        {"no width", 0, 0, 1, box},
        {"negative size", -40, -40, 1, box},
        {"no flagged surface", 400, 300, 1, TBox3::Empty()},
        {"a box without width", 400, 300, 1, Box({1, -1, 0}, {1, 1, 1})},
    };
    const FixedRandom random;
    for (const auto& row : rows) {
        const TStereoGeometry g = StereoGeometry(
            {99, 8, static_cast<std::int16_t>(row.dotSize), 0.75L}, row.width, row.height, row.box);
        EXPECT_FALSE(g.Drawable()) << row.name;
        FlatSurface surface(0.5L, 0, 1);
        RecordingSink sink;
        EXPECT_EQ(DrawStereoSurface(g, surface, 99, 1, 0, sink, {}), 0) << row.name;
        DrawGuideDots(g, sink);
        EXPECT_TRUE(sink.dots.empty()) << row.name;
        EXPECT_TRUE(sink.guides.empty()) << row.name;
    }
}

TEST(NextRepeatTest, TheSeparationFollowsTheHeightAndNeverFallsBelowAColumn) {
    // Box x in [0, 10], z in [-2, 4]: centre z 1.
    const TStereoGeometry g =
        StereoGeometry({60, 5, 1, 0.75L}, 400, 300, Box({0, -1, -2}, {10, 1, 4}));
    const long double s = g.strip;
    const long double k = g.depthFactor;
    const struct {
        const char* name;
        FlatSurface surface;
        long double separation;
    } rows[] = {
        {"at the centre's height", {1, -2, 4}, s},
        {"at the top", {4, -2, 4}, s - k * 3},
        {"at the bottom", {-2, -2, 4}, s + k * 3},
        {"above its range: held to the top", {9, -2, 4}, s - k * 3},
        {"below its own range: held to it", {-2, 0, 3}, s + k * 1},
        {"undefined: the box's top", {0, -2, 4, false}, s - k * 3},
    };
    for (const auto& row : rows) {
        FlatSurface surface = row.surface;
        EXPECT_NEAR(NextRepeat(g, surface, 2.5L, 0.25L) - 2.5L, row.separation, 1e-15L) << row.name;
    }
    // Depth 2 would make the separation at the top 0, depth 3 negative: a column step instead.
    for (const long double depth : {2.0L, 3.0L, 40.0L}) {
        const TStereoGeometry deep =
            StereoGeometry({60, 5, 1, depth}, 400, 300, Box({0, -1, -2}, {10, 1, 4}));
        FlatSurface top(4, -2, 4);
        EXPECT_NEAR(NextRepeat(deep, top, 2.5L, 0) - 2.5L, deep.columnStep, 1e-15L) << depth;
    }
}

TEST(DotStartTest, TheDensityIsTheShareOfStartsWithADot) {
    const FixedRandom random;
    for (const int density : {1, 60, 99}) {
        int starts = 0;
        for (int n = 0; n < 20000; ++n) starts += IsDotStart(density) ? 1 : 0;
        EXPECT_NEAR(starts / 20000.0, density / 100.0, 0.02) << density;
    }
}

TEST(DrawStereoSurfaceTest, RowsDotsAndTheirRepeatsLieOnTheGridAndInTheImage) {
    const FixedRandom random;
    const TStereoGeometry g =
        StereoGeometry({99, 8, 1, 0.75L}, 400, 300, Box({-3, -2, -1}, {3, 2, 1}));
    FlatSurface surface(0, -1, 1);  // at the centre: every repeat one strip (25 columns) on
    RecordingSink sink;
    EXPECT_EQ(DrawStereoSurface(g, surface, 99, 2, 0, sink, [] { return 0; }), 0);
    ASSERT_FALSE(sink.dots.empty());
    int lastRow = 0;
    for (const auto& dot : sink.dots) {
        ASSERT_EQ(dot.py % 2, 0);
        ASSERT_GE(dot.px, 0);
        ASSERT_LE(dot.px + 1, 400);
        lastRow = std::max(lastRow, dot.py);
    }
    EXPECT_EQ(lastRow, 148 * 2);
    // The first start lies in the first strip; its copies follow one strip apart, each where
    // the box-to-pixel scale puts it, up to the image's edge.
    const auto first = sink.dots.front();
    int column = 0;
    while (std::lround(g.xScale * column * g.columnStep) != first.px) ++column;
    ASSERT_LT(column, 25);
    std::size_t n = 0;
    for (;; ++n) {
        const long px = std::lround(g.xScale * (column * g.columnStep + n * g.strip));
        if (px + 1 > 400) break;
        ASSERT_LT(n, sink.dots.size());
        EXPECT_EQ(sink.dots[n].px, px) << n;
        EXPECT_EQ(sink.dots[n].py, 0) << n;
    }
    EXPECT_EQ(n, 8u);
}

// An inventory of one flagged z = x y over [-1, 1]^2 (z in [-1, 1]) and one unflagged.
class DrawStereogramTest : public ::testing::Test {
protected:
    DrawStereogramTest() {
        Add(305, "X*Y", false);
        Add(301, "X*Y", true);
        Add(301, "X+Y", false);
        geometry = StereoGeometry({60, 8, 1, 0.75L}, 400, 300, StereoBox(inventory));
    }
    void Add(int kind, const char* text, bool flagged) {
        TExample e;
        e.Init(kind, 3, 50);
        ASSERT_EQ(f.Parse(text), 0);
        e.Tree(3) = f.TakeParseResult();
        e.boxMin = {-1, -1, -1};
        e.boxMax = {1, 1, 1};
        e.StereogramFlag() = flagged ? 1 : 0;
        inventory.Append(std::move(e));
    }
    FormulaContext f;
    TInventory inventory;
    TStereoGeometry geometry;
    FixedRandom random;
};

TEST_F(DrawStereogramTest, QAfterTheFourthRowKeepsTheGuideDotsAndAnswers81) {
    const struct {
        int key;
        int result;
        int lastRow;  // pixel row of the last dots
    } rows[] = {
        {81, 81, 3 * 2},
        {'A', 0, 148 * 2},
        {0, 0, 148 * 2},
    };
    for (const auto& row : rows) {
        int polls = 0;
        RecordingSink sink;
        const int result = DrawStereogram(geometry, inventory, f, 60, 1.1L, 0, sink,
                                          [&] { return ++polls == 4 ? row.key : 0; });
        EXPECT_EQ(result, row.result) << row.key;
        EXPECT_EQ(sink.surfaces, std::vector<int>{1}) << row.key;
        int lastRow = 0;
        for (const auto& dot : sink.dots) lastRow = std::max(lastRow, dot.py);
        EXPECT_EQ(lastRow, row.lastRow) << row.key;
        // The guide dots: on the row a cell above the bottom, one strip (50 px) apart about the
        // centre column.
        ASSERT_EQ(sink.guides.size(), 2u) << row.key;
        EXPECT_EQ(sink.guides[0].py, 298);
        EXPECT_EQ(sink.guides[1].py, 298);
        EXPECT_EQ(sink.guides[0].px, 175);
        EXPECT_EQ(sink.guides[1].px, 225);
    }
}

TEST_F(DrawStereogramTest, NoFlaggedSurfaceDrawsNothingNotEvenTheGuideDots) {
    inventory[1].StereogramFlag() = 0;
    const TBox3 box = StereoBox(inventory);
    EXPECT_TRUE(box.IsEmpty());
    const TStereoGeometry g = StereoGeometry({60, 8, 1, 0.75L}, 400, 300, box);
    RecordingSink sink;
    EXPECT_EQ(DrawStereogram(g, inventory, f, 60, 1, 0, sink, {}), 0);
    EXPECT_TRUE(sink.dots.empty());
    EXPECT_TRUE(sink.guides.empty());
}

TEST_F(DrawStereogramTest, APolarSurfaceTakesTheRadiusAndAngleOfThePoint) {
    TExample e;
    e.Init(302, 3, 50);
    ASSERT_EQ(f.Parse("R*T"), 0);
    e.Tree(3) = f.TakeParseResult();
    e.boxMin = {-5, -5, -20};
    e.boxMax = {5, 5, 20};
    TExampleHeight height(f, e);
    const struct {
        long double x, y, z;
    } rows[] = {
        {3, 4, 5 * std::atan2(4.0L, 3.0L)},
        {-1, 1, std::sqrt(2.0L) * 3 * std::atan(1.0L)},
        {0, -2, 2 * -std::atan(1.0L) * 2},
    };
    for (const auto& row : rows) {
        long double z = 0;
        ASSERT_TRUE(height.Height(row.x, row.y, z));
        EXPECT_NEAR(z, row.z, 1e-15L) << row.x << "," << row.y;
    }
    EXPECT_EQ(height.LowestZ(), -20);
    EXPECT_EQ(height.HighestZ(), 20);
}

}  // namespace
}  // namespace quorlin::plot3d
