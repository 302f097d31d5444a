// The protection block's bytes; asking for the password is checked through a window's load.
#include "shell/records/protection.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Protection, BlockIsScrambledPasswordAndFourLines) {
    FileProtection p;
    p.Protect(kProtectInventory, "ab", {"x", "", "", ""});
    ByteWriter out;
    ASSERT_TRUE(p.WriteProtection(out));
    // 'a' shifted by 13 within 1..255 is 'n'; 'b' by 20 is 'v'.
    const Bytes expected = {3, 0, 'n', 'v', 0, 2, 0, 'x', 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
    EXPECT_EQ(out.Data(), expected);

    FileProtection read;
    read.SetMaskFromFile(kProtectInventory | kProtectNotebook);
    ByteReader in(expected);
    ASSERT_EQ(read.ReadProtection(in), kNoError);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(read.Password(), "ab");
    EXPECT_EQ(read.AuthorLines()[0], "x");
    EXPECT_TRUE(read.NeedsPassword(kProtectNotebook));

    // An empty password means unprotected.
    const Bytes emptyPassword = {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
    ByteReader empty(emptyPassword);
    ASSERT_EQ(read.ReadProtection(empty), kNoError);
    EXPECT_EQ(read.Mask(), 0);
    EXPECT_FALSE(read.NeedsPassword(kProtectInventory));
}

TEST(Protection, ScramblingNeverMakesAZeroAndIsUndone) {
    std::string all;
    for (int i = 0; i < 3; ++i) {
        for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    }
    const std::string scrambled = FileProtection::Scramble(all);
    EXPECT_EQ(scrambled.find('\0'), std::string::npos);
    EXPECT_NE(scrambled, all);
    EXPECT_EQ(FileProtection::Unscramble(scrambled), all);
}

}  // namespace
}  // namespace quorlin
