// libFuzzer target of the ini reader (see ini_fuzz_entry.h for what it checks).
#include <cstddef>
#include <cstdint>

#include "ini_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunIniFuzzInput(data, size);
    return 0;
}
