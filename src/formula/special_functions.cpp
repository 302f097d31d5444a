#include "formula/special_functions.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorlin::special {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kEuler = 0.577215664901532860606512090082402431L;
constexpr long double kEps = LDBL_EPSILON;
constexpr long double kTiny = 1e-4000L;  // keeps the continued fractions away from 0
constexpr int kMaxIterations = 10000;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// Two power series whose terms interleave, as in the series of sine and cosine: terms 1, 3,
// 5, ... go to the odd sum with signs +, -, +, ..., terms 2, 4, 6, ... to the even sum with
// signs -, +, -, ...
class SineCosineSeries {
public:
    SineCosineSeries(long double oddStart, long double evenStart)
        : odd_(oddStart), even_(evenStart) {}

    // Adds the next term and returns the sum it went into.
    long double Add(long double term) {
        long double& sum = nextOdd_ ? odd_ : even_;
        sum += sign_ * term;
        if (nextOdd_) sign_ = -sign_;
        nextOdd_ = !nextOdd_;
        return sum;
    }
    long double Odd() const { return odd_; }
    long double Even() const { return even_; }

private:
    long double odd_;
    long double even_;
    long double sign_ = 1;
    bool nextOdd_ = true;
};

struct SinCosIntegrals {
    long double si;
    long double ci;
};

// Si and Ci of t > 0: power series near 0, the continued fraction of E1(it) beyond 2.
SinCosIntegrals SiCi(long double t) {
    if (t > 2.0L) {
        Complex b(1.0L, t);
        Complex c = 1.0L / kTiny;
        Complex d = 1.0L / b;
        Complex h = d;
        for (int i = 2; i < kMaxIterations; ++i) {
            const long double a = -static_cast<long double>(i - 1) * (i - 1);
            b += 2.0L;
            d = 1.0L / (a * d + b);
            c = b + a / c;
            const Complex del = c * d;
            h *= del;
            if (std::fabs(del.real() - 1.0L) + std::fabs(del.imag()) < kEps) break;
        }
        h *= Complex(std::cos(t), -std::sin(t));
        return {kPi / 2 + h.imag(), -h.real()};
    }
    SineCosineSeries series(0, 0);
    long double fact = 1;
    for (int k = 1; k < kMaxIterations; ++k) {
        fact *= t / k;
        const long double term = fact / k;
        if (term / std::fabs(series.Add(term)) < kEps / 2) break;
    }
    return {series.Odd(), series.Even() + std::log(t) + kEuler};
}

// E1(t) for t > 0.
long double ExpIntegralE1(long double t) {
    if (t <= 1.0L) {
        long double sum = 0, term = 1;
        for (int k = 1; k < kMaxIterations; ++k) {
            term *= -t / k;
            const long double add = term / k;
            sum += add;
            if (std::fabs(add) < kEps * std::fabs(sum)) break;
        }
        return -kEuler - std::log(t) - sum;
    }
    long double b = t + 1, c = 1.0L / kTiny, d = 1.0L / b, h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const long double a = -static_cast<long double>(i) * i;
        b += 2;
        d = 1.0L / (a * d + b);
        c = b + a / c;
        const long double del = c * d;
        h *= del;
        if (std::fabs(del - 1.0L) < kEps) break;
    }
    return h * std::exp(-t);
}

// Borwein's alternating series, accurate for s >= 1/2, s != 1; oneMinusS is 1 - s, passed
// exactly where the caller has it, since near the pole the result is about 1 / (s - 1).
long double ZetaBorwein(long double s, long double oneMinusS) {
    constexpr int n = 48;
    long double d[n + 1];
    long double term = 1.0L / n, sum = term;
    d[0] = n * sum;
    for (int i = 0; i < n; ++i) {
        term *= 4.0L * (n + i) * (n - i) / ((2.0L * i + 1) * (2.0L * i + 2));
        sum += term;
        d[i + 1] = n * sum;
    }
    long double total = 0;
    for (int k = 0; k < n; ++k) {
        const long double t = (d[k] - d[n]) / std::pow(static_cast<long double>(k + 1), s);
        total += (k % 2 == 0) ? t : -t;
    }
    // 1 - 2^(1-s) without cancellation, which near s = 1 (and zeta near 0) holds the result.
    return total / (d[n] * std::expm1(oneMinusS * std::numbers::ln2_v<long double>));
}

bool IsNonPositiveInteger(long double x) {
    return x <= 0 && x == std::floor(x);
}

}  // namespace

long double SinIntegral(long double x) {
    if (x == 0) return 0;
    const long double si = SiCi(std::fabs(x)).si;
    return x < 0 ? -si : si;
}

long double CosIntegral(long double x) {
    if (!(x > 0)) return kNaN;
    return SiCi(x).ci;
}

long double ExpIntegralEi(long double x) {
    if (x == 0 || std::isnan(x)) return kNaN;
    if (x < 0) return -ExpIntegralE1(-x);
    if (x < 40.0L) {
        long double sum = 0, term = 1;
        for (int k = 1; k < kMaxIterations; ++k) {
            term *= x / k;
            const long double add = term / k;
            sum += add;
            if (add < kEps * sum) break;
        }
        return kEuler + std::log(x) + sum;
    }
    // Asymptotic series, cut at its smallest term.
    long double sum = 1, term = 1;
    for (int k = 1; k < kMaxIterations; ++k) {
        const long double next = term * k / x;
        if (next > term || next < kEps * sum) break;
        term = next;
        sum += term;
    }
    return std::exp(x) / x * sum;
}

