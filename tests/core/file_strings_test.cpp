// Texts and the notebook in diagram files against hand-built bytes, and damaged lengths.
#include "core/file_strings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/errors.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileStrings, LayoutIsLengthCharactersAndZeroForTextsTheReaderCanHold) {
    ByteWriter out;
    ASSERT_TRUE(WriteString(out, "ab"));
    ASSERT_TRUE(WriteString(out, ""));
    ASSERT_TRUE(WriteString(out, std::string("x\0y", 3)));  // a C text ends at its zero
    const Bytes expected = {3, 0, 'a', 'b', 0, 1, 0, 0, 2, 0, 'x', 0};
    EXPECT_EQ(out.Data(), expected);
    ByteReader in(expected);
    for (const char* want : {"ab", "", "x"}) {
        std::string text = "?";
        EXPECT_EQ(ReadString(in, text), kNoError);
        EXPECT_EQ(text, want);
    }
    EXPECT_TRUE(in.AtEnd());

    EXPECT_TRUE(WriteString(out, std::string(255, 'a')));
    EXPECT_FALSE(WriteString(out, std::string(256, 'a')));
    EXPECT_EQ(out.Size(), expected.size() + 2 + 256) << "nothing of a refused text is written";
}

TEST(FileStrings, DamagedLengthsAreErrorElevenNeverOverruns) {
    Bytes tooLong = {0x01, 0x01};  // 257 > 256, with all the bytes present
    tooLong.resize(2 + 257, 'a');
    const std::pair<const char*, Bytes> cases[] = {
        {"zero length", {0, 0, 0}},
        {"negative length", {0xff, 0xff, 'a', 0}},
        {"most negative length", {0x00, 0x80, 'a', 0}},
        {"beyond the bytes left", {5, 0, 'a', 'b'}},
        {"beyond the buffer", tooLong},
        {"length cut off", {3}},
        {"empty input", {}},
    };
    for (const auto& [what, bytes] : cases) {
        ByteReader in(bytes);
        std::string text = "kept";
        EXPECT_EQ(ReadString(in, text), kErrCannotOpenFile) << what;
        EXPECT_EQ(text, "kept") << what;
        EXPECT_TRUE(in.Failed()) << what;
    }
    // A text without its terminator is cut to the buffer's last-but-one byte.
    const Bytes unterminated = {3, 0, 'a', 'b', 'c'};
    ByteReader in(unterminated);
    std::string text;
    EXPECT_EQ(ReadString(in, text), kNoError);
    EXPECT_EQ(text, "ab");
}

TEST(Notebook, TakesAnUnsignedLengthUpToItsBufferAndRefusesLongerTexts) {
    const std::string longest(kMaxNotebookLength, 'n');
    ByteWriter out;
    ASSERT_EQ(WriteNotebook(out, longest), kNoError);
    ASSERT_EQ(out.Size(), 2u + 64001u);
    EXPECT_EQ(std::tuple(out.Data()[0], out.Data()[1], out.Data().back()),
              std::tuple(0x01, 0xfa, 0));  // 64001 = characters + 1, unsigned
    ByteReader in(out.Data());
    std::string back;
    ASSERT_EQ(ReadNotebook(in, back), kNoError);
    EXPECT_EQ(back, longest);

    ByteWriter refused;
    EXPECT_EQ(WriteNotebook(refused, longest + "n"), kErrTooLarge);
    EXPECT_EQ(refused.Size(), 0u);

    for (const std::uint16_t length : {std::uint16_t{0}, std::uint16_t{64002}}) {
        Bytes damaged = {static_cast<std::uint8_t>(length & 0xff),
                         static_cast<std::uint8_t>(length >> 8)};
        damaged.resize(2 + 64002, 'n');
        ByteReader beyond(damaged);
        EXPECT_EQ(ReadNotebook(beyond, back), kErrCannotOpenFile) << length;
    }
}

}  // namespace
}  // namespace quorlin
