#pragma once
// Text overlays as plain records: the 179-byte TEquationLabel that carries a free text, an
// evaluated text or an equation label, the 81-byte TEvalText of an evaluated text and the table
// of the window's 51 evaluated texts, with the byte codecs of their diagram-file blocks.
//
// A text's top-left corner (left, top) is stored relative to its anchor: the figure (plain
// world coordinates), the frame (offset from the view centre, scaled with the view) or a point
// example. Its far corner (right, bottom) is absolute and follows the last screen drawing. The
// geometry helpers here work on copies made absolute, so a record is never left half-converted.
#include <QColor>
#include <QPoint>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/view_frame.h"
#include "core/binio.h"
#include "shell/fonts.h"

namespace quorlin::canvas {

// Anchors of a text: the figure, the frame, or (k >= 0) the point example k.
inline constexpr int kAnchorFigure = -1;
inline constexpr int kAnchorFrame = -2;

// Evaluated texts are numbered 1000 + slot; a plain text carries 0xFFFF.
inline constexpr std::uint16_t kPlainTextIndex = 0xFFFF;
inline constexpr int kFirstEvalIndex = 1000;
inline constexpr int kEvalTextSlots = 51;

// A Windows COLORREF (0x00bbggrr) and back.
std::uint32_t ToColorRef(const QColor& colour);
QColor FromColorRef(std::uint32_t ref);

struct TEquationLabel {
    static constexpr std::size_t kByteSize = 179;
    static constexpr std::size_t kTextBytes = 61;
    static constexpr std::size_t kMaxText = kTextBytes - 1;

    std::uint16_t number = 0;  // position in its list; for equation labels the example index
    std::uint8_t transparent = 1;
    std::string text;          // Windows-1252, at most 60 bytes; "X" for an evaluated text
    std::uint32_t colour = 0;  // COLORREF
    long double left = 0;      // relative to the anchor
    long double right = 0;     // absolute
    long double bottom = 0;    // absolute
    long double top = 0;       // relative to the anchor
    FontRecord font;
    std::uint16_t sizeAndHide = 10;  // point size, plus 100 when the text hides with its anchor
    std::int16_t anchor = kAnchorFigure;
    std::uint8_t shown = 1;
    std::uint16_t evalIndex = kPlainTextIndex;

    int TextPointSize() const { return sizeAndHide % 100; }
    // Keeps the hide flag; a size outside 0..99 points is clamped.
    void SetTextPointSize(int tenths);
    bool HidesWithAnchor() const { return sizeAndHide > 99; }
    void SetHidesWithAnchor(bool on);
    // The slot 0..50 of an evaluated text; nothing for a plain text.
    std::optional<int> EvalSlot() const;

