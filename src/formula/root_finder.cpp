#include "formula/root_finder.h"

#include <cmath>

#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin {

int FormulaContext::FindRootInInterval(TExprNode& tree, int slotIndex, long double a,
                                       long double& root, long double b) {
    using namespace rootfind;
    const Complex saved = vars.value[slotIndex];
    auto result = [this, slotIndex, &saved](int code) {
        vars.value[slotIndex] = saved;
        return code;
    };
    const TreeProgram f(*this, &tree);
    long double fa = 0.0L;
    long double fb = 0.0L;
    if (!f.EvalAt(slotIndex, a, fa) || !f.EvalAt(slotIndex, b, fb)) return result(kUndefined);
    const bool aboveAtA = fa > 0.0L;
    if (aboveAtA == (fb > 0.0L)) {
        if (std::fabs(fa) < kRootZero || std::fabs(fb) < kRootZero) {
            root = std::fabs(fa) < kRootZero ? a : b;
            return result(kEndTouch);
        }
        return result(kNoSignChange);
    }
    if (std::fabs(fa) < kRootZero || std::fabs(fb) < kRootZero) {
        root = std::fabs(fa) < kRootZero ? a : b;
        return result(kFound);
    }
    for (int halving = 0; halving < kMaxHalvings && std::fabs(b - a) >= rootTolerance; ++halving) {
        const long double middle = a + (b - a) / 2;
        long double fm = 0.0L;
        if (!f.EvalAt(slotIndex, middle, fm)) return result(kUndefined);
        if ((fm > 0.0L) == aboveAtA)
            a = middle;
        else
            b = middle;
    }
    root = a + (b - a) / 2;
    long double value = 0.0L;
    if (!f.EvalAt(slotIndex, root, value)) return result(kUndefined);
    return result(std::fabs(value) > kMaxResidual ? kNotAZero : kFound);
}

}  // namespace quorlin
