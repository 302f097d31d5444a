#include "platform/text_codec.h"

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

}  // namespace
}  // namespace quorlin
