#include "plot2d/plot_c_win.h"

#include <vector>

#include "core/numbers.h"
#include "examples/records/derivation.h"
#include "plot2d/orbital.h"
#include "resources/command_ids.h"

namespace quorlin::plot2d {

namespace k = examples::kind;

void TPlotCWin::InventoryChanged(int selectLast) {
    TPlot2DState& s = State2D();
    DropInvalidShades(s.shades, Inventory().LastIndex());
    if (!Inventory().IsIndex(s.currentSlopeExample) ||
        Inventory()[s.currentSlopeExample].kind != k::kSlope) {
        s.currentSlopeExample = -1;
        for (int i = 0; i <= Inventory().LastIndex() && s.currentSlopeExample < 0; ++i)
            if (Inventory()[i].kind == k::kSlope) s.currentSlopeExample = i;
    }
    s.toolOrigin = false;
    if (Inventory().IsIndex(s.lagrangeExample) &&
        !Inventory()[s.lagrangeExample].IsLagrangeExplicit())
        s.lagrangeExample = -1;
    if (keepToolDialogsOnce_)
        keepToolDialogsOnce_ = false;
    else
        RefreshToolDialogs();
    TPlotBWin::InventoryChanged(selectLast);
}

void TPlotCWin::UpdateDependents(int i) {
    examples::TInventory& inv = Inventory();
    const int n = inv.Count();
    std::vector<bool> changed(static_cast<std::size_t>(std::max(n, 0)), i < 0);
    if (inv.IsIndex(i)) changed[static_cast<std::size_t>(i)] = true;
    const auto isChanged = [&](int p) {
        return p >= 0 && p < n && changed[static_cast<std::size_t>(p)];
    };
    for (int j = i < 0 ? 0 : i + 1; j < n; ++j) {
        const examples::TExample& e = inv[j];
        if (e.derivation == 0) continue;
        // The end point of a segment (125) keeps a text index in its second parent.
        const bool second = examples::NamesSecondParent(e.derivation) && isChanged(e.parent[1]);
        if (!isChanged(e.parent[0]) && !second) continue;
        // An example that could not be built changes too: what derives from it follows it.
        changed[static_cast<std::size_t>(j)] = true;
        if (RebuildDerived(j)) {
            Compiler().EvaluateRanges(j);
            Compiler().MarkSymbolsOfExample(j);
        }
    }
    RefreshToolValues();
}

void TPlotCWin::SetCurrentExample(int i) {
    ExampleBook().current = Inventory().IsIndex(i) ? i : -1;
    if (ExampleBook().current >= 0 && Inventory()[i].kind == k::kSlope)
        State2D().currentSlopeExample = i;
}

void TPlotCWin::ExamplesRemoved(std::span<const int> oldToNew) {
    TPlot2DState& s = State2D();
    RenumberShadeList(s.shades, oldToNew);
    for (int* index : {&s.currentSlopeExample, &s.lagrangeExample, &s.mouseDataExample})
        *index = *index >= 0 && static_cast<std::size_t>(*index) < oldToNew.size()
                     ? oldToNew[static_cast<std::size_t>(*index)]
                     : -1;
    TPlotBWin::ExamplesRemoved(oldToNew);
}

bool TPlotCWin::SwapExamples(int a, int b) {
    if (!TPlotBWin::SwapExamples(a, b)) return false;
    SwapShadeIndexes(State2D().shades, a, b);
    TPlot2DState& s = State2D();
    for (int* index : {&s.currentSlopeExample, &s.lagrangeExample, &s.mouseDataExample})
        *index = *index == a ? b : *index == b ? a : *index;
    return true;
}

void TPlotCWin::RefreshToolValues() {
    if (examples::TAnalysisTools* tools = MadeAnalysisTools()) tools->RefreshToolValues();
}
void TPlotCWin::RefreshToolDialogs() {}

std::string TPlotCWin::MouseDataText(long double x) {
    const int i = State2D().mouseDataExample;
    if (MouseMode() != resources::cmd::kMouseCoordinates || !Inventory().IsIndex(i)) return {};
    examples::TExample& e = Inventory()[i];
    if (e.kind != k::kExplicit || !e.Tree(2)) return {};
    const TVariableTable saved = Formulas().vars;
    long double y = 0;
    const bool defined = Formulas().EvalAtReal(*e.Tree(2), slot::kX, x, y);
    Formulas().vars = saved;
    return "  f = " + (defined ? FormatNumberAuto(y, Format().places) : std::string("?"));
}

void TPlotCWin::ViewLoaded() {}

void TPlotCWin::ConvertStoredPoints(int) {}

void TPlotCWin::CopyBodyListToTable(int i) {
    // Each body's record carries its initial state and mass (the file writes them there): back
    // into the body table.
    if (!Inventory().IsIndex(i) || Inventory()[i].kind != k::kOrbital) return;
    examples::TExample& e = Inventory()[i];
    const int n = std::min<int>(orbital::BodyCount(e), static_cast<int>(e.trajectories.size()));
    for (int j = 0; j < n; ++j) {
        const examples::TTrajectory& body = e.trajectories[static_cast<std::size_t>(j)];
        const auto at = static_cast<std::size_t>(j);
        e.points[orbital::kInitialPositionEntry + at] = {body.startX, body.startY, body.startZ};
        e.points[orbital::kMassEntry + at] = {body.step, 0, 0};
        Vec3 velocity;
        if (body.hasTexts && Formulas().ReadNumber(body.texts[0], velocity.x) == 0 &&
            Formulas().ReadNumber(body.texts[1], velocity.y) == 0 &&
            Formulas().ReadNumber(body.texts[2], velocity.z) == 0)
            e.points[orbital::kInitialVelocityEntry + at] = velocity;
    }
}

std::uint16_t TPlotCWin::OpenToolsMask() const {
    return TPlotBWin::OpenToolsMask();
}

void TPlotCWin::RestoreToolState(int a, int b, int c) {
    TPlotBWin::RestoreToolState(a, b, c);
}

void TPlotCWin::GetToolState(std::array<int, 3>& out) const {
    TPlotBWin::GetToolState(out);
}

void TPlotCWin::OpenTrace() {
    static constexpr int kTraceKinds[] = {examples::kind::kExplicit, examples::kind::kPolar,
                                          examples::kind::kParametric, examples::kind::kIntrinsic};
    ShowCurveSlider("TRACE", kTraceKinds);
}

}  // namespace quorlin::plot2d
