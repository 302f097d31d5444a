#pragma once
// The state of the animation player a graphing window runs (TPlotWin's players): which player,
// its frame logic, the slides it shows and what happens when it ends.
#include <QImage>

#include <functional>
#include <optional>
#include <vector>

#include "examples/operations/animation.h"

namespace quorlin::examples {

struct TRunningPlayer {
    enum class Kind { Parameters, Slides, IntegerSteps, Tool };
    Kind kind = Kind::Parameters;
    int slot = 0;
    std::optional<TParameterAnimation> animation;  // the frame player
    std::optional<TFrameCycle> cycle;              // slides and whole steps
    std::vector<QImage> slides;
    long double left = 0;  // whole steps count from the left end
    bool paused = false;
    bool preparing = false;         // slides are being drawn
    std::function<void()> restore;  // undoes what the slides moved
    std::function<void()> whenDone;
    // A tool's own player: its frame on each tick and its keys (Q ends every player).
    std::function<void()> toolTick;
    std::function<void(int)> toolKey;
};

}  // namespace quorlin::examples
