#pragma once
// The settings a graphing window keeps beside its inventory, as value parts with the defaults
// a new window starts from: the 3D scene switches, the trajectory tracer, the animation
// players, the integration tools, the level-curve and stereogram settings, the options of the
// options level, the step counts of the sliders and the remembered places of the editing
// dialogs. The window levels own one of each; the diagram body stores most of them.
#include <array>
#include <cstdint>
#include <string>

namespace quorlin::examples {

// Switches and values of the 3D scene and its hidden-line tests.
struct TSceneSettings {
    bool hiddenLines = false;
    bool hideSegments = true;
    bool parametricsObscure = false;
    bool visibleParametricSurface = false;  // a shown parametric-type surface is present
    std::int16_t checksPerPoint = 12;       // line-of-sight checks per point ...
    long double checksReciprocal = 1.0L / 12;
    std::int16_t planarity = 100;  // ... planarity tolerance, kept also as n x 0.001
    long double planarityTolerance = 0.1L;
    long double hiddenPointOffset = 0.1L;  // towards the observer
    long double lineOfSightTolerance = 0.001L;
    bool axisLabels = true;
    bool arrows = true;
    std::int16_t boxPrintedThickness = 3;
    std::int16_t boxScreenThickness = 1;
    std::int16_t axisSetting1 = 3;
    std::int16_t axisSetting2 = 1;
    std::int16_t count3D = 30;

    friend bool operator==(const TSceneSettings&, const TSceneSettings&) = default;
};

// The trajectory tracer: tolerances in pixels and their world-unit copies (recomputed with
// the view), the step length, the detections and the strobe, the watch settings.
struct TTracerSettings {
    long double zeroVectorPixels = 0.1L;
    long double loopClosingPixels = 0.7L;
    long double thirdPixels = 5.0L;
    long double zeroVector = 0;  // world units
    long double loopClosing = 0;
    long double third = 0;
    long double stepLength = 0.1L;
    bool abruptAngles = true;
    bool infiniteSlopes = true;
    bool strobe = false;
    long double strobeInterval;          // 2 pi
    std::int32_t trajectoryDelay = 400;  // dummy evaluations per step while watching
    bool watch = false;
    std::int32_t watchDelay = 0;
    bool crossingSearch = false;  // set while a step is shortened
    long double tracerValue = 0;
    bool mapThroughExample = false;  // the tracer maps its points through the current example
    // A curve redrawn at every move of a cursor: loops close at six times the tolerance and a
    // trace ends after a tenth of a second, so that a drag keeps pace with the mouse.
    bool closedLoopBudget = false;

    TTracerSettings();
    // The world-unit tolerances for a view of the given units per pixel.
    void ScaleTolerances(long double unitsPerPixel);
    friend bool operator==(const TTracerSettings&, const TTracerSettings&) = default;
};

// The parameter animation players.
struct TAnimationSettings {
    long double speed = 1.0L;
    bool realTime = false;
    bool timeStarted = false;
    std::int32_t slideDelay = 150;         // milliseconds of busy delay between slides
    std::array<std::uint8_t, 24> group{};  // '@' and A-W moving together

    friend bool operator==(const TAnimationSettings&, const TAnimationSettings&) = default;
};

// The interval and the results of the integration tools and the ranges of the other tools.
struct TToolSettings {
    static constexpr int kSums = 6;
    long double low = 0;
    long double high = 5;
    std::int32_t subintervals = 1000;
    std::array<long double, kSums> sums{};
    std::array<std::string, kSums> sumTexts{"0.0", "0.0", "0.0", "0.0", "0.0", "0.0"};
    long double lineLow = 0;
    long double lineHigh = 5;
    std::int32_t lineSteps = 1000;
    long double fluxTLow = 0;
    long double fluxTHigh = 5;
    long double fluxULow = 0;
    long double fluxUHigh = 5;
    std::int32_t fluxTSteps = 100;
    std::int32_t fluxUSteps = 100;
    // The surface of revolution: the arc (t) and angle (u) ranges, the parameter letters of
    // their ends (arc start, arc stop, angle start, angle stop; 0 none, 1..23 A..W) and the
    // axis ax + by = c.
    long double revolutionTLow = 0;
    long double revolutionTHigh = 1;
    long double revolutionULow = 0;
    long double revolutionUHigh;  // 2 pi
    std::array<std::int16_t, 4> revolutionLetters{};
    std::array<long double, 3> revolutionAxis{0, 1, 0};
    // The cross-section solid's x range and the letters of its ends.
    long double sectionLow = -5;
    long double sectionHigh = 5;
    std::int16_t sectionLowLetter = 0;
    std::int16_t sectionHighLetter = 0;
    std::int32_t randomDarts = 10000;

