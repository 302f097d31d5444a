// libFuzzer target of the diagram-body reader (see diagram_fuzz_entry.h for the input layout).
#include <cstddef>
#include <cstdint>

#include "diagram_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunDiagramFuzzInput(data, size);
    return 0;
}
