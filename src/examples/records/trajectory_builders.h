#pragma once
// The records the windows hang on an example: new trajectories of a system, of a slope field
// and of a recursion (newest first, each numbered one above the previous head), marked points
// without repeats, and the freezing of a Lagrange polynomial's coefficients into its tree.
#include <array>
#include <string_view>

#include "core/vectors.h"
#include "examples/records/trajectory.h"
#include "formula/expr_node.h"

namespace quorlin {
class FormulaContext;
}

namespace quorlin::examples {

// What a new system trajectory starts from.
struct TTrajectoryStart {
    Vec3 start;
    long double startTime = 0;
    int direction = 1;  // +1 forward, -1 backward in time
    // The example trees of the three components as the records name them: 0-6 for trees 1-7
    // (dx/dt, dy/dt, dz/dt of a system are trees 1-3), 8-14 for those trees negated, -1 none.
    std::array<int, 3> fieldTrees{0, 1, 2};
    int method = 0;     // 0 Euler, 1 modified Euler, 2 Runge-Kutta
    int parameter = 0;  // parameter letter whose value the record keeps
    int penWidth = 1;
    long double duration = -1;  // negative: no practical end (e^42)
};

// A system trajectory of an example of exampleKind, pushed at the head of the list: the end
// time lies duration after (or, backwards, before) the start time; the pen takes penColour and
// the start's width; the record keeps parameterValue when the start names a parameter.
TTrajectory& AddTrajectory(TrajectoryList& list, int exampleKind, const TTrajectoryStart& start,
                           int penColour, long double parameterValue);

// A dy/dx trajectory (kind 211): end value 20, the start, the step and the mode word.
TTrajectory& AddSlopeTrajectory(TrajectoryList& list, Vec3 start, long double step, int penColour,
                                int mode, int penWidth);

// A recursion of an example of exampleKind (212 or 312) of `terms` terms from the start.
TTrajectory& AddRecursionTrajectory(TrajectoryList& list, int exampleKind, Vec3 start, int terms,
                                    int penColour, int penWidth);

// Prepends a marked point (code, the first `count` of four values, its text cut to 29
// characters) unless one of the same code with the same first `count` values, each within
// 1e-13, is there already. True when it was added.
bool AddMarkedPoint(MarkedPointList& list, int code, const std::array<long double, 4>& values,
                    int count, std::string_view text);

// Every node that reads one of the extra real slots 12-20 becomes a constant of the slot's
// current value.
void FreezeExtraSlots(TExprNode* tree, const FormulaContext& context);

}  // namespace quorlin::examples
