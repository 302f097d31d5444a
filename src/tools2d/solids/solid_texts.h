#pragma once
// The formula texts a solid tool writes into its 3D window, made to read there as they read in
// the plane window that made them: each call of one of the plane window's user functions
// written out with its body, and each parameter letter ('@', A..W) replaced by its value in
// the plane window, written as the shortest number that reads back the same. A solid then
// stands on what it was made with, whatever the 3D window's own letters and functions hold,
// then or later (a recompute, a save and open, the next solid's letters).
//
// The letters a solid is meant to follow in its 3D window stay letters: those of its range
// ends, which the 3D window's sliders move, and a curve's own parameter.
#include <span>
#include <string>

#include "formula/formula_context.h"

namespace quorlin::tools2d {

// The text made to stand alone, at most size - 1 characters, the letters in `kept` left as
// they are: 0; 20 when it would pass size - 1 characters; 101 where a called function's body
// holds a JOIN or DER form (written out they would not follow the argument) or a letter's
// value is not a finite number; or the parse error of a call. The text changes only on
// success.
int StandAloneText(const FormulaContext& plane, std::string& text, std::size_t size,
                   std::span<const int> kept);

}  // namespace quorlin::tools2d
