// Text overlay records against bytes laid out by hand at their file offsets, damaged blocks,
// and the geometry that keeps texts in place when the view changes.
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "byte_layout.h"
#include "canvas/text_overlay.h"
#include "core/errors.h"

namespace quorlin::canvas {
namespace {

using testing::Block;
using testing::Bytes;
using testing::Concat;
using testing::Put16;
using testing::Put32;
using testing::PutLd;

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
    Put32(b, 64, 0x00ff8000);                        // colour
    PutLd(b, 68, 1.5L);                              // left
    PutLd(b, 78, 3.25L);                             // right
    PutLd(b, 88, -2.0L);                             // bottom
    PutLd(b, 98, -1.0L);                             // top
    Put32(b, 108, static_cast<std::uint32_t>(-13));  // font height
    Put32(b, 116, 450);                              // escapement
    Put32(b, 124, 700);                              // weight
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
    Put32(b, 21, active);
    Put32(b, 25, 8212);
    Put32(b, 29, static_cast<std::uint32_t>(p1));
    Put32(b, 33, 3);
    Put32(b, 37, 15);
    Put32(b, 41 + 36, 77);  // last reserved word, carried unchanged
    return b;
}

Bytes Strings(const char* first) {
    Bytes b(4 * 256, 0);
    PutText(b, 0, first);
    PutText(b, 256, "Y^2");
    PutText(b, 768, "area");
    return b;
}

TEST(OverlayRecord, LabelBlockRoundTripsByteForByte) {
    const Bytes file =
        Block(2, {LabelBytes(0, "f(x) = 50% - 1", -2, 0xffff, 0), LabelBytes(1, "A", 3, 0xffff)});
    ByteReader in(file);
    TextList list;
    ASSERT_EQ(ReadTexts(in, true, list), 0);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(list.size(), 2u);
    const TEquationLabel& t = list[0];
    EXPECT_EQ(t.text, "f(x) = 50% - 1");
    EXPECT_EQ(t.colour, 0x00ff8000u);
    EXPECT_EQ(t.left, 1.5L);
    EXPECT_EQ(t.right, 3.25L);
    EXPECT_EQ(t.bottom, -2.0L);
    EXPECT_EQ(t.top, -1.0L);
    EXPECT_EQ(t.font.escapement, 450);
    EXPECT_EQ(t.font.faceName, "Courier New");
    EXPECT_EQ(t.TextPointSize(), 12);
    EXPECT_TRUE(t.HidesWithAnchor());
    EXPECT_EQ(t.anchor, kAnchorFrame);
    EXPECT_EQ(t.shown, 0);  // labels keep their shown flag
    ByteWriter out;
    WriteTexts(out, list);
    EXPECT_EQ(out.Data(), file);

    // Plain texts are all shown after reading.
    ByteReader again(file);
    ASSERT_EQ(ReadTexts(again, false, list), 0);
    EXPECT_EQ(list[0].shown, 1);
}

TEST(OverlayRecord, ReadingRenumbersAndForcesTheTerminator) {
    Bytes a = LabelBytes(7, "", -1, 0xffff);
    std::memset(&a[3], 'x', 61);    // no terminator in the text field ...
    std::memset(&a[136], 'F', 32);  // ... nor in the face name
    const Bytes file = Block(1, {a});
    ByteReader in(file);
    TextList list;
    ASSERT_EQ(ReadTexts(in, false, list), 0);
    EXPECT_EQ(list[0].number, 0);
    EXPECT_EQ(list[0].text.size(), TEquationLabel::kMaxText);
    EXPECT_EQ(list[0].font.faceName.size(), FontRecord::kFaceBytes - 1);
}

TEST(OverlayRecord, DamagedLabelBlocksGiveError11AndKeepTheList) {
    const Bytes good = Block(2, {LabelBytes(0, "a", -1, 0xffff), LabelBytes(1, "b", -1, 0xffff)});
    TextList list(1);
    list[0].text = "kept";
    for (std::size_t n = 0; n < good.size(); ++n) {
        ByteReader in(std::span(good.data(), n));
        EXPECT_EQ(ReadTexts(in, false, list), kErrCannotOpenFile) << n;
    }
    Bytes tooMany = good;
    Put16(tooMany, 0, 3);
    ByteReader in1(tooMany);
    EXPECT_EQ(ReadTexts(in1, false, list), kErrCannotOpenFile);
    const Bytes badAnchor = Block(1, {LabelBytes(0, "a", -7, 0xffff)});
    ByteReader in2(badAnchor);
    EXPECT_EQ(ReadTexts(in2, false, list), kErrCannotOpenFile);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text, "kept");

