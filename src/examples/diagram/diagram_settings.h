#pragma once
// The settings that open every diagram body: 80 settings words, 50 flag bytes and 80 numbers
// (file blocks 1-3), and the step tables of the 40 slider slots (blocks 4 and 5).
//
// TDiagramSettings names each setting and says where it lies; only this module knows the
// positions. A file written by an older version lacks some settings: reading leaves those as
// they were in the settings handed in (the window's own), or gives them the value older files
// mean. Settings out of their range are either replaced by their default, as the program always
// did, or refuse the file when no default could stand in (a view without extent, a tick interval
// that is not positive, a number that is not finite).
//
// Some words and flags do not describe settings but announce which blocks follow
// (TBodyMarkers); the body writer fills them in and the body reader acts on them.
#include <array>
#include <cstdint>

#include "canvas/records/axes_record.h"
#include "canvas/records/world_rect.h"
#include "core/binio.h"
#include "examples/records/plot_settings.h"

namespace quorlin::examples {

inline constexpr int kSettingsWords = 80;
inline constexpr int kSettingsFlags = 50;
inline constexpr int kSettingsNumbers = 80;
inline constexpr int kSliderDialogs = 25;  // 0 '@', 1-23 A-W, 24 the dialog of all letters
inline constexpr int kMaxDecimalPlaces = 18;
inline constexpr int kMaxScalePlaces = 9 + canvas::kPlacesSuffixMark;
inline constexpr int kStoredNameLength = 20;

// The view as a diagram keeps it (the rest of the frame follows from the window's size).
struct TStoredView {
    long double centreX = 0;
    long double centreY = 0;
    long double halfWidth = 5;
    // Corners: left, right, down, up; in a logarithmic window the corners of the logarithmic
    // frame.
    long double left = -5;
    long double right = 5;
    long double down = -5;
    long double up = 5;
    bool cornersFlag = false;
    long double aspect = 1;
    long double zoomFactor = 2;
    std::int16_t logMode = canvas::kLogNone;
    friend bool operator==(const TStoredView&, const TStoredView&) = default;
};

// An integration interval with its number of steps.
struct TStepInterval {
    long double low = 0;
    long double high = 5;
    int steps = 1000;
    friend bool operator==(const TStepInterval&, const TStepInterval&) = default;
};

// The settings of the 3D windows; 2D windows keep them as they are so that they travel along.
struct TScene3DSettings {
    bool hideSegments = true;                               // word 2
    std::int16_t planarity = 100;                           // word 10
    std::array<std::int16_t, 3> axesWords{};                // words 12, 17, 20
    std::int16_t lineOfSightSamples = 12;                   // word 18 (below 1: 12)
    std::int16_t slides = 30;                               // word 19
    std::int16_t screenThickness = 1;                       // word 26
    std::int16_t printedThickness = 1;                      // word 27
    bool cube = false;                                      // word 37 (137 when set)
    bool box = false;                                       // flag 2
    bool lockLengths = false;                               // flag 7
    bool coords = false;                                    // flag 13
    std::array<bool, 3> axesFlags{};                        // flags 14-16
    bool dotted = false;                                    // flag 18
    std::array<long double, 3> observer{30, 40, 20};        // numbers 11-13
    std::array<long double, 6> boxLengths{};                // numbers 14-19
    long double angle = 0;                                  // number 24
    long double number28 = 0;                               // number 28
    int number39 = 150;                                     // number 39
    std::array<long double, 6> sceneBox{0, 0, 0, 2, 2, 2};  // numbers 53-58: min, then max
    friend bool operator==(const TScene3DSettings&, const TScene3DSettings&) = default;
};

struct TDiagramSettings {
    // --- display ---
    std::int16_t decimalPlaces = 4;     // word 0: 0..18
    std::int16_t numberFormat = 0;      // word 13
    std::int16_t mouseMode = 125;       // word 1
    std::int16_t printedThickness = 0;  // word 8
    std::int16_t screenThickness = 1;   // word 38 (below 1: 1)
    std::int16_t piSymbol = 'p';        // word 39 (below 32: 'p')
    std::int16_t axisLength = 0;        // word 24 (from version 41)
    bool opaque = false;                // word 15
    std::int16_t pictexKind = 0;        // word 28
    bool graphInBlack = false;          // flag 19 (0 when on)
    bool solidArrowheads = false;       // flag 20
    canvas::TAxesSettings axes;         // words 4-7, 11, 14, 16, 21, 22, 40, 48; flags 3-6, 8-11;
                                        // numbers 8, 9
    TStoredView view;                   // numbers 0-6, 25, 41; flag 0; word 51 (from version 33)

