#pragma once
// Complex arithmetic on long doubles for the evaluator's complex mode and for callers that
// need a single complex function (the 3D tilt takes CxTan of a real angle).
//
// All functions are the principal branches. Powers with small integer exponents multiply
// exactly instead of going through the logarithm, so that (1+i)^2 is exactly 2i.
#include <cmath>
#include <complex>

namespace quorlin {

using Complex = std::complex<long double>;

Complex CxSin(long double re, long double im);
Complex CxCos(long double re, long double im);
Complex CxTan(long double re, long double im);
Complex CxExp(long double re, long double im);
Complex CxLog(long double re, long double im);  // undefined (NaN) at 0

// Modulus in out[0] and argument in (-pi, pi] in out[1] of x + iy.
void ComplexToPolar(long double x, long double y, long double out[2]);

// z^w; false where it is undefined (0 to a power whose real part is not positive).
bool CxPower(const Complex& z, const Complex& w, Complex& out);
// True for the exponents that CxPower takes by exact multiplication: real whole numbers up to
// 1024 in magnitude. For them CxPower(z, w) is CxWholePower(z, w.real()) (below).
bool IsExactExponent(const Complex& w);
// x^y over the reals; false where it is undefined (negative base with a non-integer
// exponent, zero to a negative power).
bool RealPower(long double x, long double y, long double& out);

// Both parts finite.
inline bool IsFinite(const Complex& z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// base^n as result = 1 times the squares of base that the bits of n select; the square after
// the last bit is never taken (it would not change the result).
template <typename T>
T PowerBySquaring(T base, unsigned long long n) {
    T result = 1;
    while (n > 0) {
        if (n & 1) result *= base;
        n >>= 1;
        if (n > 0) base *= base;
    }
    return result;
}

// z^n for a whole n, by exact multiplication; false for 0 to a negative power.
inline bool CxWholePower(const Complex& z, long double n, Complex& out) {
    if (z == Complex(0) && n < 0) return false;
    const Complex p = PowerBySquaring(z, static_cast<unsigned long long>(std::fabs(n)));
    out = n < 0 ? 1.0L / p : p;
    return IsFinite(out);
}

}  // namespace quorlin
