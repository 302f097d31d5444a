#pragma once
// The trajectory of a differential-equation or sequence example and the points marked on an
// example, with their life cycle, plus the numeric helpers that lie beside them: reading a list
// of numbers from a text, Gauss-Jordan inversion with determinant and the frustum measure of
// the volumes and areas of revolution, and the two sorted-value helpers the tools use on lists
// of numbers (MergeSortedValues, TIndexSort).
//
// Both records own what they point to (texts, trees); their file layouts live only in
// record_codec.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/vectors.h"
#include "formula/expr_node.h"

namespace quorlin::examples {

// A pen as palette index, width in pixels and style code, as examples and trajectories store it.
struct TPenSpec {
    std::int16_t colour = 0;
    std::uint16_t width = 1;
    std::uint16_t style = 0;  // kept as stored; see DrawnStyle
    friend bool operator==(const TPenSpec&, const TPenSpec&) = default;

    // The style code a pen is drawn with: -1 none, 0 solid, 1 dot, 2 dash, 3 dash-dot, 4
    // dash-dot-dot. The word is signed; any other value (a file may hold one) draws solid.
    int DrawnStyle() const {
        const int code = static_cast<std::int16_t>(style);
        return code >= -1 && code <= 4 ? code : 0;
    }
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

    // A fresh record: the owner's kind, the three tree selectors (-1 for none), both option
    // words and the flag; start values and time 0, end 1, pen (0, 0, 0), no texts, no trees.
    void Init(int newKind, int tree1, int tree2, int tree3, int firstOption, int secondOption,
              int newFlag);
    // Gives the record its four start-value texts, each empty.
    void AllocTexts();
    // Drops the texts and the four trees.
    void FreeContents();
    // A deep copy: every field, the texts when present, and the trees.
    TTrajectory Clone() const;
    // The start coordinate named by the first option word (24 x, 25 y, 26 z); 0 otherwise.
    long double StartCoordinate() const;
};

// One point of a trajectory as the time and phase windows receive it while it is traced: the
// state, the time, whether it is joined to the point before (false: a trajectory begins here)
// and the trajectory's pen.
struct TLinkedPoint {
    Vec3 position;
    long double t = 0;
    bool draw = false;
    TPenSpec pen;
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

// A deep copy of every trajectory, in the same order. (Marked points copy as plain values.)
TrajectoryList CloneTrajectoryList(const TrajectoryList& list);
inline int CountList(const TrajectoryList& list) {
    return static_cast<int>(list.size());
}

// --- numeric helpers ---

inline constexpr std::size_t kMaxScannedNumbers = 128;

// The decimal numbers of a text, at most 128: runs of digits, '-' and '.' separated by any other
// character. A run with two points or a '-' past its first place is skipped; a run without
// digits ("-", ".") reads as 0; a run too large for a long double is skipped.
std::vector<long double> ScanNumbers(std::string_view text);

// Gauss-Jordan inversion of the n x n row-major matrix (the first pivot above 1e-16 in each
// column, not the largest). Returns 0 with the determinant, or kErrPositiveValue (14) with
// determinant 0 when the matrix is singular (or the spans are smaller than n x n); the matrix is
// not changed.
int InvertMatrix(std::span<const long double> matrix, std::span<long double> inverse, int n,
                 long double& determinant);

// Lateral area (first) and volume (second) of the frustum swept by the segment (x1, y1)-(x2, y2)
// turning about the line ax + by = c; (0, 0) when a^2 + b^2 < 1e-16.
std::pair<long double, long double> FrustumOfRevolution(long double x1, long double y1,
                                                        long double x2, long double y2,
                                                        long double a, long double b,
                                                        long double c);

// Merges added values into the sorted values: each goes before the first value not below it,
// then every value within 1e-13 above the last one kept is dropped.
void MergeSortedValues(std::vector<long double>& values, std::span<const long double> added);

// The positions of values in ascending (or descending) order, by heap sort. Undefined values
// (NaN) come last in either order, so the result is always a permutation of 0..n-1.
class TIndexSort {
public:
    TIndexSort(std::span<const long double> values, bool ascending);
    std::vector<int> Sort() const;

private:
    bool Preferred(int a, int b) const;
    void Sift(std::vector<int>& heap, std::size_t k, std::size_t limit) const;

    std::vector<long double> values_;
    bool ascending_;
};

}  // namespace quorlin::examples
