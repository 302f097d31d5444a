#pragma once
// The body of a diagram file: everything a graphing window saves after the file head, as one
// value, with its writer and its reader.
//
// In file order: the settings (words, flags, numbers), the slider steps, the examples with
// their trajectories, marked points, texts and names, the axis labels, the protection block,
// the animation parameters, the user functions, the text overlays, the evaluated texts, the
// pasted pictures, the equation labels, the shading list, the sketch, the notebook and the name
// of the background bitmap. Every record goes through the codec of its own module; this module
// knows only the order of the blocks, the conditions under which a block is present, the
// version thresholds and the conversions of older files.
//
// Reading builds a whole new body before it hands anything back, so a damaged file leaves the
// body it was given as it was: every count and length is checked against the bytes left and
// the room it fills, what the examples' arrays take is weighed before any is given, and every
// record is checked against the shared validator, before the file counts as read. Writing
// takes the body as it is: what a file keeps in another form than memory (the points of an
// explicit polynomial through points, the bodies of an orbital system, the division count of a
// stepped surface of revolution) is packed into copies.
#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/records/picture_record.h"
#include "canvas/records/text_record.h"
#include "core/binio.h"
#include "examples/diagram/diagram_settings.h"
#include "examples/records/inventory.h"
#include "examples/records/shade_record.h"
#include "examples/records/sketch.h"
#include "shell/records/protection.h"

namespace quorlin {
class FormulaContext;
}

namespace quorlin::examples {

// The window that reads a body, for the few steps of reading that depend on it.
struct TBodyWindow {
    int dimension = 2;      // 3 in the 3D windows: points of older files group three letters
    bool mapOrLog = false;  // map and logarithmic-axes windows: no family marks, and example 0's
                            // second text, when empty, is "t"
};

// The left ends, values and right ends of the animation parameters '@' and A-Z.
struct TParameterTables {
    static constexpr std::size_t kSlots = 27;
    using Table = std::array<std::complex<long double>, kSlots>;
    Table left{};
    Table value{};
    Table right{};
    friend bool operator==(const TParameterTables&, const TParameterTables&) = default;
};

// The user-function block in the form the formula engine writes and reads it, so that the
// engine's codec stays the only one. A block that came from a file holds definitions that pass
// the checks of typed ones: names, bodies that parse, no function that calls itself, also
// through others.
struct TUserFunctionBlock {
    std::vector<std::uint8_t> bytes{0, 0};  // no functions

    static TUserFunctionBlock Of(const FormulaContext& context);
    // Replaces the context's user functions; false when the engine refuses the block.
    bool InstallInto(FormulaContext& context) const;
    friend bool operator==(const TUserFunctionBlock&, const TUserFunctionBlock&) = default;
};

// Examples a window remembers once a body is read: the last example of each kind that an
// initial-value dialog serves (dx/dt systems, dy/dx, recursions, derx) and the last map.
struct TRememberedExamples {
    int system = -1;
    int slope = -1;
    int sequence = -1;
    int higherOrder = -1;
    int map = -1;
    friend bool operator==(const TRememberedExamples&, const TRememberedExamples&) = default;
};

struct TDiagramBody {
    TDiagramSettings settings;              // settings words, flags and numbers
    TSliderSteps sliderSteps;               // files from version 32
    TInventory inventory;                   // records, lists, texts, names, family marks
    std::array<std::string, 3> axisLabels;  // x, y, z
    FileProtection protection;              // stored when its mask is set
    TParameterTables parameters;            // complex parts only in complex mode
    TUserFunctionBlock userFunctions;
    canvas::TextList texts;      // plain text overlays
    canvas::TextList evalTexts;  // evaluated texts, with their table
    canvas::EvalTextTable evalTable;
    canvas::PictureList pictures;
    canvas::TextList equationLabels;  // in index order; a file may hold more or fewer than
                                      // examples (the window restores one per example)
    ShadeList shading;
    SketchList sketch;                            // files from version 24
    std::optional<std::string> notebook;          // the notebook text (Windows-1252), if any
    std::optional<std::string> backgroundBitmap;  // the background bitmap's file name, if any
    TRememberedExamples remembered;               // found by the reader
};

// The most memory the per-kind arrays of one body's examples may take (a mesh takes up to
// 342 000 bytes): a file whose examples ask more is refused before any of it is allocated.
inline constexpr std::size_t kMostArrayMemory = std::size_t{512} << 20;

// Appends the body: 0, or kErrTooLarge with nothing appended when a text or list does not fit
// its field in the file.
int WriteDiagramBody(ByteWriter& out, const TDiagramBody& body);

// Reads the body of a file of the given version over body: 0 with the whole body replaced,
// except for the settings and slider steps that the file's version does not carry, which keep
// what body held. On failure body is unchanged: kErrIncompatibleVersion for a version above the
// program's, kErrCannotOpenFile for a version below 1 and for short or damaged blocks,
// kErrInconsistentData for records that contradict themselves or each other, kErrNoMoreRoom
// for examples whose arrays would take more than kMostArrayMemory.
int ReadDiagramBody(ByteReader& in, int version, TDiagramBody& body,
                    const TBodyWindow& window = {});

}  // namespace quorlin::examples
