#pragma once
// The arithmetic of the window's sliders: the step counts a slider may divide by, the mapping
// between a bar position and a value, and the "Scrollbar units ..." dialog ("CALIB"), which
// shows the step count of slider slot 0 and how many medium steps cross the bar, and sets both.
#include <cstdint>
#include <string>

#include "examples/records/plot_settings.h"

namespace quorlin::examples {

struct TStepPair {
    std::int32_t steps = 100;     // positions of the bar: 0..steps
    std::int32_t pageSteps = 10;  // positions a medium step moves
    friend bool operator==(const TStepPair&, const TStepPair&) = default;
};

// The counts of a slot as a slider may use them: the stored ones when 2 <= steps <= 2147483647
// and 1 <= page step <= steps, else the defaults (100, 10). A slot outside the table gives the
// defaults too.
TStepPair UsableSteps(const TSliderSteps& table, int slot);

// The value at a bar position: low + (high - low) / steps x position.
long double BarValue(long double low, long double high, int steps, int position);
// The position of a value: round(steps x (v - low) / (high - low)); the middle for an empty or
// undefined range.
int BarPosition(long double v, long double low, long double high, int steps);
// Whether v lies in [low, high].
bool InRange(long double v, long double low, long double high);

// The two fields of "CALIB": the step count ("%d") and the number of medium steps across the
// bar, steps / page step, written so that it reads back to the same number.
struct TCalibrationTexts {
    std::string small;
    std::string medium;
};
TCalibrationTexts CalibrationTexts(TStepPair current);

// The counts from the two numbers read: 17 ("out of bounds", out unchanged) when small < 2,
// small > 2147483647, medium < 1 or small < 2 medium; else the step count round(small) and the
// page step round(steps / medium), and 0. What CalibrationTexts shows reads back unchanged.
int ReadCalibration(long double small, long double medium, TStepPair& out);

}  // namespace quorlin::examples
