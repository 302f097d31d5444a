#include "formula/name_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "formula/complex_math.h"
#include "formula/special_functions.h"

namespace quorlin {

namespace {

using std::numbers::pi_v;
constexpr long double kPi = pi_v<long double>;

// --- adapters from plain functions to the evaluator signatures ------------------------------

template <auto F>
long double Real1(long double a, long double) {
    return F(a);
}

// Real1 for a function whose name is overloaded with its complex form.
template <long double (*F)(long double)>
long double RealFn(long double a, long double) {
    return F(a);
}

template <auto F>
long double Real2(long double a, long double b) {
    return F(a, b);
}

template <auto F>
bool Complex1(const Complex& a, const Complex&, Complex& out) {
    out = F(a);
    return IsFinite(out);
}

template <auto F>
bool Complex2(const Complex& a, const Complex& b, Complex& out) {
    out = F(a, b);
    return IsFinite(out);
}

// On the real axis the real function's value, so that both modes agree there; elsewhere (and
// where the real one has none, as on a branch cut) the complex function's.
template <RealEvaluator F, Complex (*G)(const Complex&)>
bool RealOnTheAxis(const Complex& a, const Complex& b, Complex& out) {
    if (a.imag() == 0) {
        out = F(a.real(), b.real());
        if (IsFinite(out)) return true;
    }
    out = G(a);
    return IsFinite(out);
}

// A function that complex mode offers only on the real axis.
template <RealEvaluator F>
bool RealAxisOnly(const Complex& a, const Complex& b, Complex& out) {
    if (a.imag() != 0 || b.imag() != 0) return false;
    out = F(a.real(), b.real());
    return IsFinite(out);
}

// Rounding functions act on both parts in complex mode.
template <auto F>
bool Componentwise(const Complex& a, const Complex&, Complex& out) {
    out = Complex(F(a.real()), F(a.imag()));
    return IsFinite(out);
}

long double Sign(long double x) {
    return x > 0 ? 1.0L : (x < 0 ? -1.0L : 0.0L);
}
long double Frac(long double x) {
    return x - std::trunc(x);
}

long double RealRoot(long double n, long double x) {
    if (n == 0) return NAN;
    if (x >= 0) return std::pow(x, 1 / n);
    const bool oddInteger = n == std::floor(n) && std::fmod(std::fabs(n), 2.0L) == 1;
    return oddInteger ? -std::pow(-x, 1 / n) : NAN;
}

// a - b FLOOR(a / b), from the exact remainder: the quotient of two large numbers would
// round before it is floored.
long double RealMod(long double a, long double b) {
    if (b == 0) return NAN;
    long double r = std::fmod(a, b);
    if (r != 0 && (r < 0) != (b < 0)) r += b;
    return r + 0.0L;  // never -0
}

// The angle in (0, pi) whose cotangent is x, from ARCTAN(1/x): pi/2 - ARCTAN(x) would lose the
// digits of a small angle to the cancellation.
long double RealArcCot(long double x) {
    if (x == 0) return kPi / 2;
    const long double a = std::atan(1 / x);
    return x > 0 ? a : kPi + a;
}

Complex ComplexArcCot(const Complex& z) {
    if (z.real() == 0) return kPi / 2 - std::atan(z);
    const Complex a = std::atan(1.0L / z);
    return z.real() > 0 ? a : kPi + a;
}

long double BesselJ0(long double x) {
    return ::j0l(x);
}
long double BesselJ1(long double x) {
    return ::j1l(x);
}
long double BesselY0(long double x) {
    return x > 0 ? ::y0l(x) : NAN;
}
long double BesselY1(long double x) {
    return x > 0 ? ::y1l(x) : NAN;
}

Complex ComplexSign(const Complex& z) {
    const long double r = std::abs(z);
    return r == 0 ? Complex(0) : z / r;
}

Complex ComplexCbrt(const Complex& z) {
    if (z.imag() == 0) return std::cbrt(z.real());
    return std::exp(std::log(z) / 3.0L);
}

bool ComplexPowerRoot(const Complex& n, const Complex& x, Complex& out) {
    if (n.imag() == 0 && x.imag() == 0) {
        const long double r = RealRoot(n.real(), x.real());
        if (std::isfinite(r)) {
            out = r;
            return true;
        }
    }
    if (n == Complex(0)) return false;
    return CxPower(x, 1.0L / n, out);
}

bool ComplexLogBase(const Complex& b, const Complex& x, Complex& out) {
    if (b == Complex(0) || x == Complex(0)) return false;
    const Complex lb = std::log(b);
    if (lb == Complex(0)) return false;
    out = std::log(x) / lb;
    return IsFinite(out);
}

bool ComplexMax(const Complex& a, const Complex& b, Complex& out) {
    out = b.real() > a.real() ? b : a;
    return true;
}

bool ComplexMin(const Complex& a, const Complex& b, Complex& out) {
    out = b.real() < a.real() ? b : a;
    return true;
}

// LN(1 + z) and EXP(z) - 1 from their parts near 0, so that the digits lost by forming 1 + z
// or subtracting 1 stay: |1 + z|^2 = 1 + (2x + x^2 + y^2), and e^z - 1 = (e^x - 1) cos y -
// 2 sin(y/2)^2 + i e^x sin y. Far from 0, 1 + z loses nothing (and near -1 the sum
// 2x + x^2 + y^2 would).
Complex ComplexLog1p(const Complex& z) {
    const long double x = z.real();
    const long double y = z.imag();
    if (y == 0 && x > -1) return std::log1p(x);
    if (std::abs(z) >= 0.5L) return std::log(Complex(1 + x, y));
    return {0.5L * std::log1p(x * (2 + x) + y * y), std::atan2(y, 1 + x)};
}

Complex ComplexExpm1(const Complex& z) {
    const long double x = z.real();
    const long double y = z.imag();
    if (y == 0) return std::expm1(x);
    const long double halfSine = std::sin(y / 2);
    return {std::expm1(x) * std::cos(y) - 2 * halfSine * halfSine, std::exp(x) * std::sin(y)};
}

bool ComplexLog(const Complex& a, const Complex&, Complex& out) {
    if (a == Complex(0)) return false;
    out = std::log(a);
    return IsFinite(out);
}

// A logarithm to a fixed base: on the positive axis the real function's value, so that
// LOG2(128) is 7 in both modes; elsewhere LN(z) / LN(base).
template <RealEvaluator RealLog, int Base>
bool ComplexLogToBase(const Complex& a, const Complex& b, Complex& out) {
    if (a == Complex(0)) return false;
    out = a.imag() == 0 && a.real() > 0 ? Complex(RealLog(a.real(), b.real()))
                                        : std::log(a) / std::log(static_cast<long double>(Base));
    return IsFinite(out);
}

bool ComplexDivideInto(const Complex& numerator, const Complex& z, Complex& out) {
    if (z == Complex(0)) return false;
    out = numerator / z;
    return IsFinite(out);
}

// f(1/z) for the reciprocal inverse functions.
template <auto F>
bool OfReciprocal(const Complex& a, const Complex&, Complex& out) {
    if (a == Complex(0)) return false;
    out = F(1.0L / a);
    return IsFinite(out);
}

template <auto F>
bool ReciprocalOf(const Complex& a, const Complex&, Complex& out) {
    return ComplexDivideInto(1.0L, F(a), out);
}

bool ComplexLnGamma(const Complex& a, const Complex&, Complex& out) {
    if (a.imag() == 0 && a.real() > 0) {
        out = std::lgamma(a.real());
        return IsFinite(out);
    }
    out = special::LnGamma(a);
    return IsFinite(out);
}

bool ComplexBinomial(const Complex& n, const Complex& k, Complex& out) {
    out = n.imag() == 0 && k.imag() == 0 ? Complex(special::Binomial(n.real(), k.real()))
                                         : special::Binomial(n, k);
    return IsFinite(out);
}

long double Pi(long double, long double) {
    return kPi;
}

bool ComplexPi(const Complex&, const Complex&, Complex& out) {
    out = kPi;
    return true;
}

// --- the table ----------------------------------------------------------------------------------

using C = const Complex&;
using L = long double;

const std::array kFunctions = std::to_array<BuiltinFunction>({
    {op::kSqrt, 1, Real1<[](L x) { return std::sqrt(x); }>,
     Complex1<[](C z) { return std::sqrt(z); }>, "SQRT"},
    {op::kExp, 1, Real1<[](L x) { return std::exp(x); }>, Complex1<[](C z) { return std::exp(z); }>,
     "EXP"},
    {op::kCos, 1, Real1<[](L x) { return std::cos(x); }>, Complex1<[](C z) { return std::cos(z); }>,
     "COS"},
    {op::kTan, 1, Real1<[](L x) { return std::tan(x); }>, Complex1<[](C z) { return std::tan(z); }>,
     "TAN TG"},
    {op::kCot, 1, Real1<[](L x) { return 1 / std::tan(x); }>,
     ReciprocalOf<[](C z) { return std::tan(z); }>, "COT COTAN CTG"},
    {op::kSec, 1, Real1<[](L x) { return 1 / std::cos(x); }>,
     ReciprocalOf<[](C z) { return std::cos(z); }>, "SEC"},
    {op::kCsc, 1, Real1<[](L x) { return 1 / std::sin(x); }>,
     ReciprocalOf<[](C z) { return std::sin(z); }>, "CSC COSEC"},
    {op::kArcSin, 1, Real1<[](L x) { return std::asin(x); }>,
     Complex1<[](C z) { return std::asin(z); }>, "ARCSIN ASIN"},
    {op::kArcCos, 1, Real1<[](L x) { return std::acos(x); }>,
     Complex1<[](C z) { return std::acos(z); }>, "ARCCOS ACOS"},
    {op::kArcTan, 1, Real1<[](L x) { return std::atan(x); }>,
     Complex1<[](C z) { return std::atan(z); }>, "ARCTAN ATAN ARCTG"},
    {op::kArcCot, 1, Real1<RealArcCot>, Complex1<ComplexArcCot>, "ARCCOT ACOT ARCCTG"},
    {op::kAbs, 1, Real1<[](L x) { return std::fabs(x); }>,
     Complex1<[](C z) { return Complex(std::abs(z)); }>, "ABS MODULUS"},
    {op::kLn, 1, Real1<[](L x) { return std::log(x); }>, ComplexLog, "LN"},
    {op::kLog10, 1, Real1<[](L x) { return std::log10(x); }>,
     ComplexLogToBase<Real1<[](L x) { return std::log10(x); }>, 10>, "LOG LG LOG10"},
    {op::kSin, 1, Real1<[](L x) { return std::sin(x); }>, Complex1<[](C z) { return std::sin(z); }>,
     "SIN"},
    {op::kSinh, 1, Real1<[](L x) { return std::sinh(x); }>,
     Complex1<[](C z) { return std::sinh(z); }>, "SINH"},
    {op::kCosh, 1, Real1<[](L x) { return std::cosh(x); }>,
     Complex1<[](C z) { return std::cosh(z); }>, "COSH"},
    {op::kTanh, 1, Real1<[](L x) { return std::tanh(x); }>,
     Complex1<[](C z) { return std::tanh(z); }>, "TANH"},
    {op::kCoth, 1, Real1<[](L x) { return 1 / std::tanh(x); }>,
     ReciprocalOf<[](C z) { return std::tanh(z); }>, "COTH"},
    {op::kSech, 1, Real1<[](L x) { return 1 / std::cosh(x); }>,
     ReciprocalOf<[](C z) { return std::cosh(z); }>, "SECH"},
    {op::kCsch, 1, Real1<[](L x) { return 1 / std::sinh(x); }>,
     ReciprocalOf<[](C z) { return std::sinh(z); }>, "CSCH COSECH"},
    {op::kArSinh, 1, Real1<[](L x) { return std::asinh(x); }>,
     Complex1<[](C z) { return std::asinh(z); }>, "ARSINH ASINH ARCSINH"},
    {op::kArCosh, 1, Real1<[](L x) { return std::acosh(x); }>,
     Complex1<[](C z) { return std::acosh(z); }>, "ARCOSH ACOSH ARCCOSH"},
    {op::kArTanh, 1, Real1<[](L x) { return std::atanh(x); }>,
     Complex1<[](C z) { return std::atanh(z); }>, "ARTANH ATANH ARCTANH"},
    {op::kArCoth, 1, Real1<[](L x) { return std::atanh(1 / x); }>,
     OfReciprocal<[](C z) { return std::atanh(z); }>, "ARCOTH ACOTH ARCCOTH"},
    {op::kMax, 2, Real2<[](L a, L b) { return (b > a) ? b : a; }>, ComplexMax, "MAX"},
    {op::kMin, 2, Real2<[](L a, L b) { return b < a ? b : a; }>, ComplexMin, "MIN"},
    {op::kSign, 1, Real1<Sign>, Complex1<ComplexSign>, "SGN SIGN SIGNUM"},
    {op::kFloor, 1, Real1<[](L x) { return std::floor(x); }>,
     Componentwise<[](L x) { return std::floor(x); }>, "FLOOR INT ENTIER"},
    {op::kCeil, 1, Real1<[](L x) { return std::ceil(x); }>,
     Componentwise<[](L x) { return std::ceil(x); }>, "CEIL CEILING"},
    {op::kRound, 1, Real1<[](L x) { return std::round(x); }>,
     Componentwise<[](L x) { return std::round(x); }>, "ROUND"},
    {op::kFrac, 1, Real1<Frac>, Componentwise<Frac>, "FRAC"},
    {op::kTrunc, 1, Real1<[](L x) { return std::trunc(x); }>,
     Componentwise<[](L x) { return std::trunc(x); }>, "TRUNC FIX"},
    {op::kRe, 1, Real1<[](L x) { return x; }>, Complex1<[](C z) { return Complex(z.real()); }>,
     "RE REAL"},
    {op::kIm, 1, Real1<[](L) { return 0.0L; }>, Complex1<[](C z) { return Complex(z.imag()); }>,
     "IM IMAG"},
    {op::kConj, 1, Real1<[](L x) { return x; }>, Complex1<[](C z) { return std::conj(z); }>,
     "CONJ CONJUGATE"},
    {op::kGamma, 1, Real1<[](L x) { return std::tgamma(x); }>, Complex1<special::Gamma>, "GAMMA"},
    {op::kLnGamma, 1, Real1<[](L x) { return std::lgamma(x); }>, ComplexLnGamma,
     "LNGAMMA LGAMMA GAMMALN"},
    {op::kErf, 1, Real1<[](L x) { return std::erf(x); }>, Complex1<special::Erf>, "ERF"},
    {op::kErfc, 1, Real1<[](L x) { return std::erfc(x); }>, Complex1<special::Erfc>, "ERFC"},
    {op::kFactorial, 1, Real1<[](L x) { return std::tgamma(x + 1); }>,
     Complex1<[](C z) { return special::Gamma(z + 1.0L); }>, "FACT FACTORIAL"},
    {op::kCbrt, 1, Real1<[](L x) { return std::cbrt(x); }>, Complex1<ComplexCbrt>, "CBRT"},
    {op::kLog2, 1, Real1<[](L x) { return std::log2(x); }>,
     ComplexLogToBase<Real1<[](L x) { return std::log2(x); }>, 2>, "LOG2 LB LD"},
    {op::kPi, 0, Pi, ComplexPi, "PI"},
    {op::kArcSec, 1, Real1<[](L x) { return std::acos(1 / x); }>,
     OfReciprocal<[](C z) { return std::acos(z); }>, "ARCSEC ASEC"},
    {op::kArcCsc, 1, Real1<[](L x) { return std::asin(1 / x); }>,
     OfReciprocal<[](C z) { return std::asin(z); }>, "ARCCSC ACSC ARCCOSEC"},
    {op::kArSech, 1, Real1<[](L x) { return std::acosh(1 / x); }>,
     OfReciprocal<[](C z) { return std::acosh(z); }>, "ARSECH ASECH ARCSECH"},
    {op::kArCsch, 1, Real1<[](L x) { return std::asinh(1 / x); }>,
     OfReciprocal<[](C z) { return std::asinh(z); }>, "ARCSCH ACSCH ARCCSCH"},
    {op::kStep, 1, Real1<[](L x) { return x < 0 ? 0.0L : 1.0L; }>,
     RealAxisOnly<Real1<[](L x) { return x < 0 ? 0.0L : 1.0L; }>>, "STEP HEAVISIDE"},
    {op::kArcTan2, 2, Real2<[](L y, L x) { return std::atan2(y, x); }>,
     RealAxisOnly<Real2<[](L y, L x) { return std::atan2(y, x); }>>, "ATAN2 ARCTAN2"},
    {op::kMod, 2, RealMod, RealAxisOnly<RealMod>, "MOD"},
    {op::kLogBase, 2, Real2<[](L b, L x) { return std::log(x) / std::log(b); }>, ComplexLogBase,
     "LOGB"},
    {op::kRoot, 2, RealRoot, ComplexPowerRoot, "ROOT"},
    {op::kHypot, 2, Real2<[](L a, L b) { return std::hypot(a, b); }>,
     Complex2<[](C a, C b) { return std::sqrt(a * a + b * b); }>, "HYPOT"},
    {op::kBeta, 2, Real2<[](L a, L b) { return special::Beta(a, b); }>,
     Complex2<[](C a, C b) { return special::Beta(a, b); }>, "BETA"},
    {op::kBesselJ0, 1, RealFn<BesselJ0>, RealOnTheAxis<RealFn<BesselJ0>, special::BesselJ0>,
     "J0 BESSELJ0"},
    {op::kBesselJ1, 1, RealFn<BesselJ1>, RealOnTheAxis<RealFn<BesselJ1>, special::BesselJ1>,
     "J1 BESSELJ1"},
    {op::kBesselY0, 1, RealFn<BesselY0>, RealOnTheAxis<RealFn<BesselY0>, special::BesselY0>,
     "Y0 BESSELY0"},
    {op::kBesselY1, 1, RealFn<BesselY1>, RealOnTheAxis<RealFn<BesselY1>, special::BesselY1>,
     "Y1 BESSELY1"},
    {op::kSinInt, 1, RealFn<special::SinIntegral>,
     RealOnTheAxis<RealFn<special::SinIntegral>, special::SinIntegral>, "SI"},
    {op::kCosInt, 1, RealFn<special::CosIntegral>,
     RealOnTheAxis<RealFn<special::CosIntegral>, special::CosIntegral>, "CI"},
    {op::kExpInt, 1, RealFn<special::ExpIntegralEi>,
     RealOnTheAxis<RealFn<special::ExpIntegralEi>, special::ExpIntegralEi>, "EI"},
    {op::kArg, 1, Real1<[](L x) { return x < 0 ? kPi : 0.0L; }>,
     Complex1<[](C z) { return Complex(z.imag() == 0 && z.real() < 0 ? kPi : std::arg(z)); }>,
     "ARG ANGLE"},
    {op::kZeta, 1, RealFn<special::Zeta>, RealOnTheAxis<RealFn<special::Zeta>, special::Zeta>,
     "ZETA"},
    {op::kFresnelS, 1, RealFn<special::FresnelS>,
     RealOnTheAxis<RealFn<special::FresnelS>, special::FresnelS>, "FRESNELS"},
    {op::kFresnelC, 1, RealFn<special::FresnelC>,
     RealOnTheAxis<RealFn<special::FresnelC>, special::FresnelC>, "FRESNELC"},
    {op::kDigamma, 1, RealFn<special::Digamma>,
     RealOnTheAxis<RealFn<special::Digamma>, special::Digamma>, "DIGAMMA PSI"},
    {op::kSinc, 1, Real1<[](L x) { return x == 0 ? 1.0L : std::sin(x) / x; }>,
     Complex1<[](C z) { return z == Complex(0) ? Complex(1) : std::sin(z) / z; }>, "SINC"},
    {op::kBinomial, 2, Real2<[](L n, L k) { return special::Binomial(n, k); }>, ComplexBinomial,
     "BINOM BINOMIAL"},
    {op::kLog1p, 1, Real1<[](L x) { return std::log1p(x); }>, Complex1<ComplexLog1p>, "LOG1P LNP1"},
    {op::kExpm1, 1, Real1<[](L x) { return std::expm1(x); }>, Complex1<ComplexExpm1>, "EXPM1"},
    {op::kSquare, 1, Real1<[](L x) { return x * x; }>, Complex1<[](C z) { return z * z; }>,
     "SQR SQ SQUARE"},
});

// Keywords of the parser that look like names: piecewise and derivative forms.
constexpr std::string_view kKeywords[] = {"JOINX", "JOINY", "JOINZ", "JOINT", "JOINU", "JOINR",
                                          "DERX",  "DERY",  "DERZ",  "DERT",  "DERU",  "DERR"};

std::array<DerivativeRule, op::kLastBuiltin + 1>& DerivativeRules() {
    static std::array<DerivativeRule, op::kLastBuiltin + 1> rules{};
    return rules;
}

const std::array<const BuiltinFunction*, 256>& ByCode() {
    static const auto table = [] {
        std::array<const BuiltinFunction*, 256> t{};
        for (const auto& f : kFunctions) t[f.code] = &f;
        return t;
    }();
    return table;
}

std::vector<std::string_view> SplitNames(std::string_view names) {
    std::vector<std::string_view> out;
    while (!names.empty()) {
        const auto blank = names.find(' ');
        out.push_back(names.substr(0, blank));
        if (blank == std::string_view::npos) break;
        names.remove_prefix(blank + 1);
    }
    return out;
}

}  // namespace

bool BuiltinFunction::HasName(std::string_view upperName) const {
    const auto all = SplitNames(names);
    return std::find(all.begin(), all.end(), upperName) != all.end();
}

std::span<const BuiltinFunction> BuiltinFunctions() {
    return kFunctions;
}

std::span<const BuiltinFunction* const> BuiltinsByCode() {
    return ByCode();
}

const BuiltinFunction* FindBuiltin(int code) {
    if (code < 0 || code > op::kLastBuiltin) return nullptr;
    return ByCode()[code];
}

const BuiltinFunction* FindBuiltinByName(std::string_view upperName) {
    static const auto byName = [] {
        std::unordered_map<std::string_view, const BuiltinFunction*> map;
        for (const auto& f : kFunctions)
            for (const auto name : SplitNames(f.names)) map.emplace(name, &f);
        return map;
    }();
    const auto it = byName.find(upperName);
    return it == byName.end() ? nullptr : it->second;
}

std::span<const std::string_view> ReservedNames() {
    static const std::vector<std::string_view> all = [] {
        std::vector<std::string_view> v;
        for (const auto& f : kFunctions)
            for (auto n : SplitNames(f.names)) v.push_back(n);
        v.insert(v.end(), std::begin(kKeywords), std::end(kKeywords));
        return v;
    }();
    return all;
}

bool IsReservedName(std::string_view upperName) {
    static const std::unordered_set<std::string_view> all(ReservedNames().begin(),
                                                          ReservedNames().end());
    return all.contains(upperName);
}

bool IsFormName(std::string_view upperName) {
    for (const std::string_view form : {std::string_view("JOIN"), std::string_view("DER")})
        if (upperName.size() == form.size() + 1 && upperName.starts_with(form) &&
            upperName.back() >= 'A' && upperName.back() <= 'Z')
            return true;
    return false;
}

void SetDerivativeRule(int code, DerivativeRule rule) {
    if (code >= 0 && code <= op::kLastBuiltin) DerivativeRules()[code] = rule;
}

DerivativeRule GetDerivativeRule(int code) {
    if (code < 0 || code > op::kLastBuiltin) return nullptr;
    return DerivativeRules()[code];
}

}  // namespace quorlin
