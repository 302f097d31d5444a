#pragma once
// One fuzz input run through the formula engine: parsing, evaluation in both modes, tree
// rewriting, differentiation and simplification, the numeric-field readers, the text edits and
// the user-function block reader. Shared by the
// libFuzzer target and by the test that replays the seed corpus.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// Input layout: a flag byte (bit 0 complex mode, bit 1 define the first line as a user
// function FUZZ, bits 2-3 its argument count), then the formula text.
int RunFormulaFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
