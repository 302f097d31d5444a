// The rule that fits a pasted picture into the window.
#include "canvas/pasted_picture.h"

#include <gtest/gtest.h>

namespace quorlin::canvas {
namespace {

TEST(PastedPicture, FitKeepsTheAspectRatio) {
    const QSize client(400, 300);
    EXPECT_EQ(FitPastedSize({100, 50}, {10, 10}, client), QSize(100, 50));
    // Too wide: the width shrinks to the space, the height follows; then too high as well.
    EXPECT_EQ(FitPastedSize({400, 200}, {200, 0}, client), QSize(200, 100));
    EXPECT_EQ(FitPastedSize({400, 400}, {100, 250}, client), QSize(50, 50));
    EXPECT_TRUE(FitPastedSize({0, 50}, {0, 0}, client).isEmpty());
    EXPECT_TRUE(FitPastedSize({50, 50}, {400, 0}, client).isEmpty());
}

}  // namespace
}  // namespace quorlin::canvas
