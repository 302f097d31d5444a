#include "examples/diagram/diagram_body.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/errors.h"
#include "core/file_strings.h"
#include "core/numbers.h"
#include "examples/records/record_codec.h"
#include "examples/records/record_validator.h"
#include "examples/records/stored_forms.h"
#include "formula/formula_context.h"
#include "shell/records/file_head.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr std::size_t kReservedBytes = 3 * 17;
constexpr std::size_t kBitmapNameBytes = 256;
constexpr std::size_t kSmallestString = 3;  // length word and terminator
constexpr int kMaxListCount = std::numeric_limits<std::int16_t>::max();
// Versions that changed what the body holds.
constexpr int kSliderStepsVersion = 32;
constexpr int kSketchVersion = 24;
constexpr int kCoordinateGroupsVersion = 30;
constexpr int kRangeTextVersion = 34;
constexpr int kLetterPairVersion = 35;
constexpr int kParameterTextVersion = 36;
constexpr int kThirdTextVersion = 37;

// The fewest bytes an example group can take: its record, two empty lists, seven empty texts
// and its name.
std::size_t SmallestExampleGroup(std::size_t nameBytes) {
    return kExampleRecordBytes + 2 + 2 + TExample::kTextCount * kSmallestString + nameBytes;
}

bool Finite(std::complex<long double> v) {
    return std::isfinite(v.real()) && std::isfinite(v.imag());
}

// ============================================================================== writing

TBodyMarkers MarkersOf(const TDiagramBody& body) {
    TBodyMarkers m;
    m.lastIndex = body.inventory.LastIndex();
    m.nameLength = kStoredNameLength;
    m.protectionMask = body.protection.Mask();
    m.backgroundBitmap = body.backgroundBitmap.has_value();
    m.evalTexts = !body.evalTexts.empty();
    m.notebook = body.notebook.has_value();
    return m;
}

// Implicit curves and surfaces are marked so on every reading.
bool MarkedImplicit(int kindCode) {
    return kindCode == k::kImplicit || kindCode == k::kImplicitSurface;
}

// The record as the file keeps it: the points of a polynomial through points in its numbers,
// a stepped surface of revolution with the division count it was stepped from, an implicit
// kind with the mark reading gives it anyway (so that a diagram read and saved again is the
// same file).
TExample StoredRecord(const TInventoryEntry& entry) {
    const TExample& e = entry.example;
    TExample record;
    record.kind = e.kind;
    record.CopyFrom(e, false);
    if (MarkedImplicit(e.kind)) record.SlowDrawing() = 1;
    if (e.IsLagrangeExplicit()) StoreLagrangePoints(e, record);
    if (e.kind == k::kRevolution && entry.revolutionSteppedCount != 0 &&
        e.divisions[0] == entry.revolutionSteppedCount)
        record.divisions[0] = entry.revolutionBaseCount;
    return record;
}

int WriteExampleGroup(ByteWriter& out, const TInventoryEntry& entry) {
    const TExample& e = entry.example;
    WriteExampleRecord(out, StoredRecord(entry), entry.familyMark != 0);
    if (e.kind == k::kOrbital)
        WriteTrajectoryList(out, StoreBodiesInTrajectories(e));
    else
        WriteTrajectoryList(out, e.trajectories);
    WriteMarkedPointList(out, e.markedPoints);
    for (const std::string& text : e.texts)
        if (!WriteString(out, text)) return kErrTooLarge;
    out.FixedText(entry.name, kStoredNameLength + 1);
    return kNoError;
}

void WriteParameterTables(ByteWriter& out, const TParameterTables& p, bool complexMode) {
    for (const auto* table : {&p.left, &p.value, &p.right})
        for (const auto& v : *table) {
            out.LongDouble(v.real());
            if (complexMode) out.LongDouble(v.imag());
        }
}

