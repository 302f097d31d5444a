#include "shell/text_helpers.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

TEST(Windows1252, EveryByteRoundTripsAndTheSpecialRangeMapsToUnicode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80].unicode(), 0x20ac);  // euro sign
    EXPECT_EQ(text[0x8a].unicode(), 0x0160);
    EXPECT_EQ(text[0x99].unicode(), 0x2122);
    EXPECT_EQ(text[0x9f].unicode(), 0x0178);
    EXPECT_EQ(text[0x81].unicode(), 0x0081);  // undefined bytes keep their value
    EXPECT_EQ(text[0xe9].unicode(), 0x00e9);
    EXPECT_EQ(ToWindows1252(text), all);
}

TEST(Windows1252, RefusesCharactersWithoutAnEightBitForm) {
    EXPECT_FALSE(ToWindows1252(QString::fromUtf8("x = \xe4\xb8\xad")).has_value());  // CJK
    EXPECT_FALSE(ToWindows1252(QString(QChar(0x0100))).has_value());
    EXPECT_FALSE(ToWindows1252(QString(QChar(0x0080))).has_value());  // byte 0x80 is the euro
    EXPECT_FALSE(ToWindows1252(QString::fromUtf8("\xf0\x9f\x98\x80")).has_value());  // emoji
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("\xe2\x82\xac 5")), std::string("\x80 5"));
}

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
