#include "examples/records/record_codec.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "core/errors.h"
#include "core/file_strings.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

// The bytes of the pointer fields: seven texts, four arrays, the trajectory head, seven trees
// and the marked-point head of an example; the next link of a trajectory, marked point or
// sketch record.
constexpr std::size_t kExamplePointerBytes = 80;
constexpr std::size_t kLinkBytes = 4;
constexpr std::size_t kMaxListCount = std::numeric_limits<std::uint16_t>::max();

// The field lists below serve both directions: with a ByteWriter and a const record they
// write, with a ByteReader and a record they read, so the two can never disagree on an offset.

template <class IO, class V>
void Vector(IO& io, V& v) {
    io.LongDouble(v.x);
    io.LongDouble(v.y);
    io.LongDouble(v.z);
}

// Offsets 0-460 of the example record: everything before the pen.
template <class IO, class Ex>
void ExampleFields(IO& io, Ex& ex) {
    io.I16(ex.kind);  // 0
    io.U16(ex.derivation);
    for (auto& p : ex.parent) io.I16(p);  // 4, 6
    io.I16(ex.derivationParam);
    io.I16(ex.order);
    io.I16(ex.density);
    io.I16(ex.fieldRows);  // 14
    io.I16(ex.fieldDisplay);
    io.I16(ex.fieldLengthPercent);
    for (auto& c : ex.extraColour) io.I16(c);
    io.I16(ex.subKind);  // 24
    io.I16(ex.listing);
    io.I16(ex.familyDelay);
    io.I16(ex.sizeWord);
    io.I16(ex.kindSlots.word32);  // 32
    io.I16(ex.kindSlots.word34);
    io.I16(ex.kindSlots.word36);
    io.I16(ex.kindSlots.word38);
    io.I16(ex.familyLetter);  // 40
    io.I16(ex.familySteps);
    io.I16(ex.tableSteps);
    // 46-60
    for (auto* b : {&ex.familyOn, &ex.lockInterval, &ex.graphShown, &ex.jumpsOff, &ex.restrictOn,
                    &ex.optionCheck, &ex.recompute, &ex.solverOption, &ex.surfaceOption,
                    &ex.kindSlots.byte55, &ex.kindSlots.byte56, &ex.periodic, &ex.kindSlots.byte58,
                    &ex.kindSlots.byte59, &ex.kindSlots.byte60})
        io.U8(*b);
    io.LongDouble(ex.fieldFactor);  // 61
    io.LongDouble(ex.familyLow);
    io.LongDouble(ex.familyHigh);
    io.LongDouble(ex.tableLow);
    io.LongDouble(ex.tableHigh);
    for (auto& d : ex.divisions) io.I16(d);  // 111
    for (auto& s : ex.slicePoints) io.I16(s);
    io.LongDouble(ex.rangeLow[0]);  // 121
    io.LongDouble(ex.rangeLow[1]);
    io.LongDouble(ex.rangeHigh[0]);
    io.LongDouble(ex.rangeHigh[1]);
    Vector(io, ex.boxMin);  // 161
    Vector(io, ex.boxMax);
    Vector(io, ex.box2Min);
    Vector(io, ex.box2Max);
    for (auto& n : ex.numbers) io.LongDouble(n);  // 281..451: number k at 281 + 10 k
}

template <class IO, class Pen>
void PenFields(IO& io, Pen& pen) {
    io.I16(pen.colour);
    io.U16(pen.width);
    io.U16(pen.style);
}

// Offsets 0-90 of the trajectory record.
template <class IO, class T>
void TrajectoryFields(IO& io, T& t) {
    io.LongDouble(t.startX);
    io.LongDouble(t.startY);
    io.LongDouble(t.startZ);
    io.U16(t.kind);
    io.U8(t.flag);
    io.LongDouble(t.startTime);
    io.LongDouble(t.endTime);
    io.U16(t.option1);
    io.U16(t.option2);
    io.LongDouble(t.spare);
    io.LongDouble(t.step);
    io.U16(t.sequenceNumber);
    PenFields(io, t.pen);
    for (auto& tree : t.treeOf) io.I16(tree);
}

