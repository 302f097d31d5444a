#pragma once
// TSlotGuard: gives variable slots of a formula context their values back when it goes out of
// scope. Loops that set a variable point by point (sums, overlays) leave the window's variables
// as they found them, so a later save writes what the user set, not the loop's last point.
#include <initializer_list>
#include <utility>
#include <vector>

#include "formula/formula_context.h"

namespace quorlin {

class TSlotGuard {
public:
    TSlotGuard(FormulaContext& f, std::initializer_list<int> slotIndexes) : f_(f) {
        for (const int s : slotIndexes)
            saved_.emplace_back(s, f.vars.value[static_cast<std::size_t>(s)]);
    }
    ~TSlotGuard() {
        for (const auto& [s, value] : saved_) f_.vars.value[static_cast<std::size_t>(s)] = value;
    }
    TSlotGuard(const TSlotGuard&) = delete;
    TSlotGuard& operator=(const TSlotGuard&) = delete;

private:
    FormulaContext& f_;
    std::vector<std::pair<int, Complex>> saved_;
};

}  // namespace quorlin
