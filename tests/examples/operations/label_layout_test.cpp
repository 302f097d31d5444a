// Placement of equation labels: the first at the top left, each next one a line lower, two
// lines up again near the bottom, and the home column.
#include <gtest/gtest.h>

#include "examples/operations/label_layout.h"

namespace quorlin::examples {
namespace {

// A view from -5 to 5 both ways at 0.025 units per pixel, labels 16 pixels high (0.4 units).
constexpr TLabelView kView{-5, -5, 5, 0.025L, 0.025L, 16};

TEST(LabelLayoutTest, PlacesNewLabelsBelowThePreviousOne) {
    struct Case {
        const char* name;
        std::optional<Vec2> previous;
        Vec2 expected;
    };
    const Case cases[] = {
        {"first label, 3 pixels from the corner", std::nullopt, {-4.925L, 4.925L}},
        {"one line below the previous", Vec2{-4.925L, 4.925L}, {-4.925L, 4.525L}},
        {"a dragged previous label", Vec2{1, 2}, {1, 1.6L}},
        {"just above the last line keeps going down", Vec2{0, -4.19L}, {0, -4.59L}},
        {"below bottom plus a line goes two lines up", Vec2{0, -4.3L}, {0, -3.9L}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Vec2 p = NewLabelPosition(kView, c.previous);
        EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(c.expected.x), 1e-15);
        EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(c.expected.y), 1e-15);
    }
}

TEST(LabelLayoutTest, HomePositionsFormAColumnInListOrder) {
    for (int k = 0; k < 4; ++k) {
        const Vec2 p = HomeLabelPosition(kView, k);
        EXPECT_NEAR(static_cast<double>(p.x), -4.925, 1e-15);
        EXPECT_NEAR(static_cast<double>(p.y), 4.925 - 0.4 * k, 1e-15);
    }
}

}  // namespace
}  // namespace quorlin::examples
