#include "shell/records/file_head.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

// Whether a window takes the file's kind and version is checked through a window's load.
TEST(FileHead, IsTwentyLittleEndianWords) {
    ByteWriter out;
    TFileHead head = TFileHead::Make(kKind3D, kProgramVersion);
    head.fields[19] = -2;
    head.Write(out);
    std::vector<std::uint8_t> expected(80, 0);
    expected[0] = 0xc1;  // 961
    expected[1] = 0x03;
    expected[4] = 41;
    expected[76] = 0xfe;
    expected[77] = expected[78] = expected[79] = 0xff;
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    TFileHead back;
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back.Kind(), 961);
    EXPECT_EQ(back.Version(), 41);
    EXPECT_EQ(back.fields[19], -2);
    EXPECT_TRUE(in.AtEnd());
    ByteReader shortIn{std::span(expected).first(79)};
    EXPECT_FALSE(back.Read(shortIn));
}

}  // namespace
}  // namespace quorlin
