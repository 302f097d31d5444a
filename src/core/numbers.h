#pragma once
// Number helpers on long doubles: fixed and automatic text forms, reading a decimal text,
// rounding to int, random values inside an interval, the angle of a point, and the program's
// shared constants.
//
// Text forms never depend on the process locale: the decimal mark is always '.'.
#include <string>
#include <string_view>

#include "core/vectors.h"

namespace quorlin {

inline constexpr int kIntSaturation = 2147483647;

// The C form "%<width>.<places>Lf": fixed notation with places decimals, right-aligned in at
// least width characters.
std::string FormatLf(long double value, int width, int places);

// Fixed notation with the given decimals when the magnitude lies in [1e-4, 1e7) (or is zero),
// else exponent notation "d.ddde+XX" with that many digits after the point.
std::string FormatNumberAuto(long double value, int digits);

// The shortest text that reads back (StrToLD) to exactly this value: fixed notation ("1",
// "-4.8478123", "0.00001") for magnitudes from 1e-5 while it takes at most maxChars characters,
// else exponent notation ("2.5e300", "1e-20") when that is shorter. A field that shows it
// reads back what it showed.
std::string FormatShortest(long double value, std::size_t maxChars = 24);

// Reads a whole decimal number (blanks around it allowed). False for an empty text, trailing
// garbage, hexadecimal forms, infinities, NaN and values beyond the long-double range.
bool StrToLD(std::string_view text, long double& out);

// The nearest int, halves away from zero, saturating at +-2147483647; NaN gives 0.
int RoundLD(long double x);

// A value strictly inside (a, b) drawn from the program's random generator:
// a + (b - a)(2k + 1) / 2000000 with k = RandomInt() mod 1000000.
long double RandomBetween(long double a, long double b);

// The angle of (x, y) in (-pi, pi]; +-pi/2 when |x| < 1e-16 (+pi/2 for y >= 0).
long double AngleOf(long double x, long double y);

// Field width and decimal places of the numbers a window shows.
struct NumberFormat {
    int places = 4;
    int width = 6;

    // Keeps the field width at places + 2 after the places changed.
    void NumberFormatChanged() { width = places + 2; }
    std::string FormatNum(long double value) const { return FormatLf(value, width, places); }
};

// Constants computed once at start-up.
struct GlobalConstants {
    // e^42, about 1.739e18: stands for "unbounded"; searches for a minimum or maximum and empty
    // boxes start from +-unbounded, and a tolerance of unbounded accepts everything.
    long double unbounded;
    // The origin of the plane, for callers that need a vector to stand for "none".
    Vec2 zeroVector;
};

// Computes the constants on first use; start-up calls it once so later calls cost nothing.
const GlobalConstants& InitGlobalConstants();

inline long double Unbounded() {
    return InitGlobalConstants().unbounded;
}

}  // namespace quorlin
