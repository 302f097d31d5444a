#include "examples/records/record_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "core/errors.h"

namespace quorlin::examples {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Write>
Bytes Laid(Write write) {
    ByteWriter out;
    write(out);
    return out.Take();
}

// Gives each field a value of its own and lays the value out at the field's offset, little-endian,
// independent of the codec: the expected bytes of a record built field by field.
struct Layout {
    Bytes bytes;

    explicit Layout(std::size_t size) : bytes(size, 0) {}
    void Put16(std::size_t at, int v) {
        bytes[at] = static_cast<std::uint8_t>(v & 0xff);
        bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
    }
    void operator()(std::int16_t& field, std::size_t at) {
        field = static_cast<std::int16_t>(1000 - 37 * static_cast<int>(at));
        Put16(at, field);
    }
    void operator()(std::uint16_t& field, std::size_t at) {
        field = static_cast<std::uint16_t>(40000 + at);
        Put16(at, field);
    }
    void operator()(std::uint8_t& field, std::size_t at) {
        field = static_cast<std::uint8_t>(at);
        bytes[at] = field;
    }
    void operator()(long double& field, std::size_t at) {
        field = static_cast<long double>(at) + 0.25L;
        EncodeLongDouble(field, &bytes[at]);
    }
    void operator()(Vec3& v, std::size_t at) {
        (*this)(v.x, at);
        (*this)(v.y, at + 10);
        (*this)(v.z, at + 20);
    }
};

void PutString(Bytes& b, const std::string& text) {
    b.push_back(static_cast<std::uint8_t>((text.size() + 1) & 0xff));
    b.push_back(static_cast<std::uint8_t>((text.size() + 1) >> 8));
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(0);
}

// A 303 with a value of its own in every field, texts, trees and lists (which leave the pointer
// bytes 467-546 zero), and pen (17, 3, -1).
Layout SampleExample(TExample& e) {
    e.Init(kind::kParametricSurface, 17, 50);
    Layout put(kExampleRecordBytes);
    put.Put16(0, 303);
    put(e.derivation, 2);
    put(e.parent[0], 4), put(e.parent[1], 6), put(e.derivationParam, 8), put(e.order, 10);
    put(e.density, 12), put(e.fieldRows, 14), put(e.fieldDisplay, 16);
    put(e.fieldLengthPercent, 18), put(e.extraColour[0], 20), put(e.extraColour[1], 22);
    put(e.subKind, 24), put(e.listing, 26), put(e.familyDelay, 28), put(e.sizeWord, 30);
    put(e.kindSlots.word32, 32), put(e.kindSlots.word34, 34), put(e.kindSlots.word36, 36),
        put(e.kindSlots.word38, 38);
    put(e.familyLetter, 40), put(e.familySteps, 42), put(e.tableSteps, 44);
    put(e.familyOn, 46), put(e.lockInterval, 47), put(e.graphShown, 48), put(e.jumpsOff, 49);
    put(e.restrictOn, 50), put(e.optionCheck, 51), put(e.recompute, 52), put(e.solverOption, 53);
    put(e.surfaceOption, 54), put(e.kindSlots.byte55, 55), put(e.kindSlots.byte56, 56),
        put(e.periodic, 57);
    put(e.kindSlots.byte58, 58), put(e.kindSlots.byte59, 59), put(e.kindSlots.byte60, 60);
    put(e.fieldFactor, 61), put(e.familyLow, 71), put(e.familyHigh, 81);
    put(e.tableLow, 91), put(e.tableHigh, 101);
    put(e.divisions[0], 111), put(e.divisions[1], 113), put(e.divisions[2], 115);
    put(e.slicePoints[0], 117), put(e.slicePoints[1], 119);
    put(e.rangeLow[0], 121), put(e.rangeLow[1], 131);
    put(e.rangeHigh[0], 141), put(e.rangeHigh[1], 151);
    put(e.boxMin, 161), put(e.boxMax, 191), put(e.box2Min, 221), put(e.box2Max, 251);
    for (std::size_t i = 0; i < e.numbers.size(); ++i) put(e.numbers[i], 281 + 10 * i);
    e.pen = {17, 3, 0xffff};
    put.Put16(461, 17), put.Put16(463, 3), put.Put16(465, 0xffff);
    e.Text(1) = "x";
    e.Tree(1) = TExprNode::NewConst(1);
    e.trajectories.emplace_back();
    e.markedPoints.emplace_back();
    return put;
}

TEST(ExampleRecordCodec, EveryFieldAtItsOffsetAndBack) {
    TExample sample;
    Layout layout = SampleExample(sample);
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteExampleRecord(out, sample, false); }), layout.bytes);

    layout.Put16(461, 1017);  // the family mark
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteExampleRecord(out, sample, true); }), layout.bytes);
    TExample read;
    bool mark = false;
    ByteReader in(layout.bytes);
    ASSERT_TRUE(ReadExampleRecord(in, 41, read, mark));
    EXPECT_TRUE(in.AtEnd() && mark);
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteExampleRecord(out, read, true); }), layout.bytes);
    // The texts, trees and lists travel apart from the record.
    EXPECT_TRUE(read.Text(1).empty() && !read.Tree(1) && read.trajectories.empty() &&
                read.markedPoints.empty());
}

