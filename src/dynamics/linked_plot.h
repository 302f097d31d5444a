#pragma once
// What the time and phase windows of a graphing window show of its trajectories, and the small
// decisions of the trajectory drawing that need no window: which curves of a level window pass
// its level, and whether the pixels around a point already show a curve.
//
// Time window 0 plots x(t), 1 y(t), 2 x(t) and y(t) together in a plane window ("xy(t)") but
// z(t) in a space window, 3 x(t), y(t) and z(t) ("xyz(t)", space windows). Phase window 0 plots
// the plane of x and y, 1 that of z and x, 2 that of y and z. Each curve is one plotted pair of
// the window levels' SelectAxisPair: 3 (x, y), 5 (z, x), 6 (y, z), 9 (t, x), 10 (t, y),
// 12 (t, z).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/vectors.h"
#include "examples/records/trajectory.h"

namespace quorlin::dynamics {

enum class LinkedKind { kTime, kPhase };

inline constexpr int kTimeWindowCount = 4;
inline constexpr int kPhaseWindowCount = 3;

// A window of the kind and index; false for an index the kind does not have.
bool IsLinkedWindow(LinkedKind kind, int index);

// The plotted pairs the window draws, one curve each (empty for an index it does not have).
std::vector<int> LinkedPairs(LinkedKind kind, int index, int dimension);

// "x(t)", "y(t)", "xy(t)" or "z(t)", "xyz(t)"; "xy", "zx", "yz".
std::string LinkedName(LinkedKind kind, int index, int dimension);

// The bit of the window in the open-tools mask of a diagram file: 1, 2, 4, 8 for the time
// windows, 128, 256, 512 for the phase windows.
std::uint16_t LinkedMaskBit(LinkedKind kind, int index);

// Joins the points of a linked window's curves: for each curve the segment from its last point
// to the new one, where the new point is joined and both are defined.
class LinkedTrack {
public:
    struct Segment {
        Vec2 from;
        Vec2 to;
    };

    explicit LinkedTrack(std::size_t curves = 0) : last_(curves) {}

    // The new point of each curve (nothing where its pair is undefined); the segments to draw.
    std::vector<Segment> Step(const std::vector<std::optional<Vec2>>& points, bool draw);

private:
    std::vector<std::optional<Vec2>> last_;
};

// A curve of a level window passes when its level variable is the window's and its level lies
// strictly within the tolerance of the window's level value.
bool PassesLevelFilter(const examples::TTrajectory& trajectory, int levelVariable,
                       long double levelValue, long double tolerance);

// The 3 x 3 pixels around (x, y): true when one of them differs from the background colour or,
// with a colour given, equals that colour. Pixels outside the image (pixel() gives nothing)
// do not count.
bool TestPixelsAround(const std::function<std::optional<std::uint32_t>(int x, int y)>& pixel, int x,
                      int y, std::uint32_t background, std::optional<std::uint32_t> colour = {});

}  // namespace quorlin::dynamics
