#pragma once
// The derived examples of the tracing sliders and the slicer: Taylor polynomials of explicit
// curves, tangent lines of curves, points marked on curves, the point, velocity vector and
// tangent line at a trajectory's state, and the tangent plane and the two tangent lines of a
// surface at a point. Each is an inventory record with a derivation code and its parent's
// index; its builder turns the record (its texts and stored numbers) into trees, and runs again
// whenever the parent or a parameter changes (the windows' dependency walk calls Rebuild), so a
// derived example never keeps stale trees.
//
// A derived record holds everything its builder needs (texts, the stored point, time and
// range texts), so that it is rebuilt the same after a diagram file is read, and its range
// survives a recompilation of its range texts. The creators check the room first and append at
// the end of the inventory; a record whose build fails is removed again.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/vectors.h"
#include "examples/records/compile.h"
#include "examples/records/derivation.h"
#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// A parent that may carry a Taylor polynomial or tangent line: not derived, or derived by a
// code the derivation table marks approximable (the arithmetic combinations, the composition).
bool CanApproximate(const TExample& parent);

// The state of a trajectory of `parent` at time t; empty where it cannot be reached. The
// window integrates (the trajectory numerics); the builders only ask.
using TTrajectoryStateAt =
    std::function<std::optional<Vec3>(TExample& parent, const TTrajectory&, long double t)>;

// What a creator did: the index of the new example, or -1 with the error to show (0: refused
// without a message).
struct TAddResult {
    int index = -1;
    int error = 0;
    bool Added() const { return index >= 0; }
};

class TTangentBuilder {
public:
    // dimension: 2 or 3, as the window's.
    TTangentBuilder(TInventory& inventory, TExampleCompiler& compiler, FormulaContext& formulas,
                    int dimension);

    void SetStateAt(TTrajectoryStateAt stateAt) { stateAt_ = std::move(stateAt); }
    // The diagonal of the window's 3D box: the length of a trajectory's tangent line.
    void SetBoxDiagonal(long double diagonal) { boxDiagonal_ = diagonal; }

    // --- creators ---
    // A Taylor polynomial of degree 0..9 (17 outside) about the centre text of an explicit
    // curve; any other curve gets its tangent line at that parameter. 106 for a parent that
    // cannot carry one, 1 when the polynomial cannot be built, 4 without room.
    TAddResult AddTaylorPolynomial(int parent, int degree, std::string_view centre);
    TAddResult AddTangentLineEntry(int parent, std::string_view parameter);
    // A point on the curve at the parameter text, dotSize pixels.
    TAddResult AddMarkedPoint(int parent, std::string_view parameter, int dotSize);
    // The point of the trajectory at the time.
    TAddResult AddTrajectoryPoint(int parent, const TTrajectory& trajectory, long double time,
                                  int dotSize);
    // Code 79: the field vector at the state, length long when length > 1e-16 (speed is the
    // field's length); code 80: the tangent line there. 6 where the field is undefined.
    TAddResult AddTrajectoryLine(int parent, const TTrajectory& trajectory, long double time,
                                 int code, long double length, long double speed);
    // The tangent plane of a surface at the point text "p;q" of its two parameters (the
    // stored point gives a half that does not read); colour is its colour word.
    TAddResult AddTangentPlane(int parent, std::string_view pointText, Vec3 point, int colour);
    // The two tangent lines of a surface there, in the directions of its first and second
    // parameter; the result is the second one's index.
    TAddResult AddTangentLines(int parent, std::string_view pointText, Vec3 point);

    // --- builders: true when example i was rebuilt ---
    bool BuildTaylorPolynomial(int i);
    bool BuildTangentLine(int i);
    bool BuildMarkedPoint(int i);
    bool BuildTrajectoryPoint(int i);
    bool BuildTrajectoryLine(int i);
    bool BuildTangentExpressions(int i);
    // Rebuilds example i by its derivation code; empty for a code not made here.
    std::optional<bool> Rebuild(int i);

private:
    // Appends the record when there is room (4 otherwise), builds it, removes it on failure.
    TAddResult AppendAndBuild(TExample record, int errorOnFailure,
                              bool (TTangentBuilder::*build)(int));
    // The parent of derived example i when it lies before it; null otherwise.
    TExample* ParentOf(int i);
    NodePtr Parsed(std::string_view text);
    // Start texts, numbers and words of a record on a trajectory at a time.
    void SetTrajectoryPointTexts(TExample& e, const TTrajectory& trajectory, long double time);
    std::optional<Vec3> StateOfRecord(int i);

    TInventory& inventory_;
    TExampleCompiler& compiler_;
    FormulaContext& formulas_;
    int dimension_;
    TTrajectoryStateAt stateAt_;
    long double boxDiagonal_ = 1.7320508075688772L;
};

}  // namespace quorlin::examples
