#pragma once
// One fuzz input run as a pasted script on a plain window of examples (no widgets): a flag
// byte (bit 0 a 3D window, bit 1 a window of two examples), then the script text. Shared by
// the libFuzzer target and by the test that replays the seed corpus.
//
// Whatever the text, the run must end with one of the script's results; a refused script
// leaves the inventory as it was, and no run passes the window's capacity. A broken promise
// aborts.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// The script's result (0 done, 1 refused, 4 no more room, 10 nothing added), or -1 when the
// input was too short to hold a flag byte.
int RunScriptFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
