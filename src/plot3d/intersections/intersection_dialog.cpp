#include "plot3d/intersections/intersection_dialog.h"

#include "examples/records/equation_text.h"
#include "platform/text_codec.h"
#include "plot3d/intersections/surface_pair.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace {

constexpr std::size_t kMaxSurfaceText = 999;

}  // namespace

TIntSSDlg::TIntSSDlg(TPlotRWin& window, int example) : T3DIvpDlg(window, "INTERC", example) {}

void TIntSSDlg::SetupWindow() {
    T3DIvpDlg::SetupWindow();
    ShowSurfaces();
}

void TIntSSDlg::SetExample(int example) {
    T3DIvpDlg::SetExample(example);
    if (IsCreated()) ShowSurfaces();
}

void TIntSSDlg::FillList() {
    T3DIvpDlg::FillList();
    examples::TInventory& inventory = window_.Inventory();
    if (!IsCreated() || !inventory.IsIndex(example_) ||
        !IsParametricIntersection(inventory[example_].derivation))
        return;
    const std::vector<int>& listed = ListedPositions();
    for (std::size_t line = 0; line < listed.size(); ++line) {
        examples::TTrajectory curve =
            inventory[example_].trajectories[static_cast<std::size_t>(listed[line])].Clone();
        const auto space =
            window_.TracedPointInSpace(example_, {curve.startX, curve.startY, curve.startZ});
        if (!space) continue;
        curve.startX = space->x;
        curve.startY = space->y;
        curve.startZ = space->z;
        const int at = static_cast<int>(line);
        DeleteString(kList, at);
        InsertString(kList, at,
                     QString::fromStdString(
                         examples::DescribeTrajectory(curve, window_.Format().places, true)));
    }
    if (!listed.empty()) SetSelectedIndex(kList, 0);
}

void TIntSSDlg::Refresh() {
    if (!IsCreated()) return;
    ShowParents();
    FillList();
}

void TIntSSDlg::ShowParents() {
    examples::TInventory& inventory = window_.Inventory();
    const bool known = inventory.IsIndex(example_);
    for (const int id : {kFirstSurface, kSecondSurface}) {
        const int parent = known ? inventory[example_].parent[id == kFirstSurface ? 0 : 1] : -1;
        std::string text = inventory.IsIndex(parent) ? window_.DescribeExample(parent) : "";
        if (text.size() > kMaxSurfaceText) text.resize(kMaxSurfaceText);
        SetText(id, FromWindows1252(text));
    }
}

void TIntSSDlg::ShowSurfaces() {
    ShowParents();
    FillList();
    // New curves take the intersection's colour until "color" changes it.
    examples::TInventory& inventory = window_.Inventory();
    if (inventory.IsIndex(example_))
        window_.Roles().SetRole(examples::kRoleTrajectory, inventory[example_].pen.colour);
    changed_ = false;
}

int TIntSSDlg::CmSearch() {
    examples::TInventory& inventory = window_.Inventory();
    if (!inventory.IsIndex(example_)) return 0;
    inventory[example_].pen.colour = window_.Roles().Role(examples::kRoleTrajectory);
    const std::size_t before = inventory[example_].trajectories.size();
    const int key = window_.ShowIntersectionWindow(example_, true);
    if (inventory.IsIndex(example_) && inventory[example_].trajectories.size() != before)
        CurvesChanged();
    else
        FillList();
    return key;
}

void TIntSSDlg::CmSee() {
    window_.ShowIntersectionWindow(example_, false);
}

void TIntSSDlg::OnControl(int id) {
    switch (id) {
        case kSearch:
            CmSearch();
            return;
        case kSee:
            CmSee();
            return;
        case platform::kIdOk:
        case platform::kIdCancel:
        case kDeleteOne:
        case kDeleteAll:
            window_.HideIntersectionWindow();
            break;
        default:
            break;
    }
    T3DIvpDlg::OnControl(id);
}

}  // namespace quorlin::plot3d
