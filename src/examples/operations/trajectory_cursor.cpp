#include "examples/operations/trajectory_cursor.h"

#include <cmath>

namespace quorlin::examples {

namespace {
constexpr long double kShortest = 1e-13L;
}

std::optional<TTrajectoryCursorState> ComputeTrajectoryCursor(
    FormulaContext& formulas, TExample& example, const TTrajectory& trajectory, long double t,
    int dimension, long double length, const TTrajectoryStateAt& stateAt) {
    if (!stateAt) return std::nullopt;
    const TVariableTable saved = formulas.vars;
    const std::optional<Vec3> state = stateAt(example, trajectory, t);
    if (!state) {
        formulas.vars = saved;
        return std::nullopt;
    }
    TTrajectoryCursorState out;
    out.state = *state;
    out.time = t;
    formulas.SetVar(slot::kX, state->x);
    formulas.SetVar(slot::kY, state->y);
    formulas.SetVar(slot::kZ, state->z);
    formulas.SetVar(slot::kT, t);
    long double f[3] = {0, 0, 0};
    bool defined = true;
    for (int c = 0; c < std::min(dimension, 3) && defined; ++c) {
        NodePtr& tree = example.Tree(c + 1);
        defined = tree && formulas.Evaluate(*tree) && std::isfinite(tree->re);
        if (defined) f[c] = tree->re;
    }
    formulas.vars = saved;
    if (!defined) return std::nullopt;
    out.field = {f[0], f[1], f[2]};
    out.fieldLength = Vec3Length(out.field);
    out.drawn = out.field;
    if (length >= kShortest && out.fieldLength > kShortest)
        out.drawn = (length / out.fieldLength) * out.field;
    return out;
}

std::string TrajectoryReadout(const Vec3& point, const Vec3& vector, int dimension,
                              const NumberFormat& format) {
    const auto list = [&](const Vec3& v) {
        std::string text = format.FormatNum(v.x) + " , " + format.FormatNum(v.y);
        if (dimension >= 3) text += " , " + format.FormatNum(v.z);
        return text;
    };
    return "( " + list(point) + " )\r\n[ " + list(vector) + " ]";
}

}  // namespace quorlin::examples
