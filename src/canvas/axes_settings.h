#pragma once
// The saved view state of a graphing window with its axes (canvas/records/axes_record.h), the
// view history, the fitting of tick intervals, and the rules by which the grid and view dialogs
// turn typed text into settings. Everything here is plain data and functions, so the dialogs
// stay thin and the rules can be tested without a window.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "canvas/records/axes_record.h"
#include "canvas/view_frame.h"

namespace quorlin::canvas {

// A view and its axes, as the view history and the grid dialog keep them.
struct TViewState {
    TViewFrame frame;
    TAxesSettings axes;
};

// The views to go back to, newest last. Bounded: the oldest entry goes when it is full.
class TViewHistoryList {
public:
    static constexpr std::size_t kMaxEntries = 200;

    void Push(const TViewState& state);
    void Clear() { entries_.clear(); }
    // Takes the newest entry off; nullopt when empty.
    std::optional<TViewState> Pop();
    bool Empty() const { return entries_.empty(); }
    std::size_t Count() const { return entries_.size(); }

private:
    std::vector<TViewState> entries_;
};

// --- automatic tick intervals -----------------------------------------------------------------

// Results of the tick fitting.
inline constexpr int kTicksSwitchedOff = 4;
inline constexpr int kTicksIntervalChanged = 16;

// Grows an interval tenfold (the frame's fit factors) while its axis would carry more ticks
// than one per 8 pixels, shortens an interval beyond 3 half sizes of its axis while ticks are
// shown, and adds places until the numbers tell neighbouring ticks apart. Returns
// kTicksIntervalChanged when an interval changed (the tick-adjust state follows), else 0.
int AdjustTickIntervals(TViewFrame& frame, TAxesSettings& axes);

// Tick indices (left, up, right, down) of the corners (or the logarithmic corners) relative to
// the tick origins.
using TickRange = std::array<long long, 4>;
// Fills the range; 0, or kTicksSwitchedOff when an index lies beyond +-2^62: the ticks are
// then left out of this drawing, while the ticks setting stays as the user chose it. (A view
// whose pixels the long doubles resolve never comes near that bound.)
int TickIndexRange(const TViewFrame& frame, const TAxesSettings& axes, bool altCorners,
                   TickRange& range);

// --- the grid dialog's fields -----------------------------------------------------------------

// The C library's atoi: optional blanks and sign, then the leading digits; 0 without digits.
int LeadingInt(std::string_view text);

// A places field ("2", "2@", "2@176"): the places (plus 10 with an "@") when the number before
// the "@" lies in 0..9, and the suffix code typed after the "@" when it lies in 33..255.
struct PlacesInput {
    std::optional<std::int16_t> places;
    std::optional<std::int16_t> suffix;
};
PlacesInput ParsePlaces(std::string_view text);

// An interval field: the text before an "@" and whether an "@" was typed (the origin letter).
struct IntervalText {
    std::string number;
    bool originMark = false;
};
IntervalText SplitIntervalText(std::string_view text);
// Whether a read interval may replace the current one.
inline bool IsValidInterval(long double value) {
    return value > 1e-16L;
}

// Tick lengths (major, minor) for a percentage of the screen width; nullopt outside (0.2, 98).
std::optional<std::pair<std::int16_t, std::int16_t>> TickLengthFromPercent(long double percent,
                                                                           int screenWidth);
// The tick length as a percentage of the screen width, as the dialog shows it.
long double TickLengthPercent(int tickLength, int screenWidth);

// Frequency 1..98 and polar sector count 4..100 from their fields; nullopt when out of range.
std::optional<std::int16_t> ParseFrequency(std::string_view text);
std::optional<std::int16_t> ParsePolarSectors(std::string_view text);

// Places as the dialog shows them: "2", or "2@" with the suffix mark.
std::string FormatPlaces(int places);

// --- the view dialog ------------------------------------------------------------------------

// Reads one numeric field (any constant expression); 0 or an error number.
using NumberReader = std::function<int(std::string_view text, long double& out)>;

// Error numbers of the view dialog.
inline constexpr int kErrInconsistent = 6;
inline constexpr int kErrNotPositive = 14;
inline constexpr int kErrOutOfBounds = 17;

struct ViewDialogInput {
    bool byCorners = false;
    std::string centreX, centreY, width;  // edits 215, 216, 217
    std::string left, right, down, up;    // edits 211-214
};

// What the dialog asks of the window: a frame by centre and half sizes (a half-height of 0
// follows from the width) or, in a logarithmic window, by corner values.
struct ViewRequest {
    bool changed = false;
    bool byCorners = false;
    bool logCorners = false;
    long double centreX = 0, centreY = 0, halfWidth = 0, halfHeight = 0;
    long double left = 0, right = 0, down = 0, up = 0;
};

// Reads and checks the dialog's fields against the window's frame; 0 and the request, or the
// first error (6 inconsistent corners, 14 width not positive, 17 a logarithmic corner not
// above 0 or a view whose scale cannot be represented), with the request unusable.
// The frame the window takes for a request.
TViewFrame RequestedFrame(const TViewFrame& frame, const ViewRequest& request);

int ReadViewRequest(const ViewDialogInput& input, const TViewFrame& frame, const NumberReader& read,
                    ViewRequest& out);

}  // namespace quorlin::canvas