    void Write(ByteWriter& out) const;
    // False when the bytes run out or hold an impossible anchor; the terminator of the text
    // is forced, so a text never exceeds 60 bytes.
    bool Read(ByteReader& in);
    friend bool operator==(const TEquationLabel&, const TEquationLabel&) = default;
};

using TextList = std::vector<TEquationLabel>;

// The corner (left, top) made absolute against the anchor's origin, and back; figure texts
// have no offset.
TEquationLabel TextToAbsolute(TEquationLabel text, WorldPoint origin);
TEquationLabel TextToRelative(TEquationLabel text, WorldPoint origin);

// The origin of an anchor: nothing for the figure, the view centre for the frame, the point
// the lookup gives for an example.
using AnchorLookup = std::function<WorldPoint(int anchor)>;
WorldPoint AnchorOrigin(int anchor, const TViewFrame& view, const AnchorLookup& pointOf);

// Frame texts keep their place in the frame when its half sizes change: their offsets from
// the centre are scaled by the ratios. A zero old size leaves them.
void RescaleFrameTexts(TextList& list, long double newHalfWidth, long double newHalfHeight,
                       long double oldHalfWidth, long double oldHalfHeight);

// The screen parallelogram of a text: its top-left pixel, its box in pixels and its angle.
struct TextHit {
    std::size_t index = 0;
    QPoint offset;  // of the point from the top-left pixel
    QSize size;
    int escapement = 0;
};
// The first shown text whose (possibly turned) box contains the point. The test works in long
// double, so corners anywhere in its range are safe; the size handed back for the drag outline
// is cut to 2^24 pixels.
std::optional<TextHit> TextAtPoint(std::span<const TEquationLabel> list, QPoint point,
                                   const TViewFrame& view, const AnchorLookup& pointOf);
// The two edges of a turned box: along the text and down from it, in pixels.
std::pair<QPoint, QPoint> BoxEdges(QSize size, int escapement);

// Numbers 0, 1, 2 ... from position first on.
void RenumberTexts(TextList& list, std::size_t first = 0);
// Removes the first text whose number is not below number and renumbers the rest.
void DeleteText(TextList& list, int number);

// The degrees typed into the angle field as stored tenths: multiplied by ten and reduced
// modulo 3600, keeping the sign of the typed value.
int EscapementOfDegrees(int degrees);
// Every hyphen of the text replaced by the character code (1..255); other codes change
// nothing.
std::string ReplaceHyphens(std::string text, int code);
// An evaluated text's label cut at each '~': the pieces alternate between literal text (the
// even ones, from the first) and expressions to be evaluated (the odd ones).
std::vector<std::string> SplitEvalLabel(std::string_view label);

// --- evaluated texts --------------------------------------------------------------------------

struct TEvalText {
    static constexpr std::size_t kByteSize = 81;
    static constexpr std::size_t kStringBytes = 256;
    static constexpr int kMaxPlaces = 15;

    // Expressions 1-3 and the label.
    std::array<std::string, 4> texts{"0", "0", "0", "0"};
    // Expressions 1-3 on, label on, "expression" on.
    std::array<std::uint8_t, 5> flags{1, 0, 0, 0, 0};
    std::uint32_t active = 0;  // expressions 1-3 that are on
    std::uint32_t dash = 0;    // character put in place of the hyphen, 0 none
    std::array<std::int32_t, 3> places{3, 3, 3};
    std::array<std::int32_t, 10> reserved{};

    // Takes the settings of another (not its texts) and recounts the active expressions.
    void CopySettingsFrom(const TEvalText& from);
    // The 81-byte record (its four pointer words as zeros) ...
    void WriteRecord(ByteWriter& out) const;
    // ... read back; false when short or when a places field lies outside 0..15.
    bool ReadRecord(ByteReader& in);
    // The four 256-byte string buffers, each cut to 255 bytes on reading.
    void WriteStrings(ByteWriter& out) const;
    bool ReadStrings(ByteReader& in);
    friend bool operator==(const TEvalText&, const TEvalText&) = default;
};

// The window's 51 evaluated texts, addressed by evaluated index 1000 .. 1050.
class EvalTextTable {
public:
    bool HasRoom() const { return FreeIndex().has_value(); }
    // The lowest free index, nothing when all 51 are taken.
    std::optional<int> FreeIndex() const;
    const TEvalText* Find(int evalIndex) const;
    // Stores the text under its index; false for an index outside 1000..1050.
    bool Store(int evalIndex, TEvalText text);
    void Release(int evalIndex);
    void Clear();
    int InUse() const;

private:
    static std::optional<std::size_t> SlotOf(int evalIndex);
    std::array<std::optional<TEvalText>, kEvalTextSlots> slots_{};
};

// --- diagram-file blocks ----------------------------------------------------------------------

// i16 count, then the records in list order.
void WriteTexts(ByteWriter& out, std::span<const TEquationLabel> list);
// Replaces list on success; 0 or 11 for a damaged block. Without keepShown every text is shown.
int ReadTexts(ByteReader& in, bool keepShown, TextList& list);

// i16 count, then per evaluated text its record, its TEvalText and its four strings.
void WriteEvalTexts(ByteWriter& out, std::span<const TEquationLabel> list,
                    const EvalTextTable& table);
// Replaces list and table on success (the texts numbered 1000, 1001 ... in file order); 0, or
// 11 when the block is damaged: too many texts, an index outside 1000..1050, short data.
int ReadEvalTexts(ByteReader& in, TextList& list, EvalTextTable& table);

}  // namespace quorlin::canvas
