#include "canvas/axes_settings.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "core/numbers.h"

namespace quorlin::canvas {

void TViewHistoryList::Push(const TViewState& state) {
    if (entries_.size() >= kMaxEntries) entries_.erase(entries_.begin());
    entries_.push_back(state);
}

std::optional<TViewState> TViewHistoryList::Pop() {
    if (entries_.empty()) return std::nullopt;
    TViewState last = entries_.back();
    entries_.pop_back();
    return last;
}

// --- automatic tick intervals -----------------------------------------------------------------

namespace {

// Grows the interval until at most `limit` ticks cover `span`. The step count is bounded so
// that an infinite span or a zero interval cannot keep the loop going.
bool GrowInterval(long double span, long double& interval, long double limit,
                  const TViewFrame& frame) {
    constexpr int kMaxSteps = 10000;
    long double n = span / interval;
    bool changed = false;
    for (int i = 0; i < kMaxSteps && n > limit && std::isfinite(interval); ++i) {
        interval *= frame.tickFitInterval;
        n *= frame.tickFitCount;
        changed = true;
    }
    return changed;
}

// Places so that numbers every `frequency` ticks of `interval` differ in their last digit.
std::int16_t PlacesFor(std::int16_t places, int frequency, long double interval) {
    int d = places % kPlacesSuffixMark;
    long double t = std::pow(10.0L, -d);
    while (t > frequency * interval && d < 4) {
        ++d;
        t *= 0.1L;
    }
    return static_cast<std::int16_t>(d + (places >= kPlacesSuffixMark ? kPlacesSuffixMark : 0));
}

}  // namespace

int AdjustTickIntervals(TViewFrame& frame, TAxesSettings& axes) {
    // One tick per 8 pixels at most; a tiny area still allows one.
    const long double xLimit = std::max(frame.areaWidth / 8, 1);
    const long double yLimit = std::max(frame.areaHeight / 8, 1);
    bool changed = GrowInterval(2 * frame.halfWidth, axes.xInterval, xLimit, frame);
    changed |= GrowInterval(2 * frame.halfHeight, axes.yInterval, yLimit, frame);
    if (axes.ticks) {
        if (axes.xInterval > 3 * frame.halfWidth) {
            axes.xInterval = 0.5L * frame.halfWidth;
            changed = true;
        }
        if (axes.yInterval > 3 * frame.halfHeight) {
            axes.yInterval = 0.5L * frame.halfHeight;
            changed = true;
        }
    }
    if (axes.ShowsXNumbers())
        axes.xPlaces = PlacesFor(axes.xPlaces, axes.xFrequency, axes.xInterval);
    if (axes.ShowsYNumbers())
        axes.yPlaces = PlacesFor(axes.yPlaces, axes.yFrequency, axes.yInterval);
    if (!changed) return 0;
    if (frame.tickAdjust == 3)
        frame.tickAdjust = 0;
    else if (frame.tickAdjust > 0)
        frame.tickAdjust = 1;
    return kTicksIntervalChanged;
}

int TickIndexRange(const TViewFrame& frame, const TAxesSettings& axes, bool altCorners,
                   TickRange& range) {
    constexpr long double kIndexLimit = 4611686018427387904.0L;  // 2^62
    const TLDRect c = altCorners ? frame.AltCorners() : frame.Corners();
    const long double k[4] = {(c.xLow - frame.tickOriginX) / axes.xInterval,
                              (c.yHigh - frame.tickOriginY) / axes.yInterval,
                              (c.xHigh - frame.tickOriginX) / axes.xInterval,
                              (c.yLow - frame.tickOriginY) / axes.yInterval};
    for (int i = 0; i < 4; ++i) {
        if (!(std::fabs(k[i]) < kIndexLimit)) return kTicksSwitchedOff;
        range[i] = static_cast<long long>(k[i]);
    }
    return 0;
}

// --- the grid dialog's fields -----------------------------------------------------------------

int LeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max()) break;  // saturates below
    }
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -value : value);
}

PlacesInput ParsePlaces(std::string_view text) {
    PlacesInput in;
    const std::size_t at = text.find('@');
    const bool marked = at != std::string_view::npos;
    if (marked) {
        const std::string_view code = text.substr(at + 1);
        if (!code.empty()) {
            const int c = LeadingInt(code);
            if (c >= 33 && c <= 255) in.suffix = static_cast<std::int16_t>(c);
        }
        text = text.substr(0, at);
    }
    const int n = LeadingInt(text);
    if (n >= 0 && n <= 9)
        in.places = static_cast<std::int16_t>(n + (marked ? kPlacesSuffixMark : 0));
    return in;
}

IntervalText SplitIntervalText(std::string_view text) {
    const std::size_t at = text.find('@');
    if (at == std::string_view::npos) return {std::string(text), false};
    return {std::string(text.substr(0, at)), true};
}

