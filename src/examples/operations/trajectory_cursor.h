#pragma once
// The cursor of the trajectory slider: the state of one trajectory of a differential-equation
// example at a time, the field vector there, and the vector as drawn (scaled to a typed length
// when one is asked for), with the text of the slider's readout.
//
// The integration is the window's (the trajectory numerics), handed in as a function; the
// variable table is left as it was found.
#include <optional>
#include <string>

#include "core/numbers.h"
#include "core/vectors.h"
#include "examples/records/example.h"
#include "examples/operations/tangents.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

struct TTrajectoryCursorState {
    Vec3 state;  // (x, y, z) at the time
    long double time = 0;
    Vec3 field;  // the example's field at the state
    Vec3 drawn;  // the field, or scaled to the typed length
    long double fieldLength = 0;
};

// The state of the trajectory of `example` at t, the field there (its first two trees, three
// in space) and the drawn vector: scaled to `length` when length >= 1e-13 and the field is
// longer than 1e-13 (pass a negative length to draw the field as it is). Empty where the
// trajectory cannot reach t or the field is undefined.
std::optional<TTrajectoryCursorState> ComputeTrajectoryCursor(
    FormulaContext& formulas, TExample& example, const TTrajectory& trajectory, long double t,
    int dimension, long double length, const TTrajectoryStateAt& stateAt);

// "( x , y )" and, on the next line, "[ fx , fy ]" (three numbers each in space); point and
// vector are given as the window shows them (on logarithmic axes, converted).
std::string TrajectoryReadout(const Vec3& point, const Vec3& vector, int dimension,
                              const NumberFormat& format);

}  // namespace quorlin::examples