// The blocks after the examples.
int WriteTail(ByteWriter& out, const TDiagramBody& body) {
    for (const std::string& label : body.axisLabels)
        if (!WriteString(out, label)) return kErrTooLarge;
    if (body.protection.Mask() != 0 && !body.protection.WriteProtection(out)) return kErrTooLarge;
    WriteParameterTables(out, body.parameters, body.settings.complexMode);
    out.Zeros(kReservedBytes);
    out.Bytes(body.userFunctions.bytes);
    const auto fits = [](std::size_t n) { return n <= static_cast<std::size_t>(kMaxListCount); };
    if (!fits(body.texts.size()) || !fits(body.pictures.size()) ||
        !fits(body.equationLabels.size()) || body.evalTexts.size() > canvas::kEvalTextSlots)
        return kErrTooLarge;
    canvas::WriteTexts(out, body.texts);
    if (!body.evalTexts.empty()) canvas::WriteEvalTexts(out, body.evalTexts, body.evalTable);
    canvas::WritePictures(out, body.pictures);
    canvas::WriteTexts(out, body.equationLabels);
    WriteShadeList(out, body.shading);
    WriteSketchList(out, body.sketch);
    if (body.notebook && WriteNotebook(out, *body.notebook) != kNoError) return kErrTooLarge;
    if (body.backgroundBitmap) {
        if (body.backgroundBitmap->size() >= kBitmapNameBytes) return kErrTooLarge;
        out.FixedText(*body.backgroundBitmap, kBitmapNameBytes);
    }
    return kNoError;
}

// ============================================================================== reading

// An example group as the file holds it, before its arrays are given.
struct TReadGroup {
    TExample example;
    std::string name;
    bool familyMark = false;
};

class BodyReader {
public:
    BodyReader(ByteReader& in, int version, const TBodyWindow& window)
        : in_(in), version_(version), window_(window) {}

    int Read(TDiagramBody& body);

private:
    int ReadExamples();
    int ReadExampleGroup(TReadGroup& group);
    int AddExample(TReadGroup group, int index);
    void Remember(const TExample& e, int index);
    void ConvertRecord(TExample& e, int index);
    int ReadParameterTables();
    int ReadUserFunctions();
    int ReadOverlays();
    int ReadShapes();
    int ReadNotebookAndBitmap();

    ByteReader& in_;
    const int version_;
    const TBodyWindow window_;
    TBodyMarkers markers_;
    TDiagramBody body_;
};

int BodyReader::Read(TDiagramBody& body) {
    body_.settings = body.settings;
    body_.sliderSteps = body.sliderSteps;
    int error = ReadSettingsBlocks(in_, version_, body_.settings, markers_);
    if (!error && version_ >= kSliderStepsVersion) error = ReadSliderSteps(in_, body_.sliderSteps);
    if (!error) error = ReadExamples();
    for (std::string& label : body_.axisLabels)
        if (!error) error = ReadString(in_, label);
    if (!error && markers_.protectionMask != 0) {
        body_.protection.SetMaskFromFile(markers_.protectionMask);
        error = body_.protection.ReadProtection(in_);
    }
    if (!error) error = ReadParameterTables();
    if (!error && !in_.Skip(kReservedBytes)) error = kErrCannotOpenFile;
    if (!error) error = ReadUserFunctions();
    if (!error) error = ReadOverlays();
    if (!error) error = ReadShapes();
    if (!error) error = ReadNotebookAndBitmap();
    if (!error && in_.Failed()) error = kErrCannotOpenFile;
    if (error) return error;
    body = std::move(body_);
    return kNoError;
}

// The records first, then their arrays: what the arrays of all examples take is weighed
// before any of them is allocated (a 2 MB file of surfaces may ask for gigabytes of meshes).
int BodyReader::ReadExamples() {
    const int count = markers_.lastIndex + 1;
    if (markers_.lastIndex > TInventory::kMaxCapacity) return kErrCannotOpenFile;
    const std::size_t nameBytes =
        markers_.nameLength > 0 ? static_cast<std::size_t>(markers_.nameLength) + 1 : 0;
    if (!in_.CanRead(static_cast<std::size_t>(count), SmallestExampleGroup(nameBytes)))
        return kErrCannotOpenFile;
    std::vector<TReadGroup> groups(static_cast<std::size_t>(std::max(count, 0)));
    std::size_t arrays = 0;
    for (TReadGroup& group : groups) {
        if (const int error = ReadExampleGroup(group)) return error;
        arrays += MemoryOf(group.example.ArraySizes());
    }
    if (arrays > kMostArrayMemory) return kErrNoMoreRoom;
    body_.inventory.SetCapacity(std::min(markers_.lastIndex + 10, TInventory::kMaxCapacity), false);
    for (int i = 0; i < count; ++i)
        if (const int error = AddExample(std::move(groups[static_cast<std::size_t>(i)]), i))
            return error;
    return kNoError;
}

