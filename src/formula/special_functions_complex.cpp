// The special functions of a complex argument (special_functions.h). Each method is chosen by
// region so that no sum cancels more than a few digits: power series near 0, recurrences and
// continued fractions in between, asymptotic series far out. Where a function has a branch
// cut along the negative real axis, a point on the cut takes the value from above it.
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "formula/special_functions.h"

namespace quorlin::special {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kEuler = std::numbers::egamma_v<long double>;
constexpr long double kEps = LDBL_EPSILON;
constexpr long double kTiny = 1e-4000L;  // keeps the continued fractions away from 0
constexpr int kMaxIterations = 10000;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const Complex kI(0, 1);
const Complex kUndefined(kNaN, kNaN);

bool IsFinite(const Complex& z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

bool IsNonPositiveInteger(long double x) {
    return x <= 0 && x == std::floor(x);
}

// z with a -0 imaginary part made +0, so that a point of the negative real axis lies on the
// upper side of the cuts.
Complex Upper(const Complex& z) {
    return {z.real(), z.imag() + 0.0L};
}

// True once a term no longer changes the sum.
bool Negligible(const Complex& term, const Complex& sum) {
    return std::abs(term) <= kEps / 2 * std::abs(sum);
}

// --- gamma -----------------------------------------------------------------------------------

// Stirling's series; |w| >= 20 and Re w > 0.
Complex LnGammaShifted(Complex w) {
    static constexpr long double kBernoulli[] = {1.0L / 6,   -1.0L / 30,    1.0L / 42,
                                                 -1.0L / 30, 5.0L / 66,     -691.0L / 2730,
                                                 7.0L / 6,   -3617.0L / 510};
    Complex sum = (w - 0.5L) * std::log(w) - w + 0.5L * std::log(2 * kPi);
    const Complex w2 = w * w;
    Complex power = w;
    for (int k = 1; k <= 8; ++k) {
        sum += kBernoulli[k - 1] / ((2.0L * k) * (2.0L * k - 1) * power);
        power *= w2;
    }
    return sum;
}

// A logarithm of sin(pi z) (the branch does not matter to its users, which exponentiate it),
// also where sin(pi z) itself is beyond the range: sin(pi z) = e^(-i pi z) (1 - q) i/2 with
// q = e^(2 i pi z), which is tiny above the real axis.
Complex LogSinPi(const Complex& z) {
    if (std::fabs(z.imag()) < 20) return std::log(std::sin(kPi * z));
    const Complex w = z.imag() > 0 ? z : std::conj(z);
    const Complex q = std::exp(2 * kPi * kI * w);
    const Complex log = -kPi * kI * w + std::log(1.0L - q) + std::log(0.5L * kI);
    return z.imag() > 0 ? log : std::conj(log);
}

// cot(pi z), also far from the real axis where cos and sin overflow.
Complex CotPi(const Complex& z) {
    if (std::fabs(z.imag()) < 20) return std::cos(kPi * z) / std::sin(kPi * z);
    const Complex w = z.imag() > 0 ? z : std::conj(z);
    const Complex q = std::exp(2 * kPi * kI * w);
    const Complex cot = kI * (q + 1.0L) / (q - 1.0L);
    return z.imag() > 0 ? cot : std::conj(cot);
}

// ln Gamma(z) for Re z >= 1/2, from Stirling's series at |w| >= 20.
Complex LnGammaRightHalf(const Complex& z) {
    Complex w = z, logs = 0;
    while (std::abs(w) < 20) {
        logs += std::log(w);
        w += 1.0L;
    }
    return LnGammaShifted(w) - logs;
}

// ln Gamma(z) = ln pi - ln sin(pi z) - ln Gamma(1 - z) left of 1/2, some branch.
Complex LnGammaReflected(const Complex& z) {
    return std::log(kPi) - LogSinPi(z) - LnGammaRightHalf(1.0L - z);
}

}  // namespace

Complex Gamma(const Complex& z) {
    if (z.imag() == 0 && IsNonPositiveInteger(z.real())) return kUndefined;
    if (z.real() < 0.5L) {
        // Far from the real axis sin(pi z) overflows while Gamma(1 - z) underflows.
        if (std::fabs(z.imag()) >= 20) return std::exp(LnGammaReflected(z));
        return kPi / (std::sin(kPi * z) * Gamma(1.0L - z));
    }
    Complex w = z, product = 1;
    while (std::abs(w) < 20) {
        product *= w;
        w += 1.0L;
    }
    return std::exp(LnGammaShifted(w)) / product;
}

Complex LnGamma(const Complex& z) {
    if (z.imag() == 0 && IsNonPositiveInteger(z.real())) return kUndefined;
    if (z.real() > 0) return LnGammaRightHalf(z);
    const Complex gamma = Gamma(z);
    if (std::abs(gamma) > 0 && IsFinite(gamma)) return std::log(gamma);
    const Complex log = LnGammaReflected(z);  // the principal logarithm, as log(Gamma) above
    return {log.real(), std::remainder(log.imag(), 2 * kPi)};
}

Complex Beta(const Complex& a, const Complex& b) {
    const Complex direct = Gamma(a) * Gamma(b) / Gamma(a + b);
    if (IsFinite(direct) && direct != Complex(0)) return direct;
    return std::exp(LnGamma(a) + LnGamma(b) - LnGamma(a + b));
}

Complex Binomial(const Complex& n, const Complex& k) {
    const Complex one = 1;
    const Complex direct = Gamma(n + one) / (Gamma(k + one) * Gamma(n - k + one));
    if (IsFinite(direct) && direct != Complex(0)) return direct;
    return std::exp(LnGamma(n + one) - LnGamma(k + one) - LnGamma(n - k + one));
}

Complex Digamma(const Complex& z) {
    if (z.imag() == 0 && IsNonPositiveInteger(z.real())) return kUndefined;
    if (z.real() < 0.5L) return Digamma(1.0L - z) - kPi * CotPi(z);
    Complex w = z, result = 0;
    while (std::abs(w) < 15) {
        result -= 1.0L / w;
        w += 1.0L;
    }
    // ln w - 1/(2w) - sum of B_2k / (2k w^2k), k = 1..7.
    static constexpr long double kCoefficients[] = {
        1.0L / 12, -1.0L / 120, 1.0L / 252, -1.0L / 240, 1.0L / 132, -691.0L / 32760, 1.0L / 12};
    const Complex w2 = 1.0L / (w * w);
    Complex tail = 0;
    for (int k = 6; k >= 0; --k) tail = (tail + kCoefficients[k]) * w2;
    return result + std::log(w) - 0.5L / w - tail;
}

// --- error functions -------------------------------------------------------------------------

namespace {

// Where the continued fraction of erfc converges fast (Re z >= 1, |z| >= 3): the power series
// of erf would sum large terms that cancel there.
bool InContinuedFractionRegion(const Complex& z) {
    return z.real() >= 1 && std::abs(z) >= 3;
}

// erfc(z) = exp(-z^2) / (sqrt(pi) t), t = z + (1/2)/(z + 1/(z + (3/2)/(z + ...))), from the tail.
Complex ErfcContinuedFraction(const Complex& z) {
    Complex t = z;
    for (int k = 120; k >= 1; --k) t = z + (k / 2.0L) / t;
    return std::exp(-z * z) / (std::sqrt(kPi) * t);
}

}  // namespace

Complex Erfc(const Complex& z) {
    if (z.imag() == 0) return std::erfc(z.real());
    if (z.real() < 0) return 2.0L - Erfc(-z);
    if (InContinuedFractionRegion(z)) return ErfcContinuedFraction(z);
    return 1.0L - Erf(z);
}

Complex Erf(const Complex& z) {
    if (z.real() < 0) return -Erf(-z);
    if (InContinuedFractionRegion(z)) return 1.0L - ErfcContinuedFraction(z);
    const Complex z2 = z * z;
    Complex power = z, sum = z;
    for (int n = 1; n < kMaxIterations; ++n) {
        power *= -z2 / static_cast<long double>(n);
        const Complex add = power / (2.0L * n + 1);
        sum += add;
        if (Negligible(add, sum)) break;
    }
    return 2 / std::sqrt(kPi) * sum;
}

// C(z) + i S(z) = (1 + i)/2 erf(sqrt(pi)/2 (1 - i) z), and C - i S with i and -i exchanged.
Complex FresnelS(const Complex& z) {
    const Complex plus = (1.0L + kI) / 2.0L * Erf(std::sqrt(kPi) / 2 * (1.0L - kI) * z);
    const Complex minus = (1.0L - kI) / 2.0L * Erf(std::sqrt(kPi) / 2 * (1.0L + kI) * z);
    return (plus - minus) / (2.0L * kI);
}

Complex FresnelC(const Complex& z) {
    const Complex plus = (1.0L + kI) / 2.0L * Erf(std::sqrt(kPi) / 2 * (1.0L - kI) * z);
    const Complex minus = (1.0L - kI) / 2.0L * Erf(std::sqrt(kPi) / 2 * (1.0L + kI) * z);
    return (plus + minus) / 2.0L;
}

// --- exponential, sine and cosine integrals --------------------------------------------------

namespace {

// E1(w): the power series where it cancels at most e^6 (near 0, and near the negative real
// axis, where e^-w is large), the asymptotic series far out along that axis, and the
// continued fraction elsewhere.
Complex ExpIntegralE1(const Complex& w) {
    const long double r = std::abs(w);
    const bool nearNegativeAxis = r + w.real() <= 6;
    if (r <= 2 || (nearNegativeAxis && r <= 60)) {
        Complex sum = 0, power = 1;
        for (int k = 1; k < kMaxIterations; ++k) {
            power *= -w / static_cast<long double>(k);
            const Complex add = power / static_cast<long double>(k);
            sum += add;
            if (Negligible(add, sum)) break;
        }
        return -kEuler - std::log(w) - sum;
    }
    if (nearNegativeAxis) {
        // e^-w / w times the sum of (-1)^k k! / w^k, cut at its smallest term; the jump of
        // i pi across the axis is far below the resolution of e^-w / w here.
        Complex sum = 1, term = 1;
        for (int k = 1; k < kMaxIterations; ++k) {
            const Complex next = -term * static_cast<long double>(k) / w;
            if (std::abs(next) > std::abs(term) || Negligible(next, sum)) break;
            term = next;
            sum += term;
        }
        return std::exp(-w) / w * sum;
    }
    Complex b = w + 1.0L, c = 1.0L / kTiny, d = 1.0L / b, h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const long double a = -static_cast<long double>(i) * i;
        b += 2.0L;
        d = 1.0L / (a * d + b);
        c = b + a / c;
        const Complex delta = c * d;
        h *= delta;
        if (std::abs(delta - 1.0L) < kEps) break;
    }
    return h * std::exp(-w);
}

struct SinCosIntegrals {
    Complex si, ci;
};

// Si and Ci with Re z >= 0 and Im z >= 0: their power series where it cancels little (near 0
// and near the imaginary axis), else Si = (E1(iz) - E1(-iz)) / 2i + pi/2 and
// Ci = -(E1(iz) + E1(-iz)) / 2.
SinCosIntegrals SiCiFirstQuadrant(const Complex& z) {
    const long double r = std::abs(z);
    if (r <= 4 || (r - z.imag() <= 4 && r <= 40)) {
        // Si = sum of (-1)^m z^(2m+1) / ((2m+1) (2m+1)!), Ci = gamma + ln z + sum over m >= 1
        // of (-1)^m z^2m / (2m (2m)!): the terms z^k / k! / k with alternating signs.
        Complex si = z, ci = 0, power = z, cosTerm = 0;
        for (int k = 2; k < kMaxIterations; ++k) {
            power *= z / static_cast<long double>(k);
            const long double sign = (k / 2) % 2 ? -1 : 1;
            const Complex term = sign * power / static_cast<long double>(k);
            if (k % 2 == 0) {
                ci += cosTerm = term;
                continue;
            }
            si += term;
            if (Negligible(cosTerm, ci) && Negligible(term, si)) break;
        }
        return {si, kEuler + std::log(z) + ci};
    }
    const Complex plus = ExpIntegralE1(Complex(-z.imag(), z.real() + 0.0L));  // E1(iz)
    const Complex minus = ExpIntegralE1(Complex(z.imag(), -z.real()));        // E1(-iz)
    return {(plus - minus) / (2.0L * kI) + kPi / 2, -(plus + minus) / 2.0L};
}

}  // namespace

