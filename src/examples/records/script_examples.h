#pragma once
// The examples a pasted script creates: for each example keyword, the text slots its fields go
// to and what else the keyword sets in the new record (a polar form, a box, the points of a
// Lagrange polynomial, ...). One table row per keyword; the script run looks its keyword up.
#include <string>

#include "examples/records/script.h"

namespace quorlin::examples::script_examples {

// "low;high" of the two number fields from `first` as typed, when both parse and fit a record
// text; else the two numbers written out.
std::string RangeTextOf(TScriptExecutor& exec, const TScriptAction& action, int first);

// Fills the new record of the action's keyword (the last example of the inventory); false
// refuses the action (an unknown keyword, a text that grows too long or does not parse).
bool FillExample(TScriptExecutor& exec, const TScriptAction& action, TExample& ex);

}  // namespace quorlin::examples::script_examples
