#pragma once
// The roles of an example's variables packed into one word: a text such as "X/Y" or "xt/r"
// names, in up to three "/"-separated groups, where each of the letters X, Y, Z, R, T and P
// stands. The editing dialog writes the text and the diagram file keeps the word.
#include <string>
#include <string_view>

namespace quorlin::examples {

// Upper-cases the text, drops its blanks and cuts it at the first two '/' into groups 1-3; a
// letter's code is the number of the last group that holds it (0 none). The codes of X, Y, Z,
// R, T and P take two bits each, X in bits 0-1 up to P in bits 10-11.
int EncodeVariableGroups(std::string_view text);

// The letters of group 1, then "/" and those of group 2, then "/" and those of group 3; a
// group is written only when it holds a letter, group 3 counting for group 2's test.
std::string DecodeVariableGroups(int code);

}  // namespace quorlin::examples