int BodyReader::ReadExampleGroup(TReadGroup& group) {
    TExample& e = group.example;
    if (!ReadExampleRecord(in_, version_, e, group.familyMark)) return kErrCannotOpenFile;
    if (window_.mapOrLog) group.familyMark = false;
    if (ReadTrajectoryList(in_, e.trajectories) != kNoError ||
        ReadMarkedPointList(in_, e.markedPoints) != kNoError)
        return kErrCannotOpenFile;
    for (std::string& text : e.texts)
        if (ReadString(in_, text) != kNoError) return kErrCannotOpenFile;
    if (markers_.nameLength > 0) {
        const auto length = static_cast<std::size_t>(markers_.nameLength);
        if (!in_.FixedText(group.name, length + 1)) return kErrCannotOpenFile;
        group.name.resize(std::min(group.name.size(), length));
    }
    return kNoError;
}

int BodyReader::AddExample(TReadGroup group, int index) {
    TExample& e = group.example;
    e.ReshapeArrays();
    ConvertRecord(e, index);
    MendStoredValues(e);
    const TRecordFault fault = ValidateExample(e, index);
    if (!fault.Ok()) return fault.error;
    Remember(e, index);
    body_.inventory.Append(std::move(e));
    TInventoryEntry& entry = body_.inventory.Entry(index);
    entry.name = std::move(group.name);
    entry.familyMark = group.familyMark ? 1 : 0;
    return kNoError;
}

void BodyReader::Remember(const TExample& e, int index) {
    switch (e.kind % 100) {
        case 10:
            body_.remembered.system = index;
            break;
        case 11:
            body_.remembered.slope = index;
            break;
        case 12:
            body_.remembered.sequence = index;
            break;
        case 20:
            body_.remembered.higherOrder = index;
            break;
        default:
            break;
    }
    if (e.kind >= k::kComplexMap && e.kind <= k::kTripleMap) body_.remembered.map = index;
}

// What the record of a file needs before it is an example of this program: the per-kind
// contents that travel in other fields, and the conversions of older versions.
void BodyReader::ConvertRecord(TExample& e, int index) {
    if (MarkedImplicit(e.kind)) e.SlowDrawing() = 1;
    if (e.kind == k::kPlotPoints) {
        const std::vector<long double> numbers = ScanNumbers(e.Text(4));
        const std::size_t n = std::min(numbers.size(), e.values.size());
        std::copy_n(numbers.begin(), n, e.values.begin());
        e.PlotPointCount() = static_cast<std::int16_t>(n);
    }
    if (e.kind == k::kOrbital) CopyBodyListToTable(e);
    if (e.IsLagrangeExplicit()) RestoreLagrangePoints(e);
    if (version_ < kCoordinateGroupsVersion && e.kind % 100 == 9)
        RebuildCoordinateGroups(e, window_.dimension);
    // A map or logarithmic window names the parameter of its first example's curve "t"; a
    // second text the example uses is its own and stays.
    if (window_.mapOrLog && index == 0 && e.Text(2).empty()) e.Text(2) = "t";
    NumberFormat format;
    format.places = body_.settings.decimalPlaces;
    format.NumberFormatChanged();
    if (version_ < kRangeTextVersion) UpgradeRangeText(e, format);
    if (version_ < kLetterPairVersion) UpgradeLetterPairText(e, format);
    if (version_ < kParameterTextVersion) UpgradeParameterText(e, format);
    if (version_ < kThirdTextVersion) UpgradeThirdText(e, format);
}

int BodyReader::ReadParameterTables() {
    TParameterTables& p = body_.parameters;
    const bool complexMode = body_.settings.complexMode;
    for (auto* table : {&p.left, &p.value, &p.right})
        for (auto& v : *table) {
            long double re = 0, im = 0;
            in_.LongDouble(re);
            if (complexMode) in_.LongDouble(im);
            v = {re, im};
            if (!Finite(v)) return kErrCannotOpenFile;
        }
    return in_.Failed() ? kErrCannotOpenFile : kNoError;
}