TEST(ExampleRecordCodec, ReadingByKindVersionAndColour) {
    struct Case {
        int kind, subKind, byte59, colour, version;
        bool mark;
        int readColour, restrict;
        std::size_t points;
    };
    const Case cases[] = {
        {201, 0, 0, 1007, 41, true, 7, 1, 0},         {201, 0, 0, 999, 41, false, 999, 1, 0},
        {201, 0, 1, 7, 41, false, 7, 1, 9},           {204, 0, 0, 7, 10, false, 7, 0, 0},
        {204, 0, 0, 7, 11, false, 7, 1, 0},           {305, 0, 0, 7, 10, false, 7, 0, 0},
        {210, 0, 0, 7, 10, false, 7, 1, 0},           {307, 204, 0, 7, 41, false, 7, 1, 0},
        {307, 203, 0, 1060, 41, true, 60, 1, 10 * 12}};
    for (const Case& c : cases) {
        Layout layout(kExampleRecordBytes);
        layout.Put16(0, c.kind), layout.Put16(24, c.subKind), layout.Put16(461, c.colour);
        layout.bytes[50] = 1, layout.bytes[59] = static_cast<std::uint8_t>(c.byte59);
        layout.Put16(111, 9), layout.Put16(113, 11);  // the grid counts of a mesh
        TExample read;
        bool mark = !c.mark;
        ByteReader in(layout.bytes);
        ASSERT_TRUE(ReadExampleRecord(in, c.version, read, mark));
        // The arrays are asked for, not given: the body reader weighs them first.
        EXPECT_EQ(std::tuple(mark, read.pen.colour, read.restrictOn, read.ArraySizes().points,
                             read.ArrayMemory()),
                  std::tuple(c.mark, c.readColour, c.restrict, c.points, 0u))
            << c.kind;
    }
    TExample kept;
    kept.Init(202, 5, 50);
    bool mark = false;
    const Bytes oneShort(kExampleRecordBytes - 1, 0);
    ByteReader shortRecord(oneShort);
    EXPECT_FALSE(ReadExampleRecord(shortRecord, 41, kept, mark));
    EXPECT_EQ(kept.kind, 202);
}

// A trajectory of the kind with a value of its own in every field of its 95 file bytes.
Layout SampleTrajectory(TTrajectory& t, int kind) {
    Layout put(kTrajectoryRecordBytes);
    put(t.startX, 0), put(t.startY, 10), put(t.startZ, 20);
    t.kind = static_cast<std::uint16_t>(kind);
    put.Put16(30, kind);
    put(t.flag, 32), put(t.startTime, 33), put(t.endTime, 43);
    put(t.option1, 53), put(t.option2, 55), put(t.spare, 57), put(t.step, 67);
    put(t.sequenceNumber, 77), put(t.pen.colour, 79), put(t.pen.width, 81), put(t.pen.style, 83);
    put(t.treeOf[0], 85), put(t.treeOf[1], 87), put(t.treeOf[2], 89);
    return put;
}

