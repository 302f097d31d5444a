// The example record: what Init gives each kind, copies with and without their trees, the
// range text, the box, the density and the kind predicates.
#include "examples/records/example.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorlin::examples {
namespace {

TExample Made(int kind, int colour = 7, int tableSteps = 50) {
    TExample ex;
    ex.Init(kind, colour, tableSteps);
    return ex;
}

TEST(ExampleInit, KindDefaultsColourAndArrays) {
    struct Case {
        int kind, storedKind, colour;  // the colour after Init with colour 7
        std::int16_t familyDelay, webSteps;
        std::uint8_t lagrange;
        TArraySizes arrays;
    };
    const TArraySizes mesh{37 * 37, 37 * 37, 0, 37 * 37};  // the grid counts 36 x 36
    const Case cases[] = {{201, 201, 7, 50, 10, 0, {}},
                          {213, 201, 7, 50, 10, 1, {9, 0, 0, 0}},
                          {210, 210, 4, 0, 0, 0, {}},
                          {211, 211, 4, 0, 0, 0, {}},
                          {215, 215, 7, 0, 0, 0, {0, 0, 128, 0}},
                          {219, 219, 7, 0, 0, 0, {120, 24, 288, 0}},
                          {301, 301, 7, 0, 0, 0, mesh},
                          {305, 305, 7, 0, 0, 0, {}},
                          {307, 307, 7, 0, 0, 0, mesh}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const TExample ex = Made(c.kind, 7, 33);
        EXPECT_EQ(
            std::tuple(ex.kind, ex.pen.colour, ex.pen.width, ex.pen.style, ex.familyDelay,
                       ex.WebSteps(), ex.LagrangeForm(), ex.tableSteps),
            std::tuple(c.storedKind, c.colour, 1, 0, c.familyDelay, c.webSteps, c.lagrange, 33));
        EXPECT_EQ(
            (TArraySizes{ex.points.size(), ex.pixels.size(), ex.values.size(), ex.bytes.size()}),
            c.arrays);
    }
}

// A Lagrange copy keeps its nine points; a revolution of an implicit curve gets no mesh.
TEST(ExampleCopy, ArraysFollowTheKind) {
    TExample lagrange = Made(213);
    lagrange.points[8] = Vec3{1, 2, 3};
    TExample copy;
    copy.InitCopy(lagrange, true);
    ASSERT_EQ(copy.points.size(), 9u);
    EXPECT_EQ(std::tuple(copy.kind, copy.IsLagrangeExplicit(), copy.points[8].z),
              std::tuple(201, true, 3));
    TExample revolution = Made(307);
    revolution.subKind = 204;
    revolution.AllocArrays();
    copy.InitCopy(revolution, true);
    EXPECT_EQ(copy.subKind, 204);
    EXPECT_TRUE(copy.points.empty() && copy.bytes.empty());
}

// A mesh's storage follows its grid counts: rows (first + 1, or 2 first + 3 for a revolution
// whose ends are bound) times second + 1, at most 6000 points, nothing for negative counts.
TEST(ExampleMesh, StorageFollowsTheGridCounts) {
    struct Case {
        int kind, first, second;
        bool bound;
        std::size_t points;
    };
    const Case cases[] = {{301, 9, 11, false, 120},        {302, 1, 1, false, 4},
                          {303, 40, 145, false, 5986},     {315, 40, 149, false, 6000},
                          {307, 7, 13, true, 17 * 14},     {307, 7, 13, false, 8 * 14},
                          {306, 1500, 32767, false, 6000}, {316, -3, 20, false, 0},
                          {301, 12, -2, false, 0},         {310, 50, 50, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind * 100000 + c.first * 100 + c.second);
        TExample ex = Made(c.kind);
        ex.divisions[0] = static_cast<std::int16_t>(c.first);
        ex.divisions[1] = static_cast<std::int16_t>(c.second);
        ex.EndsBound() = c.bound ? 1 : 0;
        const TArraySizes sizes{c.points, c.points, 0, c.points};
        EXPECT_EQ(ex.ArraySizes(), sizes);
        ex.ReshapeArrays();
        EXPECT_EQ(
            (TArraySizes{ex.points.size(), ex.pixels.size(), ex.values.size(), ex.bytes.size()}),
            sizes);
        EXPECT_EQ(ex.ArrayMemory(), c.points * (sizeof(Vec3) + sizeof(TPixelPoint) + 1));
    }
}

// Counts changed after the arrays were given: fitting keeps the points that still fit and gives
// back the storage beyond; a copy takes the source's counts with its points.
TEST(ExampleMesh, FittingAndCopyingKeepThePoints) {
    TExample ex = Made(301);
    ex.divisions = {4, 5, 36};
    ex.ReshapeArrays();
    ASSERT_EQ(ex.points.size(), 30u);
    ex.points[29] = Vec3{1, 2, 3};
    ex.points[11] = Vec3{4, 5, 6};
    ex.divisions[0] = 1;
    ex.FitMeshStorage();
    EXPECT_EQ(std::tuple(ex.points.size(), ex.pixels.size(), ex.bytes.size(), ex.points[11].y,
                         ex.ArrayMemory()),
              std::tuple(12u, 12u, 12u, 5.0L, 12 * (sizeof(Vec3) + sizeof(TPixelPoint) + 1)));
    ex.divisions = {4, 5, 36};
    ex.points.resize(30);
    ex.points[29] = Vec3{1, 2, 3};
    TExample copy;
    copy.InitCopy(ex, true);
    EXPECT_EQ(
        std::tuple(copy.points.size(), copy.bytes.size(), copy.points[29].z, copy.points[11].x),
        std::tuple(30u, 30u, 3.0L, 4.0L));
    TExample plain = Made(201);
    plain.FitMeshStorage();
    EXPECT_EQ(plain.ArrayMemory(), 0u);
}

TEST(ExampleCopy, DeepCopyWithTreesAndLists) {
    TExample source = Made(210, 9);
    source.numbers[17] = 4.5L;
    source.Text(1) = "y";
    source.Tree(1) = TExprNode::NewConst(2);
    source.trajectories.emplace_back();
    source.trajectories[0].AllocTexts();
    source.trajectories[0].texts[0] = "1";
    source.trajectories[0].trees[0] = TExprNode::NewConst(1);
    source.markedPoints.push_back({5, {1, 2, 3, 4}, "p", 6});

    TExample copy;
    copy.InitCopy(source, true);
    EXPECT_EQ(std::tuple(copy.numbers[17], copy.Text(1)), std::tuple(4.5L, "y"));
    ASSERT_NE(copy.Tree(1), nullptr);
    EXPECT_NE(copy.Tree(1), source.Tree(1));
    ASSERT_EQ(copy.trajectories.size(), 1u);
    EXPECT_EQ(copy.trajectories[0].texts[0], "1");
    EXPECT_NE(copy.trajectories[0].trees[0].get(), source.trajectories[0].trees[0].get());
    EXPECT_EQ(copy.markedPoints, source.markedPoints);

    TExample textsOnly;
    textsOnly.InitCopy(source, false);
    EXPECT_EQ(textsOnly.Text(1), "y");
    EXPECT_TRUE(textsOnly.Tree(1) == nullptr && textsOnly.trajectories.empty());
}

TEST(ExampleText, SplitRangeText) {
    const struct {
        const char* text;
        TRangeTexts split;
    } cases[] = {{"a;b;c", {"a", "b;c"}},
                 {"-1;2", {"-1", "2"}},
                 {"5", {"0.0", "1.0"}},
                 {"", {"0.0", "1.0"}}};
    for (const auto& c : cases) {
        TExample ex = Made(201);
        ex.Text(7) = c.text;
        EXPECT_EQ(ex.SplitRangeText(), c.split) << c.text;
    }
}

TEST(ExampleBox, InBoxIsStrictAndDensityZeroSamplesAsOne) {
    TExample box = Made(301);
    EXPECT_TRUE(box.InBox(0.5L, 0.5L, 0.5L));
    EXPECT_FALSE(box.InBox(0, 0.5L, 0.5L) || box.InBox(0.5L, 1, 0.5L) || box.InBox(0.5L, 0.5L, 1));
    const struct {
        std::int16_t density;
        long double step;
    } cases[] = {{0, 0.5L}, {1, 0.5L}, {4, 0.125L}, {-3, 1.5L}};
    for (const auto& c : cases) {
        TExample ex;
        ex.density = c.density;
        EXPECT_EQ(ex.ScaledStep(0.5L), c.step) << c.density;
        EXPECT_NE(ex.StepDensity(), 0);
    }
}

TEST(ExamplePredicates, ByKindAndSubKind) {
    struct Case {
        int kind, subKind;
        bool mesh, meshNoImplicit, normals, implicit;
    };
    const Case cases[] = {
        {301, 0, true, true, false, false},   {303, 0, true, true, true, false},
        {305, 0, true, false, false, true},   {306, 0, true, true, true, false},
        {307, 201, true, true, true, false},  {307, 204, true, false, false, true},
        {315, 0, true, true, false, false},   {316, 0, true, true, true, false},
        {304, 0, false, false, false, false}, {201, 0, false, false, false, false}};
    for (const Case& c : cases) {
        TExample ex;
        ex.kind = static_cast<std::int16_t>(c.kind);
        ex.subKind = static_cast<std::int16_t>(c.subKind);
        SCOPED_TRACE(c.kind * 1000 + c.subKind);
        EXPECT_EQ(std::tuple(ex.IsMeshSurface(false), ex.IsMeshSurface(true),
                             ex.IsSurfaceWithNormals(), ex.IsImplicitSurface()),
                  std::tuple(c.mesh, c.meshNoImplicit, c.normals, c.implicit));
    }
}

TEST(ExamplePredicates, RangeText) {
    struct Case {
        int kind;
        std::uint8_t locked, periodic;
        bool range;
    };
    const Case cases[] = {{202, 0, 0, true}, {203, 0, 0, true},  {201, 0, 0, false},
                          {201, 1, 0, true}, {201, 0, 1, true},  {206, 0, 0, false},
                          {206, 1, 0, true}, {206, 0, 1, false}, {204, 1, 1, false}};
    for (const Case& c : cases) {
        TExample ex;
        ex.kind = static_cast<std::int16_t>(c.kind);
        ex.lockInterval = c.locked;
        ex.periodic = c.periodic;
        EXPECT_EQ(ex.HasRangeText(), c.range) << c.kind << int(c.locked) << int(c.periodic);
    }
}

}  // namespace
}  // namespace quorlin::examples
