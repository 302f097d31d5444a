#pragma once
// One fuzz input run through the readers of the canvas blocks of a diagram file: the first byte
// picks the block (modulo 4: the texts, the texts with their shown flags, the evaluated texts
// with their table, the pasted pictures), the rest is the block. Shared by the libFuzzer
// target and by the test that replays the seed corpus.
//
// Whatever the bytes, reading must not run over anything; a block that was read must write,
// read back and write again to the same bytes. A broken promise aborts.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// 0 when the block was refused, 1 when it was read (and kept its promises), -1 for no input.
int RunOverlayFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
