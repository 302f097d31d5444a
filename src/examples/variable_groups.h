#pragma once
// The coordinate groups of a point example: which of the letters X, Y, Z, R, T, P it shows in
// which of up to three "/"-separated groups ("XY/RT" shows Cartesian and polar coordinates in
// two groups). The record keeps them packed in one word, two bits per letter.
#include <string>
#include <string_view>

namespace quorlin::examples {

// The text upper-cased without blanks, cut at its first two '/' into groups 1-3 (the third keeps
// any further '/'); for X, Y, Z, R, T, P in this order the number (1-3) of the last group that
// holds the letter, 0 when none does, in bits 0-1 (X) up to 10-11 (P).
int EncodeVariableGroups(std::string_view text);
// The letters of group 1, then "/" and those of group 2, then "/" and those of group 3; a
// group is written only when it holds a letter, and group 3 joins group 2 before that test.
std::string DecodeVariableGroups(int code);

}  // namespace quorlin::examples
