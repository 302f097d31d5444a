#pragma once
// What the explicit-shading tool makes of its fields, without a window: a new shading record
// from the side, the two curves and the x interval as typed (ends such as "1@A" tie an end to an
// animation parameter, packed into the record's style word), the line the list shows for a
// record, the pattern of the next record, and the removal of a listed record.
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "examples/records/shade_record.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

enum class TShadeSide { kAbove, kBelow, kBetween };

// The fields of the dialog as they read.
struct TShadeRequest {
    TShadeSide side = TShadeSide::kAbove;
    int first = -1;   // the curve f
    int second = -1;  // the curve g of "between"
    bool interval = false;
    std::string lowText;  // the ends, when `interval`
    std::string highText;
    int pattern = 0;
    int colour = 0;
};

// The record the request makes: the number reader's error for an end it cannot read, 6 when
// the high end lies below low + 1e-13, 23 for "between" one curve and itself. Only a record
// that is made ties its parameters: each letter typed takes its end's value.
int MakeShadeRecord(FormulaContext& context, const TShadeRequest& request,
                    examples::TShadeRecord& record);

// The pattern after `pattern`: 0, 1, ..., 8, then 0 again.
constexpr int NextPattern(int pattern) {
    return (pattern + 1) % examples::TShadeRecord::kPatterns;
}

// The side of a record's second-example code.
TShadeSide SideOf(const examples::TShadeRecord& record);

// An interval end as its field shows it: the number, then "@" and the letter of a tied end.
std::string EndText(std::string number, int parameter);

// The list's line of a record: its side word, then " {", f's equation text, for "between"
// " ; " and g's text, and "}".
std::string ShadeLine(std::string_view sideWord, std::string_view firstText,
                      std::optional<std::string_view> secondText);

// Removes the record at a list position (0 = the newest); false when there is none.
bool RemoveShadeAt(examples::ShadeList& list, int position);

}  // namespace quorlin::tools2d