// Offsets 0-73 of the marked point.
template <class IO, class P>
void MarkedPointFields(IO& io, P& p) {
    io.U16(p.code);
    for (auto& v : p.values) io.LongDouble(v);
    io.FixedText(p.label, TMarkedPoint::kLabelBytes);
    io.U16(p.word);
}

// How many start-value texts follow a trajectory's record in a file.
int StoredTextCount(int kind) {
    if (kind > TTrajectory::kFormulaKindOffset) return TTrajectory::kTextCount;
    return kind == k::kHigherOrder ? 1 : 0;
}

// A list of records after its 16-bit count; a file keeps at most kMaxListCount of them.
template <class List, class WriteRecord>
void WriteCountedList(ByteWriter& out, const List& list, WriteRecord writeRecord) {
    const std::size_t count = std::min(list.size(), kMaxListCount);
    out.U16(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) writeRecord(out, list[i]);
}

// Reads what WriteCountedList wrote: the count is checked against the bytes left (at least
// recordBytes a record) before anything is allocated, and the list is replaced only when every
// record was read.
template <class List, class ReadRecord>
int ReadCountedList(ByteReader& in, std::size_t recordBytes, List& list, ReadRecord readRecord) {
    std::uint16_t count = 0;
    if (!in.U16(count) || !in.CanRead(count, recordBytes)) return kErrCannotOpenFile;
    List read(count);
    for (auto& record : read)
        if (!readRecord(in, record)) return kErrCannotOpenFile;
    list = std::move(read);
    return kNoError;
}

// A trajectory's record and the start-value texts its kind keeps.
void WriteTrajectoryWithTexts(ByteWriter& out, const TTrajectory& t) {
    WriteTrajectoryRecord(out, t);
    const std::size_t capacity = StartTextCapacity(t.kind);
    for (int j = 0; j < StoredTextCount(t.kind); ++j) {
        const std::string_view text =
            t.hasTexts ? std::string_view(t.texts[static_cast<std::size_t>(j)]) : "";
        WriteString(out, text.substr(0, capacity - 1), capacity);
    }
}

bool ReadTrajectoryWithTexts(ByteReader& in, TTrajectory& t) {
    if (!ReadTrajectoryRecord(in, t)) return false;
    const int texts = StoredTextCount(t.kind);
    const std::size_t capacity = StartTextCapacity(t.kind);
    if (texts > 0) t.AllocTexts();
    for (int j = 0; j < texts; ++j)
        if (ReadString(in, t.texts[static_cast<std::size_t>(j)], capacity) != kNoError)
            return false;
    return true;
}

}  // namespace

// ------------------------------------------------------------------------------ example

void WriteExampleRecord(ByteWriter& out, const TExample& example, bool familyMark) {
    ExampleFields(out, example);
    TPenSpec pen = example.pen;
    if (familyMark) pen.colour = static_cast<std::int16_t>(pen.colour + kFamilyMarkColourOffset);
    PenFields(out, pen);
    out.Zeros(kExamplePointerBytes);
}

bool ReadExampleRecord(ByteReader& in, int fileVersion, TExample& example, bool& familyMark) {
    TExample read;
    ExampleFields(in, read);
    PenFields(in, read.pen);
    in.Skip(kExamplePointerBytes);
    if (in.Failed()) return false;
    familyMark = read.pen.colour >= kFamilyMarkColourOffset;
    if (familyMark) read.pen.colour = read.pen.colour % kFamilyMarkColourOffset;
    if (fileVersion < 11 && (read.kind == k::kImplicit || read.kind == k::kImplicitSurface))
        read.restrictOn = 0;
    example = std::move(read);
    return true;
}

// ------------------------------------------------------------------------------ trajectories

std::size_t StartTextCapacity(int trajectoryKind) {
    return trajectoryKind == k::kHigherOrder ? kInitialValuesCapacity : kTextCapacity;
}