std::optional<std::pair<std::int16_t, std::int16_t>> TickLengthFromPercent(long double percent,
                                                                           int screenWidth) {
    if (!(percent > 0.2L && percent < 98)) return std::nullopt;
    const int length = RoundLD(screenWidth * percent * 0.01L);
    return std::pair{static_cast<std::int16_t>(length), static_cast<std::int16_t>(length * 7 / 10)};
}

long double TickLengthPercent(int tickLength, int screenWidth) {
    return 100.0L / std::max(screenWidth, 1) * tickLength;
}

namespace {
std::optional<std::int16_t> IntInRange(std::string_view text, int low, int high) {
    const int n = LeadingInt(text);
    if (n < low || n > high) return std::nullopt;
    return static_cast<std::int16_t>(n);
}
}  // namespace

std::optional<std::int16_t> ParseFrequency(std::string_view text) {
    return IntInRange(text, 1, 98);
}

std::optional<std::int16_t> ParsePolarSectors(std::string_view text) {
    return IntInRange(text, 4, 100);
}

std::string FormatPlaces(int places) {
    std::string s = std::to_string(places % kPlacesSuffixMark);
    if (places >= kPlacesSuffixMark) s += '@';
    return s;
}

// --- the view dialog --------------------------------------------------------------------------

namespace {

constexpr long double kSameValue = 1e-16L;
constexpr long double kMinExtent = 1e-13L;

bool Differs(long double a, long double b) {
    return std::fabs(a - b) > kSameValue;
}

// Reads the fields in order and stops at the first error.
int ReadFields(const NumberReader& read,
               std::initializer_list<std::pair<const std::string*, long double*>> fields) {
    for (const auto& [text, value] : fields)
        if (const int err = read(*text, *value)) return err;
    return 0;
}

int CheckLogAxis(bool logarithmic, long double low, long double high) {
    if (logarithmic) {
        // The exponents of the corners must exist and span at least one decade.
        if (!(low > 0)) return kErrOutOfBounds;
        if (high < 10 * low + kMinExtent) return kErrInconsistent;
    } else if (high < low + kMinExtent) {
        return kErrInconsistent;
    }
    return 0;
}

// Error 17 when the asked view has a scale the transforms cannot carry: no size is too large
// or too small as such, only pixels that overflow, vanish or fall between two long doubles.
int CheckScale(const TViewFrame& frame, const ViewRequest& request) {
    if (!request.changed) return 0;
    return RequestedFrame(frame, request).Representable() ? 0 : kErrOutOfBounds;
}

}  // namespace

TViewFrame RequestedFrame(const TViewFrame& frame, const ViewRequest& request) {
    TViewFrame next = frame;
    if (request.logCorners)
        next.SetLogCorners(request.left, request.right, request.down, request.up);
    else
        next.SetView(request.centreX, request.centreY, request.halfWidth, request.halfHeight,
                     request.byCorners);
    return next;
}

int ReadViewRequest(const ViewDialogInput& input, const TViewFrame& frame, const NumberReader& read,
                    ViewRequest& out) {
    out = ViewRequest{};
    out.byCorners = input.byCorners;
    if (!input.byCorners) {
        long double width = 0;
        if (const int err = ReadFields(read, {{&input.centreX, &out.centreX},
                                              {&input.centreY, &out.centreY},
                                              {&input.width, &width}}))
            return err;
        if (!(width >= kSameValue)) return kErrNotPositive;
        out.halfWidth = width / 2;
        out.halfHeight = 0;
        out.changed = Differs(out.centreX, frame.centreX) || Differs(out.centreY, frame.centreY) ||
                      Differs(out.halfWidth, frame.halfWidth) || frame.cornersFlag;
        return CheckScale(frame, out);
    }
    if (const int err = ReadFields(read, {{&input.left, &out.left},
                                          {&input.right, &out.right},
                                          {&input.down, &out.down},
                                          {&input.up, &out.up}}))
        return err;
    if (frame.logMode != kLogNone) {
        if (const int err = CheckLogAxis(IsLogX(frame.logMode), out.left, out.right)) return err;
        if (const int err = CheckLogAxis(IsLogY(frame.logMode), out.down, out.up)) return err;
        out.logCorners = true;
        out.changed = true;
        return CheckScale(frame, out);
    }
    if (out.right < out.left + kMinExtent || out.up < out.down + kMinExtent)
        return kErrInconsistent;
    out.changed = Differs(out.left, frame.left) || Differs(out.right, frame.right) ||
                  Differs(out.down, frame.down) || Differs(out.up, frame.up);
    out.centreX = (out.left + out.right) / 2;
    out.centreY = (out.down + out.up) / 2;
    out.halfWidth = (out.right - out.left) / 2;
    out.halfHeight = (out.up - out.down) / 2;
    return CheckScale(frame, out);
}

}  // namespace quorlin::canvas
