#pragma once
// One fuzz input run through the formula engine: parsing, evaluation in both modes, tree
// rewriting, differentiation and simplification, the numeric-field readers, the text edits and
// the user-function block reader. Shared by the
// libFuzzer target and by the test that replays the seed corpus.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorlin {

// Input layout: a flag byte (bit 0 complex mode, bit 1 define the first line as a user
// function FUZZ, bits 2-3 its argument count), then the formula text.
// A compiled program that differs from the tree walk is a fault: this aborts with its
// description (so that the fuzzer keeps the input).
int RunFormulaFuzzInput(const std::uint8_t* data, std::size_t size);

// The same run, with what the input found wrong in words; empty when nothing was.
std::string FindFormulaFuzzFault(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
