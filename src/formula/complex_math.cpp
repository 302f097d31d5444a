#include "formula/complex_math.h"

#include <cmath>
#include <numbers>

namespace quorlin {

namespace {

constexpr long double kMaxExactExponent = 1024;

bool IsSmallInteger(long double y) {
    return y == std::floor(y) && std::fabs(y) <= kMaxExactExponent;
}

}  // namespace

bool IsExactExponent(const Complex& w) {
    return w.imag() == 0 && IsSmallInteger(w.real());
}

Complex CxSin(long double re, long double im) {
    return std::sin(Complex(re, im));
}
Complex CxCos(long double re, long double im) {
    return std::cos(Complex(re, im));
}
Complex CxTan(long double re, long double im) {
    if (im == 0) return {std::tan(re), 0.0L};
    return std::tan(Complex(re, im));
}
Complex CxExp(long double re, long double im) {
    return std::exp(Complex(re, im));
}
Complex CxLog(long double re, long double im) {
    if (re == 0 && im == 0) return {NAN, NAN};
    return std::log(Complex(re, im));
}

void ComplexToPolar(long double x, long double y, long double out[2]) {
    out[0] = std::hypot(x, y);
    out[1] = std::atan2(y, x);
    if (out[1] == -std::numbers::pi_v<long double>) out[1] = std::numbers::pi_v<long double>;
}

bool RealPower(long double x, long double y, long double& out) {
    if (IsSmallInteger(y)) {
        if (x == 0 && y < 0) return false;
        const long double p = PowerBySquaring(x, static_cast<unsigned long long>(std::fabs(y)));
        out = y < 0 ? 1 / p : p;
        return std::isfinite(out);
    }
    if (x < 0) {
        // A whole exponent beyond the exact range: the sign by its parity ((-1)^(2^70) is 1).
        if (y != std::floor(y)) return false;
        const long double magnitude = std::pow(-x, y);
        out = std::fmod(y, 2.0L) == 0 ? magnitude : -magnitude;
        return std::isfinite(out);
    }
    if (x == 0) {
        out = 0;
        return y > 0;
    }
    out = std::pow(x, y);
    return std::isfinite(out);
}

bool CxPower(const Complex& z, const Complex& w, Complex& out) {
    // An infinite exponent also equals its floor, but has no parity or quarter turn: it takes
    // the general path (I^INF is undefined, not 1).
    const bool wholeExponent =
        w.imag() == 0 && std::isfinite(w.real()) && w.real() == std::floor(w.real());
    if (wholeExponent && IsSmallInteger(w.real())) return CxWholePower(z, w.real(), out);
    if (z == Complex(0)) {
        out = 0;
        return w.real() > 0;
    }
    if (wholeExponent && (z.imag() == 0 || z.real() == 0)) {
        // On the axes the power keeps an exact phase, a whole number of quarter turns
        // (I^(4E20) is 1), however large the exponent.
        const int turns = z.imag() == 0 ? (z.real() < 0 ? 2 : 0) : (z.imag() > 0 ? 1 : 3);
        const long double n = w.real();
        const int phase = static_cast<int>(turns * (std::fmod(n, 4.0L) + 4)) % 4;
        static constexpr std::complex<long double> kQuarterTurns[] = {
            {1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        out = std::pow(std::abs(z), n) * kQuarterTurns[phase];
        return IsFinite(out);
    }
    if (z.imag() == 0 && z.real() > 0 && w.imag() == 0) {
        out = std::pow(z.real(), w.real());
        return IsFinite(out);
    }
    out = std::exp(w * std::log(z));
    return IsFinite(out);
}

}  // namespace quorlin
