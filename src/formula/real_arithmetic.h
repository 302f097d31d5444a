#pragma once
// The real arithmetic of evaluation, shared by the tree walk (evaluator.cpp) and compiled
// programs (tree_program.cpp) so that both compute every value with the same operations.
//
// An undefined real value is NaN. Sums and products carry NaN and overflow up by themselves;
// a value that is not finite never turns finite again on the way to the root, so the places
// that could turn it back (quotients, powers, functions, comparisons) test their operands.
#include <cfloat>
#include <cmath>

#include "formula/complex_math.h"

namespace quorlin::arith {

inline constexpr long double kUndefined = NAN;

inline bool IsFiniteValue(long double v) {
    return std::fabs(v) <= LDBL_MAX;
}

// v when it is finite, else NaN.
inline long double Finite(long double v) {
    return IsFiniteValue(v) ? v : kUndefined;
}

// a^n for a small whole exponent, by repeated squaring: exact where the product is.
inline long double WholePower(long double a, int n) {
    // The common exponents written out, with the products the loop below makes.
    switch (n) {
        case 2:
            return a * a;
        case 3:
            return a * (a * a);
        case 4: {
            const long double a2 = a * a;
            return a2 * a2;
        }
        case 5: {
            const long double a2 = a * a;
            return a * (a2 * a2);
        }
        default:
            break;
    }
    long double result = 1;
    for (unsigned k = n < 0 ? -n : n; k > 0; k >>= 1) {
        if (k & 1) result *= a;
        a *= a;
    }
    return n < 0 ? 1 / result : result;
}

// The whole exponents that Power takes by repeated squaring.
inline constexpr int kLargestSquaringExponent = 64;

inline long double Power(long double a, long double b) {
    // Squares and cubes first: they are most of the powers in formulas, and testing for a
    // whole exponent in general needs a slow conversion of the x87 unit.
    if (b == 2) return a * a;
    if (b == 3) return a * a * a;
    if (!IsFiniteValue(a) || !IsFiniteValue(b)) return kUndefined;
    if (b >= -kLargestSquaringExponent && b <= kLargestSquaringExponent &&
        b == static_cast<int>(b) && (a != 0 || b >= 0))
        return Finite(WholePower(a, static_cast<int>(b)));
    long double r = 0;
    return RealPower(a, b, r) ? r : kUndefined;
}

// A value as a node of complex mode keeps it: the imaginary part never -0, so that -4 and
// -(4) lie on one side of the branch cuts.
inline Complex Stored(const Complex& v) {
    return {v.real(), v.imag() + 0.0L};
}

}  // namespace quorlin::arith
