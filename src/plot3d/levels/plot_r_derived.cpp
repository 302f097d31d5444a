// The 3D window's recomputations: every example's grid or box with its ranges, and the walk that
// rebuilds the examples derived from a changed one, each by the row of its derivation code.
#include <array>
#include <vector>

#include "examples/levels/analysis_tools.h"
#include "examples/operations/plot_points.h"
#include "platform/key_poll.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/scene/dependency_walk.h"
#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d {

namespace {

using TRebuilder = void (*)(TPlotRWin& w, int i);

void RebuildNothing(TPlotRWin&, int) {}
void RebuildCombination(TPlotRWin& w, int i) {
    if (examples::TAnalysisTools* tools = w.AnalysisTools()) tools->RebuildDerived(i);
    w.RecomputeGrid(i);
}
void RebuildGradient(TPlotRWin& w, int i) {
    w.BuildGradientField(i);
}
void RebuildTangent(TPlotRWin& w, int i) {
    w.RebuildTangentEntry(i);
}
void RebuildTangentWithGrid(TPlotRWin& w, int i) {
    w.RebuildTangentEntry(i);
    w.RecomputeGrid(i);
}
void RebuildPlotPoints(TPlotRWin& w, int i) {
    examples::RebuildPlotPointsExample(w.Inventory(), i);
}
void RebuildIntersection(TPlotRWin& w, int i) {
    w.BuildIntersectionCurve(i);
}

// In the order of TRebuild3D.
constexpr std::array<TRebuilder, 7> kRebuilders{
    RebuildNothing,         RebuildCombination, RebuildGradient,    RebuildTangent,
    RebuildTangentWithGrid, RebuildPlotPoints,  RebuildIntersection};

}  // namespace

void TPlotRWin::RecomputeGrid(int i) {
    examples::TExample& e = Inventory()[i];
    if (!e.IsMeshSurface(true)) return;
    RecomputeExampleBox(Formulas(), e, Axes().axesShown, nullptr);
}

void TPlotRWin::UpdateDependents(int k) {
    const std::vector<int> dependents = DependentsOf(Inventory(), k);
    // An intersection takes a plane's normal from the plane's grid, which an edit computes only
    // after this walk: the grid of an edited plane comes first.
    if (!dependents.empty() && Inventory().IsIndex(k) &&
        Inventory()[k].kind == examples::kind::kPlane)
        RecomputeGrid(k);
    for (const int i : dependents) RebuildDerived3D(i);
}

void TPlotRWin::RebuildDerived3D(int i) {
    const TRebuild3D how = RebuildOf3D(Inventory()[i].derivation);
    kRebuilders[static_cast<std::size_t>(how)](*this, i);
    // Its curves were traced on what it was.
    FollowLevelCurves(i);
}

void TPlotRWin::RecomputeAll() {
    // Called from a key poll (an animation frame between two polls of a search or trace), the
    // work that polls may still run on trees replaced before: they stay until a call from
    // outside every poll.
    if (!platform::KeyPollActive()) retiredTrees_.clear();
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        RecomputeExampleBox(Formulas(), Inventory()[i], Axes().axesShown, nullptr);
        Compiler().EvaluateRanges(i);
    }
    // An intersection holds what its parents were when it was built (a plane's normal, taken
    // from the plane's grid, and the box they share): with the grids just computed for the new
    // values it is built again, as after an edit of a parent.
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        if (Inventory()[i].kind != examples::kind::kSurfaceIntersection) continue;
        for (NodePtr& tree : Inventory()[i].trees)
            if (tree) retiredTrees_.push_back(std::move(tree));
        BuildIntersectionCurve(i);
    }
    // A parameter moved (a slider, an animation frame): every level curve follows its surface.
    for (int i = 0; i <= Inventory().LastIndex(); ++i) FollowLevelCurves(i);
}

}  // namespace quorlin::plot3d
