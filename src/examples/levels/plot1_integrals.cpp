// The integration operations of the inventory-operations level: the engine of integration.h on
// the window's variables, tools' ranges, key poll and number format.
#include "core/errors.h"
#include "core/numbers.h"
#include "examples/levels/plot1_win.h"
#include "platform/key_poll.h"

namespace quorlin::examples {

TKeyPollControl TPlot1Win::SumControl() {
    if (Output().noPolling) return TKeyPollControl({});
    return TKeyPollControl([this] { return platform::PollKey(this); });
}

template <class Run>
int TPlot1Win::WithKeyHint(Run&& run) {
    setFocus();
    ShowKeyHint(kKeyHintQuit);
    const int result = run();
    UpdateCaption();
    return result;
}

int TPlot1Win::RiemannSums(TExprNode& tree, int slotIndex) {
    TToolSettings& tools = Tools();
    TKeyPollControl control = SumControl();
    TSums sums{};
    const int result = examples::RiemannSums(
        Formulas(), tree, {slotIndex, tools.low, tools.high, tools.subintervals},
        [] { return RandomBetween(0, 1); }, control, sums);
    if (result != 0 && result != kKeyStop) return result;
    tools.sums = sums;
    for (int k = 0; k < kSumRules; ++k)
        tools.sumTexts[static_cast<std::size_t>(k)] = Format().FormatNum(sums[k]);
    return result;
}

int TPlot1Win::SimpsonIntegral(TExprNode& tree, const TIntegrationAxis& axis, long double& out) {
    TKeyPollControl control = SumControl();
    return examples::SimpsonIntegral(Formulas(), tree, axis, control, out);
}

int TPlot1Win::DoubleIntegral(TExprNode& tree, const TIntegrationAxis& inner,
                              const TIntegrationAxis& outer, long double& out) {
    return WithKeyHint([&] {
        TKeyPollControl control = SumControl();
        return examples::DoubleIntegral(Formulas(), tree, inner, outer, control, out);
    });
}

int TPlot1Win::DoubleIntegralPolar(const TExprNode& tree, const TIntegrationAxis& r,
                                   const TIntegrationAxis& t, long double& out) {
    return WithKeyHint([&] {
        TKeyPollControl control = SumControl();
        return examples::DoubleIntegralPolar(Formulas(), tree, r, t, control, out);
    });
}

int TPlot1Win::ArcLength(int k) {
    if (!Inventory().IsIndex(k)) return kErrUndefinedIntegrand;
    const TExample& curve = Inventory()[k];
    if (curve.overBudget) return kErrFormulaTooLong;  // no derivatives to make its speed from
    const NodePtr speed = SpeedTree(Formulas(), curve, Dimension());
    if (!speed) return kErrUndefinedIntegrand;
    return WithKeyHint([&] { return RiemannSums(*speed, CurveVariable(curve)); });
}

int TPlot1Win::LineIntegral(int field, int curve, long double& out) {
    if (!Inventory().IsIndex(field) || !Inventory().IsIndex(curve)) return kErrUndefinedIntegrand;
    if (Inventory()[curve].overBudget) return kErrFormulaTooLong;
    const NodePtr integrand = LineIntegrand(Inventory()[field], Inventory()[curve], Dimension());
    if (!integrand) return kErrUndefinedIntegrand;
    const TToolSettings& tools = Tools();
    return WithKeyHint([&] {
        return SimpsonIntegral(*integrand,
                               {slot::kT, tools.lineLow, tools.lineHigh, tools.lineSteps}, out);
    });
}

int TPlot1Win::Flux(int field, int surface, long double& out) {
    if (!Inventory().IsIndex(field) || !Inventory().IsIndex(surface)) return kErrUndefinedIntegrand;
    // Its normal would be differentiated anew, without the budget it already spent.
    if (Inventory()[surface].overBudget) return kErrFormulaTooLong;
    const NodePtr integrand = FluxIntegrand(Formulas(), Inventory()[field], Inventory()[surface]);
    if (!integrand) return kErrUndefinedIntegrand;
    const TToolSettings& tools = Tools();
    return DoubleIntegral(*integrand, {slot::kT, tools.fluxTLow, tools.fluxTHigh, tools.fluxTSteps},
                          {slot::kU, tools.fluxULow, tools.fluxUHigh, tools.fluxUSteps}, out);
}

int TPlot1Win::SurfaceArea(int k, const TIntegrationAxis& first, const TIntegrationAxis& second,
                           long double& out) {
    if (!Inventory().IsIndex(k)) return 0;
    const TExample& surface = Inventory()[k];
    const bool known = surface.kind == kind::kSurface || surface.kind == kind::kPolarSurface ||
                       surface.kind == kind::kParametricSurface;
    if (!known) return 0;
    if (surface.overBudget) return kErrFormulaTooLong;
    const TAreaIntegrand area = AreaIntegrand(Formulas(), surface);
    if (!area.tree) return kErrUndefinedIntegrand;
    TIntegrationAxis inner = first;
    TIntegrationAxis outer = second;
    inner.slot = area.innerSlot;
    outer.slot = area.outerSlot;
    const int result = DoubleIntegral(*area.tree, inner, outer, out);
    UpdateCaption();
    return result;
}

}  // namespace quorlin::examples
