#include "core/text_helpers.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

TEST(TextHelpers, RemovingAndAppending) {
    std::string s = "a\r\nb\nc\r";
    RemoveCRLF(s);
    EXPECT_EQ(s, "abc");
    StrCat8(s, "+", std::string("z"), "", "!");
    EXPECT_EQ(s, "abc+z!");
}

TEST(TextHelpers, PadToWidthPadsLeftAndCutsLongTexts) {
    std::string s = "12";
    PadToWidth(5, s, '0');
    EXPECT_EQ(s, "00012");
    s = "123456";
    PadToWidth(3, s, ' ');
    EXPECT_EQ(s, "123");
    PadToWidth(-1, s, ' ');
    EXPECT_EQ(s, "");
}

TEST(TextHelpers, FileNamePartsAndCompanionBitmap) {
    EXPECT_EQ(FileNameOnly("C:\\dir\\sub\\pic.v1.qz2", false), "pic.v1.qz2");
    EXPECT_EQ(FileNameOnly("C:\\dir\\sub\\pic.v1.qz2", true), "pic.v1");
    EXPECT_EQ(FileNameOnly("/home/u/dir.x/plain", true), "plain");
    EXPECT_EQ(FileNameOnly("A:name.qz3", false), "name.qz3");

    EXPECT_EQ(BitmapFileName("/home/u/pic.qz2"), "/home/u/pic1.bmp");
    EXPECT_EQ(BitmapFileName("a.b.qz2"), "a.b1.bmp");
    EXPECT_FALSE(BitmapFileName("/home/u/dir.x/plain").has_value());
    EXPECT_FALSE(BitmapFileName("plain").has_value());
}

TEST(TextHelpers, SplitCommaListTakesTheFirstFields) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommaList("1,2,3", 2), (V{"1", "2"}));
    EXPECT_EQ(SplitCommaList("a,,c", 3), (V{"a", "", "c"}));
    EXPECT_EQ(SplitCommaList("a", 3), (V{"a", "", ""}));
    EXPECT_EQ(SplitCommaList("1,2,3,4,5,6,7,8", 9).size(), 6u);
    EXPECT_EQ(SplitCommaList("sin(x),t", 2), (V{"sin(x)", "t"}));
}

}  // namespace
}  // namespace quorlin
