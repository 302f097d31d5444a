// The picture block of diagram files against bytes laid out by hand, damaged blocks, and the
// rule that fits a pasted picture into the window.
#include <QPainter>

#include <gtest/gtest.h>

#include "byte_layout.h"
#include "canvas/pasted_picture.h"
#include "core/errors.h"
#include "platform/emf_paint_device.h"

namespace quorlin::canvas {
namespace {

using namespace testing;

QByteArray RedSquareEmf() {
    platform::EmfPaintDevice device(QSize(50, 50), 96);
    {
        QPainter p(&device);
        p.fillRect(QRect(0, 0, 50, 50), Qt::red);
    }
    return device.Finish();
}

// One picture entry, laid out field by field: the rectangle, transparency, in the newer layout
// the anchor and 36 reserved bytes, the metafile's size and bytes.
Bytes Entry(const QByteArray& emf, bool anchorBlock, std::int32_t anchor, std::uint8_t transparent,
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
    const QByteArray emf = RedSquareEmf();
    const auto n = static_cast<std::uint32_t>(emf.size());
    const Bytes file = Block(-2, {Entry(emf, true, -1, 1, n), Entry(emf, true, 4, 0, n)});
    ByteReader in(file);
    PictureList list;
    ASSERT_EQ(ReadPictures(in, list), 0);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::tuple(list[1].index, list[1].anchor, list[1].transparent, list[0].rect.yHigh),
              std::tuple(1, 4, false, 4.5L));
    EXPECT_EQ(list[0].metafile.Bytes(), emf);
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
    const QByteArray emf = RedSquareEmf();
    const auto n = static_cast<std::uint32_t>(emf.size());
    const Bytes good = Block(-1, {Entry(emf, true, -1, 1, n)});
    QByteArray broken = emf;
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

TEST(PictureBlock, FitKeepsTheAspectRatio) {
    const QSize client(400, 300);
    EXPECT_EQ(FitPastedSize({100, 50}, {10, 10}, client), QSize(100, 50));
    // Too wide: the width shrinks to the space, the height follows; then too high as well.
    EXPECT_EQ(FitPastedSize({400, 200}, {200, 0}, client), QSize(200, 100));
    EXPECT_EQ(FitPastedSize({400, 400}, {100, 250}, client), QSize(50, 50));
    EXPECT_TRUE(FitPastedSize({0, 50}, {0, 0}, client).isEmpty());
    EXPECT_TRUE(FitPastedSize({50, 50}, {400, 0}, client).isEmpty());
}

}  // namespace
}  // namespace quorlin::canvas
