#pragma once
// One fuzz input run through the diagram-body reader, shared by the libFuzzer target and by the
// test that replays the seed corpus.
//
// The input is a diagram file: the 80-byte head (field 1 the version; field 2 modulo 3 picks
// the window that reads it: a 2D window, a map or logarithmic window, a 3D window), then the
// body. Whatever the bytes, reading must not run over anything; and a body that was read must
// write, read back and write again to the same bytes. A broken promise aborts.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// 0 when the input was refused, 1 when it was read (and kept its promises).
int RunDiagramFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
