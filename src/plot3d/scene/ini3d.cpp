#include "plot3d/scene/ini3d.h"

#include <numbers>

#include "core/numbers.h"

namespace quorlin::plot3d {

namespace {

constexpr int kTrajectoryMode = 122;
constexpr int kRecenterMode = 125;

}  // namespace

TIni3DSettings::TIni3DSettings() : angleStep(std::numbers::pi_v<long double> / 30) {}

int PackTimeWindowColours(const std::array<int, 4>& colours) {
    return colours[0] + 100 * colours[1] + 10000 * colours[2] + 1000000 * colours[3];
}

void StoreIni3D(const TIni3DSettings& s, IniInts& ints, IniNumbers& numbers) {
    ints[0][19] = kIni3DKind;
    ints[0][20] = s.timeWindowColours;
    auto& b1 = ints[1];
    b1[0] = s.mouseMode == kTrajectoryMode ? kRecenterMode : s.mouseMode;
    b1[1] = s.axisLabels;
    b1[2] = s.dotSize;
    b1[3] = s.slides;
    b1[4] = s.stereoDensity;
    b1[5] = s.stereoStrips;
    b1[6] = s.decimalPlaces;
    b1[7] = s.lengthenHyphens;
    b1[8] = s.minusSign;
    b1[9] = s.stereoDotSize;
    b1[10] = s.arrowLength;
    b1[12] = s.watchDelay;
    b1[14] = s.sightSamples;
    b1[17] = s.fieldWidth;
    b1[20] = s.abruptAngles;
    for (int unused : {11, 13, 15, 16, 18, 19}) b1[static_cast<std::size_t>(unused)] = 0;
    auto& b2 = ints[2];
    b2[0] = b2[1] = 0;
    b2[2] = s.piSymbol;
    b2[3] = s.animationDelay;
    b2[4] = s.arrows;
    b2[5] = s.solidArrowheads;
    b2[6] = s.metafileOption;
    b2[7] = s.axesShown;
    b2[8] = s.parametricsObscure;
    auto& n1 = numbers[1];
    n1[0] = s.eye.x;
    n1[1] = s.eye.y;
    n1[2] = s.eye.z;
    n1[3] = s.animationValue;
    n1[4] = s.angleStep;
    n1[5] = s.stereoDepth;
    n1[8] = s.scrollSteps;
    n1[9] = s.scrollPage;
}

TIni3DRead LoadIni3D(const IniInts& ints, const IniNumbers& numbers,
                     const TIni3DSettings& current) {
    TIni3DRead read{current, false};
    TIni3DSettings& s = read.settings;
    const auto& b1 = ints[1];
    s.timeWindowColours = ints[0][20];
    s.mouseMode = b1[0];
    s.axisLabels = b1[1] != 0;
    // Sizes a window could not draw or print with take their defaults.
    s.dotSize = b1[2] >= 1 && b1[2] <= kMaxDotSize ? b1[2] : TIni3DSettings{}.dotSize;
    s.slides = b1[3];
    s.stereoDensity = b1[4];
    s.stereoStrips = b1[5];
    s.decimalPlaces =
        b1[6] >= 0 && b1[6] <= kMaxIniDecimalPlaces ? b1[6] : TIni3DSettings{}.decimalPlaces;
    s.lengthenHyphens = b1[7] != 0;
    s.minusSign = b1[8];
    s.stereoDotSize = b1[9];
    s.arrowLength = b1[10] >= kMinArrowLength && b1[10] <= kMaxArrowLength
                        ? b1[10]
                        : TIni3DSettings{}.arrowLength;
    s.watchDelay = b1[12] < 1 ? 400 : b1[12];
    s.sightSamples = b1[14];
    s.fieldWidth = b1[17] >= 1 && b1[17] <= kMaxFieldWidth ? b1[17] : s.decimalPlaces + 2;
    s.abruptAngles = b1[20] != 0;
    const auto& b2 = ints[2];
    s.piSymbol = b2[2] < 32 ? 227 : b2[2];
    s.animationDelay = b2[3];
    s.arrows = b2[4] != 0;
    s.solidArrowheads = b2[5] != 0;
    s.metafileOption = b2[6] != 0;
    // Shown axes wait for the first example; the window starts without them.
    read.pendingAxes = b2[7] != 0;
    s.axesShown = false;
    if (read.pendingAxes) s.parametricsObscure = b2[8] != 0;
    const auto& n1 = numbers[1];
    s.eye = {n1[0], n1[1], n1[2]};
    s.animationValue = n1[3];
    s.angleStep = n1[4];
    s.stereoDepth = n1[5];
    const long double steps = n1[8], page = n1[9];
    if (steps >= 2 && steps <= 2147483647.0L && page >= 1 && steps >= 2 * page) {
        s.scrollSteps = RoundLD(steps);
        s.scrollPage = RoundLD(page);
    } else {
        s.scrollSteps = 100;
        s.scrollPage = 10;
    }
    return read;
}

int StartMouseMode(int stored) {
    return stored >= 123 && stored <= 125 ? stored : 123;
}

}  // namespace quorlin::plot3d