void WriteTrajectoryRecord(ByteWriter& out, const TTrajectory& trajectory) {
    TrajectoryFields(out, trajectory);
    out.Zeros(kLinkBytes);
}

bool ReadTrajectoryRecord(ByteReader& in, TTrajectory& trajectory) {
    TTrajectory read;
    TrajectoryFields(in, read);
    in.Skip(kLinkBytes);
    if (in.Failed()) return false;
    trajectory = std::move(read);
    return true;
}

void WriteTrajectoryList(ByteWriter& out, const TrajectoryList& list) {
    WriteCountedList(out, list, WriteTrajectoryWithTexts);
}

int ReadTrajectoryList(ByteReader& in, TrajectoryList& list) {
    return ReadCountedList(in, kTrajectoryRecordBytes, list, ReadTrajectoryWithTexts);
}

// ------------------------------------------------------------------------------ marked points

void WriteMarkedPoint(ByteWriter& out, const TMarkedPoint& point) {
    MarkedPointFields(out, point);
    out.Zeros(kLinkBytes);
}

bool ReadMarkedPoint(ByteReader& in, TMarkedPoint& point) {
    TMarkedPoint read;
    MarkedPointFields(in, read);
    in.Skip(kLinkBytes);
    if (in.Failed()) return false;
    read.label.resize(std::min(read.label.size(), TMarkedPoint::kLabelBytes - 1));
    point = std::move(read);
    return true;
}

void WriteMarkedPointList(ByteWriter& out, const MarkedPointList& list) {
    WriteCountedList(out, list, WriteMarkedPoint);
}

int ReadMarkedPointList(ByteReader& in, MarkedPointList& list) {
    return ReadCountedList(in, kMarkedPointBytes, list, ReadMarkedPoint);
}

// ------------------------------------------------------------------------------ sketch

void WriteSketchPoint(ByteWriter& out, const TSketchPoint& point) {
    if (point.type == TSketchPoint::kHead) {
        // A head keeps its pen where the other records keep x; y is zero.
        out.U32(point.pen.colour);
        out.I16(point.pen.width);
        out.I16(point.pen.style);
        out.Zeros(2 + kLongDoubleBytes);
    } else {
        out.LongDouble(point.x);
        out.LongDouble(point.y);
    }
    out.U16(point.type);
    out.Zeros(kLinkBytes);
}

bool ReadSketchPoint(ByteReader& in, TSketchPoint& point) {
    std::array<std::uint8_t, 2 * kLongDoubleBytes> coordinates{};
    TSketchPoint read;
    in.Bytes(coordinates);
    in.U16(read.type);
    in.Skip(kLinkBytes);
    if (in.Failed() || read.type > TSketchPoint::kEnd) return false;
    if (read.type == TSketchPoint::kHead) {
        ByteReader pen(coordinates);
        pen.U32(read.pen.colour);
        pen.I16(read.pen.width);
        pen.I16(read.pen.style);
    } else {
        read.x = DecodeLongDouble(coordinates.data());
        read.y = DecodeLongDouble(coordinates.data() + kLongDoubleBytes);
    }
    point = read;
    return true;
}

void WriteSketchList(ByteWriter& out, const SketchList& list) {
    const std::size_t count =
        std::min(list.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
    out.I32(static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) WriteSketchPoint(out, list[i]);
}

int ReadSketchList(ByteReader& in, SketchList& list) {
    std::int32_t count = 0;
    if (!in.I32(count) || count < 0 ||
        !in.CanRead(static_cast<std::size_t>(count), kSketchPointBytes))
        return kErrCannotOpenFile;
    SketchList read(static_cast<std::size_t>(count));
    for (TSketchPoint& point : read)
        if (!ReadSketchPoint(in, point)) return kErrCannotOpenFile;
    if (!read.empty() && read.front().type != TSketchPoint::kHead) return kErrCannotOpenFile;
    list = std::move(read);
    return kNoError;
}

}  // namespace quorlin::examples