    TToolSettings();
    friend bool operator==(const TToolSettings&, const TToolSettings&) = default;
};

// The level-curve window's level and tolerances.
struct TLevelSettings {
    std::int16_t variable = 26;  // 24 x, 25 y, 26 z
    long double value = 0;
    long double tolerance = 0;
    long double loopClosing = 0.7L;
    friend bool operator==(const TLevelSettings&, const TLevelSettings&) = default;
};

// Random-dot stereograms of a 3D window.
struct TStereogramSettings {
    std::int16_t density = 60;
    std::int16_t strips = 8;
    std::int16_t dotSize = 1;
    long double depth = 0.75L;
    friend bool operator==(const TStereogramSettings&, const TStereogramSettings&) = default;
};

// The options of the options level that are not kept below it.
struct TPlotOptions {
    static constexpr int kShadeOpaque = 891;
    static constexpr int kShadeNotXor = 892;
    static constexpr int kShadeXor = 893;
    bool pendingEdit = false;  // a button of the editing dialog asks the 3D level to act
    std::uint8_t shadingOption = 0;
    bool fillExplicit = false;  // shade explicit inequalities filled
    std::int16_t shadingSpacing = 3;
    std::int16_t shadingMode = kShadeOpaque;
    std::int16_t defaultCount = 50;  // given to new examples, translations and tables
    std::array<std::uint8_t, 27> markedParameters{};  // letters an exported animation moves
    std::int16_t dotSize = 2;
    std::int16_t extraPrintThickness = 0;
    bool graphInBlack = false;

    friend bool operator==(const TPlotOptions&, const TPlotOptions&) = default;
};

// Step counts of the sliders: slots 0-26 the parameters, 27 the curve slider, 28 the
// trajectory slider, 29 the slicer, 30 the level direction.
struct TSliderSteps {
    static constexpr int kSlots = 40;
    static constexpr int kCurveSlot = 27;
    static constexpr int kTrajectorySlot = 28;
    static constexpr int kSlicerSlot = 29;
    std::array<std::uint32_t, kSlots> steps;
    std::array<std::uint32_t, kSlots> pageSteps;

    TSliderSteps();
    friend bool operator==(const TSliderSteps&, const TSliderSteps&) = default;
};

// Where each kind's editing dialog was last shown, by KindTableIndex; (-1, -1) not yet placed.
struct TDialogPositions {
    static constexpr int kSlots = 100;
    struct Place {
        std::int32_t x = -1;
        std::int32_t y = -1;
        friend bool operator==(const Place&, const Place&) = default;
    };
    std::array<Place, kSlots> places{};

    // The place of a kind's dialog; null for a kind outside the table.
    Place* Of(int kind);
    friend bool operator==(const TDialogPositions&, const TDialogPositions&) = default;
};

// The palette indices a graphing window's fifteen colour roles start with, and the string ids
// naming roles 1-14 in the colour dialog.
inline constexpr std::array<std::int16_t, 15> kDefaultRoleColours{1, 4, 6,  0, 4, 6, 4, 4,
                                                                  0, 0, 21, 4, 0, 0, 0};
inline constexpr std::array<int, 15> kRoleCaptionIds{0,   103, 104, 105, 106, 107, 108, 109,
                                                     110, 111, 112, 113, 114, 151, 121};

}  // namespace quorlin::examples
