#pragma once
// The cursor of the curve slider: where it stands on the chosen curve (explicit, polar,
// parametric and intrinsic curves, and space curves), the velocity or slope there, the speed,
// the curvature and the principal-normal helper of the Frenet frame, and the secant (or average
// velocity) from a base point; with the texts of its two readouts.
//
// It keeps no pointer into the inventory: each call is handed the curve's record, looked up
// afresh by the caller, and the cursor keeps only its own trees (the curve's second
// derivatives) and numbers. The variable table is left as it was found.
#include <functional>
#include <string>

#include "core/numbers.h"
#include "core/vectors.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// Position and Frenet frame of an intrinsic curve at an arc length.
struct TCurveFrame {
    Vec3 position;
    Vec3 tangent;
    Vec3 normal;
    Vec3 binormal;
};

// The arc-length integration of intrinsic curves, which the window supplies.
struct TIntrinsicHooks {
    std::function<bool(TExample& curve, long double s, Vec2& position, Vec2& direction)> point2D;
    std::function<bool(TExample& curve, long double s, TCurveFrame& frame)> point3D;
};

// The words of the readouts (the window's string table).
struct TCursorWords {
    std::string undefined = "undefined";
    std::string speed = "speed";
    std::string slope = "slope";
    std::string velocity = "velocity";
    std::string curvature = "curvature";
};

// What the painters and readouts read.
struct TCursorState {
    Vec3 position;
    long double parameter = 0;
    Vec3 basePosition;
    long double baseParameter = 0;
    bool positionDefined = false;
    bool velocityDefined = false;
    bool curvatureDefined = false;
    bool curvatureUsable = false;  // squared speed above 1e-13
    bool secantDegenerate = true;
    Vec3 velocity;      // (1, f') on an explicit curve; the unit tangent on an intrinsic one
    Vec3 acceleration;  // the second derivatives where they are defined
    long double speed = 0;
    long double curvature = 0;
    Vec3 secant;  // cursor - base, or the average velocity
    long double secantLength = 0;
    bool secantDefined = false;  // the position was defined when the secant was taken
    Vec3 normalHelper;           // acceleration / squared speed, the Frenet frame's bend (3D)
};

// Which of the slider's vector check boxes are on.
struct TVectorChecks {
    bool secants = false;
    bool tangents = false;
    bool frenet = false;
};

class TCurveCursor {
public:
    TCurveCursor(FormulaContext& formulas, int dimension, TIntrinsicHooks hooks = {});

    // A new curve: its kind, range and second derivatives; the secant starts over. Kinds
    // without a curve form (none selected) leave the cursor undefined.
    void Select(const TExample& curve);
    // No curve: the cursor is undefined until one is selected.
    void Clear();
    bool HasCurve() const { return kind_ != 0; }
    int Kind() const { return kind_; }
    long double Low() const { return low_; }
    long double High() const { return high_; }
    bool IsIntrinsic() const;
    bool IsExplicit() const { return kind_ == kind::kExplicit; }

    // Moves the cursor to parameter v of the curve (x of an explicit curve, s of an intrinsic
    // one); true when the position is defined (always for intrinsic curves). With secants on,
    // the secant of a non-explicit curve is the average velocity.
    bool MoveTo(TExample& curve, long double v, bool secantsOn);
    // The cursor becomes the base of the secants.
    void SetBase();

    const TCursorState& State() const { return state_; }

    // "x =", "s =" or "t =": the label of the parameter field.
    std::string ParameterLabel() const;
    // The lines of the position readout.
    std::string PositionText(const NumberFormat& format, const TCursorWords& words) const;
    // The vector readout for the checked boxes.
    std::string VectorText(const NumberFormat& format, const TCursorWords& words,
                           const TVectorChecks& checks) const;

private:
    bool Evaluate(NodePtr& tree, long double& out);
    bool PlacePoint(TExample& curve, long double v);
    bool PlaceIntrinsic(TExample& curve, long double v);
    void ComputeVelocity(TExample& curve);
    void ComputeCurvature(TExample& curve);
    void ComputeSecant(bool secantsOn);

    FormulaContext& formulas_;
    int dimension_;
    TIntrinsicHooks hooks_;
    int kind_ = 0;
    int derivation_ = 0;
    long double low_ = 0;
    long double high_ = 1;
    NodePtr secondX_;  // x'' (0 on an explicit curve)
    NodePtr secondY_;
    NodePtr secondZ_;  // z'' of a space curve
    TCursorState state_;
};

}  // namespace quorlin::examples