    // A corner that is no number: infinite or not a number, at each of the four positions.
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    for (const std::size_t at : {68u, 78u, 88u, 98u}) {
        for (const long double bad : {kInf, -kInf, std::numeric_limits<long double>::quiet_NaN()}) {
            Bytes record = LabelBytes(0, "a", -1, 0xffff);
            PutLd(record, at, bad);
            const Bytes file = Block(1, {record});
            ByteReader in(file);
            EXPECT_EQ(ReadTexts(in, false, list), kErrCannotOpenFile) << at << " " << bad;
        }
    }
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].text, "kept");

    const Bytes negativeCount = Block(-4, {});
    ByteReader negative(negativeCount);
    EXPECT_EQ(ReadTexts(negative, false, list), 0);
    EXPECT_TRUE(list.empty());
}

TEST(OverlayRecord, EvaluatedBlockRoundTripsAndIsChecked) {
    const Bytes file =
        Block(2, {Concat({LabelBytes(0, "X", -1, 1000), EvalRecordBytes({1, 1, 0, 1, 0}, 2, 4),
                          Strings("SIN(A)")}),
                  Concat({LabelBytes(1, "X", -2, 1001), EvalRecordBytes({1, 0, 0, 0, 1}, 1, 0),
                          Strings("B")})});
    ByteReader in(file);
    TextList list;
    EvalTextTable table;
    ASSERT_EQ(ReadEvalTexts(in, list, table), 0);
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(table.InUse(), 2);
    const TEvalText* e = table.Find(1000);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->texts[0], "SIN(A)");
    EXPECT_EQ(e->texts[3], "area");
    EXPECT_EQ(e->places[0], 4);
    EXPECT_EQ(e->dash, 8212u);
    EXPECT_EQ(e->reserved[9], 77);
    ByteWriter out;
    WriteEvalTexts(out, list, table);
    EXPECT_EQ(out.Data(), file);

    // Every truncation is refused without touching what the window had.
    for (std::size_t n = 0; n < file.size(); n += 7) {
        ByteReader cut(std::span(file.data(), n));
        EXPECT_EQ(ReadEvalTexts(cut, list, table), kErrCannotOpenFile) << n;
    }
    EXPECT_EQ(table.InUse(), 2);

    // An index outside 1000..1050, places beyond 15, or more than 51 texts are damage.
    const Bytes strings = Strings("1");
    for (const Bytes& bad :
         {Block(1, {Concat({LabelBytes(0, "X", -1, 0xffff), EvalRecordBytes({1}, 1, 3), strings})}),
          Block(1, {Concat({LabelBytes(0, "X", -1, 1051), EvalRecordBytes({1}, 1, 3), strings})}),
          Block(1, {Concat({LabelBytes(0, "X", -1, 1000), EvalRecordBytes({1}, 1, 16), strings})}),
          Block(52, {})}) {
        ByteReader r(bad);
        EXPECT_EQ(ReadEvalTexts(r, list, table), kErrCannotOpenFile);
    }
    EXPECT_EQ(list.size(), 2u);
}

TEST(OverlayRecord, EvalTableRefusesThe52nd) {
    EvalTextTable table;
    for (int i = 0; i < kEvalTextSlots; ++i) {
        const auto index = table.FreeIndex();
        ASSERT_TRUE(index);
        EXPECT_EQ(*index, 1000 + i);
        EXPECT_TRUE(table.Store(*index, TEvalText{}));
    }
    EXPECT_FALSE(table.HasRoom());
    EXPECT_FALSE(table.Store(1051, TEvalText{}));
    table.Release(1017);
    EXPECT_EQ(table.FreeIndex(), 1017);
}

TEST(OverlayRecord, PackedWordAnglesAndHyphens) {
    TEquationLabel t;
    t.sizeAndHide = 110;
    t.SetTextPointSize(245);
    EXPECT_EQ(t.sizeAndHide, 124);
    t.SetHidesWithAnchor(false);
    EXPECT_EQ(t.sizeAndHide, 24);
    EXPECT_EQ(EscapementOfDegrees(450), 900);
    EXPECT_EQ(EscapementOfDegrees(-30), -300);
    EXPECT_EQ(EscapementOfDegrees(-400), -400);
    EXPECT_EQ(ReplaceHyphens("a-b-c", 150),
              "a\x96"
              "b\x96"
              "c");
    EXPECT_EQ(ReplaceHyphens("a-b", 0), "a-b");
    EXPECT_EQ(ReplaceHyphens("a-b", 256), "a-b");
}

// A 400 x 400 pixel area showing [-5, 5] x [-5, 5]: 40 pixels per unit.
TViewFrame SquareView() {
    TViewFrame v;
    v.SetAreaSize(401, 401);
    v.SetView(0, 0, 5, 5, false);
    v.RecomputeView();
    return v;
}

