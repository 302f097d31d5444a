// Strokes of the free-hand sketch: erasing the only stroke, erasing one between others. (What a
// click and a drag record is the window's test.)
#include <gtest/gtest.h>

#include "examples/records/sketch.h"

namespace quorlin::examples {
namespace {

// A stroke through the points, its last point in the end record.
void Stroke(SketchList& list, std::initializer_list<Vec2> points, std::uint32_t colour) {
    BeginStroke(list, {colour, 2, 0});
    std::size_t k = 0;
    for (Vec2 p : points) AddStrokePoint(list, p, ++k == points.size());
}

TEST(SketchTest, ErasingTakesWholeStrokesAndKeepsTheOthers) {
    SketchList only;
    Stroke(only, {{0, 0}, {2, 0}, {4, 0}, {4, 0}}, 1);
    EXPECT_FALSE(EraseStrokeNear(only, {1, 0.5L}, 0.3L));  // too far
    EXPECT_TRUE(EraseStrokeNear(only, {3, 0.1L}, 0.3L));
    EXPECT_TRUE(only.empty());

    SketchList three;
    Stroke(three, {{0, 0}, {4, 0}, {4, 0}}, 1);
    Stroke(three, {{0, 1}, {4, 1}, {4, 1}}, 2);
    Stroke(three, {{0, 2}, {4, 2}, {4, 2}}, 3);
    SketchList first(three.begin(), three.begin() + 4), last(three.begin() + 8, three.end());
    ASSERT_TRUE(EraseStrokeNear(three, {2, 1.1L}, 0.3L));
    ASSERT_EQ(three.size(), 8u);
    EXPECT_EQ(SketchList(three.begin(), three.begin() + 4), first);
    EXPECT_EQ(SketchList(three.begin() + 4, three.end()), last);
    // The foot must lie inside a segment: beyond the stroke's end nothing is hit.
    EXPECT_FALSE(EraseStrokeNear(three, {4.1L, 2}, 0.3L));
}

}  // namespace
}  // namespace quorlin::examples