long double Zeta(long double s) {
    if (s == 1 || std::isnan(s)) return kNaN;
    if (s >= 0.5L) return ZetaBorwein(s, 1 - s);
    if (s == 0) return -0.5L;
    if (IsNonPositiveInteger(s) && std::fmod(s, 2.0L) == 0 && s != 0) return 0;
    // Functional equation.
    return std::pow(2.0L, s) * std::pow(kPi, s - 1) * std::sin(kPi * s / 2) * std::tgamma(1 - s) *
           ZetaBorwein(1 - s, s);
}

namespace {

struct FresnelPair {
    long double s;
    long double c;
};

FresnelPair Fresnel(long double x) {
    const long double t = std::fabs(x);
    FresnelPair r{0, 0};
    if (t < 1e-2000L) {
        r = {0, t};
    } else if (t > 10 / kEps) {
        // The limit 1/2 less about 1/(pi t), which is below the resolution of 1/2 here; the
        // continued fraction would square t past the range of a long double.
        r = {0.5L, 0.5L};
    } else if (t <= 1.5L) {
        SineCosineSeries series(0, t);
        long double term = t;
        const long double fact = kPi / 2 * t * t;
        for (int k = 1, n = 3; k < kMaxIterations; ++k, n += 2) {
            term *= fact / k;
            if (term < std::fabs(series.Add(term / n)) * kEps / 2) break;
        }
        r = {series.Odd(), series.Even()};
    } else {
        const long double pix2 = kPi * t * t;
        Complex b(1.0L, -pix2);
        Complex cc = 1.0L / kTiny;
        Complex d = 1.0L / b;
        Complex h = d;
        long double n = -1;
        for (int k = 2; k < kMaxIterations; ++k) {
            n += 2;
            const long double a = -n * (n + 1);
            b += 4.0L;
            d = 1.0L / (a * d + b);
            cc = b + a / cc;
            const Complex del = cc * d;
            h *= del;
            if (std::fabs(del.real() - 1) + std::fabs(del.imag()) < kEps) break;
        }
        h *= Complex(t, -t);
        const Complex cs =
            Complex(0.5L, 0.5L) * (1.0L - Complex(std::cos(pix2 / 2), std::sin(pix2 / 2)) * h);
        r = {cs.imag(), cs.real()};
    }
    if (x < 0) r = {-r.s, -r.c};
    return r;
}

}  // namespace

long double FresnelS(long double x) {
    return Fresnel(x).s;
}
long double FresnelC(long double x) {
    return Fresnel(x).c;
}

long double Digamma(long double x) {
    if (std::isnan(x) || IsNonPositiveInteger(x)) return kNaN;
    if (x < 0) return Digamma(1 - x) - kPi / std::tan(kPi * x);
    long double result = 0;
    while (x < 12) {
        result -= 1 / x;
        x += 1;
    }
    const long double x2 = 1 / (x * x);
    // Asymptotic series with B2 .. B14.
    const long double tail =
        x2 * (1.0L / 12 -
              x2 * (1.0L / 120 -
                    x2 * (1.0L / 252 -
                          x2 * (1.0L / 240 -
                                x2 * (1.0L / 132 - x2 * (691.0L / 32760 - x2 * (1.0L / 12)))))));
    return result + std::log(x) - 0.5L / x - tail;
}

namespace {

long double GammaSign(long double x) {
    return x > 0 || std::fmod(std::floor(x), 2.0L) == 0 ? 1.0L : -1.0L;
}

bool IsWhole(long double x) {
    return x == std::floor(x);
}

// Gamma(a) Gamma(b) / (Gamma(c) Gamma(d)) through logarithms, for arguments whose gammas
// leave the range; 1/Gamma of a pole is 0.
long double GammaRatio(long double a, long double b, long double c, long double d) {
    for (const long double x : {c, d})
        if (IsNonPositiveInteger(x)) return 0;
    const long double log = std::lgamma(a) + std::lgamma(b) - std::lgamma(c) - std::lgamma(d);
    return GammaSign(a) * GammaSign(b) * GammaSign(c) * GammaSign(d) * std::exp(log);
}

}  // namespace

long double Beta(long double a, long double b) {
    const long double direct = std::tgamma(a) * std::tgamma(b) / std::tgamma(a + b);
    if (std::isfinite(direct) && direct != 0) return direct;
    if (IsNonPositiveInteger(a) || IsNonPositiveInteger(b)) return kNaN;
    return GammaRatio(a, b, a + b, 1);
}

long double Binomial(long double n, long double k) {
    constexpr long double kMaxProductTerms = 10000;
    if (IsWhole(k)) {
        if (k < 0) {
            // Only the limit of two negative integers is not 0.
            if (!IsNonPositiveInteger(n) || k > n) return 0;
            const long double sign = std::fmod(n - k, 2.0L) == 0 ? 1 : -1;
            return sign * Binomial(-k - 1, n - k);
        }
        const bool whole = IsWhole(n) && n >= 0;
        if (whole && k > n) return 0;
        const long double m = whole ? std::min(k, n - k) : k;
        if (m <= kMaxProductTerms) {
            long double r = 1;
            for (long double i = 1; i <= m; ++i) r = r * (n - m + i) / i;
            return whole ? std::round(r) : r;
        }
    }
    auto reciprocalGamma = [](long double x) {
        return IsNonPositiveInteger(x) ? 0.0L : 1 / std::tgamma(x);
    };
    const long double direct =
        std::tgamma(n + 1) * reciprocalGamma(k + 1) * reciprocalGamma(n - k + 1);
    if (std::isfinite(direct) && direct != 0) return direct;
    if (IsNonPositiveInteger(n + 1)) return kNaN;
    return GammaRatio(n + 1, 1, k + 1, n - k + 1);
}

}  // namespace quorlin::special
