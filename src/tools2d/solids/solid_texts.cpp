#include "tools2d/solids/solid_texts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "formula/formula_text.h"
#include "formula/parser.h"

namespace quorlin::tools2d {

int StandAloneText(const FormulaContext& plane, std::string& text, std::size_t size,
                   std::span<const int> kept) {
    std::string out = text;
    if (const int error = InlineUserFunctionsInText(plane, out, size))
        return error == parse_error::kTooLong ? kErrTooLarge : error;
    std::array<std::string, slot::kLastParameter + 1> values;
    for (const int letter : VariableSlotsInText(plane, out)) {
        if (letter > slot::kLastParameter || std::ranges::find(kept, letter) != kept.end())
            continue;
        const long double value = plane.Var(letter);  // its real part, as the curves read it
        if (!std::isfinite(value)) return kErrFormulaNotUsable;
        values[static_cast<std::size_t>(letter)] = FormatShortest(value);
    }
    if (!SubstituteLettersInText(plane, out, size, values)) return kErrTooLarge;
    text = std::move(out);
    return kNoError;
}

}  // namespace quorlin::tools2d