TEST(OverlayGeometry, EachAnchorKindKeepsItsPlace) {
    TViewFrame view = SquareView();
    WorldPoint pointExample{1, 1};
    const AnchorLookup pointOf = [&](int) { return pointExample; };
    auto place = [&](int anchor, WorldPoint at) {
        TEquationLabel t;
        t.anchor = static_cast<std::int16_t>(anchor);
        t.left = at.x;
        t.top = at.y;
        return TextToRelative(t, AnchorOrigin(anchor, view, pointOf));
    };
    TextList list{place(kAnchorFigure, {2, 2}), place(kAnchorFrame, {2, 2}), place(0, {2, 2})};
    auto screenOf = [&](const TEquationLabel& t) {
        const TEquationLabel a = TextToAbsolute(t, AnchorOrigin(t.anchor, view, pointOf));
        return QPoint(view.XToScreen(a.left), view.YToScreen(a.top));
    };
    const QPoint frameBefore = screenOf(list[1]);

    // Zoom out by two about a moved centre.
    const long double oldW = view.halfWidth, oldH = view.halfHeight;
    view.SetView(3, -1, 10, 10, false);
    view.RecomputeView();
    RescaleFrameTexts(list, view.halfWidth, view.halfHeight, oldW, oldH);

    const TEquationLabel fig = TextToAbsolute(list[0], AnchorOrigin(-1, view, pointOf));
    EXPECT_EQ(fig.left, 2);  // the figure's world point
    EXPECT_EQ(fig.top, 2);
    EXPECT_EQ(screenOf(list[1]), frameBefore);  // the same place on the screen
    pointExample = {-4, 3};
    const TEquationLabel pt = TextToAbsolute(list[2], AnchorOrigin(0, view, pointOf));
    EXPECT_EQ(pt.left, -3);  // follows the point
    EXPECT_EQ(pt.top, 4);
}

TEST(OverlayGeometry, HitTestOfPlainAndTurnedBoxes) {
    const TViewFrame view = SquareView();
    TEquationLabel t;
    t.left = 0;  // pixel 200
    t.top = 0;
    t.right = 1;  // 40 x 20 pixels
    t.bottom = -0.5L;
    TextList list{t};
    EXPECT_TRUE(TextAtPoint(list, {210, 210}, view, {}));
    EXPECT_FALSE(TextAtPoint(list, {200, 210}, view, {}));  // the edge is outside
    EXPECT_FALSE(TextAtPoint(list, {245, 210}, view, {}));
    list[0].shown = 0;
    EXPECT_FALSE(TextAtPoint(list, {210, 210}, view, {}));
    list[0].shown = 1;

    // Turned by 90 degrees the text runs upwards from its corner.
    list[0].font.escapement = 900;
    EXPECT_TRUE(TextAtPoint(list, {210, 170}, view, {}));
    EXPECT_FALSE(TextAtPoint(list, {210, 210}, view, {}));
    const auto hit = TextAtPoint(list, {215, 195}, view, {});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->offset, QPoint(15, -5));
    EXPECT_EQ(hit->size, QSize(40, 20));
}

TEST(OverlayGeometry, HitTestOfHugeCornersStaysInRange) {
    // Corners far out in the long double range: boxes millions of times wider than any int,
    // turned or not, are tested without overflow, and the drag outline gets a bounded size.
    const TViewFrame view = SquareView();
    constexpr long double kFar = 1e4000L, kMax = std::numeric_limits<long double>::max();
    struct Case {
        long double left, right, bottom, top;
        int escapement;
        bool hit;
    };
    const Case cases[] = {
        {-kFar, kFar, -kFar, kFar, 0, true},      // covers everything
        {-kFar, kFar, -kFar, kFar, 300, true},    // turned by 30 degrees, still over the point
        {-kFar, kFar, -kFar, kFar, 1500, false},  // turned by 150 degrees: away from it
        {0, 1e30L, -1e30L, 0, 1, true},           // wider than 64 bits of pixels
        {-kMax, kMax, -kMax, kMax, 900, false},   // the width overflows to infinity
        {1e300L, 1e301L, -1e301L, 1e300L, 0, false},
    };
    for (const Case& c : cases) {
        TEquationLabel t;
        t.left = c.left;
        t.right = c.right;
        t.bottom = c.bottom;
        t.top = c.top;
        t.font.escapement = c.escapement;
        const TextList list{t};
        const auto hit = TextAtPoint(list, {210, 210}, view, {});
        EXPECT_EQ(hit.has_value(), c.hit) << static_cast<double>(c.right) << " " << c.escapement;
        if (!hit) continue;
        EXPECT_LE(std::abs(hit->size.width()), 1 << 24);
        EXPECT_LE(std::abs(hit->size.height()), 1 << 24);
    }
}

}  // namespace
}  // namespace quorlin::canvas
