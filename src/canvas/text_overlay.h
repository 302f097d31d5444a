#pragma once
// Text overlays on the window side: colours as Qt colours, the anchors' origins, the corners
// made absolute and relative, the hit test on screen and the text dialog's field rules. The
// records and their file blocks are plain (canvas/records/text_record.h).
//
// A text's top-left corner (left, top) is stored relative to its anchor: the figure (plain
// world coordinates), the frame (offset from the view centre, scaled with the view) or a point
// example. Its far corner (right, bottom) is absolute and follows the last screen drawing. The
// geometry helpers here work on copies made absolute, so a record is never left half-converted.
#include <QColor>
#include <QPoint>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/records/text_record.h"
#include "canvas/view_frame.h"

namespace quorlin::canvas {

// A Windows COLORREF (0x00bbggrr) and back.
std::uint32_t ToColorRef(const QColor& colour);
QColor FromColorRef(std::uint32_t ref);

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

// The degrees typed into the angle field as stored tenths: multiplied by ten and reduced
// modulo 3600, keeping the sign of the typed value.
int EscapementOfDegrees(int degrees);
// Every hyphen of the text replaced by the character code (1..255); other codes change
// nothing.
std::string ReplaceHyphens(std::string text, int code);
// An evaluated text's label cut at each '~': the pieces alternate between literal text (the
// even ones, from the first) and expressions to be evaluated (the odd ones).
std::vector<std::string> SplitEvalLabel(std::string_view label);

}  // namespace quorlin::canvas
