// The 3D window's picking of the surface point under the mouse, and the parametric surface a
// cross-section tool adds to it.
#include <vector>

#include "plot3d/levels/plot_r_win.h"
#include "plot3d/picking/surface_pick.h"
#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d {

int TPlotRWin::PickSurfacePoint(QPoint pixel, Vec3& out) {
    const canvas::WorldPoint w = View().ScreenToWorld(pixel);
    const Vec3 eye = Observer().eye;
    const TSightRay ray{eye, FocusPlanePoint(w.x, w.y) - eye};
    std::vector<TPickCandidate> candidates;
    for (int k = 0; k <= Inventory().LastIndex(); ++k) {
        auto& entry = Inventory().Entry(k);
        if (entry.substituted && entry.example.graphShown)
            candidates.push_back({entry.substituted.get(), BoxOf(entry.example)});
    }
    const int checks = std::max<int>(Scene().checksPerPoint, 1);
    const std::optional<Vec3> hit = PickNearest(
        Formulas(), ray, candidates, {.intervals = checks, .stepFraction = 1.0L / checks});
    if (!hit) return kNothingToPick;
    out = *hit;
    return 0;
}

void TPlotRWin::AddSectionSurface(const TSectionSurface& s) {
    if (!CanAddExample(true)) return;
    examples::TExample& e =
        AddExample(examples::kind::kParametricSurface, s.tLow, s.tHigh, {s.x, s.y, s.z, "", ""});
    e.rangeLow[1] = s.uLow;
    e.rangeHigh[1] = s.uHigh;
    e.divisions[0] = s.tDivisions;
    e.divisions[1] = s.uDivisions;
    const int i = Inventory().LastIndex();
    CompileExample(i);
    AddEquationLabel();
    Inventory()[i].familyOn = 1;
    RefreshExample(i, true);
    InventoryChanged(1);
    activateWindow();
}

}  // namespace quorlin::plot3d
