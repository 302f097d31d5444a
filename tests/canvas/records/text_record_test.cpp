// Text overlay records against bytes laid out by hand at their file offsets, damaged blocks,
// and the table of evaluated texts.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <tuple>
#include <vector>

#include "canvas/byte_layout.h"
#include "canvas/records/text_record.h"
#include "core/errors.h"

namespace quorlin::canvas {
namespace {

using namespace testing;

void PutText(Bytes& b, std::size_t at, const char* text) {
    std::memcpy(&b[at], text, std::strlen(text));
}

// A label record as a file holds it, field by field at its offset.
Bytes LabelBytes(std::uint16_t number, const char* text, std::int16_t anchor,
                 std::uint16_t evalIndex, std::uint8_t shown = 1) {
    Bytes b(179, 0);
    Put16(b, 0, number);
    b[2] = 1;  // transparent
    PutText(b, 3, text);
    Put32(b, 64, 0x00ff8000);                                                           // colour
    PutLd(b, 68, 1.5L), PutLd(b, 78, 3.25L), PutLd(b, 88, -2.0L), PutLd(b, 98, -1.0L);  // corners
    Put32(b, 108, static_cast<std::uint32_t>(-13));  // font height
    Put32(b, 116, 450), Put32(b, 124, 700);          // escapement, weight
    b[128] = 1;                                      // italic
    PutText(b, 136, "Courier New");
    Put16(b, 168, 112);  // 12 points, hides with its anchor
    Put16(b, 174, static_cast<std::uint16_t>(anchor));
    b[176] = shown;
    Put16(b, 177, evalIndex);
    return b;
}

Bytes EvalRecordBytes(std::array<std::uint8_t, 5> flags, std::uint32_t active, std::int32_t p1) {
    Bytes b(81, 0);
    for (int i = 0; i < 5; ++i) b[16 + i] = flags[i];
    Put32(b, 21, active), Put32(b, 25, 8212), Put32(b, 29, static_cast<std::uint32_t>(p1));
    Put32(b, 33, 3), Put32(b, 37, 15);
    Put32(b, 41 + 36, 77);  // last reserved word, carried unchanged
    return b;
}

Bytes Strings(const char* first) {
    Bytes b(4 * 256, 0);
    PutText(b, 0, first), PutText(b, 256, "Y^2"), PutText(b, 768, "area");
    return b;
}

int ReadPlain(const Bytes& bytes, TextList& list) {
    ByteReader in(bytes);
    return ReadTexts(in, false, list);
}

TEST(OverlayRecord, LabelBlockRoundTripsByteForByte) {
    const Bytes file =
        Block(2, {LabelBytes(0, "f(x) = 50% - 1", -2, 0xffff, 0), LabelBytes(1, "A", 3, 0xffff)});
    ByteReader in(file);
    TextList list;
    ASSERT_EQ(ReadTexts(in, true, list), 0);
    ASSERT_TRUE(in.AtEnd() && list.size() == 2);
    const TEquationLabel& t = list[0];
    EXPECT_EQ(std::tuple(t.left, t.right, t.bottom, t.top), std::tuple(1.5L, 3.25L, -2.0L, -1.0L));
    // Labels keep their shown flag.
    EXPECT_EQ(
        std::tuple(t.text, t.colour, t.font.escapement, t.font.faceName, t.TextPointSize(),
                   t.HidesWithAnchor(), t.anchor, t.shown),
        std::tuple("f(x) = 50% - 1", 0x00ff8000u, 450, "Courier New", 12, true, kAnchorFrame, 0));
    ByteWriter out;
    WriteTexts(out, list);
    EXPECT_EQ(out.Data(), file);
    ASSERT_EQ(ReadPlain(file, list), 0);
    EXPECT_EQ(list[0].shown, 1);  // plain texts are all shown after reading

    // Reading renumbers and forces the terminators of the text and the face name.
    Bytes a = LabelBytes(7, "", -1, 0xffff);
    std::memset(&a[3], 'x', 61);
    std::memset(&a[136], 'F', 32);
    ASSERT_EQ(ReadPlain(Block(1, {a}), list), 0);
    EXPECT_EQ(list[0].number, 0);
    EXPECT_EQ(list[0].text.size(), TEquationLabel::kMaxText);
    EXPECT_EQ(list[0].font.faceName.size(), FontRecord::kFaceBytes - 1);
}

TEST(OverlayRecord, DamagedLabelBlocksGiveError11AndKeepTheList) {
    const Bytes good = Block(2, {LabelBytes(0, "a", -1, 0xffff), LabelBytes(1, "b", -1, 0xffff)});
    TextList list(1);
    list[0].text = "kept";
    std::vector<Bytes> bad;
    for (std::size_t n = 0; n < good.size(); ++n) bad.emplace_back(good.begin(), good.begin() + n);
    bad.push_back(good);
    Put16(bad.back(), 0, 3);                                    // more entries than follow
    bad.push_back(Block(1, {LabelBytes(0, "a", -7, 0xffff)}));  // no such anchor
    // A corner that is no number: infinite or not a number, at each of the four positions.
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    for (const std::size_t at : {68u, 78u, 88u, 98u})
        for (const long double v : {kInf, -kInf, std::numeric_limits<long double>::quiet_NaN()}) {
            Bytes record = LabelBytes(0, "a", -1, 0xffff);
            PutLd(record, at, v);
            bad.push_back(Block(1, {record}));
        }
    for (const Bytes& b : bad) EXPECT_EQ(ReadPlain(b, list), kErrCannotOpenFile) << b.size();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text, "kept");
    EXPECT_EQ(ReadPlain(Block(-4, {}), list), 0);  // a negative count reads as none
    EXPECT_TRUE(list.empty());
}

TEST(OverlayRecord, EvaluatedBlockRoundTripsAndIsChecked) {
    const Bytes file =
        Block(2, {Concat({LabelBytes(0, "X", -1, 1000), EvalRecordBytes({1, 1, 0, 1, 0}, 2, 4),
                          Strings("SIN(A)")}),
                  Concat({LabelBytes(1, "X", -2, 1001), EvalRecordBytes({1, 0, 0, 0, 1}, 1, 0),
                          Strings("B")})});
    auto read = [](const Bytes& b, TextList& list, EvalTextTable& table) {
        ByteReader in(b);
        return ReadEvalTexts(in, list, table);
    };
    ByteReader in(file);
    TextList list;
    EvalTextTable table;
    ASSERT_EQ(ReadEvalTexts(in, list, table), 0);
    ASSERT_TRUE(in.AtEnd() && list.size() == 2 && table.InUse() == 2);
    const TEvalText* e = table.Find(1000);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(std::tuple(e->texts[0], e->texts[3], e->places[0], e->dash, e->reserved[9]),
              std::tuple("SIN(A)", "area", 4, 8212u, 77));
    ByteWriter out;
    WriteEvalTexts(out, list, table);
    EXPECT_EQ(out.Data(), file);

    // Every truncation is refused without touching what the window had; so are an index
    // outside 1000..1050, places beyond 15, and more than 51 texts.
    std::vector<Bytes> bad;
    for (std::size_t n = 0; n < file.size(); n += 7)
        bad.emplace_back(file.begin(), file.begin() + n);
    const Bytes strings = Strings("1");
    for (const auto& [index, places] : {std::pair{0xffff, 3}, {1051, 3}, {1000, 16}})
        bad.push_back(Block(1, {Concat({LabelBytes(0, "X", -1, static_cast<std::uint16_t>(index)),
                                        EvalRecordBytes({1}, 1, places), strings})}));
    bad.push_back(Block(52, {}));
    for (const Bytes& b : bad) EXPECT_EQ(read(b, list, table), kErrCannotOpenFile) << b.size();
    EXPECT_TRUE(table.InUse() == 2 && list.size() == 2);
}

TEST(OverlayRecord, EvalTableRefusesThe52ndAndPackedFieldsKeepTheirParts) {
    EvalTextTable table;
    for (int i = 0; i < kEvalTextSlots; ++i) {
        const auto index = table.FreeIndex();
        ASSERT_TRUE(index);
        EXPECT_EQ(*index, 1000 + i);
        EXPECT_TRUE(table.Store(*index, TEvalText{}));
    }
    EXPECT_FALSE(table.HasRoom() || table.Store(1051, TEvalText{}));
    table.Release(1017);
    EXPECT_EQ(table.FreeIndex(), 1017);

    TEquationLabel t;
    t.sizeAndHide = 110;
    t.SetTextPointSize(245);
    EXPECT_EQ(t.sizeAndHide, 124);  // 24 points, hides with its anchor
    t.SetHidesWithAnchor(false);
    EXPECT_EQ(t.sizeAndHide, 24);
}

}  // namespace
}  // namespace quorlin::canvas
