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
    const TArraySizes mesh{6000, 6000, 0, 6000};
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
