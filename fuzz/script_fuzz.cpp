// libFuzzer target of the pasted script (see script_fuzz_entry.h for the input layout).
#include <cstddef>
#include <cstdint>

#include "script_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunScriptFuzzInput(data, size);
    return 0;
}
