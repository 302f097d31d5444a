#pragma once
// The trajectory of a differential-equation or sequence example and the points marked on an
// example, with their life cycle, plus the numeric helpers that lie beside them: reading a list
// of numbers from a text, Gauss-Jordan inversion with determinant and the frustum measure of
// the volumes and areas of revolution.
//
// Both records own what they point to (texts, trees); their file layouts live only in
// record_codec.h.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formula/expr_node.h"

namespace quorlin::examples {

// A pen as palette index, width in pixels and style code, as examples and trajectories store it.
struct TPenSpec {
    std::int16_t colour = 0;
    std::uint16_t width = 1;
    std::uint16_t style = 0;
    friend bool operator==(const TPenSpec&, const TPenSpec&) = default;
};

// One trajectory or sequence of an example (95 bytes of it in a diagram file).
struct TTrajectory {
    static constexpr int kFormulaKindOffset = 1000;  // kind + 1000: the start values are formulas
    static constexpr int kOrbitalBodyKind = 1219;
    static constexpr int kTextCount = 4;

    long double startX = 0;            // 0
    long double startY = 0;            // 10
    long double startZ = 0;            // 20 (or start t)
    std::uint16_t kind = 0;            // 30: owner's kind, + 1000 with formula start values
    std::uint8_t flag = 1;             // 32
    long double startTime = 0;         // 33
    long double endTime = 1.0L;        // 43: end time, or number of terms of a sequence
    std::uint16_t option1 = 0;         // 53: level variable (24, 25, 26) or integration setting
    std::uint16_t option2 = 0;         // 55: order or method
    long double spare = 0;             // 57
    long double step = 0;              // 67
    std::uint16_t sequenceNumber = 0;  // 77
    TPenSpec pen{0, 0, 0};             // 79
    std::array<std::int16_t, 3> treeOf{-1, -1, -1};  // 85: example tree per component, -1 none,
                                                     // 8 and up the tree (k - 8) negated
    // Start-value texts and their trees; the texts exist only when the start values are
    // formulas (hasTexts).
    bool hasTexts = false;
    std::array<std::string, kTextCount> texts;
    std::array<NodePtr, kTextCount> trees;

    TTrajectory() = default;
    TTrajectory(TTrajectory&&) = default;
    TTrajectory& operator=(TTrajectory&&) = default;
};

// A point marked on an example by a tool (78 bytes in a diagram file).
struct TMarkedPoint {
    static constexpr std::size_t kLabelBytes = 30;  // with its terminator
    std::uint16_t code = 0;                         // 0: mark code of the tool that made it
    std::array<long double, 4> values{};            // 2: three coordinates and a fourth value
    std::string label;                              // 42: at most 29 characters
    std::uint16_t word = 0;                         // 72: word given by the tool
    friend bool operator==(const TMarkedPoint&, const TMarkedPoint&) = default;
};

// The trajectories of an example, newest first, and its marked points, newest first.
using TrajectoryList = std::vector<TTrajectory>;
using MarkedPointList = std::vector<TMarkedPoint>;

}  // namespace quorlin::examples
