#include "examples/diagram/diagram_settings.h"

#include <cmath>
#include <type_traits>

#include "core/errors.h"
#include "core/numbers.h"

namespace quorlin::examples {

namespace {

using Words = std::array<std::uint16_t, kSettingsWords>;
using Flags = std::array<std::uint8_t, kSettingsFlags>;
using Numbers = std::array<long double, kSettingsNumbers>;

// Words and flags that announce blocks rather than hold settings.
namespace word {
constexpr int kLastIndex = 9;
constexpr int kCompileOptions = 25;
constexpr int kBitmap = 29;
constexpr int kCube = 37;
constexpr int kNameLength = 41;
constexpr int kProtection = 42;
constexpr int kEvalTexts = 45;
}  // namespace word
constexpr int kNoNotebookFlag = 17;
constexpr int kShadingChoiceFlag = 49;
constexpr int kFirstSliderFlag = 22;
constexpr std::uint16_t kPresent = 137;
constexpr std::uint16_t kEvalTextsPresent = 1945;

// The settings stored as plain words, at their positions. With a const settings object the
// visitor reads the fields, with a mutable one it may set them.
template <class S, class F>
void VisitWords(S& s, F&& f) {
    f(0, s.decimalPlaces);
    f(1, s.mouseMode);
    f(2, s.scene.hideSegments);
    f(3, s.levelWords[0]);
    f(4, s.axes.xFrequency);
    f(5, s.axes.yFrequency);
    f(6, s.axes.tickLength);
    f(7, s.axes.minorTickLength);
    f(8, s.printedThickness);
    f(10, s.scene.planarity);
    f(11, s.axes.axesKind);
    f(12, s.scene.axesWords[0]);
    f(13, s.numberFormat);
    f(14, s.axes.gridFlags);
    f(15, s.opaque);
    f(16, s.axes.scaleFlags);
    f(17, s.scene.axesWords[1]);
    f(18, s.scene.lineOfSightSamples);
    f(19, s.scene.slides);
    f(20, s.scene.axesWords[2]);
    f(21, s.axes.xPlaces);
    f(22, s.axes.yPlaces);
    f(23, s.levelWords[1]);
    f(24, s.axisLength);
    f(26, s.scene.screenThickness);
    f(27, s.scene.printedThickness);
    f(28, s.pictexKind);
    f(38, s.screenThickness);
    f(39, s.piSymbol);
    f(40, s.axes.polarSectors);
    f(43, s.fillExplicit);
    f(44, s.shadingStyle);
    f(46, s.defaultCount);
    f(47, s.mapGridFlag);
    f(48, s.axes.suffixChar);
    f(49, s.abruptAngles);
    f(50, s.regionsMode);
    f(51, s.view.logMode);
    f(52, s.sketchThickness);
    f(53, s.openTools);
    f(54, s.toolState[0]);
    f(55, s.toolState[1]);
    f(56, s.toolState[2]);
}

// The flags; an inverted flag is stored as 0 when the setting is on.
template <class S, class F>
void VisitFlags(S& s, F&& f) {
    constexpr bool kInverted = true;
    f(0, s.view.cornersFlag, false);
    f(1, s.inventoryShown, false);
    f(2, s.scene.box, false);
    f(3, s.axes.dots, false);
    f(4, s.axes.axesShown, false);
    f(5, s.axes.ticks, false);
    f(6, s.axes.originLetter, false);
    f(7, s.scene.lockLengths, false);
    f(8, s.axes.xPi, false);
    f(9, s.axes.yPi, false);
    f(10, s.axes.labels, false);
    f(11, s.axes.arrows, false);
    f(12, s.complexMode, kInverted);
    f(13, s.scene.coords, false);
    for (int i = 0; i < 3; ++i) f(14 + i, s.scene.axesFlags[static_cast<std::size_t>(i)], false);
    f(18, s.scene.dotted, false);
    f(19, s.graphInBlack, kInverted);
    f(20, s.solidArrowheads, false);
    for (int i = 0; i < kSliderDialogs; ++i)
        f(kFirstSliderFlag + i, s.sliderShown[static_cast<std::size_t>(i)], kInverted);
    f(47, s.notebookShown, kInverted);
    f(48, s.evaluateParameters, kInverted);
}

// The numbers, long doubles and integers kept as long doubles.
template <class S, class F>
void VisitNumbers(S& s, F&& f) {
    f(0, s.view.centreX);
    f(1, s.view.centreY);
    f(2, s.view.halfWidth);
    f(3, s.view.left);
    f(4, s.view.right);
    f(5, s.view.down);
    f(6, s.view.up);
    f(7, s.speedFactor);
    f(8, s.axes.xInterval);
    f(9, s.axes.yInterval);
    for (int i = 0; i < 3; ++i) f(11 + i, s.scene.observer[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 6; ++i) f(14 + i, s.scene.boxLengths[static_cast<std::size_t>(i)]);
    f(20, s.loopClosing);
    f(21, s.zeroVectors);
    f(22, s.tracer[0]);
    f(23, s.tracer[1]);
    f(24, s.scene.angle);
    f(25, s.view.zoomFactor);
    f(26, s.revolutionRange[0]);
    f(27, s.revolutionRange[1]);
    f(28, s.scene.number28);
    const auto interval = [&f](int first, auto& v) {
        f(first, v.low);
        f(first + 1, v.high);
        f(first + 2, v.steps);
    };
    interval(33, s.riemann);
    f(36, s.rightButton);
    f(37, s.centroidCount);
    f(38, s.ivpDelay);
    f(39, s.scene.number39);
    f(41, s.view.aspect);
    interval(44, s.lineIntegral);
    interval(47, s.flux1);
    interval(50, s.flux2);
    for (int i = 0; i < 6; ++i) f(53 + i, s.scene.sceneBox[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 3; ++i) f(59 + i, s.toolNumbers[static_cast<std::size_t>(i)]);
}

// Settings that older files do not carry: they keep the value they had.
bool FileCarriesWord(int index, int version) {
    switch (index) {
        case 23:
            return version >= 13;
        case 24:
            return version >= 41;
        case 48:
            return version >= 18;
        case 51:
            return version >= 33;
        default:
            return true;
    }
}

bool FileCarriesNumber(int index, int version) {
    return index < 59 || index > 61 || version >= 19;
}

// --- packing ------------------------------------------------------------------------------

Words PackWords(const TDiagramSettings& s, const TBodyMarkers& m) {
    Words w{};
    VisitWords(s, [&w](int i, const auto& v) { w[i] = static_cast<std::uint16_t>(v); });
    w[word::kLastIndex] = static_cast<std::uint16_t>(m.lastIndex);
    w[word::kCompileOptions] = s.compileOptions & 0x7F;
    w[word::kBitmap] = m.backgroundBitmap ? kPresent : 0;
    w[word::kCube] = s.scene.cube ? kPresent : 0;
    w[word::kNameLength] = static_cast<std::uint16_t>(m.nameLength);
    w[word::kProtection] = static_cast<std::uint16_t>(m.protectionMask);
    w[word::kEvalTexts] = m.evalTexts ? kEvalTextsPresent : 0xFFFF;
    return w;
}

Flags PackFlags(const TDiagramSettings& s, const TBodyMarkers& m) {
    Flags f{};
    VisitFlags(s, [&f](int i, bool v, bool inverted) { f[i] = v != inverted ? 1 : 0; });
    f[kNoNotebookFlag] = m.notebook ? 0 : 1;
    f[kShadingChoiceFlag] = s.shadingChoice;
    return f;
}

Numbers PackNumbers(const TDiagramSettings& s) {
    Numbers n{};
    VisitNumbers(s, [&n](int i, const auto& v) { n[i] = static_cast<long double>(v); });
    return n;
}

// --- unpacking ----------------------------------------------------------------------------

// Words are signed where the settings need it: a stored -1 stays -1.
void UnpackWords(const Words& w, int version, TDiagramSettings& s, TBodyMarkers& m) {
    VisitWords(s, [&w, version](int i, auto& v) {
        using T = std::remove_reference_t<decltype(v)>;
        if (FileCarriesWord(i, version)) v = static_cast<T>(static_cast<std::int16_t>(w[i]));
    });
    const auto sign = [&w](int i) { return static_cast<int>(static_cast<std::int16_t>(w[i])); };
    s.compileOptions = static_cast<std::uint8_t>(w[word::kCompileOptions] & 0x7F);
    s.scene.cube = w[word::kCube] == kPresent;
    m.lastIndex = sign(word::kLastIndex);
    m.backgroundBitmap = w[word::kBitmap] == kPresent;
    m.nameLength = sign(word::kNameLength);
    m.protectionMask = sign(word::kProtection);
    m.evalTexts = sign(word::kEvalTexts) > 0;
}

void UnpackFlags(const Flags& f, TDiagramSettings& s, TBodyMarkers& m) {
    VisitFlags(s, [&f](int i, bool& v, bool inverted) { v = (f[i] != 0) != inverted; });
    m.notebook = f[kNoNotebookFlag] == 0;
    s.shadingChoice = f[kShadingChoiceFlag];
}

// False when a number the file carries is not finite.
bool UnpackNumbers(const Numbers& n, int version, TDiagramSettings& s) {
    bool finite = true;
    VisitNumbers(s, [&](int i, auto& v) {
        if (!FileCarriesNumber(i, version)) return;
        finite = finite && std::isfinite(n[i]);
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(v)>, int>)
            v = RoundLD(n[i]);
        else
            v = n[i];
    });
    return finite;
}

// --- the rules of reading -----------------------------------------------------------------

// What older files mean by the settings they lack.
void ApplyOlderVersions(int version, TDiagramSettings& s) {
    if (version < 13) s.levelWords[0] = 1;
    if (version < 16) s.axes.originLetter = false;
    if (version < 22) s.regionsMode = 0;
    if (version < 25) {
        s.openTools = 0;
        s.toolState[2] = 0;
    }
}

template <class T>
void DefaultOutside(T& v, T low, T high, T fallback) {
    if (v < low || v > high) v = fallback;
}

// The defaults that stand in for settings out of their range.
void ReplaceOutOfRange(TDiagramSettings& s) {
    if (s.scene.lineOfSightSamples < 1) s.scene.lineOfSightSamples = 12;
    if (s.scene.screenThickness < 0) s.scene.screenThickness = 0;
    if (s.scene.printedThickness < 1) s.scene.printedThickness = 1;
    if (s.screenThickness < 1) s.screenThickness = 1;
    if (s.piSymbol < 32) s.piSymbol = 'p';
    if (s.axes.polarSectors < 2) s.axes.polarSectors = 8;
    DefaultOutside<std::int16_t>(s.shadingStyle, 891, 893, 891);
    DefaultOutside<std::int16_t>(s.defaultCount, 1, 1000, 50);
    DefaultOutside<std::int16_t>(s.sketchThickness, 1, 6, 1);
    DefaultOutside(s.speedFactor, 0.1L, 10.0L, 1.0L);
    if (s.view.zoomFactor < 1e-16L) s.view.zoomFactor = 1.01L;
    if (s.view.aspect < 1e-16L) s.view.aspect = 1.0L;
    const auto fixInterval = [](TStepInterval& v, int steps) {
        if (v.steps < 2) v.steps = steps;
        if (v.high < v.low + 1e-16L) v.high = v.low + 1;
    };
    fixInterval(s.lineIntegral, 1000);
    fixInterval(s.flux1, 100);
    fixInterval(s.flux2, 100);
}

// Settings no default can stand in for.
bool Sound(const TDiagramSettings& s, const TBodyMarkers& m) {
    const auto within = [](int v, int low, int high) { return v >= low && v <= high; };
    const TStoredView& v = s.view;
    const bool byCorners = v.cornersFlag || v.logMode != canvas::kLogNone;
    return within(s.decimalPlaces, 0, kMaxDecimalPlaces) &&
           within(s.axes.xPlaces, 0, kMaxScalePlaces) &&
           within(s.axes.yPlaces, 0, kMaxScalePlaces) &&
           within(v.logMode, canvas::kLogNone, canvas::kLogBoth) && v.halfWidth > 0 &&
           (!byCorners || (v.left < v.right && v.down < v.up)) && s.axes.xInterval > 0 &&
           s.axes.yInterval > 0 && m.lastIndex >= -1 && m.nameLength <= kStoredNameLength;
}

}  // namespace

void WriteSettingsBlocks(ByteWriter& out, const TDiagramSettings& s, const TBodyMarkers& m) {
    for (std::uint16_t w : PackWords(s, m)) out.U16(w);
    for (std::uint8_t f : PackFlags(s, m)) out.U8(f);
    for (long double n : PackNumbers(s)) out.LongDouble(n);
}

int ReadSettingsBlocks(ByteReader& in, int version, TDiagramSettings& settings,
                       TBodyMarkers& markers) {
    Words words{};
    Flags flags{};
    Numbers numbers{};
    for (std::uint16_t& w : words) in.U16(w);
    for (std::uint8_t& f : flags) in.U8(f);
    for (long double& n : numbers) in.LongDouble(n);
    if (in.Failed()) return kErrCannotOpenFile;

    TDiagramSettings s = settings;
    TBodyMarkers m;
    UnpackWords(words, version, s, m);
    UnpackFlags(flags, s, m);
    if (!UnpackNumbers(numbers, version, s)) return kErrCannotOpenFile;
    ApplyOlderVersions(version, s);
    ReplaceOutOfRange(s);
    if (!Sound(s, m)) return kErrCannotOpenFile;
    settings = s;
    markers = m;
    return kNoError;
}

void WriteSliderSteps(ByteWriter& out, const TSliderSteps& steps) {
    for (std::uint32_t s : steps.steps) out.U32(s);
    for (std::uint32_t s : steps.pageSteps) out.U32(s);
}

int ReadSliderSteps(ByteReader& in, TSliderSteps& steps) {
    TSliderSteps read;
    for (std::uint32_t& s : read.steps) in.U32(s);
    for (std::uint32_t& s : read.pageSteps) in.U32(s);
    if (in.Failed()) return kErrCannotOpenFile;
    for (int i = 0; i < TSliderSteps::kSlots; ++i)
        if (read.steps[i] < 2 || read.pageSteps[i] < 1) return kErrCannotOpenFile;
    steps = read;
    return kNoError;
}

}  // namespace quorlin::examples
