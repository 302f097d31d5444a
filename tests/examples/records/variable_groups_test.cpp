// The packed variable roles of an example: letters by the last "/"-group holding them.
#include <gtest/gtest.h>

#include "examples/records/variable_groups.h"

namespace quorlin::examples {
namespace {

TEST(VariableGroupsTest, EncodesEachLetterByItsLastGroup) {
    struct Case {
        const char* text;
        int code;
    };
    const Case cases[] = {
        {"", 0},
        {"X/Y", 1 | 2 << 2},
        {"x / y", 1 | 2 << 2},  // case and blanks do not count
        {"XYZRTP", 0b010101010101},
        {"T/X/P", 2 | 1 << 8 | 3 << 10},
        {"X/X", 2},      // the last group holding X wins
        {"a/b/c/X", 3},  // a third '/' belongs to group 3
        {"QW", 0}        // other letters are ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EncodeVariableGroups(c.text), c.code);
    }
}

TEST(VariableGroupsTest, DecodesGroupsThatHoldALetter) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {{0, ""},
                          {1 | 2 << 2, "X/Y"},
                          {1 | 1 << 8, "XT"},
                          {3 << 2 * 1, "//Y"},
                          {1 | 3 << 2 * 2, "X//Z"},
                          {2 << 2 * 3, "/R"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(DecodeVariableGroups(c.code), c.text);
        EXPECT_EQ(EncodeVariableGroups(DecodeVariableGroups(c.code)), c.code);
    }
}

}  // namespace
}  // namespace quorlin::examples