    // --- examples and tools ---
    std::uint8_t compileOptions = 0;          // word 25: seven option bits
    bool fillExplicit = false;                // word 43
    std::int16_t shadingStyle = 891;          // word 44: 891..893 (else 891)
    std::uint8_t shadingChoice = 0;           // flag 49
    std::int16_t defaultCount = 50;           // word 46: 1..1000 (else 50)
    std::int16_t mapGridFlag = 0;             // word 47
    bool abruptAngles = true;                 // word 49
    std::int16_t regionsMode = 0;             // word 50 (files before version 22: 0)
    std::int16_t sketchThickness = 1;         // word 52: 1..6 (else 1)
    std::uint16_t openTools = 0;              // word 53 (before version 25: 0)
    std::array<std::int16_t, 3> toolState{};  // words 54-56 (word 56 before version 25: 0)
    bool complexMode = false;                 // flag 12 (0 in complex mode)
    bool evaluateParameters = false;          // flag 48 (0 when on)

    // --- windows shown when the diagram was saved ---
    bool inventoryShown = false;                     // flag 1
    std::array<bool, kSliderDialogs> sliderShown{};  // flags 22-46 (0 when shown)
    bool notebookShown = false;                      // flag 47 (0 when shown)

    // --- tools and tracer ---
    long double speedFactor = 1;                   // number 7: 0.1..10 (else 1)
    long double loopClosing = 0.7L;                // number 20
    long double zeroVectors = 0.1L;                // number 21
    std::array<long double, 2> tracer{};           // numbers 22, 23
    std::array<long double, 2> revolutionRange{};  // numbers 26, 27
    TStepInterval riemann;                         // numbers 33-35
    long double rightButton = 0;                   // number 36
    int centroidCount = 10000;                     // number 37
    int ivpDelay = 400;                            // number 38
    TStepInterval lineIntegral;                    // numbers 44-46 (steps below 2: 1000)
    TStepInterval flux1{0, 5, 100};                // numbers 47-49 (steps below 2: 100)
    TStepInterval flux2{0, 5, 100};                // numbers 50-52
    std::array<long double, 3> toolNumbers{};      // numbers 59-61 (from version 19)

    TScene3DSettings scene;
    // The level-curve window's two settings: word 3 (files before version 13: 1) and word 23
    // (from version 13).
    std::array<std::int16_t, 2> levelWords{1, 0};

    friend bool operator==(const TDiagramSettings&, const TDiagramSettings&) = default;
};

// What blocks 1 and 2 announce about the rest of the body.
struct TBodyMarkers {
    int lastIndex = -1;                  // word 9: the last example, -1 for none
    int nameLength = kStoredNameLength;  // word 41: bytes of a name but its terminator
    int protectionMask = 0;              // word 42
    bool backgroundBitmap = false;       // word 29 = 137
    bool evalTexts = false;              // word 45 = 1945
    bool notebook = false;               // flag 17 = 0
    friend bool operator==(const TBodyMarkers&, const TBodyMarkers&) = default;
};

// Blocks 1-3 (1010 bytes).
void WriteSettingsBlocks(ByteWriter& out, const TDiagramSettings& settings,
                         const TBodyMarkers& markers);
// Reads blocks 1-3 of a file of the given version over settings (which keep what the file does
// not carry) and the markers. 0, or kErrCannotOpenFile for short or damaged blocks; settings
// and markers are unchanged then.
int ReadSettingsBlocks(ByteReader& in, int fileVersion, TDiagramSettings& settings,
                       TBodyMarkers& markers);

// Blocks 4 and 5 (320 bytes).
void WriteSliderSteps(ByteWriter& out, const TSliderSteps& steps);
// 0, or kErrCannotOpenFile when short or when a step count is below 2 or a page step below 1.
int ReadSliderSteps(ByteReader& in, TSliderSteps& steps);

}  // namespace quorlin::examples
