// libFuzzer target of the formula engine (see formula_fuzz_entry.h for the input layout).
#include <cstddef>
#include <cstdint>

#include "formula_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return quorlin::RunFormulaFuzzInput(data, size);
}
