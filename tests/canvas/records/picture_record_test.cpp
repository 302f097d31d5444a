// The picture block of diagram files against bytes laid out by hand, and damaged blocks.
#include "canvas/records/picture_record.h"

#include <gtest/gtest.h>

#include "canvas/byte_layout.h"
#include "core/errors.h"
#include "support/test_paths.h"

namespace quorlin::canvas {
namespace {

using namespace testing;

// A small metafile (a blue rectangle, 20 by 10 pixels) that the program's recorder made.
Bytes SmallEmf() {
    return quorlin::testing::ReadFileBytes(
        quorlin::testing::TestDataPath("canvas/records/picture.emf"));
}

// One picture entry, laid out field by field: the rectangle, transparency, in the newer layout
// the anchor and 36 reserved bytes, the metafile's size and bytes.
Bytes Entry(const Bytes& emf, bool anchorBlock, std::int32_t anchor, std::uint8_t transparent,
            std::uint32_t size) {
    Bytes b(anchorBlock ? 85 : 45, 0);
    PutLd(b, 0, -1), PutLd(b, 10, 2), PutLd(b, 20, -3), PutLd(b, 30, 4.5L);
    b[40] = transparent;
    if (anchorBlock) Put32(b, 41, static_cast<std::uint32_t>(anchor));
    Put32(b, anchorBlock ? 81 : 41, size);
    b.insert(b.end(), emf.begin(), emf.end());
    return b;
}

int Read(const Bytes& bytes, PictureList& list) {
    ByteReader in(bytes);
    return ReadPictures(in, list);
}

TEST(PictureBlock, RoundTripsByteForByteAndReadsTheOlderLayoutUntied) {
    const Bytes emf = SmallEmf();
    const auto n = static_cast<std::uint32_t>(emf.size());
    const Bytes file = Block(-2, {Entry(emf, true, -1, 1, n), Entry(emf, true, 4, 0, n)});
    ByteReader in(file);
    PictureList list;
    ASSERT_EQ(ReadPictures(in, list), 0);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::tuple(list[1].index, list[1].anchor, list[1].transparent, list[0].rect.yHigh),
              std::tuple(1, 4, false, 4.5L));
    EXPECT_EQ(list[0].metafile, emf);
    ByteWriter out;
    WritePictures(out, list);
    EXPECT_EQ(out.Data(), file);

    // No pictures: two zero bytes, and back to an empty list.
    ByteWriter none;
    WritePictures(none, {});
    EXPECT_EQ(none.Data(), Bytes({0, 0}));
    ASSERT_EQ(Read(none.Data(), list), 0);
    EXPECT_TRUE(list.empty());

    ASSERT_EQ(Read(Block(1, {Entry(emf, false, 0, 1, n)}), list), 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].anchor, -1);
}

TEST(PictureBlock, DamageGivesError11WithoutCrashing) {
    const Bytes emf = SmallEmf();
    const auto n = static_cast<std::uint32_t>(emf.size());
    const Bytes good = Block(-1, {Entry(emf, true, -1, 1, n)});
    Bytes broken = emf;
    broken[0] = 9;  // not a header record
    std::vector<Bytes> bad{
        Block(-1, {Entry(emf, true, -1, 1, 0xfffffff0u)}),  // a size far beyond the data
        Block(-1, {Entry(emf, true, -1, 1, n - 4)}),        // a size cutting the metafile
        Block(-1, {Entry(broken, true, -1, 1, n)}),        Block(-1, {Entry(emf, true, -5, 1, n)}),
        Block(-3, {Entry(emf, true, -1, 1, n)}),           Block(32767, {})};
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        bad.emplace_back(good.begin(), good.begin() + cut);
    PictureList list;
    for (const Bytes& b : bad) EXPECT_EQ(Read(b, list), kErrCannotOpenFile) << b.size();
}

}  // namespace
}  // namespace quorlin::canvas
