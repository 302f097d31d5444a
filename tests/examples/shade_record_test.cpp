// The shading record: its 37 bytes laid out by hand, the pattern of older files, the letters
// of the interval ends, and the records a file may not hold.
#include "examples/shade_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace quorlin::examples {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes OneRecord(std::uint16_t style) {
    Bytes b = {1,
               0,  // count
               2,
               0,
               0xfe,
               0xff,  // first 2, second -2
               static_cast<std::uint8_t>(style & 0xff),
               static_cast<std::uint8_t>(style >> 8),
               1};  // interval on
    for (long double v : {-1.5L, 2.5L}) {
        std::uint8_t ld[10];
        EncodeLongDouble(v, ld);
        b.insert(b.end(), ld, ld + 10);
    }
    b.insert(b.end(), {7, 0, 1, 2, 3, 4, 0, 0, 0, 0});  // colour, reserved, link
    return b;
}

TEST(ShadeRecord, ReadsEveryFieldFromItsOffsetAndWritesTheSameBytes) {
    const std::uint16_t style = TShadeRecord::MakeStyle(3, 1, 2);  // 3 + 9 + 450
    const Bytes bytes = OneRecord(style);
    ByteReader in(bytes);
    ShadeList list;
    ASSERT_EQ(ReadShadeList(in, 41, list), kNoError);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(list.size(), 1u);
    const TShadeRecord& r = list[0];
    EXPECT_EQ(r.first, 2);
    EXPECT_EQ(r.second, TShadeRecord::kBelow);
    EXPECT_EQ(r.Pattern(), 3);
    EXPECT_EQ(r.LowEndLetter(), 1);
    EXPECT_EQ(r.HighEndLetter(), 2);
    EXPECT_EQ(r.high, 2.5L);
    EXPECT_EQ(r.colour, 7);
    ByteWriter out;
    WriteShadeList(out, list);
    Bytes expected = bytes;
    EXPECT_EQ(out.Data(), expected);

    ByteReader old(bytes);
    ASSERT_EQ(ReadShadeList(old, 8, list), kNoError);  // only the pattern before version 9
    EXPECT_EQ(list[0].style, 3);
    const Bytes shorter(bytes.begin(), bytes.end() - 1);
    ByteReader cut(shorter);
    EXPECT_EQ(ReadShadeList(cut, 41, list), kErrCannotOpenFile);
}

TEST(ShadeRecord, RecordsThatNameWhatIsNotThereAreInconsistent) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const TShadeRecord sound{1, 0, TShadeRecord::MakeStyle(8, 23, 23), 1, -1, 1, 60, 0};
    EXPECT_EQ(ValidateShadeRecord(sound, 1), kNoError);
    const std::vector<TShadeRecord> damaged = {
        {2, -1},
        {-1, -1},
        {0, 2},
        {0, -3},
        {0, -1, TShadeRecord::MakeStyle(0, 24, 0)},
        {0, -1, 0, 0, nan},
        {0, -1, 0, 0, 0, nan},
        {0, -1, 0, 0, 0, 0, 61},
    };
    for (const TShadeRecord& r : damaged)
        EXPECT_EQ(ValidateShadeRecord(r, 1), kErrInconsistentData) << r.first << " " << r.second;
}

}  // namespace
}  // namespace quorlin::examples
