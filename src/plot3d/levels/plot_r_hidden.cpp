// The hidden-line slots of the 3D graph window: each hands the example and what the tests read
// of the window (observer, scene box, the shown part of the projection plane, the line-of-sight
// and planarity settings) to the plain tests of its surface family, with the programs of the
// drawing that runs (or of the single test). Also the switch that lets parametric-type surfaces
// hide what lies behind them.
#include "plot3d/hidden/surface_hiding.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

void TPlotRWin::RegisterHiddenLineCommands() {
    HandleCommand(cmd::kParametricsObscure, [this] { ToggleParametricsObscure(); });
}

void TPlotRWin::ToggleParametricsObscure() {
    Scene().parametricsObscure = !Scene().parametricsObscure;
    UpdateMenuChecks(false);
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TPlotRWin::UpdateMenuChecks(bool flag) {
    CheckMenu(cmd::kParametricsObscure, Scene().parametricsObscure);
    CheckMenu(cmd::kArrows, Scene().arrows);
    CheckMenu(cmd::kShowLabels, Scene().axisLabels);
    CheckMenu(cmd::kHideSegments, Scene().hideSegments);
    CheckMenu(cmd::kBox, Scene3D().box.shown);
    CheckMenu(cmd::kCoords, Scene3D().box.coords);
    CheckMenu(cmd::kDottedBox, Scene3D().box.dotted);
    CheckMenu(cmd::kCube, Observer().cube);
    TPlotQWin::UpdateMenuChecks(flag);
}

hidden::THiddenLineView TPlotRWin::HiddenLineView() const {
    const examples::TSceneSettings& scene = Scene();
    return {Observer(),
            SceneBox(),
            View().ClipRect(),
            scene.checksPerPoint,
            scene.planarityTolerance,
            scene.parametricsObscure};
}

hidden::TSurfaceProgramScope TPlotRWin::HiddenLinePrograms() {
    return hidden::TSurfaceProgramScope(drawingPrograms_, Formulas());
}

bool TPlotRWin::IsHiddenByPolarSurface(int i, const Vec3& p) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    return Inventory().IsIndex(i) &&
           hidden::IsHiddenByPolarSurface(programs.Programs(), Inventory()[i], HiddenLineView(), p);
}

bool TPlotRWin::IsHiddenByImplicitSurface(int i, const Vec3& p) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    return Inventory().IsIndex(i) && hidden::IsHiddenByImplicitSurface(
                                         programs.Programs(), Inventory()[i], HiddenLineView(), p);
}

bool TPlotRWin::IsHiddenByParametricSurface(int i, const Vec3& p) {
    return Inventory().IsIndex(i) &&
           hidden::IsHiddenByMeshSurface(Inventory()[i], HiddenLineView(), p);
}

bool TPlotRWin::IsHiddenByPlane(int i, const Vec3& p) {
    return Inventory().IsIndex(i) &&
           hidden::IsHiddenByPlanePatch(Inventory()[i], HiddenLineView(), p);
}

bool TPlotRWin::IsHiddenByExplicitSurface(int i, const Vec3& p) {
    const hidden::TSurfaceProgramScope programs = HiddenLinePrograms();
    return Inventory().IsIndex(i) && hidden::IsHiddenByExplicitSurface(
                                         programs.Programs(), Inventory()[i], HiddenLineView(), p);
}

}  // namespace quorlin::plot3d
