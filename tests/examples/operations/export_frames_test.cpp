// The parameters an exported animation moves, read from the text the user gives.
#include <gtest/gtest.h>

#include "examples/operations/export_frames.h"

namespace quorlin::examples {
namespace {

TEST(ExportFramesTest, MarksTheLettersInUseAndTurnsOnly3DViews) {
    TSymbolBuffer symbols;
    symbols.MarkLetter(1);   // A
    symbols.MarkLetter(20);  // T
    struct Case {
        const char* text;
        bool threeD;
        int mode;
        std::vector<int> marked;
    };
    const std::vector<Case> cases = {
        {"a", false, kAnimationParameters, {1}},
        {"A,B,T", false, kAnimationParameters, {1, 20}},
        {"B", false, kAnimationNone, {}},    // no letter in use: nothing to animate
        {"xyz", false, kAnimationNone, {}},  // X-Z are no parameters
        {"vturn", true, kAnimationTurning, {20}},
        {"D:\\temp\\vturn", true, kAnimationTurning, {20}},
        {"/tmp/vturn", true, kAnimationTurning, {20}},
        {"vturn/A", true, kAnimationParameters, {1, 20}},  // the name part is "A"
        {"vturn\\A", true, kAnimationParameters, {1, 20}},
        {"vturn", false, kAnimationNone, {}}  // a 2D window does not turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TFrameParameters p = MarkFrameParameters(c.text, c.threeD, symbols);
        EXPECT_EQ(p.mode, c.mode);
        std::vector<int> marked;
        for (int k = 0; k < 27; ++k)
            if (p.marks[static_cast<std::size_t>(k)]) marked.push_back(k);
        EXPECT_EQ(marked, c.marked);
    }
}

TEST(ExportFramesTest, FramesRunFromTheLeftToTheRightEnd) {
    EXPECT_EQ(FrameValue(-1, 3, 0, 2), -1);
    EXPECT_EQ(FrameValue(-1, 3, 1, 2), 3);
    EXPECT_EQ(FrameValue(0, 10, 3, 6), 6);
    EXPECT_EQ(FrameValue(2, 5, 0, 1), 2);
}

}  // namespace
}  // namespace quorlin::examples
