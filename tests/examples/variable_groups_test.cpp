// The coordinate groups of points: two bits per letter, the number of the last group that
// holds it.
#include "examples/variable_groups.h"

#include <gtest/gtest.h>

namespace quorlin::examples {
namespace {

TEST(VariableGroups, EncodeAndDecode) {
    const struct {
        const char* text;
        int code;
        const char* decoded;
    } cases[] = {
        {"X/Y", 1 + 2 * 4, "X/Y"},
        {"", 0, ""},
        {"xy z", 1 + 4 + 16, "XYZ"},
        {"XYZ/", 21, "XYZ"},
        {"//RT", (3 << 6) + (3 << 8), "//RT"},
        {"X/Y/Z/X", (2 << 2) + (3 << 4) + 3, "/Y/XZ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeVariableGroups(c.text), c.code) << c.text;
        EXPECT_EQ(DecodeVariableGroups(c.code), c.decoded) << c.text;
    }
}

}  // namespace
}  // namespace quorlin::examples
