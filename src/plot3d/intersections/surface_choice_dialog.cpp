#include "plot3d/intersections/surface_choice_dialog.h"

#include <algorithm>

#include "platform/boxes.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/tools/example_list.h"

namespace quorlin::plot3d {

TSurfSelDlg::TSurfSelDlg(TPlotRWin& window) : Dialog(&window, "EQUA317"), window_(window) {}

void TSurfSelDlg::SetupWindow() {
    Dialog::SetupWindow();
    listed_.clear();
    const examples::TInventory& inventory = window_.Inventory();
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (std::ranges::find(kIntersectionSurfaceKinds, inventory[i].kind) !=
            kIntersectionSurfaceKinds.end())
            listed_.push_back(i);
    for (const int list : {kFirstList, kSecondList}) ShowExampleList(*this, list, window_, listed_);
    if (listed_.empty()) return;
    SetSelectedIndex(kFirstList, 0);
    SetSelectedIndex(kSecondList, static_cast<int>(listed_.size()) - 1);
}

TChosenSurface TSurfSelDlg::Selected(int listId) const {
    const int line = SelectedIndex(listId);
    if (line < 0 || line >= static_cast<int>(listed_.size())) return {};
    const int i = listed_[static_cast<std::size_t>(line)];
    return {i, window_.Inventory()[i].kind};
}

bool TSurfSelDlg::CanClose() {
    chosen_.reset();
    // Two surfaces are needed to meet; with fewer, OK chooses nothing.
    if (listed_.size() < 2) return true;
    const TChosenSurface first = Selected(kFirstList);
    const TChosenSurface second = Selected(kSecondList);
    if (first.index < 0 || second.index < 0) return true;
    TSurfacePair pair;
    if (const int error = ChooseSurfacePair(first, second, pair); error != 0) {
        platform::ErrorMsg(this, error);
        return false;
    }
    chosen_ = pair;
    return true;
}

}  // namespace quorlin::plot3d
