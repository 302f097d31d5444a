#pragma once
// One fuzz input run through the ini reader: the bytes of an ini file, decoded for the frame's
// kind and for the 2D and 3D window kinds, then handed to the shell's words and the frame's
// settings. Shared by the libFuzzer target and by the test that replays the seed corpus.
//
// Whatever the bytes, decoding must not run over anything; a record that was decoded must
// encode to the record's size and decode again to the same bytes, and the words taken from it
// must pass their checks. A broken promise aborts.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// The number of kinds the bytes were decoded for (0 when refused for all).
int RunIniFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