TEST(TrajectoryCodec, ListOfRecordsWithTheirStartValueTexts) {
    TrajectoryList list(3);
    list[1].AllocTexts();
    list[1].texts[0] = "1;0";
    list[2].AllocTexts();
    list[2].texts = {"a", "b", "", "d"};
    Bytes expected{3, 0};
    const int kinds[] = {210, 220, 1210};
    for (std::size_t i = 0; i < 3; ++i) {
        const Bytes record = SampleTrajectory(list[i], kinds[i]).bytes;
        expected.insert(expected.end(), record.begin(), record.end());
        if (i == 1) PutString(expected, "1;0");
    }
    for (const char* text : {"a", "b", "", "d"}) PutString(expected, text);
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteTrajectoryList(out, list); }), expected);

    TrajectoryList read;
    ByteReader in(expected);
    ASSERT_EQ(ReadTrajectoryList(in, read), kNoError);
    EXPECT_TRUE(in.AtEnd() && !read[0].hasTexts);
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteTrajectoryList(out, read); }), expected);
    EXPECT_EQ(read[2].texts, list[2].texts);
}

// The initial values of a derx(n,y) trajectory are a list that may run long: the whole text is
// written and read, up to its reader's 20000-byte buffer, in the same layout as a short one (a
// file holding a text of 255 characters or fewer reads as before). A formula start value keeps
// the 255 characters of its buffer.
TEST(TrajectoryCodec, TheInitialValuesOfADerxTrajectoryKeepTheirWholeText) {
    std::string values;
    for (int k = 0; values.size() < 1500; ++k) values += std::to_string(k) + "/7;";
    const struct {
        int kind;
        std::string text;
        std::size_t kept;
    } rows[] = {{220, values, values.size()},
                {220, std::string(255, '1'), 255},
                {220, std::string(19999, '2'), 19999},
                {220, std::string(25000, '3'), 19999},
                {1220, std::string(300, '4'), 255}};
    for (const auto& row : rows) {
        TrajectoryList list(1);
        TTrajectory& t = list[0];
        const Bytes record = SampleTrajectory(t, row.kind).bytes;
        t.AllocTexts();
        t.texts[0] = row.text;
        Bytes expected{1, 0};
        expected.insert(expected.end(), record.begin(), record.end());
        PutString(expected, row.text.substr(0, row.kept));
        if (row.kind > 1000)
            for (int j = 1; j < 4; ++j) PutString(expected, "");
        EXPECT_EQ(Laid([&](ByteWriter& out) { WriteTrajectoryList(out, list); }), expected)
            << row.kind << " " << row.text.size();
        TrajectoryList read;
        ByteReader in(expected);
        ASSERT_EQ(ReadTrajectoryList(in, read), kNoError) << row.text.size();
        EXPECT_EQ(read[0].texts[0], row.text.substr(0, row.kept));
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(ListCodecs, DamagedTrajectoryPointAndSketchListsAreRefusedAndLeaveTheList) {
    // A count beyond the records, a start-value text missing, an initial-values text beyond
    // its 20000-byte buffer.
    const auto trajectories = [](int count, int kind, const std::vector<std::string>& texts) {
        TTrajectory t;
        Bytes b{static_cast<std::uint8_t>(count), 0};
        const Bytes record = SampleTrajectory(t, kind).bytes;
        b.insert(b.end(), record.begin(), record.end());
        for (const std::string& text : texts) PutString(b, text);
        return b;
    };
    for (const Bytes& bytes :
         {trajectories(2, 1210, {"", "", "", ""}), trajectories(1, 1210, {"a"}),
          trajectories(1, 220, {std::string(20000, 'x')})}) {
        TrajectoryList list(1);
        ByteReader in(bytes);
        EXPECT_EQ(ReadTrajectoryList(in, list), kErrCannotOpenFile);
        EXPECT_EQ(list.size(), 1u);
    }
    Bytes pointCountTooLarge(2 + kMarkedPointBytes, 0);
    pointCountTooLarge[0] = 2;
    MarkedPointList points(1);
    ByteReader pointsIn(pointCountTooLarge);
    EXPECT_EQ(ReadMarkedPointList(pointsIn, points), kErrCannotOpenFile);
    EXPECT_EQ(points.size(), 1u);
    // Sketches: a negative count, fewer records than counted, and a point type that is none or
    // a point before any head.
    auto withCount = [](int count, std::size_t records, int firstType) {
        Layout b(4 + records * kSketchPointBytes);
        b.Put16(0, count), b.Put16(2, count < 0 ? 0xffff : 0);
        if (records > 0) b.Put16(4 + 20, firstType);
        return b.bytes;
    };
    for (const Bytes& bytes : {withCount(-1, 0, 0), withCount(2, 1, 0), withCount(1, 1, 3),
                               withCount(1, 1, TSketchPoint::kPoint)}) {
        SketchList list(1);
        ByteReader in(bytes);
        EXPECT_EQ(ReadSketchList(in, list), kErrCannotOpenFile);
        EXPECT_EQ(list.size(), 1u);
    }
}

TEST(MarkedPointCodec, SeventyEightBytesAndTheLabelKeepsItsTerminator) {
    TMarkedPoint point;
    Layout put(kMarkedPointBytes);
    put(point.code, 0), put(point.values[0], 2), put(point.values[1], 12);
    put(point.values[2], 22), put(point.values[3], 32), put(point.word, 72);
    point.label = "100x100 integration";
    std::memcpy(&put.bytes[42], point.label.data(), point.label.size());
    Bytes list{1, 0};
    list.insert(list.end(), put.bytes.begin(), put.bytes.end());
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteMarkedPointList(out, {point}); }), list);
    MarkedPointList read;
    ByteReader in(list);
    ASSERT_EQ(ReadMarkedPointList(in, read), kNoError);
    EXPECT_EQ(read, MarkedPointList{point});

    point.label = std::string(40, 'a');
    const Bytes written = Laid([&](ByteWriter& out) { WriteMarkedPoint(out, point); });
    EXPECT_EQ(written[42 + 28], 'a');
    EXPECT_EQ(written[42 + 29], 0);
    std::memset(&put.bytes[42], 'b', 30);  // no terminator in the file
    ByteReader unterminated(put.bytes);
    ASSERT_TRUE(ReadMarkedPoint(unterminated, point));
    EXPECT_EQ(point.label, std::string(29, 'b'));
}

