#pragma once
// The right-hand sides of differential equations as the tracers evaluate them: the tree
// selectors of a trajectory record, a first-order system of one to three components given by
// trees, the evaluation of a field of three trees at a point of space, the scene box, and the
// guard that gives the plot variables back after a trace.
//
// A system is evaluated with X, Y, Z holding the state and T the time. An empty tree where a
// selector names one, or a value that cannot be computed, makes the field undefined there.
#include <array>
#include <optional>

#include "core/vectors.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "formula/fused_program.h"

namespace quorlin::dynamics {

// The scene box of a 3D window, or any box of space; bounds belong to it.
struct Box3 {
    Vec3 min;
    Vec3 max;
};

// True when p lies in the box, bounds included.
bool IsInsideBox3D(const Box3& box, Vec3 p);

// Evaluates the three trees at (x, y, z) into out; false, and out the zero vector, when a tree
// is missing or undefined there.
bool EvalField3D(FormulaContext& context, const std::array<TExprNode*, 3>& trees, Vec3 p,
                 Vec3& out);

// One component of a field as a trajectory record names it: selector -1 is no tree (the
// component is 0), 0..6 the example's trees 1..7, 8..14 the same trees negated.
struct FieldComponent {
    TExprNode* tree = nullptr;
    bool negated = false;
    bool constantZero = true;
};

inline constexpr int kNoTree = -1;
inline constexpr int kNegatedTree = 8;

// Resolves a selector against the example's trees. False for a selector outside -1, 0..6 and
// 8..14 (a damaged record), which the tracers refuse.
bool ResolveTreeSelector(examples::TExample& example, int selector, FieldComponent& out);

// Restores X, Y, Z, T, S and the state of a derx equation when it goes out of scope: the
// tracers leave the window's variable table as they found it.
class PlotVariableGuard {
public:
    explicit PlotVariableGuard(FormulaContext& context);
    ~PlotVariableGuard();
    PlotVariableGuard(const PlotVariableGuard&) = delete;
    PlotVariableGuard& operator=(const PlotVariableGuard&) = delete;

private:
    FormulaContext& context_;
    std::array<Complex, 5> saved_;
    std::array<long double, 10> savedState_;
};

// The variables that the state of a system fills: X, Y (, Z) for a system of two (three)
// components; for a level curve of a surface the two variables of the level's plane, with the
// level variable held at the level.
struct StateSlots {
    static constexpr int kMaxComponents = 3;

    std::array<int, kMaxComponents> variables{slot::kX, slot::kY, slot::kZ};
    int count = 2;
    int heldSlot = -1;  // -1: none
    long double heldValue = 0;

    // X, Y (, Z) for a system of one to three components.
    static StateSlots System(int components);
    // The plane of the level variable's level through p: 26 (z) gives the state (x, y), 24 (x)
    // the state (y, z), 25 (y) the state (z, x); empty for another code.
    static std::optional<StateSlots> Level(int levelVariable, Vec3 p);

    // The state of a point, and the point of a state (the held coordinate at its level, the
    // coordinates outside the state 0).
    void ToState(Vec3 p, long double* y) const;
    Vec3 ToPoint(const long double* y) const;
};

// dx/dt, dy/dt (, dz/dt) of a system whose state fills the given slots; T holds the time. The
// component trees are compiled together, into one program, for the trace that the field serves.
class SystemField {
public:
    static constexpr int kMaxComponents = StateSlots::kMaxComponents;

    SystemField(FormulaContext& context, const std::array<FieldComponent, 3>& components,
                const StateSlots& state);

    // The field of a trajectory record of the example; empty for a damaged selector.
    static std::optional<SystemField> FromSelectors(FormulaContext& context,
                                                    examples::TExample& example,
                                                    const std::array<std::int16_t, 3>& selectors,
                                                    const StateSlots& state);

    int Count() const { return slots_.count; }
    // dy = f(t, y) for the first Count() entries; false where the field is undefined. Inline:
    // the steppers call it four times a step, and the call would cost as much as a short
    // component's program.
    bool operator()(long double t, const long double* y, long double* dy) const {
        return Evaluate(t, y, dy, slots_.count);
    }
    // The same with the count given: Count() as an int, or as a std::integral_constant where
    // the caller knows it when it is compiled, so that the loops over the components unroll.
    // Always inlined into the stepper that calls it.
    template <typename ComponentCount>
    bool Evaluate(long double t, const long double* y, long double* dy, ComponentCount n) const;

private:
    static FusedProgram Compile(FormulaContext& context,
                                const std::array<FieldComponent, 3>& components,
                                const StateSlots& slots,
                                std::array<std::uint8_t, kMaxComponents>& outputs);

    FormulaContext* context_;
    std::array<FieldComponent, 3> components_;
    // The components of the state that are not constant zero, as one program run once per
    // evaluation of the field; outputs_ tells which of its values each component takes.
    std::array<std::uint8_t, kMaxComponents> outputs_{};
    bool direct_ = false;  // component i is output i, none negated or constant zero
    FusedProgram program_;
    StateSlots slots_;
};

// (The count's type is not called Count: in this definition the member Count() would hide it.)
template <typename ComponentCount>
[[gnu::always_inline]] inline bool SystemField::Evaluate(long double t, const long double* y,
                                                         long double* dy, ComponentCount n) const {
    for (int i = 0; i < n; ++i)
        context_->SetVar(slots_.variables[static_cast<std::size_t>(i)], y[i]);
    if (slots_.heldSlot >= 0) context_->SetVar(slots_.heldSlot, slots_.heldValue);
    context_->SetVar(slot::kT, t);
    // The common field, every component its tree as it is: the values land where they belong.
    if (direct_) return program_.Evaluate(dy) == program_.AllDefined();
    std::array<long double, kMaxComponents> values;
    if (program_.Evaluate(values.data()) != program_.AllDefined()) return false;
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const FieldComponent& c = components_[at];
        if (c.constantZero) {
            dy[i] = 0;
            continue;
        }
        const long double value = values[outputs_[at]];
        dy[i] = c.negated ? -value : value;
    }
    return true;
}

}  // namespace quorlin::dynamics
