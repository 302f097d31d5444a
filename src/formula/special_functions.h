#pragma once
// Special functions that the C library does not offer in long double: sine, cosine and
// exponential integrals, Riemann zeta, Fresnel integrals, digamma, beta and binomial, and the
// complex forms of these, of the gamma, error and Bessel functions. Each returns NaN where the
// function is undefined.
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
// Gamma(a) Gamma(b) / Gamma(a + b), through logarithms where the gammas leave the range.
long double Beta(long double a, long double b);
// n over k: n (n-1) ... (n-k+1) / k! for a whole k (any n), through the gamma function
// otherwise; for two negative integers the limit (n over k for k <= n, else 0).
long double Binomial(long double n, long double k);

// Of a complex argument (special_functions_complex.cpp), to the accuracy of the real ones.
// Branch cuts run along the negative real axis (LN, Y0, Y1, CI, EI), and a point on the cut
// takes the value from above it.
Complex Gamma(const Complex& z);    // 0 where it is below the range, far from the real axis
Complex LnGamma(const Complex& z);  // log of Gamma, continuous for Re z > 0
Complex Beta(const Complex& a, const Complex& b);
Complex Binomial(const Complex& n, const Complex& k);
Complex Erf(const Complex& z);
Complex Erfc(const Complex& z);  // 1 - erf(z), with its own digits where erf(z) is near 1
Complex BesselJ0(const Complex& z);
Complex BesselJ1(const Complex& z);
Complex BesselY0(const Complex& z);
Complex BesselY1(const Complex& z);
Complex SinIntegral(const Complex& z);
Complex CosIntegral(const Complex& z);
Complex ExpIntegralEi(const Complex& z);  // -E1(-z) + i pi sign(Im z), the real Ei on the axis
Complex Zeta(const Complex& s);
Complex FresnelS(const Complex& z);
Complex FresnelC(const Complex& z);
Complex Digamma(const Complex& z);

}  // namespace quorlin::special
