#pragma once
// The readings of the family and web dialogs, without the dialogs: what their fields show for
// an example and how the typed fields set the example's family (its members for equally spaced
// values of one parameter A..Q, optionally watched one by one) or its web diagram (the
// iteration x -> f(x) of an explicit curve from a seed constant or parameter).
//
// A reading that finds a wrong field reports the last error found (1 "cannot understand",
// 6 "inconsistent data", 17 "out of bounds") and leaves the example as it was.
#include <cstdint>
#include <span>
#include <string>

#include "core/numbers.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// The fields of the family dialog "FAM".
struct TFamilyFields {
    std::string letter;  // edit 214
    std::string low;     // edit 211
    std::string high;    // edit 212
    std::string steps;   // edit 213
    std::string delay;   // edit 215
    bool watch = false;  // box 271
    friend bool operator==(const TFamilyFields&, const TFamilyFields&) = default;
};

TFamilyFields LoadFamilyFields(const TExample& example, const NumberFormat& format);
// 0 and the family set (on) in the example, or the last error found.
int ReadFamilyFields(const TFamilyFields& fields, FormulaContext& formulas, TExample& example);

// The fields of the web dialog "WEB". The web of an explicit curve keeps its seed index in the
// sub-kind word (k >= 1 parameter k, -k the constant with letter k shown), the constant in its
// web-seed number, its arrow size less 10 in the size word, its steps, arrows and initial
// segment in their role accessors and its colour in the second extra colour.
struct TWebFields {
    bool parameter = false;       // radio 252 rather than 251
    std::string seed;             // edit 211
    int letter = 0;               // list 295: 0 = A .. 22 = W
    std::string steps;            // edit 212
    std::string arrowSize;        // edit 213
    bool arrows = false;          // box 271
    bool initialSegment = false;  // box 272
    friend bool operator==(const TWebFields&, const TWebFields&) = default;
};

inline constexpr int kWebLetters = 23;  // A..W

TWebFields LoadWebFields(const TExample& example, const NumberFormat& format);
// 0 and the web set (on) in the example, or the last error found.
int ReadWebFields(const TWebFields& fields, FormulaContext& formulas, TExample& example);

// The position just after the n-th entry -1 of a list whose sub-lists end with -1 (0 for
// n = 0); the length of the list when it has fewer sub-lists.
std::size_t SubListStart(std::span<const std::int16_t> list, int n);

}  // namespace quorlin::examples
