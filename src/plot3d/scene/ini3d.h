#pragma once
// The 3D block of "qz3.ini" (also of "lev.ini" and "rds.ini"): the settings a 3D window keeps
// between runs, as one value with its layout in the ini record's int and long-double blocks,
// and the checks a value read back must pass (a value that fails takes its default, silently).
#include <array>
#include <cstdint>

#include "core/vectors.h"

namespace quorlin::plot3d {

using IniInts = std::array<std::array<std::int32_t, 21>, 3>;
using IniNumbers = std::array<std::array<long double, 21>, 3>;

inline constexpr int kIni3DKind = 961;
// Arrow lengths in pixels: what the ini keeps and "Length ..." takes.
inline constexpr int kMinArrowLength = 2;
inline constexpr int kMaxArrowLength = 100;
// The largest dot size, decimal places and number field width the ini may give a window.
inline constexpr int kMaxDotSize = 32767;
inline constexpr int kMaxIniDecimalPlaces = 18;
inline constexpr int kMaxFieldWidth = 64;

struct TIni3DSettings {
    int timeWindowColours = 0;        // int 0, 20: four background indexes, two digits each
    int mouseMode = 125;              // int 1, 0: 122 is kept as 125
    bool axisLabels = true;           // int 1, 1
    int dotSize = 2;                  // int 1, 2: 1..32767, else 2
    int slides = 30;                  // int 1, 3
    int stereoDensity = 60;           // int 1, 4
    int stereoStrips = 8;             // int 1, 5
    int decimalPlaces = 4;            // int 1, 6: 0..18, else 4
    bool lengthenHyphens = false;     // int 1, 7
    int minusSign = '-';              // int 1, 8
    int stereoDotSize = 1;            // int 1, 9
    int arrowLength = 10;             // int 1, 10: 2..100, else 10
    int watchDelay = 400;             // int 1, 12: below 1, 400
    int sightSamples = 12;            // int 1, 14
    int fieldWidth = 6;               // int 1, 17: 1..64, else places + 2
    bool abruptAngles = true;         // int 1, 20
    int piSymbol = 227;               // int 2, 2: below 32, 227
    int animationDelay = 150;         // int 2, 3
    bool arrows = true;               // int 2, 4
    bool solidArrowheads = false;     // int 2, 5
    bool metafileOption = false;      // int 2, 6
    bool axesShown = false;           // int 2, 7
    bool parametricsObscure = false;  // int 2, 8: read only with the axes shown
    Vec3 eye{15, 20, 10};             // numbers 1, 0-2
    long double animationValue = 1;   // numbers 1, 3
    long double angleStep;            // numbers 1, 4: pi / 30
    long double stereoDepth = 0.75L;  // numbers 1, 5
    int scrollSteps = 100;            // numbers 1, 8
    int scrollPage = 10;              // numbers 1, 9

    TIni3DSettings();
};

// The colour indexes of the four time windows packed as the ini keeps them (0 for a closed one).
int PackTimeWindowColours(const std::array<int, 4>& colours);

// Writes the block into the record's words; others are left as they are.
void StoreIni3D(const TIni3DSettings& settings, IniInts& ints, IniNumbers& numbers);

// What a read record gives: each value checked, the defaults where a check fails. With the
// axes stored as shown the window shows them only from its first example on (pendingAxes);
// the parametrics-obscure value is taken only then.
struct TIni3DRead {
    TIni3DSettings settings;
    bool pendingAxes = false;
};
TIni3DRead LoadIni3D(const IniInts& ints, const IniNumbers& numbers, const TIni3DSettings& current);

// The mouse mode a window starts in: one outside 123..125 becomes 123.
int StartMouseMode(int stored);

}  // namespace quorlin::plot3d
