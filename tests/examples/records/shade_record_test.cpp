// The shading record: its file record and block, the pattern of older files, the letters of
// the interval ends, renumbering after removals, and the records a file may not hold.
#include "examples/records/shade_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <vector>

namespace quorlin::examples {
namespace {

TEST(ShadeRecord, FileRecordAndBlock) {
    // Example 2 below, pattern 4, the interval [-1.5, 3] with its ends tied to A and B, colour 17.
    const TShadeRecord r{2, TShadeRecord::kBelow, TShadeRecord::Style(4, 1, 2), 1, -1.5L, 3, 17,
                         {}};
    EXPECT_EQ(std::tuple(r.Pattern(), r.LowEndParameter(), r.HighEndParameter()),
              std::tuple(4, 1, 2));
    ByteWriter out;
    WriteShadeList(out, {r, r});
    ASSERT_EQ(out.Data().size(), 2 + 2 * kShadeRecordBytes);
    EXPECT_EQ(out.Data()[2 + 4] | out.Data()[2 + 5] << 8, 4 + 9 + 450);  // the style word
    EXPECT_EQ(out.Data()[2 + 27], 17);                                   // the colour
    ShadeList read;
    ByteReader in(out.Data());
    ASSERT_EQ(ReadShadeList(in, 41, read), kNoError);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1], r);
    // Before version 9 only the pattern counts.
    ByteReader old(out.Data());
    ASSERT_EQ(ReadShadeList(old, 8, read), kNoError);
    EXPECT_EQ(read[0].style, 4);
    ByteReader first(out.Data());  // from version 9 the whole style word
    ASSERT_EQ(ReadShadeList(first, 9, read), kNoError);
    EXPECT_EQ(read[0], r);
    // A count the bytes cannot hold, and a short record, are refused; the list stays.
    std::vector<std::uint8_t> damaged = out.Data();
    damaged[0] = 0xff;
    ByteReader huge(damaged);
    EXPECT_EQ(ReadShadeList(huge, 41, read), kErrCannotOpenFile);
    damaged = out.Data();
    damaged.pop_back();
    ByteReader shortBlock(damaged);
    EXPECT_EQ(ReadShadeList(shortBlock, 41, read), kErrCannotOpenFile);
    EXPECT_EQ(read.size(), 2u);
    // Records of removed examples go, the others follow their examples.
    ShadeList list{r, TShadeRecord{1, 0}};
    const std::vector<int> map{0, -1, 1};
    RenumberShadeList(list, map);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].first, 1);
    DropInvalidShades(list, 0);
    EXPECT_TRUE(list.empty());
}

TEST(ShadeRecord, RecordsThatNameWhatIsNotThereAreInconsistent) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const TShadeRecord sound[] = {{1, 0, TShadeRecord::Style(8, 23, 23), 1, -1, 1, 60, {}},
                                  {0, TShadeRecord::kToAxis}};
    for (const TShadeRecord& r : sound) EXPECT_EQ(ValidateShadeRecord(r, 1), kNoError);
    const std::vector<TShadeRecord> damaged = {{2, -1},
                                               {-1, -1},
                                               {0, 2},
                                               {0, -4},
                                               {0, -1, TShadeRecord::Style(0, 24, 0)},
                                               {0, -1, 0, 0, nan},
                                               {0, -1, 0, 0, 0, nan},
                                               {0, -1, 0, 0, 0, 0, 61}};
    for (const TShadeRecord& r : damaged)
        EXPECT_EQ(ValidateShadeRecord(r, 1), kErrInconsistentData) << r.first << " " << r.second;
}

}  // namespace
}  // namespace quorlin::examples
