// libFuzzer target of opening and drawing a diagram (see diagram_draw_fuzz_entry.h).
#include <cstddef>
#include <cstdint>

#include "diagram_draw_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunDiagramDrawFuzzInput(data, size);
    return 0;
}