Complex SinIntegral(const Complex& z) {
    // Si is odd and real on the real axis: the other quadrants by reflection.
    const Complex q(std::fabs(z.real()), std::fabs(z.imag()));
    Complex si = SiCiFirstQuadrant(q).si;
    if ((z.real() < 0) != (z.imag() < 0)) si = std::conj(si);
    return z.real() < 0 ? -si : si;
}

Complex CosIntegral(const Complex& z) {
    if (z == Complex(0)) return kUndefined;
    // Ci(conj z) = conj Ci(z), and Ci(-z) = Ci(z) +- i pi across the cut.
    const Complex q(std::fabs(z.real()), std::fabs(z.imag()));
    const Complex ci = SiCiFirstQuadrant(q).ci;
    const bool upper = !(z.imag() < 0);
    if (z.real() >= 0) return upper ? ci : std::conj(ci);
    return upper ? std::conj(ci) + kPi * kI : ci - kPi * kI;
}

Complex ExpIntegralEi(const Complex& z) {
    if (z.imag() == 0) return ExpIntegralEi(z.real());
    // Ei(z) = -E1(-z) + i pi sign(Im z): the principal value on the real axis, continued
    // above and below it.
    return -ExpIntegralE1(-z) + (z.imag() > 0 ? kPi : -kPi) * kI;
}

