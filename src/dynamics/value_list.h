#pragma once
// The initial values of a derx(n, y) trajectory: a ';'-separated list of formulas, y(x0),
// y'(x0), ..., y^(n-1)(x0), each parsed into a tree of its own.
#include <string_view>
#include <vector>

#include "formula/formula_context.h"

namespace quorlin::dynamics {

inline constexpr int kMostInitialValues = 10;  // the state of a derx equation holds ten entries

struct ValueList {
    int error = 0;  // 0, the parser's error, or 17 for more than ten values
    std::vector<NodePtr> trees;
};

// Parses each ';'-separated field of the text (an empty last field, after a closing ';', is
// no value). Stops at the first field that does not parse and returns its error.
ValueList ParseValueList(FormulaContext& context, std::string_view text);

}  // namespace quorlin::dynamics