// The engine reads the block into a context of its own; every record must come through as a
// definition with a parsed body.
int BodyReader::ReadUserFunctions() {
    ByteReader start = in_;
    std::uint16_t count = 0;
    if (!start.U16(count)) return kErrCannotOpenFile;
    start = in_;
    FormulaContext scratch;
    scratch.complexMode = body_.settings.complexMode;
    if (!scratch.ReadUserFunctions(in_)) return kErrCannotOpenFile;
    const auto& functions = scratch.UserFunctions();
    const bool allDefined = functions.size() == count &&
                            std::all_of(functions.begin(), functions.end(),
                                        [](const UserFunction& f) { return f.tree != nullptr; });
    if (!allDefined) return kErrCannotOpenFile;
    body_.userFunctions.bytes.resize(in_.Position() - start.Position());
    start.Bytes(body_.userFunctions.bytes);
    return kNoError;
}

int BodyReader::ReadOverlays() {
    if (canvas::ReadTexts(in_, false, body_.texts) != kNoError) return kErrCannotOpenFile;
    if (markers_.evalTexts &&
        canvas::ReadEvalTexts(in_, body_.evalTexts, body_.evalTable) != kNoError)
        return kErrCannotOpenFile;
    if (canvas::ReadPictures(in_, body_.pictures) != kNoError) return kErrCannotOpenFile;
    // As many labels as the file holds: a diagram saved after an aborted script keeps the
    // labels of the examples the script took back; the window restores one per example.
    if (canvas::ReadTexts(in_, true, body_.equationLabels) != kNoError) return kErrCannotOpenFile;
    return kNoError;
}

int BodyReader::ReadShapes() {
    if (ReadShadeList(in_, version_, body_.shading) != kNoError) return kErrCannotOpenFile;
    const int last = body_.inventory.LastIndex();
    for (const TShadeRecord& r : body_.shading)
        if (const int error = ValidateShadeRecord(r, last)) return error;
    if (version_ < kSketchVersion) return kNoError;
    if (ReadSketchList(in_, body_.sketch) != kNoError) return kErrCannotOpenFile;
    const bool finite =
        std::all_of(body_.sketch.begin(), body_.sketch.end(),
                    [](const TSketchPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
    return finite ? kNoError : kErrCannotOpenFile;
}

int BodyReader::ReadNotebookAndBitmap() {
    if (markers_.notebook) {
        std::string text;
        if (ReadNotebook(in_, text) != kNoError) return kErrCannotOpenFile;
        body_.notebook = std::move(text);
    }
    if (markers_.backgroundBitmap) {
        std::string name;
        if (!in_.FixedText(name, kBitmapNameBytes)) return kErrCannotOpenFile;
        name.resize(std::min(name.size(), kBitmapNameBytes - 1));
        body_.backgroundBitmap = std::move(name);
    }
    return kNoError;
}

}  // namespace

// ============================================================================== interface

TUserFunctionBlock TUserFunctionBlock::Of(const FormulaContext& context) {
    ByteWriter out;
    context.WriteUserFunctions(out);
    return {out.Take()};
}

bool TUserFunctionBlock::InstallInto(FormulaContext& context) const {
    ByteReader in(bytes);
    return context.ReadUserFunctions(in);
}

int WriteDiagramBody(ByteWriter& out, const TDiagramBody& body) {
    if (body.inventory.LastIndex() > TInventory::kMaxCapacity) return kErrTooLarge;
    ByteWriter block;
    WriteSettingsBlocks(block, body.settings, MarkersOf(body));
    WriteSliderSteps(block, body.sliderSteps);
    for (const TInventoryEntry& entry : body.inventory.Entries())
        if (const int error = WriteExampleGroup(block, entry)) return error;
    if (const int error = WriteTail(block, body)) return error;
    out.Bytes(block.Data());
    return kNoError;
}

int ReadDiagramBody(ByteReader& in, int version, TDiagramBody& body, const TBodyWindow& window) {
    if (version > kProgramVersion) return kErrIncompatibleVersion;
    if (version < 1) return kErrCannotOpenFile;
    BodyReader reader(in, version, window);
    const int error = reader.Read(body);
    if (error != kNoError) in.Fail();
    return error;
}

}  // namespace quorlin::examples