// --- Bessel functions of orders 0 and 1 ------------------------------------------------------

namespace {

struct BesselValues {
    Complex j0, j1, y0, y1;
};

// The power series, for |z| <= 2.
BesselValues BesselSeries(const Complex& z) {
    const Complex q = -z * z / 4.0L;
    Complex t0 = 1, t1 = 1;  // q^k / (k!)^2 and q^k / (k! (k+1)!)
    Complex j0 = 1, j1 = 1, y0 = 0, y1 = 1 - 2 * kEuler;
    long double harmonic = 0;
    for (int k = 1; k < kMaxIterations; ++k) {
        t0 *= q / static_cast<long double>(k * k);
        t1 *= q / static_cast<long double>(k * (k + 1));
        harmonic += 1.0L / k;
        j0 += t0;
        j1 += t1;
        y0 += harmonic * t0;
        // psi(k+1) + psi(k+2) = 2 H_k + 1/(k+1) - 2 gamma
        y1 += (2 * harmonic + 1.0L / (k + 1) - 2 * kEuler) * t1;
        if (Negligible(t0 * (1 + harmonic), j0) && Negligible(t1 * (2 + harmonic), j1)) break;
    }
    const Complex log = std::log(z / 2.0L);
    j1 *= z / 2.0L;
    return {j0, j1, 2 / kPi * ((log + kEuler) * j0 - y0),
            2 / kPi * log * j1 - 2.0L / (kPi * z) - z / (2 * kPi) * y1};
}

// Miller's backward recurrence for J_k, normalised by 1 = J0 + 2 (J2 + J4 + ...) near the
// real axis and by cos z = J0 - 2 J2 + 2 J4 - ... away from it; Y0 and Y1 from Neumann's
// series Y0 = 2/pi (ln(z/2) + gamma) J0 - 4/pi sum (-1)^k J_2k / k and its derivative.
BesselValues BesselMiller(const Complex& z) {
    const int top = 2 * static_cast<int>((std::abs(z) + 40) / 2);
    std::vector<Complex> f(top + 2);
    f[top + 1] = 0;
    f[top] = 1e-30L;
    for (int k = top; k >= 1; --k) f[k - 1] = (2.0L * k) / z * f[k] - f[k + 1];
    Complex sumOne = f[0], sumCos = f[0], neumann0 = 0, neumann1 = 0;
    for (int k = 1; 2 * k < top; ++k) {
        const long double sign = k % 2 ? -1 : 1;
        sumOne += 2.0L * f[2 * k];
        sumCos += 2 * sign * f[2 * k];
        neumann0 += sign * f[2 * k] / static_cast<long double>(k);
        neumann1 += sign * (f[2 * k - 1] - f[2 * k + 1]) / static_cast<long double>(k);
    }
    const Complex norm = std::fabs(z.imag()) < 1.5L ? sumOne : sumCos / std::cos(z);
    const Complex j0 = f[0] / norm, j1 = f[1] / norm;
    const Complex log = std::log(z / 2.0L) + kEuler;
    return {j0, j1, 2 / kPi * (log * j0) - 4 / kPi * neumann0 / norm,
            2 / kPi * (log * j1 - j0 / z) + 2 / kPi * neumann1 / norm};
}

// Hankel's asymptotic series, for |z| >= 25 and Re z >= 0.
BesselValues BesselAsymptotic(const Complex& z) {
    Complex j[2], y[2];
    for (int order = 0; order < 2; ++order) {
        const long double mu = 4.0L * order * order;
        Complex p = 1, q = 0, term = 1;
        long double last = 1;
        for (int k = 1; k < 200; ++k) {
            term *= (mu - (2.0L * k - 1) * (2.0L * k - 1)) / (8.0L * k) / z;
            const long double size = std::abs(term);
            if (size > last || size < kEps / 4) break;
            last = size;
            const long double sign = (k / 2) % 2 ? -1 : 1;
            (k % 2 ? q : p) += sign * term;
        }
        const Complex chi = z - (order / 2.0L + 0.25L) * kPi;
        const Complex scale = std::sqrt(2.0L / (kPi * z));
        j[order] = scale * (p * std::cos(chi) - q * std::sin(chi));
        y[order] = scale * (p * std::sin(chi) + q * std::cos(chi));
    }
    return {j[0], j[1], y[0], y[1]};
}

BesselValues Bessel(const Complex& zIn) {
    const Complex z = Upper(zIn);
    if (std::abs(z) <= 2) return BesselSeries(z);
    if (std::abs(z) < 25) return BesselMiller(z);
    if (z.real() >= 0) return BesselAsymptotic(z);
    // Left half-plane from -z: J0 is even, J1 odd, and Y_n(-w) = (-1)^n (Y_n(w) +- 2i J_n(w))
    // with + above the real axis.
    const BesselValues v = BesselAsymptotic(-z);
    const Complex jump = (z.imag() >= 0 ? 2.0L : -2.0L) * kI;
    return {v.j0, -v.j1, v.y0 + jump * v.j0, -(v.y1 + jump * v.j1)};
}

}  // namespace

