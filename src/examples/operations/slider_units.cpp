#include "examples/operations/slider_units.h"

#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"

namespace quorlin::examples {

TStepPair UsableSteps(const TSliderSteps& table, int slot) {
    if (slot < 0 || slot >= TSliderSteps::kSlots) return {};
    const auto k = static_cast<std::size_t>(slot);
    const std::uint32_t steps = table.steps[k];
    const std::uint32_t page = table.pageSteps[k];
    // The counts come from a file: a slider divides by them and gives them to a scroll bar.
    if (steps < 2 || steps > static_cast<std::uint32_t>(kIntSaturation) || page < 1 || page > steps)
        return {};
    return {static_cast<std::int32_t>(steps), static_cast<std::int32_t>(page)};
}

long double BarValue(long double low, long double high, int steps, int position) {
    if (steps < 1) return low;
    return low + (high - low) / steps * position;
}

int BarPosition(long double v, long double low, long double high, int steps) {
    const long double span = high - low;
    if (!(std::fabs(span) > 0) || !std::isfinite(span)) return steps / 2;
    const long double fraction = (v - low) / span;
    if (!std::isfinite(fraction)) return steps / 2;
    return RoundLD(steps * fraction);
}

bool InRange(long double v, long double low, long double high) {
    return v >= low && v <= high;
}

TCalibrationTexts CalibrationTexts(TStepPair current) {
    const long double medium =
        static_cast<long double>(current.steps) / std::max(current.pageSteps, 1);
    return {std::to_string(current.steps), FormatShortest(medium)};
}

int ReadCalibration(long double small, long double medium, TStepPair& out) {
    if (!(small >= 2) || small > kIntSaturation || !(medium >= 1) || small < 2 * medium)
        return kErrOutOfBounds;
    const int steps = RoundLD(small);
    out = {steps, std::max(RoundLD(steps / medium), 1)};
    return kNoError;
}

}  // namespace quorlin::examples
