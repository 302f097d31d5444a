#pragma once
// Time of day and busy waits, behind a seam that tests fix.
#include <functional>

namespace quorlin::platform {

// Time of day in hundredths of a second since midnight.
int ClockHundredths();

// Replaces the clock; an empty function restores the real one.
void SetClockSource(std::function<int()> source);

// Waits the given milliseconds while still delivering key presses to PollKey, so a pause in a
// long operation can be interrupted.
void BusyDelay(int milliseconds);

}  // namespace quorlin::platform
