// libFuzzer target of the text-overlay and picture blocks (see overlay_fuzz_entry.h).
#include <cstddef>
#include <cstdint>

#include "overlay_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunOverlayFuzzInput(data, size);
    return 0;
}
