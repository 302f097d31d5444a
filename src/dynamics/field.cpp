#include "dynamics/field.h"

#include <algorithm>

namespace quorlin::dynamics {

namespace {

constexpr std::array<int, 5> kPlotSlots{slot::kX, slot::kY, slot::kZ, slot::kT, slot::kS};
constexpr int kTreeCount = examples::TExample::kTextCount;

}  // namespace

bool IsInsideBox3D(const Box3& box, Vec3 p) {
    return p.x >= box.min.x && p.x <= box.max.x && p.y >= box.min.y && p.y <= box.max.y &&
           p.z >= box.min.z && p.z <= box.max.z;
}

bool EvalField3D(FormulaContext& context, const std::array<TExprNode*, 3>& trees, Vec3 p,
                 Vec3& out) {
    context.SetVar(slot::kX, p.x);
    context.SetVar(slot::kY, p.y);
    context.SetVar(slot::kZ, p.z);
    std::array<long double, 3> v{};
    for (std::size_t i = 0; i < trees.size(); ++i) {
        if (!trees[i] || !context.Evaluate(*trees[i])) {
            out = {};
            return false;
        }
        v[i] = trees[i]->re;
    }
    out = {v[0], v[1], v[2]};
    return true;
}

bool ResolveTreeSelector(examples::TExample& example, int selector, FieldComponent& out) {
    out = {};
    if (selector == kNoTree) return true;
    const bool negated = selector >= kNegatedTree;
    const int index = negated ? selector - kNegatedTree : selector;
    if (index < 0 || index >= kTreeCount) return false;
    out.tree = example.trees[static_cast<std::size_t>(index)].get();
    out.negated = negated;
    out.constantZero = false;
    return true;
}

PlotVariableGuard::PlotVariableGuard(FormulaContext& context)
    : context_(context), savedState_(context.derivState) {
    for (std::size_t i = 0; i < kPlotSlots.size(); ++i)
        saved_[i] = context.vars.value[static_cast<std::size_t>(kPlotSlots[i])];
}

PlotVariableGuard::~PlotVariableGuard() {
    for (std::size_t i = 0; i < kPlotSlots.size(); ++i)
        context_.vars.value[static_cast<std::size_t>(kPlotSlots[i])] = saved_[i];
    context_.derivState = savedState_;
}

StateSlots StateSlots::System(int components) {
    StateSlots s;
    s.count = std::clamp(components, 1, kMaxComponents);
    return s;
}

std::optional<StateSlots> StateSlots::Level(int levelVariable, Vec3 p) {
    StateSlots s;
    switch (levelVariable) {
        case slot::kZ:
            s.variables = {slot::kX, slot::kY, slot::kZ};
            s.heldValue = p.z;
            break;
        case slot::kX:
            s.variables = {slot::kY, slot::kZ, slot::kX};
            s.heldValue = p.x;
            break;
        case slot::kY:
            s.variables = {slot::kZ, slot::kX, slot::kY};
            s.heldValue = p.y;
            break;
        default:
            return std::nullopt;
    }
    s.count = 2;
    s.heldSlot = levelVariable;
    return s;
}

namespace {

long double& Coordinate(Vec3& p, int slotIndex) {
    return slotIndex == slot::kX ? p.x : slotIndex == slot::kY ? p.y : p.z;
}

}  // namespace

void StateSlots::ToState(Vec3 p, long double* y) const {
    for (int i = 0; i < count; ++i) y[i] = Coordinate(p, variables[static_cast<std::size_t>(i)]);
}

Vec3 StateSlots::ToPoint(const long double* y) const {
    Vec3 p;
    for (int i = 0; i < count; ++i) Coordinate(p, variables[static_cast<std::size_t>(i)]) = y[i];
    if (heldSlot >= 0) Coordinate(p, heldSlot) = heldValue;
    return p;
}

SystemField::SystemField(FormulaContext& context, const std::array<FieldComponent, 3>& components,
                         const StateSlots& slots)
    : context_(&context),
      components_(components),
      program_(Compile(context, components, slots, outputs_)),
      slots_(slots) {
    direct_ = std::none_of(components.begin(), components.begin() + slots.count,
                           [](const FieldComponent& c) { return c.constantZero || c.negated; });
}

// Only the components the state has, and of those only the ones that are not constant zero:
// the field is undefined exactly where one of them is.
FusedProgram SystemField::Compile(FormulaContext& context,
                                  const std::array<FieldComponent, 3>& components,
                                  const StateSlots& slots,
                                  std::array<std::uint8_t, kMaxComponents>& outputs) {
    std::array<TExprNode*, kMaxComponents> trees{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(slots.count); ++i) {
        outputs[i] = static_cast<std::uint8_t>(count);
        if (!components[i].constantZero) trees[count++] = components[i].tree;
    }
    return FusedProgram(context, std::span(trees.data(), count));
}

std::optional<SystemField> SystemField::FromSelectors(FormulaContext& context,
                                                      examples::TExample& example,
                                                      const std::array<std::int16_t, 3>& selectors,
                                                      const StateSlots& slots) {
    std::array<FieldComponent, 3> components;
    for (std::size_t i = 0; i < components.size(); ++i)
        if (!ResolveTreeSelector(example, selectors[i], components[i])) return std::nullopt;
    return SystemField(context, components, slots);
}

}  // namespace quorlin::dynamics
