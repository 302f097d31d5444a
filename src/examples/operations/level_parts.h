#pragma once
// The small value parts of the plot levels' state: which example the window follows and how it
// numbers new ones, the pens of what it draws new, how its readout maps points, the switches of
// its inventory operations, what a diagram file keeps for the tools, and the sliders' choices.
// Each level owns its part and hands it out by reference, so that a part can be copied, saved
// and compared whole.
#include <array>
#include <cstdint>

namespace quorlin::examples {

// TPlotWin: the example the readouts and the tools use, and the counters that number new
// examples (an aborted script puts the counters back).
struct TExampleBook {
    int current = -1;     // -1 none
    int created = 0;      // examples created so far: picks the automatic colour of the next
    int polynomials = 0;  // numbers the Lagrange polynomials a script makes
    friend bool operator==(const TExampleBook&, const TExampleBook&) = default;
};

// TPlotWin: the pens of what the window draws new.
struct TNewPens {
    int exampleWidth = 1;  // given to a new example (the editing dialog sets it)
    int sketchWidth = 1;   // the free-hand sketch (a diagram file keeps 1 to 6)
    friend bool operator==(const TNewPens&, const TNewPens&) = default;
};

// TPlotWin: how the readout and the trajectories take their points.
struct TPointMapping {
    bool readoutMaps = false;    // the readout maps the mouse point through the current example
    bool viewRecentred = false;  // the mouse recentred the view; the next paint clears it
    int plottedPair = 3;         // which coordinates a trajectory plots (SelectAxisPair)
    friend bool operator==(const TPointMapping&, const TPointMapping&) = default;
};

// TPlot1Win: the menu switches of the inventory operations.
struct TInventorySwitches {
    bool childrenUseDefaults = true;  // child windows start from built-in defaults
    bool evaluateParameters = false;  // a duplicate freezes the selected parameter letter
    friend bool operator==(const TInventorySwitches&, const TInventorySwitches&) = default;
};

// TPlot11Win: what a diagram file keeps for the tools.
struct TKeptToolState {
    // The examples of kind remainder 10, 11, 12 and 20 the initial-value dialogs work on.
    std::array<std::int16_t, 4> ivpExamples{-1, -1, -1, -1};
    // Level-curve settings.
    std::array<std::int16_t, 2> levelWords{1, 0};
    // Three numbers of the map windows.
    std::array<long double, 3> mapNumbers{0, 0, 5.0L};
    // The last map example read (map windows); -1 none.
    int mapExample = -1;
    friend bool operator==(const TKeptToolState&, const TKeptToolState&) = default;
};

// TPlot111Win: the choices of the curve and trajectory sliders.
struct TSliderChoice {
    bool thickVectors = false;   // the sliders draw their vectors thick (box 273 of both)
    bool pointToolUsed = false;  // a slider added a point (the 3D levels test it)
    friend bool operator==(const TSliderChoice&, const TSliderChoice&) = default;
};

}  // namespace quorlin::examples