TEST(SketchCodec, HeadsCarryThePenPointsTheirCoordinates) {
    const SketchList list = {{TSketchPoint::kHead, 0, 0, {0x00102030, 3, 2}},
                             {TSketchPoint::kPoint, 1.5L, -2.25L, {}},
                             {TSketchPoint::kEnd, 4, 5, {}}};
    Layout put(4 + 3 * kSketchPointBytes);
    put.Put16(0, 3);  // the count, then the head's pen (colour in two words, width, style)
    put.Put16(4, 0x2030), put.Put16(6, 0x0010), put.Put16(8, 3), put.Put16(10, 2);
    EncodeLongDouble(1.5L, &put.bytes[30]), EncodeLongDouble(-2.25L, &put.bytes[40]);
    put.Put16(50, 1);  // a point, then the end
    EncodeLongDouble(4, &put.bytes[56]), EncodeLongDouble(5, &put.bytes[66]);
    put.Put16(76, 2);
    EXPECT_EQ(Laid([&](ByteWriter& out) { WriteSketchList(out, list); }), put.bytes);
    SketchList read;
    ByteReader in(put.bytes);
    ASSERT_EQ(ReadSketchList(in, read), kNoError);
    EXPECT_EQ(read, list);
}

}  // namespace
}  // namespace quorlin::examples
