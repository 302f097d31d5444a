#pragma once
// Special functions that the C library does not offer in long double: sine, cosine and
// exponential integrals, Riemann zeta, Fresnel integrals, digamma, and the complex gamma and
// error functions. Each returns NaN where the function is undefined.
//
// Accuracy aims at the full long-double precision for moderate arguments and stays within
// about 1e-15 relative for large ones.
#include <complex>

namespace quorlin::special {

using Complex = std::complex<long double>;

long double SinIntegral(long double x);    // Si(x) = integral of sin t / t from 0 to x
long double CosIntegral(long double x);    // Ci(x), x > 0
long double ExpIntegralEi(long double x);  // Ei(x), x != 0 (principal value)
long double Zeta(long double s);           // Riemann zeta, s != 1
long double FresnelS(long double x);       // integral of sin(pi t^2 / 2) from 0 to x
long double FresnelC(long double x);       // integral of cos(pi t^2 / 2) from 0 to x
long double Digamma(long double x);        // Gamma'(x) / Gamma(x)

Complex Gamma(const Complex& z);
Complex LnGamma(const Complex& z);  // log of Gamma, continuous for Re z > 0
Complex Erf(const Complex& z);
Complex Erfc(const Complex& z);  // 1 - erf(z), with its own digits where erf(z) is near 1

}  // namespace quorlin::special