Complex BesselJ0(const Complex& z) {
    return Bessel(z).j0;
}
Complex BesselJ1(const Complex& z) {
    return Bessel(z).j1;
}
Complex BesselY0(const Complex& z) {
    if (z == Complex(0)) return kUndefined;
    return Bessel(z).y0;
}
Complex BesselY1(const Complex& z) {
    if (z == Complex(0)) return kUndefined;
    return Bessel(z).y1;
}

// --- Riemann zeta ----------------------------------------------------------------------------

namespace {

// Euler-Maclaurin summation: the sum of k^-s below N, the integral of the tail, and twelve
// correction terms B_2j / (2j)! s (s+1) ... (s+2j-2) N^(1-s-2j); N grows with |s| so that
// the corrections fall by a factor of about 36 each.
Complex ZetaEulerMaclaurin(const Complex& s) {
    static constexpr long double kBernoulli[] = {
        1.0L / 6,       -1.0L / 30,       1.0L / 42,       -1.0L / 30,
        5.0L / 66,      -691.0L / 2730,   7.0L / 6,        -3617.0L / 510,
        43867.0L / 798, -174611.0L / 330, 854513.0L / 138, -236364091.0L / 2730};
    constexpr int kTerms = 12;
    const long double count = std::ceil(3 * (std::abs(s) + 2 * kTerms) / kPi) + 5;
    if (!(count <= 1e6L)) return kUndefined;  // far up the critical strip: beyond this method
    const int n = static_cast<int>(count);
    Complex sum = 0;
    for (int k = 1; k < n; ++k) sum += std::exp(-s * std::log(static_cast<long double>(k)));
    const Complex nPower = std::exp(-s * std::log(count));  // N^-s
    sum += nPower * count / (s - 1.0L) + nPower / 2.0L;
    Complex rising = s;              // s (s+1) ... (s+2j-2)
    Complex power = nPower / count;  // N^(-s-1), then N^(-s-2j+1)
    long double factorial = 2;       // (2j)!
    for (int j = 1; j <= kTerms; ++j) {
        const Complex term = kBernoulli[j - 1] / factorial * rising * power;
        sum += term;
        if (Negligible(term, sum)) break;
        rising *= (s + (2.0L * j - 1)) * (s + 2.0L * j);
        power /= count * count;
        factorial *= (2.0L * j + 1) * (2.0L * j + 2);
    }
    return sum;
}

}  // namespace

Complex Zeta(const Complex& s) {
    if (s.imag() == 0) return Zeta(s.real());
    if (s.real() >= 0) return ZetaEulerMaclaurin(s);
    // The functional equation, in logarithms: 2^s pi^(s-1) sin(pi s/2) Gamma(1-s) zeta(1-s).
    const Complex log = s * std::numbers::ln2_v<long double> + (s - 1.0L) * std::log(kPi) +
                        LogSinPi(s / 2.0L) + LnGammaRightHalf(1.0L - s);
    return std::exp(log) * ZetaEulerMaclaurin(1.0L - s);
}

}  // namespace quorlin::special
