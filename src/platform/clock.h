#pragma once
// The program's clock and busy waits, behind a seam that tests fix.
#include <functional>

namespace quorlin::platform {

// Hundredths of a second on a monotonic clock (since the program first asked): it never runs
// back, neither at midnight nor when the system time is set.
int ClockHundredths();

// Replaces the clock; an empty function restores the real one.
void SetClockSource(std::function<int()> source);

// Waits the given milliseconds while still delivering key presses to PollKey, so a pause in a
// long operation can be interrupted.
void BusyDelay(int milliseconds);

}  // namespace quorlin::platform
