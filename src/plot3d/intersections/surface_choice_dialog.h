#pragma once
// TSurfSelDlg: the modal chooser of two surfaces ("EQUA317", command 787) of a 3D window. Both
// lists hold every explicit, parametric and implicit surface and plane, the first list
// selecting the first of them, the second the last. OK gives the pair in the order its
// intersection keeps, with its derivation code (surface_pair.h); the same surface twice ("select
// two") and two parametric or two implicit surfaces ("cannot understand") keep the dialog open.
// With fewer than two surfaces listed, OK gives no pair.
#include <optional>
#include <vector>

#include "platform/dialog.h"
#include "plot3d/intersections/surface_pair.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TSurfSelDlg : public platform::Dialog {
public:
    static constexpr int kFirstList = 295;
    static constexpr int kSecondList = 296;

    explicit TSurfSelDlg(TPlotRWin& window);

    // The examples listed, by list position.
    const std::vector<int>& Listed() const { return listed_; }
    // The pair chosen by OK; nothing before, after Cancel or with fewer than two surfaces.
    const std::optional<TSurfacePair>& Chosen() const { return chosen_; }

    void SetupWindow() override;
    bool CanClose() override;

private:
    TChosenSurface Selected(int listId) const;

    TPlotRWin& window_;
    std::vector<int> listed_;
    std::optional<TSurfacePair> chosen_;
};

}  // namespace quorlin::plot3d
