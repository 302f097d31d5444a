#pragma once
// One fuzz input run through the metafile validator and player: the bytes of a metafile,
// validated, then played onto a small image, into a target stretched far past it, and into
// an SVG document. Shared by the libFuzzer target and by the test that replays the seed
// corpus. Whatever the bytes, nothing may run over anything or grow without bound.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// 0 when the validator refused the bytes, 1 when they were played.
int RunMetafileFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
