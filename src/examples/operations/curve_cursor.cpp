#include "examples/operations/curve_cursor.h"

#include <cmath>

#include "examples/operations/tangents.h"

namespace quorlin::examples {

namespace {

constexpr long double kTiny = 1e-16L;
constexpr long double kUsableSquaredSpeed = 1e-13L;
constexpr long double kSmallestSquare = 1e-31L;

// Leaves the variable table as it was found.
class VariablesKept {
public:
    explicit VariablesKept(FormulaContext& f) : f_(f), saved_(f.vars) {}
    ~VariablesKept() { f_.vars = saved_; }
    VariablesKept(const VariablesKept&) = delete;
    VariablesKept& operator=(const VariablesKept&) = delete;

private:
    FormulaContext& f_;
    TVariableTable saved_;
};

long double SumOfAbs(const Vec3& v) {
    return std::fabs(v.x) + std::fabs(v.y) + std::fabs(v.z);
}

}  // namespace

TCurveCursor::TCurveCursor(FormulaContext& formulas, int dimension, TIntrinsicHooks hooks)
    : formulas_(formulas), dimension_(dimension), hooks_(std::move(hooks)) {}

bool TCurveCursor::IsIntrinsic() const {
    return kind_ == kind::kIntrinsic || kind_ == kind::kSpaceIntrinsic;
}

void TCurveCursor::Clear() {
    kind_ = 0;
    derivation_ = 0;
    secondX_.reset();
    secondY_.reset();
    secondZ_.reset();
    const Vec3 base = state_.basePosition;
    const long double baseParameter = state_.baseParameter;
    state_ = {};
    state_.basePosition = base;
    state_.baseParameter = baseParameter;
}

void TCurveCursor::Select(const TExample& curve) {
    Clear();
    kind_ = curve.kind;
    derivation_ = curve.derivation;
    low_ = curve.rangeLow[0];
    high_ = curve.rangeHigh[0];
    // A curve compiled past its work budget has no first derivatives: its velocity,
    // acceleration and curvature stay undefined while its position is still traced.
    const auto second = [this](const TExprNode* first, int variableOp, NodePtr& out) {
        if (first) formulas_.Differentiate(first, variableOp, out);
    };
    if (IsExplicit()) {
        secondX_ = TExprNode::NewConst(0.0L);
        second(curve.Tree(6), op::kVarX, secondY_);
    } else if (!IsIntrinsic()) {
        second(curve.Tree(5), op::kVarT, secondX_);
        second(curve.Tree(6), op::kVarT, secondY_);
        // A space curve's third derivative tree is z'(t).
        if (dimension_ >= 3) second(curve.Tree(7), op::kVarT, secondZ_);
    }
}

bool TCurveCursor::Evaluate(NodePtr& tree, long double& out) {
    if (!tree || !formulas_.Evaluate(*tree)) return false;
    out = tree->re;
    return std::isfinite(out);
}

bool TCurveCursor::MoveTo(TExample& curve, long double v, bool secantsOn) {
    if (!HasCurve()) return false;
    const VariablesKept kept(formulas_);
    state_.parameter = v;
    state_.velocityDefined = false;
    state_.curvatureDefined = false;
    state_.curvatureUsable = false;
    state_.normalHelper = {};
    if (IsIntrinsic()) {
        state_.positionDefined = PlaceIntrinsic(curve, v);
        ComputeSecant(secantsOn);
        return true;
    }
    state_.positionDefined = PlacePoint(curve, v);
    if (state_.positionDefined) ComputeVelocity(curve);
    ComputeSecant(secantsOn);
    if (state_.positionDefined && state_.velocityDefined) ComputeCurvature(curve);
    return state_.positionDefined;
}

bool TCurveCursor::PlacePoint(TExample& curve, long double v) {
    Vec3& p = state_.position;
    if (IsExplicit()) {
        formulas_.SetVar(slot::kX, v);
        p = {v, 0, 0};
        return Evaluate(curve.Tree(2), p.y);
    }
    formulas_.SetVar(slot::kT, v);
    p.z = 0;
    if (!Evaluate(curve.Tree(1), p.x) || !Evaluate(curve.Tree(2), p.y)) return false;
    // The third tree is z in space, and r on a polar curve.
    if (dimension_ >= 3 || kind_ == kind::kPolar) return Evaluate(curve.Tree(3), p.z);
    return true;
}

bool TCurveCursor::PlaceIntrinsic(TExample& curve, long double s) {
    TCursorState& st = state_;
    bool placed = false;
    if (dimension_ >= 3) {
        TCurveFrame frame;
        placed = hooks_.point3D && hooks_.point3D(curve, s, frame);
        if (placed) {
            st.position = frame.position;
            st.velocity = frame.tangent;
            long double kappa = 0;
            formulas_.SetVar(slot::kS, s);
            if (Evaluate(curve.Tree(1), kappa)) {
                st.curvature = std::fabs(kappa);
                st.curvatureDefined = true;
                st.normalHelper = kappa * frame.normal;
            }
        }
    } else {
        Vec2 position, direction;
        placed = hooks_.point2D && hooks_.point2D(curve, s, position, direction);
        if (placed) {
            st.position = {position.x, position.y, 0};
            st.velocity = {direction.x, direction.y, 0};
            formulas_.SetVar(slot::kS, s);
            st.curvatureDefined = Evaluate(curve.Tree(1), st.curvature);
        }
    }
    if (!placed) return false;
    const long double square = Vec3Dot(st.velocity, st.velocity);
    st.speed = square >= kSmallestSquare ? std::sqrt(square) : 0;
    st.velocityDefined = true;
    st.curvatureUsable = st.curvatureDefined && square > kUsableSquaredSpeed;
    return true;
}

void TCurveCursor::ComputeVelocity(TExample& curve) {
    TCursorState& st = state_;
    st.velocity = {};
    st.velocityDefined = Evaluate(curve.Tree(5), st.velocity.x) &&
                         Evaluate(curve.Tree(6), st.velocity.y) &&
                         (dimension_ < 3 || Evaluate(curve.Tree(7), st.velocity.z));
    st.speed = st.velocityDefined ? std::sqrt(Vec3Dot(st.velocity, st.velocity)) : 0;
    st.acceleration = {};
    Evaluate(secondX_, st.acceleration.x);
    Evaluate(secondY_, st.acceleration.y);
    Evaluate(secondZ_, st.acceleration.z);
}

void TCurveCursor::ComputeCurvature(TExample& curve) {
    TCursorState& st = state_;
    const long double square = st.speed * st.speed;
    NodePtr& tree = curve.Tree(4);
    if (dimension_ < 3) {
        st.curvatureDefined = Evaluate(tree, st.curvature);
    } else if (tree && tree->op == op::kCurvature3) {
        formulas_.Evaluate(*tree);
        const TExprNode* k = tree->child[3].get();
        st.curvatureDefined = k && std::isfinite(k->re);
        // A tangent line of a surface is straight.
        st.curvature =
            derivation_ == derived::kSurfaceLine || !st.curvatureDefined ? 0 : std::fabs(k->re);
        if (derivation_ == derived::kSurfaceLine) st.curvatureDefined = true;
        if (st.curvatureDefined && square > kUsableSquaredSpeed) {
            // Children x'', z'', y''.
            const auto value = [&](int c) {
                const TExprNode* n = tree->child[c].get();
                return n && std::isfinite(n->re) ? n->re : 0.0L;
            };
            st.normalHelper = (1 / square) * Vec3{value(0), value(2), value(1)};
        }
    }
    st.curvatureUsable = st.curvatureDefined && square > kUsableSquaredSpeed;
}

void TCurveCursor::ComputeSecant(bool secantsOn) {
    TCursorState& st = state_;
    st.secantDefined = st.positionDefined;
    if (!st.positionDefined) return;
    Vec3 difference = st.position - st.basePosition;
    if (dimension_ < 3) difference.z = 0;  // r of a polar curve is not a coordinate
    const bool zero = SumOfAbs(difference) < kTiny;
    const long double dt = st.parameter - st.baseParameter;
    const bool average = secantsOn && !IsExplicit() && std::fabs(dt) > kTiny;
    st.secant = average ? (1 / dt) * difference : difference;
    st.secantLength = Vec3Length(st.secant);
    if (IsIntrinsic())
        st.secantDegenerate = zero;
    else if (st.secantDegenerate && !zero)
        st.secantDegenerate = false;
}

void TCurveCursor::SetBase() {
    state_.basePosition = state_.position;
    state_.baseParameter = state_.parameter;
    state_.secant = {};
    state_.secantLength = 0;
    state_.secantDegenerate = true;
}

// ------------------------------------------------------------------------------ readouts

std::string TCurveCursor::ParameterLabel() const {
    if (IsExplicit()) return "x =";
    return IsIntrinsic() ? "s =" : "t =";
}

std::string TCurveCursor::PositionText(const NumberFormat& format,
                                       const TCursorWords& words) const {
    const TCursorState& st = state_;
    const auto line = [&](const char* label, long double value) {
        return std::string(label) +
               (st.positionDefined ? format.FormatNum(value) : words.undefined) + "\r\n";
    };
    if (!HasCurve()) return {};
    if (IsExplicit()) return line("y = ", st.position.y);
    if (kind_ == kind::kPolar)
        return line("r = ", st.position.z) + line("x = ", st.position.x) +
               line("y = ", st.position.y);
    std::string text = line("x = ", st.position.x) + line("y = ", st.position.y);
    if (dimension_ >= 3) text += line("z = ", st.position.z);
    return text;
}

std::string TCurveCursor::VectorText(const NumberFormat& format, const TCursorWords& words,
                                     const TVectorChecks& checks) const {
    const TCursorState& st = state_;
    if (!HasCurve()) return {};
    const auto number = [&](bool defined, long double v) {
        return defined ? format.FormatNum(v) : words.undefined;
    };
    const auto bracket = [&](bool defined, const Vec3& v) {
        std::string text = "[ " + number(defined, v.x) + " , " + number(defined, v.y);
        if (dimension_ >= 3) text += " , " + number(defined, v.z);
        return text + " ]";
    };
    if (checks.secants) {
        const bool defined = st.secantDefined && !st.secantDegenerate;
        if (IsExplicit()) {
            const bool slope = defined && std::fabs(st.secant.x) >= kTiny;
            return words.slope + ": " + number(slope, slope ? st.secant.y / st.secant.x : 0);
        }
        if (!defined)
            return words.velocity + ": " + words.undefined + "\r\n" + words.speed + ": " +
                   words.undefined;
        return words.velocity + ": " + bracket(true, st.secant) + "\r\n" + words.speed + ": " +
               number(true, st.secantLength);
    }
    if (!checks.tangents && !checks.frenet) return {};
    std::string text;
    if (IsExplicit()) {
        const bool slope = st.velocityDefined && std::fabs(st.velocity.x) >= kTiny;
        text = words.slope + ": " + number(slope, slope ? st.velocity.y / st.velocity.x : 0);
    } else {
        text = words.velocity + ": " + bracket(st.velocityDefined, st.velocity) + "\r\n" +
               words.speed + ": " + number(st.velocityDefined, st.speed);
    }
    return text + "\r\n" + words.curvature + ": " + number(st.curvatureDefined, st.curvature);
}

}  // namespace quorlin::examples
