// libFuzzer target of the metafile validator and player (see metafile_fuzz_entry.h).
#include <cstddef>
#include <cstdint>

#include "metafile_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorlin::RunMetafileFuzzInput(data, size);
    return 0;
}
