// The 60-byte font record byte for byte.
#include "shell/records/font_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FontRecord, SixtyBytesInTheStoredLayout) {
    // clang-format off
    const FontRecord f{.height = -13, .escapement = 900, .orientation = 900, .weight = 700,
                       .italic = 1, .outPrecision = 3, .clipPrecision = 2, .quality = 1,
                       .pitchAndFamily = 0x22, .faceName = "Arial"};
    Bytes expected = {
        0xf3, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0x84, 0x03, 0, 0, 0x84, 0x03, 0, 0, 0xbc, 0x02, 0, 0,
        1, 0, 0, 0, 3, 2, 1, 0x22, 'A', 'r', 'i', 'a', 'l'};
    // clang-format on
    expected.resize(60, 0);  // the face name's zeros
    ByteWriter out;
    f.Write(out);
    ASSERT_EQ(FontRecord::kByteSize, 60u);
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    FontRecord back;
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back, f);

    FontRecord longName;  // the face name is cut to its field
    longName.faceName = std::string(40, 'F');
    ByteWriter cut;
    longName.Write(cut);
    ByteReader cutIn(cut.Data());
    ASSERT_TRUE(back.Read(cutIn) && cutIn.AtEnd());
    EXPECT_EQ(back.faceName, std::string(31, 'F'));

    ByteReader shortIn{std::span(expected).first(59)};
    EXPECT_FALSE(back.Read(shortIn));
}

}  // namespace
}  // namespace quorlin
