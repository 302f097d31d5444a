#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "core/random.h"

namespace quorlin {

namespace {

constexpr int kMaxPlaces = 60;

std::string ToChars(long double value, std::chars_format format, int precision) {
    // Everyday numbers fit the small buffer; fixed notation of the largest long double needs
    // about 4950 digits before the point.
    std::array<char, 128> small;
    auto result = std::to_chars(small.begin(), small.end(), value, format, precision);
    if (result.ec == std::errc()) return std::string(small.data(), result.ptr);
    std::string large(5100, '\0');
    result = std::to_chars(large.data(), large.data() + large.size(), value, format, precision);
    large.resize(static_cast<std::size_t>(result.ptr - large.data()));
    return large;
}

// The shortest text of the value in the format that reads back exactly.
std::string ShortestChars(long double value, std::chars_format format) {
    std::array<char, 128> small;
    auto result = std::to_chars(small.begin(), small.end(), value, format);
    if (result.ec == std::errc()) return std::string(small.data(), result.ptr);
    std::string large(5100, '\0');
    result = std::to_chars(large.data(), large.data() + large.size(), value, format);
    large.resize(static_cast<std::size_t>(result.ptr - large.data()));
    return large;
}

std::string NonFinite(long double value) {
    if (std::isnan(value)) return "nan";
    return value < 0 ? "-inf" : "inf";
}

// The "C" locale, so that a decimal text reads the same whatever the user's locale says.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string FormatLf(long double value, int width, int places) {
    std::string text = std::isfinite(value) ? ToChars(value, std::chars_format::fixed,
                                                      std::clamp(places, 0, kMaxPlaces))
                                            : NonFinite(value);
    const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() < w) text.insert(0, w - text.size(), ' ');
    return text;
}

std::string FormatNumberAuto(long double value, int digits) {
    if (!std::isfinite(value)) return NonFinite(value);
    const int d = std::clamp(digits, 0, kMaxPlaces);
    const long double magnitude = std::fabs(value);
    if (magnitude == 0 || (magnitude >= 1e-4L && magnitude < 1e7L)) {
        return ToChars(value, std::chars_format::fixed, d);
    }
    return ToChars(value, std::chars_format::scientific, d);
}

std::string FormatShortest(long double value, std::size_t maxChars) {
    if (!std::isfinite(value)) return NonFinite(value);
    if (value == 0) return "0";
    std::string fixed = ShortestChars(value, std::chars_format::fixed);
    if (fixed.size() <= maxChars && std::fabs(value) >= 1e-5L) return fixed;
    // "2.5e+300" and "1e-05" lose the plus sign and the exponent's leading zeros.
    std::string scientific = ShortestChars(value, std::chars_format::scientific);
    const std::size_t e = scientific.find('e');
    std::string exponent = scientific.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    scientific = scientific.substr(0, e + 1) + (negative ? "-" : "") + exponent;
    return scientific.size() < fixed.size() ? scientific : fixed;
}

bool StrToLD(std::string_view text, long double& out) {
    text = Trimmed(text);
    if (text.empty() || text.find_first_of("xX") != std::string_view::npos) return false;
    const std::string copy(text);  // strtold needs a terminated text
    errno = 0;
    char* end = nullptr;
    const long double value = strtold_l(copy.c_str(), &end, CLocale());
    if (end != copy.c_str() + copy.size()) return false;
    // Overflow is refused; a value too small for the range reads as what it is, nearly 0.
    if (errno == ERANGE && std::fabs(value) > 1) return false;
    if (!std::isfinite(value)) return false;
    out = value;
    return true;
}

int RoundLD(long double x) {
    if (std::isnan(x)) return 0;
    if (x >= kIntSaturation) return kIntSaturation;
    if (x <= -kIntSaturation) return -kIntSaturation;
    return static_cast<int>(std::lround(x));
}

long double RandomBetween(long double a, long double b) {
    const long double k = RandomInt() % 1000000;
    return a + (b - a) * (2 * k + 1) / 2000000;
}

long double AngleOf(long double x, long double y) {
    constexpr long double kPi = std::numbers::pi_v<long double>;
    if (std::fabs(x) < 1e-16L) return y < 0 ? -kPi / 2 : kPi / 2;
    const long double angle = std::atan2(y, x);
    return angle <= -kPi ? kPi : angle;
}

const GlobalConstants& InitGlobalConstants() {
    static const GlobalConstants constants{std::exp(42.0L), Vec2{}};
    return constants;
}

}  // namespace quorlin
